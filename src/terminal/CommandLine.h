#pragma once

// The program's command line: the options of the window (the data folder,
// the CD drive, the start of an automatic run) and the spreadsheet exchange
// run from a terminal, which opens no window. Parsed before any window
// system is asked for, so a terminal without one gets its answer too.

#include <QString>
#include <QStringList>

namespace velmora::terminal {

struct CommandLine
{
    enum class Mode
    {
        Window, // the program as usual
        Export,
        Import,
        Help,
        Error // not understood: error says what, with the usage
    };
    Mode mode = Mode::Window;
    QString dataDir;        // --data-dir, empty when not given
    QString cdDevice;       // --cd-device
    QString what;           // kazety, cd, vypujcky, vse
    QString file;           // the file of --export / --import
    QStringList positional; // of the window's start ("/AutoRun")
    QString error;
};

// arguments as QCoreApplication::arguments() gives them (the program first).
// The options the window system takes (-platform, -style, -display, ...) are
// accepted and left to it.
CommandLine parseCommandLine(const QStringList &arguments);

// What --help prints: every option, in Czech.
QString usageText();

} // namespace velmora::terminal
