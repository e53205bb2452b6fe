#include "KillRun.h"

#include "engine/Table.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <sys/types.h>
#include <thread>

namespace velmora::test::crash {
namespace {

constexpr int kStartMs = 60000;

// Takes the complete lines out of buffer, the last unfinished one stays.
void takeLines(QByteArray &buffer, QStringList &lines)
{
    for (;;) {
        const qsizetype end = buffer.indexOf('\n');
        if (end < 0)
            return;
        lines << QString::fromUtf8(buffer.left(end));
        buffer.remove(0, end + 1);
    }
}

// dbfread's values as the engine's rows write them.
const char *const kDbfreadScript = R"(
import sys, json, datetime
from dbfread import DBF
def text(v):
    if v is None: return ''
    if isinstance(v, bool): return 'T' if v else 'F'
    if isinstance(v, float) and v == int(v): return str(int(v))
    if isinstance(v, (datetime.date, datetime.datetime)): return v.isoformat()
    if isinstance(v, bytes): return v.decode('cp1250')
    return str(v)
out = []
for path in sys.argv[1:]:
    t = DBF(path, encoding='cp1250')
    out.append(['|'.join(text(v) for v in r.values()) for r in t])
print(json.dumps(out, ensure_ascii=False))
)";

} // namespace

QString KillPlan::describe() const
{
    switch (kind) {
    case Kind::Never:
        return QStringLiteral("not killed");
    case Kind::AfterUs:
        return QStringLiteral("killed %1 us after ready").arg(value);
    case Kind::AtStep:
        if (!pathTail.isEmpty())
            return QStringLiteral("killed before step %1 on ...%2").arg(value).arg(pathTail);
        return tear ? QStringLiteral("killed in step %1").arg(value)
                    : QStringLiteral("killed before step %1").arg(value);
    }
    return QString();
}

QString killPointLibrary()
{
    return QStringLiteral(VELMORA_KILLPOINT_LIBRARY);
}

ChildRun runChild(const QString &program, const QStringList &args, const KillPlan &plan)
{
    ChildRun run;
    QTemporaryDir countDir;
    const QString countFile = countDir.filePath(QStringLiteral("steps"));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (plan.kind != KillPlan::Kind::AfterUs) {
        env.insert(QStringLiteral("LD_PRELOAD"), killPointLibrary());
        env.insert(QStringLiteral("VELMORA_KILLPOINT"),
                   QString::number(plan.kind == KillPlan::Kind::AtStep ? plan.value : 0));
        env.insert(QStringLiteral("VELMORA_KILLPOINT_COUNT"), countFile);
        if (!plan.pathTail.isEmpty())
            env.insert(QStringLiteral("VELMORA_KILLPOINT_PATH"), plan.pathTail);
        if (plan.tear)
            env.insert(QStringLiteral("VELMORA_KILLPOINT_TEAR"), QStringLiteral("1"));
    }
    p.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    p.start(program, args);
    if (!p.waitForStarted(kStartMs)) {
        run.errors = QStringLiteral("cannot start %1: %2").arg(program, p.errorString());
        return run;
    }

    QByteArray out;
    bool ready = false;
    while (!ready && p.state() == QProcess::Running) {
        p.waitForReadyRead(100);
        out += p.readAllStandardOutput();
        const qsizetype at = out.indexOf("ready\n");
        if (at >= 0) {
            out.remove(at, 6);
            ready = true;
        } else if (clock.elapsed() > kStartMs) {
            break;
        }
    }
    run.readyUs = clock.nsecsElapsed() / 1000;
    if (ready && plan.kind == KillPlan::Kind::AfterUs) {
        // Waiting drains the child's output, so it never stalls on a full
        // pipe; the last stretch is slept, to kill closer to the moment.
        const qint64 deadline = run.readyUs + plan.value;
        for (;;) {
            const qint64 left = deadline - clock.nsecsElapsed() / 1000;
            if (left <= 0 || p.state() != QProcess::Running)
                break;
            if (left > 3000) {
                p.waitForReadyRead(int(left / 1000) - 2);
                out += p.readAllStandardOutput();
            } else {
                std::this_thread::sleep_for(std::chrono::microseconds(left));
            }
        }
        if (p.state() == QProcess::Running)
            ::kill(pid_t(p.processId()), SIGKILL);
    }
    if (!p.waitForFinished(kStartMs)) {
        p.kill();
        p.waitForFinished(kStartMs);
        run.errors += QStringLiteral("the child did not end in time\n");
    }
    run.workUs = clock.nsecsElapsed() / 1000 - run.readyUs;
    out += p.readAllStandardOutput();
    run.errors += QString::fromUtf8(p.readAllStandardError());
    takeLines(out, run.lines);
    run.killed = p.exitStatus() == QProcess::CrashExit;
    run.finished = !run.killed;
    run.exitCode = p.exitCode();
    if (!ready && !(run.killed && plan.kind == KillPlan::Kind::AtStep))
        run.errors += QStringLiteral("the child never said it was ready\n");
    QFile count(countFile);
    if (run.finished && count.open(QIODevice::ReadOnly))
        run.steps = count.readAll().trimmed().toLongLong();
    return run;
}

QStringList engineRows(const QString &path, std::vector<int> *physical)
{
    Table t;
    t.setPath(path);
    t.open(Table::Mode::ReadOnly);
    const QList<FieldDef> defs = t.fieldDefs();
    QStringList rows;
    for (t.first(); !t.eof(); t.next()) {
        QStringList values;
        for (int i = 0; i < int(defs.size()); ++i) {
            switch (defs[i].type) {
            case FieldType::Integer:
            case FieldType::AutoInc:
                values << (t.isNull(i) ? QString() : QString::number(t.asInteger(i)));
                break;
            case FieldType::Date:
                values << (t.asDate(i).isValid() ? t.asDate(i).toString(Qt::ISODate) : QString());
                break;
            case FieldType::Boolean:
                values << (t.isNull(i)
                               ? QString()
                               : (t.asBoolean(i) ? QStringLiteral("T") : QStringLiteral("F")));
                break;
            default:
                values << t.asString(i);
            }
        }
        rows << values.join(QLatin1Char('|'));
        if (physical)
            physical->push_back(t.recordNumber());
    }
    t.close();
    return rows;
}

QList<QStringList> dbfreadRows(const QStringList &paths, QString *problem)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            QStringList{QStringLiteral("-c"), QString::fromUtf8(kDbfreadScript)} + paths);
    p.waitForFinished(120000);
    const QByteArray out = p.readAllStandardOutput();
    QList<QStringList> tables;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *problem = QStringLiteral("dbfread failed: ") + QString::fromUtf8(p.readAllStandardError());
        return tables;
    }
    for (const QJsonValue &table : QJsonDocument::fromJson(out).array()) {
        QStringList rows;
        for (const QJsonValue &row : table.toArray())
            rows << row.toString();
        tables << rows;
    }
    if (tables.size() != paths.size())
        *problem =
            QStringLiteral("dbfread gave %1 tables for %2").arg(tables.size()).arg(paths.size());
    return tables;
}

quint64 digest(const QString &text)
{
    quint64 h = 1469598103934665603ull;
    for (const char c : text.toUtf8()) {
        h ^= quint8(c);
        h *= 1099511628211ull;
    }
    return h;
}

} // namespace velmora::test::crash
