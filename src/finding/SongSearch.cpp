#include "finding/SongSearch.h"

#include "engine/Table.h"
#include "storage/TableHandles.h"

namespace velmora {
namespace {

const QString kAny = QStringLiteral("*");

SongCriteria folded(SongCriteria c, bool caseSensitive)
{
    if (!caseSensitive && c.text != kAny)
        c.text = upperCp1250(c.text);
    return c;
}

// The style and number of the criteria resolved once for a whole walk.
struct Resolved
{
    explicit Resolved(const SongTable &table, const SongCriteria &c, bool caseSensitive)
        : c(c), caseSensitive(caseSensitive), anyText(c.text == kAny), anyStyle(c.style == kAny),
          anyNumber(c.number == kAny), style(anyStyle ? -1 : table.styleId(c.style))
    {
    }
    bool matches(const SongTable &t, int row) const
    {
        if (!anyText) {
            const QStringView name = t.name(row);
            if (caseSensitive ? !name.contains(c.text) : !containsUpperCp1250(name, c.text))
                return false;
        }
        if (!anyStyle && t.styleIdOf(row) != style)
            return false;
        if (!anyNumber && t.number(row) != c.number)
            return false;
        return true;
    }
    const SongCriteria &c;
    bool caseSensitive, anyText, anyStyle, anyNumber;
    int style;
};

} // namespace

void SongTable::reserve(int rows)
{
    m_rows.reserve(size_t(rows));
    // Names are short; the text grows beyond this when they are not.
    m_names.reserve(qsizetype(rows) * 32);
}

int SongTable::idOf(const QString &value, QString &last, int &lastId)
{
    if (lastId >= 0 && value == last)
        return lastId;
    auto it = m_ids.constFind(value);
    if (it == m_ids.constEnd()) {
        m_values << value;
        it = m_ids.insert(value, int(m_values.size() - 1));
    }
    last = value;
    lastId = *it;
    return lastId;
}

void SongTable::append(const QString &number, const QString &label, int trackNumber,
                       QStringView name, const QString &style, bool lent)
{
    Row r;
    if (m_numbers.isEmpty() || m_numbers.constLast() != number) {
        m_numbers << number;
        m_lent.push_back(lent);
    }
    r.title = int(m_numbers.size() - 1);
    r.nameStart = int(m_names.size());
    r.nameLength = quint16(qMin<qsizetype>(name.size(), 0xFFFF));
    m_names.append(name.left(r.nameLength));
    r.track = qint16(qBound(-32768, trackNumber, 32767));
    r.label = idOf(label, m_lastLabel, m_lastLabelId);
    r.style = idOf(style, m_lastStyle, m_lastStyleId);
    m_rows.push_back(r);
}

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

SongTable buildSongTable(const Table &tracks, const Table &titles)
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
    SongTable table;
    table.reserve(int(records.size()));
    QString number;
    bool numberLent = false;
    for (const int rec : records) {
        const QString n = tracks.asStringAt(rec, c.number);
        if (n != number) {
            number = n;
            numberLent = lent.value(number, false);
        }
        table.append(number, trackLabel(tracks.asStringAt(rec, c.label)),
                     tracks.asStringAt(rec, c.track).trimmed().toInt(),
                     tracks.asStringAt(rec, c.title), tracks.asStringAt(rec, c.style), numberLent);
    }
    return table;
}

bool songMatches(const SongTable &table, int row, const SongCriteria &criteria, bool caseSensitive)
{
    return Resolved(table, criteria, caseSensitive).matches(table, row);
}

SongSearchResult runSongSearch(const SongTable &table, SongCriteria criteria, bool caseSensitive)
{
    criteria = folded(criteria, caseSensitive);
    const Resolved test(table, criteria, caseSensitive);
    SongSearchResult out;
    FoundCollector titles;
    for (int i = 0; i < table.size(); ++i) {
        if (!test.matches(table, i))
            continue;
        out.rows.push_back(i);
        if (titles.add(table.number(i)) && table.lent(i))
            ++out.lentTitles;
    }
    out.titles = titles.take();
    return out;
}

std::vector<int> tracksOfTitle(const SongTable &table, const SongSearchResult &found,
                               SongCriteria criteria, bool caseSensitive)
{
    criteria = folded(criteria, caseSensitive);
    const Resolved test(table, criteria, caseSensitive);
    std::vector<int> out;
    for (const int i : found.rows)
        if (test.matches(table, i))
            out.push_back(i);
    return out;
}

std::vector<bool> lentTitles(const SongTable &table, const SongSearchResult &found)
{
    QHash<QString, bool> lent;
    int previous = -1;
    for (const int i : found.rows) {
        if (table.titleIdOf(i) == previous)
            continue;
        previous = table.titleIdOf(i);
        lent.insert(table.number(i), table.lent(i));
    }
    std::vector<bool> out;
    out.reserve(size_t(found.titles.numbers.size()));
    for (const QString &n : found.titles.numbers)
        out.push_back(lent.value(n, false));
    return out;
}

SongTable loadSongCatalogue(TableHandles &tables)
{
    Table &tracks = tables.CD_Table2;
    tracks.setFiltered(false);
    tracks.setFilter(QString());
    tracks.setIndex(QStringLiteral("cislocd"));
    if (!tracks.isOpen())
        tracks.open(Table::Mode::ReadOnly);
    return buildSongTable(tracks, tables.CD_Table1);
}

void endSongSearch(TableHandles &tables)
{
    Table &tracks = tables.CD_Table2;
    tracks.setFiltered(false);
    tracks.close();
}

} // namespace velmora
