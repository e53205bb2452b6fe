// A medium as the rows of one disc: texts held in cp1250 with the closest
// letters where it lacks one, cut to the widths of the tables after that,
// lengths in whole seconds.

#include "Answers.h"
#include "TestEnv.h"
#include "engine/Codepage.h"
#include "musicbrainz/TrackFill.h"

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using musicbrainz::closestCp1250;

// What the table would store, read back: the text survives cp1250 whole.
bool survivesCp1250(const QString &text)
{
    const QByteArray bytes = Codepage::cp1250().encode(text);
    return Codepage::cp1250().decode(bytes.constData(), int(bytes.size())) == text;
}

TEST(ClosestCp1250, CentralEuropeanLettersStayAsTheyAre)
{
    const QString czech = QStringLiteral("Příliš žluťoučký kůň úpěl ďábelské ódy");
    const QString polish = QStringLiteral("Łódź, Gdańsk, Świętokrzyskie, źdźbło");
    const QString german = QStringLiteral("Grüße aus Köln, Straße");
    const QString hungarian = QStringLiteral("Kőszeg, Győr, űrhajó");
    for (const QString &t : {czech, polish, german, hungarian}) {
        int replaced = -1;
        EXPECT_EQ(closestCp1250(t, 50, &replaced), t);
        EXPECT_EQ(replaced, 0);
    }
    // Typographic marks cp1250 has: quotes, dashes, the ellipsis.
    const QString marks = QStringLiteral("„Ano“ – ‚ne‘ — to… » «");
    EXPECT_EQ(closestCp1250(marks, 50), marks);
}

TEST(ClosestCp1250, LettersCp1250LacksBecomeTheirClosest)
{
    int replaced = -1;
    EXPECT_EQ(closestCp1250(QStringLiteral("Björk Guðmundsdóttir"), 50, &replaced),
              QStringLiteral("Björk Gudmundsdóttir"));
    EXPECT_EQ(replaced, 0);
    EXPECT_EQ(closestCp1250(QStringLiteral("Mötley Crüe ø Æther Œuvre"), 50),
              QStringLiteral("Mötley Crüe o AEther OEuvre"));
    // Spanish, Latvian, Vietnamese letters to their base; the Romanian comma
    // below to the cedilla cp1250 writes it with.
    EXPECT_EQ(closestCp1250(QStringLiteral("Ça va, señor, Ștefan, Ķīpsala, Phở"), 50),
              QStringLiteral("Ça va, senor, Ştefan, Kipsala, Pho"));
    // Ligatures and full-width letters in their plain form.
    EXPECT_EQ(closestCp1250(QStringLiteral("ﬁnále ＡＢＣ"), 50), QStringLiteral("finále ABC"));
    // A letter two marks away stops where cp1250 has one.
    EXPECT_EQ(closestCp1250(QStringLiteral("ǘ"), 50), QStringLiteral("ü"));
    for (const QString &t : {QStringLiteral("Æsir ǆ ß ð þ"), QStringLiteral("ﬀ ½ ™ €")})
        EXPECT_TRUE(survivesCp1250(closestCp1250(t, 50))) << t.toStdString();
}

TEST(ClosestCp1250, NothingNearIsAQuestionMarkTheCallerIsToldOf)
{
    int replaced = -1;
    const QString out =
        closestCp1250(QStringLiteral("坂本龍一 – Merry Christmas 🎄"), 50, &replaced);
    EXPECT_EQ(out, QStringLiteral("???? – Merry Christmas ?"));
    EXPECT_EQ(replaced, 5);
    // A question mark of the text itself is not counted.
    EXPECT_EQ(closestCp1250(QStringLiteral("Proč?"), 50, &replaced), QStringLiteral("Proč?"));
    EXPECT_EQ(replaced, 0);
    // Only what is left after the cut counts.
    EXPECT_EQ(closestCp1250(QStringLiteral("Abc 東京"), 5, &replaced), QStringLiteral("Abc ?"));
    EXPECT_EQ(replaced, 1);
}

TEST(ClosestCp1250, CutToTheWidthAfterTheLettersAreMapped)
{
    // "æ" becomes two letters: the cut counts what is stored.
    const QString t = QString(28, QLatin1Char('a')) + QStringLiteral("æb");
    EXPECT_EQ(closestCp1250(t, 30), QString(28, QLatin1Char('a')) + QStringLiteral("ae"));
    EXPECT_EQ(closestCp1250(QString(60, QChar(u'ř')), 50), QString(50, QChar(u'ř')));
    EXPECT_EQ(closestCp1250(QStringLiteral("abc"), 3), QStringLiteral("abc"));
    EXPECT_EQ(closestCp1250(QStringLiteral("abcd"), 3), QStringLiteral("abc"));
    EXPECT_EQ(closestCp1250(QStringLiteral("abc"), 0), QString());
    // Spaces around, line breaks and invisible marks do not take a place.
    EXPECT_EQ(closestCp1250(QStringLiteral("  Píseň\u200B\nza\tdva  "), 50),
              QStringLiteral("Píseň za dva"));
    EXPECT_EQ(closestCp1250(QStringLiteral("Dlouhá jména  konec"), 13),
              QStringLiteral("Dlouhá jména"));
}

TEST(FillFrom, TheMediumAsTheRowsOfTheDisc)
{
    const musicbrainz::Answer a = musicbrainz::parseDiscIdAnswer(answers::oneRelease());
    ASSERT_EQ(a.status, musicbrainz::Answer::Status::Found);
    const musicbrainz::FilledDisc d = musicbrainz::fillFrom(a.releases[0], a.releases[0].media[0]);
    EXPECT_EQ(d.title, QStringLiteral("Písně z Hradce"));
    EXPECT_EQ(d.artist, QStringLiteral("Jan Novák & Hosté"));
    EXPECT_EQ(d.replaced, 0);
    ASSERT_EQ(d.tracks.size(), 3u);
    EXPECT_EQ(d.tracks[0].number, 1);
    EXPECT_EQ(d.tracks[0].seconds, 129); // 129.333 s
    EXPECT_EQ(d.tracks[1].number, 2);
    EXPECT_EQ(d.tracks[1].title, QStringLiteral("Když jsem já šel okolo"));
    EXPECT_EQ(d.tracks[1].seconds, 216); // 215.5 s, to the nearest
    EXPECT_EQ(d.tracks[1].artist, QStringLiteral("Jan Novák feat. Łucja Żak"));
    EXPECT_EQ(d.tracks[2].title, QStringLiteral("Straße nach Brünn"));
    EXPECT_EQ(d.tracks[2].seconds, 301); // 301.499 s
    EXPECT_EQ(d.tracks[2].artist, QStringLiteral("Zuzana Dvořáková"));
}

TEST(FillFrom, TextsLongerThanTheFieldsAreCutToTheirWidths)
{
    musicbrainz::Release r;
    r.title = QStringLiteral("Ďábelsky dlouhý název alba, který se do pole padesáti znaků nevejde");
    r.artist = QStringLiteral("Władysław Szpilman a přátelé z Krakova");
    musicbrainz::Medium m;
    musicbrainz::Track t;
    t.title = QStringLiteral("Æolian Harp — předehra, která je delší než padesát znaků");
    t.artist = QStringLiteral("Ørjan Nilsen & Kapela Ωmega");
    t.lengthMs = 499;
    m.tracks.push_back(t);
    const musicbrainz::FilledDisc d = musicbrainz::fillFrom(r, m);
    EXPECT_EQ(d.title, QStringLiteral("Ďábelsky dlouhý název alba, který se do pole pades"));
    EXPECT_EQ(d.title.size(), musicbrainz::kTitleWidth);
    EXPECT_EQ(d.artist, QStringLiteral("Władysław Szpilman a přátelé z"));
    EXPECT_EQ(d.artist.size(), musicbrainz::kArtistWidth);
    ASSERT_EQ(d.tracks.size(), 1u);
    EXPECT_EQ(d.tracks[0].title,
              QStringLiteral("AEolian Harp — předehra, která je delší než padesá"));
    EXPECT_EQ(d.tracks[0].title.size(), musicbrainz::kTrackWidth);
    // Omega has nothing near it in cp1250.
    EXPECT_EQ(d.tracks[0].artist, QStringLiteral("Orjan Nilsen & Kapela ?mega"));
    EXPECT_EQ(d.replaced, 1);
    EXPECT_EQ(d.tracks[0].seconds, 0);
    for (const QString &s : {d.title, d.artist, d.tracks[0].title, d.tracks[0].artist})
        EXPECT_TRUE(survivesCp1250(s)) << s.toStdString();
}

} // namespace
} // namespace velmora::test
