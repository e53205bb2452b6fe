#include "storage/Storage.h"

#include "storage/FileCopy.h"
#include "storage/Paths.h"

#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velmora {
namespace {

void prepareNotes(const QString &oldName, const QString &name)
{
    const QString target = Paths::dataFile(name);
    const QString old = Paths::dataFile(oldName);
    // Renaming onto an existing file fails and leaves both; that is meant.
    if (QFileInfo::exists(old))
        QFile::rename(old, target);
    if (!QFileInfo::exists(target)) {
        QFile f(target);
        if (!f.open(QIODevice::WriteOnly))
            throw DbError(
                QObject::tr("Soubor poznámek nelze založit: %1 (%2)").arg(target, f.errorString()));
    }
}

void prepareTable(Table &table, const TableSchema &schema)
{
    table.close();
    table.setPath(Paths::dataFile(schema.fileName));
    if (!table.exists())
        table.create(schema.fields, schema.tags);
}

} // namespace

void Storage::prepareDirectories()
{
    for (const QString &dir : {Paths::langDir(), Paths::zalohaDir(), Paths::externiDir()})
        QDir().mkpath(dir); // a failure here is not reported
    prepareNotes(QStringLiteral("Poznámky k CD.txt"), QStringLiteral("CD.txt"));
    prepareNotes(QStringLiteral("Poznámky k VK.txt"), QStringLiteral("VK.txt"));
    prepareNews(QCoreApplication::applicationDirPath());
}

void Storage::prepareNews(const QString &programDir)
{
    const QString news = QStringLiteral("Version.txt");
    const QString target = Paths::dataFile(news);
    const QString &app = programDir;
    // Beside the executable in a build, in the shared data of an installation.
    for (const QString &source :
         {app + QLatin1Char('/') + news, app + QStringLiteral("/../share/velmora/") + news}) {
        QFile shipped(source);
        if (!shipped.open(QIODevice::ReadOnly))
            continue;
        if (QFileInfo(source).canonicalFilePath() == QFileInfo(target).canonicalFilePath())
            return; // the program runs from its data directory
        QFile current(target);
        if (current.open(QIODevice::ReadOnly) && current.readAll() == shipped.readAll())
            return;
        filecopy::copy(source, target, {},
                       {filecopy::Source::Own}); // a failure leaves the news unread, nothing more
        return;
    }
}

void Storage::fillUserList(Table &table, UserList list)
{
    table.open();
    if (table.recordCount() == 0) {
        for (const QString &row : schema::defaultRows(list)) {
            table.append();
            table.setString(0, row);
            table.post();
        }
    }
    table.close();
}

bool Storage::prepareTables(TableHandles &h)
{
    struct Step
    {
        Table &table;
        TableSchema schema;
        int list; // -1: not a user list
    };
    const Step steps[] = {
        {h.Users_01, schema::userList(UserList::Genres), int(UserList::Genres)},
        {h.Users_02, schema::userList(UserList::Sources), int(UserList::Sources)},
        {h.Table2, schema::cassetteArchive(), -1},
        {h.Table1, schema::cassettes(), -1},
        {h.CD_Table1, schema::cdTitles(), -1},
        {h.CD_Table2, schema::cdTracks(), -1},
        {h.CD_Archiv, schema::cdArchive(), -1},
        {h.Users_03, schema::userList(UserList::CdFormats), int(UserList::CdFormats)},
        {h.Users_04, schema::userList(UserList::CdStyles), int(UserList::CdStyles)},
    };
    bool oldFormat = false;
    for (const Step &s : steps) {
        prepareTable(s.table, s.schema);
        if (s.list >= 0)
            fillUserList(s.table, UserList(s.list));
        if (&s.table == &h.Table1) {
            // The previous release kept genres in 12 characters.
            s.table.open(Table::Mode::ReadOnly);
            oldFormat = s.table.fieldCount() >= 4 && s.table.fieldWidth(s.table.fieldName(3)) == 12;
        }
        s.table.close();
    }
    return oldFormat;
}

} // namespace velmora
