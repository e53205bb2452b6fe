#include "finding/FreePosition.h"

#include "catalogue/CassetteRules.h"
#include "engine/Table.h"
#include "storage/Paths.h"
#include "storage/Records.h"

#include <algorithm>

namespace velmora {
namespace {

// The work tables' columns, resolved once per table.
struct PositionColumns
{
    explicit PositionColumns(const Table &t)
        : type(t.requireField(QStringLiteral("t_kazety"))),
          number(t.requireField(QStringLiteral("cislo"))),
          occupied(t.requireField(QStringLiteral("obsazeny"))),
          remaining(t.requireField(QStringLiteral("zustatek"))),
          lent(t.requireField(QStringLiteral("pujceno"))),
          borrower(t.requireField(QStringLiteral("komu"))),
          from(t.requireField(QStringLiteral("od_kdy")))
    {
    }

    PositionRow read(const Table &t) const
    {
        return {t.asString(type),       t.asString(number), t.asInteger(occupied),
                t.asInteger(remaining), t.asBoolean(lent),  t.asString(borrower),
                t.asString(from)};
    }

    void write(Table &t, const PositionRow &r) const
    {
        t.setString(type, r.type);
        t.setString(number, r.number);
        t.setInteger(occupied, r.occupied);
        t.setInteger(remaining, r.remaining);
        t.setBoolean(lent, r.lent);
        t.setString(borrower, r.borrower);
        t.setString(from, r.from);
    }

    int type, number, occupied, remaining, lent, borrower, from;
};

} // namespace

QString positionHours(int minutes)
{
    const int hours = minutes / 60;
    const int rest = minutes % 60;
    return QString::number(hours) +
           (rest >= 0 && rest <= 9 ? QStringLiteral("h 0") : QStringLiteral("h ")) +
           QString::number(rest) + QStringLiteral("min");
}

int requestInSp(int minutes, int speedFactor)
{
    return speedFactor > 0 ? minutes / speedFactor : minutes;
}

bool positionQualifies(int remaining, int requestMinutes, int speedFactor)
{
    return remaining > requestInSp(requestMinutes, speedFactor);
}

QList<FieldDef> positionFields()
{
    return {FieldDef::string(QStringLiteral("t_kazety"), 5),
            FieldDef::string(QStringLiteral("cislo"), 5),
            FieldDef::integer(QStringLiteral("obsazeny")),
            FieldDef::integer(QStringLiteral("zustatek")),
            FieldDef::boolean(QStringLiteral("pujceno")),
            FieldDef::string(QStringLiteral("komu"), 15),
            FieldDef::string(QStringLiteral("od_kdy"), 10)};
}

QStringList positionTags()
{
    return {QStringLiteral("cislo"), QStringLiteral("zustatek")};
}

std::vector<PositionRow> openCassettes(Table &cassettes)
{
    const CassetteColumns c(cassettes);
    std::vector<PositionRow> rows;
    for (cassettes.first(); !cassettes.eof(); cassettes.next()) {
        if (cassettes.asString(c.note) != kOpenCassetteNote)
            continue;
        PositionRow r;
        r.type = cassettes.asString(c.type);
        r.number = cassettes.asString(c.number);
        for (const CassetteColumns::Slot &slot : c.recordings)
            r.occupied +=
                SpMinutes(cassettes.asInteger(slot.length), cassettes.asString(slot.speed));
        r.remaining = CassetteCapacity(r.type) - r.occupied;
        const Loan loan = c.loan.read(cassettes);
        r.lent = loan.lent;
        r.borrower = loan.borrower;
        r.from = loan.since;
        rows.push_back(std::move(r));
    }
    std::stable_sort(rows.begin(), rows.end(), [](const PositionRow &a, const PositionRow &b) {
        return a.number < b.number;
    });
    return rows;
}

std::vector<PositionRow> readPositions(Table &work)
{
    const PositionColumns c(work);
    std::vector<PositionRow> rows;
    for (work.first(); !work.eof(); work.next())
        rows.push_back(c.read(work));
    return rows;
}

void showAtHomeOnly(Table &work, bool on)
{
    if (on) {
        work.setFilter(QStringLiteral("pujceno=False"));
        work.setFiltered(true);
    } else {
        work.setFiltered(false);
    }
}

void appendPositions(Table &work, const std::vector<PositionRow> &rows)
{
    const PositionColumns c(work);
    inBatch(work, [&] {
        for (const PositionRow &r : rows) {
            work.append();
            c.write(work, r);
            work.post();
        }
    });
}

std::vector<PositionRow> findPositions(Table &work, int requestMinutes, int speedFactor,
                                       const std::function<void(int)> &progress)
{
    const PositionColumns c(work);
    std::vector<PositionRow> found;
    int examined = 0;
    for (work.first(); !work.eof(); work.next()) {
        if (positionQualifies(work.asInteger(c.remaining), requestMinutes, speedFactor))
            found.push_back(c.read(work));
        if (progress)
            progress(++examined);
    }
    return found;
}

void createWorkTable(Table &handle, const QString &path)
{
    releaseWorkTable(handle);
    Table::deleteFiles(path);
    handle.setPath(path);
    handle.create(positionFields(), positionTags());
    handle.open();
}

void releaseWorkTable(Table &handle)
{
    handle.close();
    handle.setFiltered(false);
    handle.setFilter(QString());
    handle.setIndex(QString());
}

QString FreePositionSearch::workPath()
{
    return Paths::tempDir() + QStringLiteral("Search.dbf");
}

QString FreePositionSearch::candidatePath()
{
    return Paths::tempDir() + QStringLiteral("Search2.dbf");
}

FreePositionSearch::Counts FreePositionSearch::start()
{
    if (!m_started)
        m_cassetteIndex = m_cassettes.index();
    m_started = true;
    createWorkTable(m_work, workPath());

    // Walked in the order the records were written; the rows go into the
    // work table by number, so equal remaining times keep that order.
    m_cassettes.setFiltered(false);
    m_cassettes.setIndex(QString());
    if (!m_cassettes.isOpen())
        m_cassettes.open(Table::Mode::ReadOnly);
    const std::vector<PositionRow> rows = openCassettes(m_cassettes);
    appendPositions(m_work, rows);
    // The order is chosen once the rows are in; keeping it up to date row
    // by row would cost more than sorting them once.
    m_work.setIndex(QStringLiteral("cislo"));
    return {m_cassettes.recordCount(), int(rows.size())};
}

std::vector<PositionRow> FreePositionSearch::search(PositionOrder order, int requestMinutes,
                                                    int speedFactor,
                                                    const std::function<void(int, int)> &progress)
{
    createWorkTable(m_candidates, candidatePath());
    m_work.setIndex(order == PositionOrder::Number ? QStringLiteral("cislo")
                                                   : QStringLiteral("zustatek"));
    const int rows = m_work.recordCount();
    if (progress)
        progress(0, rows);
    const std::vector<PositionRow> rowsFound =
        findPositions(m_work, requestMinutes, speedFactor, [&](int examined) {
            if (progress)
                progress(examined, rows);
        });
    appendPositions(m_candidates, rowsFound);
    return rowsFound;
}

std::vector<PositionRow> FreePositionSearch::found(bool atHomeOnly)
{
    showAtHomeOnly(m_candidates, atHomeOnly);
    return readPositions(m_candidates);
}

void FreePositionSearch::showAllFound()
{
    if (m_candidates.filtered())
        m_candidates.setFiltered(false);
}

void FreePositionSearch::finish()
{
    if (!m_started)
        return;
    m_started = false;
    m_cassettes.setFiltered(false);
    m_cassettes.close();
    m_cassettes.setIndex(m_cassetteIndex);
    releaseWorkTable(m_work);
    releaseWorkTable(m_candidates);
    Table::deleteFiles(workPath());
    Table::deleteFiles(candidatePath());
}

} // namespace velmora
