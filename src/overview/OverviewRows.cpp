#include "overview/OverviewRows.h"

#include "engine/Codepage.h"

#include <algorithm>
#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace velmora {
namespace {

// Writes the UTF-16 text as UTF-8 at out (room for three bytes a unit) and
// returns the end; a separator becomes a space, a lone surrogate U+FFFD.
char *writeUtf8(QStringView text, char *out)
{
    const char16_t *in = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = in[i];
        if (c < 0x80) {
            *out++ = c == char32_t(OverviewRows::kSeparator) ? ' ' : char(c);
            continue;
        }
        if (c < 0x800) {
            *out++ = char(0xc0 | (c >> 6));
            *out++ = char(0x80 | (c & 0x3f));
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(in[i + 1])) {
            c = QChar::surrogateToUcs4(char16_t(c), in[++i]);
            *out++ = char(0xf0 | (c >> 18));
            *out++ = char(0x80 | ((c >> 12) & 0x3f));
            *out++ = char(0x80 | ((c >> 6) & 0x3f));
            *out++ = char(0x80 | (c & 0x3f));
            continue;
        }
        if (QChar::isSurrogate(c))
            c = 0xfffd;
        *out++ = char(0xe0 | (c >> 12));
        *out++ = char(0x80 | ((c >> 6) & 0x3f));
        *out++ = char(0x80 | (c & 0x3f));
    }
    return out;
}

} // namespace

OverviewRows::OverviewRows(int columns) : m_columns(columns)
{
    setStoredCodepage(Codepage::cp1250());
}

void OverviewRows::setStoredCodepage(const Codepage &codepage)
{
    for (int b = 0; b < 256; ++b) {
        char bytes[4] = {};
        const char16_t c = b == uint8_t(kSeparator) ? u' ' : codepage.decodeByte(uint8_t(b));
        const qsizetype n = writeUtf8(QStringView(&c, 1), bytes) - bytes;
        m_utf8Of[size_t(b)] = quint32(uint8_t(bytes[0])) | quint32(uint8_t(bytes[1])) << 8 |
                              quint32(uint8_t(bytes[2])) << 16 | quint32(n) << 24;
    }
}

void OverviewRows::append(const QStringList &cells, int record)
{
    m_scratch.assign(cells.cbegin(), cells.cend());
    append(m_scratch.data(), int(m_scratch.size()), record);
}

void OverviewRows::append(const OverviewCell *cells, int count, int record)
{
    // The row's bytes written straight into the buffer: an append per cell
    // was most of the building of half a million rows.
    const int given = std::min(count, m_columns);
    qsizetype most = m_columns;
    for (int c = 0; c < given; ++c) // at most three bytes a unit or a stored byte
        most += (cells[c].isStored ? cells[c].stored.size() : cells[c].text.size()) * 3;
    const qsizetype from = m_text.size();
    if (m_text.capacity() < from + most)
        m_text.reserve(std::max(from + most, m_text.capacity() * 2));
    m_text.resize(from + most);
    char *const begin = m_text.data() + from;
    char *out = begin;
    for (int c = 0; c < m_columns; ++c) {
        if (c < given && cells[c].isStored) {
            for (const char b : cells[c].stored) {
                const quint32 u = m_utf8Of[uint8_t(b)];
                // Three bytes written, the count of them kept.
                out[0] = char(u);
                out[1] = char(u >> 8);
                out[2] = char(u >> 16);
                out += u >> 24;
            }
        } else if (c < given) {
            out = writeUtf8(cells[c].text, out);
        }
        *out++ = kSeparator;
    }
    m_text.resize(from + (out - begin));
    m_starts.push_back(quint32(m_text.size()));
    m_records.push_back(record);
}

void OverviewRows::reserve(qsizetype rows, qsizetype bytes)
{
    m_text.reserve(bytes);
#ifdef __linux__
    // Large pages for a buffer of tens of megabytes: touching it a small
    // page at a time was a tenth of the building.
    constexpr uintptr_t kLarge = 2 * 1024 * 1024;
    const auto begin = reinterpret_cast<uintptr_t>(m_text.constData());
    const uintptr_t from = (begin + kLarge - 1) & ~(kLarge - 1);
    const uintptr_t to = (begin + uintptr_t(m_text.capacity())) & ~(kLarge - 1);
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

QByteArrayView OverviewRows::rowBytes(int row) const
{
    const quint32 from = m_starts[size_t(row)];
    return QByteArrayView(m_text.constData() + from, m_starts[size_t(row) + 1] - from);
}

QByteArrayView OverviewRows::cellBytes(int row, int column) const
{
    // A plain walk: cells are short, and a library search per separator
    // cost more than the walk itself in sorts and filters over every row.
    const char *text = m_text.constData();
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
    return QByteArrayView(text + from, to - from);
}

QString OverviewRows::cell(int row, int column) const
{
    QString out;
    decodeCell(cellBytes(row, column), out);
    return out;
}

qsizetype OverviewRows::memoryBytes() const
{
    return m_text.capacity() + qsizetype(m_starts.capacity() * sizeof(quint32)) +
           qsizetype(m_records.capacity() * sizeof(int));
}

void decodeCell(QByteArrayView bytes, QString &out)
{
    // The rows hold only what writeUtf8 wrote, so every sequence is whole.
    const auto *in = reinterpret_cast<const uint8_t *>(bytes.data());
    const qsizetype n = bytes.size();
    out.resize(n); // never more units than bytes
    char16_t *to = reinterpret_cast<char16_t *>(out.data());
    char16_t *const begin = to;
    for (qsizetype i = 0; i < n;) {
        const uint8_t b = in[i];
        if (b < 0x80) {
            *to++ = b;
            ++i;
        } else if (b < 0xe0 && i + 1 < n) {
            *to++ = char16_t(((b & 0x1f) << 6) | (in[i + 1] & 0x3f));
            i += 2;
        } else if (b < 0xf0 && i + 2 < n) {
            *to++ = char16_t(((b & 0x0f) << 12) | ((in[i + 1] & 0x3f) << 6) | (in[i + 2] & 0x3f));
            i += 3;
        } else if (i + 3 < n) {
            const char32_t c = (char32_t(b & 0x07) << 18) | (char32_t(in[i + 1] & 0x3f) << 12) |
                               (char32_t(in[i + 2] & 0x3f) << 6) | char32_t(in[i + 3] & 0x3f);
            *to++ = QChar::highSurrogate(c);
            *to++ = QChar::lowSurrogate(c);
            i += 4;
        } else {
            *to++ = 0xfffd; // cut short: cannot come from the rows themselves
            i = n;
        }
    }
    out.resize(to - begin);
}

} // namespace velmora
