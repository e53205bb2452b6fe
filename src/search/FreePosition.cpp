#include "search/FreePosition.h"

namespace velmora {

QString positionHours(int minutes)
{
    const int hours = minutes / 60;
    const int rest = minutes % 60;
    return QString::number(hours) +
           (rest >= 0 && rest <= 9 ? QStringLiteral("h 0") : QStringLiteral("h ")) +
           QString::number(rest) + QStringLiteral("min");
}

int requestInSp(int minutes, int speedFactor)
{
    return speedFactor > 0 ? minutes / speedFactor : minutes;
}

bool positionQualifies(int remaining, int requestMinutes, int speedFactor)
{
    return remaining > requestInSp(requestMinutes, speedFactor);
}

} // namespace velmora
