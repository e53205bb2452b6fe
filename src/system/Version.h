#pragma once

#include <QString>

namespace velmora::version {

inline const QString kText = QStringLiteral("2002.A");
inline const QString kDate = QStringLiteral("27.05.2002");
inline const QString kPreviousGeneration = QStringLiteral("2001.A");
inline const QString kApplicationTitle = QStringLiteral("Velmora 2002");
// The executable's file version; the build number is what follows its
// fifth character ("2.1.1" of "2002.2.1.1").
inline const QString kFileVersion = QStringLiteral(VELMORA_VERSION_STRING);
inline QString buildNumber()
{
    return kFileVersion.mid(5);
}

} // namespace velmora::version

namespace velmora::version {

// The maker's pages, opened from the menus and the about window.
inline const QString kMakerName = QStringLiteral("Norvane");
inline const QString kMakerHomePage = QStringLiteral("https://www.norvane.cz/");
inline const QString kMakerConferencePage = QStringLiteral("https://www.norvane.cz/konference/");
inline const QString kHelpFile = QStringLiteral("Velmora.hlp");
inline const QString kNewsFile = QStringLiteral("Version.txt");

} // namespace velmora::version
