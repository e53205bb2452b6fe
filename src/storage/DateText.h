#pragma once

#include <QDate>
#include <QString>

namespace velmora {

// Dates that the user enters are stored as text in the short date form of
// the Czech interface ("27.05.2002"), which fits the 10-character fields.
QString shortDate(const QDate &date);
// Reads "d.M.yyyy" with or without leading zeros and blanks; an invalid
// date for anything else.
QDate parseShortDate(const QString &text);

} // namespace velmora
