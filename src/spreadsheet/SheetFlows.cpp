#include "spreadsheet/SheetFlows.h"

#include "platform/Dialogs.h"
#include "session/Session.h"
#include "spreadsheet/ExportProgress.h"
#include "spreadsheet/ImportPreview.h"
#include "storage/Paths.h"
#include "system/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace velmora {
namespace {

const QString kFolderKey = QStringLiteral("Tabulky/Slozka");
const QString kCaption = QStringLiteral("Export do tabulky");

// Asks for the file; a name without a known suffix gets the one of the type
// chosen, so "seznam" becomes "seznam.xlsx".
QString askExportFile(const QString &proposedName)
{
    QString file = dialogs::saveFileName(
        kCaption, proposedSheetFile(proposedName),
        QStringLiteral("Sešit Excel (*.xlsx);;Text CSV oddělený středníky (*.csv)"));
    if (file.isEmpty())
        return {};
    if (!sheets::formatOf(file))
        file += QFileInfo(proposedName).suffix().isEmpty()
                    ? QStringLiteral(".xlsx")
                    : QLatin1Char('.') + QFileInfo(proposedName).suffix();
    rememberSheetFolder(file);
    return file;
}

// sheets names the sheets of a workbook of more than one, for the message.
void runExport(const QString &file, QWidget *parent, const TPrubehExportu::Work &work,
               const QString &sheets = QString())
{
    const bool existed = QFileInfo::exists(file);
    TPrubehExportu progress(file, parent);
    const sheets::ExportResult result = progress.run(work);
    if (result.cancelled)
        dialogs::information(
            kCaption, (existed ? QStringLiteral("Export byl zrušen; soubor %1 zůstal, jak byl.")
                               : QStringLiteral("Export byl zrušen; soubor %1 nevznikl."))
                          .arg(Paths::native(file)));
    else if (!result.ok)
        dialogs::error(kCaption, result.error.isEmpty() ? QStringLiteral("Export se nezdařil.")
                                                        : result.error);
    else
        dialogs::information(
            kCaption,
            QStringLiteral("Zapsáno řádků: %1%2 do souboru %3.")
                .arg(result.rows)
                .arg(sheets.isEmpty() ? QString() : QStringLiteral(" (listy %1)").arg(sheets))
                .arg(Paths::native(file)));
}

} // namespace

QString proposedSheetFile(const QString &fileName)
{
    QString folder = SettingsStore::own().readString(kFolderKey);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QDir(folder).filePath(fileName);
}

void rememberSheetFolder(const QString &file)
{
    SettingsStore store = SettingsStore::own();
    store.writeString(kFolderKey, QFileInfo(file).absolutePath());
    store.sync();
}

void exportSection(Session &session, sheets::Sheet sheet, QWidget *parent)
{
    const bool cassettes = sheet == sheets::Sheet::Cassettes;
    const QString file =
        askExportFile(cassettes ? QStringLiteral("kazety.xlsx") : QStringLiteral("cd.xlsx"));
    if (file.isEmpty())
        return;
    const sheets::Format format = *sheets::formatOf(file);
    // A CSV file holds one table; a workbook has room for the loans too.
    const QList<sheets::Sheet> sheets = format == sheets::Format::Xlsx
                                            ? QList<sheets::Sheet>{sheet, sheets::Sheet::Loans}
                                            : QList<sheets::Sheet>{sheet};
    QStringList names;
    for (const sheets::Sheet s : sheets)
        names << sheets::sheetName(s);
    runExport(
        file, parent,
        [&](const sheets::ExportProgress &progress) {
            return sheets::exportSheets(session.tables(), sheets, file, format, progress);
        },
        names.size() > 1 ? names.join(QStringLiteral(" a ")) : QString());
}

void exportShownRows(const sheets::PlainSheet &rows, const QString &proposedName, QWidget *parent)
{
    const QString file = askExportFile(proposedName);
    if (file.isEmpty())
        return;
    const sheets::Format format = *sheets::formatOf(file);
    runExport(file, parent, [&](const sheets::ExportProgress &progress) {
        return sheets::exportPlain(rows, file, format, progress);
    });
}

void importSection(Session &session, sheets::Sheet sheet, QWidget *parent)
{
    const QString file =
        dialogs::openFileName(QStringLiteral("Import z tabulky"), proposedSheetFile(QString()),
                              QStringLiteral("Text CSV (*.csv *.txt);;Všechny soubory (*)"));
    if (file.isEmpty())
        return;
    rememberSheetFolder(file);
    TNahledImportu preview(session, sheet, file, parent);
    dialogs::exec(preview);
}

} // namespace velmora
