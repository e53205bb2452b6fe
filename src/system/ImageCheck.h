#pragma once

// Checks of disc image files before libcdio reads them. Its readers of Nero
// images and of binary CD-Text trust what they read: lengths and counts out
// of range make them write past their buffers or free a block twice. An
// image that fails here is told as unreadable, as a damaged one is.

#include <QByteArray>
#include <QString>

namespace velmora::cd {

// The most of a CD-Text file that libcdio reads.
inline constexpr qsizetype kCdTextReadLimit = 9216;

// How libcdio's parser fares with binary CD-Text packs: it reads them, or
// refuses them (not whole packs, a block without size information, double-
// byte text), or a text runs past its buffer of 256 bytes.
enum class CdTextReading
{
    Read,
    Refused,
    Overruns,
};
CdTextReading cdTextReading(const QByteArray &packs);

// A CD-Text file named by a cue sheet, read the way libcdio reads it (at
// most kCdTextReadLimit bytes, without a leading 4-byte header): sound
// unless a text overruns. Refused CD-Text leaves the disc without texts.
bool cdTextFileIsSound(const QByteArray &bytes);

// Every CD-Text file the cue sheet names is sound; a file that cannot be
// read is left to libcdio, which refuses the sheet then.
bool cueIsSound(const QString &cuePath);

// The track (counted from 1 in the order of the sheet) that opens the
// second session of a cue sheet, as its "REM SESSION 02" mark places it;
// 0 when the sheet marks no later session.
int cueSecondSessionTrack(const QByteArray &sheet);
int cueFileSecondSessionTrack(const QString &cuePath);

// A cdrdao table of contents names at most 99 tracks: libcdio writes past
// its table of tracks for more.
bool tocIsSound(const QByteArray &toc);
bool tocFileIsSound(const QString &path);

// The footer and chunks of a Nero image: inside the file, of the sizes
// their kinds have, 1 to 99 tracks, CD-Text that reads.
bool nrgIsSound(const QByteArray &image);
bool nrgFileIsSound(const QString &path);

} // namespace velmora::cd
