// The edit screen's "Dohledat v MusicBrainz": a stored title's disc looked
// up through a local server; the names the program made up are replaced,
// what the user typed only when the user agrees.

#include "CdTables.h"
#include "MusicBrainzFixture.h"
#include "ScreenChecks.h"
#include "cds/CdTitleForm.h"
#include "cds/EditCdTitle.h"
#include "cds/TrackModel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

using namespace velmora;
using namespace velmora::test;

namespace {

class MusicBrainzEdit : public MusicBrainzFixture
{
protected:
    void SetUp() override
    {
        MusicBrainzFixture::SetUp();
        addTitle("00001", "Uložený titul");
        appendCdTracks({{"00001", "CD1", 1, "Stopa 1", 0, {}, {}},
                        {"00001", "CD1", 2, "Moje píseň", 100, {}, "Já"},
                        {"00001", "CD1", 3, "Stopa 3", 0, {}, {}}});
        cue = image(kAlbum);
        serve(
            200,
            discAnswer(
                discId,
                {release("r1", "Z databáze", {"Kapela"}, "2004", "CZ",
                         {medium(1, {discId},
                                 {{"Alfa", 240000, {}}, {"Beta", 247000, {}}, {"Gama", 31000, {}}},
                                 {"Kapela"})})}));
    }
    void TearDown() override
    {
        if (screen && screen->changesPending())
            screen->BitBtn3Click();
        MusicBrainzFixture::TearDown();
    }
    TOpravit_CD_disk &open()
    {
        window->tables().CD_Table1.open();
        screen = std::make_unique<TOpravit_CD_disk>(window->session());
        screen->show();
        QApplication::processEvents();
        return *screen;
    }
    CdTitleForm &form() { return *screen->form(); }
    QStringList grid() { return gridOf(form()); }
    // The user looks the disc image up, answering the question (if asked).
    void lookUp(bool replaceTyped)
    {
        user.openFiles << cue;
        user.answers << replaceTyped;
        user.onScreen["TMechanika_MusicBrainz"] = pickImage();
        screen->lookUpButton()->click();
    }

    QString cue;
    std::unique_ptr<TOpravit_CD_disk> screen;
};

} // namespace

TEST_F(MusicBrainzEdit, TheButtonComesLastAndDoesNothingUntilADriveIsChosen)
{
    open();
    QPushButton *b = screen->lookUpButton();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->objectName(), "Dohledat_MusicBrainz");
    EXPECT_EQ(b->text(), "Dohledat v MusicBrainz");
    // The last control of the screen, in the widget tree and for Tab.
    QList<QWidget *> focusable;
    for (QWidget *w = screen->nextInFocusChain(); w != screen.get(); w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && screen->isAncestorOf(w))
            focusable << w;
    ASSERT_GE(focusable.size(), 2);
    EXPECT_EQ(focusable.last(), b);
    EXPECT_EQ(focusable[focusable.size() - 2]->objectName(), "BitBtn3");
    const QList<QPushButton *> buttons =
        form().findChildren<QPushButton *>(Qt::FindDirectChildrenOnly);
    ASSERT_FALSE(buttons.isEmpty());
    EXPECT_EQ(buttons.last(), b);

    // The drive choice cancelled: nothing asked, nothing sent.
    user.onScreen["TMechanika_MusicBrainz"] = [](QDialog &d) {
        expectNamedLabelledAndSmall(d);
        auto &m = static_cast<TMechanika_MusicBrainz &>(d);
        // The same drives as the track-count dialog, the image last.
        EXPECT_EQ(m.driveList()->itemText(m.driveList()->count() - 1), kImageEntry);
        EXPECT_EQ(d.focusWidget(), m.driveList());
        d.findChild<QPushButton *>("Zrusit")->click();
    };
    b->click();
    EXPECT_EQ(user.screens, QStringList{"TMechanika_MusicBrainz"});
    EXPECT_TRUE(requests().isEmpty());
    EXPECT_FALSE(screen->changesPending());
}

TEST_F(MusicBrainzEdit, OnlyTheNamesTheProgramMadeUpAreReplacedUnlessTheUserAgrees)
{
    open();
    EXPECT_EQ(grid(),
              (QStringList{"1 Stopa 1 00:00 ", "2 Moje píseň 01:40 Já", "3 Stopa 3 00:00 "}));
    lookUp(false);
    ASSERT_EQ(requests().size(), 1);
    const QStringList asked = shownOf(MessageKind::Question);
    ASSERT_EQ(asked.size(), 1) << user.texts().join('|').toStdString();
    EXPECT_TRUE(asked[0].contains("CD 1")) << asked[0].toStdString();
    EXPECT_EQ(grid(),
              (QStringList{"1 Alfa 03:59 Kapela", "2 Moje píseň 01:40 Já", "3 Gama 00:31 Kapela"}));
    EXPECT_EQ(form().titleBox()->text(), "Uložený titul"); // typed, kept
    EXPECT_EQ(form().artistBox()->text(), "Kapela");       // was empty
    EXPECT_TRUE(screen->changesPending());

    // Cancelled, looked up again and this time replaced.
    screen->BitBtn3Click();
    EXPECT_EQ(grid()[1], "2 Moje píseň 01:40 Já");
    user.shown.clear();
    lookUp(true);
    EXPECT_EQ(shownOf(MessageKind::Question).size(), 1);
    EXPECT_EQ(grid(),
              (QStringList{"1 Alfa 03:59 Kapela", "2 Beta 04:07 Kapela", "3 Gama 00:31 Kapela"}));
    screen->findChild<QPushButton *>("BitBtn2")->click();
    EXPECT_FALSE(screen->changesPending());
    EXPECT_EQ(dbfreadTracks("00001"),
              (QStringList{"CD1/1/Alfa/239", "CD1/2/Beta/247", "CD1/3/Gama/31"}));
    EXPECT_EQ(dbfreadArtistsAndStyles("00001"),
              (QStringList{"CD1/1/Kapela/", "CD1/2/Kapela/", "CD1/3/Kapela/"}));
}

TEST_F(MusicBrainzEdit, ADiscWithOnlyMadeUpNamesIsFilledWithoutAQuestion)
{
    // The typed track out of the way: only "Stopa N" rows remain.
    open();
    form().model()->setData(form().model()->index(1, TrackModel::Title), "Stopa 2");
    form().model()->setData(form().model()->index(1, TrackModel::Artist), "");
    form().model()->setData(form().model()->index(1, TrackModel::Length), "00:00");
    screen->findChild<QPushButton *>("BitBtn2")->click();
    lookUp(false);
    EXPECT_TRUE(shownOf(MessageKind::Question).isEmpty()) << user.texts().join('|').toStdString();
    EXPECT_EQ(grid(),
              (QStringList{"1 Alfa 03:59 Kapela", "2 Beta 04:07 Kapela", "3 Gama 00:31 Kapela"}));
}

TEST_F(MusicBrainzEdit, AnUnknownDiscChangesNothing)
{
    serve(404, R"({"error": "Not Found"})");
    open();
    lookUp(true);
    const QStringList notes = shownOf(MessageKind::Information);
    ASSERT_EQ(notes.size(), 1);
    EXPECT_TRUE(notes[0].contains(discId));
    EXPECT_EQ(grid(),
              (QStringList{"1 Stopa 1 00:00 ", "2 Moje píseň 01:40 Já", "3 Stopa 3 00:00 "}));
    EXPECT_FALSE(screen->changesPending());
}
