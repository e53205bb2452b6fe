#pragma once

#include "search/SearchResults.h"
#include "storage/CdRecords.h"

#include <QString>
#include <vector>

namespace velmora {

class Table;

// One track of the song search's result table, with its title's lent
// state. The name's upper-case form is not kept: searches fold the name as
// they compare (see FilmRow).
struct SongRow
{
    CdTrack track;
    bool pujceno = false;
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
std::vector<SongRow> buildSongRows(const Table &tracks, const Table &titles);

// The predicate of one row; a case-insensitive search gives the text
// folded already (see runSongSearch).
bool songMatches(const SongRow &row, const SongCriteria &criteria, bool caseSensitive);

struct SongSearchResult
{
    std::vector<int> rows; // indexes of passing rows, in result order
    FoundList titles;      // the found-title list; items counts every title
    int lentTitles = 0;    // of the titles, those away from home
};

// Runs a search as the screen does: folds the text when case-insensitive,
// filters the rows, counts the titles and collects the found-title list.
SongSearchResult runSongSearch(const std::vector<SongRow> &rows, SongCriteria criteria,
                               bool caseSensitive);

// The found tracks of one title: the rows of the last search that also meet
// the criteria's number, in result order.
std::vector<const SongRow *> tracksOfTitle(const std::vector<SongRow> &rows,
                                           const SongSearchResult &found, SongCriteria criteria,
                                           bool caseSensitive);

// Whether each title of the list is lent, as the result table knows it.
std::vector<bool> lentTitles(const std::vector<SongRow> &rows, const SongSearchResult &found);

} // namespace velmora
