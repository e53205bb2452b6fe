#include "system/SystemInfo.h"

#include <QOperatingSystemVersion>
#include <QSysInfo>

namespace velmora {

SystemCode systemCodeFor(const QString &productType, int major, int minor, bool windows9x)
{
    if (windows9x) {
        switch (minor) {
        case 0:
            return {QStringLiteral("1"), QStringLiteral("Info: System Win95.")};
        case 10:
            return {QStringLiteral("2"), QStringLiteral("Info: System Win98.")};
        case 90:
            return {QStringLiteral("5"), QStringLiteral("Info: System WinME.")};
        default:
            return {QStringLiteral("0"), QStringLiteral("Info: Neznámý systém Win9x.")};
        }
    }
    if (productType == QLatin1String("windows")) {
        if (major == 3 || major == 4)
            return {QStringLiteral("3"), QStringLiteral("Info: System WinNT.")};
        if (major == 5)
            return {QStringLiteral("4"), QStringLiteral("Info: System Win2K / XP.")};
        return {QStringLiteral("4"), QStringLiteral("Info: System Windows.")};
    }
    // Code "0" would leave every report pane empty; a current system prints
    // like the newest system of the table.
    QString name;
    if (productType == QLatin1String("macos") || productType == QLatin1String("osx"))
        name = QStringLiteral("macOS");
    else if (productType.isEmpty() || QSysInfo::kernelType() == QLatin1String("linux"))
        name = QStringLiteral("Linux");
    else
        name = QSysInfo::kernelType().isEmpty() ? productType : QSysInfo::kernelType();
    if (name.size() > 0 && name.at(0).isLower() && name != QLatin1String("macOS"))
        name[0] = name.at(0).toUpper();
    return {QStringLiteral("4"), QStringLiteral("Info: System %1.").arg(name)};
}

SystemCode detectSystem()
{
    const QOperatingSystemVersion v = QOperatingSystemVersion::current();
    QString type = QSysInfo::productType();
    if (v.type() == QOperatingSystemVersion::Windows)
        type = QStringLiteral("windows");
    return systemCodeFor(type, v.majorVersion(), v.minorVersion(), false);
}

} // namespace velmora
