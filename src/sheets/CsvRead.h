#pragma once

// A CSV file as spreadsheets write it, read from a file that may come from
// anyone: only a regular file of bounded size, its text in UTF-8 (with or
// without a byte order mark) or cp1250, its separator taken from the header
// line, values quoted as RFC 4180 quotes them.

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

namespace velmora::sheets::csv {

// No spreadsheet of a household catalogue comes near this; a bigger file
// is refused before it is read.
inline constexpr qint64 kMaxFileSize = 200LL * 1024 * 1024;

// The bytes of the regular file at path, never through a link, never more
// than limit; false with problem (in Czech) when they are not read.
bool readFile(const QString &path, QByteArray &bytes, QString &problem,
              qint64 limit = kMaxFileSize);

// Why the bytes of the file at path are no CSV text to read (in Czech): a
// ZIP workbook, or zero bytes in its first 4 KB without a UTF-16 byte order
// mark; empty when they may be read.
QString notTextProblem(const QByteArray &bytes, const QString &path);

struct Text
{
    QString text;
    QString encoding; // "UTF-8", "UTF-16" or "cp1250"
};
// A UTF-8 byte order mark means UTF-8, so do bytes that read as UTF-8
// whole; a UTF-16 one (either byte order) means UTF-16; anything else is
// cp1250, the code page of the program's tables.
Text decode(const QByteArray &bytes);

struct Record
{
    int line = 0; // the line of the file where the record starts, from 1
    QStringList cells;
};

struct Parsed
{
    QChar separator = QLatin1Char(';');
    QList<Record> records; // the header first; lines without any value left out
    // A quote left open at the end of the file: the line where its value
    // began, 0 when every quote is closed.
    int openQuoteLine = 0;
};

// The separator the header line uses most of ';', ',' and tab, outside
// quotes; ';' when it has none of them.
QChar detectSeparator(const QString &text);
Parsed parse(const QString &text);

} // namespace velmora::sheets::csv
