#include "musicbrainz/TrackFill.h"

namespace velmora::musicbrainz {

FilledDisc fillFrom(const Release &, const Medium &)
{
    return FilledDisc();
}

QString closestCp1250(const QString &text, int width)
{
    return text.left(width);
}

} // namespace velmora::musicbrainz
