#include "engine/RegularFile.h"

#include <QFileInfo>
#include <QObject>
#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace velmora::regular {
namespace {

QString notRegularText(const QString &path, const QString &kind)
{
    return QObject::tr("Soubor %1 není obyčejný soubor, je to %2; program jej nečte.")
        .arg(path, kind);
}

QString linkText(const QString &path)
{
    return QObject::tr("Soubor %1 je symbolický odkaz na jiný soubor; tabulky otevírané jen pro "
                       "čtení (například z cizího média) program přes odkazy nečte.")
        .arg(path);
}

Outcome failed(const QString &path, const QString &reason, bool denied)
{
    Outcome o;
    o.reason = reason;
    o.denied = denied;
    o.problem = QObject::tr("Soubor %1 nelze otevřít (%2).").arg(path, reason);
    return o;
}

Outcome refused(const QString &problem)
{
    Outcome o;
    o.problem = problem;
    o.notRegular = true;
    return o;
}

#ifdef Q_OS_UNIX

QString kindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QObject::tr("pojmenovaná roura");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QObject::tr("zařízení");
    if (S_ISSOCK(mode))
        return QObject::tr("soket");
    if (S_ISDIR(mode))
        return QObject::tr("adresář");
    return QObject::tr("neznámý druh souboru");
}

QString systemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool deniedError(int error)
{
    return error == EACCES || error == EROFS || error == EPERM || error == ETXTBSY;
}

// What stands at path, looked at without opening it: empty when it may be
// opened under links.
QString check(const QString &path, const QByteArray &name, Links links)
{
    struct stat st;
    if (::lstat(name.constData(), &st) != 0)
        return QString(); // nothing there: the open says so
    if (S_ISLNK(st.st_mode)) {
        if (links == Links::Refuse)
            return linkText(path);
        if (::stat(name.constData(), &st) != 0)
            return QString(); // a dangling link: the open says so
    }
    return S_ISREG(st.st_mode) ? QString() : notRegularText(path, kindOf(st.st_mode));
}

Outcome attach(QFile &file, int fd, const QString &path, bool write)
{
    // Checked again on what was opened: the path may have changed since.
    struct stat st;
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return refused(
            notRegularText(path, known ? kindOf(st.st_mode) : QObject::tr("neznámý druh souboru")));
    }
    // A regular file is read as usual, each read waiting for its bytes.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (file.isOpen())
        file.close();
    const QIODevice::OpenMode mode =
        (write ? QIODevice::ReadWrite : QIODevice::ReadOnly) | QIODevice::Unbuffered;
    if (!file.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return failed(path, file.errorString(), false);
    }
    return Outcome();
}

#endif

} // namespace

bool present(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
#else
    const QFileInfo fi(path);
    return fi.exists() || fi.isSymLink();
#endif
}

QString refusal(const QString &path, Links links)
{
#ifdef Q_OS_UNIX
    return check(path, QFile::encodeName(path), links);
#else
    const QFileInfo fi(path);
    if (fi.isSymLink() && links == Links::Refuse)
        return linkText(path);
    if (fi.exists() && !fi.isFile())
        return notRegularText(path, fi.isDir() ? QObject::tr("adresář")
                                               : QObject::tr("neznámý druh souboru"));
    return QString();
#endif
}

Outcome open(QFile &file, const QString &path, bool write, Links links)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    if (const QString why = check(path, name, links); !why.isEmpty())
        return refused(why);
    // Non-blocking: a pipe put there after the check must not hold the open.
    int flags = (write ? O_RDWR : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    if (links == Links::Refuse)
        flags |= O_NOFOLLOW;
    int fd;
    do {
        fd = ::open(name.constData(), flags);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        const int error = errno;
        if (error == ELOOP && links == Links::Refuse)
            return refused(linkText(path));
        if (error == ENXIO) // a socket or a device put there after the check
            return refused(notRegularText(path, QObject::tr("neznámý druh souboru")));
        return failed(path, systemText(error), deniedError(error));
    }
    return attach(file, fd, path, write);
#else
    if (const QString why = refusal(path, links); !why.isEmpty())
        return refused(why);
    QFile opened(path);
    const QIODevice::OpenMode mode =
        (write ? QIODevice::ReadWrite : QIODevice::ReadOnly) | QIODevice::Unbuffered;
    if (!opened.open(mode))
        return failed(path, opened.errorString(), opened.error() == QFileDevice::OpenError);
    opened.close();
    if (file.isOpen())
        file.close();
    file.setFileName(path);
    if (!file.open(mode))
        return failed(path, file.errorString(), false);
    return Outcome();
#endif
}

bool moveInto(QFile &target, QFile &source)
{
    if (!source.isOpen())
        return false;
    const QIODevice::OpenMode mode = source.openMode();
#ifdef Q_OS_UNIX
    const int fd = ::fcntl(int(source.handle()), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return false;
    if (target.isOpen())
        target.close();
    if (!target.open(fd, mode, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
#else
    const QString name = source.fileName();
    if (target.isOpen())
        target.close();
    target.setFileName(name);
    if (!target.open(mode))
        return false;
#endif
    source.close();
    return true;
}

Outcome create(QFile &file, const QString &path)
{
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return failed(path, systemText(errno), deniedError(errno));
    return attach(file, fd, path, true);
#else
    if (present(path))
        return failed(path, QObject::tr("soubor již existuje"), false);
    if (file.isOpen())
        file.close();
    file.setFileName(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::NewOnly | QIODevice::Unbuffered))
        return failed(path, file.errorString(), false);
    return Outcome();
#endif
}

} // namespace velmora::regular
