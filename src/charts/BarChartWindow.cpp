#include "charts/BarChartWindow.h"

#include "core/Session.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "printing/ReportPrint.h"

#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QShowEvent>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>

namespace velmora {

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
    layout->addWidget(m_view, 1);
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

    auto *buttons = new QHBoxLayout;
    m_copy = ui::button(this, QStringLiteral("Kopirovat"),
                        QStringLiteral("Kopírovat graf do schránky Windows"));
    m_print = ui::button(this, QStringLiteral("Tisk"), QStringLiteral("&Vytiskni graf (Naležato)"));
    m_pdf = ui::button(this, QStringLiteral("Ulozit_PDF"), QStringLiteral("Uložit jako PDF ..."));
    m_close = ui::button(this, QStringLiteral("Zavrit"), QStringLiteral("Zavřít"));
    buttons->addWidget(m_copy);
    buttons->addStretch(1);
    buttons->addWidget(m_print);
    buttons->addWidget(m_pdf);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

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
    m_bars = std::move(bars);
    rebuild();
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
    if (!charts::writeChartPdf(name, m_bars, m_title)) {
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
