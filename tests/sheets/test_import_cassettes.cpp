// Cassettes brought in from a spreadsheet: every column back into its field,
// every fault told by its line before anything is written, and nothing
// written while one is left.

#include "ImportFixture.h"

#include <QRegularExpression>

namespace velmora::test {
namespace {

using sheets::Sheet;

QJsonObject byNumber(const QJsonArray &rows, const QString &number)
{
    for (const QJsonValue &v : rows)
        if (v.toObject().value("cislo").toString() == number)
            return v.toObject();
    ADD_FAILURE() << "no cassette " << number.toStdString();
    return {};
}

TEST_F(ImportTest, CassettesGoInWithEveryColumnAfterACompleteSafetyCopy)
{
    const QString path = csvFile(
        QByteArray("\xEF\xBB\xBF") +
        QStringLiteral("%1\r\n"
                       "12;E 180;1;Pelíšky;Komedie;SP;0;115;115;Televize ČT1;01.02.2003;"
                       "\"Druhá; část \"\"A\"\"\r\nřádek 2\";Rodinná kazeta;ano;Petr Novák;"
                       "05.03.2024;14\r\n"
                       "12;E 180;2;Obecná škola;Drama;LP;115;255;140;Videorekordér;3.4.2005;;"
                       "Rodinná kazeta;ano;Petr Novák;05.03.2024;14\r\n"
                       "7;E 240;;;;;;;;;;;;ne;;;\r\n")
            .arg(QString::fromUtf8(kCassetteHeader))
            .toUtf8());
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, path);
    ASSERT_TRUE(plan.canImport()) << listed(plan);
    EXPECT_EQ(plan.items, 2);
    EXPECT_EQ(plan.entries, 2);
    EXPECT_TRUE(plan.notes.isEmpty());
    EXPECT_TRUE(plan.ignoredColumns.isEmpty());
    EXPECT_EQ(plan.encoding, QStringLiteral("UTF-8"));
    EXPECT_EQ(plan.separator, QLatin1Char(';'));

    const QMap<QString, QByteArray> before = tableFiles();
    const sheets::ImportResult result = sheets::applyImport(tables, plan);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.items, 2);
    EXPECT_EQ(result.entries, 2);

    // The copy lies in ZALOHA under the moment and holds the tables as
    // they were, byte for byte.
    ASSERT_EQ(safetyCopies().size(), 1);
    EXPECT_TRUE(
        QRegularExpression("^import-[0-9]{8}-[0-9]{6}$").match(safetyCopies().first()).hasMatch());
    EXPECT_EQ(QDir(result.safetyCopy).absolutePath(),
              QDir(Paths::zalohaDir()).absoluteFilePath(safetyCopies().first()));
    for (const QString name : {"data.dbf", "data.dbt", "data.mdx"}) {
        if (!before.contains(name))
            continue;
        QFile copy(QDir(result.safetyCopy).filePath(name));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(copy.readAll(), before.value(name)) << name.toStdString();
    }
    EXPECT_NE(tableFiles().value("data.dbf"), before.value("data.dbf"));

    const QJsonArray stored = rows("data.dbf");
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[0].toObject().value("cislo").toString(), "00012"); // the file's order
    const QJsonObject a = byNumber(stored, "00012");
    EXPECT_EQ(a.value("t_kazety").toString(), "E 180");
    EXPECT_EQ(a.value("film1").toString(), QString::fromUtf8("Pelíšky"));
    EXPECT_EQ(a.value("zanr1").toString(), "Komedie");
    EXPECT_EQ(a.value("ry1").toString(), "SP");
    EXPECT_EQ(a.value("cas1").toInt(), 115);
    EXPECT_EQ(a.value("zdroj1").toString(), QString::fromUtf8("Televize ČT1"));
    EXPECT_EQ(a.value("datum1").toString(), "2003-02-01");
    EXPECT_EQ(a.value("s_time1").toInt(), 0);
    EXPECT_EQ(a.value("e_time1").toInt(), 115);
    EXPECT_EQ(a.value("p_film1").toString(), QString::fromUtf8("Druhá; část \"A\"\r\nřádek 2"));
    EXPECT_EQ(a.value("film2").toString(), QString::fromUtf8("Obecná škola"));
    EXPECT_EQ(a.value("ry2").toString(), "LP");
    EXPECT_EQ(a.value("cas2").toInt(), 140);
    EXPECT_EQ(a.value("zdroj2").toString(), QString::fromUtf8("Videorekordér"));
    EXPECT_EQ(a.value("datum2").toString(), "2005-04-03");
    EXPECT_EQ(a.value("s_time2").toInt(), 115);
    EXPECT_EQ(a.value("e_time2").toInt(), 255);
    EXPECT_EQ(a.value("film3").toString(), "");
    EXPECT_EQ(a.value("pozn").toString(), QString::fromUtf8("Rodinná kazeta"));
    EXPECT_TRUE(a.value("pujceno").toBool());
    EXPECT_EQ(a.value("komu").toString(), QString::fromUtf8("Petr Novák"));
    EXPECT_EQ(a.value("od_kdy").toString(), "05.03.2024");
    EXPECT_EQ(a.value("delka_pujc").toInt(), 14);
    const QJsonObject b = byNumber(stored, "00007");
    EXPECT_EQ(b.value("t_kazety").toString(), "E 240");
    EXPECT_EQ(b.value("film1").toString(), "");
    EXPECT_FALSE(b.value("pujceno").toBool());

    // The same file again finds both numbers taken.
    const sheets::ImportPlan again = sheets::planImport(tables, Sheet::Cassettes, path);
    EXPECT_FALSE(again.canImport());
    EXPECT_EQ(problemsAt(again, 2),
              QStringList{QString::fromUtf8("Kazeta 00012 už v katalogu je.")});
    EXPECT_EQ(problemsAt(again, 5),
              QStringList{QString::fromUtf8("Kazeta 00007 už v katalogu je.")});
}

TEST_F(ImportTest, ValuesComeBackAsTheExportWritesThemFromTheFields)
{
    // The loan fields of a cassette at home stay as stored; a slot without
    // a title but with a length is a recording still; leading blanks of a
    // text are part of it.
    const QString path = csvLines({
        QString::fromUtf8(kCassetteHeader),
        QString::fromUtf8("9;E 240;1;  Odsazený;;;0;0;5;;;;  pozn;ne;Jana;01.02.2024;7"),
        QString::fromUtf8("9;E 240;3;Třetí;;EP;10;100;90;;;;  pozn;ne;Jana;01.02.2024;7"),
    });
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, path);
    ASSERT_TRUE(plan.canImport()) << listed(plan);
    EXPECT_EQ(plan.entries, 2);
    ASSERT_TRUE(sheets::applyImport(tables, plan).ok);
    const QJsonObject c = byNumber(rows("data.dbf"), "00009");
    EXPECT_EQ(c.value("film1").toString(), QString::fromUtf8("  Odsazený"));
    EXPECT_EQ(c.value("ry1").toString(), "");
    EXPECT_EQ(c.value("cas1").toInt(), 5);
    EXPECT_EQ(c.value("e_time1").toInt(), 0);
    EXPECT_EQ(c.value("film2").toString(), "");
    EXPECT_EQ(c.value("film3").toString(), QString::fromUtf8("Třetí"));
    EXPECT_EQ(c.value("ry3").toString(), "EP");
    EXPECT_EQ(c.value("cas3").toInt(), 90);
    EXPECT_EQ(c.value("pozn").toString(), "  pozn");
    EXPECT_FALSE(c.value("pujceno").toBool());
    EXPECT_EQ(c.value("komu").toString(), "Jana");
    EXPECT_EQ(c.value("od_kdy").toString(), "01.02.2024");
    EXPECT_EQ(c.value("delka_pujc").toInt(), 7);
}

TEST_F(ImportTest, EveryFaultIsToldByItsLineAndNothingIsWritten)
{
    addCassette("00003");
    const QString path = csvLines({
        QString::fromUtf8(kCassetteHeader),
        "abc;E 180;1;Film;;SP;0;10;;;;;;;;;",                           // 2
        "3;E 180;1;Film;;SP;0;10;;;;;;;;;",                             // 3
        QString::fromUtf8("20;E 60;1;Dlouhý;;SP;0;50;;;;\"poznámka\r\n" // 4
                          "přes dva řádky\";;;;;"),                     // 5
        QString::fromUtf8("20;E 60;2;Další;;SP;50;70;;;;;;;;;"),        // 6
        "21;E 240;1;A;;SP;0;100;;;;;;;;;",                              // 7
        "21;E 240;2;B;;SP;90;150;;;;;;;;;",                             // 8
        "22;E 999;1;C;;SP;0;10;;;;;;;;;",                               // 9
        "23;E 240;1;D;;SP;0;10;1:7x;;;;;;;;",                           // 10
        "123456;E 240;;;;;;;;;;;;;;;",                                  // 11
        "24;E 240;1;E;;SP;0;10;;;;;;;;;",                               // 12
        "24;E 180;2;F;;SP;10;20;;;;;;;;;",                              // 13
        "25;E 240;;;;;;;;;;;;;;;",                                      // 14
        "24;E 240;3;G;;SP;20;30;;;;;;;;;",                              // 15
        "26;E 240;1;H;;XP;0;10;;;;;;;;;",                               // 16
        "27;E 240;1;I;;SP;0;10;;;31.02.2003;;;;;;",                     // 17
        "28;E 240;6;J;;SP;0;10;;;;;;;;;",                               // 18
        "29;E 240;1;K;;SP;0;10;;;;;;;;;",                               // 19
        "29;E 240;1;L;;SP;10;20;;;;;;;;;",                              // 20
        "30;E 240;1;M;;SP;50;40;;;;;;;;;",                              // 21
    });
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, path);
    EXPECT_FALSE(plan.canImport());
    const auto at = [&](int line) { return problemsAt(plan, line).join(" | ").toStdString(); };
    EXPECT_EQ(problemsAt(plan, 2),
              QStringList{QString::fromUtf8("Číslo kazety „abc“ není číslo.")});
    EXPECT_EQ(problemsAt(plan, 3),
              QStringList{QString::fromUtf8("Kazeta 00003 už v katalogu je.")});
    EXPECT_TRUE(problemsAt(plan, 4).isEmpty()) << at(4);
    EXPECT_TRUE(problemsAt(plan, 5).isEmpty()) << at(5);
    // The quoted note spans lines 4 and 5, so the second row of 00020 is line 6.
    EXPECT_EQ(problemsAt(plan, 6), QStringList{QString::fromUtf8(
                                       "Záznam 2 kazety 00020 končí za koncem pásky (65 min).")});
    EXPECT_TRUE(problemsAt(plan, 7).isEmpty()) << at(7);
    EXPECT_EQ(problemsAt(plan, 8),
              QStringList{QString::fromUtf8("Záznam 2 kazety 00021 se překrývá se záznamem 1.")});
    EXPECT_EQ(problemsAt(plan, 9),
              QStringList{QString::fromUtf8("Typ kazety „E 999“ program nezná.")});
    EXPECT_EQ(problemsAt(plan, 10),
              QStringList{QString::fromUtf8("Délka „1:7x“ se nedá přečíst.")});
    EXPECT_EQ(problemsAt(plan, 11),
              QStringList{QString::fromUtf8("Číslo kazety „123456“ má víc než 5 číslic.")});
    EXPECT_TRUE(problemsAt(plan, 12).isEmpty()) << at(12);
    ASSERT_EQ(problemsAt(plan, 13).size(), 1) << at(13);
    EXPECT_TRUE(problemsAt(plan, 13)[0].contains(QString::fromUtf8("„E 180“")));
    EXPECT_TRUE(problemsAt(plan, 13)[0].contains(QString::fromUtf8("se liší od řádku 12")));
    EXPECT_TRUE(problemsAt(plan, 14).isEmpty()) << at(14);
    // A row of 00024 after another cassette's rows still belongs to it.
    EXPECT_TRUE(problemsAt(plan, 15).isEmpty()) << at(15);
    ASSERT_EQ(problemsAt(plan, 16).size(), 1) << at(16);
    EXPECT_TRUE(problemsAt(plan, 16)[0].contains(QString::fromUtf8("„XP“")));
    EXPECT_EQ(problemsAt(plan, 17),
              QStringList{QString::fromUtf8("Datum „31.02.2003“ se nedá přečíst.")});
    ASSERT_EQ(problemsAt(plan, 18).size(), 1) << at(18);
    EXPECT_TRUE(problemsAt(plan, 18)[0].contains(QString::fromUtf8("„6“")));
    ASSERT_EQ(problemsAt(plan, 20).size(), 1) << at(20);
    EXPECT_TRUE(problemsAt(plan, 20)[0].contains(QString::fromUtf8("řádky 19 a 20")));
    ASSERT_EQ(problemsAt(plan, 21).size(), 1) << at(21);
    EXPECT_EQ(plan.problems.size(), 13) << listed(plan);
    // Told in the order of the file's lines.
    for (qsizetype i = 1; i < plan.problems.size(); ++i)
        EXPECT_LE(plan.problems[i - 1].line, plan.problems[i].line);

    const QMap<QString, QByteArray> before = tableFiles();
    const sheets::ImportResult result = sheets::applyImport(tables, plan);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(tableFiles(), before);
    EXPECT_TRUE(safetyCopies().isEmpty());
}

TEST_F(ImportTest, NumbersGetTheirZerosBackAndLongTextsAreCutWithANote)
{
    const QString longTitle = QStringLiteral("Dlouhý název filmu, který se nevejde");
    ASSERT_EQ(longTitle.size(), 36);
    const QString path = csvLines({
        QString::fromUtf8(kCassetteHeader),
        "1;E 240;1;" + longTitle + ";;SP;0;10;;;;;;;;;",
        "0042;E 240;;;;;;;;;;;;;;;",
        "000000123;e240;;;;;;;;;;;;;;;",
        "99999;E 60;;;;;;;;;;;;;;;",
    });
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, path);
    ASSERT_TRUE(plan.canImport()) << listed(plan);
    ASSERT_EQ(plan.notes.size(), 1);
    EXPECT_EQ(plan.notes[0].line, 2);
    EXPECT_TRUE(plan.notes[0].message.contains(QString::fromUtf8("„Název filmu“")));
    EXPECT_TRUE(plan.notes[0].message.contains(QString::fromUtf8("30 znaků")));
    ASSERT_TRUE(sheets::applyImport(tables, plan).ok);

    const QJsonArray stored = rows("data.dbf");
    ASSERT_EQ(stored.size(), 4);
    EXPECT_EQ(byNumber(stored, "00001").value("film1").toString(), longTitle.left(30));
    EXPECT_EQ(byNumber(stored, "00001").value("cas1").toInt(), 10); // end minus start
    EXPECT_EQ(byNumber(stored, "00042").value("t_kazety").toString(), "E 240");
    EXPECT_EQ(byNumber(stored, "00123").value("t_kazety").toString(), "E 240");
    EXPECT_EQ(byNumber(stored, "99999").value("t_kazety").toString(), "E 60");
}

TEST_F(ImportTest, UnknownGenresAndSourcesBlockUntilAddedToTheLists)
{
    const QString path = csvLines({
        QString::fromUtf8(kCassetteHeader),
        "5;E 240;1;A;Kung-fu;SP;0;10;;Kabelovka;;;;;;;",
        "5;E 240;2;B;kung-fu;SP;10;20;;;;;;;;;",
        "5;E 240;3;C;komedie;SP;20;30;;televize čt1;;;;;;;",
    });
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, path);
    EXPECT_TRUE(plan.problems.isEmpty()) << listed(plan);
    EXPECT_FALSE(plan.canImport());
    ASSERT_EQ(plan.unknown.size(), 2) << listed(plan);
    EXPECT_EQ(plan.unknown[0].list, QString::fromUtf8("Žánry"));
    EXPECT_EQ(plan.unknown[0].listNumber, 1);
    EXPECT_EQ(plan.unknown[0].values, QStringList{"Kung-fu"});
    EXPECT_EQ(plan.unknown[1].list, QStringLiteral("Zdroje"));
    EXPECT_EQ(plan.unknown[1].listNumber, 2);
    EXPECT_EQ(plan.unknown[1].values, QStringList{"Kabelovka"});

    const QMap<QString, QByteArray> before = tableFiles();
    EXPECT_FALSE(sheets::applyImport(tables, plan).ok);
    EXPECT_EQ(tableFiles(), before);

    const sheets::ImportPlan added = sheets::addUnknownValues(tables, plan, path);
    ASSERT_TRUE(added.canImport()) << listed(added);
    const QJsonArray genres = rows("Users_za.nrv");
    ASSERT_EQ(genres.size(), 31);
    EXPECT_EQ(genres[30].toObject().value("zanr").toString(), "Kung-fu");
    const QJsonArray sources = rows("Users_zd.nrv");
    ASSERT_EQ(sources.size(), 12);
    EXPECT_EQ(sources[11].toObject().value("zdroj").toString(), "Kabelovka");

    ASSERT_TRUE(sheets::applyImport(tables, added).ok);
    const QJsonObject c = byNumber(rows("data.dbf"), "00005");
    EXPECT_EQ(c.value("zanr1").toString(), "Kung-fu");
    EXPECT_EQ(c.value("zdroj1").toString(), "Kabelovka");
    // A value of a list in another case is stored as the list spells it.
    EXPECT_EQ(c.value("zanr2").toString(), "Kung-fu");
    EXPECT_EQ(c.value("zanr3").toString(), "Komedie");
    EXPECT_EQ(c.value("zdroj3").toString(), QString::fromUtf8("Televize ČT1"));
}

TEST_F(ImportTest, LoansAreRestoredFromEveryWayOfSayingYes)
{
    QStringList lines{QString::fromUtf8(kCassetteHeader)};
    const QStringList says{"X", "yes", "1", "TRUE", "Ano", "NE", "0", "", "no", "false"};
    for (int i = 0; i < says.size(); ++i)
        lines << QStringLiteral("%1;E 240;;;;;;;;;;;;%2;Jana;2024-03-05;%3")
                     .arg(i + 1)
                     .arg(says[i])
                     .arg(i + 1);
    const QString path = csvLines(lines);
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, path);
    ASSERT_TRUE(plan.canImport()) << listed(plan);
    ASSERT_TRUE(sheets::applyImport(tables, plan).ok);
    const QJsonArray stored = rows("data.dbf");
    for (int i = 0; i < says.size(); ++i) {
        const QJsonObject c =
            byNumber(stored, QStringLiteral("%1").arg(i + 1, 5, 10, QLatin1Char('0')));
        EXPECT_EQ(c.value("pujceno").toBool(), i < 5) << says[i].toStdString();
        EXPECT_EQ(c.value("komu").toString(), "Jana");
        EXPECT_EQ(c.value("od_kdy").toString(), "05.03.2024"); // the short date form
        EXPECT_EQ(c.value("delka_pujc").toInt(), i + 1);
    }

    const QString bad = csvLines({QString::fromUtf8(kCassetteHeader),
                                  QString::fromUtf8("40;E 240;;;;;;;;;;;;možná;;;"),
                                  "41;E 240;;;;;;;;;;;;ano;Jana;;dva"},
                                 "bad.csv");
    const sheets::ImportPlan refused = sheets::planImport(tables, Sheet::Cassettes, bad);
    ASSERT_EQ(problemsAt(refused, 2).size(), 1) << listed(refused);
    EXPECT_TRUE(problemsAt(refused, 2)[0].contains(QString::fromUtf8("„možná“")));
    ASSERT_EQ(problemsAt(refused, 3).size(), 1) << listed(refused);
    EXPECT_TRUE(problemsAt(refused, 3)[0].contains(QString::fromUtf8("„dva“")));
}

TEST_F(ImportTest, ColumnsAreFoundByTheirHeadersInAnyOrderAndTheRestIsListed)
{
    // Without positions the recordings take the slots in the rows' order.
    const QString path = csvLines({
        QString::fromUtf8(" název FILMU ;Hodnocení;ČÍSLO KAZETY;typ kazety;Začátek;Konec;"
                          "Rychlost;"),
        "Alfa;5;8;E 180;0;30;SP;",
        "Beta;4;8;E 180;30;60;sp;",
    });
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, path);
    ASSERT_TRUE(plan.canImport()) << listed(plan);
    EXPECT_EQ(plan.ignoredColumns, QStringList{QString::fromUtf8("Hodnocení")});
    EXPECT_EQ(plan.entries, 2);
    ASSERT_TRUE(sheets::applyImport(tables, plan).ok);
    const QJsonObject c = byNumber(rows("data.dbf"), "00008");
    EXPECT_EQ(c.value("film1").toString(), "Alfa");
    EXPECT_EQ(c.value("film2").toString(), "Beta");
    EXPECT_EQ(c.value("ry2").toString(), "SP");
    EXPECT_EQ(c.value("s_time2").toInt(), 30);
    EXPECT_EQ(c.value("cas2").toInt(), 30);

    const QString noNumber =
        csvLines({QString::fromUtf8("Typ kazety;Název filmu;Název filmu"), "E 180;A;B"}, "x.csv");
    const sheets::ImportPlan refused = sheets::planImport(tables, Sheet::Cassettes, noNumber);
    EXPECT_FALSE(refused.canImport());
    EXPECT_TRUE(problemsAt(refused, 1)
                    .contains(QString::fromUtf8("Soubor neobsahuje sloupec „Číslo kazety“.")))
        << listed(refused);
    EXPECT_TRUE(problemsAt(refused, 1)
                    .contains(QString::fromUtf8("Sloupec „Název filmu“ je v souboru dvakrát.")))
        << listed(refused);
}

} // namespace
} // namespace velmora::test
