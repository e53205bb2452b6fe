// The track grid from the keyboard: lengths typed into the cells, checked
// when the cell is left, and the grid's menu opened with Shift+F10 or the
// menu key at the current cell, read back as a screen reader sees it.

#include "CdFixture.h"
#include "catalogue/CdRules.h"
#include "cds/CdTitleForm.h"
#include "cds/EditCdTitle.h"
#include "cds/NewCdTitle.h"
#include "cds/TrackCountDialog.h"
#include "cds/TrackModel.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

class TrackGrid : public CdFixture
{
protected:
    // The new-title screen, active, with the tracks given on disc 1.
    void openNew(int tracks)
    {
        newScreen = std::make_unique<TNovy_CD_disk>(window->session());
        show(*newScreen, *newScreen->form());
        if (tracks > 1) {
            user.onScreen["TKolik_CDs"] = byHand(tracks);
            form->trackCountAction();
            // The dialog took the activation with it.
            newScreen->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(newScreen.get()));
            grid()->setFocus();
        }
    }
    void show(QWidget &screen, CdTitleForm &f)
    {
        form = &f;
        screen.show();
        screen.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
        grid()->setFocus();
        QApplication::processEvents();
    }
    QTableView *grid() { return form->grid(); }
    QString cell(int row, int column)
    {
        return form->model()->index(row, column).data().toString();
    }
    void goTo(int row, int column)
    {
        grid()->setCurrentIndex(form->model()->index(row, column));
        grid()->setFocus();
    }
    // Types text into the length cell of a row as the user does: the first
    // key opens the editor, the rest go into it, and a key leaves the cell.
    void typeLength(int row, const QString &text, Qt::Key leave = Qt::Key_Return)
    {
        goTo(row, TrackModel::Length);
        if (text.isEmpty()) {
            QTest::keyClick(grid(), Qt::Key_F2);
        } else {
            QTest::keyClicks(grid(), text.left(1));
        }
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr) << text.toStdString();
        if (text.isEmpty()) {
            editor->selectAll();
            QTest::keyClick(editor, Qt::Key_Backspace);
        } else {
            QTest::keyClicks(editor, text.mid(1));
        }
        QTest::keyClick(editor, leave);
        QApplication::processEvents();
        QApplication::processEvents();
    }
    QMenu *popup() { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); }
    // The menu stands right under the cell's left edge, moved to the left
    // only as far as the screen makes it.
    void expectUnderCell(int row, int column)
    {
        ASSERT_NE(popup(), nullptr);
        const QPoint at = grid()->viewport()->mapToGlobal(
            grid()->visualRect(form->model()->index(row, column)).bottomLeft());
        const QRect menu = popup()->geometry();
        EXPECT_EQ(menu.top(), at.y());
        EXPECT_LE(menu.left(), at.x());
        EXPECT_TRUE(menu.left() == at.x() ||
                    menu.right() >= popup()->screen()->availableGeometry().right() - 1)
            << menu.left() << " " << menu.right() << " " << at.x();
    }
    void closePopups()
    {
        while (QWidget *p = QApplication::activePopupWidget())
            p->close();
    }
    void TearDown() override
    {
        closePopups();
        if (editScreen && editScreen->changesPending())
            editScreen->BitBtn3Click();
    }

    CdTitleForm *form = nullptr;
    std::unique_ptr<TNovy_CD_disk> newScreen;
    std::unique_ptr<TOpravit_CD_disk> editScreen;
};

const QString kRefusedEnd = QStringLiteral("\r\nDélka zůstala beze změny. Lze ji zapsat také "
                                           "jako m:ss nebo mmss (například 3:25 nebo 0325).");

} // namespace

TEST(TypedLength, TheThreeFormsAreKeptAsTwoDigitsAndEverythingElseIsRefused)
{
    const QList<std::pair<const char *, const char *>> accepted{
        {"0325", "03:25"},  {"3:25", "03:25"}, {"03:25", "03:25"}, {"9:59", "09:59"},
        {"99:59", "99:59"}, {"0:00", "00:00"}, {"0000", "00:00"},  {" 4:05 ", "04:05"},
        {"1234", "12:34"},  {"9959", "99:59"}};
    for (const auto &[typed, stored] : accepted)
        EXPECT_EQ(typedLength(QString::fromUtf8(typed)).value_or("<refused>"), stored) << typed;
    for (const char *bad : {"",      " ",      "3:60",  "0360",  "99:99", "325",    "3:5",   "03:5",
                            "12345", "100:00", "3 25",  "3: 25", "03.25", "3-25",   "ab:cd", "3:2a",
                            ":25",   "3:",     "-3:25", "+325",  "٠٣:٢٥", "３:２５"})
        EXPECT_FALSE(typedLength(QString::fromUtf8(bad)).has_value()) << bad;
}

TEST_F(TrackGrid, ATypedLengthIsStoredInItsTwoDigitFormAndTheTotalFollows)
{
    openNew(3);
    ASSERT_TRUE(form->lockTime()->isChecked()); // the cells, not the dialog
    typeLength(0, "0325");
    EXPECT_EQ(cell(0, TrackModel::Length), "03:25");
    EXPECT_EQ(form->discTotal()->text(), "3 min 25 sek.");
    typeLength(1, "3:25", Qt::Key_Tab);
    EXPECT_EQ(cell(1, TrackModel::Length), "03:25");
    EXPECT_EQ(form->discTotal()->text(), "6 min 50 sek.");
    typeLength(2, "99:59");
    EXPECT_EQ(form->discTotal()->text(), "106 min 49 sek.");
    typeLength(2, "9:59");
    EXPECT_EQ(cell(2, TrackModel::Length), "09:59");
    EXPECT_EQ(form->discTotal()->text(), "16 min 49 sek.");
    typeLength(0, "0:00");
    EXPECT_EQ(cell(0, TrackModel::Length), "00:00");
    EXPECT_EQ(form->discTotal()->text(), "13 min 24 sek.");
    EXPECT_TRUE(user.shown.isEmpty());

    // Saved as the seconds of the two-digit form.
    newScreen->findChild<QPushButton *>("BitBtn2")->click();
    EXPECT_EQ(titleCount(), 1);
    EXPECT_EQ(dbfreadTracks("00001"),
              (QStringList{"CD1/1/Stopa 1/0", "CD1/2/Stopa 2/205", "CD1/3/Stopa 3/599"}));
}

TEST_F(TrackGrid, ABadLengthIsRefusedWhenTheCellIsLeftAndTheCellOpensAgainWithIt)
{
    openNew(2);
    typeLength(0, "0412");
    typeLength(1, "1:01");
    ASSERT_EQ(form->discTotal()->text(), "5 min 13 sek.");
    int told = 0;
    for (const QString &bad : {QStringLiteral("7:60"), QStringLiteral("325"),
                               QStringLiteral("3 25"), QStringLiteral("ab:cd"), QString()}) {
        typeLength(1, bad);
        ASSERT_EQ(user.shown.size(), ++told) << bad.toStdString();
        EXPECT_EQ(user.shown.last().kind, MessageKind::Warning);
        EXPECT_EQ(user.shown.last().caption, "Upozornění:");
        EXPECT_EQ(user.shown.last().text,
                  "Délka skladby číslo 2 na disku CD 1 (\"" + bad +
                      "\") není zapsána jako minuty:sekundy (dvě číslice, dvojtečka, dvě "
                      "číslice, sekundy nejvýše 59)." +
                      kRefusedEnd);
        // The cell keeps its length, the total with it, and the user is back
        // in the cell with what was typed.
        EXPECT_EQ(cell(1, TrackModel::Length), "01:01");
        EXPECT_EQ(form->discTotal()->text(), "5 min 13 sek.");
        EXPECT_EQ(grid()->currentIndex(), form->model()->index(1, TrackModel::Length));
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->text(), bad);
        QTest::keyClick(editor, Qt::Key_Escape);
        QApplication::processEvents();
    }
    // Put right in the reopened cell: "7:0" is refused, one more digit
    // makes it a length.
    typeLength(1, "7:0");
    ASSERT_EQ(user.shown.size(), ++told);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, '5');
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(cell(1, TrackModel::Length), "07:05");
    EXPECT_EQ(form->discTotal()->text(), "11 min 17 sek.");
    EXPECT_EQ(user.shown.size(), told);
}

// The refusal is told once the editor has gone; a disc chosen in between
// does not turn it into a refusal of the other disc's track.
TEST_F(TrackGrid, ARefusalToldAfterAnotherDiscWasChosenNamesTheTrackTyped)
{
    openNew(2);
    form->discCountChosen(2);
    ASSERT_EQ(form->tabs()->count(), 2);
    form->tabs()->setCurrentIndex(0);
    QApplication::processEvents();
    goTo(1, TrackModel::Length);
    QTest::keyClicks(grid(), "9");
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "99");
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor hands its text over on the next turn of the event loop; the
    // refusal is told on the turn after, when the user may have gone on.
    QApplication::processEvents();
    ASSERT_TRUE(user.shown.isEmpty());
    form->tabs()->setCurrentIndex(1);
    QApplication::processEvents();
    QApplication::processEvents();
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_TRUE(user.shown[0].text.startsWith("Délka skladby číslo 2 na disku CD 1 (\"999\")"))
        << user.shown[0].text.toStdString();
    // Disc 2 is shown and no cell of it was opened for the other's text.
    EXPECT_EQ(form->tabs()->currentIndex(), 1);
    EXPECT_EQ(qobject_cast<QLineEdit *>(QApplication::focusWidget()), nullptr);
}

TEST_F(TrackGrid, ALengthRefusedByTheClickOnSaveKeepsTheTitleUnsaved)
{
    openNew(1);
    goTo(0, TrackModel::Length);
    QTest::keyClicks(grid(), "7");
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, ":61");
    // The click moves the focus to the button first: the cell is left there.
    auto *save = newScreen->findChild<QPushButton *>("BitBtn2");
    QTest::mouseClick(save, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(titleCount(), 0);
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_TRUE(user.shown[0].text.endsWith(kRefusedEnd)) << user.shown[0].text.toStdString();
    EXPECT_EQ(cell(0, TrackModel::Length), "00:00");
}

TEST_F(TrackGrid, TheEditScreenTakesTypedLengthsTooAndCountsThemAsChanges)
{
    addTitle("00004", "Čtyřka");
    addDisc("00004", "CD1", 2); // 10 and 20 seconds
    window->tables().CD_Table1.open();
    editScreen = std::make_unique<TOpravit_CD_disk>(window->session());
    show(*editScreen, *editScreen->form());
    ASSERT_FALSE(editScreen->changesPending());
    typeLength(1, "1005");
    EXPECT_EQ(cell(1, TrackModel::Length), "10:05");
    EXPECT_EQ(form->discTotal()->text(), "10 min 15 sek.");
    EXPECT_TRUE(editScreen->changesPending());
    editScreen->findChild<QPushButton *>("BitBtn2")->click();
    EXPECT_FALSE(editScreen->changesPending());
    EXPECT_EQ(storedTracks("00004"),
              (QStringList{"CD1/1/00004/CD1/1/10", "CD1/2/00004/CD1/2/605"}));
}

TEST_F(TrackGrid, ShiftF10OpensTheMenuAtTheCurrentCellAndItsChoiceWorks)
{
    openNew(3);
    goTo(1, TrackModel::Title);
    QTest::keyClick(grid(), Qt::Key_F10, Qt::ShiftModifier);
    QMenu *menu = popup();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu, form->gridMenu());
    EXPECT_EQ(menu->objectName(), "PopupMenu1");
    expectUnderCell(1, TrackModel::Title);
    // The first entry stands ready, as the default one.
    ASSERT_NE(menu->activeAction(), nullptr);
    EXPECT_EQ(menu->activeAction()->objectName(), "ZmenitPocetStop");

    // What a screen reader is given: a pop-up menu with its name and the
    // five entries by their texts.
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(menu);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::PopupMenu);
    EXPECT_EQ(a->text(QAccessible::Name), "Nabídka stop a disků");
    EXPECT_FALSE(a->state().invisible);
    ASSERT_EQ(a->childCount(), 5);
    EXPECT_EQ(a->child(0)->text(QAccessible::Name),
              "Změnit počet nastavených stop na nastaveném disku: CD 1");
    EXPECT_EQ(a->child(1)->text(QAccessible::Name),
              "Vložit novou stopu před nastavený záznam a přečíslovat CD ...");
    EXPECT_EQ(a->child(2)->text(QAccessible::Name),
              "Smazat nastavenou stopu a přečíslovat disk ...");
    EXPECT_EQ(a->child(4)->text(QAccessible::Name),
              "Smazat nastavený CD-disk a přečíslovat následující disky ...");
    EXPECT_FALSE(grid()->accessibleDescription().isEmpty());

    // Down to "Vložit novou stopu ..." and Enter: a track before track 2.
    QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(popup(), nullptr);
    EXPECT_EQ(cell(1, TrackModel::Title), "Nová Stopa !");
    EXPECT_EQ(cell(2, TrackModel::Title), "Stopa 2");
    EXPECT_EQ(form->trackCount()->text(), "4");
}

TEST_F(TrackGrid, TheMenuKeyOpensTheMenuAtTheCurrentCellAlsoByTheDesktopsEvent)
{
    openNew(3);
    goTo(2, TrackModel::Artist);
    QTest::keyClick(grid(), Qt::Key_Menu);
    ASSERT_EQ(popup(), form->gridMenu());
    expectUnderCell(2, TrackModel::Artist);
    // Esc closes it and changes nothing.
    QTest::keyClick(popup(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(popup(), nullptr);
    EXPECT_EQ(form->trackCount()->text(), "3");

    // The desktop sends the menu key as a context-menu event at the mouse
    // pointer: the menu still opens at the cell.
    goTo(0, TrackModel::Title);
    QContextMenuEvent desktops(QContextMenuEvent::Keyboard, QPoint(5, 5),
                               grid()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(grid(), &desktops);
    ASSERT_EQ(popup(), form->gridMenu());
    expectUnderCell(0, TrackModel::Title);
    // "Smazat nastavenou stopu ...": asked through the usual question, Yes.
    QTest::keyClick(popup(), Qt::Key_Down);
    QTest::keyClick(popup(), Qt::Key_Down);
    QTest::keyClick(popup(), Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].text, "Opravdu chcete smazat nastavenou stopu číslo: \"1\" ?");
    EXPECT_EQ(form->trackCount()->text(), "2");
    EXPECT_EQ(cell(0, TrackModel::Title), "Stopa 2");
}
