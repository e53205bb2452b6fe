#include "backup/Restore.h"

#include "engine/Table.h"
#include "storage/FileCopy.h"
#include "storage/Interrupted.h"
#include "storage/Paths.h"
#include "storage/Schemas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velmora::backup {
namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A name in ZALOHA for a new directory of the live files, after the moment;
// empty when there is none free.
QString freeSafetyDir(Set set, const QDateTime &moment)
{
    const QString base =
        QDir(Paths::zalohaDir())
            .absoluteFilePath((set == Set::Cassettes ? QStringLiteral("Pred_obnovou_VK_")
                                                     : QStringLiteral("Pred_obnovou_CD_")) +
                              moment.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")));
    for (int n = 1; n < 100; ++n) {
        const QString dir = n == 1 ? base : base + QLatin1Char('_') + QString::number(n);
        if (!QFileInfo::exists(dir))
            return dir;
    }
    return QString();
}

// The count of records, checked against the table's own header; -1 with
// problem set when it does not open as one of ours.
int checkedRecords(const QString &path, const Member &m, QString &problem)
{
    const TableSchema *ours = schema::byFileName(m.live);
    int records = -1;
    problem = ours ? schema::layoutProblem(path, *ours, &records) : QString();
    return problem.isEmpty() ? records : -1;
}

bool narrowGenres(const QString &path)
{
    try {
        Table t;
        t.setPath(path);
        t.open(Table::Mode::ReadOnly);
        const bool narrow = t.fieldCount() >= 4 && t.fieldWidth(t.fieldName(3)) < 15; // zanr1
        t.close();
        return narrow;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace

QString checkSet(Set set, const QString &source)
{
    if (!QFileInfo(source).isDir())
        return QStringLiteral("Adresář \"%1\" neexistuje.").arg(native(source));
    for (const Member &m : members(set)) {
        const QString file = findInDir(source, m.stored);
        if (file.isEmpty()) {
            if (m.optional)
                continue;
            return QStringLiteral("V záloze chybí soubor \"%1\".")
                .arg(native(QDir(source).filePath(m.stored)));
        }
        if (!QFileInfo(file).isReadable())
            return QStringLiteral("Soubor \"%1\" nelze číst.").arg(native(file));
        QString problem;
        if (m.table && checkedRecords(file, m, problem) < 0)
            return problem;
    }
    return QString();
}

RestoreResult restoreSet(Set set, const QString &source, const QDateTime &moment,
                         const std::function<void(double files)> &progress)
{
    RestoreResult r;
    r.problem = checkSet(set, source);
    if (!r.problem.isEmpty())
        return r;

    const QList<Member> &set_ = members(set);
    const double n = set_.size();
    // Half of the gauge for the safety copy, half for the restore itself:
    // the steps run to twice the files of the set.
    const auto tell = [&](double steps) {
        if (progress)
            progress(steps / 2);
    };

    // A safety copy cut short must not pass for a whole one: the note, made
    // before its directory, lets the next start remove it.
    r.safetyDir = freeSafetyDir(set, moment);
    interrupted::FileReplacement work{r.safetyDir, false, {}, {}};
    if (!r.safetyDir.isEmpty()) {
        r.problem = interrupted::noteReplacement(Paths::dataDir(), work);
        if (!r.problem.isEmpty()) {
            r.safetyDir.clear();
            return r;
        }
        QDir().mkpath(Paths::zalohaDir());
        if (!QDir().mkdir(r.safetyDir)) {
            interrupted::doneReplacement(Paths::dataDir());
            r.safetyDir.clear();
        }
    }
    if (r.safetyDir.isEmpty()) {
        r.problem = QStringLiteral("V adresáři \"%1\" nelze vytvořit adresář pro kopii "
                                   "současných dat.")
                        .arg(native(Paths::zalohaDir()));
        return r;
    }

    // The safety copy: every live file of the set there is, verified.
    QList<bool> existed;
    for (int i = 0; i < set_.size(); ++i) {
        const Member &m = set_[i];
        const QString live = Paths::dataFile(m.live);
        existed << QFileInfo::exists(live);
        if (existed.last()) {
            const QString copy = QDir(r.safetyDir).filePath(m.live);
            QString problem = filecopy::copy(live, copy, [&](qint64 part, qint64 total) {
                tell(i + (total > 0 ? double(part) / double(total) : 1.0));
            });
            QString layout;
            if (problem.isEmpty() && m.table &&
                checkedRecords(copy, m, layout) != checkedRecords(live, m, layout))
                problem = QStringLiteral("Kopie tabulky \"%1\" nemá všechny záznamy originálu.")
                              .arg(native(copy));
            if (!problem.isEmpty()) {
                QDir(r.safetyDir).removeRecursively(); // the live files are untouched
                interrupted::doneReplacement(Paths::dataDir());
                r.safetyDir.clear();
                r.problem = problem;
                return r;
            }
        }
        tell(i + 1);
    }

    // From here on a program stopped half way leaves a mix of the two
    // sets; the note lets its next start put the safety copy back.
    work.replacing = true;
    for (int i = 0; i < set_.size(); ++i)
        (existed[i] ? work.existing : work.missing) << set_[i].live;
    r.problem = interrupted::noteReplacement(Paths::dataDir(), work);
    if (!r.problem.isEmpty()) {
        QDir(r.safetyDir).removeRecursively(); // the live files are untouched
        interrupted::doneReplacement(Paths::dataDir());
        r.safetyDir.clear();
        return r;
    }

    // The restore: each live file replaced whole, or removed when the set
    // has no such optional member (an index of other data must not stay).
    for (int i = 0; i < set_.size() && r.problem.isEmpty(); ++i) {
        const Member &m = set_[i];
        const QString live = Paths::dataFile(m.live);
        const QString stored = findInDir(source, m.stored);
        if (stored.isEmpty()) {
            if (QFileInfo::exists(live) && !QFile::remove(live))
                r.problem = QStringLiteral("Soubor \"%1\" nelze odstranit.").arg(native(live));
        } else {
            r.problem = filecopy::copy(stored, live, [&](qint64 part, qint64 total) {
                tell(n + i + (total > 0 ? double(part) / double(total) : 1.0));
            });
            QString layout;
            if (r.problem.isEmpty() && m.table &&
                checkedRecords(live, m, layout) != checkedRecords(stored, m, layout))
                r.problem = QStringLiteral("Obnovená tabulka \"%1\" nemá všechny záznamy zálohy.")
                                .arg(native(live));
        }
        tell(n + i + 1);
    }
    if (r.problem.isEmpty()) {
        interrupted::doneReplacement(Paths::dataDir());
        r.oldFormat = set == Set::Cassettes && narrowGenres(Paths::dataFile(set_[0].live));
        return r;
    }

    // Half-way: every live file goes back to what the safety copy holds.
    for (int i = 0; i < set_.size(); ++i) {
        const QString live = Paths::dataFile(set_[i].live);
        if (existed[i]) {
            if (!filecopy::copy(QDir(r.safetyDir).filePath(set_[i].live), live).isEmpty())
                r.putBack = false;
        } else if (QFileInfo::exists(live) && !QFile::remove(live)) {
            r.putBack = false;
        }
    }
    // Files not put back stay noted: the next start tries again.
    if (r.putBack) {
        interrupted::doneReplacement(Paths::dataDir());
        QDir(r.safetyDir).removeRecursively(); // it holds what the live files hold again
        r.safetyDir.clear();
    }
    return r;
}

} // namespace velmora::backup
