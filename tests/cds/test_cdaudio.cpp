// Reading audio CDs, through libcdio, from real disc images written here.

#include "DiscImages.h"
#include "ScriptedAnswerer.h"
#include "TestEnv.h"
#include "cds/CdAudio.h"
#include "system/CdDrive.h"

#include <QElapsedTimer>
#include <QThread>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {

class CdAudio : public ::testing::Test
{
protected:
    QString image(const std::vector<ImageTrack> &tracks, const QString &title = {},
                  const QString &performer = {})
    {
        return writeCueImage(env.dataDir(), QStringLiteral("disc"), tracks, title, performer);
    }
    TestEnv env;
    ScriptedAnswerer user;
};

} // namespace

TEST_F(CdAudio, LengthsDropTheFramesAndTitlesAreNumbered)
{
    const QString cue = image({{frames(3, 59, 74)}, {frames(4, 7)}, {frames(0, 2, 1)}});
    const auto reading = readAudioCd(cue);
    ASSERT_TRUE(reading.has_value()) << user.texts().join('|').toStdString();
    ASSERT_EQ(reading->tracks.size(), 3u);
    EXPECT_EQ(reading->tracks[0].title, "Stopa 1");
    EXPECT_EQ(reading->tracks[0].minutes, 3);
    EXPECT_EQ(reading->tracks[0].seconds, 59); // 74 frames are not rounded up
    EXPECT_EQ(reading->tracks[1].minutes, 4);
    EXPECT_EQ(reading->tracks[1].seconds, 7);
    EXPECT_EQ(reading->tracks[2].title, "Stopa 3");
    EXPECT_TRUE(reading->title.isEmpty());
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(CdAudio, TwelveTracksGiveTwelveRowsInOrder)
{
    std::vector<ImageTrack> tracks;
    for (int i = 1; i <= 12; ++i)
        tracks.push_back({frames(0, i * 3)});
    const auto reading = readAudioCd(image(tracks));
    ASSERT_TRUE(reading.has_value());
    ASSERT_EQ(reading->tracks.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(reading->tracks[size_t(i)].title, QStringLiteral("Stopa %1").arg(i + 1));
        EXPECT_EQ(reading->tracks[size_t(i)].seconds, (i + 1) * 3);
    }
}

TEST_F(CdAudio, DataDiscsMissingImagesAndEmptyDrivesAreNoAudioCd)
{
    const QString data = image({{frames(1, 0), false}});
    EXPECT_FALSE(IsAudioCd(data));
    EXPECT_FALSE(readAudioCd(data).has_value());
    EXPECT_FALSE(readAudioCd(env.file(QStringLiteral("none.cue"))).has_value());
    // "CD: Není!" names no drive.
    EXPECT_FALSE(readAudioCd(driveOf(kNoDrive)).has_value());
    ASSERT_EQ(user.shown.size(), 3);
    for (const auto &s : user.shown) {
        EXPECT_EQ(s.caption, "Chyba:");
        EXPECT_EQ(s.text, "Vámi zvolená mechanika neobsahuje vložený hudební disk, nelze načíst "
                          "informace! Změňte svoje požadavky ...");
    }
}

TEST_F(CdAudio, CdTextNamesTracksAndTheDisc)
{
    const QString cue = image({{frames(2, 0), true, QStringLiteral("Úvod")},
                               {frames(3, 0), true, QString()},
                               {frames(1, 30), true, QStringLiteral("Píseň")}},
                              QStringLiteral("Žluťoučký kůň"), QStringLiteral("Ďábelské ódy"));
    const auto reading = readAudioCd(cue);
    ASSERT_TRUE(reading.has_value());
    EXPECT_EQ(reading->title, QStringLiteral("Žluťoučký kůň"));
    EXPECT_EQ(reading->performer, QStringLiteral("Ďábelské ódy"));
    EXPECT_EQ(reading->tracks[0].title, QStringLiteral("Úvod"));
    EXPECT_EQ(reading->tracks[1].title, QStringLiteral("Stopa 2")); // no text for this one
    EXPECT_EQ(reading->tracks[2].title, QStringLiteral("Píseň"));
}

TEST_F(CdAudio, RoutinesKeepTheirResultsAndFailOnAClosedDevice)
{
    const QString cue = image({{frames(3, 59, 74)}, {frames(0, 10)}});
    ASSERT_TRUE(IsAudioCd(cue));
    const int device = OpenCdAudio(cue);
    ASSERT_NE(device, 0);
    EXPECT_EQ(SetMsfTimeFormat(device), 0);
    EXPECT_EQ(TrackCount(device), "2");
    // Minutes in the lowest byte, seconds in the next, frames above.
    EXPECT_EQ(TrackLength(device, 1).toUInt(), 3u + 59u * 256u + 74u * 65536u);
    EXPECT_EQ(TrackLength(device, 3), kNotFound);
    CloseCdAudio(device);
    EXPECT_EQ(TrackCount(device), kNotFound);
    EXPECT_EQ(TrackLength(device, 1), kNotFound);
    EXPECT_NE(SetMsfTimeFormat(device), 0);
    EXPECT_EQ(OpenCdAudio(env.file(QStringLiteral("none.cue"))), 0);
}

TEST_F(CdAudio, DriveEntriesNameTheirDevice)
{
    const QStringList drives = ListCdDrives();
    ASSERT_FALSE(drives.isEmpty());
    if (cd::devices().isEmpty()) {
        EXPECT_EQ(drives, QStringList{kNoDrive});
    }
    for (const QString &d : cd::devices())
        EXPECT_TRUE(drives.contains("CD Rom " + d));
    EXPECT_EQ(driveOf("CD Rom /dev/sr0"), "/dev/sr0");
    EXPECT_EQ(driveOf(kNoDrive), "");
    EXPECT_EQ(driveOf(kImageEntry), "");
    EXPECT_TRUE(cd::isImageFile("/x/Disk.CUE"));
    EXPECT_FALSE(cd::isImageFile("/dev/sr0"));
}

TEST_F(CdAudio, ADriveThatDoesNotAnswerIsGivenUpWithAMessage)
{
    // A cue sheet that is a pipe nobody writes: opening it blocks, as a
    // hanging drive does.
    const QString pipe = env.file(QStringLiteral("hang.cue"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const int before = cd::timeoutMs();
    cd::setTimeoutMs(300);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(readAudioCd(pipe).has_value());
    EXPECT_LT(clock.elapsed(), 5000);
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_TRUE(user.shown[0].text.startsWith("Mechanika " + pipe + " neodpověděla do 0 s"))
        << user.shown[0].text.toStdString();
    // While the first reading still hangs, another one is refused at once.
    EXPECT_FALSE(readAudioCd(image({{frames(1, 0)}})).has_value());
    EXPECT_EQ(user.shown.last().text, "Mechanika ještě dokončuje předchozí čtení.");
    // The drive answers at last: every time the reading opens the pipe, a
    // writer comes and goes, so it reads an empty file and gives up.
    const QString good = image({{frames(1, 0)}});
    bool answered = false;
    for (int i = 0; i < 200 && !answered; ++i) {
        const int fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        QThread::msleep(10);
        answered = IsAudioCd(good);
    }
    cd::setTimeoutMs(before);
    EXPECT_TRUE(answered);
    EXPECT_TRUE(readAudioCd(good).has_value());
}

TEST_F(CdAudio, TheGapBeforeTheDataSessionOfAnEnhancedCdIsNoMusic)
{
    // Two songs, then the data of a second session, as an Enhanced CD has.
    const QString cue =
        image({{frames(3, 10, 5)}, {frames(4, 0, 30)}, {frames(5, 0), false, QString(), 2}});
    const auto reading = readAudioCd(cue);
    ASSERT_TRUE(reading.has_value()) << user.texts().join('|').toStdString();
    ASSERT_EQ(reading->tracks.size(), 2u);
    EXPECT_EQ(reading->tracks[0].minutes, 3);
    EXPECT_EQ(reading->tracks[0].seconds, 10);
    // 4:00, not the 6:32 up to where the data session begins.
    EXPECT_EQ(reading->tracks[1].minutes, 4);
    EXPECT_EQ(reading->tracks[1].seconds, 0);
    EXPECT_TRUE(user.shown.isEmpty());

    const int device = OpenCdAudio(cue);
    EXPECT_EQ(TrackCount(device), "2");
    EXPECT_EQ(TrackLength(device, 2).toUInt(), 4u + 0u * 256u + 30u * 65536u);
    CloseCdAudio(device);

    // A single session of the same songs followed by data: nothing to take.
    const QString single =
        writeCueImage(env.dataDir(), QStringLiteral("single"),
                      {{frames(3, 10, 5)}, {frames(4, 0, 30)}, {frames(5, 0), false}});
    const auto whole = readAudioCd(single);
    ASSERT_TRUE(whole.has_value());
    EXPECT_EQ(whole->tracks[1].minutes, 4);
    EXPECT_EQ(whole->tracks[1].seconds, 0);
}

TEST_F(CdAudio, ATrackWithoutALengthStopsTheReadingAndTheDeviceIsClosed)
{
    // Tracks 2 and 3 begin at the same place: track 2 has no length.
    const QString cue = image({{frames(2, 0)}, {0}, {frames(1, 0)}});
    const int earlier = OpenCdAudio(cue);
    ASSERT_NE(earlier, 0);
    EXPECT_EQ(TrackLength(earlier, 1).toUInt(), 2u);
    EXPECT_EQ(TrackLength(earlier, 2), kNotFound);
    CloseCdAudio(earlier);

    EXPECT_FALSE(readAudioCd(cue).has_value());
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Chyba:");
    EXPECT_EQ(user.shown[0].text,
              "Délku stopy číslo 2 nelze zjistit, načtení z disku bylo přerušeno.");
    // The reading opened the next device number and closed it again.
    EXPECT_EQ(TrackCount(earlier + 1), kNotFound);
    EXPECT_NE(SetMsfTimeFormat(earlier + 1), 0);
}
