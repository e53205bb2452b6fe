#include "printing/ReportScreen.h"

#include "platform/Dialogs.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPrint.h"
#include "printing/Waiting.h"
#include "session/Session.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QShowEvent>
#include <QVBoxLayout>

namespace velmora {

ReportScreen::ReportScreen(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    resize(760, 560);
    auto *layout = new QVBoxLayout(this);

    auto *top = new QFrame(this);
    top->setObjectName(QStringLiteral("Panel1"));
    top->setFrameShape(QFrame::StyledPanel);
    auto *topLayout = new QHBoxLayout(top);
    m_title = new QLabel(top);
    m_title->setObjectName(QStringLiteral("RxLabel1"));
    m_title->setTextFormat(Qt::PlainText);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    if (titleFont.pointSize() > 0)
        titleFont.setPointSize(titleFont.pointSize() + 4);
    m_title->setFont(titleFont);
    topLayout->addWidget(m_title);
    layout->addWidget(top);

    m_pane = new ReportPane(this);
    layout->addWidget(m_pane, 1);

    auto *bottom = new QFrame(this);
    bottom->setObjectName(QStringLiteral("Panel2"));
    bottom->setFrameShape(QFrame::StyledPanel);
    auto *bottomLayout = new QHBoxLayout(bottom);
    m_choices = new QHBoxLayout;
    bottomLayout->addLayout(m_choices);
    bottomLayout->addStretch(1);
    m_print = new QPushButton(QStringLiteral("Vytisknout sestavu"), bottom);
    m_print->setObjectName(QStringLiteral("Tisk"));
    m_pdf = new QPushButton(m_pane->savePdfAction()->text(), bottom);
    m_pdf->setObjectName(QStringLiteral("Ulozit_PDF"));
    m_close = new QPushButton(QStringLiteral("&Zavřít okno"), bottom);
    m_close->setObjectName(QStringLiteral("Zavrit_okno"));
    bottomLayout->addWidget(m_print);
    bottomLayout->addWidget(m_pdf);
    bottomLayout->addWidget(m_close);
    layout->addWidget(bottom);
    m_bottom = bottom;

    connect(m_print, &QPushButton::clicked, this, &ReportScreen::printReport);
    connect(m_pdf, &QPushButton::clicked, m_pane, &ReportPane::saveAsPdf);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

report::Mode ReportScreen::mode() const
{
    return report::modeFor(m_session.systemCode());
}

void ReportScreen::setBusy(bool busy)
{
    m_busy = busy;
    m_bottom->setEnabled(!busy);
    m_pane->savePdfAction()->setEnabled(!busy);
}

void ReportScreen::writeWithProgress(int count, const VisitingReport &report)
{
    if (m_busy)
        return;
    if (!m_waiting)
        m_waiting = new TWaiting_Form(this);
    try {
        setBusy(true);
        const auto finished = qScopeGuard([this] {
            m_waiting->finish();
            setBusy(false);
        });
        m_waiting->start(count);
        report::write(*m_pane, mode(),
                      [&](ReportWriter &w) { report(w, [this] { m_waiting->advance(); }); });
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void ReportScreen::done(int result)
{
    if (m_busy)
        return;
    QDialog::done(result);
}

void ReportScreen::printReport()
{
    m_print->setEnabled(false);
    m_close->setEnabled(false);
    // The pages are seen before paper is spent; closing the preview prints
    // nothing and leaves the screen as it was.
    const bool printed =
        dialogs::printPreview(report::currentPrinter(), [this](QPrinter &) { m_pane->print(); });
    if (!printed) {
        m_print->setEnabled(true);
        m_close->setEnabled(true);
        return;
    }
    // The screen ends with the click; callers do not look at the answer.
    done(QDialog::Rejected);
}

void ReportScreen::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    m_print->setEnabled(m_session.settings().printerAvailable);
    m_close->setEnabled(true);
    FormShow();
    m_pane->setFocus();
}

} // namespace velmora
