// Whole starts of the program: the order of the first-showing screens, the
// reminders, the automatic check at log-on, the password and the second
// instance.

#include "AppFixture.h"
#include "core/PasswordDlg.h"
#include "core/Settings.h"
#include "core/Splash.h"
#include "platform/DesktopEntry.h"
#include "platform/InstanceLock.h"
#include "storage/DateText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace velmora;

namespace {

const QString kNoPrinter = QStringLiteral(
    "V systému nebyla nalezena tiskárna, v programu nebudou povoleny tiskové výstupy.");
const QString kCassetteReminder = QStringLiteral("Ve Vaši databázi jsou některé videokazety vedeny "
                                                 "jako zapůjčené. Jejich termín vrácení byl však "
                                                 "překročen! Chcete zobrazit seznam dlužníků ?");

class StartTest : public test::AppFixture
{
protected:
    // The start as far as the first activation of the main window.
    StartOutcome startAndActivate(const QStringList &args = {},
                                  const QDate &today = QDate::currentDate())
    {
        start();
        const StartOutcome out = firstShowing(*window, args, today);
        if (out == StartOutcome::Run)
            window->activated();
        return out;
    }

    QStringList eventsWithoutPrinterNotice() const
    {
        QStringList e = user.events;
        e.removeAll(kNoPrinter);
        return e;
    }
};

} // namespace

TEST_F(StartTest, FirstStartShowsSplashNewsThenSystemWindowAndWritesSettings)
{
    bool splashTimed = false;
    user.onScreen[QStringLiteral("TSplashScreen")] = [&](QDialog &d) {
        auto &splash = static_cast<TSplashScreen &>(d);
        splashTimed = splash.closeTimer()->isActive() && splash.closeTimer()->interval() == 2000;
        splash.timeUp();
    };
    EXPECT_EQ(startAndActivate(), StartOutcome::Run);
    EXPECT_TRUE(splashTimed);
    // No printer is configured on a test machine, so its notice comes too.
    EXPECT_EQ(user.events, (QStringList{"TSplashScreen", "TNov", kNoPrinter, "TInfo_System_OS"}));
    const SettingsStore s = SettingsStore::own();
    EXPECT_EQ(s.readString(settings::kVersion), "2002.A");
    EXPECT_EQ(s.readString(settings::kDatVerze), "27.05.2002");
    EXPECT_TRUE(s.readBool(settings::kStartDlg));
    EXPECT_EQ(window->selectedSection(), TTitul::Cassettes);
    EXPECT_FALSE(window->starting());

    // Later activations show nothing more.
    user.events.clear();
    window->activated();
    EXPECT_TRUE(user.events.isEmpty());
}

TEST_F(StartTest, SecondStartShowsOnlyTheSplashScreen)
{
    startOnceBefore();
    startAndActivate();
    EXPECT_EQ(eventsWithoutPrinterNotice(), QStringList{"TSplashScreen"});
}

TEST_F(StartTest, NewsAfterAnUpgradeFromAnotherVersion)
{
    startOnceBefore();
    SettingsStore::own().writeString(settings::kVersion, QStringLiteral("2001.B"));
    startAndActivate();
    EXPECT_EQ(eventsWithoutPrinterNotice(), (QStringList{"TSplashScreen", "TNov"}));
    EXPECT_EQ(SettingsStore::own().readString(settings::kVersion), "2002.A");
}

TEST_F(StartTest, LastExitSelectsTheSection)
{
    startOnceBefore();
    SettingsStore::own().writeInt(settings::kLastExit, 2);
    startAndActivate();
    EXPECT_EQ(window->selectedSection(), TTitul::Cds);
    EXPECT_TRUE(window->findChild<QMenuBar *>("RxMainMenu2")->isVisibleTo(window.get()));
    EXPECT_FALSE(window->findChild<QMenuBar *>("RxMainMenu1")->isVisibleTo(window.get()));
}

TEST_F(StartTest, OverdueReminderOnlyWhenALoanIsPastItsLength)
{
    startOnceBefore();
    SettingsStore::own().writeBool(settings::kKontrola, true);
    const QDate today(2026, 12, 9);
    addCassette("00001", true, shortDate(today.addDays(-14)), 14);
    addCassette("00002", false, shortDate(today.addDays(-100)), 14); // not lent
    startAndActivate({}, today);
    EXPECT_FALSE(user.texts().contains(kCassetteReminder));

    window.reset();
    addCassette("00003", true, shortDate(today.addDays(-15)), 14);
    user.events.clear();
    user.answers = {true};
    startAndActivate({}, today);
    const int asked = int(user.events.indexOf(kCassetteReminder));
    ASSERT_GE(asked, 0);
    EXPECT_LT(user.events.indexOf("TSplashScreen"), asked);
    // Yes goes on to the items-away list.
    EXPECT_EQ(user.events.at(asked + 1), "TZobrazeni_zapujcek");
    EXPECT_FALSE(window->tables().Table1.isOpen());
}

TEST_F(StartTest, UnreadableLoanDateIsPassedOverAndTheOthersAreStillCounted)
{
    startOnceBefore();
    SettingsStore::own().writeBool(settings::kKontrola, true);
    addCassette("00001", true, "pondělí", 14);
    EXPECT_EQ(startAndActivate(), StartOutcome::Run);
    EXPECT_FALSE(user.texts().contains(kCassetteReminder));
    EXPECT_TRUE(user.shown.isEmpty() || user.shown.last().kind != MessageKind::Error);

    window.reset();
    addCassette("00002", true, "01.01.2002", 14);
    user.shown.clear();
    user.answers = {false};
    EXPECT_EQ(startAndActivate(), StartOutcome::Run);
    EXPECT_TRUE(user.texts().contains(kCassetteReminder));
    EXPECT_FALSE(window->tables().Table1.isOpen());
}

TEST_F(StartTest, AutoCheckEntryWithoutAutoRunStartsNormally)
{
    startOnceBefore();
    desktop::writeAutoCheck(QStringLiteral("/usr/bin/velmora"));
    EXPECT_EQ(startAndActivate({"/autorun"}), StartOutcome::Run);
    EXPECT_FALSE(user.screens.contains("TSplashScreen2"));
}

TEST_F(StartTest, AutoCheckEndsItselfAtTheFirstTickWhenNothingIsOverdue)
{
    startOnceBefore();
    desktop::writeAutoCheck(QStringLiteral("/usr/bin/velmora"));
    SettingsStore::own().writeBool(settings::kAutoCloseSplash2, true);
    addCassette("00001");
    addCassette("00002", true, shortDate(QDate::currentDate()), 7);
    bool closedByTick = false;
    user.onScreen[QStringLiteral("TSplashScreen2")] = [&](QDialog &d) {
        auto &check = static_cast<TSplashScreen2 &>(d);
        check.setPause(0);
        EXPECT_TRUE(check.startTimer()->isActive());
        EXPECT_EQ(check.startTimer()->interval(), 10);
        EXPECT_FALSE(check.findChild<QPushButton *>("Zavrit")->isVisible());
        check.scan();
        EXPECT_EQ(check.findChild<QProgressBar *>("GaugeVK")->value(), 2);
        EXPECT_EQ(check.findChild<QProgressBar *>("GaugeVK")->maximum(), 2);
        // No CD at all leaves its gauge full.
        EXPECT_EQ(check.findChild<QProgressBar *>("GaugeCD")->value(), 100);
        EXPECT_EQ(check.findChild<QLabel *>("CountVK")->text(), "0 VK.");
        EXPECT_EQ(check.findChild<QLabel *>("CountCD")->text(), "0 CD.");
        EXPECT_TRUE(check.findChild<QCheckBox *>("AutoClose")->isEnabled());
        EXPECT_TRUE(check.findChild<QPushButton *>("Zavrit")->isVisible());
        EXPECT_EQ(check.recheckTimer()->interval(), 5000);
        check.recheck();
        closedByTick = !check.isVisible() && check.result() == QDialog::Accepted;
    };
    EXPECT_EQ(startAndActivate({"/AutoRun"}), StartOutcome::End);
    EXPECT_TRUE(closedByTick);
    // Neither the splash screen nor anything after it.
    EXPECT_EQ(user.events, QStringList{"TSplashScreen2"});
    EXPECT_TRUE(SettingsStore::own().readBool(settings::kAutoCloseSplash2));
}

TEST_F(StartTest, AutoCheckWithAnOverdueItemWaitsForClose)
{
    startOnceBefore();
    desktop::writeAutoCheck(QStringLiteral("/usr/bin/velmora"));
    SettingsStore::own().writeBool(settings::kAutoCloseSplash2, true);
    addCassette("00007", true, shortDate(QDate::currentDate().addDays(-30)), 7);
    user.onScreen[QStringLiteral("TSplashScreen2")] = [&](QDialog &d) {
        auto &check = static_cast<TSplashScreen2 &>(d);
        check.setPause(0);
        check.scan();
        EXPECT_EQ(check.findChild<QLabel *>("CountVK")->text(), "1 VK.");
        EXPECT_FALSE(check.findChild<QCheckBox *>("AutoClose")->isEnabled());
        EXPECT_TRUE(check.findChild<QPushButton *>("ZobrazVK")->isVisible());
        EXPECT_FALSE(check.findChild<QPushButton *>("ZobrazCD")->isVisible());
        check.recheck();
        EXPECT_TRUE(check.isVisible());
        // The list of debtors: the table is filtered while it is shown.
        check.findChild<QPushButton *>("ZobrazVK")->click();
        EXPECT_FALSE(window->tables().Table1.isOpen());
        EXPECT_FALSE(window->tables().Table1.filtered());
        check.findChild<QCheckBox *>("AutoClose")->setEnabled(true);
        check.findChild<QCheckBox *>("AutoClose")->setChecked(false);
        check.findChild<QPushButton *>("Zavrit")->click();
        EXPECT_FALSE(check.isVisible());
    };
    EXPECT_EQ(startAndActivate({"/AutoRun"}), StartOutcome::End);
    EXPECT_FALSE(SettingsStore::own().readBool(settings::kAutoCloseSplash2));
}

TEST_F(StartTest, SmallScreenAsksAndNoEndsTheProgram)
{
    EXPECT_TRUE(screenCheck(800, 600));
    EXPECT_TRUE(user.shown.isEmpty());
    user.answers = {false, true};
    EXPECT_FALSE(screenCheck(799, 600));
    EXPECT_TRUE(screenCheck(1024, 599));
    ASSERT_EQ(user.shown.size(), 2);
    EXPECT_EQ(user.shown[0].caption, "Informace");
    EXPECT_TRUE(user.shown[0].text.startsWith("Rozlišení monitoru je menší než 800x600!"));
}

TEST_F(StartTest, SecondInstanceOnTheSameDataIsRefused)
{
    InstanceLock first;
    ASSERT_TRUE(claimDataDirectory(first, env.dataDir()));
    EXPECT_TRUE(user.shown.isEmpty());
    const QStringList before =
        QDir(env.dataDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    InstanceLock second;
    EXPECT_FALSE(claimDataDirectory(second, env.dataDir()));
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Chyba");
    EXPECT_TRUE(user.shown[0].text.contains(QDir::toNativeSeparators(env.dataDir())));
    EXPECT_EQ(QDir(env.dataDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              before);
}

// --- password -------------------------------------------------------------

class PasswordTest : public StartTest
{
protected:
    void requirePassword(const QString &clear)
    {
        startOnceBefore();
        SettingsStore s = SettingsStore::own();
        s.writeBool(settings::kAskPass, true);
        s.writeString(settings::kPassword, settings::encodePassword(clear));
        s.sync();
    }

    static void type(QDialog &d, const QString &text)
    {
        auto *entry = d.findChild<QLineEdit *>("Password");
        entry->setFocus();
        entry->insert(text); // the test library types ASCII only

        QTest::keyClick(entry, Qt::Key_Return);
    }
};

TEST_F(PasswordTest, WrongEntryIsRefusedAndTheRightOneOpensOnce)
{
    requirePassword(QStringLiteral("Žluťák"));
    int attempts = 0;
    user.onScreen[QStringLiteral("TPasswordDlg")] = [&](QDialog &d) {
        ++attempts;
        EXPECT_EQ(d.findChild<QLineEdit *>("Password")->echoMode(), QLineEdit::Password);
        EXPECT_EQ(d.findChild<QLineEdit *>("Password")->maxLength(), 15);
        type(d, QStringLiteral("žluťák")); // other letter case
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(d.findChild<QLineEdit *>("Password")->text().isEmpty());
        type(d, QStringLiteral("Žluťák"));
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(d.result(), QDialog::Accepted);
    };
    startAndActivate();
    EXPECT_EQ(attempts, 1);
    EXPECT_EQ(user.texts().count("Zadané heslo není správné, zkuste znovu"), 1);
    for (const auto &s : user.shown) {
        if (s.text == "Zadané heslo není správné, zkuste znovu") {
            EXPECT_EQ(s.caption, "Chyba");
        }
    }
    EXPECT_FALSE(window->ending());
    window->activated(); // after a modal screen closes
    EXPECT_EQ(attempts, 1);
}

TEST_F(PasswordTest, EmptyPasswordOpensWithAnEmptyEntry)
{
    requirePassword(QString());
    user.onScreen[QStringLiteral("TPasswordDlg")] = [&](QDialog &d) { type(d, QString()); };
    startAndActivate();
    EXPECT_TRUE(user.screens.contains("TPasswordDlg"));
    EXPECT_FALSE(window->ending());
}

TEST_F(PasswordTest, EscapeEndsTheProgramWithoutTheCloseQuestion)
{
    requirePassword(QStringLiteral("abc"));
    user.onScreen[QStringLiteral("TPasswordDlg")] = [&](QDialog &d) {
        QTest::keyClick(d.findChild<QLineEdit *>("Password"), Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    };
    startAndActivate();
    EXPECT_TRUE(window->ending());
    EXPECT_FALSE(user.texts().contains("Opravdu chceš ukončit tento program ?"));
}

TEST_F(PasswordTest, SwitchedOffNeverAsks)
{
    requirePassword(QStringLiteral("abc"));
    SettingsStore::own().writeBool(settings::kAskPass, false);
    startAndActivate();
    EXPECT_FALSE(user.screens.contains("TPasswordDlg"));
}

TEST(PasswordForm, Base64AsStored)
{
    EXPECT_EQ(settings::encodePassword(""), "");
    EXPECT_EQ(settings::encodePassword("abc"), "YWJj");
    EXPECT_EQ(settings::encodePassword("abcd"), "YWJjZA==");
    EXPECT_EQ(settings::encodePassword("abcde"), "YWJjZGU=");
    // Czech letters are stored as their cp1250 bytes.
    EXPECT_EQ(settings::encodePassword(QStringLiteral("ř")), "+A==");
    for (const QString &clear : {QString(), QStringLiteral("a"), QStringLiteral("ab"),
                                 QStringLiteral("Příliš"), QStringLiteral("123456789012")})
        EXPECT_EQ(settings::decodePassword(settings::encodePassword(clear)), clear);
    // Characters outside the alphabet are skipped wherever they stand.
    EXPECT_EQ(settings::decodePassword(" YW\r\nJj!"), "abc");
    EXPECT_EQ(settings::decodePassword("YWJjZA"), "abcd");
    EXPECT_EQ(settings::decodePassword("YWJjZGU"), "abcde");
    EXPECT_EQ(settings::decodePassword("Y"), ""); // a lone character gives no byte
    EXPECT_EQ(settings::decodePassword("===="), "");
}
