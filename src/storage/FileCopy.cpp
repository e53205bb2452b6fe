#include "storage/FileCopy.h"

#include "storage/Paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace velmora::filecopy {
namespace {

int g_failIn = 0;

// The name a copy is written under beside its target: hidden, and ours
// alone, so that one a stopped program left is known for what it is.
const QString kPartSuffix = QStringLiteral(".velmora-part");

// Large pieces: a catalogue with its memos is hundreds of megabytes.
constexpr qint64 kBuffer = 1 << 20;

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

QString partPath(const QString &target)
{
    const QFileInfo fi(target);
    return fi.dir().filePath(QLatin1Char('.') + fi.fileName() + kPartSuffix);
}

// Closes a descriptor when it goes out of scope.
class Fd
{
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    int get() const { return m_fd; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    // Closes now and tells whether the close itself went well (a full
    // medium may say so only here).
    int close()
    {
        const int rc = m_fd >= 0 ? ::close(m_fd) : 0;
        m_fd = -1;
        return rc == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

QString kindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QStringLiteral("pojmenovaná roura");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("zařízení");
    if (S_ISSOCK(mode))
        return QStringLiteral("soket");
    if (S_ISDIR(mode))
        return QStringLiteral("adresář");
    return QStringLiteral("zvláštní soubor");
}

// Opens source for reading without waiting on a pipe and, for what is not
// ours, without following a link; what opens must be a regular file.
QString openSource(const QString &path, Source source, Fd &fd, struct stat &st)
{
    if (QString problem = regularFileProblem(path, source); !problem.isEmpty())
        return problem;
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
    if (source == Source::Foreign)
        flags |= O_NOFOLLOW;
    fd.reset(::open(encoded(path).constData(), flags));
    if (fd.get() < 0)
        return QStringLiteral("Soubor \"%1\" nelze číst: %2")
            .arg(Paths::native(path), causeOf(errno));
    // Whatever stands there now is what is read, not what was looked at.
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        fd.reset();
        return QStringLiteral("Soubor \"%1\" není obyčejný soubor; program jej nečte.")
            .arg(Paths::native(path));
    }
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    return QString();
}

// A new file at path, never through a link or over a file that stands
// there: what an earlier run left under that name goes first.
QString createExclusive(const QString &path, Fd &fd)
{
    if (::unlink(encoded(path).constData()) != 0 && errno != ENOENT)
        return causeOf(errno);
    fd.reset(::open(encoded(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    0666));
    return fd.get() < 0 ? causeOf(errno) : QString();
}

QString writeAll(int fd, const char *data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return causeOf(errno);
        }
        if (n == 0)
            return causeOf(ENOSPC);
        data += n;
        size -= n;
    }
    return QString();
}

// Reads up to size bytes; -1 with the error number in error on failure.
qint64 readSome(int fd, char *data, qint64 size, int &error)
{
    for (;;) {
        const ssize_t n = ::read(fd, data, size_t(size));
        if (n >= 0)
            return n;
        if (errno != EINTR) {
            error = errno;
            return -1;
        }
    }
}

// On the disk before the rename, so the name never stands for a copy that
// is not whole; and the rename itself on the disk after it.
void syncDirectory(const QString &file)
{
    Fd dir(::open(encoded(QFileInfo(file).absolutePath()).constData(),
                  O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

// Puts part in target's place in one step: the target is the old file or
// the new one, never missing. A link standing at target is replaced, not
// followed. Empty on success, otherwise why not.
QString replace(const QString &part, const QString &target)
{
    if (std::rename(encoded(part).constData(), encoded(target).constData()) != 0)
        return causeOf(errno);
    syncDirectory(target);
    return QString();
}

QString cannotWrite(const QString &target, const QString &cause)
{
    return QStringLiteral("Soubor \"%1\" nelze zapsat: %2").arg(Paths::native(target), cause);
}

QString sizeText(qint64 bytes)
{
    const QLocale cz(QLocale::Czech);
    if (bytes < 1024)
        return QStringLiteral("%1 B").arg(bytes);
    if (bytes < 1024 * 1024)
        return cz.toString(double(bytes) / 1024, 'f', 1) + QStringLiteral(" kB");
    if (bytes < 1024LL * 1024 * 1024)
        return cz.toString(double(bytes) / (1024 * 1024), 'f', 1) + QStringLiteral(" MB");
    return cz.toString(double(bytes) / (1024.0 * 1024 * 1024), 'f', 2) + QStringLiteral(" GB");
}

// Reads the copy back from its medium and compares it with what was read.
QString readBackProblem(const QString &part, const QString &target, const QByteArray &expected)
{
    Fd fd(::open(encoded(part).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0)
        return cannotWrite(target, causeOf(errno));
    QCryptographicHash hash(QCryptographicHash::Md5);
    QByteArray buffer(kBuffer, Qt::Uninitialized);
    for (;;) {
        int error = 0;
        const qint64 n = readSome(fd.get(), buffer.data(), kBuffer, error);
        if (n < 0)
            return QStringLiteral("Kopii \"%1\" nelze přečíst zpět: %2")
                .arg(Paths::native(target), causeOf(error));
        if (n == 0)
            break;
        hash.addData(QByteArrayView(buffer.constData(), n));
    }
    if (hash.result() != expected)
        return QStringLiteral("Kopie \"%1\" se po přečtení liší od originálu (médium je nejspíš "
                              "poškozené).")
            .arg(Paths::native(target));
    return QString();
}

} // namespace

QString causeOf(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("na médiu není dost místa (médium je plné)");
    case EROFS:
        return QStringLiteral("médium je jen pro čtení");
    case EACCES:
    case EPERM:
        return QStringLiteral("přístup odepřen");
    case EIO:
        return QStringLiteral("chyba čtení nebo zápisu (médium je poškozené nebo bylo vyjmuto)");
    case ENODEV:
    case ENXIO:
    case ESTALE:
        return QStringLiteral("médium není dostupné (bylo vyjmuto?)");
    case ENOENT:
        return QStringLiteral("soubor nebo adresář neexistuje (bylo médium vyjmuto?)");
    case EFBIG:
        return QStringLiteral("soubor je pro toto médium příliš velký");
    case ENAMETOOLONG:
        return QStringLiteral("cesta k souboru je příliš dlouhá");
    case ELOOP:
        return QStringLiteral("na místě souboru je odkaz");
    case EISDIR:
        return QStringLiteral("na místě souboru je adresář");
    case ENOTDIR:
        return QStringLiteral("část cesty není adresář");
    case EEXIST:
        return QStringLiteral("soubor toho jména už existuje");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString regularFileProblem(const QString &path, Source source)
{
    struct stat st;
    if (::lstat(encoded(path).constData(), &st) != 0)
        return errno == ENOENT
                   ? QStringLiteral("Soubor \"%1\" neexistuje.").arg(Paths::native(path))
                   : QStringLiteral("Soubor \"%1\" nelze číst: %2")
                         .arg(Paths::native(path), causeOf(errno));
    if (S_ISLNK(st.st_mode)) {
        if (source == Source::Foreign)
            return QStringLiteral("Soubor \"%1\" je odkaz na jiné místo; program jej nečte.")
                .arg(Paths::native(path));
        if (::stat(encoded(path).constData(), &st) != 0)
            return QStringLiteral("Soubor \"%1\" je odkaz, který nikam nevede.")
                .arg(Paths::native(path));
    }
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("\"%1\" není obyčejný soubor, ale %2; program jej nečte.")
            .arg(Paths::native(path), kindOf(st.st_mode));
    return QString();
}

bool entryExists(const QString &path)
{
    struct stat st;
    return ::lstat(encoded(path).constData(), &st) == 0;
}

qint64 freeSpace(const QString &dir)
{
    struct statvfs vfs;
    if (::statvfs(encoded(dir).constData(), &vfs) != 0)
        return -1;
    return qint64(vfs.f_bavail) * qint64(vfs.f_frsize);
}

QString noRoomMessage(const QString &dir, qint64 needed, qint64 free)
{
    return QStringLiteral("Na médiu s adresářem \"%1\" není dost místa: je potřeba %2, volných je "
                          "jen %3.")
        .arg(Paths::native(dir), sizeText(needed), sizeText(free));
}

void failCopy(int n)
{
    g_failIn = n;
}

QString copy(const QString &source, const QString &target, const Progress &progress,
             const Options &options)
{
    Fd in;
    struct stat st;
    if (QString problem = openSource(source, options.source, in, st); !problem.isEmpty())
        return problem;
    // As a save over a file that must not be written refuses.
    if (struct stat old; ::lstat(encoded(target).constData(), &old) == 0) {
        if (S_ISDIR(old.st_mode))
            return cannotWrite(target, causeOf(EISDIR));
        if (S_ISREG(old.st_mode) && !QFileInfo(target).isWritable())
            return cannotWrite(target, QStringLiteral("soubor je jen pro čtení."));
    }
    const qint64 total = st.st_size;
    const QString dir = QFileInfo(target).absolutePath();
    if (const qint64 free = freeSpace(dir); free >= 0 && free < total)
        return noRoomMessage(dir, total, free);

    const QString part = partPath(target);
    Fd out;
    if (QString why = createExclusive(part, out); !why.isEmpty())
        return cannotWrite(target, why);
    const auto giveUp = [&](const QString &message) {
        out.reset();
        ::unlink(encoded(part).constData());
        return message;
    };
    if (g_failIn > 0 && --g_failIn == 0)
        return giveUp(cannotWrite(target, causeOf(ENOSPC)));

    QCryptographicHash hash(QCryptographicHash::Md5);
    QByteArray buffer(kBuffer, Qt::Uninitialized);
    qint64 copied = 0;
    // Only what the source held when it was opened: a file that grows while
    // it is read (or never ends) is not followed.
    while (copied < total) {
        int error = 0;
        const qint64 n = readSome(in.get(), buffer.data(), qMin(kBuffer, total - copied), error);
        if (n < 0)
            return giveUp(QStringLiteral("Soubor \"%1\" nelze číst: %2")
                              .arg(Paths::native(source), causeOf(error)));
        if (n == 0)
            return giveUp(QStringLiteral("Soubor \"%1\" se nepodařilo přečíst celý.")
                              .arg(Paths::native(source)));
        if (QString why = writeAll(out.get(), buffer.constData(), n); !why.isEmpty())
            return giveUp(cannotWrite(target, why));
        if (options.readBack || options.digest)
            hash.addData(QByteArrayView(buffer.constData(), n));
        copied += n;
        if (progress)
            progress(copied, total);
    }
    if (::fsync(out.get()) != 0)
        return giveUp(cannotWrite(target, causeOf(errno)));
    if (const int error = out.close(); error != 0)
        return giveUp(cannotWrite(target, causeOf(error)));
    if (options.readBack)
        if (QString why = readBackProblem(part, target, hash.result()); !why.isEmpty())
            return giveUp(why);
    if (const QString why = replace(part, target); !why.isEmpty())
        return giveUp(cannotWrite(target, why));
    if (QFileInfo(target).size() != copied)
        return QStringLiteral("Kopie \"%1\" nemá velikost originálu.").arg(Paths::native(target));
    if (options.digest)
        *options.digest = hash.result();
    return QString();
}

QString writeWhole(const QString &target, const QByteArray &bytes)
{
    const QString part = partPath(target);
    Fd out;
    QString why = createExclusive(part, out);
    if (why.isEmpty())
        why = writeAll(out.get(), bytes.constData(), bytes.size());
    if (why.isEmpty() && ::fsync(out.get()) != 0)
        why = causeOf(errno);
    if (why.isEmpty())
        if (const int error = out.close(); error != 0)
            why = causeOf(error);
    if (why.isEmpty())
        why = replace(part, target);
    if (!why.isEmpty()) {
        out.reset();
        ::unlink(encoded(part).constData());
        return cannotWrite(target, why);
    }
    return QString();
}

bool readSmall(const QString &path, qint64 limit, QByteArray &bytes, QString &problem)
{
    Fd fd;
    struct stat st;
    problem = openSource(path, Source::Foreign, fd, st);
    if (!problem.isEmpty())
        return false;
    bytes.resize(qMin<qint64>(limit, st.st_size));
    qint64 got = 0;
    while (got < bytes.size()) {
        int error = 0;
        const qint64 n = readSome(fd.get(), bytes.data() + got, bytes.size() - got, error);
        if (n < 0) {
            problem = QStringLiteral("Soubor \"%1\" nelze číst: %2")
                          .arg(Paths::native(path), causeOf(error));
            return false;
        }
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return true;
}

void discardUnfinished(const QString &dir)
{
    const QStringList parts = QDir(dir).entryList(QStringList{QStringLiteral(".*") + kPartSuffix},
                                                  QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : parts)
        ::unlink(encoded(QDir(dir).filePath(name)).constData());
}

} // namespace velmora::filecopy
