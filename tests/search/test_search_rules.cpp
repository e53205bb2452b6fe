// The film search predicate and found list, and the free position rules,
// with the worked examples of the catalogue.

#include "TestEnv.h"
#include "cassettes/CassetteRules.h"
#include "engine/Table.h"
#include "search/FilmSearch.h"
#include "search/FreePosition.h"
#include "storage/Schemas.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

FilmRow row(const QString &cislo, const QString &film, const QString &zanr = {},
            const QString &ry = {})
{
    return {cislo, film, upperAscii(film), zanr, ry, false};
}

} // namespace

TEST(FilmSearch, CriteriaFieldsByPosition)
{
    EXPECT_EQ(criteriaField("a|b|c|d", 1), "a");
    EXPECT_EQ(criteriaField("a||c|*", 2), "");
    EXPECT_EQ(criteriaField("a|b", 4), "");
    const FilmCriteria c = FilmCriteria::parse("PES||SP|*");
    EXPECT_EQ(c.text, "PES");
    EXPECT_EQ(c.genre, "");
    EXPECT_EQ(c.speed, "SP");
    EXPECT_EQ(c.toString(), "PES||SP|*");
}

TEST(FilmSearch, OnlyAsciiLettersAreFolded)
{
    EXPECT_EQ(upperAscii("pelíšky č"), "PELíšKY č");
    const std::vector<FilmRow> rows{row("00001", "Pelíšky"), row("00001", "PELÍŠKY 2"),
                                    row("00002", "Čapí hnízdo")};
    EXPECT_EQ(runFilmSearch(rows, {"pel", "*", "*", "*"}, false).rows, (std::vector<int>{0, 1}));
    EXPECT_TRUE(runFilmSearch(rows, {"čapí", "*", "*", "*"}, false).rows.empty());
    EXPECT_EQ(runFilmSearch(rows, {"Čapí", "*", "*", "*"}, false).rows, std::vector<int>{2});
    // Case-sensitive: the text as typed, anywhere in the title.
    EXPECT_EQ(runFilmSearch(rows, {"íšky", "*", "*", "*"}, true).rows, std::vector<int>{0});
    EXPECT_TRUE(runFilmSearch(rows, {"pel", "*", "*", "*"}, true).rows.empty());
}

TEST(FilmSearch, GenreSpeedAndNumberAreExact)
{
    const std::vector<FilmRow> rows{row("00001", "A", "Komedie", "SP"), row("00001", "B", "", "LP"),
                                    row("00002", "C", "komedie", "SP")};
    EXPECT_EQ(runFilmSearch(rows, {"*", "Komedie", "*", "*"}, false).rows, std::vector<int>{0});
    // The restriction with the empty entry: only films without a genre.
    EXPECT_EQ(runFilmSearch(rows, {"*", "", "*", "*"}, false).rows, std::vector<int>{1});
    EXPECT_EQ(runFilmSearch(rows, {"*", "*", "SP", "*"}, false).rows, (std::vector<int>{0, 2}));
    EXPECT_EQ(runFilmSearch(rows, {"*", "*", "*", "00002"}, false).rows, std::vector<int>{2});
}

TEST(FilmSearch, FoundListIsDistinctAndStopsAtItsLimit)
{
    std::vector<FilmRow> rows;
    for (int i = 1; i <= 1002; ++i) {
        rows.push_back(row(PadNumber(i), "Film"));
        rows.push_back(row(PadNumber(i), "Film 2"));
    }
    const FilmSearchResult r = runFilmSearch(rows, {"FILM", "*", "*", "*"}, false);
    EXPECT_EQ(r.rows.size(), 2004u);
    EXPECT_EQ(r.cassettes.size(), kFoundListLimit);
    EXPECT_EQ(r.cassettes.first(), "00001");
    EXPECT_EQ(r.cassettes.last(), "01000");
    EXPECT_TRUE(r.cassettesCut);
    EXPECT_FALSE(runFilmSearch(rows, {"*", "*", "*", "00005"}, false).cassettesCut);
}

TEST(FilmSearch, ResultTableFromTheCatalogueSlotBySlot)
{
    test::TestEnv env;
    const TableSchema s = schema::cassettes();
    const QString path = env.file("data.dbf");
    Table::create(path, s.fields, s.tags);
    Table t;
    t.setPath(path);
    t.open();
    t.append();
    t.setString("cislo", "00002");
    t.setString("film1", "Druhá");
    t.post();
    t.append();
    t.setString("cislo", "00001");
    t.setString("film1", "První");
    t.setString("film3", "Třetí slot");
    t.setString("zanr3", "Drama");
    t.setString("ry3", "EP");
    t.setBoolean("pujceno", true);
    t.post();
    t.setIndex("cislo");
    const std::vector<FilmRow> rows = buildFilmRows(t);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].film, "První");
    EXPECT_EQ(rows[1].film, "Třetí slot");
    EXPECT_EQ(rows[1].zanr, "Drama");
    EXPECT_EQ(rows[1].rychl, "EP");
    EXPECT_TRUE(rows[1].pujceno);
    EXPECT_EQ(rows[2].cislo, "00002");
    EXPECT_FALSE(rows[2].pujceno);
}

TEST(FreePosition, HoursTextAndTheWorkedExamples)
{
    EXPECT_EQ(positionHours(125), "2h 05min");
    EXPECT_EQ(positionHours(185), "3h 05min");
    EXPECT_EQ(positionHours(600), "10h 00min");
    EXPECT_EQ(positionHours(70), "1h 10min");

    Recordings r;
    r[0] = {60, "SP"};
    r[1] = {90, "SP"};
    const int remaining = RemainingTime("E 180", r);
    ASSERT_EQ(remaining, 35);
    EXPECT_TRUE(positionQualifies(remaining, 34, 1));
    EXPECT_FALSE(positionQualifies(remaining, 35, 1));
    EXPECT_FALSE(positionQualifies(remaining, 70, 2));
    EXPECT_TRUE(positionQualifies(remaining, 69, 2));
    EXPECT_TRUE(positionQualifies(remaining, 104, 3));
    EXPECT_FALSE(positionQualifies(remaining, 105, 3));
    EXPECT_TRUE(positionQualifies(1, 0, 1));
    EXPECT_FALSE(positionQualifies(0, 0, 1));
}
