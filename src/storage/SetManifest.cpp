#include "storage/SetManifest.h"

#include "storage/BackupSets.h"
#include "storage/FileCopy.h"
#include "storage/Paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace velmora::manifest {
namespace {

const QByteArray kFirstLine = QByteArrayLiteral("Velmora: soubory sady");
constexpr qint64 kLimit = 64 * 1024;

QString notTogether(const QString &why)
{
    return why + QStringLiteral(" Soubory v adresáři nejspíš pocházejí z různých záloh nebo "
                                "exportů.");
}

} // namespace

const Entry *Manifest::find(const QString &name) const
{
    for (const Entry &e : entries)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

QString fileName(const QString &marker)
{
    return QFileInfo(marker).completeBaseName() + QStringLiteral(".sum");
}

QByteArray bytes(const Manifest &m)
{
    QByteArray out = kFirstLine + "\r\n";
    out += "marker\t" + m.markerMd5.toHex() + "\r\n";
    for (const Entry &e : m.entries)
        out += "file\t" + e.name.toUtf8() + '\t' + QByteArray::number(e.size) + '\t' +
               e.md5.toHex() + "\r\n";
    return out;
}

std::optional<Manifest> parse(const QByteArray &text, QString &problem)
{
    const QList<QByteArray> lines = text.split('\n');
    if (lines.isEmpty() || lines[0].trimmed() != kFirstLine) {
        problem = QStringLiteral("neznámý obsah");
        return std::nullopt;
    }
    Manifest m;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const QList<QByteArray> f = line.split('\t');
        bool ok = false;
        if (f.size() == 2 && f[0] == "marker" && f[1].size() == 32) {
            m.markerMd5 = QByteArray::fromHex(f[1]);
            continue;
        }
        if (f.size() == 4 && f[0] == "file" && f[3].size() == 32) {
            const qint64 size = f[2].toLongLong(&ok);
            const QString name = QString::fromUtf8(f[1]);
            if (ok && size >= 0 && !name.isEmpty() && !name.contains(QLatin1Char('/'))) {
                m.entries.append({name, size, QByteArray::fromHex(f[3])});
                continue;
            }
        }
        problem = QStringLiteral("řádek %1 nelze přečíst").arg(i + 1);
        return std::nullopt;
    }
    if (m.markerMd5.isEmpty()) {
        problem = QStringLiteral("chybí údaj o informačním souboru");
        return std::nullopt;
    }
    return m;
}

std::optional<Manifest> read(const QString &dir, const QString &marker, QString &problem)
{
    problem.clear();
    const QString path = backup::findInDir(dir, fileName(marker));
    if (path.isEmpty())
        return std::nullopt;
    QByteArray text;
    if (!filecopy::readSmall(path, kLimit, text, problem))
        return std::nullopt;
    std::optional<Manifest> m = parse(text, problem);
    if (!m)
        problem =
            QStringLiteral("Soubor \"%1\" nelze přečíst: %2.").arg(Paths::native(path), problem);
    return m;
}

QString sizesProblem(const Manifest &m, const QString &dir, const QString &marker)
{
    const QString markerPath = backup::findInDir(dir, marker);
    QByteArray markerBytes;
    QString problem;
    if (markerPath.isEmpty() || !filecopy::readSmall(markerPath, kLimit, markerBytes, problem))
        return problem.isEmpty() ? QStringLiteral("Soubor \"%1\" chybí.")
                                       .arg(Paths::native(QDir(dir).filePath(marker)))
                                 : problem;
    if (QCryptographicHash::hash(markerBytes, QCryptographicHash::Md5) != m.markerMd5)
        return notTogether(QStringLiteral("Soubor \"%1\" není ten, který byl zapsán se sadou.")
                               .arg(Paths::native(markerPath)));
    for (const Entry &e : m.entries) {
        const QString path = backup::findInDir(dir, e.name);
        if (path.isEmpty())
            return QStringLiteral("V adresáři chybí soubor \"%1\".")
                .arg(Paths::native(QDir(dir).filePath(e.name)));
        if (QString problem = filecopy::regularFileProblem(path); !problem.isEmpty())
            return problem;
        if (QFileInfo(path).size() != e.size)
            return notTogether(QStringLiteral("Soubor \"%1\" nemá velikost, s jakou byl zapsán.")
                                   .arg(Paths::native(path)));
    }
    return QString();
}

QString digestProblem(const Manifest &m, const QString &name, const QByteArray &md5,
                      const QString &shownPath)
{
    const Entry *e = m.find(name);
    if (!e)
        return notTogether(
            QStringLiteral("Soubor \"%1\" nebyl zapsán se sadou.").arg(Paths::native(shownPath)));
    if (e->md5 != md5)
        return notTogether(QStringLiteral("Obsah souboru \"%1\" není ten, s jakým byl zapsán.")
                               .arg(Paths::native(shownPath)));
    return QString();
}

QDate tableDate(const QString &path)
{
    QByteArray head;
    QString problem;
    if (!filecopy::readSmall(path, 4, head, problem) || head.size() < 4)
        return QDate();
    const int yy = quint8(head[1]);
    return QDate(1900 + yy, quint8(head[2]), quint8(head[3]));
}

QString tableAfterMarkerProblem(const QString &table, const QDate &day)
{
    const QDate changed = tableDate(table);
    if (!changed.isValid() || !day.isValid() || changed <= day)
        return QString();
    return notTogether(QStringLiteral("Tabulka \"%1\" byla změněna %2, později než byl zapsán její "
                                      "informační soubor (%3).")
                           .arg(Paths::native(table), changed.toString(QStringLiteral("d.M.yyyy")),
                                day.toString(QStringLiteral("d.M.yyyy"))));
}

} // namespace velmora::manifest
