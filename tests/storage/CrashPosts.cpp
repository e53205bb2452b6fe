#include "CrashPosts.h"

#include "engine/DbError.h"
#include "engine/Table.h"
#include "storage/Interrupted.h"
#include "storage/Schemas.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <set>

namespace velmora::test::crash {

PostsCrash::PostsCrash(const QString &path, quint64 seed) : m_path(path), m_rng(seed)
{
    const TableSchema s = schema::cassettes();
    Table::deleteFiles(path);
    Table::create(path, s.fields, s.tags);
}

PostsCrash::PostsCrash(const PostsCrash &from, const QString &path)
    : m_path(path), m_rng(from.m_rng), m_confirmed(from.m_confirmed)
{
    Table::deleteFiles(path);
    QFile::copy(from.m_path, path);
    QFile::copy(Table::memoPath(from.m_path), Table::memoPath(path));
}

QStringList PostsCrash::round(qint64 maxDelayUs)
{
    const quint64 childSeed = m_rng.generate64();
    const qint64 delay = qint64(m_rng.generate64() % quint64(maxDelayUs + 1));
    return round(KillPlan::afterUs(delay), childSeed, -1);
}

QStringList PostsCrash::round(const KillPlan &plan, quint64 childSeed, int posts, int record,
                              long long *steps)
{
    ++m_tally.rounds;
    QStringList args{m_path, QString::number(childSeed), QString::number(posts)};
    if (record >= 0)
        args << QString::number(record);
    const ChildRun run = runChild(QStringLiteral(VELMORA_CRASH_CHILD), args, plan);
    if (steps)
        *steps = run.steps;
    QStringList problems;
    if (run.killed)
        ++m_tally.kills;
    else if (plan.kind != KillPlan::Kind::Never || run.exitCode != 0)
        problems << QStringLiteral("the child ended by itself (exit code %1): %2")
                        .arg(run.exitCode)
                        .arg(run.errors);

    // The confirmations, in the order the child wrote them.
    std::optional<Pending> pending;
    for (const QString &line : run.lines) {
        const QStringList part = line.split(QLatin1Char(' '));
        if (part.size() != 3) {
            problems << QStringLiteral("a line not understood: ") + line;
            continue;
        }
        const Pending p{part[1] == QLatin1String("new") ? -1 : part[1].toInt(),
                        part[2].toULongLong()};
        if (part[0] == QLatin1String("W")) {
            pending = p;
        } else if (part[0] == QLatin1String("C") && pending && pending->digest == p.digest &&
                   (pending->rec == p.rec || (pending->rec < 0 && !m_confirmed.count(p.rec)))) {
            m_confirmed[p.rec] = p.digest;
            ++m_tally.posts;
            pending.reset();
        } else {
            problems << QStringLiteral("a confirmation out of turn: ") + line;
        }
    }
    problems += check(pending);
    if (!problems.isEmpty()) {
        ++m_tally.failures;
        QFile::copy(m_path, QStringLiteral("/tmp/crashdbg.dbf"));
        QFile::copy(Table::memoPath(m_path), QStringLiteral("/tmp/crashdbg.dbt"));
        QFile out(QStringLiteral("/tmp/crashdbg.txt"));
        out.open(QIODevice::WriteOnly);
        out.write(run.lines.join("\n").toUtf8() + "\n=====\n" + run.errors.toUtf8());
    }
    const QString label = QStringLiteral("round %1 (child seed %2, %3): ")
                              .arg(m_tally.rounds)
                              .arg(childSeed)
                              .arg(plan.describe());
    for (QString &p : problems)
        p.prepend(label);
    return problems;
}

QStringList PostsCrash::check(const std::optional<Pending> &pending)
{
    QStringList problems;
    std::vector<int> numbers;
    QStringList rows;
    try {
        // The next start finishes a rewrite cut short before anything reads
        // the table; a reader alone leaves the table as it found it.
        const QStringList told = interrupted::undoInterrupted(QFileInfo(m_path).path());
        if (!told.isEmpty())
            return {QStringLiteral("the start says: ") + told.join(QLatin1Char('\n'))};
        rows = engineRows(m_path, &numbers);
    } catch (const DbError &e) {
        return {QStringLiteral("the table does not open: ") + e.message()};
    }

    // Every record read is the state last confirmed, or the post under way
    // when the kill came, whole.
    std::optional<std::pair<int, quint64>> landed;
    std::set<int> seen;
    for (int i = 0; i < int(rows.size()); ++i) {
        const int rec = numbers[size_t(i)];
        const quint64 d = digest(rows[i]);
        seen.insert(rec);
        const auto it = m_confirmed.find(rec);
        if (it != m_confirmed.end() && it->second == d)
            continue;
        if (pending && d == pending->digest && !landed &&
            (pending->rec == rec || (pending->rec < 0 && it == m_confirmed.end()))) {
            landed = {rec, d};
            continue;
        }
        problems << QStringLiteral("record %1 is neither its confirmed state nor the one being "
                                   "posted: %2")
                        .arg(rec)
                        .arg(rows[i].left(300));
    }
    for (const auto &[rec, d] : m_confirmed)
        if (!seen.count(rec))
            problems << QStringLiteral("the confirmed record %1 is missing").arg(rec);

    QString problem;
    const QList<QStringList> other = dbfreadRows({m_path}, &problem);
    if (!problem.isEmpty()) {
        problems << problem;
    } else if (other.first() != rows) {
        int i = 0;
        while (i < int(qMin(rows.size(), other.first().size())) && rows[i] == other.first()[i])
            ++i;
        problems << QStringLiteral("dbfread reads %1 records, differing from the engine's %2 at "
                                   "record %3: %4")
                        .arg(other.first().size())
                        .arg(rows.size())
                        .arg(i)
                        .arg(other.first().value(i).left(300));
    }

    // Nothing past the records but the end marker; only a record appended
    // and not yet counted in the header may stand there, marked deleted.
    QFile f(m_path);
    if (f.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = f.readAll();
        const qint64 count = qFromLittleEndian<quint32>(bytes.constData() + 4);
        const qint64 header = qFromLittleEndian<quint16>(bytes.constData() + 8);
        const qint64 size = qFromLittleEndian<quint16>(bytes.constData() + 10);
        const qint64 whole = header + count * size + 1;
        // What the kill left of that record, whole or cut short, begins
        // with its deletion mark where the end marker stood.
        const bool uncounted =
            bytes.size() > whole - 1 && bytes.size() <= whole + size && bytes.at(whole - 1) == '*';
        if (!uncounted && (bytes.size() != whole || !bytes.endsWith('\x1A')))
            problems << QStringLiteral("the file has %1 bytes, %2 records take %3")
                            .arg(bytes.size())
                            .arg(count)
                            .arg(whole);
        if (problems.isEmpty())
            m_tally.deleted = int(count) - int(rows.size());
    } else {
        problems << QStringLiteral("the table cannot be read: ") + f.errorString();
    }

    if (problems.isEmpty()) {
        m_tally.checked += rows.size();
        if (landed) {
            ++m_tally.inFlightLanded;
            m_confirmed[landed->first] = landed->second;
        }
    }
    return problems;
}

} // namespace velmora::test::crash
