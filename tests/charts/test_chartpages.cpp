// The chart's page logic without a window: the value axis, the names under
// the bars, the cutting into pages and the landscape job read back as PDF.

#include "PdfPages.h"
#include "TestEnv.h"
#include "charts/ChartPages.h"
#include "printing/ReportPrint.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QPrinter>
#include <QSet>
#include <QValueAxis>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

std::vector<ChartBar> numberedBars(int count)
{
    std::vector<ChartBar> bars;
    for (int i = 1; i <= count; ++i)
        bars.push_back({QStringLiteral("Vypujcitel%1").arg(i, 4, 10, QLatin1Char('0')), i % 13});
    return bars;
}

QString visible(QString name)
{
    return name.remove(QChar(0x200B));
}

} // namespace

TEST(ChartScale, WholeStepsUpToAboveTheHighestBar)
{
    for (int highest : {0, 1, 7, 9, 10, 11, 37, 95, 100, 1234, 99999}) {
        SCOPED_TRACE(highest);
        const charts::ValueScale s = charts::valueScale({{"a", 0}, {"b", highest}});
        EXPECT_GT(s.max, highest); // room for the value mark of the highest bar
        EXPECT_EQ(s.max % s.step, 0);
        EXPECT_LE(s.max - s.step, highest); // no empty step above it
        qint64 unit = s.step;
        while (unit % 10 == 0)
            unit /= 10;
        EXPECT_TRUE(unit == 1 || unit == 2 || unit == 5) << s.step;
        EXPECT_GE(s.tickCount(), 2);
        EXPECT_LE(s.tickCount(), 11);
    }
    // No bars at all still give an axis.
    EXPECT_EQ(charts::valueScale({}).max, 1);
}

TEST(ChartNames, EveryBarKeepsItsOwnCategory)
{
    const std::vector<ChartBar> bars = {
        {"Novák", 3}, {"", 1}, {"Novák", 2}, {"", 0}, {"Dvořák", 1}};
    const QStringList names = charts::categoryNames(bars);
    ASSERT_EQ(names.size(), 5);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(names[i].isEmpty());
        EXPECT_EQ(visible(names[i]), bars[size_t(i)].label);
    }
    EXPECT_EQ(names[0], "Novák"); // a label met first is kept as it is

    QChart chart;
    charts::fillChart(chart, bars, {"a", "b"}, charts::valueScale(bars));
    const auto axes = chart.axes(Qt::Horizontal);
    ASSERT_EQ(axes.size(), 1);
    EXPECT_EQ(static_cast<QBarCategoryAxis *>(axes[0])->count(), 5);
}

TEST(ChartPages, SplitKeepsEveryBarInOrder)
{
    const auto bars = numberedBars(600);
    const auto runs = charts::splitBars(bars, 40);
    ASSERT_EQ(runs.size(), 15u);
    std::vector<QString> joined;
    for (const auto &run : runs) {
        EXPECT_LE(run.size(), 40u);
        for (const ChartBar &b : run)
            joined.push_back(b.label);
    }
    ASSERT_EQ(joined.size(), 600u);
    for (size_t i = 0; i < joined.size(); ++i)
        EXPECT_EQ(joined[i], bars[i].label);
    EXPECT_EQ(charts::splitBars(bars, 1000).size(), 1u);
    EXPECT_EQ(charts::splitBars(numberedBars(41), 40).back().size(), 1u);
    // An empty chart is still one page.
    ASSERT_EQ(charts::splitBars({}, 40).size(), 1u);
    EXPECT_TRUE(charts::splitBars({}, 40)[0].empty());

    for (int n : {1, 10, 333})
        EXPECT_EQ(charts::barsPerChart(charts::chartWidthFor(size_t(n))), n);
    EXPECT_EQ(charts::barsPerChart(10), 1);
}

TEST(ChartPages, FillingAgainReplacesTheChart)
{
    QChart chart;
    charts::fillChart(chart, numberedBars(5), {"a", "b"}, charts::valueScale(numberedBars(5)));
    charts::fillChart(chart, numberedBars(3), {"c", "d"}, charts::valueScale(numberedBars(3)));
    ASSERT_EQ(chart.series().size(), 1);
    EXPECT_EQ(chart.axes().size(), 2);
    auto *series = static_cast<QBarSeries *>(chart.series()[0]);
    ASSERT_EQ(series->count(), 1);
    EXPECT_EQ(series->barSets()[0]->count(), 3);
    EXPECT_TRUE(chart.title().contains("c"));
    EXPECT_FALSE(chart.title().contains("a"));
}

TEST(ChartPrint, LandscapeJobLeavesThePrinterOrientationAsItWas)
{
    test::TestEnv env;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));

    for (auto before : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        SCOPED_TRACE(int(before));
        const QString file = env.file(QStringLiteral("chart%1.pdf").arg(int(before)));
        printer.setOutputFileName(file);
        printer.setPageOrientation(before);
        ASSERT_TRUE(charts::printChart(printer, numberedBars(10), {"Řádek jedna", "Řádek dva"}));
        EXPECT_EQ(printer.pageLayout().orientation(), before);
        const test::PdfPages pdf = test::readPdfPages(file);
        EXPECT_TRUE(pdf.isPdf);
        ASSERT_EQ(pdf.sizes.size(), 1);
        EXPECT_NEAR(pdf.sizes[0].width(), 842, 1); // A4 on its side
        EXPECT_NEAR(pdf.sizes[0].height(), 595, 1);
    }

    // A job that cannot start gives the orientation back too.
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setOutputFileName(env.file("no/such/dir/chart.pdf"));
    EXPECT_FALSE(charts::printChart(printer, numberedBars(10), {"a", "b"}));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
}

TEST(ChartPrint, ManyBarsTakeLegiblePagesInOrder)
{
    test::TestEnv env;
    const auto bars = numberedBars(600);
    const QString file = env.file("many.pdf");
    // The paper is the run's printer's, on its side, whatever way it stands.
    const auto runOrientation = report::currentPrinter().pageLayout().orientation();
    report::currentPrinter().setPageOrientation(QPageLayout::Portrait);
    ASSERT_TRUE(charts::writeChartPdf(file, bars, {"Půjčky podle vypůjčitelů", "Celkem"}));
    EXPECT_EQ(report::currentPrinter().pageLayout().orientation(), QPageLayout::Portrait);
    report::currentPrinter().setPageOrientation(runOrientation);

    const test::PdfPages pdf = test::readPdfPages(file);
    ASSERT_TRUE(pdf.isPdf);
    ASSERT_GT(pdf.sizes.size(), 1);
    // Every bar gets at least the width it has on screen.
    QPrinter probe(QPrinter::HighResolution);
    probe.setOutputFormat(QPrinter::PdfFormat);
    QPageLayout layout = report::currentPrinter().pageLayout();
    layout.setMargins(QMarginsF());
    layout.setMinimumMargins(QMarginsF());
    layout.setOrientation(QPageLayout::Landscape);
    probe.setPageLayout(layout);
    const int chartWidth =
        charts::chartRect(probe).width() * charts::kLayoutDpi / probe.logicalDpiX();
    const int perPage = charts::barsPerChart(chartWidth);
    EXPECT_EQ(pdf.sizes.size(), qsizetype(charts::splitBars(bars, perPage).size()));
    for (const QSizeF &s : pdf.sizes)
        EXPECT_GT(s.width(), s.height());

    if (!test::havePdfToText())
        GTEST_SKIP() << "pdftotext is not installed: the pages' text is not read back";
    const QStringList pages = test::pdfPageTexts(file);
    ASSERT_EQ(pages.size(), pdf.sizes.size());
    for (int p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p);
        EXPECT_TRUE(pages[p].contains("Půjčky podle vypůjčitelů"));
        EXPECT_TRUE(
            pages[p].contains(QStringLiteral("Strana %1 z %2").arg(p + 1).arg(pages.size())));
        // The page names its own bars, each once, and no other.
        const size_t first = size_t(p) * size_t(perPage);
        const size_t end = std::min(bars.size(), first + size_t(perPage));
        for (size_t i = first; i < end; ++i)
            EXPECT_EQ(pages[p].count(bars[i].label), 1) << bars[i].label.toStdString();
        EXPECT_EQ(pages[p].count("Vypujcitel"), qsizetype(end - first));
    }
}
