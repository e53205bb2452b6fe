// The export's files: the caller's own rows (exportPlain), the progress and
// its cancelling half way, and the failures (a directory that cannot be, a
// full medium), each leaving no half-written file and an older file at the
// target as it was.

#include "RulesFixture.h"
#include "SmallFileSystem.h"
#include "sheets/SheetExport.h"
#include "test_export_readers.h"

#include <QDir>

namespace velmora::test {
namespace {

using sheets::CellKind;
using sheets::Format;
using sheets::Sheet;

class ExportFiles : public RulesFixture
{
protected:
    ExportFiles() { QDir().mkpath(outDir()); }

    QString outDir() const { return env.dataDir() + "/out"; }
    QString target(const QString &name) const { return outDir() + "/" + name; }
    QStringList filesIn(const QString &dir) const
    {
        return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    // Cassettes of one recording each, with a note that makes rows long.
    static void addCassettes(int count)
    {
        QList<CassetteRecord> all;
        for (int i = 1; i <= count; ++i) {
            CassetteRecord c;
            c.type = "E 240";
            c.number = QString::number(i).rightJustified(5, '0');
            c.recordings[0] = slot(QString::fromUtf8("Záznam číslo %1").arg(i), "SP", 60);
            c.recordings[0].end = 60;
            c.note = QString::fromUtf8("Poznámka ke kazetě číslo %1").arg(i);
            all << c;
        }
        appendCassettes(all);
    }

    static sheets::PlainSheet plain()
    {
        static const QList<QStringList> cells{
            {"00001", QString::fromUtf8("Šakalí léta"), "12", "24.12.2001", "75:03", "a\nb"},
            {"00002", "x;\"y\"", "nic", "31.02.2001", "1:5", ""},
            {"", "", "", "", "", ""}};
        sheets::PlainSheet s;
        s.name = QString::fromUtf8("Přehled");
        s.headers = {QString::fromUtf8("Číslo"),
                     QString::fromUtf8("Název"),
                     QString::fromUtf8("Délka"),
                     "Datum",
                     "Stopa",
                     QString::fromUtf8("Poznámka")};
        s.kinds = {CellKind::Text, CellKind::Text,    CellKind::Integer,
                   CellKind::Date, CellKind::Seconds, CellKind::Memo};
        s.rows = cells.size();
        s.cell = [](qint64 row, int column) { return cells[row][column]; };
        return s;
    }
};

TEST_F(ExportFiles, PlainRowsAsCsvKeepTheirTextsAsShown)
{
    const QString path = target("prehled.csv");
    const sheets::ExportResult r = sheets::exportPlain(plain(), path, Format::Csv);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.rows, 3);
    EXPECT_EQ(csvRows(path), json(R"([["Číslo","Název","Délka","Datum","Stopa","Poznámka"],
        ["00001","Šakalí léta","12","24.12.2001","75:03","a\nb"],
        ["00002","x;\"y\"","nic","31.02.2001","1:5",""],
        ["","","","","",""]])"));
}

TEST_F(ExportFiles, PlainRowsAsXlsxAreTypedByTheirColumnsKindWhereTheyReadSo)
{
    const QString path = target("prehled.xlsx");
    const sheets::ExportResult r = sheets::exportPlain(plain(), path, Format::Xlsx);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    const QJsonArray book = workbook(path);
    ASSERT_EQ(book.size(), 1);
    EXPECT_EQ(book[0]["name"], QString::fromUtf8("Přehled"));
    // A value that does not read as its kind stays the text shown; the
    // empty last row has no cells at all.
    EXPECT_EQ(book[0]["rows"], json(R"([["Číslo","Název","Délka","Datum","Stopa","Poznámka"],
        ["00001","Šakalí léta",12,"D:24.12.2001","T:4503","a\nb"],
        ["00002","x;\"y\"","nic","31.02.2001","1:5"]])"));
    EXPECT_EQ(book[0]["formats"]["2,5"], "[m]:ss");
    EXPECT_EQ(book[0]["formats"]["2,4"], "dd.mm.yyyy");
    EXPECT_EQ(book[0]["wrapped"], json(R"([["2,6"]])")[0]);
    EXPECT_EQ(book[0]["freeze"], "A2");
    EXPECT_EQ(book[0]["filter"], "A1:F4");
}

TEST_F(ExportFiles, ProgressCountsEveryRowUpToTheTotal)
{
    addCassettes(5000);
    QList<qint64> done;
    qint64 total = -1;
    const sheets::ExportResult r =
        sheets::exportSheets(tables, {Sheet::Cassettes, Sheet::Loans}, target("vse.xlsx"),
                             Format::Xlsx, [&](qint64 d, qint64 t) {
                                 done << d;
                                 total = t;
                                 return true;
                             });
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.rows, 5000);
    EXPECT_EQ(total, 5000);
    ASSERT_GE(done.size(), 3);
    EXPECT_EQ(done.front(), 0);
    EXPECT_EQ(done.back(), 5000);
    EXPECT_TRUE(std::is_sorted(done.begin(), done.end()));
}

TEST_F(ExportFiles, CancelHalfWayLeavesTheOlderFileByteForByteAndNothingElse)
{
    addCassettes(5000);
    for (const Format format : {Format::Csv, Format::Xlsx}) {
        const QString path = target(format == Format::Csv ? "stary.csv" : "stary.xlsx");
        const QByteArray old("older content;\r\n\x01\x02", 18);
        writeBytes(path, old);
        qint64 seen = 0;
        const sheets::ExportResult r =
            sheets::exportSheets(tables, {Sheet::Cassettes}, path, format, [&](qint64 d, qint64 t) {
                seen = d;
                return d < t / 2;
            });
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.cancelled);
        EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
        EXPECT_GE(seen, 2500);
        EXPECT_LT(seen, 5000);
        EXPECT_EQ(fileBytes(path), old);
        EXPECT_EQ(filesIn(outDir()), QStringList{QFileInfo(path).fileName()});
        QFile::remove(path);
    }
    // Cancelled before the first row, nothing comes to be at all.
    const sheets::ExportResult r =
        sheets::exportSheets(tables, {Sheet::Cassettes}, target("novy.csv"), Format::Csv,
                             [](qint64, qint64) { return false; });
    EXPECT_TRUE(r.cancelled);
    EXPECT_TRUE(filesIn(outDir()).isEmpty());
}

TEST_F(ExportFiles, ATargetWhoseDirectoryCannotBeIsToldInCzechAndNothingIsWritten)
{
    addCassettes(3);
    const QString blocker = target("soubor");
    writeBytes(blocker, "not a directory");
    for (const Format format : {Format::Csv, Format::Xlsx}) {
        const QString path = blocker + (format == Format::Csv ? "/k.csv" : "/k.xlsx");
        const sheets::ExportResult r =
            sheets::exportSheets(tables, {Sheet::Cassettes}, path, format);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.cancelled);
        EXPECT_TRUE(r.error.contains(Paths::native(path))) << r.error.toStdString();
        EXPECT_TRUE(r.error.contains(QString::fromUtf8("nelze vytvořit"))) << r.error.toStdString();
        EXPECT_EQ(filesIn(outDir()), QStringList{"soubor"});
    }
    EXPECT_EQ(fileBytes(blocker), "not a directory");
}

TEST_F(ExportFiles, AFullMediumIsToldAndKeepsTheOlderFileAsItWas)
{
    SmallFileSystem medium("64k");
    if (!medium.mounted())
        GTEST_SKIP() << "no small file system can be mounted here";
    addCassettes(3000);
    for (const Format format : {Format::Csv, Format::Xlsx}) {
        const QString path = medium.path() + (format == Format::Csv ? "/k.csv" : "/k.xlsx");
        writeBytes(path, "older");
        const sheets::ExportResult r =
            sheets::exportSheets(tables, {Sheet::Cassettes}, path, format);
        EXPECT_FALSE(r.ok);
        EXPECT_FALSE(r.cancelled);
        EXPECT_TRUE(r.error.contains(Paths::native(path))) << r.error.toStdString();
        EXPECT_TRUE(r.error.contains(QString::fromUtf8("místa"))) << r.error.toStdString();
        EXPECT_EQ(fileBytes(path), "older");
        EXPECT_EQ(filesIn(medium.path()), QStringList{QFileInfo(path).fileName()});
        QFile::remove(path);
    }
}

TEST_F(ExportFiles, ATextOverExcelsLimitIsCutInXlsxAndWholeInCsv)
{
    CassetteRecord c;
    c.type = "E 240";
    c.number = "00001";
    c.recordings[0] = slot("Dlouhý");
    c.recordings[0].note = QString(40000, QChar(u'ž'));
    appendCassette(c);
    const QString csv = target("dlouhy.csv");
    ASSERT_TRUE(sheets::exportSheets(tables, {Sheet::Cassettes}, csv, Format::Csv).ok);
    EXPECT_EQ(csvRows(csv)[1][11].toString().size(), 40000);
    const QString xlsx = target("dlouhy.xlsx");
    const sheets::ExportResult r =
        sheets::exportSheets(tables, {Sheet::Cassettes}, xlsx, Format::Xlsx);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_TRUE(r.error.isEmpty());
    const QString cut = workbook(xlsx)[0][QStringLiteral("rows")].toArray()[1][11].toString();
    EXPECT_EQ(cut, QString(32767, QChar(u'ž')));
}

} // namespace
} // namespace velmora::test
