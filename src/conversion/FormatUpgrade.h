#pragma once

#include <QString>

namespace velmora {

class Session;

namespace upgrade {

// The name an original file of the intermediate generation is kept under
// while the upgrade replaces it: "data.dbf" becomes "data.zanr12.dbf".
QString keptName(const QString &fileName);

// Widens the genres of data.dbf and Users_za.nrv in dataDir from 12 to 15
// characters. The originals are first copied aside under their kept names;
// the new tables are built in workDir and checked against the old ones
// (every record, every field, the memo notes too) before they replace the
// live files, the genre list first and data.dbf last. On any failure the
// originals are put back. The kept copies go when all went well.
//
// A kept data.dbf identical to the live one means that an earlier upgrade
// stopped while replacing the files: its memo file may already be the new
// one, so the live files are made the kept ones again first.
//
// Empty on success; otherwise the cause.
QString upgradeFormat(const QString &dataDir, const QString &workDir);

// The upgrade as the first activation of the main window runs it: every
// table handle closed first; empty when it succeeds (and the cassettes
// writable from then on), otherwise what the user is told, and the
// cassettes stay read-only for the run.
QString runAtActivation(Session &session);

} // namespace upgrade
} // namespace velmora
