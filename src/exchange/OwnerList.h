#pragma once

#include "transfer/ExchangeFiles.h"
#include "transfer/OwnerTables.h"

#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace velmora {
class ReportPane;
}

namespace velmora::exchange {

// Fills an owner list with owners(catalogue), the first chosen, and shows
// their number in count through pattern ("%1" for the number). A register
// that cannot be read is reported and leaves the list empty.
void fillOwnerList(QComboBox &users, QLabel &count, Catalogue catalogue, const QString &pattern);

// Opens the chosen owner's tables for a report. A catalogue whose directory
// was removed by hand empties the pane, disables printing and tells the
// user which file is missing, who may choose another owner: false then.
// Printing is enabled again, where a printer is, once the owner is open.
bool openOwner(OwnerTables &tables, const QString &owner, ReportPane &pane, QPushButton &print,
               bool printerAvailable);
// Closes the owner's tables; an error closing is shown.
void closeOwner(OwnerTables &tables);

} // namespace velmora::exchange
