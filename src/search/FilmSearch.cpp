#include "search/FilmSearch.h"

#include "engine/Table.h"

namespace velmora {

QString FilmCriteria::toString() const
{
    return text + QLatin1Char('|') + genre + QLatin1Char('|') + speed + QLatin1Char('|') + number;
}

QString criteriaField(const QString &criteria, int k)
{
    const QStringList parts = criteria.split(QLatin1Char('|'));
    return k >= 1 && k <= parts.size() ? parts.at(k - 1) : QString();
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

QString upperAscii(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return out;
}

std::vector<FilmRow> buildFilmRows(Table &cassettes)
{
    std::vector<FilmRow> rows;
    const int cislo = cassettes.requireField(QStringLiteral("cislo"));
    const int pujceno = cassettes.requireField(QStringLiteral("pujceno"));
    int film[5], zanr[5], ry[5];
    for (int n = 0; n < 5; ++n) {
        const QString s = QString::number(n + 1);
        film[n] = cassettes.requireField(QStringLiteral("film") + s);
        zanr[n] = cassettes.requireField(QStringLiteral("zanr") + s);
        ry[n] = cassettes.requireField(QStringLiteral("ry") + s);
    }
    const std::vector<int> records = cassettes.visibleRecords();
    rows.reserve(records.size() * 2);
    for (const int rec : records) {
        const QString number = cassettes.asStringAt(rec, cislo);
        const bool lent = cassettes.asStringAt(rec, pujceno) == QLatin1String("True");
        for (int n = 0; n < 5; ++n) {
            QString title = cassettes.asStringAt(rec, film[n]);
            if (title.isEmpty())
                continue;
            FilmRow r;
            r.cislo = number;
            r.filmUpper = upperAscii(title);
            r.film = std::move(title);
            r.zanr = cassettes.asStringAt(rec, zanr[n]);
            r.rychl = cassettes.asStringAt(rec, ry[n]);
            r.pujceno = lent;
            rows.push_back(std::move(r));
        }
    }
    return rows;
}

bool filmMatches(const FilmRow &row, const FilmCriteria &c, bool caseSensitive)
{
    if (c.text != QLatin1String("*")) {
        if (caseSensitive ? !row.film.contains(c.text) : !row.filmUpper.contains(c.text))
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
        criteria.text = upperAscii(criteria.text);
    FilmSearchResult out;
    QString previous;
    bool first = true;
    for (int i = 0; i < int(rows.size()); ++i) {
        const FilmRow &r = rows[size_t(i)];
        if (!filmMatches(r, criteria, caseSensitive))
            continue;
        out.rows.push_back(i);
        if (first || r.cislo != previous) {
            if (out.cassettes.size() < kFoundListLimit)
                out.cassettes << r.cislo;
            else
                out.cassettesCut = true;
        }
        previous = r.cislo;
        first = false;
    }
    return out;
}

} // namespace velmora
