#pragma once

// Tables of ours as a spreadsheet leaves them after a round trip through a
// CSV file: written anew by another dBASE writer (Python's dbf) with the
// fields of ours, the text in code page 1250 but the code page mark 0, and
// the numbers as plain numbers ("1" for "00001").

#include "TestEnv.h"
#include "engine/Table.h"
#include "storage/Schemas.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <gtest/gtest.h>

namespace velmora::test {

// A row for writeAsSpreadsheet: field names with their texts.
inline QJsonObject row(std::initializer_list<std::pair<const char *, QString>> values)
{
    QJsonObject o;
    for (const auto &[k, v] : values)
        o.insert(QLatin1String(k), v);
    return o;
}

// The field list of a table in the notation of Python's dbf.
inline QString dbfFieldList(const TableSchema &schema)
{
    QStringList fields;
    for (const FieldDef &f : schema.fields) {
        switch (f.type) {
        case FieldType::Integer:
            fields << f.name + QStringLiteral(" N(11,0)");
            break;
        case FieldType::Date:
            fields << f.name + QStringLiteral(" D");
            break;
        case FieldType::Boolean:
            fields << f.name + QStringLiteral(" L");
            break;
        case FieldType::Memo:
            fields << f.name + QStringLiteral(" M");
            break;
        default:
            fields << f.name + QStringLiteral(" C(%1)").arg(f.width);
        }
    }
    return fields.join(QStringLiteral("; "));
}

// Replaces the table at path (one of ours by its file name) by one that
// holds rows, each an object of field names (in lower case) and values.
inline void writeAsSpreadsheet(const QString &path, const QJsonArray &rows)
{
    const TableSchema *schema = schema::byFileName(QFileInfo(path).fileName());
    ASSERT_NE(schema, nullptr) << path.toStdString();
    Table::deleteFiles(path);
    int rc = -1;
    const QString out =
        runProgram(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral("-c"), QStringLiteral(R"(
import sys, json, dbf
dbf.Table(sys.argv[1], sys.argv[2], dbf_type='db3', codepage='ascii').close()
t = dbf.Table(sys.argv[1], codepage='cp1250')
t.open(dbf.READ_WRITE)
for r in json.loads(sys.argv[3]):
    t.append(r)
t.close()
)"),
                    path, dbfFieldList(*schema),
                    QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Compact))},
                   &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();
}

// The values of one field of a table, in the order of its records.
inline QStringList columnOf(const QString &path, const QString &field)
{
    Table t;
    t.setPath(path);
    t.open(Table::Mode::ReadOnly);
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.asString(field);
    return out;
}

} // namespace velmora::test
