#pragma once

// The lists of catalogues imported from other users, without their windows:
// the owners to choose from, the cassettes of one owner with what the user
// ticks, and the CD titles of one owner; each list written once for either
// pane mode, close to the own catalogue's list with information and CD list.

#include "listing/CassetteLists.h"
#include "listing/CdLists.h"
#include "transfer/ExchangeFiles.h"

#include <QStringList>

namespace velmora {

class ReportWriter;
class Table;

namespace exchange {

// The owners in the register of imported catalogues of this kind, in
// Czech alphabetical order; none when the register is missing.
QStringList owners(Catalogue catalogue);

// The owner's cassettes (the open data.dbf of the owner's catalogue, in its
// active order) with their films and what the choice adds.
void writeExternalCassettes(ReportWriter &w, const Table &cassettes, const QString &owner,
                            InfoChoice choice, const CassetteVisited &visited = {});

// The owner's CD titles (cd01.dbf, in its active order) with their tracks
// from cd02.dbf; tracksCounted tells how many tracks each title's disc count
// went through.
void writeExternalCds(ReportWriter &w, Table &titles, const TitleTracks &tracks,
                      const QString &owner, const CdListOptions &options,
                      const TracksCounted &tracksCounted = {});

} // namespace exchange
} // namespace velmora
