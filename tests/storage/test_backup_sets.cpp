// The backup sets' members and the status file that marks a set whole.

#include "TestEnv.h"
#include "storage/BackupSets.h"
#include "engine/Codepage.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using namespace backup;

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(BackupSets, MembersInTheirOrderWithDistinctNamesSoBothSetsShareADirectory)
{
    QStringList stored;
    for (const Set set : {Set::Cassettes, Set::Cds})
        for (const Member &m : members(set))
            stored << m.stored.toLower();
    EXPECT_EQ(members(Set::Cassettes).size(), 9);
    EXPECT_EQ(members(Set::Cds).size(), 10);
    EXPECT_EQ(members(Set::Cassettes)[1].stored, "data.zat");
    EXPECT_EQ(members(Set::Cassettes)[1].live, "data.dbt");
    EXPECT_EQ(members(Set::Cds).last().live, "CD.txt");
    stored.removeDuplicates();
    EXPECT_EQ(stored.size(), 19);
    EXPECT_NE(statusFileName(Set::Cassettes), statusFileName(Set::Cds));
}

TEST(BackupSets, StatusFileWrittenAndReadBackAndShortOnesReadAsEmpty)
{
    TestEnv env;
    const QByteArray bytes =
        statusBytes(QDateTime(QDate(2002, 5, 27), QTime(9, 5, 3)), QStringLiteral("2002.A"));
    EXPECT_EQ(bytes, "Informace o zaloze na toto medium:\r\n"
                     "Datum zalohy    : 27.05.2002\r\n"
                     "Cas odzalohovani: 09:05:03\r\n"
                     "2002.A\r\n"
                     "\r\n"
                     "Corect End Norvane information file.\r\n");
    // Sets made elsewhere may spell the name in capitals.
    write(env.file("INFO.TXT"), bytes);
    Status s = readStatus(env.dataDir(), Set::Cassettes);
    ASSERT_TRUE(s.exists);
    EXPECT_EQ(s.date, " 27.05.2002"); // the value with its leading blank
    EXPECT_EQ(s.time, " 09:05:03");
    EXPECT_EQ(s.version, "2002.A");
    EXPECT_FALSE(readStatus(env.dataDir(), Set::Cds).exists);

    write(env.file("infocd.txt"),
          "Informace o zaloze na toto medium:\r\nDatum zalohy    : 1.2.2002\r\n");
    s = readStatus(env.dataDir(), Set::Cds);
    ASSERT_TRUE(s.exists);
    EXPECT_EQ(s.date, " 1.2.2002");
    EXPECT_EQ(s.time, "");
    EXPECT_EQ(s.version, ""); // shown as not matching by the restore
    EXPECT_EQ(findInDir(env.dataDir(), "info.txt"), env.file("INFO.TXT"));
    EXPECT_TRUE(findInDir(env.dataDir(), "data.zal").isEmpty());
}

} // namespace
} // namespace velmora::test
