#include "cds/DeleteCdTitle.h"

#include "catalogue/CdCatalogue.h"
#include "catalogue/CdTitleMoves.h"
#include "cds/CatalogueStep.h"
#include "cds/CdTitleDisplay.h"
#include "platform/Dialogs.h"
#include "platform/RecordNavigator.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TZrusit_CD::TZrusit_CD(Session &session, QWidget *parent) : ScreenDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Zrusit_CD"));
    setWindowTitle(QStringLiteral("Zrušení hudebního titulu natrvalo z databáze, včetně zvukových "
                                  "stop a členění na CD disky ..."));
    m_display =
        new CdTitleDisplay(session, false, QStringLiteral("Titul CD obsahuje tyto disky:"), this);
    auto *close = ui::button(this, QStringLiteral("Zavrit"), QStringLiteral("&Zavřít okno"));
    m_delete =
        ui::button(this, QStringLiteral("Zrusit"), QStringLiteral("&Zrušení hudebního titulu"));
    m_display->buttonRow()->addSpacing(12);
    m_display->buttonRow()->addWidget(close);
    m_display->buttonRow()->addWidget(m_delete);
    m_display->navigator()->installWheelOn(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_display);
    resize(860, 620);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_delete, &QPushButton::clicked, this, &TZrusit_CD::ZrusitClick);
    connect(m_display, &CdTitleDisplay::titleChanged, this, &TZrusit_CD::updateButton);
    // The delete button is the screen's cancel button: Esc asks the
    // deletion question instead of closing.
    setEscapeButton(m_delete);
}

void TZrusit_CD::FormShow()
{
    try {
        m_display->showFromLast();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    updateButton();
}

void TZrusit_CD::updateButton()
{
    m_delete->setEnabled(!m_display->title().number.isEmpty() && !m_display->title().loan.lent);
}

void TZrusit_CD::ZrusitClick()
{
    if (!m_delete->isEnabled())
        return;
    if (!dialogs::question(kQuestionCaption, kQuestion)) {
        dialogs::information(QStringLiteral("Informace:"), kCancelled);
        return;
    }
    Table &titles = m_session.tables().CD_Table1;
    Table &tracks = m_session.tables().CD_Table2;
    if (!runCatalogueStep([&] {
            openTracksToWrite(tracks);
            const DeleteOutcome outcome = deleteTitle(titles, tracks);
            if (outcome.sharedNumber)
                dialogs::information(
                    QStringLiteral("Informace:"),
                    QStringLiteral("Titul byl zrušen. Stejné číslo %1 nese v databázi ještě "
                                   "jiný titul; stopy tohoto čísla nelze od sebe rozlišit, a "
                                   "proto zůstaly tomu titulu.")
                        .arg(m_display->title().number));
        }))
        return;
    if (!anyTitleLeft(titles)) {
        dialogs::information(QStringLiteral("Rozhodnutí:"), kEmpty);
        reject();
        return;
    }
    FormShow();
}

void TZrusit_CD::FormClose()
{
    closeTracks(m_session.tables().CD_Table2);
}

} // namespace velmora
