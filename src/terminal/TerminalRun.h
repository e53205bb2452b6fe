#pragma once

// The spreadsheet exchange run from a terminal: the same rules as the
// menus, with what the user reads written to out and err and the outcome
// given as the exit status.

#include "terminal/CommandLine.h"

#include <QTextStream>

namespace velmora::terminal {

enum ExitStatus
{
    kSuccess = 0,
    kFailure = 1, // the work could not be done: a lock, a file, a table
    kRefused = 2  // the options, or problems in the file: nothing written
};

// Runs an export or import of the data folder dataDir (resolved as the
// window resolves it). It holds the folder's lock while it works, and
// refuses while the program or another run holds it.
int runExchange(const CommandLine &line, const QString &dataDir, QTextStream &out,
                QTextStream &err);

} // namespace velmora::terminal
