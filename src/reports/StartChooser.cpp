#include "reports/StartChooser.h"

#include "platform/Widgets.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

StartChooser::StartChooser(Session &session, const Texts &texts, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    setObjectName(texts.objectName);
    setWindowTitle(texts.caption);

    auto *layout = new QVBoxLayout(this);
    m_numbers = new QComboBox(this);
    m_numbers->setObjectName(QStringLiteral("Vybrano"));
    m_numbers->setMinimumContentsLength(8);
    layout->addWidget(ui::caption(this, QStringLiteral("Label1"), texts.numbersCaption, m_numbers));
    layout->addWidget(m_numbers);
    auto *buttons = new QHBoxLayout;
    m_print = ui::button(this, QStringLiteral("BitBtn1"), texts.print);
    m_close = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("&Zavřít okno"));
    buttons->addWidget(m_print);
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_numbers, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_print->setEnabled(index >= 0); });
    connect(m_print, &QPushButton::clicked, this, &StartChooser::printFromChosen);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void StartChooser::FormShow()
{
    const QStringList numbers = offered();
    {
        const QSignalBlocker quiet(m_numbers);
        m_numbers->clear();
        m_numbers->addItems(numbers);
        m_numbers->setCurrentIndex(-1);
    }
    m_print->setEnabled(false);
    m_numbers->setFocus();
}

void StartChooser::printFromChosen()
{
    if (m_numbers->currentIndex() < 0)
        return;
    m_chosen = m_numbers->currentText();
    showListFrom(m_chosen);
    m_chosen.clear();
    m_numbers->setCurrentIndex(-1);
    m_print->setEnabled(false);
}

} // namespace velmora
