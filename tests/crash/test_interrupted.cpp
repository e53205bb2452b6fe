// Work killed at the places where it used to be torn or to leave things
// behind: a restore between a table and its memo file, an import between
// its two renames, a CD title save among its tracks, a copy before its
// rename, an upgrade before it removed its kept copies, a conversion
// between the memo file and the table. The next start (the program's own,
// where it has one) brings everything back to before the work or on to
// after it, and says so where it undid something.

#include "AppFixture.h"
#include "CrashReplacements.h"
#include "engine/Table.h"

namespace velmora::test {
namespace {

using crash::KillPlan;

class Interrupted : public AppFixture
{
protected:
    QString root() const { return env.configHome() + "/../ops"; }
    QString data() const { return root() + "/data/"; }

    // The parts of a snapshot that are tables.
    static crash::Snapshot tablesOf(const crash::Snapshot &s)
    {
        crash::Snapshot out = s;
        out.remove("files");
        return out;
    }

    // Runs op's child killed as planned and starts the program over its
    // data: the tables must be as before, and the user told so.
    void killThenStart(crash::Operation &op, const KillPlan &plan, const QString &told)
    {
        op.prepare();
        op.reset();
        const crash::Snapshot before = tablesOf(op.snapshot());
        const crash::ChildRun run = crash::runChild(VELMORA_REPLACE_CHILD, op.arguments(), plan);
        ASSERT_TRUE(run.killed) << plan.describe().toStdString() << run.errors.toStdString();
        ASSERT_NE(tablesOf(op.snapshot()), before) << "the kill came before any change";

        Paths::setDataDir(data());
        start();
        window->tables().closeAll();
        EXPECT_EQ(tablesOf(op.snapshot()), before);
        QStringList texts;
        for (const auto &m : user.shown)
            texts << m.text;
        EXPECT_EQ(texts.filter(told).size(), 1) << texts.join("\n").toStdString();
        EXPECT_FALSE(QFileInfo::exists(data() + ".velmora-restore.json"));
        EXPECT_FALSE(QFileInfo::exists(data() + ".velmora-cdtitle.json"));
    }
};

TEST_F(Interrupted, ARestoreKilledBetweenTheTableAndItsMemoFileIsUndoneAtStart)
{
    // data.dbf is the restored one by then, data.dbt still the old one.
    auto op = crash::restore(root());
    killThenStart(*op, KillPlan::atStepOn(1, "/data/data.dbt"),
                  "Data byla vrácena do stavu před obnovou.");
    // The safety copy has done its work.
    EXPECT_EQ(QDir(data() + "ZALOHA").entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
}

TEST_F(Interrupted, ACdTitleSaveKilledAmongItsTracksIsUndoneAtStart)
{
    // Past the note, some of the new tracks are in: 2 writes for each.
    auto op = crash::titleChange(root(), "cdedit");
    killThenStart(*op, KillPlan::atStep(30),
                  "Titul a jeho stopy byly vráceny do stavu před úpravou.");
}

TEST_F(Interrupted, ACdTitleDeletionKilledAmongItsTracksIsUndoneAtStart)
{
    auto op = crash::titleChange(root(), "cddelete");
    killThenStart(*op, KillPlan::atStep(20),
                  "Titul a jeho stopy byly vráceny do stavu před úpravou.");
}

TEST_F(Interrupted, AnImportKilledBetweenItsTwoRenamesGetsTheOldCatalogueBack)
{
    // The old catalogue is set aside, the new one not yet in its place:
    // the import manager's opening puts the old one back.
    crash::ReplaceCrash crash(crash::import(root()), 1);
    ASSERT_EQ(crash.calibrate().join("\n"), "");
    EXPECT_EQ(crash.round(KillPlan::atStepOn(2, "/EXTERNI/VK-Petr")).join("\n"), "");
    EXPECT_EQ(crash.tally().killed, 1);
    EXPECT_EQ(crash.tally().old, 1);
    // Killed after the new one moved in and was registered, before the old
    // one was removed, the new one stays.
    EXPECT_EQ(crash.round(KillPlan::atStepOn(2, "/EXTERNI/.aside-VK-Petr")).join("\n"), "");
    EXPECT_EQ(crash.tally().killed, 2);
    EXPECT_EQ(crash.tally().fresh, 1);
}

// One run of op killed as planned, then what the next start runs; found
// old (or new) and nothing left over.
void killOnce(std::unique_ptr<crash::Operation> op, const KillPlan &plan, bool old)
{
    crash::ReplaceCrash crash(std::move(op), 1);
    ASSERT_EQ(crash.calibrate().join("\n"), "");
    EXPECT_EQ(crash.round(plan).join("\n"), "");
    EXPECT_EQ(crash.tally().killed, 1);
    EXPECT_EQ(crash.tally().old, old ? 1 : 0);
    EXPECT_EQ(crash.tally().fresh, old ? 0 : 1);
}

TEST_F(Interrupted, ARestoreKilledAroundItsNotesLeavesNoSafetyCopyBehind)
{
    // Before the first note is in place: no safety directory may stand
    // without one. Before the second: the safety copy is whole, but the
    // live files are not yet touched, and it goes.
    killOnce(crash::restore(root()), KillPlan::atStepOn(1, "/.velmora-restore.json"), true);
    killOnce(crash::restore(root()), KillPlan::atStepOn(2, "/.velmora-restore.json"), true);
}

TEST_F(Interrupted, ACopyKilledBeforeItsRenameLeavesTheOldFileAndItsPartGoesAtStart)
{
    killOnce(crash::fileCopy(root()), KillPlan::atStepOn(1, "/live/cd02.dbf"), true);
}

TEST_F(Interrupted, AnUpgradeKilledBeforeRemovingItsKeptCopiesHasThemRemovedAtStart)
{
    // data.dbf is the upgraded one; data.zanr12.dbt is already gone,
    // data.zanr12.dbf and Users_za.zanr12.nrv are not.
    killOnce(crash::formatUpgrade(root()), KillPlan::atStepOn(2, "/data.zanr12.dbf"), false);
}

TEST_F(Interrupted, AConversionKilledBetweenTheMemoFileAndTheTableKeepsNoStrayMemoFile)
{
    // The new memo file is in, data.dbf not yet: the conversion that the
    // next start runs keeps the old data.dbf, not that memo file.
    killOnce(crash::conversion(root()), KillPlan::atStepOn(1, "/data/data.dbf"), false);
}

} // namespace
} // namespace velmora::test
