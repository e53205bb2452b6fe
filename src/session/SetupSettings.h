#pragma once

#include "session/Settings.h"

#include <QString>
#include <QStringList>

// What the central settings screen shows and saves: the settings of the
// start-up, the open-cassette minimum, the print processing and the
// owner's name, with the two entries outside the own settings.
namespace velmora::setup {

// The rows of the print processing list; row n is system code n.
const QStringList &systemRows();
// The row (1 to 5) of a system code; 0 for "0" and anything else.
int systemRow(const QString &code);
// The text of a system code's row; "??? Systém" when it has none.
QString systemRowText(const QString &code);

// A longer minimum than the longest tape is refused.
constexpr int kMaxMinutes = 300;
constexpr int kPasswordMaxLength = 12;

struct Values
{
    bool checkCassettes = false;
    bool checkCds = false;
    bool autoCheck = false; // the automatic check at log-on
    bool splash = false;
    bool passwordRequired = false;
    QString password; // clear text
    bool folderMenu = false;
    int minutes = 10;
    int systemRow = 0; // 1 to 5; 0 keeps the stored code
    QString ownerName;
};

// The values as they stand: the record of the run, the two outside entries
// and the owner's name. A stored system code without a row shows the row
// of the detected system.
Values current(const SettingsRecord &record);

// Where the automatic check entry points, as the screen shows it.
QString autoCheckText();

// Writes the values into the settings and the record of the run together,
// then the owner's name and the two outside entries; executable is what the
// entries run. Empty on success; otherwise what could not be written,
// naming the file. What was written before a failure stays written.
QString save(const Values &values, SettingsRecord &record, const QString &executable);

} // namespace velmora::setup
