#pragma once

// The rows of the catalogue overview, kept compact: a catalogue of 99,999
// cassettes gives about half a million rows, so every row is one run of
// text in a shared buffer, its cells ended by a separator, instead of a
// string object per cell.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace velmora {

class OverviewRows
{
public:
    // Ends every cell; no text of a table holds it.
    static constexpr char16_t kSeparator = u'\x1f';

    explicit OverviewRows(int columns = 0) : m_columns(columns) {}

    // A row of exactly columnCount() cells, and the physical record of the
    // item it shows (the cassette, or the CD title of a track).
    void append(const QStringList &cells, int record);
    void reserve(qsizetype rows, qsizetype chars);
    // Gives back what reserve took beyond the rows appended.
    void squeeze();

    int rowCount() const { return int(m_records.size()); }
    int columnCount() const { return m_columns; }
    QStringView cell(int row, int column) const;
    // The row's cells, each followed by kSeparator: what a filter searches.
    QStringView rowText(int row) const;
    int record(int row) const { return m_records[size_t(row)]; }

    // The characters of the shown text (separators aside), and what the
    // rows take in memory, for the benchmarks.
    qsizetype textChars() const { return m_text.size() - qsizetype(rowCount()) * m_columns; }
    qsizetype memoryBytes() const;

private:
    int m_columns;
    QString m_text;
    std::vector<quint32> m_starts{0};
    std::vector<int> m_records;
};

} // namespace velmora
