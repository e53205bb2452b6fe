#include "cds/CdAudio.h"

#include "platform/Dialogs.h"
#include "system/CdDrive.h"

#include <QApplication>
#include <QHash>

namespace velmora {
namespace {

// The discs opened and not yet closed, by device number.
QHash<int, cd::DiscInfo> g_open;
int g_nextDevice = 1;
// The last look at a drive, which the opening right after it reuses.
QString g_lastDrive;
cd::DiscInfo g_lastInfo;

constexpr int kErrorNotOpen = 1;
constexpr int kErrorTimedOut = 2;
constexpr int kErrorBusy = 3;

const QString kErrorCaption = QStringLiteral("Chyba:");
const QString kNoAudio =
    QStringLiteral("Vámi zvolená mechanika neobsahuje vložený hudební disk, nelze načíst "
                   "informace! Změňte svoje požadavky ...");

int leadingAudioTracks(const cd::DiscInfo &info)
{
    int n = 0;
    while (size_t(n) < info.tracks.size() && info.tracks[size_t(n)].audio)
        ++n;
    return n;
}

cd::DiscInfo look(const QString &drive)
{
    g_lastDrive = drive;
    // The reading waits for the drive (it keeps the window painted): the
    // pointer says so.
    const bool cursor = qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
    if (cursor)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    g_lastInfo = cd::readDisc(drive);
    if (cursor)
        QApplication::restoreOverrideCursor();
    return g_lastInfo;
}

void repaint()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

QStringList ListCdDrives()
{
    QStringList entries;
    for (const QString &d : cd::devices())
        entries << driveEntry(d);
    if (entries.isEmpty())
        entries << kNoDrive;
    return entries;
}

QString driveOf(const QString &entry)
{
    return entry.startsWith(kDrivePrefix) ? entry.mid(kDrivePrefix.size()) : QString();
}

QString driveEntry(const QString &drive)
{
    return kDrivePrefix + drive;
}

bool IsAudioCd(const QString &drive)
{
    const cd::DiscInfo info = look(drive);
    return info.status == cd::DiscInfo::Status::Ok && leadingAudioTracks(info) > 0;
}

int OpenCdAudio(const QString &drive)
{
    cd::DiscInfo info = drive == g_lastDrive && g_lastInfo.status == cd::DiscInfo::Status::Ok
                            ? g_lastInfo
                            : look(drive);
    g_lastDrive.clear();
    if (info.status != cd::DiscInfo::Status::Ok)
        return 0;
    // Only the audio tracks at the start count; a data session at the end
    // of an enhanced CD is no music.
    info.tracks.resize(size_t(leadingAudioTracks(info)));
    const int device = g_nextDevice++;
    g_open.insert(device, info);
    return device;
}

int SetMsfTimeFormat(int device)
{
    return g_open.contains(device) ? 0 : kErrorNotOpen;
}

QString TrackCount(int device)
{
    const auto it = g_open.constFind(device);
    if (it == g_open.constEnd() || it->tracks.empty())
        return kNotFound;
    return QString::number(it->tracks.size());
}

QString TrackLength(int device, int track)
{
    const auto it = g_open.constFind(device);
    if (it == g_open.constEnd() || track < 1 || size_t(track) > it->tracks.size())
        return kNotFound;
    // No track is empty: a length of nothing is one the disc did not give.
    const int frames = it->tracks[size_t(track - 1)].frames;
    if (frames <= 0)
        return kNotFound;
    const int seconds = frames / cd::kFramesPerSecond;
    const int minutes = seconds / 60;
    if (minutes > 255)
        return kNotFound;
    return QString::number(minutes + (seconds % 60) * 256 +
                           (frames % cd::kFramesPerSecond) * 65536);
}

void CloseCdAudio(int device)
{
    g_open.remove(device);
}

QString CdErrorText(int code)
{
    switch (code) {
    case kErrorNotOpen:
        return QStringLiteral("Zařízení není otevřeno.");
    case kErrorTimedOut:
        return QStringLiteral("Mechanika neodpověděla včas.");
    case kErrorBusy:
        return QStringLiteral("Mechanika ještě dokončuje předchozí čtení.");
    default:
        return QString();
    }
}

std::optional<CdReading> readAudioCd(const QString &drive)
{
    if (!IsAudioCd(drive)) {
        if (g_lastInfo.status == cd::DiscInfo::Status::TimedOut)
            dialogs::error(kErrorCaption,
                           QStringLiteral("Mechanika %1 neodpověděla do %2 s, disk nelze načíst. "
                                          "Zkuste to prosím znovu.")
                               .arg(drive)
                               .arg(cd::timeoutMs() / 1000));
        else if (g_lastInfo.status == cd::DiscInfo::Status::Busy)
            dialogs::error(kErrorCaption, CdErrorText(kErrorBusy));
        else
            dialogs::error(kErrorCaption, kNoAudio);
        return std::nullopt;
    }
    const cd::DiscInfo whole = g_lastInfo;
    const int device = OpenCdAudio(drive);
    if (device == 0)
        dialogs::error(kErrorCaption, QStringLiteral("Chyba zařízení ..."));
    repaint();
    if (const int code = SetMsfTimeFormat(device); code != 0) {
        const QString text = CdErrorText(code);
        dialogs::error(kErrorCaption,
                       QStringLiteral("Chyba formátování ...\r\n") +
                           (text.isEmpty() ? QStringLiteral("Není bližší informace.") : text));
    }
    std::optional<CdReading> result;
    bool ok = false;
    const int count = TrackCount(device).toInt(&ok);
    if (!ok) {
        dialogs::error(kErrorCaption, QStringLiteral("Počet stop na disku nelze zjistit, "
                                                     "načtení z disku bylo přerušeno."));
    } else {
        CdReading reading;
        const cd::DiscInfo &info = g_open.value(device);
        reading.title = info.title;
        reading.performer = info.performer;
        reading.disc = whole;
        for (int i = 1; i <= count; ++i) {
            const uint packed = TrackLength(device, i).toUInt(&ok);
            if (!ok) {
                dialogs::error(kErrorCaption,
                               QStringLiteral("Délku stopy číslo %1 nelze zjistit, načtení z "
                                              "disku bylo přerušeno.")
                                   .arg(i));
                break;
            }
            ReadTrack t;
            const QString &cdText = info.tracks[size_t(i - 1)].title;
            t.title = cdText.isEmpty() ? QStringLiteral("Stopa ") + QString::number(i) : cdText;
            t.minutes = int(packed & 0xFF);
            t.seconds = int((packed >> 8) & 0xFF);
            reading.tracks.push_back(t);
        }
        if (ok)
            result = std::move(reading);
    }
    repaint();
    CloseCdAudio(device);
    return result;
}

} // namespace velmora
