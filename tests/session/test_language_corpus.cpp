// Replays the seeds of the language-file fuzzer (fuzz/lang_corpus): each is
// read from memory with the fuzzer's checks, and from LANG/ as the screens
// read it, with the same texts.

#include "../../fuzz/LangExercise.h"

#include "TestEnv.h"
#include "session/Language.h"
#include "storage/Paths.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

QFileInfoList seeds()
{
    return QDir(QStringLiteral(VELMORA_SOURCE_DIR "/fuzz/lang_corpus"))
        .entryInfoList(QDir::Files, QDir::Name);
}

QByteArray contents(const QFileInfo &fi)
{
    QFile f(fi.filePath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(LanguageCorpus, EverySeedReadsWithoutFaultAndValidOnesHoldTexts)
{
    const QFileInfoList files = seeds();
    ASSERT_GE(files.size(), 10) << "the seed corpus is missing";
    for (const QFileInfo &fi : files) {
        SCOPED_TRACE(fi.fileName().toStdString());
        const fuzzing::LangOutcome out = fuzzing::exerciseLanguage(contents(fi));
        EXPECT_TRUE(out.faults.isEmpty()) << out.faults.join('\n').toStdString();
        if (fi.fileName().startsWith("valid_")) {
            EXPECT_FALSE(out.empty);
            EXPECT_GT(out.found, 0);
        }
    }
}

// The language layer reads the same file from LANG/ and gives the texts the
// reader of bytes gives.
TEST(LanguageCorpus, SeedsInTheLanguageDirectoryGiveTheTextsOfTheirBytes)
{
    TestEnv env;
    Paths::setDataDir(env.dataDir() + "/");
    ASSERT_TRUE(QDir().mkpath(Paths::langDir()));
    for (const QFileInfo &fi : seeds()) {
        SCOPED_TRACE(fi.fileName().toStdString());
        const QByteArray bytes = contents(fi);
        QFile f(Paths::langDir() + fi.fileName());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        lang::load(fi.fileName());
        ASSERT_TRUE(lang::present());
        const IniFile ini = IniFile::fromBytes(bytes);
        QList<fuzzing::IniKey> keys = fuzzing::keysIn(bytes);
        keys += fuzzing::programKeys();
        for (const fuzzing::IniKey &k : keys)
            EXPECT_EQ(lang::text(k.first, k.second, "def"), ini.value(k.first, k.second, "def"))
                << k.first.toStdString() << "/" << k.second.toStdString();
    }
    lang::load(QString());
}

TEST(LanguageCorpus, SeedsHoldWhatTheirNamesSay)
{
    const auto read = [](const char *name) {
        return IniFile::fromBytes(
            contents(QFileInfo(QStringLiteral(VELMORA_SOURCE_DIR "/fuzz/lang_corpus/") + name)));
    };
    const IniFile czech = read("valid_czech.set");
    EXPECT_EQ(czech.value("Main", "Autor"), QStringLiteral("Jan Novák"));
    EXPECT_EQ(czech.value("Central", "106 27.05.2002"), "Verze ze dne 27.05.2002");
    EXPECT_EQ(czech.value("PassDlg", "004"), QStringLiteral("Čekám"));
    EXPECT_EQ(read("valid_english_lf.set").value("central", "000"), "Velmora");
    EXPECT_EQ(read("valid_duplicates.set").value("Others", "004"), "prvni");
    EXPECT_EQ(read("valid_long_value.set").value("Central", "113").size(), 5001);
    EXPECT_TRUE(read("binary_nul.set").isEmpty());
    EXPECT_TRUE(read("no_sections.set").isEmpty());
    EXPECT_TRUE(read("cr_only.set").isEmpty()); // one line: a section name only
    const IniFile odd = read("odd_brackets.set");
    EXPECT_EQ(odd.value(" Central ", "000"), "X");
    EXPECT_EQ(odd.value("a", "c"), "d");
    EXPECT_FALSE(odd.contains("Main", "Autor"));
}

} // namespace
} // namespace velmora::test
