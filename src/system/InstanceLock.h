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

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace velmora
