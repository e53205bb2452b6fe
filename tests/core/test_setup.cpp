// The central settings screen as a user works it: every tick box through the
// settings file and the record of the run, the outside entries as files,
// the password asked at the next start, the minimum and the print list.

#include "AppFixture.h"
#include "ScreenChecks.h"
#include "SmallFileSystem.h"
#include "core/Setup.h"
#include "session/OwnerName.h"
#include "session/SetupSettings.h"
#include "system/DesktopEntry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimerEvent>

namespace velmora::test {
namespace {

class SetupTest : public AppFixture
{
protected:
    SetupTest()
    {
        startOnceBefore();
        start();
    }

    // Opens the screen through its command; act works it.
    void inSetup(const std::function<void(TSetup &)> &act)
    {
        bool shown = false;
        user.onScreen["TSetup"] = [&](QDialog &d) {
            shown = true;
            act(static_cast<TSetup &>(d));
        };
        window->runAction("core.centralSettings");
        EXPECT_TRUE(shown);
    }

    template <typename W> static W *get(const QDialog &d, const char *name)
    {
        W *w = d.findChild<W *>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void save(QDialog &d) { get<QPushButton>(d, "BitBtn1")->click(); }

    static SettingsStore store() { return SettingsStore::own(); }
};

TEST_F(SetupTest, EveryTickBoxRoundTripsThroughTheFileAndTheRecord)
{
    const SettingsRecord before = window->settings();
    inSetup([&](TSetup &s) {
        expectNamedLabelledAndSmall(s);
        EXPECT_EQ(s.windowTitle(), "Nastavení parametrů programu ...");
        EXPECT_EQ(get<QCheckBox>(s, "Kontrola")->isChecked(), before.checkCassettes);
        EXPECT_EQ(get<QCheckBox>(s, "Splash")->isChecked(), before.showSplash);
        EXPECT_EQ(get<QLineEdit>(s, "Minuty")->text(), QString::number(before.minOpenTime));
        EXPECT_EQ(get<QLabel>(s, "Cesta")->text(), "Neaktivovaná cesta");
        get<QCheckBox>(s, "Kontrola")->setChecked(!before.checkCassettes);
        get<QCheckBox>(s, "KontrolaCD")->setChecked(!before.checkCds);
        get<QCheckBox>(s, "Splash")->setChecked(!before.showSplash);
        get<QLineEdit>(s, "Minuty")->setText("45");
        save(s);
        EXPECT_FALSE(s.isVisible());
    });
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Informace:");
    EXPECT_EQ(user.shown[0].text, "Změny byly uloženy v pořádku do systému ...");
    const SettingsRecord &r = window->settings();
    EXPECT_EQ(r.checkCassettes, !before.checkCassettes);
    EXPECT_EQ(r.checkCds, !before.checkCds);
    EXPECT_EQ(r.showSplash, !before.showSplash);
    EXPECT_EQ(r.minOpenTime, 45);
    EXPECT_EQ(store().readBool(settings::kKontrola), !before.checkCassettes);
    EXPECT_EQ(store().readBool(settings::kKontrolaCd), !before.checkCds);
    EXPECT_EQ(store().readBool(settings::kStartDlg), !before.showSplash);
    EXPECT_EQ(store().readInt(settings::kMinTimeVk), 45);
    // Readable by its owner only: the password in it is merely encoded.
    EXPECT_FALSE(QFileInfo(store().fileName()).permission(QFileDevice::ReadOther));
    EXPECT_FALSE(QFileInfo(store().fileName()).permission(QFileDevice::ReadGroup));
    settings::writeLastExit(2); // later writes keep the file private
    EXPECT_FALSE(QFileInfo(store().fileName()).permission(QFileDevice::ReadOther));

    // "&Zavřít okno" discards every change.
    user.shown.clear();
    inSetup([&](TSetup &s) {
        EXPECT_EQ(get<QLineEdit>(s, "Minuty")->text(), "45");
        get<QLineEdit>(s, "Minuty")->setText("99");
        get<QPushButton>(s, "BitBtn2")->click();
    });
    EXPECT_TRUE(user.shown.isEmpty());
    EXPECT_EQ(store().readInt(settings::kMinTimeVk), 45);
}

TEST_F(SetupTest, TheOutsideEntriesAppearAndGoAsFiles)
{
    inSetup([&](TSetup &s) {
        get<QCheckBox>(s, "WinCheckTest")->setChecked(true);
        get<QCheckBox>(s, "Ikona")->setChecked(true);
        save(s);
    });
    const QString program = QCoreApplication::applicationFilePath();
    EXPECT_EQ(desktop::execLine(desktop::autoCheckPath()), "\"" + program + "\" /AutoRun");
    EXPECT_TRUE(desktop::execLine(desktop::folderMenuPath()).startsWith("\"" + program + "\""));
    EXPECT_TRUE(window->settings().autoCheckEntry);
    inSetup([&](TSetup &s) {
        EXPECT_TRUE(get<QCheckBox>(s, "WinCheckTest")->isChecked());
        EXPECT_TRUE(get<QCheckBox>(s, "Ikona")->isChecked());
        EXPECT_EQ(get<QLabel>(s, "Cesta")->text(), program);
        get<QCheckBox>(s, "WinCheckTest")->setChecked(false);
        get<QCheckBox>(s, "Ikona")->setChecked(false);
        save(s);
    });
    EXPECT_FALSE(QFileInfo::exists(desktop::autoCheckPath()));
    EXPECT_FALSE(QFileInfo::exists(desktop::folderMenuPath()));
    EXPECT_FALSE(window->settings().autoCheckEntry);

    // An entry with another path stays as it is.
    desktop::writeAutoCheck("/opt/jinde/velmora");
    inSetup([&](TSetup &s) {
        EXPECT_EQ(get<QLabel>(s, "Cesta")->text(), "/opt/jinde/velmora");
        save(s);
    });
    EXPECT_EQ(desktop::execLine(desktop::autoCheckPath()), "\"/opt/jinde/velmora\" /AutoRun");
}

TEST_F(SetupTest, APasswordSetHereIsAskedAtTheNextStart)
{
    const QString before = store().readString(settings::kPassword);
    inSetup([&](TSetup &s) {
        auto *pass = get<QLineEdit>(s, "Pass");
        EXPECT_TRUE(pass->isHidden());
        get<QCheckBox>(s, "Heslovat")->setChecked(true);
        EXPECT_FALSE(pass->isHidden());
        EXPECT_EQ(pass->echoMode(), QLineEdit::Password);
        EXPECT_EQ(pass->maxLength(), 12);
        get<QCheckBox>(s, "CheckBox1")->setChecked(true);
        EXPECT_EQ(pass->echoMode(), QLineEdit::Normal);
        pass->setText("Sezame12");
        save(s);
    });
    EXPECT_TRUE(store().readBool(settings::kAskPass));
    EXPECT_EQ(store().readString(settings::kPassword), settings::encodePassword("Sezame12"));
    EXPECT_TRUE(window->settings().passwordPending);

    // Reopened in the same run: the box is ticked. Cleared: the stored
    // password stays and nothing is asked any more.
    inSetup([&](TSetup &s) {
        EXPECT_TRUE(get<QCheckBox>(s, "Heslovat")->isChecked());
        EXPECT_EQ(get<QLineEdit>(s, "Pass")->text(), "Sezame12");
        EXPECT_EQ(get<QLineEdit>(s, "Pass")->echoMode(), QLineEdit::Password);
    });

    // The next start asks for it, as a user types it.
    window.reset();
    user.screens.clear();
    bool asked = false;
    user.onScreen["TPasswordDlg"] = [&](QDialog &d) {
        asked = true;
        auto *entry = d.findChild<QLineEdit *>("Password");
        entry->setFocus();
        entry->insert("Sezame12");
        QTest::keyClick(entry, Qt::Key_Return);
        EXPECT_EQ(d.result(), QDialog::Accepted);
    };
    start();
    firstShowing(*window, {});
    window->activated();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(window->ending());

    inSetup([&](TSetup &s) {
        get<QCheckBox>(s, "Heslovat")->setChecked(false);
        save(s);
    });
    EXPECT_FALSE(store().readBool(settings::kAskPass));
    EXPECT_EQ(store().readString(settings::kPassword), settings::encodePassword("Sezame12"));
    EXPECT_FALSE(window->settings().passwordPending);
    (void)before;
}

TEST_F(SetupTest, TheMinimumIsCheckedWhenTheBoxIsLeft)
{
    inSetup([&](TSetup &s) {
        auto *minutes = get<QLineEdit>(s, "Minuty");
        minutes->setFocus();
        minutes->setText("");
        QTest::keyClicks(minutes, "3a0x1");
        EXPECT_EQ(minutes->text(), "301");
        emit minutes->editingFinished();
        ASSERT_EQ(user.shown.size(), 1);
        EXPECT_EQ(user.shown[0].caption, "Upozornění:");
        EXPECT_EQ(user.shown[0].text, "Vložená časová rezerva je větší než nejdelší délka VK v "
                                      "systému, opravte si údaje ...");
        EXPECT_EQ(minutes->text(), "10");
        EXPECT_EQ(minutes->selectedText(), "10");
        minutes->setText("300");
        emit minutes->editingFinished();
        EXPECT_EQ(user.shown.size(), 1);
        minutes->setText("");
        emit minutes->editingFinished();
        EXPECT_EQ(minutes->text(), "0");
        save(s);
    });
    EXPECT_EQ(store().readInt(settings::kMinTimeVk), 0);
}

TEST_F(SetupTest, EnterInTheMinutesBoxSavesAndARefusedMinimumOnlyOnce)
{
    inSetup([&](TSetup &s) {
        auto *minutes = get<QLineEdit>(s, "Minuty");
        minutes->setFocus();
        minutes->selectAll(); // as a Tab into the box leaves it
        minutes->setText("400");
        save(s); // refused: the user corrects it first
        EXPECT_TRUE(s.isVisible());
        EXPECT_EQ(minutes->text(), "10");
        EXPECT_EQ(minutes->selectedText(), "10");
        QTest::keyClick(minutes, Qt::Key_Return); // the default button
        EXPECT_FALSE(s.isVisible());
    });
    ASSERT_EQ(user.shown.size(), 2);
    EXPECT_EQ(user.shown[1].text, "Změny byly uloženy v pořádku do systému ...");
    EXPECT_EQ(store().readInt(settings::kMinTimeVk), 10);
}

TEST_F(SetupTest, ARowOtherThanTheDetectedOneBlinksTheWarning)
{
    window->settings().detectedSystemCode = "4";
    window->settings().storedSystemCode = "4";
    inSetup([&](TSetup &s) {
        auto *system = get<QComboBox>(s, "Set_System");
        EXPECT_EQ(system->count(), 5);
        EXPECT_EQ(system->currentText(), "Windows 2000 / XP");
        EXPECT_EQ(get<QLabel>(s, "Default_Sys")->text(), "Windows 2000 / XP");
        EXPECT_FALSE(s.warningBlinking());
        EXPECT_TRUE(get<QLabel>(s, "Varovani")->isHidden());
        system->setCurrentIndex(1);
        EXPECT_TRUE(s.warningBlinking());
        QTimer *blink = s.blinkTimer();
        EXPECT_EQ(blink->interval(), 500);
        EXPECT_FALSE(blink->isSingleShot());
        // Each step of the timer, as it would come every 500 ms, toggles
        // the warning and the stop sign together.
        const auto step = [&] {
            QTimerEvent tick(blink->timerId());
            QCoreApplication::sendEvent(blink, &tick);
        };
        const bool shown = get<QLabel>(s, "Varovani")->isVisible();
        for (int i = 1; i <= 3; ++i) {
            step();
            EXPECT_EQ(get<QLabel>(s, "Varovani")->isVisible(), i % 2 == 1 ? !shown : shown) << i;
            EXPECT_EQ(get<QLabel>(s, "Varovani")->isVisible(),
                      get<QLabel>(s, "Image_Stop")->isVisible());
        }
        EXPECT_TRUE(s.warningBlinking());
        system->setCurrentIndex(3);
        EXPECT_FALSE(s.warningBlinking());
        EXPECT_TRUE(get<QLabel>(s, "Varovani")->isHidden());
        system->setCurrentIndex(4);
        save(s);
    });
    EXPECT_EQ(store().readString(settings::kSetupOs), "5");
    EXPECT_EQ(window->settings().storedSystemCode, "5");

    // A stored code without a row shows the detected system's row.
    window->settings().storedSystemCode = "0";
    inSetup([&](TSetup &s) {
        EXPECT_EQ(get<QComboBox>(s, "Set_System")->currentText(), "Windows 2000 / XP");
    });
}

TEST_F(SetupTest, TheTickBoxWithTheFocusStandsOutInRed)
{
    inSetup([&](TSetup &s) {
        auto *splash = get<QCheckBox>(s, "Splash");
        auto *check = get<QCheckBox>(s, "Kontrola");
        splash->setFocus();
        QApplication::processEvents();
        EXPECT_TRUE(splash->font().underline());
        EXPECT_EQ(splash->palette().color(QPalette::WindowText), QColor(Qt::red));
        EXPECT_TRUE(check->font().bold());
        EXPECT_FALSE(check->font().underline());
        EXPECT_EQ(check->palette().color(QPalette::WindowText), QColor(Qt::black));
        // The panel's background makes them all plain again.
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(get<QWidget>(s, "Panel1"), &enter);
        EXPECT_FALSE(splash->font().underline());
    });
}

TEST_F(SetupTest, TheOwnersNameIsKeptAndNeverEmpty)
{
    inSetup([&](TSetup &s) {
        auto *owner = get<QLineEdit>(s, "Vlastnik");
        EXPECT_EQ(owner->text(), settings::proposedOwnerName());
        owner->setText("   ");
        save(s);
        EXPECT_TRUE(s.isVisible());
        owner->setText("../jinam");
        save(s);
        EXPECT_TRUE(s.isVisible());
        owner->setText("Petr Novák");
        save(s);
    });
    ASSERT_EQ(user.shown.size(), 3);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Warning);
    EXPECT_EQ(settings::storedOwnerName(), "Petr Novák");
}

TEST_F(SetupTest, ASettingsFileThatCannotBeWrittenIsToldAndTheScreenStays)
{
    // Its directory cannot be made: a file stands where it belongs. (A
    // read-only file would not stop root, who runs these tests in CI.)
    const QString file = store().fileName();
    const QString dir = QFileInfo(file).absolutePath();
    ASSERT_TRUE(QDir(dir).removeRecursively());
    QFile blocker(dir);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const int before = window->settings().minOpenTime;
    inSetup([&](TSetup &s) {
        get<QLineEdit>(s, "Minuty")->setText("20");
        save(s);
        EXPECT_TRUE(s.isVisible());
    });
    QFile::remove(dir);
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(user.shown[0].text.contains(file)) << user.shown[0].text.toStdString();
    EXPECT_EQ(window->settings().minOpenTime, before);
}

TEST_F(SetupTest, AReadOnlySettingsFileIsToldAndTheScreenStays)
{
    const QString file = store().fileName();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    SmallFileSystem settingsDir("1m", QFileInfo(file).absolutePath());
    if (!settingsDir.mounted())
        GTEST_SKIP() << "no permission to mount a small file system here";
    QFile copy(file);
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(bytes);
    copy.close();
    ASSERT_TRUE(settingsDir.makeReadOnly());
    const int before = window->settings().minOpenTime;
    inSetup([&](TSetup &s) {
        get<QLineEdit>(s, "Minuty")->setText("20");
        save(s);
        EXPECT_TRUE(s.isVisible());
    });
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(user.shown[0].text.contains(file)) << user.shown[0].text.toStdString();
    EXPECT_EQ(window->settings().minOpenTime, before);
}

} // namespace
} // namespace velmora::test
