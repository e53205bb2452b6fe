#include "TestEnv.h"
#include "engine/Collation.h"
#include "engine/Table.h"

#include <QFile>
#include <QSignalSpy>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace velmora;

namespace {

QList<FieldDef> sampleFields()
{
    return {FieldDef::string("name", 10), FieldDef::integer("num"), FieldDef::date("day"),
            FieldDef::boolean("lent"),    FieldDef::memo("note"),   FieldDef::dateTime("stamp")};
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeBytes(const QString &path, const QByteArray &b)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(b);
}

uint32_t headerCount(const QString &path)
{
    const QByteArray b = bytesOf(path);
    const auto *u = reinterpret_cast<const unsigned char *>(b.constData());
    return u[4] | (u[5] << 8) | (u[6] << 16) | (u[7] << 24);
}

class EngineTest : public ::testing::Test
{
protected:
    QString path(const QString &name = "t.dbf") const { return env.file(name); }

    void addRow(Table &t, const QString &name, int num = 0)
    {
        t.append();
        t.setString("name", name);
        t.setInteger("num", num);
        t.post();
    }

    QStringList names(Table &t)
    {
        QStringList out;
        for (t.first(); !t.eof(); t.next())
            out << t.asString("name");
        return out;
    }

    test::TestEnv env;
};

TEST_F(EngineTest, WrittenHeaderIsPlainDbase3)
{
    Table::create(path(), sampleFields(), {"name"});
    Table::create(path("plain.dbf"), {FieldDef::string("a", 3)});
    const QByteArray b = bytesOf(path());
    ASSERT_GE(b.size(), 32 + 6 * 32 + 2);
    EXPECT_EQ(uint8_t(b[0]), 0x83);
    EXPECT_EQ(uint8_t(bytesOf(path("plain.dbf"))[0]), 0x03);
    EXPECT_EQ(uint8_t(b[28]), 0); // no production index
    EXPECT_EQ(uint8_t(b[29]), 0xC8);
    EXPECT_EQ(b.at(32 + 6 * 32), '\x0D');
    EXPECT_EQ(b.back(), '\x1A');
    EXPECT_EQ(b.mid(32 + 32 + 11, 1), "N");
    EXPECT_EQ(uint8_t(b[32 + 32 + 16]), 11);
    EXPECT_EQ(uint8_t(b[32 + 5 * 32 + 16]), 14); // date and time as C(14)
    EXPECT_EQ(bytesOf(path("t.dbt")).size(), 512);
    EXPECT_FALSE(QFile::exists(path("t.mdx")));
}

TEST_F(EngineTest, EveryTypeRoundTripsThroughTheFile)
{
    Table::create(path(), sampleFields());
    {
        Table t;
        t.setPath(path());
        t.open();
        t.append();
        t.setString("name", "Příliš žluťoučký kůň"); // cut to 10 letters
        t.setInteger("num", -2147483647 - 1);
        t.setDate("day", QDate(2002, 5, 27));
        t.setBoolean("lent", true);
        t.setString("note", QString("Poznámka ").repeated(100));
        t.setDateTime("stamp", QDateTime(QDate(2026, 12, 9), QTime(7, 5, 3)));
        t.post();
        t.append();
        t.post(); // everything empty
    }
    Table t;
    t.setPath(path());
    t.open(Table::Mode::ReadOnly);
    t.first();
    EXPECT_EQ(t.asString("name"), "Příliš žlu");
    EXPECT_EQ(t.asInteger("num"), -2147483647 - 1);
    EXPECT_EQ(t.asDate("day"), QDate(2002, 5, 27));
    EXPECT_TRUE(t.asBoolean("lent"));
    EXPECT_EQ(t.asString("note"), QString("Poznámka ").repeated(100));
    EXPECT_EQ(t.asDateTime("stamp"), QDateTime(QDate(2026, 12, 9), QTime(7, 5, 3)));
    t.next();
    EXPECT_TRUE(t.isNull("name"));
    EXPECT_TRUE(t.isNull("day"));
    EXPECT_TRUE(t.isNull("note"));
    EXPECT_FALSE(t.asBoolean("lent"));
    EXPECT_EQ(t.asInteger("num"), 0);
    EXPECT_FALSE(t.value("day").isValid());
    t.next();
    EXPECT_TRUE(t.eof());
    // The empty date is eight blanks in the file.
    const QByteArray b = bytesOf(path());
    const int rec2 = 32 + 6 * 32 + 1 + t.fieldDefs().size() * 0 + (1 + 10 + 11 + 8 + 1 + 10 + 14);
    EXPECT_EQ(b.mid(rec2 + 1 + 10 + 11, 8), QByteArray(8, ' '));
}

TEST_F(EngineTest, NavigationOnEmptyAndOneRecordTables)
{
    Table::create(path(), sampleFields());
    Table t;
    t.setPath(path());
    t.open();
    EXPECT_TRUE(t.eof());
    EXPECT_TRUE(t.bof());
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(t.asString("name"), ""); // no record: nothing to read, no crash
    t.next();
    t.prior();
    EXPECT_TRUE(t.eof());
    addRow(t, "jen");
    t.first();
    EXPECT_FALSE(t.eof());
    t.next();
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(t.asString("name"), "jen"); // stays on the last record
    t.prior();
    EXPECT_TRUE(t.bof());
    t.last();
    EXPECT_EQ(t.recordCount(), 1);
}

TEST_F(EngineTest, TagsOrderInCzechWithTiesInAppendOrder)
{
    Table::create(path(), sampleFields(), {"name", "num"});
    Table t;
    t.setPath(path());
    t.open();
    const QStringList input = {"Čáp",   "chata", "Cena", "hrad", "cesta",
                               "Zebra", "Žába",  "áda",  "Adam"};
    int i = 0;
    for (const QString &s : input)
        addRow(t, s, 10 - i++);
    addRow(t, "hrad", -5);
    t.setIndex("name");
    EXPECT_EQ(names(t), QStringList({"áda", "Adam", "Cena", "cesta", "Čáp", "hrad", "hrad", "chata",
                                     "Zebra", "Žába"}));
    t.locate("name", "hrad");
    EXPECT_EQ(t.asInteger("num"), 7); // the first appended of the two
    t.setIndex("NUM");
    t.first();
    EXPECT_EQ(t.asInteger("num"), -5);
    t.last();
    EXPECT_EQ(t.asString("name"), "Čáp");
    EXPECT_THROW(t.setIndex("nothing"), DbError);
    EXPECT_LT(czechCompare(u"C", u"Č"), 0);
    EXPECT_LT(czechCompare(u"hz", u"ch"), 0);
    EXPECT_LT(czechCompare(u"Rz", u"Řa"), 0);
}

TEST_F(EngineTest, IndexFollowsAppendEditAndDelete)
{
    Table::create(path(), sampleFields(), {"name"});
    Table t;
    t.setPath(path());
    t.open();
    t.setIndex("name");
    for (const char *s : {"b", "d", "f"})
        addRow(t, s);
    addRow(t, "a");
    EXPECT_EQ(t.asString("name"), "a"); // the posted record is current
    t.locate("name", "f");
    t.edit();
    t.setString("name", "c");
    t.post();
    EXPECT_EQ(names(t), QStringList({"a", "b", "c", "d"}));
    t.locate("name", "b");
    t.deleteRecord();
    EXPECT_EQ(t.asString("name"), "c"); // the next one becomes current
    EXPECT_EQ(names(t), QStringList({"a", "c", "d"}));
    t.last();
    t.deleteRecord();
    EXPECT_EQ(t.asString("name"), "c"); // the one before when the last goes
    t.close();
    t.open();
    t.setIndex("name");
    EXPECT_EQ(names(t), QStringList({"a", "c"}));
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_FALSE(t.locate("name", "b"));
    EXPECT_FALSE(t.locate("name", "d"));
}

TEST_F(EngineTest, FiltersCountsAndCaseInsensitiveHandles)
{
    Table::create(path(), sampleFields());
    Table t;
    t.setPath(path());
    t.open();
    for (const char *s : {"Abc", "abc", "xyz", "ABC "}) {
        t.append();
        t.setString("name", s);
        t.setBoolean("lent", QString(s) != "xyz");
        t.post();
    }
    t.setFilter("name='abc'");
    t.setFiltered(true);
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(names(t), QStringList({"abc"}));
    t.setFilter("Lent=True");
    EXPECT_EQ(t.recordCount(), 3);
    t.first();
    t.edit();
    t.setBoolean("lent", false);
    t.post();
    EXPECT_EQ(t.recordCount(), 2); // counts follow posts
    t.setFiltered(false);
    EXPECT_EQ(t.recordCount(), 4);
    EXPECT_THROW(t.setFilter("name like 'x'"), DbError);

    Table ci;
    ci.setCaseInsensitiveFilter(true);
    ci.setPath(path());
    ci.open();
    ci.setFilter("name='abc'");
    ci.setFiltered(true);
    EXPECT_EQ(ci.recordCount(), 3);
    ci.setFilter("lent=false");
    EXPECT_EQ(ci.recordCount(), 2);
}

TEST_F(EngineTest, LocateWholeAndPrefixRespectingFilter)
{
    Table::create(path(), sampleFields(), {"name"});
    Table t;
    t.setPath(path());
    t.open();
    addRow(t, "00012", 1);
    addRow(t, "00001", 2);
    addRow(t, "00010", 3);
    t.setIndex("name");
    EXPECT_TRUE(t.locate("name", "0001", true));
    EXPECT_EQ(t.asInteger("num"), 3); // first in the active order
    EXPECT_FALSE(t.locate("name", "0001"));
    EXPECT_EQ(t.asInteger("num"), 3); // a failed locate does not move
    EXPECT_TRUE(t.locate("num", 2));
    EXPECT_EQ(t.asString("name"), "00001");
    EXPECT_TRUE(t.locate("NAME", "00012 "));
    EXPECT_THROW(t.locate("missing", "x"), DbError);
}

TEST_F(EngineTest, TwoHandlesShareOneFile)
{
    Table::create(path(), sampleFields(), {"name"});
    Table a, b;
    a.setPath(path());
    b.setPath(path());
    a.open();
    b.open(Table::Mode::ReadOnly);
    QSignalSpy changed(&b, &Table::dataChanged);
    addRow(a, "x");
    EXPECT_EQ(changed.count(), 1);
    b.first();
    EXPECT_EQ(b.asString("name"), "x");
    EXPECT_THROW(b.append(), DbError);
    Table c;
    c.setPath(path());
    EXPECT_THROW(c.open(Table::Mode::Exclusive), DbError);
    EXPECT_THROW(Table::create(path(), sampleFields()), DbError);
    a.close();
    b.close();
    c.open(Table::Mode::Exclusive);
    Table d;
    d.setPath(path());
    EXPECT_THROW(d.open(), DbError);
}

TEST_F(EngineTest, EveryPostIsOnDiskWithItsCount)
{
    Table::create(path(), sampleFields());
    Table t;
    t.setPath(path());
    t.open();
    for (int i = 1; i <= 3; ++i) {
        addRow(t, QString("r%1").arg(i));
        EXPECT_EQ(headerCount(path()), uint32_t(i));
        EXPECT_EQ(bytesOf(path()).back(), '\x1A');
    }
    t.beginBatch();
    addRow(t, "r4");
    addRow(t, "r5");
    t.endBatch();
    EXPECT_EQ(headerCount(path()), 5u);
    Table other; // a fresh reader sees all five
    other.openFromMemory(bytesOf(path()), bytesOf(path("t.dbt")));
    EXPECT_EQ(other.recordCount(), 5);
}

TEST_F(EngineTest, FailedWriteLeavesTheTableAsItWas)
{
    Table::create(path(), sampleFields());
    Table t;
    t.setPath(path());
    t.open();
    addRow(t, "kept");
    const QByteArray before = bytesOf(path());
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto *previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = rlim_t(before.size());
    setrlimit(RLIMIT_FSIZE, &tight);
    t.append();
    t.setString("name", "lost");
    bool threw = false;
    try {
        t.post();
    } catch (const DbError &e) {
        threw = true;
        EXPECT_TRUE(e.message().contains("t.dbf")) << e.message().toStdString();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_TRUE(threw);
    EXPECT_EQ(bytesOf(path()), before);
    t.cancel();
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(names(t), QStringList({"kept"}));
    addRow(t, "after"); // the table still works
    EXPECT_EQ(headerCount(path()), 2u);
}

TEST_F(EngineTest, MissingMemoFileReadsEmptyAndRefusesMemoWrites)
{
    Table::create(path(), sampleFields());
    {
        Table t;
        t.setPath(path());
        t.open();
        t.append();
        t.setString("note", "text");
        t.post();
    }
    QFile::remove(path("t.dbt"));
    Table t;
    t.setPath(path());
    t.open();
    t.first();
    EXPECT_EQ(t.asString("note"), "");
    t.edit();
    t.setString("name", "ok");
    t.post(); // no memo involved
    t.edit();
    t.setString("note", "new");
    try {
        t.post();
        FAIL() << "memo write without memo file";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains("t.dbt")) << e.message().toStdString();
    }
}

TEST_F(EngineTest, DamagedFilesNeverCrashAndNameTheFile)
{
    Table::create(path(), sampleFields());
    {
        Table t;
        t.setPath(path());
        t.open();
        for (int i = 0; i < 3; ++i)
            addRow(t, QString("r%1").arg(i), i);
    }
    const QByteArray good = bytesOf(path());
    const int headerSize = 32 + 6 * 32 + 1;
    const int recordSize = 1 + 10 + 11 + 8 + 1 + 10 + 14;

    auto openCount = [&](const QByteArray &bytes) {
        writeBytes(path(), bytes);
        Table t;
        t.setPath(path());
        t.open(Table::Mode::ReadOnly);
        int n = 0;
        for (t.first(); !t.eof(); t.next()) {
            for (int f = 0; f < t.fieldCount(); ++f)
                t.value(f);
            ++n;
        }
        return n;
    };
    QByteArray tooHigh = good;
    tooHigh[4] = char(200);
    EXPECT_EQ(openCount(tooHigh), 3);
    QByteArray tooLow = good;
    tooLow[4] = 1;
    EXPECT_EQ(openCount(tooLow), 1);
    EXPECT_EQ(openCount(good.left(headerSize + 2 * recordSize + 5)), 2); // truncated last record
    EXPECT_EQ(openCount(good.left(good.size() - 1)), 3);                 // no end marker
    QByteArray garbage = good;
    garbage.replace(headerSize + 1 + 10, 11, "12x45ab    ");             // number
    garbage.replace(headerSize + 1 + 10 + 11, 8, "2002AB99");            // date
    garbage.replace(headerSize + 1 + 10 + 11 + 8 + 1, 10, "  99999999"); // memo pointer
    writeBytes(path(), garbage);
    {
        Table t;
        t.setPath(path());
        t.open();
        t.first();
        EXPECT_EQ(t.asInteger("num"), 0);
        EXPECT_FALSE(t.asDate("day").isValid());
        EXPECT_EQ(t.asString("note"), "");
    }
    for (const QByteArray &bad :
         {QByteArray(), QByteArray("short"), good.left(40), QByteArray(600, '\xFF')}) {
        writeBytes(path(), bad);
        Table t;
        t.setPath(path());
        try {
            t.open();
            FAIL() << "opened a damaged file";
        } catch (const DbError &e) {
            EXPECT_TRUE(e.message().contains("t.dbf")) << e.message().toStdString();
        }
    }
    Table missing;
    missing.setPath(path("none.dbf"));
    EXPECT_THROW(missing.open(), DbError);
}

// A dBASE IV table with a memo, written byte by byte as that program does.
TEST_F(EngineTest, ReadsDbase4Memos)
{
    QByteArray h(32 + 2 * 32 + 1, '\0');
    h[0] = char(0x8B);
    h[4] = 1;
    h[8] = char(h.size());
    h[10] = 1 + 4 + 10;
    h[29] = 0x64; // cp852
    auto field = [&](int i, const char *name, char type, int len) {
        char *d = h.data() + 32 + i * 32;
        memcpy(d, name, strlen(name));
        d[11] = type;
        d[16] = char(len);
    };
    field(0, "NAME", 'C', 4);
    field(1, "NOTE", 'M', 10);
    h[32 + 64] = 0x0D;
    QByteArray rec = QByteArray(" \xE6") + "ek" + "         1"; // "Šek" in cp852
    rec.resize(15, ' ');
    writeBytes(path("iv.dbf"), h + rec + "\x1A");
    QByteArray dbt(1024, '\0');
    dbt[0] = 2;
    dbt[20] = 0;
    dbt[21] = 2; // 512-byte blocks
    const QByteArray text = "dBASE IV text";
    QByteArray block = QByteArray("\xFF\xFF\x08\x00", 4);
    const int len = text.size() + 8;
    block.append(char(len)).append('\0').append('\0').append('\0').append(text);
    dbt.replace(512, block.size(), block);
    writeBytes(path("iv.dbt"), dbt);
    Table t;
    t.setPath(path("iv.dbf"));
    t.open();
    t.first();
    EXPECT_EQ(t.asString("name"), "Šek");
    EXPECT_EQ(t.asString("note"), "dBASE IV text");
}

// A level-7 table: 68-byte header, 48-byte descriptors, binary integers.
TEST_F(EngineTest, ReadsLevel7Tables)
{
    const int fields = 3;
    QByteArray h(68 + fields * 48 + 1, '\0');
    h[0] = 0x04;
    h[4] = 2;
    h[8] = char(h.size() & 0xFF);
    h[9] = char(h.size() >> 8);
    h[10] = 1 + 6 + 4 + 4;
    memcpy(h.data() + 32, "DB win1250", 10);
    auto field = [&](int i, const char *name, char type, int len) {
        char *d = h.data() + 68 + i * 48;
        memcpy(d, name, strlen(name));
        d[32] = type;
        d[33] = char(len);
    };
    field(0, "Jmeno", 'C', 6);
    field(1, "Pocet", 'I', 4);
    field(2, "Id", '+', 4);
    h[68 + fields * 48] = 0x0D;
    auto be = [](int32_t v) {
        const uint32_t u = uint32_t(v) ^ 0x80000000u;
        QByteArray b(4, '\0');
        b[0] = char(u >> 24);
        b[1] = char(u >> 16);
        b[2] = char(u >> 8);
        b[3] = char(u);
        return b;
    };
    QByteArray recs = (QByteArray(" \x8A") + "aty  ") + be(-42) + be(1) + QByteArray(" Eva   ", 7) +
                      be(70000) + be(2);
    writeBytes(path("l7.dbf"), h + recs + "\x1A");
    Table t;
    t.setPath(path("l7.dbf"));
    t.open();
    t.setIndex("pocet");
    t.first();
    EXPECT_EQ(t.asString("jmeno"), "Šaty");
    EXPECT_EQ(t.asInteger("pocet"), -42);
    t.next();
    EXPECT_EQ(t.asInteger("Pocet"), 70000);
    EXPECT_EQ(t.asInteger("Id"), 2);
}

} // namespace

TEST_F(EngineTest, HandleKeepsIndexAndFilterAcrossCloseAndOpen)
{
    Table::create(path(), sampleFields(), {"name"});
    Table t;
    t.setPath(path());
    t.open();
    addRow(t, "b", 1);
    addRow(t, "a", 2);
    addRow(t, "c", 3);
    t.setIndex("name");
    t.setFilter("name='c'");
    t.setFiltered(true);
    t.close();
    t.open();
    // A filter left on is still in force: commands must switch it off.
    EXPECT_TRUE(t.filtered());
    EXPECT_EQ(names(t), QStringList({"c"}));
    t.setFiltered(false);
    EXPECT_EQ(names(t), QStringList({"a", "b", "c"}));

    // A bad expression or tag is refused and leaves what was in force.
    EXPECT_THROW(t.setFilter("name>'a'"), DbError);
    EXPECT_EQ(t.filter(), "name='c'");
    EXPECT_THROW(t.setIndex("missing"), DbError);
    EXPECT_EQ(t.index(), "name");
    EXPECT_EQ(names(t), QStringList({"a", "b", "c"}));

    // Chosen while closed, both apply from the next open.
    t.close();
    t.setIndex(QString());
    t.setFilter("lent=False");
    t.setFiltered(true);
    t.open();
    EXPECT_EQ(names(t), QStringList({"b", "a", "c"}));
}

TEST_F(EngineTest, LocateComparesTypedValuesAsValues)
{
    Table::create(path(), sampleFields());
    Table t;
    t.setPath(path());
    t.open();
    addRow(t, "one", 10);
    t.append();
    t.setString("name", "two");
    t.setInteger("num", 7);
    t.setDate("day", QDate(2002, 5, 27));
    t.setBoolean("lent", true);
    t.post();
    ASSERT_TRUE(t.locate("num", 7));
    EXPECT_EQ(t.asString("name"), "two");
    ASSERT_TRUE(t.locate("day", QDate(2002, 5, 27)));
    EXPECT_EQ(t.asString("name"), "two");
    ASSERT_TRUE(t.locate("lent", false)); // an empty logical reads as false everywhere
    EXPECT_EQ(t.asString("name"), "one");
    EXPECT_FALSE(t.locate("num", 1)); // "10" starts with "1" but is not 1
    EXPECT_TRUE(t.locate("name", "tw", true));
    EXPECT_FALSE(t.locate("name", "TW", true));
    EXPECT_TRUE(t.locate("name", "TW", true, true));
}
