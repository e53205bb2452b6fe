#pragma once

#include "finding/FoundList.h"
#include "storage/CdRecords.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

namespace velmora {

class Table;
class TableHandles;

// The song search's result table: one row per track of cd02.dbf with its
// title's lent state. Hundreds of thousands of rows open in a moment only
// when they are small, so the names lie one after another in one text, the
// numbers, labels and styles, which repeat, are kept once, and what no pane
// shows (the length, the artist) is not kept. The upper-case form of a
// name is not kept either: searches fold as they compare.
class SongTable
{
public:
    int size() const { return int(m_rows.size()); }
    QStringView name(int row) const
    {
        const Row &r = m_rows[size_t(row)];
        return QStringView(m_names).mid(r.nameStart, r.nameLength);
    }
    const QString &number(int row) const { return m_numbers[m_rows[size_t(row)].title]; }
    const QString &label(int row) const { return m_values[m_rows[size_t(row)].label]; }
    const QString &style(int row) const { return m_values[m_rows[size_t(row)].style]; }
    int trackNumber(int row) const { return m_rows[size_t(row)].track; }
    bool lent(int row) const { return m_lent[size_t(m_rows[size_t(row)].title)]; }
    // Appends a track; its title's lent state is given with its number.
    void append(const QString &number, const QString &label, int trackNumber, QStringView name,
                const QString &style, bool lent);

    // Where a style stands among the kept values; -1 when no row has it.
    int styleId(const QString &style) const { return m_ids.value(style, -1); }
    int styleIdOf(int row) const { return m_rows[size_t(row)].style; }
    int titleIdOf(int row) const { return m_rows[size_t(row)].title; }
    void reserve(int rows);

private:
    struct Row
    {
        int nameStart = 0;
        quint16 nameLength = 0;
        qint16 track = 0;
        int title = 0;
        int label = 0, style = 0;
    };
    // The id of a value; the last one asked for is remembered, as the next
    // track mostly repeats it.
    int idOf(const QString &value, QString &last, int &lastId);

    std::vector<Row> m_rows;
    QString m_names;
    QStringList m_numbers; // title numbers in order of first appearance
    std::vector<bool> m_lent;
    QStringList m_values; // labels and styles
    QHash<QString, int> m_ids;
    QString m_lastLabel, m_lastStyle;
    int m_lastLabelId = -1, m_lastStyleId = -1;
};

// The criteria as one positional string "text|style|number"; "*" means any.
struct SongCriteria
{
    QString text = QStringLiteral("*");
    QString style = QStringLiteral("*");
    QString number = QStringLiteral("*");

    QString toString() const;
    static SongCriteria parse(const QString &criteria);
};

// Builds the result table from the open track table in its current order
// (cislocd keeps a title's tracks together, in the order they were
// stored) and the open title table, which tells each title's lent state; a
// title that is missing there counts as at home.
SongTable buildSongTable(const Table &tracks, const Table &titles);

// The predicate of one row; a case-insensitive search gives the text
// folded already (see runSongSearch).
bool songMatches(const SongTable &table, int row, const SongCriteria &criteria, bool caseSensitive);

struct SongSearchResult
{
    std::vector<int> rows; // indexes of passing rows, in result order
    FoundList titles;      // the found-title list; items counts every title
    int lentTitles = 0;    // of the titles, those away from home
};

// Runs a search as the screen does: folds the text when case-insensitive,
// filters the rows, counts the titles and collects the found-title list.
SongSearchResult runSongSearch(const SongTable &table, SongCriteria criteria, bool caseSensitive);

// The found tracks of one title: the rows of the last search that also meet
// the criteria's number, in result order.
std::vector<int> tracksOfTitle(const SongTable &table, const SongSearchResult &found,
                               SongCriteria criteria, bool caseSensitive);

// Whether each title of the found list is lent.
std::vector<bool> lentTitles(const SongTable &table, const SongSearchResult &found);

// The result table over the catalogue: cd02.dbf unfiltered in the cislocd
// order (opened read-only when closed), the lent states from cd01.dbf.
SongTable loadSongCatalogue(TableHandles &tables);
// The track table as the search leaves it: unfiltered and closed.
void endSongSearch(TableHandles &tables);

} // namespace velmora
