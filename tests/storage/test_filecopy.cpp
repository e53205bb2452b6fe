// Copies of whole files from media that may hold anything: only regular
// files are read, never through a planted link, bounded by the size seen
// and the room on the target, and a full medium is told as a full medium.

#include "SmallFileSystem.h"
#include "TestEnv.h"
#include "storage/FileCopy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace velmora::test {
namespace {

using namespace filecopy;

class FileCopyTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return env.file(name); }

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    static QByteArray read(const QString &p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }

    void fifo(const QString &name) const
    {
        ASSERT_EQ(::mkfifo(QFile::encodeName(path(name)).constData(), 0644), 0);
    }

    TestEnv env;
};

TEST_F(FileCopyTest, PipesDevicesSocketsAndDirectoriesAreRefusedWithoutWaiting)
{
    fifo("data.vkf");
    ASSERT_TRUE(QFile::link("/dev/zero", path("zero.dbt")));
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray sock = QFile::encodeName(path("s.dbf"));
    std::strncpy(addr.sun_path, sock.constData(), sizeof(addr.sun_path) - 1);
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)), 0);
    QDir().mkdir(path("dir.dbf"));

    QElapsedTimer clock;
    clock.start();
    const struct
    {
        const char *name;
        Source source;
        const char *said;
    } cases[] = {{"data.vkf", Source::Foreign, "pojmenovaná roura"},
                 {"data.vkf", Source::Own, "pojmenovaná roura"},
                 {"zero.dbt", Source::Foreign, "odkaz"},
                 {"zero.dbt", Source::Own, "zařízení"},
                 {"s.dbf", Source::Own, "soket"},
                 {"dir.dbf", Source::Own, "adresář"},
                 {"missing.dbf", Source::Own, "neexistuje"}};
    for (const auto &c : cases) {
        const QString problem = copy(path(c.name), path("target"), {}, {c.source});
        EXPECT_TRUE(problem.contains(c.said)) << c.name << ": " << problem.toStdString();
        EXPECT_FALSE(entryExists(path("target"))) << c.name;
        EXPECT_TRUE(regularFileProblem(path(c.name), c.source).contains(c.said)) << c.name;
    }
    // A reader that waited on the pipe or read /dev/zero would not be here.
    EXPECT_LT(clock.elapsed(), 10000);
    ::close(s);

    QByteArray bytes;
    QString problem;
    EXPECT_FALSE(readSmall(path("data.vkf"), 1024, bytes, problem));
    EXPECT_TRUE(problem.contains("pojmenovaná roura")) << problem.toStdString();
    EXPECT_FALSE(readSmall(path("zero.dbt"), 1024, bytes, problem));
    EXPECT_TRUE(problem.contains("odkaz")) << problem.toStdString();
}

TEST_F(FileCopyTest, ALinkIsReadOnlyFromOurOwnPlaces)
{
    write("real.dbf", "tabulka");
    ASSERT_TRUE(QFile::link(path("real.dbf"), path("link.dbf")));
    EXPECT_TRUE(copy(path("link.dbf"), path("a"), {}, {Source::Foreign}).contains("odkaz"));
    EXPECT_FALSE(entryExists(path("a")));
    EXPECT_EQ(copy(path("link.dbf"), path("b"), {}, {Source::Own}), "");
    EXPECT_EQ(read(path("b")), "tabulka");
    EXPECT_FALSE(QFileInfo(path("b")).isSymLink());
}

TEST_F(FileCopyTest, PlantedLinksAtThePartNameOrTheTargetAreReplacedNeverFollowed)
{
    QTemporaryDir outside;
    const QString victim = outside.filePath("victim.txt");
    {
        QFile f(victim);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("outside the medium");
    }
    write("new.dbf", "new data");
    // A link where the copy writes first, and one where it lands.
    ASSERT_TRUE(QFile::link(victim, path(".data.vkf.velmora-part")));
    ASSERT_TRUE(QFile::link(victim, path("data.vkf")));
    EXPECT_EQ(copy(path("new.dbf"), path("data.vkf")), "");
    EXPECT_EQ(read(victim), "outside the medium");
    EXPECT_FALSE(QFileInfo(path("data.vkf")).isSymLink());
    EXPECT_EQ(read(path("data.vkf")), "new data");
    EXPECT_FALSE(entryExists(path(".data.vkf.velmora-part")));

    ASSERT_TRUE(QFile::link(victim, path(".info.velmora-part")));
    EXPECT_EQ(writeWhole(path("info"), "small"), "");
    EXPECT_EQ(read(victim), "outside the medium");
    EXPECT_EQ(read(path("info")), "small");
}

TEST_F(FileCopyTest, AFullMediumIsToldAsAFullMedium)
{
    SmallFileSystem medium("64k");
    if (!medium.mounted())
        GTEST_SKIP() << "no permission to mount a small file system here";
    write("big.dbf", QByteArray(200 * 1024, 'x'));
    // Too large for the room there: told before a byte is written.
    const QString target = medium.path() + "/big.dbf";
    QString problem = copy(path("big.dbf"), target);
    EXPECT_TRUE(problem.contains("není dost místa")) << problem.toStdString();
    EXPECT_TRUE(
        QDir(medium.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
            .isEmpty());
    // A write that meets the end of the room says so, and leaves nothing.
    problem = writeWhole(medium.path() + "/info.txt", QByteArray(200 * 1024, 'y'));
    EXPECT_TRUE(problem.contains("médium je plné")) << problem.toStdString();
    EXPECT_FALSE(entryExists(medium.path() + "/info.txt"));
    EXPECT_TRUE(
        QDir(medium.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
            .isEmpty());
    // A medium that takes no writes at all.
    ASSERT_TRUE(medium.makeReadOnly());
    problem = copy(path("big.dbf"), medium.path() + "/small.dbf");
    EXPECT_TRUE(problem.contains("není dost místa") || problem.contains("jen pro čtení"))
        << problem.toStdString();
}

TEST_F(FileCopyTest, ACopyReadBackAndItsChecksumAgreeWithTheSource)
{
    QByteArray bytes;
    for (int i = 0; i < 3 * 1024 * 1024 + 17; ++i)
        bytes.append(char(i * 7));
    write("source.dbf", bytes);
    QByteArray digest;
    qint64 last = 0;
    EXPECT_EQ(copy(path("source.dbf"), path("copy.dbf"),
                   [&](qint64 done, qint64 total) {
                       EXPECT_EQ(total, bytes.size());
                       EXPECT_GT(done, last);
                       last = done;
                   },
                   {Source::Foreign, true, &digest}),
              "");
    EXPECT_EQ(last, bytes.size());
    EXPECT_EQ(read(path("copy.dbf")), bytes);
    EXPECT_EQ(digest, QCryptographicHash::hash(bytes, QCryptographicHash::Md5));
}

} // namespace
} // namespace velmora::test
