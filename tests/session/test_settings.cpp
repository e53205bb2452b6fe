#include "TestEnv.h"
#include "session/Settings.h"
#include "system/DesktopEntry.h"
#include "system/SettingsStore.h"
#include "system/Version.h"

#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

const SystemCode kLinux{"4", "Info: System Linux."};

class SettingsTest : public ::testing::Test
{
protected:
    QSettings raw()
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Norvane", "Velmora");
    }
    QByteArray fileBytes()
    {
        QFile f(raw().fileName());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    SettingsRecord load(QStringList *errorsOut = nullptr)
    {
        SettingsRecord r;
        QStringList errors;
        settings::load(r, kLinux, errors);
        if (errorsOut)
            *errorsOut = errors;
        else
            EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
        return r;
    }
    test::TestEnv env;
};

TEST_F(SettingsTest, FirstStartWritesEveryDefaultAndSetsBothFlags)
{
    const SettingsRecord r = load();
    EXPECT_TRUE(r.firstRun);
    EXPECT_TRUE(r.systemCodeNew);
    EXPECT_TRUE(r.showSplash);
    EXPECT_FALSE(r.autoCloseCheck || r.passwordRequired || r.passwordPending || r.checkCassettes ||
                 r.checkCds || r.autoCheckEntry);
    EXPECT_EQ(r.minOpenTime, 10);
    EXPECT_EQ(r.lastExit, 1);
    EXPECT_EQ(r.language, "Czech.set");
    EXPECT_EQ(r.storedVersion, "2002.A");
    EXPECT_EQ(r.storedSystemCode, "4");
    EXPECT_TRUE(r.password.isEmpty());

    QSettings s = raw();
    EXPECT_TRUE(s.fileName().startsWith(env.configHome())) << s.fileName().toStdString();
    EXPECT_EQ(s.value("Start_DLG").toString(), "1"); // booleans as integers
    EXPECT_EQ(s.value("AutoCloseSplash2").toString(), "0");
    EXPECT_EQ(s.value("Kontrola CD").toString(), "0");
    EXPECT_EQ(s.value("Min_Time_VK").toInt(), 10);
    EXPECT_EQ(s.value("Version").toString(), "2002.A");
    EXPECT_EQ(s.value("Dat_verze").toString(), "27.05.2002");
    EXPECT_EQ(s.value("Last exit").toInt(), 1);
    EXPECT_EQ(s.value("Setup_OS").toString(), "4");
    EXPECT_TRUE(s.contains("Password"));
    EXPECT_EQ(s.value("Default").toString(), "Registered Software");
    QSettings parent(QSettings::NativeFormat, QSettings::UserScope, "Norvane", QString());
    EXPECT_EQ(parent.value("Default").toString(), "Programs from Norvane");
}

TEST_F(SettingsTest, StartWithAllValuesPresentWritesOnlyDatVerze)
{
    load();
    raw().setValue("Dat_verze", "01.01.2001");
    {
        QSettings s = raw();
        s.setValue("Kontrola", 1);
        s.setValue("Min_Time_VK", 25);
    }
    const QByteArray before = fileBytes();
    const SettingsRecord r = load();
    EXPECT_FALSE(r.firstRun);
    EXPECT_FALSE(r.systemCodeNew);
    EXPECT_TRUE(r.checkCassettes);
    EXPECT_EQ(r.minOpenTime, 25);
    QByteArray expected = before;
    expected.replace("01.01.2001", "27.05.2002");
    EXPECT_EQ(fileBytes(), expected);
}

TEST_F(SettingsTest, WronglyTypedValueIsReportedAndItsDefaultUsed)
{
    {
        QSettings s = raw();
        s.setValue("Last exit", "abc");
        s.setValue("Start_DLG", "yes");
        s.setValue("Min_Time_VK", 15);
    }
    QStringList errors;
    const SettingsRecord r = load(&errors);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors.join(' ').contains("Last exit"));
    EXPECT_TRUE(errors.join(' ').contains("Start_DLG"));
    EXPECT_EQ(r.lastExit, 1);
    EXPECT_TRUE(r.showSplash);
    EXPECT_EQ(r.minOpenTime, 15); // later values are still read
    EXPECT_EQ(r.language, "Czech.set");
}

TEST_F(SettingsTest, SetupOsKeepsTheCodeOfTheFirstStart)
{
    raw().setValue("Setup_OS", "3");
    const SettingsRecord r = load();
    EXPECT_EQ(r.storedSystemCode, "3");
    EXPECT_EQ(r.detectedSystemCode, "4");
    EXPECT_FALSE(r.systemCodeNew);
    EXPECT_EQ(raw().value("Setup_OS").toString(), "3");
}

TEST_F(SettingsTest, PasswordIsStoredAsBase64OfCodePage1250)
{
    EXPECT_EQ(settings::decodePassword(""), "");
    const QString pw = "Heslo-žluťoučké";
    EXPECT_EQ(settings::decodePassword(settings::encodePassword(pw)), pw);
    EXPECT_EQ(settings::encodePassword("abc"), "YWJj");
    {
        QSettings s = raw();
        s.setValue("AskPass", 1);
        s.setValue("Password", settings::encodePassword(pw));
    }
    const SettingsRecord r = load();
    EXPECT_TRUE(r.passwordRequired);
    EXPECT_TRUE(r.passwordPending);
    EXPECT_EQ(r.password, pw);
}

TEST_F(SettingsTest, LegacyKeyIsRemovedAndNotTakenOver)
{
    {
        QSettings legacy(QSettings::NativeFormat, QSettings::SystemScope, "Norvane",
                         "Orvella 2000");
        legacy.setValue("Min_Time_VK", 77);
        legacy.setValue("Start_DLG", 0);
        legacy.sync();
        ASSERT_TRUE(legacy.fileName().startsWith(env.systemConfig()));
        ASSERT_TRUE(QFile::exists(legacy.fileName()));
    }
    const SettingsRecord r = load();
    EXPECT_EQ(r.minOpenTime, 10);
    EXPECT_TRUE(r.showSplash);
    QSettings legacy(QSettings::NativeFormat, QSettings::SystemScope, "Norvane", "Orvella 2000");
    EXPECT_TRUE(legacy.allKeys().isEmpty());
}

TEST_F(SettingsTest, AutoCheckEntryFlagFollowsTheDesktopEntry)
{
    desktop::writeAutoCheck("/opt/velmora dir/velmora");
    EXPECT_TRUE(desktop::autoCheckPath().startsWith(env.configHome() + "/autostart/"));
    EXPECT_EQ(desktop::execLine(desktop::autoCheckPath()), "\"/opt/velmora dir/velmora\" /AutoRun");
    EXPECT_TRUE(load().autoCheckEntry);
    desktop::removeAutoCheck();
    EXPECT_FALSE(load().autoCheckEntry);

    desktop::writeFolderMenu("/usr/bin/velmora");
    EXPECT_TRUE(desktop::folderMenuPath().startsWith(env.dataHome() + "/applications/"));
    EXPECT_TRUE(desktop::folderMenuExists());
    EXPECT_TRUE(desktop::execLine(desktop::folderMenuPath()).startsWith("\"/usr/bin/velmora\""));
    desktop::removeFolderMenu();
    EXPECT_FALSE(desktop::folderMenuExists());
}

TEST_F(SettingsTest, AnOddProgramPathIsQuotedAsDesktopEntriesWantAndReadBack)
{
    const QString odd = R"(/opt/a $b/`x`/100%/c"d\e/velmora)";
    desktop::writeAutoCheck(odd);
    EXPECT_EQ(desktop::execLine(desktop::autoCheckPath()),
              R"("/opt/a \\$b/\\`x\\`/100%%/c\\"d\\\\e/velmora" /AutoRun)");
    EXPECT_EQ(desktop::autoCheckExecutable(), odd);
    // What a desktop makes of it: the value unescaped once, %% made %, then
    // the quoted argument read as a shell reads double quotes.
    const char *script = R"(import sys, configparser, subprocess
c = configparser.RawConfigParser()
c.optionxform = str
c.read(sys.argv[1], encoding='utf-8')
v = c['Desktop Entry']['Exec'].replace('\\\\', '\\').replace('%%', '%')
arg = v.rsplit(' /AutoRun', 1)[0]
print(subprocess.run(['sh', '-c', 'printf %s ' + arg], capture_output=True).stdout.decode(), end=''))";
    int rc = -1;
    const QString parsed =
        test::runProgram("/usr/bin/python3", {"-c", script, desktop::autoCheckPath()}, &rc);
    ASSERT_EQ(rc, 0) << parsed.toStdString();
    EXPECT_EQ(parsed, odd);
}

TEST(SystemInfoTest, CodesOfTheKnownSystemsAndOfNewerOnes)
{
    EXPECT_EQ(systemCodeFor("windows", 4, 10, true).code, "2");
    EXPECT_EQ(systemCodeFor("windows", 4, 90, true).text, "Info: System WinME.");
    EXPECT_EQ(systemCodeFor("windows", 4, 3, true).code, "0");
    EXPECT_EQ(systemCodeFor("windows", 4, 0, false).code, "3");
    EXPECT_EQ(systemCodeFor("windows", 5, 1, false).text, "Info: System Win2K / XP.");
    EXPECT_EQ(systemCodeFor("windows", 10, 0, false).code, "4");
    const SystemCode here = detectSystem();
    EXPECT_EQ(here.code, "4");
#ifdef Q_OS_LINUX
    EXPECT_EQ(here.text, "Info: System Linux.");
#endif
}

TEST(VersionTest, BuildNumberFromTheFileVersion)
{
    EXPECT_EQ(version::kFileVersion, "2002.2.1.1");
    EXPECT_EQ(version::buildNumber(), "2.1.1");
}

} // namespace
