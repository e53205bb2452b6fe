#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace velmora {

// A read-only INI text file in code page 1250: "[section]" lines and
// "key=value" lines. Section and key names compare without letter case;
// keys and values are trimmed of blanks; a value is read whole however long.
// A file that cannot be read, or is not INI text, holds nothing.
class IniFile
{
public:
    IniFile() = default;
    explicit IniFile(const QString &path);
    // The same reading of bytes already at hand, e.g. a file's contents.
    static IniFile fromBytes(const QByteArray &bytes);

    bool isEmpty() const { return m_values.isEmpty(); }
    // The value of key in section, or def when either is missing. A key
    // present with an empty value gives an empty text.
    QString value(const QString &section, const QString &key, const QString &def = QString()) const;
    bool contains(const QString &section, const QString &key) const;

private:
    QHash<QString, QString> m_values; // "section\nkey" in lower case -> value
};

} // namespace velmora
