#include "musicbrainz/LookupCache.h"

#include "engine/RegularFile.h"
#include "musicbrainz/Releases.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QUrl>
#include <cstdio>
#include <limits>
#include <sys/stat.h>

namespace velmora::musicbrainz {

namespace {

// An answer is the JSON of a few releases; anything bigger is not one.
constexpr qint64 kMaxEntry = 4 * 1024 * 1024;
// A part file this old belongs to a store that never finished.
constexpr qint64 kStalePartSeconds = 3600;

// Disc IDs are 28 characters of MusicBrainz's Base64; an ID of other
// characters ("..", "/") must never become a path.
bool validId(const QString &id)
{
    if (id.isEmpty() || id.size() > 64 || id == QLatin1String(".") || id == QLatin1String(".."))
        return false;
    for (const QChar c : id) {
        const char16_t u = c.unicode();
        const bool ok = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') ||
                        (u >= '0' && u <= '9') || u == '.' || u == '_' || u == '-';
        if (!ok)
            return false;
    }
    return true;
}

bool readable(const QByteArray &answer)
{
    const Answer::Status s = parseDiscIdAnswer(answer).status;
    return s == Answer::Status::Found || s == Answer::Status::NotFound;
}

} // namespace

LookupCache::LookupCache(const QString &folder) : m_folder(folder) {}

QString LookupCache::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
           QStringLiteral("/musicbrainz");
}

QString LookupCache::serverFolder(const QString &base, const QString &server)
{
    // The host for whoever looks into the folder, a hash of the whole
    // address for the difference between two servers on one host.
    QString host = QUrl(server).host().toLower();
    for (QChar &c : host)
        if (!((c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
              (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
              c == QLatin1Char('-')))
            c = QLatin1Char('_');
    if (host.isEmpty() || host.startsWith(QLatin1Char('.')))
        host.prepend(QLatin1String("server"));
    const QByteArray hash =
        QCryptographicHash::hash(server.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return base + QLatin1Char('/') + host + QLatin1Char('-') + QString::fromLatin1(hash);
}

std::optional<QByteArray> LookupCache::answer(const QString &discId, qint64 *ageSeconds) const
{
    if (!validId(discId) || m_folder.isEmpty())
        return std::nullopt;
    const QString path = m_folder + QLatin1Char('/') + discId + QStringLiteral(".json");
    QFile file;
    // Opened without blocking and never through a link: a pipe or a link
    // planted in the cache is not an answer.
    if (!regular::open(file, path, false, regular::Links::Refuse).ok())
        return std::nullopt;
    if (file.size() > kMaxEntry)
        return std::nullopt;
    const QByteArray data = file.read(kMaxEntry + 1);
    if (data.size() > kMaxEntry || !readable(data))
        return std::nullopt;
    if (ageSeconds) {
        // The time of the file opened, not of whatever the name holds now.
        struct stat st = {};
        const qint64 stored = ::fstat(file.handle(), &st) == 0 ? qint64(st.st_mtime) : 0;
        const qint64 age = QDateTime::currentSecsSinceEpoch() - stored;
        // An entry dated ahead of the clock would stay fresh for ever: it
        // counts as old.
        *ageSeconds = age < -60 ? std::numeric_limits<qint64>::max() : qMax<qint64>(0, age);
    }
    return data;
}

void LookupCache::forget(const QString &discId) const
{
    if (validId(discId) && !m_folder.isEmpty())
        QFile::remove(m_folder + QLatin1Char('/') + discId + QStringLiteral(".json"));
}

bool LookupCache::store(const QString &discId, const QByteArray &answer) const
{
    if (!validId(discId) || m_folder.isEmpty() || answer.size() > kMaxEntry || !readable(answer))
        return false;
    if (!QDir().mkpath(m_folder))
        return false;
    const QString path = m_folder + QLatin1Char('/') + discId + QStringLiteral(".json");
    const QString part =
        path + QStringLiteral(".%1.part")
                   .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    QFile file;
    if (!regular::create(file, part).ok())
        return false;
    const bool written = file.write(answer) == answer.size() && file.flush();
    file.close();
    // The rename replaces whatever stood at the entry's name, a link
    // itself rather than where it leads, and a reader sees the old entry
    // or the new one, never half of one.
    if (!written || std::rename(QFile::encodeName(part).constData(),
                                QFile::encodeName(path).constData()) != 0) {
        QFile::remove(part);
        return false;
    }
    prune();
    return true;
}

void LookupCache::prune() const
{
    // Newest first: what is kept are the answers asked for last.
    const QFileInfoList entries =
        QDir(m_folder).entryInfoList({QStringLiteral("*.json"), QStringLiteral("*.part")},
                                     QDir::Files | QDir::System | QDir::Hidden, QDir::Time);
    const QDateTime now = QDateTime::currentDateTime();
    int kept = 0;
    qint64 bytes = 0;
    for (const QFileInfo &e : entries) {
        if (e.fileName().endsWith(QLatin1String(".part"))) {
            if (e.lastModified().secsTo(now) > kStalePartSeconds)
                QFile::remove(e.filePath());
            continue;
        }
        if (kept < kMaxEntries && bytes + e.size() <= kMaxBytes) {
            ++kept;
            bytes += e.size();
        } else {
            QFile::remove(e.filePath());
        }
    }
}

} // namespace velmora::musicbrainz
