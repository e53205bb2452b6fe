// Spreadsheet exchange as the user meets it in the window: the two new
// items at the end of each "Systém" menu, the file asked for in the folder
// used last, the export read back by Python's csv module, and the import's
// preview that refuses a problem, offers the missing genre to the user list
// and then writes the cassettes.

#include "AppFixture.h"
#include "browsing/OverviewWindow.h"
#include "spreadsheet/ExportProgress.h"
#include "spreadsheet/ImportPreview.h"
#include "storage/Records.h"

#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace velmora::test {
namespace {

// The rows of a CSV file as Python's csv module reads them.
QList<QStringList> readCsv(const QString &path)
{
    int rc = -1;
    const QString out = runProgram(
        QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import csv, json, sys\n"
                        "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                        "    print(json.dumps(list(csv.reader(f, delimiter=';'))))\n"),
         path},
        &rc);
    QList<QStringList> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(out.toUtf8()).array()) {
        QStringList cells;
        for (const QJsonValue &c : row.toArray())
            cells << c.toString();
        rows << cells;
    }
    return rows;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList titlesOf(const QString &number)
{
    Table t;
    t.setPath(Paths::dataFile("data.dbf"));
    t.open(Table::Mode::ReadOnly);
    if (!t.locate("cislo", number))
        return {};
    const CassetteRecord r = CassetteColumns(t).read(t);
    QStringList out;
    for (const CassetteSlot &s : r.recordings)
        out << s.title;
    return out;
}

class SheetFlows : public AppFixture
{
protected:
    void SetUp() override
    {
        start();
        appendWithDbf("data.dbf",
                      "[{'cislo': '00001', 't_kazety': 'E 240', 'film1': 'Zámek; \"první\"', "
                      "'zanr1': 'Drama', 'ry1': 'SP', 'cas1': 90, 's_time1': 0, 'e_time1': 90},"
                      " {'cislo': '00002', 't_kazety': 'E 180'}]");
    }

    void runCommand(const char *action)
    {
        window->runEntry(*window->entryFor(QLatin1String(action)));
    }

    QTemporaryDir folder;
};

TEST_F(SheetFlows, BothSystemMenusEndWithExportAndImport)
{
    for (const std::vector<MenuEntry> *menusOf : {&cassetteMenu(), &cdMenu()}) {
        const std::vector<MenuEntry> &menus = *menusOf;
        const MenuEntry *system = nullptr;
        for (const MenuEntry &m : menus)
            if (m.key == QStringLiteral("300"))
                system = &m;
        ASSERT_NE(system, nullptr);
        const auto &items = system->children;
        ASSERT_GE(items.size(), 3u);
        EXPECT_EQ(menuCaption(items[items.size() - 3]), QStringLiteral("Setup program Languages"));
        EXPECT_EQ(menuCaption(items[items.size() - 2]),
                  QStringLiteral("Export do tabulky (CSV, XLSX) ..."));
        EXPECT_EQ(menuCaption(items.back()), QStringLiteral("Import z tabulky (CSV) ..."));
    }
}

TEST_F(SheetFlows, TheCassetteExportProposesItsNameAndLandsWhereTheUserChose)
{
    const QString file = folder.filePath("moje kazety.csv");
    user.saveFiles = {file};
    runCommand("sheets.exportCassettes");
    ASSERT_EQ(user.saveProposals.size(), 1);
    EXPECT_TRUE(user.saveProposals[0].endsWith(QStringLiteral("/kazety.xlsx")))
        << user.saveProposals[0].toStdString();
    EXPECT_TRUE(user.saveFilters[0].contains(QStringLiteral("*.xlsx")));
    EXPECT_TRUE(user.saveFilters[0].contains(QStringLiteral("*.csv")));
    const QList<QStringList> rows = readCsv(file);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].value(0), QStringLiteral("Číslo kazety"));
    EXPECT_EQ(rows[1].mid(0, 4),
              (QStringList{"00001", "E 240", "1", QStringLiteral("Zámek; \"první\"")}));
    // The cassette without recordings is a row of its own, without a place.
    EXPECT_EQ(rows[2].mid(0, 3), (QStringList{"00002", "E 180", ""}));
    EXPECT_TRUE(user.texts().last().startsWith(QStringLiteral("Zapsáno řádků: 2 do souboru")))
        << user.texts().last().toStdString();

    // The next export proposes the folder used last.
    user.saveFiles = {QString()};
    runCommand("sheets.exportCds");
    ASSERT_EQ(user.saveProposals.size(), 2);
    EXPECT_EQ(user.saveProposals[1], folder.filePath("cd.xlsx"));
}

TEST_F(SheetFlows, AWorkbookHoldsTheLoansTooAndACancelledExportLeavesTheOldFile)
{
    const QString book = folder.filePath("kazety.xlsx");
    user.saveFiles = {book};
    runCommand("sheets.exportCassettes");
    EXPECT_TRUE(user.texts().last().contains(QStringLiteral("(listy Kazety a Výpůjčky)")))
        << user.texts().last().toStdString();
    int rc = -1;
    const QString sheets =
        runProgram(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral("-c"),
                    QStringLiteral("import sys, openpyxl\n"
                                   "wb = openpyxl.load_workbook(sys.argv[1])\n"
                                   "print(' '.join('%s:%d' % (w.title, w.max_row) for w in wb))\n"),
                    book},
                   &rc);
    EXPECT_EQ(sheets.trimmed(), QStringLiteral("Kazety:3 Výpůjčky:1"));

    // The user cancels the next export over the same file at once.
    QFile old(book);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    const QByteArray before = old.readAll();
    old.close();
    user.saveFiles = {book};
    QTimer::singleShot(0, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *progress = qobject_cast<TPrubehExportu *>(w))
                progress->cancelButton()->click();
    });
    runCommand("sheets.exportCassettes");
    EXPECT_EQ(user.texts().last(),
              QStringLiteral("Export byl zrušen; soubor %1 zůstal, jak byl.").arg(book));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), before);
    old.close();

    // Esc on the progress window cancels too; it never just hides it.
    user.saveFiles = {folder.filePath("nove.xlsx")};
    QTimer::singleShot(0, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *progress = qobject_cast<TPrubehExportu *>(w))
                QTest::keyClick(progress, Qt::Key_Escape);
    });
    runCommand("sheets.exportCassettes");
    EXPECT_TRUE(user.texts().last().endsWith(QStringLiteral("nove.xlsx nevznikl.")))
        << user.texts().last().toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"kazety.xlsx"});
}

TEST_F(SheetFlows, TheImportPreviewRefusesAProblemAndWritesNothing)
{
    const QString file = folder.filePath("nove.csv");
    writeFile(file, "Číslo kazety;Typ kazety;Pozice;Název filmu;Žánr\r\n"
                    "5;E 240;1;Pelíšky;Drama\r\n"
                    "abc;E 240;1;Kolja;Drama\r\n"
                    "1;E 240;1;Obecná škola;Drama\r\n");
    user.openFiles = {file};
    bool shown = false;
    user.onScreen["TNahledImportu"] = [&](QDialog &d) {
        shown = true;
        auto &preview = static_cast<TNahledImportu &>(d);
        EXPECT_FALSE(preview.importButton()->isEnabled());
        // The number that is no number, and the one the catalogue holds.
        ASSERT_EQ(preview.problems()->rowCount(), 2);
        EXPECT_EQ(preview.problems()->item(0, 0)->text(), QStringLiteral("3"));
        EXPECT_EQ(preview.problems()->item(1, 0)->text(), QStringLiteral("4"));
        EXPECT_TRUE(preview.problems()->item(1, 1)->text().contains(QStringLiteral("00001")))
            << preview.problems()->item(1, 1)->text().toStdString();
        EXPECT_TRUE(preview.summary()->text().contains(QStringLiteral("nezapíše se nic")));
    };
    runCommand("sheets.importCassettes");
    EXPECT_TRUE(shown);
    EXPECT_TRUE(titlesOf("00005").isEmpty());
    EXPECT_EQ(titlesOf("00001").value(0), QStringLiteral("Zámek; \"první\""));
}

TEST_F(SheetFlows, AMissingGenreIsAddedToTheListAndTheCassettesAreWritten)
{
    const QString file = folder.filePath("nove.csv");
    writeFile(file, "Číslo kazety;Typ kazety;Pozice;Název filmu;Žánr;Rychlost;Délka;"
                    "Začátek;Konec\r\n"
                    "7;E 240;1;Pelíšky;Kung-fu;SP;115;0;115\r\n"
                    "7;E 240;2;Kolja;Drama;SP;105;115;220\r\n");
    user.openFiles = {file};
    user.answers = {true}; // yes, add it to the list
    bool shown = false;
    user.onScreen["TNahledImportu"] = [&](QDialog &d) {
        shown = true;
        auto &preview = static_cast<TNahledImportu &>(d);
        EXPECT_FALSE(preview.importButton()->isEnabled());
        ASSERT_TRUE(preview.addButton()->isEnabled());
        ASSERT_EQ(preview.problems()->rowCount(), 1);
        EXPECT_EQ(preview.problems()->item(0, 1)->text(),
                  QStringLiteral("Žánr „Kung-fu“ není v uživatelském seznamu žánrů."));
        preview.addButton()->click();
        ASSERT_TRUE(preview.importButton()->isEnabled()) << preview.summary()->text().toStdString();
        preview.importButton()->click();
    };
    runCommand("sheets.importCassettes");
    ASSERT_TRUE(shown);
    EXPECT_EQ(titlesOf("00007").mid(0, 2), (QStringList{"Pelíšky", "Kolja"}));
    EXPECT_TRUE(user.texts().last().startsWith(QStringLiteral("Přidáno kazet: 1, záznamů: 2.")))
        << user.texts().last().toStdString();
    Table genres;
    genres.setPath(Paths::dataFile("Users_za.nrv"));
    genres.open(Table::Mode::ReadOnly);
    EXPECT_TRUE(genres.locate("Zanr", QStringLiteral("Kung-fu")));
}

TEST_F(SheetFlows, TheOverviewsWorkbookKeepsTheNumbersLeadingZeros)
{
    const QString book = folder.filePath("prehled.xlsx");
    user.saveFiles = {book};
    user.onScreen["TPrehled"] = [&](QDialog &d) {
        d.findChild<QPushButton *>("Exportovat_zobrazene")->click();
    };
    runCommand("overview.cassettes");
    int rc = -1;
    const QString cells =
        runProgram(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral("-c"),
                    QStringLiteral("import sys, openpyxl\n"
                                   "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                   "print(repr(ws['A2'].value), repr(ws['C2'].value))\n"),
                    book},
                   &rc);
    // The number as text, the position as a number.
    EXPECT_EQ(cells.trimmed(), QStringLiteral("'00001' 1"));
}

TEST_F(SheetFlows, TheOverviewExportsTheRowsAndColumnsItShows)
{
    const QString file = folder.filePath("prehled.csv");
    user.saveFiles = {file};
    user.onScreen["TPrehled"] = [&](QDialog &d) {
        auto &s = static_cast<TPrehled &>(d);
        QHeaderView *header = s.grid()->horizontalHeader();
        header->setSectionHidden(1, true);              // Typ
        header->moveSection(header->visualIndex(3), 0); // Název filmu first
        s.filterBox()->setText(QStringLiteral("zamek"));
        s.findChild<QPushButton *>("Exportovat_zobrazene")->click();
    };
    runCommand("overview.cassettes");
    const QList<QStringList> rows = readCsv(file);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].mid(0, 3),
              (QStringList{QStringLiteral("Název filmu"), QStringLiteral("Číslo kazety"),
                           QStringLiteral("Pozice")}));
    EXPECT_FALSE(rows[0].contains(QStringLiteral("Typ")));
    EXPECT_EQ(rows[1].mid(0, 3), (QStringList{QStringLiteral("Zámek; \"první\""), "00001", "1"}));
    EXPECT_EQ(rows[0].size(), 14);
}

} // namespace
} // namespace velmora::test
