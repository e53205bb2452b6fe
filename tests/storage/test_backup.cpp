// Backups of the live files: every member copied whole, the status file
// only for a whole set, every failure told with the file's name.

#include "RulesFixture.h"
#include "DbfRead.h"
#include "SmallFileSystem.h"
#include "storage/Backup.h"
#include "storage/FileCopy.h"
#include "storage/Restore.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace velmora::test {
namespace {

using namespace backup;

class BackupTest : public RulesFixture
{
protected:
    BackupTest()
    {
        addCassette("00001");
        addCassette("00002", true, "Novák", 7);
        target = env.configHome() + "/../zaloha";
        QDir().mkpath(target);
    }

    QString backupNow(Set set = Set::Cassettes)
    {
        return makeBackup(set, target, QDateTime(QDate(2002, 5, 27), QTime(9, 5, 3)), "2002.A");
    }

    // Every file below dir, hidden ones and work directories too, by path.
    static QMap<QString, QByteArray> files(const QString &dir)
    {
        QMap<QString, QByteArray> out;
        QDirIterator it(
            dir, QDir::Files | QDir::Hidden | QDir::System | QDir::Dirs | QDir::NoDotAndDotDot,
            QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            QFile f(p);
            out.insert(QDir(dir).relativeFilePath(p),
                       f.open(QIODevice::ReadOnly) ? f.readAll() : "(dir)");
        }
        return out;
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

TEST_F(BackupTest, AFailedBackupLeavesTheEarlierSetWholeAndRestorable)
{
    ASSERT_EQ(backupNow(), "");
    const QMap<QString, QByteArray> earlier = files(target);
    // Data that differ from the earlier set in every table with records.
    addCassette("00003", true, "Dvořák", 14);
    for (int n = 1; n <= 6; ++n) {
        filecopy::failCopy(n);
        const QString problem =
            makeBackup(Set::Cassettes, target, QDateTime::currentDateTime(), "2002.A");
        filecopy::failCopy(0);
        EXPECT_TRUE(problem.contains("médium je plné")) << n << problem.toStdString();
        // Named where the user looks, not in the work directory.
        EXPECT_TRUE(problem.contains(QDir::toNativeSeparators(target) + "/"))
            << problem.toStdString();
        EXPECT_FALSE(problem.contains("velmora-new")) << problem.toStdString();
        EXPECT_EQ(files(target), earlier) << n;
        EXPECT_EQ(checkSet(Set::Cassettes, target), "") << n;
    }
    ASSERT_EQ(backupNow(), "");
    EXPECT_EQ(readWithDbfread(target + "/data.zal").size(), 3);
}

TEST_F(BackupTest, AMediumWithoutRoomForBothSetsIsToldBeforeAnythingIsWritten)
{
    SmallFileSystem medium("256k");
    if (!medium.mounted())
        GTEST_SKIP() << "no permission to mount a small file system here";
    target = medium.path();
    QList<CassetteRecord> many;
    for (int i = 10; i < 40; ++i) {
        CassetteRecord c;
        c.number = QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
        for (auto &rec : c.recordings)
            rec.note = QString(500, QLatin1Char('x'));
        many << c;
    }
    appendCassettes(many);
    ASSERT_EQ(backupNow(), "");
    const QMap<QString, QByteArray> earlier = files(target);
    const QString problem = backupNow();
    EXPECT_TRUE(problem.contains("není dost místa")) << problem.toStdString();
    EXPECT_TRUE(problem.contains("předchozí záloha")) << problem.toStdString();
    EXPECT_EQ(files(target), earlier);
    EXPECT_EQ(checkSet(Set::Cassettes, target), "");
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
