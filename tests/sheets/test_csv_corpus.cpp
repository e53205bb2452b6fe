// Replays the seeds of the CSV fuzzer (fuzz/csv_corpus) with the fuzzer's
// own checks: whatever a spreadsheet or anyone else saved reads without
// fault, and the valid ones give their header and rows.

#include "../../fuzz/CsvExercise.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

TEST(CsvCorpus, EverySeedReadsWithoutFaultAndValidOnesGiveTheirRows)
{
    const QFileInfoList files = QDir(QStringLiteral(VELMORA_SOURCE_DIR "/fuzz/csv_corpus"))
                                    .entryInfoList(QDir::Files, QDir::Name);
    ASSERT_GE(files.size(), 10) << "the seed corpus is missing";
    for (const QFileInfo &fi : files) {
        SCOPED_TRACE(fi.fileName().toStdString());
        QFile f(fi.filePath());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const fuzzing::CsvOutcome out = fuzzing::exerciseCsv(f.readAll());
        EXPECT_TRUE(out.faults.isEmpty()) << out.faults.join('\n').toStdString();
        if (fi.fileName().startsWith("valid_")) {
            EXPECT_GE(out.records, 2);
        }
        if (fi.fileName() == "valid_cp1250.csv") {
            EXPECT_EQ(out.encoding, "cp1250");
        }
        if (fi.fileName().startsWith("valid_utf8")) {
            EXPECT_EQ(out.encoding, "UTF-8");
        }
    }
}

} // namespace
} // namespace velmora::test
