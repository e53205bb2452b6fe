#pragma once

#include "storage/CdRecords.h"

#include <vector>

namespace velmora {

class ReportWriter;

// The track list of one disc in the show and delete screens: heading with
// the disc number, column header, one line per track, signature.
void writeTrackList(ReportWriter &w, int disc, const std::vector<CdTrack> &tracks);

} // namespace velmora
