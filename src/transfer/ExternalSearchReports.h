#pragma once

// The panes of the external searches: the result lines of a search and the
// found rows of one owner in the details windows.

#include "transfer/ExternalSearch.h"

#include <QString>
#include <functional>
#include <vector>

namespace velmora {
class ReportWriter;
}

namespace velmora::exchange {

// How the result panes differ from the own searches': every film line of
// the document opens with "\b0"; the CD pane's head is 10 pt.
SearchPaneStyle externalFilmPane();
SearchPaneStyle externalSongPane();

// Line k of a result pane: the k-th passing row with its owner.
std::function<QString(int)> externalFilmLine(const ExternalFilms &films,
                                             const std::vector<int> &found);
std::function<QString(int)> externalSongLine(const ExternalSongs &songs,
                                             const std::vector<int> &found);

// The found films or tracks of one owner, and the printing time.
void writeOwnerFilms(ReportWriter &w, const ExternalFilms &films, const std::vector<int> &rows,
                     const QString &owner, const QString &printingTime);
void writeOwnerTracks(ReportWriter &w, const ExternalSongs &songs, const std::vector<int> &rows,
                      const QString &owner, const QString &printingTime);

// The details panes while the tree's root is chosen.
void writeNoFilmOwnerChosen(ReportWriter &w);
void writeNoSongOwnerChosen(ReportWriter &w);

} // namespace velmora::exchange
