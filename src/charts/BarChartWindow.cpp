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
#include <QScrollArea>
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

    // Each bar keeps its width however many there are: a chart wider than
    // the window scrolls sideways instead of squeezing its labels.
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("GrafPosun"));
    m_scroll->setAccessibleName(QStringLiteral("Posun grafu"));
    m_scroll->setWidgetResizable(true);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidget(m_view);
    layout->addWidget(m_scroll, 1);

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
    // A new chart each time: one filled again keeps showing its old axis
    // labels until the event loop deletes them, and a copy made before then
    // would show both.
    auto *fresh = new QChart;
    fresh->setAnimationOptions(QChart::NoAnimation);
    charts::fillChart(*fresh, m_bars, m_title, charts::valueScale(m_bars));
    QChart *old = m_view->chart();
    m_view->setChart(fresh);
    delete old;
    m_chart = fresh;
    const int width = charts::chartWidthFor(m_bars.size());
    m_view->setMinimumWidth(width);
    // The scroll area fits the view on its next layout; done now, so that a
    // picture taken at once shows the chart at its new width.
    const QSize room = m_scroll->viewport()->size();
    m_view->resize(std::max(width, room.width()), room.height());
    m_chart->layout()->activate();
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
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty())
        dir = QDir::homePath();
    QString name = dialogs::saveFileName(QStringLiteral("Uložit jako PDF"), dir,
                                         QStringLiteral("Dokument PDF (*.pdf)"));
    if (name.isEmpty())
        return false;
    if (QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".pdf");
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
