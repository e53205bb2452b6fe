#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

namespace velmora::test {

// A private world for one test: its own data directory and its own
// configuration and data homes, so nothing of the real user is touched.
class TestEnv
{
public:
    TestEnv();
    ~TestEnv();
    QString dataDir() const { return m_data.path(); }
    QString configHome() const { return m_root.path() + QStringLiteral("/config"); }
    QString dataHome() const { return m_root.path() + QStringLiteral("/share"); }
    QString systemConfig() const { return m_root.path() + QStringLiteral("/system"); }
    QString cacheHome() const { return m_root.path() + QStringLiteral("/cache"); }
    QString file(const QString &name) const { return m_data.filePath(name); }

private:
    QTemporaryDir m_root;
    QTemporaryDir m_data;
};

// Runs a program and returns its standard output; fails the test on a
// non-zero exit.
QString runProgram(const QString &program, const QStringList &args, int *exitCode = nullptr);

} // namespace velmora::test

// Readable QStrings in test failure messages.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
