// The answer for a disc ID read into releases: the fields where MusicBrainz
// puts them, the fallbacks from a track to its recording and its release,
// and answers that are not what they should be.

#include "Answers.h"
#include "TestEnv.h"
#include "musicbrainz/Releases.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using musicbrainz::Answer;
using musicbrainz::parseDiscIdAnswer;

TEST(DiscIdAnswer, OneReleaseWithItsTracksAndTheirFallbacks)
{
    const Answer a = parseDiscIdAnswer(answers::oneRelease());
    ASSERT_EQ(a.status, Answer::Status::Found);
    ASSERT_EQ(a.releases.size(), 1u);
    const musicbrainz::Release &r = a.releases[0];
    EXPECT_EQ(r.id, QStringLiteral("8f0b6f3c-5a4b-4c1e-9d7e-2b1a0c9d8e7f"));
    EXPECT_EQ(r.title, QStringLiteral("Písně z Hradce"));
    EXPECT_EQ(r.artist, QStringLiteral("Jan Novák & Hosté"));
    EXPECT_EQ(r.date, QStringLiteral("1999-05-21"));
    EXPECT_EQ(r.year(), QStringLiteral("1999"));
    EXPECT_EQ(r.country, QStringLiteral("CZ"));
    EXPECT_EQ(r.formats(), QStringLiteral("CD"));
    ASSERT_EQ(r.media.size(), 1u);
    EXPECT_EQ(r.mediumOf(answers::kAlbumDisc), &r.media[0]);
    EXPECT_EQ(r.mediumOf(answers::kSecondDisc), nullptr);
    EXPECT_EQ(r.mediumOf(QString()), nullptr);

    const auto &tracks = r.media[0].tracks;
    ASSERT_EQ(tracks.size(), 3u);
    // The track's own title and length, not its recording's.
    EXPECT_EQ(tracks[0].position, 1);
    EXPECT_EQ(tracks[0].title, QStringLiteral("Úvod"));
    EXPECT_EQ(tracks[0].lengthMs, 129333);
    EXPECT_EQ(tracks[0].artist, QStringLiteral("Jan Novák & Hosté"));
    // An empty title and a null length: the recording's, with its credit.
    EXPECT_EQ(tracks[1].title, QStringLiteral("Když jsem já šel okolo"));
    EXPECT_EQ(tracks[1].lengthMs, 215500);
    EXPECT_EQ(tracks[1].artist, QStringLiteral("Jan Novák feat. Łucja Żak"));
    EXPECT_EQ(tracks[2].artist, QStringLiteral("Zuzana Dvořáková"));
    EXPECT_EQ(tracks[2].position, 3);
}

TEST(DiscIdAnswer, ATrackWithoutAnyCreditHasTheReleasesArtist)
{
    const Answer a = parseDiscIdAnswer(answers::twoDiscRelease());
    ASSERT_EQ(a.status, Answer::Status::Found);
    EXPECT_EQ(a.releases[0].media[0].tracks[0].artist, QStringLiteral("Kapela"));
}

TEST(DiscIdAnswer, TheDiscOfATwoDiscReleaseIsItsSecondMedium)
{
    const Answer a = parseDiscIdAnswer(answers::twoDiscRelease());
    ASSERT_EQ(a.status, Answer::Status::Found);
    const musicbrainz::Release &r = a.releases[0];
    EXPECT_EQ(r.formats(), QStringLiteral("2×CD"));
    EXPECT_EQ(r.year(), QStringLiteral("2003"));
    const musicbrainz::Medium *m = r.mediumOf(answers::kSecondDisc);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->position, 2);
    EXPECT_EQ(m->tracks[0].title, QStringLiteral("První z dvojky"));
    const musicbrainz::Medium *first = r.mediumOf(answers::kFirstDisc);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->position, 1);
}

TEST(DiscIdAnswer, SeveralReleasesInTheirOrder)
{
    const Answer a = parseDiscIdAnswer(answers::severalReleases());
    ASSERT_EQ(a.status, Answer::Status::Found);
    ASSERT_EQ(a.releases.size(), 3u);
    EXPECT_EQ(a.releases[0].title, QStringLiteral("Album"));
    EXPECT_EQ(a.releases[0].year(), QStringLiteral("1994"));
    EXPECT_EQ(a.releases[1].formats(), QStringLiteral("CD + DVD-Video"));
    EXPECT_EQ(a.releases[1].country, QStringLiteral("DE"));
    // Null date and country read as none; a medium of no known format.
    EXPECT_TRUE(a.releases[2].date.isEmpty());
    EXPECT_TRUE(a.releases[2].year().isEmpty());
    EXPECT_TRUE(a.releases[2].country.isEmpty());
    EXPECT_EQ(a.releases[2].formats(), QStringLiteral("nosič"));
    for (const auto &r : a.releases)
        EXPECT_NE(r.mediumOf(answers::kSeveralDisc), nullptr) << r.title.toStdString();
}

TEST(DiscIdAnswer, NotFoundForTheErrorAnswerOrNoRelease)
{
    // A CD stub: someone's anonymous track list, no release of the disc.
    EXPECT_EQ(parseDiscIdAnswer(R"({"id": "Wn8eRBtfLDfM0qjYPdxrz.Zjs_U-", "title": "Demo",
        "artist": "Kapela", "track-count": 2, "barcode": "",
        "tracks": [{"title": "Jedna", "length": 200000}, {"title": "Dvě", "length": 180000}]})")
                  .status,
              Answer::Status::NotFound);
    EXPECT_EQ(parseDiscIdAnswer(answers::notFound()).status, Answer::Status::NotFound);
    EXPECT_EQ(parseDiscIdAnswer(R"({"id":"x","sectors":1,"releases":[]})").status,
              Answer::Status::NotFound);
}

TEST(DiscIdAnswer, MalformedForWhatIsNotSuchAnAnswer)
{
    const QByteArray bodies[] = {
        "",
        "<html><body>502 Bad Gateway</body></html>",
        R"({"releases":[{"id":"a","title":"T")", // cut short
        R"([{"id":"a"}])",                       // an array at the top
        R"("releases")",
        R"({"id":"x"})",                 // neither releases nor an error
        R"({"error":42})",               // an error that is no text
        R"({"releases":{"id":"a"}})",    // releases not a list
        R"({"releases":["a"]})",         // a release not an object
        R"({"releases":[{"title":7}]})", // a title not a text
        R"({"releases":[{"title":"T","media":"CD"}]})",
        R"({"releases":[{"title":"T","media":[{"tracks":[{"title":["x"]}]}]}]})",
        R"({"releases":[{"title":"T","media":[{"tracks":[{"length":"180000"}]}]}]})",
        R"({"releases":[{"title":"T","media":[{"discs":[{"id":1}]}]}]})",
        R"({"releases":[{"title":"T","artist-credit":[{"name":["a"]}]}]})",
        R"({"releases":[{"title":"T","artist-credit":"Jan"}]})",
        R"({"releases":[{"title":"T","media":[{"tracks":[{"recording":"r"}]}]}]})",
    };
    for (const QByteArray &body : bodies) {
        const Answer a = parseDiscIdAnswer(body);
        EXPECT_EQ(a.status, Answer::Status::Malformed) << body.toStdString();
        EXPECT_TRUE(a.releases.empty()) << body.toStdString();
    }
}

TEST(DiscIdAnswer, JoinPhrasesJoinTheCreditsAsWritten)
{
    const QByteArray body = R"({"releases":[{"title":"T","artist-credit":[
        {"name":"Jiří Suchý","joinphrase":", "},{"name":"Jiří Šlitr","joinphrase":" a "},
        {"name":"Semafor","joinphrase":""}],
        "media":[{"tracks":[{"title":"A","artist-credit":[{"name":"Eva Pilarová"}]},
                            {"title":"B","artist-credit":[]}]}]}]})";
    const Answer a = parseDiscIdAnswer(body);
    ASSERT_EQ(a.status, Answer::Status::Found);
    EXPECT_EQ(a.releases[0].artist, QStringLiteral("Jiří Suchý, Jiří Šlitr a Semafor"));
    // A credit of one name without a join phrase; an empty credit falls back.
    EXPECT_EQ(a.releases[0].media[0].tracks[0].artist, QStringLiteral("Eva Pilarová"));
    EXPECT_EQ(a.releases[0].media[0].tracks[1].artist,
              QStringLiteral("Jiří Suchý, Jiří Šlitr a Semafor"));
    // Positions missing: counted from 1 in the order given.
    EXPECT_EQ(a.releases[0].media[0].position, 1);
    EXPECT_EQ(a.releases[0].media[0].tracks[1].position, 2);
}

TEST(DiscIdAnswer, LengthsThatNoTrackCanHaveReadAsNone)
{
    const QByteArray body = R"({"releases":[{"title":"T","media":[{"tracks":[
        {"title":"A","length":-5},{"title":"B","length":1e12},{"title":"C","length":0,
        "recording":{"length":61000}}]}]}]})";
    const Answer a = parseDiscIdAnswer(body);
    ASSERT_EQ(a.status, Answer::Status::Found);
    const auto &t = a.releases[0].media[0].tracks;
    EXPECT_EQ(t[0].lengthMs, 0);
    EXPECT_EQ(t[1].lengthMs, 0);
    EXPECT_EQ(t[2].lengthMs, 61000);
}

TEST(DiscIdAnswer, HostileSizesAreCutToWhatADiscCanHold)
{
    QByteArray tracks;
    for (int i = 1; i <= 150; ++i)
        tracks += QByteArray(i > 1 ? "," : "") + R"({"position":)" + QByteArray::number(i) +
                  R"(,"title":"T)" + QByteArray::number(i) + R"(","length":1000})";
    QByteArray media;
    for (int i = 1; i <= 120; ++i)
        media += QByteArray(i > 1 ? "," : "") + R"({"position":)" + QByteArray::number(i) +
                 R"(,"format":"CD","tracks":[)" + (i == 1 ? tracks : QByteArray()) + "]}";
    QByteArray releases;
    for (int i = 1; i <= 130; ++i)
        releases += QByteArray(i > 1 ? "," : "") + R"({"id":"r)" + QByteArray::number(i) +
                    R"(","title":"R","media":[)" + (i == 1 ? media : QByteArray()) + "]}";
    const Answer a = parseDiscIdAnswer("{\"releases\":[" + releases + "]}");
    ASSERT_EQ(a.status, Answer::Status::Found);
    EXPECT_EQ(a.releases.size(), 100u);
    EXPECT_EQ(a.releases[99].id, QStringLiteral("r100"));
    ASSERT_EQ(a.releases[0].media.size(), 100u);
    ASSERT_EQ(a.releases[0].media[0].tracks.size(), 99u);
    EXPECT_EQ(a.releases[0].media[0].tracks[98].title, QStringLiteral("T99"));
    EXPECT_EQ(a.releases[0].formats(), QStringLiteral("100×CD"));
}

TEST(DiscIdAnswer, ForeignTextsAreCutAndShowNoControlsOrTurnedDirections)
{
    const QByteArray huge(2 * 1024 * 1024, 'x');
    const QByteArray answer =
        R"({"releases":[{"id":"r1","title":")" + huge +
        R"(","media":[{"position":1,"discs":[{"id":"d"}],"tracks":[{"position":1,)"
        R"("title":"A\u0007B\tC\u202eD\u2066E\u200fF","length":1000}]}]}]})";
    const Answer a = parseDiscIdAnswer(answer);
    ASSERT_EQ(a.status, Answer::Status::Found);
    EXPECT_EQ(a.releases[0].title, QString(500, QLatin1Char('x')));
    ASSERT_EQ(a.releases[0].media[0].tracks.size(), 1u);
    EXPECT_EQ(a.releases[0].media[0].tracks[0].title, QStringLiteral("A B CDEF"));
}

} // namespace
} // namespace velmora::test
