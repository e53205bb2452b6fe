#include "exchange/Exporting.h"

#include "exchange/ExportInfo.h"
#include "exchange/Importing.h"
#include "platform/SettingsStore.h"
#include "printing/ReportText.h"
#include "storage/FileCopy.h"
#include "storage/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace velmora::exchange {
namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QString exportCatalogue(Catalogue catalogue, const QString &targetDir, const QString &owner,
                        const QDateTime &moment, const Progress &progress)
{
    const Kind &k = kind(catalogue);
    const QFileInfo dir(targetDir);
    if (!dir.isDir())
        return QStringLiteral("Adresář \"%1\" neexistuje.").arg(native(targetDir));
    if (!dir.isWritable())
        return QStringLiteral("Do adresáře \"%1\" nelze zapisovat.").arg(native(targetDir));
    const QString problem = ownerNameProblem(owner);
    if (!problem.isEmpty())
        return QStringLiteral("Jméno vlastníka dat nelze použít: %1").arg(problem);

    int done = 0;
    for (const SetFile &f : k.files) {
        const QString source = Paths::dataFile(f.table);
        const QString target = targetDir + QLatin1Char('/') + f.exported;
        if (f.optional && !QFileInfo::exists(source)) {
            // A stale index of an earlier export would travel with new data.
            QFile::remove(target);
        } else {
            QString failed = filecopy::copy(source, target, [&](qint64 part, qint64 total) {
                progress(done + (total > 0 ? double(part) / double(total) : 1.0));
            });
            if (failed.isEmpty() && f.table.endsWith(QStringLiteral(".dbf"))) {
                int copied = -1, original = -1;
                failed = layoutProblem(target, f.table, &copied);
                if (failed.isEmpty())
                    layoutProblem(source, f.table, &original);
                if (failed.isEmpty() && copied != original)
                    failed = QStringLiteral("Kopie tabulky \"%1\" nemá všechny záznamy originálu.")
                                 .arg(native(target));
            }
            if (!failed.isEmpty())
                return failed;
        }
        progress(++done);
    }

    QSaveFile info(targetDir + QLatin1Char('/') + k.infoFile);
    if (!info.open(QIODevice::WriteOnly) ||
        info.write(infoFileBytes(moment, report::versionText(), owner)) < 0 || !info.commit())
        return QStringLiteral("Informační soubor \"%1\" nelze zapsat: %2")
            .arg(native(info.fileName()), info.errorString());
    return QString();
}

} // namespace velmora::exchange
