#include "storage/StagedSet.h"

#include "storage/FileCopy.h"
#include "storage/Paths.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::staged {
namespace {

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// The three hidden directories of a set, named after its marker, so that
// two sets sharing a directory keep apart: the new set while it is built,
// the new set once whole and on its way in, and the old set put aside.
QString hidden(const SetFiles &set, const char *what)
{
    return QDir(set.dir).filePath(QLatin1Char('.') + set.marker + QStringLiteral(".velmora-") +
                                  QLatin1String(what));
}
QString incoming(const SetFiles &set)
{
    return hidden(set, "in");
}
QString aside(const SetFiles &set)
{
    return hidden(set, "old");
}

bool isRealDir(const QString &path)
{
    struct stat st;
    return ::lstat(encoded(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Removes what stands at path; a link goes itself, never what it leads to.
void removeEntry(const QString &path)
{
    if (isRealDir(path))
        QDir(path).removeRecursively();
    else
        ::unlink(encoded(path).constData());
}

QString move(const QString &from, const QString &to)
{
    if (std::rename(encoded(from).constData(), encoded(to).constData()) == 0)
        return QString();
    return QStringLiteral("Soubor \"%1\" nelze přesunout: %2")
        .arg(Paths::native(from), filecopy::causeOf(errno));
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The set's files in dir under whatever capitals they have, the marker first.
QStringList setEntries(const SetFiles &set)
{
    QStringList markers, members;
    for (const QString &name : entries(set.dir)) {
        if (name.compare(set.marker, Qt::CaseInsensitive) == 0)
            markers << name;
        else if (set.members.contains(name, Qt::CaseInsensitive))
            members << name;
    }
    return markers + members;
}

// Moves names from one directory to another; on failure moves back what it
// moved and tells why.
QString moveAll(const QString &from, const QString &to, const QStringList &names)
{
    QStringList moved;
    for (const QString &name : names) {
        const QString problem = move(QDir(from).filePath(name), QDir(to).filePath(name));
        if (!problem.isEmpty()) {
            for (const QString &back : moved)
                move(QDir(to).filePath(back), QDir(from).filePath(back));
            return problem;
        }
        moved << name;
    }
    return QString();
}

// The files of the incoming set in the order they move in: the marker last.
QStringList incomingOrder(const SetFiles &set)
{
    QStringList names = entries(incoming(set)), marker;
    for (qsizetype i = names.size() - 1; i >= 0; --i)
        if (names[i].compare(set.marker, Qt::CaseInsensitive) == 0)
            marker << names.takeAt(i);
    return names + marker;
}

// What went aside comes back, when nothing of the new set came in.
QString putBackAside(const SetFiles &set)
{
    const QString old = aside(set);
    if (!isRealDir(old)) {
        removeEntry(old);
        return QString();
    }
    QStringList back;
    for (const QString &name : entries(old))
        if (!filecopy::entryExists(QDir(set.dir).filePath(name)))
            back << name;
    const QString problem = moveAll(old, set.dir, back);
    if (problem.isEmpty())
        removeEntry(old);
    return problem;
}

} // namespace

QString stagingDir(const SetFiles &set)
{
    return hidden(set, "new");
}

bool pending(const SetFiles &set)
{
    return filecopy::entryExists(stagingDir(set)) || filecopy::entryExists(incoming(set)) ||
           filecopy::entryExists(aside(set));
}

QString recover(const SetFiles &set)
{
    if (!pending(set))
        return QString();
    QString problem;
    if (isRealDir(incoming(set))) {
        // The new set was whole and checked, the old one aside: it moves in.
        problem = moveAll(incoming(set), set.dir, incomingOrder(set));
        if (problem.isEmpty()) {
            removeEntry(aside(set));
            removeEntry(incoming(set));
        }
    } else {
        removeEntry(incoming(set));
        problem = putBackAside(set);
    }
    if (problem.isEmpty())
        removeEntry(stagingDir(set));
    else
        problem = QStringLiteral("Výměnu souborů přerušenou v adresáři \"%1\" nelze dokončit: %2")
                      .arg(Paths::native(set.dir), problem);
    return problem;
}

QString begin(const SetFiles &set)
{
    if (QString problem = recover(set); !problem.isEmpty())
        return problem;
    if (::mkdir(encoded(stagingDir(set)).constData(), 0777) != 0)
        return QStringLiteral("V adresáři \"%1\" nelze vytvořit pracovní adresář: %2")
            .arg(Paths::native(set.dir), filecopy::causeOf(errno));
    return QString();
}

QString commit(const SetFiles &set)
{
    const QString staging = stagingDir(set), old = aside(set), in = incoming(set);
    if (!isRealDir(staging))
        return QStringLiteral("Nová sada souborů v adresáři \"%1\" není připravena.")
            .arg(Paths::native(set.dir));
    if (::mkdir(encoded(old).constData(), 0777) != 0)
        return QStringLiteral("V adresáři \"%1\" nelze vytvořit pracovní adresář: %2")
            .arg(Paths::native(set.dir), filecopy::causeOf(errno));
    // The old set goes aside, its marker first: from the first move on the
    // directory no longer claims to hold a whole set.
    const QStringList oldNames = setEntries(set);
    QString problem = moveAll(set.dir, old, oldNames);
    if (problem.isEmpty()) {
        // One rename makes the checked new set the one a stopped program
        // finishes moving in.
        problem = move(staging, in);
        if (problem.isEmpty()) {
            const QStringList newNames = incomingOrder(set);
            problem = moveAll(in, set.dir, newNames);
            if (problem.isEmpty()) {
                removeEntry(old);
                removeEntry(in);
                return QString();
            }
            move(in, staging);
        }
        moveAll(old, set.dir, oldNames);
    }
    // Empty when the old set is back; otherwise it waits there for recover.
    ::rmdir(encoded(old).constData());
    return problem;
}

void abandon(const SetFiles &set)
{
    removeEntry(stagingDir(set));
}

} // namespace velmora::staged
