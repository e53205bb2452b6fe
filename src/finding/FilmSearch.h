#pragma once

#include "finding/FoundList.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace velmora {

class Table;
class TableHandles;

// One film of the film search's result table: a filled recording slot.
// The title's upper-case form (film_v: every cp1250 letter with a capital folded) is
// not kept: searches fold the title as they compare, which half a million
// rows open faster for.
struct FilmRow
{
    QString cislo;
    QString film;
    QString zanr;
    QString rychl;
    bool pujceno = false;
};

// What is asked of a film, alike in the own search and in the one over
// imported catalogues; a field "*" means any.
struct FilmAsked
{
    QString text = QStringLiteral("*");
    QString genre = QStringLiteral("*");
    QString speed = QStringLiteral("*");
};

// The search criteria as one positional string "text|genre|speed|number";
// a field "*" means any.
struct FilmCriteria : FilmAsked
{
    QString number = QStringLiteral("*");

    QString toString() const;
    static FilmCriteria parse(const QString &criteria);
};

// Builds the result table from the open cassette table in its current
// order, slot by slot; returns the rows.
std::vector<FilmRow> buildFilmRows(const Table &cassettes);

// The predicate of one row. Case-insensitive searches compare the folded
// search text with the folded title; the caller folds the text (see
// runFilmSearch).
bool filmMatches(const FilmRow &row, const FilmCriteria &criteria, bool caseSensitive);

struct FilmSearchResult
{
    std::vector<int> rows; // indexes of passing rows, in result order
    FoundList cassettes;   // the found-cassette list
};

// Runs a search as the screen does: folds the text when case-insensitive,
// filters the rows and collects the found-cassette list.
FilmSearchResult runFilmSearch(const std::vector<FilmRow> &rows, FilmCriteria criteria,
                               bool caseSensitive);

// The found films of one cassette: the rows of the last search that also
// meet the criteria's number, in result order.
std::vector<const FilmRow *> filmsOfCassette(const std::vector<FilmRow> &rows,
                                             const FilmSearchResult &found, FilmCriteria criteria,
                                             bool caseSensitive);

// Whether each of the numbers is lent: the first record holding it in the
// table's order tells; a number no record holds counts as at home. One pass
// over the table serves the whole list.
std::vector<bool> lentStates(const Table &cassettes, const QStringList &numbers);

// The film search over the catalogue's data.dbf as it stands open: every
// cassette counted and the rows built, whatever a screen had filtered.
struct FilmCatalogue
{
    int cassettes = 0;
    std::vector<FilmRow> rows;
};
FilmCatalogue loadFilmCatalogue(TableHandles &tables);
// Lifts a filter left on data.dbf when the search closes.
void endFilmSearch(TableHandles &tables);
// lentStates over the catalogue's data.dbf.
std::vector<bool> cassettesLent(TableHandles &tables, const QStringList &numbers);

} // namespace velmora
