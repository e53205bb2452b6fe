// The file itself: its code page and separator found from what it holds,
// quoted values read as spreadsheets write them, and whatever is not a
// plain file of sane size refused before a byte of it is trusted.

#include "ImportFixture.h"

#include <QElapsedTimer>
#include <sys/stat.h>

namespace velmora::test {
namespace {

using sheets::Sheet;

QString titleOf(const QJsonArray &rows, const QString &number)
{
    for (const QJsonValue &v : rows)
        if (v.toObject().value("cislo").toString() == number)
            return v.toObject().value("film1").toString();
    return QStringLiteral("<none>");
}

TEST_F(ImportTest, CodePagesSeparatorsAndLineEndsAreFoundFromTheFile)
{
    const QString header = QString::fromUtf8("Číslo kazety|Typ kazety|Pozice|Název filmu");
    const QString row = QString::fromUtf8("#|E 240|1|Žluťoučký kůň");
    const auto with = [](QString line, const QString &sep, int n = 0) {
        return line.replace(QLatin1Char('|'), sep).replace(QLatin1Char('#'), QString::number(n));
    };
    struct Case
    {
        QString sep;
        QByteArray eol;
        bool bom;
        bool cp;
        QString encoding;
    };
    const QList<Case> cases{
        {";", "\r\n", true, false, "UTF-8"},   {",", "\n", false, false, "UTF-8"},
        {"\t", "\r\n", false, false, "UTF-8"}, {";", "\n", false, true, "cp1250"},
        {",", "\r\n", false, true, "cp1250"},  {"\t", "\n", false, true, "cp1250"},
    };
    int number = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.encoding.toStdString() + " separator " + c.sep.toStdString());
        const QString text = with(header, c.sep) + "\n" + with(row, c.sep, number) + "\n" +
                             with(row, c.sep, number + 1);
        QByteArray bytes = c.cp ? cp1250(text) : text.toUtf8();
        bytes.replace("\n", c.eol);
        if (c.bom)
            bytes.prepend("\xEF\xBB\xBF");
        const sheets::ImportPlan plan =
            sheets::planImport(tables, Sheet::Cassettes, csvFile(bytes));
        ASSERT_TRUE(plan.canImport()) << listed(plan);
        EXPECT_EQ(plan.encoding, c.encoding);
        EXPECT_EQ(plan.separator, c.sep.at(0));
        EXPECT_EQ(plan.items, 2);
        ASSERT_TRUE(sheets::applyImport(tables, plan).ok);
        const QJsonArray stored = rows("data.dbf");
        EXPECT_EQ(titleOf(stored, QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0'))),
                  QString::fromUtf8("Žluťoučký kůň"));
        EXPECT_EQ(titleOf(stored, QStringLiteral("%1").arg(number + 1, 5, 10, QLatin1Char('0'))),
                  QString::fromUtf8("Žluťoučký kůň"));
        number += 2;
    }
}

TEST_F(ImportTest, QuotedValuesKeepSeparatorsQuotesAndLineBreaksAndShiftTheLines)
{
    const QByteArray bytes =
        QString::fromUtf8("Číslo kazety,Typ kazety,Pozice,Název filmu,Poznámka k filmu\n"
                          "1,E 240,1,\"Tři, dva; jedna\",\"Řekl \"\"ahoj\"\"\n"
                          "a odešel\n"
                          "\"\n"
                          "2,\"E 240\",1,Bez uvozovek,\n"
                          "\n"
                          "abc,E 240,,,\n")
            .toUtf8();
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, csvFile(bytes));
    // The note of cassette 1 runs over lines 2 to 4; the empty line 6 is
    // no row, and the bad number stands on line 7.
    ASSERT_EQ(plan.problems.size(), 1) << listed(plan);
    EXPECT_EQ(plan.problems[0].line, 7);
    EXPECT_EQ(plan.problems[0].message, QString::fromUtf8("Číslo kazety „abc“ není číslo."));

    const QByteArray good = bytes.left(bytes.indexOf("\nabc") + 1);
    const sheets::ImportPlan ok = sheets::planImport(tables, Sheet::Cassettes, csvFile(good));
    ASSERT_TRUE(ok.canImport()) << listed(ok);
    ASSERT_TRUE(sheets::applyImport(tables, ok).ok);
    const QJsonArray stored = rows("data.dbf");
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[0].toObject().value("film1").toString(), QString::fromUtf8("Tři, dva; jedna"));
    EXPECT_EQ(stored[0].toObject().value("p_film1").toString(),
              QString::fromUtf8("Řekl \"ahoj\"\na odešel\n"));
    EXPECT_EQ(stored[1].toObject().value("film1").toString(), "Bez uvozovek");

    const sheets::ImportPlan open = sheets::planImport(
        tables, Sheet::Cassettes,
        csvFile(QString::fromUtf8("Číslo kazety;Typ kazety;Název filmu\r\n5;E 240;ok\r\n"
                                  "6;E 240;\"neuzavřená\r\n7;E 240;x\r\n")
                    .toUtf8()));
    ASSERT_EQ(open.problems.size(), 1) << listed(open);
    EXPECT_EQ(open.problems[0].line, 3);
    EXPECT_TRUE(open.problems[0].message.contains(QString::fromUtf8("nejsou")));
    EXPECT_FALSE(open.canImport());
}

// What is refused before it is read, with nothing written.
class RefusedFile : public ImportTest
{
protected:
    void expectRefused(const QString &path, const char *what)
    {
        SCOPED_TRACE(what);
        const QMap<QString, QByteArray> before = tableFiles();
        QElapsedTimer clock;
        clock.start();
        const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, path);
        EXPECT_LT(clock.elapsed(), 5000);
        EXPECT_FALSE(plan.canImport());
        ASSERT_EQ(plan.problems.size(), 1) << listed(plan);
        EXPECT_EQ(plan.problems[0].line, 0);
        EXPECT_TRUE(plan.problems[0].message.contains(path))
            << plan.problems[0].message.toStdString();
        EXPECT_FALSE(sheets::applyImport(tables, plan).ok);
        EXPECT_EQ(tableFiles(), before);
        EXPECT_TRUE(safetyCopies().isEmpty());
    }
};

TEST_F(RefusedFile, PipesLinksDirectoriesHugeAndMissingFilesAreRefused)
{
    const QString good =
        csvLines({QString::fromUtf8("Číslo kazety;Typ kazety"), "1;E 240"}, "good.csv");

    const QString pipe = files.filePath("pipe.csv");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    expectRefused(pipe, "a named pipe (a read would wait for a writer)");

    const QString link = files.filePath("link.csv");
    ASSERT_TRUE(QFile::link(good, link));
    expectRefused(link, "a link, even to a good file");

    const QString device = files.filePath("zero.csv");
    ASSERT_TRUE(QFile::link("/dev/zero", device));
    expectRefused(device, "a link to a device");

    ASSERT_TRUE(QDir(files.path()).mkdir("folder.csv"));
    expectRefused(files.filePath("folder.csv"), "a directory");

    expectRefused(files.filePath("missing.csv"), "nothing at all");

    // A sparse file costs no room but says it is bigger than allowed.
    const QString huge = files.filePath("huge.csv");
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QString::fromUtf8("Číslo kazety;Typ kazety\n1;E 240\n").toUtf8());
        ASSERT_TRUE(f.resize(201LL * 1024 * 1024));
    }
    expectRefused(huge, "a file over the size read");
    const sheets::ImportPlan big = sheets::planImport(tables, Sheet::Cassettes, huge);
    ASSERT_FALSE(big.problems.isEmpty());
    EXPECT_TRUE(big.problems[0].message.contains(QString::fromUtf8("příliš velký")));

    // The good file itself passes.
    EXPECT_TRUE(sheets::planImport(tables, Sheet::Cassettes, good).canImport());
}

TEST_F(ImportTest, WorkbooksAndBinaryFilesAreRefusedAndUnicodeTextIsRead)
{
    const QString xlsx = csvFile(
        QByteArray("PK\x03\x04\x14\x00\x06\x00", 8) + QByteArray(200, '\x01'), "kazety.csv");
    const sheets::ImportPlan workbook = sheets::planImport(tables, Sheet::Cassettes, xlsx);
    ASSERT_EQ(workbook.problems.size(), 1) << listed(workbook);
    EXPECT_EQ(workbook.problems[0].message,
              QString::fromUtf8("Soubor %1 je sešit (XLSX), ne text CSV. Uložte ho v tabulkovém "
                                "programu jako „CSV (oddělený středníkem)“ a importujte ten.")
                  .arg(xlsx));
    EXPECT_FALSE(sheets::applyImport(tables, workbook).ok);

    // Zero bytes well inside the first 4 KB, after a header that reads.
    QByteArray binary = QString::fromUtf8(kCassetteHeader).toUtf8() + "\r\n1;E 240\r\n";
    binary += QByteArray(3000, 'x') + QByteArray(1, '\0') + "2;E 240\r\n";
    const sheets::ImportPlan refused =
        sheets::planImport(tables, Sheet::Cassettes, csvFile(binary, "bin.csv"));
    ASSERT_EQ(refused.problems.size(), 1) << listed(refused);
    EXPECT_EQ(refused.problems[0].line, 0);
    EXPECT_TRUE(refused.problems[0].message.contains(QString::fromUtf8("binární")))
        << refused.problems[0].message.toStdString();
    EXPECT_TRUE(rows("data.dbf").isEmpty());

    // Excel's "Unicode text": UTF-16 with its byte order mark, tab-separated.
    const QString text = QString::fromUtf8("Číslo kazety\tTyp kazety\tPozice\tNázev filmu\r\n"
                                           "12\tE 240\t1\tŽelary\r\n"
                                           "13\tE 180\t1\tKrása\r\n");
    QByteArray le("\xFF\xFE", 2), be("\xFE\xFF", 2);
    for (QChar c : text) {
        const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
        le += lo;
        le += hi;
        be += hi;
        be += lo;
    }
    const sheets::ImportPlan bigEndian =
        sheets::planImport(tables, Sheet::Cassettes, csvFile(be, "be.txt"));
    ASSERT_TRUE(bigEndian.canImport()) << listed(bigEndian);
    EXPECT_EQ(bigEndian.encoding, QStringLiteral("UTF-16"));
    const sheets::ImportPlan plan =
        sheets::planImport(tables, Sheet::Cassettes, csvFile(le, "le.txt"));
    ASSERT_TRUE(plan.canImport()) << listed(plan);
    EXPECT_EQ(plan.encoding, QStringLiteral("UTF-16"));
    EXPECT_EQ(plan.separator, QLatin1Char('\t'));
    EXPECT_EQ(plan.items, 2);
    ASSERT_TRUE(sheets::applyImport(tables, plan).ok);
    const QJsonArray stored = rows("data.dbf");
    ASSERT_EQ(stored.size(), 2);
    EXPECT_EQ(stored[0].toObject().value("cislo").toString(), "00012");
    EXPECT_EQ(stored[0].toObject().value("film1").toString(), QString::fromUtf8("Želary"));
    EXPECT_EQ(stored[1].toObject().value("film1").toString(), QString::fromUtf8("Krása"));
}

TEST_F(ImportTest, AFloodOfBadRowsIsSummedUpWithoutQuotingWholeCells)
{
    QStringList lines{QString::fromUtf8("Číslo kazety;Typ kazety")};
    lines << QString(5000, QLatin1Char('x')) + ";E 240";
    for (int i = 0; i < 599; ++i)
        lines << QStringLiteral("n%1;E 240").arg(i);
    const sheets::ImportPlan plan = sheets::planImport(tables, Sheet::Cassettes, csvLines(lines));
    ASSERT_EQ(plan.problems.size(), 501);
    EXPECT_EQ(plan.problems[0].line, 2);
    EXPECT_LT(plan.problems[0].message.size(), 80) << plan.problems[0].message.toStdString();
    EXPECT_EQ(plan.problems[499].line, 501);
    EXPECT_TRUE(plan.problems[500].message.contains(QStringLiteral("100")))
        << plan.problems[500].message.toStdString();
}

TEST_F(ImportTest, EmptyFilesAndHeadersAloneOfferNothingToImport)
{
    const sheets::ImportPlan empty =
        sheets::planImport(tables, Sheet::Cassettes, csvFile(QByteArray()));
    EXPECT_FALSE(empty.canImport());
    ASSERT_EQ(empty.problems.size(), 1);
    EXPECT_EQ(empty.problems[0].line, 0);

    const sheets::ImportPlan header = sheets::planImport(
        tables, Sheet::Cassettes, csvFile(QByteArray("\xEF\xBB\xBF") + kCassetteHeader + "\r\n"));
    EXPECT_TRUE(header.problems.isEmpty()) << listed(header);
    EXPECT_EQ(header.items, 0);
    EXPECT_FALSE(header.canImport());
    EXPECT_FALSE(sheets::applyImport(tables, header).ok);
    EXPECT_TRUE(rows("data.dbf").isEmpty());
}

} // namespace
} // namespace velmora::test
