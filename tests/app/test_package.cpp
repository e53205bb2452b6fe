// The Debian package as a household gets it: built from this build, its
// files and dependencies, its checks by lintian and the desktop's
// validators, and the installed program started with an empty home.

#include "TestEnv.h"
#include "VirtualDisplay.h"
#include "system/Version.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>

using namespace velmora;

namespace {

// A safety net for a hung program on a loaded machine, not a measure.
constexpr int kPatienceMs = 120000;

struct Outcome
{
    int code = -1;
    QString out;
};

Outcome run(const QString &program, const QStringList &args, const QString &dir = QString())
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (!dir.isEmpty())
        p.setWorkingDirectory(dir);
    p.start(program, args);
    if (!p.waitForFinished(kPatienceMs))
        p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAll())};
}

bool have(const char *program)
{
    return !QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty();
}

// Every file under dir, relative to it, sorted.
QStringList filesUnder(const QString &dir)
{
    QStringList out;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(dir).relativeFilePath(it.next());
    out.sort();
    return out;
}

class Package : public ::testing::Test
{
protected:
    // One package for the whole suite of this file: it takes a while.
    static void SetUpTestSuite()
    {
        if (!have("cpack") || !have("dpkg-deb") || !have("dpkg-shlibdeps"))
            return;
        s_work = new QTemporaryDir;
        const Outcome r = run(
            "cpack", {"--config", VELMORA_BINARY_DIR "/CPackConfig.cmake", "-B", s_work->path()});
        s_log = r.out;
        const QString deb = s_work->filePath("velmora_" + version::kFileVersion + "_amd64.deb");
        if (r.code == 0 && QFileInfo::exists(deb))
            s_deb = deb;
    }
    static void TearDownTestSuite()
    {
        delete s_work;
        s_work = nullptr;
    }
    void SetUp() override
    {
        if (!have("cpack") || !have("dpkg-deb") || !have("dpkg-shlibdeps"))
            GTEST_SKIP() << "needs cpack and dpkg-dev";
        ASSERT_FALSE(s_deb.isEmpty()) << "no package: " << s_log.toStdString();
    }

    // The package unpacked into a scratch root.
    QString unpacked()
    {
        const QString root = scratch.filePath("root");
        const Outcome r = run("dpkg-deb", {"-x", s_deb, root});
        EXPECT_EQ(r.code, 0) << r.out.toStdString();
        return root;
    }

    static inline QTemporaryDir *s_work = nullptr;
    static inline QString s_deb;
    static inline QString s_log;
    QTemporaryDir scratch;
};

TEST_F(Package, HoldsTheProgramItsDesktopFilesAndItsRealDependencies)
{
    const QString root = unpacked();
    EXPECT_EQ(filesUnder(root),
              QStringList({"usr/bin/velmora", "usr/share/applications/cz.norvane.Velmora.desktop",
                           "usr/share/doc/velmora/changelog.gz", "usr/share/doc/velmora/copyright",
                           "usr/share/icons/hicolor/256x256/apps/cz.norvane.Velmora.png",
                           "usr/share/icons/hicolor/48x48/apps/cz.norvane.Velmora.png",
                           "usr/share/icons/hicolor/scalable/apps/cz.norvane.Velmora.svg",
                           "usr/share/man/man1/velmora.1.gz",
                           "usr/share/metainfo/cz.norvane.Velmora.metainfo.xml",
                           "usr/share/velmora/Version.txt"}));
    const Outcome depends = run("dpkg-deb", {"-f", s_deb, "Depends"});
    for (const char *lib : {"libqt6widgets6", "libqt6charts6", "libqt6printsupport6", "libcdio",
                            "qt6-qpa-plugins", "libc6"})
        EXPECT_TRUE(depends.out.contains(QString::fromLatin1(lib)))
            << lib << " in " << depends.out.toStdString();
    EXPECT_EQ(run("dpkg-deb", {"-f", s_deb, "Version"}).out.trimmed(), version::kFileVersion);

    // The icons in their sizes.
    const Outcome png =
        run("file", {root + "/usr/share/icons/hicolor/48x48/apps/cz.norvane.Velmora.png"});
    if (png.code == 0) {
        EXPECT_TRUE(png.out.contains("48 x 48")) << png.out.toStdString();
    }
}

TEST_F(Package, PassesLintianAndTheDesktopValidators)
{
    if (!have("lintian") || !have("appstreamcli") || !have("desktop-file-validate"))
        GTEST_SKIP() << "needs lintian, appstream and desktop-file-utils";
    const Outcome lintian = run("lintian", {"--no-tag-display-limit", s_deb});
    for (const QString &line : lintian.out.split('\n'))
        EXPECT_FALSE(line.startsWith("E:")) << line.toStdString();
    const QString root = unpacked();
    const Outcome metainfo =
        run("appstreamcli", {"validate", "--no-net", "--pedantic",
                             root + "/usr/share/metainfo/cz.norvane.Velmora.metainfo.xml"});
    EXPECT_EQ(metainfo.code, 0) << metainfo.out.toStdString();
    const Outcome desktop =
        run("desktop-file-validate", {root + "/usr/share/applications/cz.norvane.Velmora.desktop"});
    EXPECT_EQ(desktop.code, 0) << desktop.out.toStdString();
    EXPECT_FALSE(desktop.out.contains("error")) << desktop.out.toStdString();
}

TEST_F(Package, TheInstalledProgramKeepsItsDataInTheUsersDataLocationOnly)
{
    const QString root = unpacked();
    const QStringList shipped = filesUnder(root);
    const QString home = scratch.filePath("home");
    QDir().mkpath(home);
    QTemporaryDir tmp;

    QProcess program;
    QProcessEnvironment e;
    e.insert("HOME", home);
    e.insert("PATH", qEnvironmentVariable("PATH"));
    e.insert("TMPDIR", tmp.path());
    e.insert("LANG", "C.UTF-8");
    // No session bus: an X display would otherwise start one in the home.
    e.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + tmp.filePath("no-bus"));
    // On a display of its own the main window is seen; elsewhere offscreen.
    std::unique_ptr<test::VirtualDisplay> x;
    if (test::VirtualDisplay::available())
        x = std::make_unique<test::VirtualDisplay>(kPatienceMs);
    if (x && !x->display().isEmpty()) {
        e.insert("QT_QPA_PLATFORM", "xcb");
        e.insert("DISPLAY", x->display());
    } else {
        e.insert("QT_QPA_PLATFORM", "offscreen");
    }
    program.setProcessEnvironment(e);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.setWorkingDirectory(home);
    program.start(root + "/usr/bin/velmora", {});
    ASSERT_TRUE(program.waitForStarted(kPatienceMs)) << program.errorString().toStdString();

    // The first start: its tables, then its first showing (the lock stays
    // while it waits for the user).
    const QString data = home + "/.local/share/Norvane/Velmora";
    const QDeadlineTimer deadline(kPatienceMs);
    while (!QFileInfo::exists(data + "/Users_c2.nrv") ||
           !QFileInfo::exists(data + "/Version.txt")) {
        ASSERT_FALSE(program.waitForFinished(100))
            << "ended early: " << program.readAll().toStdString();
        ASSERT_FALSE(deadline.hasExpired()) << "no tables in " << data.toStdString();
    }
    if (x && !x->display().isEmpty()) {
        // The main window under its caption (a first start shows it behind
        // its notices).
        const QString caption = "Velmora 2002 (Build: " + version::buildNumber() + ")";
        while (!x->windowNames().contains(caption)) {
            ASSERT_FALSE(program.waitForFinished(100)) << program.readAll().toStdString();
            ASSERT_FALSE(deadline.hasExpired()) << "no main window";
        }
    }
    ASSERT_EQ(::kill(pid_t(program.processId()), SIGTERM), 0);
    ASSERT_TRUE(program.waitForFinished(kPatienceMs));
    EXPECT_EQ(program.exitCode(), 0) << program.readAll().toStdString();

    // Tables in the data location, the settings in the configuration (the
    // program's own and the maker's shared key), nothing beside the program.
    EXPECT_EQ(filesUnder(root), shipped);
    for (const QString &f : filesUnder(home))
        EXPECT_TRUE(f.startsWith(".local/share/Norvane/Velmora/") ||
                    f.startsWith(".config/Norvane/") || f == ".config/Norvane.conf")
            << f.toStdString();
    for (const char *table : {"data.dbf", "archiv.dbf", "cd01.dbf", "cd02.dbf", "archivcd.dbf"})
        EXPECT_TRUE(QFileInfo::exists(data + "/" + table)) << table;
    QFile news(data + "/Version.txt");
    ASSERT_TRUE(news.open(QIODevice::ReadOnly));
    const QByteArray text = news.readAll();
    EXPECT_TRUE(text.startsWith("Velmora 2002 - co je nov\xe9ho v t\xe9to verzi\r\n")) // cp1250
        << text.left(60).toStdString();
}

} // namespace
