#pragma once

// Cassette and CD numbers are stored in five digits ("00001"). A catalogue
// that went through a spreadsheet (saved as CSV and back) holds them as
// plain numbers ("1"): its lists then sort 1, 10, 100, and a CD title
// finds none of its tracks, which still say "00001". These rules find such
// numbers in the titles, tracks and loan archives of a catalogue and put
// them back into the stored form, after a safety copy of the catalogue.

#include "storage/BackupSets.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace velmora::numbers {

// A column of a catalogue that holds item numbers.
struct Column
{
    QString table; // file name in the data directory
    QString field;
    bool key; // one record per number (the items themselves)
};

// The number columns of a catalogue, the items' own table first.
QList<Column> columns(backup::Set set);

// The stored form of value ("00001" for "1", "0001" or " 1"); empty when
// value is stored so already or is no number of up to five digits.
QString storedForm(const QString &value);

struct TableCount
{
    QString table;
    int records = 0;
};

// A stored number that several spellings share among the items ("1" and
// "00001" both): putting them right would make two items one, so they are
// left as they are, in every table of the catalogue.
struct Collision
{
    QString table;
    QString number;    // the stored form
    QStringList forms; // as they are written, in the order met
};

struct Finding
{
    backup::Set set = backup::Set::Cassettes;
    QList<TableCount> fixable; // tables with numbers to put right
    QList<Collision> collisions;
    int records() const;
    bool empty() const { return fixable.isEmpty() && collisions.isEmpty(); }
};

// Looks at the catalogue's tables in the data directory (read only). A table
// that is missing, does not open or lacks its number field is passed over:
// the start tells about such tables itself.
Finding find(backup::Set set);

// What the user is asked before the numbers are put right, and what is said
// of the collisions alone when nothing can be put right.
QString question(const Finding &finding);
QString collisionsOnly(const Finding &finding);

// The directory of ZALOHA that receives the safety copy made at moment:
// "Pred_opravou_VK_yyyy-MM-dd_HH-mm-ss" (cassettes), "Pred_opravou_CD_..." (CDs).
QString safetyDir(backup::Set set, const QDateTime &moment);

struct Outcome
{
    QString problem;   // empty on success
    QString safetyDir; // the safety copy, once made whole
    QList<TableCount> fixed;
    QString message() const; // what the user is told, success or not
};

// Copies the catalogue into safetyDir(set, moment) as a backup set of
// version, and only when that set is whole puts every number found by find()
// into its stored form, collisions excepted. A failure before the copy is
// whole changes nothing; one afterwards leaves the records put right so far
// (the next start finds the rest) and the copy to restore from.
Outcome repair(backup::Set set, const QDateTime &moment, const QString &version);

} // namespace velmora::numbers
