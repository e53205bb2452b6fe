#include "TestEnv.h"
#include "engine/IniFile.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    QString write(const QByteArray &bytes, const QString &name = QStringLiteral("test.set"))
    {
        const QString path = env.file(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path;
    }
    test::TestEnv env;
};

TEST_F(IniFileTest, Cp1250BytesDecodeToCzech)
{
    // "Příliš žluťoučký kůň" and "Čekám" written byte by byte in code page 1250.
    const QByteArray bytes = "[PassDlg]\r\n"
                             "004=\xC8"
                             "ek\xE1m\r\n"
                             "005=P\xF8\xEDli\x9A \x9El\x75\x9Do\x75\xE8k\xFD k\xF9\xF2\r\n";
    const IniFile ini(write(bytes));
    EXPECT_EQ(ini.value("PassDlg", "004"), QStringLiteral("Čekám"));
    EXPECT_EQ(ini.value("PassDlg", "005"), QStringLiteral("Příliš žluťoučký kůň"));
}

TEST_F(IniFileTest, ValuesAndKeysAreTrimmedAndEmptyValueIsNotMissing)
{
    const IniFile ini(write("[Central]\n"
                            "  000  =   Moje sb\xEDrka  \t\n"
                            "001=\n"
                            "002 =    \n"
                            "003= a  b \n"));
    EXPECT_EQ(ini.value("Central", "000", "def"), QStringLiteral("Moje sbírka"));
    EXPECT_EQ(ini.value("Central", "003", "def"), "a  b"); // inner blanks stay
    EXPECT_TRUE(ini.contains("Central", "001"));
    EXPECT_EQ(ini.value("Central", "001", "def"), "");
    EXPECT_EQ(ini.value("Central", "002", "def"), "");
    EXPECT_FALSE(ini.contains("Central", "004"));
    EXPECT_EQ(ini.value("Central", "004", "def"), "def");
    EXPECT_EQ(ini.value("Others", "000", "def"), "def");
}

TEST_F(IniFileTest, SectionAndKeyNamesIgnoreLetterCase)
{
    const IniFile ini(write("[Main]\nAutor=Jan Nov\xE1k\n[MENU_VK]\nabc=x\n"));
    EXPECT_EQ(ini.value("MAIN", "autor"), QStringLiteral("Jan Novák"));
    EXPECT_EQ(ini.value("main", "AUTOR"), QStringLiteral("Jan Novák"));
    EXPECT_EQ(ini.value("Menu_VK", "ABC"), "x");
    EXPECT_TRUE(ini.contains("menu_vk", "Abc"));
}

TEST_F(IniFileTest, LongValueIsReadWhole)
{
    QByteArray longValue;
    for (int i = 0; i < 4000; ++i)
        longValue += char('a' + i % 26);
    longValue += "\xE8"; // č at the very end
    const IniFile ini(write("[Central]\n113=" + longValue + "\n114=next\n"));
    const QString v = ini.value("Central", "113");
    ASSERT_EQ(v.size(), 4001);
    EXPECT_EQ(v.left(3), "abc");
    EXPECT_EQ(v.right(1), QStringLiteral("č"));
    EXPECT_EQ(ini.value("Central", "114"), "next");
}

TEST_F(IniFileTest, CrLfAndLfFilesReadAlike)
{
    const IniFile crlf(write("[Others]\r\n000=Konec\r\n001=Opravdu?\r\n", "crlf.set"));
    const IniFile lf(write("[Others]\n000=Konec\n001=Opravdu?", "lf.set")); // no final break
    for (const IniFile *ini : {&crlf, &lf}) {
        EXPECT_EQ(ini->value("Others", "000"), "Konec");
        EXPECT_EQ(ini->value("Others", "001"), "Opravdu?"); // no carriage return left over
    }
}

TEST_F(IniFileTest, BinaryOrNonIniFileGivesDefaults)
{
    static const char png[] = "\x89PNG\r\n\x1A\n\0\0\0\rIHDR\n[Main]\nAutor=Hidden\n";
    const QByteArray binary(png, sizeof(png) - 1);
    const IniFile bin(write(binary, "image.set"));
    EXPECT_TRUE(bin.isEmpty());
    EXPECT_EQ(bin.value("Main", "Autor", "Unknown ..."), "Unknown ...");

    // Plain text without any section holds no keys either.
    const IniFile prose(write("Autor=Jan\nThis is a letter, not a language file.\n", "prose.set"));
    EXPECT_TRUE(prose.isEmpty());
    EXPECT_EQ(prose.value("Main", "Autor", "Unknown ..."), "Unknown ...");

    const IniFile missing(env.file("does-not-exist.set"));
    EXPECT_TRUE(missing.isEmpty());
    EXPECT_EQ(missing.value("Main", "Version", "Unknown"), "Unknown");

    const IniFile directory(env.dataDir()); // a directory cannot be read as a file
    EXPECT_TRUE(directory.isEmpty());
}

TEST_F(IniFileTest, KeyWithInnerBlankMatchesOnlyWhole)
{
    const IniFile ini(write("[Central]\n106 27.05.2002=Verze ze dne 27.05.2002\n"));
    EXPECT_EQ(ini.value("Central", "106 27.05.2002", "def"), "Verze ze dne 27.05.2002");
    EXPECT_EQ(ini.value("Central", "106", "def"), "def");
    EXPECT_EQ(ini.value("Central", "106 27.05", "def"), "def");

    const IniFile shortKey(write("[Central]\n106=jen klíč 106\n", "short.set"));
    EXPECT_EQ(shortKey.value("Central", "106 27.05.2002", "def"), "def");
}

TEST_F(IniFileTest, ValueMayHoldEqualsSignsAndFirstKeyWins)
{
    const IniFile ini(write("[Others]\n004=a=b = c\n004=second\n[Main]\n004=other section\n"));
    EXPECT_EQ(ini.value("Others", "004"), "a=b = c");
    EXPECT_EQ(ini.value("Main", "004"), "other section");
}

} // namespace
