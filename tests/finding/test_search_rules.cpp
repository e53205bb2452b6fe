// The film search predicate and found list, and the free position rules,
// with the worked examples of the catalogue.

#include "CassetteRows.h"
#include "TestEnv.h"
#include "catalogue/CassetteRules.h"
#include "engine/Table.h"
#include "finding/FilmSearch.h"
#include "finding/FreePosition.h"
#include "storage/Schemas.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

FilmRow row(const QString &cislo, const QString &film, const QString &zanr = {},
            const QString &ry = {})
{
    return {cislo, film, zanr, ry, false};
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

TEST(FilmSearch, FoldingWhileComparingFindsWhatTheFoldedTitleContains)
{
    // Titles are folded as they are compared; that must find exactly what
    // a search in the folded title finds.
    const QStringList titles{"",     "a",          "Pelíšky", "pelPEL", "aab",
                             "abab", "xyz čř ABC", "aaa",     "ščšČ",   "žŽžž"};
    const QStringList needles{"",   "A",    "PEL", "LP", "AB",   "BAB", "ABAB", "Č",
                              "čř", "AAAA", "Z Č", "ČŘ", "ŠČŠČ", "ČŠ",  "ŽŽŽ"};
    for (const QString &t : titles)
        for (const QString &n : needles)
            EXPECT_EQ(containsUpperCp1250(t, n), upperCp1250(t).contains(n))
                << t.toStdString() << " / " << n.toStdString();
}

TEST(FilmSearch, EveryCentralEuropeanLetterIsFoldedToItsCapital)
{
    // The small letters of cp1250 and their capitals, written out by hand.
    const QString small = QStringLiteral("abcdefghijklmnopqrstuvwxyz"
                                         "áäăąćčďđéëęěíîĺľłńňóôöőŕřśšşťţúůüűýźżž");
    const QString capital = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                           "ÁÄĂĄĆČĎĐÉËĘĚÍÎĹĽŁŃŇÓÔÖŐŔŘŚŠŞŤŢÚŮÜŰÝŹŻŽ");
    EXPECT_EQ(upperCp1250(small), capital);
    EXPECT_EQ(upperCp1250(capital), capital);
    // Letters whose capital cp1250 lacks, signs and digits stay.
    EXPECT_EQ(upperCp1250(QStringLiteral("ßµ§°× 09|*-")), QStringLiteral("ßµ§°× 09|*-"));
    // Outside the code page nothing is folded (the engine could not store it).
    EXPECT_EQ(upperCp1250(QStringLiteral("ñœя")), QStringLiteral("ñœя"));

    const std::vector<FilmRow> rows{row("00001", "Pelíšky"), row("00001", "PELÍŠKY 2"),
                                    row("00002", "Čapí hnízdo"), row("00003", "Šakalí léta"),
                                    row("00004", "ŽENY v běhu")};
    EXPECT_EQ(runFilmSearch(rows, {"PELÍŠKY", "*", "*", "*"}, false).rows,
              (std::vector<int>{0, 1}));
    EXPECT_EQ(runFilmSearch(rows, {"ČAPÍ", "*", "*", "*"}, false).rows, std::vector<int>{2});
    EXPECT_EQ(runFilmSearch(rows, {"ŠAKALÍ", "*", "*", "*"}, false).rows, std::vector<int>{3});
    EXPECT_EQ(runFilmSearch(rows, {"ŽENY V BĚ", "*", "*", "*"}, false).rows, std::vector<int>{4});
    // Case-sensitive: the text as typed, anywhere in the title.
    EXPECT_EQ(runFilmSearch(rows, {"íšky", "*", "*", "*"}, true).rows, std::vector<int>{0});
    EXPECT_TRUE(runFilmSearch(rows, {"čapí", "*", "*", "*"}, true).rows.empty());
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
    EXPECT_EQ(r.cassettes.numbers.size(), kFoundListLimit);
    EXPECT_EQ(r.cassettes.numbers.first(), "00001");
    EXPECT_EQ(r.cassettes.numbers.last(), "01000");
    EXPECT_TRUE(r.cassettes.cut);
    EXPECT_EQ(r.cassettes.items, 1002);
    EXPECT_FALSE(runFilmSearch(rows, {"*", "*", "*", "00005"}, false).cassettes.cut);
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

namespace {

// An empty cassette table in a private directory.
QString newCatalogue(const test::TestEnv &env)
{
    const TableSchema s = schema::cassettes();
    const QString path = env.file("data.dbf");
    Table::create(path, s.fields, s.tags);
    return path;
}

CassetteRecord openCassette(const QString &number, const QString &type,
                            const QList<CassetteSlot> &films, const Loan &loan = {})
{
    CassetteRecord c;
    c.number = number;
    c.type = type;
    for (int i = 0; i < films.size(); ++i)
        c.recordings[size_t(i)] = films[i];
    c.loan = loan;
    c.note = kOpenCassetteNote;
    return c;
}

} // namespace

TEST(FilmSearch, DetailsOfACassetteKeepATextHoldingTheSeparator)
{
    const std::vector<FilmRow> rows{row("00001", "Tom|Jerry"), row("00001", "Tom a Jerry"),
                                    row("00002", "Tom|Jerry 2")};
    FilmCriteria c{"m|j", "*", "*", "*"};
    const FilmSearchResult found = runFilmSearch(rows, c, false);
    EXPECT_EQ(found.cassettes.numbers, (QStringList{"00001", "00002"}));
    // The criteria as the search held them, with the number of a node added.
    c.text = upperCp1250(c.text);
    c.number = "00001";
    const std::vector<const FilmRow *> films = filmsOfCassette(rows, found, c, false);
    ASSERT_EQ(films.size(), 1u);
    EXPECT_EQ(films[0]->film, "Tom|Jerry");
    c.number = "00003";
    EXPECT_TRUE(filmsOfCassette(rows, found, c, false).empty());
}

TEST(FilmSearch, LentStateOfEachNumberFromItsFirstRecord)
{
    test::TestEnv env;
    const QString path = newCatalogue(env);
    test::appendCassettes({openCassette("00002", "E 180", {}, {true, "Novák", "01.01.2020", 7}),
                           openCassette("00001", "E 180", {}),
                           openCassette("00002", "E 180", {}), // a second record, at home
                           openCassette("00003", "E 180", {}, {true, "Dvořák", "01.01.2020", 7})},
                          path);
    Table t;
    t.setPath(path);
    t.open(Table::Mode::ReadOnly);
    t.setIndex("cislo");
    EXPECT_EQ(lentStates(t, {"00003", "00002", "00001", "00009"}),
              (std::vector<bool>{true, true, false, false}));
    t.setIndex(QString());
    EXPECT_EQ(lentStates(t, {"00002"}), std::vector<bool>{true});
}

TEST(FreePosition, OpenCassettesByNoteInNumberOrderWithTheirLoans)
{
    test::TestEnv env;
    const QString path = newCatalogue(env);
    CassetteRecord closed = openCassette("00001", "E 180", {});
    closed.note = kOpenCassetteNote;
    closed.note.chop(1);
    closed.note += "i"; // one letter without its accent: not open
    test::appendCassettes({openCassette("00005", "E 180",
                                        {test::slot("A", "SP", 60), test::slot("B", "LP", 45),
                                         test::slot("C", "EP", 100), test::slot("D", "xx", 50)},
                                        {true, "Novák", "02.03.2002", 14}),
                           closed, openCassette("00003", "E 60", {}),
                           openCassette("00003", "E 300", {})},
                          path);
    Table t;
    t.setPath(path);
    t.open(Table::Mode::ReadOnly);
    const std::vector<PositionRow> rows = openCassettes(t);
    ASSERT_EQ(rows.size(), 3u);
    // Equal numbers keep the order they were written in.
    EXPECT_EQ(rows[0].number, "00003");
    EXPECT_EQ(rows[0].remaining, 65);
    EXPECT_EQ(rows[1].remaining, 305);
    // 60 in SP, 45 in LP and 100 in EP occupy 60 + 22 + 33; an unknown speed nothing.
    EXPECT_EQ(rows[2].number, "00005");
    EXPECT_EQ(rows[2].occupied, 115);
    EXPECT_EQ(rows[2].remaining, 70);
    EXPECT_TRUE(rows[2].lent);
    EXPECT_EQ(rows[2].borrower, "Novák");
    EXPECT_EQ(rows[2].from, "02.03.2002");
}

TEST(FreePosition, WorkTableRoundTripOrdersAndTheStrictBoundary)
{
    test::TestEnv env;
    Table work;
    createWorkTable(work, env.file("Search.dbf"));
    appendPositions(work, {{"E 180", "00002", 150, 35, false, {}, {}},
                           {"E 240", "00001", 0, 245, true, "Novák", "02.03.2002"},
                           {"E 60", "00003", 70, -5, false, {}, {}}});
    work.setIndex("zustatek");
    std::vector<int> progress;
    const std::vector<PositionRow> found =
        findPositions(work, 34, 1, [&](int n) { progress.push_back(n); });
    EXPECT_EQ(progress, (std::vector<int>{1, 2, 3}));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].number, "00002");
    EXPECT_EQ(found[1].number, "00001");
    EXPECT_EQ(found[1].borrower, "Novák");
    EXPECT_EQ(findPositions(work, 35, 1).size(), 1u);  // 35 is not below 35
    EXPECT_EQ(findPositions(work, 69, 2).size(), 2u);  // 34 in SP
    EXPECT_EQ(findPositions(work, 105, 3).size(), 1u); // 35 in SP

    // Read back in the table's order and filter, as the list window does.
    work.setIndex("cislo");
    showAtHomeOnly(work, true);
    const std::vector<PositionRow> home = readPositions(work);
    ASSERT_EQ(home.size(), 2u);
    EXPECT_EQ(home[0].number, "00002");
    EXPECT_EQ(home[1].remaining, -5);

    // Made again over the same file: empty, unfiltered, natural order.
    createWorkTable(work, env.file("Search.dbf"));
    EXPECT_EQ(work.recordCount(), 0);
    EXPECT_FALSE(work.filtered());
    EXPECT_TRUE(work.index().isEmpty());
    releaseWorkTable(work);
    EXPECT_FALSE(work.isOpen());
}

TEST(FreePosition, OneSearchFromStartToFinishOverRealFiles)
{
    test::TestEnv env;
    const QString path = newCatalogue(env);
    CassetteRecord closed = openCassette("00004", "E 240", {});
    closed.note = "plná";
    test::appendCassettes({openCassette("00003", "E 180", {test::slot("A", "SP", 150)}),
                           openCassette("00001", "E 240", {}, {true, "Novák", "02.03.2002", 14}),
                           closed, openCassette("00002", "E 60", {test::slot("B", "SP", 20)})},
                          path);
    Table cassettes, work, candidates;
    cassettes.setPath(path);
    cassettes.setIndex("cislo");
    FreePositionSearch search(cassettes, work, candidates);

    search.finish(); // nothing started: the handle keeps its order and stays closed
    EXPECT_FALSE(cassettes.isOpen());
    EXPECT_EQ(cassettes.index(), "cislo");

    const FreePositionSearch::Counts counts = search.start();
    EXPECT_EQ(counts.cassettes, 4);
    EXPECT_EQ(counts.open, 3);
    EXPECT_TRUE(cassettes.isOpen());
    EXPECT_TRUE(search.started());
    // Started again (the screen shown once more): the order to give back stays the first one.
    search.start();

    // Remaining 35 (00003), 245 (00001, lent), 45 (00002); 35 minutes in SP,
    // which 35 does not exceed.
    std::vector<std::pair<int, int>> told;
    const std::vector<PositionRow> found =
        search.search(PositionOrder::Remaining, 35, 1,
                      [&](int examined, int rows) { told.emplace_back(examined, rows); });
    EXPECT_EQ(told, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].number, "00002");
    EXPECT_EQ(found[1].number, "00001");

    // Search2.dbf holds the finds, read back through a handle of its own.
    {
        Table back;
        back.setPath(FreePositionSearch::candidatePath());
        back.open(Table::Mode::ReadOnly);
        EXPECT_EQ(back.recordCount(), 2);
        back.setIndex("cislo");
        const std::vector<PositionRow> rows = readPositions(back);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0].number, "00001");
        EXPECT_EQ(rows[0].borrower, "Novák");
    }
    const std::vector<PositionRow> home = search.found(true);
    ASSERT_EQ(home.size(), 1u);
    EXPECT_EQ(home[0].number, "00002");
    search.showAllFound();
    EXPECT_FALSE(candidates.filtered());
    EXPECT_EQ(search.found(false).size(), 2u);

    // By number, 135 minutes in EP (45 in SP): only the lent 00001 has more room.
    const std::vector<PositionRow> byNumber = search.search(PositionOrder::Number, 135, 3);
    ASSERT_EQ(byNumber.size(), 1u);
    EXPECT_EQ(byNumber[0].number, "00001");

    search.finish();
    EXPECT_FALSE(search.started());
    EXPECT_FALSE(cassettes.isOpen());
    EXPECT_FALSE(cassettes.filtered());
    EXPECT_EQ(cassettes.index(), "cislo");
    EXPECT_FALSE(work.isOpen());
    EXPECT_FALSE(candidates.isOpen());
    EXPECT_TRUE(Table::existingFiles(FreePositionSearch::workPath()).isEmpty());
    EXPECT_TRUE(Table::existingFiles(FreePositionSearch::candidatePath()).isEmpty());
}

TEST(FreePosition, AWorkTableThatCannotBeMadeIsReportedAndFinishStillCleansUp)
{
    test::TestEnv env;
    const QString path = newCatalogue(env);
    test::appendCassettes({openCassette("00001", "E 180", {})}, path);
    Table cassettes, work, candidates;
    cassettes.setPath(path);
    FreePositionSearch search(cassettes, work, candidates);
    // A directory where Search.dbf should be made.
    ASSERT_TRUE(QDir().mkpath(FreePositionSearch::workPath()));
    EXPECT_ANY_THROW(search.start());
    QDir().rmdir(FreePositionSearch::workPath());
    EXPECT_NO_THROW(search.finish());
    EXPECT_FALSE(cassettes.isOpen());
    EXPECT_FALSE(work.isOpen());
}
