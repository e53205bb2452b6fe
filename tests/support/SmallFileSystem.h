#pragma once

#include "TestEnv.h"

#include <QDir>
#include <QTemporaryDir>

namespace velmora::test {

// A small file system of its own, mounted for the test (on a directory of
// its own, or over the one given); tests skip where they may not mount.
class SmallFileSystem
{
public:
    explicit SmallFileSystem(const QString &size, const QString &at = QString())
        : m_path(at.isEmpty() ? m_dir.path() : at)
    {
        int rc = -1;
        runProgram("mount", {"-t", "tmpfs", "-o", "size=" + size, "tmpfs", m_path}, &rc);
        m_mounted = rc == 0;
    }
    ~SmallFileSystem()
    {
        if (m_mounted)
            runProgram("umount", {m_path});
    }
    bool mounted() const { return m_mounted; }
    QString path() const { return m_path; }
    bool makeReadOnly()
    {
        int rc = -1;
        runProgram("mount", {"-o", "remount,ro", m_path}, &rc);
        return rc == 0;
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    bool m_mounted = false;
};

} // namespace velmora::test
