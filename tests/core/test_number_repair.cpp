// A catalogue that went through a spreadsheet: its cassette and CD numbers
// shortened ("1" for "00001") and its code page mark gone. The start asks
// to put the numbers right, makes a safety set the restore can use, and
// leaves tables that other readers read in code page 1250 again.

#include "../storage/SpreadsheetTables.h"
#include "AppFixture.h"
#include "DbfRead.h"
#include "catalogue/CdCatalogue.h"
#include "storage/BackupSets.h"
#include "storage/Restore.h"
#include "system/Version.h"

#include <QDirIterator>
#include <QMap>

using namespace velmora;
using test::columnOf;
using test::row;
using test::writeAsSpreadsheet;

namespace {

class NumberRepairStart : public test::AppFixture
{
protected:
    NumberRepairStart() { startOnceBefore(); }

    QString file(const QString &name) const { return Paths::dataFile(name); }

    // The safety sets made before a repair, in ZALOHA.
    QStringList safetySets(const QString &kind) const
    {
        return QDir(Paths::zalohaDir())
            .entryList({QStringLiteral("Pred_opravou_%1_*").arg(kind)}, QDir::Dirs);
    }

    QList<test::ScriptedAnswerer::Shown> questions() const
    {
        QList<test::ScriptedAnswerer::Shown> out;
        for (const auto &s : user.shown)
            if (s.kind == MessageKind::Question)
                out << s;
        return out;
    }

    QMap<QString, QByteArray> snapshot() const
    {
        QMap<QString, QByteArray> out;
        QDirIterator it(env.dataDir(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (f.fileName().endsWith(QLatin1String(".lock")))
                continue;
            f.open(QIODevice::ReadOnly);
            out.insert(f.fileName(), f.readAll());
        }
        return out;
    }

    void spreadsheetCassettes()
    {
        writeAsSpreadsheet(
            file("data.dbf"),
            {row({{"t_kazety", "E 180"}, {"cislo", "1"}, {"film1", QStringLiteral("Pelíšky")}}),
             row({{"t_kazety", "E 240"}, {"cislo", "10"}, {"film1", QStringLiteral("Kolja")}}),
             row({{"t_kazety", "E 180"}, {"cislo", "100"}, {"film1", QStringLiteral("Žižkov")}})});
    }
};

} // namespace

TEST_F(NumberRepairStart, ShortenedCassetteNumbersArePutRightAfterASafetySet)
{
    spreadsheetCassettes();
    ASSERT_EQ(uint8_t(snapshot().value(file("data.dbf")).at(29)), 0);

    start();
    const auto asked = questions();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].caption, QStringLiteral("Informace"));
    EXPECT_TRUE(asked[0].text.contains(QStringLiteral("videokazet")))
        << asked[0].text.toStdString();
    EXPECT_TRUE(asked[0].text.contains(QStringLiteral("data.dbf: 3 záznamy")))
        << asked[0].text.toStdString();
    EXPECT_EQ(columnOf(file("data.dbf"), "cislo"), (QStringList{"00001", "00010", "00100"}));
    EXPECT_EQ(columnOf(file("data.dbf"), "film1"),
              (QStringList{QStringLiteral("Pelíšky"), QStringLiteral("Kolja"),
                           QStringLiteral("Žižkov")}));

    // The user is told where the copy went, and the restore takes it.
    const QStringList sets = safetySets("VK");
    ASSERT_EQ(sets.size(), 1);
    const QString dir = Paths::zalohaDir() + sets[0];
    EXPECT_TRUE(user.events.last().contains(QDir::toNativeSeparators(dir)))
        << user.events.last().toStdString();
    EXPECT_EQ(backup::checkSet(backup::Set::Cassettes, dir), QString());
    EXPECT_EQ(backup::readStatus(dir, backup::Set::Cassettes).version, version::kText);

    // Other readers read the table written by the program in code page 1250
    // without being told.
    int rc = -1;
    const QString view = test::runProgram(
        "/usr/bin/python3",
        {"-c",
         "import sys\nfrom dbfread import DBF\nt = DBF(sys.argv[1], char_decode_errors='strict')\n"
         "print(t.encoding, '|'.join(r['FILM1'] for r in t))",
         file("data.dbf")},
        &rc);
    EXPECT_EQ(rc, 0) << view.toStdString();
    EXPECT_EQ(view.trimmed(), QStringLiteral("cp1250 Pelíšky|Kolja|Žižkov"));

    // Restoring the safety set brings the catalogue back as it was.
    window.reset();
    const backup::RestoreResult back =
        backup::restoreSet(backup::Set::Cassettes, dir, QDateTime::currentDateTime());
    ASSERT_EQ(back.problem, QString());
    EXPECT_EQ(columnOf(file("data.dbf"), "cislo"), (QStringList{"1", "10", "100"}));
}

TEST_F(NumberRepairStart, ShortenedCdNumbersAreFoundWithTheirTracksAfterTheRepair)
{
    writeAsSpreadsheet(file("cd01.dbf"),
                       {row({{"cislocd", "1"}, {"titulcd", QStringLiteral("Písně")}}),
                        row({{"cislocd", "10"}, {"titulcd", QStringLiteral("Ódy")}})});
    // The tracks did not go through the spreadsheet and still say 00001.
    Table tracks;
    tracks.setPath(file("cd02.dbf"));
    tracks.open();
    for (const QString &number : {QStringLiteral("00001"), QStringLiteral("00010")}) {
        tracks.append();
        tracks.setString("Cislocd", number);
        tracks.setString("Oznaceni", "CD1");
        tracks.setInteger("TrackNum", 1);
        tracks.setString("Track", QStringLiteral("Skladba ") + number);
        tracks.post();
    }
    tracks.close();

    start();
    ASSERT_EQ(questions().size(), 1);
    EXPECT_TRUE(questions()[0].text.contains(QStringLiteral("cd01.dbf: 2 záznamy")))
        << questions()[0].text.toStdString();
    ASSERT_EQ(safetySets("CD").size(), 1);
    EXPECT_TRUE(safetySets("VK").isEmpty());
    EXPECT_EQ(backup::checkSet(backup::Set::Cds, Paths::zalohaDir() + safetySets("CD")[0]),
              QString());

    Table titles;
    titles.setPath(file("cd01.dbf"));
    titles.open(Table::Mode::ReadOnly);
    EXPECT_EQ(titleNumbers(titles), (QStringList{"00001", "00010"}));
    tracks.open(Table::Mode::ReadOnly);
    const std::vector<CdTrack> first = titleTracks(tracks, QStringLiteral("00001"));
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].title, QStringLiteral("Skladba 00001"));
}

TEST_F(NumberRepairStart, AnsweredNoNothingChangesAndTheNextStartAsksAgain)
{
    spreadsheetCassettes();
    const QMap<QString, QByteArray> before = snapshot();
    user.answers = {false};
    start();
    ASSERT_EQ(questions().size(), 1);
    window.reset();
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(safetySets("VK").isEmpty());

    user.shown.clear();
    user.answers = {false};
    start();
    EXPECT_EQ(questions().size(), 1);
}

TEST_F(NumberRepairStart, NumbersThatWouldMergeTwoCassettesAreOnlyNamed)
{
    writeAsSpreadsheet(file("data.dbf"), {row({{"cislo", "1"}, {"film1", "A"}}),
                                          row({{"cislo", "00001"}, {"film1", "B"}})});
    const QMap<QString, QByteArray> before = snapshot();
    start();
    EXPECT_TRUE(questions().isEmpty());
    ASSERT_FALSE(user.shown.isEmpty());
    const auto warned = std::find_if(user.shown.cbegin(), user.shown.cend(),
                                     [](const auto &s) { return s.kind == MessageKind::Warning; });
    ASSERT_NE(warned, user.shown.cend());
    EXPECT_TRUE(warned->text.contains(QStringLiteral("číslo 00001 je zapsáno jako „1“, „00001“")))
        << warned->text.toStdString();
    window.reset();
    EXPECT_EQ(snapshot(), before);
}
