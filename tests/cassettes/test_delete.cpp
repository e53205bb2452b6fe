// The delete screen through the main window's command: the question and
// its answers, the screen after a deletion, the empty table, Esc, and the
// records left on disk.

#include "CassetteFixture.h"
#include "cassettes/DeleteCassette.h"
#include "catalogue/CassetteRules.h"

#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString kQuestion =
    QStringLiteral("POZOR: Opravdu chcete natrvalo zrušit nastavenou videokazetu ?");
const QString kQuestionCaption = QStringLiteral("Zrušení Videokazety z dat:");
const QString kEmpty = QStringLiteral("V databázi již není žádná videokazeta, není co zrušit!");
const QString kCancelled = QStringLiteral("Zrušení nastavené kazety bylo stornováno uživatelem.");

class DeleteTest : public CassetteFixture
{
protected:
    void remove(const std::function<void(TZrusit_vk &)> &act)
    {
        window->registerCommand("cassettes.delete", [](TTitul &w) {
            TZrusit_vk screen(w.session(), &w);
            dialogs::exec(screen);
        });
        bool shown = false;
        user.onScreen["TZrusit_vk"] = [&](QDialog &d) {
            shown = true;
            act(static_cast<TZrusit_vk &>(d));
        };
        window->runEntry(*window->entryFor("cassettes.delete"));
        EXPECT_TRUE(shown);
        EXPECT_FALSE(window->tables().Table1.isOpen());
    }

    // Cassette numbers as Python's dbfread reads the file.
    QString numbersByDbfread()
    {
        return runProgram("/usr/bin/python3",
                          {"-c",
                           "import sys\n"
                           "from dbfread import DBF\n"
                           "t = DBF(sys.argv[1], encoding='cp1250', lowernames=True)\n"
                           "print(','.join(sorted(r['cislo'] for r in t)))\n",
                           Paths::dataFile("data.dbf")})
            .trimmed();
    }

    static void clickDelete(TZrusit_vk &d) { child<QPushButton>(d, "Zrusit")->click(); }
};

} // namespace

TEST_F(DeleteTest, DeletingTheOnlyCassetteLeavesTheScreenOpenAndEmpty)
{
    ready();
    addNumbers({"00001"});
    remove([&](TZrusit_vk &d) {
        EXPECT_EQ(d.windowTitle(), "Zrušení existující videokazety natrvalo z databáze ....");
        EXPECT_EQ(jump(d).currentText(), "00001");
        EXPECT_EQ(d.findChild<QLabel *>("Cislo"), nullptr); // the list shows the number
        EXPECT_EQ(child<QPushButton>(d, "Zavrit")->text(), "&Zavřít okno");
        auto *del = child<QPushButton>(d, "Zrusit");
        EXPECT_EQ(del->text(), "&Zrušení Videokazety");
        EXPECT_TRUE(del->isEnabled());
        user.answers = {true};
        clickDelete(d);
        ASSERT_EQ(user.shown.size(), 2);
        EXPECT_EQ(user.shown[0].kind, MessageKind::Question);
        EXPECT_EQ(user.shown[0].caption, kQuestionCaption);
        EXPECT_EQ(user.shown[0].text, kQuestion);
        EXPECT_EQ(user.shown[1].kind, MessageKind::Information);
        EXPECT_EQ(user.shown[1].caption, "Informace:");
        EXPECT_EQ(user.shown[1].text, kEmpty);
        EXPECT_TRUE(d.isVisible());
        EXPECT_FALSE(del->isEnabled());
        EXPECT_EQ(jump(d).count(), 0);
        EXPECT_EQ(box(d, "Typ"), "");
        EXPECT_EQ(box(d, "SP"), "");
        EXPECT_FALSE(navButton(d, "First").isEnabled());
        EXPECT_FALSE(navButton(d, "Last").isEnabled());
        // Esc does nothing while there is nothing to delete.
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_EQ(user.shown.size(), 2);
        EXPECT_TRUE(d.isVisible());
        child<QPushButton>(d, "Zavrit")->click();
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_TRUE(storedNumbers().isEmpty());
    EXPECT_EQ(numbersByDbfread(), "");
}

TEST_F(DeleteTest, DeletingALentCassetteInTheMiddleFreesItsNumber)
{
    ready();
    addNumbers({"00001", "00002"});
    Cassette lent;
    lent.number = "00003";
    lent.type = "E 120";
    lent.lent = true;
    lent.borrower = "Dvořák";
    lent.from = "02.03.2002";
    add(lent);
    addNumbers({"00004", "00005"});
    Table archive;
    archive.setPath(Paths::dataFile("archiv.dbf"));
    archive.open();
    archive.append();
    archive.setString("cislo", "00003");
    archive.setString("komu", "Dvořák");
    archive.post();
    archive.close();
    // An index left on the handle: the screen selects its own.
    window->tables().Table1.setIndex("komu");

    remove([&](TZrusit_vk &d) {
        JumpList &list = jump(d);
        EXPECT_EQ(list.currentText(), "00005");
        // Two steps up the list to 00003.
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_Up);
        QTest::keyClick(&list, Qt::Key_Up);
        EXPECT_EQ(list.currentText(), "00003");
        EXPECT_EQ(box(d, "Typ"), "E 120");
        EXPECT_EQ(box(d, "Pujceni"), "Kazeta je půjčena! ... ( Dvořák   od   02.03.2002 )");
        user.answers = {true};
        clickDelete(d);
        ASSERT_EQ(user.shown.size(), 1); // only the question
        EXPECT_EQ(user.shown[0].text, kQuestion);
        // Shown again from the highest number.
        EXPECT_EQ(list.currentText(), "00005");
        EXPECT_EQ(list.count(), 4);
        EXPECT_EQ(list.findText("00003"), -1);
        EXPECT_EQ(d.display()->currentNumber(), "00005");
        EXPECT_EQ(box(d, "Pujceni"), "Kazeta není půjčena ...");
        EXPECT_TRUE(child<QPushButton>(d, "Zrusit")->isEnabled());
        // The new cassette screen now offers the freed number first.
        const FreeNumbers free = NextFreeNumbers(window->tables().Table1, "cislo");
        EXPECT_EQ(free.offers, (QStringList{"00003", "00006"}));
        EXPECT_EQ(free.preselected, "00006");
        EXPECT_EQ(window->tables().Table1.asString("cislo"), "00005");
    });
    EXPECT_EQ(storedNumbers(), (QStringList{"00001", "00002", "00004", "00005"}));
    EXPECT_EQ(numbersByDbfread(), "00001,00002,00004,00005");
    // The loan archive keeps the rows of the deleted cassette.
    archive.open();
    ASSERT_EQ(archive.recordCount(), 1);
    EXPECT_EQ(archive.asString("cislo"), "00003");
}

TEST_F(DeleteTest, AnsweringNoChangesNothing)
{
    ready();
    addNumbers({"00001", "00002"});
    remove([&](TZrusit_vk &d) {
        user.answers = {false};
        clickDelete(d);
        ASSERT_EQ(user.shown.size(), 2);
        EXPECT_EQ(user.shown[0].text, kQuestion);
        EXPECT_EQ(user.shown[1].kind, MessageKind::Information);
        EXPECT_EQ(user.shown[1].caption, "Informace:");
        EXPECT_EQ(user.shown[1].text, kCancelled);
        EXPECT_EQ(jump(d).count(), 2);
        EXPECT_EQ(jump(d).currentText(), "00002");
    });
    EXPECT_EQ(storedNumbers(), (QStringList{"00001", "00002"}));
}

TEST_F(DeleteTest, EscapeAsksTheDeletionQuestion)
{
    ready();
    addNumbers({"00001", "00002", "00003"});
    remove([&](TZrusit_vk &d) {
        navButton(d, "First").click();
        user.answers = {false, true};
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(user.texts(), (QStringList{kQuestion, kCancelled}));
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(user.shown.size(), 3);
        EXPECT_EQ(jump(d).currentText(), "00003");
    });
    EXPECT_EQ(storedNumbers(), (QStringList{"00002", "00003"}));
}

TEST_F(DeleteTest, FixedCzechTextsWhateverTheLanguageFileSays)
{
    writeLanguageFile("Czech.set", "[VK_001]\r\n018=Vypůjčeno!\r\n011=Snímek\r\n");
    ready();
    ASSERT_TRUE(lang::present());
    Cassette c;
    c.number = "00001";
    c.type = "E 180";
    c.lent = true;
    c.borrower = "Malá";
    c.from = "03.04.2002";
    c.blocks[0] = block("Pelíšky", "SP", 0, 60, 60);
    c.blocks[1] = block("Kolja", "LP", 60, 150, 90);
    add(c);
    remove([&](TZrusit_vk &d) {
        EXPECT_EQ(box(d, "Pujceni"), "Kazeta je půjčena! ... ( Malá   od   03.04.2002 )");
        EXPECT_EQ(box(d, "Label_Film1"), "Film 1    :");
        EXPECT_EQ(box(d, "Label_Jdi_hned"), "Jdi na kazetu :");
        EXPECT_EQ(navButton(d, "Prior").toolTip(), "Předchozí kazeta");
        EXPECT_EQ(box(d, "Start_Time1"), "0");
        EXPECT_EQ(box(d, "Start_Time2"), "60");
        // 185 - 60 - 45 = 80: 1h 20m, 2h 40m, 4h 00m.
        EXPECT_EQ(box(d, "SP"), "1h 20m");
        EXPECT_EQ(box(d, "LP"), "2h 40m");
        EXPECT_EQ(box(d, "EP"), "4h 00m");
        Table &t = window->tables().Table1;
        t.setFilter("cislo='00001'");
        t.setFiltered(true);
        expectFitsSmallScreen(d);
        child<QPushButton>(d, "Zavrit")->click();
        EXPECT_FALSE(t.filtered());
    });
}
