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

// Opens the tables of the owner chosen in users for a report, closing the
// previous owner's first. With none chosen the pane is emptied; a catalogue
// whose directory was removed by hand empties the pane, disables printing
// and tells the user which file is missing, who may choose another owner.
// False in both cases. Printing is enabled again, where a printer is, once
// the owner is open.
bool openChosenOwner(OwnerTables &tables, const QComboBox &users, ReportPane &pane,
                     QPushButton &print, bool printerAvailable);
// Closes the owner's tables; an error closing is shown.
void closeOwner(OwnerTables &tables);

} // namespace velmora::exchange
