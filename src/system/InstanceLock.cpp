#include "system/InstanceLock.h"

#include <QDir>

namespace velmora {

bool InstanceLock::acquire(const QString &dataDir)
{
    m_path = QDir(dataDir).filePath(QStringLiteral(".velmora.lock"));
    auto lock = std::make_unique<QLockFile>(m_path);
    lock->setStaleLockTime(0); // only a dead owner makes the lock stale
    if (!lock->tryLock(0)) {
        m_failure = lock->error();
        return false;
    }
    m_failure = QLockFile::NoError;
    m_lock = std::move(lock);
    return true;
}

} // namespace velmora
