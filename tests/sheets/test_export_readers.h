#pragma once

// Exported files read back by readers the program does not share: Python's
// csv module and openpyxl, each printing what it read as JSON.

#include "TestEnv.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace velmora::test {

inline QJsonValue runPythonJson(const QString &script, const QStringList &args)
{
    int rc = -1;
    const QString out = runProgram(QStringLiteral("/usr/bin/python3"),
                                   QStringList{QStringLiteral("-c"), script} + args, &rc);
    EXPECT_EQ(rc, 0) << out.toStdString();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << out.toStdString();
    return doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
}

// The rows of a CSV file as csv.reader gives them (UTF-8 with its byte
// order mark, ';').
inline QJsonArray csvRows(const QString &path)
{
    const QString script =
        QStringLiteral("import csv, json, sys\n"
                       "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                       "    rows = list(csv.reader(f, delimiter=';', strict=True))\n"
                       "print(json.dumps(rows, ensure_ascii=False))\n");
    return runPythonJson(script, {path}).toArray();
}

// A workbook as openpyxl reads it: for each sheet (in order) its name,
// rows of values (texts as strings, numbers as numbers, dates as
// "D:dd.mm.yyyy", durations as "T:" and seconds), the number format of
// every typed cell ("r,c": format), the header's bold flags, the frozen
// pane, the autofilter, the wrapped cells and the column widths.
inline QJsonArray workbook(const QString &path)
{
    const QString script =
        QStringLiteral("import datetime, json, sys, openpyxl\n"
                       "from openpyxl.utils import get_column_letter\n"
                       "wb = openpyxl.load_workbook(sys.argv[1])\n"
                       "out = []\n"
                       "for ws in wb.worksheets:\n"
                       "    rows, formats, wrapped = [], {}, []\n"
                       "    for row in ws.iter_rows():\n"
                       "        values = []\n"
                       "        for c in row:\n"
                       "            v = c.value\n"
                       "            if isinstance(v, datetime.datetime):\n"
                       "                v = 'D:' + v.strftime('%d.%m.%Y')\n"
                       "            elif isinstance(v, datetime.timedelta):\n"
                       "                v = 'T:%d' % round(v.total_seconds())\n"
                       "            elif isinstance(v, datetime.time):\n"
                       "                v = 'T:%d' % (v.hour * 3600 + v.minute * 60 + v.second)\n"
                       "            if c.value is not None and not isinstance(c.value, str):\n"
                       "                formats['%d,%d' % (c.row, c.column)] = c.number_format\n"
                       "            if c.alignment is not None and c.alignment.wrap_text:\n"
                       "                wrapped.append('%d,%d' % (c.row, c.column))\n"
                       "            values.append(v)\n"
                       "        while values and values[-1] is None:\n"
                       "            values.pop()\n"
                       "        rows.append(values)\n"
                       "    widths = [ws.column_dimensions[get_column_letter(i)].width\n"
                       "              for i in range(1, ws.max_column + 1)]\n"
                       "    out.append({'name': ws.title, 'rows': rows, 'formats': formats,\n"
                       "                'bold': [bool(c.font.b) for c in ws[1]],\n"
                       "                'freeze': ws.freeze_panes, 'filter': ws.auto_filter.ref,\n"
                       "                'wrapped': wrapped, 'widths': widths})\n"
                       "print(json.dumps(out, ensure_ascii=False))\n");
    return runPythonJson(script, {path}).toArray();
}

// A JSON literal of the test, as the readers' output is compared with it.
inline QJsonArray json(const char *literal)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray(literal), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << literal;
    return doc.array();
}

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

} // namespace velmora::test

// Readable JSON in test failure messages.
inline void PrintTo(const QJsonArray &a, std::ostream *os)
{
    *os << QJsonDocument(a).toJson(QJsonDocument::Compact).toStdString();
}
inline void PrintTo(const QJsonValue &v, std::ostream *os)
{
    *os << QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact).toStdString();
}
