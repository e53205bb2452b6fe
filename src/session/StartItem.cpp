#include "session/StartItem.h"

namespace velmora::startitem {
namespace {

QString &item()
{
    static QString number;
    return number;
}

} // namespace

void set(const QString &number)
{
    item() = number;
}

QString take()
{
    QString number;
    number.swap(item());
    return number;
}

} // namespace velmora::startitem
