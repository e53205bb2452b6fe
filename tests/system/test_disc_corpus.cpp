// Replays the seeds of the disc image fuzzers (fuzz/cue_corpus,
// cdtext_corpus, toc_corpus, nrg_corpus) through cd::readDisc, as the
// track-count dialog reads a chosen image: valid images read with their
// CD-Text, damaged ones are refused, none breaks the reader.

#include "../../fuzz/DiscExercise.h"

#include "DiscImages.h"
#include "TestEnv.h"
#include "system/ImageCheck.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using fuzzing::DiscKind;

struct Corpus
{
    const char *dir;
    DiscKind kind;
};
const Corpus kCorpora[] = {{"cue_corpus", DiscKind::Cue},
                           {"cdtext_corpus", DiscKind::CdText},
                           {"toc_corpus", DiscKind::Toc},
                           {"nrg_corpus", DiscKind::Nrg}};

QByteArray seed(const char *dir, const char *name)
{
    QFile f(QStringLiteral(VELMORA_SOURCE_DIR "/fuzz/%1/%2").arg(dir, name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

class DiscCorpus : public ::testing::Test
{
protected:
    // libcdio opens the files a cdrdao table names from the working
    // directory.
    DiscCorpus() : m_cwd(QDir::currentPath())
    {
        EXPECT_TRUE(fuzzing::prepareDiscDir(env.dataDir()));
        QDir::setCurrent(env.dataDir());
    }
    ~DiscCorpus() override { QDir::setCurrent(m_cwd); }

    cd::DiscInfo read(const char *dir, DiscKind kind, const char *name)
    {
        const fuzzing::DiscOutcome out =
            fuzzing::exerciseDisc(env.dataDir(), kind, seed(dir, name));
        EXPECT_TRUE(out.faults.isEmpty()) << name << ": " << out.faults.join('\n').toStdString();
        return out.info;
    }

    TestEnv env;
    const QString m_cwd;
};

TEST_F(DiscCorpus, ValidSeedsReadAndNoneBreaksTheReader)
{
    for (const Corpus &c : kCorpora) {
        const QFileInfoList files =
            QDir(QStringLiteral(VELMORA_SOURCE_DIR "/fuzz/") + c.dir).entryInfoList(QDir::Files);
        ASSERT_GE(files.size(), 10) << c.dir << ": the seed corpus is missing";
        for (const QFileInfo &fi : files) {
            SCOPED_TRACE((c.dir + QStringLiteral("/") + fi.fileName()).toStdString());
            const QByteArray name = fi.fileName().toUtf8();
            const cd::DiscInfo info = read(c.dir, c.kind, name.constData());
            if (fi.fileName().startsWith("valid_")) {
                EXPECT_EQ(info.status, cd::DiscInfo::Status::Ok);
                EXPECT_FALSE(info.tracks.empty());
            }
        }
    }
}

TEST_F(DiscCorpus, CdTextOfEveryKindOfImage)
{
    cd::DiscInfo info = read("cue_corpus", DiscKind::Cue, "valid_album.cue");
    ASSERT_EQ(info.tracks.size(), 3u);
    EXPECT_EQ(info.title, QStringLiteral("Má vlast"));
    EXPECT_EQ(info.performer, QStringLiteral("Česká filharmonie"));
    EXPECT_EQ(info.tracks[2].title, QStringLiteral("Šárka"));

    info = read("cue_corpus", DiscKind::Cue, "valid_cdtextfile.cue");
    EXPECT_EQ(info.title, "Mala vlast");
    ASSERT_EQ(info.tracks.size(), 3u);
    EXPECT_EQ(info.tracks[1].title, "Vltava");

    info = read("cdtext_corpus", DiscKind::CdText, "valid_album.cdt");
    EXPECT_EQ(info.title, "Ma vlast");
    EXPECT_EQ(info.performer, "Ceska filharmonie");
    ASSERT_EQ(info.tracks.size(), 3u);
    EXPECT_EQ(info.tracks[0].title, "Vysehrad");
    EXPECT_EQ(read("cdtext_corpus", DiscKind::CdText, "valid_latin1.cdt").title,
              QStringLiteral("Má vlast"));

    info = read("toc_corpus", DiscKind::Toc, "valid_album.toc");
    ASSERT_EQ(info.tracks.size(), 3u);
    EXPECT_EQ(info.title, QStringLiteral("Má vlast"));
    EXPECT_EQ(info.tracks[1].title, "Vltava");

    info = read("nrg_corpus", DiscKind::Nrg, "valid_etn2_cdtext.nrg");
    ASSERT_EQ(info.tracks.size(), 3u);
    EXPECT_EQ(info.title, "Ma vlast");
    EXPECT_EQ(info.tracks[2].title, "Sarka");
}

// Found by the fuzzers and their seeds: lengths libcdio computes for tracks
// out of order or past the data, tables of contents of more tracks than
// libcdio's table holds or with tracks it gives no sector size (it divided
// by zero), and Nero images that made libcdio free a block twice or ask
// for all memory.
TEST_F(DiscCorpus, DamagedImagesAreRefusedAsUnreadable)
{
    for (const char *name : {"backwards.cue", "past_end.cue", "too_many_tracks.cue"})
        EXPECT_EQ(read("cue_corpus", DiscKind::Cue, name).status, cd::DiscInfo::Status::Unreadable)
            << name;
    EXPECT_FALSE(cd::tocIsSound(seed("toc_corpus", "many_tracks.toc")));
    EXPECT_TRUE(cd::tocIsSound(seed("toc_corpus", "valid_album.toc")));
    for (const char *name : {"many_tracks.toc", "track_without_mode.toc",
                             "mode2_without_length.toc", "found_track_mode_after_nul.toc"}) {
        EXPECT_FALSE(cd::tocIsSound(seed("toc_corpus", name))) << name;
        EXPECT_EQ(read("toc_corpus", DiscKind::Toc, name).status, cd::DiscInfo::Status::Unreadable)
            << name;
    }
    for (const char *name : {"cdtx_odd_length.nrg", "footer_past_end.nrg", "no_tracks.nrg",
                             "tab_in_cdtext.nrg", "found_tab_in_cdtext.nrg"}) {
        EXPECT_FALSE(cd::nrgIsSound(seed("nrg_corpus", name))) << name;
        EXPECT_EQ(read("nrg_corpus", DiscKind::Nrg, name).status, cd::DiscInfo::Status::Unreadable)
            << name;
    }
    // CD-Text that libcdio refuses only costs a cue sheet its texts.
    const cd::DiscInfo info = read("cdtext_corpus", DiscKind::CdText, "no_size_packs.cdt");
    EXPECT_EQ(info.status, cd::DiscInfo::Status::Ok);
    EXPECT_TRUE(info.title.isEmpty());
}

// An Enhanced CD: songs in the first session, data in the second. The
// first session ends 11,400 frames (lead-out, lead-in, pregap) before the
// data track begins; that gap belongs to no track.
TEST_F(DiscCorpus, TheLastSongBeforeADataSessionEndsWithItsSession)
{
    const QString cue = writeCueImage(env.dataDir(), QStringLiteral("enhanced"),
                                      {{frames(2, 30)},
                                       {frames(3, 45, 12)},
                                       {frames(10, 0), false, QString(), 2},
                                       {frames(1, 0), false, QString(), 2}});
    const cd::DiscInfo info = cd::readDisc(cue);
    ASSERT_EQ(info.status, cd::DiscInfo::Status::Ok);
    ASSERT_EQ(info.tracks.size(), 4u);
    EXPECT_EQ(info.tracks[0].frames, frames(2, 30));
    EXPECT_EQ(info.tracks[1].frames, frames(3, 45, 12));
    EXPECT_TRUE(info.tracks[1].audio);
    EXPECT_FALSE(info.tracks[2].audio);
    EXPECT_EQ(info.tracks[2].frames, frames(10, 0)); // within the second session
    EXPECT_EQ(info.tracks[3].frames, frames(1, 0));

    // Two tracks at one place: the first of them has no length to give.
    const cd::DiscInfo none = cd::readDisc(writeCueImage(env.dataDir(), QStringLiteral("none"),
                                                         {{frames(1, 0)}, {0}, {frames(1, 0)}}));
    ASSERT_EQ(none.status, cd::DiscInfo::Status::Ok);
    EXPECT_EQ(none.tracks[1].frames, 0);
}

TEST(ImageCheck, TheSecondSessionOfACueSheet)
{
    const QByteArray enhanced = "FILE \"a.bin\" BINARY\nREM SESSION 01\n  TRACK 01 AUDIO\n"
                                "    INDEX 01 00:00:00\n  TRACK 02 AUDIO\n    INDEX 01 01:00:00\n"
                                "REM SESSION 02\n  TRACK 03 MODE1/2352\n    INDEX 01 04:32:00\n";
    EXPECT_EQ(cd::cueSecondSessionTrack(enhanced), 3);
    QByteArray single = enhanced;
    single.replace("REM SESSION 02\n", "REM a comment\n");
    EXPECT_EQ(cd::cueSecondSessionTrack(single), 0);
    EXPECT_EQ(cd::cueSecondSessionTrack("REM SESSION 02\n"), 0); // no track follows
    EXPECT_EQ(cd::cueSecondSessionTrack(""), 0);
}

TEST(ImageCheck, CdTextReadingFollowsTheParser)
{
    using cd::CdTextReading;
    const QByteArray good = fuzzing::cdTextPacks({{"Disk", "Jedna"}});
    EXPECT_EQ(cd::cdTextReading(good), CdTextReading::Read);
    EXPECT_EQ(cd::cdTextReading(good.left(good.size() - 1)), CdTextReading::Refused);
    EXPECT_EQ(cd::cdTextReading(good.left(18)), CdTextReading::Refused); // no size packs
    QByteArray doubleByte = good;
    doubleByte[3] = char(0x80);
    EXPECT_EQ(cd::cdTextReading(doubleByte), CdTextReading::Refused);
    EXPECT_EQ(cd::cdTextReading(fuzzing::cdTextPacks({{QByteArray(255, 'x')}})),
              CdTextReading::Read);
    EXPECT_EQ(cd::cdTextReading(seed("cdtext_corpus", "unterminated_title.cdt")),
              CdTextReading::Overruns);
    EXPECT_FALSE(cd::cdTextFileIsSound(seed("cdtext_corpus", "unterminated_title.cdt")));
    EXPECT_TRUE(cd::cdTextFileIsSound(seed("cdtext_corpus", "odd_length.cdt")));
    for (const char *name : {"valid_etn2_cdtext.nrg", "valid_etnf_v50.nrg", "valid_cuex_daox.nrg"})
        EXPECT_TRUE(cd::nrgIsSound(seed("nrg_corpus", name))) << name;
}

} // namespace
} // namespace velmora::test
