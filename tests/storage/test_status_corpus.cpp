// Replays the seeds of the status-file fuzzer (fuzz/status_corpus): every
// value fits its label, and a seed read from a set's directory gives what
// its bytes give.

#include "TestEnv.h"
#include "storage/BackupSets.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

using namespace backup;

QFileInfoList seeds()
{
    return QDir(QStringLiteral(VELMORA_SOURCE_DIR "/fuzz/status_corpus"))
        .entryInfoList(QDir::Files, QDir::Name);
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(StatusCorpus, EverySeedGivesShortOneLineValuesAlikeFromBytesAndFiles)
{
    const QFileInfoList files = seeds();
    ASSERT_GE(files.size(), 10) << "the seed corpus is missing";
    for (const QFileInfo &fi : files) {
        SCOPED_TRACE(fi.fileName().toStdString());
        const QByteArray bytes = contents(fi.filePath());
        const Status s = parseStatus(bytes);
        for (const QString &v : {s.date, s.time, s.version}) {
            EXPECT_LE(v.size(), kStatusValueLength) << v.toStdString();
            EXPECT_FALSE(v.contains('\n'));
        }
        TestEnv env;
        QFile f(env.file("infocd.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const Status read = readStatus(env.dataDir(), Set::Cds);
        EXPECT_TRUE(read.exists);
        EXPECT_EQ(read.date, s.date);
        EXPECT_EQ(read.time, s.time);
        EXPECT_EQ(read.version, s.version);
        if (fi.fileName().startsWith("valid_")) {
            EXPECT_EQ(s.version, "2002.A");
        }
    }
}

TEST(StatusCorpus, SeedsHoldWhatTheirNamesSay)
{
    const auto read = [](const char *name) {
        return parseStatus(contents(QStringLiteral(VELMORA_SOURCE_DIR "/fuzz/status_corpus/") +
                                    QLatin1String(name)));
    };
    Status s = read("valid_info.txt");
    EXPECT_EQ(s.date, " 27.05.2002");
    EXPECT_EQ(s.time, " 09:05:03");
    EXPECT_EQ(read("valid_lf_only.txt").time, " 09:05:03");
    EXPECT_EQ(read("older_version.txt").version, "2001.B");
    s = read("two_lines.txt");
    EXPECT_EQ(s.date, " 1.2.2002");
    EXPECT_TRUE(s.version.isEmpty());
    EXPECT_EQ(read("long_values.txt").date.size(), kStatusValueLength);
    EXPECT_EQ(read("diacritics.txt").date, QStringLiteral(" pátek 27. května 2002"));
    EXPECT_TRUE(read("cr_only.txt").date.isEmpty()); // one line only
    // Found by the fuzzer: a long fourth line was shown whole as the version.
    EXPECT_EQ(read("found_long_version.txt").version.size(), kStatusValueLength);
}

// A status file is read no further than its limit, however large it is.
TEST(StatusCorpus, OnlyTheFirstBytesOfAHugeFileAreRead)
{
    TestEnv env;
    QByteArray bytes =
        contents(QStringLiteral(VELMORA_SOURCE_DIR "/fuzz/status_corpus/valid_info.txt"));
    bytes.chop(2);
    bytes += QByteArray(4 * kStatusFileLimit, 'x');
    QFile f(env.file("info.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    const Status s = readStatus(env.dataDir(), Set::Cassettes);
    EXPECT_EQ(s.date, " 27.05.2002");
    EXPECT_EQ(s.version, "2002.A");
}

} // namespace
} // namespace velmora::test
