// A set of files replaced as one in a directory it shares with other files
// and other sets: the new set takes the old one's place whole, and nothing
// else in the directory, or outside it, is touched.

#include "TestEnv.h"
#include "storage/StagedSet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

class StagedSetTest : public ::testing::Test
{
protected:
    StagedSetTest() : set{env.dataDir(), {"a.zal", "b.zal", "c.zal"}, "info.txt"}
    {
        put(env.dataDir(), "A.ZAL", "old a"); // written elsewhere in capitals
        put(env.dataDir(), "b.zal", "old b");
        put(env.dataDir(), "info.txt", "old status");
        put(env.dataDir(), "cd01.zal", "another set");
        put(env.dataDir(), "infocd.txt", "another status");
        put(env.dataDir(), "poznamka.txt", "the user's own");
    }

    static void put(const QString &dir, const QString &name, const QByteArray &bytes)
    {
        QFile f(QDir(dir).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    static QMap<QString, QByteArray> contents(const QString &dir)
    {
        QMap<QString, QByteArray> out;
        for (const QString &name : QDir(dir).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot)) {
            QFile f(QDir(dir).filePath(name));
            out.insert(name, f.open(QIODevice::ReadOnly) ? f.readAll() : "(dir)");
        }
        return out;
    }

    TestEnv env;
    staged::SetFiles set;
};

TEST_F(StagedSetTest, TheNewSetTakesTheOldOnesPlaceAndNothingElseMoves)
{
    ASSERT_EQ(staged::begin(set), "");
    const QString staging = staged::stagingDir(set);
    put(staging, "a.zal", "new a");
    put(staging, "c.zal", "new c");
    put(staging, "info.txt", "new status");
    // Until the commit the directory shows the old set only.
    EXPECT_EQ(contents(env.dataDir()).value("A.ZAL"), "old a");
    ASSERT_EQ(staged::commit(set), "");
    const QMap<QString, QByteArray> expected{{"a.zal", "new a"},
                                             {"c.zal", "new c"},
                                             {"info.txt", "new status"},
                                             {"cd01.zal", "another set"},
                                             {"infocd.txt", "another status"},
                                             {"poznamka.txt", "the user's own"}};
    EXPECT_EQ(contents(env.dataDir()), expected);
    EXPECT_FALSE(staged::pending(set));
}

TEST_F(StagedSetTest, AGivenUpStagingLeavesTheOldSetAsItWas)
{
    const auto before = contents(env.dataDir());
    ASSERT_EQ(staged::begin(set), "");
    put(staged::stagingDir(set), "a.zal", "half");
    staged::abandon(set);
    EXPECT_EQ(contents(env.dataDir()), before);
    // A staging a stopped program left goes at the next look.
    ASSERT_EQ(staged::begin(set), "");
    put(staged::stagingDir(set), "a.zal", "half");
    EXPECT_TRUE(staged::pending(set));
    EXPECT_EQ(staged::recover(set), "");
    EXPECT_EQ(contents(env.dataDir()), before);
}

TEST_F(StagedSetTest, LinksPlantedUnderTheWorkNamesAreRemovedNotFollowed)
{
    QTemporaryDir outside;
    put(outside.path(), "precious.txt", "not ours");
    // Every work directory name of the set points outside.
    for (const char *what : {"new", "in", "old"})
        ASSERT_TRUE(QFile::link(outside.path(), env.dataDir() + "/.info.txt.velmora-" + what));
    const auto before = contents(env.dataDir());
    EXPECT_TRUE(staged::pending(set));
    EXPECT_EQ(staged::recover(set), "");
    EXPECT_EQ(contents(outside.path()), (QMap<QString, QByteArray>{{"precious.txt", "not ours"}}));
    auto without = before;
    for (const char *what : {"new", "in", "old"})
        without.remove(QString(".info.txt.velmora-") + what);
    EXPECT_EQ(contents(env.dataDir()), without);
    ASSERT_EQ(staged::begin(set), "");
    put(staged::stagingDir(set), "info.txt", "new status");
    ASSERT_EQ(staged::commit(set), "");
    EXPECT_EQ(contents(outside.path()), (QMap<QString, QByteArray>{{"precious.txt", "not ours"}}));
}

} // namespace
} // namespace velmora::test
