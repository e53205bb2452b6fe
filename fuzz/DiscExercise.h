#pragma once

// One reading of a disc image held in memory: the bytes become an image file
// of one kind beside a raw track file, and cd::readDisc reads it as the
// track-count dialog reads a chosen image. The fuzzers and the corpus replay
// test both run it.

#include "system/CdDrive.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace velmora::fuzzing {

enum class DiscKind
{
    Cue,    // a cue sheet; disc.bin beside it, fixed.cdt for its CDTEXTFILE
    CdText, // the CD-Text file that a fixed cue sheet names
    Toc,    // a cdrdao table of contents naming disc.bin
    Nrg,    // a Nero image, whole in one file
};

// Frames of each raw track file: a short disc of three tracks fits.
inline constexpr int kDiscFrames = 2000;

// CRC of a CD-Text pack: CCITT polynomial, stored inverted, high byte first.
inline uint16_t cdTextCrc(const char *p, int n)
{
    uint16_t crc = 0;
    for (int i = 0; i < n; ++i) {
        crc ^= uint16_t(uint8_t(p[i]) << 8);
        for (int b = 0; b < 8; ++b)
            crc = (crc & 0x8000) ? uint16_t((crc << 1) ^ 0x1021) : uint16_t(crc << 1);
    }
    return uint16_t(~crc);
}

// Binary CD-Text of one block in Latin-1: for each pack type (0x80 titles,
// 0x81 performers) the texts of the disc (index 0) and of each track.
inline QByteArray cdTextPacks(const QList<QList<QByteArray>> &kinds)
{
    QByteArray out;
    int seq = 0;
    int counts[16] = {};
    auto pack = [&](uint8_t type, uint8_t track, uint8_t charPos, const QByteArray &text) {
        QByteArray p(18, '\0');
        p[0] = char(type);
        p[1] = char(track);
        p[2] = char(seq++);
        p[3] = char(charPos & 0x0F);
        for (int i = 0; i < 12 && i < text.size(); ++i)
            p[4 + i] = text[i];
        const uint16_t crc = cdTextCrc(p.constData(), 16);
        p[16] = char(crc >> 8);
        p[17] = char(crc & 0xFF);
        out += p;
        ++counts[type & 0x0F];
    };
    int lastTrack = 1;
    for (int kind = 0; kind < kinds.size(); ++kind) {
        QByteArray all;
        QList<int> owner; // the track of each byte
        for (int t = 0; t < kinds[kind].size(); ++t) {
            all += kinds[kind][t] + '\0';
            owner += QList<int>(kinds[kind][t].size() + 1, t);
            lastTrack = qMax(lastTrack, t);
        }
        for (int at = 0; at < all.size(); at += 12) {
            int charPos = 0;
            while (at - charPos - 1 >= 0 && owner[at - charPos - 1] == owner[at])
                ++charPos;
            pack(uint8_t(0x80 + kind), uint8_t(owner[at]), uint8_t(qMin(charPos, 15)),
                 all.mid(at, 12));
        }
    }
    // Three size packs: code page, tracks, pack counts, last sequence number,
    // language of block 0.
    counts[15] = 3;
    QByteArray size(36, '\0');
    size[0] = 0x00; // ISO 8859-1
    size[1] = 1;
    size[2] = char(lastTrack);
    for (int i = 0; i < 16; ++i)
        size[4 + i] = char(counts[i]);
    size[20] = char(seq + 2);
    size[28] = 0x09; // English
    for (int i = 0; i < 3; ++i)
        pack(0x8F, uint8_t(i), 0, size.mid(i * 12, 12));
    return out;
}

// The cue sheet that names the CD-Text file under test.
inline QByteArray cdTextCue(const QByteArray &cdtName, const QByteArray &binName)
{
    return "CDTEXTFILE \"" + cdtName + "\"\r\nFILE \"" + binName +
           "\" BINARY\r\n"
           "  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n"
           "  TRACK 02 AUDIO\r\n    INDEX 01 00:08:00\r\n"
           "  TRACK 03 AUDIO\r\n    INDEX 01 00:16:00\r\n";
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A directory prepared for the readings: the raw track files and a valid
// CD-Text file that cue sheets may name.
inline bool prepareDiscDir(const QString &dir)
{
    for (const char *bin : {"/disc.bin", "/text.bin"}) {
        QFile f(dir + QLatin1String(bin));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            !f.resize(qint64(kDiscFrames) * 2352))
            return false;
    }
    const QByteArray text = cdTextPacks({{"Mala vlast", "Vysehrad", "Vltava", "Sarka"},
                                         {"Ceska filharmonie", "Smetana", "Smetana", "Smetana"}});
    return writeBytes(dir + QStringLiteral("/fixed.cdt"), text) &&
           writeBytes(dir + QStringLiteral("/text.cue"), cdTextCue("input.cdt", "text.bin"));
}

// Writes the image of the kind; returns the path to read.
inline QString writeDiscImage(const QString &dir, DiscKind kind, const QByteArray &bytes)
{
    QString path;
    switch (kind) {
    case DiscKind::Cue:
        path = dir + QStringLiteral("/disc.cue");
        break;
    case DiscKind::CdText:
        writeBytes(dir + QStringLiteral("/input.cdt"), bytes);
        return dir + QStringLiteral("/text.cue");
    case DiscKind::Toc:
        path = dir + QStringLiteral("/disc.toc");
        break;
    case DiscKind::Nrg:
        path = dir + QStringLiteral("/disc.nrg");
        break;
    }
    writeBytes(path, bytes);
    return path;
}

struct DiscOutcome
{
    cd::DiscInfo info;
    QStringList faults; // broken promises of the reader: bugs, not bad input
};

// Reads the image as the program does (readDisc, its reading on a thread of
// its own), or only the reading itself on the calling thread (here).
inline DiscOutcome exerciseDisc(const QString &dir, DiscKind kind, const QByteArray &bytes,
                                bool here = false)
{
    DiscOutcome out;
    const QString path = writeDiscImage(dir, kind, bytes);
    out.info = here ? cd::readDiscHere(path) : cd::readDisc(path);
    const cd::DiscInfo &info = out.info;
    if (info.status == cd::DiscInfo::Status::TimedOut)
        out.faults << QStringLiteral("reading the image timed out");
    else if (info.status == cd::DiscInfo::Status::Busy)
        out.faults << QStringLiteral("an earlier reading is still running");
    if (info.status != cd::DiscInfo::Status::Ok)
        return out;
    // A disc holds 1 to 99 tracks, none of negative length.
    if (info.tracks.empty() || info.tracks.size() > 99)
        out.faults << QStringLiteral("%1 tracks").arg(info.tracks.size());
    for (size_t i = 0; i < info.tracks.size(); ++i)
        if (info.tracks[i].frames < 0)
            out.faults
                << QStringLiteral("track %1 of %2 frames").arg(i + 1).arg(info.tracks[i].frames);
    return out;
}

} // namespace velmora::fuzzing
