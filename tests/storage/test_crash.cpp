// Posts survive a kill: a child posts to a cassette table (new cassettes
// with notes, edits with longer notes) and is killed at random moments,
// fifty times over the same table; after every kill each confirmed post
// reads whole, in our engine and in dbfread, and nothing else stands in
// the table but the one post that was under way, whole or not at all. An
// append killed before any of its last steps is seen by no reader at all;
// a record rewritten across a page boundary and cut there by the kill is
// old or new once the table is opened again.

#include "CrashPosts.h"
#include "TestEnv.h"

#include <QFile>
#include <QRandomGenerator>
#include <QString>
#include <QtEndian>
#include <cstdio>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

// VELMORA_CRASH_SEED repeats a run; otherwise every run draws its own.
quint64 crashSeed()
{
    const QByteArray given = qgetenv("VELMORA_CRASH_SEED");
    return given.isEmpty() ? QRandomGenerator::system()->generate64() : given.toULongLong();
}

TEST(KilledPosts, EveryConfirmedPostSurvivesFiftyKills)
{
    TestEnv env;
    const quint64 seed = crashSeed();
    std::printf("[ seed     ] VELMORA_CRASH_SEED=%llu\n", static_cast<unsigned long long>(seed));
    ::testing::Test::RecordProperty("seed", QString::number(seed).toStdString());
    crash::PostsCrash crash(env.file("data.dbf"), seed);
    QStringList problems;
    for (int i = 0; i < 50; ++i)
        problems += crash.round(30000);
    EXPECT_EQ(problems.join("\n"), "") << "VELMORA_CRASH_SEED=" << seed;
    const crash::PostsTally &t = crash.tally();
    std::printf("[ tally    ] %d kills, %lld posts confirmed, %lld confirmed records checked, %d "
                "posts under way found whole\n",
                t.kills, t.posts, t.checked, t.inFlightLanded);
    EXPECT_EQ(t.kills, 50);
    EXPECT_EQ(t.failures, 0);
    // Enough work between the kills to have both appends and edits.
    EXPECT_GE(crash.records(), 30);
}

TEST(KilledPosts, AnAppendKilledBeforeAnyOfItsLastStepsIsSeenByNoReader)
{
    TestEnv env;
    using crash::KillPlan;
    // One new cassette with its notes: first the notes' blocks, then the
    // record, its count in the header, and its deletion mark cleared.
    long long steps = 0;
    crash::PostsCrash whole(env.file("whole.dbf"), 1);
    ASSERT_EQ(whole.round(KillPlan::never(), 7, 1, -1, &steps).join("\n"), "");
    ASSERT_EQ(whole.records(), 1);
    ASSERT_GE(steps, 3);
    for (long long step = steps - 2; step <= steps; ++step) {
        crash::PostsCrash cut(env.file(QString("cut%1.dbf").arg(step)), 1);
        EXPECT_EQ(cut.round(KillPlan::atStep(step), 7, 1).join("\n"), "");
        EXPECT_EQ(cut.tally().kills, 1);
        EXPECT_EQ(cut.records(), 0) << "killed before step " << step << " of " << steps;
    }
}

} // namespace
} // namespace velmora::test

namespace velmora::test {
namespace {

TEST(KilledPosts, ARecordRewrittenAcrossAPageBoundaryIsOldOrNewWhereverTheKillCutsIt)
{
    TestEnv env;
    using crash::KillPlan;
    crash::PostsCrash base(env.file("base.dbf"), 1);
    ASSERT_EQ(base.round(KillPlan::never(), 5, 20).join("\n"), "");
    ASSERT_EQ(base.records(), 20);
    // The first record that lies across a page boundary of the file.
    QFile f(env.file("base.dbf"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray head = f.read(12);
    const int header = qFromLittleEndian<quint16>(head.constData() + 8);
    const int size = qFromLittleEndian<quint16>(head.constData() + 10);
    int record = 0;
    while ((header + record * size) / 4096 == (header + (record + 1) * size - 1) / 4096)
        ++record;
    ASSERT_LT(record, 20);

    // Every field of it rewritten, killed in each step in turn; a write
    // that the kill comes to is cut at the page boundary.
    long long steps = 0;
    crash::PostsCrash whole(base, env.file("whole.dbf"));
    ASSERT_EQ(whole.round(KillPlan::never(), 6, 1, record, &steps).join("\n"), "");
    ASSERT_GE(steps, 3);
    for (long long step = 1; step <= steps; ++step) {
        crash::PostsCrash cut(base, env.file(QString("cut%1.dbf").arg(step)));
        EXPECT_EQ(cut.round(KillPlan::tearingAtStep(step), 6, 1, record).join("\n"), "");
    }
}

} // namespace
} // namespace velmora::test
