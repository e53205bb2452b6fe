#include "transfer/ExportInfo.h"

#include "engine/Codepage.h"
#include "storage/DateText.h"
#include "storage/FileCopy.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace velmora::exchange {
namespace {

constexpr int kValueStart = 18; // labels are 18 characters long

const QString kFirstLine = QStringLiteral("Informace o Exportu na toto medium:");
const QString kLastLine = QStringLiteral("Corect End Norvane information file.");

} // namespace

QByteArray infoFileBytes(const QDateTime &moment, const QString &version, const QString &owner)
{
    const QStringList lines{kFirstLine,
                            QStringLiteral("Datum exportu   : ") + shortDate(moment.date()),
                            QStringLiteral("Cas exportu     : ") +
                                moment.time().toString(QStringLiteral("HH:mm:ss")),
                            QString(),
                            QStringLiteral("Verze programu  : ") + version,
                            QStringLiteral("Vlastník dat    : ") + owner,
                            QString(),
                            kLastLine};
    return Codepage::cp1250().encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

bool readInfoFile(const QString &path, ExportInfo &info, QString &problem)
{
    const QString name = QDir::toNativeSeparators(path);
    // Only a regular file, never a pipe or a link on someone's medium.
    QByteArray bytes;
    if (!filecopy::readSmall(path, kInfoFileLimit, bytes, problem))
        return false; // the problem names the file

    return parseInfo(bytes, name, info, problem);
}

bool parseInfo(const QByteArray &bytes, const QString &name, ExportInfo &info, QString &problem)
{
    QString text = Codepage::cp1250().decode(bytes.constData(), int(bytes.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() < 8 || (lines.size() == 8 && lines[7].isEmpty())) {
        problem =
            QStringLiteral("Informační soubor \"%1\" je neúplný: má méně než osm řádků.").arg(name);
        return false;
    }
    info.date = lines[1].mid(kValueStart, 28);
    info.time = lines[2].mid(kValueStart, 28);
    info.version = lines[4].mid(kValueStart, 7);
    info.owner = lines[5].mid(kValueStart);
    if (!parseShortDate(info.date).isValid()) {
        problem = QStringLiteral("Datum exportu \"%1\" v souboru \"%2\" nelze přečíst jako datum.")
                      .arg(info.date.trimmed(), name);
        return false;
    }
    problem = ownerNameProblem(ownerKey(info.owner));
    if (!problem.isEmpty()) {
        problem = QStringLiteral("Jméno vlastníka dat v souboru \"%1\" nelze použít: %2")
                      .arg(name, problem);
        return false;
    }
    return true;
}

QString ownerKey(const QString &owner)
{
    qsizetype n = owner.size();
    while (n > 0 && owner[n - 1] == QLatin1Char(' '))
        --n;
    return owner.left(n);
}

} // namespace velmora::exchange
