#include "transfer/Importing.h"

#include "engine/DbError.h"
#include "engine/Table.h"
#include "storage/DateText.h"
#include "storage/FileCopy.h"
#include "storage/Paths.h"
#include "storage/Schemas.h"
#include "storage/SetManifest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <optional>

namespace velmora::exchange {
namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

const TableSchema &ourSchema(const QString &table)
{
    static const TableSchema cassettes = schema::cassettes();
    static const TableSchema titles = schema::cdTitles();
    static const TableSchema tracks = schema::cdTracks();
    if (table.compare(titles.fileName, Qt::CaseInsensitive) == 0)
        return titles;
    if (table.compare(tracks.fileName, Qt::CaseInsensitive) == 0)
        return tracks;
    return cassettes;
}

QString externi()
{
    return QDir(Paths::externiDir()).absolutePath();
}

// Whether path is a directory strictly inside EXTERNI, links resolved.
bool insideExterni(const QString &path)
{
    const QString dir = QFileInfo(path).canonicalFilePath();
    const QString root = QFileInfo(externi()).canonicalFilePath();
    return !dir.isEmpty() && !root.isEmpty() && dir.startsWith(root + QLatin1Char('/'));
}

// Removes the table files of a catalogue directory, then the directory.
// False when the directory is still there.
bool removeSetDirectory(Catalogue catalogue, const QString &dir)
{
    if (!insideExterni(dir))
        return false;
    for (const SetFile &f : kind(catalogue).files)
        QFile::remove(dir + QLatin1Char('/') + f.table);
    return QDir().rmdir(dir);
}

// Whether the files of the export were written together: by its manifest
// where it has one, otherwise by what they say of themselves (a table
// changed after the information file's date, memos outside the memo file).
QString togetherProblem(Catalogue catalogue, const QString &exportDir, const ExportInfo &info,
                        std::optional<manifest::Manifest> &sums)
{
    const Kind &k = kind(catalogue);
    QString problem;
    sums = manifest::read(exportDir, k.infoFile, problem);
    if (!problem.isEmpty())
        return problem;
    if (sums) {
        problem = manifest::sizesProblem(*sums, exportDir, k.infoFile);
    } else {
        for (const SetFile &f : k.files)
            if (problem.isEmpty() && f.table.endsWith(QStringLiteral(".dbf")))
                problem = manifest::tableAfterMarkerProblem(
                    exportDir + QLatin1Char('/') + f.exported, parseShortDate(info.date));
    }
    if (problem.isEmpty() && catalogue == Catalogue::Cassettes)
        problem = schema::memoProblem(exportDir + QLatin1Char('/') + k.listedFile);
    return problem;
}

// Copies the export's set under the table names into a new directory inside
// EXTERNI and verifies it there. Empty on success, with staging set.
QString stage(Catalogue catalogue, const QString &exportDir, const ExportInfo &info,
              const Progress &progress, QString &staging)
{
    std::optional<manifest::Manifest> sums;
    if (QString problem = togetherProblem(catalogue, exportDir, info, sums); !problem.isEmpty())
        return problem;
    QTemporaryDir dir(externi() + QStringLiteral("/.import-XXXXXX"));
    if (!dir.isValid())
        return QStringLiteral("V adresáři \"%1\" nelze vytvořit pracovní adresář: %2")
            .arg(native(externi()), dir.errorString());
    int done = 0;
    for (const SetFile &f : kind(catalogue).files) {
        const QString source = exportDir + QLatin1Char('/') + f.exported;
        if (!f.optional || filecopy::entryExists(source)) {
            QByteArray digest;
            QString problem = filecopy::copy(
                source, dir.filePath(f.table),
                [&](qint64 part, qint64 total) {
                    progress(done + (total > 0 ? double(part) / double(total) : 1.0));
                },
                {filecopy::Source::Foreign, false, &digest});
            if (problem.isEmpty() && sums)
                problem = manifest::digestProblem(*sums, f.exported, digest, source);
            if (!problem.isEmpty())
                return problem;
        }
        progress(++done);
    }
    for (const SetFile &f : kind(catalogue).files) {
        if (!f.table.endsWith(QStringLiteral(".dbf")))
            continue;
        int copied = -1, original = -1;
        QString problem = layoutProblem(dir.filePath(f.table), f.table, &copied);
        if (problem.isEmpty())
            problem = layoutProblem(exportDir + QLatin1Char('/') + f.exported, f.table, &original);
        if (problem.isEmpty() && copied != original)
            problem = QStringLiteral("Kopie tabulky \"%1\" nemá všechny záznamy originálu.")
                          .arg(native(dir.filePath(f.table)));
        if (!problem.isEmpty())
            return problem;
    }
    dir.setAutoRemove(false);
    staging = dir.path();
    return QString();
}

void discard(const QString &dir)
{
    if (!dir.isEmpty() && insideExterni(dir))
        QDir(dir).removeRecursively();
}

// Where an owner's catalogue waits while its replacement moves in: named
// after its directory, so that a program stopped between the two renames
// finds it and puts it back (discardStaleWork).
const QString kAside = QStringLiteral(".aside-");

QString asideOf(const QString &target)
{
    return externi() + QLatin1Char('/') + kAside + QFileInfo(target).fileName();
}

void openRegister(Table &t, Catalogue catalogue)
{
    t.setPath(registerPath(catalogue));
    if (!t.exists())
        t.create(registerFields());
    t.open();
}

// The register record of owner, made current; false when there is none.
bool findOwner(Table &t, const QString &owner)
{
    for (t.first(); !t.eof(); t.next())
        if (t.asString(QStringLiteral("User")) == owner)
            return true;
    return false;
}

QString registerProblem(const std::exception &e)
{
    return QStringLiteral("Záznam seznamu importovaných databází nelze zapsat: %1")
        .arg(QString::fromUtf8(e.what()));
}

} // namespace

void discardStaleWork()
{
    // A catalogue set aside goes back when its replacement never arrived,
    // and is done with when it did.
    const QStringList aside = QDir(externi()).entryList(
        {kAside + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &d : aside) {
        const QString old = externi() + QLatin1Char('/') + d;
        const QString target = externi() + QLatin1Char('/') + d.mid(kAside.size());
        if (QFileInfo::exists(target))
            discard(old);
        else
            QDir().rename(old, target); // failing, it stays for the next time
    }
    const QStringList dirs = QDir(externi()).entryList(
        {QStringLiteral(".import-*")}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &d : dirs)
        discard(externi() + QLatin1Char('/') + d);
}

QString layoutProblem(const QString &path, const QString &ourTable, int *records)
{
    return schema::layoutProblem(path, ourSchema(ourTable), records);
}

Candidate inspect(Catalogue catalogue, const QString &exportDir)
{
    Candidate c;
    const Kind &k = kind(catalogue);
    QString problem;
    c.hasInfo = readInfoFile(exportDir + QLatin1Char('/') + k.infoFile, c.info, problem);
    if (!c.hasInfo) {
        c.problem = problem;
        return c;
    }
    const QString table = exportDir + QLatin1Char('/') + k.listedFile;
    // What is not a regular file is never opened: a pipe would hang here.
    for (const SetFile &f : k.files) {
        const QString path = exportDir + QLatin1Char('/') + f.exported;
        if (!filecopy::entryExists(path))
            continue; // a missing one is told below
        c.problem = filecopy::regularFileProblem(path);
        if (!c.problem.isEmpty())
            return c;
    }
    try {
        Table t;
        t.setPath(table);
        t.open(Table::Mode::ReadOnly);
        c.fields = t.fieldCount();
        c.records = t.recordCount();
        t.close();
    } catch (const std::exception &e) {
        c.problem = QStringLiteral("Tabulku \"%1\" nelze přečíst: %2")
                        .arg(native(table), QString::fromUtf8(e.what()));
        return c;
    }
    for (const SetFile &f : k.files) {
        const QString path = exportDir + QLatin1Char('/') + f.exported;
        if (!f.optional && !QFileInfo::exists(path)) {
            c.problem = QStringLiteral("V exportu chybí soubor \"%1\".").arg(native(path));
            return c;
        }
        if (f.table.endsWith(QStringLiteral(".dbf"))) {
            c.problem = layoutProblem(path, f.table);
            if (!c.problem.isEmpty())
                return c;
        }
    }
    std::optional<manifest::Manifest> sums;
    c.problem = togetherProblem(catalogue, exportDir, c.info, sums);
    if (!c.problem.isEmpty())
        return c;
    c.allowed = true;
    return c;
}

ImportResult importCatalogue(Catalogue catalogue, const QString &exportDir, const ExportInfo &info,
                             const std::function<bool()> &replace, const Progress &progress,
                             QString &problem)
{
    problem.clear();
    const QString owner = ownerKey(info.owner);
    problem = ownerNameProblem(owner);
    if (!problem.isEmpty())
        return ImportResult::Failed;
    const QDate exported = parseShortDate(info.date);
    if (!exported.isValid()) {
        problem = QStringLiteral("Datum exportu \"%1\" nelze přečíst jako datum.")
                      .arg(info.date.trimmed());
        return ImportResult::Failed;
    }
    const QString target = catalogueDir(catalogue, owner);
    const bool exists = QFileInfo(target).isDir();
    if (exists) {
        if (!replace())
            return ImportResult::Failed;
        // A directory left without a record has no date to compare: the
        // new export takes its place.
        try {
            Table reg;
            openRegister(reg, catalogue);
            const bool found = findOwner(reg, owner);
            const QDate current =
                found ? parseShortDate(reg.asString(QStringLiteral("Day"))) : QDate();
            reg.close();
            if (found && current.isValid() && exported <= current)
                return ImportResult::NotNewer;
        } catch (const std::exception &e) {
            problem = registerProblem(e);
            return ImportResult::Failed;
        }
    }

    QString staging;
    problem = stage(catalogue, exportDir, info, progress, staging);
    if (!problem.isEmpty()) {
        discard(staging);
        return ImportResult::Failed;
    }

    // The old catalogue goes aside until the new one is in place and
    // registered; any failure puts it back.
    QString old;
    if (exists) {
        old = asideOf(target);
        discard(old); // an earlier one whose replacement arrived
        if (!QDir().rename(target, old)) {
            discard(staging);
            problem = QStringLiteral("Adresář \"%1\" nelze nahradit.").arg(native(target));
            return ImportResult::Failed;
        }
    }
    const auto rollback = [&] {
        QDir(target).removeRecursively();
        if (!old.isEmpty())
            QDir().rename(old, target);
        discard(staging);
    };
    if (!QDir().rename(staging, target)) {
        problem = QStringLiteral("Adresář \"%1\" nelze vytvořit.").arg(native(target));
        rollback();
        return ImportResult::Failed;
    }
    try {
        Table reg;
        openRegister(reg, catalogue);
        if (findOwner(reg, owner)) {
            reg.edit();
        } else {
            reg.append();
            reg.setString(QStringLiteral("User"), owner);
        }
        reg.setString(QStringLiteral("Day"), info.date.trimmed());
        reg.setString(QStringLiteral("ToSource"), target);
        reg.post();
        reg.close();
    } catch (const std::exception &e) {
        problem = registerProblem(e);
        staging.clear();
        rollback();
        return ImportResult::Failed;
    }
    if (!old.isEmpty())
        QDir(old).removeRecursively();
    return exists ? ImportResult::Replaced : ImportResult::Imported;
}

bool removeCatalogue(Catalogue catalogue, const RegisterEntry &entry, QString &problem)
{
    problem.clear();
    // Only a directory of ours inside EXTERNI is ever emptied, whatever the
    // record says.
    QString dir = entry.toSource;
    if (!insideExterni(dir))
        dir = catalogueDir(catalogue, entry.user);
    bool removed = !QFileInfo::exists(dir) || removeSetDirectory(catalogue, dir);
    if (!removed)
        problem = QStringLiteral("Databáze z adresáře \"EXTERNÍ\\") + entry.user +
                  QStringLiteral("\" nebyly zrušeny !");
    try {
        Table reg;
        openRegister(reg, catalogue);
        if (findOwner(reg, entry.user))
            reg.deleteRecord();
        reg.close();
    } catch (const std::exception &e) {
        problem = registerProblem(e);
        return false;
    }
    return removed;
}

Leftovers findLeftovers(Catalogue catalogue)
{
    Leftovers out;
    const QList<RegisterEntry> entries = readRegister(catalogue);
    QStringList owners;
    for (const RegisterEntry &e : entries) {
        owners << e.user;
        if (!QFileInfo(catalogueDir(catalogue, e.user)).isDir())
            out.recordsWithoutDirectory << e.user;
    }
    const QString prefix = kind(catalogue).prefix;
    const QStringList dirs =
        QDir(externi()).entryList({prefix + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &d : dirs) {
        const QString owner = d.mid(prefix.size());
        if (!owners.contains(owner))
            out.directoriesWithoutRecord << owner;
    }
    return out;
}

void cleanLeftovers(Catalogue catalogue, const Leftovers &leftovers, QString &problem)
{
    problem.clear();
    try {
        Table reg;
        openRegister(reg, catalogue);
        for (const QString &owner : leftovers.recordsWithoutDirectory)
            if (findOwner(reg, owner) && !QFileInfo(catalogueDir(catalogue, owner)).isDir())
                reg.deleteRecord();
        reg.close();
    } catch (const std::exception &e) {
        problem = registerProblem(e);
    }
    for (const QString &owner : leftovers.directoriesWithoutRecord) {
        const QString dir = catalogueDir(catalogue, owner);
        if (!removeSetDirectory(catalogue, dir))
            problem += (problem.isEmpty() ? QString() : QStringLiteral("\r\n")) +
                       QStringLiteral("Adresář \"%1\" nelze odstranit: obsahuje i jiné soubory.")
                           .arg(native(dir));
    }
}

} // namespace velmora::exchange
