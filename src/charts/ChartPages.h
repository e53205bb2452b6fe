#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

class QChart;
class QPaintDevice;
class QPainter;
class QPrinter;

namespace velmora {

// One bar of a chart: its label under the axis and its height.
struct ChartBar
{
    QString label;
    int value = 0;
};

namespace charts {

// Narrower bars would leave no room for a turned label (the axis cuts it to
// "..." when its line height and padding do not fit) or the value mark above
// them; a chart with more bars scrolls on screen and takes more pages.
constexpr int kMinBarWidth = 24;
// The turned labels' size, small enough for kMinBarWidth in any usual font.
constexpr int kLabelPoints = 8;
// What a chart needs besides its bars: the value axis, its labels and the
// chart's margins, in the same units as kMinBarWidth.
constexpr int kChartFrameWidth = 120;
// Pages are laid out at this resolution and scaled to the device, so the
// chart's fonts keep the size they have on screen.
constexpr int kLayoutDpi = 96;

// The value axis: from 0 to max in steps of step, both whole numbers, and
// max above the highest bar so its value mark stays inside the chart.
struct ValueScale
{
    qint64 max = 1;
    qint64 step = 1;
    int tickCount() const { return int(max / step) + 1; }
};
ValueScale valueScale(const std::vector<ChartBar> &bars);

// The names of the category axis: the labels, made distinct and non-empty
// with zero-width spaces, as the axis drops a name it already has.
QStringList categoryNames(const std::vector<ChartBar> &bars);

// The width a chart of this many bars needs to show each at kMinBarWidth.
int chartWidthFor(std::size_t bars);
// How many bars a chart of this width shows at kMinBarWidth, at least one.
int barsPerChart(int chartWidth);
// The bars cut into consecutive runs of at most perPage, in their order;
// no bars still give one empty run, so an empty chart prints one page.
std::vector<std::vector<ChartBar>> splitBars(const std::vector<ChartBar> &bars, int perPage);

// Fills a new chart: one bar set with the bars in order, labels turned
// upright, each value written above its bar (Qt Charts writes none over a
// bar of 0), the two title lines, no legend. A chart filled again replaces
// its series and axes, but shows the old axis labels until the event loop
// has deleted them.
void fillChart(QChart &chart, const std::vector<ChartBar> &bars, const QStringList &titleLines,
               const ValueScale &scale);

// Where the chart goes on a page: the device's rectangle less a third of an
// inch on each side.
QRect chartRect(const QPaintDevice &device);

// Paints the bars on the painter's device (a printer or a PDF writer) as
// charts of the bars that fit the page one after the other, one per page,
// all on the same value axis and numbered "Strana n z m" when there are
// more. The painter is active; pages after the first are started with
// QPrinter::newPage. False when a page cannot start.
bool paintChartPages(QPainter &painter, QPrinter &printer, const std::vector<ChartBar> &bars,
                     const QStringList &titleLines);

// One landscape print job titled like the reports; the printer's own
// orientation is back afterwards, whether the job ran or not.
bool printChart(QPrinter &printer, const std::vector<ChartBar> &bars,
                const QStringList &titleLines);

// The same pages into a PDF file on the paper of the run's printer.
bool writeChartPdf(const QString &fileName, const std::vector<ChartBar> &bars,
                   const QStringList &titleLines);

} // namespace charts
} // namespace velmora
