#pragma once

// The decisions of a start, without its windows: which language file the
// screen check speaks, what the first showing of the main window does and
// in which order, and the loan check of a reminder.

#include "storage/Overdue.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace velmora {

class Session;
class Table;
struct SettingsRecord;

namespace startup {

// The language file named in the settings, read before the settings are
// loaded, because the screen check already speaks its texts; "Czech.set"
// when none is named or the value cannot be read.
QString storedLanguage();

// What the first showing does, in this order.
struct FirstShowing
{
    bool convert = false; // a database of the previous generation: convert, then end
    bool autoRun = false; // the automatic check of loans alone, then end
    bool splash = false;  // the splash screen
    bool remindCassettes = false;
    bool remindCds = false;
    bool news = false;           // the news of a new version, then the version recorded
    bool readOnlyNotice = false; // the cassettes stay read-only for the run
    bool printerNotice = false;  // no printer
    int section = 1;             // 1 cassettes, 2 CDs
};

// The plan for the settings of this run. oldFormat: data.dbf still waits
// for the format upgrade of the first activation, which tells the user
// itself when it fails.
FirstShowing planFirstShowing(const SettingsRecord &settings, const QStringList &arguments,
                              bool oldFormat);

// Records in the settings store and in the run's settings that the news of
// this version has been shown.
void recordNewsShown(SettingsRecord &settings);

// The overdue items of a catalogue table and those whose loan start cannot
// be read: the table opened as the session opens it, and closed again on
// every path.
LoanCheck checkCatalogue(Session &session, Table &table, const QDate &today);

// The splash screen's scan of a catalogue table: opened for reading and
// writing as the splash always has, telling its progress before the first
// record (0 of the count) and after each, closed again on every path.
LoanCheck scanCatalogue(Table &table, const QDate &today, const LoanCheckProgress &progress);

// The reminder's question: the overdue loans in the words of the language
// file (overdueQuestion), and before them the loans whose start cannot be
// read as a date, which cannot be judged and so are announced beside them.
QString reminderText(const LoanCheck &check, const QString &overdueQuestion, bool cds);

} // namespace startup
} // namespace velmora
