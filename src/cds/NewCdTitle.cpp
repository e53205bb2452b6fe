#include "cds/NewCdTitle.h"

#include "cassettes/ConfirmWindow.h"
#include "catalogue/CdCatalogue.h"
#include "catalogue/CdTitleMoves.h"
#include "cds/CatalogueStep.h"
#include "cds/CdTitleForm.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TNovy_CD_disk::TNovy_CD_disk(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Novy_CD_disk"));
    setWindowTitle(QStringLiteral("Vložení nového hudebního CD titulu ..."));
    m_form = new CdTitleForm(CdTitleForm::Kind::New, session, this);
    m_close = ui::button(this, QStringLiteral("BitBtn1"), QStringLiteral("&Zavřít okno"));
    m_save = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("Uložit CD titul"));
    m_save->setDefault(true);
    m_form->buttonRow()->addWidget(m_close);
    m_form->buttonRow()->addWidget(m_save);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_form);
    resize(900, 680);
    m_confirm = new ConfirmWindow(this);

    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_save, &QPushButton::clicked, this, &TNovy_CD_disk::BitBtn2Click);
}

TNovy_CD_disk::~TNovy_CD_disk() = default;

void TNovy_CD_disk::FormShow()
{
    m_closed = false;
    if (!m_confirm)
        m_confirm = new ConfirmWindow(this);
    prepare();
}

void TNovy_CD_disk::prepare()
{
    QComboBox *numbers = m_form->numberList();
    numbers->clear();
    try {
        const FreeNumbers offers = offerNewTitleNumbers(m_session.tables().CD_Table1);
        numbers->addItems(offers.offers);
        numbers->setCurrentIndex(numbers->findText(offers.preselected));
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
    m_form->fillLists();
    m_form->startNew();
    numbers->setFocus();
}

void TNovy_CD_disk::BitBtn2Click()
{
    if (m_form->numberList()->currentText().isEmpty()) {
        dialogs::warning(QStringLiteral("Upozornění:"),
                         QStringLiteral("Titul nemá číslo, nelze jej uložit."));
        return;
    }
    if (!m_form->checkLengths())
        return;
    Table &titles = m_session.tables().CD_Table1;
    Table &tracks = m_session.tables().CD_Table2;
    if (!runCatalogueStep([&] {
            openWhereClosed(titles);
            openWhereClosed(tracks);
            saveNewTitle(titles, tracks, m_form->content(), m_form->tracksToSave());
        }))
        return;
    if (m_confirm)
        m_confirm->popup();
    prepare();
}

void TNovy_CD_disk::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    closeTitleTables(m_session.tables().CD_Table1, m_session.tables().CD_Table2);
    delete m_confirm;
}

} // namespace velmora
