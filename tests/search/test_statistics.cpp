// The statistics and database information screens over catalogues written
// by another dBASE writer, and the counting rules without a window.

#include "AppFixture.h"
#include "ReportCheck.h"
#include "finding/Statistics.h"
#include "search/DatabaseInfo.h"
#include "search/StatisticsScreen.h"
#include "storage/CdRecords.h"
#include "writer/ReportWriter.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

namespace velmora::test {
namespace {

class StatisticsTest : public AppFixture
{
protected:
    void SetUp() override
    {
        start();
        user.shown.clear();
        user.screens.clear();
    }

    // Rows appended by Python's dbf to a user list: it opens only names
    // ending in .dbf, so it is handed the list through a link of that name.
    void appendToList(const QString &list, const QString &rows)
    {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString link = dir.filePath(QStringLiteral("list.dbf"));
        ASSERT_TRUE(QFile::link(Paths::dataFile(list), link));
        appendWithDbfTo(link, rows);
    }

    QMap<QString, QString> values(const char *screenClass, const char *action,
                                  TTitul::Section section, const QStringList &names)
    {
        QMap<QString, QString> out;
        user.onScreen[screenClass] = [&](QDialog &d) {
            for (const QString &n : names)
                out[n] = d.findChild<QLabel *>(n)->text();
            if (auto *away = d.findChild<QPushButton *>("Zapujcky")) {
                out["away"] = away->isEnabled() ? "enabled" : "disabled";
                if (away->isEnabled())
                    away->click();
            }
            if (auto *pane = d.findChild<ReportPane *>())
                out["pane"] = pane->lines().join('\n');
        };
        window->runEntry(*window->entryFor(action, section));
        return out;
    }
};

TEST(FileSize, KilobytesCutToTwoDecimalsWithADecimalComma)
{
    EXPECT_EQ(fileSizeText(5000), "4,88 kB");
    EXPECT_EQ(fileSizeText(2048), "2 kB");
    EXPECT_EQ(fileSizeText(1536), "1,5 kB");
    EXPECT_EQ(fileSizeText(1034), "1 kB"); // 1,0097 is cut, not rounded
    EXPECT_EQ(fileSizeText(1023), "0,99 kB");
    EXPECT_EQ(fileSizeText(0), "0 kB");
    EXPECT_EQ(fileSizeText(5LL * 1024 * 1024 * 1024), "5242880 kB");
}

TEST_F(StatisticsTest, CassetteCountsFromAForeignCatalogue)
{
    appendWithDbf("data.dbf",
                  "[{'cislo': '00001', 'film1': 'Pelíšky', 'ry1': 'SP', 'film3': 'Kolja', "
                  "'ry3': 'SP'},"
                  " {'cislo': '00002', 'film1': 'Obecná škola', 'ry1': 'LP', 'ry2': 'EP', "
                  "'pujceno': True, 'komu': 'Eva', 'od_kdy': '01.01.2002', 'delka_pujc': 7},"
                  " {'cislo': '00003', 'ry4': 'sp'}]");
    const auto v = values("TStatistika", "search.cassetteStatistics", TTitul::Cassettes,
                          {"Pocet", "Pujceno", "Filmy", "SP", "LP", "EP"});
    EXPECT_EQ(v["Pocet"], "3");
    EXPECT_EQ(v["Pujceno"], "1");
    EXPECT_EQ(v["Filmy"], "3");
    EXPECT_EQ(v["SP"], "2"); // "sp" is not SP: the speeds compare exactly
    EXPECT_EQ(v["LP"], "1");
    EXPECT_EQ(v["EP"], "1"); // a speed without a title counts
    EXPECT_EQ(v["away"], "enabled");
    // The button opens the list of lent cassettes as the menu does.
    EXPECT_EQ(user.screens, (QStringList{"TStatistika", "TZobrazeni_zapujcek"}));
    EXPECT_FALSE(window->tables().Table1.isOpen());
    EXPECT_FALSE(window->tables().Table1.filtered());
}

TEST_F(StatisticsTest, AnEmptyCatalogueShowsNothingButZeros)
{
    const auto v = values("TStatistika", "search.cassetteStatistics", TTitul::Cassettes,
                          {"Pocet", "Pujceno", "Filmy", "SP", "LP", "EP"});
    for (const char *n : {"Pocet", "Pujceno", "Filmy", "SP", "LP", "EP"})
        EXPECT_EQ(v[n], "0") << n;
    EXPECT_EQ(v["away"], "disabled");
    const auto cd = values("TStatistikaCD", "search.cdStatistics", TTitul::Cds,
                           {"Pocet", "Pujceno", "Skladby"});
    EXPECT_EQ(cd["away"], "disabled");
    EXPECT_EQ(cd["pane"], " Statistika skladeb:\n\n Skladby na CD nenalezeny ...");
}

TEST_F(StatisticsTest, TracksPerStyleInCzechOrderApostrophesIncluded)
{
    window->settings().storedSystemCode = "1";
    appendWithDbf("cd01.dbf", "[{'cislocd': '00001', 'pujceno': True, 'komu': 'Eva'},"
                              " {'cislocd': '00002'}]");
    appendWithDbf("cd02.dbf", "[{'cislocd': '00001', 'styl': 'Rock'},"
                              " {'cislocd': '00001', 'styl': 'Chanson'},"
                              " {'cislocd': '00001', 'styl': 'Rock'},"
                              " {'cislocd': '00002', 'styl': \"Rock'n'roll\"},"
                              " {'cislocd': '00002', 'styl': 'Hip hop'},"
                              " {'cislocd': '00002', 'styl': \"Rock'n'roll\"}]");
    const auto v = values("TStatistikaCD", "search.cdStatistics", TTitul::Cds,
                          {"Pocet", "Pujceno", "Skladby"});
    EXPECT_EQ(v["Pocet"], "2");
    EXPECT_EQ(v["Pujceno"], "1");
    EXPECT_EQ(v["Skladby"], "6");
    // "Ch" comes after "H" in Czech.
    EXPECT_EQ(v["pane"], " Statistika skladeb:\n\n"
                         " Hip hop                    1    \n"
                         " Chanson                    1    \n"
                         " Rock                       2    \n"
                         " Rock'n'roll                2    ");
    EXPECT_EQ(user.screens, (QStringList{"TStatistikaCD", "TZobrazeni_zapujcekCD"}));
}

TEST(StyleStatistics, BothPaneModes)
{
    const std::vector<StyleCount> styles{{"A", 1}, {"B", 2}};
    const Shown line =
        show(report::Mode::Line, [&](ReportWriter &w) { writeStyleStatistics(w, styles); });
    EXPECT_EQ(line.lines,
              (QStringList{" Statistika skladeb:", "", " A                          1    ",
                           " B                          2    "}));
    EXPECT_EQ(line.looks[0], (Look{QColor(255, 0, 0), 12, true}));
    EXPECT_EQ(line.looks[2], (Look{QColor(0, 0, 0), 10, true}));
    const QByteArray doc =
        report::documentOf([&](ReportWriter &w) { writeStyleStatistics(w, styles); });
    EXPECT_EQ(doc, QByteArray("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname "
                              "Courier New;}Courier New CE;}}\r\n"
                              "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n"
                              "\\viewkind4\\uc1\\pard\\cf3\\b\\lang1029\\f0\\fs20\r\n"
                              "\\cf2\\b\\fs26\r\n"
                              " Statistika skladeb:\\par\r\n"
                              "\\cf1\\b\\fs22\\par\r\n"
                              " A                          1    \\par\r\n"
                              " B                          2    \\par\r\n"
                              "}"));
}

TEST_F(StatisticsTest, DatabaseInformationCountsAndSizes)
{
    // Every count below is what this test wrote: the rows appended here,
    // and for the user lists their default rows (30 genres, 11 sources,
    // 3 CD formats, 9 CD styles) with the rows appended after them.
    appendWithDbf("data.dbf", "[{'cislo': '00001'}, {'cislo': '00002'}]");
    appendWithDbf("archiv.dbf", "[{'cislo': '00001', 'komu': 'Eva'}]");
    appendWithDbf("cd01.dbf", "[{'cislocd': '00001'}, {'cislocd': '00002'}, {'cislocd': '00003'}]");
    appendWithDbf("cd02.dbf", "[{'cislocd': '00001', 'styl': 'Pop'}, {'cislocd': '00002', "
                              "'styl': 'Rock'}, {'cislocd': '00002', 'styl': 'Pop'}, "
                              "{'cislocd': '00003', 'styl': 'Jazz'}]");
    appendWithDbf("archivcd.dbf", "[{'cislocd': '00001', 'komu': 'Eva'}, {'cislocd': '00003', "
                                  "'komu': 'Adam'}]");
    appendToList("Users_za.nrv", "[{'zanr': 'Mysteriózní'}, {'zanr': 'Noir'}]");
    appendToList("Users_zd.nrv", "[{'zdroj': 'Kabelová TV'}]");
    appendToList("Users_c1.nrv", "[{'zdroj': 'Gramodeska'}, {'zdroj': 'Kazeta'}]");
    appendToList("Users_c2.nrv", "[{'zanr': 'Jazz'}, {'zanr': 'Blues'}, {'zanr': 'Rap'}]");

    const auto v = values("TInf_databaze", "search.cassetteDatabaseInfo", TTitul::Cassettes,
                          {"Pocet", "Velikost", "Archiv", "Zanry", "Zdroje"});
    EXPECT_EQ(v["Pocet"], "2");
    EXPECT_EQ(v["Velikost"], fileSizeText(QFileInfo(Paths::dataFile("data.dbf")).size()));
    EXPECT_EQ(v["Archiv"], "1");
    EXPECT_EQ(v["Zanry"], "32");
    EXPECT_EQ(v["Zdroje"], "12");
    const auto cd =
        values("TInf_databazecd", "search.cdDatabaseInfo", TTitul::Cds,
               {"Pocet", "Velikost", "Velikost2", "Skladby", "Archiv", "Zanry", "Zdroje"});
    EXPECT_EQ(cd["Pocet"], "3");
    EXPECT_EQ(cd["Skladby"], "4");
    EXPECT_EQ(cd["Archiv"], "2");
    EXPECT_EQ(cd["Velikost"], fileSizeText(QFileInfo(Paths::dataFile("cd01.dbf")).size()));
    EXPECT_EQ(cd["Velikost2"], fileSizeText(QFileInfo(Paths::dataFile("cd02.dbf")).size()));
    EXPECT_EQ(cd["Zanry"], "12");
    EXPECT_EQ(cd["Zdroje"], "5");
    EXPECT_EQ(fileSizeOf(env.file("missing.dbf")), "soubor nenalezen");
    EXPECT_EQ(recordCountOf(env.file("missing.dbf")), 0);
}

} // namespace
} // namespace velmora::test
