#include "search/SearchResults.h"

#include "platform/Widgets.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPane.h"

#include <QBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

namespace velmora {
namespace {

// The gauge moves every 1024 lines: a step of a progress bar may repaint
// it at once, which would cost more than the line itself.
constexpr int kGaugeStep = 1024;

} // namespace

void showSearchResults(ReportPane &pane, report::Mode mode, QProgressBar &gauge, QWidget &details,
                       const QString &notFound, int count,
                       const std::function<QString(int)> &lineAt, const SearchPaneStyle &style)
{
    if (count > 0) {
        gauge.setRange(0, count);
        gauge.setValue(0);
    }
    report::write(pane, mode, [&](ReportWriter &w) {
        writeSearchResults(
            w, notFound, count, lineAt,
            [&gauge](int written) {
                if (written % kGaugeStep == 0)
                    gauge.setValue(written);
            },
            style);
    });
    if (count > 0) {
        gauge.setValue(count);
        details.show();
    } else {
        gauge.setRange(0, 100);
        gauge.setValue(100);
        details.hide();
    }
}

void clearSearchResults(ReportPane &pane, QProgressBar &gauge, QWidget &details)
{
    details.hide();
    pane.clearReport();
    gauge.setRange(0, 100);
    gauge.setValue(0);
}

ResultArea addResultArea(QWidget &screen, QBoxLayout &layout, const QString &captionName)
{
    ResultArea a;
    a.pane = new ReportPane(&screen);
    a.pane->setToolTip(QStringLiteral("Výsledky hledání ..."));
    a.pane->setAccessibleName(QStringLiteral("Výsledky hledání"));
    layout.addWidget(a.pane, 1);

    auto *bottom = new QHBoxLayout;
    a.progress = new QProgressBar(&screen);
    a.progress->setObjectName(QStringLiteral("Stav"));
    a.progress->setAccessibleName(QStringLiteral("Stav prohledávání"));
    a.progress->setRange(0, 100);
    a.progress->setValue(0);
    QLabel *caption =
        ui::caption(&screen, captionName, QStringLiteral("Stav prohledávání:"), a.progress);
    a.details = ui::button(&screen, QStringLiteral("BitBtn3"), QStringLiteral("Zobrazit detaily"));
    a.close = ui::button(&screen, QStringLiteral("BitBtn1"), QStringLiteral("&Zavřít okno"));
    bottom->addWidget(caption);
    bottom->addWidget(a.progress, 1);
    bottom->addSpacing(12);
    bottom->addWidget(a.details);
    bottom->addWidget(a.close);
    layout.addLayout(bottom);
    return a;
}

} // namespace velmora
