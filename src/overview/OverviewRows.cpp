#include "overview/OverviewRows.h"

namespace velmora {

void OverviewRows::append(const QStringList &cells, int record)
{
    // Each cell appended whole: a character at a time was most of the
    // building of half a million rows.
    for (int c = 0; c < m_columns; ++c) {
        if (c < cells.size()) {
            const QString &cell = cells.at(c);
            const qsizetype from = m_text.size();
            m_text.append(cell);
            if (cell.contains(QChar(kSeparator))) [[unlikely]] {
                QChar *at = m_text.data();
                for (qsizetype i = from; i < m_text.size(); ++i)
                    if (at[i].unicode() == kSeparator)
                        at[i] = QChar(u' ');
            }
        }
        m_text.append(QChar(kSeparator));
    }
    m_starts.push_back(quint32(m_text.size()));
    m_records.push_back(record);
}

void OverviewRows::reserve(qsizetype rows, qsizetype chars)
{
    m_text.reserve(chars);
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
    const QStringView text = rowText(row);
    qsizetype from = 0;
    for (int c = 0; c < column; ++c)
        from = text.indexOf(QChar(kSeparator), from) + 1;
    const qsizetype to = text.indexOf(QChar(kSeparator), from);
    return text.mid(from, to - from);
}

qsizetype OverviewRows::memoryBytes() const
{
    return m_text.capacity() * qsizetype(sizeof(QChar)) +
           qsizetype(m_starts.capacity() * sizeof(quint32)) +
           qsizetype(m_records.capacity() * sizeof(int));
}

} // namespace velmora
