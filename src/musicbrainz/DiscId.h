#pragma once

// The MusicBrainz disc ID of an audio CD: computed from the table of
// contents a drive or disc image gives, as libdiscid computes it.

#include "system/CdDrive.h"

#include <QString>
#include <optional>
#include <vector>

namespace velmora::musicbrainz {

struct DiscToc
{
    int firstTrack = 1;
    int lastTrack = 0;
    int leadout = 0;          // address of the lead-out, frames with the 150 of the lead-in
    std::vector<int> offsets; // address of each track from firstTrack to lastTrack
};

// The audio session of a disc read: an Enhanced CD's data track left out,
// its lead-out where the music ends. None for a disc without audio tracks
// or a table that cannot be one (addresses out of order).
std::optional<DiscToc> tocOf(const cd::DiscInfo &disc);

// The 28-character disc ID ("Wn8eRBtfLDfM0qjYPdxrz.Zjs_U-"); empty for a
// table libdiscid refuses.
QString discIdOf(const DiscToc &toc);

} // namespace velmora::musicbrainz
