// The disc ID of a table of contents against the published algorithm,
// worked out here on its own (SHA-1 over the hex text of the table, Base64
// with MusicBrainz's three substitutions), and against the IDs the
// MusicBrainz library publishes for two real discs.

#include "DiscImages.h"
#include "TestEnv.h"
#include "musicbrainz/DiscId.h"

#include <QCryptographicHash>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using musicbrainz::DiscToc;

// offsets by track number from first; every other of the 99 places is 0.
QString publishedId(int first, int last, int leadout, const std::vector<int> &offsets)
{
    QByteArray text;
    text += QByteArray::number(first, 16).rightJustified(2, '0').toUpper();
    text += QByteArray::number(last, 16).rightJustified(2, '0').toUpper();
    text += QByteArray::number(leadout, 16).rightJustified(8, '0').toUpper();
    for (int track = 1; track <= 99; ++track) {
        const int at = track - first;
        const int offset = at >= 0 && at < int(offsets.size()) ? offsets[size_t(at)] : 0;
        text += QByteArray::number(offset, 16).rightJustified(8, '0').toUpper();
    }
    QByteArray id = QCryptographicHash::hash(text, QCryptographicHash::Sha1).toBase64();
    id.replace('+', '.').replace('/', '_').replace('=', '-');
    return QString::fromLatin1(id);
}

DiscToc toc(int first, int leadout, std::vector<int> offsets)
{
    DiscToc t;
    t.firstTrack = first;
    t.lastTrack = first + int(offsets.size()) - 1;
    t.leadout = leadout;
    t.offsets = std::move(offsets);
    return t;
}

TEST(DiscIdOf, TheIdsPublishedForRealDiscs)
{
    // libdiscid's own test disc of 22 tracks.
    const DiscToc long22 =
        toc(1, 303602, {150,    9700,   25887,  39297,  53795,  63735,  77517,  94877,
                        107270, 123552, 135522, 148422, 161197, 174790, 192022, 205545,
                        218010, 228700, 239590, 255470, 266932, 288750});
    EXPECT_EQ(musicbrainz::discIdOf(long22), QStringLiteral("xUp1F2NkfP8s8jaeFn_Av3jNEI4-"));
    EXPECT_EQ(publishedId(1, 22, 303602, long22.offsets),
              QStringLiteral("xUp1F2NkfP8s8jaeFn_Av3jNEI4-"));
    // An Enhanced CD (Guano Apes, "Don't Give Me Names") without its data
    // track: the lead-out is where the music ends.
    const DiscToc enhanced = toc(1, 258725,
                                 {150, 17510, 33275, 45910, 57805, 78310, 94650, 109580, 132010,
                                  149160, 165115, 177710, 203325, 215555, 235590});
    EXPECT_EQ(musicbrainz::discIdOf(enhanced), QStringLiteral("TqvKjMu7dMliSfmVEBtrL7sBSno-"));
}

TEST(DiscIdOf, EqualsThePublishedAlgorithmForSeveralTables)
{
    const std::vector<DiscToc> tables = {
        toc(1, 150 + 4 * 60 * 75, {150}),                          // a single of one track
        toc(1, 200000, {150, 20000, 40000, 60000, 80000, 100000}), // an album
        toc(1, 150 + 99 * 4000,
            [] { // 99 tracks, the most
                std::vector<int> v;
                for (int i = 0; i < 99; ++i)
                    v.push_back(150 + i * 4000);
                return v;
            }()),
        toc(3, 90000, {182, 30000, 60000}), // a disc that starts at track 3
        toc(1, 33000, {32, 16000}),         // offsets without the usual 150
    };
    for (const DiscToc &t : tables) {
        const QString id = musicbrainz::discIdOf(t);
        EXPECT_EQ(id.size(), 28);
        EXPECT_EQ(id, publishedId(t.firstTrack, t.lastTrack, t.leadout, t.offsets))
            << t.offsets.size() << " tracks from " << t.firstTrack;
    }
    // Tables that differ only in the lead-out are different discs.
    EXPECT_NE(musicbrainz::discIdOf(toc(1, 200000, {150, 20000})),
              musicbrainz::discIdOf(toc(1, 200001, {150, 20000})));
}

TEST(DiscIdOf, RefusesTablesThatCannotBeADisc)
{
    EXPECT_TRUE(musicbrainz::discIdOf(toc(1, 1000, {})).isEmpty());
    DiscToc tooMany = toc(1, 1000000, std::vector<int>(100, 150));
    EXPECT_TRUE(musicbrainz::discIdOf(tooMany).isEmpty());
    DiscToc mismatched = toc(1, 50000, {150, 20000});
    mismatched.lastTrack = 5; // more tracks named than offsets given
    EXPECT_TRUE(musicbrainz::discIdOf(mismatched).isEmpty());
    // libdiscid takes discs of up to 90 minutes (405000 frames).
    EXPECT_FALSE(musicbrainz::discIdOf(toc(1, 405000, {150, 200000})).isEmpty());
    EXPECT_TRUE(musicbrainz::discIdOf(toc(1, 405001, {150, 200000})).isEmpty());
    DiscToc zeroFirst = toc(0, 50000, {150});
    EXPECT_TRUE(musicbrainz::discIdOf(zeroFirst).isEmpty());
}

cd::DiscInfo discOf(std::vector<cd::TrackInfo> tracks, int leadout, int first = 1)
{
    cd::DiscInfo d;
    d.status = cd::DiscInfo::Status::Ok;
    d.tracks = std::move(tracks);
    d.leadout = leadout;
    d.firstTrack = first;
    return d;
}

cd::TrackInfo track(int start, int frames, bool audio = true)
{
    cd::TrackInfo t;
    t.start = start;
    t.frames = frames;
    t.audio = audio;
    return t;
}

TEST(TocOf, TakesTheAudioSessionOfWhatTheReaderGives)
{
    const auto plain = musicbrainz::tocOf(
        discOf({track(150, 10000), track(10150, 20000), track(30150, 5000)}, 35150));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->firstTrack, 1);
    EXPECT_EQ(plain->lastTrack, 3);
    EXPECT_EQ(plain->leadout, 35150);
    EXPECT_EQ(plain->offsets, (std::vector<int>{150, 10150, 30150}));

    // Enhanced CD: the data track after the session gap is dropped and the
    // music ends with its last track.
    const auto enhanced = musicbrainz::tocOf(discOf(
        {track(150, 10000), track(10150, 20000), track(30150 + 11400, 90000, false)}, 131550));
    ASSERT_TRUE(enhanced);
    EXPECT_EQ(enhanced->lastTrack, 2);
    EXPECT_EQ(enhanced->leadout, 30150);
    EXPECT_EQ(enhanced->offsets, (std::vector<int>{150, 10150}));

    // A disc numbered from track 4 keeps its numbers.
    const auto later = musicbrainz::tocOf(discOf({track(150, 1000), track(1150, 1000)}, 2150, 4));
    ASSERT_TRUE(later);
    EXPECT_EQ(later->firstTrack, 4);
    EXPECT_EQ(later->lastTrack, 5);
}

TEST(TocOf, NoneForDiscsWithoutAudioOrWithATableOutOfOrder)
{
    EXPECT_FALSE(musicbrainz::tocOf(cd::DiscInfo()));
    EXPECT_FALSE(musicbrainz::tocOf(discOf({}, 0)));
    EXPECT_FALSE(musicbrainz::tocOf(discOf({track(150, 5000, false)}, 5150)));
    EXPECT_FALSE(musicbrainz::tocOf(discOf({track(10150, 100), track(150, 10000)}, 20150)));
    EXPECT_FALSE(musicbrainz::tocOf(discOf({track(150, 1000)}, 100)));
    cd::DiscInfo unreadable = discOf({track(150, 1000)}, 1150);
    unreadable.status = cd::DiscInfo::Status::TimedOut;
    EXPECT_FALSE(musicbrainz::tocOf(unreadable));
}

class DiscIdOfImage : public ::testing::Test
{
protected:
    TestEnv env;
};

TEST_F(DiscIdOfImage, ACueImageReadAsADiscGivesTheIdOfItsOffsets)
{
    const std::vector<ImageTrack> tracks = {frames(3, 21, 40), frames(4, 2, 7), frames(5, 59, 1),
                                            frames(2, 30)};
    const QString cue = writeCueImage(env.dataDir(), QStringLiteral("album"), tracks);
    // The cue places track 1 at 00:00:00; a disc adds the 2 s before it.
    std::vector<int> offsets;
    int at = 150;
    for (const ImageTrack &t : tracks) {
        offsets.push_back(at);
        at += t.frames;
    }
    const auto t = musicbrainz::tocOf(cd::readDiscHere(cue));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->offsets, offsets);
    EXPECT_EQ(t->leadout, at);
    EXPECT_EQ(musicbrainz::discIdOf(*t), publishedId(1, 4, at, offsets));
}

TEST_F(DiscIdOfImage, AnEnhancedCdImageLeavesItsDataSessionOut)
{
    const std::vector<ImageTrack> tracks = {ImageTrack(frames(3, 0)), ImageTrack(frames(4, 10, 5)),
                                            ImageTrack(frames(12, 0), false, QString(), 2)};
    const QString cue = writeCueImage(env.dataDir(), QStringLiteral("enhanced"), tracks);
    const int musicEnds = 150 + frames(3, 0) + frames(4, 10, 5);
    const auto t = musicbrainz::tocOf(cd::readDiscHere(cue));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->lastTrack, 2);
    EXPECT_EQ(t->offsets, (std::vector<int>{150, 150 + frames(3, 0)}));
    EXPECT_EQ(t->leadout, musicEnds);
    EXPECT_EQ(musicbrainz::discIdOf(*t), publishedId(1, 2, musicEnds, {150, 150 + frames(3, 0)}));
}

} // namespace
} // namespace velmora::test
