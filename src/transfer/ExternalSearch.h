#pragma once

// The searches over the catalogues imported from other users: one result
// table over every imported catalogue, each row knowing its owner, the
// film and song predicates of the own searches with the owner as one more
// criterion, and the list of owners whose catalogues hold what was found.

#include "finding/FilmSearch.h"
#include "finding/FoundList.h"
#include "finding/SongSearch.h"
#include "transfer/ExchangeFiles.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace velmora::exchange {

// A track's owner stands in the CD result table cut to this many characters.
inline constexpr int kCdOwnerLength = 20;

// The owner as the CD result table keeps it: its first 20 characters, less
// the blanks a string field of that width would not give back.
QString cdOwner(const QString &user);

// A catalogue of the register that could not be read: its owner and the
// file that is missing or unreadable, with the reason.
struct SkippedCatalogue
{
    QString owner;
    QString file;
    QString reason;
};

// The text telling the user which catalogues the search goes without.
QString skippedText(const QList<SkippedCatalogue> &skipped);

// What every result table holds besides its rows: the owners in the order
// of the register (the rows refer to them by position) and the counts of
// the screen's header.
struct ExternalTotals
{
    QStringList owners;
    int registered = 0; // register records
    int items = 0;      // cassettes, or CD titles
    int rows = 0;       // films, or tracks
    QList<SkippedCatalogue> skipped;
};

// --- Films.

// One row per filled recording slot of every imported cassette catalogue,
// owner by owner in register order, each catalogue in its stored order.
// The lent state of a row means nothing here.
struct ExternalFilms
{
    std::vector<FilmRow> rows;
    std::vector<int> ownerOf; // per row, the position in totals.owners
    ExternalTotals totals;

    const QString &owner(int row) const { return totals.owners[ownerOf[size_t(row)]]; }
};

// "text|genre|speed|owner"; "*" means any.
struct ExternalFilmCriteria : FilmAsked
{
    QString owner = QStringLiteral("*");

    QString toString() const;
    static ExternalFilmCriteria parse(const QString &criteria);
    // The same without the owner, for the own search's predicate.
    FilmCriteria film() const;
};

// Reads the register and every catalogue it names. A catalogue whose
// directory or table is missing or cannot be read is left out and listed in
// totals.skipped; it still counts among the registered owners.
ExternalFilms buildExternalFilms();
// The rows of one catalogue's table, appended under the owner given.
void appendExternalFilms(ExternalFilms &films, const QString &owner, const Table &cassettes);

bool externalFilmMatches(const ExternalFilms &films, int row, const ExternalFilmCriteria &criteria,
                         bool caseSensitive);

struct ExternalSearchResult
{
    std::vector<int> rows; // passing rows in result order
    FoundList owners;      // the distinct owners of the passing rows
};

// Runs a search as the screen does: folds the text when case-insensitive,
// filters the rows and collects the found-owner list.
ExternalSearchResult runExternalFilmSearch(const ExternalFilms &films,
                                           const ExternalFilmCriteria &criteria,
                                           bool caseSensitive);

// The found films of one owner: the rows of the last search that also meet
// the criteria's owner, in result order.
std::vector<int> filmsOfOwner(const ExternalFilms &films, const ExternalSearchResult &found,
                              const ExternalFilmCriteria &criteria, bool caseSensitive);

// --- Songs.

// One row per track of every imported CD catalogue, owner by owner in
// register order, each catalogue's tracks in their stored order. Owners are
// kept cut (cdOwner).
struct ExternalSongs
{
    SongTable tracks;
    std::vector<int> ownerOf;
    ExternalTotals totals;

    const QString &owner(int row) const { return totals.owners[ownerOf[size_t(row)]]; }
};

// "text|style|owner"; "*" means any.
struct ExternalSongCriteria
{
    QString text = QStringLiteral("*");
    QString style = QStringLiteral("*");
    QString owner = QStringLiteral("*");

    QString toString() const;
    static ExternalSongCriteria parse(const QString &criteria);
    SongCriteria song() const;
};

ExternalSongs buildExternalSongs();
// The tracks of one catalogue's cd02.dbf; returns how many titles they hold.
int appendExternalSongs(ExternalSongs &songs, const QString &owner, const Table &tracks);

bool externalSongMatches(const ExternalSongs &songs, int row, const ExternalSongCriteria &criteria,
                         bool caseSensitive);

ExternalSearchResult runExternalSongSearch(const ExternalSongs &songs,
                                           const ExternalSongCriteria &criteria,
                                           bool caseSensitive);

std::vector<int> tracksOfOwner(const ExternalSongs &songs, const ExternalSearchResult &found,
                               const ExternalSongCriteria &criteria, bool caseSensitive);

} // namespace velmora::exchange
