#include "cds/ShowCdTitles.h"

#include "catalogue/CdTitleMoves.h"
#include "cds/CdTitleDisplay.h"
#include "platform/Dialogs.h"
#include "platform/RecordNavigator.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TZobrazit_CD_Data::TZobrazit_CD_Data(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Zobrazit_CD_Data"));
    setWindowTitle(QStringLiteral("Zobrazení hudebních titulů, jejich členění na jednotlivé CD a "
                                  "seznam hudebních stop daných CD ... "));
    m_display = new CdTitleDisplay(
        session, true, QStringLiteral("Titul CD obsahuje tyto disky se zvukovými stopami:"), this);
    auto *close = ui::button(this, QStringLiteral("Zavrit"), QStringLiteral("&Zavřít okno"));
    m_display->buttonRow()->addSpacing(12);
    m_display->buttonRow()->addWidget(close);
    m_display->navigator()->installWheelOn(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_display);
    resize(860, 640);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TZobrazit_CD_Data::FormShow()
{
    try {
        m_display->showFromLast();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void TZobrazit_CD_Data::FormClose()
{
    closeTracks(m_session.tables().CD_Table2);
}

} // namespace velmora
