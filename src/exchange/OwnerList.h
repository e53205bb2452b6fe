#pragma once

#include "transfer/ExchangeFiles.h"

#include <QString>

class QComboBox;
class QLabel;

namespace velmora::exchange {

// Fills an owner list with owners(catalogue), the first chosen, and shows
// their number in count through pattern ("%1" for the number). A register
// that cannot be read is reported and leaves the list empty.
void fillOwnerList(QComboBox &users, QLabel &count, Catalogue catalogue, const QString &pattern);

} // namespace velmora::exchange
