#pragma once

// The writing half of the export: typed cells of one sheet after another
// into a CSV or an XLSX file staged beside its target, and the staged file
// renamed over the target only when everything is written.

#include "sheets/SheetColumns.h"
#include "sheets/SheetExport.h"

#include <QDate>
#include <QString>
#include <memory>

namespace velmora::sheets {

struct Cell
{
    enum class Type : quint8
    {
        Empty,
        Text,     // as it is
        Number,   // a whole number
        Date,     // a date value
        Seconds,  // a duration in seconds
        DateText, // a stored text that is a date value in XLSX when it reads as one
    };

    Type type = Type::Empty;
    QString text;
    qint64 number = 0;
    QDate date;

    static Cell of(const QString &text) { return {Type::Text, text, 0, {}}; }
    static Cell integer(qint64 value) { return {Type::Number, {}, value, {}}; }
    static Cell ofDate(const QDate &date)
    {
        return date.isValid() ? Cell{Type::Date, {}, 0, date} : Cell{};
    }
    static Cell seconds(qint64 value) { return {Type::Seconds, {}, value, {}}; }
    static Cell dateText(const QString &text) { return {Type::DateText, text, 0, {}}; }
};

// A date typed as "dd.MM.yyyy" or "d.M.yyyy" (blanks around allowed);
// invalid for anything else.
QDate dateOfText(QStringView text);
// "m:ss" of a duration; minutes may exceed 59.
QString minutesAndSeconds(qint64 seconds);

class SheetWriter
{
public:
    virtual ~SheetWriter() = default;
    // False with error() set when the sheet cannot be begun.
    virtual bool beginSheet(const QString &name, const QList<SheetColumn> &columns,
                            qint64 rows) = 0;
    virtual bool row(const Cell *cells) = 0;
    virtual bool endSheet() = 0;
    // Completes the file and puts it in place of the target.
    virtual bool finish() = 0;
    QString error() const { return m_error; }

protected:
    QString m_error;
};

// Nothing is at the target until finish() succeeds; a writer destroyed
// before that removes its staged file.
std::unique_ptr<SheetWriter> makeWriter(Format format, const QString &target);

// The most rows one sheet of a workbook takes below its header.
inline constexpr qint64 kXlsxMaxRows = 1048575;
// Excel's limit on the characters of one cell.
inline constexpr qsizetype kXlsxMaxText = 32767;

} // namespace velmora::sheets
