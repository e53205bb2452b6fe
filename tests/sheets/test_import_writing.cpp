// The writing of an import: all rows or none, after a safety copy, and the
// tables exactly as they were whenever it does not go through.

#include "ImportFixture.h"
#include "storage/Interrupted.h"

namespace velmora::test {
namespace {

using sheets::Sheet;

// Three cassettes, each with a note on its recording in the memo file.
QStringList threeCassettes()
{
    return {QString::fromUtf8(kCassetteHeader),
            QString::fromUtf8("5;E 240;1;První;;SP;0;10;;;;poznámka jedna;;;;;"),
            QString::fromUtf8("6;E 240;1;Druhá;;SP;0;10;;;;poznámka dvě;;;;;"),
            QString::fromUtf8("7;E 240;1;Třetí;;SP;0;10;;;;poznámka tři;;;;;")};
}

TEST_F(ImportTest, ACassetteWriteFailingHalfWayLeavesTheTablesByteForByte)
{
    addCassette("00001");
    const QString path = csvLines(threeCassettes());
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, path);
    ASSERT_TRUE(plan.canImport()) << listed(plan);
    const QMap<QString, QByteArray> before = tableFiles();

    sheets::failImportRecord(3); // two cassettes are in when the third fails
    const sheets::ImportResult result = sheets::applyImport(tables, plan);
    sheets::failImportRecord(0);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.items, 0);
    EXPECT_TRUE(result.error.contains(QString::fromUtf8("vráceny"))) << result.error.toStdString();
    EXPECT_TRUE(result.error.contains(result.safetyCopy)) << result.error.toStdString();
    EXPECT_EQ(tableFiles(), before);
    EXPECT_EQ(rows("data.dbf").size(), 1);
    EXPECT_FALSE(tables.Table1.isOpen()); // closed before, closed after
    // Nothing is left for the next start to undo.
    EXPECT_TRUE(interrupted::undoInterrupted(Paths::dataDir()).isEmpty());
    EXPECT_EQ(tableFiles(), before);

    // The copy is whole: the tables as they were, every file of them.
    for (const QString name : {"data.dbf", "data.dbt", "data.mdx"}) {
        if (!before.contains(name))
            continue;
        QFile copy(QDir(result.safetyCopy).filePath(name));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(copy.readAll(), before.value(name));
    }
}

TEST_F(ImportTest, ACatalogueChangedSinceTheCheckIsNotWrittenInto)
{
    const QString path = csvLines(threeCassettes());
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, path);
    ASSERT_TRUE(plan.canImport()) << listed(plan);

    addCassette("00006"); // entered on a screen meanwhile
    const QMap<QString, QByteArray> taken = tableFiles();
    const sheets::ImportResult result = sheets::applyImport(tables, plan);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QString::fromUtf8("Kazeta 00006 už v katalogu je")))
        << result.error.toStdString();
    EXPECT_EQ(tableFiles(), taken);
    EXPECT_TRUE(safetyCopies().isEmpty());

    // A table of another layout put in its place is not written into either.
    Table::create(Paths::dataFile("data.dbf"),
                  {FieldDef::string("t_kazety", 5), FieldDef::string("cislo", 5)});
    const QMap<QString, QByteArray> other = tableFiles();
    const sheets::ImportResult refused = sheets::applyImport(tables, plan);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(refused.error.contains(QString::fromUtf8("Nic nebylo zapsáno")))
        << refused.error.toStdString();
    EXPECT_EQ(tableFiles(), other);
    EXPECT_TRUE(safetyCopies().isEmpty());

    // And the check of the file tells the same.
    const sheets::ImportPlan again = sheets::planImport(tables, Sheet::Cassettes, path);
    EXPECT_FALSE(again.canImport());
    ASSERT_EQ(again.problems.size(), 1) << listed(again);
    EXPECT_EQ(again.problems[0].line, 0);
}

TEST_F(ImportTest, ATrackTableOfAnotherLayoutStopsTheCdImportBeforeAnyWrite)
{
    const QString path =
        csvLines({QString::fromUtf8(kCdHeader), "2;700;A;;;;CD 1;1;A;1:00;;;;;;;"});
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cds, path);
    ASSERT_TRUE(plan.canImport()) << listed(plan);
    Table::create(Paths::dataFile("cd02.dbf"),
                  {FieldDef::string("Cislocd", 5), FieldDef::string("Track", 50)});
    const QMap<QString, QByteArray> before = tableFiles();
    const sheets::ImportResult result = sheets::applyImport(tables, plan);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(tableFiles(), before);
    EXPECT_TRUE(rows("cd01.dbf").isEmpty());
    EXPECT_TRUE(safetyCopies().isEmpty());
}

TEST_F(ImportTest, OnlyTheNewestFiveImportCopiesAreKept)
{
    const QDir zaloha(Paths::zalohaDir());
    ASSERT_TRUE(QDir().mkpath(zaloha.path()));
    const auto make = [&](const QString &name) {
        ASSERT_TRUE(zaloha.mkpath(name + "/x"));
        QFile f(zaloha.filePath(name + "/data.dbf"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    };
    // Earlier copies of one second: "-10" is newer than "-9".
    QStringList old{"import-20010101-000000"};
    for (int n = 2; n <= 10; ++n)
        old << QStringLiteral("import-20010101-000000-%1").arg(n);
    for (const QString &name : old)
        make(name);
    make("jine");
    make(QString::fromUtf8("import-ruční"));
    {
        QFile f(zaloha.filePath("import-20000101-000000"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("a file, not a copy");
    }
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir(elsewhere.path()).mkpath("keep"));
    ASSERT_TRUE(QFile::link(elsewhere.path(), zaloha.filePath("import-19990101-000000")));

    QStringList made;
    for (int i = 1; i <= 3; ++i) {
        const QString path = csvLines(
            {QString::fromUtf8(kCassetteHeader), QStringLiteral("%1;E 240;;;;;;;;;;;;;;;").arg(i)},
            QStringLiteral("%1.csv").arg(i));
        const sheets::ImportResult r =
            sheets::applyImport(tables, sheets::planImport(tables, Sheet::Cassettes, path));
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        made << QFileInfo(r.safetyCopy).fileName();
        if (i == 1) {
            QStringList expected{made[0], old[9], old[8], old[7], old[6]};
            for (const QString &name : expected)
                EXPECT_TRUE(QFileInfo(zaloha.filePath(name)).isDir()) << name.toStdString();
            EXPECT_FALSE(QFileInfo::exists(zaloha.filePath(old[5])));
            EXPECT_FALSE(QFileInfo::exists(zaloha.filePath(old[0])));
        }
    }
    QStringList copies;
    for (const QString &name :
         zaloha.entryList({"import-2*"}, QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks))
        copies << name;
    QStringList expected = made + QStringList{old[9], old[8]};
    expected.sort();
    copies.sort();
    EXPECT_EQ(copies, expected);
    // Nothing else in ZALOHA is touched, nor anything a link there leads to.
    EXPECT_TRUE(QFileInfo::exists(zaloha.filePath("jine/data.dbf")));
    EXPECT_TRUE(QFileInfo::exists(zaloha.filePath(QString::fromUtf8("import-ruční/data.dbf"))));
    EXPECT_TRUE(QFileInfo(zaloha.filePath("import-20000101-000000")).isFile());
    EXPECT_TRUE(QFileInfo(zaloha.filePath("import-19990101-000000")).isSymLink());
    EXPECT_TRUE(QDir(elsewhere.path()).exists("keep"));
}

TEST_F(ImportTest, EachImportKeepsItsOwnSafetyCopy)
{
    const QString first = csvLines({QString::fromUtf8(kCassetteHeader), "1;E 240;;;;;;;;;;;;;;;"});
    ASSERT_TRUE(
        sheets::applyImport(tables, sheets::planImport(tables, Sheet::Cassettes, first)).ok);
    const QString second =
        csvLines({QString::fromUtf8(kCassetteHeader), "2;E 240;;;;;;;;;;;;;;;"}, "b.csv");
    const QMap<QString, QByteArray> between = tableFiles();
    const sheets::ImportResult r =
        sheets::applyImport(tables, sheets::planImport(tables, Sheet::Cassettes, second));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(safetyCopies().size(), 2);
    // The second copy holds the catalogue with the first import in it.
    QFile copy(QDir(r.safetyCopy).filePath("data.dbf"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), between.value("data.dbf"));
    EXPECT_EQ(rows("data.dbf").size(), 2);
    // A finished import leaves nothing that the next start would take back.
    const QMap<QString, QByteArray> after = tableFiles();
    EXPECT_TRUE(interrupted::undoInterrupted(Paths::dataDir()).isEmpty());
    EXPECT_EQ(tableFiles(), after);
}

} // namespace
} // namespace velmora::test
