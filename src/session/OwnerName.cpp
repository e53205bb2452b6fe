#include "session/OwnerName.h"

#include "engine/Codepage.h"
#include "system/SettingsStore.h"

#include <pwd.h>
#include <unistd.h>

namespace velmora::settings {

QString storedOwnerName()
{
    SettingsStore s = SettingsStore::own();
    return s.exists(kOwnerName) ? s.readString(kOwnerName).trimmed() : QString();
}

void storeOwnerName(const QString &name)
{
    SettingsStore s = SettingsStore::own();
    s.writeString(kOwnerName, name);
    s.sync();
}

QString proposedOwnerName()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        if (const passwd *pw = getpwuid(getuid()))
            name = QString::fromLocal8Bit(pw->pw_name);
    return name.left(kOwnerMaxLength);
}

QString ownerNameProblem(const QString &owner)
{
    if (owner.trimmed().isEmpty())
        return QStringLiteral("jméno je prázdné.");
    if (owner.size() > kOwnerMaxLength)
        return QStringLiteral("jméno je delší než %1 znaků.").arg(kOwnerMaxLength);
    if (owner.contains(QLatin1Char('/')) || owner.contains(QLatin1Char('\\')))
        return QStringLiteral("jméno obsahuje lomítko.");
    if (owner.contains(QStringLiteral("..")))
        return QStringLiteral("jméno obsahuje \"..\".");
    if (owner.startsWith(QLatin1Char('.')) || owner.startsWith(QLatin1Char(' ')))
        return QStringLiteral("jméno začíná tečkou nebo mezerou.");
    for (const QChar c : owner)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator || c.unicode() == 0x7f)
            return QStringLiteral("jméno obsahuje řídicí znaky.");
    // The information file keeps the name in code page 1250: a letter it
    // cannot hold becomes "?", and two such names would name one catalogue.
    const Codepage &cp = Codepage::cp1250();
    QString outside;
    for (const QChar c : owner)
        if (cp.decodeByte(cp.encodeChar(c.unicode())) != c.unicode() && !outside.contains(c))
            outside += c;
    if (!outside.isEmpty())
        return QStringLiteral("jméno obsahuje znaky, které soubor exportu neumí zapsat (%1). "
                              "Použijte písmena latinky, například české nebo slovenské.")
            .arg(outside);
    if (owner.contains(QLatin1Char('?')))
        return QStringLiteral("jméno obsahuje otazník. Na jeho místě v exportu nejspíš stálo "
                              "písmeno, které soubor exportu neumí zapsat (například azbuka), a "
                              "jména různých lidí by tak splynula.");
    return QString();
}

} // namespace velmora::settings
