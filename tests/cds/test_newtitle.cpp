// The new-title screen over real tables: a title of two discs, one read
// from a disc image and one typed by hand, the grid's actions with their
// questions, the length dialog, and the stored rows read back by dbfread.

#include "CdFixture.h"
#include "catalogue/CdRules.h"
#include "cds/CdAudio.h"
#include "cds/CdTitleForm.h"
#include "cds/EditCdTitle.h"
#include "cds/NewCdTitle.h"
#include "cds/TrackCountDialog.h"
#include "cds/TrackLengthDialog.h"
#include "cds/TrackModel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

ScriptedAnswerer::ScreenAction fromImage()
{
    return [](QDialog &d) {
        auto &k = static_cast<TKolik_CDs &>(d);
        k.readChoice()->click();
        k.driveList()->setCurrentIndex(k.driveList()->findText(kImageEntry));
        k.confirmButton()->click();
    };
}

class NewTitle : public CdFixture
{
protected:
    TNovy_CD_disk &open()
    {
        screen = std::make_unique<TNovy_CD_disk>(window->session());
        screen->show();
        QApplication::processEvents();
        return *screen;
    }
    CdTitleForm &form() { return *screen->form(); }
    QStringList grid()
    {
        QStringList out;
        TrackModel *m = form().model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, 0).data().toString() + ' ' + m->index(r, 1).data().toString() + ' ' +
                       m->index(r, 2).data().toString();
        return out;
    }
    QAction *action(const char *name) { return form().findChild<QAction *>(name); }
    void tab(int disc) { form().tabs()->setCurrentIndex(disc - 1); }

    std::unique_ptr<TNovy_CD_disk> screen;
};

} // namespace

TEST_F(NewTitle, StartsWithOneDiscOneTrackAndTheNextNumber)
{
    open();
    EXPECT_EQ(screen->windowTitle(), "Vložení nového hudebního CD titulu ...");
    EXPECT_EQ(form().numberList()->currentText(), "00001");
    EXPECT_EQ(form().sizeList()->currentText(), "700");
    EXPECT_EQ(form().formatList()->currentText(), "Originální CD");
    EXPECT_EQ(form().styleList()->currentText(), kNoStyle);
    EXPECT_EQ(form().tabs()->count(), 1);
    EXPECT_EQ(form().tabs()->tabText(0), "CD 1");
    EXPECT_EQ(grid(), QStringList{"1 Stopa 1 00:00"});
    EXPECT_EQ(form().artistState()->text(), "Blokován !");
    EXPECT_EQ(form().styleState()->text(), "Uvolněn ...");
    EXPECT_TRUE(form().lockTime()->isChecked());
    EXPECT_EQ(form().trackCount()->text(), "1");
    EXPECT_EQ(action("ZmenitPocetStop")->text(),
              "Změnit počet nastavených stop na nastaveném disku: CD 1");
    EXPECT_EQ(action("VlozitDisk")->text(), "Vytvořit nový CD-disk před nastavený disk: CD 1");
    EXPECT_TRUE(screen->findChild<QPushButton *>("BitBtn2")->isDefault());
    // The total speaks its value; its caption describes it.
    EXPECT_EQ(form().discTotal()->text(), "0 min 00 sek.");
    EXPECT_TRUE(form().discTotal()->accessibleName().isEmpty());
    EXPECT_EQ(form().discTotal()->accessibleDescription(), "Čas disku");
}

TEST_F(NewTitle, ATitleOfTwoDiscsOneReadFromAnImageOneByHand)
{
    addTitle("00001", "Starší");
    const QString cue = writeCueImage(env.dataDir(), "album", {{frames(3, 59, 74)}, {frames(4, 7)}},
                                      "Živě", "Kapela");
    open();
    EXPECT_EQ(form().numberList()->currentText(), "00002");
    // Disc 1 from the image, chosen through the dialog's last entry.
    user.openFiles << cue;
    user.onScreen["TKolik_CDs"] = fromImage();
    action("ZmenitPocetStop")->trigger();
    EXPECT_EQ(grid(), (QStringList{"1 Stopa 1 03:59", "2 Stopa 2 04:07"}));
    EXPECT_EQ(form().titleBox()->text(), "Živě"); // offered from CD-Text
    EXPECT_EQ(form().artistBox()->text(), "Kapela");
    EXPECT_EQ(form().discTotal()->text(), "8 min 06 sek.");
    // Disc 2 typed by hand: raising the count adds a tab that asks on showing.
    emit form().discCountList()->activated(1);
    ASSERT_EQ(form().tabs()->count(), 2);
    user.onScreen["TKolik_CDs"] = byHand(3);
    tab(2);
    EXPECT_EQ(grid(), (QStringList{"1 Stopa 1 00:00", "2 Stopa 2 00:00", "3 Stopa 3 00:00"}));
    EXPECT_EQ(form().trackCount()->text(), "3");
    // The length dialog opens on entering the column with the lock off.
    form().lockTime()->setChecked(false);
    user.onScreen["TZapis_Delku"] = [](QDialog &d) {
        auto &l = static_cast<TZapis_Delku &>(d);
        EXPECT_EQ(l.trackNumber()->text(), "1");
        l.minutes()->setText("7");
        l.seconds()->setText("5");
        l.findChild<QPushButton *>("Zapsat")->click();
    };
    form().grid()->setCurrentIndex(form().model()->index(0, TrackModel::Title));
    form().grid()->setCurrentIndex(form().model()->index(0, TrackModel::Length));
    EXPECT_EQ(grid().first(), "1 Stopa 1 07:05");
    EXPECT_EQ(form().grid()->currentIndex().column(), int(TrackModel::Artist));

    screen->findChild<QPushButton *>("BitBtn2")->click();
    EXPECT_EQ(titleCount(), 2);
    const QStringList stored = {"CD1/1/Stopa 1/239", "CD1/2/Stopa 2/247", "CD2/1/Stopa 1/425",
                                "CD2/2/Stopa 2/0", "CD2/3/Stopa 3/0"};
    EXPECT_EQ(storedTracks("00002"), stored);
    EXPECT_EQ(dbfreadTracks("00002"), stored);
    // Ready for the next title.
    EXPECT_EQ(form().numberList()->currentText(), "00003");
    EXPECT_EQ(form().tabs()->count(), 1);
    EXPECT_EQ(grid(), QStringList{"1 Stopa 1 00:00"});
    EXPECT_EQ(form().discTotal()->text(), "0 min 00 sek.");
    EXPECT_TRUE(form().titleBox()->text().isEmpty());
    screen->reject();

    // The edit screen shows the stored 425 seconds as 07:05 again.
    window->tables().CD_Table1.open();
    TOpravit_CD_disk edit(window->session());
    edit.show();
    QApplication::processEvents();
    EXPECT_EQ(edit.form()->numberList()->currentText(), "00002");
    EXPECT_EQ(edit.form()->titleBox()->text(), "Živě");
    edit.form()->tabs()->setCurrentIndex(1);
    EXPECT_EQ(edit.form()->model()->index(0, TrackModel::Length).data().toString(), "07:05");
    EXPECT_EQ(edit.form()->discTotal()->text(), "7 min 05 sek.");
    edit.reject();
    window->tables().CD_Table1.close();
}

TEST_F(NewTitle, ADataImageBringsTheDialogBack)
{
    const QString data = writeCueImage(env.dataDir(), "data", {{frames(1, 0), false}});
    open();
    int shown = 0;
    user.openFiles << data;
    user.onScreen["TKolik_CDs"] = [&](QDialog &d) {
        if (++shown == 1)
            fromImage()(d);
        else
            d.reject(); // "&Zavřít" on the second showing
    };
    action("ZmenitPocetStop")->trigger();
    EXPECT_EQ(shown, 2);
    EXPECT_TRUE(user.texts().join('|').contains("neobsahuje vložený hudební disk"));
    EXPECT_EQ(grid(), QStringList{"1 Stopa 1 00:00"}); // the disc is left as it was
}

TEST_F(NewTitle, GridActionsAskFirstAndKeepTheNumbering)
{
    open();
    user.onScreen["TKolik_CDs"] = byHand(4);
    action("ZmenitPocetStop")->trigger();
    // Insert before track 2 of 4: no question.
    form().grid()->setCurrentIndex(form().model()->index(1, TrackModel::Title));
    action("VlozitStopu")->trigger();
    EXPECT_EQ(grid(), (QStringList{"1 Stopa 1 00:00", "2 Nová Stopa ! 00:00", "3 Stopa 2 00:00",
                                   "4 Stopa 3 00:00", "5 Stopa 4 00:00"}));
    EXPECT_TRUE(user.shown.isEmpty());
    // Fewer tracks by hand asks; Yes cuts from the end.
    user.onScreen["TKolik_CDs"] = byHand(3);
    user.answers << true;
    action("ZmenitPocetStop")->trigger();
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Upozornění:");
    EXPECT_EQ(user.shown[0].text, "Tato operace je nevratná! Opravdu chcete snížit počet stop z "
                                  "počtu\"5\" na \"3\" ?\r\n\r\nRušit stopy budu od konce !");
    EXPECT_EQ(form().model()->rowCount(), 3);
    // Deleting track 2 asks and renumbers.
    form().grid()->setCurrentIndex(form().model()->index(1, TrackModel::Title));
    user.answers << true;
    action("SmazatStopu")->trigger();
    EXPECT_EQ(user.shown.last().text, "Opravdu chcete smazat nastavenou stopu číslo: \"2\" ?");
    EXPECT_EQ(grid(), (QStringList{"1 Stopa 1 00:00", "2 Stopa 2 00:00"}));
}

TEST_F(NewTitle, DiscsAreInsertedBeforeTheCurrentOneAndReducedOnlyOnYes)
{
    open();
    // Three discs, each with one named track.
    emit form().discCountList()->activated(2);
    user.onScreen["TKolik_CDs"] = [](QDialog &d) { d.reject(); };
    for (int d = 1; d <= 3; ++d) {
        tab(d);
        form().model()->setData(form().model()->index(0, TrackModel::Title),
                                QStringLiteral("D%1").arg(d));
    }
    tab(2);
    user.answers << true;
    action("VlozitDisk")->trigger();
    EXPECT_EQ(user.shown.last().text, "Opravdu chcete vložit disk do titulu před nastavený disk: "
                                      "CD 2 a ostatní posunout a přečíslovat ?");
    EXPECT_EQ(user.screens.last(), "TKolik_CDs"); // for the new, empty disc 2
    ASSERT_EQ(form().tabs()->count(), 4);
    EXPECT_EQ(form().currentDisc(), 2);
    EXPECT_EQ(grid(), QStringList{"1 Stopa 1 00:00"});
    tab(3);
    EXPECT_EQ(grid(), QStringList{"1 D2 00:00"});
    tab(4);
    EXPECT_EQ(grid(), QStringList{"1 D3 00:00"});
    // 4 -> 2 answered No keeps four discs and shows disc 1.
    user.answers << false;
    emit form().discCountList()->activated(1);
    EXPECT_EQ(user.shown.last().text,
              "Tato operace je nevratná! Opravdu chcete snížit počet disků z počtu \"4\" na \"2\" "
              "?\r\n\r\nPočet disků, které zůstanou (počítaje od disku 1): 2");
    EXPECT_EQ(form().tabs()->count(), 4);
    EXPECT_EQ(form().currentDisc(), 1);
    EXPECT_EQ(form().discCountList()->currentText(), "4");
    // Deleting disc 1 moves the others back.
    user.answers << true;
    action("SmazatDisk")->trigger();
    EXPECT_EQ(form().tabs()->count(), 3);
    EXPECT_EQ(grid(), QStringList{"1 Stopa 1 00:00"}); // former disc 2
}

TEST_F(NewTitle, TheLastTrackAndTheLastDiscStay)
{
    open();
    action("SmazatStopu")->trigger();
    action("SmazatDisk")->trigger();
    ASSERT_EQ(user.shown.size(), 2);
    EXPECT_EQ(user.shown[0].text,
              "Nelze smazat stopu na disku, pokud je poslední existující hudební stopou!");
    EXPECT_EQ(user.shown[1].text, "POZOR: Nemůžete smazat CD-disk, pokud je posledním hudebním "
                                  "diskem v nastaveném titulu !");
    EXPECT_EQ(grid(), QStringList{"1 Stopa 1 00:00"});
}

TEST_F(NewTitle, TitleWideArtistAndStyleFillAndLockTheirColumns)
{
    window->tables().Users_04.open();
    window->tables().Users_04.append();
    window->tables().Users_04.setString(0, "Rock");
    window->tables().Users_04.post();
    window->tables().Users_04.close();
    open();
    form().artistBox()->setText("Marta");
    emit form().artistBox()->editingFinished();
    form().styleList()->setCurrentIndex(form().styleList()->findText("Rock"));
    emit form().styleList()->activated(form().styleList()->currentIndex());
    EXPECT_EQ(form().styleState()->text(), "Blokován !");
    const QModelIndex style = form().model()->index(0, TrackModel::Style);
    EXPECT_EQ(style.data().toString(), "Rock");
    EXPECT_FALSE(form().model()->flags(style) & Qt::ItemIsEditable);
    EXPECT_EQ(form().model()->index(0, TrackModel::Artist).data().toString(), "Marta");
    // A hand-typed length that is no "mm:ss" is refused before anything is written.
    form().model()->setData(form().model()->index(0, TrackModel::Length), "7:5");
    screen->findChild<QPushButton *>("BitBtn2")->click();
    EXPECT_TRUE(user.texts().last().startsWith("Délka skladby číslo 1 na disku CD 1 (\"7:5\")"));
    EXPECT_EQ(titleCount(), 0);
    form().model()->setData(form().model()->index(0, TrackModel::Length), "07:05");
    screen->findChild<QPushButton *>("BitBtn2")->click();
    EXPECT_EQ(titleCount(), 1);
    Table t;
    t.setPath(Paths::dataFile("cd02.dbf"));
    t.open(Table::Mode::ReadOnly);
    t.first();
    const CdTrack saved = CdTrackColumns(t).read(t);
    EXPECT_EQ(saved.style, "Rock");
    EXPECT_EQ(saved.artist, "Marta");
    EXPECT_EQ(saved.seconds, 425);
}

TEST_F(NewTitle, TheTitleWideArtistAndStyleReachDiscsNotShownBeforeTheSave)
{
    open();
    // Three discs, each given its tracks when first shown.
    emit form().discCountList()->activated(2);
    user.onScreen["TKolik_CDs"] = byHand(2);
    tab(2);
    user.onScreen["TKolik_CDs"] = byHand(3);
    tab(3);
    tab(1);
    // Back on disc 1: a style for the title, and the artist typed into the
    // box, which still has the focus when the title is saved.
    form().styleList()->setCurrentIndex(form().styleList()->findText("Disko"));
    emit form().styleList()->activated(form().styleList()->currentIndex());
    QTest::keyClicks(form().artistBox(), "Marta");
    EXPECT_EQ(form().artistState()->text(), "Blokován !");
    EXPECT_EQ(form().styleState()->text(), "Blokován !");
    screen->findChild<QPushButton *>("BitBtn2")->click();
    EXPECT_EQ(titleCount(), 1);
    const QStringList expected{"CD1/1/Marta/Disko", "CD2/1/Marta/Disko", "CD2/2/Marta/Disko",
                               "CD3/1/Marta/Disko", "CD3/2/Marta/Disko", "CD3/3/Marta/Disko"};
    EXPECT_EQ(dbfreadArtistsAndStyles("00001"), expected);
}

TEST_F(NewTitle, AnEnhancedCdGivesItsSongsAndATrackWithoutLengthBringsTheDialogBack)
{
    // Two songs, then a data session: the second song is 4:00 long.
    const QString enhanced =
        writeCueImage(env.dataDir(), "enhanced",
                      {{frames(3, 10)}, {frames(4, 0, 30)}, {frames(8, 0), false, QString(), 2}});
    const QString broken =
        writeCueImage(env.dataDir(), "broken", {{frames(1, 0)}, {0}, {frames(1, 0)}});
    open();
    user.openFiles << enhanced;
    user.onScreen["TKolik_CDs"] = fromImage();
    action("ZmenitPocetStop")->trigger();
    EXPECT_EQ(grid(), (QStringList{"1 Stopa 1 03:10", "2 Stopa 2 04:00"}));
    EXPECT_EQ(form().discTotal()->text(), "7 min 10 sek.");
    EXPECT_TRUE(user.shown.isEmpty());

    int shown = 0;
    user.openFiles << broken;
    user.onScreen["TKolik_CDs"] = [&](QDialog &d) {
        if (++shown == 1)
            fromImage()(d);
        else
            d.reject();
    };
    action("ZmenitPocetStop")->trigger();
    EXPECT_EQ(shown, 2);
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].text,
              "Délku stopy číslo 2 nelze zjistit, načtení z disku bylo přerušeno.");
    // The songs read before stay as they were.
    EXPECT_EQ(grid(), (QStringList{"1 Stopa 1 03:10", "2 Stopa 2 04:00"}));
}
