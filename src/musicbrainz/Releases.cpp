#include "musicbrainz/Releases.h"

namespace velmora::musicbrainz {

QString Release::formats() const
{
    return QString();
}

const Medium *Release::mediumOf(const QString &) const
{
    return nullptr;
}

Answer parseDiscIdAnswer(const QByteArray &)
{
    return Answer();
}

} // namespace velmora::musicbrainz
