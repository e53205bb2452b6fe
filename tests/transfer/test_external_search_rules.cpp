// The rules of the searches over imported catalogues without a window: the
// criteria string, the owner criterion and the distinct found owners with
// their limit, CD owners cut to 20 characters, and the titles of a CD
// catalogue counted once.

#include "TestEnv.h"
#include "engine/Table.h"
#include "storage/Schemas.h"
#include "transfer/ExternalSearch.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::exchange;

namespace {

FilmRow film(const char *number, const QString &title, const char *speed = "SP")
{
    FilmRow r;
    r.cislo = QString::fromLatin1(number);
    r.film = title;
    r.rychl = QString::fromLatin1(speed);
    return r;
}

void add(ExternalFilms &films, const QString &owner, std::initializer_list<FilmRow> rows)
{
    films.totals.owners << owner;
    for (const FilmRow &r : rows) {
        films.rows.push_back(r);
        films.ownerOf.push_back(int(films.totals.owners.size() - 1));
    }
}

} // namespace

TEST(ExternalSearchRules, CriteriaTravelAsOnePositionalString)
{
    const ExternalFilmCriteria f = ExternalFilmCriteria::parse("A|Drama|SP|Petr");
    EXPECT_EQ(f.text, "A");
    EXPECT_EQ(f.genre, "Drama");
    EXPECT_EQ(f.speed, "SP");
    EXPECT_EQ(f.owner, "Petr");
    EXPECT_EQ(f.toString(), "A|Drama|SP|Petr");
    EXPECT_EQ(f.film().toString(), "A|Drama|SP|*");
    EXPECT_EQ(ExternalFilmCriteria().toString(), "*|*|*|*");
    EXPECT_EQ(ExternalFilmCriteria::parse("x||").owner, "");

    const ExternalSongCriteria s = ExternalSongCriteria::parse("B||Eva");
    EXPECT_EQ(s.style, "");
    EXPECT_EQ(s.owner, "Eva");
    EXPECT_EQ(s.song().toString(), "B||*");
    EXPECT_EQ(ExternalSongCriteria().toString(), "*|*|*");
}

TEST(ExternalSearchRules, CdOwnersAreCutTo20WithoutTrailingBlanks)
{
    EXPECT_EQ(cdOwner("Eva"), "Eva");
    EXPECT_EQ(cdOwner("12345678901234567890X"), "12345678901234567890");
    EXPECT_EQ(cdOwner("Jan Novák z Horní   Lhoty"), "Jan Novák z Horní");
}

TEST(ExternalSearchRules, TheOwnerCriterionAndDistinctOwners)
{
    ExternalFilms films;
    add(films, "Petr", {film("00001", "Alfa"), film("00002", "Beta", "LP")});
    add(films, "Anna", {film("00001", "alfa")});
    // The same name again further on (two cut CD owners read alike).
    add(films, "Petr", {film("00009", "Alfa 2")});
    const ExternalSearchResult all = runExternalFilmSearch(films, {"alfa", "*", "*", "*"}, false);
    EXPECT_EQ(all.rows, (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(all.owners.numbers, (QStringList{"Petr", "Anna"}));
    EXPECT_EQ(all.owners.items, 2);

    EXPECT_EQ(runExternalFilmSearch(films, {"alfa", "*", "*", "Petr"}, false).rows,
              (std::vector<int>{0, 3}));
    EXPECT_EQ(runExternalFilmSearch(films, {"alfa", "*", "*", "Pet"}, false).rows,
              std::vector<int>{});
    EXPECT_EQ(runExternalFilmSearch(films, {"Alfa", "*", "*", "*"}, true).rows,
              (std::vector<int>{0, 3}));
    EXPECT_EQ(runExternalFilmSearch(films, {"*", "*", "LP", "*"}, false).rows, std::vector<int>{1});

    EXPECT_EQ(filmsOfOwner(films, all, {"ALFA", "*", "*", "Anna"}, false), std::vector<int>{2});
    // The details fold the text as the search did.
    EXPECT_EQ(filmsOfOwner(films, all, {"alfa", "*", "*", "Petr"}, false),
              (std::vector<int>{0, 3}));
    EXPECT_TRUE(externalFilmMatches(films, 2, {"*", "*", "*", "Anna"}, false));
    EXPECT_FALSE(externalFilmMatches(films, 2, {"*", "*", "*", "Petr"}, false));
}

TEST(ExternalSearchRules, FoundOwnersStopAtTheLimitWhileTheRowsGoOn)
{
    ExternalFilms films;
    for (int i = 1; i <= 1002; ++i)
        add(films, QStringLiteral("Owner %1").arg(i), {film("00001", "Film")});
    const ExternalSearchResult r = runExternalFilmSearch(films, {"*", "*", "*", "*"}, false);
    EXPECT_EQ(r.rows.size(), 1002u);
    EXPECT_EQ(r.owners.numbers.size(), kFoundListLimit);
    EXPECT_EQ(r.owners.numbers.last(), "Owner 1000");
    EXPECT_EQ(r.owners.items, 1002);
    EXPECT_TRUE(r.owners.cut);
}

TEST(ExternalSearchRules, SongsCountEachTitleOnceAndKeepTheirOwners)
{
    test::TestEnv env;
    const TableSchema s = schema::cdTracks();
    const QString path = env.file("cd02.dbf");
    Table::create(path, s.fields, s.tags);
    Table t;
    t.setPath(path);
    t.open();
    // Title 00001 is stored in two runs: it still counts once.
    for (const char *n : {"00001", "00001", "00002", "00001"}) {
        t.append();
        t.setString("cislocd", QString::fromLatin1(n));
        t.setString("track", QStringLiteral("Píseň"));
        t.post();
    }
    ExternalSongs songs;
    EXPECT_EQ(appendExternalSongs(songs, "Eva", t), 2);
    EXPECT_EQ(appendExternalSongs(songs, "Ota", t), 2);
    t.close();
    EXPECT_EQ(songs.totals.items, 4);
    EXPECT_EQ(songs.totals.rows, 8);
    EXPECT_EQ(songs.totals.owners, (QStringList{"Eva", "Ota"}));
    // Case-sensitive, the capitals do not meet the small letters.
    EXPECT_TRUE(runExternalSongSearch(songs, {"PÍSEŇ", "*", "*"}, true).rows.empty());
    const ExternalSearchResult all = runExternalSongSearch(songs, {"píseň", "*", "*"}, false);
    EXPECT_EQ(all.rows.size(), 8u);
    EXPECT_EQ(all.owners.numbers, (QStringList{"Eva", "Ota"}));
    EXPECT_EQ(tracksOfOwner(songs, all, {"píseň", "*", "Ota"}, false),
              (std::vector<int>{4, 5, 6, 7}));
    EXPECT_EQ(runExternalSongSearch(songs, {"*", "*", "Eva"}, false).rows.size(), 4u);
}
