// Lending a cassette and a CD title through their screens and the borrower
// dialog, as the menu opens them.

#include "LendingFixture.h"
#include "ScreenChecks.h"
#include "cassettes/CassetteDisplay.h"
#include "lending/BorrowerDialog.h"
#include "lending/LendCassette.h"
#include "lending/LendCd.h"
#include "platform/DateBox.h"
#include "platform/JumpList.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <array>

namespace velmora::test {
namespace {

class LendTest : public LendingFixture
{
protected:
    // What the user does in the borrower dialog, one entry per loan: the
    // name typed (empty: cancel) and the day count chosen. The dialog's
    // state at opening is recorded.
    struct Answer
    {
        Answer(const QString &n = {}, const QString &d = QStringLiteral("07")) : name(n), days(d) {}
        QString name;
        QString days;
    };
    struct Seen
    {
        QString name;
        QStringList names;
        QString date;
        QString days;
        bool saveEnabled = false;
    };

    void answerBorrower(const char *dialogClass, QList<Answer> answers)
    {
        user.onScreen[dialogClass] = [this, answers](QDialog &d) mutable {
            auto &dialog = static_cast<TKomu_pujcit &>(d);
            Seen s;
            s.name = dialog.nameBox()->currentText();
            for (int i = 0; i < dialog.nameBox()->count(); ++i)
                s.names << dialog.nameBox()->itemText(i);
            s.date = dialog.dateBox()->edit()->text();
            s.days = dialog.daysBox()->currentText();
            s.saveEnabled = dialog.saveButton()->isEnabled();
            seen << s;
            const Answer a = answers.takeFirst();
            if (a.name.isEmpty()) {
                dialog.closeButton()->click();
                return;
            }
            dialog.nameBox()->setEditText(a.name);
            dialog.daysBox()->setCurrentText(a.days);
            dialog.saveButton()->click();
        };
    }

    // Lends from inside the lending screen: each entry is the number to
    // show and the answer in the dialog.
    void lendCassettes(QList<QPair<QString, Answer>> loans)
    {
        QList<Answer> answers;
        for (const auto &l : loans)
            answers << l.second;
        answerBorrower("TKomu_pujcit", answers);
        user.onScreen["TZapsat_pujceni"] = [this, loans](QDialog &d) {
            auto &screen = static_cast<TZapsat_pujceni &>(d);
            lastNumber = screen.display()->currentNumber();
            for (const auto &l : loans) {
                emit screen.display()->jumpList()->chosen(l.first);
                enabledBefore << screen.lendButton()->isEnabled();
                screen.lendButton()->click();
                enabledAfter << screen.lendButton()->isEnabled();
                loanLine = screen.findChild<QLabel *>("pujceno")->text();
            }
        };
        run("lending.lendCassette");
    }

    QList<Seen> seen;
    QString lastNumber;
    QString loanLine;
    QList<bool> enabledBefore, enabledAfter;
};

TEST_F(LendTest, ACassetteIsLentFromTheDialogAndTheScreenShowsIt)
{
    cassette("00001");
    cassette("00002");
    cassette("00003");
    archived(ItemKind::Cassette, "00001", "Eva");
    archived(ItemKind::Cassette, "00002", "adam");
    archived(ItemKind::Cassette, "00003", "Eva");
    archived(ItemKind::Cassette, "00003", "Čeněk");
    lendCassettes({{"00002", {"Zdeněk", "21"}}});

    EXPECT_EQ(lastNumber, "00003"); // the screen opens on the highest number
    ASSERT_EQ(seen.size(), 1);
    // Former borrowers once each, in Czech order; today and 7 days proposed.
    EXPECT_EQ(seen[0].names, (QStringList{"adam", "Čeněk", "Eva"}));
    EXPECT_EQ(seen[0].name, "");
    EXPECT_FALSE(seen[0].saveEnabled);
    EXPECT_EQ(seen[0].date, today());
    EXPECT_EQ(seen[0].days, "07");
    EXPECT_EQ(loanOf(ItemKind::Cassette, "00002"), "T|Zdeněk|" + today() + "|21");
    EXPECT_EQ(loanOf(ItemKind::Cassette, "00001"), "F|||0");
    EXPECT_EQ(user.texts(), QStringList{"Kazeta byla zaevidována na jméno: Zdeněk"});
    EXPECT_EQ(user.shown[0].caption, "Informace ...");
    EXPECT_EQ(enabledBefore, QList<bool>{true});
    EXPECT_EQ(enabledAfter, QList<bool>{false}); // a lent cassette cannot be lent again
    EXPECT_EQ(loanLine, "Kazeta je půjčena! ... ( Zdeněk   od   " + today() + " )");
    EXPECT_FALSE(window->tables().Table1.isOpen());
    // No archive row is written by a loan.
    EXPECT_EQ(dbfreadArchive(ItemKind::Cassette).size(), 4);
}

TEST_F(LendTest, TheNameStaysForTheNextLoanOfTheVisitAndLongNamesAreCut)
{
    cassette("00001");
    cassette("00002");
    cassette("00003");
    archived(ItemKind::Cassette, "00003", "Eva");
    lendCassettes({{"00001", {"Bartoloměj Novák ml."}}, {"00002", {"Karel", "01"}}});
    ASSERT_EQ(seen.size(), 2);
    // The dialog cuts what is typed to the field's 15 characters.
    EXPECT_EQ(loanOf(ItemKind::Cassette, "00001"), "T|Bartoloměj Nová|" + today() + "|7");
    // The second loan finds the first name in the box and may save at once.
    EXPECT_EQ(seen[1].name, "Bartoloměj Nová");
    EXPECT_TRUE(seen[1].saveEnabled);
    EXPECT_EQ(seen[1].names, QStringList{"Eva"});
    EXPECT_EQ(loanOf(ItemKind::Cassette, "00002"), "T|Karel|" + today() + "|1");

    // A new visit starts with an empty name.
    seen.clear();
    lendCassettes({{"00003", {QString()}}});
    ASSERT_EQ(seen.size(), 1);
    EXPECT_EQ(seen[0].name, "");
}

TEST_F(LendTest, CancellingOrClosingTheDialogLeavesTheCassetteAtHome)
{
    cassette("00001");
    lendCassettes({{"00001", {QString()}}});
    EXPECT_EQ(loanOf(ItemKind::Cassette, "00001"), "F|||0");
    EXPECT_TRUE(user.texts().isEmpty());
    EXPECT_EQ(enabledAfter, QList<bool>{true});

    // Closed by the window's frame: the same.
    user.onScreen["TKomu_pujcit"] = [](QDialog &d) {
        static_cast<TKomu_pujcit &>(d).nameBox()->setEditText("Eva");
        d.close();
    };
    user.onScreen["TZapsat_pujceni"] = [](QDialog &d) {
        static_cast<TZapsat_pujceni &>(d).lendButton()->click();
    };
    run("lending.lendCassette");
    EXPECT_EQ(loanOf(ItemKind::Cassette, "00001"), "F|||0");
}

TEST_F(LendTest, OnlyARealDateCanBeSaved)
{
    cassette("00001");
    bool enabledWithBadDate = true;
    user.onScreen["TKomu_pujcit"] = [&](QDialog &d) {
        auto &dialog = static_cast<TKomu_pujcit &>(d);
        dialog.nameBox()->setEditText("Eva");
        dialog.dateBox()->edit()->setText("31.02.2024");
        emit dialog.dateBox()->changed();
        enabledWithBadDate = dialog.saveButton()->isEnabled();
        dialog.saveButton()->click(); // refused while the date is not a day
        EXPECT_TRUE(dialog.isVisible());
        dialog.dateBox()->setDate(QDate(2024, 2, 29));
        emit dialog.dateBox()->changed();
        dialog.saveButton()->click();
    };
    user.onScreen["TZapsat_pujceni"] = [](QDialog &d) {
        static_cast<TZapsat_pujceni &>(d).lendButton()->click();
    };
    run("lending.lendCassette");
    EXPECT_FALSE(enabledWithBadDate);
    EXPECT_EQ(loanOf(ItemKind::Cassette, "00001"), "T|Eva|29.02.2024|7");
}

TEST_F(LendTest, AnEmptyCatalogueIsRefusedAndAnOldFormatOneIsNotWritten)
{
    run("lending.lendCassette");
    EXPECT_EQ(user.texts(), QStringList{"V databázi nejsou žádná data, nelze pokračovat!"});
    EXPECT_TRUE(user.screens.isEmpty());
}

TEST_F(LendTest, ACdTitleIsLentWithItsTracksShownFirstTrackOfEachDiscMarked)
{
    cdTitle("00001", "První");
    cdTitle("00002", "Druhé", {}, QString());
    disc("00002", "CD2", 2);
    disc("00002", "CD1", 3);
    disc("00001", "CD1", 1);
    archived(ItemKind::Cd, "00001", "Olga");

    QStringList rows;
    QList<bool> firstMarked;
    QString size, line;
    answerBorrower("TKomu_pujcitCD", {{"Petr", "14"}});
    user.onScreen["TZapsat_pujceni_CD"] = [&](QDialog &d) {
        auto &screen = static_cast<TZapsat_pujceni_CD &>(d);
        QTableWidget *grid = screen.trackGrid();
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid->columnCount(); ++c)
                cells << grid->item(r, c)->text();
            rows << cells.join('|');
            firstMarked << (grid->item(r, 1)->font().bold() &&
                            grid->item(r, 1)->background().color() ==
                                TZapsat_pujceni_CD::kFirstTrackBack);
        }
        size = screen.sizeLabel()->text();
        screen.lendButton()->click();
        line = screen.loanLabel()->text();
        EXPECT_FALSE(screen.lendButton()->isEnabled());
    };
    run("lending.lendCd", TTitul::Cds);

    EXPECT_EQ(rows, (QStringList{"CD1|1.|CD1 skladba 1|Pop", "CD1|2.|CD1 skladba 2|Pop",
                                 "CD1|3.|CD1 skladba 3|Pop", "CD2|1.|CD2 skladba 1|Pop",
                                 "CD2|2.|CD2 skladba 2|Pop"}));
    EXPECT_EQ(firstMarked, (QList<bool>{true, false, false, true, false}));
    EXPECT_EQ(size, "Neznýmá");
    EXPECT_EQ(seen[0].names, QStringList{"Olga"});
    EXPECT_EQ(loanOf(ItemKind::Cd, "00002"), "T|Petr|" + today() + "|14");
    EXPECT_EQ(user.texts(), QStringList{"Hudební CD: 00002 bylo zapůjčeno na jméno: Petr"});
    EXPECT_EQ(line, "Hudební CD je půjčeno! ... ( Petr   od   " + today() + " )");
    EXPECT_FALSE(window->tables().CD_Table1.isOpen());
    EXPECT_FALSE(window->tables().CD_Table2.isOpen());
}

// What Tab reaches on a screen, in order.
QStringList tabChain(QDialog &d)
{
    QStringList names;
    for (QWidget *w = d.nextInFocusChain(); w != &d; w = w->nextInFocusChain())
        if (w->isVisibleTo(&d) && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
            names << w->objectName();
    return names;
}

TEST_F(LendTest, TheCdLendingHeadNamesItsBoxesAndTheLoanLineUnderTheTracksTurnsDarkRed)
{
    cdTitle("00001", "Jediné", {}, "650");
    disc("00001", "CD1", 2);
    answerBorrower("TKomu_pujcitCD", {{"Petr", "07"}});
    struct Line
    {
        QString text;
        QColor colour;
        bool bold = false;
    };
    Line before, after;
    user.onScreen["TZapsat_pujceni_CD"] = [&](QDialog &d) {
        auto &screen = static_cast<TZapsat_pujceni_CD &>(d);
        // Each caption of the head names the box the title's value stands in.
        expectCaptionedBoxes(d,
                             {{"Label_TitulCD", "Titul CD disku :", "TitulCD", "Jediné"},
                              {"Label_Artist", "Nazpíval(a)     :", "Artist", "Zpěvák"},
                              {"Label_PoznCD", "Poznámka k hudebnímu CD:", "PoznCD", "pozn 00001"}},
                             true);
        EXPECT_EQ(screen.sizeLabel()->text(), "650 MB");
        // The title display's captions stay its own.
        EXPECT_EQ(d.findChild<QLabel *>("Label_Titul"), nullptr);
        EXPECT_EQ(d.findChild<QLabel *>("Pujceno"), nullptr);
        EXPECT_EQ(tabChain(d),
                  (QStringList{"Jdi_hned", "TitulCD", "Artist", "PoznCD", "Seznam_skladeb", "First",
                               "Prior", "Next", "Last", "Pujceni", "Zavrit_okno"}));
        QLabel *loan = screen.loanLabel();
        EXPECT_EQ(loan->objectName(), "pujceno");
        EXPECT_GT(loan->y(), screen.trackGrid()->geometry().bottom());
        before = {loan->text(), loan->palette().color(QPalette::WindowText), loan->font().bold()};
        screen.lendButton()->click();
        after = {loan->text(), loan->palette().color(QPalette::WindowText), loan->font().bold()};
    };
    run("lending.lendCd", TTitul::Cds);
    EXPECT_EQ(before.text, "Hudební CD není půjčeno ...");
    EXPECT_EQ(before.colour, QColor(Qt::black));
    EXPECT_FALSE(before.bold);
    EXPECT_EQ(after.text, "Hudební CD je půjčeno! ... ( Petr   od   " + today() + " )");
    EXPECT_EQ(after.colour, QColor(0x80, 0x00, 0x00)); // dark red
    EXPECT_TRUE(after.bold);
}

TEST_F(LendTest, TheLendingScreenAlwaysShowsTheStartOfTheFirstRecording)
{
    cassette("00001", {}, 0); // an empty cassette: every counter 0
    QString first, second;
    user.onScreen["TZapsat_pujceni"] = [&](QDialog &d) {
        first = d.findChild<QLineEdit *>("Start_Time1")->text();
        second = d.findChild<QLineEdit *>("Start_Time2")->text();
    };
    run("lending.lendCassette");
    EXPECT_EQ(first, "0");
    EXPECT_EQ(second, "");
}

TEST_F(LendTest, TheCalendarOfTheLoanDateMovesByMonthsAndYears)
{
    cassette("00001");
    QStringList hints;
    QDate picked;
    user.onScreen["CalendarDialog"] = [&](QDialog &d) {
        auto &c = static_cast<CalendarDialog &>(d);
        for (const char *name :
             {"RokZpet", "qt_calendar_prevmonth", "qt_calendar_nextmonth", "RokVpred"})
            hints << d.findChild<QToolButton *>(name)->toolTip();
        d.findChild<QToolButton *>("RokZpet")->click();
        c.calendar()->setSelectedDate(
            QDate(c.calendar()->yearShown(), c.calendar()->monthShown(), 1));
        d.accept();
    };
    user.onScreen["TKomu_pujcit"] = [&](QDialog &d) {
        auto &dialog = static_cast<TKomu_pujcit &>(d);
        dialog.nameBox()->setEditText("Eva");
        dialog.dateBox()->calendarButton()->click();
        picked = dialog.from();
        dialog.saveButton()->click();
    };
    user.onScreen["TZapsat_pujceni"] = [](QDialog &d) {
        static_cast<TZapsat_pujceni &>(d).lendButton()->click();
    };
    run("lending.lendCassette");
    EXPECT_EQ(hints,
              (QStringList{"o rok dozadu", "o měsíc dozadu", "o měsíc dopředu", "o rok dopředu"}));
    const QDate yearAgo = QDate::currentDate().addYears(-1);
    EXPECT_EQ(picked, QDate(yearAgo.year(), yearAgo.month(), 1));
    EXPECT_EQ(loanOf(ItemKind::Cassette, "00001"), "T|Eva|" + shortDate(picked) + "|7");
}

TEST_F(LendTest, TracksOfADiscKeepTheirStoredOrderAndDiscsGoByNumber)
{
    cdTitle("00001", "Pořadí");
    Table t;
    t.setPath(Paths::dataFile("cd02.dbf"));
    t.open();
    const CdTrackColumns c(t);
    for (const auto &[label, n] :
         std::vector<std::pair<QString, int>>{{"CD10", 1}, {"CD1", 2}, {"CD1", 1}, {"CD2", 1}}) {
        t.append();
        c.write(t, {"00001", label, n, label + "/" + QString::number(n), 60, "Pop", {}});
        t.post();
    }
    t.close();
    QStringList rows;
    user.onScreen["TZapsat_pujceni_CD"] = [&](QDialog &d) {
        QTableWidget *grid = static_cast<TZapsat_pujceni_CD &>(d).trackGrid();
        for (int r = 0; r < grid->rowCount(); ++r)
            rows << grid->item(r, 2)->text() + (grid->item(r, 2)->font().bold() ? "*" : "");
    };
    run("lending.lendCd", TTitul::Cds);
    EXPECT_EQ(rows, (QStringList{"CD1/2", "CD1/1*", "CD2/1*", "CD10/1*"}));
}

TEST_F(LendTest, UnreadableTracksLeaveTheTitleToLendAndTheUserIsTold)
{
    cdTitle("00001", "První");
    {
        // Another program left the track table broken.
        QFile f(Paths::dataFile("cd02.dbf"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("not a table");
    }
    QString title;
    int tracks = -1;
    bool lendable = false;
    QStringList toldBefore;
    user.onScreen["TZapsat_pujceni_CD"] = [&](QDialog &d) {
        auto &screen = static_cast<TZapsat_pujceni_CD &>(d);
        auto *titleBox = screen.findChild<QLineEdit *>("TitulCD");
        ASSERT_NE(titleBox, nullptr);
        title = titleBox->text();
        tracks = screen.trackGrid()->rowCount();
        lendable = screen.lendButton()->isEnabled();
        for (const auto &box : user.shown)
            toldBefore << box.caption + ": " + box.text;
    };
    run("lending.lendCd", TTitul::Cds);

    EXPECT_EQ(title, "První");
    EXPECT_EQ(tracks, 0);
    // The title is at home and can still be lent.
    EXPECT_TRUE(lendable);
    ASSERT_FALSE(toldBefore.isEmpty());
    EXPECT_TRUE(toldBefore.front().startsWith("Chyba: ")) << toldBefore.front().toStdString();
    EXPECT_TRUE(toldBefore.front().contains("cd02.dbf")) << toldBefore.front().toStdString();
    EXPECT_FALSE(window->tables().CD_Table2.isOpen());
}

} // namespace
} // namespace velmora::test
