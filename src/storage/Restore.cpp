#include "storage/Restore.h"

#include "engine/Table.h"
#include "storage/Backup.h"
#include "storage/DateText.h"
#include "storage/FileCopy.h"
#include "storage/Interrupted.h"
#include "storage/Paths.h"
#include "storage/Schemas.h"
#include "storage/SetManifest.h"
#include "system/Version.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <optional>

namespace velmora::backup {
namespace {

QString safetyPrefix(Set set)
{
    return set == Set::Cassettes ? QStringLiteral("Pred_obnovou_VK_")
                                 : QStringLiteral("Pred_obnovou_CD_");
}

constexpr auto kMomentFormat = "yyyy-MM-dd_HH-mm-ss";

// A name in ZALOHA for a new directory of the live files, after the moment;
// empty when there is none free.
QString freeSafetyDir(Set set, const QDateTime &moment)
{
    const QString base =
        QDir(Paths::zalohaDir())
            .absoluteFilePath(safetyPrefix(set) + moment.toString(QLatin1String(kMomentFormat)));
    for (int n = 1; n < 100; ++n) {
        const QString dir = n == 1 ? base : base + QLatin1Char('_') + QString::number(n);
        if (!filecopy::entryExists(dir))
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

// Whether the members of the set in source were written together: by the
// manifest where the set has one, otherwise by what the files say of
// themselves (a table changed after its status file; memos outside the
// memo file). Empty when they were.
QString togetherProblem(Set set, const QString &source, std::optional<manifest::Manifest> &sums)
{
    QString problem;
    sums = manifest::read(source, statusFileName(set), problem);
    if (!problem.isEmpty())
        return problem;
    if (sums) {
        problem = manifest::sizesProblem(*sums, source, statusFileName(set));
    } else if (const Status status = readStatus(source, set); status.exists) {
        const QDate written = parseShortDate(status.date.trimmed());
        for (const Member &m : members(set))
            if (m.table && problem.isEmpty())
                problem = manifest::tableAfterMarkerProblem(findInDir(source, m.stored), written);
    }
    for (const Member &m : members(set))
        if (m.table && problem.isEmpty())
            problem = schema::memoProblem(findInDir(source, m.stored));
    return problem;
}

// Removes the oldest safety copies of the set beyond those kept; returns
// the directories removed.
QStringList keepNewestSafetyCopies(Set set)
{
    QStringList removed;
    const QStringList all = safetyCopies(set);
    for (qsizetype i = kSafetyCopiesKept; i < all.size(); ++i) {
        // Only a directory of ours, never what a link there leads to.
        if (!QFileInfo(all[i]).isSymLink() && QDir(all[i]).removeRecursively())
            removed << all[i];
    }
    return removed;
}

} // namespace

QStringList safetyCopies(Set set)
{
    const QDir zaloha(Paths::zalohaDir());
    const QString prefix = safetyPrefix(set);
    struct Copy
    {
        QDateTime moment;
        int n;
        QString path;
    };
    QList<Copy> copies;
    for (const QString &name :
         zaloha.entryList({prefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString rest = name.mid(prefix.size());
        const QDateTime moment = QDateTime::fromString(rest.left(19), QLatin1String(kMomentFormat));
        if (!moment.isValid())
            continue;
        const int n = rest.size() > 20 ? rest.mid(20).toInt() : 1;
        copies.append({moment, n, zaloha.absoluteFilePath(name)});
    }
    std::sort(copies.begin(), copies.end(), [](const Copy &a, const Copy &b) {
        return a.moment != b.moment ? a.moment > b.moment : a.n > b.n;
    });
    QStringList out;
    for (const Copy &c : copies)
        out << c.path;
    return out;
}

QString checkSet(Set set, const QString &source)
{
    if (!QFileInfo(source).isDir())
        return QStringLiteral("Adresář \"%1\" neexistuje.").arg(Paths::native(source));
    for (const Member &m : members(set)) {
        const QString file = findInDir(source, m.stored);
        if (file.isEmpty()) {
            if (m.optional)
                continue;
            return QStringLiteral("V záloze chybí soubor \"%1\".")
                .arg(Paths::native(QDir(source).filePath(m.stored)));
        }
        if (QString problem = filecopy::regularFileProblem(file); !problem.isEmpty())
            return problem;
        if (!QFileInfo(file).isReadable())
            return QStringLiteral("Soubor \"%1\" nelze číst.").arg(Paths::native(file));
        QString problem;
        if (m.table && checkedRecords(file, m, problem) < 0)
            return problem;
    }
    std::optional<manifest::Manifest> sums;
    return togetherProblem(set, source, sums);
}

RestoreResult restoreSet(Set set, const QString &source, const QDateTime &moment,
                         const std::function<void(double files)> &progress)
{
    RestoreResult r;
    r.problem = checkSet(set, source);
    if (!r.problem.isEmpty())
        return r;
    std::optional<manifest::Manifest> sums;
    togetherProblem(set, source, sums);

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
    interrupted::FileReplacement work{r.safetyDir, false, {}, {}, {}};
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
                        .arg(Paths::native(Paths::zalohaDir()));
        return r;
    }

    // The safety copy: every live file of the set there is, kept as a backup
    // set of its own, so that the restore screen can bring it back.
    QList<bool> existed;
    for (const Member &m : set_)
        existed << QFileInfo::exists(Paths::dataFile(m.live));
    r.problem = keepLiveFiles(set, r.safetyDir, moment, version::kText, tell);
    if (!r.problem.isEmpty()) {
        QDir(r.safetyDir).removeRecursively(); // the live files are untouched
        interrupted::doneReplacement(Paths::dataDir());
        r.safetyDir.clear();
        return r;
    }
    tell(n);

    // From here on a program stopped half way leaves a mix of the two
    // sets; the note lets its next start put the safety copy back.
    work.replacing = true;
    for (int i = 0; i < set_.size(); ++i) {
        (existed[i] ? work.existing : work.missing) << set_[i].live;
        work.asideNames.insert(set_[i].live, set_[i].stored);
    }
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
                r.problem =
                    QStringLiteral("Soubor \"%1\" nelze odstranit.").arg(Paths::native(live));
        } else {
            QByteArray digest;
            r.problem =
                filecopy::copy(stored, live,
                               [&](qint64 part, qint64 total) {
                                   tell(n + i + (total > 0 ? double(part) / double(total) : 1.0));
                               },
                               {filecopy::Source::Foreign, false, &digest});
            if (r.problem.isEmpty() && sums)
                r.problem = manifest::digestProblem(*sums, m.stored, digest, stored);
            QString layout;
            if (r.problem.isEmpty() && m.table &&
                checkedRecords(live, m, layout) != checkedRecords(stored, m, layout))
                r.problem = QStringLiteral("Obnovená tabulka \"%1\" nemá všechny záznamy zálohy.")
                                .arg(Paths::native(live));
        }
        tell(n + i + 1);
    }
    if (r.problem.isEmpty()) {
        interrupted::doneReplacement(Paths::dataDir());
        r.oldFormat = set == Set::Cassettes && narrowGenres(Paths::dataFile(set_[0].live));
        r.removedSafetyDirs = keepNewestSafetyCopies(set);
        return r;
    }

    // Half-way: every live file goes back to what the safety copy holds.
    for (int i = 0; i < set_.size(); ++i) {
        const QString live = Paths::dataFile(set_[i].live);
        if (existed[i]) {
            if (!filecopy::copy(QDir(r.safetyDir).filePath(set_[i].stored), live).isEmpty())
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
