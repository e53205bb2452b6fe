#include "reports/LabelScreen.h"

#include "cassettes/BrowseCassette.h"
#include "platform/Colours.h"
#include "platform/Widgets.h"
#include "reports/Labels.h"
#include "session/Session.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TTisk_etiket::TTisk_etiket(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Tisk_etiket"));
    setWindowTitle(QStringLiteral("Vybraný tisk etikety na VK"));
    auto *layout = new QVBoxLayout(this);

    auto *caption = ui::caption(this, QStringLiteral("Label1"),
                                QStringLiteral("Nastaveno pro tisk kazety s číslem:"));
    m_number = ui::valueLabel(this, QStringLiteral("Cislo"), caption);
    m_number->setFrameShape(QFrame::Panel);
    m_number->setFrameShadow(QFrame::Sunken);
    m_number->setAlignment(Qt::AlignCenter);
    m_number->setMinimumHeight(m_number->fontMetrics().height() * 2);
    ui::setBold(m_number);
    layout->addWidget(caption);
    layout->addWidget(m_number);

    auto *maker = ui::caption(this, QStringLiteral("Label2"), QStringLiteral("Norvane"));
    QFont small = maker->font();
    if (small.pointSizeF() > 0)
        small.setPointSizeF(small.pointSizeF() * 0.8);
    maker->setFont(small);
    colours::setTextColour(maker, QColor(128, 128, 128));
    layout->addWidget(maker, 0, Qt::AlignRight);

    m_print = ui::button(this, QStringLiteral("BitBtn1"), QStringLiteral("Vytiskni etiketu"));
    m_print->setDefault(true);
    m_pdf = ui::button(this, QStringLiteral("Ulozit_PDF"), QStringLiteral("Uložit jako PDF ..."));
    auto *close = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("&Zavřít okno"));
    layout->addLayout(ui::row({m_print, m_pdf}, {close}));

    connect(m_print, &QPushButton::clicked, this, &TTisk_etiket::TiskClick);
    connect(m_pdf, &QPushButton::clicked, this, &TTisk_etiket::PdfClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TTisk_etiket::FormShow()
{
    const QString number = TProhlizej_kazetu::labelNumber();
    m_number->setText(number);
    m_found = false;
    m_print->setEnabled(false);
    m_pdf->setEnabled(false);
    // The browse screen leaves data.dbf on the cassette it shows; should
    // the table have moved since, the number finds it.
    const std::optional<CassetteRecord> cassette =
        labels::labelCassette(m_session.tables(), number);
    if (!cassette)
        return;
    m_cassette = *cassette;
    m_found = true;
    m_print->setEnabled(m_session.printerAvailable());
    m_pdf->setEnabled(true);
}

void TTisk_etiket::TiskClick()
{
    if (!m_found || !m_print->isEnabled())
        return;
    if (labels::printLabels(labels::singleJob(m_cassette)))
        accept();
}

void TTisk_etiket::PdfClick()
{
    if (m_found)
        labels::savePdf(labels::singleJob(m_cassette));
}

} // namespace velmora
