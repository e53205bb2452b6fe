// Whole-file replacements are old or new, never torn: each operation that
// replaces whole files, or changes a CD title with its tracks, is run by a
// child that is killed ten times, at random moments of its work or right
// before random ones of its steps that change the file system. After what
// the program runs at its next start, every table is the complete old one
// or the complete new one, in our engine and in dbfread.

#include "CrashReplacements.h"
#include "TestEnv.h"

#include <QRandomGenerator>
#include <cstdio>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

quint64 crashSeed()
{
    const QByteArray given = qgetenv("VELMORA_CRASH_SEED");
    return given.isEmpty() ? QRandomGenerator::system()->generate64() : given.toULongLong();
}

void killTenTimes(std::unique_ptr<crash::Operation> (*make)(const QString &))
{
    TestEnv env;
    const quint64 seed = crashSeed();
    std::printf("[ seed     ] VELMORA_CRASH_SEED=%llu\n", static_cast<unsigned long long>(seed));
    ::testing::Test::RecordProperty("seed", QString::number(seed).toStdString());
    crash::ReplaceCrash crash(make(env.dataDir()), seed);
    ASSERT_EQ(crash.calibrate().join("\n"), "");
    QStringList problems;
    for (int i = 0; i < 10; ++i)
        problems += crash.randomRound();
    EXPECT_EQ(problems.join("\n"), "") << "VELMORA_CRASH_SEED=" << seed;
    const crash::ReplaceTally &t = crash.tally();
    std::printf("[ tally    ] %s: %d steps, %d killed, %d ran to the end; found old %d, new %d\n",
                qPrintable(crash.operation().name()), int(crash.steps()), t.killed, t.finished,
                t.old, t.fresh);
    EXPECT_EQ(t.failures, 0);
}

std::unique_ptr<crash::Operation> cdEdit(const QString &root)
{
    return crash::titleChange(root, "cdedit");
}
std::unique_ptr<crash::Operation> cdNew(const QString &root)
{
    return crash::titleChange(root, "cdnew");
}
std::unique_ptr<crash::Operation> cdDelete(const QString &root)
{
    return crash::titleChange(root, "cddelete");
}

TEST(KilledReplacements, AFileCopyIsTheOldFileOrTheNewOne)
{
    killTenTimes(crash::fileCopy);
}

TEST(KilledReplacements, ARestoredSetIsTheOldSetOrTheNewOne)
{
    killTenTimes(crash::restore);
}

TEST(KilledReplacements, ABackupOverAnEarlierOneLeavesTheOldSetOrTheNewOne)
{
    killTenTimes(crash::backupSet);
}

TEST(KilledReplacements, AnExportOverAnEarlierOneLeavesTheOldSetOrTheNewOne)
{
    killTenTimes(crash::exportSet);
}

TEST(KilledReplacements, AnImportedCatalogueIsTheOldOneOrTheNewOne)
{
    killTenTimes(crash::import);
}

TEST(KilledReplacements, AConversionLeavesTheOldGenerationOrTheNewOne)
{
    killTenTimes(crash::conversion);
}

TEST(KilledReplacements, AFormatUpgradeEndsWithTheUpgradedTablesAtTheNextStart)
{
    killTenTimes(crash::formatUpgrade);
}

TEST(KilledReplacements, AnEditedCdTitleHasAllItsOldTracksOrAllItsNewOnes)
{
    killTenTimes(cdEdit);
}

TEST(KilledReplacements, ANewCdTitleIsThereWithAllItsTracksOrNotAtAll)
{
    killTenTimes(cdNew);
}

TEST(KilledReplacements, ADeletedCdTitleIsGoneWithAllItsTracksOrStaysWithAll)
{
    killTenTimes(cdDelete);
}

} // namespace
} // namespace velmora::test
