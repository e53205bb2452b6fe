// CD titles brought in from a spreadsheet: tracks on their discs with their
// lengths in seconds, the title's columns from its first row, and the
// tables put back whole when the writing fails half way.

#include "ImportFixture.h"

namespace velmora::test {
namespace {

using sheets::Sheet;

QList<QJsonObject> tracksOf(const QJsonArray &rows, const QString &number)
{
    QList<QJsonObject> out;
    for (const QJsonValue &v : rows)
        if (v.toObject().value("cislocd").toString() == number)
            out << v.toObject();
    return out;
}

TEST_F(ImportTest, CdTitlesGoInWithTheirDiscsTracksAndLoans)
{
    const QString path = csvLines({
        QString::fromUtf8(kCdHeader),
        QString::fromUtf8("3;700;Best of;Olympic;01.02.2003;Originální CD;CD 1;1;Jasná zpráva;"
                          "3:45;Pop;Olympic;Dvojalbum;ano;Karel;2024-05-06;21"),
        QString::fromUtf8("3;700;Best of;Olympic;01.02.2003;Originální CD;CD 1;2;Dlouhá;61:05;;"
                          ";;ano;Karel;;"),
        QString::fromUtf8("3;;;;;;CD 2;1;Hodinová;1:02:03;Folk;Host;;;;;"),
        QString::fromUtf8("3;;;;;;cd2;2;Sekundy;245;;;;;;;"),
        QString::fromUtf8("4;???;Prázdný titul;;;;;;;;;;;ne;;;"),
    });
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cds, path);
    ASSERT_TRUE(plan.canImport()) << listed(plan);
    EXPECT_EQ(plan.sheet, Sheet::Cds);
    EXPECT_EQ(plan.items, 2);
    EXPECT_EQ(plan.entries, 4);

    const QMap<QString, QByteArray> before = tableFiles();
    const sheets::ImportResult result = sheets::applyImport(tables, plan);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    // The copy holds both tables of the titles as they were.
    for (const QString name : {"cd01.dbf", "cd01.mdx", "cd02.dbf", "cd02.mdx"}) {
        if (!before.contains(name))
            continue;
        QFile copy(QDir(result.safetyCopy).filePath(name));
        ASSERT_TRUE(copy.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(copy.readAll(), before.value(name)) << name.toStdString();
    }

    const QJsonArray titles = rows("cd01.dbf");
    ASSERT_EQ(titles.size(), 2);
    const QJsonObject t = titles[0].toObject();
    EXPECT_EQ(t.value("cislocd").toString(), "00003");
    EXPECT_EQ(t.value("t_cd").toString(), "700");
    EXPECT_EQ(t.value("titulcd").toString(), "Best of");
    EXPECT_EQ(t.value("artist").toString(), "Olympic");
    EXPECT_EQ(t.value("porizeno").toString(), "01.02.2003");
    EXPECT_EQ(t.value("format").toString(), QString::fromUtf8("Originální CD"));
    EXPECT_EQ(t.value("pozncd").toString(), "Dvojalbum");
    EXPECT_TRUE(t.value("pujceno").toBool());
    EXPECT_EQ(t.value("komu").toString(), "Karel");
    EXPECT_EQ(t.value("od_kdy").toString(), "06.05.2024");
    EXPECT_EQ(t.value("delka_pujc").toInt(), 21);
    const QJsonObject empty = titles[1].toObject();
    EXPECT_EQ(empty.value("cislocd").toString(), "00004");
    EXPECT_EQ(empty.value("t_cd").toString(), "???");
    EXPECT_FALSE(empty.value("pujceno").toBool());

    const QList<QJsonObject> tracks = tracksOf(rows("cd02.dbf"), "00003");
    ASSERT_EQ(tracks.size(), 4);
    const QList<std::tuple<QString, int, QString, int, QString, QString>> expected{
        {"CD1", 1, QString::fromUtf8("Jasná zpráva"), 225, "Pop", "Olympic"},
        {"CD1", 2, QString::fromUtf8("Dlouhá"), 3665, "", ""},
        {"CD2", 1, QString::fromUtf8("Hodinová"), 3723, "Folk", "Host"},
        {"CD2", 2, QString::fromUtf8("Sekundy"), 245, "", ""},
    };
    for (int i = 0; i < 4; ++i) {
        const auto &[label, track, title, seconds, style, artist] = expected[i];
        EXPECT_EQ(tracks[i].value("oznaceni").toString(), label) << i;
        EXPECT_EQ(tracks[i].value("tracknum").toInt(), track) << i;
        EXPECT_EQ(tracks[i].value("track").toString(), title) << i;
        EXPECT_EQ(tracks[i].value("lenght").toInt(), seconds) << i;
        EXPECT_EQ(tracks[i].value("styl").toString(), style) << i;
        EXPECT_EQ(tracks[i].value("artist").toString(), artist) << i;
    }
    EXPECT_TRUE(tracksOf(rows("cd02.dbf"), "00004").isEmpty());
}

TEST_F(ImportTest, CdFaultsAreToldByLineAndUnknownFormatsAndStylesCanBeAdded)
{
    addCdTitle("00009");
    const QString path = csvLines({
        QString::fromUtf8(kCdHeader),
        "9;700;Taken;;;;CD 1;1;A;1:00;;;;;;;",             // 2
        "10;999;Size;;;;CD 1;1;A;1:00;;;;;;;",             // 3
        "11;700;Len;;;;CD 1;1;A;1:7x;;;;;;;",              // 4
        "12;700;Disc;;;;DVD 1;1;A;1:00;;;;;;;",            // 5
        "13;700;First;;;;CD 1;1;A;1:00;;;;;;;",            // 6
        "13;700;Second;;;;CD 1;2;B;1:00;;;;;;;",           // 7
        "14;700;Sec;;;;CD 17;1;A;1:60;;;;;;;",             // 8
        "15;700;New;;;Bootleg;CD 1;1;A;2:00;Grunge;;;;;;", // 9
    });
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cds, path);
    EXPECT_FALSE(plan.canImport());
    EXPECT_EQ(problemsAt(plan, 2), QStringList{QString::fromUtf8("CD 00009 už v katalogu je.")});
    ASSERT_EQ(problemsAt(plan, 3).size(), 1) << listed(plan);
    EXPECT_TRUE(problemsAt(plan, 3)[0].contains(QString::fromUtf8("„999“")));
    EXPECT_EQ(problemsAt(plan, 4), QStringList{QString::fromUtf8("Délka „1:7x“ se nedá přečíst.")});
    ASSERT_EQ(problemsAt(plan, 5).size(), 1) << listed(plan);
    EXPECT_TRUE(problemsAt(plan, 5)[0].contains(QString::fromUtf8("„DVD 1“")));
    EXPECT_TRUE(problemsAt(plan, 6).isEmpty()) << listed(plan);
    ASSERT_EQ(problemsAt(plan, 7).size(), 1) << listed(plan);
    EXPECT_TRUE(problemsAt(plan, 7)[0].contains(QString::fromUtf8("se liší od řádku 6")));
    // A disc beyond the sixteenth is refused, so is a track read no further.
    ASSERT_EQ(problemsAt(plan, 8).size(), 1) << listed(plan);
    EXPECT_TRUE(problemsAt(plan, 9).isEmpty()) << listed(plan);
    ASSERT_EQ(plan.unknown.size(), 2) << listed(plan);
    EXPECT_EQ(plan.unknown[0].list, QString::fromUtf8("Formáty"));
    EXPECT_EQ(plan.unknown[0].listNumber, 3);
    EXPECT_EQ(plan.unknown[0].values, QStringList{"Bootleg"});
    EXPECT_EQ(plan.unknown[1].list, QStringLiteral("Styly"));
    EXPECT_EQ(plan.unknown[1].listNumber, 4);
    EXPECT_EQ(plan.unknown[1].values, QStringList{"Grunge"});

    const QMap<QString, QByteArray> before = tableFiles();
    EXPECT_FALSE(sheets::applyImport(tables, plan).ok);
    EXPECT_EQ(tableFiles(), before);

    // The one good title alone, its unknown values added, goes in.
    const QString good =
        csvLines({QString::fromUtf8(kCdHeader), "15;700;New;;;Bootleg;CD 1;1;A;2:00;Grunge;;;;;;"},
                 "good.csv");
    const sheets::ImportPlan one = sheets::planImport(tables, Sheet::Cds, good);
    ASSERT_EQ(one.unknown.size(), 2);
    const sheets::ImportPlan added = sheets::addUnknownValues(tables, one, good);
    ASSERT_TRUE(added.canImport()) << listed(added);
    EXPECT_EQ(rows("Users_c1.nrv").last().toObject().value("zdroj").toString(), "Bootleg");
    EXPECT_EQ(rows("Users_c2.nrv").last().toObject().value("zanr").toString(), "Grunge");
    ASSERT_TRUE(sheets::applyImport(tables, added).ok);
    const QList<QJsonObject> tracks = tracksOf(rows("cd02.dbf"), "00015");
    ASSERT_EQ(tracks.size(), 1);
    EXPECT_EQ(tracks[0].value("styl").toString(), "Grunge");
    EXPECT_EQ(tracks[0].value("lenght").toInt(), 120);
}

TEST_F(ImportTest, TrackNumbersTwiceOnADiscOrBelowOneAreRefused)
{
    const QString path = csvLines({
        QString::fromUtf8(kCdHeader),
        "5;700;T;;;;CD 1;1;A;1:00;;;;;;;",  // 2
        "5;700;T;;;;CD 2;1;B;1:00;;;;;;;",  // 3: another disc, another track 1
        "5;700;T;;;;CD 1;1;C;1:00;;;;;;;",  // 4
        "6;700;U;;;;CD 1;0;A;1:00;;;;;;;",  // 5
        "7;700;V;;;;CD 1;-2;A;1:00;;;;;;;", // 6
        "8;700;W;;;;CD 1;2;A;1:00;;;;;;;",  // 7
        "8;700;W;;;;CD 1;;B;1:00;;;;;;;",   // 8: takes track 3
        "8;700;W;;;;cd1;3;C;1:00;;;;;;;",   // 9
        "9;700;X;;;;CD 1;1;A;1:00;;;;;;;",  // 10
    });
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cds, path);
    EXPECT_FALSE(plan.canImport());
    EXPECT_TRUE(problemsAt(plan, 3).isEmpty()) << listed(plan);
    EXPECT_EQ(problemsAt(plan, 4), QStringList{QString::fromUtf8("Stopa 1 na CD 1 je v souboru "
                                                                 "dvakrát (řádky 2 a 4).")});
    EXPECT_EQ(problemsAt(plan, 5), QStringList{QString::fromUtf8("Číslo stopy 0 není platné.")});
    EXPECT_EQ(problemsAt(plan, 6), QStringList{QString::fromUtf8("Číslo stopy -2 není platné.")});
    EXPECT_EQ(problemsAt(plan, 9), QStringList{QString::fromUtf8("Stopa 3 na CD 1 je v souboru "
                                                                 "dvakrát (řádky 8 a 9).")});
    EXPECT_EQ(plan.problems.size(), 4) << listed(plan);
    EXPECT_EQ(plan.items, 1); // only CD 00009 is whole

    const QMap<QString, QByteArray> before = tableFiles();
    EXPECT_FALSE(sheets::applyImport(tables, plan).ok);
    EXPECT_EQ(tableFiles(), before);
}

TEST_F(ImportTest, AWriteFailingHalfWayPutsBothTablesBackFromTheCopy)
{
    addCdTitle("00001");
    const QString path = csvLines({
        QString::fromUtf8(kCdHeader),
        "2;700;Prvni;;;;CD 1;1;A;1:00;;;;;;;",
        "2;700;Prvni;;;;CD 1;2;B;1:00;;;;;;;",
        "3;700;Druhy;;;;CD 1;1;C;1:00;;;;;;;",
    });
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cds, path);
    ASSERT_TRUE(plan.canImport()) << listed(plan);
    tables.CD_Table1.open(); // a screen holds the titles open
    const QMap<QString, QByteArray> before = tableFiles();

    // The title of the first CD and its tracks are written; the second
    // CD's track fails.
    sheets::failImportRecord(4);
    const sheets::ImportResult result = sheets::applyImport(tables, plan);
    sheets::failImportRecord(0);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.contains(QString::fromUtf8("vráceny do stavu před importem")))
        << result.error.toStdString();
    EXPECT_EQ(tableFiles(), before);
    EXPECT_EQ(rows("cd01.dbf").size(), 1);
    EXPECT_TRUE(tracksOf(rows("cd02.dbf"), "00002").isEmpty());
    EXPECT_TRUE(QFileInfo(result.safetyCopy).isDir());
    // The handle the screen held is open again, on the tables as they were.
    ASSERT_TRUE(tables.CD_Table1.isOpen());
    EXPECT_EQ(tables.CD_Table1.recordCount(), 1);

    // Nothing stands in the way of the same import once the fault is gone.
    const sheets::ImportResult retry = sheets::applyImport(tables, plan);
    ASSERT_TRUE(retry.ok) << retry.error.toStdString();
    EXPECT_EQ(tables.CD_Table1.recordCount(), 3);
    EXPECT_EQ(tracksOf(rows("cd02.dbf"), "00002").size(), 2);
}

} // namespace
} // namespace velmora::test
