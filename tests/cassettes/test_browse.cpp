// The browse screen through the main window's command: what a cassette
// shows, the loan label, the remaining time, moving by list, navigator and
// wheel, the language texts and the label button.

#include "CassetteFixture.h"
#include "cassettes/BrowseCassette.h"

#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

class BrowseTest : public CassetteFixture
{
protected:
    // Registers the screen under its command and runs the command with its
    // guard; `act` plays the user on the shown screen.
    void browse(const std::function<void(TProhlizej_kazetu &)> &act)
    {
        window->registerCommand("cassettes.browse", [](TTitul &w) {
            TProhlizej_kazetu screen(w.session(), &w);
            dialogs::exec(screen);
        });
        bool shown = false;
        user.onScreen["TProhlizej_kazetu"] = [&](QDialog &d) {
            shown = true;
            act(static_cast<TProhlizej_kazetu &>(d));
        };
        window->runEntry(*window->entryFor("cassettes.browse"));
        EXPECT_TRUE(shown);
        // The main window closes the table after the screen.
        EXPECT_FALSE(window->tables().Table1.isOpen());
    }

    static Cassette lentOne()
    {
        Cassette c;
        c.number = "00003";
        c.lent = true;
        c.borrower = "Novák Jiří";
        c.from = "01.05.2002";
        return c;
    }
};

} // namespace

TEST_F(BrowseTest, OpensOnTheHighestNumberWithItsLoanInBoldDarkRed)
{
    ready();
    addNumbers({"00001"});
    add(lentOne());
    addNumbers({"00002"});
    browse([&](TProhlizej_kazetu &d) {
        EXPECT_EQ(d.windowTitle(), "Prohlížení databáze po jednotlivých kazetách ...");
        EXPECT_EQ(box(d, "Cislo"), "00003");
        EXPECT_EQ(d.currentNumber(), "00003");
        JumpList &list = jump(d);
        ASSERT_EQ(list.count(), 3);
        EXPECT_EQ(list.itemText(0), "00001");
        EXPECT_EQ(list.itemText(2), "00003");
        EXPECT_EQ(list.currentText(), "00003");
        auto *loan = child<QLabel>(d, "Pujceni");
        EXPECT_EQ(loan->text(), "Kazeta je půjčena! ... ( Novák Jiří   od   01.05.2002 )");
        EXPECT_TRUE(loan->font().bold());
        EXPECT_EQ(loan->palette().color(QPalette::WindowText), QColor(0x80, 0, 0));
        // Built-in captions without a language file.
        EXPECT_EQ(box(d, "Label_Jdi_hned"), "Jdi na kazetu :");
        EXPECT_EQ(box(d, "Label_Cislo"), "Číslo kazety:");
        EXPECT_EQ(box(d, "Label_Typ"), "Typ kazety :");
        EXPECT_EQ(box(d, "Label_Minutaz"), "(délka v minutách:");
        EXPECT_EQ(box(d, "Label_Film1"), "Film 1    :");
        EXPECT_EQ(box(d, "Label_Pozn5"), "Pozn.  5.  :");
        EXPECT_EQ(box(d, "Label_Cas2"), "délka:");
        EXPECT_EQ(box(d, "Label_Poznamka"), "Poznámka k videokazetě :");
        EXPECT_EQ(box(d, "Rezerva"), "Rezerva:");
        EXPECT_EQ(child<QPushButton>(d, "Zavrit")->text(), "Zavřít okno");
        EXPECT_EQ(child<QPushButton>(d, "Tisk")->text(), "Tisk etikety na kazetu");
        // Moving on to a cassette at home: normal black.
        navButton(d, "Prior").click();
        EXPECT_EQ(box(d, "Cislo"), "00002");
        EXPECT_EQ(loan->text(), "Kazeta není půjčena ...");
        EXPECT_FALSE(loan->font().bold());
        EXPECT_EQ(loan->palette().color(QPalette::WindowText), QColor(Qt::black));
        expectFitsSmallScreen(d);
    });
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(BrowseTest, BlocksCountersAndTheRemainingTimeFromTheCounters)
{
    ready();
    Cassette c;
    c.number = "00007";
    c.type = "E 180";
    c.note = "Neuzavřená kazeta, možnost dohrátí";
    c.blocks[0] = block("Pelíšky", "SP", 0, 95, 95, "Komedie", "ČT 1", QDate(2002, 5, 27),
                        "Záznam bez reklam");
    c.blocks[1] = block("Prázdný", "", 0, 0, 0);
    // The stored length differs from the counters: the remaining time
    // follows the counters (90 LP minutes occupy 45).
    c.blocks[2] = block("Kolja", "LP", 95, 185, 100);
    c.blocks[3] = block("Bez rychlosti", "", 185, 200, 15);
    c.blocks[4] = block("Malými", "ep", 0, 0, 0);
    add(c);
    browse([&](TProhlizej_kazetu &d) {
        EXPECT_EQ(box(d, "Typ"), "E 180");
        EXPECT_EQ(box(d, "Minutaz"), "185");
        EXPECT_EQ(box(d, "Film1"), "Pelíšky");
        EXPECT_EQ(box(d, "Zanr1"), "Komedie");
        EXPECT_EQ(box(d, "Ry1"), "SP");
        EXPECT_EQ(box(d, "Cas1"), "1h 35m");
        EXPECT_EQ(box(d, "Zdroj1"), "ČT 1");
        EXPECT_EQ(box(d, "Datum1"), "27.05.2002");
        EXPECT_EQ(box(d, "Start_Time1"), "0");
        EXPECT_EQ(box(d, "End_Time1"), "95");
        EXPECT_EQ(box(d, "Pozn1"), "Záznam bez reklam");
        EXPECT_EQ(box(d, "Start_Time2"), "");
        EXPECT_EQ(box(d, "End_Time2"), "");
        EXPECT_EQ(box(d, "Cas2"), "");
        EXPECT_EQ(box(d, "Datum2"), "");
        EXPECT_EQ(box(d, "Start_Time3"), "95");
        EXPECT_EQ(box(d, "End_Time3"), "185");
        EXPECT_EQ(box(d, "Cas3"), "1h 40m");
        EXPECT_EQ(box(d, "Ry5"), "EP");
        EXPECT_EQ(box(d, "Start_Time5"), "");
        EXPECT_EQ(box(d, "Poznamka"), "Neuzavřená kazeta, možnost dohrátí");
        // 185 - 95 - 45 = 45 SP minutes left.
        EXPECT_EQ(d.display()->remaining(), 45);
        EXPECT_EQ(box(d, "SP"), "0h 45m");
        EXPECT_EQ(box(d, "LP"), "1h 30m");
        EXPECT_EQ(box(d, "EP"), "2h 15m");
        EXPECT_EQ(box(d, "Pujceni"), "Kazeta není půjčena ...");
    });
}

TEST_F(BrowseTest, OverfilledAndEmptyCassettesShowWhatTheArithmeticGives)
{
    ready();
    Cassette over;
    over.number = "00002";
    over.type = "E 60";
    over.blocks[0] = block("Dlouhý", "EP", 0, 200, 200);
    add(over);
    Cassette empty;
    empty.number = "00001";
    empty.type = "E 300";
    add(empty);
    browse([&](TProhlizej_kazetu &d) {
        // 65 - 66: one minute over, shown with its sign and no warning.
        EXPECT_EQ(d.display()->remaining(), -1);
        EXPECT_EQ(box(d, "SP"), "-0h 01m");
        EXPECT_EQ(box(d, "LP"), "-0h 02m");
        EXPECT_EQ(box(d, "EP"), "-0h 03m");
        EXPECT_EQ(box(d, "Rezerva"), "Rezerva:");
        EXPECT_EQ(box(d, "Start_Time1"), "0");
        EXPECT_EQ(box(d, "End_Time1"), "200");
        navButton(d, "First").click();
        EXPECT_EQ(box(d, "Minutaz"), "305");
        EXPECT_EQ(box(d, "SP"), "5h 05m");
        EXPECT_EQ(box(d, "LP"), "10h 10m");
        EXPECT_EQ(box(d, "EP"), "15h 15m");
        EXPECT_EQ(box(d, "Start_Time1"), "");
        EXPECT_EQ(box(d, "Film1"), "");
    });
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(BrowseTest, JumpListNavigatorAndWheelMoveTogether)
{
    ready();
    addNumbers({"00004", "00002", "00001", "00003"});
    browse([&](TProhlizej_kazetu &d) {
        JumpList &list = jump(d);
        EXPECT_EQ(box(d, "Cislo"), "00004");
        EXPECT_FALSE(navButton(d, "Next").isEnabled());
        EXPECT_FALSE(navButton(d, "Last").isEnabled());
        EXPECT_TRUE(navButton(d, "First").isEnabled());
        EXPECT_EQ(navButton(d, "First").toolTip(), "První kazeta");
        EXPECT_EQ(navButton(d, "Last").accessibleName(), "Poslední kazeta");

        // The user picks the first number from the list with the keyboard.
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_Home);
        EXPECT_EQ(box(d, "Cislo"), "00001");
        EXPECT_EQ(window->tables().Table1.asString("cislo"), "00001");
        EXPECT_FALSE(navButton(d, "Prior").isEnabled());

        navButton(d, "Next").click();
        EXPECT_EQ(box(d, "Cislo"), "00002");
        EXPECT_EQ(list.currentText(), "00002");
        navButton(d, "Last").click();
        EXPECT_EQ(list.currentText(), "00004");

        // The wheel over any part of the screen: away from the user back,
        // towards the user forward; past the end nothing moves.
        wheel(child<QLineEdit>(d, "Film3"), 120);
        EXPECT_EQ(box(d, "Cislo"), "00003");
        EXPECT_EQ(list.currentText(), "00003");
        wheel(&list, 120);
        EXPECT_EQ(box(d, "Cislo"), "00002");
        wheel(&d, -120);
        wheel(child<QLabel>(d, "Pujceni"), -120);
        EXPECT_EQ(box(d, "Cislo"), "00004");
        wheel(&d, -120);
        EXPECT_EQ(box(d, "Cislo"), "00004");
    });
}

TEST_F(BrowseTest, PartialLanguageSectionKeepsTheDefaultsOfMissingKeys)
{
    writeLanguageFile("Czech.set", "[VK_001]\r\n001=Kazety jedna po druhé\r\n011=Snímek\r\n"
                                   "018=Vypůjčeno!\r\n015=Začátek:\r\n");
    ready();
    ASSERT_TRUE(lang::present());
    add(lentOne());
    addNumbers({"00001"});
    browse([&](TProhlizej_kazetu &d) {
        EXPECT_EQ(d.windowTitle(), "Kazety jedna po druhé");
        EXPECT_EQ(box(d, "Label_Film1"), "Snímek 1:");
        EXPECT_EQ(box(d, "Label_Film5"), "Snímek 5:");
        EXPECT_EQ(box(d, "Label_Start_Time2"), "Začátek:");
        // Missing keys: their lookup defaults, not the built-in captions.
        EXPECT_EQ(box(d, "Label_Jdi_hned"), "Jdi na kazetu:");
        EXPECT_EQ(box(d, "Label_Typ"), "Typ kazety:");
        EXPECT_EQ(box(d, "Label_Minutaz"), "(Délka v minutách:");
        EXPECT_EQ(box(d, "Label_Pozn3"), "Pozn. 3:");
        EXPECT_EQ(box(d, "Label_Cas1"), "Délka:");
        EXPECT_EQ(box(d, "Label_End_Time1"), "Konec (min):");
        EXPECT_EQ(child<QPushButton>(d, "Zavrit")->text(), "Zavřít okno");
        EXPECT_EQ(box(d, "Pujceni"), "Vypůjčeno! ... ( Novák Jiří   od   01.05.2002 )");
        navButton(d, "First").click();
        EXPECT_EQ(box(d, "Pujceni"), "Kazeta není půjčena ...");
        expectFitsSmallScreen(d);
    });
}

TEST_F(BrowseTest, LabelButtonFollowsThePrinterAndHandsOverTheNumber)
{
    ready();
    addNumbers({"00001", "00002"});
    window->settings().printerAvailable = false;
    browse([&](TProhlizej_kazetu &d) { EXPECT_FALSE(child<QPushButton>(d, "Tisk")->isEnabled()); });

    window->settings().printerAvailable = true;
    QString handedOver;
    window->registerCommand("printing.singleLabel",
                            [&](TTitul &) { handedOver = TProhlizej_kazetu::labelNumber(); });
    browse([&](TProhlizej_kazetu &d) {
        auto *print = child<QPushButton>(d, "Tisk");
        ASSERT_TRUE(print->isEnabled());
        navButton(d, "Prior").click();
        print->click();
    });
    EXPECT_EQ(handedOver, "00001");
}

TEST_F(BrowseTest, ClosingSwitchesTheFilterOff)
{
    ready();
    addNumbers({"00001", "00002"});
    browse([&](TProhlizej_kazetu &d) {
        Table &t = window->tables().Table1;
        t.setFilter("cislo='00001'");
        t.setFiltered(true);
        child<QPushButton>(d, "Zavrit")->click();
        EXPECT_FALSE(d.isVisible());
        EXPECT_FALSE(t.filtered());
    });
}
