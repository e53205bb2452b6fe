#pragma once

#include <QString>

namespace velmora {

struct SystemCode
{
    QString code; // one character: "1" to "5", "0" for unknown
    QString text; // line shown in the main window
};

// The running system and the print processing mode it selects. Systems that
// the old Windows table does not know get the mode of the newest one ("4").
SystemCode detectSystem();
SystemCode systemCodeFor(const QString &productType, int major, int minor, bool windows9x);

} // namespace velmora
