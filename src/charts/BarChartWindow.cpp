#include "charts/BarChartWindow.h"

#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "printing/ReportPrint.h"
#include "session/Session.h"

#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShowEvent>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {
namespace {

// "1 sloupec", "3 sloupce", "7 sloupců".
QString counted(qint64 n, const char *one, const char *few, const char *many)
{
    const char *word = n == 1 ? one : (n >= 2 && n <= 4) ? few : many;
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(word));
}

} // namespace

// The bars as rows of text, read straight from the window's series: a
// hundred thousand bars cost no items.
class BarChartWindow::ValuesModel : public QAbstractTableModel
{
public:
    explicit ValuesModel(const std::vector<ChartBar> &bars, QObject *parent)
        : QAbstractTableModel(parent), m_bars(bars)
    {
    }
    // Views must hear of a reset before the bars under them change.
    void replace(std::vector<ChartBar> &bars, std::vector<ChartBar> &&with)
    {
        beginResetModel();
        bars = std::move(with);
        endResetModel();
    }
    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : int(m_bars.size());
    }
    int columnCount(const QModelIndex &parent) const override { return parent.isValid() ? 0 : 2; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= int(m_bars.size()))
            return QVariant();
        const ChartBar &b = m_bars[size_t(index.row())];
        if (role == Qt::DisplayRole)
            return index.column() == 0 ? QVariant(b.label) : QVariant(b.value);
        if (role == Qt::TextAlignmentRole && index.column() == 1)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant();
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return QVariant();
        return section == 0 ? QStringLiteral("Položka") : QStringLiteral("Počet");
    }

private:
    const std::vector<ChartBar> &m_bars;
};

BarChartWindow::BarChartWindow(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    setWindowTitle(QStringLiteral("Graf"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setMinimumSize(750, 550);
    setWindowState(windowState() | Qt::WindowMaximized);
    auto *layout = new QVBoxLayout(this);

    m_view = new QChartView;
    m_view->setObjectName(QStringLiteral("Graf"));
    m_view->setAccessibleName(QStringLiteral("Graf"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setFocusPolicy(Qt::StrongFocus);

    // Each bar keeps its width however many there are: the chart shows the
    // bars that fit and the scroll bar moves along the others, instead of
    // squeezing their labels or drawing a chart miles wide.
    auto *chartRow = new QHBoxLayout;
    chartRow->addWidget(m_view, 1);
    layout->addLayout(chartRow, 1);

    // The values as text, narrow beside the chart so the bars keep most of
    // the width.
    auto *valuesColumn = new QVBoxLayout;
    m_model = new ValuesModel(m_bars, this);
    m_values = new QTableView(this);
    m_values->setObjectName(QStringLiteral("Hodnoty"));
    m_values->setAccessibleName(QStringLiteral("Hodnoty"));
    m_values->setModel(m_model);
    m_values->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_values->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_values->setSelectionMode(QAbstractItemView::SingleSelection);
    m_values->setTabKeyNavigation(false);
    m_values->verticalHeader()->hide();
    m_values->verticalHeader()->setDefaultSectionSize(m_values->fontMetrics().height() + 4);
    m_values->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_values->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_values->setFixedWidth(190);
    QLabel *valuesCaption =
        ui::caption(this, QStringLiteral("Hodnoty_popis"), QStringLiteral("&Hodnoty:"), m_values);
    valuesColumn->addWidget(valuesCaption);
    valuesColumn->addWidget(m_values, 1);
    chartRow->addLayout(valuesColumn);
    connect(m_values->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { barChosen(current.row()); });

    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("GrafPosun"));
    m_scroll->setAccessibleName(QStringLiteral("Posun grafu"));
    m_scroll->hide();
    layout->addWidget(m_scroll);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int first) {
        if (first != m_first) {
            m_first = first;
            showRun();
        }
    });

    m_copy = ui::button(this, QStringLiteral("Kopirovat"),
                        QStringLiteral("Kopírovat graf do schránky Windows"));
    m_print = ui::button(this, QStringLiteral("Tisk"), QStringLiteral("&Vytiskni graf (Naležato)"));
    m_pdf = ui::button(this, QStringLiteral("Ulozit_PDF"), QStringLiteral("Uložit jako PDF ..."));
    m_close = ui::button(this, QStringLiteral("Zavrit"), QStringLiteral("Zavřít"));
    layout->addLayout(ui::row({m_copy}, {m_print, m_pdf, m_close}));

    connect(m_copy, &QPushButton::clicked, this, &BarChartWindow::copyToClipboard);
    connect(m_print, &QPushButton::clicked, this, &BarChartWindow::print);
    connect(m_pdf, &QPushButton::clicked, this, &BarChartWindow::saveAsPdf);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);

    rebuild();
}

void BarChartWindow::setTitleLines(const QString &line1, const QString &line2)
{
    m_title = {line1, line2};
    rebuild();
}

void BarChartWindow::setBars(std::vector<ChartBar> bars)
{
    m_model->replace(m_bars, std::move(bars));
    rebuild();
}

void BarChartWindow::barChosen(int index)
{
    if (index < 0 || index >= int(m_bars.size()))
        return;
    // The chosen bar comes into view at the run's start, or stays where it is
    // when it is already shown.
    if (index < m_first || index >= m_first + m_shown)
        m_scroll->setValue(index);
}

QString BarChartWindow::summary() const
{
    QStringList parts;
    const QString title = m_title.join(QLatin1Char(' ')).simplified();
    if (!title.isEmpty())
        parts << title;
    const qint64 count = qint64(m_bars.size());
    parts << QStringLiteral("Sloupcový graf, %1")
                 .arg(counted(count, "sloupec", "sloupce", "sloupců"));
    if (count > 0) {
        const auto top = std::max_element(
            m_bars.begin(), m_bars.end(),
            [](const ChartBar &a, const ChartBar &b) { return a.value < b.value; });
        qint64 total = 0;
        for (const ChartBar &b : m_bars)
            total += b.value;
        parts << QStringLiteral("nejvyšší %1 (%2)").arg(top->value).arg(top->label);
        parts << QStringLiteral("celkem %1").arg(total);
        if (m_shown < count)
            parts << QStringLiteral("zobrazeny sloupce %1 až %2")
                         .arg(m_first + 1)
                         .arg(m_first + m_shown);
    }
    return parts.join(QStringLiteral(", ")) +
           QStringLiteral(". Hodnoty všech sloupců jsou v tabulce Hodnoty.");
}

void BarChartWindow::rebuild()
{
    const int count = int(m_bars.size());
    const int room = std::max(m_view->width(), charts::kChartFrameWidth + charts::kMinBarWidth);
    const int fit = std::max(1, charts::barsPerChart(room));
    m_shown = std::min(count, fit);
    const int last = std::max(0, count - m_shown);
    m_first = std::clamp(m_first, 0, last);
    m_showing = true;
    m_scroll->setRange(0, last);
    m_scroll->setPageStep(std::max(1, m_shown));
    m_scroll->setSingleStep(1);
    m_scroll->setValue(m_first);
    m_scroll->setVisible(last > 0);
    m_showing = false;
    showRun();
}

void BarChartWindow::showRun()
{
    if (m_showing)
        return;
    // A new chart each time: one filled again keeps showing its old axis
    // labels until the event loop deletes them, and a copy made before then
    // would show both. All runs share the scale of the whole series.
    const auto from = m_bars.begin() + m_first;
    const std::vector<ChartBar> run(from, from + m_shown);
    auto *fresh = new QChart;
    fresh->setAnimationOptions(QChart::NoAnimation);
    charts::fillChart(*fresh, run, m_title, charts::valueScale(m_bars));
    QChart *old = m_view->chart();
    m_view->setChart(fresh);
    delete old;
    m_chart = fresh;
    m_chart->layout()->activate();
    m_view->setAccessibleDescription(summary());
}

void BarChartWindow::resizeEvent(QResizeEvent *event)
{
    ScreenDialog::resizeEvent(event);
    // The view has its new size once the layout has run.
    layout()->activate();
    rebuild();
}

QImage BarChartWindow::picture() const
{
    // Laid out for the view's present size before the event loop does it.
    m_chart->layout()->activate();
    return m_view->grab().toImage();
}

void BarChartWindow::copyToClipboard()
{
    QGuiApplication::clipboard()->setImage(picture());
}

bool BarChartWindow::print()
{
    if (charts::printChart(report::currentPrinter(), m_bars, m_title))
        return true;
    dialogs::error(QStringLiteral("Chyba"),
                   QStringLiteral("Graf se nepodařilo vytisknout: tisková úloha nešla spustit."));
    return false;
}

bool BarChartWindow::saveAsPdf()
{
    const QString name = report::askPdfFileName();
    if (name.isEmpty())
        return false;
    if (!charts::writeChartPdf(name, m_bars, m_title) ||
        !report::confirmPdf(name, QStringLiteral("Graf byl uložen do souboru:"))) {
        dialogs::error(QStringLiteral("Chyba"),
                       QStringLiteral("Graf nelze uložit do souboru \"%1\".")
                           .arg(QDir::toNativeSeparators(name)));
        return false;
    }
    return true;
}

void BarChartWindow::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        m_print->setEnabled(m_session.printerAvailable());
    ScreenDialog::showEvent(event);
}

} // namespace velmora
