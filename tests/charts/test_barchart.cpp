// The bar chart window on the offscreen platform: what the chart shows,
// the clipboard, the landscape print on the run's printer and the PDF.

#include "AppFixture.h"
#include "PdfPages.h"
#include "charts/BarChartWindow.h"
#include "printing/ReportPrint.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QValueAxis>

using namespace velmora;

namespace {

class BarChartTest : public test::AppFixture
{
protected:
    BarChartTest()
    {
        start();
        window->settings().printerAvailable = true;
        chart = std::make_unique<BarChartWindow>(window->session(), window.get());
    }
    ~BarChartTest() override { chart.reset(); }

    void showChart()
    {
        chart->show();
        QApplication::processEvents();
    }

    QPushButton *button(const char *name) const
    {
        auto *b = chart->findChild<QPushButton *>(name);
        EXPECT_NE(b, nullptr) << name;
        return b;
    }

    QBarSeries *series() const
    {
        const auto all = chart->chart()->series();
        return all.size() == 1 ? qobject_cast<QBarSeries *>(all[0]) : nullptr;
    }
    QBarCategoryAxis *categories() const
    {
        const auto axes = chart->chart()->axes(Qt::Horizontal);
        return axes.size() == 1 ? qobject_cast<QBarCategoryAxis *>(axes[0]) : nullptr;
    }
    QValueAxis *values() const
    {
        const auto axes = chart->chart()->axes(Qt::Vertical);
        return axes.size() == 1 ? qobject_cast<QValueAxis *>(axes[0]) : nullptr;
    }

    static std::vector<ChartBar> borrowers(int count)
    {
        std::vector<ChartBar> bars;
        for (int i = 1; i <= count; ++i)
            bars.push_back({QStringLiteral("Vypůjčitel %1").arg(i), (i * 7) % 23});
        return bars;
    }

    // The texts the chart shows at this moment.
    QSet<QString> shownTexts() const
    {
        QSet<QString> shown;
        for (QGraphicsItem *item : chart->chart()->scene()->items())
            if (auto *text = dynamic_cast<QGraphicsTextItem *>(item); text && text->isVisible())
                shown.insert(text->toPlainText());
        return shown;
    }

    std::unique_ptr<BarChartWindow> chart;
};

// The run's printer made a PDF file for the test, as it is on a machine
// without printers, and given back as it was.
class RunPrinterToPdf
{
public:
    explicit RunPrinterToPdf(const QString &file) : m_printer(report::currentPrinter())
    {
        m_format = m_printer.outputFormat();
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(file);
    }
    ~RunPrinterToPdf()
    {
        m_printer.setOutputFileName(QString());
        m_printer.setOutputFormat(m_format);
    }

private:
    QPrinter &m_printer;
    QPrinter::OutputFormat m_format;
};

} // namespace

TEST_F(BarChartTest, WindowControlsAndTheirNames)
{
    chart->setTitleLines("Půjčky videokazet", "podle vypůjčitelů");
    showChart();
    EXPECT_TRUE(chart->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(chart->minimumSize(), QSize(750, 550));
    EXPECT_EQ(button("Kopirovat")->text(), "Kopírovat graf do schránky Windows");
    EXPECT_EQ(button("Tisk")->text(), "&Vytiskni graf (Naležato)");
    EXPECT_EQ(button("Ulozit_PDF")->text(), "Uložit jako PDF ...");
    EXPECT_EQ(button("Zavrit")->text(), "Zavřít");
    EXPECT_EQ(chart->chartView()->objectName(), "Graf");
    EXPECT_FALSE(chart->chartView()->accessibleName().isEmpty());
    EXPECT_EQ(chart->chartView()->chart(), chart->chart());

    QTest::mouseClick(button("Zavrit"), Qt::LeftButton);
    EXPECT_FALSE(chart->isVisible());
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(BarChartTest, BarsInTheirOrderWithValuesLabelsAndTitle)
{
    chart->setTitleLines("Půjčky videokazet", "podle vypůjčitelů <všichni>");
    chart->setBars({{"Nováková", 12}, {"Dvořák", 3}, {"Adámek", 0}, {"Zelený", 7}, {"Bílá", 0}});
    showChart();

    EXPECT_EQ(chart->titleLines(),
              QStringList({"Půjčky videokazet", "podle vypůjčitelů <všichni>"}));
    const QString title = chart->chart()->title();
    EXPECT_TRUE(title.contains("Půjčky videokazet"));
    EXPECT_TRUE(title.contains("podle vypůjčitelů &lt;všichni&gt;")); // shown, not taken as markup
    EXPECT_LT(title.indexOf("Půjčky"), title.indexOf("<br>"));
    EXPECT_LT(title.indexOf("<br>"), title.indexOf("podle"));
    EXPECT_FALSE(chart->chart()->legend()->isVisible());

    QBarSeries *s = series();
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->count(), 1);
    const QBarSet *set = s->barSets()[0];
    ASSERT_EQ(set->count(), 5);
    const QList<qreal> expected = {12, 3, 0, 7, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(set->at(i), expected[i]) << i;
    // Bars of no loans keep their place and name.
    ASSERT_NE(categories(), nullptr);
    EXPECT_EQ(categories()->categories(),
              QStringList({"Nováková", "Dvořák", "Adámek", "Zelený", "Bílá"}));
    EXPECT_EQ(categories()->labelsAngle(), -90);
    EXPECT_TRUE(s->isLabelsVisible());
    EXPECT_EQ(s->labelsPosition(), QAbstractBarSeries::LabelsOutsideEnd);

    ASSERT_NE(values(), nullptr);
    EXPECT_EQ(values()->labelFormat(), "%i");
    EXPECT_EQ(values()->min(), 0);
    EXPECT_GT(values()->max(), 12);
    // Whole numbers at every tick.
    const qreal step = (values()->max() - values()->min()) / (values()->tickCount() - 1);
    EXPECT_EQ(step, std::floor(step));

    // New bars replace the old ones at once, also in the picture taken right
    // away; an all-zero chart still has its axis.
    chart->setBars({{"A", 0}, {"B", 0}});
    EXPECT_FALSE(shownTexts().contains("Nováková"));
    EXPECT_TRUE(shownTexts().contains("B"));
    ASSERT_NE(series(), nullptr);
    EXPECT_EQ(series()->barSets()[0]->count(), 2);
    EXPECT_EQ(categories()->categories(), QStringList({"A", "B"}));
    EXPECT_GT(values()->max(), 0);
    EXPECT_EQ(chart->bars().size(), 2u);
}

TEST_F(BarChartTest, CopyPutsThePictureOnTheClipboard)
{
    chart->setTitleLines("Půjčky", "podle měsíců");
    chart->setBars(borrowers(10));
    showChart();
    window->settings().printerAvailable = false; // copying needs no printer
    QGuiApplication::clipboard()->clear();
    ASSERT_TRUE(QGuiApplication::clipboard()->image().isNull());

    QTest::mouseClick(button("Kopirovat"), Qt::LeftButton);
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.size(), chart->chartView()->size() * chart->devicePixelRatioF());
    EXPECT_GE(copied.width(), 300);
    EXPECT_GE(copied.height(), 300);
    // A drawn chart, not an empty area: more than a handful of colours.
    QSet<QRgb> colours;
    for (int y = 0; y < copied.height(); y += 4)
        for (int x = 0; x < copied.width(); x += 4)
            colours.insert(copied.pixel(x, y));
    EXPECT_GT(colours.size(), 5);
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(BarChartTest, PrintButtonFollowsThePrinterFoundAtStart)
{
    window->settings().printerAvailable = false;
    showChart();
    EXPECT_FALSE(button("Tisk")->isEnabled());
    EXPECT_TRUE(button("Kopirovat")->isEnabled());
    EXPECT_TRUE(button("Ulozit_PDF")->isEnabled());
    chart->hide();

    window->settings().printerAvailable = true;
    showChart();
    EXPECT_TRUE(button("Tisk")->isEnabled());
}

TEST_F(BarChartTest, PrintsLandscapeAndLeavesTheRunPrinterPortrait)
{
    const QString file = env.file("printed.pdf");
    RunPrinterToPdf pdf(file);
    QPrinter &printer = report::currentPrinter();
    printer.setPageOrientation(QPageLayout::Portrait);

    chart->setTitleLines("Půjčky videokazet", "za rok 2002");
    chart->setBars(borrowers(8));
    showChart();
    QTest::mouseClick(button("Tisk"), Qt::LeftButton);

    EXPECT_TRUE(user.shown.isEmpty());
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    const test::PdfPages pages = test::readPdfPages(file);
    ASSERT_TRUE(pages.isPdf);
    ASSERT_EQ(pages.sizes.size(), 1);
    EXPECT_GT(pages.sizes[0].width(), pages.sizes[0].height());
    EXPECT_TRUE(chart->isVisible()); // the chart stays for another copy

    if (!test::havePdfToText())
        GTEST_SKIP() << "pdftotext is not installed: the printed text is not read back";
    const QString text = test::pdfPageTexts(file).join('\n').simplified();
    EXPECT_TRUE(text.contains("Půjčky videokazet"));
    EXPECT_TRUE(text.contains("za rok 2002"));
    for (const ChartBar &b : borrowers(8))
        EXPECT_TRUE(text.contains(QRegularExpression(b.label + "\\b"))) << b.label.toStdString();
    EXPECT_TRUE(
        test::runProgram("pdfinfo", {file}).contains(QRegularExpression("Title:\\s+Velmora")));
}

TEST_F(BarChartTest, FailedPrintJobIsReportedAndThePrinterKeepsItsOrientation)
{
    RunPrinterToPdf pdf(env.file("no/such/dir/printed.pdf"));
    report::currentPrinter().setPageOrientation(QPageLayout::Portrait);
    chart->setBars(borrowers(3));
    showChart();
    EXPECT_FALSE(chart->print());
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(user.shown[0].text.contains("vytisknout"));
    EXPECT_EQ(report::currentPrinter().pageLayout().orientation(), QPageLayout::Portrait);
}

TEST_F(BarChartTest, SavesLandscapePdfAndReportsAFileItCannotWrite)
{
    chart->setTitleLines("Půjčky CD", "podle titulů");
    chart->setBars(borrowers(12));
    showChart();
    report::currentPrinter().setPageOrientation(QPageLayout::Portrait);

    user.saveFiles << env.file("graf"); // the suffix is added
    QTest::mouseClick(button("Ulozit_PDF"), Qt::LeftButton);
    EXPECT_EQ(user.events.value(0), "Uložit jako PDF");
    EXPECT_EQ(user.saveFilters, QStringList{"Dokument PDF (*.pdf)"});
    // The user is told where the chart went.
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Information);
    EXPECT_EQ(user.shown[0].text,
              "Graf byl uložen do souboru:\r\n" + QDir::toNativeSeparators(env.file("graf.pdf")));
    user.shown.clear();
    const test::PdfPages pages = test::readPdfPages(env.file("graf.pdf"));
    ASSERT_TRUE(pages.isPdf);
    ASSERT_EQ(pages.sizes.size(), 1);
    EXPECT_GT(pages.sizes[0].width(), pages.sizes[0].height());
    EXPECT_EQ(report::currentPrinter().pageLayout().orientation(), QPageLayout::Portrait);

    // Cancelled: nothing written, nothing said.
    EXPECT_FALSE(chart->saveAsPdf());
    EXPECT_TRUE(user.shown.isEmpty());

    user.saveFiles << env.file("missing/dir/graf.pdf");
    EXPECT_FALSE(chart->saveAsPdf());
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(user.shown[0].text.contains("graf.pdf"));
    EXPECT_FALSE(QFile::exists(env.file("missing/dir/graf.pdf")));

    if (!test::havePdfToText())
        GTEST_SKIP() << "pdftotext is not installed: the saved text is not read back";
    const QString text = test::pdfPageTexts(env.file("graf.pdf")).join('\n').simplified();
    EXPECT_TRUE(text.contains("Půjčky CD"));
    EXPECT_TRUE(text.contains("podle titulů"));
    for (const ChartBar &b : borrowers(12))
        EXPECT_TRUE(text.contains(QRegularExpression(b.label + "\\b"))) << b.label.toStdString();
}

TEST_F(BarChartTest, HundredsOfBarsScrollInsteadOfSqueezing)
{
    chart->setTitleLines("Půjčky", "podle vypůjčitelů");
    chart->setBars(borrowers(5));
    showChart();
    // Given while shown, and looked at before the event loop runs again.
    chart->setBars(borrowers(300));
    QScrollBar *bar = chart->scrollBar();
    EXPECT_TRUE(bar->isVisible());
    const int shownCount = chart->shownCount();
    ASSERT_GT(shownCount, 0);
    EXPECT_LT(shownCount, 300);
    EXPECT_EQ(bar->maximum(), 300 - shownCount);
    EXPECT_EQ(bar->pageStep(), shownCount);
    EXPECT_GE(chart->chart()->plotArea().width() / shownCount, charts::kMinBarWidth);
    // Every name shown is written out in full, none cut to "...".
    const std::vector<ChartBar> all = borrowers(300);
    QSet<QString> shown = shownTexts();
    for (int i = 0; i < shownCount; ++i)
        EXPECT_TRUE(shown.contains(all[size_t(i)].label)) << all[size_t(i)].label.toStdString();
    // Scrolled to the end, the last bars are shown, on the same value axis.
    bar->setValue(bar->maximum());
    EXPECT_EQ(chart->firstShown(), 300 - shownCount);
    shown = shownTexts();
    EXPECT_TRUE(shown.contains(all.back().label));
    EXPECT_FALSE(shown.contains(all.front().label));
    // The picture is the chart as shown.
    EXPECT_EQ(chart->picture().width(),
              qRound(chart->chartView()->width() * chart->devicePixelRatioF()));

    // A few bars fill the window without scrolling.
    chart->setBars(borrowers(5));
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(chart->shownCount(), 5);
    EXPECT_EQ(chart->firstShown(), 0);
}

TEST_F(BarChartTest, AHundredThousandBarsAreOneChartShownARunAtATime)
{
    std::vector<ChartBar> many;
    for (int i = 1; i <= 99999; ++i)
        many.push_back({QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')), i % 7});
    showChart();
    chart->setBars(many);
    EXPECT_EQ(chart->bars().size(), 99999u);
    EXPECT_LT(chart->shownCount(), 200);
    chart->scrollBar()->setValue(50000);
    EXPECT_TRUE(shownTexts().contains("50001"));
}
