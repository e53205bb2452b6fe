#include "printing/Centr.h"

#include "core/Session.h"
#include "platform/Dialogs.h"
#include "printing/ReportPrint.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace velmora {

TCentr::TCentr(Session &, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Centr"));
    setWindowTitle(QStringLiteral("Hlavní nastavení tiskárny ze systému ..."));
    auto *layout = new QVBoxLayout(this);

    auto *label1 =
        new QLabel(QStringLiteral("Nastavená výchozí tiskárna pro operační systém:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(label1);

    m_printer = new QLabel(this);
    m_printer->setObjectName(QStringLiteral("Tiskarny"));
    m_printer->setFrameShape(QFrame::Panel);
    m_printer->setFrameShadow(QFrame::Sunken);
    m_printer->setAlignment(Qt::AlignCenter);
    m_printer->setMinimumHeight(m_printer->fontMetrics().height() * 2);
    m_printer->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_printer->font();
    bold.setBold(true);
    m_printer->setFont(bold);
    layout->addWidget(m_printer);

    auto *label2 =
        new QLabel(QStringLiteral("Tato tiskárna byla detekovaná jako systémová a výchozí."), this);
    label2->setObjectName(QStringLiteral("Label2"));
    layout->addWidget(label2);

    auto *buttons = new QHBoxLayout;
    m_setup = new QPushButton(QStringLiteral("Nastavení systémové tiskárny"), this);
    m_setup->setObjectName(QStringLiteral("Nastaveni"));
    auto *close = new QPushButton(QStringLiteral("&Zavřít okno"), this);
    close->setObjectName(QStringLiteral("Zavrit_okno"));
    close->setDefault(true);
    buttons->addWidget(m_setup);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(m_setup, &QPushButton::clicked, this, &TCentr::NastaveniClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TCentr::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TCentr::FormShow()
{
    const QString name = report::currentPrinterName();
    m_printer->setText(name.isEmpty() ? noPrinterText() : name);
}

void TCentr::NastaveniClick()
{
    // The dialog works on the run's printer, so what is chosen there is
    // what the next print job gets. The panel keeps its text.
    QPrintDialog setup(&report::currentPrinter(), this);
    setup.setObjectName(QStringLiteral("PrinterSetupDialog"));
    dialogs::exec(setup);
}

} // namespace velmora
