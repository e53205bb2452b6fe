// Backups of the live files: every member copied whole, the status file
// only for a whole set, every failure told with the file's name.

#include "AppFixture.h"
#include "storage/Backup.h"
#include "storage/FileCopy.h"

#include <QDir>
#include <QFileInfo>

namespace velmora::test {
namespace {

using namespace backup;

class BackupTest : public AppFixture
{
protected:
    BackupTest()
    {
        start();
        addCassette("00001");
        addCassette("00002", true, "Novák", 7);
        target = env.configHome() + "/../zaloha";
        QDir().mkpath(target);
    }

    QString backupNow(Set set = Set::Cassettes)
    {
        return makeBackup(set, target, QDateTime(QDate(2002, 5, 27), QTime(9, 5, 3)), "2002.A");
    }

    QString target;
};

TEST_F(BackupTest, EveryMemberCopiedWholeAndTheStatusWrittenLast)
{
    double last = 0;
    int calls = 0;
    ASSERT_EQ(makeBackup(Set::Cassettes, target, QDateTime::currentDateTime(), "2002.A",
                         [&](double f) {
                             EXPECT_GE(f, last);
                             last = f;
                             ++calls;
                         }),
              "");
    EXPECT_EQ(last, 9.0);
    EXPECT_GE(calls, 9);
    for (const Member &m : members(Set::Cassettes)) {
        const QFileInfo live(Paths::dataFile(m.live));
        const QFileInfo copy(target + "/" + m.stored);
        EXPECT_EQ(copy.exists(), live.exists()) << m.stored.toStdString();
        if (live.exists()) {
            EXPECT_EQ(copy.size(), live.size()) << m.stored.toStdString();
        }
    }
    const Status s = readStatus(target, Set::Cassettes);
    EXPECT_TRUE(s.exists);
    EXPECT_EQ(s.version, "2002.A");
    // The CD set shares the directory without touching the cassette set.
    ASSERT_EQ(backupNow(Set::Cds), "");
    EXPECT_TRUE(readStatus(target, Set::Cassettes).exists);
    EXPECT_TRUE(readStatus(target, Set::Cds).exists);
}

TEST_F(BackupTest, AFailedCopyLeavesNoStatusSoTheSetIsNotTakenForWhole)
{
    ASSERT_EQ(backupNow(), "");
    for (int n = 1; n <= 6; ++n) {
        filecopy::failCopy(n);
        const QString problem = backupNow();
        filecopy::failCopy(0);
        EXPECT_FALSE(problem.isEmpty()) << n;
        EXPECT_TRUE(problem.contains(target.section('/', -1))) << problem.toStdString();
        EXPECT_FALSE(readStatus(target, Set::Cassettes).exists) << n;
    }
    ASSERT_EQ(backupNow(), "");
    EXPECT_TRUE(readStatus(target, Set::Cassettes).exists);
}

TEST_F(BackupTest, AMissingLiveFileIsNamedAndNothingIsWritten)
{
    QFile::remove(Paths::dataFile("VK.txt"));
    const QString problem = backupNow();
    EXPECT_TRUE(problem.contains("VK.txt")) << problem.toStdString();
    EXPECT_TRUE(QDir(target).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(
        makeBackup(Set::Cassettes, target + "/missing", QDateTime::currentDateTime(), "2002.A")
            .isEmpty());
}

} // namespace
} // namespace velmora::test
