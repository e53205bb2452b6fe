#include "charts/ChartPages.h"

#include "printing/ReportPrint.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QPainter>
#include <QPrinter>
#include <QSet>
#include <QValueAxis>
#include <algorithm>

namespace velmora::charts {

ValueScale valueScale(const std::vector<ChartBar> &bars)
{
    int highest = 0;
    for (const ChartBar &b : bars)
        highest = std::max(highest, b.value);
    // Steps of 1, 2 or 5 times a power of ten, fewer than ten of them below
    // the highest bar.
    const auto stepFor = [](qint64 top) {
        for (qint64 power = 1;; power *= 10)
            for (qint64 m : {1, 2, 5})
                if (top / (m * power) < 10)
                    return m * power;
    };
    ValueScale s;
    s.step = stepFor(highest);
    s.max = (highest / s.step + 1) * s.step;
    return s;
}

QStringList categoryNames(const std::vector<ChartBar> &bars)
{
    QStringList names;
    names.reserve(qsizetype(bars.size()));
    QSet<QString> seen;
    for (const ChartBar &b : bars) {
        QString name = b.label;
        while (name.isEmpty() || seen.contains(name))
            name += QChar(0x200B);
        seen.insert(name);
        names << name;
    }
    return names;
}

int chartWidthFor(std::size_t bars)
{
    return kChartFrameWidth + int(bars) * kMinBarWidth;
}

int barsPerChart(int chartWidth)
{
    return std::max(1, (chartWidth - kChartFrameWidth) / kMinBarWidth);
}

std::vector<std::vector<ChartBar>> splitBars(const std::vector<ChartBar> &bars, int perPage)
{
    std::vector<std::vector<ChartBar>> runs;
    const std::size_t per = std::size_t(std::max(1, perPage));
    for (std::size_t i = 0; i < bars.size(); i += per) {
        const auto first = bars.begin() + std::ptrdiff_t(i);
        runs.emplace_back(first, first + std::ptrdiff_t(std::min(per, bars.size() - i)));
    }
    if (runs.empty())
        runs.emplace_back();
    return runs;
}

void fillChart(QChart &chart, const std::vector<ChartBar> &bars, const QStringList &titleLines,
               const ValueScale &scale)
{
    chart.removeAllSeries();
    for (QAbstractAxis *axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }

    auto *set = new QBarSet(QString());
    for (const ChartBar &b : bars)
        set->append(b.value);
    set->setLabelColor(Qt::black);
    auto *series = new QBarSeries;
    series->append(set);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsFormat(QStringLiteral("@value"));
    chart.addSeries(series);

    auto *names = new QBarCategoryAxis;
    names->append(categoryNames(bars));
    names->setLabelsAngle(-90);
    QFont labelFont = names->labelsFont();
    labelFont.setPointSize(kLabelPoints);
    names->setLabelsFont(labelFont);
    names->setGridLineVisible(false);
    chart.addAxis(names, Qt::AlignBottom);
    series->attachAxis(names);

    auto *values = new QValueAxis;
    values->setRange(0, scale.max);
    values->setTickCount(scale.tickCount());
    values->setLabelFormat(QStringLiteral("%i"));
    chart.addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);

    chart.legend()->setVisible(false);
    QFont titleFont = chart.titleFont();
    titleFont.setBold(true);
    titleFont.setPointSize(12);
    chart.setTitleFont(titleFont);
    QStringList escaped;
    for (const QString &line : titleLines)
        escaped << line.toHtmlEscaped();
    chart.setTitle(escaped.join(QStringLiteral("<br>")));
}

QRect chartRect(const QPaintDevice &device)
{
    const int x = device.logicalDpiX() / 3;
    const int y = device.logicalDpiY() / 3;
    return QRect(0, 0, device.width(), device.height()).adjusted(x, y, -x, -y);
}

bool paintChartPages(QPainter &painter, QPrinter &printer, const std::vector<ChartBar> &bars,
                     const QStringList &titleLines)
{
    const QRect target = chartRect(printer);
    const QSizeF layout(target.width() * qreal(kLayoutDpi) / printer.logicalDpiX(),
                        target.height() * qreal(kLayoutDpi) / printer.logicalDpiY());
    const auto pages = splitBars(bars, barsPerChart(int(layout.width())));
    const ValueScale scale = valueScale(bars);

    QFont numberFont = painter.font();
    numberFont.setPointSize(8);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !printer.newPage())
            return false;
        // A chart of its own for each page: a chart filled again drops its
        // old axes only on the next turn of the event loop.
        QGraphicsScene scene;
        auto *chart = new QChart;
        scene.addItem(chart);
        chart->setAnimationOptions(QChart::NoAnimation);
        chart->setBackgroundRoundness(0);
        chart->setDropShadowEnabled(false);
        chart->setGeometry(QRectF(QPointF(), layout));
        fillChart(*chart, pages[p], titleLines, scale);
        // Laid out now: the scene has no view to do it on its next paint.
        chart->layout()->activate();
        scene.render(&painter, QRectF(target), QRectF(QPointF(), layout), Qt::IgnoreAspectRatio);
        if (pages.size() > 1) {
            painter.save();
            painter.setFont(numberFont);
            painter.setPen(Qt::black);
            painter.drawText(target, Qt::AlignRight | Qt::AlignBottom,
                             QStringLiteral("Strana %1 z %2").arg(p + 1).arg(pages.size()));
            painter.restore();
        }
    }
    return true;
}

bool printChart(QPrinter &printer, const std::vector<ChartBar> &bars, const QStringList &titleLines)
{
    // The run's printer serves the reports afterwards in its own orientation.
    struct Restore
    {
        QPrinter &printer;
        QPageLayout::Orientation orientation;
        ~Restore() { printer.setPageOrientation(orientation); }
    } restore{printer, printer.pageLayout().orientation()};

    printer.setDocName(report::kJobTitle);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const bool painted = paintChartPages(painter, printer, bars, titleLines);
    return painter.end() && painted;
}

bool writeChartPdf(const QString &fileName, const std::vector<ChartBar> &bars,
                   const QStringList &titleLines)
{
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(fileName);
    QPageLayout page = report::currentPrinter().pageLayout();
    page.setMinimumMargins(QMarginsF());
    page.setMargins(QMarginsF());
    pdf.setPageLayout(page);
    return printChart(pdf, bars, titleLines);
}

} // namespace velmora::charts
