#include "musicbrainz/LookupCache.h"

namespace velmora::musicbrainz {

LookupCache::LookupCache(const QString &folder) : m_folder(folder) {}

std::optional<QByteArray> LookupCache::answer(const QString &) const
{
    return std::nullopt;
}

bool LookupCache::store(const QString &, const QByteArray &) const
{
    return false;
}

QString LookupCache::defaultFolder()
{
    return QString();
}

} // namespace velmora::musicbrainz
