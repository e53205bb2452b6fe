#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <vector>

namespace velmora {

class Table;
struct FieldDef;

// The hours text of the free position search: 125 -> "2h 05min".
QString positionHours(int minutes);
// The request converted to SP minutes: R, R div 2, R div 3.
int requestInSp(int minutes, int speedFactor);
// A cassette qualifies when its remaining time exceeds the converted
// request, strictly.
bool positionQualifies(int remaining, int requestMinutes, int speedFactor);

// One open cassette as the work tables Search.dbf and Search2.dbf hold it.
struct PositionRow
{
    QString type;   // t_kazety
    QString number; // cislo
    int occupied = 0;
    int remaining = 0;
    bool lent = false;
    QString borrower;
    QString from;
};

// The fields of both work tables, in their order, and their two tags.
QList<FieldDef> positionFields();
QStringList positionTags();

// The open cassettes of a cassette table (note exactly the open-cassette
// text), walked in the table's order and put in number order; equal
// numbers keep the walking order.
std::vector<PositionRow> openCassettes(Table &cassettes);

// The rows of a work table in its order and filter.
std::vector<PositionRow> readPositions(Table &work);
// Limits a work table to the cassettes at home, or lifts the limit.
void showAtHomeOnly(Table &work, bool on);
// Appends rows to an open work table in one batch.
void appendPositions(Table &work, const std::vector<PositionRow> &rows);

// The rows of the work table, in its order, that have room for the request
// at the speed factor. progress is told how many rows were examined.
std::vector<PositionRow> findPositions(Table &work, int requestMinutes, int speedFactor,
                                       const std::function<void(int examined)> &progress = {});

// A work handle (re)made over a new, empty file at path, open.
void createWorkTable(Table &handle, const QString &path);
// A work handle ready for another file: closed, unfiltered, natural order,
// so that no later user of the handle inherits this screen's choices.
void releaseWorkTable(Table &handle);

} // namespace velmora
