#include "musicbrainz/DiscId.h"

#include <discid/discid.h>

namespace velmora::musicbrainz {

std::optional<DiscToc> tocOf(const cd::DiscInfo &disc)
{
    if (disc.status != cd::DiscInfo::Status::Ok || disc.tracks.empty())
        return std::nullopt;
    // Trailing data tracks (an Enhanced CD's second session) are not part
    // of the ID; a data track before the music (mixed mode) is, as
    // libdiscid reads it from a drive.
    size_t end = disc.tracks.size();
    while (end > 0 && !disc.tracks[end - 1].audio)
        --end;
    if (end == 0)
        return std::nullopt;
    const size_t first = 0;

    DiscToc toc;
    toc.firstTrack = disc.firstTrack + int(first);
    toc.lastTrack = disc.firstTrack + int(end) - 1;
    for (size_t i = first; i < end; ++i)
        toc.offsets.push_back(disc.tracks[i].start);
    if (end == disc.tracks.size()) {
        toc.leadout = disc.leadout;
    } else {
        // Where the music ends: the reader has taken the session gap off
        // the last audio track's frames already.
        const cd::TrackInfo &last = disc.tracks[end - 1];
        toc.leadout = last.frames > 0 ? last.start + last.frames : 0;
    }
    if (toc.firstTrack < 1 || toc.lastTrack > 99)
        return std::nullopt;
    int previous = 0;
    for (int offset : toc.offsets) {
        if (offset < 150 || offset <= previous)
            return std::nullopt;
        previous = offset;
    }
    if (toc.leadout <= previous || toc.leadout > cd::kMaxDiscFrames + 150)
        return std::nullopt;
    return toc;
}

QString discIdOf(const DiscToc &toc)
{
    const int count = toc.lastTrack - toc.firstTrack + 1;
    if (toc.firstTrack < 1 || toc.lastTrack > 99 || count < 1 || int(toc.offsets.size()) != count)
        return QString();
    // libdiscid takes the lead-out at [0] and the tracks from [first].
    int offsets[100] = {};
    offsets[0] = toc.leadout;
    for (int i = 0; i < count; ++i)
        offsets[toc.firstTrack + i] = toc.offsets[size_t(i)];
    DiscId *disc = discid_new();
    if (!disc)
        return QString();
    QString id;
    if (discid_put(disc, toc.firstTrack, toc.lastTrack, offsets))
        id = QString::fromLatin1(discid_get_id(disc));
    discid_free(disc);
    return id;
}

} // namespace velmora::musicbrainz
