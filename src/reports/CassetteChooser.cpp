#include "reports/CassetteChooser.h"

#include "listing/CassetteListRuns.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "reports/CassetteFromScreen.h"
#include "session/Session.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TVyber_Tisk::TVyber_Tisk(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Vyber_Tisk"));
    setWindowTitle(QStringLiteral("Od jakého čísla VK se má tisknout ?"));

    auto *layout = new QVBoxLayout(this);
    m_numbers = new QComboBox(this);
    m_numbers->setObjectName(QStringLiteral("Vybrano"));
    m_numbers->setMinimumContentsLength(8);
    layout->addWidget(ui::caption(this, QStringLiteral("Label1"),
                                  QStringLiteral("Zvolte si počáteční číslo VK k tisku:"),
                                  m_numbers));
    layout->addWidget(m_numbers);
    auto *buttons = new QHBoxLayout;
    m_print = ui::button(this, QStringLiteral("BitBtn1"),
                         QStringLiteral("Ti&sknout od nastavené kazety"));
    QPushButton *close =
        ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("&Zavřít okno"));
    buttons->addWidget(m_print);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(m_numbers, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_print->setEnabled(index >= 0); });
    connect(m_print, &QPushButton::clicked, this, &TVyber_Tisk::printFromChosen);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TVyber_Tisk::FormShow()
{
    const QStringList numbers = listedCassetteNumbers(m_session.tables());
    {
        const QSignalBlocker quiet(m_numbers);
        m_numbers->clear();
        m_numbers->addItems(numbers);
        m_numbers->setCurrentIndex(-1);
    }
    m_print->setEnabled(false);
    m_numbers->setFocus();
}

void TVyber_Tisk::printFromChosen()
{
    if (m_numbers->currentIndex() < 0)
        return;
    m_chosen = m_numbers->currentText();
    {
        TTisk_02 list(m_session, m_chosen, this);
        dialogs::exec(list);
    }
    m_chosen.clear();
    m_numbers->setCurrentIndex(-1);
    m_print->setEnabled(false);
}

} // namespace velmora
