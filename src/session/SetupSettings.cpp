#include "session/SetupSettings.h"

#include "engine/DbError.h"
#include "session/OwnerName.h"
#include "system/DesktopEntry.h"
#include "system/SettingsStore.h"

#include <QFile>

namespace velmora::setup {

const QStringList &systemRows()
{
    static const QStringList rows{QStringLiteral("Windows 95 nebo Windows 95 OSR2"),
                                  QStringLiteral("Windows 98 nebo Windows 98 SE"),
                                  QStringLiteral("Windows NT3 nebo Windows NT4"),
                                  QStringLiteral("Windows 2000 / XP"),
                                  QStringLiteral("Windows Millenium (Me)")};
    return rows;
}

int systemRow(const QString &code)
{
    bool ok = false;
    const int n = code.toInt(&ok);
    return ok && code.size() == 1 && n >= 1 && n <= systemRows().size() ? n : 0;
}

QString systemRowText(const QString &code)
{
    const int row = systemRow(code);
    return row > 0 ? systemRows().at(row - 1) : QStringLiteral("??? Systém");
}

Values current(const SettingsRecord &r)
{
    Values v;
    v.checkCassettes = r.checkCassettes;
    v.checkCds = r.checkCds;
    v.splash = r.showSplash;
    v.passwordRequired = r.passwordRequired;
    v.password = r.password;
    v.minutes = r.minOpenTime;
    v.autoCheck = desktop::autoCheckExists();
    v.folderMenu = desktop::folderMenuExists();
    v.systemRow = systemRow(r.storedSystemCode);
    if (v.systemRow == 0)
        v.systemRow = systemRow(r.detectedSystemCode);
    v.ownerName = settings::storedOwnerName();
    if (v.ownerName.isEmpty())
        v.ownerName = settings::proposedOwnerName();
    return v;
}

QString autoCheckText()
{
    return desktop::autoCheckExists() ? desktop::autoCheckExecutable()
                                      : QStringLiteral("Neaktivovaná cesta");
}

QString save(const Values &v, SettingsRecord &r, const QString &executable)
{
    SettingsStore s = SettingsStore::own();
    const QString file = s.fileName();
    if (!s.isWritable())
        return QStringLiteral("Soubor nastavení \"%1\" nelze zapsat.").arg(file);
    s.writeInt(settings::kMinTimeVk, v.minutes);
    s.writeBool(settings::kKontrola, v.checkCassettes);
    s.writeBool(settings::kKontrolaCd, v.checkCds);
    s.writeBool(settings::kStartDlg, v.splash);
    s.writeBool(settings::kAskPass, v.passwordRequired);
    if (v.passwordRequired)
        s.writeString(settings::kPassword, settings::encodePassword(v.password));
    const QString code = v.systemRow > 0 ? QString::number(v.systemRow) : r.storedSystemCode;
    s.writeString(settings::kSetupOs, code);
    s.writeString(settings::kOwnerName, v.ownerName);
    s.sync();
    if (s.status() != QSettings::NoError)
        return QStringLiteral("Soubor nastavení \"%1\" nelze zapsat.").arg(file);
    // The password is only encoded, not encrypted: no one else may read it.
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    r.minOpenTime = v.minutes;
    r.checkCassettes = v.checkCassettes;
    r.checkCds = v.checkCds;
    r.showSplash = v.splash;
    r.passwordRequired = v.passwordRequired;
    r.passwordPending = v.passwordRequired;
    if (v.passwordRequired)
        r.password = v.password;
    r.storedSystemCode = code;

    try {
        if (v.folderMenu && !desktop::folderMenuExists())
            desktop::writeFolderMenu(executable);
        else if (!v.folderMenu)
            desktop::removeFolderMenu();
        if (v.autoCheck && !desktop::autoCheckExists())
            desktop::writeAutoCheck(executable); // an existing entry keeps its path
        else if (!v.autoCheck)
            desktop::removeAutoCheck();
    } catch (const DbError &e) {
        return e.message();
    }
    for (const QString &entry : {desktop::folderMenuPath(), desktop::autoCheckPath()})
        if (QFile::exists(entry) !=
            (entry == desktop::folderMenuPath() ? v.folderMenu : v.autoCheck))
            return QStringLiteral("Soubor \"%1\" nelze odstranit.").arg(entry);
    r.autoCheckEntry = desktop::autoCheckExists();
    return QString();
}

} // namespace velmora::setup
