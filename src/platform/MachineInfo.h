#pragma once

#include <QString>
#include <cstdint>

namespace velmora::machine {

// Memory status as the about window shows it, in bytes.
struct MemoryStatus
{
    uint64_t totalPhysical = 0;
    uint64_t availablePhysical = 0;
    uint64_t totalPageFile = 0;     // swap
    uint64_t availablePageFile = 0; // free swap
};

MemoryStatus memoryStatus(); // a fresh reading
// Parses the text of /proc/meminfo (kB values) into a status.
MemoryStatus parseMeminfo(const QString &text);
int processorCount(); // as counted at start

// The executable's version record.
struct VersionRecord
{
    QString fileVersion; // "2002.2.1.1"
    QString comment;
    QString fileDescription;
    QString countryCode; // language and code page
    QString executable;  // file name of the running program
};
VersionRecord versionRecord();

// The screen size of the primary screen, and the check of the start-up.
struct ScreenSize
{
    int width = 0;
    int height = 0;
};
ScreenSize screenSize();

// The name of the current printer, empty when the printing system has none.
QString currentPrinterName();

} // namespace velmora::machine
