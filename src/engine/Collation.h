#pragma once

#include <QStringView>
#include <string>

namespace velmora {

// Sort key of a text in Czech alphabetical order: letters first compare
// without accents and case, with č, ř, š, ž and "ch" as letters of their own
// (after c, r, s, z and h); then accents decide, then case (small first).
// Keys compare bytewise (std::string operator<).
void appendCzechSortKey(QStringView text, std::string &key);
std::string czechSortKey(QStringView text);

// Compares two texts in the same order as their sort keys.
int czechCompare(QStringView a, QStringView b);

} // namespace velmora
