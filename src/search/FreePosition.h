#pragma once

#include <QString>

namespace velmora {

// The hours text of the free position search: 125 -> "2h 05min".
QString positionHours(int minutes);
// The request converted to SP minutes: R, R div 2, R div 3.
int requestInSp(int minutes, int speedFactor);
// A cassette qualifies when its remaining time exceeds the converted
// request, strictly.
bool positionQualifies(int remaining, int requestMinutes, int speedFactor);

} // namespace velmora
