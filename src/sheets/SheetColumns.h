#pragma once

// The tables a spreadsheet exchanges with the catalogue: their sheets, their
// columns with the exact headers, and what kind of value each column holds.
// Export writes them, import finds its columns by these headers.

#include <QList>
#include <QString>

namespace velmora::sheets {

enum class Sheet
{
    Cassettes, // one row per recording; a cassette without any is one row
    Cds,       // one row per track; a title without tracks is one row
    Loans      // current and archived loans of both sections
};

enum class CellKind
{
    Text,
    Integer, // a whole number: positions and lengths in minutes, days
    Date,    // dd.MM.yyyy in CSV, a date value in XLSX
    Seconds, // a track length: m:ss in CSV, a time value shown [m]:ss in XLSX
    Memo     // free text with line breaks, wrapped in XLSX
};

struct SheetColumn
{
    QString header;
    CellKind kind;
};

const QList<SheetColumn> &columns(Sheet sheet);
// The sheet's name in a workbook: "Kazety", "CD", "Výpůjčky".
QString sheetName(Sheet sheet);
// The column of a header in columns(sheet), -1 when it is not one of them.
int columnOf(Sheet sheet, const QString &header);

// The values of the loan columns, as written and as read back.
inline constexpr const char *kLentYes = "ano";
inline constexpr const char *kLentNo = "ne";

} // namespace velmora::sheets
