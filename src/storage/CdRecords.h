#pragma once

#include "storage/Records.h"

#include <QString>
#include <vector>

namespace velmora {

class Table;

// A music CD title of cd01.dbf.
struct CdTitle
{
    QString size;     // T_cd: "170", "650", "700", "870" or "???"
    QString number;   // Cislocd, five digits
    QString title;    // TitulCD
    QString artist;   // Artist
    QString acquired; // Porizeno, the date box's text
    QString format;   // Format
    Loan loan;        // Pujceno, Komu, Od_kdy, Delka_pujc
    QString note;     // PoznCD
};

// A track of cd02.dbf.
struct CdTrack
{
    QString number;  // Cislocd of its title
    QString label;   // Oznaceni: "CD1" to "CD16"
    int track = 0;   // TrackNum, 1.. within the disc
    QString title;   // Track
    int seconds = 0; // Lenght
    QString style;   // Styl
    QString artist;  // Artist
};

// The fields of cd01.dbf, resolved once; a missing one throws DbError.
class CdTitleColumns
{
public:
    explicit CdTitleColumns(const Table &table);

    CdTitle read(const Table &table) const; // the current record
    // Everything but the loan, which lending alone writes.
    void writeContent(Table &table, const CdTitle &title) const;
    // A new title: its content, at home.
    void writeNew(Table &table, const CdTitle &title) const;

    int size, number, title, artist, acquired, format, note;
    LoanColumns loan;
};

// The disc label of a track as read: a track stored without one belongs
// to the first disc, "CD1".
QString trackLabel(const QString &stored);

// The fields of cd02.dbf; read() and readAt() give the label as
// trackLabel() does.
class CdTrackColumns
{
public:
    explicit CdTrackColumns(const Table &table);

    CdTrack read(const Table &table) const;
    CdTrack readAt(const Table &table, int physical) const;
    void write(Table &table, const CdTrack &track) const;

    int number, label, track, title, seconds, style, artist;
};

} // namespace velmora
