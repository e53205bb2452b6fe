#pragma once

#include "session/OwnerName.h"
#include "storage/StagedSet.h"
#include "transfer/ExchangeFiles.h"

#include <QDateTime>
#include <QString>
#include <functional>

namespace velmora::exchange {

// Writes the own catalogue's set into targetDir: each table file copied and
// verified (size, and a copied table reopens with every record), then the
// information file. Empty on success; otherwise what failed, naming the
// file.
QString exportCatalogue(Catalogue catalogue, const QString &targetDir, const QString &owner,
                        const QDateTime &moment, const Progress &progress);

// The exported set in dir as one replaced whole, its information file the
// marker written last.
staged::SetFiles exportFiles(Catalogue catalogue, const QString &dir);

using settings::proposedOwnerName;
using settings::storedOwnerName;
using settings::storeOwnerName;

} // namespace velmora::exchange
