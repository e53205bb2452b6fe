#include "transfer/Exporting.h"

#include "engine/Table.h"
#include "storage/FileCopy.h"
#include "storage/Paths.h"
#include "storage/Schemas.h"
#include "storage/SetManifest.h"
#include "storage/StagedSet.h"
#include "system/SettingsStore.h"
#include "transfer/ExportInfo.h"
#include "transfer/Importing.h"
#include "writer/ReportText.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velmora::exchange {

staged::SetFiles exportFiles(Catalogue catalogue, const QString &dir)
{
    const Kind &k = kind(catalogue);
    staged::SetFiles files{dir, {}, k.infoFile};
    for (const SetFile &f : k.files)
        files.members << f.exported;
    files.members << manifest::fileName(k.infoFile);
    return files;
}

QString exportCatalogue(Catalogue catalogue, const QString &targetDir, const QString &owner,
                        const QDateTime &moment, const Progress &progress)
{
    const Kind &k = kind(catalogue);
    const QFileInfo dir(targetDir);
    if (!dir.isDir())
        return QStringLiteral("Adresář \"%1\" neexistuje.").arg(Paths::native(targetDir));
    if (!dir.isWritable())
        return QStringLiteral("Do adresáře \"%1\" nelze zapisovat.").arg(Paths::native(targetDir));
    const QString problem = ownerNameProblem(owner);
    if (!problem.isEmpty())
        return QStringLiteral("Jméno vlastníka dat nelze použít: %1").arg(problem);

    // The own tables are checked before anything is written: a table that
    // does not read is the cause to tell, not a copy that then lacks records.
    qint64 needed = 64 * 1024;
    for (const SetFile &f : k.files) {
        const QString source = Paths::dataFile(f.table);
        if (f.optional && !QFileInfo::exists(source))
            continue;
        if (QString p = filecopy::regularFileProblem(source, filecopy::Source::Own); !p.isEmpty())
            return p;
        if (f.table.endsWith(QStringLiteral(".dbf")))
            if (QString p = layoutProblem(source, f.table); !p.isEmpty())
                return QStringLiteral("Vlastní databázi nelze exportovat: %1").arg(p);
        needed += QFileInfo(source).size();
    }

    // A new export replaces the whole earlier one beside it, or nothing.
    const staged::SetFiles files = exportFiles(catalogue, targetDir);
    if (QString p = staged::recover(files); !p.isEmpty())
        return p;
    filecopy::discardUnfinished(targetDir);
    if (const qint64 free = filecopy::freeSpace(targetDir); free >= 0 && free < needed)
        return filecopy::noRoomMessage(targetDir, needed, free) +
               QStringLiteral(" Předchozí export v adresáři zůstal beze změny.");
    if (QString p = staged::begin(files); !p.isEmpty())
        return p;
    const QString staging = staged::stagingDir(files);
    // Files are named where the user will look for them, not in the work
    // directory.
    const auto fail = [&](QString message) {
        staged::abandon(files);
        return message.replace(Paths::native(staging), Paths::native(targetDir));
    };

    manifest::Manifest sums;
    int done = 0;
    for (const SetFile &f : k.files) {
        const QString source = Paths::dataFile(f.table);
        const QString copy = QDir(staging).filePath(f.exported);
        const QString shown = QDir(targetDir).filePath(f.exported);
        if (!f.optional || QFileInfo::exists(source)) {
            QByteArray digest;
            QString failed = filecopy::copy(
                source, copy,
                [&](qint64 part, qint64 total) {
                    progress(done + (total > 0 ? double(part) / double(total) : 1.0));
                },
                {filecopy::Source::Own, true, &digest});
            if (failed.isEmpty() && f.table.endsWith(QStringLiteral(".dbf"))) {
                int copied = -1, original = -1;
                failed = layoutProblem(copy, f.table, &copied);
                if (failed.isEmpty())
                    failed = layoutProblem(source, f.table, &original);
                if (failed.isEmpty() && copied != original)
                    failed = QStringLiteral("Kopie tabulky \"%1\" nemá všechny záznamy originálu.")
                                 .arg(Paths::native(shown));
            }
            if (!failed.isEmpty())
                return fail(failed);
            sums.entries.append({f.exported, QFileInfo(copy).size(), digest});
        }
        progress(++done);
    }
    if (catalogue == Catalogue::Cassettes)
        if (QString p = schema::memoProblem(QDir(staging).filePath(k.listedFile)); !p.isEmpty())
            return fail(p);

    const QByteArray info = infoFileBytes(moment, report::versionText(), owner);
    sums.markerMd5 = QCryptographicHash::hash(info, QCryptographicHash::Md5);
    for (const auto &[name, bytes] :
         {std::pair{manifest::fileName(k.infoFile), manifest::bytes(sums)},
          std::pair{k.infoFile, info}})
        if (QString p = filecopy::writeWhole(QDir(staging).filePath(name), bytes); !p.isEmpty())
            return fail(p);
    if (QString p = staged::commit(files); !p.isEmpty())
        return fail(p);
    return QString();
}

} // namespace velmora::exchange
