#include "listing/CdListRuns.h"

#include "catalogue/CdCatalogue.h"
#include "storage/TableHandles.h"

namespace velmora {
namespace {

Table &unfiltered(Table &t)
{
    t.setFiltered(false);
    t.setFilter(QString());
    return t;
}

} // namespace

QStringList listedTitleNumbers(TableHandles &tables)
{
    return titleNumbers(tables.CD_Table1);
}

std::vector<int> allTitleRecords(TableHandles &tables)
{
    return unfiltered(tables.CD_Table1).visibleRecords();
}

std::vector<int> titleRecordsFrom(TableHandles &tables, const QString &number)
{
    return titlesFrom(unfiltered(tables.CD_Table1), number);
}

std::vector<int> lentTitleRecords(TableHandles &tables)
{
    Table &titles = tables.CD_Table1;
    titles.setFilter(QStringLiteral("pujceno=True"));
    titles.setFiltered(true);
    return titles.visibleRecords();
}

void openListTracks(TableHandles &tables)
{
    Table &tracks = unfiltered(tables.CD_Table2);
    tracks.setIndex(QStringLiteral("cislocd"));
    if (!tracks.isOpen())
        tracks.open(Table::Mode::ReadOnly);
}

bool listTracksOpen(TableHandles &tables)
{
    return tables.CD_Table2.isOpen();
}

void closeListTracks(TableHandles &tables, bool unfilter)
{
    if (unfilter)
        unfiltered(tables.CD_Table2);
    tables.CD_Table2.close();
}

void writeTitleList(ReportWriter &w, TableHandles &tables, CdListKind kind,
                    const std::vector<int> &records, const CdListOptions &options,
                    const TitleWritten &titleWritten)
{
    const TitleTracks tracks(tables.CD_Table2);
    writeCdList(w, kind, tables.CD_Table1, records, tracks, options, titleWritten);
}

void writeLentTitleList(ReportWriter &w, TableHandles &tables, const std::vector<int> &records)
{
    writeLentCdList(w, tables.CD_Table1, records);
}

} // namespace velmora
