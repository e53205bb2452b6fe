// An export imported into an empty catalogue and exported again gives the
// same bytes: every column goes back into its own field, loans, notes with
// quotes and line breaks, a cassette and a title without anything in them.

#include "ImportFixture.h"
#include "sheets/SheetExport.h"

namespace velmora::test {
namespace {
using sheets::Sheet;

QByteArray readAll(const QString &p)
{
    QFile f(p);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << p.toStdString();
    return f.readAll();
}

TEST_F(ImportTest, AnExportImportedIntoAnEmptyCatalogueExportsTheSameBytes)
{
    CassetteRecord a;
    a.type = "E 180";
    a.number = "00012";
    a.note = "  Rodinná";
    a.recordings[0] = slot(QString::fromUtf8("Pelíšky"), "SP", 115, "Komedie");
    a.recordings[0].end = 115;
    a.recordings[0].source = QString::fromUtf8("Televize ČT1");
    a.recordings[0].date = QDate(2003, 2, 1);
    a.recordings[0].note = QString::fromUtf8("Řádek; \"a\"\r\ndva");
    a.recordings[2] = slot(QString::fromUtf8("Třetí"), "LP", 100, "Drama");
    a.recordings[2].start = 115;
    a.recordings[2].end = 215;
    a.loan = {true, "Petr", "05.03.2024", 14};
    CassetteRecord b;
    b.type = "E 240";
    b.number = "00007";
    b.loan = {false, "Jana", "01.01.2020", 7};
    CassetteRecord c;
    c.type = "E 60";
    c.number = "00100";
    appendCassettes({a, b, c});
    CdTitle t = cdTitle("00003", "Best of");
    t.size = "700";
    t.format = QString::fromUtf8("Originální CD");
    t.acquired = "01.02.2003";
    t.loan = {true, "Karel", "06.05.2024", 21};
    t.note = "Dvojalbum";
    appendCdTitles({t, cdTitle("00004", "Prázdný")});
    CdTrack k1{"00003", "CD1", 1, "Jasná", 225, "Pop", "Olympic"};
    CdTrack k2{"00003", "CD2", 1, "Hodinová", 3723, "", ""};
    CdTrack k3{"00003", "", 2, "Bez disku", 61, "Folk", ""};
    appendCdTracks({k1, k2, k3});

    const QString first = files.filePath("first.csv");
    const QString firstCd = files.filePath("firstcd.csv");
    ASSERT_TRUE(sheets::exportSheets(tables, {Sheet::Cassettes}, first, sheets::Format::Csv).ok);
    ASSERT_TRUE(sheets::exportSheets(tables, {Sheet::Cds}, firstCd, sheets::Format::Csv).ok);
    // Header and rows: two recordings, a loan without recordings, an empty
    // cassette; three tracks and a title without any.
    EXPECT_EQ(readAll(first).count("\r\n"), 1 + 4 + 1); // a note holds one line break
    EXPECT_EQ(readAll(firstCd).count("\r\n"), 1 + 4);
    // The catalogue emptied.
    for (const char *n : {"data.dbf", "cd01.dbf", "cd02.dbf"}) {
        Table x;
        x.setPath(Paths::dataFile(n));
        x.open();
        for (x.first(); !x.eof();)
            x.deleteRecord();
        x.close();
    }
    sheets::ImportPlan p = sheets::planImport(tables, Sheet::Cassettes, first);
    if (!p.unknown.isEmpty())
        p = sheets::addUnknownValues(tables, p, first);
    ASSERT_TRUE(p.canImport()) << listed(p);
    ASSERT_TRUE(sheets::applyImport(tables, p).ok);
    sheets::ImportPlan q = sheets::planImport(tables, Sheet::Cds, firstCd);
    if (!q.unknown.isEmpty())
        q = sheets::addUnknownValues(tables, q, firstCd);
    ASSERT_TRUE(q.canImport()) << listed(q);
    ASSERT_TRUE(sheets::applyImport(tables, q).ok);
    const QString second = files.filePath("second.csv");
    const QString secondCd = files.filePath("secondcd.csv");
    ASSERT_TRUE(sheets::exportSheets(tables, {Sheet::Cassettes}, second, sheets::Format::Csv).ok);
    ASSERT_TRUE(sheets::exportSheets(tables, {Sheet::Cds}, secondCd, sheets::Format::Csv).ok);
    EXPECT_EQ(readAll(first), readAll(second)) << readAll(first).toStdString() << "\n----\n"
                                               << readAll(second).toStdString();
    EXPECT_EQ(readAll(firstCd), readAll(secondCd)) << readAll(firstCd).toStdString() << "\n----\n"
                                                   << readAll(secondCd).toStdString();
}
} // namespace
} // namespace velmora::test
