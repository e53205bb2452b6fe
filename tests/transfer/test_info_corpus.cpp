// Replays the seeds of the information-file fuzzer: the valid ones read, the
// others are refused with a reason, none breaks the reader.

#include "transfer/ExportInfo.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

TEST(InfoFileCorpus, ValidSeedsReadAndTheOthersAreRefusedWithAReason)
{
    const QDir dir(QStringLiteral(VELMORA_SOURCE_DIR "/fuzz/info_corpus"));
    const QFileInfoList seeds = dir.entryInfoList(QDir::Files, QDir::Name);
    ASSERT_GE(seeds.size(), 10) << "the seed corpus is missing";
    for (const QFileInfo &fi : seeds) {
        SCOPED_TRACE(fi.fileName().toStdString());
        exchange::ExportInfo info;
        QString problem;
        const bool read = exchange::readInfoFile(fi.filePath(), info, problem);
        EXPECT_EQ(read, fi.fileName().startsWith("valid_")) << problem.toStdString();
        if (read) {
            EXPECT_EQ(info.date, "27.05.2002");
            EXPECT_TRUE(info.owner.startsWith("Petr"));
        } else {
            EXPECT_FALSE(problem.isEmpty());
        }
    }
}

} // namespace
} // namespace velmora::test
