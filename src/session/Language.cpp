#include "session/Language.h"

#include "engine/IniFile.h"
#include "storage/Paths.h"

#include <QDateTime>
#include <QFileInfo>

namespace velmora::lang {
namespace {

struct Current
{
    QString name;
    bool present = false;
    IniFile file;
    QDateTime readAt; // modification time of the file as read
    qint64 size = -1;
};

Current &current()
{
    static Current c;
    return c;
}

void refresh()
{
    Current &c = current();
    const QFileInfo info(filePath());
    if (!info.exists()) {
        c.file = IniFile();
        c.readAt = QDateTime();
        c.size = -1;
        return;
    }
    if (info.lastModified() != c.readAt || info.size() != c.size) {
        c.file = IniFile(info.filePath());
        c.readAt = info.lastModified();
        c.size = info.size();
    }
}

} // namespace

void load(const QString &fileName)
{
    Current &c = current();
    c.name = fileName;
    c.readAt = QDateTime();
    c.size = -1;
    c.present = !fileName.trimmed().isEmpty() && QFileInfo(filePath()).isFile();
    c.file = IniFile();
    if (c.present)
        refresh();
}

bool present()
{
    return current().present;
}

QString fileName()
{
    return current().name;
}

QString filePath()
{
    return Paths::langDir() + current().name;
}

QString text(const QString &section, const QString &key, const QString &def)
{
    if (!current().present)
        return def;
    refresh();
    return current().file.value(section, key, def);
}

QString caption(const QString &section, const QString &key, const QString &lookupDefault,
                const QString &builtIn)
{
    return present() ? text(section, key, lookupDefault) : builtIn;
}

} // namespace velmora::lang
