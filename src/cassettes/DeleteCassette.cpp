#include "cassettes/DeleteCassette.h"

#include "cassettes/CassetteDisplay.h"
#include "catalogue/CassetteCatalogue.h"
#include "platform/Dialogs.h"
#include "platform/RecordNavigator.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace velmora {

TZrusit_vk::TZrusit_vk(Session &session, QWidget *parent) : ScreenDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Zrusit_vk"));
    setWindowTitle(kCaption);

    auto *layout = new QVBoxLayout(this);
    m_display = new CassetteDisplay(false, this);
    CassetteDisplay::Texts texts;
    texts.lent = QStringLiteral("Kazeta je půjčena!");
    texts.notLent = QStringLiteral("Kazeta není půjčena ...");
    m_display->setTexts(texts);
    layout->addWidget(m_display);

    m_close = ui::button(this, QStringLiteral("Zavrit"), QStringLiteral("&Zavřít okno"));
    m_delete = ui::button(this, QStringLiteral("Zrusit"), QStringLiteral("&Zrušení Videokazety"));
    m_display->buttonRow()->addWidget(m_close);
    m_display->buttonRow()->addSpacing(12);
    m_display->buttonRow()->addWidget(m_delete);
    m_display->navigator()->setHints(
        {QStringLiteral("První kazeta"), QStringLiteral("Předchozí kazeta"),
         QStringLiteral("Další kazeta"), QStringLiteral("Poslední kazeta")});
    m_display->navigator()->installWheelOn(this);
    m_display->setTable(&session.tables().Table1);

    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_delete, &QPushButton::clicked, this, &TZrusit_vk::ZrusitClick);
    // The delete button is the screen's cancel button: Esc asks the
    // deletion question instead of closing.
    setEscapeButton(m_delete);
}

void TZrusit_vk::FormShow()
{
    try {
        CassetteCatalogue(m_session.tables().Table1).orderByNumber();
        if (m_display->showFromLast()) {
            m_delete->setEnabled(true);
            return;
        }
    } catch (const std::exception &e) {
        dialogs::showError(e);
        return;
    }
    m_delete->setEnabled(false);
    dialogs::information(kInfo, kEmpty);
}

void TZrusit_vk::ZrusitClick()
{
    if (!dialogs::question(kQuestionCaption, kQuestion)) {
        dialogs::information(kInfo, kCancelled);
        return;
    }
    try {
        // The loan state does not matter: a lent cassette goes with its
        // loan, and its rows in the archive stay under its number.
        CassetteCatalogue(m_session.tables().Table1).deleteCurrent();
    } catch (const std::exception &e) {
        dialogs::showError(e);
        return;
    }
    FormShow();
}

void TZrusit_vk::FormClose()
{
    CassetteCatalogue(m_session.tables().Table1).showAll();
}

} // namespace velmora
