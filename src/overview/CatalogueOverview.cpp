#include "overview/CatalogueOverview.h"

#include "catalogue/CassetteRules.h"
#include "catalogue/CdRules.h"
#include "engine/Table.h"
#include "storage/CdRecords.h"
#include "storage/Overdue.h"
#include "storage/Records.h"
#include "storage/TableHandles.h"

#include <QHash>

#include <array>
#include <vector>

namespace velmora {
namespace {

QString text(const char *s)
{
    return QString::fromUtf8(s);
}

// A read-only handle of the table at path, opened at once.
struct ReadOnly
{
    explicit ReadOnly(const QString &path)
    {
        table.setPath(path);
        table.open(Table::Mode::ReadOnly);
    }
    Table table;
};

int integerAt(const Table &t, int record, int field)
{
    // Trimmed as a view: no second string for each of a million numbers.
    return QStringView(t.asStringAt(record, field)).trimmed().toInt();
}

// The numbers up to this one are formatted once, not once per cell.
constexpr int kSmallNumbers = 1000;

const QString &smallNumber(int value)
{
    static const std::vector<QString> numbers = [] {
        std::vector<QString> n;
        n.reserve(kSmallNumbers);
        for (int i = 0; i < kSmallNumbers; ++i)
            n.push_back(QString::number(i));
        return n;
    }();
    return numbers[size_t(value)];
}

QString numberText(int value)
{
    return value >= 0 && value < kSmallNumbers ? smallNumber(value) : QString::number(value);
}

QString minutes(int value, bool shown)
{
    return shown ? numberText(value) : QString();
}

OverviewRows cassetteRows(const Table &t, const QDate &today)
{
    const CassetteColumns c(t);
    const int columns = int(overviewColumns(OverviewKind::Cassettes).size());
    OverviewRows rows(columns);
    // A fresh handle has no order and no filter: the stored order, without
    // the deleted records.
    const std::vector<int> records = t.visibleRecords();
    rows.reserve(qsizetype(records.size()) * 2, qsizetype(records.size()) * 2 * 80);
    // One list of cells for every row: a new one per row cost an allocation
    // each of half a million times.
    QStringList cells(columns);
    std::array<QString, kSlots> speeds;
    std::array<int, kSlots> lengthValues{};
    qsizetype done = 0;
    for (const int rec : records) {
        cells[0] = t.asStringAt(rec, c.number);
        const QString type = t.asStringAt(rec, c.type);
        cells[1] = type;
        const bool lent = c.loan.lentAt(t, rec);
        const QString since = lent ? t.asStringAt(rec, c.loan.since) : QString();
        // An item at home needs no loan term.
        cells[11] = loanStateText(lent, since, lent ? integerAt(t, rec, c.loan.days) : 0, today);
        cells[12] = lent ? t.asStringAt(rec, c.loan.borrower) : QString();
        cells[13] = since;
        Recordings recordings;
        for (int s = 0; s < kSlots; ++s) {
            const CassetteColumns::Slot &f = c.recordings[size_t(s)];
            lengthValues[size_t(s)] = integerAt(t, rec, f.length);
            speeds[size_t(s)] = t.asStringAt(rec, f.speed);
            recordings[size_t(s)] = {lengthValues[size_t(s)], speeds[size_t(s)]};
        }
        cells[14] = numberText(RemainingTime(type, recordings));
        bool any = false;
        for (int s = 0; s < kSlots; ++s) {
            const CassetteColumns::Slot &f = c.recordings[size_t(s)];
            QString title = t.asStringAt(rec, f.title);
            if (title.isEmpty())
                continue;
            any = true;
            const int start = integerAt(t, rec, f.start);
            const int end = integerAt(t, rec, f.end);
            cells[2] = smallNumber(s + 1);
            cells[3] = std::move(title);
            cells[4] = t.asStringAt(rec, f.genre);
            cells[5] = speeds[size_t(s)];
            cells[6] = minutes(start, start || end);
            cells[7] = minutes(end, start || end);
            cells[8] = numberText(lengthValues[size_t(s)]);
            cells[9] = t.asStringAt(rec, f.source);
            cells[10] = t.asStringAt(rec, f.date);
            rows.append(cells, rec);
        }
        if (!any) {
            for (int k = 2; k <= 10; ++k)
                cells[k] = QString();
            rows.append(cells, rec);
        }
        // The text of the first rows tells what the whole takes; one
        // reservation then spares the copies of a growing buffer.
        if (++done == 1000 && records.size() > 2000) {
            const double scale = double(records.size()) / double(done) * 1.05;
            const double chars = double(rows.textChars()) + double(rows.rowCount()) * columns;
            rows.reserve(qsizetype(rows.rowCount() * scale), qsizetype(chars * scale));
        }
    }
    rows.squeeze();
    return rows;
}

OverviewRows cdRows(const Table &titles, const Table &tracks, const QDate &today)
{
    const CdTitleColumns c(titles);
    const CdTrackColumns k(tracks);
    // The tracks of each number in their stored order.
    QHash<QString, std::vector<int>> byNumber;
    const std::vector<int> trackRecords = tracks.visibleRecords();
    for (const int rec : trackRecords)
        byNumber[tracks.asStringAt(rec, k.number)].push_back(rec);

    const int columns = int(overviewColumns(OverviewKind::Cds).size());
    OverviewRows rows(columns);
    const std::vector<int> records = titles.visibleRecords();
    const qsizetype expected = qsizetype(trackRecords.size() + records.size());
    rows.reserve(expected, expected * 100);
    for (const int rec : records) {
        const QString number = titles.asStringAt(rec, c.number);
        const QString title = titles.asStringAt(rec, c.title);
        const QString artist = titles.asStringAt(rec, c.artist);
        const QString format = titles.asStringAt(rec, c.format);
        const QString acquired = titles.asStringAt(rec, c.acquired);
        const bool lent = c.loan.lentAt(titles, rec);
        const QString borrower = lent ? titles.asStringAt(rec, c.loan.borrower) : QString();
        const QString since = lent ? titles.asStringAt(rec, c.loan.since) : QString();
        const QString state =
            loanStateText(lent, since, integerAt(titles, rec, c.loan.days), today);
        const auto it = byNumber.constFind(number);
        if (it == byNumber.constEnd() || it->empty()) {
            rows.append({number,
                         title,
                         artist,
                         {},
                         {},
                         {},
                         {},
                         {},
                         {},
                         format,
                         acquired,
                         state,
                         borrower,
                         since},
                        rec);
            continue;
        }
        for (const int t : *it) {
            const CdTrack track = k.readAt(tracks, t);
            rows.append({number, title, artist, captionOfLabel(track.label),
                         QString::number(track.track), track.title,
                         lengthTextOfSeconds(track.seconds), track.style, track.artist, format,
                         acquired, state, borrower, since},
                        rec);
        }
    }
    rows.squeeze();
    return rows;
}

} // namespace

const QList<OverviewColumn> &overviewColumns(OverviewKind kind)
{
    using O = ColumnOrder;
    static const QList<OverviewColumn> cassettes{{text("Číslo kazety"), O::Number},
                                                 {text("Typ"), O::Text},
                                                 {text("Pozice"), O::Number},
                                                 {text("Název filmu"), O::Text},
                                                 {text("Žánr"), O::Text},
                                                 {text("Rychlost"), O::Text},
                                                 {text("Začátek"), O::Number},
                                                 {text("Konec"), O::Number},
                                                 {text("Délka"), O::Length},
                                                 {text("Zdroj"), O::Text},
                                                 {text("Datum"), O::Date},
                                                 {text("Stav"), O::Text},
                                                 {text("Komu"), O::Text},
                                                 {text("Od kdy"), O::Date},
                                                 {text("Zbývá na kazetě"), O::Length}};
    static const QList<OverviewColumn> cds{{text("Číslo CD"), O::Number},
                                           {text("Titul"), O::Text},
                                           {text("Interpret"), O::Text},
                                           {text("Disk"), O::Text},
                                           {text("Stopa"), O::Number},
                                           {text("Název stopy"), O::Text},
                                           {text("Délka"), O::Length},
                                           {text("Styl"), O::Text},
                                           {text("Interpret stopy"), O::Text},
                                           {text("Formát"), O::Text},
                                           {text("Pořízeno"), O::Date},
                                           {text("Stav"), O::Text},
                                           {text("Komu"), O::Text},
                                           {text("Od kdy"), O::Date}};
    return kind == OverviewKind::Cassettes ? cassettes : cds;
}

int stateColumn(OverviewKind)
{
    return 11;
}

QString loanStateText(bool lent, const QString &since, int days, const QDate &today)
{
    // Shared texts: every row of a catalogue holds one of the three.
    static const QString atHome = text("doma");
    static const QString overdue = text("po termínu");
    static const QString lentOut = text("půjčeno");
    switch (loanTerm({lent, QString(), since, days}, today)) {
    case LoanTerm::AtHome:
        return atHome;
    case LoanTerm::Overdue:
        return overdue;
    case LoanTerm::InTerm:
    case LoanTerm::Unreadable:
        break;
    }
    return lentOut;
}

OverviewRows catalogueOverview(OverviewKind kind, const TableHandles &tables, const QDate &today)
{
    if (kind == OverviewKind::Cassettes) {
        const ReadOnly data(tables.Table1.path());
        return cassetteRows(data.table, today);
    }
    const ReadOnly titles(tables.CD_Table1.path());
    const ReadOnly tracks(tables.CD_Table2.path());
    return cdRows(titles.table, tracks.table, today);
}

} // namespace velmora
