#include "system/CdDrive.h"

#include "system/ImageCheck.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include <cdio/cdio.h>
#include <cdio/cdtext.h>
#include <cdio/logging.h>

namespace velmora::cd {
namespace {

std::atomic<int> g_timeoutMs{20000};
std::atomic<bool> g_busy{false};
QString g_preferred;

void quietLog(cdio_log_level_t, const char *) {}

// CD-Text comes from libcdio as UTF-8 of Latin-1 bytes. Cue sheets are
// mostly written in UTF-8, which then arrives encoded twice: undo that.
QString cdText(const char *utf8)
{
    if (!utf8)
        return QString();
    const QString text = QString::fromUtf8(utf8).trimmed();
    bool latin = true;
    for (const QChar c : text)
        if (c.unicode() > 0xFF) {
            latin = false;
            break;
        }
    if (latin) {
        const QByteArray bytes = text.toLatin1();
        QString again = QString::fromUtf8(bytes);
        if (bytes != text.toUtf8() && !again.contains(QChar::ReplacementCharacter))
            return again;
    }
    return text;
}

// The libcdio driver for a drive or image, or DRIVER_UNKNOWN when the file
// is no image this program reads. Images are told by their suffix and
// checked first: left to guess, libcdio would try its Nero reader on any
// file.
driver_id_t driverFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("cue"))
        return cueIsSound(path) ? DRIVER_BINCUE : DRIVER_UNKNOWN;
    if (suffix == QLatin1String("toc"))
        return tocFileIsSound(path) ? DRIVER_CDRDAO : DRIVER_UNKNOWN;
    if (suffix == QLatin1String("nrg"))
        return nrgFileIsSound(path) ? DRIVER_NRG : DRIVER_UNKNOWN;
    return QFileInfo(path).isFile() ? DRIVER_UNKNOWN : DRIVER_DEVICE;
}

// The first track of the disc's second session; 0 when it has one session
// or the source does not tell. A drive tells where its last session begins;
// libcdio knows no sessions of an image, but a cue sheet marks them.
int secondSessionTrack(CdIo_t *p, driver_id_t driver, const QString &path, int first, int count)
{
    if (driver == DRIVER_BINCUE) {
        const int nth = cueFileSecondSessionTrack(path);
        return nth >= 2 && nth <= count ? first + nth - 1 : 0;
    }
    if (driver != DRIVER_DEVICE)
        return 0;
    lsn_t last = 0;
    if (cdio_get_last_session(p, &last) != DRIVER_OP_SUCCESS || last <= 0)
        return 0;
    // A disc of more sessions that begins with music holds its music in the
    // first session; the first data track after it opens the second.
    if (cdio_get_track_format(p, track_t(first)) != TRACK_FORMAT_AUDIO)
        return 0;
    for (int i = first + 1; i < first + count; ++i)
        if (cdio_get_track_format(p, track_t(i)) != TRACK_FORMAT_AUDIO)
            return i;
    return 0;
}

DiscInfo readNow(const QByteArray &device)
{
    DiscInfo info;
    const driver_id_t driver = driverFor(QFile::decodeName(device));
    if (driver == DRIVER_UNKNOWN)
        return info;
    CdIo_t *p = cdio_open(device.constData(), driver);
    if (!p)
        return info;
    const track_t first = cdio_get_first_track_num(p);
    const track_t count = cdio_get_num_tracks(p);
    // Track numbers run from 1 to 99; an image that names others is damaged.
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0 || first == 0 ||
        first + count - 1 > CDIO_CD_MAX_TRACKS) {
        cdio_destroy(p);
        return info;
    }
    const int secondSession =
        secondSessionTrack(p, driver, QFile::decodeName(device), first, count);
    cdtext_t *text = cdio_get_cdtext(p);
    for (int i = first; i < first + count; ++i) {
        TrackInfo t;
        const lba_t start = cdio_get_track_lba(p, track_t(i));
        // The track after the last one is the lead-out.
        const lba_t end = cdio_get_track_lba(p, track_t(i + 1));
        if (start != CDIO_INVALID_LBA)
            t.start = int(start);
        if (start != CDIO_INVALID_LBA && end != CDIO_INVALID_LBA) {
            // Tracks out of order or past the end of the data give no length
            // a disc can have, and such an image is damaged.
            int length = int(end - start);
            if (length < 0 || length > kMaxDiscFrames) {
                cdio_destroy(p);
                return DiscInfo();
            }
            // The last track of the first session ends where its session
            // does, not where the next session's first track begins. An
            // image that lays the sessions end to end has no gap to take.
            if (i + 1 == secondSession && length > kSessionGapFrames)
                length -= kSessionGapFrames;
            t.frames = length;
        }
        t.audio = cdio_get_track_format(p, track_t(i)) == TRACK_FORMAT_AUDIO;
        if (text)
            t.title = cdText(cdtext_get_const(text, CDTEXT_FIELD_TITLE, track_t(i)));
        info.tracks.push_back(t);
    }
    info.firstTrack = first;
    // A cue sheet says so by a second session; a Nero or cdrdao image
    // cannot say it at all.
    info.musicEndUnknown = (driver == DRIVER_NRG || driver == DRIVER_CDRDAO ||
                            (driver == DRIVER_BINCUE && secondSession == 0)) &&
                           info.tracks.size() > 1 && info.tracks.front().audio &&
                           !info.tracks.back().audio;
    if (const lba_t leadout = cdio_get_track_lba(p, CDIO_CDROM_LEADOUT_TRACK);
        leadout != CDIO_INVALID_LBA)
        info.leadout = int(leadout);
    if (text) {
        info.title = cdText(cdtext_get_const(text, CDTEXT_FIELD_TITLE, 0));
        info.performer = cdText(cdtext_get_const(text, CDTEXT_FIELD_PERFORMER, 0));
    }
    cdio_destroy(p);
    info.status = DiscInfo::Status::Ok;
    return info;
}

struct Reading
{
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    DiscInfo result;
};

} // namespace

DiscInfo readDiscHere(const QString &device)
{
    cdio_log_set_handler(quietLog);
    if (device.isEmpty())
        return {};
    return readNow(QFile::encodeName(device));
}

QStringList devices()
{
    cdio_log_set_handler(quietLog);
    QStringList out;
    char **list = cdio_get_devices(DRIVER_DEVICE);
    if (!list)
        return out;
    for (char **d = list; *d; ++d)
        out << QString::fromLocal8Bit(*d);
    cdio_free_device_list(list);
    out.removeDuplicates();
    return out;
}

bool isImageFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("cue") || suffix == QLatin1String("toc") ||
           suffix == QLatin1String("nrg");
}

DiscInfo readDisc(const QString &device)
{
    cdio_log_set_handler(quietLog);
    if (device.isEmpty())
        return {};
    bool expected = false;
    if (!g_busy.compare_exchange_strong(expected, true)) {
        DiscInfo busy;
        busy.status = DiscInfo::Status::Busy;
        return busy;
    }
    auto reading = std::make_shared<Reading>();
    const QByteArray name = QFile::encodeName(device);
    std::thread([reading, name] {
        DiscInfo info = readNow(name);
        // Free for the next reading before the waiting caller goes on.
        g_busy = false;
        {
            std::lock_guard lock(reading->mutex);
            reading->result = std::move(info);
            reading->finished = true;
        }
        reading->done.notify_all();
    }).detach();

    QDeadlineTimer deadline(g_timeoutMs.load());
    DiscInfo out;
    out.status = DiscInfo::Status::TimedOut;
    for (;;) {
        {
            // The reading may have ended before the wait began: the predicate
            // sees that at once instead of sleeping out the slice.
            std::unique_lock lock(reading->mutex);
            reading->done.wait_for(
                lock,
                std::chrono::milliseconds(std::clamp<qint64>(deadline.remainingTime(), 0, 50)),
                [&reading] { return reading->finished; });
            if (reading->finished) {
                out = reading->result;
                break;
            }
        }
        if (deadline.hasExpired())
            break;
        // The window keeps repainting while the drive spins up.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return out;
}

void setTimeoutMs(int ms)
{
    g_timeoutMs = ms;
}

int timeoutMs()
{
    return g_timeoutMs;
}

void setPreferredDevice(const QString &device)
{
    g_preferred = device;
}

QString preferredDevice()
{
    return g_preferred;
}

} // namespace velmora::cd
