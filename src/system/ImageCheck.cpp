#include "system/ImageCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <cstdint>

namespace velmora::cd {
namespace {

constexpr qsizetype kPack = 18;
constexpr int kTextBuffer = 256; // libcdio gathers one text in so many bytes
constexpr int kMaxTracks = 99;
// The footer and the chunks before it lie in the last few KiB of an image.
constexpr qsizetype kNrgTail = 4096 + 12;
// A cue sheet of 99 tracks with all their texts fits many times over.
constexpr qsizetype kCueReadLimit = 1 << 20;

const uint8_t *bytesOf(const QByteArray &a)
{
    return reinterpret_cast<const uint8_t *>(a.constData());
}

uint32_t be32(const uint8_t *p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

uint64_t be64(const uint8_t *p)
{
    return uint64_t(be32(p)) << 32 | be32(p + 4);
}

bool isTextPack(uint8_t type)
{
    return (type >= 0x80 && type <= 0x87) || type == 0x8E;
}

// The lines of a cue sheet as libcdio's line reader cuts them (at most
// 4095 bytes a line), each up to its first NUL.
QList<QByteArray> cueLines(const QByteArray &sheet)
{
    QList<QByteArray> lines;
    qsizetype at = 0;
    while (at < sheet.size()) {
        qsizetype end = sheet.indexOf('\n', at);
        end = end < 0 ? sheet.size() : end + 1;
        end = qMin(end, at + 4095);
        QByteArray line = sheet.mid(at, end - at);
        const qsizetype nul = line.indexOf('\0');
        lines.append(nul < 0 ? line : line.left(nul));
        at = end;
    }
    return lines;
}

// The file name after CDTEXTFILE, taken the way libcdio's tokenizer takes
// it; empty for other lines.
QByteArray cdTextFileName(const QByteArray &line)
{
    static const QByteArray blanks(" \t\n\r");
    static const QByteArray quoteEnds("\"\t\n\r");
    qsizetype at = 0;
    while (at < line.size() && blanks.contains(line[at]))
        ++at;
    qsizetype end = at;
    while (end < line.size() && !blanks.contains(line[end]))
        ++end;
    if (line.mid(at, end - at) != "CDTEXTFILE" || end >= line.size())
        return {};
    at = end + 1;
    while (at < line.size() && quoteEnds.contains(line[at]))
        ++at;
    end = at;
    while (end < line.size() && !quoteEnds.contains(line[end]))
        ++end;
    return line.mid(at, end - at);
}

} // namespace

CdTextReading cdTextReading(const QByteArray &packs)
{
    const qsizetype n = packs.size();
    if (n < kPack || n % kPack != 0)
        return CdTextReading::Refused;
    const uint8_t *p = bytesOf(packs);
    int block = -1;
    int seq = 0;
    int text = 0; // bytes of the text being gathered, across packs
    for (qsizetype at = 0; at < n; at += kPack) {
        const uint8_t *pack = p + at;
        const int packBlock = (pack[3] >> 4) & 0x07;
        if (packBlock != block || pack[2] != seq) {
            // A new block is read with its size information, found in the
            // packs from here on; without three size packs it is refused.
            block = packBlock;
            seq = 0;
            int sizePacks = 0;
            for (qsizetype i = at; i + kPack <= n; i += kPack)
                if (p[i] == 0x8F && p[i + 1] == 1)
                    sizePacks = p[i + 4 + 7];
            if (sizePacks != 3)
                return CdTextReading::Refused;
        }
        if (pack[3] & 0x80)
            return CdTextReading::Refused; // double-byte text
        if (isTextPack(pack[0])) {
            int j = pack[0] == 0x87 && pack[4] <= 31 ? 2 : 0; // a genre code first
            for (; j < 12; ++j) {
                if (pack[4 + j] != 0) {
                    if (text >= kTextBuffer)
                        return CdTextReading::Overruns;
                    ++text;
                } else if (text > 1) {
                    if (text >= kTextBuffer)
                        return CdTextReading::Overruns;
                    text = 0;
                }
            }
        }
        ++seq;
    }
    return CdTextReading::Read;
}

bool cdTextFileIsSound(const QByteArray &bytes)
{
    QByteArray data = bytes.left(kCdTextReadLimit);
    if (data.size() < 5)
        return true; // too small: libcdio refuses the sheet
    // libcdio takes a first byte past the pack types for a 4-byte header and
    // reads the data that much shorter.
    if (uint8_t(data[0]) > 0x80)
        data.chop(4);
    // Refused CD-Text leaves the disc without texts; only an overrun harms.
    return cdTextReading(data) != CdTextReading::Overruns;
}

bool cueIsSound(const QString &cuePath)
{
    QFile cue(cuePath);
    if (!cue.open(QIODevice::ReadOnly))
        return true;
    const QString dir = QFileInfo(cuePath).path();
    for (const QByteArray &line : cueLines(cue.readAll())) {
        const QByteArray name = cdTextFileName(line);
        if (name.isEmpty())
            continue;
        const QString file = QFile::decodeName(name);
        QFile text(file.startsWith(QLatin1Char('/')) ? file : dir + QLatin1Char('/') + file);
        if (text.open(QIODevice::ReadOnly) && !cdTextFileIsSound(text.read(kCdTextReadLimit)))
            return false;
    }
    return true;
}

int cueSecondSessionTrack(const QByteArray &sheet)
{
    int tracks = 0;
    bool laterSession = false;
    for (const QByteArray &line : cueLines(sheet)) {
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.value(0) == "REM" && words.value(1).toUpper() == "SESSION") {
            bool ok = false;
            const int session = words.value(2).toInt(&ok);
            laterSession = laterSession || (ok && session >= 2);
        } else if (words.value(0) == "TRACK") {
            ++tracks;
            if (laterSession)
                return tracks;
        }
    }
    return 0;
}

int cueFileSecondSessionTrack(const QString &cuePath)
{
    // Only a regular file: a pipe put in the sheet's place must not hold
    // the reading.
    if (!QFileInfo(cuePath).isFile())
        return 0;
    QFile cue(cuePath);
    if (!cue.open(QIODevice::ReadOnly))
        return 0;
    return cueSecondSessionTrack(cue.read(kCueReadLimit));
}

namespace {

// The chunks of a Nero image from the last bytes of the file (tail) and the
// file's size: the footer's offset counts from the start of the file.
bool nrgTailIsSound(const QByteArray &tail, qint64 fileSize)
{
    const qsizetype size = tail.size();
    if (size < 12)
        return false;
    const uint8_t *p = bytesOf(tail);
    uint64_t footer = 0;
    if (be32(p + size - 8) == 0x4E45524F) // "NERO": 32-bit offset
        footer = be32(p + size - 4);
    else if (be32(p + size - 12) == 0x4E455235) // "NER5": 64-bit offset
        footer = be64(p + size - 8);
    else
        return true; // no Nero image: libcdio refuses it
    // libcdio reads the chunks whole into a buffer of at most 4 KiB.
    const uint64_t skipped = uint64_t(fileSize - size);
    if (footer >= uint64_t(fileSize) || uint64_t(fileSize) - footer > 4096 || footer < skipped)
        return false;
    const uint8_t *area = p + (footer - skipped);
    const qsizetype areaSize = qsizetype(uint64_t(fileSize) - footer);
    int tracks = 0;
    bool mapped = false;
    for (qsizetype pos = 0; pos < areaSize;) {
        if (areaSize - pos < 8)
            return false;
        const uint32_t id = be32(area + pos);
        const uint64_t len = be32(area + pos + 4);
        if (len > uint64_t(areaSize - pos - 8))
            return false;
        const uint8_t *data = area + pos + 8;
        const qsizetype count8 = qsizetype(len / 8);
        switch (id) {
        case 0x43554553: // "CUES": pairs of entries from the second on
        case 0x43554558: // "CUEX": pairs from the third on, the first at -150
            if (mapped || len % 8 != 0 || count8 < 2)
                return false;
            for (qsizetype i = 0; i < count8; ++i)
                if ((data[i * 8 + 2] >> 4) > 1)
                    return false;
            if (id == 0x43554558) {
                if (count8 % 2 != 0 || int32_t(be32(data + 4)) != -150)
                    return false;
                for (qsizetype i = 2; i < count8; i += 2)
                    if (data[i * 8 + 1] == data[(i + 1) * 8 + 1])
                        return false;
                tracks = int((count8 - 2) / 2);
            } else {
                for (qsizetype i = 1; i + 1 < count8; i += 2)
                    if (data[i * 8 + 1] != data[(i + 1) * 8 + 1])
                        return false;
                tracks = int((count8 - 1) / 2);
            }
            mapped = true;
            break;
        case 0x45544E46: // "ETNF": 20 bytes a track
        case 0x45544E32: // "ETN2": 32 bytes a track
        {
            const uint64_t entry = id == 0x45544E46 ? 20 : 32;
            if (mapped || len % entry != 0)
                return false;
            tracks = int(len / entry);
            for (int i = 0; i < tracks && id == 0x45544E46; ++i) {
                const uint8_t *e = data + i * 20;
                const uint32_t mode = be32(e + 8);
                const uint32_t blockSize = mode == 7                                  ? 2352
                                           : (mode == 3 || mode == 6 || mode == 0x20) ? 2336
                                                                                      : 2048;
                if (be32(e + 4) % blockSize != 0 || be32(e + 12) * blockSize != be32(e))
                    return false;
            }
            mapped = true;
            break;
        }
        case 0x44414F58: // "DAOX": a head of 22 bytes, 42 bytes a track, one at least
        case 0x44414F49: // "DAOI": 30 bytes a track
            if (len < 22 + uint64_t(qMax(tracks, 1)) * (id == 0x44414F58 ? 42 : 30))
                return false;
            break;
        case 0x53494E46: // "SINF"
        case 0x4D545950: // "MTYP"
            if (len != 4)
                return false;
            break;
        case 0x43445458: // "CDTX"
        {
            // Here refused CD-Text is freed twice: it must read. libcdio 2.1
            // also refuses some texts that begin with a tab ("as the track
            // before"), so a tab in any text refuses the image.
            const QByteArray text =
                QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(len));
            if (cdTextReading(text) != CdTextReading::Read)
                return false;
            for (qsizetype at = 0; at + kPack <= text.size(); at += kPack)
                if (isTextPack(uint8_t(text[at])) && text.mid(at + 4, 12).contains('\t'))
                    return false;
        } break;
        case 0x454E4421: // "END!"
            pos = areaSize;
            continue;
        default:
            break;
        }
        pos += 8 + qsizetype(len);
    }
    return tracks >= 1 && tracks <= kMaxTracks;
}

} // namespace

bool tocIsSound(const QByteArray &toc)
{
    // Each track names a mode that libcdio gives a sector size: for the
    // others it divides by zero when a file's length is left to it. Long
    // lines are refused, as its line reader would cut them into more.
    static const QList<QByteArray> modes{"AUDIO", "MODE1", "MODE1_RAW", "MODE2_FORM_MIX",
                                         "MODE2_RAW"};
    for (const QByteArray &line : cueLines(toc)) {
        if (line.size() > 255)
            return false;
        const QList<QByteArray> words = line.simplified().split(' ');
        if (words.value(0) == "TRACK" && !modes.contains(words.value(1)))
            return false;
    }
    // Every word TRACK counts, in a text or not: more than a disc can hold
    // is refused either way.
    int tracks = 0;
    static const QByteArray blanks(QByteArray(" \t\n\r") + '\0');
    qsizetype at = 0;
    while (at < toc.size()) {
        while (at < toc.size() && blanks.contains(toc[at]))
            ++at;
        qsizetype end = at;
        while (end < toc.size() && !blanks.contains(toc[end]))
            ++end;
        if (end - at == 5 && toc.mid(at, 5) == "TRACK" && ++tracks > kMaxTracks)
            return false;
        at = end;
    }
    return true;
}

bool tocFileIsSound(const QString &path)
{
    QFile f(path);
    return !f.open(QIODevice::ReadOnly) || tocIsSound(f.readAll());
}

bool nrgIsSound(const QByteArray &image)
{
    return nrgTailIsSound(image.right(kNrgTail), image.size());
}

bool nrgFileIsSound(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return true; // libcdio cannot open it either
    const qint64 size = f.size();
    const qint64 tail = qMin<qint64>(size, kNrgTail);
    if (!f.seek(size - tail))
        return false;
    return nrgTailIsSound(f.read(tail), size);
}

} // namespace velmora::cd
