// Whole starts of the program: the order of the first-showing screens, the
// reminders, the automatic check at log-on, the password and the second
// instance.

#include "AppFixture.h"
#include "core/PasswordDlg.h"
#include "core/Splash.h"
#include "session/Settings.h"
#include "storage/DateText.h"
#include "system/DesktopEntry.h"
#include "system/InstanceLock.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace velmora;
using velmora::test::appendWithDbf;

namespace {

const QString kNoPrinter = QStringLiteral(
    "V systému nebyla nalezena tiskárna, v programu nebudou povoleny tiskové výstupy.");
const QString kCassetteReminder = QStringLiteral("Ve Vaši databázi jsou některé videokazety vedeny "
                                                 "jako zapůjčené. Jejich termín vrácení byl však "
                                                 "překročen! Chcete zobrazit seznam dlužníků ?");
const QString kCdReminder =
    QStringLiteral("Ve Vaši databázi CD jsou některé hudební CD vedeny jako "
                   "zapůjčené. Jejich termín vrácení byl však překročen! "
                   "Chcete zobrazit seznam dlužníků ?");

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

    // A CD title lent as another dBASE writer, Python's dbf, stores it.
    static void addCdLoan(const QString &number, const QString &from, int days)
    {
        appendWithDbf(QStringLiteral("cd01.dbf"),
                      QStringLiteral("[{'cislocd': '%1', 'titulcd': 'Titul %1', 'pujceno': True, "
                                     "'komu': 'Eva', 'od_kdy': '%2', 'delka_pujc': %3}]")
                          .arg(number, from)
                          .arg(days));
    }

    // The same for a cassette.
    static void addCassetteLoan(const QString &number, const QString &from, int days)
    {
        appendWithDbf(QStringLiteral("data.dbf"),
                      QStringLiteral("[{'cislo': '%1', 'pujceno': True, 'komu': 'Eva', "
                                     "'od_kdy': '%2', 'delka_pujc': %3}]")
                          .arg(number, from)
                          .arg(days));
    }

    // The log-on check as it stands after its scan.
    struct Check
    {
        QString overdue, unreadable;
        bool unreadableShown = false, showShown = false, autoCloseEnabled = true;
        bool openAfterTick = false;
    };
    static Check scanned(TSplashScreen2 &check, const QString &row)
    {
        check.setPause(0);
        check.scan();
        Check c;
        c.overdue = check.findChild<QLabel *>("Count" + row)->text();
        if (auto *u = check.findChild<QLabel *>("UnreadableCount" + row)) {
            c.unreadable = u->text();
            c.unreadableShown = u->isVisible();
        }
        c.showShown = check.findChild<QPushButton *>("Zobraz" + row)->isVisible();
        c.autoCloseEnabled = check.findChild<QCheckBox *>("AutoClose")->isEnabled();
        check.recheck();
        c.openAfterTick = check.isVisible();
        return c;
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

TEST_F(StartTest, OverdueCdReminderOnlyWhenALoanIsPastItsLength)
{
    startOnceBefore();
    SettingsStore::own().writeBool(settings::kKontrolaCd, true);
    const QDate today(2026, 12, 9);
    addCdLoan("00001", shortDate(today.addDays(-14)), 14);
    appendWithDbf("cd01.dbf", "[{'cislocd': '00002', 'od_kdy': '01.01.2001', 'delka_pujc': 1}]");
    startAndActivate({}, today);
    EXPECT_FALSE(user.texts().contains(kCdReminder));
    EXPECT_FALSE(user.screens.contains("TZobrazeni_zapujcekCD"));

    window.reset();
    addCdLoan("00003", shortDate(today.addDays(-15)), 14);
    user.events.clear();
    user.shown.clear();
    user.answers = {true};
    startAndActivate({}, today);
    const int asked = int(user.events.indexOf(kCdReminder));
    ASSERT_GE(asked, 0);
    EXPECT_LT(user.events.indexOf("TSplashScreen"), asked);
    EXPECT_EQ(user.shown.at(user.texts().indexOf(kCdReminder)).caption, "Informace");
    // Yes goes on to the CD items-away list.
    EXPECT_EQ(user.events.at(asked + 1), "TZobrazeni_zapujcekCD");
    EXPECT_FALSE(window->tables().CD_Table1.isOpen());
    EXPECT_FALSE(window->tables().CD_Table1.filtered());

    // No leaves the list unshown.
    window.reset();
    user.events.clear();
    user.screens.clear();
    user.answers = {false};
    startAndActivate({}, today);
    EXPECT_TRUE(user.events.contains(kCdReminder));
    EXPECT_FALSE(user.screens.contains("TZobrazeni_zapujcekCD"));
}

TEST_F(StartTest, EachReminderOnlyWhenItsCheckIsSwitchedOn)
{
    startOnceBefore();
    const QDate today(2026, 12, 9);
    addCassetteLoan("00001", shortDate(today.addDays(-30)), 7);
    addCdLoan("00001", shortDate(today.addDays(-30)), 7);
    // Both off, as after a first start.
    startAndActivate({}, today);
    EXPECT_FALSE(user.texts().contains(kCassetteReminder));
    EXPECT_FALSE(user.texts().contains(kCdReminder));

    // The CD check alone.
    window.reset();
    SettingsStore::own().writeBool(settings::kKontrolaCd, true);
    user.shown.clear();
    user.answers = {false};
    startAndActivate({}, today);
    EXPECT_EQ(user.texts().filter("překročen"), QStringList{kCdReminder});

    // Both: the cassettes first, then the CDs.
    window.reset();
    SettingsStore::own().writeBool(settings::kKontrola, true);
    user.shown.clear();
    user.answers = {false, false};
    startAndActivate({}, today);
    EXPECT_EQ(user.texts().filter("překročen"), (QStringList{kCassetteReminder, kCdReminder}));

    // The cassette check alone.
    window.reset();
    SettingsStore::own().writeBool(settings::kKontrolaCd, false);
    user.shown.clear();
    user.answers = {false};
    startAndActivate({}, today);
    EXPECT_EQ(user.texts().filter("překročen"), QStringList{kCassetteReminder});
}

// A loan start that is not a date cannot be judged: it is announced with
// the overdue loans, by itself and beside them, in both sections.
TEST_F(StartTest, AnUnreadableLoanDateIsAnnouncedWithTheOverdueOnes)
{
    startOnceBefore();
    SettingsStore::own().writeBool(settings::kKontrola, true);
    SettingsStore::own().writeBool(settings::kKontrolaCd, true);
    const QDate today(2026, 12, 9);
    addCassetteLoan("00001", "pondělí", 14);
    addCassetteLoan("00002", shortDate(today), 14); // in term
    addCdLoan("00001", "31.02.2026", 14);
    user.answers = {true, true};
    EXPECT_EQ(startAndActivate({}, today), StartOutcome::Run);
    const QString cassettesOnly =
        "Ve Vaši databázi jsou videokazety vedené jako zapůjčené s nečitelným datem zapůjčení "
        "(počet: 1). U nich nelze posoudit, zda byl termín vrácení překročen.\r\n\r\n"
        "Chcete zobrazit seznam dlužníků ?";
    const QString cdsOnly =
        "Ve Vaši databázi jsou hudební CD vedená jako zapůjčená s nečitelným datem zapůjčení "
        "(počet: 1). U nich nelze posoudit, zda byl termín vrácení překročen.\r\n\r\n"
        "Chcete zobrazit seznam dlužníků ?";
    EXPECT_EQ(user.texts().filter("překročen"), (QStringList{cassettesOnly, cdsOnly}));
    for (const auto &shown : user.shown) {
        EXPECT_NE(shown.kind, MessageKind::Error) << shown.text.toStdString();
    }
    // Each Yes opens its list of debtors.
    EXPECT_EQ(user.events.at(user.events.indexOf(cassettesOnly) + 1), "TZobrazeni_zapujcek");
    EXPECT_EQ(user.events.at(user.events.indexOf(cdsOnly) + 1), "TZobrazeni_zapujcekCD");
    EXPECT_FALSE(window->tables().Table1.isOpen());
    EXPECT_FALSE(window->tables().CD_Table1.isOpen());

    // Beside overdue ones: the count of the unreadable before the usual question.
    window.reset();
    addCassetteLoan("00003", "01.01.2002", 14);
    addCassetteLoan("00004", "", 14);
    addCdLoan("00002", "01.01.2002", 14);
    user.shown.clear();
    user.answers = {false, false};
    startAndActivate({}, today);
    EXPECT_EQ(user.texts().filter("překročen"),
              (QStringList{"Ve Vaši databázi jsou videokazety vedené jako zapůjčené s nečitelným "
                           "datem zapůjčení (počet: 2). U nich nelze posoudit, zda byl termín "
                           "vrácení překročen.\r\n\r\n" +
                               kCassetteReminder,
                           "Ve Vaši databázi jsou hudební CD vedená jako zapůjčená s nečitelným "
                           "datem zapůjčení (počet: 1). U nich nelze posoudit, zda byl termín "
                           "vrácení překročen.\r\n\r\n" +
                               kCdReminder}));
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

TEST_F(StartTest, AutoCheckWithAnOverdueCdWaitsForClose)
{
    startOnceBefore();
    desktop::writeAutoCheck(QStringLiteral("/usr/bin/velmora"));
    SettingsStore::own().writeBool(settings::kAutoCloseSplash2, true);
    addCassette("00001");
    addCdLoan("00007", shortDate(QDate::currentDate().addDays(-30)), 7);
    addCdLoan("00008", shortDate(QDate::currentDate()), 7);
    bool listShown = false, tableOpenInList = false;
    user.onScreen[QStringLiteral("TZobrazeni_zapujcekCD")] = [&](QDialog &) {
        listShown = true;
        tableOpenInList = window->tables().CD_Table1.isOpen();
    };
    user.onScreen[QStringLiteral("TSplashScreen2")] = [&](QDialog &d) {
        auto &check = static_cast<TSplashScreen2 &>(d);
        check.setPause(0);
        check.scan();
        EXPECT_EQ(check.findChild<QLabel *>("CountVK")->text(), "0 VK.");
        EXPECT_EQ(check.findChild<QLabel *>("CountCD")->text(), "1 CD.");
        EXPECT_EQ(check.findChild<QProgressBar *>("GaugeCD")->value(), 2);
        EXPECT_EQ(check.findChild<QProgressBar *>("GaugeCD")->maximum(), 2);
        EXPECT_EQ(check.cdsOverdue(), 1);
        EXPECT_FALSE(check.findChild<QCheckBox *>("AutoClose")->isEnabled());
        EXPECT_FALSE(check.findChild<QPushButton *>("ZobrazVK")->isVisible());
        EXPECT_TRUE(check.findChild<QPushButton *>("ZobrazCD")->isVisible());
        check.recheck();
        EXPECT_TRUE(check.isVisible());
        EXPECT_TRUE(check.findChild<QPushButton *>("ZobrazCD")->isEnabled());
        // The list of debtors over the filtered table, closed afterwards.
        check.findChild<QPushButton *>("ZobrazCD")->click();
        EXPECT_FALSE(window->tables().CD_Table1.isOpen());
        EXPECT_FALSE(window->tables().CD_Table1.filtered());
        check.findChild<QPushButton *>("Zavrit")->click();
        EXPECT_FALSE(check.isVisible());
    };
    EXPECT_EQ(startAndActivate({"/AutoRun"}), StartOutcome::End);
    EXPECT_TRUE(listShown);
    EXPECT_TRUE(tableOpenInList);
    EXPECT_EQ(user.events, (QStringList{"TSplashScreen2", "TZobrazeni_zapujcekCD"}));
}

TEST_F(StartTest, AutoCheckAnnouncesUnreadableLoanDatesAndWaitsForClose)
{
    startOnceBefore();
    desktop::writeAutoCheck(QStringLiteral("/usr/bin/velmora"));
    SettingsStore::own().writeBool(settings::kAutoCloseSplash2, true);
    addCassetteLoan("00001", "pondělí", 7);
    addCassetteLoan("00002", shortDate(QDate::currentDate()), 7);
    Check vk;
    user.onScreen[QStringLiteral("TSplashScreen2")] = [&](QDialog &d) {
        auto &check = static_cast<TSplashScreen2 &>(d);
        vk = scanned(check, "VK");
        EXPECT_FALSE(check.findChild<QPushButton *>("ZobrazCD")->isVisible());
        check.findChild<QPushButton *>("Zavrit")->click();
    };
    EXPECT_EQ(startAndActivate({"/AutoRun"}), StartOutcome::End);
    EXPECT_EQ(vk.overdue, "0 VK.");
    EXPECT_EQ(vk.unreadable, "1 VK.");
    EXPECT_TRUE(vk.unreadableShown);
    EXPECT_TRUE(vk.showShown);
    EXPECT_FALSE(vk.autoCloseEnabled);
    EXPECT_TRUE(vk.openAfterTick); // not closed by the 5-second tick

    // The same for a CD title, and none shown where all dates read.
    window.reset();
    appendWithDbf("cd01.dbf", "[{'cislocd': '00001', 'pujceno': True, 'komu': 'Eva', "
                              "'od_kdy': '', 'delka_pujc': 7}]");
    Check cd;
    user.onScreen[QStringLiteral("TSplashScreen2")] = [&](QDialog &d) {
        auto &check = static_cast<TSplashScreen2 &>(d);
        cd = scanned(check, "CD");
        check.findChild<QPushButton *>("Zavrit")->click();
    };
    startAndActivate({"/AutoRun"});
    EXPECT_EQ(cd.overdue, "0 CD.");
    EXPECT_EQ(cd.unreadable, "1 CD.");
    EXPECT_TRUE(cd.unreadableShown);
    EXPECT_TRUE(cd.showShown);
    EXPECT_FALSE(cd.autoCloseEnabled);
    EXPECT_TRUE(cd.openAfterTick);
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
