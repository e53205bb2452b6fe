#include "storage/FileCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#endif

namespace velmora::filecopy {
namespace {

int g_failIn = 0;

// The name a copy is written under beside its target: hidden, and ours
// alone, so that one a stopped program left is known for what it is.
const QString kPartSuffix = QStringLiteral(".velmora-part");

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString partPath(const QString &target)
{
    const QFileInfo fi(target);
    return fi.dir().filePath(QLatin1Char('.') + fi.fileName() + kPartSuffix);
}

// On the disk before the rename, so the name never stands for a copy that
// is not whole.
bool sync(QFile &f)
{
    if (!f.flush())
        return false;
#ifdef Q_OS_UNIX
    return ::fsync(f.handle()) == 0;
#else
    return true;
#endif
}

// Puts part in target's place in one step where the system allows it: the
// target is the old file or the new one, never missing. Empty on success,
// otherwise why not.
QString replace(const QString &part, const QString &target)
{
#ifdef Q_OS_UNIX
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) ==
        0)
        return QString();
    return QString::fromLocal8Bit(std::strerror(errno));
#else
    QFile::remove(target);
    QFile f(part);
    return f.rename(target) ? QString() : f.errorString();
#endif
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
    // As a save over a file that must not be written refuses.
    if (const QFileInfo old(target); old.exists() && !old.isWritable())
        return QStringLiteral("Soubor \"%1\" nelze zapsat: soubor je jen pro čtení.")
            .arg(native(target));
    const QString part = partPath(target);
    QFile out(part);
    const auto giveUp = [&](const QString &message) {
        out.close();
        QFile::remove(part);
        return message;
    };
    const auto cannotWrite = [&] {
        return QStringLiteral("Soubor \"%1\" nelze zapsat: %2")
            .arg(native(target), out.errorString());
    };
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return giveUp(cannotWrite());
    if (g_failIn > 0 && --g_failIn == 0)
        return giveUp(QStringLiteral("Soubor \"%1\" nelze zapsat: No space left on device")
                          .arg(native(target)));
    // Large pieces: a catalogue with its memos is hundreds of megabytes.
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    const qint64 total = in.size();
    qint64 copied = 0;
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n < 0)
            return giveUp(QStringLiteral("Soubor \"%1\" nelze číst: %2")
                              .arg(native(source), in.errorString()));
        if (n == 0)
            break;
        if (out.write(buffer.constData(), n) != n)
            return giveUp(cannotWrite());
        copied += n;
        if (progress)
            progress(copied, total);
    }
    if (copied != in.size())
        return giveUp(
            QStringLiteral("Soubor \"%1\" se nepodařilo přečíst celý.").arg(native(source)));
    if (!sync(out))
        return giveUp(cannotWrite());
    out.close();
    if (const QString why = replace(part, target); !why.isEmpty()) {
        QFile::remove(part);
        return QStringLiteral("Soubor \"%1\" nelze zapsat: %2").arg(native(target), why);
    }
    if (QFileInfo(target).size() != copied)
        return QStringLiteral("Kopie \"%1\" nemá velikost originálu.").arg(native(target));
    return QString();
}

QString writeWhole(const QString &target, const QByteArray &bytes)
{
    const QString part = partPath(target);
    QFile out(part);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size() ||
        !sync(out)) {
        const QString why = out.errorString();
        out.close();
        QFile::remove(part);
        return QStringLiteral("Soubor \"%1\" nelze zapsat: %2").arg(native(target), why);
    }
    out.close();
    if (const QString why = replace(part, target); !why.isEmpty()) {
        QFile::remove(part);
        return QStringLiteral("Soubor \"%1\" nelze zapsat: %2").arg(native(target), why);
    }
    return QString();
}

void discardUnfinished(const QString &dir)
{
    const QStringList parts = QDir(dir).entryList(QStringList{QStringLiteral(".*") + kPartSuffix},
                                                  QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : parts)
        QFile::remove(QDir(dir).filePath(name));
}

} // namespace velmora::filecopy
