// Our tables must open in other dBASE readers, and theirs in ours: checked
// against Python's dbfread (reading) and dbf (writing), run as real programs.

#include "TestEnv.h"
#include "engine/Table.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");

QString python(const QString &script, const QStringList &args)
{
    int rc = -1;
    const QString out =
        test::runProgram(kPython, QStringList{QStringLiteral("-c"), script} + args, &rc);
    EXPECT_EQ(rc, 0) << out.toStdString();
    return out;
}

// Prints fields (name, type, length) and records as JSON, as dbfread sees them.
const char *kDbfread = R"(
import sys, json, datetime
from dbfread import DBF
t = DBF(sys.argv[1], encoding=None, char_decode_errors='strict')
def val(v):
    if isinstance(v, (datetime.date, datetime.datetime)): return v.isoformat()
    return v
print(json.dumps({'encoding': t.encoding,
    'fields': [[f.name, f.type, f.length] for f in t.fields],
    'records': [{k: val(v) for k, v in r.items()} for r in t]}, ensure_ascii=False))
)";

} // namespace

TEST(Interop, DbfreadReadsOurTablesWithCzechTextMemosAndEveryType)
{
    test::TestEnv env;
    const QString path = env.file(QStringLiteral("data.dbf"));
    Table::create(path,
                  {FieldDef::string("cislo", 5), FieldDef::string("film1", 60),
                   FieldDef::integer("cas1"), FieldDef::date("datum1"),
                   FieldDef::boolean("pujceno"), FieldDef::memo("pozn"), FieldDef::dateTime("kdy")},
                  {QStringLiteral("cislo")});
    Table t;
    t.setPath(path);
    t.open();
    t.append();
    t.setString("cislo", "00002");
    t.setString("film1", QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy"));
    t.setInteger("cas1", -115);
    t.setDate("datum1", QDate(2002, 5, 27));
    t.setBoolean("pujceno", true);
    t.setString("pozn", QStringLiteral("Řádek jedna\r\nŘádek dvě"));
    t.setDateTime("kdy", QDateTime(QDate(2001, 12, 31), QTime(23, 59, 58)));
    t.post();
    t.append();
    t.setString("cislo", "00001");
    t.post(); // everything else left empty
    t.close();

    const QJsonObject doc =
        QJsonDocument::fromJson(python(QString::fromLatin1(kDbfread), {path}).toUtf8()).object();
    EXPECT_EQ(doc["encoding"].toString(), "cp1250");
    const QJsonArray fields = doc["fields"].toArray();
    ASSERT_EQ(fields.size(), 7);
    const QStringList expected = {"CISLO C 5",   "FILM1 C 60", "CAS1 N 11", "DATUM1 D 8",
                                  "PUJCENO L 1", "POZN M 10",  "KDY C 14"};
    for (int i = 0; i < fields.size(); ++i) {
        const QJsonArray f = fields[i].toArray();
        EXPECT_EQ(
            QStringLiteral("%1 %2 %3").arg(f[0].toString(), f[1].toString()).arg(f[2].toInt()),
            expected[i]);
    }
    const QJsonArray records = doc["records"].toArray();
    ASSERT_EQ(records.size(), 2);
    const QJsonObject full = records[0].toObject();
    EXPECT_EQ(full["CISLO"].toString(), "00002");
    EXPECT_EQ(full["FILM1"].toString(), QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy"));
    EXPECT_EQ(full["CAS1"].toInt(), -115);
    EXPECT_EQ(full["DATUM1"].toString(), "2002-05-27");
    EXPECT_EQ(full["PUJCENO"].toBool(), true);
    EXPECT_EQ(full["POZN"].toString(), QStringLiteral("Řádek jedna\r\nŘádek dvě"));
    EXPECT_EQ(full["KDY"].toString(), "20011231235958");
    const QJsonObject empty = records[1].toObject();
    EXPECT_EQ(empty["FILM1"].toString(), "");
    EXPECT_TRUE(empty["DATUM1"].isNull());
    EXPECT_EQ(empty["POZN"].toString(), "");
}

TEST(Interop, TablesWrittenByPythonDbfOpenInTheEngine)
{
    test::TestEnv env;
    const QString path = env.file(QStringLiteral("cizi.dbf"));
    python(QStringLiteral(R"(
import sys, datetime, dbf
t = dbf.Table(sys.argv[1], 'titul C(40); pocet N(5,0); kdy D; doma L; pozn M',
              dbf_type='db3', codepage='cp1250')
t.open(dbf.READ_WRITE)
t.append(('Žluté ponorky', 12, datetime.date(1999, 3, 4), True, 'Dlouhá poznámka ' * 60))
t.append(('Čtvrtá', 3, None, False, ''))
t.append(('Chobotnice', 7, datetime.date(2000, 1, 1), True, 'x'))
dbf.delete(t[1])
t.close()
)"),
           {path});
    ASSERT_TRUE(QFile::exists(env.file(QStringLiteral("cizi.dbt"))));

    Table t;
    t.setPath(path);
    t.open(Table::Mode::ReadOnly);
    EXPECT_EQ(t.recordCount(), 2); // the deleted row is not seen
    EXPECT_EQ(t.versionByte(), 0x83);
    t.setIndex(QStringLiteral("titul"));
    t.first();
    EXPECT_EQ(t.asString("titul"), QStringLiteral("Chobotnice"));
    EXPECT_EQ(t.asInteger("pocet"), 7);
    t.next();
    EXPECT_EQ(t.asString("titul"), QStringLiteral("Žluté ponorky"));
    EXPECT_EQ(t.asDate("kdy"), QDate(1999, 3, 4));
    EXPECT_TRUE(t.asBoolean("doma"));
    EXPECT_EQ(t.asString("pozn").trimmed(),
              QStringLiteral("Dlouhá poznámka ").repeated(60).trimmed());
    t.next();
    EXPECT_TRUE(t.eof());
}
