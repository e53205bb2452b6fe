// Printing of a report: the page rectangle, the page breaks and the job,
// read back from real PDF output.

#include "ScriptedAnswerer.h"
#include "TestEnv.h"
#include "printing/ReportPane.h"
#include "printing/ReportPrint.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QPrinter>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

struct Word
{
    int page;
    double xMin, yMin, xMax, yMax;
    QString text;
};

struct PdfText
{
    QStringList pages; // pdftotext -layout, one text per page
    QList<Word> words; // pdftotext -bbox, in points from the top left
    QString title;
    double pageHeight = 0;
};

PdfText readPdf(const QString &file)
{
    PdfText out;
    const QString layout = test::runProgram("pdftotext", {"-layout", file, "-"});
    out.pages = layout.split(QLatin1Char('\f'));
    if (!out.pages.isEmpty() && out.pages.back().trimmed().isEmpty())
        out.pages.removeLast();
    QXmlStreamReader xml(test::runProgram("pdftotext", {"-bbox", file, "-"}));
    int page = -1;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("page")) {
            ++page;
            out.pageHeight = a.value("height").toDouble();
        } else if (xml.name() == QLatin1String("word")) {
            Word w{page,
                   a.value("xMin").toDouble(),
                   a.value("yMin").toDouble(),
                   a.value("xMax").toDouble(),
                   a.value("yMax").toDouble(),
                   QString()};
            w.text = xml.readElementText();
            out.words.append(w);
        } else if (xml.name() == QLatin1String("title")) {
            out.title = xml.readElementText();
        }
    }
    return out;
}

QStringList pageLines(const QString &page)
{
    QStringList lines;
    for (const QString &l : page.split(QLatin1Char('\n')))
        if (!l.trimmed().isEmpty())
            lines << l.trimmed();
    return lines;
}

QString numbered(int i)
{
    return QStringLiteral("Řádek %1 sestavy").arg(i, 3, 10, QLatin1Char('0'));
}

void fill(ReportPane &pane, int lines)
{
    pane.beginBuild();
    for (int i = 1; i <= lines; ++i)
        pane.appendLine(numbered(i));
    pane.endBuild();
}

class FileAnswerer : public test::ScriptedAnswerer
{
public:
    QString saveFileName(const QString &caption, const QString &, const QString &filter) override
    {
        asked << caption + " | " + filter;
        return fileName;
    }
    QString fileName;
    QStringList asked;
};

} // namespace

TEST(PageRect, MarginsFromResolutionAndPrintableSize)
{
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(300);
    printer.setPageMargins(QMarginsF());
    const QRect r = report::pageRect(printer);
    EXPECT_EQ(r.left(), 150);
    EXPECT_EQ(r.top(), 100);
    EXPECT_EQ(r.x() + r.width(), printer.width());
    EXPECT_EQ(r.y() + r.height(), printer.height() - 100);

    // Odd resolutions are divided as whole numbers.
    printer.setResolution(301);
    const QRect odd = report::pageRect(printer);
    EXPECT_EQ(odd.left(), 150);
    EXPECT_EQ(odd.top(), 100);
    EXPECT_EQ(odd.y() + odd.height(), printer.height() - 100);
}

TEST(PrintDocument, TwoHundredLinesWithTheMarginsAndPageBreaks)
{
    test::TestEnv env;
    ReportPane pane;
    fill(pane, 200);

    constexpr int dpi = 300;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(dpi);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF());
    const QString file = env.file("report.pdf");
    printer.setOutputFileName(file);
    ASSERT_TRUE(report::printDocument(*pane.document(), printer));

    // Lines are whole printer dots high; as many as fit go on a page.
    const QRect rect = report::pageRect(printer);
    const int lineHeight = int(std::ceil(QFontMetricsF(ReportPane::baseFont(), &printer).height()));
    const int perPage = rect.height() / lineHeight;
    ASSERT_GT(perPage, 20);
    const int pages = (200 + perPage - 1) / perPage;

    const PdfText pdf = readPdf(file);
    EXPECT_EQ(pdf.title, "Velmora"); // one job with the program's title
    ASSERT_EQ(pdf.pages.size(), pages);
    int next = 1;
    for (int p = 0; p < pages; ++p) {
        const QStringList lines = pageLines(pdf.pages[p]);
        EXPECT_EQ(lines.size(), p + 1 < pages ? perPage : 200 - perPage * (pages - 1)) << p;
        for (const QString &l : lines)
            EXPECT_EQ(l, numbered(next++));
    }
    EXPECT_EQ(next, 201);

    // Positions in points; one printer dot is 72 / dpi points.
    const double dot = 72.0 / dpi;
    const double left = (dpi / 2) * dot, top = (dpi / 3) * dot;
    const double bottom = pdf.pageHeight - (dpi / 3) * dot;
    for (int p = 0; p < pages; ++p) {
        double minX = 1e9, minY = 1e9, maxY = 0;
        for (const Word &w : pdf.words) {
            if (w.page != p)
                continue;
            minX = qMin(minX, w.xMin);
            minY = qMin(minY, w.yMin);
            maxY = qMax(maxY, w.yMax);
        }
        EXPECT_NEAR(minX, left, dot) << p;
        EXPECT_NEAR(minY, top, dot) << p;
        EXPECT_LE(maxY, bottom + dot) << p;
        // The next line would not have fitted.
        if (p + 1 < pages) {
            EXPECT_GT(maxY + lineHeight * dot, bottom - dot) << p;
        }
    }
}

TEST(PrintDocument, FormattingIsPrintedAsShown)
{
    test::TestEnv env;
    ReportPane pane;
    pane.beginBuild();
    pane.setAttributes(report::kBlue, 16, true);
    pane.appendLine("Nadpis");
    pane.setAttributes(report::kBlack, 8, false);
    pane.appendLine("drobne");
    pane.endBuild();
    const QString file = env.file("look.pdf");
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(300);
    printer.setPageMargins(QMarginsF());
    printer.setOutputFileName(file);
    ASSERT_TRUE(report::printDocument(*pane.document(), printer));
    const PdfText pdf = readPdf(file);
    ASSERT_EQ(pdf.words.size(), 2);
    // Twice the size: about twice the height and the width per letter.
    const Word &big = pdf.words[0], &small = pdf.words[1];
    EXPECT_NEAR((big.yMax - big.yMin) / (small.yMax - small.yMin), 2.0, 0.1);
    EXPECT_NEAR((big.xMax - big.xMin) / (small.xMax - small.xMin), 2.0, 0.15);
    EXPECT_GE(small.yMin, big.yMax - 0.5);
}

TEST(PrintDocument, RefusedJobIsReported)
{
    ReportPane pane;
    fill(pane, 3);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/nonexistent-dir/x/report.pdf");
    EXPECT_FALSE(report::printDocument(*pane.document(), printer));
}

TEST(SaveAsPdf, WritesTheReportOnTheWholePaper)
{
    test::TestEnv env;
    FileAnswerer user;
    ReportPane pane;
    fill(pane, 120);
    EXPECT_EQ(pane.savePdfAction()->text(), "Uložit jako PDF ...");
    EXPECT_TRUE(pane.savePdfAction()->isEnabled());

    user.fileName = env.file("sestava"); // the suffix is added
    ASSERT_TRUE(pane.saveAsPdf());
    ASSERT_EQ(user.asked.size(), 1);
    EXPECT_TRUE(user.asked[0].startsWith("Uložit jako PDF | "));
    EXPECT_TRUE(user.asked[0].contains("*.pdf"));
    ASSERT_TRUE(QFile::exists(env.file("sestava.pdf")));
    const PdfText pdf = readPdf(env.file("sestava.pdf"));
    EXPECT_EQ(pdf.title, "Velmora");
    EXPECT_EQ(pageLines(pdf.pages.join('\n')).size(), 120);
    ASSERT_FALSE(pdf.words.isEmpty());
    EXPECT_NEAR(pdf.words[0].xMin, 36.0, 0.1); // half an inch
    EXPECT_NEAR(pdf.words[0].yMin, 24.0, 0.1); // a third of an inch
    // The user hears where the file went.
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Informace");
    EXPECT_EQ(user.shown[0].text, "Sestava byla uložena do souboru:\r\n" +
                                      QDir::toNativeSeparators(env.file("sestava.pdf")));
    user.shown.clear();

    // Cancelled: nothing written, nothing said.
    user.fileName.clear();
    EXPECT_FALSE(pane.saveAsPdf());
    EXPECT_TRUE(user.shown.isEmpty());

    // A file that cannot be written is reported.
    user.fileName = env.file("missing/dir/x.pdf");
    EXPECT_FALSE(pane.saveAsPdf());
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Chyba");
    EXPECT_TRUE(user.shown[0].text.contains("x.pdf"));
}

TEST(SaveAsPdf, AnswererWithoutFileNamesCancels)
{
    test::ScriptedAnswerer user;
    ReportPane pane;
    fill(pane, 2);
    EXPECT_FALSE(pane.saveAsPdf());
    EXPECT_TRUE(user.shown.isEmpty());
}
