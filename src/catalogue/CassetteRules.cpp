#include "catalogue/CassetteRules.h"

#include "engine/Table.h"

namespace velmora {

const QStringList &tapeTypes()
{
    static const QStringList types{"E 60",  "E 90",  "E 105", "E 120", "E 150", "E 180",
                                   "E 195", "E 200", "E 210", "E 240", "E 260", "E 300"};
    return types;
}

int CassetteCapacity(const QString &type)
{
    bool ok = false;
    const int n = type.mid(1).trimmed().toInt(&ok);
    return (ok ? n : 0) + 5;
}

int SpeedFactor(const QString &speed)
{
    if (speed == QLatin1String("SP"))
        return 1;
    if (speed == QLatin1String("LP"))
        return 2;
    if (speed == QLatin1String("EP"))
        return 3;
    return 0;
}

int SpMinutes(int length, const QString &speed)
{
    const int f = SpeedFactor(speed);
    return f == 0 ? 0 : length / f; // C++ division truncates toward zero
}

int RemainingTime(const QString &type, const Recordings &recordings)
{
    int occupied = 0;
    for (const Recording &r : recordings)
        occupied += SpMinutes(r.length, r.speed);
    return CassetteCapacity(type) - occupied;
}

QString HourDisplay(int minutes)
{
    // div and mod as the integer operators give them, so a negative time
    // keeps its sign in both parts.
    const int hours = minutes / 60;
    const int rest = minutes % 60;
    const QString mm = rest >= 0 && rest < 10 ? QStringLiteral("0") + QString::number(rest)
                                              : QString::number(rest);
    return QString::number(hours) + QStringLiteral("h ") + mm + QStringLiteral("m");
}

QString LengthDisplay(int minutes)
{
    return minutes == 0 ? QString() : HourDisplay(minutes);
}

QString PadNumber(long long value, int width)
{
    return (QString(width, QLatin1Char('0')) + QString::number(value)).right(width);
}

bool IsOpenCassette(int remaining, int minOpenTime)
{
    return remaining >= minOpenTime;
}

FreeNumbers NextFreeNumbers(Table &table, const QString &field, int width)
{
    FreeNumbers out;
    long long k = 1;
    for (const int rec : table.visibleRecords()) {
        bool ok = false;
        const long long number =
            table.asStringAt(rec, table.requireField(field)).trimmed().toLongLong(&ok);
        if (!ok)
            continue; // not a decimal number: it takes no place in the walk
        // A number above the counter leaves gaps: each is offered while the
        // walk stays on this record.
        while (number > k)
            out.offers << PadNumber(k++, width);
        if (number == k)
            ++k;
    }
    out.offers << PadNumber(k, width);
    out.preselected = out.offers.last();
    return out;
}

} // namespace velmora
