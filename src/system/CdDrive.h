#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace velmora::cd {

// The layer over libcdio: the CD drives of the machine and the table of
// contents of the disc in one of them, or of a disc image (.cue with its
// .bin, .toc, .nrg) read the same way.

inline constexpr int kFramesPerSecond = 75;
// The longest a disc can be, 99:59:74.
inline constexpr int kMaxDiscFrames = (99 * 60 + 59) * kFramesPerSecond + 74;
// Between the end of a disc's first session and the first track of the
// next one: the lead-out (90 s), the next lead-in (60 s) and the pregap
// (2 s). On an Enhanced CD it lies after the last audio track.
inline constexpr int kSessionGapFrames = 11400;

struct TrackInfo
{
    // Length in frames of 1/75 s; 0 when it cannot be read (no track is
    // that short).
    int frames = 0;
    // Where the track begins, as a logical block address: frames counted
    // with the 2 s before the first track (150 for a first track at the
    // start), as disc IDs take it.
    int start = 0;
    bool audio = false;
    QString title; // CD-Text, empty without
};

struct DiscInfo
{
    enum class Status
    {
        Ok,
        Unreadable, // no disc, no such drive or image, or a damaged one
        TimedOut,   // the drive did not answer in time
        Busy,       // an earlier reading that timed out is still running
    };
    Status status = Status::Unreadable;
    std::vector<TrackInfo> tracks;
    int firstTrack = 1; // the number of tracks[0]
    int leadout = 0;    // the lead-out's address, as TrackInfo::start
    QString title;      // CD-Text of the disc
    QString performer;  // CD-Text of the disc
    // An image ending in a data track that does not tell where a later
    // session begins (a Nero or cdrdao image, a cue sheet without a second
    // session), so neither where the music ends nor the disc's own disc ID.
    bool musicEndUnknown = false;
};

// The CD drives libcdio finds ("/dev/sr0"), in its order.
QStringList devices();
// A file that is read as a disc image rather than a drive.
bool isImageFile(const QString &path);

// Reads the table of contents. The drive is asked on a thread of its own
// while the caller waits at most the time set below with the waiting
// cursor shown, so a drive that hangs never freezes the program.
DiscInfo readDisc(const QString &device);
// The same reading on the calling thread, without a time limit: what
// readDisc runs on a thread of its own.
DiscInfo readDiscHere(const QString &device);
void setTimeoutMs(int ms); // 20 s unless set
int timeoutMs();

// The drive or image given on the command line (--cd-device PATH).
void setPreferredDevice(const QString &device);
QString preferredDevice();

} // namespace velmora::cd
