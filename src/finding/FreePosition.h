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

enum class PositionOrder
{
    Number,
    Remaining
};

// One free-position search over its three handles: the cassette table as
// the menu left it, the work table Search.dbf of the open cassettes and
// Search2.dbf of the last search's finds. Both work tables live in the
// private temporary directory; finish() takes them away and gives the
// cassette table back closed, in the order it had before start().
class FreePositionSearch
{
public:
    FreePositionSearch(Table &cassettes, Table &work, Table &candidates)
        : m_cassettes(cassettes), m_work(work), m_candidates(candidates)
    {
    }

    static QString workPath();      // Search.dbf
    static QString candidatePath(); // Search2.dbf

    struct Counts
    {
        int cassettes = 0; // every record of the cassette table
        int open = 0;      // those copied into the work table
    };
    // Makes Search.dbf anew from the open cassettes of the cassette table,
    // read unfiltered in the order its records were written (opened
    // read-only when closed); the work table is in number order afterwards.
    // Throws DbError.
    Counts start();
    bool started() const { return m_started; }

    // Makes Search2.dbf anew with the rows of the work table, in the order
    // chosen, that have room for the request; returns them. progress is
    // told (0, rows) first, then each row examined. Throws DbError.
    std::vector<PositionRow>
    search(PositionOrder order, int requestMinutes, int speedFactor,
           const std::function<void(int examined, int rows)> &progress = {});

    // The rows of the last search, all of them or the cassettes at home.
    std::vector<PositionRow> found(bool atHomeOnly);
    // Lifts the at-home limit on the finds.
    void showAllFound();

    // Closes the cassette table and gives back its order, releases both
    // work handles and deletes their files. Nothing to do before start().
    void finish();

private:
    Table &m_cassettes;
    Table &m_work;
    Table &m_candidates;
    QString m_cassetteIndex; // the handle's order before start()
    bool m_started = false;
};

} // namespace velmora
