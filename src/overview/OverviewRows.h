#pragma once

// The rows of the catalogue overview, kept compact: a catalogue of 99,999
// cassettes gives about half a million rows, so every row is one run of
// UTF-8 text in a shared buffer, its cells ended by a separator, instead of
// a string object per cell. Czech text is mostly ASCII, so UTF-8 holds it
// in little more than a byte a character.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <vector>

namespace velmora {

class Codepage;

// A cell as a row is written: text, or the bytes a table stores in the
// code page the rows were given, turned into UTF-8 as they are copied.
struct OverviewCell
{
    OverviewCell() = default;
    OverviewCell(QStringView text) : text(text) {}
    OverviewCell(const QString &text) : text(text) {}
    OverviewCell(QByteArrayView stored) : stored(stored), isStored(true) {}

    QStringView text;
    QByteArrayView stored;
    bool isStored = false;
};

class OverviewRows
{
public:
    // Ends every cell; no text of a table holds it.
    static constexpr char kSeparator = '\x1f';

    // Stored cells are read as cp1250 until told otherwise.
    explicit OverviewRows(int columns = 0);

    // A row of exactly columnCount() cells, and the physical record of the
    // item it shows (the cassette, or the CD title of a track).
    void append(const QStringList &cells, int record);
    // The same from cells of either kind; stored ones need the code page.
    void append(const OverviewCell *cells, int count, int record);
    void setStoredCodepage(const Codepage &codepage);
    void reserve(qsizetype rows, qsizetype bytes);
    // Gives back what reserve took beyond the rows appended.
    void squeeze();

    int rowCount() const { return int(m_records.size()); }
    int columnCount() const { return m_columns; }
    QString cell(int row, int column) const;
    // The cell's UTF-8 bytes, without decoding them.
    QByteArrayView cellBytes(int row, int column) const;
    // The row's cells in UTF-8, each followed by kSeparator: what a filter
    // searches.
    QByteArrayView rowBytes(int row) const;
    int record(int row) const { return m_records[size_t(row)]; }

    // The UTF-8 bytes of the shown text (separators aside), and what the
    // rows take in memory, for the benchmarks.
    qsizetype textBytes() const { return m_text.size() - qsizetype(rowCount()) * m_columns; }
    qsizetype memoryBytes() const;

private:
    int m_columns;
    QByteArray m_text;
    std::vector<quint32> m_starts{0};
    std::vector<int> m_records;
    std::vector<OverviewCell> m_scratch;
    // The UTF-8 of every stored byte: its bytes, and their count on top.
    std::array<quint32, 256> m_utf8Of{};
};

// Decodes UTF-8 bytes as the rows hold them into out, reusing its storage:
// sorts decode half a million cells, and a fresh string for each cost more
// than the decoding.
void decodeCell(QByteArrayView bytes, QString &out);

} // namespace velmora
