#include "terminal/TerminalRun.h"

#include "engine/DbError.h"
#include "sheets/SheetExport.h"
#include "sheets/SheetImport.h"
#include "storage/Paths.h"
#include "storage/Storage.h"
#include "storage/TableHandles.h"
#include "system/InstanceLock.h"

#include <QDir>
#include <QFileInfo>
#include <exception>

namespace velmora::terminal {
namespace {

QString text(const char *s)
{
    return QString::fromUtf8(s);
}

QList<sheets::Sheet> sheetsOf(const QString &what)
{
    using sheets::Sheet;
    if (what == QLatin1String("kazety"))
        return {Sheet::Cassettes};
    if (what == QLatin1String("cd"))
        return {Sheet::Cds};
    if (what == QLatin1String("vypujcky"))
        return {Sheet::Loans};
    return {Sheet::Cassettes, Sheet::Cds, Sheet::Loans};
}

int exportTo(const CommandLine &line, const TableHandles &tables, QTextStream &out,
             QTextStream &err)
{
    const std::optional<sheets::Format> format = sheets::formatOf(line.file);
    if (!format) {
        err << text("Formát souboru %1 se pozná podle přípony .csv nebo .xlsx.\n")
                   .arg(Paths::native(line.file));
        return kRefused;
    }
    const QList<sheets::Sheet> sheets = sheetsOf(line.what);
    if (sheets.size() > 1 && *format != sheets::Format::Xlsx) {
        err << text("Všechny tři tabulky se zapíší jen do sešitu XLSX, ne do %1.\n")
                   .arg(Paths::native(line.file));
        return kRefused;
    }
    const sheets::ExportResult result = sheets::exportSheets(tables, sheets, line.file, *format);
    if (!result.ok) {
        err << (result.error.isEmpty() ? text("Export se nezdařil.") : result.error) << '\n';
        return kFailure;
    }
    out << text("Zapsáno řádků: %1 do %2.\n").arg(result.rows).arg(Paths::native(line.file));
    return kSuccess;
}

void tell(QTextStream &err, const QString &file, const sheets::ImportProblem &p)
{
    if (p.line > 0)
        err << file << ':' << p.line << ": " << p.message << '\n';
    else
        err << file << ": " << p.message << '\n';
}

int importFrom(const CommandLine &line, TableHandles &tables, QTextStream &out, QTextStream &err)
{
    const sheets::Sheet sheet =
        line.what == QLatin1String("cd") ? sheets::Sheet::Cds : sheets::Sheet::Cassettes;
    const sheets::ImportPlan plan = sheets::planImport(tables, sheet, line.file);
    for (const sheets::ImportProblem &n : plan.notes)
        tell(err, line.file, n);
    for (const sheets::ImportProblem &p : plan.problems)
        tell(err, line.file, p);
    for (const sheets::UnknownValues &u : plan.unknown)
        for (const QString &v : u.values)
            err << line.file << ": " << sheets::unknownValueText(u, v) << ' '
                << text("Přidejte ho v programu do seznamu, nebo ho v souboru opravte.") << '\n';
    if (!plan.canImport()) {
        if (plan.problems.isEmpty() && plan.unknown.isEmpty())
            err << line.file << ": " << text("Soubor nepřidává nic.") << '\n';
        err << text("Nic nebylo zapsáno.\n");
        return kRefused;
    }
    const sheets::ImportResult result = sheets::applyImport(tables, plan);
    if (!result.ok) {
        err << result.error << '\n' << text("Nic nebylo zapsáno.\n");
        return kFailure;
    }
    if (sheet == sheets::Sheet::Cassettes)
        out << text("Přidáno kazet: %1, záznamů: %2.").arg(result.items).arg(result.entries);
    else
        out << text("Přidáno CD titulů: %1, stop: %2.").arg(result.items).arg(result.entries);
    if (!result.safetyCopy.isEmpty())
        out << ' '
            << text("Tabulky před importem jsou v %1.").arg(Paths::native(result.safetyCopy));
    out << '\n';
    return kSuccess;
}

} // namespace

int runExchange(const CommandLine &line, const QString &dataDir, QTextStream &out, QTextStream &err)
{
    // A mistyped folder gets no new empty catalogue.
    if (!QFileInfo(dataDir).isDir()) {
        err << text("Adresář s daty %1 neexistuje.\n").arg(Paths::native(dataDir));
        return kFailure;
    }
    // A folder that is no catalogue gets none: the program makes its
    // tables at its own first start there.
    if (!QFileInfo(QDir(dataDir).filePath(QStringLiteral("data.dbf"))).isFile()) {
        err << text("V adresáři %1 není katalog programu Velmora (chybí data.dbf). Spusťte "
                    "nejprve program nad tímto adresářem.\n")
                   .arg(Paths::native(dataDir));
        return kFailure;
    }
    InstanceLock lock;
    if (!lock.acquire(dataDir)) {
        if (lock.failure() == QLockFile::LockFailedError)
            err << text("Program Velmora právě pracuje s daty v adresáři %1. Export ani import "
                        "nelze spustit, dokud program neukončíte.\n")
                       .arg(Paths::native(dataDir));
        else
            err << text("Do adresáře %1 nelze zapsat zámek %2, který chrání data před druhým "
                        "spuštěním; export ani import nelze spustit.\n")
                       .arg(Paths::native(dataDir), Paths::native(lock.path()));
        return kFailure;
    }
    Paths::setDataDir(dataDir);
    try {
        Storage::prepareDirectories();
        TableHandles tables;
        const bool oldFormat = Storage::prepareTables(tables);
        if (line.mode == CommandLine::Mode::Export)
            return exportTo(line, tables, out, err);
        if (oldFormat && line.what == QLatin1String("kazety")) {
            err << text("Katalog kazet má formát předchozí verze. Spusťte nejprve program, "
                        "který ho převede; pak import půjde.\n");
            return kFailure;
        }
        return importFrom(line, tables, out, err);
    } catch (const std::exception &e) {
        err << errorText(e) << '\n';
        return kFailure;
    }
}

} // namespace velmora::terminal
