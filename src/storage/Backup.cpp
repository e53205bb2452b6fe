#include "storage/Backup.h"

#include "engine/Table.h"
#include "storage/FileCopy.h"
#include "storage/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace velmora::backup {
namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The record count of a table, or -1 when it does not open.
int records(const QString &path)
{
    try {
        Table t;
        t.setPath(path);
        t.open(Table::Mode::ReadOnly);
        const int n = t.recordCount();
        t.close();
        return n;
    } catch (const std::exception &) {
        return -1;
    }
}

} // namespace

QString makeBackup(Set set, const QString &target, const QDateTime &moment, const QString &version,
                   const std::function<void(double files)> &progress)
{
    const QFileInfo dir(target);
    if (!dir.isDir())
        return QStringLiteral("Adresář \"%1\" neexistuje.").arg(native(target));
    if (!dir.isWritable())
        return QStringLiteral("Do adresáře \"%1\" nelze zapisovat.").arg(native(target));
    for (const Member &m : members(set))
        if (!m.optional && !QFileInfo::exists(Paths::dataFile(m.live)))
            return QStringLiteral("Soubor \"%1\" chybí, zálohu nelze provést.")
                .arg(native(Paths::dataFile(m.live)));

    // Copies that a backup stopped half way left there.
    filecopy::discardUnfinished(target);
    const QString oldStatus = findInDir(target, statusFileName(set));
    if (!oldStatus.isEmpty() && !QFile::remove(oldStatus))
        return QStringLiteral("Soubor \"%1\" nelze přepsat.").arg(native(oldStatus));

    int done = 0;
    const auto tell = [&](double files) {
        if (progress)
            progress(files);
    };
    for (const Member &m : members(set)) {
        const QString source = Paths::dataFile(m.live);
        // A member spelt in other capitals would stand beside the new one.
        const QString existing = findInDir(target, m.stored);
        const QString copy = QDir(target).filePath(m.stored);
        if (!existing.isEmpty() && existing != copy)
            QFile::remove(existing);
        if (!QFileInfo::exists(source)) {
            QFile::remove(copy); // an index of an earlier backup must not travel on
        } else {
            QString problem = filecopy::copy(source, copy, [&](qint64 part, qint64 total) {
                tell(done + (total > 0 ? double(part) / double(total) : 1.0));
            });
            if (problem.isEmpty() && m.table && records(copy) != records(source))
                problem = QStringLiteral("Kopie tabulky \"%1\" nemá všechny záznamy originálu.")
                              .arg(native(copy));
            if (!problem.isEmpty())
                return problem;
        }
        tell(++done);
    }

    QSaveFile status(QDir(target).filePath(statusFileName(set)));
    if (!status.open(QIODevice::WriteOnly) || status.write(statusBytes(moment, version)) < 0 ||
        !status.commit())
        return QStringLiteral("Soubor \"%1\" nelze zapsat: %2")
            .arg(native(status.fileName()), status.errorString());
    return QString();
}

} // namespace velmora::backup
