#pragma once

// Children killed on purpose: a child process started, let work, and ended
// with SIGKILL at a random moment or right before a chosen step that
// changes the file system; and the rows of the tables it left, as our
// engine reads them and as Python's dbfread reads them, to be compared.

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace velmora::test::crash {

struct KillPlan
{
    enum class Kind
    {
        Never,   // the child runs to its end
        AfterUs, // killed this many microseconds after it says "ready"
        AtStep,  // killed right before its n-th changing step (1-based)
    };
    Kind kind = Kind::Never;
    long long value = 0;
    // With AtStep: only the steps on a path that ends so are counted.
    QString pathTail;
    // With AtStep: a write across a page boundary that the kill comes to is
    // cut at the boundary, as the system cuts it.
    bool tear = false;

    static KillPlan never() { return {}; }
    static KillPlan afterUs(long long us) { return {Kind::AfterUs, us, {}, false}; }
    static KillPlan atStep(long long n) { return {Kind::AtStep, n, {}, false}; }
    static KillPlan atStepOn(long long n, const QString &tail)
    {
        return {Kind::AtStep, n, tail, false};
    }
    static KillPlan tearingAtStep(long long n) { return {Kind::AtStep, n, {}, true}; }
    QString describe() const;
};

struct ChildRun
{
    QStringList lines;     // complete lines of its standard output, "ready" left out
    bool killed = false;   // ended by SIGKILL
    bool finished = false; // ended on its own
    int exitCode = -1;
    long long steps = -1; // changing steps taken, when it ran to its end
    qint64 readyUs = 0;   // from the start to its "ready"
    qint64 workUs = 0;    // from its "ready" to its end
    QString errors;       // its standard error, and what went wrong in starting it
};

// Starts program with args; the child writes "ready" on a line of its own
// once it is set up. With a plan of AtStep or Never the killpoint library
// is preloaded (Never: to count the steps).
ChildRun runChild(const QString &program, const QStringList &args, const KillPlan &plan);

// The library preloaded into children to kill them at a step.
QString killPointLibrary();

// The records of a table that are not deleted, in their stored order, each
// as its fields' values joined by '|': text as read, numbers in decimal,
// dates in ISO form, logical values T or F, memo texts whole; a value not
// set is empty. physical, when given, receives each row's record number.
// Throws the engine's DbError when the table does not open.
QStringList engineRows(const QString &path, std::vector<int> *physical = nullptr);
// The same rows as dbfread reads them, for several tables in one run of
// Python. Empty with problem set when dbfread failed on any of them.
QList<QStringList> dbfreadRows(const QStringList &paths, QString *problem);

// FNV-1a of the text's UTF-8: what a child confirms of a record it wrote.
quint64 digest(const QString &text);

} // namespace velmora::test::crash
