#pragma once

// The values of an imported row as the catalogue holds them: numbers,
// tape types, dates, lengths, disc captions and loan flags read from what
// spreadsheets write.

#include "storage/Records.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace velmora::sheets::rows {

// A value of the file as a message quotes it: „value“ on one line, and not
// so long that a hostile cell floods the list of problems.
QString quoted(const QString &value);

// Counters, lengths and days beyond this are no values of a catalogue.
inline constexpr int kMaxWholeNumber = 999999;

// A non-negative whole number of at most six digits; nothing otherwise.
std::optional<int> wholeNumber(const QString &text);

// An item's number with its leading zeros ("12" -> "00012"); empty with
// problem set when it is not a number of at most five digits.
QString itemNumber(const QString &text, const QString &header, QString &problem);

// The tape type as the type lists spell it ("e240" -> "E 240"); empty when
// the program knows no such type.
QString tapeType(const QString &text);

// dd.MM.yyyy, d.M.yyyy or yyyy-mm-dd; invalid for anything else.
QDate date(const QString &text);
// A date kept as text in the short date form: a date that date() reads is
// turned into it, anything else is kept as it stands.
QString dateText(const QString &text);
// Whether date() reads the text (blanks around it aside).
bool readsAsDate(const QString &text);

// "ano"/"ne", "a"/"n", 1/0, true/false, "pravda"/"nepravda",
// "půjčeno"/"doma", x, yes/no in any case; empty is "ne".
std::optional<bool> yesNo(const QString &text);

// The disc label of a caption ("CD 2", "cd2" -> "CD2"); empty when none.
QString discLabelOf(const QString &caption);

// m:ss (minutes may run past 59), h:mm:ss or plain seconds; empty is 0.
std::optional<int> trackSeconds(const QString &text);

struct TapeFault
{
    int slot = 0; // 0-based
    QString message;
};
// The recordings of a cassette that run past its tape's end or into each
// other.
QList<TapeFault> tapeFaults(const CassetteRecord &cassette);

} // namespace velmora::sheets::rows
