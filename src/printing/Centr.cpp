#include "printing/Centr.h"

#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "printing/ReportPrint.h"
#include "session/Session.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace velmora {

TCentr::TCentr(Session &, QWidget *parent) : ScreenDialog(parent)
{
    setObjectName(QStringLiteral("Centr"));
    setWindowTitle(QStringLiteral("Hlavní nastavení tiskárny ze systému ..."));
    auto *layout = new QVBoxLayout(this);

    auto *label1 = ui::caption(this, QStringLiteral("Label1"),
                               QStringLiteral("Nastavená výchozí tiskárna pro operační systém:"));
    layout->addWidget(label1);

    m_printer = ui::valueLabel(this, QStringLiteral("Tiskarny"), label1);
    m_printer->setFrameShape(QFrame::Panel);
    m_printer->setFrameShadow(QFrame::Sunken);
    m_printer->setAlignment(Qt::AlignCenter);
    m_printer->setMinimumHeight(m_printer->fontMetrics().height() * 2);
    m_printer->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ui::setBold(m_printer);
    layout->addWidget(m_printer);

    auto *label2 =
        ui::caption(this, QStringLiteral("Label2"),
                    QStringLiteral("Tato tiskárna byla detekovaná jako systémová a výchozí."));
    layout->addWidget(label2);

    m_setup = ui::button(this, QStringLiteral("Nastaveni"),
                         QStringLiteral("Nastavení systémové tiskárny"));
    auto *close = ui::button(this, QStringLiteral("Zavrit_okno"), QStringLiteral("&Zavřít okno"));
    close->setDefault(true);
    layout->addLayout(ui::row({m_setup}, {close}));

    connect(m_setup, &QPushButton::clicked, this, &TCentr::NastaveniClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
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
