// What a start decides before any window is shown: the order of the first
// showing for the settings of the run, the reminder's words, and the
// version recorded after the news.

#include "TestEnv.h"
#include "session/Settings.h"
#include "session/StartupPlan.h"
#include "system/SettingsStore.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::startup;

namespace {

class StartupPlanTest : public ::testing::Test
{
protected:
    StartupPlanTest()
    {
        s.storedVersion = QStringLiteral("2002.A");
        s.printerAvailable = true;
        s.lastExit = 1;
    }
    test::TestEnv env;
    SettingsRecord s;
};

TEST_F(StartupPlanTest, ADatabaseOfThePreviousGenerationIsOnlyConverted)
{
    s.storedVersion = QStringLiteral("2001.A");
    s.showSplash = s.checkCassettes = s.checkCds = true;
    s.printerAvailable = false;
    const FirstShowing plan = planFirstShowing(s, {}, false);
    EXPECT_TRUE(plan.convert);
    EXPECT_FALSE(plan.autoRun || plan.splash || plan.remindCassettes || plan.remindCds ||
                 plan.news || plan.printerNotice);
}

TEST_F(StartupPlanTest, TheAutomaticCheckRunsOnlyWhenEnteredAndAskedForFirst)
{
    s.showSplash = true;
    EXPECT_FALSE(planFirstShowing(s, {QStringLiteral("/AutoRun")}, false).autoRun)
        << "the automatic check is off in the settings";
    s.autoCheckEntry = true;
    const FirstShowing autoRun = planFirstShowing(s, {QStringLiteral("/AutoRun")}, false);
    EXPECT_TRUE(autoRun.autoRun);
    EXPECT_FALSE(autoRun.splash) << "the automatic check shows nothing else";
    EXPECT_FALSE(
        planFirstShowing(s, {QStringLiteral("x"), QStringLiteral("/AutoRun")}, false).autoRun);
    EXPECT_FALSE(planFirstShowing(s, {QStringLiteral("/autorun")}, false).autoRun);
    EXPECT_FALSE(planFirstShowing(s, {}, false).autoRun);
}

TEST_F(StartupPlanTest, NewsFollowAnotherVersionOrTheFirstRun)
{
    EXPECT_FALSE(planFirstShowing(s, {}, false).news);
    s.firstRun = true;
    EXPECT_TRUE(planFirstShowing(s, {}, false).news);
    s.firstRun = false;
    s.storedVersion = QStringLiteral("2002.0");
    EXPECT_TRUE(planFirstShowing(s, {}, false).news);
}

TEST_F(StartupPlanTest, TheReadOnlyNoticeWaitsForAPendingFormatUpgrade)
{
    EXPECT_FALSE(planFirstShowing(s, {}, false).readOnlyNotice);
    s.cassettesReadOnly = true;
    EXPECT_TRUE(planFirstShowing(s, {}, false).readOnlyNotice);
    EXPECT_FALSE(planFirstShowing(s, {}, true).readOnlyNotice)
        << "the upgrade at the first activation tells the user itself";
}

TEST_F(StartupPlanTest, TheLastSectionIsShownAndAnUnknownOneShowsTheCassettes)
{
    for (const auto &[lastExit, section] : {std::pair{1, 1}, {2, 2}, {0, 1}, {3, 1}, {-1, 1}}) {
        s.lastExit = lastExit;
        EXPECT_EQ(planFirstShowing(s, {}, false).section, section) << lastExit;
    }
}

TEST_F(StartupPlanTest, RemindersAndTheirNoticesFollowTheSettings)
{
    s.checkCds = true;
    s.printerAvailable = false;
    const FirstShowing plan = planFirstShowing(s, {}, false);
    EXPECT_FALSE(plan.remindCassettes);
    EXPECT_TRUE(plan.remindCds);
    EXPECT_TRUE(plan.printerNotice);
    EXPECT_FALSE(plan.splash);
}

TEST_F(StartupPlanTest, UnreadableLoanDatesAreAnnouncedBeforeTheQuestion)
{
    const QString question = QStringLiteral("Máte dlužníky, zobrazit ?");
    EXPECT_EQ(reminderText({2, 0}, question, false), question);
    EXPECT_EQ(reminderText({0, 3}, question, true),
              QStringLiteral("Ve Vaši databázi jsou hudební CD vedená jako zapůjčená s nečitelným "
                             "datem zapůjčení (počet: 3). U nich nelze posoudit, zda byl termín "
                             "vrácení překročen.\r\n\r\nChcete zobrazit seznam dlužníků ?"));
    EXPECT_EQ(reminderText({1, 1}, question, false),
              QStringLiteral("Ve Vaši databázi jsou videokazety vedené jako zapůjčené s "
                             "nečitelným datem zapůjčení (počet: 1). U nich nelze posoudit, zda "
                             "byl termín vrácení překročen.\r\n\r\n") +
                  question);
}

TEST_F(StartupPlanTest, TheShownNewsAreRecordedInTheStoreAndTheRun)
{
    s.storedVersion = QStringLiteral("2001.B");
    recordNewsShown(s);
    EXPECT_EQ(s.storedVersion, QStringLiteral("2002.A"));
    const SettingsStore store = SettingsStore::own();
    EXPECT_EQ(store.readString(settings::kVersion), QStringLiteral("2002.A"));
    EXPECT_EQ(store.readString(settings::kDatVerze), QStringLiteral("27.05.2002"));
    EXPECT_FALSE(planFirstShowing(s, {}, false).news);
}

TEST_F(StartupPlanTest, TheLanguageFileBeforeTheSettingsIsCzechUnlessOneIsNamed)
{
    EXPECT_EQ(storedLanguage(), QStringLiteral("Czech.set"));
    SettingsStore store = SettingsStore::own();
    store.writeString(settings::kLanguage, QStringLiteral("English.set"));
    store.sync();
    EXPECT_EQ(storedLanguage(), QStringLiteral("English.set"));
}

} // namespace
