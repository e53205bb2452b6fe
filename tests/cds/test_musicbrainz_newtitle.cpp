// The new-title screen looking its disc up in MusicBrainz: a local server
// answers as the real one does (one release, a release of two discs,
// several releases, an unknown disc, a busy server, a broken answer, no
// answer at all), the disc image is read through the real dialogs, and
// what the user saves is read back by dbfread.

#include "CdTables.h"
#include "DbfRead.h"
#include "MusicBrainzFixture.h"
#include "ScreenChecks.h"
#include "cds/CdTitleForm.h"
#include "cds/NewCdTitle.h"
#include "cds/TrackModel.h"
#include "storage/Paths.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <tuple>

using namespace velmora;
using namespace velmora::test;

namespace {

class MusicBrainzNew : public NewTitleLookup
{
};

} // namespace

TEST_F(MusicBrainzNew, OneReleaseFillsTheGridAndTheSaveKeepsItCutAndInCp1250)
{
    const QString cue = image(kAlbum);
    const QString longTitle = "Píseň o dlouhém názvu, který se do pole nevejde celý, ani náhodou";
    serve(200,
          discAnswer(discId, {release("r1", "Dæmon a Řeka", {"Jan Novák"}, "1999-05-21", "CZ",
                                      {medium(1, {discId},
                                              {{"Úvod", 240000, {}},
                                               {longTitle, 247000, {"Jan Novák", " & ", "Hosté"}},
                                               {"Konec", 0, {}}},
                                              {"Jan Novák"})})}));
    open();
    readDisc(cue);

    EXPECT_TRUE(waitingSeen);
    ASSERT_EQ(requests().size(), 1);
    EXPECT_TRUE(requests()[0].startsWith("/ws/2/discid/" + discId)) << requests()[0].toStdString();
    EXPECT_TRUE(requests()[0].contains("inc=recordings+artist-credits"));
    ASSERT_EQ(userAgents().size(), 1);
    EXPECT_TRUE(userAgents()[0].startsWith("Velmora/")) << userAgents()[0].toStdString();

    // The user sees it all before saving; the lengths are the disc's own,
    // not the database's rounded 4:00. The title-wide artist is switched
    // off so the guest's credit shows.
    EXPECT_EQ(form().titleBox()->text(), "Daemon a Řeka");
    EXPECT_EQ(form().artistBox()->text(), "Jan Novák");
    EXPECT_FALSE(form().allOneArtist()->isChecked());
    EXPECT_EQ(grid(), (QStringList{"1 Úvod 03:59 Jan Novák",
                                   "2 " + longTitle.left(50) + " 04:07 Jan Novák & Hosté",
                                   "3 Konec 00:31 Jan Novák"}));
    // The one letter cp1250 lacks was told about, once.
    const QStringList notes = shownOf(MessageKind::Information);
    ASSERT_EQ(notes.size(), 1) << user.texts().join('|').toStdString();
    EXPECT_TRUE(notes[0].contains("Dæmon a Řeka")) << notes[0].toStdString();
    EXPECT_TRUE(notes[0].contains("Daemon a Řeka"));
    EXPECT_EQ(titleCount(), 0); // nothing stored before the save

    save();
    EXPECT_EQ(titleCount(), 1);
    EXPECT_EQ(dbfreadTrackFields("00001", {"OZNACENI", "TRACKNUM", "TRACK", "LENGHT", "ARTIST"}),
              (QStringList{"CD1/1/Úvod/239/Jan Novák",
                           "CD1/2/" + longTitle.left(50) + "/247/Jan Novák & Hosté",
                           "CD1/3/Konec/31/Jan Novák"}));
    const QJsonArray titles = readWithDbfread(Paths::dataFile("cd01.dbf"));
    ASSERT_EQ(titles.size(), 1);
    EXPECT_EQ(titles[0].toObject()["titulcd"].toString(), "Daemon a Řeka");
    EXPECT_EQ(titles[0].toObject()["artist"].toString(), "Jan Novák");
}

TEST_F(MusicBrainzNew, ArtistsLongerThanTheFieldAreCutAndTheUserTypedTitleStays)
{
    const QString cue = image(kAlbum);
    const QString band = "Orchestr a sbor Národního divadla v Praze";
    serve(200, discAnswer(discId,
                          {release("r1", "Z databáze", {band}, "2001", "CZ",
                                   {medium(1, {discId}, {{"A", 0, {}}, {"B", 0, {}}, {"C", 0, {}}},
                                           {band})})}));
    open();
    form().titleBox()->setText("Můj vlastní název");
    readDisc(cue);
    EXPECT_EQ(form().titleBox()->text(), "Můj vlastní název");
    EXPECT_EQ(form().artistBox()->text(), band.left(30));
    // One artist for the whole disc: the title-wide box stays on.
    EXPECT_TRUE(form().allOneArtist()->isChecked());
    EXPECT_EQ(grid(), (QStringList{"1 A 03:59 " + band.left(30), "2 B 04:07 " + band.left(30),
                                   "3 C 00:31 " + band.left(30)}));
    EXPECT_TRUE(shownOf(MessageKind::Information).isEmpty());
    save();
    EXPECT_EQ(dbfreadArtistsAndStyles("00001"),
              (QStringList{"CD1/1/" + band.left(30) + "/", "CD1/2/" + band.left(30) + "/",
                           "CD1/3/" + band.left(30) + "/"}));
}

TEST_F(MusicBrainzNew, TheSecondDiscOfAReleaseFillsCdTwoAndOffersCdOne)
{
    const QString cue = image(kAlbum);
    const QString other = publishedDiscId({frames(10, 0), frames(5, 0)});
    serve(200,
          discAnswer(
              discId,
              {release(
                  "r2", "Dvojalbum", {"Kapela"}, "2010", "CZ",
                  {medium(1, {other}, {{"První", 600000, {}}, {"Druhá", 300000, {}}}, {"Kapela"}),
                   medium(2, {discId}, {{"Třetí", 0, {}}, {"Čtvrtá", 0, {}}, {"Pátá", 0, {}}},
                          {"Kapela"})})}));
    open();
    emit form().discCountList()->activated(1);
    ASSERT_EQ(form().tabs()->count(), 2);
    user.openFiles << cue;
    user.onScreen["TKolik_CDs"] = readImage(true);
    user.answers << true; // yes, fill CD 1 as well
    form().tabs()->setCurrentIndex(1);

    EXPECT_EQ(grid(), (QStringList{"1 Třetí 03:59 Kapela", "2 Čtvrtá 04:07 Kapela",
                                   "3 Pátá 00:31 Kapela"}));
    const QStringList asked = shownOf(MessageKind::Question);
    ASSERT_EQ(asked.size(), 1) << user.texts().join('|').toStdString();
    EXPECT_TRUE(asked[0].contains("CD 1")) << asked[0].toStdString();
    EXPECT_EQ(form().titleBox()->text(), "Dvojalbum");
    form().tabs()->setCurrentIndex(0);
    EXPECT_EQ(grid(), (QStringList{"1 První 10:00 Kapela", "2 Druhá 05:00 Kapela"}));

    save();
    EXPECT_EQ(dbfreadTracks("00001"),
              (QStringList{"CD1/1/První/600", "CD1/2/Druhá/300", "CD2/1/Třetí/239",
                           "CD2/2/Čtvrtá/247", "CD2/3/Pátá/31"}));
}

TEST_F(MusicBrainzNew, TheFirstDiscOfAReleaseReadOnATitleOfOneDiscAddsTheSecondOnYes)
{
    const QString cue = image(kAlbum);
    serve(200, doubleAlbum({{"D", 61000, {}}, {"E", 0, {}}}));
    open();
    user.answers << true;
    readDisc(cue);
    const QStringList asked = shownOf(MessageKind::Question);
    ASSERT_EQ(asked.size(), 1) << user.texts().join('|').toStdString();
    EXPECT_TRUE(asked[0].contains("CD 2"));
    ASSERT_EQ(form().tabs()->count(), 2);
    EXPECT_EQ(form().tabs()->tabText(1), "CD 2");
    EXPECT_EQ(form().discCountList()->currentText(), "2");
    EXPECT_EQ(form().tabs()->currentIndex(), 0);
    EXPECT_EQ(grid(), (QStringList{"1 A 03:59 Kapela", "2 B 04:07 Kapela", "3 C 00:31 Kapela"}));
    // The new disc is shown filled, not as an empty one that asks for its tracks.
    user.screens.clear();
    form().tabs()->setCurrentIndex(1);
    EXPECT_TRUE(user.screens.isEmpty()) << user.screens.join(' ').toStdString();
    EXPECT_EQ(grid(), (QStringList{"1 D 01:01 Kapela", "2 E 00:00 Kapela"}));
    save();
    EXPECT_EQ(dbfreadTracks("00001"),
              (QStringList{"CD1/1/A/239", "CD1/2/B/247", "CD1/3/C/31", "CD2/1/D/61", "CD2/2/E/0"}));
}

TEST_F(MusicBrainzNew, DiscsTheUserFilledAreNotOfferedAndANoLeavesThemAlone)
{
    const QString cue = image(kAlbum);
    serve(200,
          discAnswer(
              discId,
              {release("r2", "Dvojalbum", {"Kapela"}, "2010", "CZ",
                       {medium(1, {discId}, {{"A", 0, {}}, {"B", 0, {}}, {"C", 0, {}}}, {"Kapela"}),
                        medium(2, {}, {{"D", 0, {}}}, {"Kapela"}),
                        medium(3, {}, {{"E", 0, {}}}, {"Kapela"})})}));
    open();
    // CD 2 already has a typed title; CD 3 is empty.
    emit form().discCountList()->activated(2);
    ASSERT_EQ(form().tabs()->count(), 3);
    user.onScreen["TKolik_CDs"] = byHand(1);
    form().tabs()->setCurrentIndex(1);
    form().model()->setData(form().model()->index(0, TrackModel::Title), "Vlastní");
    form().tabs()->setCurrentIndex(2);
    form().tabs()->setCurrentIndex(0);
    user.answers << false;
    readDisc(cue);
    const QStringList asked = shownOf(MessageKind::Question);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains("CD 3"));
    EXPECT_FALSE(asked[0].contains("CD 2"));
    EXPECT_EQ(grid(), (QStringList{"1 A 03:59 Kapela", "2 B 04:07 Kapela", "3 C 00:31 Kapela"}));
    form().tabs()->setCurrentIndex(1);
    EXPECT_EQ(grid(), QStringList{"1 Vlastní 00:00 Kapela"});
    form().tabs()->setCurrentIndex(2);
    EXPECT_EQ(grid(), QStringList{"1 Stopa 1 00:00 Kapela"});
}

TEST_F(MusicBrainzNew, SeveralReleasesAreOfferedAndTheOneChosenFills)
{
    const QString cue = image(kAlbum);
    auto one = [this](const QString &id, const QString &title, const QString &date,
                      const QString &country, const QStringList &tracks) {
        return release(
            id, title, {"Kapela"}, date, country,
            {medium(1, {discId}, {{tracks[0], 0, {}}, {tracks[1], 0, {}}, {tracks[2], 0, {}}},
                    {"Kapela"})});
    };
    serve(200, discAnswer(discId, {one("a", "Album", "1999-05-21", "CZ", {"a1", "a2", "a3"}),
                                   one("b", "Album (reedice)", "2009", "DE", {"b1", "b2", "b3"})}));
    QStringList offered;
    int preselected = -2;
    user.onScreen["TVyber_vydani"] = [&](QDialog &d) {
        auto &c = static_cast<TVyber_vydani &>(d);
        expectNamedLabelledAndSmall(d);
        // The keyboard starts in the list, on the first release.
        EXPECT_EQ(d.focusWidget(), c.grid());
        EXPECT_EQ(c.grid()->accessibleName(), "Vydání disku");
        EXPECT_EQ(c.useButton()->text(), "Použít");
        EXPECT_EQ(c.useButton()->objectName(), "Pouzit");
        EXPECT_EQ(c.cancelButton()->objectName(), "Zrusit");
        QStringList headers;
        for (int col = 0; col < c.grid()->columnCount(); ++col)
            headers << c.grid()->horizontalHeaderItem(col)->text();
        EXPECT_EQ(headers,
                  (QStringList{"Název", "Interpret", "Rok", "Země", "Formát", "Počet nosičů"}));
        preselected = c.chosen();
        for (int r = 0; r < c.grid()->rowCount(); ++r) {
            QStringList cells;
            for (int col = 0; col < c.grid()->columnCount(); ++col)
                cells << c.grid()->item(r, col)->text();
            offered << cells.join('|');
        }
        c.grid()->selectRow(1);
        c.useButton()->click();
    };
    open();
    readDisc(cue);
    EXPECT_EQ(preselected, 0);
    EXPECT_EQ(offered,
              (QStringList{"Album|Kapela|1999|CZ|CD|1", "Album (reedice)|Kapela|2009|DE|CD|1"}));
    EXPECT_EQ(grid(), (QStringList{"1 b1 03:59 Kapela", "2 b2 04:07 Kapela", "3 b3 00:31 Kapela"}));
    EXPECT_EQ(form().titleBox()->text(), "Album (reedice)");
}

TEST_F(MusicBrainzNew, CancellingTheChoiceLeavesTheDiscAsRead)
{
    const QString cue = image(kAlbum);
    auto one = [this](const QString &id) {
        return release(
            id, id, {"Kapela"}, "2000", "CZ",
            {medium(1, {discId}, {{"x", 0, {}}, {"y", 0, {}}, {"z", 0, {}}}, {"Kapela"})});
    };
    serve(200, discAnswer(discId, {one("a"), one("b")}));
    user.onScreen["TVyber_vydani"] = [](QDialog &d) {
        static_cast<TVyber_vydani &>(d).cancelButton()->click();
    };
    open();
    readDisc(cue);
    EXPECT_EQ(user.screens.count("TVyber_vydani"), 1);
    EXPECT_EQ(grid(), kAsRead);
    EXPECT_TRUE(form().titleBox()->text().isEmpty());
    EXPECT_TRUE(user.shown.isEmpty()) << user.texts().join('|').toStdString();
}

TEST_F(MusicBrainzNew, AnUnknownDiscIsReadAsWithoutTheBoxWithItsDiscIdTold)
{
    const QString cue = image(kAlbum);
    serve(404, R"({"error": "Not Found"})");
    open();
    readDisc(cue);
    EXPECT_EQ(grid(), kAsRead);
    const QStringList notes = shownOf(MessageKind::Information);
    ASSERT_EQ(notes.size(), 1) << user.texts().join('|').toStdString();
    EXPECT_TRUE(notes[0].contains(discId)) << notes[0].toStdString();
    EXPECT_EQ(shownOf(MessageKind::Warning).size() + shownOf(MessageKind::Error).size(), 0);
    save();
    EXPECT_EQ(dbfreadTracks("00001"),
              (QStringList{"CD1/1/Stopa 1/239", "CD1/2/Stopa 2/247", "CD1/3/Stopa 3/31"}));
}

TEST_F(MusicBrainzNew, ABusyServerABrokenAnswerAndAServerErrorLeaveTheDiscAsRead)
{
    const QString cue = image(kAlbum);
    // Each with what the user is told: the server asks to slow down, the
    // answer cannot be read, the server failed.
    const std::vector<std::tuple<int, QByteArray, QString>> answers = {
        {503, "<html>Slow down</html>", "zpomal"},
        {200, "{\"releases\": [ {\"title\": ", "přečíst"},
        {500, "Internal error", "HTTP 500"},
    };
    open();
    for (const auto &[status, body, told] : answers) {
        SCOPED_TRACE(status);
        // A fresh cache each time: only an answer with releases would be kept.
        MusicBrainzClient::setCacheFolder(cache.path() + "/" + QString::number(status));
        serve(status, body);
        user.shown.clear();
        readDisc(cue);
        EXPECT_EQ(grid(), kAsRead);
        EXPECT_TRUE(form().titleBox()->text().isEmpty());
        const QStringList shown = shownOf(MessageKind::Warning) + shownOf(MessageKind::Error);
        ASSERT_EQ(shown.size(), 1) << user.texts().join('|').toStdString();
        EXPECT_TRUE(shown[0].contains(told)) << shown[0].toStdString();
        EXPECT_TRUE(shownOf(MessageKind::Information).isEmpty());
    }
    EXPECT_EQ(requests().size(), 3);
}

TEST_F(MusicBrainzNew, AServerThatNeverAnswersIsGivenUpAfterTheTimeLimit)
{
    const QString cue = image(kAlbum);
    serveNothing();
    MusicBrainzClient::setTimeoutMs(400);
    open();
    QElapsedTimer clock;
    clock.start();
    readDisc(cue);
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(grid(), kAsRead);
    const QStringList told = shownOf(MessageKind::Warning) + shownOf(MessageKind::Error);
    ASSERT_EQ(told.size(), 1) << user.texts().join('|').toStdString();
    EXPECT_TRUE(told[0].contains("včas")) << told[0].toStdString();
}

TEST_F(MusicBrainzNew, TheWaitingWindowStaysResponsiveAndItsCancelStopsTheLookup)
{
    const QString cue = image(kAlbum);
    serveNothing();
    QString text;
    QString cancelName;
    bool timerRan = false;
    user.onScreen["TCekani_MusicBrainz"] = [&](QDialog &d) {
        auto &w = static_cast<TCekani_MusicBrainz &>(d);
        text = w.findChild<QLabel *>("Text")->text();
        expectNamedLabelledAndSmall(d);
        cancelName = w.cancelButton()->objectName();
        QTimer::singleShot(50, [&] { timerRan = true; });
        QTest::qWait(200); // the request is under way, the window answers
        EXPECT_TRUE(w.isVisible());
        w.cancelButton()->click();
        EXPECT_FALSE(w.isVisible());
    };
    open();
    readDisc(cue);
    EXPECT_TRUE(timerRan);
    EXPECT_EQ(text, "Hledám disk v databázi MusicBrainz ...");
    EXPECT_EQ(cancelName, "Zrusit");
    EXPECT_EQ(grid(), kAsRead);
    EXPECT_TRUE(user.shown.isEmpty()) << user.texts().join('|').toStdString();
}

TEST_F(MusicBrainzNew, WithTheBoxUntickedNothingIsSentAndTheChoiceIsRemembered)
{
    const QString cue = image(kAlbum);
    serve(200, discAnswer(discId, {}));
    open();
    TKolik_CDs *dialog = form().countDialog();
    // Unticked at first; only reading from the disc can look it up.
    EXPECT_FALSE(dialog->lookUpBox()->isChecked());
    EXPECT_EQ(dialog->lookUpBox()->text(), "Dohledat názvy v databázi MusicBrainz (internet)");
    EXPECT_EQ(dialog->lookUpBox()->objectName(), "MusicBrainz");
    dialog->handChoice()->click();
    EXPECT_FALSE(dialog->lookUpBox()->isEnabled());
    dialog->readChoice()->click();
    EXPECT_TRUE(dialog->lookUpBox()->isEnabled());

    readDisc(cue, false);
    EXPECT_EQ(grid(), kAsRead);
    EXPECT_FALSE(dialog->lookUp());
    QTest::qWait(100);
    EXPECT_TRUE(requests().isEmpty()) << requests().join(' ').toStdString();
    EXPECT_TRUE(user.screens.filter("TCekani_MusicBrainz").isEmpty());

    // Ticked once, the box comes ticked in the next dialog, also the edit
    // screen's twin.
    dialog->lookUpBox()->click();
    EXPECT_TRUE(SettingsStore::own().readBool("MusicBrainzLookup"));
    TKolik_CDs2 twin;
    EXPECT_TRUE(twin.lookUpBox()->isChecked());
    twin.lookUpBox()->click();
    EXPECT_FALSE(SettingsStore::own().readBool("MusicBrainzLookup"));
    TKolik_CDs again;
    EXPECT_FALSE(again.lookUpBox()->isChecked());
}
