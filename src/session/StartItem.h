#pragma once

#include <QString>

// The item a screen opened from the catalogue overview starts at, instead
// of its usual first one (the highest number). The overview sets it just
// before it runs a command, and the screen takes it as it fills its list,
// so it serves that one opening only.
namespace velmora::startitem {

void set(const QString &number);
// The number set, and nothing from then on.
QString take();

} // namespace velmora::startitem
