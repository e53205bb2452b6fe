#pragma once

#include "finding/FilmSearch.h"

#include <QString>
#include <functional>
#include <vector>

namespace velmora {

class ReportWriter;

// The result pane of the film search: its head, then one line per found
// film in result order (progress is told the count written after each),
// or the note that nothing was found.
void writeFilmResults(ReportWriter &w, const std::vector<FilmRow> &rows,
                      const std::vector<int> &found,
                      const std::function<void(int written)> &progress = {});

// Line k of the result pane: the k-th passing row.
std::function<QString(int)> filmLine(const std::vector<FilmRow> &rows,
                                     const std::vector<int> &found);
// " Nenalezen požadovaný film !!!"
extern const QString kFilmNotFound;

// The details of one cassette of the tree (node text "VK: 00001"): its
// films that meet the search, and the printing time.
void writeCassetteFilms(ReportWriter &w, const QString &nodeText,
                        const std::vector<const FilmRow *> &films, const QString &printingTime);

// The details pane while the tree's root is chosen.
void writeNoCassetteChosen(ReportWriter &w);

} // namespace velmora
