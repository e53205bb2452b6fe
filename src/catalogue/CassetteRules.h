#pragma once

#include "storage/Records.h"

#include <QString>
#include <QStringList>
#include <array>

namespace velmora {

class Table;

// The rules of a cassette record that every cassette screen shares. All
// times are whole minutes; "SP minutes" measure tape at speed SP.

// The twelve tape types in the order the type lists show them.
const QStringList &tapeTypes();
inline const QString kDefaultTapeType = QStringLiteral("E 240");
// The note that marks a cassette with room left for more recordings.
inline const QString kOpenCassetteNote = QStringLiteral("Neuzavřená kazeta, možnost dohrátí");
inline constexpr int kSlots = kCassetteSlots;

struct Recording
{
    int length = 0; // minutes, E_Time - S_Time
    QString speed;  // "SP", "LP", "EP" or anything else
};
using Recordings = std::array<Recording, kSlots>;

// The capacity of a tape type: the number after its first character plus
// a reserve of 5 minutes ("E 240" holds 245).
int CassetteCapacity(const QString &type);
// The SP minutes one recording occupies: length div speed factor, nothing
// for an unknown speed.
int SpMinutes(int length, const QString &speed);
int SpeedFactor(const QString &speed); // 1, 2, 3 or 0
// Capacity minus the occupied SP minutes; negative when overfilled.
int RemainingTime(const QString &type, const Recordings &recordings);
// 185 -> "3h 05m".
QString HourDisplay(int minutes);
// A length box: empty for 0, HourDisplay otherwise.
QString LengthDisplay(int minutes);
// The last `width` characters of zeros and the decimal form (7 -> "00007").
QString PadNumber(long long value, int width = 5);
// Remaining time at least the minimum open time.
bool IsOpenCassette(int remaining, int minOpenTime);

struct FreeNumbers
{
    QStringList offers; // gaps in the numbering, then the next number
    QString preselected;
};
// Walks the open table in ascending order of `field` (the caller selects
// the tag) and offers the gaps and the number after the highest. Numbers
// that are not decimal numbers are skipped. The current record is kept.
FreeNumbers NextFreeNumbers(Table &table, const QString &field, int width = 5);

} // namespace velmora
