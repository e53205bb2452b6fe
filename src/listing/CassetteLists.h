#pragma once

#include "storage/Records.h"

#include <QString>
#include <functional>

namespace velmora {

class ReportWriter;
class Table;

// The printed lists of the cassette catalogue without their windows. Each
// walks the open data.dbf in its active order and filter from its first
// record (the list from a chosen cassette from that one) and tells
// visited() after each cassette, for the progress window.

using CassetteVisited = std::function<void()>;

// What the lists read of a cassette: number, type, note, loan and each
// slot's title, genre, speed and length; withDetails adds each slot's
// source, date and note (a memo, read only when asked for).
CassetteRecord readListedCassette(const Table &cassettes, const CassetteColumns &columns,
                                  int physical, bool withDetails);

// "    Kazeta: 00001   (E 240)"
QString cassetteLine(const CassetteRecord &c);
// A used slot's title, genre, speed and length in their columns.
QString filmLine(const CassetteSlot &s);

// Every cassette with its films and note.
void writeAllCassettes(ReportWriter &w, const Table &cassettes,
                       const CassetteVisited &visited = {});
// The cassettes the table shows (the screen filters the lent ones): to
// whom and since when; or the words for none.
void writeLentCassettes(ReportWriter &w, const Table &cassettes,
                        const CassetteVisited &visited = {});
// Every slot recorded at this speed, letter for letter, with or without a
// title.
void writeFilmsAtSpeed(ReportWriter &w, const Table &cassettes, const QString &speed,
                       const CassetteVisited &visited = {});

// What the list with information adds under each film and cassette.
struct InfoChoice
{
    bool datesAndSources = false; // S2
    bool filmNotes = false;       // S3
    bool cassetteNotes = true;    // S4
};
void writeCassettesWithInfo(ReportWriter &w, const Table &cassettes, InfoChoice choice,
                            const CassetteVisited &visited = {});

// The cassettes of the list with information alone, for lists that write
// their own title and footer (the lists of imported catalogues). The
// document's markup before a cassette's slots and the empty line before its
// note differ between the lists; an empty beforeSlots writes no fragment.
struct InfoMarkup
{
    QString beforeSlots;
    QString beforeNote;
};
void writeInfoCassettes(ReportWriter &w, const Table &cassettes, InfoChoice choice,
                        const InfoMarkup &markup, const CassetteVisited &visited = {});

// The lists' step back to their black 10-point text: blanks empty lines in
// the pane, the document's own markup (with its breaks) in the document.
void writeBlackBreak(ReportWriter &w, int blanks, const QString &markup);
// A red column heading over a rule of ruleWidth: blanks empty lines in the
// pane before it, the document's breaks given.
void writeRedHeading(ReportWriter &w, int blanks, const QString &breaks, const QString &heading,
                     int ruleWidth);

// The cassettes from the first one numbered `number` in the table's order
// to the last, without title or heading.
void writeCassettesFrom(ReportWriter &w, const Table &cassettes, const QString &number,
                        const CassetteVisited &visited = {});

} // namespace velmora
