#include "CrashReplacements.h"

#include "engine/DbError.h"
#include "engine/Table.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <cstring>

namespace velmora::test::crash {
namespace {

// The bytes of a table's files, to know when dbfread has read them before.
quint64 fileDigest(const QString &path)
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    for (const QString &p : {path, Table::memoPath(path)}) {
        QFile f(p);
        h.addData(p.toUtf8());
        if (f.open(QIODevice::ReadOnly))
            h.addData(&f);
    }
    quint64 d = 0;
    std::memcpy(&d, h.result().constData(), sizeof d);
    return d;
}

QString describeParts(const Snapshot &now, const Snapshot &before, const Snapshot &after)
{
    QStringList old, fresh, neither;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (it.value() == before.value(it.key()))
            old << it.key();
        else if (it.value() == after.value(it.key()))
            fresh << it.key();
        else
            neither << QStringLiteral("%1 [%2]").arg(it.key(), it.value().left(400));
    }
    return QStringLiteral("old: %1; new: %2; neither: %3")
        .arg(old.join(QStringLiteral(", ")), fresh.join(QStringLiteral(", ")),
             neither.join(QStringLiteral(", ")));
}

} // namespace

QString Operation::judge(const Snapshot &now, const Snapshot &before, const Snapshot &after) const
{
    if (now == before || now == after)
        return QString();
    return QStringLiteral("neither the old state nor the new one: ") +
           describeParts(now, before, after);
}

void Operation::addTable(Snapshot &s, const QString &part, const QString &path)
{
    try {
        s.insert(part, engineRows(path).join(QLatin1Char('\n')));
        m_tables.insert(part, path);
        // The fields too: a widened genre reads as the same text.
        Table t;
        t.setPath(path);
        t.open(Table::Mode::ReadOnly);
        QStringList fields;
        for (const FieldDef &f : t.fieldDefs())
            fields << QStringLiteral("%1 %2 %3").arg(f.name).arg(int(f.type)).arg(f.width);
        s.insert(part + QStringLiteral(" fields"), fields.join(QStringLiteral(", ")));
    } catch (const DbError &e) {
        s.insert(part, QStringLiteral("(does not open: %1)").arg(e.message()));
    }
}

QString Operation::listing(const QString &dir)
{
    static const QRegularExpression digits(QStringLiteral("\\d"));
    QStringList names;
    QDirIterator it(dir, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(dir).relativeFilePath(it.next()).replace(digits, QStringLiteral("#"));
    names.sort();
    return names.join(QLatin1Char(' '));
}

ReplaceCrash::ReplaceCrash(std::unique_ptr<Operation> op, quint64 seed)
    : m_op(std::move(op)), m_rng(seed)
{
}

Snapshot ReplaceCrash::take(QStringList &problems)
{
    Snapshot s = m_op->snapshot();
    QStringList parts, paths;
    QList<quint64> digests;
    for (auto it = m_op->tables().cbegin(); it != m_op->tables().cend(); ++it) {
        const quint64 d = fileDigest(it.value());
        if (!s.contains(it.key()) || m_agreed.contains(d))
            continue;
        parts << it.key();
        paths << it.value();
        digests << d;
    }
    if (paths.isEmpty())
        return s;
    ++m_tally.dbfreadRuns;
    QString problem;
    const QList<QStringList> rows = dbfreadRows(paths, &problem);
    if (!problem.isEmpty()) {
        problems << problem;
        return s;
    }
    for (int i = 0; i < int(parts.size()); ++i) {
        if (rows[i].join(QLatin1Char('\n')) == s.value(parts[i]))
            m_agreed.insert(digests[i]);
        else
            problems << QStringLiteral("dbfread reads %1 otherwise than the engine: %2")
                            .arg(parts[i], rows[i].join(QLatin1Char('\n')).left(400));
    }
    return s;
}

QStringList ReplaceCrash::calibrate()
{
    QStringList problems;
    m_op->prepare();
    m_op->reset();
    m_before = take(problems);
    const ChildRun run =
        runChild(QStringLiteral(VELMORA_REPLACE_CHILD), m_op->arguments(), KillPlan::never());
    if (!run.finished || run.exitCode != 0 || run.lines.value(run.lines.size() - 1) != "done ")
        problems << QStringLiteral("%1 did not run to its end: %2 %3")
                        .arg(m_op->name(), run.lines.join(QLatin1Char('\n')), run.errors);
    m_steps = run.steps;
    m_workUs = run.workUs;
    if (const QString p = m_op->repairAtStart(); !p.isEmpty())
        problems << QStringLiteral("the repair after a whole run: ") + p;
    m_after = take(problems);
    if (m_after == m_before)
        problems << m_op->name() + QStringLiteral(" changed nothing");
    if (m_steps <= 0)
        problems << m_op->name() + QStringLiteral(" took no steps");
    return problems;
}

QStringList ReplaceCrash::round(const KillPlan &plan)
{
    ++m_tally.rounds;
    QStringList problems;
    m_op->reset();
    const ChildRun run = runChild(QStringLiteral(VELMORA_REPLACE_CHILD), m_op->arguments(), plan);
    if (run.killed) {
        ++m_tally.killed;
    } else {
        ++m_tally.finished;
        if (run.exitCode != 0 || run.lines.value(run.lines.size() - 1) != "done ")
            problems << QStringLiteral("the operation failed: %1 %2")
                            .arg(run.lines.join(QLatin1Char('\n')), run.errors);
    }

    const QStringList early = m_op->wholeBeforeRepair();
    if (!early.isEmpty()) {
        const Snapshot s = take(problems);
        for (const QString &part : early)
            if (s.value(part) != m_before.value(part) && s.value(part) != m_after.value(part))
                problems << QStringLiteral("before the repair at start %1 is neither old nor new: "
                                           "%2")
                                .arg(part, s.value(part).left(400));
    }
    if (const QString p = m_op->repairAtStart(); !p.isEmpty())
        problems << QStringLiteral("the repair at start failed: ") + p;
    const Snapshot s = take(problems);
    if (const QString verdict = m_op->judge(s, m_before, m_after); !verdict.isEmpty())
        problems << verdict;
    else if (s == m_before)
        ++m_tally.old;
    else
        ++m_tally.fresh;

    if (!problems.isEmpty())
        ++m_tally.failures;
    for (QString &p : problems)
        p.prepend(QStringLiteral("%1, %2: ").arg(m_op->name(), plan.describe()));
    return problems;
}

QStringList ReplaceCrash::randomRound()
{
    if (m_rng.bounded(2) == 0)
        return round(KillPlan::atStep(1 + qint64(m_rng.generate64() % quint64(m_steps))));
    const qint64 span = m_workUs + m_workUs / 10 + 1;
    return round(KillPlan::afterUs(qint64(m_rng.generate64() % quint64(span))));
}

} // namespace velmora::test::crash
