// A data.dbf of the previous release (genres of 12 characters): the format
// upgrade at the first activation widens it silently. Until it has (and for
// the whole run when it fails) no command can write the table, so no genre
// is cut, and the user hears why.

#include "AppFixture.h"
#include "engine/DbError.h"
#include "session/Settings.h"
#include "storage/DateText.h"
#include "storage/FileCopy.h"
#include "system/DesktopEntry.h"

#include <QFile>
#include <algorithm>

using namespace velmora;

namespace {

const QString kReadOnly = QStringLiteral(
    "Databáze videokazet (data.dbf) má formát předchozí verze programu. Dokud nebude převedena "
    "do nového formátu, lze videokazety pouze prohlížet. Program v ní nic nemění, aby nebyl "
    "zkrácen žádný žánr.");
const QString kNoPrinter = QStringLiteral(
    "V systému nebyla nalezena tiskárna, v programu nebudou povoleny tiskové výstupy.");

class OldFormatTest : public test::AppFixture
{
protected:
    // data.dbf as the previous release left it, with one lent cassette whose
    // loan is long overdue.
    void writeOldCassettes()
    {
        auto fields = schema::cassettes().fields;
        ASSERT_EQ(fields[3].name.toLower(), "zanr1");
        fields[3].width = 12;
        Table::create(Paths::dataFile("data.dbf"), fields, {"cislo", "komu"});
        Table t;
        t.setPath(Paths::dataFile("data.dbf"));
        t.open();
        t.append();
        t.setString("cislo", "00001");
        t.setString("zanr1", "Dobrodružný");
        t.setBoolean("pujceno", true);
        t.setString("komu", "Novák");
        t.setString("od_kdy", shortDate(QDate::currentDate().addDays(-40)));
        t.setInteger("delka_pujc", 7);
        t.post();
        t.close();
        before = bytes();
    }

    QByteArray bytes() const
    {
        QFile f(Paths::dataFile("data.dbf"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    int timesTold() const { return user.texts().count(kReadOnly); }

    // The first activation, its format upgrade failing at the first copy.
    void failUpgrade()
    {
        filecopy::failCopy(1);
        window->activated();
        filecopy::failCopy(0);
    }

    QByteArray before;
};

} // namespace

TEST_F(OldFormatTest, FirstStartUpgradesSilentlyAtTheActivation)
{
    writeOldCassettes();
    start();
    EXPECT_TRUE(window->oldFormat());
    EXPECT_TRUE(window->settings().cassettesReadOnly);
    // The screens see it through their session.
    EXPECT_TRUE(window->session().settings().cassettesReadOnly);

    ASSERT_EQ(firstShowing(*window, {}), StartOutcome::Run);
    // Not told at the first showing: the upgrade is still to come.
    EXPECT_EQ(user.events, (QStringList{"TSplashScreen", "TNov", kNoPrinter}));
    window->activated();
    EXPECT_EQ(user.events, (QStringList{"TSplashScreen", "TNov", kNoPrinter, "TInfo_System_OS"}));
    EXPECT_FALSE(window->oldFormat());
    EXPECT_FALSE(window->settings().cassettesReadOnly);
    Table t;
    t.setPath(Paths::dataFile("data.dbf"));
    t.open(Table::Mode::ReadOnly);
    EXPECT_EQ(t.fieldWidth("zanr1"), 15);
    t.first();
    EXPECT_EQ(t.asString("zanr1"), "Dobrodružný");
    EXPECT_EQ(t.asString("komu"), "Novák");
}

TEST_F(OldFormatTest, AFailedUpgradeIsToldOnceAndTheFlagOutlivesIt)
{
    writeOldCassettes();
    start();
    ASSERT_EQ(firstShowing(*window, {}), StartOutcome::Run);
    user.shown.clear();
    failUpgrade();
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
    EXPECT_EQ(user.shown[0].caption, "Chyba");
    EXPECT_TRUE(user.shown[0].text.contains("pouze prohlížet"));

    // The upgrade ran once: the old-format state is gone, the protection
    // is not.
    EXPECT_FALSE(window->oldFormat());
    EXPECT_TRUE(window->settings().cassettesReadOnly);
    window->activated();
    window->runEntry(*window->entryFor("cassettes.browse"));
    window->activated();
    EXPECT_EQ(user.shown.size(), 1);
    EXPECT_EQ(timesTold(), 0);
    EXPECT_EQ(bytes(), before);
}

TEST_F(OldFormatTest, ToldAtEveryStartWhoseUpgradeFails)
{
    start();
    firstShowing(*window, {});
    EXPECT_FALSE(window->settings().cassettesReadOnly);
    EXPECT_EQ(timesTold(), 0);
    window.reset();
    // An old table put in place between two starts.
    QFile::remove(Paths::dataFile("data.dbf"));
    QFile::remove(Paths::dataFile("data.dbt"));
    writeOldCassettes();
    for (int run = 0; run < 2; ++run) {
        window.reset();
        user.events.clear();
        start();
        firstShowing(*window, {});
        failUpgrade();
        ASSERT_EQ(user.events.size(), 3) << run;
        EXPECT_EQ(user.events.mid(0, 2), (QStringList{"TSplashScreen", kNoPrinter}));
        EXPECT_TRUE(user.events.at(2).contains("médium je plné"));
        EXPECT_EQ(bytes(), before);
    }
}

TEST_F(OldFormatTest, NotToldInTheAutomaticCheck)
{
    startOnceBefore();
    QFile::remove(Paths::dataFile("data.dbf"));
    QFile::remove(Paths::dataFile("data.dbt"));
    writeOldCassettes();
    desktop::writeAutoCheck(QStringLiteral("/usr/bin/velmora"));
    start();
    EXPECT_EQ(firstShowing(*window, {"/AutoRun"}), StartOutcome::End);
    EXPECT_EQ(user.events, QStringList{"TSplashScreen2"});
    EXPECT_EQ(bytes(), before);
}

TEST_F(OldFormatTest, GuardsOpenTheCassettesReadOnlySoNoScreenCanCutAGenre)
{
    startOnceBefore(); // its activation would upgrade the old table
    writeOldCassettes();
    start();
    firstShowing(*window, {});
    failUpgrade();
    user.shown.clear();

    int readOnly = 0;
    const auto tryToWrite = [&readOnly](TTitul &w) {
        Table &t = w.tables().Table1;
        if (t.isOpen() && t.isReadOnly())
            ++readOnly;
        t.first();
        t.edit();
        t.setString("zanr1", "Sci-fi thriller"); // 15 characters: would be cut to 12
        t.post();
    };
    for (const char *action : {"cassettes.edit", "cassettes.delete", "lending.lendCassette",
                               "lending.returnCassette", "lending.cassettesAway"})
        window->registerCommand(action, tryToWrite);
    for (const char *action : {"cassettes.edit", "cassettes.delete", "lending.lendCassette",
                               "lending.returnCassette", "lending.cassettesAway"})
        window->runEntry(*window->entryFor(action));
    EXPECT_EQ(readOnly, 5);
    // Each attempt ended in the engine's error, shown as any other.
    ASSERT_EQ(user.shown.size(), 5);
    for (const auto &s : user.shown)
        EXPECT_EQ(s.kind, MessageKind::Error) << s.text.toStdString();
    EXPECT_FALSE(window->tables().Table1.isOpen());
    EXPECT_EQ(bytes(), before);

    // The other tables are written as always.
    bool cdsWritable = false;
    addCdTitle("00001");
    window->registerCommand("cds.edit",
                            [&](TTitul &w) { cdsWritable = !w.tables().CD_Table1.isReadOnly(); });
    window->runEntry(*window->entryFor("cds.edit"));
    EXPECT_TRUE(cdsWritable);
}

TEST_F(OldFormatTest, ChangingScreensStayClosedAndBrowsingAndSearchingWork)
{
    startOnceBefore(); // its activation would upgrade the old table
    writeOldCassettes();
    start();
    firstShowing(*window, {});
    failUpgrade();
    user.shown.clear();
    user.screens.clear();
    for (const char *action : {"cassettes.new", "cassettes.edit", "cassettes.delete"})
        window->runEntry(*window->entryFor(action));
    EXPECT_TRUE(user.screens.isEmpty()) << user.screens.join(", ").toStdString();
    EXPECT_EQ(timesTold(), 3);
    for (const char *action : {"cassettes.browse", "search.films", "search.freePosition"})
        window->runEntry(*window->entryFor(action));
    EXPECT_EQ(user.screens, (QStringList{"TProhlizej_kazetu", "THledej_film", "TVyhledej_Pozici"}));
    EXPECT_EQ(timesTold(), 3);
    EXPECT_FALSE(window->tables().Table1.isOpen());
    EXPECT_EQ(bytes(), before);
}

TEST_F(OldFormatTest, OverdueReminderReadsTheOldTableOnly)
{
    startOnceBefore(); // its activation would upgrade the old table
    writeOldCassettes();
    SettingsStore::own().writeBool(settings::kKontrola, true);
    bool readOnly = false;
    start();
    window->registerCommand("lending.cassettesAwayReminder", [&](TTitul &w) {
        readOnly = w.tables().Table1.isOpen() && w.tables().Table1.isReadOnly();
    });
    user.answers = {true};
    firstShowing(*window, {});
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(bytes(), before);
}

TEST_F(OldFormatTest, CurrentFormatKeepsTheCassettesWritable)
{
    startOnceBefore();
    addCassette("00001");
    start();
    EXPECT_FALSE(window->settings().cassettesReadOnly);
    firstShowing(*window, {});
    bool writable = false;
    window->registerCommand("cassettes.edit", [&](TTitul &w) {
        writable = !w.tables().Table1.isReadOnly();
        w.tables().Table1.first();
        w.tables().Table1.edit();
        w.tables().Table1.setString("zanr1", "Sci-fi thriller");
        w.tables().Table1.post();
    });
    window->runEntry(*window->entryFor("cassettes.edit"));
    EXPECT_TRUE(writable);
    EXPECT_FALSE(user.texts().contains(kReadOnly));
    Table t;
    t.setPath(Paths::dataFile("data.dbf"));
    t.open(Table::Mode::ReadOnly);
    t.first();
    EXPECT_EQ(t.asString("zanr1"), "Sci-fi thriller");
}
