#include "session/StartItem.h"

#include <utility>

namespace velmora::startitem {
namespace {

Item &item()
{
    static Item stored;
    return stored;
}

} // namespace

void set(const Item &start)
{
    item() = start;
}

void set(const QString &number)
{
    Item start;
    start.number = number;
    set(start);
}

Item takeItem()
{
    return std::exchange(item(), Item{});
}

QString take()
{
    return takeItem().number;
}

const Item &peek()
{
    return item();
}

} // namespace velmora::startitem
