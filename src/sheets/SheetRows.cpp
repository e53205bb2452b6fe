#include "sheets/SheetRows.h"

#include "catalogue/CdRules.h"
#include "engine/StoredFields.h"
#include "engine/Table.h"
#include "storage/CdRecords.h"
#include "storage/LoanRecords.h"
#include "storage/Records.h"
#include "storage/TableHandles.h"

#include <QHash>

#include <array>
#include <bit>
#include <vector>

namespace velmora::sheets {
namespace {

QString text(const char *s)
{
    return QString::fromUtf8(s);
}

// A read-only handle of its own: the caller's handles keep their state.
std::unique_ptr<Table> openReadOnly(const Table &handle)
{
    auto t = std::make_unique<Table>();
    t->setPath(handle.path());
    t->open(Table::Mode::ReadOnly);
    return t;
}

const QString &lentText(bool lent)
{
    static const QString yes = QString::fromLatin1(kLentYes);
    static const QString no = QString::fromLatin1(kLentNo);
    return lent ? yes : no;
}

// The loan columns every item sheet ends with: the loan fields as stored
// even for an item at home, so reading the sheet back keeps them.
void loanCells(Cell *cells, const Loan &loan)
{
    cells[0] = Cell::of(lentText(loan.lent));
    cells[1] = Cell::of(loan.borrower);
    cells[2] = Cell::dateText(loan.since);
    cells[3] = loan.days == 0 && !loan.lent ? Cell() : Cell::integer(loan.days);
}

// One row per recording; a cassette without any is one row.
class CassetteSheet : public SheetSource
{
public:
    explicit CassetteSheet(const TableHandles &tables)
        : m_table(openReadOnly(tables.Table1)), m_stored(tables.Table1.path()), m_columns(*m_table),
          m_records(m_stored.liveRecords())
    {
        m_used.reserve(m_records.size());
        for (const int rec : m_records) {
            quint8 used = 0;
            for (int s = 0; s < kCassetteSlots; ++s)
                if (slotUsed(rec, s))
                    used |= quint8(1u << s);
            m_used.push_back(used);
            m_rows += used ? std::popcount(used) : 1;
        }
    }

    QString name() const override { return sheetName(Sheet::Cassettes); }
    QList<SheetColumn> columns() const override { return sheets::columns(Sheet::Cassettes); }
    qint64 rows() const override { return m_rows; }

    bool produce(const std::function<bool(const Cell *)> &give) override
    {
        std::array<Cell, 17> cells;
        for (size_t i = 0; i < m_records.size(); ++i) {
            m_table->moveToRecord(m_records[i]);
            const CassetteRecord r = m_columns.read(*m_table);
            cells[0] = Cell::of(r.number);
            cells[1] = Cell::of(r.type);
            cells[12] = Cell::of(r.note);
            loanCells(&cells[13], r.loan);
            const quint8 used = m_used[i];
            if (!used) {
                for (int c = 2; c <= 11; ++c)
                    cells[size_t(c)] = Cell();
                if (!give(cells.data()))
                    return false;
                continue;
            }
            for (int s = 0; s < kCassetteSlots; ++s) {
                if (!(used & (1u << s)))
                    continue;
                const CassetteSlot &slot = r.recordings[size_t(s)];
                cells[2] = Cell::integer(s + 1);
                cells[3] = Cell::of(slot.title);
                cells[4] = Cell::of(slot.genre);
                cells[5] = Cell::of(slot.speed);
                cells[6] = Cell::integer(slot.start);
                cells[7] = Cell::integer(slot.end);
                cells[8] = Cell::integer(slot.length);
                cells[9] = Cell::of(slot.source);
                cells[10] = Cell::ofDate(slot.date);
                cells[11] = Cell::of(slot.note);
                if (!give(cells.data()))
                    return false;
            }
        }
        return true;
    }

private:
    bool hasText(int rec, int field) const
    {
        return m_stored.isText(field) ? !m_stored.text(rec, field).isEmpty()
                                      : !m_table->asStringAt(rec, field).isEmpty();
    }

    // A slot is a recording when anything but its speed is filled in; the
    // memo is read only for a slot that is empty otherwise.
    bool slotUsed(int rec, int slot) const
    {
        const CassetteColumns::Slot &f = m_columns.recordings[size_t(slot)];
        if (hasText(rec, f.title) || hasText(rec, f.genre) || hasText(rec, f.source))
            return true;
        if (m_stored.integer(rec, f.length) || m_stored.integer(rec, f.start) ||
            m_stored.integer(rec, f.end))
            return true;
        if (m_stored.isDate(f.date)) {
            char date[10];
            if (m_stored.dateText(rec, f.date, date) > 0)
                return true;
        } else if (!m_table->asStringAt(rec, f.date).isEmpty()) {
            return true;
        }
        return !m_table->asStringAt(rec, f.note).isEmpty();
    }

    std::unique_ptr<Table> m_table;
    StoredFields m_stored;
    CassetteColumns m_columns;
    std::vector<int> m_records;
    std::vector<quint8> m_used; // a bit per slot that is a recording
    qint64 m_rows = 0;
};

// One row per track, under its title; a title without tracks is one row.
class CdSheet : public SheetSource
{
public:
    explicit CdSheet(const TableHandles &tables)
        : m_titles(openReadOnly(tables.CD_Table1)), m_titleColumns(*m_titles),
          m_records(m_titles->visibleRecords())
    {
        const std::unique_ptr<Table> tracks = openReadOnly(tables.CD_Table2);
        const CdTrackColumns trackColumns(*tracks);
        for (const int rec : tracks->visibleRecords()) {
            CdTrack track = trackColumns.readAt(*tracks, rec);
            m_tracks[track.number].push_back(std::move(track));
        }
        for (const int rec : m_records) {
            const auto found = m_tracks.constFind(m_titles->asStringAt(rec, m_titleColumns.number));
            m_rows += found == m_tracks.constEnd() ? 1 : qint64(found->size());
        }
    }

    QString name() const override { return sheetName(Sheet::Cds); }
    QList<SheetColumn> columns() const override { return sheets::columns(Sheet::Cds); }
    qint64 rows() const override { return m_rows; }

    bool produce(const std::function<bool(const Cell *)> &give) override
    {
        std::array<Cell, 17> cells;
        for (const int rec : m_records) {
            m_titles->moveToRecord(rec);
            const CdTitle t = m_titleColumns.read(*m_titles);
            cells[0] = Cell::of(t.number);
            cells[1] = Cell::of(t.size);
            cells[2] = Cell::of(t.title);
            cells[3] = Cell::of(t.artist);
            cells[4] = Cell::dateText(t.acquired);
            cells[5] = Cell::of(t.format);
            cells[12] = Cell::of(t.note);
            loanCells(&cells[13], t.loan);
            const auto found = m_tracks.constFind(t.number);
            if (found == m_tracks.constEnd()) {
                for (int c = 6; c <= 11; ++c)
                    cells[size_t(c)] = Cell();
                if (!give(cells.data()))
                    return false;
                continue;
            }
            for (const CdTrack &k : *found) {
                cells[6] = Cell::of(captionOfLabel(k.label));
                cells[7] = Cell::integer(k.track);
                cells[8] = Cell::of(k.title);
                cells[9] = Cell::seconds(k.seconds);
                cells[10] = Cell::of(k.style);
                cells[11] = Cell::of(k.artist);
                if (!give(cells.data()))
                    return false;
            }
        }
        return true;
    }

private:
    std::unique_ptr<Table> m_titles;
    CdTitleColumns m_titleColumns;
    std::vector<int> m_records;
    QHash<QString, std::vector<CdTrack>> m_tracks; // by title number, in stored order
    qint64 m_rows = 0;
};

// The current loans and the archived ones of both sections, read whole:
// they are few beside the catalogues.
class LoanSheet : public SheetSource
{
public:
    explicit LoanSheet(const TableHandles &tables)
    {
        const QString cassette = text("videokazeta");
        const QString cd = QStringLiteral("CD");
        {
            const std::unique_ptr<Table> t = openReadOnly(tables.Table1);
            const CassetteColumns c(*t);
            QHash<QString, QString> titles;
            for (const int rec : t->visibleRecords()) {
                QStringList names;
                for (const CassetteColumns::Slot &f : c.recordings) {
                    const QString title = t->asStringAt(rec, f.title);
                    if (!title.isEmpty())
                        names << title;
                }
                const QString number = t->asStringAt(rec, c.number);
                const QString joined = names.join(QStringLiteral(", "));
                titles.insert(number, joined);
                if (c.loan.lentAt(*t, rec)) {
                    t->moveToRecord(rec);
                    add(cassette, number, joined, c.loan.read(*t));
                }
            }
            addArchive(tables.Table2, cassette, titles);
        }
        {
            const std::unique_ptr<Table> t = openReadOnly(tables.CD_Table1);
            const CdTitleColumns c(*t);
            QHash<QString, QString> titles;
            for (const int rec : t->visibleRecords()) {
                t->moveToRecord(rec);
                const CdTitle title = c.read(*t);
                titles.insert(title.number, title.title);
                if (title.loan.lent)
                    add(cd, title.number, title.title, title.loan);
            }
            addArchive(tables.CD_Archiv, cd, titles);
        }
    }

    QString name() const override { return sheetName(Sheet::Loans); }
    QList<SheetColumn> columns() const override { return sheets::columns(Sheet::Loans); }
    qint64 rows() const override { return qint64(m_rows.size()); }

    bool produce(const std::function<bool(const Cell *)> &give) override
    {
        for (const auto &row : m_rows)
            if (!give(row.data()))
                return false;
        return true;
    }

private:
    using Row = std::array<Cell, 7>;

    void add(const QString &kind, const QString &number, const QString &title, const Loan &loan)
    {
        m_rows.push_back({Cell::of(kind), Cell::of(number), Cell::of(title),
                          Cell::of(loan.borrower), Cell::dateText(loan.since),
                          Cell::integer(loan.days), Cell::of(text("půjčeno"))});
    }

    void addArchive(const Table &handle, const QString &kind, const QHash<QString, QString> &titles)
    {
        const std::unique_ptr<Table> t = openReadOnly(handle);
        for (const ArchiveRow &a : readArchive(*t)) {
            // The CD archive keeps the title; the cassette archive does not.
            const QString title = a.title.isEmpty() ? titles.value(a.number) : a.title;
            m_rows.push_back({Cell::of(kind), Cell::of(a.number), Cell::of(title),
                              Cell::of(a.borrower), Cell::dateText(a.since), Cell(),
                              Cell::of(text("vráceno"))});
        }
    }

    std::vector<Row> m_rows;
};

} // namespace

std::unique_ptr<SheetSource> catalogueSheet(const TableHandles &tables, Sheet sheet)
{
    switch (sheet) {
    case Sheet::Cassettes:
        return std::make_unique<CassetteSheet>(tables);
    case Sheet::Cds:
        return std::make_unique<CdSheet>(tables);
    case Sheet::Loans:
        break;
    }
    return std::make_unique<LoanSheet>(tables);
}

} // namespace velmora::sheets
