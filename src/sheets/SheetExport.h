#pragma once

// The catalogues and loans written out for a spreadsheet: CSV (UTF-8 with a
// byte order mark, ';', RFC 4180 quoting, CRLF) or XLSX (a sheet per table,
// bold frozen header, autofilter, fitted widths, typed cells). The file is
// written beside its target and renamed over it only when complete, so a
// cancelled or failed export leaves no half-written file.

#include "sheets/SheetColumns.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace velmora {
class TableHandles;
}

namespace velmora::sheets {

enum class Format
{
    Csv,
    Xlsx
};

// The format a file's suffix asks for (".csv", ".xlsx", any case); none for
// another suffix.
std::optional<Format> formatOf(const QString &path);

// Told now and then how many rows of all are written; answering false
// cancels the export.
using ExportProgress = std::function<bool(qint64 done, qint64 total)>;

struct ExportResult
{
    bool ok = false;
    bool cancelled = false;
    QString error; // in Czech, for the user, when neither ok nor cancelled
    qint64 rows = 0;
};

// Writes the sheets from the catalogue's tables (opened read-only here, the
// handles give the paths). More than one sheet needs XLSX.
ExportResult exportSheets(const TableHandles &tables, const QList<Sheet> &sheets,
                          const QString &path, Format format, const ExportProgress &progress = {});

// Rows given by the caller, such as the rows an overview shows with its
// visible columns: cell(row, column) gives a cell's text as shown, which
// the column's kind turns into a typed cell in XLSX.
struct PlainSheet
{
    QString name;
    QStringList headers;
    QList<CellKind> kinds;
    qint64 rows = 0;
    std::function<QString(qint64 row, int column)> cell;
};

ExportResult exportPlain(const PlainSheet &sheet, const QString &path, Format format,
                         const ExportProgress &progress = {});

} // namespace velmora::sheets
