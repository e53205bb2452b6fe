#pragma once

#include "finding/SongSearch.h"

#include <QString>
#include <functional>
#include <vector>

namespace velmora {

class ReportWriter;

// " Nenalezen požadovaný text !!!"
extern const QString kSongNotFound;

// Line k of the result pane: the k-th passing track with its title number,
// disc and track number.
std::function<QString(int)> songLine(const SongTable &table, const std::vector<int> &found);

// The details of one title: its tracks that meet the search, and the
// printing time.
void writeTitleTracks(ReportWriter &w, const SongTable &table, const std::vector<int> &tracks,
                      const QString &printingTime);

// The details pane while the tree's root is chosen.
void writeNoTitleChosen(ReportWriter &w);

} // namespace velmora
