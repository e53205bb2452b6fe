// The show and delete screens, run from the CD menu as the main window runs
// them: the track list in both pane modes, moving between titles, the loan
// label, and deleting with its questions and rules.

#include "CdFixture.h"
#include "ScreenChecks.h"
#include "cds/CdTitleDisplay.h"
#include "cds/DeleteCdTitle.h"
#include "cds/ShowCdTitles.h"
#include "platform/JumpList.h"
#include "printing/ReportPane.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <array>

using namespace velmora;
using namespace velmora::test;

namespace {

class ShowDelete : public CdFixture
{
protected:
    void run(const char *action) { window->runEntry(*window->entryFor(action, TTitul::Cds)); }
};

} // namespace

TEST_F(ShowDelete, TheShowScreenListsTheTracksOfTheDiscChosen)
{
    addTitle("00001", "Jedna", "Zpěvák");
    addTitle("00004", "Čtyři", "", {true, "Petr", "05.06.2002", 7});
    addDisc("00001", "CD1", 2);
    for (int d = 1; d <= 12; ++d)
        addDisc("00004", QStringLiteral("CD%1").arg(d), d == 12 ? 6 : 1);
    window->settings().storedSystemCode = "2";
    QStringList lines;
    user.onScreen["TZobrazit_CD_Data"] = [&](QDialog &d) {
        auto &s = static_cast<TZobrazit_CD_Data &>(d);
        CdTitleDisplay *v = s.display();
        EXPECT_EQ(v->jumpList()->currentText(), "00004");
        EXPECT_EQ(d.findChild<QLineEdit *>("Artist")->text(), "Neuvedeno ...");
        EXPECT_EQ(v->loanLabel()->text(), "Hudební CD je půjčeno! ... ( Petr   od   05.06.2002 )");
        ASSERT_EQ(v->tabs()->count(), 12);
        v->tabs()->setCurrentIndex(11);
        lines = v->pane()->lines();
        EXPECT_EQ(v->discTotal()->text(), "3 min 30 sek."); // 10 + 20 + ... + 60
        emit v->jumpList()->chosen("00001");
        EXPECT_EQ(d.findChild<QLineEdit *>("Artist")->text(), "Zpěvák");
        EXPECT_EQ(v->loanLabel()->text(), "Hudební CD není půjčeno ...");
    };
    run("cds.show");
    EXPECT_EQ(user.screens, QStringList{"TZobrazit_CD_Data"});
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[0], " Seznam zvukových stop z: CD 12");
    EXPECT_EQ(lines[3], "  Č.  Název skladby:                                         Délka:      "
                        "     Styl:");
    EXPECT_EQ(lines[5].left(60), QStringLiteral("  1.  00004/CD12/1").leftJustified(60));
    EXPECT_TRUE(lines[5].contains("0m 10s"));
    EXPECT_TRUE(lines[10].contains("1m 00s"));
    EXPECT_EQ(lines.last(), "  Norvane 2002");
    EXPECT_FALSE(window->tables().CD_Table1.isOpen());
    EXPECT_FALSE(window->tables().CD_Table2.isOpen());
}

TEST_F(ShowDelete, TheShowScreensHeadNamesItsBoxesAndTheLoanLineUnderTheSizeTurnsDarkRed)
{
    addTitle("00001", "Půjčené", "", {true, "Petr", "05.06.2002", 7});
    addTitle("00002", "Doma", "Zpěvák");
    struct Line
    {
        QString text;
        QColor colour;
        bool bold = false;
    };
    Line home, lent;
    QString artistOfLent;
    user.onScreen["TZobrazit_CD_Data"] = [&](QDialog &d) {
        CdTitleDisplay *v = static_cast<TZobrazit_CD_Data &>(d).display();
        expectCaptionedBoxes(d,
                             {{"Label_Titul", "Titul hudebního CD:", "TitulCD", "Doma"},
                              {"Label_Artist", "CD nazpíval(a)       :", "Artist", "Zpěvák"},
                              {"Label_Pozn", "Poznámka k hudebnímu CD:", "PoznCD", "pozn 00002"}});
        // The lending screen's captions stay its own.
        EXPECT_EQ(d.findChild<QLabel *>("Label_TitulCD"), nullptr);
        EXPECT_EQ(d.findChild<QLabel *>("pujceno"), nullptr);
        QLabel *loan = v->loanLabel();
        EXPECT_EQ(loan->objectName(), "Pujceno");
        // Between the row of the jump list and the title's box.
        const QPoint at = loan->mapTo(&d, QPoint(0, 0));
        EXPECT_GT(at.y(), v->jumpList()->mapTo(&d, QPoint(0, 0)).y());
        EXPECT_LT(at.y(), d.findChild<QLineEdit *>("TitulCD")->mapTo(&d, QPoint(0, 0)).y());
        home = {loan->text(), loan->palette().color(QPalette::WindowText), loan->font().bold()};
        emit v->jumpList()->chosen("00001");
        lent = {loan->text(), loan->palette().color(QPalette::WindowText), loan->font().bold()};
        artistOfLent = d.findChild<QLineEdit *>("Artist")->text();
    };
    run("cds.show");
    EXPECT_EQ(home.text, "Hudební CD není půjčeno ...");
    EXPECT_EQ(home.colour, QColor(Qt::black));
    EXPECT_FALSE(home.bold);
    EXPECT_EQ(lent.text, "Hudební CD je půjčeno! ... ( Petr   od   05.06.2002 )");
    EXPECT_EQ(lent.colour, QColor(0x80, 0x00, 0x00)); // dark red
    EXPECT_TRUE(lent.bold);
    EXPECT_EQ(artistOfLent, "Neuvedeno ...");
}

TEST_F(ShowDelete, TabPassesTheDiscBarOfATitleWithoutTracks)
{
    addTitle("00001", "Jedna");
    addTitle("00002", "Dva");
    addDisc("00001", "CD1", 2);
    QStringList reached;
    user.onScreen["TZobrazit_CD_Data"] = [&](QDialog &d) {
        auto &s = static_cast<TZobrazit_CD_Data &>(d);
        CdTitleDisplay *v = s.display();
        ASSERT_EQ(v->jumpList()->currentText(), "00002");
        ASSERT_EQ(v->tabs()->count(), 0);
        QApplication::setActiveWindow(&d);
        for (int i = 0; i < 30; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget()->objectName();
        }
        EXPECT_FALSE(reached.contains("TabControl1")) << reached.join(' ').toStdString();
        // The title with a disc offers its bar again.
        emit v->jumpList()->chosen("00001");
        reached.clear();
        for (int i = 0; i < 30; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget()->objectName();
        }
        EXPECT_TRUE(reached.contains("TabControl1")) << reached.join(' ').toStdString();
    };
    run("cds.show");
    EXPECT_EQ(user.screens, QStringList{"TZobrazit_CD_Data"});
}

TEST_F(ShowDelete, DocumentModeBuildsTheSameListAsRtf)
{
    addTitle("00001", "Jedna");
    addDisc("00001", "CD1", 1);
    window->settings().storedSystemCode = "4";
    QByteArray rtf;
    user.onScreen["TZobrazit_CD_Data"] = [&](QDialog &d) {
        rtf = static_cast<TZobrazit_CD_Data &>(d).display()->pane()->rtf();
    };
    run("cds.show");
    EXPECT_TRUE(rtf.startsWith(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier New;}Courier "
        "New "
        "CE;}}\r\n{\\colortbl "
        ";\\red0\\green0\\blue0;\\red0\\green0\\blue0255;\\red0255\\green0\\blue0;"
        "}\r\n\\viewkind4\\uc1\\pard\\cf3\\b\\lang1029\\f0\\fs24\r\n\\cf2\\b\\fs30 Seznam"));
    EXPECT_TRUE(rtf.contains("\\cf3\\b\\fs20\\par\\par  \xc8.  N")); // code page 1250
    EXPECT_TRUE(rtf.contains("\\cf1\\b0\\fs20  1.  00001/CD1/1"));
    EXPECT_TRUE(rtf.endsWith("\\cf1\\b0\\fs20  Norvane 2002\\par\r\n}"));
}

TEST_F(ShowDelete, ALentTitleCannotBeDeletedAndNoChangesNothing)
{
    addTitle("00001", "Jedna");
    addTitle("00002", "Dva", "", {true, "Petr", "05.06.2002", 7});
    addDisc("00001", "CD1", 2);
    user.answers << false;
    user.onScreen["TZrusit_CD"] = [&](QDialog &d) {
        auto &s = static_cast<TZrusit_CD &>(d);
        EXPECT_FALSE(s.deleteButton()->isEnabled()); // 00002 is lent
        emit s.display()->jumpList()->chosen("00001");
        EXPECT_TRUE(s.deleteButton()->isEnabled());
        s.deleteButton()->click();
    };
    run("cds.delete");
    ASSERT_EQ(user.shown.size(), 2);
    EXPECT_EQ(user.shown[0].caption, "Zrušení z databáze:");
    EXPECT_EQ(user.shown[0].text,
              "POZOR: Opravdu chcete natrvalo zrušit nastavený titul hudebního CD ?");
    EXPECT_EQ(user.shown[1].text,
              "Zrušení nastaveného hudebního CD titulu bylo stornováno uživatelem.");
    EXPECT_EQ(titleCount(), 2);
    EXPECT_EQ(storedTracks("00001").size(), 2);
}

TEST_F(ShowDelete, DeletingTheLastTitleClosesTheScreen)
{
    addTitle("00004", "Čtyři");
    addDisc("00004", "CD1", 2);
    addDisc("00004", "CD2", 3);
    addDisc("00005", "CD1", 1);
    bool closed = false;
    user.onScreen["TZrusit_CD"] = [&](QDialog &d) {
        static_cast<TZrusit_CD &>(d).deleteButton()->click();
        closed = !d.isVisible();
    };
    run("cds.delete");
    EXPECT_TRUE(closed);
    EXPECT_EQ(user.shown.last().caption, "Rozhodnutí:");
    EXPECT_EQ(user.shown.last().text,
              "V hlavní databázi CD titulů nejsou žádná data, zavírám prohlížení ...");
    EXPECT_EQ(titleCount(), 0);
    EXPECT_TRUE(dbfreadTracks("00004").isEmpty());
    EXPECT_EQ(dbfreadTracks("00005").size(), 1);
    // The empty catalogue refuses the show, edit and delete commands.
    user.shown.clear();
    run("cds.show");
    run("cds.edit");
    EXPECT_EQ(user.texts(), QStringList(2, "V databázi nejsou žádná data, nelze pokračovat!"));
}
