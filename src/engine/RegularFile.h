#pragma once

// Opening the files of a table so that nothing else stands in for them: a
// named pipe where a table should lie would block the program in open(2) or
// in the first read, a device such as /dev/zero would never end, and a link
// planted on someone else's medium would lead the program to a file outside
// it. Only regular files are read; links are followed only where the caller
// says so (the program's own tables).

#include <QFile>
#include <QString>

namespace velmora::regular {

enum class Links
{
    Refuse, // a link at the path is refused, wherever it leads
    Follow, // a link is followed, and what it ends at must be a regular file
};

// Whether anything at all stands at path (a dangling link too).
bool present(const QString &path);

// Empty when nothing stands at path or what does may be read under links;
// otherwise why not, as the user is told it, naming path.
QString refusal(const QString &path, Links links);

struct Outcome
{
    QString problem;         // empty on success
    QString reason;          // the system's words for a failed open, where it failed
    bool notRegular = false; // refused for what stands there, not for access
    bool denied = false;     // the system refused the access asked for (read-only medium)
    bool ok() const { return problem.isEmpty(); }
};

// Opens the regular file at path into file for reading, or for reading and
// writing, without blocking and without following a link where links are
// refused. An open file is closed only once the new one is open; on failure
// file is left as it was.
Outcome open(QFile &file, const QString &path, bool write, Links links);

// Makes target hold the file that source has open, and closes source.
// False when the system gives no second handle of it (source stays open
// then; target too, unless only the last step failed).
bool moveInto(QFile &target, QFile &source);

// Creates a new file at path for writing, never through a link and never
// over anything that stands there already.
Outcome create(QFile &file, const QString &path);

} // namespace velmora::regular
