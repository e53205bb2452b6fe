// Tables read in place from the file: one's own writes, files that another
// program shortens or replaces, empty tables and a cut last record.

#include "TestEnv.h"
#include "engine/Codepage.h"
#include "engine/Collation.h"
#include "engine/DbError.h"
#include "engine/Table.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace velmora;

namespace {

QList<FieldDef> fields()
{
    return {FieldDef::string("name", 20), FieldDef::integer("num"), FieldDef::memo("note")};
}

// Records of 32 bytes plus the flag, so many records share one page.
void fill(const QString &path, int count, const QString &prefix = QStringLiteral("r"))
{
    Table::create(path, fields(), {QStringLiteral("name")});
    Table t;
    t.setPath(path);
    t.open(Table::Mode::Exclusive);
    t.beginBatch();
    for (int i = 0; i < count; ++i) {
        t.append();
        t.setString("name", QStringLiteral("%1%2").arg(prefix).arg(i, 5, 10, QLatin1Char('0')));
        t.setInteger("num", i);
        t.setString("note", QStringLiteral("poznámka %1 ").arg(i).repeated(40));
        t.post();
    }
    t.endBatch();
}

QStringList names(Table &t)
{
    QStringList out;
    for (t.first(); !t.eof(); t.next())
        out << t.asString("name");
    return out;
}

int headerSize(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QByteArray h = f.read(12);
    return uint8_t(h[8]) | (uint8_t(h[9]) << 8);
}

// Renames a file over another in one step, as careful writers replace a file.
void renameOver(const QString &from, const QString &to)
{
    ASSERT_EQ(::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()), 0);
}

void cutTo(const QString &path, qint64 size)
{
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), off_t(size)), 0);
}

class InPlaceTest : public ::testing::Test
{
protected:
    QString path(const QString &name = QStringLiteral("t.dbf")) const { return env.file(name); }
    // Another program writes a new table beside ours and renames it over
    // ours, as careful writers do.
    void replaceTable(int count, const QString &prefix)
    {
        const QString other = path(QStringLiteral("other.dbf"));
        fill(other, count, prefix);
        renameOver(other, path());
        renameOver(Table::memoPath(other), Table::memoPath(path()));
    }
    test::TestEnv env;
};

TEST_F(InPlaceTest, OwnWritesAreSeenByEveryHandleAndAfterReopening)
{
    fill(path(), 300);
    Table a, b;
    a.setPath(path());
    b.setPath(path());
    a.open();
    b.open(Table::Mode::ReadOnly);

    // A record of the file as it was opened, one appended, then that one edited.
    ASSERT_TRUE(a.locate("num", 150));
    a.edit();
    a.setString("name", QStringLiteral("změněný"));
    a.setString("note", QStringLiteral("nová poznámka"));
    a.post();
    a.append();
    a.setString("name", QStringLiteral("přidaný"));
    a.setInteger("num", 1000);
    a.post();
    a.edit();
    a.setInteger("num", 1001);
    a.post();

    ASSERT_TRUE(b.locate("num", 150));
    EXPECT_EQ(b.asString("name"), QStringLiteral("změněný"));
    EXPECT_EQ(b.asString("note"), QStringLiteral("nová poznámka"));
    ASSERT_TRUE(b.locate("name", QStringLiteral("přidaný")));
    EXPECT_EQ(b.asInteger("num"), 1001);
    EXPECT_EQ(b.recordCount(), 301);

    a.close();
    b.close();
    Table c;
    c.setPath(path());
    c.setIndex(QStringLiteral("name"));
    c.open(Table::Mode::ReadOnly);
    EXPECT_EQ(c.recordCount(), 301);
    ASSERT_TRUE(c.locate("num", 1001));
    EXPECT_EQ(c.asString("name"), QStringLiteral("přidaný"));
    c.last();
    EXPECT_EQ(c.asString("name"), QStringLiteral("změněný"));
}

TEST_F(InPlaceTest, DeletingARecordOfTheFileHidesItFromEveryHandle)
{
    fill(path(), 50);
    Table a, b;
    a.setPath(path());
    b.setPath(path());
    b.setIndex(QStringLiteral("name"));
    a.open();
    b.open();
    ASSERT_EQ(b.recordCount(), 50);
    ASSERT_TRUE(a.locate("num", 7));
    a.deleteRecord();
    EXPECT_EQ(b.recordCount(), 49);
    EXPECT_FALSE(b.locate("num", 7));
}

TEST_F(InPlaceTest, ATableShortenedBehindItsBackReadsAsTheShorterTable)
{
    fill(path(), 2000);
    Table t;
    t.setPath(path());
    t.open(Table::Mode::ReadOnly);
    ASSERT_EQ(t.recordCount(), 2000);
    // Half way through a walk, another program keeps only 700 records and
    // a half. The walk under way may finish on records it had read already;
    // the next one reads the file as it now is.
    int seen = 0;
    for (t.first(); !t.eof() && seen < 1000; t.next())
        ++seen;
    const int recordSize = 1 + 20 + 11 + 10;
    cutTo(path(), headerSize(path()) + 700 * recordSize + recordSize / 2);
    for (; !t.eof(); t.next())
        ++seen;
    EXPECT_LE(seen, 2000);
    EXPECT_EQ(t.recordCount(), 700);
    EXPECT_EQ(names(t).size(), 700);
    t.last();
    EXPECT_EQ(t.asString("name"), QStringLiteral("r00699"));
    EXPECT_EQ(t.asString("note").left(12), QStringLiteral("poznámka 699"));
}

TEST_F(InPlaceTest, RecordsCutOffReadAsEmptyNotAsACrash)
{
    fill(path(), 2000);
    Table t;
    t.setPath(path());
    t.open(Table::Mode::ReadOnly);
    // The file and its notes emptied by another program before the records
    // at its end were ever read.
    cutTo(path(), 0);
    cutTo(Table::memoPath(path()), 0);
    EXPECT_EQ(t.asStringAt(1900, 0), QString());
    EXPECT_EQ(t.asStringAt(1900, 2), QString());
    // The next walk reads the table as it now is: without records.
    EXPECT_EQ(t.recordCount(), 0);
    t.first();
    EXPECT_TRUE(t.eof());
    t.prior();
    t.next();
    EXPECT_TRUE(t.eof());
}

TEST_F(InPlaceTest, CutNotesReadAsEmptyAndNotesWrittenAfterwardsReadBack)
{
    fill(path(), 200);
    Table t;
    t.setPath(path());
    t.open();
    ASSERT_TRUE(t.locate("num", 199));
    ASSERT_FALSE(t.asString("note").isEmpty());
    cutTo(Table::memoPath(path()), 512);
    ASSERT_TRUE(t.locate("num", 199));
    EXPECT_EQ(t.asString("note"), QString());
    t.edit();
    t.setString("note", QStringLiteral("po zkrácení"));
    t.post();
    EXPECT_EQ(t.asString("note"), QStringLiteral("po zkrácení"));
}

TEST_F(InPlaceTest, ATableReplacedBetweenTwoOpensIsReadAnew)
{
    fill(path(), 400);
    Table keeper;
    keeper.setPath(path());
    keeper.open(Table::Mode::ReadOnly);

    replaceTable(3, QStringLiteral("nový"));

    Table fresh;
    fresh.setPath(path());
    fresh.open(Table::Mode::ReadOnly);
    EXPECT_EQ(names(fresh), (QStringList{"nový00000", "nový00001", "nový00002"}));
    ASSERT_TRUE(fresh.locate("num", 2));
    EXPECT_TRUE(fresh.asString("note").startsWith(QStringLiteral("poznámka 2")));
    // The handle that kept the old file open reads what it had.
    EXPECT_EQ(keeper.recordCount(), 400);
    keeper.close();
    fresh.close();

    // With nothing open in between, the next open reads the file too.
    replaceTable(5, QStringLiteral("další"));
    fresh.open(Table::Mode::ReadOnly);
    EXPECT_EQ(fresh.recordCount(), 5);
}

TEST_F(InPlaceTest, AFileReplacedWhileHeldExclusivelyIsRefusedByName)
{
    fill(path(), 10);
    Table owner;
    owner.setPath(path());
    owner.open(Table::Mode::Exclusive);
    replaceTable(2, QStringLiteral("r"));
    Table second;
    second.setPath(path());
    try {
        second.open(Table::Mode::ReadOnly);
        FAIL() << "opened a table held exclusively";
    } catch (const DbError &e) {
        EXPECT_TRUE(QString(e.what()).contains(path())) << e.what();
    }
}

TEST_F(InPlaceTest, EmptyTablesOpenWalkAndGrow)
{
    Table::create(path(), fields(), {QStringLiteral("name")});
    Table t;
    t.setPath(path());
    t.setIndex(QStringLiteral("name"));
    t.open();
    EXPECT_TRUE(t.isEmpty());
    t.first();
    EXPECT_TRUE(t.eof() && t.bof());
    t.last();
    t.next();
    EXPECT_TRUE(t.eof());
    t.append();
    t.setString("name", QStringLiteral("první"));
    t.post();
    t.close();
    t.open(Table::Mode::ReadOnly);
    EXPECT_EQ(names(t), QStringList{QStringLiteral("první")});
}

TEST_F(InPlaceTest, ALastRecordCutShortIsLeftOutAndTheRestRead)
{
    fill(path(), 10);
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.resize(f.size() - 1 - 20)); // end marker and part of record 10
    f.close();
    Table t;
    t.setPath(path());
    t.setIndex(QStringLiteral("name"));
    t.open();
    EXPECT_EQ(t.recordCount(), 9);
    t.last();
    EXPECT_EQ(t.asString("name"), QStringLiteral("r00008"));
    // Appending continues after the whole records.
    t.append();
    t.setString("name", QStringLiteral("r00009"));
    t.post();
    t.close();
    t.open(Table::Mode::ReadOnly);
    EXPECT_EQ(t.recordCount(), 10);
}

TEST(ByteCollation, KeysFromStoredBytesEqualKeysOfTheDecodedText)
{
    const Codepage &cp = Codepage::cp1250();
    const ByteCollation &bytes = ByteCollation::of(cp);
    auto check = [&](const QByteArray &raw) {
        std::string fromBytes;
        bytes.appendKey(raw.constData(), int(raw.size()), fromBytes);
        EXPECT_EQ(fromBytes, czechSortKey(cp.decode(raw.constData(), int(raw.size()))))
            << raw.toHex().toStdString();
    };
    for (const char *s : {"", "ch", "Ch", "cH", "chch", "c", "h", "xch", "cc", "Chrudim"})
        check(QByteArray(s));
    check(cp.encode(QStringLiteral("Šťastný Čech řeže ŽLUŤOUČKÉHO koně")));
    QRandomGenerator random(9);
    for (int i = 0; i < 2000; ++i) {
        QByteArray raw(int(random.bounded(12)), Qt::Uninitialized);
        for (char &c : raw)
            c = char(random.bounded(256));
        check(raw);
    }
}

} // namespace

namespace {

TEST_F(InPlaceTest, PostsOfABatchAreReadBeforeTheyReachTheFileAndAllReachIt)
{
    Table::create(path(), fields(), {QStringLiteral("name")});
    Table writer, reader;
    writer.setPath(path());
    reader.setPath(path());
    reader.setIndex(QStringLiteral("name"));
    writer.open();
    reader.open(Table::Mode::ReadOnly);
    writer.beginBatch();
    // Enough records for several writes on the way, and a last few that
    // stay unwritten until the batch ends.
    for (int i = 0; i < 20000; ++i) {
        writer.append();
        writer.setString("name", QStringLiteral("z%1").arg(i, 5, 10, QLatin1Char('0')));
        writer.setInteger("num", i);
        writer.post();
    }
    ASSERT_TRUE(writer.locate("num", 19999));
    writer.edit();
    writer.setString("name", QStringLiteral("a-poslední"));
    writer.post();
    EXPECT_EQ(reader.recordCount(), 20000);
    reader.first();
    EXPECT_EQ(reader.asString("name"), QStringLiteral("a-poslední"));
    writer.endBatch();

    writer.close();
    reader.close();
    Table again;
    again.setPath(path());
    again.open(Table::Mode::ReadOnly);
    EXPECT_EQ(again.recordCount(), 20000);
    again.last();
    EXPECT_EQ(again.asString("name"), QStringLiteral("a-poslední"));
    EXPECT_EQ(again.asInteger("num"), 19999);
}

TEST_F(InPlaceTest, ClosingInTheMiddleOfABatchWritesWhatWasPosted)
{
    Table::create(path(), fields());
    {
        Table t;
        t.setPath(path());
        t.open();
        t.beginBatch();
        for (int i = 0; i < 10; ++i) {
            t.append();
            t.setInteger("num", i);
            t.post();
        }
    } // no endBatch: the handle is let go
    Table t;
    t.setPath(path());
    t.open(Table::Mode::ReadOnly);
    EXPECT_EQ(t.recordCount(), 10);
    t.last();
    EXPECT_EQ(t.asInteger("num"), 9);
}

} // namespace

namespace {

uint32_t countInHeader(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QByteArray h = f.read(8);
    return uint8_t(h[4]) | (uint8_t(h[5]) << 8) | (uint8_t(h[6]) << 16) |
           (uint32_t(uint8_t(h[7])) << 24);
}

TEST_F(InPlaceTest, ARecordCutAwayWhileBeingEditedIsRefusedByName)
{
    fill(path(), 2000);
    Table editor, viewer;
    editor.setPath(path());
    viewer.setPath(path());
    editor.open();
    viewer.open(Table::Mode::ReadOnly);
    ASSERT_TRUE(editor.locate("num", 1500));
    editor.edit();
    editor.setString("name", QStringLiteral("ztracený"));
    editor.setString("note", QStringLiteral("nová poznámka"));
    const qint64 memoSize = QFileInfo(Table::memoPath(path())).size();

    const int recordSize = 1 + 20 + 11 + 10;
    cutTo(path(), headerSize(path()) + 50 * recordSize);
    ASSERT_EQ(viewer.recordCount(), 50); // the shared file learns the new length
    try {
        editor.post();
        FAIL() << "posted a record the file no longer holds";
    } catch (const DbError &e) {
        EXPECT_TRUE(QString(e.what()).contains(path())) << e.what();
    }
    editor.cancel();
    EXPECT_EQ(QFileInfo(path()).size(), headerSize(path()) + 50 * recordSize);
    EXPECT_EQ(QFileInfo(Table::memoPath(path())).size(), memoSize);
    // Choosing an order on the lost record starts from the first one.
    editor.setIndex(QStringLiteral("name"));
    EXPECT_EQ(editor.asString("name"), QStringLiteral("r00000"));
    EXPECT_EQ(names(editor).size(), 50);
}

TEST_F(InPlaceTest, AHandleLetGoInTheMiddleOfABatchHoldsBackNoPosts)
{
    Table::create(path(), fields());
    Table keeper;
    keeper.setPath(path());
    keeper.open();
    {
        Table bulk;
        bulk.setPath(path());
        bulk.open();
        bulk.beginBatch();
        for (int i = 0; i < 3; ++i) {
            bulk.append();
            bulk.setInteger("num", i);
            bulk.post();
        }
    } // unwound without endBatch
    EXPECT_EQ(countInHeader(path()), 3u);
    // Later posts of the other handle reach the file at once again.
    keeper.append();
    keeper.setInteger("num", 3);
    keeper.post();
    EXPECT_EQ(countInHeader(path()), 4u);
}

} // namespace
