#pragma once

#include <QDate>
#include <QStringList>

namespace velmora {

class InstanceLock;
class TTitul;

// Takes the data directory for this run. When another running program
// holds it, says so and returns false; nothing in the directory is touched.
bool claimDataDirectory(InstanceLock &lock, const QString &dataDir);

// The preparation of the main window before it is shown: system detection,
// the screen check, directories and notes files, settings, tables. An error
// is shown to the user and the start goes on as far as the failed step
// allows. Returns false when the user chose to end the program.
bool prepareMainWindow(TTitul &window);

// The screen check: true when the screen is large enough or the user wants
// to go on anyway.
bool screenCheck(int width, int height);

enum class StartOutcome
{
    Run, // show the main window and accept commands
    End  // the program ends (automatic check mode)
};

// The first showing: language texts, help items, the automatic check in its
// mode, otherwise splash screen, overdue reminders, news, printer notice
// and the section of the last exit.
StartOutcome firstShowing(TTitul &window, const QStringList &positionalArguments,
                          const QDate &today = QDate::currentDate());

} // namespace velmora
