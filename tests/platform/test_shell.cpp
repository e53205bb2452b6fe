// Handing a file to the desktop: when the desktop's type registry names no
// program for it, opening says so at once (the caller then shows the file
// itself) instead of starting xdg-open, which would show nothing.

#include "platform/Shell.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

class DesktopShell : public ::testing::Test
{
protected:
    DesktopShell() : m_path(qgetenv("PATH"))
    {
        shell::setOpener({});
        qputenv("PATH", (m_dir.path() + QLatin1Char(':')).toLocal8Bit() + m_path);
        m_file = m_dir.filePath(QStringLiteral("VK.txt"));
        QFile f(m_file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Poznámky\r\n");
    }
    ~DesktopShell() override { qputenv("PATH", m_path); }

    // A stand-in of an xdg-utils program: records its arguments, prints the answer.
    void tool(const QString &name, const QByteArray &answer)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\necho \"$@\" >> '" + m_dir.filePath(name + ".args").toLocal8Bit() +
                "'\nprintf '%s' '" + answer + "'\n");
        f.close();
        ASSERT_TRUE(f.setPermissions(f.permissions() | QFileDevice::ExeOwner));
    }
    QString args(const QString &name) const
    {
        QFile f(m_dir.filePath(name + ".args"));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()).trimmed()
                                           : QString();
    }

    QTemporaryDir m_dir;
    QByteArray m_path;
    QString m_file;
};

} // namespace

TEST_F(DesktopShell, NoProgramForTheTypeIsToldAndNothingIsStarted)
{
    tool(QStringLiteral("xdg-mime"), "");
    tool(QStringLiteral("xdg-open"), "");
    EXPECT_FALSE(shell::openFile(m_file));
    EXPECT_EQ(args(QStringLiteral("xdg-mime")), QStringLiteral("query default text/plain"));
    QTest::qWait(300);
    EXPECT_TRUE(args(QStringLiteral("xdg-open")).isEmpty());
}
