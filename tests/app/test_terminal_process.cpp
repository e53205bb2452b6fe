// The built program from a terminal without any window system: help, an
// option not understood, and the spreadsheet exchange, with the exit status
// a script reads and the lock of a running program respected.

#include "DbfWrite.h"
#include "TestEnv.h"
#include "storage/Paths.h"
#include "storage/Storage.h"
#include "storage/TableHandles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

constexpr int kPatienceMs = 60000;

class TerminalProcess : public ::testing::Test
{
protected:
    // No DISPLAY, no WAYLAND_DISPLAY and no offscreen platform: a window
    // would fail to open, so every run below proves it opens none.
    QProcessEnvironment terminal() const
    {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("XDG_CONFIG_HOME", env.configHome());
        e.insert("XDG_DATA_HOME", env.dataHome());
        e.insert("XDG_CACHE_HOME", env.cacheHome());
        e.insert("XDG_CONFIG_DIRS", env.systemConfig());
        e.insert("TMPDIR", tmp.path());
        for (const char *name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "VELMORA_DATA_DIR"})
            e.remove(name);
        return e;
    }

    struct Run
    {
        int status = -1;
        QString out, err;
    };

    Run run(const QStringList &args, const QProcessEnvironment &environment)
    {
        QProcess p;
        p.setProcessEnvironment(environment);
        p.start(QStringLiteral(VELMORA_BINARY_DIR "/velmora"), args);
        EXPECT_TRUE(p.waitForFinished(kPatienceMs))
            << "still running: " << args.join(' ').toStdString();
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }
    Run run(const QStringList &args) { return run(args, terminal()); }

    // The catalogue's tables in a folder, as the program's first start
    // there leaves them.
    static void makeCatalogue(const QString &dir)
    {
        const QString before = Paths::dataDir();
        Paths::setDataDir(dir + QLatin1Char('/'));
        Storage::prepareDirectories();
        TableHandles tables;
        Storage::prepareTables(tables);
        tables.closeAll();
        Paths::setDataDir(before);
    }

    test::TestEnv env;
    QTemporaryDir tmp;
};

TEST_F(TerminalProcess, HelpAndAnUnknownOptionAnswerWithoutAWindow)
{
    const Run help = run({"--help"});
    EXPECT_EQ(help.status, 0) << help.err.toStdString();
    for (const char *option : {"--data-dir", "--cd-device", "--export", "--import", "--help"})
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;

    const Run wrong = run({"--data-dir", env.dataDir(), "--bogus"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(wrong.err.startsWith(QStringLiteral("Neznámá volba: --bogus")))
        << wrong.err.toStdString();
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("Použití:")));
    // Nothing was prepared in the data folder.
    EXPECT_FALSE(QFileInfo::exists(env.file("data.dbf")));
}

TEST_F(TerminalProcess, ExportWritesTheFileAndImportRefusesAProblemWithItsLine)
{
    makeCatalogue(env.dataDir());
    const QString out = tmp.filePath("kazety.csv");
    const Run exported = run({"--data-dir", env.dataDir(), "--export", "kazety", out});
    EXPECT_EQ(exported.status, 0) << exported.err.toStdString();
    ASSERT_TRUE(QFileInfo(out).isFile());
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("\xEF\xBB\xBF"
                                       "Číslo kazety;"));

    const QString in = tmp.filePath("nove.csv");
    QFile w(in);
    ASSERT_TRUE(w.open(QIODevice::WriteOnly));
    w.write("Číslo kazety;Typ kazety;Pozice;Název filmu\r\n"
            "7;E 240;1;Pelíšky\r\n"
            "abc;E 240;1;Kolja\r\n");
    w.close();
    const QByteArray before = [&] {
        QFile d(env.file("data.dbf"));
        return d.open(QIODevice::ReadOnly) ? d.readAll() : QByteArray();
    }();
    const Run refused = run({"--data-dir", env.dataDir(), "--import", "kazety", in});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains(in + QStringLiteral(":3: "))) << refused.err.toStdString();
    QFile d(env.file("data.dbf"));
    ASSERT_TRUE(d.open(QIODevice::ReadOnly));
    EXPECT_EQ(d.readAll(), before);
}

TEST_F(TerminalProcess, AnImportNamesAGenreTheListLacksThenAddsWhatItMay)
{
    makeCatalogue(env.dataDir());
    const QString in = tmp.filePath("nove.csv");
    const auto write = [&](const QByteArray &bytes) {
        QFile w(in);
        ASSERT_TRUE(w.open(QIODevice::WriteOnly));
        w.write(bytes);
    };
    write("Číslo kazety;Typ kazety;Pozice;Název filmu;Žánr\r\n"
          "12;E 240;1;Pelíšky;Kung-fu\r\n");
    const Run refused = run({"--data-dir", env.dataDir(), "--import", "kazety", in});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains(
        in + QStringLiteral(": Žánr „Kung-fu“ není v uživatelském seznamu žánrů.")))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Nic nebylo zapsáno.")));

    write("Číslo kazety;Typ kazety;Pozice;Název filmu;Žánr\r\n"
          "12;E 240;1;Pelíšky;Komedie\r\n");
    const Run added = run({"--data-dir", env.dataDir(), "--import", "kazety", in});
    EXPECT_EQ(added.status, 0) << added.err.toStdString();
    EXPECT_TRUE(added.out.startsWith(QStringLiteral("Přidáno kazet: 1, záznamů: 1.")))
        << added.out.toStdString();
    // The same file again: the cassette is there now.
    const Run again = run({"--data-dir", env.dataDir(), "--import", "kazety", in});
    EXPECT_EQ(again.status, 2);
    EXPECT_TRUE(again.err.contains(in + QStringLiteral(":2: "))) << again.err.toStdString();
}

TEST_F(TerminalProcess, ARunningProgramKeepsTheExchangeOut)
{
    makeCatalogue(env.dataDir());
    QProcess program;
    QProcessEnvironment e = terminal();
    e.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(e);
    program.start(QStringLiteral(VELMORA_BINARY_DIR "/velmora"), {"--data-dir", env.dataDir()});
    ASSERT_TRUE(program.waitForStarted(kPatienceMs));
    const QDeadlineTimer deadline(kPatienceMs);
    while (!QFileInfo::exists(env.file(".velmora.lock"))) {
        ASSERT_FALSE(program.waitForFinished(50)) << program.readAll().toStdString();
        ASSERT_FALSE(deadline.hasExpired()) << "no lock file";
    }
    const QString out = tmp.filePath("cd.xlsx");
    const Run refused = run({"--data-dir", env.dataDir(), "--export", "cd", out});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("právě pracuje s daty")))
        << refused.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
    program.terminate();
    EXPECT_TRUE(program.waitForFinished(kPatienceMs));
}

TEST_F(TerminalProcess, AFolderThatHoldsNoCatalogueGetsNone)
{
    // A folder of photos named by mistake: refused, and nothing made there.
    const QString photos = tmp.filePath("fotky");
    ASSERT_TRUE(QDir().mkpath(photos));
    QFile photo(photos + "/dovolena.jpg");
    ASSERT_TRUE(photo.open(QIODevice::WriteOnly));
    photo.write("JFIF");
    photo.close();
    for (const QStringList &args :
         {QStringList{"--data-dir", photos, "--export", "kazety", tmp.filePath("k.csv")},
          QStringList{"--data-dir", photos, "--import", "cd", tmp.filePath("k.csv")}}) {
        const Run r = run(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("není katalog"))) << r.err.toStdString();
    }
    EXPECT_EQ(QDir(photos).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"dovolena.jpg"});
    EXPECT_FALSE(QFileInfo::exists(tmp.filePath("k.csv")));
}

TEST_F(TerminalProcess, OneDashNamesTheDataFolderToo)
{
    // The catalogue named with one dash is the one exported, not the
    // default one of the user.
    makeCatalogue(env.dataDir());
    test::appendWithDbfTo(env.file("data.dbf"), "[{'cislo': '00042', 't_kazety': 'E 240'}]");
    const QString out = tmp.filePath("jedna.csv");
    const Run r = run({"-data-dir", env.dataDir(), "--export", "kazety", out});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    QFile f(out);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("\r\n00042;E 240;"));
}

TEST_F(TerminalProcess, AFolderThatIsNotThereGetsNoCatalogue)
{
    const QString missing = tmp.filePath("nikde");
    const Run r = run({"--data-dir", missing, "--export", "vse", tmp.filePath("vse.xlsx")});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("neexistuje"))) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(missing));
}

} // namespace
