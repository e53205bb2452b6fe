// The overview of a whole catalogue without a window: rows read from tables
// another program wrote (python dbf, the tests' own row writers), the loan
// state on a fixed day, the filter with and without diacritics, and the
// orders against lists sorted by hand.

#include "CdRows.h"
#include "DbfWrite.h"
#include "RulesFixture.h"
#include "overview/CatalogueOverview.h"
#include "overview/OverviewQuery.h"

namespace velmora::test {
namespace {

const QDate kToday(2026, 12, 10);

class Overview : public RulesFixture
{
protected:
    // Three cassettes as another program writes them: two recordings on
    // slots 1 and 3 of an overdue cassette, one without any, one lent in
    // term, and a deleted one that must not show.
    void writeCassettes()
    {
        appendWithDbf(
            "data.dbf",
            "[{'cislo': '00003', 't_kazety': 'E 180', 'film1': 'Šakalí léta', 'zanr1': 'Komedie', "
            "'ry1': 'SP', 'cas1': 95, 's_time1': 0, 'e_time1': 95, 'zdroj1': 'ČT1', "
            "'datum1': dbf.Date(2001, 12, 24), 'film3': 'Kolja', 'ry3': 'LP', 'cas3': 105, "
            "'s_time3': 95, 'e_time3': 200, 'datum3': dbf.Date(2002, 1, 5), 'pujceno': True, "
            "'komu': 'Eva', 'od_kdy': '01.12.2026', 'delka_pujc': 7},"
            " {'cislo': '00001', 't_kazety': 'E 240'},"
            " {'cislo': '00002', 't_kazety': 'E 240', 'film1': 'Pelíšky', 'ry1': 'EP', "
            "'cas1': 120, 's_time1': 0, 'e_time1': 120, 'pujceno': True, 'komu': 'Adam', "
            "'od_kdy': '08.12.2026', 'delka_pujc': 30},"
            " {'cislo': '00009', 'film1': 'Smazaná'}]");
        Table t;
        t.setPath(Paths::dataFile("data.dbf"));
        t.open();
        ASSERT_TRUE(t.locate("cislo", "00009"));
        t.deleteRecord();
        t.close();
    }

    static QStringList column(const OverviewRows &rows, int c, const std::vector<int> &order)
    {
        QStringList out;
        for (const int r : order)
            out << rows.cell(r, c);
        return out;
    }

    static QStringList row(const OverviewRows &rows, int r)
    {
        QStringList out;
        for (int c = 0; c < rows.columnCount(); ++c)
            out << rows.cell(r, c);
        return out;
    }
};

TEST_F(Overview, EveryRecordingOfEveryCassetteIsARowWithItsLoanAndRemainingTime)
{
    writeCassettes();
    const OverviewRows rows = catalogueOverview(OverviewKind::Cassettes, tables, kToday);
    ASSERT_EQ(rows.columnCount(), 15);
    ASSERT_EQ(rows.rowCount(), 4);
    // E 180 holds 185 SP minutes; 95 at SP and 105 at LP (52) leave 38.
    EXPECT_EQ(row(rows, 0),
              (QStringList{"00003", "E 180", "1", "Šakalí léta", "Komedie", "SP", "0", "95", "95",
                           "ČT1", "24.12.2001", "po termínu", "Eva", "01.12.2026", "38"}));
    EXPECT_EQ(row(rows, 1),
              (QStringList{"00003", "E 180", "3", "Kolja", "", "LP", "95", "200", "105", "",
                           "05.01.2002", "po termínu", "Eva", "01.12.2026", "38"}));
    // A cassette without recordings is one row, with nothing in its place.
    EXPECT_EQ(row(rows, 2), (QStringList{"00001", "E 240", "", "", "", "", "", "", "", "", "",
                                         "doma", "", "", "245"}));
    // 120 minutes at EP take 40 of 245.
    EXPECT_EQ(row(rows, 3), (QStringList{"00002", "E 240", "1", "Pelíšky", "", "EP", "0", "120",
                                         "120", "", "", "půjčeno", "Adam", "08.12.2026", "205"}));
    EXPECT_EQ(rows.record(0), rows.record(1));
    EXPECT_NE(rows.record(1), rows.record(2));
}

TEST_F(Overview, ACatalogueInAnotherCodePageAndLayoutReadsTheSame)
{
    // data.dbf as another program lays it out: cp852, lengths with a
    // decimal, the sources in memos.
    const QString script = QStringLiteral(
        "import sys, dbf\n"
        "layout = 't_kazety C(5); cislo C(5); ' + ''.join("
        "'film%d C(30); zanr%d C(15); ry%d C(2); cas%d N(5,1); zdroj%d M; datum%d D; "
        "S_Time%d N(5,0); E_Time%d N(5,0); P_film%d M; ' % ((n,) * 9) for n in range(1, 6)) + "
        "'pujceno L; komu C(15); od_kdy C(10); delka_pujc N(3,0); pozn C(50)'\n"
        "t = dbf.Table(sys.argv[1], layout, codepage='cp852')\n"
        "t.open(dbf.READ_WRITE)\n"
        "t.append({'cislo': '00007', 't_kazety': 'E 180', 'film2': 'Žižkov \u256c noc', "
        "'zanr2': 'Drama', 'ry2': 'LP', 'cas2': 60.4, 's_time2': 10, 'e_time2': 70, "
        "'zdroj2': 'Nova', 'datum2': dbf.Date(1999, 2, 28), 'pujceno': True, 'komu': 'Jiří', "
        "'od_kdy': '01.01.2026', 'delka_pujc': 5})\n"
        "t.close()\n");
    int rc = -1;
    const QString out =
        runProgram(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral("-c"), script, Paths::dataFile("data.dbf")}, &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();
    const OverviewRows rows = catalogueOverview(OverviewKind::Cassettes, tables, kToday);
    ASSERT_EQ(rows.rowCount(), 1);
    // A box-drawing letter of cp852, which cp1250 lacks, shows as it is. 60
    // LP minutes take 30 of the 185.
    EXPECT_EQ(row(rows, 0),
              (QStringList{"00007", "E 180", "2", "Žižkov ╬ noc", "Drama", "LP", "10", "70", "60",
                           "Nova", "28.02.1999", "po termínu", "Jiří", "01.01.2026", "155"}));
}

TEST_F(Overview, EveryTrackOfEveryTitleIsARowAndATitleWithoutTracksOneRow)
{
    CdTitle a;
    a.number = "00001";
    a.title = "Má vlast";
    a.artist = "Smetana";
    a.format = "CD";
    a.acquired = "05.05.2005";
    a.loan = {true, "Eva", "xx.yy", 14}; // a start that does not read
    CdTitle b;
    b.number = "00002";
    b.title = "Prázdný";
    appendCdTitles({a, b});
    appendCdTracks({{"00001", "CD2", 1, "Blaník", 185, "Klasika", ""},
                    {"00003", "CD1", 1, "Cizí", 60, "", ""},
                    {"00001", "CD1", 1, "Vyšehrad", 905, "Klasika", "ČF"},
                    {"00001", "CD1", 2, "Vltava", 722, "Klasika", ""}});
    const OverviewRows rows = catalogueOverview(OverviewKind::Cds, tables, kToday);
    ASSERT_EQ(rows.columnCount(), 14);
    ASSERT_EQ(rows.rowCount(), 4);
    // The tracks in their stored order; a start that does not read is lent,
    // never overdue.
    EXPECT_EQ(row(rows, 0),
              (QStringList{"00001", "Má vlast", "Smetana", "CD 2", "1", "Blaník", "03:05",
                           "Klasika", "", "CD", "05.05.2005", "půjčeno", "Eva", "xx.yy"}));
    EXPECT_EQ(row(rows, 1).mid(3, 6),
              (QStringList{"CD 1", "1", "Vyšehrad", "15:05", "Klasika", "ČF"}));
    EXPECT_EQ(rows.cell(2, 5), QStringLiteral("Vltava"));
    EXPECT_EQ(row(rows, 3), (QStringList{"00002", "Prázdný", "", "", "", "", "", "", "", "", "",
                                         "doma", "", ""}));
}

TEST_F(Overview, AMissingCatalogueFileIsReportedNotShownEmpty)
{
    QFile::remove(Paths::dataFile("cd02.dbf"));
    EXPECT_ANY_THROW(catalogueOverview(OverviewKind::Cds, tables, kToday));
}

TEST_F(Overview, TheFilterIgnoresCaseAndDiacriticsAsAskedAndNarrowsOnlyWhereItMay)
{
    writeCassettes();
    const OverviewRows rows = catalogueOverview(OverviewKind::Cassettes, tables, kToday);
    const int state = stateColumn(OverviewKind::Cassettes);
    const auto titles = [&](const OverviewFilter &f) {
        return column(rows, 3, filterRows(rows, state, f, allRows(rows)));
    };
    EXPECT_EQ(titles({"sakali", true, false}), QStringList{"Šakalí léta"});
    EXPECT_EQ(titles({"sakali", false, false}), QStringList{});
    EXPECT_EQ(titles({"ŠAKALÍ", false, false}), QStringList{"Šakalí léta"});
    EXPECT_EQ(titles({"pelisky", true, false}), QStringList{"Pelíšky"});
    // Any column counts: the borrower, the source, the genre.
    EXPECT_EQ(titles({"eva", true, false}), (QStringList{"Šakalí léta", "Kolja"}));
    EXPECT_EQ(titles({"ct1", true, false}), QStringList{"Šakalí léta"});
    // A text standing across two cells is no hit.
    EXPECT_EQ(titles({"komediesp", true, false}), QStringList{});
    EXPECT_EQ(titles({"", true, true}), (QStringList{"Šakalí léta", "Kolja", "Pelíšky"}));
    EXPECT_EQ(titles({"", true, false}).size(), 4);

    EXPECT_TRUE((OverviewFilter{"šaka", true, false}).narrows({"sak", true, false}));
    EXPECT_TRUE((OverviewFilter{"sak", true, true}).narrows({"sak", true, false}));
    EXPECT_FALSE((OverviewFilter{"sa", true, false}).narrows({"sak", true, false}));
    EXPECT_FALSE((OverviewFilter{"sak", true, false}).narrows({"sak", true, true}));
    EXPECT_FALSE((OverviewFilter{"šak", false, false}).narrows({"sak", true, false}));
}

TEST_F(Overview, ColumnsSortInCzechOrderAndByValueKeepingEqualRowsInOrder)
{
    QList<CdTitle> titles;
    const QStringList names{"Zámek", "Čáp",  "Cyril",      "Chata", "Hůl",
                            "Šakal", "Sova", "apokalypsa", "Ábel"};
    const QStringList dates{"24.12.2001", "05.01.2002", "", "01.01.1999", "31.12.2001",
                            "xx",         "05.01.2002", "", "10.10.2010"};
    for (int i = 0; i < names.size(); ++i) {
        CdTitle t;
        t.number = QString::number(i + 1).rightJustified(5, '0');
        t.title = names[i];
        t.acquired = dates[i];
        titles << t;
    }
    appendCdTitles(titles);
    appendCdTracks({{"00001", "CD1", 10, "a", 600, "", ""},
                    {"00001", "CD1", 9, "b", 59, "", ""},
                    {"00001", "CD1", 2, "c", 3600, "", ""}});
    const OverviewRows rows = catalogueOverview(OverviewKind::Cds, tables, kToday);
    std::vector<int> order = allRows(rows);

    sortRows(rows, 1, ColumnOrder::Text, true, order);
    // ch after h, č after c, š after s; accents and case decide last.
    EXPECT_EQ(column(rows, 1, order),
              (QStringList{"Ábel", "apokalypsa", "Cyril", "Čáp", "Hůl", "Chata", "Sova", "Šakal",
                           "Zámek", "Zámek", "Zámek"}));
    sortRows(rows, 1, ColumnOrder::Text, false, order);
    EXPECT_EQ(column(rows, 1, order).first(), "Zámek");
    EXPECT_EQ(column(rows, 1, order).last(), "Ábel");

    order = allRows(rows);
    sortRows(rows, 4, ColumnOrder::Number, true, order);
    // Titles without tracks have no track number and come first, in order.
    EXPECT_EQ(column(rows, 4, order).mid(8), (QStringList{"2", "9", "10"}));
    sortRows(rows, 6, ColumnOrder::Length, true, order);
    EXPECT_EQ(column(rows, 6, order).mid(8), (QStringList{"00:59", "10:00", "60:00"}));

    order = allRows(rows);
    sortRows(rows, 10, ColumnOrder::Date, true, order);
    EXPECT_EQ(column(rows, 1, order),
              (QStringList{"Cyril", "Šakal", "apokalypsa", "Chata", "Zámek", "Zámek", "Zámek",
                           "Hůl", "Čáp", "Sova", "Ábel"}));
}

} // namespace
} // namespace velmora::test
