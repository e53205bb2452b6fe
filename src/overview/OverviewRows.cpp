#include "overview/OverviewRows.h"

#include <algorithm>
#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace velmora {

void OverviewRows::append(const QStringList &cells, int record)
{
    // The row's characters written straight into the buffer: an append per
    // cell was most of the building of half a million rows.
    const int given = std::min(int(cells.size()), m_columns);
    qsizetype length = m_columns;
    for (int c = 0; c < given; ++c)
        length += cells.at(c).size();
    const qsizetype from = m_text.size();
    if (m_text.capacity() < from + length)
        m_text.reserve(std::max(from + length, m_text.capacity() * 2));
    m_text.resize(from + length);
    char16_t *out = reinterpret_cast<char16_t *>(m_text.data()) + from;
    for (int c = 0; c < m_columns; ++c) {
        if (c < given) {
            const QString &cell = cells.at(c);
            const char16_t *in = reinterpret_cast<const char16_t *>(cell.constData());
            const qsizetype n = cell.size();
            for (qsizetype i = 0; i < n; ++i)
                out[i] = in[i] == kSeparator ? u' ' : in[i];
            out += n;
        }
        *out++ = kSeparator;
    }
    m_starts.push_back(quint32(m_text.size()));
    m_records.push_back(record);
}

void OverviewRows::reserve(qsizetype rows, qsizetype chars)
{
    m_text.reserve(chars);
#ifdef __linux__
    // Large pages for a buffer of tens of megabytes: touching it a small
    // page at a time was a tenth of the building.
    constexpr uintptr_t kLarge = 2 * 1024 * 1024;
    const auto begin = reinterpret_cast<uintptr_t>(m_text.constData());
    const uintptr_t from = (begin + kLarge - 1) & ~(kLarge - 1);
    const uintptr_t to = (begin + uintptr_t(m_text.capacity()) * sizeof(QChar)) & ~(kLarge - 1);
    if (to > from)
        madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
#endif
    m_starts.reserve(size_t(rows) + 1);
    m_records.reserve(size_t(rows));
}

void OverviewRows::squeeze()
{
    m_text.squeeze();
    m_starts.shrink_to_fit();
    m_records.shrink_to_fit();
}

QStringView OverviewRows::rowText(int row) const
{
    const quint32 from = m_starts[size_t(row)];
    return QStringView(m_text).mid(from, m_starts[size_t(row) + 1] - from);
}

QStringView OverviewRows::cell(int row, int column) const
{
    // A plain walk: cells are short, and a library search per separator
    // cost more than the walk itself in sorts and filters over every row.
    const char16_t *text = reinterpret_cast<const char16_t *>(m_text.constData());
    qsizetype from = m_starts[size_t(row)];
    const qsizetype end = m_starts[size_t(row) + 1];
    for (int c = 0; c < column && from < end; ++c) {
        while (from < end && text[from] != kSeparator)
            ++from;
        ++from;
    }
    if (from >= end)
        return {};
    qsizetype to = from;
    while (to < end && text[to] != kSeparator)
        ++to;
    return QStringView(text + from, to - from);
}

qsizetype OverviewRows::memoryBytes() const
{
    return m_text.capacity() * qsizetype(sizeof(QChar)) +
           qsizetype(m_starts.capacity() * sizeof(quint32)) +
           qsizetype(m_records.capacity() * sizeof(int));
}

} // namespace velmora
