// Sheets as users keep them: rows of an item scattered by a sort, dates as
// Excel saves them, booleans of Czech spreadsheets, and loans the program's
// own catalogues may hold without a borrower, a date or a length.

#include "ImportFixture.h"

namespace velmora::test {
namespace {

using sheets::Sheet;

QJsonObject withNumber(const QJsonArray &rows, const char *field, const QString &number)
{
    for (const QJsonValue &v : rows)
        if (v.toObject().value(field).toString() == number)
            return v.toObject();
    ADD_FAILURE() << "no record " << number.toStdString();
    return {};
}

QStringList notesAt(const sheets::ImportPlan &plan, int line)
{
    QStringList out;
    for (const sheets::ImportProblem &p : plan.notes)
        if (p.line == line)
            out << p.message;
    return out;
}

TEST_F(ImportTest, RowsOfOneCassetteSortedApartStillMakeOneCassette)
{
    addCassette("00050");
    const QString faulty = csvLines({
        QString::fromUtf8(kCassetteHeader),
        QString::fromUtf8("12;E 240;2;Babička;;SP;60;120;;;;;;;;;"),       // 2
        QString::fromUtf8("3;E 180;1;Cesta;;SP;0;90;;;;;;;;;"),            // 3
        QString::fromUtf8("50;E 240;1;Dědictví;;SP;0;10;;;;;;;;;"),        // 4
        QString::fromUtf8("12;E 180;3;Jízda;;SP;120;130;;;;;;;;;"),        // 5
        QString::fromUtf8("3;;1;Kolja;;SP;90;100;;;;;;;;;"),               // 6
        QString::fromUtf8("50;E 240;2;Limonádový Joe;;SP;10;20;;;;;;;;;"), // 7
    });
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, faulty);
    EXPECT_FALSE(plan.canImport());
    // The cassette's columns come from its first row, wherever the others stand.
    ASSERT_EQ(problemsAt(plan, 5).size(), 1) << listed(plan);
    EXPECT_TRUE(problemsAt(plan, 5)[0].contains(QString::fromUtf8("se liší od řádku 2")));
    EXPECT_EQ(problemsAt(plan, 6), QStringList{QString::fromUtf8("Záznam 1 kazety 00003 je v "
                                                                 "souboru dvakrát (řádky 3 a "
                                                                 "6).")});
    EXPECT_EQ(problemsAt(plan, 4),
              QStringList{QString::fromUtf8("Kazeta 00050 už v katalogu je.")});
    EXPECT_TRUE(problemsAt(plan, 7).isEmpty()) << listed(plan);
    EXPECT_EQ(plan.problems.size(), 3) << listed(plan);

    const QString sorted = csvLines(
        {
            QString::fromUtf8(kCassetteHeader),
            QString::fromUtf8("12;E 240;2;Babička;;SP;60;120;;;;;Rodinná;;;;"),
            QString::fromUtf8("3;E 180;1;Cesta;;SP;0;90;;;;;;;;;"),
            QString::fromUtf8("12;;1;Limonádový Joe;;SP;0;60;;;;;;;;;"),
            QString::fromUtf8("3;;2;Obecná škola;;SP;90;180;;;;;;;;;"),
            QString::fromUtf8("12;E 240;;Pelíšky;;SP;120;230;;;;;;;;;"),
        },
        "sorted.csv");
    const sheets::ImportPlan good = sheets::planImport(tables, Sheet::Cassettes, sorted);
    ASSERT_TRUE(good.canImport()) << listed(good);
    EXPECT_EQ(good.items, 2);
    EXPECT_EQ(good.entries, 5);
    ASSERT_TRUE(sheets::applyImport(tables, good).ok);
    const QJsonArray stored = rows("data.dbf");
    ASSERT_EQ(stored.size(), 3);
    const QJsonObject twelve = withNumber(stored, "cislo", "00012");
    EXPECT_EQ(twelve.value("t_kazety").toString(), "E 240");
    EXPECT_EQ(twelve.value("film1").toString(), QString::fromUtf8("Limonádový Joe"));
    EXPECT_EQ(twelve.value("film2").toString(), QString::fromUtf8("Babička"));
    // Without a position a recording takes the slot left free by the others.
    EXPECT_EQ(twelve.value("film3").toString(), QString::fromUtf8("Pelíšky"));
    const QJsonObject three = withNumber(stored, "cislo", "00003");
    EXPECT_EQ(three.value("t_kazety").toString(), "E 180");
    EXPECT_EQ(three.value("film1").toString(), QString::fromUtf8("Cesta"));
    EXPECT_EQ(three.value("film2").toString(), QString::fromUtf8("Obecná škola"));
}

TEST_F(ImportTest, TracksOfOneTitleSortedApartStillMakeOneTitle)
{
    const QString path = csvLines({
        QString::fromUtf8(kCdHeader),
        QString::fromUtf8("3;700;Best of;Olympic;;;CD 1;2;Dávno;3:00;;;;;;;"),
        QString::fromUtf8("4;650;Jiné;Katapult;;;CD 1;1;Až;2:00;;;;;;;"),
        QString::fromUtf8("3;;;;;;CD 1;1;Jasná zpráva;3:45;;;;;;;"),
    });
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cds, path);
    ASSERT_TRUE(plan.canImport()) << listed(plan);
    EXPECT_EQ(plan.items, 2);
    EXPECT_EQ(plan.entries, 3);
    ASSERT_TRUE(sheets::applyImport(tables, plan).ok);
    EXPECT_EQ(rows("cd01.dbf").size(), 2);
    int ofThree = 0;
    for (const QJsonValue &v : rows("cd02.dbf"))
        ofThree += v.toObject().value("cislocd").toString() == "00003" ? 1 : 0;
    EXPECT_EQ(ofThree, 2);
}

TEST_F(ImportTest, DatesAsSpreadsheetsSaveThemAreStoredInTheShortForm)
{
    const QString path = csvLines({
        QString::fromUtf8(kCassetteHeader),
        "1;E 240;;;;;;;;;;;;ano;Jana;2.3.2024;14",           // 2
        "2;E 240;;;;;;;;;;;;ano;Jana;02.03.2024;14",         // 3
        "3;E 240;;;;;;;;;;;;ano;Jana;2024-3-5;14",           // 4
        QString::fromUtf8("4;E 240;;;;;;;;;;;;ne;;v létě;"), // 5
    });
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, path);
    ASSERT_TRUE(plan.canImport()) << listed(plan);
    for (int line = 2; line <= 4; ++line)
        EXPECT_TRUE(notesAt(plan, line).isEmpty()) << line;
    // Not a date: kept as written, since the tables hold text there, and said.
    ASSERT_EQ(notesAt(plan, 5).size(), 1);
    EXPECT_TRUE(notesAt(plan, 5)[0].contains(QString::fromUtf8("„v létě“")));
    ASSERT_TRUE(sheets::applyImport(tables, plan).ok);
    const QJsonArray stored = rows("data.dbf");
    EXPECT_EQ(withNumber(stored, "cislo", "00001").value("od_kdy").toString(), "02.03.2024");
    EXPECT_EQ(withNumber(stored, "cislo", "00002").value("od_kdy").toString(), "02.03.2024");
    EXPECT_EQ(withNumber(stored, "cislo", "00003").value("od_kdy").toString(), "05.03.2024");
    EXPECT_EQ(withNumber(stored, "cislo", "00004").value("od_kdy").toString(),
              QString::fromUtf8("v létě"));

    const QString cds = csvLines({QString::fromUtf8(kCdHeader), "7;700;A;;2.3.2024;;;;;;;;;;;;",
                                  "8;700;B;;1999-12-31;;;;;;;;;;;;"},
                                 "cds.csv");
    const sheets::ImportPlan titles = sheets::planImport(tables, Sheet::Cds, cds);
    ASSERT_TRUE(titles.canImport()) << listed(titles);
    ASSERT_TRUE(sheets::applyImport(tables, titles).ok);
    EXPECT_EQ(withNumber(rows("cd01.dbf"), "cislocd", "00007").value("porizeno").toString(),
              "02.03.2024");
    EXPECT_EQ(withNumber(rows("cd01.dbf"), "cislocd", "00008").value("porizeno").toString(),
              "31.12.1999");
}

TEST_F(ImportTest, CzechBooleansAndIncompleteLoansGoInWithANote)
{
    const QString path = csvLines({
        QString::fromUtf8(kCassetteHeader),
        "1;E 240;;;;;;;;;;;;PRAVDA;Jana;2.3.2024;14",                      // 2
        "2;E 240;;;;;;;;;;;;nepravda;;;",                                  // 3
        QString::fromUtf8("3;E 240;;;;;;;;;;;;PŮJČENO;Petr;05.03.2024;7"), // 4
        "4;E 240;;;;;;;;;;;;Doma;;;",                                      // 5
        "5;E 240;;;;;;;;;;;;A;Eva;01.01.2024;3",                           // 6
        "6;E 240;;;;;;;;;;;;n;;;",                                         // 7
        QString::fromUtf8("12;E 240;;;;;;;;;;;;ano;;zítra;0"),             // 8
        "13;E 240;;;;;;;;;;;;ano;Jan;;",                                   // 9
    });
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, path);
    ASSERT_TRUE(plan.canImport()) << listed(plan);
    for (int line = 2; line <= 7; ++line)
        EXPECT_TRUE(notesAt(plan, line).isEmpty()) << line;
    const QStringList twelve = notesAt(plan, 8);
    ASSERT_EQ(twelve.size(), 3) << twelve.join(" | ").toStdString();
    EXPECT_TRUE(twelve.contains(QString::fromUtf8(
        "Kazeta 00012 je půjčená, ale datum „zítra“ se nedá přečíst; připomínka ji ukáže jako "
        "půjčenou bez termínu.")))
        << twelve.join(" | ").toStdString();
    EXPECT_EQ(notesAt(plan, 9).size(), 2); // no date, no length
    EXPECT_EQ(plan.notes.size(), 5);

    ASSERT_TRUE(sheets::applyImport(tables, plan).ok);
    const QJsonArray stored = rows("data.dbf");
    const QList<std::pair<QString, bool>> lent{{"00001", true},  {"00002", false}, {"00003", true},
                                               {"00004", false}, {"00005", true},  {"00006", false},
                                               {"00012", true},  {"00013", true}};
    for (const auto &[number, yes] : lent)
        EXPECT_EQ(withNumber(stored, "cislo", number).value("pujceno").toBool(), yes)
            << number.toStdString();
    const QJsonObject c = withNumber(stored, "cislo", "00012");
    EXPECT_EQ(c.value("komu").toString(), "");
    EXPECT_EQ(c.value("od_kdy").toString(), QString::fromUtf8("zítra"));
    EXPECT_EQ(c.value("delka_pujc").toInt(), 0);

    const QString cd =
        csvLines({QString::fromUtf8(kCdHeader), "3;700;A;;;;;;;;;;;ano;;01.01.2024;5"}, "cd.csv");
    const sheets::ImportPlan title = sheets::planImport(tables, Sheet::Cds, cd);
    ASSERT_TRUE(title.canImport()) << listed(title);
    EXPECT_EQ(notesAt(title, 2),
              QStringList{QString::fromUtf8("CD 00003 je půjčené, ale není uvedeno komu.")});
}

} // namespace
} // namespace velmora::test
