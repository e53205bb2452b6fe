#include "search/SongSearch.h"

#include "engine/Table.h"
#include "search/FilmSearch.h"

#include <QHash>
#include <QSet>

namespace velmora {
namespace {

const QString kAny = QStringLiteral("*");

// Labels, styles and artists repeat over thousands of tracks: every row of
// one value shares one string.
const QString &shared(QSet<QString> &known, const QString &value)
{
    auto it = known.constFind(value);
    if (it == known.constEnd())
        it = known.insert(value);
    return *it;
}

SongCriteria folded(SongCriteria c, bool caseSensitive)
{
    if (!caseSensitive && c.text != kAny)
        c.text = upperAscii(c.text);
    return c;
}

} // namespace

QString SongCriteria::toString() const
{
    return text + QLatin1Char('|') + style + QLatin1Char('|') + number;
}

SongCriteria SongCriteria::parse(const QString &criteria)
{
    SongCriteria c;
    c.text = criteriaField(criteria, 1);
    c.style = criteriaField(criteria, 2);
    c.number = criteriaField(criteria, 3);
    return c;
}

std::vector<SongRow> buildSongRows(const Table &tracks, const Table &titles)
{
    // The lent state of each title, from the first record holding its number.
    QHash<QString, bool> lent;
    {
        const CdTitleColumns c(titles);
        const std::vector<int> records = titles.visibleRecords();
        lent.reserve(qsizetype(records.size()));
        for (const int rec : records) {
            const QString n = titles.asStringAt(rec, c.number);
            if (!lent.contains(n))
                lent.insert(n, c.loan.lentAt(titles, rec));
        }
    }

    const CdTrackColumns c(tracks);
    const std::vector<int> records = tracks.visibleRecords();
    std::vector<SongRow> rows;
    rows.reserve(records.size());
    QSet<QString> labels, styles, artists;
    QString number;
    bool numberLent = false;
    for (const int rec : records) {
        SongRow &r = rows.emplace_back();
        CdTrack &t = r.track;
        t.number = tracks.asStringAt(rec, c.number);
        if (t.number != number) {
            number = t.number;
            numberLent = lent.value(number, false);
        } else {
            t.number = number; // one string for the title's tracks
        }
        t.label = shared(labels, tracks.asStringAt(rec, c.label));
        t.track = tracks.asStringAt(rec, c.track).trimmed().toInt();
        t.title = tracks.asStringAt(rec, c.title);
        t.seconds = tracks.asStringAt(rec, c.seconds).trimmed().toInt();
        t.style = shared(styles, tracks.asStringAt(rec, c.style));
        t.artist = shared(artists, tracks.asStringAt(rec, c.artist));
        r.pujceno = numberLent;
    }
    return rows;
}

bool songMatches(const SongRow &row, const SongCriteria &c, bool caseSensitive)
{
    const CdTrack &t = row.track;
    if (c.text != kAny) {
        if (caseSensitive ? !t.title.contains(c.text) : !containsUpperAscii(t.title, c.text))
            return false;
    }
    if (c.style != kAny && t.style != c.style)
        return false;
    if (c.number != kAny && t.number != c.number)
        return false;
    return true;
}

SongSearchResult runSongSearch(const std::vector<SongRow> &rows, SongCriteria criteria,
                               bool caseSensitive)
{
    criteria = folded(criteria, caseSensitive);
    SongSearchResult out;
    FoundCollector titles;
    for (int i = 0; i < int(rows.size()); ++i) {
        const SongRow &r = rows[size_t(i)];
        if (!songMatches(r, criteria, caseSensitive))
            continue;
        out.rows.push_back(i);
        if (titles.add(r.track.number) && r.pujceno)
            ++out.lentTitles;
    }
    out.titles = titles.take();
    return out;
}

std::vector<const SongRow *> tracksOfTitle(const std::vector<SongRow> &rows,
                                           const SongSearchResult &found, SongCriteria criteria,
                                           bool caseSensitive)
{
    criteria = folded(criteria, caseSensitive);
    std::vector<const SongRow *> out;
    for (const int i : found.rows) {
        const SongRow &r = rows[size_t(i)];
        if (songMatches(r, criteria, caseSensitive))
            out.push_back(&r);
    }
    return out;
}

std::vector<bool> lentTitles(const std::vector<SongRow> &rows, const SongSearchResult &found)
{
    QHash<QString, bool> lent;
    for (const int i : found.rows)
        lent.insert(rows[size_t(i)].track.number, rows[size_t(i)].pujceno);
    std::vector<bool> out;
    out.reserve(size_t(found.titles.numbers.size()));
    for (const QString &n : found.titles.numbers)
        out.push_back(lent.value(n, false));
    return out;
}

} // namespace velmora
