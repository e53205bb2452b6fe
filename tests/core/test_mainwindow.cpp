// The main window: its labels and menus, the guards of every command, the
// section tree, the keys and the close question.

#include "AppFixture.h"
#include "engine/DbError.h"
#include "session/Commands.h"
#include "session/Settings.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTest>
#include <QTreeWidget>
#include <stdexcept>

using namespace velmora;

namespace {

const QString kNoData = QStringLiteral("V databázi nejsou žádná data, nelze pokračovat!");

class MainWindowTest : public test::AppFixture
{
protected:
    TTitul &ready()
    {
        startOnceBefore();
        start();
        firstShowing(*window, {});
        user.shown.clear();
        user.events.clear();
        user.screens.clear();
        return *window;
    }

    QAction *action(const QString &name) { return window->findChild<QAction *>(name); }
    // A title on the menu bar as it reads: without the mark of its Alt letter.
    static QString plain(QString title) { return title.remove(QLatin1Char('&')); }
    QMenu *menu(const QString &name) { return window->findChild<QMenu *>(name); }
};

} // namespace

TEST_F(MainWindowTest, CaptionLabelsAndTreeWithoutLanguageFile)
{
    TTitul &w = ready();
    EXPECT_EQ(w.windowTitle(), "Velmora 2002 (Build: 2.1.1)");
    EXPECT_EQ(w.size(), QSize(688, 500));
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(w.findChild<QLabel *>("jmeno_prg")->text(), "Velmora  2002");
    EXPECT_EQ(w.findChild<QLabel *>("Sel")->text(), "Multi - program");
    EXPECT_EQ(w.findChild<QLabel *>("verze")->text(), "2002.A");
    EXPECT_EQ(w.findChild<QLabel *>("Info_o_verzi")->text(), "Datum verze:");
    EXPECT_EQ(w.findChild<QLabel *>("UpgradeInfo")->text(), "All Windows® tested!");
    EXPECT_EQ(w.findChild<QLabel *>("VerSys")->text(), "Info: System Linux.");
    QTreeWidget *tree = w.sectionTree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Vnitřní moduly programu:");
    EXPECT_EQ(tree->topLevelItem(0)->child(0)->text(0), "Orvella");
    EXPECT_EQ(tree->topLevelItem(0)->child(1)->text(0), "Evidence hudebních CD");
    EXPECT_EQ(plain(menu("Menu1_VK300")->title()), "Systém ");
    EXPECT_EQ(action("Menu1_VK305")->text(), "Aktuální statistika videokazet");
    EXPECT_EQ(plain(action("Menu1_VK700")->text()), "Konec (ESC) ");
    EXPECT_EQ(plain(menu("Menu1_VK500")->title()), "Externí VK  ");
    // Without the help file the help items are hidden.
    EXPECT_FALSE(action("Menu1_VK800")->isVisible());
    EXPECT_FALSE(action("Menu2_VK800")->isVisible());
}

TEST_F(MainWindowTest, HelpItemsAppearWithTheHelpFile)
{
    startOnceBefore();
    QFile help(Paths::dataFile("Velmora.hlp"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    start();
    firstShowing(*window, {});
    EXPECT_TRUE(action("Menu1_VK800")->isVisible());
    EXPECT_TRUE(action("Menu2_VK800")->isVisible());
}

TEST_F(MainWindowTest, PartialLanguageFileChangesOneMessageAndTheLookupDefaults)
{
    writeLanguageFile("Czech.set", "[Others]\r\n004 = Žádná data!\r\n");
    TTitul &w = ready();
    EXPECT_TRUE(lang::present());
    w.runEntry(*w.entryFor("cassettes.browse"));
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].text, "Žádná data!");
    EXPECT_EQ(user.shown[0].caption, "Informace");
    // Every menu item now takes its lookup default.
    EXPECT_EQ(action("Menu1_VK305")->text(), "Aktuální statistika VK");
    EXPECT_EQ(action("Menu1_VK406")->text(), "Tisk Více videoetiket najednou");
    EXPECT_EQ(menu("Menu1_VK207")->title(), "Zpracování půjčených VK do grafů");
    EXPECT_EQ(plain(menu("Menu1_VK500")->title()), "Externí VK ");
    EXPECT_EQ(plain(menu("Menu2_CD200")->title()), "Půjčování CD ");
    EXPECT_EQ(plain(menu("Menu1_VK100")->title()), "Videokazety ");
    EXPECT_EQ(plain(action("Menu1_VK800")->text()), "Help ");
    EXPECT_EQ(action("Menu1_languages")->text(), "Setup program Languages");
    EXPECT_EQ(w.windowTitle(), "Velmora 2002  (Build: 2.1.1)");
    EXPECT_EQ(w.findChild<QLabel *>("Sel")->text(), "Multi Program");
    // The version-date key carries the date; without it the default shows.
    EXPECT_EQ(w.findChild<QLabel *>("Info_o_verzi")->text(), "Datum verze: 27.05.2002");
}

TEST_F(MainWindowTest, LanguageFileCaptionsWithTheirSuffixes)
{
    writeLanguageFile("Czech.set",
                      "[Menu_VK]\r\n700=Odchod\r\n101=Prohlížení\r\n106=Datum\r\n"
                      "[Central]\r\n106 27.05.2002=Vydáno 27.05.2002\r\n106=nepoužito\r\n"
                      "108=Kazety\r\n000=Velmora Test\r\n");
    TTitul &w = ready();
    EXPECT_EQ(plain(action("Menu1_VK700")->text()), "Odchod (ESC) ");
    EXPECT_EQ(plain(action("Menu2_VK700")->text()), "Odchod (ESC) ");
    EXPECT_EQ(action("Menu1_VK101")->text(), "Prohlížení");
    EXPECT_EQ(w.findChild<QLabel *>("Info_o_verzi")->text(), "Vydáno 27.05.2002");
    EXPECT_EQ(w.sectionTree()->topLevelItem(0)->child(0)->text(0), "Kazety");
    EXPECT_EQ(w.windowTitle(), "Velmora Test  (Build: 2.1.1)");
    EXPECT_EQ(w.findChild<QLabel *>("jmeno_prg")->text(), "Velmora Test");
}

TEST_F(MainWindowTest, EveryRecordsGuardOnEmptyTablesOpensNothing)
{
    TTitul &w = ready();
    QStringList ran;
    for (const auto *menuBar : {&cassetteMenu(), &cdMenu()})
        for (const MenuEntry *e : commandsOf(*menuBar))
            w.registerCommand(e->action, [&ran, e](TTitul &) { ran << e->action; });
    int guarded = 0;
    for (const auto *menuBar : {&cassetteMenu(), &cdMenu()}) {
        for (const MenuEntry *e : commandsOf(*menuBar)) {
            if (e->guard == Guard::None)
                continue;
            ++guarded;
            user.shown.clear();
            w.runEntry(*e);
            ASSERT_EQ(user.shown.size(), 1) << e->objectName.toStdString();
            EXPECT_EQ(user.shown[0].text, kNoData);
            EXPECT_EQ(user.shown[0].caption, "Informace");
            if (!e->table.isEmpty()) {
                EXPECT_FALSE(w.tables().byName(e->table)->isOpen());
                EXPECT_FALSE(w.tables().byName(e->table)->filtered())
                    << e->objectName.toStdString();
            }
        }
    }
    EXPECT_TRUE(ran.isEmpty()) << ran.join(", ").toStdString();
    EXPECT_EQ(guarded, (16 + 1 + 2) + (14 + 1 + 2)); // records, lent and file guards of both menus
    // Commands without a guard open even on empty tables.
    w.runEntry(*w.entryFor("cassettes.new"));
    w.runEntry(*w.entryFor("search.freePosition"));
    EXPECT_EQ(ran, (QStringList{"cassettes.new", "search.freePosition"}));
}

TEST_F(MainWindowTest, GuardPassedFindsTheTableOpenWithItsIndexAndClosesItAfter)
{
    TTitul &w = ready();
    addCassette("00002");
    addCassette("00001", true, "01.01.2002", 7);
    QString seenIndex;
    int seenCount = -1;
    w.registerCommand("cassettes.browse", [&](TTitul &win) {
        seenIndex = win.tables().Table1.index();
        seenCount = win.tables().Table1.recordCount();
        win.tables().Table1.setFilter("cislo='00002'");
        win.tables().Table1.setFiltered(true);
    });
    w.runEntry(*w.entryFor("cassettes.browse"));
    EXPECT_EQ(seenIndex, "cislo");
    EXPECT_EQ(seenCount, 2);
    EXPECT_FALSE(w.tables().Table1.isOpen());
    // Not an unfilter command: a filter the screen left stays on the handle.
    EXPECT_TRUE(w.tables().Table1.filtered());
    w.tables().Table1.setFiltered(false);

    // The lent guard shows only lent cassettes and leaves no filter.
    int lentSeen = -1;
    w.registerCommand("lending.cassettesAway",
                      [&](TTitul &win) { lentSeen = win.tables().Table1.recordCount(); });
    w.runEntry(*w.entryFor("lending.cassettesAway"));
    EXPECT_EQ(lentSeen, 1);
    EXPECT_FALSE(w.tables().Table1.filtered());
    EXPECT_TRUE(w.tables().Table1.filter().isEmpty());
}

TEST_F(MainWindowTest, UnfilterCommandsSwitchOffWhatTheScreenLeft)
{
    TTitul &w = ready();
    addCdTitle("00001");
    w.registerCommand("cds.show", [](TTitul &win) {
        win.tables().CD_Table1.setFilter("cislocd='00001'");
        win.tables().CD_Table1.setFiltered(true);
    });
    w.runEntry(*w.entryFor("cds.show"));
    EXPECT_FALSE(w.tables().CD_Table1.filtered());
    EXPECT_FALSE(w.tables().CD_Table1.isOpen());
}

TEST_F(MainWindowTest, FileGuardNeedsTheRegisterInExterni)
{
    TTitul &w = ready();
    bool opened = false;
    w.registerCommand("external.cassetteReports", [&](TTitul &) { opened = true; });
    w.runEntry(*w.entryFor("external.cassetteReports"));
    EXPECT_FALSE(opened);
    EXPECT_EQ(user.texts(), QStringList{kNoData});
    QFile f(Paths::externiDir() + "Source.dbf");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    w.runEntry(*w.entryFor("external.cassetteReports"));
    EXPECT_TRUE(opened);
}

TEST_F(MainWindowTest, EveryMenuCommandOfBothSectionsHasItsScreen)
{
    TTitul &w = ready();
    for (const auto *menu : {&cassetteMenu(), &cdMenu()})
        for (const MenuEntry *entry : commandsOf(*menu))
            EXPECT_TRUE(w.hasCommand(entry->action))
                << entry->action.toStdString() << " (" << menuCaption(*entry).toStdString() << ")";
    // A name without a command bothers the user with nothing.
    addCassette("00001");
    w.runAction("no.such.command");
    EXPECT_TRUE(user.texts().isEmpty());
}

TEST_F(MainWindowTest, EngineErrorInAGuardIsShownAndTheWindowGoesOn)
{
    TTitul &w = ready();
    QFile::remove(Paths::dataFile("archiv.dbf"));
    QFile f(Paths::dataFile("archiv.dbf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a table");
    f.close();
    w.runEntry(*w.entryFor("lending.cassetteArchive"));
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Chyba");
    EXPECT_TRUE(user.shown[0].text.contains("archiv.dbf"));
}

TEST_F(MainWindowTest, RootSelectionMovesToTheCassetteNode)
{
    TTitul &w = ready();
    w.selectSection(TTitul::Cds);
    EXPECT_TRUE(w.findChild<QMenuBar *>("RxMainMenu2")->isVisibleTo(&w));
    w.sectionTree()->setCurrentItem(w.sectionTree()->topLevelItem(0));
    EXPECT_EQ(w.selectedSection(), TTitul::Cassettes);
    EXPECT_TRUE(w.findChild<QMenuBar *>("RxMainMenu1")->isVisibleTo(&w));
    EXPECT_FALSE(w.findChild<QMenuBar *>("RxMainMenu2")->isVisibleTo(&w));
    // Collapsing is not possible: the tree stays expanded.
    w.sectionTree()->collapseItem(w.sectionTree()->topLevelItem(0));
    EXPECT_TRUE(w.sectionTree()->topLevelItem(0)->isExpanded());
}

TEST_F(MainWindowTest, SectionChangesAreIgnoredWhileStarting)
{
    startOnceBefore();
    start();
    EXPECT_TRUE(window->starting());
    window->selectSection(TTitul::Cds);
    EXPECT_TRUE(window->findChild<QMenuBar *>("RxMainMenu1")->isVisibleTo(window.get()));
}

TEST_F(MainWindowTest, CloseQuestionNoKeepsTheWindowAndLastExit)
{
    TTitul &w = ready();
    w.show();
    SettingsStore::own().writeInt(settings::kLastExit, 1);
    w.selectSection(TTitul::Cds);
    user.answers = {false};
    QTest::keyClick(w.sectionTree(), Qt::Key_Escape);
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Ukončení programu");
    EXPECT_EQ(user.shown[0].text, "Opravdu chceš ukončit tento program ?");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(SettingsStore::own().readInt(settings::kLastExit), 1);

    user.answers = {true};
    action("Menu2_VK700")->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(SettingsStore::own().readInt(settings::kLastExit), 2);
}

TEST_F(MainWindowTest, F1WithoutHelpFileAndTheNewsFile)
{
    TTitul &w = ready();
    QTest::keyClick(w.sectionTree(), Qt::Key_F1);
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Informace");
    EXPECT_TRUE(user.shown[0].text.startsWith("Soubor s nápovědou k tomuto programu není"));
    user.shown.clear();
    w.runEntry(*w.entryFor("core.newsFile"));
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Chyba");
    EXPECT_EQ(user.shown[0].text, "Nebyl nalezen soubor \"Version.txt\" v adresáři programu.");
}

TEST_F(MainWindowTest, CoreScreensOpenFromBothMenus)
{
    ready();
    action("Menu1_VK309")->trigger();
    action("Menu2_languages")->trigger();
    EXPECT_EQ(user.screens, (QStringList{"TI_o_prg", "TSet_Lang"}));
}

TEST_F(MainWindowTest, ScreenThatFailsLeavesNoFilterForTheNextCommand)
{
    TTitul &w = ready();
    addCdTitle("00001");
    w.registerCommand("cds.show", [](TTitul &win) {
        win.tables().CD_Table1.setFilter("Cislocd='99999'");
        win.tables().CD_Table1.setFiltered(true);
        throw DbError("Obrazovka selhala.");
    });
    int seen = -1;
    w.registerCommand("cds.edit",
                      [&seen](TTitul &win) { seen = win.tables().CD_Table1.recordCount(); });
    w.runEntry(*w.entryFor("cds.show"));
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(user.shown[0].text, "Obrazovka selhala.");
    EXPECT_FALSE(w.tables().CD_Table1.isOpen());
    EXPECT_FALSE(w.tables().CD_Table1.filtered());
    // The next guard counts every title, not the filtered none.
    w.runEntry(*w.entryFor("cds.edit"));
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(user.shown.size(), 1) << user.texts().join(" | ").toStdString();
}

TEST_F(MainWindowTest, FailingItemsAwayScreenLeavesTheLentFilterOff)
{
    TTitul &w = ready();
    addCassette("00001", true, "01.01.2002", 7);
    addCassette("00002");
    w.registerCommand("lending.cassettesAway", [](TTitul &win) {
        win.tables().Table1.setFilter("cislo='00001'");
        throw std::runtime_error("Obrazovka selhala.");
    });
    int seen = -1;
    w.registerCommand("cassettes.browse",
                      [&seen](TTitul &win) { seen = win.tables().Table1.recordCount(); });
    w.runEntry(*w.entryFor("lending.cassettesAway"));
    EXPECT_EQ(user.texts(), QStringList{"Obrazovka selhala."});
    EXPECT_FALSE(w.tables().Table1.isOpen());
    EXPECT_FALSE(w.tables().Table1.filtered());
    EXPECT_TRUE(w.tables().Table1.filter().isEmpty());
    w.runEntry(*w.entryFor("cassettes.browse"));
    EXPECT_EQ(seen, 2);

    // A command without unfilter closes its table after a failure too.
    w.registerCommand("cassettes.browse", [](TTitul &) { throw DbError("Chyba obrazovky."); });
    w.runEntry(*w.entryFor("cassettes.browse"));
    EXPECT_FALSE(w.tables().Table1.isOpen());
    EXPECT_EQ(user.texts().last(), "Chyba obrazovky.");
}

TEST_F(MainWindowTest, ApplicationTitleFollowsTheLanguageAndCaptionsStay)
{
    QGuiApplication::setApplicationDisplayName(QString());
    TTitul &w = ready();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Velmora 2002");
    EXPECT_EQ(w.windowTitle(), "Velmora 2002 (Build: 2.1.1)");

    writeLanguageFile("English.set", "[Central]\r\n000=Velmora Media 2002\r\n");
    lang::load("English.set");
    w.applyLanguage();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Velmora Media 2002");
    EXPECT_EQ(w.windowTitle(), "Velmora Media 2002  (Build: 2.1.1)");

    // A language file without key 000 keeps the built-in title.
    writeLanguageFile("Czech.set", "[Others]\r\n004 = Žádná data!\r\n");
    lang::load("Czech.set");
    w.applyLanguage();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Velmora 2002");
    lang::load(QString());
    w.applyLanguage();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "Velmora 2002");
    EXPECT_EQ(w.windowTitle(), "Velmora 2002 (Build: 2.1.1)");
}

namespace {

// The bar's own titles in order, and their Alt letters.
QStringList barTitles(const QMenuBar *bar)
{
    QStringList out;
    for (const QAction *a : bar->actions())
        out << a->text();
    return out;
}

QString altLetters(const QStringList &titles)
{
    QString out;
    for (const QString &t : titles) {
        const qsizetype at = t.indexOf(QLatin1Char('&'));
        out += at >= 0 && at + 1 < t.size() ? t[at + 1].toLower() : QChar('-');
    }
    return out;
}

} // namespace

TEST_F(MainWindowTest, MenuBarTitlesHaveDistinctAltLettersAndAltVOpensTheCassetteMenu)
{
    TTitul &w = ready();
    const QStringList cassettes = barTitles(w.findChild<QMenuBar *>("RxMainMenu1"));
    const QStringList cds = barTitles(w.findChild<QMenuBar *>("RxMainMenu2"));
    EXPECT_EQ(cassettes, (QStringList{"&Videokazety ", "&Půjčování ", "&Systém ", "&Tisky ",
                                      "&Externí VK  ", "&Konec (ESC) ", "&Help"}));
    // "Hudební CD" takes the H and "Externí CD" the E, so help gets its L.
    EXPECT_EQ(cds, (QStringList{"&Hudební CD ", "&Půjčování ", "&Systém ", "&Tisky ",
                                "&Externí CD ", "&Konec (ESC) ", "He&lp"}));
    // The items of the menus are left as they are.
    EXPECT_EQ(action("Menu1_VK101")->text(), "Zobrazení videokazet");

    w.selectSection(TTitul::Cassettes);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(QApplication::activePopupWidget(), menu("Menu1_VK100"));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTRY_VERIFY(!menu("Menu1_VK100")->isVisible());
    w.hide();
}

TEST_F(MainWindowTest, LanguageTitlesWithTheSameFirstLettersStillGetDistinctAltLetters)
{
    writeLanguageFile("Czech.set", "[Menu_VK]\r\n100=Kazety\r\n200=Kazety půjčené\r\n"
                                   "300=Konfigurace\r\n400=Tisk\r\n500=Tisk externí\r\n"
                                   "700=Konec\r\n800=Návod\r\n"
                                   "[Menu_CD]\r\n100=&Disky\r\n200=Dlužníci\r\n500=Dálka\r\n");
    TTitul &w = ready();
    const QStringList cassettes = barTitles(w.findChild<QMenuBar *>("RxMainMenu1"));
    EXPECT_EQ(cassettes, (QStringList{"&Kazety ", "K&azety půjčené ", "K&onfigurace ", "&Tisk ",
                                      "T&isk externí ", "Ko&nec (ESC) ", "N&ávod "}));
    const QString letters = altLetters(cassettes);
    EXPECT_EQ(QSet<QChar>(letters.begin(), letters.end()).size(), letters.size())
        << letters.toStdString();
    // A title that brings its own letter keeps it; the others work round it.
    const QStringList cds = barTitles(w.findChild<QMenuBar *>("RxMainMenu2"));
    EXPECT_EQ(cds.value(0), "&Disky ");
    EXPECT_EQ(cds.value(1), "D&lužníci ");
    EXPECT_EQ(cds.value(4), "D&álka ");
    const QString cdLetters = altLetters(cds);
    EXPECT_EQ(QSet<QChar>(cdLetters.begin(), cdLetters.end()).size(), cdLetters.size())
        << cdLetters.toStdString();
    // What the bar shows is the language text and its blank.
    EXPECT_EQ(plain(menu("Menu1_VK200")->title()), "Kazety půjčené ");
    EXPECT_EQ(plain(action("Menu1_VK700")->text()), "Konec (ESC) ");
}

TEST(MenuMnemonics, FreeLettersOnlyAndTitlesWithoutOneStayAsTheyAre)
{
    // Digits and signs are passed over; "&&" is a shown ampersand, not a mark.
    EXPECT_EQ(withMnemonics({"1. díl", "R&&D", "Ř", "ř", "..."}),
              (QStringList{"1. &díl", "&R&&D", "&Ř", "ř", "..."}));
    EXPECT_EQ(withMnemonics({"A&b", "ab", "ba"}), (QStringList{"A&b", "&ab", "ba"}));
}
