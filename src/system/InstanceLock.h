#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace velmora {

// Keeps a second program from writing the same tables: one lock file in
// the data directory, held for the whole run. A lock left by a program that
// died is taken over.
class InstanceLock
{
public:
    // True when this process now holds the directory.
    bool acquire(const QString &dataDir);
    QString path() const { return m_path; }
    // Why the last acquire failed: LockFailedError when another program
    // holds the directory, PermissionError when its lock cannot be written.
    QLockFile::LockError failure() const { return m_failure; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QLockFile::LockError m_failure = QLockFile::NoError;
};

} // namespace velmora
