#pragma once

// One pass over a CSV file held in memory, as the spreadsheet import reads
// it: decoded, its separator found, its records parsed, and what the
// import relies on checked. The fuzzer and the corpus replay test run it.

#include "sheets/CsvRead.h"

#include <QByteArray>
#include <QStringList>

namespace velmora::fuzzing {

struct CsvOutcome
{
    QStringList faults;
    int records = 0;
    QString encoding;
};

inline CsvOutcome exerciseCsv(const QByteArray &bytes)
{
    CsvOutcome out;
    const sheets::csv::Text text = sheets::csv::decode(bytes);
    out.encoding = text.encoding;
    if (text.encoding != QLatin1String("UTF-8") && text.encoding != QLatin1String("UTF-16") &&
        text.encoding != QLatin1String("cp1250"))
        out.faults << QStringLiteral("unknown encoding %1").arg(text.encoding);
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (utf16 != (text.encoding == QLatin1String("UTF-16")))
        out.faults << QStringLiteral("UTF-16 byte order mark and encoding %1").arg(text.encoding);
    // cp1250 decodes every byte; UTF-8 only what reads whole as UTF-8; a
    // byte order mark alone is no text.
    if (!bytes.isEmpty() && text.text.isEmpty() && !bytes.startsWith("\xEF\xBB\xBF") &&
        !(utf16 && bytes.size() <= 3))
        out.faults << QStringLiteral("bytes decoded to nothing");
    // The refusal of what is no text never throws and names the file.
    const QString refused = sheets::csv::notTextProblem(bytes, QStringLiteral("f.csv"));
    if (!refused.isEmpty() && !refused.contains(QLatin1String("f.csv")))
        out.faults << QStringLiteral("refusal without the file's name");
    const sheets::csv::Parsed parsed = sheets::csv::parse(text.text);
    const QChar sep = parsed.separator;
    if (sep != QLatin1Char(';') && sep != QLatin1Char(',') && sep != QLatin1Char('\t'))
        out.faults << QStringLiteral("separator %1").arg(int(sep.unicode()));
    int lastLine = 0;
    const int lines =
        int(text.text.count(QLatin1Char('\n')) + text.text.count(QLatin1Char('\r'))) + 1;
    for (const sheets::csv::Record &r : parsed.records) {
        // Problems are told by line: lines rise and stay inside the file.
        if (r.line <= lastLine)
            out.faults << QStringLiteral("line %1 after %2").arg(r.line).arg(lastLine);
        if (r.line < 1 || r.line > lines)
            out.faults << QStringLiteral("line %1 outside 1..%2").arg(r.line).arg(lines);
        lastLine = r.line;
        if (r.cells.isEmpty())
            out.faults << QStringLiteral("record of line %1 without cells").arg(r.line);
    }
    if (parsed.openQuoteLine < 0 || parsed.openQuoteLine > lines)
        out.faults << QStringLiteral("open quote at line %1").arg(parsed.openQuoteLine);
    out.records = int(parsed.records.size());
    return out;
}

} // namespace velmora::fuzzing
