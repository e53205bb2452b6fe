#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace velmora {

// Copies of whole files that either arrive complete or not at all: the copy
// is written under a temporary name beside the target (".data.dbf.velmora-
// part"), flushed to the disk, its size checked against the source, and
// only then renamed over the target. An old target stays as it was when
// anything fails, and when the program is stopped half way.
namespace filecopy {

// Called as the copy goes on, with the bytes written and the file's size.
using Progress = std::function<void(qint64 done, qint64 total)>;

// Where a source comes from. Files of other people's media are read only
// when they are regular files themselves; a file of our own places may be a
// link to one. Pipes, devices and sockets are never read.
enum class Source
{
    Foreign,
    Own,
};

struct Options
{
    Source source = Source::Foreign;
    // The copy is read back from the target and compared with what was read.
    bool readBack = false;
    // Receives the MD5 checksum of what was copied, when given.
    QByteArray *digest = nullptr;
};

// Empty on success; otherwise a Czech message naming the file and the cause.
// At most as many bytes as the source had when it was opened are copied, and
// none when the target's medium has less room than that.
QString copy(const QString &source, const QString &target, const Progress &progress = {},
             const Options &options = {});

// A small file written whole the same way: bytes under the temporary name,
// flushed, renamed over target. Empty on success, otherwise the cause.
QString writeWhole(const QString &target, const QByteArray &bytes);

// Reads at most limit bytes of a small file (an information or status file)
// that must be a regular file, not a link. False with problem when it is
// not one or cannot be read.
bool readSmall(const QString &path, qint64 limit, QByteArray &bytes, QString &problem);

// Empty when path is a regular file (a link counts only for Source::Own);
// otherwise why it is not read, in Czech. A missing file is a problem too.
QString regularFileProblem(const QString &path, Source source = Source::Foreign);

// Whether something (a file, a link, a pipe) stands at path; unlike
// QFileInfo::exists, a link that leads nowhere counts.
bool entryExists(const QString &path);

// The room left on the medium that holds dir, in bytes; -1 when unknown.
qint64 freeSpace(const QString &dir);
// The message for a medium without room for bytes more.
QString noRoomMessage(const QString &dir, qint64 needed, qint64 free);

// The Czech cause of a failed system call, from its error number: a full
// medium reads as a full medium.
QString causeOf(int error);

// Removes the copies that a program stopped half way left in dir under
// their temporary names.
void discardUnfinished(const QString &dir);

// For tests of the callers' recovery: the n-th copy from now (1 = the next
// one) fails as a full disk would; 0 turns it off.
void failCopy(int n);

} // namespace filecopy
} // namespace velmora
