#include "storage/FileCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace velmora::filecopy {
namespace {

int g_failIn = 0;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

void failCopy(int n)
{
    g_failIn = n;
}

QString copy(const QString &source, const QString &target, const Progress &progress)
{
    QFile in(source);
    if (!in.exists())
        return QStringLiteral("Soubor \"%1\" neexistuje.").arg(native(source));
    if (!in.open(QIODevice::ReadOnly))
        return QStringLiteral("Soubor \"%1\" nelze číst: %2").arg(native(source), in.errorString());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return QStringLiteral("Soubor \"%1\" nelze zapsat: %2")
            .arg(native(target), out.errorString());
    if (g_failIn > 0 && --g_failIn == 0) {
        out.cancelWriting();
        return QStringLiteral("Soubor \"%1\" nelze zapsat: No space left on device")
            .arg(native(target));
    }
    // Large pieces: a catalogue with its memos is hundreds of megabytes.
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    const qint64 total = in.size();
    qint64 copied = 0;
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n < 0) {
            out.cancelWriting();
            return QStringLiteral("Soubor \"%1\" nelze číst: %2")
                .arg(native(source), in.errorString());
        }
        if (n == 0)
            break;
        if (out.write(buffer.constData(), n) != n) {
            out.cancelWriting();
            return QStringLiteral("Soubor \"%1\" nelze zapsat: %2")
                .arg(native(target), out.errorString());
        }
        copied += n;
        if (progress)
            progress(copied, total);
    }
    if (copied != in.size()) {
        out.cancelWriting();
        return QStringLiteral("Soubor \"%1\" se nepodařilo přečíst celý.").arg(native(source));
    }
    if (!out.commit())
        return QStringLiteral("Soubor \"%1\" nelze zapsat: %2")
            .arg(native(target), out.errorString());
    if (QFileInfo(target).size() != copied)
        return QStringLiteral("Kopie \"%1\" nemá velikost originálu.").arg(native(target));
    return QString();
}

} // namespace velmora::filecopy
