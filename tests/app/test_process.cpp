// The built program as a process: ended by SIGTERM or SIGINT it closes in
// order, and on X11 its window captions are exactly its own.

#include "TestEnv.h"
#include "VirtualDisplay.h"
#include "platform/MachineInfo.h"
#include "session/Settings.h"
#include "system/SettingsStore.h"
#include "system/SystemInfo.h"
#include "system/Version.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

// A safety net for a hung program on a loaded machine, not a measure.
constexpr int kPatienceMs = 60000;

class ProgramProcess : public ::testing::Test
{
protected:
    ProgramProcess()
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("XDG_CONFIG_HOME", env.configHome());
        e.insert("XDG_DATA_HOME", env.dataHome());
        e.insert("XDG_CACHE_HOME", env.cacheHome());
        e.insert("XDG_CONFIG_DIRS", env.systemConfig());
        e.insert("TMPDIR", tmp.path());
        e.insert("QT_QPA_PLATFORM", "offscreen");
        e.remove("VELMORA_DATA_DIR");
        program.setProcessEnvironment(e);
        program.setProcessChannelMode(QProcess::MergedChannels);
    }
    ~ProgramProcess() override
    {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(kPatienceMs);
        }
    }

    QString lockFile() const { return env.file(".velmora.lock"); }

    void start()
    {
        program.start(QStringLiteral(VELMORA_BINARY_DIR "/velmora"), {"--data-dir", env.dataDir()});
        ASSERT_TRUE(program.waitForStarted(kPatienceMs)) << program.errorString().toStdString();
    }

    // Waits while the program runs until the condition holds.
    void waitFor(const std::function<bool()> &condition, const char *what)
    {
        const QDeadlineTimer deadline(kPatienceMs);
        while (!condition()) {
            ASSERT_FALSE(program.waitForFinished(50))
                << "the program ended before " << what << ": " << program.readAll().toStdString();
            ASSERT_FALSE(deadline.hasExpired()) << "no " << what;
        }
    }

    // Sends the signal and expects the end of a confirmed close.
    void endWith(int signalNumber)
    {
        ASSERT_EQ(::kill(pid_t(program.processId()), signalNumber), 0);
        ASSERT_TRUE(program.waitForFinished(kPatienceMs)) << "still running after the signal";
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "killed by the signal";
        EXPECT_EQ(program.exitCode(), 0) << program.readAll().toStdString();
        EXPECT_FALSE(QFileInfo::exists(lockFile()));
        EXPECT_TRUE(QDir(tmp.path()).entryList({"velmora-*"}, QDir::AllEntries).isEmpty());
    }

    // Last exit as the program left it in its settings file; read from a
    // copy, so no cached copy of this process answers.
    int storedLastExit()
    {
        const QString copy = tmp.path() + "/settings-copy.conf";
        QFile::remove(copy);
        EXPECT_TRUE(QFile::copy(SettingsStore::own().fileName(), copy));
        const QSettings s(copy, QSettings::IniFormat);
        return s.contains(settings::kLastExit) ? s.value(settings::kLastExit).toInt() : -1;
    }

    // Settings of an earlier start: no splash, no news, no system window.
    void writeEarlierStart(int lastExit)
    {
        SettingsStore s = SettingsStore::own();
        s.writeBool(settings::kStartDlg, false);
        s.writeString(settings::kVersion, version::kText);
        s.writeString(settings::kSetupOs, detectSystem().code);
        s.writeInt(settings::kLastExit, lastExit);
        s.sync();
    }

    test::TestEnv env;
    QTemporaryDir tmp;
    QProcess program;
};

TEST_F(ProgramProcess, SigtermAtTheFirstStartAndSigintLaterCloseInOrder)
{
    // An unknown section: the start shows the cassettes, and the end writes them.
    SettingsStore::own().writeInt(settings::kLastExit, 0);
    SettingsStore::own().sync();
    start();
    // The handler is in place before the lock is taken; the last table
    // prepared means the first showing (splash, news, notices) is next.
    waitFor(
        [&] {
            return QFileInfo::exists(lockFile()) && QFileInfo::exists(env.file("Users_c2.nrv"));
        },
        "prepared tables");
    endWith(SIGTERM);
    EXPECT_EQ(storedLastExit(), 1);
    // Nothing was half written: the next start finds its tables as left.
    EXPECT_EQ(SettingsStore::own().readString(settings::kVersion), version::kText);

    // A later start, waiting for the user at the printer notice (or in the
    // main window where a printer exists), ended from the terminal.
    writeEarlierStart(2);
    start();
    waitFor([&] { return QFileInfo::exists(lockFile()); }, "lock file");
    endWith(SIGINT);
    EXPECT_EQ(storedLastExit(), 2);
}

TEST_F(ProgramProcess, CaptionsOnX11CarryNoAppendedApplicationTitle)
{
    if (!test::VirtualDisplay::available())
        GTEST_SKIP() << "needs Xvfb and xwininfo (packages xvfb, x11-utils)";
    test::VirtualDisplay x(kPatienceMs);
    ASSERT_FALSE(x.display().isEmpty()) << "Xvfb did not start";
    const QString display = x.display();

    writeEarlierStart(1);
    QProcessEnvironment e = program.processEnvironment();
    e.insert("QT_QPA_PLATFORM", "xcb");
    e.insert("DISPLAY", display);
    program.setProcessEnvironment(e);
    start();

    const QString mainCaption = "Velmora 2002 (Build: " + version::buildNumber() + ")";
    // Without a printer the notice waits over the (hidden) main window.
    const bool notice = machine::currentPrinterName().isEmpty();
    QStringList names;
    waitFor(
        [&] {
            names = x.windowNames();
            return names.contains(mainCaption) && (!notice || names.contains("Informace"));
        },
        "window with its exact caption");
    for (const QString &name : names)
        EXPECT_FALSE(name.endsWith(" Velmora 2002") || name.contains(QChar(0x2014)))
            << name.toStdString();
    endWith(SIGTERM);
}

} // namespace
