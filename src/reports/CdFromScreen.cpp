#include "reports/CdFromScreen.h"

#include "listing/CdListRuns.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace velmora {

TTisk_04::TTisk_04(Session &session, const QString &number, QWidget *parent)
    : CdTitleListScreen(session, parent), m_number(number)
{
    setObjectName(QStringLiteral("Tisk_04"));
    setWindowTitle(QStringLiteral("Tisk pouze vybraného intervalu hudebních CD titulů"));
    titleLabel()->setText(QStringLiteral("Vybraná tisková sestava:"));
    printButton()->setText(QStringLiteral("Vytiskni sestavu"));
}

void TTisk_04::FormShow()
{
    build();
}

void TTisk_04::build()
{
    if (busy())
        return;
    TableHandles &tables = session().tables();
    try {
        const auto closeTracks = qScopeGuard([&tables] { closeListTracks(tables, false); });
        const std::vector<int> records = titleRecordsFrom(tables, m_number);
        openListTracks(tables);
        writeTitles(CdListKind::From, records);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void TTisk_04::changeEvent(QEvent *event)
{
    CdTitleListScreen::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        pane()->setFocus();
}

TVyber_TiskCD::TVyber_TiskCD(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Vyber_TiskCD"));
    setWindowTitle(QStringLiteral("Od jakého čísla CD titulu se má tisknout ?"));
    auto *layout = new QVBoxLayout(this);
    m_numbers = new QComboBox(this);
    m_numbers->setObjectName(QStringLiteral("Vybrano"));
    m_numbers->setMinimumContentsLength(8);
    layout->addWidget(ui::caption(this, QStringLiteral("Label1"),
                                  QStringLiteral("Zvolte počáteční číslo CD titulu:"), m_numbers));
    layout->addWidget(m_numbers);
    auto *buttons = new QHBoxLayout;
    m_print = ui::button(this, QStringLiteral("BitBtn1"),
                         QStringLiteral("Ti&sknout od nastaveného titulu"));
    m_close = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("&Zavřít okno"));
    buttons->addWidget(m_print);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_numbers, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_print->setEnabled(index >= 0); });
    connect(m_print, &QPushButton::clicked, this, &TVyber_TiskCD::printFromChosen);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TVyber_TiskCD::FormShow()
{
    {
        const QSignalBlocker quiet(m_numbers);
        m_numbers->clear();
        m_numbers->addItems(listedTitleNumbers(m_session.tables()));
        m_numbers->setCurrentIndex(-1);
    }
    m_print->setEnabled(false);
    m_numbers->setFocus();
}

void TVyber_TiskCD::printFromChosen()
{
    if (m_numbers->currentIndex() < 0)
        return;
    {
        TTisk_04 report(m_session, m_numbers->currentText(), this);
        dialogs::exec(report);
    }
    m_numbers->setCurrentIndex(-1);
    m_print->setEnabled(false);
}

} // namespace velmora
