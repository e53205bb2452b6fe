// The backup and restore screens as a user works them: the directory
// chosen, the state of the set there, the button rule, the messages.

#include "AppFixture.h"
#include "DbfRead.h"
#include "ScreenChecks.h"
#include "backup/BackupScreen.h"
#include "conversion/Conversion.h"
#include "platform/DirectoryChooser.h"
#include "storage/Backup.h"
#include "storage/FileCopy.h"
#include "storage/Restore.h"

#include <QCheckBox>
#include <QDir>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <sys/stat.h>

namespace velmora::test {
namespace {

using backup::Set;

class BackupScreens : public AppFixture
{
protected:
    BackupScreens()
    {
        setMediaRoots({});
        start();
        addCassette("00001");
        addCassette("00002", true, "Novák", 7);
        addCdTitle("00001");
        window->tables().closeAll();
        zaloha = QDir(Paths::zalohaDir()).absolutePath();
    }
    ~BackupScreens() override { setMediaRoots({}); }

    // Runs a command; act works the screen while it is shown.
    void onScreen(const char *action, const char *screen,
                  const std::function<void(BackupScreen &)> &act)
    {
        bool shown = false;
        user.onScreen[screen] = [&](QDialog &d) {
            shown = true;
            act(static_cast<BackupScreen &>(d));
        };
        window->runAction(action);
        EXPECT_TRUE(shown) << screen;
    }

    static QString text(const BackupScreen &s, const char *name)
    {
        auto *l = s.findChild<QLabel *>(name);
        return l ? l->text() : QStringLiteral("<none>");
    }
    static QPushButton *runButton(const BackupScreen &s)
    {
        return s.findChild<QPushButton *>("BitBtn1");
    }

    void writeStatus(const QString &dir, const QString &name, const QByteArray &bytes)
    {
        QFile f(dir + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QString zaloha;
};

TEST_F(BackupScreens, BackupIntoZalohaThenRestoreFromItAsAUserWould)
{
    onScreen("backup.cassettes", "TJina_zaloha", [&](BackupScreen &s) {
        expectNamedLabelledAndSmall(s);
        EXPECT_EQ(s.windowTitle(), "Zálohování VK dat na vybrané médium ...");
        EXPECT_EQ(s.directories()->path(), zaloha);
        EXPECT_EQ(text(s, "info"), QDir::toNativeSeparators(zaloha));
        EXPECT_EQ(text(s, "Verze"), "Neexistuje !");
        EXPECT_TRUE(s.findChild<QLabel *>("Datum_popis")->isHidden());
        EXPECT_EQ(s.files()->count(), 0);
        EXPECT_EQ(s.gauge()->orientation(), Qt::Vertical);
        EXPECT_EQ(runButton(s)->text(), "&Zálohuj data");
        EXPECT_TRUE(runButton(s)->isDefault());
        runButton(s)->click();
        EXPECT_EQ(s.gauge()->value(), s.gauge()->maximum());
        EXPECT_FALSE(s.isVisible());
    });
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Výsledek zálohy:");
    EXPECT_EQ(user.shown[0].text, " Data byly v pořádku odzálohovány ... ");

    const QJsonArray backedUp = readWithDbfread(Paths::dataFile("data.dbf"));
    addCassette("00003");
    user.shown.clear();
    onScreen("restore.cassettes", "TJina_obnova", [&](BackupScreen &s) {
        expectNamedLabelledAndSmall(s);
        EXPECT_EQ(s.windowTitle(), "Obnovení VK dat z vybraného média ...");
        EXPECT_EQ(text(s, "Verze"), "2002.A");
        EXPECT_FALSE(s.findChild<QLabel *>("Datum_popis")->isHidden());
        EXPECT_EQ(text(s, "Datum").trimmed(), QDate::currentDate().toString("dd.MM.yyyy"));
        // The list shows the tables and the memo file of the set, no more.
        QStringList listed;
        for (int i = 0; i < s.files()->count(); ++i)
            listed << s.files()->item(i)->text();
        EXPECT_EQ(listed, QStringList({"archiv.zal", "data.zal", "data.zat", "Users_za.zal",
                                       "Users_zd.zal", "VK.zal"}));
        EXPECT_EQ(runButton(s)->text(), "&Obnov data");
        EXPECT_TRUE(runButton(s)->isEnabled());
        EXPECT_FALSE(s.findChild<QCheckBox *>("CheckBox1")->isChecked());
        runButton(s)->click();
    });
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Výsledek obnovy:");
    EXPECT_TRUE(user.shown[0].text.startsWith(" Obnova dat provedena v pořádku ... \r\n"));
    const QStringList safety = QDir(zaloha).entryList({"Pred_obnovou_VK_*"}, QDir::Dirs);
    ASSERT_EQ(safety.size(), 1);
    EXPECT_TRUE(user.shown[0].text.endsWith(QDir::toNativeSeparators(zaloha + "/" + safety[0])));
    EXPECT_EQ(readWithDbfread(Paths::dataFile("data.dbf")), backedUp);
    EXPECT_EQ(readWithDbfread(zaloha + "/" + safety[0] + "/data.zal").size(), 3);
}

TEST_F(BackupScreens, TheRestoreButtonFollowsTheStatusAndTheImportBox)
{
    // A status file whose version line is empty.
    writeStatus(zaloha, "info.txt",
                "Informace o zaloze na toto medium:\r\nDatum zalohy    : 27.05.2002\r\n"
                "Cas odzalohovani: 9:05:03\r\n\r\n\r\nCorect End Norvane information file.\r\n");
    QDir().mkpath(zaloha + "/prazdny");
    onScreen("restore.cassettes", "TJina_obnova", [&](BackupScreen &s) {
        auto *import = s.findChild<QCheckBox *>("CheckBox1");
        ASSERT_NE(import, nullptr);
        EXPECT_EQ(import->text(), "Importování databází VK");
        EXPECT_EQ(text(s, "Verze"), "Nesouhlasná");
        EXPECT_EQ(text(s, "Datum"), " 27.05.2002");
        EXPECT_EQ(text(s, "Cas"), " 9:05:03");
        EXPECT_FALSE(runButton(s)->isEnabled());
        import->setChecked(true);
        EXPECT_EQ(runButton(s)->text(), "&Importování");
        EXPECT_TRUE(runButton(s)->isEnabled());
        import->setChecked(false);
        EXPECT_EQ(runButton(s)->text(), "&Obnov data");
        EXPECT_FALSE(runButton(s)->isEnabled());

        // A directory without any status file.
        ASSERT_TRUE(s.directories()->setPath(zaloha + "/prazdny"));
        EXPECT_EQ(text(s, "Verze"), "Neexistuje !");
        EXPECT_EQ(text(s, "Datum"), "");
        EXPECT_TRUE(s.findChild<QLabel *>("Verze_popis")->isHidden());
        EXPECT_FALSE(runButton(s)->isEnabled());
        import->setChecked(true);
        EXPECT_EQ(runButton(s)->text(), "&Importování");
        EXPECT_TRUE(runButton(s)->isEnabled());
        // Importing from a directory without the files refuses and changes nothing.
        runButton(s)->click();
        EXPECT_TRUE(s.isVisible());
    });
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(user.shown[0].text.contains("data.zal")) << user.shown[0].text.toStdString();
    EXPECT_TRUE(user.shown[0].text.endsWith("Data programu zůstala beze změny."));

    // Each opening starts again at ZALOHA with the box cleared.
    onScreen("restore.cassettes", "TJina_obnova", [&](BackupScreen &s) {
        EXPECT_EQ(s.directories()->path(), zaloha);
        EXPECT_FALSE(s.findChild<QCheckBox *>("CheckBox1")->isChecked());
    });
}

TEST_F(BackupScreens, AnImportOfAnotherVersionsSetEndsWithTheRecommendation)
{
    ASSERT_EQ(backup::makeBackup(Set::Cassettes, zaloha, QDateTime::currentDateTime(), "2001.B"),
              "");
    addCassette("00003");
    onScreen("restore.cassettes", "TJina_obnova", [&](BackupScreen &s) {
        EXPECT_EQ(text(s, "Verze"), "2001.B");
        EXPECT_FALSE(runButton(s)->isEnabled());
        s.findChild<QCheckBox *>("CheckBox1")->setChecked(true);
        runButton(s)->click();
    });
    ASSERT_EQ(user.shown.size(), 2);
    EXPECT_EQ(user.shown[0].caption, "Výsledek obnovy:");
    EXPECT_EQ(user.shown[1].caption, "Doporučení:");
    EXPECT_TRUE(user.shown[1].text.startsWith("Zkontrolujte si databáze VK."));
    EXPECT_EQ(readWithDbfread(Paths::dataFile("data.dbf")).size(), 2);
}

TEST_F(BackupScreens, ASetWithTheNarrowGenresOfTheEarlierProgramIsWidenedAtOnce)
{
    ASSERT_EQ(backup::makeBackup(Set::Cassettes, zaloha, QDateTime::currentDateTime(), "2001.B"),
              "");
    // The set's cassettes in the earlier program's form, genres of 12.
    const QString old = zaloha + "/data.zal";
    QFile::remove(old);
    QFile::remove(zaloha + "/data.zat");
    Table t;
    t.setPath(zaloha + "/data.dbf");
    t.create(conversion::intermediateCassettes().fields, {"cislo"});
    t.open();
    t.append();
    t.setString("cislo", "00042");
    t.setString("zanr1", "Dobrodružný");
    t.post();
    t.close();
    ASSERT_TRUE(QFile::rename(zaloha + "/data.dbf", old));
    ASSERT_TRUE(QFile::rename(zaloha + "/data.dbt", zaloha + "/data.zat"));
    // The earlier program wrote no manifest of its sets.
    ASSERT_TRUE(QFile::remove(zaloha + "/info.sum"));

    onScreen("restore.cassettes", "TJina_obnova", [&](BackupScreen &s) {
        s.findChild<QCheckBox *>("CheckBox1")->setChecked(true);
        runButton(s)->click();
    });
    EXPECT_EQ(user.shown.size(), 2) << user.texts().join(" | ").toStdString();
    Table restored;
    restored.setPath(Paths::dataFile("data.dbf"));
    restored.open(Table::Mode::ReadOnly);
    EXPECT_EQ(restored.fieldWidth("zanr1"), 15);
    EXPECT_EQ(restored.recordCount(), 1);
    restored.first();
    EXPECT_EQ(restored.asString("zanr1"), "Dobrodružný");
    EXPECT_FALSE(window->settings().cassettesReadOnly);
}

TEST_F(BackupScreens, TheCdPairReadsOnlyItsOwnStatus)
{
    ASSERT_EQ(backup::makeBackup(Set::Cassettes, zaloha, QDateTime::currentDateTime(), "2002.A"),
              "");
    onScreen("restore.cds", "TJina_obnovacd", [&](BackupScreen &s) {
        expectNamedLabelledAndSmall(s);
        EXPECT_EQ(s.windowTitle(), "Obnovení CD dat z vybraného média ...");
        EXPECT_EQ(s.findChild<QCheckBox *>("CheckBox1"), nullptr);
        EXPECT_EQ(text(s, "Verze"), "Neexistuje !");
        EXPECT_FALSE(runButton(s)->isEnabled());
        EXPECT_EQ(runButton(s)->text(), "&Obnov data !");
    });
    onScreen("backup.cds", "TJina_zalohacd", [&](BackupScreen &s) {
        EXPECT_EQ(s.windowTitle(), "Zálohování dat CD na vybrané médium ...");
        runButton(s)->click();
    });
    EXPECT_EQ(user.shown.last().text, " CD - Data byly v pořádku odzálohovány ... ");
    addCdTitle("00002");
    onScreen("restore.cds", "TJina_obnovacd", [&](BackupScreen &s) {
        EXPECT_EQ(text(s, "Verze"), "2002.A");
        ASSERT_TRUE(runButton(s)->isEnabled());
        runButton(s)->click();
    });
    EXPECT_TRUE(user.shown.last().text.startsWith(" Obnova CD dat provedena v pořádku ... "));
    EXPECT_EQ(readWithDbfread(Paths::dataFile("cd01.dbf")).size(), 1);
}

TEST_F(BackupScreens, FailuresAreToldAndTheScreenStaysOpen)
{
    onScreen("backup.cassettes", "TJina_zaloha", [&](BackupScreen &s) {
        filecopy::failCopy(2);
        runButton(s)->click();
        filecopy::failCopy(0);
        EXPECT_TRUE(s.isVisible());
        EXPECT_EQ(text(s, "Verze"), "Neexistuje !");
        EXPECT_EQ(s.gauge()->value(), 0);
    });
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(user.shown[0].text.startsWith("Záloha se nezdařila.\r\n\r\n"));
    EXPECT_TRUE(user.shown[0].text.contains("data.zat")) << user.shown[0].text.toStdString();

    ASSERT_EQ(backup::makeBackup(Set::Cassettes, zaloha, QDateTime::currentDateTime(), "2002.A"),
              "");
    addCassette("00003");
    user.shown.clear();
    onScreen("restore.cassettes", "TJina_obnova", [&](BackupScreen &s) {
        filecopy::failCopy(12); // among the copies that replace the live files
        runButton(s)->click();
        filecopy::failCopy(0);
        EXPECT_TRUE(s.isVisible());
    });
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_TRUE(user.shown[0].text.startsWith("Obnova dat se nezdařila.\r\n\r\n"));
    EXPECT_TRUE(user.shown[0].text.endsWith("Data programu zůstala beze změny."));
    EXPECT_EQ(readWithDbfread(Paths::dataFile("data.dbf")).size(), 3);
}

// The row of a directory list that shows the subdirectory given.
int rowOf(const DirectoryList *list, const QString &name)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().trimmed() == name)
            return i;
    return -1;
}

QStringList backupFiles(const QString &dir)
{
    return QDir(dir).entryList({"*.zal", "*.zat", "*.zap"}, QDir::Files);
}

// Enter in the folder list or in the place box only opens: nothing is
// written until the button is pressed, by Enter on it or Enter outside the
// lists.
TEST_F(BackupScreens, EnterInTheFolderListOpensTheFolderAndBacksNothingUp)
{
    QDir().mkpath(zaloha + "/stary");
    QString placePath;
    onScreen("backup.cassettes", "TJina_zaloha", [&](BackupScreen &s) {
        DirectoryList *dirs = s.directories();
        dirs->setFocus();
        dirs->setCurrentRow(rowOf(dirs, "stary"));
        QTest::keyClick(dirs, Qt::Key_Return);
        EXPECT_EQ(dirs->path(), zaloha + "/stary");
        EXPECT_EQ(text(s, "info"), QDir::toNativeSeparators(zaloha + "/stary"));
        EXPECT_TRUE(s.isVisible());
        EXPECT_TRUE(backupFiles(zaloha + "/stary").isEmpty());
        // The place box: Enter goes to the place it shows.
        placePath = s.placesBox()->currentData().toString();
        s.placesBox()->setFocus();
        QTest::keyClick(s.placesBox(), Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(dirs->path(), placePath);
        EXPECT_TRUE(s.isVisible());
        EXPECT_TRUE(backupFiles(placePath).isEmpty());
        // Back in "stary", Enter on the button backs up there.
        ASSERT_TRUE(dirs->setPath(zaloha + "/stary"));
        runButton(s)->setFocus();
        QTest::keyClick(runButton(s), Qt::Key_Return);
        EXPECT_FALSE(s.isVisible());
    });
    EXPECT_TRUE(backupFiles(zaloha).isEmpty());
    EXPECT_TRUE(backupFiles(placePath).isEmpty());
    EXPECT_TRUE(backupFiles(zaloha + "/stary").contains("data.zal"));
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].text, " Data byly v pořádku odzálohovány ... ");

    // Enter in the list of the set's files is outside the folder list: it
    // is the default button's.
    user.shown.clear();
    onScreen("backup.cds", "TJina_zalohacd", [&](BackupScreen &s) {
        s.files()->setFocus();
        QTest::keyClick(s.files(), Qt::Key_Return);
        EXPECT_FALSE(s.isVisible());
    });
    EXPECT_TRUE(backupFiles(zaloha).contains("cd01.zal"));
    ASSERT_EQ(user.shown.size(), 1);

    // Enter on "Zavřít okno" closes the window and backs nothing up.
    QDir().mkpath(zaloha + "/zavrit");
    user.shown.clear();
    onScreen("backup.cassettes", "TJina_zaloha", [&](BackupScreen &s) {
        ASSERT_TRUE(s.directories()->setPath(zaloha + "/zavrit"));
        auto *close = s.findChild<QPushButton *>("BitBtn2");
        close->setFocus();
        QTest::keyClick(close, Qt::Key_Return);
        EXPECT_FALSE(s.isVisible());
    });
    EXPECT_TRUE(user.shown.isEmpty());
    EXPECT_TRUE(backupFiles(zaloha + "/zavrit").isEmpty());
}

TEST_F(BackupScreens, EnterInTheRestoresFolderListOpensTheFolderAndRestoresNothing)
{
    ASSERT_EQ(backup::makeBackup(Set::Cassettes, zaloha, QDateTime::currentDateTime(), "2002.A"),
              QString());
    QDir().mkpath(zaloha + "/jiny");
    addCassette("00003");
    const QJsonArray before = readWithDbfread(Paths::dataFile("data.dbf"));
    onScreen("restore.cassettes", "TJina_obnova", [&](BackupScreen &s) {
        EXPECT_TRUE(runButton(s)->isEnabled());
        DirectoryList *dirs = s.directories();
        dirs->setFocus();
        dirs->setCurrentRow(rowOf(dirs, "jiny"));
        QTest::keyClick(dirs, Qt::Key_Return);
        EXPECT_EQ(dirs->path(), zaloha + "/jiny");
        EXPECT_EQ(text(s, "Verze"), "Neexistuje !");
        EXPECT_TRUE(s.isVisible());
        // Up again to the set, Enter opens the folder and no more.
        dirs->setCurrentRow(dirs->currentRow() - 1);
        QTest::keyClick(dirs, Qt::Key_Return);
        EXPECT_EQ(dirs->path(), zaloha);
        EXPECT_EQ(text(s, "Verze"), "2002.A");
        EXPECT_TRUE(s.isVisible());
    });
    EXPECT_TRUE(user.shown.isEmpty());
    EXPECT_EQ(readWithDbfread(Paths::dataFile("data.dbf")), before);
    EXPECT_TRUE(QDir(zaloha).entryList({"Pred_obnovou_VK_*"}, QDir::Dirs).isEmpty());
}

TEST_F(BackupScreens, AMediumThatIsGoneReturnsTheListToTheProgramsPlace)
{
    QTemporaryDir media;
    QDir().mkpath(media.path() + "/KLICENKA");
    setMediaRoots({media.path()});
    onScreen("backup.cassettes", "TJina_zaloha", [&](BackupScreen &s) {
        PlaceBox *places = s.placesBox();
        int usb = -1;
        for (int i = 0; i < places->count(); ++i)
            if (places->itemData(i).toString().endsWith("KLICENKA"))
                usb = i;
        ASSERT_GE(usb, 0);
        ASSERT_TRUE(QDir(media.path() + "/KLICENKA").removeRecursively());
        places->setCurrentIndex(usb);
        emit places->activated(usb);
        EXPECT_EQ(s.directories()->path(), zaloha);
        EXPECT_EQ(s.gauge()->value(), 0);
        EXPECT_FALSE(places->currentText().contains("KLICENKA"));
    });
}

TEST_F(BackupScreens, TheCopiesKeptBeforeARestoreAreOfferedAndTheNewestFiveStay)
{
    ASSERT_EQ(backup::makeBackup(Set::Cassettes, zaloha, QDateTime::currentDateTime(), "2002.A"),
              "");
    // Five restores kept five copies of the data of before each.
    const QDateTime first(QDate(2026, 1, 1), QTime(10, 0, 0));
    for (int i = 0; i < 5; ++i) {
        addCassette(QStringLiteral("%1").arg(10 + i, 5, 10, QLatin1Char('0')));
        const backup::RestoreResult r =
            backup::restoreSet(Set::Cassettes, zaloha, first.addDays(i));
        ASSERT_EQ(r.problem, "");
        EXPECT_TRUE(r.removedSafetyDirs.isEmpty());
    }
    addCassette("00099");
    const QJsonArray before = readWithDbfread(Paths::dataFile("data.dbf"));
    ASSERT_EQ(before.size(), 3);

    onScreen("restore.cassettes", "TJina_obnova", [&](BackupScreen &s) {
        PlaceBox *places = s.placesBox();
        // Offered right after the program's data, newest first.
        ASSERT_GE(places->count(), 7);
        EXPECT_EQ(places->itemText(1), "Data před obnovou 5.1.2026 10:00:00");
        EXPECT_EQ(places->itemText(5), "Data před obnovou 1.1.2026 10:00:00");
        // The oldest is chosen as a user would, and restores like any set.
        places->setCurrentIndex(5);
        emit places->activated(5);
        EXPECT_TRUE(s.directories()->path().endsWith("Pred_obnovou_VK_2026-01-01_10-00-00"));
        EXPECT_EQ(text(s, "Verze"), "2002.A");
        ASSERT_TRUE(runButton(s)->isEnabled());
        runButton(s)->click();
    });
    // The copy of 1.1. held the fixture's cassettes and the first added one.
    EXPECT_EQ(readWithDbfread(Paths::dataFile("data.dbf")).size(), 3);
    EXPECT_EQ(readWithDbfread(Paths::dataFile("data.dbf"))[2].toObject()["cislo"], "00010");
    // A sixth copy was made; the oldest went, and the user was told.
    const QStringList kept = backup::safetyCopies(Set::Cassettes);
    ASSERT_EQ(kept.size(), 5);
    EXPECT_FALSE(kept.join(" ").contains("2026-01-01"));
    QString told;
    for (const auto &m : user.shown)
        if (m.text.contains("Starší kopie byly odstraněny"))
            told = m.text;
    EXPECT_TRUE(told.contains("Pred_obnovou_VK_2026-01-01_10-00-00")) << told.toStdString();
    // The newest copy holds what the data were before this restore.
    EXPECT_EQ(readWithDbfread(kept.first() + "/data.zal"), before);
}

TEST_F(BackupScreens, APipeWhereTheStatusFileBelongsIsToldWithoutWaiting)
{
    const QString dir = zaloha + "/cizi";
    QDir().mkpath(dir);
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir + "/info.txt").constData(), 0644), 0);
    onScreen("restore.cassettes", "TJina_obnova", [&](BackupScreen &s) {
        ASSERT_TRUE(s.directories()->setPath(dir));
        EXPECT_EQ(text(s, "Verze"), "Neexistuje !");
        EXPECT_FALSE(runButton(s)->isEnabled());
    });
    ASSERT_FALSE(user.shown.isEmpty());
    EXPECT_TRUE(user.shown[0].text.contains("pojmenovaná roura"))
        << user.shown[0].text.toStdString();
}

TEST_F(BackupScreens, FilesOfDifferentBackupsAreRefusedAlsoByTheImport)
{
    ASSERT_EQ(backup::makeBackup(Set::Cassettes, zaloha, QDateTime::currentDateTime(), "2002.A"),
              "");
    CassetteRecord c;
    c.number = "00005";
    c.recordings[0] = slot("Pelíšky", "SP", 115, "Komedie");
    c.recordings[0].note = QString(900, QLatin1Char('p'));
    appendCassette(c);
    const QString later = zaloha + "/pozdejsi";
    QDir().mkpath(later);
    ASSERT_EQ(backup::makeBackup(Set::Cassettes, later, QDateTime::currentDateTime(), "2002.A"),
              "");
    // The later table among the earlier set's files.
    ASSERT_TRUE(QFile::remove(zaloha + "/data.zal"));
    ASSERT_TRUE(QFile::copy(later + "/data.zal", zaloha + "/data.zal"));
    const QJsonArray live = readWithDbfread(Paths::dataFile("data.dbf"));

    for (const bool importing : {false, true}) {
        SCOPED_TRACE(importing);
        user.shown.clear();
        onScreen("restore.cassettes", "TJina_obnova", [&](BackupScreen &s) {
            s.findChild<QCheckBox *>("CheckBox1")->setChecked(importing);
            runButton(s)->click();
            EXPECT_TRUE(s.isVisible());
        });
        ASSERT_EQ(user.shown.size(), 1);
        EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
        EXPECT_TRUE(user.shown[0].text.contains("různých záloh nebo exportů"))
            << user.shown[0].text.toStdString();
        EXPECT_EQ(readWithDbfread(Paths::dataFile("data.dbf")), live);
    }
    // Without the manifest the set is judged by its memos: they lie beyond
    // the earlier memo file.
    ASSERT_TRUE(QFile::remove(zaloha + "/info.sum"));
    EXPECT_TRUE(backup::checkSet(Set::Cassettes, zaloha).contains("nepatří k sobě"));
}

} // namespace
} // namespace velmora::test
