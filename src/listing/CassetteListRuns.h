#pragma once

// The cassette lists as the report screens ask for them: data.dbf of the
// session's handles made ready (its filter set or cleared) and the list's
// gauge counted, so a screen hands over only the user's choice.

#include "listing/CassetteLists.h"

#include <QStringList>
#include <functional>

namespace velmora {

class TableHandles;

// A list made ready: the steps of its gauge and its writing.
struct ListRun
{
    using Write = std::function<void(ReportWriter &w, const CassetteVisited &visited)>;
    int steps = 0;
    Write write;
};

// The numbers of the cassettes data.dbf shows, in its order.
QStringList listedCassetteNumbers(TableHandles &tables);
// Every cassette again, whatever a list filtered.
void showAllCassettes(TableHandles &tables);

// Every cassette with its films and note.
ListRun allCassettesRun(TableHandles &tables);
// The lent cassettes; the filter stays on after the list.
ListRun lentCassettesRun(TableHandles &tables);
// Every slot recorded at this speed.
ListRun filmsAtSpeedRun(TableHandles &tables, const QString &speed);
// Every cassette with what the choice adds; steps is also the count shown.
ListRun cassettesWithInfoRun(TableHandles &tables, InfoChoice choice);
// The cassettes from the first numbered `from` on; the gauge counts every
// cassette when none has that number.
ListRun cassettesFromRun(TableHandles &tables, const QString &from);

} // namespace velmora
