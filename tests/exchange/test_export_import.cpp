// Catalogues exported through the export screens and imported through the
// managers, as two users would exchange them: the files on the medium, the
// imported directories and registers read back by dbfread.

#include "DbfRead.h"
#include "ExchangeFixture.h"
#include "exchange/NewDirDialog.h"
#include "storage/FileCopy.h"
#include "transfer/ExportInfo.h"
#include "transfer/Exporting.h"
#include "transfer/Importing.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QProgressBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace velmora::test {
namespace {

using exchange::Catalogue;

QStringList decodedLines(const QByteArray &bytes)
{
    QStringList lines = Codepage::cp1250()
                            .decode(bytes.constData(), int(bytes.size()))
                            .split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

class Exchange : public ExchangeFixture
{
protected:
    void fillCassettes()
    {
        CassetteRecord a;
        a.number = "00001";
        a.recordings[0] = slot("Pelíšky", "SP", 115, "Komedie");
        a.recordings[0].note = "Poznámka k filmu";
        CassetteRecord b;
        b.number = "00002";
        b.recordings[1] = slot("Kolja", "LP", 105, "Drama");
        appendCassettes({a, b});
    }
};

TEST_F(Exchange, ExportWritesTheSetAndTheInformationFileAndReplacesAnEarlierExport)
{
    fillCassettes();
    const QString medium = made("medium");
    exportTo(Catalogue::Cassettes, medium, "Petr");
    ASSERT_FALSE(user.shown.isEmpty());
    EXPECT_EQ(user.shown.last().caption, "Informace:");
    EXPECT_EQ(user.shown.last().text,
              " Export databází VK určených pro přenos \"Velmora\" byl ukončen v pořádku.");
    EXPECT_EQ(exchange::storedOwnerName(), "Petr");

    for (const char *f : {"data.vkf", "data.vkt", "Export.evk"})
        EXPECT_TRUE(QFileInfo::exists(medium + "/" + f)) << f;
    EXPECT_FALSE(QFileInfo::exists(medium + "/data.vkx")); // our tables carry no index
    QFile data(Paths::dataFile("data.dbf"));
    EXPECT_EQ(QFileInfo(medium + "/data.vkf").size(), data.size());

    QFile info(medium + "/Export.evk");
    ASSERT_TRUE(info.open(QIODevice::ReadOnly));
    const QByteArray bytes = info.readAll();
    const QStringList lines = decodedLines(bytes);
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], "Informace o Exportu na toto medium:");
    EXPECT_EQ(lines[1], "Datum exportu   : " + QDate::currentDate().toString("dd.MM.yyyy"));
    EXPECT_TRUE(lines[2].startsWith("Cas exportu     : "));
    EXPECT_EQ(lines[2].size(), 26);
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "Verze programu  : 2002.A");
    EXPECT_EQ(lines[5], "Vlastník dat    : Petr");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], "Corect End Norvane information file.");
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_TRUE(bytes.contains("Vlastn\xedk")); // code page 1250

    // A second export, with one more cassette, replaces every file; the name
    // is asked for once only.
    addCassette("00003");
    user.screens.clear();
    exportTo(Catalogue::Cassettes, medium, "Jiný");
    EXPECT_FALSE(user.screens.contains("OwnerNameDialog"));
    EXPECT_EQ(readWithDbfread(medium + "/data.vkf").size(), 3);
    EXPECT_EQ(QFileInfo(medium + "/data.vkf").size(),
              QFileInfo(Paths::dataFile("data.dbf")).size());
}

TEST_F(Exchange, ExportIntoAnUnwritableDirectoryIsReportedWithoutTheSuccessMessage)
{
    fillCassettes();
    const QString medium = made("readonly");
    QFile::setPermissions(medium, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFileInfo(medium).isWritable())
        GTEST_SKIP() << "running as a user who writes everywhere";
    exportTo(Catalogue::Cassettes, medium);
    ASSERT_FALSE(user.shown.isEmpty());
    EXPECT_EQ(user.shown.last().caption, "Chyba");
    EXPECT_TRUE(user.shown.last().text.contains("nelze zapisovat"))
        << user.shown.last().text.toStdString();
    for (const auto &s : user.shown)
        EXPECT_FALSE(s.text.contains("v pořádku"));
}

TEST_F(Exchange, AFailedCopyStopsTheExportBeforeTheInformationFile)
{
    fillCassettes();
    const QString medium = made("full");
    filecopy::failCopy(2); // the memo file
    exportTo(Catalogue::Cassettes, medium);
    filecopy::failCopy(0);
    EXPECT_EQ(user.shown.last().caption, "Chyba");
    EXPECT_TRUE(user.shown.last().text.contains("data.vkt"))
        << user.shown.last().text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(medium + "/Export.evk"));
    EXPECT_FALSE(QFileInfo::exists(medium + "/data.vkt"));
}

TEST_F(Exchange, AReExportReplacesTheWholeEarlierSetOrNothing)
{
    fillCassettes();
    const QString medium = made("medium");
    exportTo(Catalogue::Cassettes, medium);
    const QStringList earlier = tree(medium);
    QMap<QString, QByteArray> bytes;
    for (const QString &name : QDir(medium).entryList(QDir::Files)) {
        QFile f(medium + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        bytes.insert(name, f.readAll());
    }
    addCassette("00003");
    for (int n = 1; n <= 2; ++n) {
        user.shown.clear();
        filecopy::failCopy(n);
        exportTo(Catalogue::Cassettes, medium);
        filecopy::failCopy(0);
        ASSERT_FALSE(user.shown.isEmpty());
        EXPECT_EQ(user.shown.last().caption, "Chyba");
        EXPECT_TRUE(user.shown.last().text.contains("médium je plné"))
            << user.shown.last().text.toStdString();
        EXPECT_EQ(tree(medium), earlier) << n;
        for (auto it = bytes.begin(); it != bytes.end(); ++it) {
            QFile f(medium + "/" + it.key());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), it.value()) << it.key().toStdString();
        }
        EXPECT_TRUE(exchange::inspect(Catalogue::Cassettes, medium).allowed);
    }
    user.shown.clear();
    exportTo(Catalogue::Cassettes, medium);
    EXPECT_EQ(readWithDbfread(medium + "/data.vkf").size(), 3);
    EXPECT_TRUE(exchange::inspect(Catalogue::Cassettes, medium).allowed);
}

TEST_F(Exchange, ALinkPlantedOnTheMediumLeadsTheExportNowhere)
{
    fillCassettes();
    const QString medium = made("medium");
    QTemporaryDir outside;
    const QString victim = outside.filePath("victim.dbf");
    {
        QFile f(victim);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not the export's");
    }
    for (const char *name : {".data.vkf.velmora-part", ".data.vkt.velmora-part",
                             ".Export.evk.velmora-part", "data.vkx"})
        ASSERT_TRUE(QFile::link(victim, medium + "/" + name));
    exportTo(Catalogue::Cassettes, medium);
    EXPECT_EQ(user.shown.last().caption, "Informace:") << user.texts().join(" | ").toStdString();
    QFile f(victim);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "not the export's");
    // Nothing of the earlier run stands there any more, no link either.
    for (const QString &name : QDir(medium).entryList(QDir::AllEntries | QDir::Hidden |
                                                      QDir::System | QDir::NoDotAndDotDot))
        EXPECT_FALSE(QFileInfo(medium + "/" + name).isSymLink()) << name.toStdString();
    EXPECT_EQ(readWithDbfread(medium + "/data.vkf").size(), 2);
}

TEST_F(Exchange, AnOwnTableThatDoesNotReadIsToldAsTheCause)
{
    fillCassettes();
    window->tables().closeAll();
    {
        // Held by another handle alone: its bytes copy, it does not open.
        Table held;
        held.setPath(Paths::dataFile("data.dbf"));
        held.open(Table::Mode::Exclusive);
        const QString medium = made("held");
        exportTo(Catalogue::Cassettes, medium);
        ASSERT_FALSE(user.shown.isEmpty());
        EXPECT_EQ(user.shown.last().caption, "Chyba");
        EXPECT_TRUE(user.shown.last().text.contains("Vlastní databázi nelze exportovat"))
            << user.shown.last().text.toStdString();
        EXPECT_FALSE(user.shown.last().text.contains("nemá všechny záznamy"));
        EXPECT_TRUE(QDir(medium).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }
    user.shown.clear();
    QFile f(Paths::dataFile("data.dbf"));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray head = f.read(64);
    head.replace(32, 8, "XXKAZETY");
    f.seek(0);
    f.write(head);
    f.close();
    const QString medium = made("medium");
    exportTo(Catalogue::Cassettes, medium);
    ASSERT_FALSE(user.shown.isEmpty());
    EXPECT_EQ(user.shown.last().caption, "Chyba");
    EXPECT_TRUE(user.shown.last().text.contains("t_kazety"))
        << user.shown.last().text.toStdString();
    EXPECT_FALSE(user.shown.last().text.contains("nemá všechny záznamy"));
    EXPECT_TRUE(
        QDir(medium).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(Exchange, NewDirectoryTakesLettersAndDigitsOnlyAndMovesIntoIt)
{
    const QString medium = made("medium");
    user.onScreen["TNew_Dir_Name"] = [](QDialog &d) {
        auto &n = static_cast<NewDirDialog &>(d);
        auto *create = child<QPushButton>(d, "BitBtn1");
        EXPECT_FALSE(create->isEnabled());
        QTest::keyClicks(n.edit(), "Muj export.1 b");
        QKeyEvent czech(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("ů"));
        QApplication::sendEvent(n.edit(), &czech);
        EXPECT_EQ(n.edit()->text(), "Mujexport1b");
        EXPECT_TRUE(create->isEnabled());
        n.edit()->clear();
        EXPECT_FALSE(create->isEnabled());
        QTest::keyClicks(n.edit(), "Petr2");
        create->click();
    };
    user.onScreen["TExporting_my_VK"] = [&](QDialog &d) {
        auto &s = static_cast<ExportScreen &>(d);
        EXPECT_EQ(s.directories()->path(), QDir(Paths::externiDir()).absolutePath());
        EXPECT_EQ(s.gauge()->value(), 0);
        EXPECT_EQ(s.gauge()->maximum(), 3 * exchange::kGaugeSteps);
        s.directories()->setPath(medium);
        child<QPushButton>(d, "Novy_adresar")->click();
        EXPECT_EQ(s.directories()->path(), medium + "/Petr2");
        EXPECT_EQ(child<QLabel>(d, "info")->text(), medium + "/Petr2");
    };
    window->runAction("external.cassetteExport");
    EXPECT_TRUE(QFileInfo(medium + "/Petr2").isDir());
}

// Enter in the export's folder list opens the folder; the export starts
// only from its button.
TEST_F(Exchange, EnterInTheExportsFolderListOpensTheFolderAndExportsNothing)
{
    fillCassettes();
    const QString medium = made("medium");
    QDir().mkpath(medium + "/novy");
    user.onScreen["OwnerNameDialog"] = [](QDialog &d) {
        auto &o = static_cast<OwnerNameDialog &>(d);
        o.edit()->setText("Petr");
        o.save();
    };
    user.onScreen["TExporting_my_VK"] = [&](QDialog &d) {
        auto &s = static_cast<ExportScreen &>(d);
        DirectoryList *dirs = s.directories();
        ASSERT_TRUE(dirs->setPath(medium));
        dirs->setFocus();
        QTest::keyClick(dirs, Qt::Key_Down); // the subdirectory "novy"
        QTest::keyClick(dirs, Qt::Key_Return);
        EXPECT_EQ(dirs->path(), medium + "/novy");
        EXPECT_EQ(child<QLabel>(d, "info")->text(), QDir::toNativeSeparators(medium + "/novy"));
        QTest::keyClick(s.placesBox(), Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(user.screens.filter("OwnerNameDialog").isEmpty());
        EXPECT_TRUE(QDir(medium).entryList(QDir::Files).isEmpty());
        EXPECT_TRUE(QDir(medium + "/novy").isEmpty());
        // Enter on "Vytvořit nový podadresář" asks for the name, no more.
        auto *create = child<QPushButton>(d, "Novy_adresar");
        create->setFocus();
        QTest::keyClick(create, Qt::Key_Return);
        EXPECT_TRUE(user.screens.contains("TNew_Dir_Name"));
        EXPECT_TRUE(user.screens.filter("OwnerNameDialog").isEmpty());
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(QDir(medium + "/novy").isEmpty());
        ASSERT_TRUE(dirs->setPath(medium + "/novy"));
        auto *button = child<QPushButton>(d, "BitBtn1");
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
    };
    window->runAction("external.cassetteExport");
    EXPECT_TRUE(QFileInfo::exists(medium + "/novy/Export.evk"));
    EXPECT_FALSE(QFileInfo::exists(medium + "/Export.evk"));
    ASSERT_FALSE(user.shown.isEmpty());
    EXPECT_EQ(user.shown.last().text,
              " Export databází VK určených pro přenos \"Velmora\" byl ukončen v pořádku.");
}

// In the manager Enter opens the folder of an export and lists it; the
// import waits for its button.
TEST_F(Exchange, EnterInTheImportsFolderListOpensTheFolderAndImportsNothing)
{
    fillCassettes();
    const QString medium = made("medium");
    ASSERT_TRUE(QDir().mkpath(medium + "/vk"));
    exportTo(Catalogue::Cassettes, medium + "/vk");
    user.shown.clear();
    inManager(Catalogue::Cassettes, [&](ImportManager &m) {
        DirectoryList *dirs = m.directories();
        ASSERT_TRUE(dirs->setPath(medium));
        dirs->setFocus();
        QTest::keyClick(dirs, Qt::Key_Down);
        QTest::keyClick(dirs, Qt::Key_Return);
        EXPECT_EQ(dirs->path(), medium + "/vk");
        ASSERT_EQ(m.files()->count(), 1);
        m.files()->setFocus();
        m.files()->setCurrentRow(0);
        QTest::keyClick(m.files(), Qt::Key_Return);
        EXPECT_EQ(value(m, "Status"), "Povolen import VK.");
        EXPECT_TRUE(m.isVisible());
        EXPECT_EQ(value(m, "CelkExtDat"), "0");
        m.importButton()->setFocus();
        QTest::keyClick(m.importButton(), Qt::Key_Space);
        EXPECT_EQ(value(m, "CelkExtDat"), "1");
    });
    EXPECT_TRUE(QFileInfo::exists(Paths::externiDir() + "VK-Petr/data.dbf"));
}

TEST_F(Exchange, ImportRegistersTheCatalogueAndReplacesOnlyByANewerExport)
{
    fillCassettes();
    const QString medium = made("medium");
    exportTo(Catalogue::Cassettes, medium, "Petr");

    inManager(Catalogue::Cassettes, [&](ImportManager &m) {
        EXPECT_EQ(value(m, "CelkExtDat"), "0");
        EXPECT_EQ(value(m, "Status"), "-");
        EXPECT_FALSE(m.importButton()->isEnabled());
        choose(m, medium);
        ASSERT_EQ(m.files()->count(), 1);
        EXPECT_EQ(m.files()->item(0)->text(), "data.vkf");
        EXPECT_EQ(value(m, "D"), QDate::currentDate().toString("dd.MM.yyyy"));
        EXPECT_EQ(value(m, "Ver"), "2002.A");
        EXPECT_EQ(value(m, "VK"), "2");
        EXPECT_EQ(value(m, "Vlastnik"), "Petr");
        EXPECT_EQ(value(m, "Status"), "Povolen import VK.");
        ASSERT_TRUE(m.importButton()->isEnabled());
        m.importButton()->click();
        EXPECT_EQ(value(m, "CelkExtDat"), "1");
        EXPECT_FALSE(m.importButton()->isEnabled());
        EXPECT_EQ(m.grid()->model()->index(0, 0).data().toString(), "Petr");
    });
    const QString dir = Paths::externiDir() + "VK-Petr";
    const QJsonArray rows = readWithDbfread(dir + "/data.dbf");
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].toObject()["film1"].toString(), "Pelíšky");
    EXPECT_TRUE(QFileInfo::exists(dir + "/data.dbt"));
    const QJsonArray reg = readWithDbfread(Paths::externiDir() + "Source.dbf");
    ASSERT_EQ(reg.size(), 1);
    EXPECT_EQ(reg[0].toObject()["user"].toString(), "Petr");
    EXPECT_EQ(reg[0].toObject()["tosource"].toString(), dir);

    // The same export again: asked, then refused as not newer.
    user.shown.clear();
    inManager(Catalogue::Cassettes, [&](ImportManager &m) {
        choose(m, medium);
        m.importButton()->click();
    });
    ASSERT_EQ(user.shown.size(), 2);
    EXPECT_EQ(user.shown[0].caption, "Rozhodnutí:");
    EXPECT_EQ(user.shown[0].text, "Nemohu založit VK adresář s daty, jméno uživatele již "
                                  "existuje!\r\n\r\nChcete existující data uživatele nahradit "
                                  "novými ?");
    EXPECT_EQ(user.shown[1].text, "Nelze aktulizovat databázi VK. Importovaná databáze je starší "
                                  "(nebo stejná) než Vaše databáze na HDD!");

    // An older registered date lets the export replace the catalogue.
    {
        Table t;
        t.setPath(Paths::externiDir() + "Source.dbf");
        t.open();
        t.first();
        t.edit();
        t.setString("Day", "01.01.2001");
        t.post();
        t.close();
    }
    addCassette("00003");
    exportTo(Catalogue::Cassettes, medium, "Petr");
    user.shown.clear();
    inManager(Catalogue::Cassettes, [&](ImportManager &m) {
        choose(m, medium);
        m.importButton()->click();
        EXPECT_EQ(m.gauge()->value(), 0);
    });
    EXPECT_EQ(user.shown.last().text, "Stávající databáze VK uživatele byly aktualizovány ...");
    EXPECT_EQ(readWithDbfread(dir + "/data.dbf").size(), 3);
    EXPECT_EQ(readWithDbfread(Paths::externiDir() + "Source.dbf")[0].toObject()["day"].toString(),
              QDate::currentDate().toString("dd.MM.yyyy"));
    EXPECT_TRUE(QDir(Paths::externiDir())
                    .entryList({".import-*"}, QDir::AllEntries | QDir::Hidden)
                    .isEmpty());

    // Declining the question changes nothing and empties the values.
    user.answers = {false};
    inManager(Catalogue::Cassettes, [&](ImportManager &m) {
        choose(m, medium);
        m.importButton()->click();
        EXPECT_EQ(value(m, "Vlastnik"), "-");
    });
}

TEST_F(Exchange, AFailedReplacementLeavesTheOldCatalogueAndItsDate)
{
    fillCassettes();
    const QString medium = made("medium");
    exportTo(Catalogue::Cassettes, medium, "Petr");
    inManager(Catalogue::Cassettes, [&](ImportManager &m) {
        choose(m, medium);
        m.importButton()->click();
    });
    Table t;
    t.setPath(Paths::externiDir() + "Source.dbf");
    t.open();
    t.first();
    t.edit();
    t.setString("Day", "01.01.2001");
    t.post();
    t.close();
    addCassette("00003");
    exportTo(Catalogue::Cassettes, medium, "Petr");
    const QStringList before = tree(Paths::externiDir());
    for (int n = 1; n <= 2; ++n) { // data.dbf, data.dbt
        user.shown.clear();
        filecopy::failCopy(n);
        inManager(Catalogue::Cassettes, [&](ImportManager &m) {
            choose(m, medium);
            m.importButton()->click();
        });
        filecopy::failCopy(0);
        EXPECT_EQ(user.shown.last().caption, "Chyba:") << n;
        EXPECT_TRUE(user.shown.last().text.contains("dosavadní data zůstala beze změny"));
        EXPECT_EQ(tree(Paths::externiDir()), before) << n;
        EXPECT_EQ(readWithDbfread(Paths::externiDir() + "VK-Petr/data.dbf").size(), 2);
    }
}

TEST_F(Exchange, DeletingTheLastCatalogueRemovesTheRegisterAndTheCommandsRefuse)
{
    fillCassettes();
    const QString medium = made("medium");
    exportTo(Catalogue::Cassettes, medium, "Petr");
    inManager(Catalogue::Cassettes, [&](ImportManager &m) {
        choose(m, medium);
        m.importButton()->click();
        // Declined first, then confirmed.
        user.answers = {false, true};
        m.grid()->setCurrentIndex(m.grid()->model()->index(0, 0));
        m.deleteCurrent();
        EXPECT_EQ(user.shown.last().caption, "Stornování:");
        EXPECT_EQ(user.shown.last().text,
                  "Databáze VK zůstala neporušená, akce byla stornována ...");
        EXPECT_EQ(value(m, "CelkExtDat"), "1");
        m.deleteCurrent();
        EXPECT_EQ(value(m, "CelkExtDat"), "0");
    });
    EXPECT_FALSE(QFileInfo::exists(Paths::externiDir() + "VK-Petr"));
    EXPECT_FALSE(QFileInfo::exists(Paths::externiDir() + "Source.dbf"));
    user.shown.clear();
    window->runAction("external.cassetteReports");
    window->runEntry(*window->entryFor("external.cassetteSearch", TTitul::Cassettes));
    ASSERT_FALSE(user.shown.isEmpty());
    EXPECT_EQ(user.shown.last().text, "V databázi nejsou žádná data, nelze pokračovat!");
}

TEST_F(Exchange, CdCatalogueRoundTrip)
{
    addCdTitle("00001");
    appendWithDbf("cd02.dbf", "[{'cislocd': '00001', 'oznaceni': 'CD1', 'tracknum': 1, "
                              "'track': 'Píseň'}]");
    const QString medium = made("cdmedium");
    exportTo(Catalogue::Cds, medium, "Eva");
    EXPECT_EQ(user.shown.last().text,
              "Export databází CD určených pro přenos \"Velmora\" byl ukončen v pořádku.");
    for (const char *f : {"cd01.vkf", "cd02.vkf", "ExportCD.evk"})
        EXPECT_TRUE(QFileInfo::exists(medium + "/" + f)) << f;
    inManager(Catalogue::Cds, [&](ImportManager &m) {
        EXPECT_EQ(m.gauge()->maximum(), 4 * exchange::kGaugeSteps);
        choose(m, medium);
        EXPECT_EQ(value(m, "Status"), "Povolen import CD.");
        EXPECT_EQ(value(m, "VK"), "1");
        m.importButton()->click();
        EXPECT_EQ(value(m, "CelkExtDat"), "1");
    });
    const QJsonArray tracks = readWithDbfread(Paths::externiDir() + "CD-Eva/cd02.dbf");
    ASSERT_EQ(tracks.size(), 1);
    EXPECT_EQ(tracks[0].toObject()["track"].toString(), "Píseň");
    EXPECT_TRUE(QFileInfo::exists(Paths::externiDir() + "SourceCD.dbf"));
}

} // namespace
} // namespace velmora::test
