// Restores of a backup set: checked whole before anything changes, the live
// files put aside first, and put back when the restore fails half-way.

#include "RulesFixture.h"
#include "DbfRead.h"
#include "SmallFileSystem.h"
#include "storage/Backup.h"
#include "storage/FileCopy.h"
#include "storage/Restore.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>

namespace velmora::test {
namespace {

using namespace backup;

const QDateTime kMoment(QDate(2002, 5, 27), QTime(9, 5, 3));

class RestoreTest : public RulesFixture
{
protected:
    RestoreTest()
    {
        CassetteRecord a;
        a.number = "00001";
        a.recordings[0] = slot("Pelíšky", "SP", 115, "Komedie");
        a.recordings[0].note = "Poznámka k filmu";
        appendCassette(a);
        addCassette("00002", true, "Novák", 7);
        addCdTitle("00001");
        tables.closeAll();
        source = env.configHome() + "/../zaloha";
        QDir().mkpath(source);
        EXPECT_EQ(makeBackup(Set::Cassettes, source, kMoment, "2002.A"), "");
        EXPECT_EQ(makeBackup(Set::Cds, source, kMoment, "2002.A"), "");
    }

    // Every live file of a set, by name, as bytes.
    static QHash<QString, QByteArray> liveBytes(Set set)
    {
        QHash<QString, QByteArray> out;
        for (const Member &m : members(set)) {
            QFile f(Paths::dataFile(m.live));
            if (f.open(QIODevice::ReadOnly))
                out.insert(m.live, f.readAll());
        }
        return out;
    }

    // The tables of the cassette set as dbfread reads them.
    static QList<QJsonArray> cassetteTables(const QString &dir = Paths::dataDir())
    {
        QList<QJsonArray> out;
        for (const QString &t :
             QStringList{"data.dbf", "archiv.dbf", "Users_za.nrv", "Users_zd.nrv"})
            out << readWithDbfread(QDir(dir).filePath(t));
        return out;
    }

    // Changes to every table of the cassette set after the backup.
    void changeCassetteData()
    {
        addCassette("00003");
        appendWithDbf("archiv.dbf", "[{'t_kazety': 'E180', 'cislo': '00002', 'komu': 'Dvořák'}]");
        Table genres; // python's dbf takes only files named .dbf
        genres.setPath(Paths::dataFile("Users_za.nrv"));
        genres.open();
        genres.append();
        genres.setString(0, "Nový žánr");
        genres.post();
        genres.close();
        QFile notes(Paths::dataFile("VK.txt"));
        ASSERT_TRUE(notes.open(QIODevice::Append));
        notes.write("nova poznamka\r\n");
    }

    QStringList safetyDirs() const
    {
        return QDir(Paths::zalohaDir())
            .entryList({"Pred_obnovou_*"}, QDir::Dirs | QDir::NoDotAndDotDot);
    }

    QString source;
};

TEST_F(RestoreTest, ChangedDataComesBackAndTheChangesWaitInTheSafetyCopy)
{
    const QList<QJsonArray> backedUp = cassetteTables();
    const auto before = liveBytes(Set::Cassettes);
    changeCassetteData();
    const QList<QJsonArray> changed = cassetteTables();
    ASSERT_NE(changed, backedUp);
    const auto changedBytes = liveBytes(Set::Cassettes);

    double last = 0;
    const RestoreResult r = restoreSet(Set::Cassettes, source, kMoment, [&](double f) {
        EXPECT_GE(f, last);
        last = f;
    });
    ASSERT_EQ(r.problem, "");
    EXPECT_EQ(last, 9.0);
    EXPECT_FALSE(r.oldFormat);
    EXPECT_EQ(cassetteTables(), backedUp);
    EXPECT_EQ(liveBytes(Set::Cassettes), before);

    // The data of before the restore, whole, where the user is told: a
    // backup set of its own, which restores like any other.
    EXPECT_TRUE(r.safetyDir.startsWith(QDir(Paths::zalohaDir()).absolutePath()));
    EXPECT_TRUE(r.safetyDir.endsWith("Pred_obnovou_VK_2002-05-27_09-05-03"));
    for (const Member &m : members(Set::Cassettes)) {
        if (!changedBytes.contains(m.live))
            continue;
        QFile f(QDir(r.safetyDir).filePath(m.stored));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << m.stored.toStdString();
        EXPECT_EQ(f.readAll(), changedBytes[m.live]) << m.stored.toStdString();
    }
    const Status kept = readStatus(r.safetyDir, Set::Cassettes);
    EXPECT_TRUE(kept.exists);
    EXPECT_EQ(kept.version, "2002.A");
    EXPECT_EQ(checkSet(Set::Cassettes, r.safetyDir), "");
    // A second restore in the same second keeps the first safety copy.
    EXPECT_EQ(restoreSet(Set::Cassettes, source, kMoment).problem, "");
    EXPECT_EQ(safetyDirs().size(), 2);

    // The program reads the restored tables at once.
    Table t;
    t.setPath(Paths::dataFile("data.dbf"));
    t.open(Table::Mode::ReadOnly);
    EXPECT_EQ(t.recordCount(), 2);
}

TEST_F(RestoreTest, TheCdSetSharesTheDirectoryAndRestoresOnlyItsOwnFiles)
{
    const QList<QJsonArray> cds{readWithDbfread(Paths::dataFile("cd01.dbf"))};
    addCdTitle("00002");
    changeCassetteData();
    const auto cassettes = liveBytes(Set::Cassettes);
    const RestoreResult r = restoreSet(Set::Cds, source, kMoment);
    ASSERT_EQ(r.problem, "");
    EXPECT_TRUE(r.safetyDir.endsWith("Pred_obnovou_CD_2002-05-27_09-05-03"));
    EXPECT_EQ(QList<QJsonArray>{readWithDbfread(Paths::dataFile("cd01.dbf"))}, cds);
    EXPECT_EQ(liveBytes(Set::Cassettes), cassettes);
}

TEST_F(RestoreTest, AnIncompleteOrForeignSetIsRefusedBeforeAnythingChanges)
{
    changeCassetteData();
    const auto live = liveBytes(Set::Cassettes);
    const auto refused = [&](const char *needle) {
        const RestoreResult r = restoreSet(Set::Cassettes, source, kMoment);
        EXPECT_TRUE(r.problem.contains(needle)) << r.problem.toStdString();
        EXPECT_TRUE(r.putBack);
        EXPECT_EQ(r.safetyDir, "");
        EXPECT_EQ(liveBytes(Set::Cassettes), live);
        EXPECT_TRUE(safetyDirs().isEmpty());
    };

    // The memo file of the cassettes is missing.
    ASSERT_TRUE(QFile::rename(source + "/data.zat", source + "/data.zat.x"));
    refused("data.zat");
    ASSERT_TRUE(QFile::rename(source + "/data.zat.x", source + "/data.zat"));

    // The CD titles stand where the cassettes belong.
    ASSERT_TRUE(QFile::rename(source + "/data.zal", source + "/data.zal.x"));
    ASSERT_TRUE(QFile::copy(source + "/cd01.zal", source + "/data.zal"));
    refused("data.zal");
    QFile::remove(source + "/data.zal");

    // A truncated table: its header claims more records than it holds.
    QFile whole(source + "/data.zal.x");
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    QFile cut(source + "/data.zal");
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.readAll().chopped(200));
    cut.close();
    refused("data.zal");

    // A memo file that is a link to an endless device.
    ASSERT_TRUE(QFile::remove(source + "/data.zal"));
    ASSERT_TRUE(QFile::rename(source + "/data.zal.x", source + "/data.zal"));
    ASSERT_TRUE(QFile::rename(source + "/data.zat", source + "/data.zat.x"));
    ASSERT_TRUE(QFile::link("/dev/zero", source + "/data.zat"));
    refused("odkaz");
    QFile::remove(source + "/data.zat");
    ASSERT_TRUE(QFile::rename(source + "/data.zat.x", source + "/data.zat"));

    // No set at all.
    EXPECT_FALSE(restoreSet(Set::Cassettes, source + "/nothing", kMoment).problem.isEmpty());
}

TEST_F(RestoreTest, NamesDifferingInCaseAreTheSameMembers)
{
    for (const QString &name : QStringList{"data.zal", "Users_za.zal", "VK.zal"})
        ASSERT_TRUE(QFile::rename(source + "/" + name, source + "/" + name.toUpper()));
    changeCassetteData();
    const RestoreResult r = restoreSet(Set::Cassettes, source, kMoment);
    EXPECT_EQ(r.problem, "");
    EXPECT_EQ(readWithDbfread(Paths::dataFile("data.dbf")).size(), 2);
}

TEST_F(RestoreTest, AFailureAtAnyCopyPutsTheLiveFilesBack)
{
    changeCassetteData();
    // A stale index beside the live table, which the set does not hold.
    QFile index(Paths::dataFile("data.mdx"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("stale index");
    index.close();
    const auto live = liveBytes(Set::Cassettes);
    const QStringList files = QDir(Paths::dataDir()).entryList(QDir::Files);
    int copies = 0;
    for (const Member &m : members(Set::Cassettes))
        copies += live.contains(m.live) + QFileInfo::exists(source + "/" + m.stored);

    for (int n = 1; n <= copies; ++n) {
        filecopy::failCopy(n);
        const RestoreResult r = restoreSet(Set::Cassettes, source, kMoment);
        filecopy::failCopy(0);
        EXPECT_FALSE(r.problem.isEmpty()) << n;
        EXPECT_TRUE(r.putBack) << n;
        EXPECT_EQ(liveBytes(Set::Cassettes), live) << n;
        EXPECT_TRUE(safetyDirs().isEmpty()) << n;
        // Nothing half-written is left beside the live files.
        EXPECT_EQ(QDir(Paths::dataDir()).entryList(QDir::Files), files) << n;
    }
    const RestoreResult r = restoreSet(Set::Cassettes, source, kMoment);
    ASSERT_EQ(r.problem, "");
    EXPECT_FALSE(QFileInfo::exists(Paths::dataFile("data.mdx")));
    EXPECT_TRUE(QFileInfo::exists(r.safetyDir + "/data.zax"));
}

TEST_F(RestoreTest, AFullOrReadOnlyTargetIsToldAndLeavesNoStatus)
{
    // Enough for the small tables, not for the memo file of many notes.
    SmallFileSystem medium("48k");
    if (!medium.mounted())
        GTEST_SKIP() << "no permission to mount a small file system here";
    QList<CassetteRecord> many;
    for (int i = 10; i < 60; ++i) {
        CassetteRecord c;
        c.number = QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
        for (auto &rec : c.recordings)
            rec.note = QString(400, QLatin1Char('x'));
        many << c;
    }
    appendCassettes(many);
    // Told before anything is written: the set does not fit.
    const QString problem = makeBackup(Set::Cassettes, medium.path(), kMoment, "2002.A");
    EXPECT_TRUE(problem.contains("není dost místa")) << problem.toStdString();
    EXPECT_TRUE(QDir(medium.path())
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());
    EXPECT_FALSE(readStatus(medium.path(), Set::Cassettes).exists);
    QStringList stored;
    for (const Member &m : members(Set::Cassettes))
        stored << m.stored;
    for (const QString &f : QDir(medium.path()).entryList(QDir::Files))
        EXPECT_TRUE(stored.contains(f)) << "left on the medium: " << f.toStdString();

    SmallFileSystem readOnly("1m");
    ASSERT_TRUE(readOnly.makeReadOnly());
    EXPECT_FALSE(makeBackup(Set::Cds, readOnly.path(), kMoment, "2002.A").isEmpty());
    EXPECT_FALSE(readStatus(readOnly.path(), Set::Cds).exists);
}

} // namespace
} // namespace velmora::test
