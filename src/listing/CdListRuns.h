#pragma once

// The CD title lists as the report screens ask for them: cd01.dbf and
// cd02.dbf of the session's handles made ready for the list chosen.

#include "listing/CdLists.h"

#include <QStringList>
#include <vector>

namespace velmora {

class TableHandles;

// The numbers of every title in ascending order.
QStringList listedTitleNumbers(TableHandles &tables);
// Every title, unfiltered, in the order of cd01.dbf.
std::vector<int> allTitleRecords(TableHandles &tables);
// The titles from the first numbered `number` on, unfiltered.
std::vector<int> titleRecordsFrom(TableHandles &tables, const QString &number);
// The lent titles; the filter stays on until the whole list is chosen.
std::vector<int> lentTitleRecords(TableHandles &tables);

// cd02.dbf unfiltered in number order, opened read-only when closed.
void openListTracks(TableHandles &tables);
bool listTracksOpen(TableHandles &tables);
// Closes cd02.dbf; unfiltered first when asked.
void closeListTracks(TableHandles &tables, bool unfilter);

// The titles at these records with the tracks of the open cd02.dbf.
void writeTitleList(ReportWriter &w, TableHandles &tables, CdListKind kind,
                    const std::vector<int> &records, const CdListOptions &options,
                    const TitleWritten &titleWritten);
void writeLentTitleList(ReportWriter &w, TableHandles &tables, const std::vector<int> &records);

} // namespace velmora
