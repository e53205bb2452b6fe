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

// Empty on success; otherwise a Czech message naming the file and the cause.
QString copy(const QString &source, const QString &target, const Progress &progress = {});

// A small file written whole the same way: bytes under the temporary name,
// flushed, renamed over target. Empty on success, otherwise the cause.
QString writeWhole(const QString &target, const QByteArray &bytes);

// Removes the copies that a program stopped half way left in dir under
// their temporary names.
void discardUnfinished(const QString &dir);

// For tests of the callers' recovery: the n-th copy from now (1 = the next
// one) fails as a full disk would; 0 turns it off.
void failCopy(int n);

} // namespace filecopy
} // namespace velmora
