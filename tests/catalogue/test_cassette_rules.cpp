// The cassette rules with the worked examples of the catalogue, and the
// number walk over a real table.

#include "TestEnv.h"
#include "catalogue/CassetteRules.h"
#include "engine/Table.h"
#include "storage/Schemas.h"

#include <gtest/gtest.h>

using namespace velmora;

TEST(CassetteRules, CapacityOfEveryTypeIncludesTheReserve)
{
    const QList<int> expected{65, 95, 110, 125, 155, 185, 200, 205, 215, 245, 265, 305};
    ASSERT_EQ(tapeTypes().size(), 12);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(CassetteCapacity(tapeTypes()[i]), expected[i]) << tapeTypes()[i].toStdString();
    EXPECT_TRUE(tapeTypes().contains(kDefaultTapeType));
}

TEST(CassetteRules, SpMinutesTruncateAndUnknownSpeedsOccupyNothing)
{
    EXPECT_EQ(SpMinutes(45, "LP"), 22);
    EXPECT_EQ(SpMinutes(100, "EP"), 33);
    EXPECT_EQ(SpMinutes(60, "SP"), 60);
    EXPECT_EQ(SpMinutes(60, ""), 0);
    EXPECT_EQ(SpMinutes(60, "sp"), 0);
    EXPECT_EQ(SpMinutes(0, "SP"), 0);
    EXPECT_EQ(SpMinutes(-7, "LP"), -3); // toward zero
}

TEST(CassetteRules, RemainingTimeOfTheWorkedExamples)
{
    Recordings r;
    r[0] = {60, "SP"};
    r[1] = {90, "LP"};
    const int left = RemainingTime("E 180", r);
    EXPECT_EQ(left, 80);
    EXPECT_EQ(HourDisplay(left), "1h 20m");
    EXPECT_EQ(HourDisplay(2 * left), "2h 40m");
    EXPECT_EQ(HourDisplay(3 * left), "4h 00m");

    Recordings over;
    over[0] = {200, "EP"};
    EXPECT_EQ(RemainingTime("E 60", over), -1);

    Recordings titled; // a title without a speed occupies nothing
    titled[2] = {120, ""};
    EXPECT_EQ(RemainingTime("E 120", titled), 125);
}

TEST(CassetteRules, HourAndLengthDisplay)
{
    EXPECT_EQ(HourDisplay(185), "3h 05m");
    EXPECT_EQ(HourDisplay(0), "0h 00m");
    EXPECT_EQ(HourDisplay(600), "10h 00m");
    EXPECT_EQ(HourDisplay(59), "0h 59m");
    EXPECT_EQ(HourDisplay(70), "1h 10m");
    EXPECT_EQ(LengthDisplay(0), "");
    EXPECT_EQ(LengthDisplay(90), "1h 30m");
}

TEST(CassetteRules, PadNumberAndOpenCassette)
{
    EXPECT_EQ(PadNumber(7), "00007");
    EXPECT_EQ(PadNumber(123456), "23456");
    EXPECT_EQ(PadNumber(0), "00000");
    EXPECT_EQ(PadNumber(42, 3), "042");
    EXPECT_TRUE(IsOpenCassette(10, 10));
    EXPECT_FALSE(IsOpenCassette(9, 10));
    EXPECT_FALSE(IsOpenCassette(-1, 0));
}

class FreeNumbersTest : public ::testing::Test
{
protected:
    FreeNumbers walk(const QStringList &numbers)
    {
        const TableSchema s = schema::cassettes();
        const QString path = env.file("data.dbf");
        Table::create(path, s.fields, s.tags);
        Table t;
        t.setPath(path);
        t.open();
        for (const QString &n : numbers) {
            t.append();
            t.setString("cislo", n);
            t.post();
        }
        t.setIndex("cislo");
        t.last();
        const QString current = t.asString("cislo");
        FreeNumbers f = NextFreeNumbers(t, "cislo");
        EXPECT_EQ(t.asString("cislo"), current); // the walk does not move the table
        return f;
    }
    test::TestEnv env;
};

TEST_F(FreeNumbersTest, GapsAndTheNextNumberWithTheNextPreselected)
{
    const FreeNumbers f = walk({"00007", "00001", "00004", "00002"});
    EXPECT_EQ(f.offers, (QStringList{"00003", "00005", "00006", "00008"}));
    EXPECT_EQ(f.preselected, "00008");
}

TEST_F(FreeNumbersTest, EmptyTableFullRunAndADoubledNumber)
{
    EXPECT_EQ(walk({}).offers, QStringList{"00001"});
    EXPECT_EQ(walk({}).preselected, "00001");
    EXPECT_EQ(walk({"00001", "00002", "00003", "00004", "00005"}).offers, QStringList{"00006"});
    EXPECT_EQ(walk({"00001", "00002", "00003", "00003", "00004"}).offers, QStringList{"00005"});
}

TEST_F(FreeNumbersTest, NumbersThatAreNotDecimalAreSkipped)
{
    EXPECT_EQ(walk({"00001", "ABCDE", "00003", ""}).offers, (QStringList{"00002", "00004"}));
    EXPECT_EQ(walk({"00002"}).offers, (QStringList{"00001", "00003"}));
}
