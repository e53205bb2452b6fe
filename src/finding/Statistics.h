#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace velmora {

class ReportWriter;
class Session;
class Table;
class TableHandles;

// The counts of the statistics and database information screens, taken
// from the catalogue tables without a window.

struct CassetteStatistics
{
    int cassettes = 0;
    int lent = 0;
    int films = 0;              // slots with a title
    int sp = 0, lp = 0, ep = 0; // slots by speed, with or without a title
};
// Walks an open data.dbf.
CassetteStatistics cassetteStatistics(const Table &cassettes);

// Lent items of an open cassette or CD title table.
int lentCount(const Table &items);

// Tracks per style: every distinct style of the tracks once (an empty one
// included), in Czech alphabetical order, names compared exactly, with the
// number of its tracks. Walks an open cd02.dbf.
using StyleCount = std::pair<QString, int>;
std::vector<StyleCount> tracksPerStyle(const Table &tracks);

// " Statistika skladeb:" and a line per style, or the words for none.
void writeStyleStatistics(ReportWriter &w, const std::vector<StyleCount> &styles);

// A file's size as the information screens show it: the bytes divided by
// 1024, cut (not rounded) to two decimals, with a decimal comma and no
// trailing zeros, and " kB" ("4,88 kB", "2 kB").
QString fileSizeText(qint64 bytes);
// The same for a file on disk; a missing file says so.
QString fileSizeOf(const QString &path);

// The records of a table file, opened read-only for the count and closed;
// 0 for a file that is missing.
int recordCountOf(const QString &path);

// The statistics of the catalogue's data.dbf, read through a handle of its
// own, so that the window's handle keeps its order and filter.
CassetteStatistics catalogueCassetteStatistics(TableHandles &tables);

struct CdStatistics
{
    int titles = 0;
    int lent = 0;
    int tracks = 0;
    std::vector<StyleCount> styles;
};
// The same for cd01.dbf and cd02.dbf.
CdStatistics catalogueCdStatistics(TableHandles &tables);

// The sizes and record counts of the database information screen, each
// table opened for its count and closed again.
struct CatalogueFacts
{
    int items = 0;
    QString itemsSize;
    int tracks = 0; // CDs only
    QString tracksSize;
    int archive = 0;
    int genres = 0;
    int sources = 0;
};
CatalogueFacts catalogueFacts(TableHandles &tables, bool cds);

// Runs the command that lists the lent cassettes or CD titles over them.
void runOverAwayItems(Session &session, bool cds);

} // namespace velmora
