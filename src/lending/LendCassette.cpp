#include "lending/LendCassette.h"

#include "cassettes/CassetteDisplay.h"
#include "catalogue/CassetteCatalogue.h"
#include "lending/BorrowerDialog.h"
#include "lending/KindScreen.h"
#include "loans/LendingViews.h"
#include "platform/RecordNavigator.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TZapsat_pujceni::TZapsat_pujceni(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Zapsat_pujceni"));
    setWindowTitle(QStringLiteral("Vyberte si, kterou kazetu chcete někomu zapůjčit ..."));

    auto *layout = new QVBoxLayout(this);
    m_display = new CassetteDisplay(true, this);
    m_display->setTapeTimeVisible(false);
    m_display->setFirstStartAlwaysShown(true);
    m_display->loanLabel()->setObjectName(QStringLiteral("pujceno"));
    layout->addWidget(m_display);

    m_lend = ui::button(this, QStringLiteral("Pujceni"), QStringLiteral("Zapůjčit kazetu"));
    m_close = ui::button(this, QStringLiteral("Zavrit_okno"), QStringLiteral("&Zavřít okno"));
    m_display->buttonRow()->addWidget(m_lend);
    m_display->buttonRow()->addSpacing(12);
    m_display->buttonRow()->addWidget(m_close);
    lendingNavigator(*m_display->navigator(), *this);
    m_display->setTable(&session.tables().Table1);

    m_borrower = new TKomu_pujcit(this);
    m_borrower->setArchivePath(session.tables().Table2.path());

    connect(m_display, &CassetteDisplay::cassetteChanged, this, &TZapsat_pujceni::refresh);
    connect(m_lend, &QPushButton::clicked, this, &TZapsat_pujceni::PujceniClick);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TZapsat_pujceni::FormShow()
{
    m_display->showFromLast();
    refresh();
}

void TZapsat_pujceni::refresh()
{
    m_lend->setEnabled(currentAtHome(m_session.tables().Table1));
}

void TZapsat_pujceni::PujceniClick()
{
    m_borrower->askAndLend(m_session.tables().Table1,
                           QStringLiteral("Kazeta byla zaevidována na jméno: "));
    m_display->showCurrent();
    refresh();
}

void TZapsat_pujceni::FormClose()
{
    CassetteCatalogue(m_session.tables().Table1).showAll();
}

} // namespace velmora
