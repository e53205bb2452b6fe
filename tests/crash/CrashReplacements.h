#pragma once

// Whole-file replacements killed half way: a child (velmora_replace_child)
// runs one operation from a known "old" state and is killed at a random
// moment, or right before a random one of its steps that change the file
// system. What the program runs at its next start is run, and then every
// table the operation touches must be the complete old one or the complete
// new one, as our engine and dbfread read it. The new state is the one an
// operation that ran to its end left. Shared by the suite and the bench.

#include "KillRun.h"

#include <QMap>
#include <QRandomGenerator>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

namespace velmora::test::crash {

// What an operation touches, part by part: the rows of a table, the names
// in a directory, a setting. Compared as text.
using Snapshot = QMap<QString, QString>;

class Operation
{
public:
    explicit Operation(const QString &root) : m_root(root) {}
    virtual ~Operation() = default;

    virtual QString name() const = 0;
    // Once: the old data and the sources of the new.
    virtual void prepare() = 0;
    // Before every run: the data as they are before the operation.
    virtual void reset() = 0;
    // The child's arguments.
    virtual QStringList arguments() const = 0;
    // What the program runs at its next start; empty, or what failed.
    virtual QString repairAtStart() { return QString(); }
    virtual Snapshot snapshot() = 0;
    // Parts that must already be old or new before the repair at start.
    virtual QStringList wholeBeforeRepair() const { return {}; }
    // After the repair: the snapshot against the old and the new one; empty
    // when it is one of them (by default: all of it old, or all of it new).
    virtual QString judge(const Snapshot &now, const Snapshot &before, const Snapshot &after) const;

    // The tables read in the last snapshot, for dbfread.
    const QMap<QString, QString> &tables() const { return m_tables; }

protected:
    // The rows of the table at path as the part named; the table is also
    // read by dbfread.
    void addTable(Snapshot &s, const QString &part, const QString &path);
    // The names below dir (hidden ones too), with digits of moments in
    // names made '#'.
    static QString listing(const QString &dir);

    QString m_root;
    QMap<QString, QString> m_tables; // part -> path
};

std::unique_ptr<Operation> fileCopy(const QString &root);
std::unique_ptr<Operation> restore(const QString &root);
std::unique_ptr<Operation> import(const QString &root);
std::unique_ptr<Operation> backupSet(const QString &root);
std::unique_ptr<Operation> exportSet(const QString &root);
std::unique_ptr<Operation> conversion(const QString &root);
std::unique_ptr<Operation> formatUpgrade(const QString &root);
// op: "cdedit", "cdnew" or "cddelete"
std::unique_ptr<Operation> titleChange(const QString &root, const QString &op);

struct ReplaceTally
{
    int rounds = 0;
    int killed = 0;
    int finished = 0; // the kill came after the operation's end
    int old = 0;      // found (after the repair) as before
    int fresh = 0;    // found as after
    int failures = 0;
    int dbfreadRuns = 0;
};

class ReplaceCrash
{
public:
    ReplaceCrash(std::unique_ptr<Operation> op, quint64 seed);

    // Prepares, and runs the operation once to its end: the old and the
    // new snapshot, the steps it takes and how long it works. Problems.
    QStringList calibrate();
    // One run killed as planned, then checked. Problems, naming the run.
    QStringList round(const KillPlan &plan);
    // A run killed at a random moment of its work or before a random step.
    QStringList randomRound();

    const Operation &operation() const { return *m_op; }
    const ReplaceTally &tally() const { return m_tally; }
    long long steps() const { return m_steps; }
    qint64 workUs() const { return m_workUs; }

private:
    // The snapshot, with every table it read checked against dbfread.
    Snapshot take(QStringList &problems);

    std::unique_ptr<Operation> m_op;
    QRandomGenerator64 m_rng;
    Snapshot m_before;
    Snapshot m_after;
    long long m_steps = 0;
    qint64 m_workUs = 0;
    ReplaceTally m_tally;
    // Digests of table files whose rows dbfread has read as ours: the same
    // bytes read the same.
    QSet<quint64> m_agreed;
};

} // namespace velmora::test::crash
