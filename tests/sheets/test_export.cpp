// The catalogue's sheets written as CSV and XLSX and read back by Python's
// csv module and openpyxl: headers, Czech letters, quoting, line ends, the
// empty cassette and the title without tracks, the loans of both sections,
// and the typed cells, header, pane, filter and wrapping of a workbook.

#include "RulesFixture.h"
#include "sheets/SheetExport.h"
#include "test_export_readers.h"

#include <QDir>

namespace velmora::test {
namespace {

using sheets::Format;
using sheets::Sheet;

const char *kMemo = "Řekl: \"Ahoj; sbohem\"\ndruhý řádek";

class Export : public RulesFixture
{
protected:
    void SetUp() override
    {
        CassetteRecord full;
        full.type = "E 180";
        full.number = "00003";
        CassetteSlot &first = full.recordings[0];
        first = slot(QString::fromUtf8("Šakalí léta"), "SP", 95, "Komedie");
        first.end = 95;
        first.source = QString::fromUtf8("Televize ČT1");
        first.date = QDate(2001, 12, 24);
        first.note = QString::fromUtf8(kMemo);
        full.recordings[2] = slot("Kolja", "LP", 105);
        full.recordings[2].start = 95;
        full.recordings[2].end = 200;
        // A speed alone is no recording; a genre alone is one.
        full.recordings[3].speed = "EP";
        full.recordings[4].genre = "Drama";
        full.loan = {true, "Eva", "01.12.2026", 7};
        full.note = QString::fromUtf8("Neuzavřená kazeta, možnost dohrátí");

        CassetteRecord empty;
        empty.type = "E 240";
        empty.number = "00001";

        CassetteRecord home;
        home.type = "E 240";
        home.number = "00002";
        home.recordings[0] = slot(QString::fromUtf8("Pelíšky"), "EP", 120);
        home.recordings[0].end = 120;
        // Kept as stored although the cassette is at home.
        home.loan = {false, "Adam", "8.3.2025", 30};

        CassetteRecord gone;
        gone.type = "E 60";
        gone.number = "00009";
        gone.recordings[0] = slot(QString::fromUtf8("Smazaná"));
        appendCassettes({full, empty, home, gone});
        Table t;
        t.setPath(Paths::dataFile("data.dbf"));
        t.open();
        ASSERT_TRUE(t.locate("cislo", "00009"));
        t.deleteRecord();
        t.close();

        CdTitle songs = cdTitle("00001", QString::fromUtf8("Písně"));
        songs.size = "700";
        songs.artist = QString::fromUtf8("Hegerová");
        songs.acquired = "05.06.2001";
        songs.format = QString::fromUtf8("Originální CD");
        songs.note = QString::fromUtf8("dárek");
        songs.loan = {true, "Jana", "02.12.2026", 14};
        CdTitle bare = cdTitle("00002", "Bez stop");
        bare.acquired = QString::fromUtf8("neznámo");
        appendCdTitles({songs, bare, cdTitle("00005", QString::fromUtf8("Druhý"))});
        // A track of another title between those of the first.
        appendCdTracks({{"00001", "CD1", 1, QString::fromUtf8("Lásko má"), 183, "Pop", ""},
                        {"00005", "CD1", 1, QString::fromUtf8("Cizí"), 60, "", ""},
                        {"00001", "CD1", 2, QString::fromUtf8("Jarní"), 75 * 60 + 3, "", "Eva"},
                        {"00001", "CD2", 1, "Bonus", 59, "", ""}});

        appendWithDbf("archiv.dbf", "[{'t_kazety': 'E 180', 'cislo': '00002', 'komu': 'Petr', "
                                    "'od_kdy': '01.02.2025', 'pozn': 'Vrácení: 10.02.2025'},"
                                    " {'t_kazety': 'E 60', 'cislo': '00077', 'komu': 'Zdeněk', "
                                    "'od_kdy': '03.03.2024', 'pozn': 'Vrácení: 04.03.2024'}]");
        appendWithDbf("archivcd.dbf", "[{'t_cd': '700', 'cislocd': '00002', 'titulcd': "
                                      "'Bez stop', 'komu': 'Olga', 'od_kdy': '04.04.2024', "
                                      "'pozn': 'Vrácení: 05.04.2024'}]");
    }

    QString target(const QString &name) const { return env.dataDir() + "/out/" + name; }
    Export() { QDir().mkpath(env.dataDir() + "/out"); }

    // Only the file itself where it was written: nothing staged is left.
    QStringList outFiles() const
    {
        return QDir(env.dataDir() + "/out").entryList(QDir::Files | QDir::Hidden);
    }
};

const char *kCassetteRows = R"([
 ["Číslo kazety","Typ kazety","Pozice","Název filmu","Žánr","Rychlost","Začátek","Konec","Délka",
  "Zdroj","Datum","Poznámka k filmu","Poznámka ke kazetě","Půjčeno","Komu","Od kdy",
  "Délka půjčky"],
 ["00003","E 180","1","Šakalí léta","Komedie","SP","0","95","95","Televize ČT1","24.12.2001",
  "Řekl: \"Ahoj; sbohem\"\ndruhý řádek","Neuzavřená kazeta, možnost dohrátí","ano","Eva",
  "01.12.2026","7"],
 ["00003","E 180","3","Kolja","","LP","95","200","105","","","",
  "Neuzavřená kazeta, možnost dohrátí","ano","Eva","01.12.2026","7"],
 ["00003","E 180","5","","Drama","","0","0","0","","","",
  "Neuzavřená kazeta, možnost dohrátí","ano","Eva","01.12.2026","7"],
 ["00001","E 240","","","","","","","","","","","","ne","","",""],
 ["00002","E 240","1","Pelíšky","","EP","0","120","120","","","","","ne","Adam","8.3.2025","30"]
])";

const char *kCdRows = R"([
 ["Číslo CD","Typ","Titul","Interpret","Pořízeno","Formát","Disk","Stopa","Název stopy","Délka",
  "Styl","Interpret stopy","Poznámka","Půjčeno","Komu","Od kdy","Délka půjčky"],
 ["00001","700","Písně","Hegerová","05.06.2001","Originální CD","CD 1","1","Lásko má","3:03",
  "Pop","","dárek","ano","Jana","02.12.2026","14"],
 ["00001","700","Písně","Hegerová","05.06.2001","Originální CD","CD 1","2","Jarní","75:03",
  "","Eva","dárek","ano","Jana","02.12.2026","14"],
 ["00001","700","Písně","Hegerová","05.06.2001","Originální CD","CD 2","1","Bonus","0:59",
  "","","dárek","ano","Jana","02.12.2026","14"],
 ["00002","","Bez stop","","neznámo","","","","","","","","","ne","","",""],
 ["00005","","Druhý","","","","CD 1","1","Cizí","1:00","","","","ne","","",""]
])";

const char *kLoanRows = R"([
 ["Druh","Číslo","Název","Komu","Od kdy","Délka půjčky","Stav"],
 ["videokazeta","00003","Šakalí léta, Kolja","Eva","01.12.2026","7","půjčeno"],
 ["videokazeta","00002","Pelíšky","Petr","01.02.2025","","vráceno"],
 ["videokazeta","00077","","Zdeněk","03.03.2024","","vráceno"],
 ["CD","00001","Písně","Jana","02.12.2026","14","půjčeno"],
 ["CD","00002","Bez stop","Olga","04.04.2024","","vráceno"]
])";

TEST_F(Export, CassettesAsCsvAreOneRowPerRecordingWithTheEmptyCassetteKept)
{
    const QString path = target("kazety.csv");
    const sheets::ExportResult r =
        sheets::exportSheets(tables, {Sheet::Cassettes}, path, Format::Csv);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_FALSE(r.cancelled);
    EXPECT_EQ(r.rows, 5);
    EXPECT_EQ(csvRows(path), json(kCassetteRows));
    EXPECT_EQ(outFiles(), QStringList{"kazety.csv"});
    // The handles given are left as they were: closed.
    EXPECT_FALSE(tables.Table1.isOpen());
}

TEST_F(Export, CsvBytesAreUtf8WithBomCrlfAndQuotedSpecialValues)
{
    const QString path = target("kazety.csv");
    ASSERT_TRUE(sheets::exportSheets(tables, {Sheet::Cassettes}, path, Format::Csv).ok);
    const QByteArray bytes = fileBytes(path);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"
                                 "\xC4\x8C\xC3\xADslo kazety;Typ kazety;Pozice;"));
    EXPECT_TRUE(bytes.contains(";Délka půjčky\r\n00003;E 180;1;Šakalí léta;"));
    // Quotes doubled, the separator and the line break inside quotes.
    EXPECT_TRUE(bytes.contains(";\"Řekl: \"\"Ahoj; sbohem\"\"\ndruhý řádek\";"));
    EXPECT_TRUE(bytes.endsWith(";ne;Adam;8.3.2025;30\r\n"));
    // Every line ends with CRLF; the one bare LF is the memo's own.
    EXPECT_EQ(bytes.count("\r\n"), 6);
    EXPECT_EQ(bytes.count('\n'), 7);
    EXPECT_EQ(bytes.count('\r'), 6);
}

TEST_F(Export, CdsAsCsvGroupTracksUnderTheirTitleAndKeepATitleWithoutTracks)
{
    const QString path = target("cd.csv");
    const sheets::ExportResult r = sheets::exportSheets(tables, {Sheet::Cds}, path, Format::Csv);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.rows, 5);
    EXPECT_EQ(csvRows(path), json(kCdRows));
}

TEST_F(Export, LoansAsCsvListCurrentThenArchivedOfCassettesThenOfCds)
{
    const QString path = target("vypujcky.CSV");
    const sheets::ExportResult r = sheets::exportSheets(tables, {Sheet::Loans}, path, Format::Csv);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.rows, 5);
    EXPECT_EQ(csvRows(path), json(kLoanRows));
}

TEST_F(Export, WorkbookHoldsThreeSheetsWithTypedCells)
{
    const QString path = target("katalog.xlsx");
    const sheets::ExportResult r = sheets::exportSheets(
        tables, {Sheet::Cassettes, Sheet::Cds, Sheet::Loans}, path, Format::Xlsx);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.rows, 15);
    EXPECT_EQ(outFiles(), QStringList{"katalog.xlsx"});
    const QJsonArray book = workbook(path);
    ASSERT_EQ(book.size(), 3);
    EXPECT_EQ(book[0]["name"], "Kazety");
    EXPECT_EQ(book[1]["name"], "CD");
    EXPECT_EQ(book[2]["name"], QString::fromUtf8("Výpůjčky"));

    const QJsonArray cassettes = book[0]["rows"].toArray();
    ASSERT_EQ(cassettes.size(), 6);
    EXPECT_EQ(cassettes[0], json(kCassetteRows)[0]);
    // Numbers are numbers, dates are dates, texts that read as dates too.
    EXPECT_EQ(cassettes[1], json(R"([["00003","E 180",1,"Šakalí léta","Komedie","SP",0,95,95,
        "Televize ČT1","D:24.12.2001","Řekl: \"Ahoj; sbohem\"\ndruhý řádek",
        "Neuzavřená kazeta, možnost dohrátí","ano","Eva","D:01.12.2026",7]])")[0]);
    EXPECT_EQ(cassettes[4], json(R"([["00001","E 240",null,null,null,null,null,null,null,null,
        null,null,null,"ne"]])")[0]);
    EXPECT_EQ(cassettes[5], json(R"([["00002","E 240",1,"Pelíšky",null,"EP",0,120,120,null,
        null,null,null,"ne","Adam","D:08.03.2025",30]])")[0]);
    const QJsonObject formats = book[0]["formats"].toObject();
    EXPECT_EQ(formats["2,11"], "dd.mm.yyyy");
    EXPECT_EQ(formats["2,16"], "dd.mm.yyyy");
    EXPECT_EQ(formats["2,3"], "General");
    EXPECT_EQ(book[0]["wrapped"], json(R"([["2,12"]])")[0]);

    const QJsonArray cds = book[1]["rows"].toArray();
    ASSERT_EQ(cds.size(), 6);
    // A track length is a time value shown as minutes and seconds.
    EXPECT_EQ(cds[2], json(R"([["00001","700","Písně","Hegerová","D:05.06.2001","Originální CD",
        "CD 1",2,"Jarní","T:4503",null,"Eva","dárek","ano","Jana","D:02.12.2026",14]])")[0]);
    EXPECT_EQ(book[1]["formats"]["3,10"], "[m]:ss");
    // "neznámo" is no date and stays a text.
    EXPECT_EQ(cds[4], json(R"([["00002",null,"Bez stop",null,"neznámo",null,null,null,null,null,
        null,null,null,"ne"]])")[0]);

    const QJsonArray loans = book[2]["rows"].toArray();
    EXPECT_EQ(loans[1], json(R"([["videokazeta","00003","Šakalí léta, Kolja","Eva",
        "D:01.12.2026",7,"půjčeno"]])")[0]);
    EXPECT_EQ(loans[5], json(R"([["CD","00002","Bez stop","Olga","D:04.04.2024",null,
        "vráceno"]])")[0]);

    for (int s = 0; s < 3; ++s) {
        const QJsonObject sheet = book[s].toObject();
        EXPECT_EQ(sheet["freeze"], "A2") << s;
        for (const QJsonValue bold : sheet["bold"].toArray())
            EXPECT_TRUE(bold.toBool()) << s;
    }
    EXPECT_EQ(book[0]["filter"], "A1:Q6");
    EXPECT_EQ(book[1]["filter"], "A1:Q6");
    EXPECT_EQ(book[2]["filter"], "A1:G6");
    // Widths fit: the header of a short column, the longest text of another.
    const QJsonArray widths = book[0]["widths"].toArray();
    EXPECT_GE(widths[0].toDouble(), double(QString::fromUtf8("Číslo kazety").size()));
    EXPECT_GE(widths[12].toDouble(),
              double(QString::fromUtf8("Neuzavřená kazeta, možnost dohrátí").size()));
    EXPECT_LT(widths[5].toDouble(), widths[12].toDouble());
}

TEST_F(Export, MoreThanOneSheetInCsvIsRefusedAndWritesNothing)
{
    const QString path = target("oba.csv");
    const sheets::ExportResult r =
        sheets::exportSheets(tables, {Sheet::Cassettes, Sheet::Cds}, path, Format::Csv);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.cancelled);
    EXPECT_TRUE(r.error.contains("XLSX")) << r.error.toStdString();
    EXPECT_TRUE(outFiles().isEmpty());
    EXPECT_FALSE(sheets::exportSheets(tables, {}, path, Format::Xlsx).ok);
    EXPECT_TRUE(outFiles().isEmpty());
}

TEST(ExportFormat, TheSuffixChoosesTheFormatInAnyCase)
{
    EXPECT_EQ(sheets::formatOf("/a/b.csv"), Format::Csv);
    EXPECT_EQ(sheets::formatOf("b.CSV"), Format::Csv);
    EXPECT_EQ(sheets::formatOf("/a.b/c.Xlsx"), Format::Xlsx);
    EXPECT_EQ(sheets::formatOf("c.xls"), std::nullopt);
    EXPECT_EQ(sheets::formatOf("/a.csv/c"), std::nullopt);
    EXPECT_EQ(sheets::formatOf("c.csv.txt"), std::nullopt);
}

} // namespace
} // namespace velmora::test
