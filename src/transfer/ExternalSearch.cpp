#include "transfer/ExternalSearch.h"
#include "engine/DbError.h"

#include "engine/Table.h"
#include "storage/CdRecords.h"
#include "storage/Records.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <iterator>

namespace velmora::exchange {
namespace {

const QString kAny = QStringLiteral("*");

// Opens the table of every catalogue of the register in turn and hands it
// to read. A catalogue that cannot be read is listed and left out; the
// others are read all the same.
template <typename Read>
void readCatalogues(Catalogue catalogue, const QString &tableName, ExternalTotals &totals,
                    Read read)
{
    const QList<RegisterEntry> entries = readRegister(catalogue);
    totals.registered = int(entries.size());
    for (const RegisterEntry &e : entries) {
        const QString owner = catalogue == Catalogue::Cds ? cdOwner(e.user) : e.user;
        const QString path = e.toSource + QLatin1Char('/') + tableName;
        if (e.toSource.isEmpty() || !QFileInfo(e.toSource).isDir()) {
            totals.skipped.append({owner, QDir::toNativeSeparators(e.toSource),
                                   QStringLiteral("adresář neexistuje")});
            continue;
        }
        if (!QFileInfo::exists(path)) {
            totals.skipped.append(
                {owner, QDir::toNativeSeparators(path), QStringLiteral("soubor neexistuje")});
            continue;
        }
        try {
            Table t;
            t.setPath(path);
            t.open(Table::Mode::ReadOnly);
            read(owner, t);
            t.close();
        } catch (const std::exception &err) {
            totals.skipped.append({owner, QDir::toNativeSeparators(path), errorText(err)});
        }
    }
}

// The owner's position among the owners of a result table, added when new.
int ownerIndex(ExternalTotals &totals, const QString &owner)
{
    // Catalogues are read owner by owner: the last one is mostly the one.
    if (!totals.owners.isEmpty() && totals.owners.constLast() == owner)
        return int(totals.owners.size() - 1);
    totals.owners << owner;
    return int(totals.owners.size() - 1);
}

// Keeps the rows of one owner (any owner for "*") and collects the distinct
// owners of the rows kept. Rows of one owner stand together; two catalogues
// whose owners read the same (cut CD owners) still give one node.
void keepOwner(ExternalSearchResult &out, std::vector<int> rows, const std::vector<int> &ownerOf,
               const QStringList &owners, const QString &owner)
{
    if (owner != kAny) {
        std::erase_if(rows, [&](int row) { return owners[ownerOf[size_t(row)]] != owner; });
    }
    out.rows = std::move(rows);
    FoundCollector found;
    QSet<QString> seen;
    int previous = -1;
    for (const int row : out.rows) {
        const int o = ownerOf[size_t(row)];
        if (o == previous)
            continue;
        previous = o;
        const QString &name = owners[o];
        if (seen.contains(name))
            continue;
        seen.insert(name);
        found.add(name);
    }
    out.owners = found.take();
}

QString folded(const QString &text, bool caseSensitive)
{
    return caseSensitive || text == kAny ? text : upperCp1250(text);
}

} // namespace

QString cdOwner(const QString &user)
{
    QString out = user.left(kCdOwnerLength);
    while (out.endsWith(QLatin1Char(' ')))
        out.chop(1);
    return out;
}

QString skippedText(const QList<SkippedCatalogue> &skipped)
{
    QString text = QStringLiteral("Tyto externí databáze nelze přečíst, hledá se bez nich:");
    for (const SkippedCatalogue &s : skipped)
        text += QStringLiteral("\n%1: %2 (%3)").arg(s.owner, s.file, s.reason);
    text += QStringLiteral("\nSoubory byly zřejmě smazány nebo přesunuty. Databázi lze znovu "
                           "importovat ve správci externích databází.");
    return text;
}

// --- Films.

// The owner stands in the place of the own search's cassette number.
QString ExternalFilmCriteria::toString() const
{
    return FilmCriteria{FilmAsked(*this), owner}.toString();
}

ExternalFilmCriteria ExternalFilmCriteria::parse(const QString &criteria)
{
    const FilmCriteria c = FilmCriteria::parse(criteria);
    return {FilmAsked(c), c.number};
}

FilmCriteria ExternalFilmCriteria::film() const
{
    return {FilmAsked(*this), kAny};
}

void appendExternalFilms(ExternalFilms &films, const QString &owner, const Table &cassettes)
{
    // Read whole before anything is added: a catalogue that fails half way
    // leaves no rows behind.
    std::vector<FilmRow> rows = buildFilmRows(cassettes);
    const int o = ownerIndex(films.totals, owner);
    films.totals.items += cassettes.recordCount();
    films.totals.rows += int(rows.size());
    films.ownerOf.insert(films.ownerOf.end(), rows.size(), o);
    films.rows.insert(films.rows.end(), std::make_move_iterator(rows.begin()),
                      std::make_move_iterator(rows.end()));
}

ExternalFilms buildExternalFilms()
{
    ExternalFilms films;
    readCatalogues(
        Catalogue::Cassettes, QStringLiteral("data.dbf"), films.totals,
        [&films](const QString &owner, const Table &t) { appendExternalFilms(films, owner, t); });
    return films;
}

bool externalFilmMatches(const ExternalFilms &films, int row, const ExternalFilmCriteria &c,
                         bool caseSensitive)
{
    if (c.owner != kAny && films.owner(row) != c.owner)
        return false;
    return filmMatches(films.rows[size_t(row)], c.film(), caseSensitive);
}

ExternalSearchResult runExternalFilmSearch(const ExternalFilms &films,
                                           const ExternalFilmCriteria &criteria, bool caseSensitive)
{
    ExternalSearchResult out;
    FilmSearchResult found = runFilmSearch(films.rows, criteria.film(), caseSensitive);
    keepOwner(out, std::move(found.rows), films.ownerOf, films.totals.owners, criteria.owner);
    return out;
}

std::vector<int> filmsOfOwner(const ExternalFilms &films, const ExternalSearchResult &found,
                              const ExternalFilmCriteria &criteria, bool caseSensitive)
{
    // The rows passed the other criteria already; testing them again keeps
    // the predicate whole.
    ExternalFilmCriteria c = criteria;
    c.text = folded(c.text, caseSensitive);
    std::vector<int> out;
    for (const int row : found.rows)
        if (externalFilmMatches(films, row, c, caseSensitive))
            out.push_back(row);
    return out;
}

// --- Songs.

// The owner stands in the place of the own search's title number.
QString ExternalSongCriteria::toString() const
{
    return SongCriteria{text, style, owner}.toString();
}

ExternalSongCriteria ExternalSongCriteria::parse(const QString &criteria)
{
    const SongCriteria c = SongCriteria::parse(criteria);
    return {c.text, c.style, c.number};
}

SongCriteria ExternalSongCriteria::song() const
{
    return {text, style, kAny};
}

int appendExternalSongs(ExternalSongs &songs, const QString &owner, const Table &tracks)
{
    struct Track
    {
        QString number, label, name, style;
        int track;
    };
    // Read whole before anything is added, as the films are.
    const CdTrackColumns c(tracks);
    const std::vector<int> records = tracks.visibleRecords();
    std::vector<Track> read;
    read.reserve(records.size());
    for (const int rec : records)
        read.push_back({tracks.asStringAt(rec, c.number),
                        trackLabel(tracks.asStringAt(rec, c.label)),
                        tracks.asStringAt(rec, c.title), tracks.asStringAt(rec, c.style),
                        tracks.asStringAt(rec, c.track).trimmed().toInt()});

    const int o = ownerIndex(songs.totals, owner);
    // A title is counted once however its tracks lie in the table; tracks
    // of one title mostly follow each other.
    QSet<QString> titles;
    QString previous;
    for (const Track &t : read) {
        if (titles.isEmpty() || t.number != previous) {
            titles.insert(t.number);
            previous = t.number;
        }
        songs.tracks.append(t.number, t.label, t.track, t.name, t.style, false);
    }
    songs.ownerOf.insert(songs.ownerOf.end(), read.size(), o);
    songs.totals.items += int(titles.size());
    songs.totals.rows += int(read.size());
    return int(titles.size());
}

ExternalSongs buildExternalSongs()
{
    ExternalSongs songs;
    readCatalogues(
        Catalogue::Cds, QStringLiteral("cd02.dbf"), songs.totals,
        [&songs](const QString &owner, const Table &t) { appendExternalSongs(songs, owner, t); });
    return songs;
}

bool externalSongMatches(const ExternalSongs &songs, int row, const ExternalSongCriteria &c,
                         bool caseSensitive)
{
    if (c.owner != kAny && songs.owner(row) != c.owner)
        return false;
    return songMatches(songs.tracks, row, c.song(), caseSensitive);
}

ExternalSearchResult runExternalSongSearch(const ExternalSongs &songs,
                                           const ExternalSongCriteria &criteria, bool caseSensitive)
{
    ExternalSearchResult out;
    SongSearchResult found = runSongSearch(songs.tracks, criteria.song(), caseSensitive);
    keepOwner(out, std::move(found.rows), songs.ownerOf, songs.totals.owners, criteria.owner);
    return out;
}

std::vector<int> tracksOfOwner(const ExternalSongs &songs, const ExternalSearchResult &found,
                               const ExternalSongCriteria &criteria, bool caseSensitive)
{
    ExternalSongCriteria c = criteria;
    c.text = folded(c.text, caseSensitive);
    std::vector<int> out;
    for (const int row : found.rows)
        if (externalSongMatches(songs, row, c, caseSensitive))
            out.push_back(row);
    return out;
}

} // namespace velmora::exchange
