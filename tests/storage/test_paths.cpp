// Where the program keeps its files: the choice of the data directory and
// the private temporary directory.

#include "TestEnv.h"
#include "storage/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

class DataDirTest : public ::testing::Test
{
protected:
    DataDirTest()
    {
        qunsetenv("VELMORA_DATA_DIR");
        QCoreApplication::setOrganizationName(QStringLiteral("Norvane"));
        QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
        QDir().mkpath(exeDir());
    }
    ~DataDirTest() override { qunsetenv("VELMORA_DATA_DIR"); }

    // Stands for the folder of the executable, such as build/.
    QString exeDir() const { return env.dataDir() + QStringLiteral("/bin"); }
    QString userDir() const { return env.dataHome() + QStringLiteral("/Norvane/Velmora/"); }

    void touch(const QString &path)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    test::TestEnv env;
};

TEST_F(DataDirTest, WritableExecutableFolderWithoutCatalogueIsNotUsed)
{
    touch(exeDir() + "/velmora");
    EXPECT_FALSE(QFileInfo::exists(userDir()));
    EXPECT_EQ(Paths::resolveDataDir({"velmora"}, exeDir()), userDir());
    EXPECT_TRUE(QFileInfo(userDir()).isDir()); // made for the first start
    // Nothing was left beside the executable.
    EXPECT_EQ(QDir(exeDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"velmora"});
}

TEST_F(DataDirTest, ExecutableFolderHoldingTheCatalogueKeepsIt)
{
    touch(exeDir() + "/data.dbf");
    EXPECT_EQ(Paths::resolveDataDir({"velmora"}, exeDir()), exeDir() + "/");
    EXPECT_EQ(Paths::resolveDataDir({"velmora", "/AutoRun"}, exeDir() + "/"), exeDir() + "/");
}

TEST_F(DataDirTest, OnlyTheCassetteTableMarksAnInstallation)
{
    // Other tables, or a folder of that name, are not a catalogue.
    touch(exeDir() + "/cd01.dbf");
    touch(exeDir() + "/Data.dbf.bak");
    QDir().mkpath(exeDir() + "/sub/data.dbf");
    EXPECT_EQ(Paths::resolveDataDir({"velmora"}, exeDir()), userDir());
    EXPECT_EQ(Paths::resolveDataDir({"velmora"}, exeDir() + "/sub"), userDir());
    // A folder that does not exist at all.
    EXPECT_EQ(Paths::resolveDataDir({"velmora"}, exeDir() + "/missing/deeper"), userDir());
    EXPECT_EQ(Paths::resolveDataDir({"velmora"}, QString()), userDir());
}

TEST_F(DataDirTest, OptionAndEnvironmentWinOverAnInstallation)
{
    touch(exeDir() + "/data.dbf");
    EXPECT_EQ(Paths::resolveDataDir({"velmora", "--data-dir", "/tmp/x"}, exeDir()), "/tmp/x/");
    EXPECT_EQ(Paths::resolveDataDir({"velmora", "--data-dir=/tmp/y/"}, exeDir()), "/tmp/y/");
    qputenv("VELMORA_DATA_DIR", "/tmp/z");
    EXPECT_EQ(Paths::resolveDataDir({"velmora", "/AutoRun"}, exeDir()), "/tmp/z/");
    // The option comes before the environment.
    EXPECT_EQ(Paths::resolveDataDir({"velmora", "--data-dir", "/tmp/x"}, exeDir()), "/tmp/x/");
    // The option may name the executable's folder itself.
    EXPECT_EQ(Paths::resolveDataDir({"velmora", "--data-dir", exeDir()}, exeDir()), exeDir() + "/");
    qputenv("VELMORA_DATA_DIR", "");
    EXPECT_EQ(Paths::resolveDataDir({"velmora"}, exeDir()), exeDir() + "/");
}

TEST(PathsTest, PositionalArgumentsLeaveOutTheDataDirectoryOption)
{
    EXPECT_EQ(Paths::positionalArguments({"velmora", "--data-dir", "/d", "/AutoRun"}),
              QStringList({"/AutoRun"}));
    EXPECT_EQ(Paths::positionalArguments({"velmora", "--data-dir=/d", "/AutoRun", "x"}),
              QStringList({"/AutoRun", "x"}));
    EXPECT_EQ(Paths::positionalArguments({"velmora"}), QStringList());
}

TEST(PathsTest, PrivateTemporaryDirectory)
{
    const QString dir = Paths::tempDir();
    EXPECT_TRUE(dir.endsWith('/'));
    EXPECT_FALSE(dir.endsWith("//"));
    EXPECT_NE(QDir::cleanPath(dir), QDir::cleanPath(QDir::tempPath()));
    EXPECT_EQ(QFileInfo(dir).permissions() &
                  (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
    EXPECT_EQ(Paths::tempDir(), dir);
    Paths::cleanupTemp();
    EXPECT_FALSE(QFileInfo::exists(dir));
}

} // namespace
