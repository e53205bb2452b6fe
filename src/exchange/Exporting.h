#pragma once

#include "exchange/ExchangeFiles.h"

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

// The owner's name written into exports: a setting of its own. Empty until
// the user gave one.
QString storedOwnerName();
void storeOwnerName(const QString &name);
// The name proposed when none is stored: the user's login name.
QString proposedOwnerName();

} // namespace velmora::exchange
