#pragma once

#include "finding/FreePosition.h"

#include <QString>
#include <vector>

namespace velmora {

class ReportWriter;

// The result pane of the free position search while it waits for a request.
void writeWaitingForRequest(ReportWriter &w);
// The result pane after a search that found no cassette.
void writeNoPosition(ReportWriter &w);
// The found cassettes, one line each, in the order found.
void writePositions(ReportWriter &w, const std::vector<PositionRow> &rows);
// The list window's report: the request's hours text, the found cassettes
// with their loans (lent ones in red), the printing time and the maker.
void writePositionList(ReportWriter &w, const QString &hoursText,
                       const std::vector<PositionRow> &rows);

} // namespace velmora
