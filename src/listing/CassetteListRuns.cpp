#include "listing/CassetteListRuns.h"

#include "storage/Records.h"
#include "storage/TableHandles.h"

namespace velmora {
namespace {

Table &unfiltered(TableHandles &tables)
{
    Table &t = tables.Table1;
    t.setFiltered(false);
    t.setFilter(QString());
    return t;
}

} // namespace

QStringList listedCassetteNumbers(TableHandles &tables)
{
    const Table &t = tables.Table1;
    const CassetteColumns c(t);
    QStringList numbers;
    for (const int rec : t.visibleRecords())
        numbers << t.asStringAt(rec, c.number);
    return numbers;
}

void showAllCassettes(TableHandles &tables)
{
    unfiltered(tables);
}

ListRun allCassettesRun(TableHandles &tables)
{
    Table &t = unfiltered(tables);
    return {t.recordCount(), [&t](ReportWriter &w, const CassetteVisited &visited) {
                writeAllCassettes(w, t, visited);
            }};
}

ListRun lentCassettesRun(TableHandles &tables)
{
    Table &t = tables.Table1;
    t.setFilter(QStringLiteral("pujceno=True"));
    t.setFiltered(true);
    return {int(t.visibleRecords().size()), [&t](ReportWriter &w, const CassetteVisited &visited) {
                writeLentCassettes(w, t, visited);
            }};
}

ListRun filmsAtSpeedRun(TableHandles &tables, const QString &speed)
{
    Table &t = unfiltered(tables);
    return {t.recordCount(), [&t, speed](ReportWriter &w, const CassetteVisited &visited) {
                writeFilmsAtSpeed(w, t, speed, visited);
            }};
}

ListRun cassettesWithInfoRun(TableHandles &tables, InfoChoice choice)
{
    // The count is that of every record, taken before the filter goes.
    const int count = tables.Table1.recordCount();
    Table &t = unfiltered(tables);
    return {count, [&t, choice](ReportWriter &w, const CassetteVisited &visited) {
                writeCassettesWithInfo(w, t, choice, visited);
            }};
}

ListRun cassettesFromRun(TableHandles &tables, const QString &from)
{
    Table &t = unfiltered(tables);
    const std::vector<int> records = t.visibleRecords();
    const CassetteColumns c(t);
    int count = 0;
    bool found = false;
    for (const int rec : records) {
        found = found || t.asStringAt(rec, c.number) == from;
        count += found ? 1 : 0;
    }
    return {found ? count : int(records.size()),
            [&t, from](ReportWriter &w, const CassetteVisited &visited) {
                writeCassettesFrom(w, t, from, visited);
            }};
}

} // namespace velmora
