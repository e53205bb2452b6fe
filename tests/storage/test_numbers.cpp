// Cassette and CD numbers that a spreadsheet shortened ("1" for "00001"):
// found in the titles, tracks and loan archives, numbers that several
// spellings share left alone, and the repair that makes a whole safety set
// first.

#include "SpreadsheetTables.h"
#include "TestEnv.h"
#include "storage/BackupSets.h"
#include "storage/NumberRepair.h"
#include "storage/Paths.h"
#include "storage/Storage.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

using namespace velmora;
using test::row;
using test::writeAsSpreadsheet;

namespace {

class NumbersTest : public ::testing::Test
{
protected:
    NumbersTest()
    {
        Paths::setDataDir(env.dataDir() + QLatin1Char('/'));
        Storage::prepareDirectories();
        Storage::prepareTables(handles);
    }

    QString file(const QString &name) const { return Paths::dataFile(name); }

    // A CD catalogue after a spreadsheet: title 1 also stands as 00001 (a
    // title entered after the round trip), title 7 shortened; the tracks of
    // 00001 still in five digits, those of 7 shortened, one track of the
    // shortened 1; a loan of 7.
    void spreadsheetCds()
    {
        writeAsSpreadsheet(file("cd01.dbf"),
                           {row({{"cislocd", "1"}, {"titulcd", QStringLiteral("Písně")}}),
                            row({{"cislocd", "00001"}, {"titulcd", QStringLiteral("Nové")}}),
                            row({{"cislocd", "7"}, {"titulcd", QStringLiteral("Ódy")}})});
        writeAsSpreadsheet(file("cd02.dbf"), {row({{"cislocd", "00001"}, {"track", "a"}}),
                                              row({{"cislocd", "00001"}, {"track", "b"}}),
                                              row({{"cislocd", "7"}, {"track", "c"}}),
                                              row({{"cislocd", "7"}, {"track", "d"}}),
                                              row({{"cislocd", "7"}, {"track", "e"}}),
                                              row({{"cislocd", "1"}, {"track", "f"}})});
        writeAsSpreadsheet(file("archivcd.dbf"), {row({{"cislocd", "7"}, {"komu", "Eva"}})});
    }

    QMap<QString, QByteArray> snapshot() const
    {
        QMap<QString, QByteArray> out;
        QDirIterator it(env.dataDir(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            f.open(QIODevice::ReadOnly);
            out.insert(f.fileName(), f.readAll());
        }
        return out;
    }

    test::TestEnv env;
    TableHandles handles;
};

QStringList tables(const QList<numbers::TableCount> &counts)
{
    QStringList out;
    for (const auto &c : counts)
        out << QStringLiteral("%1 %2").arg(c.table).arg(c.records);
    return out;
}

} // namespace

TEST(StoredForm, OnlyShortNumbersHaveAnotherStoredForm)
{
    EXPECT_EQ(numbers::storedForm("1"), "00001");
    EXPECT_EQ(numbers::storedForm("100"), "00100");
    EXPECT_EQ(numbers::storedForm("0001"), "00001");
    EXPECT_EQ(numbers::storedForm(" 12"), "00012");
    EXPECT_EQ(numbers::storedForm("0"), "00000");
    for (const char *kept : {"00001", "12345", "99999", "", "123456", "12a", "abc", "1.0", "-1"})
        EXPECT_EQ(numbers::storedForm(kept), QString()) << kept;
}

TEST_F(NumbersTest, AFreshCatalogueHasNothingToPutRight)
{
    EXPECT_TRUE(numbers::find(backup::Set::Cassettes).empty());
    EXPECT_TRUE(numbers::find(backup::Set::Cds).empty());
}

TEST_F(NumbersTest, ShortNumbersAreFoundInItemsAndArchivesWithTheirCounts)
{
    writeAsSpreadsheet(file("data.dbf"), {row({{"cislo", "1"}, {"film1", QStringLiteral("Kůň")}}),
                                          row({{"cislo", "10"}}), row({{"cislo", "100"}}),
                                          row({{"cislo", "00002"}}), row({{"cislo", "bez"}})});
    writeAsSpreadsheet(file("archiv.dbf"), {row({{"cislo", "1"}}), row({{"cislo", "00002"}})});
    const numbers::Finding f = numbers::find(backup::Set::Cassettes);
    EXPECT_EQ(tables(f.fixable), (QStringList{"data.dbf 3", "archiv.dbf 1"}));
    EXPECT_TRUE(f.collisions.isEmpty());
    EXPECT_EQ(f.records(), 4);
    const QString q = numbers::question(f);
    EXPECT_TRUE(q.contains(QStringLiteral("data.dbf: 3 záznamy"))) << q.toStdString();
    EXPECT_TRUE(q.contains(QStringLiteral("archiv.dbf: 1 záznam"))) << q.toStdString();
    EXPECT_TRUE(q.contains(QStringLiteral("Pred_opravou_VK_"))) << q.toStdString();
    EXPECT_TRUE(numbers::find(backup::Set::Cds).empty());
}

TEST_F(NumbersTest, NumbersThatSeveralTitlesShareAreNamedAndLeftInEveryTable)
{
    spreadsheetCds();
    const numbers::Finding f = numbers::find(backup::Set::Cds);
    // Title 7 with its three tracks and its loan; nothing of number 1.
    EXPECT_EQ(tables(f.fixable), (QStringList{"cd01.dbf 1", "cd02.dbf 3", "archivcd.dbf 1"}));
    ASSERT_EQ(f.collisions.size(), 1);
    EXPECT_EQ(f.collisions[0].table, "cd01.dbf");
    EXPECT_EQ(f.collisions[0].number, "00001");
    EXPECT_EQ(f.collisions[0].forms, (QStringList{"1", "00001"}));
    const QString q = numbers::question(f);
    EXPECT_TRUE(q.contains(QStringLiteral("cd01.dbf: číslo 00001 je zapsáno jako „1“, „00001“")))
        << q.toStdString();
    EXPECT_TRUE(q.contains(QStringLiteral("Pred_opravou_CD_"))) << q.toStdString();
}

TEST_F(NumbersTest, TheRepairMakesAWholeSafetySetFirstAndPutsTheRestRight)
{
    spreadsheetCds();
    const QMap<QString, QByteArray> before = snapshot();
    const QDateTime moment(QDate(2024, 3, 9), QTime(14, 5, 7));
    const numbers::Outcome out = numbers::repair(backup::Set::Cds, moment, "2002.A");
    ASSERT_EQ(out.problem, QString()) << out.message().toStdString();

    const QString dir = env.dataDir() + "/ZALOHA/Pred_opravou_CD_2024-03-09_14-05-07";
    EXPECT_EQ(QDir::cleanPath(out.safetyDir), QDir::cleanPath(dir));
    const backup::Status status = backup::readStatus(dir, backup::Set::Cds);
    EXPECT_TRUE(status.exists);
    EXPECT_EQ(status.version, "2002.A");
    // The set holds the tables as they were before.
    for (const auto &[live, stored] :
         {std::pair{"cd01.dbf", "cd01.zal"}, std::pair{"cd02.dbf", "cd02.zal"},
          std::pair{"archivcd.dbf", "archivcd.zal"}}) {
        QFile copy(dir + QLatin1Char('/') + stored);
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly)) << stored;
        EXPECT_EQ(copy.readAll(), before.value(file(live))) << stored;
    }

    EXPECT_EQ(test::columnOf(file("cd01.dbf"), "Cislocd"), (QStringList{"1", "00001", "00007"}));
    EXPECT_EQ(test::columnOf(file("cd02.dbf"), "Cislocd"),
              (QStringList{"00001", "00001", "00007", "00007", "00007", "1"}));
    EXPECT_EQ(test::columnOf(file("archivcd.dbf"), "cislocd"), QStringList{"00007"});
    EXPECT_EQ(tables(out.fixed), (QStringList{"cd01.dbf 1", "cd02.dbf 3", "archivcd.dbf 1"}));
    EXPECT_TRUE(out.message().contains(QDir::toNativeSeparators(out.safetyDir)));
    EXPECT_EQ(
        test::columnOf(file("cd01.dbf"), "TitulCD"),
        (QStringList{QStringLiteral("Písně"), QStringLiteral("Nové"), QStringLiteral("Ódy")}));

    // What is left is the collision alone, and a second repair changes nothing.
    const numbers::Finding after = numbers::find(backup::Set::Cds);
    EXPECT_TRUE(after.fixable.isEmpty());
    EXPECT_EQ(after.collisions.size(), 1);
    const QMap<QString, QByteArray> repaired = snapshot();
    EXPECT_EQ(numbers::repair(backup::Set::Cds, moment.addSecs(60), "2002.A").problem, QString());
    EXPECT_EQ(snapshot(), repaired);
}

TEST_F(NumbersTest, WhenNoSafetySetCanBeMadeNothingIsChanged)
{
    spreadsheetCds();
    // ZALOHA is a file here, so no set can be made in it.
    QDir(env.dataDir() + "/ZALOHA").removeRecursively();
    QFile blocker(env.dataDir() + "/ZALOHA");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QMap<QString, QByteArray> before = snapshot();

    const numbers::Outcome out =
        numbers::repair(backup::Set::Cds, QDateTime::currentDateTime(), "2002.A");
    EXPECT_FALSE(out.problem.isEmpty());
    EXPECT_TRUE(out.safetyDir.isEmpty());
    EXPECT_TRUE(out.message().contains(QStringLiteral("čísla zůstala beze změny")))
        << out.message().toStdString();
    EXPECT_EQ(snapshot(), before);
}
