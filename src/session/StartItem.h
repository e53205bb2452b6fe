#pragma once

#include <QString>

// The item a screen opened from the catalogue overview starts at, instead
// of its usual first one (the highest number), and the place within it of
// the row the user chose. The overview sets it just before it runs a
// command, and the screen takes it as it fills its list, so it serves that
// one opening only.
namespace velmora::startitem {

struct Item
{
    QString number;
    int recording = 0; // of a cassette, 1..5; 0 for none
    QString disc;      // of a CD track, the caption of its label ("CD 2")
    int track = 0;     // its number on the disc; 0 for none
};

void set(const Item &item);
void set(const QString &number);
// The item set, and nothing from then on.
Item takeItem();
// Its number only; the place goes with it.
QString take();
// The item set, left for the screen that takes it.
const Item &peek();

} // namespace velmora::startitem
