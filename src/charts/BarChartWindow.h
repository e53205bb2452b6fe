#pragma once

#include "charts/ChartPages.h"
#include "platform/ScreenDialog.h"

#include <QImage>
#include <QStringList>
#include <vector>

class QChart;
class QChartView;
class QPushButton;
class QScrollBar;
class QTableView;

namespace velmora {

class Session;

// A window with one bar chart: the bars in the order given, each value
// written above its bar, the labels turned upright under them, a title of
// two lines. Buttons copy the chart, print it landscape, save it as PDF and
// close. The loan charts fill it with setTitleLines() and setBars().
// The window shows as many bars as fit it at their least width, all on the
// value axis of the whole series, and a scroll bar moves along the rest: a
// catalogue of a hundred thousand cassettes is still one chart.
// Beside the chart a read-only table "Hodnoty" lists every bar's label and
// value as text, for the keyboard and for screen readers; choosing a row
// brings its bar into view. The chart's accessible description sums it up.
class BarChartWindow : public ScreenDialog
{
    Q_OBJECT
public:
    explicit BarChartWindow(Session &session, QWidget *parent = nullptr);

    void setTitleLines(const QString &line1, const QString &line2);
    // Left to right in the given order; replaces the bars shown.
    void setBars(std::vector<ChartBar> bars);
    const std::vector<ChartBar> &bars() const { return m_bars; }
    QStringList titleLines() const { return m_title; }

    // The chart shown: a new one after each change of bars, titles, size or
    // scrolling.
    QChart *chart() const { return m_chart; }
    QChartView *chartView() const { return m_view; }
    // Moves the run of bars shown; hidden while every bar fits.
    QScrollBar *scrollBar() const { return m_scroll; }
    // The run of bars shown: from the first, how many.
    int firstShown() const { return m_first; }
    int shownCount() const { return m_shown; }
    // The bars as text: one row per bar, its label and its value.
    QTableView *valuesTable() const { return m_values; }
    // What a screen reader hears of the chart: title, bars, highest, total
    // and the run of bars shown.
    QString summary() const;
    // The chart as shown: what the clipboard gets.
    QImage picture() const;

public slots:
    // "Kopírovat graf do schránky Windows": the picture as a bitmap.
    void copyToClipboard();
    // "&Vytiskni graf (Naležato)": one landscape job on the run's printer.
    bool print();
    // "Uložit jako PDF ...": the printed pages into a file the user names.
    bool saveAsPdf();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void rebuild();
    void showRun();
    void barChosen(int index);

    Session &m_session;
    std::vector<ChartBar> m_bars;
    QStringList m_title{QString(), QString()};

    QChart *m_chart = nullptr;
    QChartView *m_view = nullptr;
    QScrollBar *m_scroll = nullptr;
    QTableView *m_values = nullptr;
    class ValuesModel;
    ValuesModel *m_model = nullptr;
    int m_first = 0;
    int m_shown = 0;
    bool m_showing = false;
    QPushButton *m_copy = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_pdf = nullptr;
    QPushButton *m_close = nullptr;
};

} // namespace velmora
