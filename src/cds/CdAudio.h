#pragma once

#include "system/CdDrive.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace velmora {

// Reading the track table of an audio CD, in a drive or from a disc image.
// The routines keep the shape of the CD audio device interface: a device is
// opened and gets a number, its tracks are counted and measured in
// minutes-seconds-frames, and it is closed again.

inline const QString kDrivePrefix = QStringLiteral("CD Rom ");
inline const QString kNoDrive = QStringLiteral("CD: Není!");
// The last entry of the drive list: a disc image chosen in a file dialog.
inline const QString kImageEntry = QStringLiteral("Obraz disku ...");
inline const QString kNotFound = QStringLiteral("Nezjištěno ...");

// "CD Rom /dev/sr0" for every drive; "CD: Není!" when there is none.
QStringList ListCdDrives();
// The drive of an entry: what follows "CD Rom " (nothing for other entries).
QString driveOf(const QString &entry);
QString driveEntry(const QString &drive);

// Whether the drive (or image) holds an audio CD: a disc whose first track
// is audio. False for an empty drive, a data disc or an unreadable image.
bool IsAudioCd(const QString &drive);
// Opens the disc and returns its device number; 0 when it cannot be opened
// (the commands on 0 then fail).
int OpenCdAudio(const QString &drive);
// 0 on success, otherwise an error code for CdErrorText.
int SetMsfTimeFormat(int device);
// The number of tracks as text, "Nezjištěno ..." when it cannot be had.
QString TrackCount(int device);
// The length of a track (1..) packed as minutes + seconds * 256 + frames *
// 65536, as text; "Nezjištěno ..." when it cannot be had, also for a track
// whose length the disc does not tell.
QString TrackLength(int device, int track);
void CloseCdAudio(int device);
// The words for an error code; empty when there are none.
QString CdErrorText(int code);

// One track as the reading gives it.
struct ReadTrack
{
    QString title; // "Stopa n", or the disc's CD-Text title
    int minutes = 0;
    int seconds = 0;
};
struct CdReading
{
    std::vector<ReadTrack> tracks;
    QString title;     // CD-Text of the disc, empty without
    QString performer; // CD-Text of the disc, empty without
    // The table of contents as read, data tracks included: what the disc
    // is looked up by.
    cd::DiscInfo disc;
};

// The whole reading of a drive: every failure is told to the user here and
// gives no result; the device is closed whatever happened.
std::optional<CdReading> readAudioCd(const QString &drive);

} // namespace velmora
