#pragma once

// The spreadsheet exchange as the menus and the overview start it: the file
// asked for (in the folder used last), the export with its progress, the
// import through its preview.

#include "sheets/SheetExport.h"

class QWidget;

namespace velmora {

class Session;

// "Export do tabulky (CSV, XLSX) ...": the section's sheet (Cassettes or
// Cds); a workbook also gets the loans.
void exportSection(Session &session, sheets::Sheet sheet, QWidget *parent);
// Rows a window shows, as a sheet of their own.
void exportShownRows(const sheets::PlainSheet &rows, const QString &proposedName, QWidget *parent);
// "Import z tabulky (CSV) ...".
void importSection(Session &session, sheets::Sheet sheet, QWidget *parent);

// The folder last used for spreadsheets (a setting of its own), and the file
// proposed in it.
QString proposedSheetFile(const QString &fileName);
void rememberSheetFolder(const QString &file);

} // namespace velmora
