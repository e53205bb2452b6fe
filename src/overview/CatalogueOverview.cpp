#include "overview/CatalogueOverview.h"

#include "catalogue/CassetteRules.h"
#include "catalogue/CdRules.h"
#include "engine/Codepage.h"
#include "engine/StoredFields.h"
#include "engine/Table.h"
#include "storage/CdRecords.h"
#include "storage/Overdue.h"
#include "storage/Records.h"
#include "storage/TableHandles.h"

#include <QHash>

#include <array>
#include <unordered_map>
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

// Short stored texts (cassette types, speeds) decoded once each: they
// repeat on every record, and the tape rules take them as strings.
class ShortTexts
{
public:
    explicit ShortTexts(const Codepage &codepage) : m_codepage(codepage) {}

    const QString &of(QByteArrayView bytes)
    {
        if (bytes.size() > 7)
            return m_long = m_codepage.decode(bytes.data(), int(bytes.size()));
        quint64 key = quint64(bytes.size()) << 56;
        for (qsizetype i = 0; i < bytes.size(); ++i)
            key |= quint64(uint8_t(bytes[i])) << (8 * i);
        const auto found = m_texts.find(key);
        if (found != m_texts.end())
            return found->second;
        return m_texts.emplace(key, m_codepage.decode(bytes.data(), int(bytes.size())))
            .first->second;
    }

private:
    const Codepage &m_codepage;
    std::unordered_map<quint64, QString> m_texts;
    QString m_long;
};

// The fields of one record as cells: character fields as their stored
// bytes, any other kind (a table another program laid out otherwise) as
// the text a handle reads.
class CellReader
{
public:
    CellReader(const Table &table, const StoredFields &stored) : m_table(table), m_stored(stored) {}

    OverviewCell at(int record, int field, QString &holder) const
    {
        if (m_stored.isText(field))
            return m_stored.text(record, field);
        holder = m_table.asStringAt(record, field);
        return holder;
    }

private:
    const Table &m_table;
    const StoredFields &m_stored;
};

OverviewRows cassetteRows(const Table &t, const StoredFields &stored, const QDate &today)
{
    const CassetteColumns c(t);
    constexpr int kColumns = 15;
    Q_ASSERT(int(overviewColumns(OverviewKind::Cassettes).size()) == kColumns);
    OverviewRows rows(kColumns);
    rows.setStoredCodepage(stored.codepage());
    const CellReader read(t, stored);
    ShortTexts shortTexts(stored.codepage());
    const std::vector<int> records = stored.liveRecords();
    rows.reserve(qsizetype(records.size()) * 2, qsizetype(records.size()) * 2 * 80);
    std::array<OverviewCell, kColumns> cells;
    // What non-character fields read as, kept while their row is written.
    std::array<QString, kColumns> held;
    QString since;
    char date[10];
    qsizetype done = 0;
    for (const int rec : records) {
        cells[0] = read.at(rec, c.number, held[0]);
        const QString type = stored.isText(c.type) ? shortTexts.of(stored.text(rec, c.type))
                                                   : t.asStringAt(rec, c.type);
        cells[1] = type;
        const bool lent = c.loan.lentAt(t, rec);
        since = lent ? t.asStringAt(rec, c.loan.since) : QString();
        // An item at home needs no loan term.
        held[11] = loanStateText(lent, since, lent ? stored.integer(rec, c.loan.days) : 0, today);
        cells[11] = held[11];
        cells[12] = lent ? read.at(rec, c.loan.borrower, held[12]) : OverviewCell();
        cells[13] = since;
        Recordings recordings;
        for (int s = 0; s < kSlots; ++s) {
            const CassetteColumns::Slot &f = c.recordings[size_t(s)];
            const QString speed = stored.isText(f.speed) ? shortTexts.of(stored.text(rec, f.speed))
                                                         : t.asStringAt(rec, f.speed);
            recordings[size_t(s)] = {stored.integer(rec, f.length), speed};
        }
        held[14] = numberText(RemainingTime(type, recordings));
        cells[14] = held[14];
        bool any = false;
        for (int s = 0; s < kSlots; ++s) {
            const CassetteColumns::Slot &f = c.recordings[size_t(s)];
            QString titleHeld;
            const OverviewCell title = read.at(rec, f.title, titleHeld);
            if (title.stored.isEmpty() && title.text.isEmpty())
                continue;
            any = true;
            const int start = stored.integer(rec, f.start);
            const int end = stored.integer(rec, f.end);
            cells[2] = smallNumber(s + 1);
            cells[3] = title;
            cells[4] = read.at(rec, f.genre, held[4]);
            cells[5] = recordings[size_t(s)].speed;
            held[6] = minutes(start, start || end);
            held[7] = minutes(end, start || end);
            held[8] = numberText(recordings[size_t(s)].length);
            cells[6] = held[6];
            cells[7] = held[7];
            cells[8] = held[8];
            cells[9] = read.at(rec, f.source, held[9]);
            if (stored.isDate(f.date)) {
                const int n = stored.dateText(rec, f.date, date);
                cells[10] = QByteArrayView(date, n);
            } else {
                held[10] = t.asStringAt(rec, f.date);
                cells[10] = held[10];
            }
            rows.append(cells.data(), kColumns, rec);
        }
        if (!any) {
            for (int k = 2; k <= 10; ++k)
                cells[k] = OverviewCell();
            rows.append(cells.data(), kColumns, rec);
        }
        // The text of the first rows tells what the whole takes; one
        // reservation then spares the copies of a growing buffer.
        if (++done == 1000 && records.size() > 2000) {
            const double scale = double(records.size()) / double(done) * 1.05;
            const double bytes = double(rows.textBytes()) + double(rows.rowCount()) * kColumns;
            rows.reserve(qsizetype(rows.rowCount() * scale), qsizetype(bytes * scale));
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
        const StoredFields stored(tables.Table1.path());
        return cassetteRows(data.table, stored, today);
    }
    const ReadOnly titles(tables.CD_Table1.path());
    const ReadOnly tracks(tables.CD_Table2.path());
    return cdRows(titles.table, tracks.table, today);
}

} // namespace velmora
