#include "engine/IniFile.h"

#include "engine/Codepage.h"

#include <QFile>

namespace velmora {
namespace {

QString keyOf(const QString &section, const QString &key)
{
    return section.trimmed().toLower() + QLatin1Char('\n') + key.trimmed().toLower();
}

} // namespace

IniFile::IniFile(const QString &path)
{
    QFile f(path);
    if (f.open(QIODevice::ReadOnly))
        *this = fromBytes(f.readAll());
}

IniFile IniFile::fromBytes(const QByteArray &bytes)
{
    IniFile ini;
    // Binary data is not INI text: it gives nothing rather than garbage keys.
    if (bytes.contains('\0'))
        return ini;
    const Codepage &cp = Codepage::cp1250();
    QString section;
    bool inSection = false;
    for (const QByteArray &raw : bytes.split('\n')) {
        QByteArray line = raw;
        if (line.endsWith('\r'))
            line.chop(1);
        const QString text = cp.decode(line.constData(), int(line.size())).trimmed();
        if (text.isEmpty() || text.startsWith(QLatin1Char(';')))
            continue;
        if (text.startsWith(QLatin1Char('['))) {
            const int close = text.indexOf(QLatin1Char(']'));
            if (close < 0)
                continue;
            section = text.mid(1, close - 1);
            inSection = true;
            continue;
        }
        const int eq = text.indexOf(QLatin1Char('='));
        if (!inSection || eq <= 0)
            continue;
        const QString key = keyOf(section, text.left(eq));
        // The first occurrence of a key wins, as with the system's reader.
        if (!ini.m_values.contains(key))
            ini.m_values.insert(key, text.mid(eq + 1).trimmed());
    }
    return ini;
}

QString IniFile::value(const QString &section, const QString &key, const QString &def) const
{
    return m_values.value(keyOf(section, key), def);
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    return m_values.contains(keyOf(section, key));
}

} // namespace velmora
