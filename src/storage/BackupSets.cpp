#include "storage/BackupSets.h"

#include "engine/Codepage.h"
#include "storage/DateText.h"
#include "storage/FileCopy.h"
#include "storage/SetManifest.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace velmora::backup {
namespace {

// Values start on the 18th character: one blank after the 17 of the label.
constexpr int kValueStart = 17;

} // namespace

const QList<Member> &members(Set set)
{
    static const QList<Member> cassettes{
        {QStringLiteral("data.zal"), QStringLiteral("data.dbf"), false, true},
        {QStringLiteral("data.zat"), QStringLiteral("data.dbt"), false, false},
        {QStringLiteral("data.zax"), QStringLiteral("data.mdx"), true, false},
        {QStringLiteral("archiv.zal"), QStringLiteral("archiv.dbf"), false, true},
        {QStringLiteral("Users_za.zal"), QStringLiteral("Users_za.nrv"), false, true},
        {QStringLiteral("Users_zd.zal"), QStringLiteral("Users_zd.nrv"), false, true},
        {QStringLiteral("Users_za.zax"), QStringLiteral("Users_za.nrx"), true, false},
        {QStringLiteral("Users_zd.zax"), QStringLiteral("Users_zd.nrx"), true, false},
        {QStringLiteral("VK.zal"), QStringLiteral("VK.txt"), false, false}};
    static const QList<Member> cds{
        {QStringLiteral("cd01.zal"), QStringLiteral("cd01.dbf"), false, true},
        {QStringLiteral("cd01.mdl"), QStringLiteral("cd01.mdx"), true, false},
        {QStringLiteral("cd02.zal"), QStringLiteral("cd02.dbf"), false, true},
        {QStringLiteral("cd02.mdl"), QStringLiteral("cd02.mdx"), true, false},
        {QStringLiteral("Users_c1.zal"), QStringLiteral("Users_c1.nrv"), false, true},
        {QStringLiteral("Users_c1.zax"), QStringLiteral("Users_c1.nrx"), true, false},
        {QStringLiteral("Users_c2.zal"), QStringLiteral("Users_c2.nrv"), false, true},
        {QStringLiteral("Users_c2.zax"), QStringLiteral("Users_c2.nrx"), true, false},
        {QStringLiteral("archivcd.zal"), QStringLiteral("archivcd.dbf"), false, true},
        {QStringLiteral("CD.zal"), QStringLiteral("CD.txt"), false, false}};
    return set == Set::Cassettes ? cassettes : cds;
}

QString statusFileName(Set set)
{
    return set == Set::Cassettes ? QStringLiteral("info.txt") : QStringLiteral("infocd.txt");
}

staged::SetFiles setFiles(Set set, const QString &dir)
{
    staged::SetFiles files{dir, {}, statusFileName(set)};
    for (const Member &m : members(set))
        files.members << m.stored;
    files.members << manifest::fileName(files.marker);
    return files;
}

QByteArray statusBytes(const QDateTime &moment, const QString &version)
{
    const QStringList lines{QStringLiteral("Informace o zaloze na toto medium:"),
                            QStringLiteral("Datum zalohy    : ") + shortDate(moment.date()),
                            QStringLiteral("Cas odzalohovani: ") +
                                moment.time().toString(QStringLiteral("HH:mm:ss")),
                            version,
                            QString(),
                            QStringLiteral("Corect End Norvane information file.")};
    return Codepage::cp1250().encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

Status readStatus(const QString &dir, Set set)
{
    Status s;
    const QString path = findInDir(dir, statusFileName(set));
    if (path.isEmpty())
        return s;
    QByteArray bytes;
    if (!filecopy::readSmall(path, kStatusFileLimit, bytes, s.problem))
        return s;
    s = parseStatus(bytes);
    s.exists = true;
    return s;
}

Status parseStatus(const QByteArray &bytes)
{
    Status s;
    QString text = Codepage::cp1250().decode(bytes.constData(), int(bytes.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList lines = text.split(QLatin1Char('\n'));
    s.date = lines.value(1).mid(kValueStart, kStatusValueLength);
    s.time = lines.value(2).mid(kValueStart, kStatusValueLength);
    // Shown in a label as short as the others; a longer line is no version
    // this program wrote and would only stretch the screen.
    s.version = lines.value(3).left(kStatusValueLength);
    return s;
}

QString findInDir(const QString &dir, const QString &name)
{
    // Pipes and links count too: they are found, to be refused by name.
    const QDir d(dir);
    if (filecopy::entryExists(d.filePath(name)))
        return d.filePath(name);
    for (const QString &entry : d.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return d.filePath(entry);
    return QString();
}

} // namespace velmora::backup
