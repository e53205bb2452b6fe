// The edit-title screen over real tables: loading, the changes-pending
// state, cancelling on the disc shown, saving in place with the loan kept,
// and a save that a full disk stops half-way.

#include "CdFixture.h"
#include "catalogue/CdRules.h"
#include "cds/CdTitleForm.h"
#include "cds/EditCdTitle.h"
#include "cds/TrackCountDialog.h"
#include "cds/TrackModel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QWheelEvent>
#include <csignal>
#include <sys/resource.h>

using namespace velmora;
using namespace velmora::test;

namespace {

class EditTitle : public CdFixture
{
protected:
    TOpravit_CD_disk &open()
    {
        Table &t = window->tables().CD_Table1;
        t.open();
        screen = std::make_unique<TOpravit_CD_disk>(window->session());
        screen->show();
        QApplication::processEvents();
        return *screen;
    }
    void TearDown() override
    {
        if (screen && screen->changesPending())
            screen->BitBtn3Click();
    }
    CdTitleForm &form() { return *screen->form(); }
    QPushButton *button(const char *name) { return screen->findChild<QPushButton *>(name); }
    QString cell(int row, int column)
    {
        return form().model()->index(row, column).data().toString();
    }

    std::unique_ptr<TOpravit_CD_disk> screen;
};

} // namespace

TEST_F(EditTitle, OpensOnTheHighestTitleWithItsDiscsInOrder)
{
    addTitle("00002", "Dvojka");
    addTitle("00009", "Devítka", "", {true, "Eva", "02.03.2002", 14});
    addTitle("00005", "Pětka");
    for (int d = 12; d >= 1; --d)
        addDisc("00009", discLabel(d), d == 3 ? 2 : 1);
    open();
    EXPECT_EQ(screen->windowTitle(), "Oprava existujících CD titulů v databázi ...");
    EXPECT_EQ(form().numberList()->count(), 3);
    EXPECT_EQ(form().numberList()->itemText(0), "00002");
    EXPECT_EQ(form().numberList()->currentText(), "00009");
    EXPECT_EQ(form().titleBox()->text(), "Devítka");
    ASSERT_EQ(form().tabs()->count(), 12);
    EXPECT_EQ(form().tabs()->tabText(0), "CD 1");
    EXPECT_EQ(form().tabs()->tabText(9), "CD 10");
    EXPECT_EQ(form().currentDisc(), 1);
    EXPECT_EQ(form().discCountList()->currentText(), "12");
    EXPECT_EQ(form().artistState()->text(), "Uvolněn ...");
    EXPECT_EQ(form().styleState()->text(), "Uvolněn ...");
    EXPECT_EQ(form().discTotal()->text(), "0 min 10 sek.");
    EXPECT_TRUE(button("BitBtn1")->isEnabled());
    EXPECT_FALSE(button("BitBtn2")->isEnabled());
    EXPECT_FALSE(screen->changesPending());
    form().tabs()->setCurrentIndex(11);
    EXPECT_EQ(cell(0, TrackModel::Title), "00009/CD12/1");
}

TEST_F(EditTitle, AnUnchangedTrackKeepsItsLengthAndTheLoanStays)
{
    addTitle("00001", "Jedna", "", {true, "Eva", "02.03.2002", 14});
    Table t;
    t.setPath(Paths::dataFile("cd02.dbf"));
    t.open();
    t.append();
    CdTrackColumns(t).write(t, {"00001", "CD1", 1, "Píseň", 245, "Pop", "Ona"});
    t.post();
    t.close();
    open();
    EXPECT_EQ(cell(0, TrackModel::Length), "04:05");
    // Only the format changes: pending until saved.
    form().formatList()->addItem("MP3");
    form().formatList()->setCurrentIndex(form().formatList()->findText("MP3"));
    emit form().formatList()->activated(form().formatList()->currentIndex());
    EXPECT_TRUE(screen->changesPending());
    EXPECT_FALSE(button("BitBtn1")->isEnabled());
    EXPECT_FALSE(form().numberList()->isEnabled());
    screen->reject(); // refused while pending
    EXPECT_TRUE(screen->isVisible());
    button("BitBtn2")->click();
    EXPECT_FALSE(screen->changesPending());
    EXPECT_EQ(storedTracks("00001"), QStringList{"CD1/1/Píseň/245"});
    EXPECT_EQ(dbfreadTracks("00001"), QStringList{"CD1/1/Píseň/245"});
    Table titles;
    titles.setPath(Paths::dataFile("cd01.dbf"));
    titles.open(Table::Mode::ReadOnly);
    titles.first();
    const CdTitle back = CdTitleColumns(titles).read(titles);
    EXPECT_EQ(back.format, "MP3");
    EXPECT_TRUE(back.loan.lent);
    EXPECT_EQ(back.loan.borrower, "Eva");
    EXPECT_EQ(back.loan.since, "02.03.2002");
    EXPECT_EQ(back.loan.days, 14);
}

TEST_F(EditTitle, CancelReloadsAndShowsTheSameDiscAgain)
{
    addTitle("00001", "Jedna");
    for (int d = 1; d <= 3; ++d)
        addDisc("00001", discLabel(d), 2);
    open();
    form().tabs()->setCurrentIndex(2);
    form().model()->setData(form().model()->index(0, TrackModel::Title), "Jiná");
    user.answers << true;
    form().grid()->setCurrentIndex(form().model()->index(1, TrackModel::Title));
    form().findChild<QAction *>("SmazatStopu")->trigger();
    EXPECT_TRUE(screen->changesPending());
    EXPECT_EQ(form().model()->rowCount(), 1);
    button("BitBtn3")->click();
    EXPECT_FALSE(screen->changesPending());
    EXPECT_EQ(form().currentDisc(), 3);
    EXPECT_EQ(form().model()->rowCount(), 2);
    EXPECT_EQ(cell(0, TrackModel::Title), "00001/CD3/1");
}

TEST_F(EditTitle, DeletingATrackAndSavingLeavesTheOtherDiscsAlone)
{
    addTitle("00001", "Jedna");
    addDisc("00001", "CD1", 3);
    addDisc("00001", "CD2", 4);
    addTitle("00002", "Dva");
    addDisc("00002", "CD1", 2);
    open();
    emit form().numberList()->activated(0); // title 00001
    form().tabs()->setCurrentIndex(1);
    form().grid()->setCurrentIndex(form().model()->index(1, TrackModel::Title));
    user.answers << true;
    form().findChild<QAction *>("SmazatStopu")->trigger();
    button("BitBtn2")->click();
    const QStringList expected = {"CD1/1/00001/CD1/1/10", "CD1/2/00001/CD1/2/20",
                                  "CD1/3/00001/CD1/3/30", "CD2/1/00001/CD2/1/10",
                                  "CD2/2/00001/CD2/3/30", "CD2/3/00001/CD2/4/40"};
    EXPECT_EQ(storedTracks("00001"), expected);
    EXPECT_EQ(dbfreadTracks("00001"), expected);
    EXPECT_EQ(dbfreadTracks("00002").size(), 2);
    EXPECT_EQ(form().numberList()->currentText(), "00001");
}

TEST_F(EditTitle, TheWheelMovesBetweenTitlesOnlyWithoutPendingChanges)
{
    addTitle("00001", "Jedna");
    addTitle("00002", "Dva");
    open();
    auto wheel = [this](int dy) {
        QWheelEvent e(QPointF(4, 4), screen->mapToGlobal(QPointF(4, 4)), QPoint(), QPoint(0, dy),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(screen.get(), &e);
    };
    wheel(120); // away from the user: the previous title
    EXPECT_EQ(form().titleBox()->text(), "Jedna");
    wheel(120); // not beyond the first
    EXPECT_EQ(form().numberList()->currentText(), "00001");
    form().titleBox()->setText("x");
    emit form().titleBox()->textEdited("x");
    wheel(-120);
    EXPECT_EQ(form().numberList()->currentText(), "00001");
}

TEST_F(EditTitle, AFullDiskStopsTheSaveAndTheTitleKeepsItsOldTracks)
{
    addTitle("00001", "Jedna");
    addDisc("00001", "CD1", 2);
    open();
    user.onScreen["TKolik_CDs2"] = [](QDialog &d) {
        d.findChild<QAbstractButton *>("Rucne")->click();
        d.findChild<QComboBox *>("Pocet_skladeb")->setCurrentIndex(39);
        d.findChild<QPushButton *>("Zapsat")->click();
    };
    form().findChild<QAction *>("ZmenitPocetStop")->trigger();
    ASSERT_EQ(form().model()->rowCount(), 40);
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit full = old;
    full.rlim_cur = rlim_t(QFileInfo(Paths::dataFile("cd02.dbf")).size() + 5 * 127);
    setrlimit(RLIMIT_FSIZE, &full);
    button("BitBtn2")->click();
    setrlimit(RLIMIT_FSIZE, &old);
    ASSERT_FALSE(user.shown.isEmpty());
    EXPECT_EQ(user.shown.last().caption, "Chyba:");
    EXPECT_TRUE(user.shown.last().text.startsWith("Titul se nepodařilo uložit, databáze zůstala"));
    EXPECT_TRUE(screen->changesPending()); // the edits are still there
    EXPECT_EQ(dbfreadTracks("00001"),
              (QStringList{"CD1/1/00001/CD1/1/10", "CD1/2/00001/CD1/2/20"}));
    button("BitBtn2")->click();
    EXPECT_EQ(dbfreadTracks("00001").size(), 40);
}

TEST_F(EditTitle, ADateTheBoxCannotShowIsKeptUnlessTheUserChangesIt)
{
    addTitle("00001", "Jedna");
    {
        Table t;
        t.setPath(Paths::dataFile("cd01.dbf"));
        t.open();
        t.first();
        t.edit();
        t.setString("Porizeno", "jaro 2002");
        t.post();
    }
    addDisc("00001", "CD1", 1);
    open();
    EXPECT_EQ(screen->findChild<QDialog *>("Kolik_CDs2"),
              static_cast<QDialog *>(form().countDialog()));
    form().titleBox()->setText("Jiná");
    emit form().titleBox()->textEdited("Jiná");
    button("BitBtn2")->click();
    Table titles;
    titles.setPath(Paths::dataFile("cd01.dbf"));
    titles.open(Table::Mode::ReadOnly);
    titles.first();
    EXPECT_EQ(titles.asString("TitulCD"), "Jiná");
    EXPECT_EQ(titles.asString("Porizeno"), "jaro 2002");
}

TEST_F(EditTitle, ATitleWithoutTracksOpensOnDiscOneAndKeepsTheTracksAddedThere)
{
    addTitle("00001", "Prázdný");
    open();
    ASSERT_EQ(form().tabs()->count(), 1);
    EXPECT_EQ(form().tabs()->tabText(0), "CD 1");
    EXPECT_EQ(form().discCountList()->currentText(), "1");
    EXPECT_EQ(form().model()->rowCount(), 0);
    EXPECT_EQ(form().trackCount()->text(), "0");
    EXPECT_EQ(form().findChild<QAction *>("ZmenitPocetStop")->text(),
              "Změnit počet nastavených stop na nastaveném disku: CD 1");
    EXPECT_FALSE(screen->changesPending());
    user.onScreen["TKolik_CDs2"] = [](QDialog &d) {
        d.findChild<QAbstractButton *>("Rucne")->click();
        d.findChild<QComboBox *>("Pocet_skladeb")->setCurrentIndex(2);
        d.findChild<QPushButton *>("Zapsat")->click();
    };
    form().findChild<QAction *>("ZmenitPocetStop")->trigger();
    EXPECT_EQ(form().model()->rowCount(), 3);
    EXPECT_TRUE(screen->changesPending());
    button("BitBtn2")->click();
    const QStringList expected{"CD1/1/Stopa 1/0", "CD1/2/Stopa 2/0", "CD1/3/Stopa 3/0"};
    EXPECT_EQ(storedTracks("00001"), expected);
    EXPECT_EQ(dbfreadTracks("00001"), expected);
    // Loaded again after the save: on its disc 1.
    ASSERT_EQ(form().tabs()->count(), 1);
    EXPECT_EQ(form().tabs()->tabText(0), "CD 1");
    EXPECT_EQ(form().model()->rowCount(), 3);
}

TEST_F(EditTitle, TheTitleWideArtistAndStyleReachDiscsNotShownBeforeTheSave)
{
    addTitle("00001", "Tři disky", "Pavel");
    addDisc("00001", "CD1", 2);
    addDisc("00001", "CD2", 3);
    addDisc("00001", "CD3", 1);
    open();
    // On disc 1 only: the artist box on with a new artist, and a style.
    QCheckBox *allOne = form().allOneArtist();
    allOne->click();
    EXPECT_EQ(form().artistState()->text(), "Blokován !");
    form().artistBox()->setText("Marta");
    emit form().artistBox()->editingFinished();
    form().styleList()->setCurrentIndex(form().styleList()->findText("Disko"));
    emit form().styleList()->activated(form().styleList()->currentIndex());
    EXPECT_EQ(form().styleState()->text(), "Blokován !");
    EXPECT_EQ(form().currentDisc(), 1);
    EXPECT_TRUE(screen->changesPending());
    button("BitBtn2")->click();
    EXPECT_FALSE(screen->changesPending());
    const QStringList expected{"CD1/1/Marta/Disko", "CD1/2/Marta/Disko", "CD2/1/Marta/Disko",
                               "CD2/2/Marta/Disko", "CD2/3/Marta/Disko", "CD3/1/Marta/Disko"};
    EXPECT_EQ(dbfreadArtistsAndStyles("00001"), expected);
}
