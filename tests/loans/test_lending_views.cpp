// What the lending screens show of their tables, without a window: the rows
// come from other writers (python dbf, the tests' own row writers) and what
// the rules leave in the tables is read back by the engine.

#include "CassetteRows.h"
#include "CdRows.h"
#include "DbfWrite.h"
#include "RulesFixture.h"
#include "engine/Table.h"
#include "loans/LendingViews.h"
#include "loans/LoanHistory.h"

#include <QFile>

namespace velmora::test {
namespace {

class LendingViews : public RulesFixture
{
protected:
    // The numbers of the records the table shows now, in its order.
    static QStringList shownNumbers(const Table &t, const QString &field)
    {
        QStringList out;
        const int f = t.requireField(field);
        for (int rec : t.visibleRecords())
            out << t.asStringAt(rec, f);
        return out;
    }

    static QStringList numbersOf(const std::vector<AwayItem> &items)
    {
        QStringList out;
        for (const AwayItem &a : items)
            out << a.number;
        return out;
    }

    // Makes a table file unreadable: a few bytes that are no dBASE header.
    static void spoil(const QString &table)
    {
        QFile f(Paths::dataFile(table));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("not a table");
    }
};

TEST_F(LendingViews, TheReturnScreensSeeTheLentItemsAloneAndLeaveEveryItemShown)
{
    addCassette("00001");
    addCassette("00002", true, "01.02.2024", 7);
    addCassette("00003");
    addCassette("00004", true, "03.02.2024", 7);
    Table &t = tables.Table1;
    t.open();
    t.last();

    showLentOnly(t);
    EXPECT_EQ(shownNumbers(t, "cislo"), (QStringList{"00002", "00004"}));
    // The grid starts on the first lent one, not where the table was.
    EXPECT_EQ(t.asString("cislo"), "00002");

    showEveryItem(t);
    EXPECT_FALSE(t.filtered());
    EXPECT_EQ(shownNumbers(t, "cislo"), (QStringList{"00001", "00002", "00003", "00004"}));
    // No filter text is left for the next screen that filters.
    t.setFiltered(true);
    EXPECT_EQ(shownNumbers(t, "cislo").size(), 4);
}

TEST_F(LendingViews, AClosedTableIsFilteredWithoutMovingAndShowsNoItemsAway)
{
    addCassette("00001", true, "01.02.2024", 7);
    Table &t = tables.Table1;
    ASSERT_FALSE(t.isOpen());
    EXPECT_NO_THROW(showLentOnly(t));
    EXPECT_TRUE(lentItemsByNumber(ItemKind::Cassette, t, QDate(2024, 2, 2)).empty());
    EXPECT_TRUE(archiveRows(tables.Table2).empty());
    EXPECT_FALSE(currentCdTitle(tables.CD_Table1).has_value());
    EXPECT_FALSE(currentAtHome(t));
    const CdWithTracks none = currentCdWithTracks(tables.CD_Table1, tables.CD_Table2);
    EXPECT_FALSE(none.current);
    EXPECT_TRUE(none.error.isEmpty());
    EXPECT_FALSE(tables.CD_Table2.isOpen()); // nothing to read, nothing opened
}

TEST_F(LendingViews, ItemsAwayComeInNumberOrderWhateverTheOrderOfTheFile)
{
    addCassette("00007", true, "01.02.2024", 7);
    addCassette("00002");
    addCassette("00003", true, "v pondělí", 7);
    addCassette("00001", true, "01.02.2024", 30);
    appendCdTitles({cdTitle("00020", "Alfa"), cdTitle("00010", "Beta")});
    appendWithDbf("cd01.dbf", "[{'cislocd': '00015', 'titulcd': 'Gama', 'pujceno': True, "
                              "'komu': 'Eva', 'od_kdy': '01.02.2024', 'delka_pujc': 7}]");

    Table &t = tables.Table1;
    t.open();
    const std::vector<AwayItem> away = lentItemsByNumber(ItemKind::Cassette, t, QDate(2024, 2, 20));
    EXPECT_EQ(numbersOf(away), (QStringList{"00001", "00003", "00007"}));
    EXPECT_EQ(away[0].term, LoanTerm::InTerm);
    EXPECT_EQ(away[1].term, LoanTerm::Unreadable);
    EXPECT_EQ(away[2].term, LoanTerm::Overdue);

    Table &cds = tables.CD_Table1;
    cds.open();
    const std::vector<AwayItem> cdsAway = lentItemsByNumber(ItemKind::Cd, cds, QDate(2024, 2, 5));
    ASSERT_EQ(numbersOf(cdsAway), (QStringList{"00015"}));
    EXPECT_EQ(cdsAway[0].title, "Gama");
    EXPECT_EQ(cdsAway[0].loan.borrower, "Eva");
}

TEST_F(LendingViews, OnlyACurrentItemAtHomeCanBeLent)
{
    addCassette("00001", true, "01.02.2024", 7);
    addCassette("00002");
    Table &t = tables.Table1;
    t.open();
    t.first();
    EXPECT_FALSE(currentAtHome(t));
    t.next();
    EXPECT_TRUE(currentAtHome(t));
}

TEST_F(LendingViews, TheCdTitleOfTheCurrentRowOfTheTitlesAndOfTheArchive)
{
    appendWithDbf("archivcd.dbf", "[{'cislocd': '00001', 'titulcd': 'Má vlast', 'komu': 'Eva'},"
                                  "{'cislocd': '00002', 'titulcd': 'Rusalka', 'komu': 'Adam'}]");
    Table &archive = tables.CD_Archiv;
    archive.open();
    archive.last();
    EXPECT_EQ(currentCdTitle(archive), QStringLiteral("Rusalka"));
    EXPECT_EQ(archiveRows(archive).size(), 2u);
    EXPECT_EQ(archiveRows(archive).front().title, "Má vlast");

    // An empty table has no current row.
    Table &titles = tables.CD_Table1;
    titles.open();
    EXPECT_FALSE(currentCdTitle(titles).has_value());
}

TEST_F(LendingViews, TheCdToLendComesWithItsTracksAsTheyStandInTheFile)
{
    appendCdTitle(cdTitle("00001", "Písně"));
    appendCdTracks({{"00001", "CD1", 2, "Druhá", 60, "Pop", ""},
                    {"00002", "CD1", 1, "Cizí", 60, "Pop", ""},
                    {"00001", "CD1", 1, "První", 60, "Pop", ""}});
    Table &titles = tables.CD_Table1;
    titles.open();
    titles.first();

    const CdWithTracks shown = currentCdWithTracks(titles, tables.CD_Table2);
    EXPECT_TRUE(shown.current);
    EXPECT_TRUE(shown.error.isEmpty());
    EXPECT_EQ(shown.title.title, "Písně");
    ASSERT_EQ(shown.tracks.size(), 2u);
    EXPECT_EQ(shown.tracks[0].title, "Druhá");
    EXPECT_EQ(shown.tracks[1].title, "První");

    leaveCdLending(titles, tables.CD_Table2);
    EXPECT_FALSE(titles.filtered());
    EXPECT_FALSE(tables.CD_Table2.isOpen());
    EXPECT_TRUE(titles.isOpen()); // the command closes the titles
}

TEST_F(LendingViews, TracksThatCannotBeReadLeaveTheTitleShownAndSaySo)
{
    appendCdTitle(cdTitle("00001", "Písně"));
    spoil("cd02.dbf");
    Table &titles = tables.CD_Table1;
    titles.open();
    titles.first();

    const CdWithTracks shown = currentCdWithTracks(titles, tables.CD_Table2);
    EXPECT_TRUE(shown.current);
    EXPECT_EQ(shown.title.title, "Písně");
    EXPECT_EQ(shown.title.number, "00001");
    EXPECT_TRUE(shown.tracks.empty());
    EXPECT_TRUE(shown.error.contains("cd02.dbf")) << shown.error.toStdString();
}

TEST_F(LendingViews, TheFilmsOfTheCassettesOpenAtTheFirstQuestion)
{
    CassetteRecord c;
    c.number = "00002";
    c.recordings[0] = slot("Kolja", QString(), 0, "Drama");
    c.recordings[2] = slot("Pelíšky", QString(), 0, "Komedie");
    appendCassette(c);
    addCassette("00001");

    CassetteFilms films(Paths::dataFile("data.dbf"));
    EXPECT_EQ(films.count(), 2);
    std::array<QString, kCassetteSlots> titles, genres;
    ASSERT_TRUE(films.films("00002", titles, genres));
    EXPECT_EQ(titles[0], "Kolja");
    EXPECT_EQ(titles[1], "");
    EXPECT_EQ(genres[2], "Komedie");
    EXPECT_FALSE(films.films("00009", titles, genres));
    EXPECT_EQ(titles[0], "");

    const std::vector<ArchiveRow> loans{{"", "00002", "", "Eva", "", ""},
                                        {"", "00009", "", "Eva", "", ""},
                                        {"", "00002", "", "Eva", "", ""}};
    EXPECT_EQ(films.linesFor(loans), (QStringList{" K: 00002  Kolja", " K: 00002  Pelíšky",
                                                  " K: 00002  Kolja", " K: 00002  Pelíšky"}));
}

TEST_F(LendingViews, AMissingCatalogueOfFilmsFailsAtEveryQuestionUntilItIsThere)
{
    const QString path = env.file("elsewhere.dbf");
    CassetteFilms films(path);
    EXPECT_THROW(films.count(), std::exception);
    std::array<QString, kCassetteSlots> titles, genres;
    EXPECT_THROW(films.films("00001", titles, genres), std::exception);

    // Once the file is there, the next question opens it.
    ASSERT_TRUE(QFile::copy(Paths::dataFile("data.dbf"), path));
    appendCassette(CassetteRecord{}, path);
    EXPECT_EQ(films.count(), 1);
}

} // namespace
} // namespace velmora::test
