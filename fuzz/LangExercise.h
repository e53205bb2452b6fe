#pragma once

// One pass over a language file held in memory: it is read as the program
// reads LANG/*.set, then asked for the texts it names and for the texts the
// screens ask for. The fuzzer and the corpus replay test both run it.

#include "engine/Codepage.h"
#include "engine/IniFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace velmora::fuzzing {

using IniKey = std::pair<QString, QString>; // section, key

// Sections and keys the screens look up, the header of the language list
// among them.
inline QList<IniKey> programKeys()
{
    QList<IniKey> keys;
    for (const char *k : {"Autor", "Date", "Email", "Version"})
        keys.append({QStringLiteral("Main"), QString::fromLatin1(k)});
    for (const char *k : {"000", "103", "104", "106 27.05.2002", "113", "120", "121"})
        keys.append({QStringLiteral("Central"), QString::fromLatin1(k)});
    for (const char *k : {"002", "004", "006"})
        keys.append({QStringLiteral("Others"), QString::fromLatin1(k)});
    keys.append({QStringLiteral("PassDlg"), QStringLiteral("004")});
    keys.append({QStringLiteral("Menu_VK"), QStringLiteral("305")});
    return keys;
}

// The section and key names the bytes seem to hold, read line by line in
// the plainest way; at most limit of them.
inline QList<IniKey> keysIn(const QByteArray &bytes, int limit = 12)
{
    QList<IniKey> keys;
    const QString text = Codepage::cp1250().decode(bytes.constData(), int(bytes.size()));
    QString section;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.contains(QLatin1Char(']'))) {
            section = line.mid(1, line.indexOf(QLatin1Char(']')) - 1);
        } else if (line.indexOf(QLatin1Char('=')) > 0) {
            keys.append({section, line.left(line.indexOf(QLatin1Char('=')))});
            if (keys.size() >= limit)
                break;
        }
    }
    return keys;
}

// The name with the letter case of its ASCII letters turned round: the
// names the screens ask for are ASCII, and some other letters do not come
// back from upper case ("ß" becomes "SS").
inline QString asciiCaseFlipped(const QString &name)
{
    QString out = name;
    for (QChar &c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    }
    return out;
}

struct LangOutcome
{
    bool empty = true;
    int found = 0;      // keys of keysIn() and programKeys() the file holds
    QStringList faults; // broken promises of the reader
};

inline LangOutcome exerciseLanguage(const QByteArray &bytes)
{
    LangOutcome out;
    const IniFile ini = IniFile::fromBytes(bytes);
    out.empty = ini.isEmpty();
    if (bytes.contains('\0') && !ini.isEmpty())
        out.faults << QStringLiteral("binary bytes read as language texts");

    // Line ends of either kind and a missing last line end read alike.
    QByteArray lf = bytes;
    lf.replace("\r\n", "\n");
    const IniFile unix = IniFile::fromBytes(lf);
    const IniFile ended = IniFile::fromBytes(bytes + "\r\n");

    const QString missing = QStringLiteral("\x01missing");
    QList<IniKey> keys = keysIn(bytes);
    keys += programKeys();
    for (const IniKey &k : keys) {
        const QString v = ini.value(k.first, k.second, missing);
        const bool has = ini.contains(k.first, k.second);
        if (has != (v != missing)) {
            out.faults << QStringLiteral("[%1] %2: contains() and value() disagree")
                              .arg(k.first, k.second);
            continue;
        }
        if (!has)
            continue;
        ++out.found;
        if (v != v.trimmed() || v.contains(QLatin1Char('\n')))
            out.faults
                << QStringLiteral("[%1] %2: value not trimmed to one line").arg(k.first, k.second);
        if (ini.value(asciiCaseFlipped(k.first), asciiCaseFlipped(k.second), missing) != v)
            out.faults << QStringLiteral("[%1] %2: letter case of the names matters")
                              .arg(k.first, k.second);
        if (unix.value(k.first, k.second, missing) != v)
            out.faults << QStringLiteral("[%1] %2: reads otherwise with LF line ends")
                              .arg(k.first, k.second);
        if (ended.value(k.first, k.second, missing) != v)
            out.faults << QStringLiteral("[%1] %2: reads otherwise with a final line end")
                              .arg(k.first, k.second);
    }
    return out;
}

} // namespace velmora::fuzzing
