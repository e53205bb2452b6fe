#include "sheets/SheetImport.h"

#include "engine/Table.h"
#include "engine/TableFile.h"
#include "sheets/ImportData.h"
#include "storage/FileCopy.h"
#include "storage/Interrupted.h"
#include "storage/Paths.h"
#include "storage/TableHandles.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace velmora::sheets {
namespace {

int failAt = 0; // the record of the imports that is made to fail, 0 for none

void written()
{
    if (failAt > 0 && --failAt == 0)
        throw DbError(filecopy::causeOf(ENOSPC));
}

// The tables an import changes, with the handles that may hold them open.
struct Changed
{
    QList<Table *> handles;
    QStringList files; // every file of the tables that there is
    QString dir;       // where the tables lie
};

Changed changedTables(TableHandles &tables, Sheet sheet)
{
    Changed c;
    c.handles = sheet == Sheet::Cds ? QList<Table *>{&tables.CD_Table1, &tables.CD_Table2}
                                    : QList<Table *>{&tables.Table1};
    for (Table *t : c.handles)
        c.files << Table::existingFiles(t->path());
    c.dir = QFileInfo(c.handles.first()->path()).absolutePath() + QLatin1Char('/');
    return c;
}

// A directory of ZALOHA named after the moment; empty when none is free.
QString freeCopyDir(const QDateTime &moment)
{
    const QString base = QDir(Paths::zalohaDir())
                             .absoluteFilePath(QStringLiteral("import-") +
                                               moment.toString(QStringLiteral("yyyyMMdd-HHmmss")));
    for (int n = 1; n < 100; ++n) {
        const QString dir = n == 1 ? base : base + QLatin1Char('-') + QString::number(n);
        if (!filecopy::entryExists(dir))
            return dir;
    }
    return QString();
}

// The safety copies of imports kept in ZALOHA; older ones are taken away.
constexpr int kCopiesKept = 5;

// Takes away all but the newest copies of earlier imports, newest by the
// moment in their names (a suffix -2, -3 ... counts after it); anything
// else in ZALOHA, and the copy just made, stays.
void pruneCopies(const QString &kept)
{
    static const QRegularExpression name(
        QStringLiteral("^import-([0-9]{8}-[0-9]{6})(?:-([0-9]{1,2}))?$"));
    const QDir zaloha(Paths::zalohaDir());
    QList<std::pair<std::pair<QString, int>, QString>> copies;
    for (const QString &entry :
         zaloha.entryList({QStringLiteral("import-*")},
                          QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks | QDir::Hidden)) {
        const QRegularExpressionMatch m = name.match(entry);
        if (m.hasMatch())
            copies.append(
                {{m.captured(1), m.captured(2).isEmpty() ? 1 : m.captured(2).toInt()}, entry});
    }
    std::sort(copies.begin(), copies.end(),
              [](const auto &a, const auto &b) { return a.first > b.first; });
    const QString keptName = QFileInfo(kept).fileName();
    int left = kCopiesKept - 1; // the copy just made is one of them
    for (const auto &copy : copies) {
        if (copy.second == keptName)
            continue;
        if (left > 0) {
            --left;
            continue;
        }
        // A copy that does not go stays for the next import to try again.
        QDir(zaloha.filePath(copy.second)).removeRecursively();
    }
}

int recordsOf(const QString &path)
{
    Table t;
    t.setPath(path);
    t.open(Table::Mode::ReadOnly);
    const int n = t.recordCount();
    t.close();
    return n;
}

// Copies the files into dir and checks the copies whole: each read back,
// each table opening with the records of its original. Empty on success.
QString makeSafetyCopy(const Changed &c, const QString &dir)
{
    for (const QString &file : c.files) {
        const QString target = QDir(dir).filePath(QFileInfo(file).fileName());
        const QString problem =
            filecopy::copy(file, target, {}, {filecopy::Source::Own, true, nullptr});
        if (!problem.isEmpty())
            return problem;
        if (QFileInfo(target).size() != QFileInfo(file).size())
            return QString::fromUtf8("Kopie souboru %1 není úplná.").arg(Paths::native(file));
    }
    for (const Table *t : c.handles) {
        const QString copy = QDir(dir).filePath(QFileInfo(t->path()).fileName());
        if (recordsOf(copy) != recordsOf(t->path()))
            return QString::fromUtf8("Kopie tabulky %1 nemá všechny záznamy.")
                .arg(Paths::native(t->path()));
    }
    return QString();
}

// Puts every file back from the safety copy, and takes away what the
// writing made beside them (a new memo or index file, an engine's note of
// a post cut short, which would be read against the old records); false
// when one did not go back.
bool putBack(const Changed &c, const QString &dir)
{
    bool all = true;
    for (const QString &file : c.files)
        if (!filecopy::copy(QDir(dir).filePath(QFileInfo(file).fileName()), file, {},
                            {filecopy::Source::Own, false, nullptr})
                 .isEmpty())
            all = false;
    for (const Table *t : c.handles) {
        QStringList made = Table::existingFiles(t->path());
        made << TableFile::postNotePath(t->path());
        for (const QString &file : made)
            if (!c.files.contains(file) && QFileInfo::exists(file) && !QFile::remove(file))
                all = false;
    }
    return all;
}

// The table at a handle's path, opened for the writing; a table that can
// only be read is refused before anything is written.
void openForWriting(Table &t, const Table &handle)
{
    t.setPath(handle.path());
    t.open(Table::Mode::ReadWrite);
    if (t.isReadOnly())
        throw DbError(
            QString::fromUtf8("Do tabulky %1 nelze zapisovat.").arg(Paths::native(handle.path())));
}

bool numbersFree(Table &t, int field, const QSet<QString> &numbers, QString &taken)
{
    for (int rec : t.visibleRecords()) {
        const QString n = t.asStringAt(rec, field).trimmed();
        if (numbers.contains(n)) {
            taken = n;
            return false;
        }
    }
    return true;
}

void writeCassettes(Table &t, const ImportPlan::Data &data)
{
    const CassetteColumns cols(t);
    for (const CassetteRecord &c : data.cassettes) {
        t.append();
        cols.writeNew(t, c);
        cols.loan.write(t, c.loan);
        written();
        t.post();
    }
}

void writeTitles(Table &titles, Table &tracks, const ImportPlan::Data &data)
{
    const CdTitleColumns tc(titles);
    const CdTrackColumns kc(tracks);
    // The tracks of a title first, then the title, as a title is saved.
    for (const ImportedTitle &title : data.titles) {
        for (const CdTrack &k : title.tracks) {
            tracks.append();
            kc.write(tracks, k);
            written();
            tracks.post();
        }
        titles.append();
        tc.writeNew(titles, title.title);
        tc.loan.write(titles, title.title.loan);
        written();
        titles.post();
    }
}

} // namespace

void failImportRecord(int n)
{
    failAt = n;
}

ImportResult applyImport(TableHandles &tables, const ImportPlan &plan)
{
    ImportResult r;
    if (!plan.canImport() || !plan.data) {
        r.error = QString::fromUtf8("Soubor nelze načíst, dokud má problémy; nic nebylo zapsáno.");
        return r;
    }
    const ImportPlan::Data &data = *plan.data;
    const bool cds = plan.sheet == Sheet::Cds;
    const Changed c = changedTables(tables, plan.sheet);

    // No handle may hold the tables while their files are copied or put back.
    QList<Table *> reopen;
    for (Table *h : c.handles) {
        if (h->isOpen()) {
            reopen << h;
            h->close();
        }
    }
    const auto done = [&](ImportResult result) {
        for (Table *h : reopen) {
            try {
                h->open();
            } catch (const std::exception &) {
                // The handle's owner opens it again when it needs it.
            }
        }
        return result;
    };

    QSet<QString> numbers;
    for (const CassetteRecord &k : data.cassettes)
        numbers.insert(k.number);
    for (const ImportedTitle &t : data.titles)
        numbers.insert(t.title.number);

    // The catalogue may have changed since the file was checked; nothing is
    // written over a number taken since, nor into a table that cannot be.
    Table first;
    Table second;
    try {
        openForWriting(first, *c.handles.first());
        QString taken;
        const int field = cds ? CdTitleColumns(first).number : CassetteColumns(first).number;
        if (!numbersFree(first, field, numbers, taken)) {
            r.error = QString::fromUtf8("%1 %2 už v katalogu je; soubor zkontrolujte znovu. Nic "
                                        "nebylo zapsáno.")
                          .arg(cds ? QStringLiteral("CD") : QStringLiteral("Kazeta"), taken);
            return done(r);
        }
        if (cds) {
            openForWriting(second, *c.handles.last());
            CdTrackColumns check(second);
        }
    } catch (const std::exception &e) {
        r.error = QString::fromUtf8("%1 Nic nebylo zapsáno.").arg(errorText(e));
        return done(r);
    }
    first.close();
    second.close();

    const QString copyDir = freeCopyDir(QDateTime::currentDateTime());
    interrupted::FileReplacement work{copyDir, false, {}, {}, {}};
    for (const QString &f : c.files)
        work.existing << QFileInfo(f).fileName();
    QString problem = copyDir.isEmpty() ? QString::fromUtf8("V adresáři %1 nelze vytvořit adresář "
                                                            "pro bezpečnostní kopii.")
                                              .arg(Paths::native(Paths::zalohaDir()))
                                        : interrupted::noteReplacement(c.dir, work);
    if (problem.isEmpty() && !QDir().mkpath(copyDir)) {
        interrupted::doneReplacement(c.dir);
        problem = QString::fromUtf8("Adresář %1 pro bezpečnostní kopii nelze vytvořit.")
                      .arg(Paths::native(copyDir));
    }
    if (problem.isEmpty()) {
        try {
            problem = makeSafetyCopy(c, copyDir);
        } catch (const std::exception &e) {
            problem = errorText(e);
        }
        if (!problem.isEmpty()) {
            QDir(copyDir).removeRecursively();
            interrupted::doneReplacement(c.dir);
        }
    }
    if (problem.isEmpty()) {
        // From here on a program stopped half way gets the tables back from
        // the copy at its next start.
        work.replacing = true;
        problem = interrupted::noteReplacement(c.dir, work);
        if (!problem.isEmpty()) {
            QDir(copyDir).removeRecursively();
            interrupted::doneReplacement(c.dir);
        }
    }
    if (!problem.isEmpty()) {
        r.error = QString::fromUtf8("Bezpečnostní kopii tabulek se nepodařilo vytvořit: %1 Nic "
                                    "nebylo zapsáno.")
                      .arg(problem);
        return done(r);
    }

    try {
        openForWriting(first, *c.handles.first());
        first.beginBatch();
        if (cds) {
            openForWriting(second, *c.handles.last());
            second.beginBatch();
            writeTitles(first, second, data);
            second.endBatch();
        } else {
            writeCassettes(first, data);
        }
        first.endBatch();
        first.close();
        second.close();
    } catch (const std::exception &e) {
        for (Table *t : {&first, &second}) {
            if (t->isOpen()) {
                t->cancel();
                t->close();
            }
        }
        if (putBack(c, copyDir)) {
            interrupted::doneReplacement(c.dir);
            r.error = QString::fromUtf8("Zápis se nepodařil (%1). Tabulky jsou vráceny do stavu "
                                        "před importem; jejich kopie zůstává v adresáři %2.")
                          .arg(errorText(e), Paths::native(copyDir));
        } else {
            r.error = QString::fromUtf8("Zápis se nepodařil (%1) a tabulky se nepodařilo vrátit. "
                                        "Kopie tabulek před importem je v adresáři %2; program "
                                        "se je pokusí vrátit při příštím spuštění.")
                          .arg(errorText(e), Paths::native(copyDir));
        }
        r.safetyCopy = copyDir;
        return done(r);
    }
    interrupted::doneReplacement(c.dir);
    pruneCopies(copyDir);
    r.ok = true;
    r.items = int(cds ? data.titles.size() : data.cassettes.size());
    r.entries = plan.entries;
    r.safetyCopy = copyDir;
    return done(r);
}

} // namespace velmora::sheets
