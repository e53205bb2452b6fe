#pragma once

// Real disc images for the CD reader: a cue sheet with its raw .bin beside
// it, as a ripping program leaves them. The .bin is sparse, so a disc of
// many minutes costs no disk space. A track of a later session follows a
// "REM SESSION" mark and, as on the disc, the lead-out of the first session,
// the lead-in of the next and a pregap lie before it.

#include <QFile>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

namespace velmora::test {

struct ImageTrack
{
    ImageTrack(int length, bool isAudio = true, const QString &text = QString(), int inSession = 1)
        : frames(length), audio(isAudio), title(text), session(inSession)
    {
    }
    int frames = 0; // 75 per second
    bool audio = true;
    QString title; // CD-Text; empty for none
    int session = 1;
};

// The lead-out of a first session (90 s), the lead-in of the second (60 s)
// and the pregap of its first track (2 s), in frames.
inline constexpr int kFirstSessionGap = (90 + 60 + 2) * 75;

inline int frames(int minutes, int seconds, int frames = 0)
{
    return (minutes * 60 + seconds) * 75 + frames;
}

inline QString msf(int f)
{
    return QStringLiteral("%1:%2:%3")
        .arg(f / 75 / 60, 2, 10, QLatin1Char('0'))
        .arg(f / 75 % 60, 2, 10, QLatin1Char('0'))
        .arg(f % 75, 2, 10, QLatin1Char('0'));
}

// Writes <dir>/<base>.cue and <dir>/<base>.bin; returns the cue's path.
inline QString writeCueImage(const QString &dir, const QString &base,
                             const std::vector<ImageTrack> &tracks,
                             const QString &discTitle = QString(),
                             const QString &performer = QString())
{
    QString cue;
    if (!performer.isEmpty())
        cue += QStringLiteral("PERFORMER \"%1\"\n").arg(performer);
    if (!discTitle.isEmpty())
        cue += QStringLiteral("TITLE \"%1\"\n").arg(discTitle);
    cue += QStringLiteral("FILE \"%1.bin\" BINARY\n").arg(base);
    int at = 0;
    int session = 1;
    for (size_t i = 0; i < tracks.size(); ++i) {
        if (tracks[i].session != session) {
            session = tracks[i].session;
            cue += QStringLiteral("REM SESSION %1\n").arg(session, 2, 10, QLatin1Char('0'));
            if (session == 2)
                at += kFirstSessionGap;
        }
        cue += QStringLiteral("  TRACK %1 %2\n")
                   .arg(i + 1, 2, 10, QLatin1Char('0'))
                   .arg(tracks[i].audio ? QStringLiteral("AUDIO") : QStringLiteral("MODE1/2352"));
        if (!tracks[i].title.isEmpty())
            cue += QStringLiteral("    TITLE \"%1\"\n").arg(tracks[i].title);
        cue += QStringLiteral("    INDEX 01 %1\n").arg(msf(at));
        at += tracks[i].frames;
    }
    const QString cuePath = dir + QLatin1Char('/') + base + QStringLiteral(".cue");
    QFile c(cuePath);
    EXPECT_TRUE(c.open(QIODevice::WriteOnly));
    c.write(cue.toUtf8());
    QFile bin(dir + QLatin1Char('/') + base + QStringLiteral(".bin"));
    EXPECT_TRUE(bin.open(QIODevice::WriteOnly));
    EXPECT_TRUE(bin.resize(qint64(at) * 2352));
    return cuePath;
}

} // namespace velmora::test
