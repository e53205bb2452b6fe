#include "musicbrainz/LookupCache.h"

#include "engine/RegularFile.h"
#include "musicbrainz/Releases.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <cstdio>

namespace velmora::musicbrainz {

namespace {

// An answer is the JSON of a few releases; anything bigger is not one.
constexpr qint64 kMaxEntry = 4 * 1024 * 1024;

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

std::optional<QByteArray> LookupCache::answer(const QString &discId) const
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
    return data;
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
    return true;
}

} // namespace velmora::musicbrainz
