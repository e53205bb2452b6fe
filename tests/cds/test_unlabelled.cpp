// Tracks stored without a disc label, as another dBASE writer (or an older
// edit of a title without tracks) leaves them: the edit screen, the show
// screen and the list of CD titles read them as the tracks of disc 1, and
// the edit screen stores them so again.

#include "CdFixture.h"
#include "cds/CdTitleDisplay.h"
#include "cds/CdTitleForm.h"
#include "cds/EditCdTitle.h"
#include "cds/ShowCdTitles.h"
#include "cds/TrackModel.h"
#include "printing/ReportPane.h"
#include "reports/CdListScreen.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

class Unlabelled : public CdFixture
{
protected:
    void SetUp() override
    {
        CdFixture::SetUp();
        addTitle("00001", "Bez označení", "Eva");
        // Python's dbf writes the tracks with an empty Oznaceni.
        appendWithDbf("cd02.dbf",
                      "[{'cislocd': '00001', 'oznaceni': '', 'tracknum': 1, 'track': 'Píseň', "
                      "'lenght': 65, 'styl': 'Pop', 'artist': 'Eva'},"
                      " {'cislocd': '00001', 'oznaceni': '', 'tracknum': 2, 'track': 'Druhá', "
                      "'lenght': 600, 'styl': 'Pop', 'artist': 'Eva'}]");
        ASSERT_EQ(dbfreadTracks("00001"), (QStringList{"/1/Píseň/65", "/2/Druhá/600"}));
    }
    void run(const char *action) { window->runEntry(*window->entryFor(action, TTitul::Cds)); }
};

} // namespace

TEST_F(Unlabelled, TheShowScreenListsThemOnDiscOne)
{
    window->settings().storedSystemCode = "2";
    int tabs = -1;
    QString caption, total;
    QStringList lines;
    user.onScreen["TZobrazit_CD_Data"] = [&](QDialog &d) {
        CdTitleDisplay *v = static_cast<TZobrazit_CD_Data &>(d).display();
        tabs = v->tabs()->count();
        caption = v->tabs()->tabText(0);
        lines = v->pane()->lines();
        total = v->discTotal()->text();
    };
    run("cds.show");
    EXPECT_EQ(tabs, 1);
    EXPECT_EQ(caption, "CD 1");
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(lines[0], " Seznam zvukových stop z: CD 1");
    EXPECT_TRUE(lines[5].startsWith("  1.  Píseň")) << lines[5].toStdString();
    EXPECT_TRUE(lines[5].contains("1m 05s"));
    EXPECT_TRUE(lines[6].startsWith("  2.  Druhá")) << lines[6].toStdString();
    EXPECT_TRUE(lines[6].contains("10m 00s"));
    EXPECT_EQ(total, "11 min 05 sek.");
}

TEST_F(Unlabelled, TheListOfTitlesShowsThemUnderDiscOne)
{
    window->settings().storedSystemCode = "1";
    window->settings().printerAvailable = false;
    QStringList lines;
    user.onScreen["TTisk_CD_Seznamu"] = [&](QDialog &d) {
        auto &s = static_cast<TTisk_CD_Seznamu &>(d);
        QTest::mouseClick(s.option(4), Qt::LeftButton); // with the tracks
        lines = s.pane()->lines();
    };
    run("printing.cdList");
    EXPECT_TRUE(lines.contains("  Číslo titulu: 00001   (CDs: 1)"))
        << lines.join('\n').toStdString();
    const qsizetype disc = lines.indexOf("  Skladby na CD1:");
    ASSERT_GE(disc, 0) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.value(disc + 1).startsWith("  1.     Píseň"))
        << lines.value(disc + 1).toStdString();
    EXPECT_TRUE(lines.value(disc + 2).startsWith("  2.     Druhá"))
        << lines.value(disc + 2).toStdString();
}

TEST_F(Unlabelled, TheEditScreenShowsThemOnDiscOneAndStoresThemSo)
{
    window->tables().CD_Table1.open();
    {
        TOpravit_CD_disk edit(window->session());
        edit.show();
        QApplication::processEvents();
        CdTitleForm &form = *edit.form();
        ASSERT_EQ(form.tabs()->count(), 1);
        EXPECT_EQ(form.tabs()->tabText(0), "CD 1");
        ASSERT_EQ(form.model()->rowCount(), 2);
        EXPECT_EQ(form.model()->index(0, TrackModel::Title).data().toString(), "Píseň");
        EXPECT_EQ(form.model()->index(1, TrackModel::Length).data().toString(), "10:00");
        EXPECT_EQ(form.discTotal()->text(), "11 min 05 sek.");
        form.titleBox()->setText("Označený");
        emit form.titleBox()->textEdited("Označený");
        edit.findChild<QPushButton *>("BitBtn2")->click();
        EXPECT_FALSE(edit.changesPending());
        edit.reject();
    }
    window->tables().CD_Table1.close();
    EXPECT_EQ(dbfreadTracks("00001"), (QStringList{"CD1/1/Píseň/65", "CD1/2/Druhá/600"}));
}

TEST_F(Unlabelled, BesideTracksLabelledCd1TheyMakeOneDiscNumberedThrough)
{
    addDisc("00001", "CD1", 1); // "00001/CD1/1", number 1 as "Píseň" has
    window->tables().CD_Table1.open();
    {
        TOpravit_CD_disk edit(window->session());
        edit.show();
        QApplication::processEvents();
        CdTitleForm &form = *edit.form();
        ASSERT_EQ(form.tabs()->count(), 1);
        ASSERT_EQ(form.model()->rowCount(), 3);
        QStringList rows;
        for (int r = 0; r < 3; ++r)
            rows << form.model()->index(r, TrackModel::Number).data().toString() + ' ' +
                        form.model()->index(r, TrackModel::Title).data().toString();
        EXPECT_EQ(rows, (QStringList{"1 Píseň", "2 00001/CD1/1", "3 Druhá"}));
        // Deleting track 1 deletes that one track.
        form.grid()->setCurrentIndex(form.model()->index(0, TrackModel::Title));
        user.answers << true;
        form.findChild<QAction *>("SmazatStopu")->trigger();
        edit.findChild<QPushButton *>("BitBtn2")->click();
        edit.reject();
    }
    window->tables().CD_Table1.close();
    EXPECT_EQ(dbfreadTracks("00001"), (QStringList{"CD1/1/00001/CD1/1/10", "CD1/2/Druhá/600"}));
}
