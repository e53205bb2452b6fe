// Reading a table as stored, for scans that copy text without decoding it:
// a table laid out and written by another dBASE writer (Python's dbf), in
// a code page of its own, with a deleted record and numbers of every kind.

#include "TestEnv.h"
#include "engine/Codepage.h"
#include "engine/DbError.h"
#include "engine/StoredFields.h"
#include "engine/Table.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

QString makeForeignTable(test::TestEnv &env)
{
    const QString path = env.file(QStringLiteral("cizi.dbf"));
    const QString script = QStringLiteral(
        "import sys, dbf\n"
        "t = dbf.Table(sys.argv[1], 'cislo C(5); film C(30); cas N(5,0); cena N(7,2); "
        "pozn M', codepage='cp852')\n"
        "t.open(dbf.READ_WRITE)\n"
        "t.append(('00001', 'Šakalí léta', 95, 12.5, '42'))\n"
        "t.append(('00002', 'Smazaný', 10, 1.0, ''))\n"
        "t.append(('00003', '', None, None, 'bez čísla'))\n"
        "dbf.delete(t[1])\n"
        "t.close()\n");
    int rc = -1;
    const QString out = test::runProgram(QStringLiteral("/usr/bin/python3"),
                                         {QStringLiteral("-c"), script, path}, &rc);
    EXPECT_EQ(rc, 0) << out.toStdString();
    return path;
}

} // namespace

TEST(StoredFields, ReadsAForeignTableAsStoredWithoutItsDeletedRecord)
{
    test::TestEnv env;
    const QString path = makeForeignTable(env);
    const StoredFields stored(path);
    EXPECT_EQ(stored.codepage().number(), 852);
    EXPECT_EQ(stored.liveRecords(), (std::vector<int>{0, 2}));

    // cislo, film, cas, cena, pozn.
    EXPECT_TRUE(stored.isText(0));
    EXPECT_TRUE(stored.isText(1));
    EXPECT_FALSE(stored.isText(2));
    EXPECT_FALSE(stored.isText(4));
    EXPECT_FALSE(stored.isText(9));

    // The bytes are cp852's and without the trailing blanks.
    const QByteArrayView title = stored.text(0, 1);
    EXPECT_EQ(stored.codepage().decode(title.data(), int(title.size())),
              QStringLiteral("Šakalí léta"));
    EXPECT_EQ(title.size(), 11);
    EXPECT_TRUE(stored.text(2, 1).isEmpty());
    EXPECT_EQ(stored.text(0, 0), QByteArrayView("00001"));
    // Numbers are not given as text.
    EXPECT_TRUE(stored.text(0, 2).isEmpty());
    // A record past the end reads as nothing.
    EXPECT_TRUE(stored.text(7, 0).isEmpty());
    EXPECT_EQ(stored.integer(7, 2), 0);

    // Whole numbers, numbers with decimals rounded, a number in a memo, and
    // empty ones, as a table handle reads them.
    EXPECT_EQ(stored.integer(0, 2), 95);
    EXPECT_EQ(stored.integer(0, 3), 13);
    EXPECT_EQ(stored.integer(0, 4), 42);
    EXPECT_EQ(stored.integer(2, 2), 0);
    EXPECT_EQ(stored.integer(2, 4), 0);
    Table t;
    t.setPath(path);
    t.open(Table::Mode::ReadOnly);
    t.moveToRecord(0);
    EXPECT_EQ(t.asInteger(3), 13);
}

TEST(StoredFields, CountsAsAHandleOfTheTableWhileItLives)
{
    test::TestEnv env;
    const QString path = makeForeignTable(env);
    {
        const StoredFields stored(path);
        Table exclusive;
        exclusive.setPath(path);
        EXPECT_THROW(exclusive.open(Table::Mode::Exclusive), DbError);
        // Reading beside it is fine, and closing that handle leaves this one.
        Table reader;
        reader.setPath(path);
        reader.open(Table::Mode::ReadOnly);
        reader.close();
        EXPECT_EQ(stored.liveRecords().size(), 2u);
    }
    Table exclusive;
    exclusive.setPath(path);
    EXPECT_NO_THROW(exclusive.open(Table::Mode::Exclusive));
}

TEST(StoredFields, RefusesWhatATableHandleRefuses)
{
    test::TestEnv env;
    EXPECT_THROW(StoredFields(env.file(QStringLiteral("chybi.dbf"))), DbError);
}

TEST(StoredFields, WritesDatesAsTheTableShowsThemAndNothingForImpossibleOnes)
{
    test::TestEnv env;
    const QString path = env.file(QStringLiteral("data.dbf"));
    Table::create(path, {FieldDef::date("datum"), FieldDef::string("jine", 8)}, {});
    Table t;
    t.setPath(path);
    t.open();
    for (int r = 0; r < 5; ++r) {
        t.append();
        t.post();
    }
    t.close();
    // The digits go in as another program may have left them.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray all = file.readAll();
    const int header = int(uchar(all[8]) | uchar(all[9]) << 8);
    const int size = int(uchar(all[10]) | uchar(all[11]) << 8);
    const char *values[] = {"20011224", "20230229", "20240229", "2001 224", "        "};
    for (int r = 0; r < 5; ++r) {
        file.seek(header + r * size + 1);
        file.write(values[r], 8);
    }
    file.close();

    const StoredFields stored(path);
    EXPECT_TRUE(stored.isDate(0));
    EXPECT_FALSE(stored.isDate(1));
    const auto text = [&](int r) {
        char out[10];
        const int n = stored.dateText(r, 0, out);
        return QString::fromLatin1(out, n);
    };
    EXPECT_EQ(text(0), QStringLiteral("24.12.2001"));
    EXPECT_EQ(text(1), QString()); // 2023 had no 29 February
    EXPECT_EQ(text(2), QStringLiteral("29.02.2024"));
    EXPECT_EQ(text(3), QString());
    EXPECT_EQ(text(4), QString());
    char out[10];
    EXPECT_EQ(stored.dateText(0, 1, out), 0);
}
