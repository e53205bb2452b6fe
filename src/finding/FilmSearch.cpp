#include "finding/FilmSearch.h"

#include "engine/Table.h"
#include "storage/Records.h"
#include "storage/TableHandles.h"

#include <QSet>

namespace velmora {

QString FilmCriteria::toString() const
{
    return text + QLatin1Char('|') + genre + QLatin1Char('|') + speed + QLatin1Char('|') + number;
}

FilmCriteria FilmCriteria::parse(const QString &criteria)
{
    FilmCriteria c;
    c.text = criteriaField(criteria, 1);
    c.genre = criteriaField(criteria, 2);
    c.speed = criteriaField(criteria, 3);
    c.number = criteriaField(criteria, 4);
    return c;
}

namespace {

// Genres and speeds come from short lists: every row of one value shares
// one string.
const QString &shared(QSet<QString> &known, const QString &value)
{
    auto it = known.constFind(value);
    if (it == known.constEnd())
        it = known.insert(value);
    return *it;
}

} // namespace

std::vector<FilmRow> buildFilmRows(const Table &cassettes)
{
    std::vector<FilmRow> rows;
    const CassetteColumns c(cassettes);
    const std::vector<int> records = cassettes.visibleRecords();
    // Room for every slot; the pages of rows never filled are never touched.
    rows.reserve(records.size() * c.recordings.size());
    QSet<QString> genres, speeds;
    for (const int rec : records) {
        const QString number = cassettes.asStringAt(rec, c.number);
        const bool lent = c.loan.lentAt(cassettes, rec);
        for (const CassetteColumns::Slot &slot : c.recordings) {
            QString title = cassettes.asStringAt(rec, slot.title);
            if (title.isEmpty())
                continue;
            FilmRow &r = rows.emplace_back();
            r.cislo = number;
            r.film = std::move(title);
            r.zanr = shared(genres, cassettes.asStringAt(rec, slot.genre));
            r.rychl = shared(speeds, cassettes.asStringAt(rec, slot.speed));
            r.pujceno = lent;
        }
    }
    return rows;
}

bool filmMatches(const FilmRow &row, const FilmCriteria &c, bool caseSensitive)
{
    if (c.text != QLatin1String("*")) {
        if (caseSensitive ? !row.film.contains(c.text) : !containsUpperCp1250(row.film, c.text))
            return false;
    }
    if (c.genre != QLatin1String("*") && row.zanr != c.genre)
        return false;
    if (c.speed != QLatin1String("*") && row.rychl != c.speed)
        return false;
    if (c.number != QLatin1String("*") && row.cislo != c.number)
        return false;
    return true;
}

FilmSearchResult runFilmSearch(const std::vector<FilmRow> &rows, FilmCriteria criteria,
                               bool caseSensitive)
{
    if (!caseSensitive && criteria.text != QLatin1String("*"))
        criteria.text = upperCp1250(criteria.text);
    FilmSearchResult out;
    FoundCollector found;
    for (int i = 0; i < int(rows.size()); ++i) {
        const FilmRow &r = rows[size_t(i)];
        if (!filmMatches(r, criteria, caseSensitive))
            continue;
        out.rows.push_back(i);
        found.add(r.cislo);
    }
    out.cassettes = found.take();
    return out;
}

std::vector<const FilmRow *> filmsOfCassette(const std::vector<FilmRow> &rows,
                                             const FilmSearchResult &found, FilmCriteria criteria,
                                             bool caseSensitive)
{
    // The rows passed the first three criteria already; folding the text
    // again keeps the predicate whole.
    if (!caseSensitive && criteria.text != QLatin1String("*"))
        criteria.text = upperCp1250(criteria.text);
    std::vector<const FilmRow *> films;
    for (const int i : found.rows) {
        const FilmRow &r = rows[size_t(i)];
        if (filmMatches(r, criteria, caseSensitive))
            films.push_back(&r);
    }
    return films;
}

std::vector<bool> lentStates(const Table &cassettes, const QStringList &numbers)
{
    QHash<QString, bool> lent;
    lent.reserve(numbers.size());
    QSet<QString> wanted(numbers.cbegin(), numbers.cend());
    const CassetteColumns c(cassettes);
    for (const int rec : cassettes.visibleRecords()) {
        if (wanted.isEmpty())
            break;
        const QString n = cassettes.asStringAt(rec, c.number);
        if (wanted.remove(n))
            lent.insert(n, c.loan.lentAt(cassettes, rec));
    }
    std::vector<bool> out;
    out.reserve(size_t(numbers.size()));
    for (const QString &n : numbers)
        out.push_back(lent.value(n, false));
    return out;
}

FilmCatalogue loadFilmCatalogue(TableHandles &tables)
{
    Table &data = tables.Table1;
    data.setFiltered(false);
    FilmCatalogue c;
    c.rows = buildFilmRows(data);
    c.cassettes = data.recordCount();
    return c;
}

void endFilmSearch(TableHandles &tables)
{
    Table &data = tables.Table1;
    if (data.filtered())
        data.setFiltered(false);
}

std::vector<bool> cassettesLent(TableHandles &tables, const QStringList &numbers)
{
    return lentStates(tables.Table1, numbers);
}

} // namespace velmora
