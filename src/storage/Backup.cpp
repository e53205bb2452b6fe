#include "storage/Backup.h"

#include "engine/Table.h"
#include "storage/FileCopy.h"
#include "storage/Paths.h"
#include "storage/Schemas.h"
#include "storage/SetManifest.h"
#include "storage/StagedSet.h"
#include "storage/TableFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velmora::backup {
namespace {

// The record count of a table, or -1 when it does not open.
int records(const QString &path)
{
    try {
        return readOnlyRecordCount(path);
    } catch (const std::exception &) {
        return -1;
    }
}

// A small margin for the status file, the manifest and the directories.
constexpr qint64 kSmallFiles = 64 * 1024;

QString makeSet(Set set, const QString &target, const QDateTime &moment, const QString &version,
                const std::function<void(double files)> &progress, bool wholeLiveSet)
{
    const QFileInfo dir(target);
    if (!dir.isDir())
        return QStringLiteral("Adresář \"%1\" neexistuje.").arg(Paths::native(target));
    if (!dir.isWritable())
        return QStringLiteral("Do adresáře \"%1\" nelze zapisovat.").arg(Paths::native(target));
    qint64 needed = kSmallFiles;
    for (const Member &m : members(set)) {
        const QString live = Paths::dataFile(m.live);
        if (!QFileInfo::exists(live)) {
            if (m.optional || !wholeLiveSet)
                continue;
            return QStringLiteral("Soubor \"%1\" chybí, zálohu nelze provést.")
                .arg(Paths::native(live));
        }
        if (QString problem = filecopy::regularFileProblem(live, filecopy::Source::Own);
            !problem.isEmpty())
            return problem;
        needed += QFileInfo(live).size();
    }

    const staged::SetFiles files = setFiles(set, target);
    if (QString problem = staged::recover(files); !problem.isEmpty())
        return problem;
    // Copies that a backup stopped half way left there.
    filecopy::discardUnfinished(target);
    if (const qint64 free = filecopy::freeSpace(target); free >= 0 && free < needed)
        return filecopy::noRoomMessage(target, needed, free) +
               QStringLiteral(" Nová záloha se vedle předchozí nevejde; předchozí záloha v "
                              "adresáři zůstala beze změny.");
    if (QString problem = staged::begin(files); !problem.isEmpty())
        return problem;
    const QString staging = staged::stagingDir(files);
    // Files are named where the user will look for them, not in the work
    // directory.
    const auto fail = [&](QString problem) {
        staged::abandon(files);
        return problem.replace(Paths::native(staging), Paths::native(target));
    };

    manifest::Manifest sums;
    int done = 0;
    const auto tell = [&](double f) {
        if (progress)
            progress(f);
    };
    for (const Member &m : members(set)) {
        const QString source = Paths::dataFile(m.live);
        if (QFileInfo::exists(source)) {
            const QString copy = QDir(staging).filePath(m.stored);
            QByteArray digest;
            QString problem =
                filecopy::copy(source, copy,
                               [&](qint64 part, qint64 total) {
                                   tell(done + (total > 0 ? double(part) / double(total) : 1.0));
                               },
                               {filecopy::Source::Own, true, &digest});
            if (problem.isEmpty() && m.table && records(copy) != records(source))
                problem = QStringLiteral("Kopie tabulky \"%1\" nemá všechny záznamy originálu.")
                              .arg(Paths::native(QDir(target).filePath(m.stored)));
            if (!problem.isEmpty())
                return fail(problem);
            sums.entries.append({m.stored, QFileInfo(copy).size(), digest});
        }
        tell(++done);
    }
    // With every member there: a table's memos must lie in the memo file
    // that goes with it.
    for (const Member &m : members(set))
        if (m.table && QFileInfo::exists(QDir(staging).filePath(m.stored)))
            if (QString problem = schema::memoProblem(QDir(staging).filePath(m.stored));
                !problem.isEmpty())
                return fail(problem);

    const QByteArray status = statusBytes(moment, version);
    sums.markerMd5 = QCryptographicHash::hash(status, QCryptographicHash::Md5);
    const QString manifestName = manifest::fileName(statusFileName(set));
    for (const auto &[name, bytes] :
         {std::pair{manifestName, manifest::bytes(sums)}, std::pair{statusFileName(set), status}})
        if (QString problem = filecopy::writeWhole(QDir(staging).filePath(name), bytes);
            !problem.isEmpty())
            return fail(problem);
    if (QString problem = staged::commit(files); !problem.isEmpty())
        return fail(problem);
    return QString();
}

} // namespace

QString makeBackup(Set set, const QString &target, const QDateTime &moment, const QString &version,
                   const std::function<void(double files)> &progress)
{
    return makeSet(set, target, moment, version, progress, true);
}

QString keepLiveFiles(Set set, const QString &target, const QDateTime &moment,
                      const QString &version, const std::function<void(double files)> &progress)
{
    return makeSet(set, target, moment, version, progress, false);
}

QString recoverBackup(Set set, const QString &dir)
{
    return staged::recover(setFiles(set, dir));
}

} // namespace velmora::backup
