#include "reports/LabelsScreen.h"

#include "platform/Dialogs.h"
#include "platform/Widgets.h"
#include "session/Session.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QVBoxLayout>

namespace velmora {
namespace {

QStringListModel *numbers(QComboBox *box)
{
    return static_cast<QStringListModel *>(box->model());
}

} // namespace

TVice_Etiket::TVice_Etiket(Session &session, QWidget *parent)
    : ScreenDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("Vice_Etiket"));
    setWindowTitle(QStringLiteral("Nastavení tisku více etiket na VK najednou"));
    auto *layout = new QVBoxLayout(this);

    auto *title = ui::caption(this, QStringLiteral("Label1"),
                              QStringLiteral("Tisk více etiket na videokazety"));
    QFont big = title->font();
    big.setBold(true);
    if (big.pointSizeF() > 0)
        big.setPointSizeF(big.pointSizeF() + 4);
    title->setFont(big);
    layout->addWidget(title);

    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("Vyber_zpusob"));
    m_kind->addItems({QStringLiteral("Tisknout obě etikety (horní a dolní)"),
                      QStringLiteral("Tisknout pouze horní etikety"),
                      QStringLiteral("Tisknout pouze spodní etikety")});
    // Tens of thousands of numbers: the lists share the strings of one
    // list, and their width is that of a number, not measured item by item.
    for (QComboBox **box : {&m_min, &m_max}) {
        *box = new QComboBox(this);
        (*box)->setModel(new QStringListModel(*box));
        (*box)->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        (*box)->setMinimumContentsLength(8);
    }
    m_min->setObjectName(QStringLiteral("Min_VK"));
    m_max->setObjectName(QStringLiteral("Max_VK"));

    auto *grid = new QGridLayout;
    grid->addWidget(ui::caption(this, QStringLiteral("Label2"),
                                QStringLiteral("Jaké etikety chcete tisknout ?"), m_kind),
                    0, 0);
    grid->addWidget(m_kind, 0, 1, 1, 2);
    grid->addWidget(ui::caption(this, QStringLiteral("Label3"),
                                QStringLiteral("Nastavení první tištěné etikety"), m_min),
                    1, 0);
    grid->addWidget(m_min, 1, 1);
    grid->addWidget(ui::caption(this, QStringLiteral("Label4"), QStringLiteral("( včetně )")), 1,
                    2);
    grid->addWidget(ui::caption(this, QStringLiteral("Label5"),
                                QStringLiteral("Nastavení poslední tištěné etikety"), m_max),
                    2, 0);
    grid->addWidget(m_max, 2, 1);
    grid->addWidget(ui::caption(this, QStringLiteral("Label6"), QStringLiteral("( včetně )")), 2,
                    2);
    layout->addLayout(grid);

    m_estimate = ui::valueLabel(this, QStringLiteral("Label8"),
                                QStringLiteral("Potřebujete k vytištění"), labels::estimateText(0));
    ui::setBold(m_estimate);
    layout->addWidget(m_estimate);

    auto *info = new QPlainTextEdit(this);
    info->setObjectName(QStringLiteral("Memo1"));
    info->setReadOnly(true);
    info->setAccessibleName(QStringLiteral("Informace"));
    info->setPlainText(QStringList{
        QStringLiteral("Informace:"),
        QStringLiteral("Při tomto tisku bude maximálně využita velikost formátu A4. "
                       "Samostatně jsou tištěny horní "),
        QStringLiteral("a spodní etikety. Pokud zvolíte tisk třeba 20 etiket, budou "
                       "vytištěny nejprve všechny horní "),
        QStringLiteral("a potom všechny spodní etikety."), QString(),
        QStringLiteral("Není vhodné pro tištění jedné etikety (vytisknou se 2 papíry) !!")}
                           .join(QLatin1Char('\n')));
    info->setMaximumHeight(info->fontMetrics().lineSpacing() * 9);
    layout->addWidget(info);

    m_print =
        ui::button(this, QStringLiteral("BitBtn1"), QStringLiteral("Tisknout podle nastavení"));
    m_pdf = ui::button(this, QStringLiteral("Ulozit_PDF"), QStringLiteral("Uložit jako PDF ..."));
    auto *close = ui::button(this, QStringLiteral("BitBtn2"), QStringLiteral("&Zavřít okno"));
    layout->addLayout(ui::row({m_print, m_pdf}, {close}));

    connect(m_min, &QComboBox::currentIndexChanged, this, &TVice_Etiket::firstChosen);
    connect(m_max, &QComboBox::currentIndexChanged, this, &TVice_Etiket::estimate);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &TVice_Etiket::estimate);
    connect(m_print, &QPushButton::clicked, this, &TVice_Etiket::TiskClick);
    connect(m_pdf, &QPushButton::clicked, this, &TVice_Etiket::PdfClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TVice_Etiket::FormShow()
{
    m_order = {};
    {
        const QSignalBlocker quietKind(m_kind), quietMin(m_min), quietMax(m_max);
        m_kind->setCurrentIndex(0);
        m_order = labels::offeredOrder(m_session.tables());
        numbers(m_min)->setStringList(m_order.numbers);
        numbers(m_max)->setStringList(m_order.numbers);
        m_min->setCurrentIndex(0);
        m_max->setCurrentIndex(int(m_max->count()) - 1);
    }
    m_min->setFocus();
    estimate();
    m_print->setEnabled(m_session.printerAvailable());
}

void TVice_Etiket::firstChosen()
{
    // The last label can only follow the first: the list starts again at
    // the number chosen, and that number is the last one until another is.
    {
        const QSignalBlocker quiet(m_max);
        const int from = m_min->currentIndex();
        numbers(m_max)->setStringList(from >= 0 ? m_order.numbers.mid(from) : QStringList());
        m_max->setCurrentIndex(m_max->count() > 0 ? 0 : -1);
    }
    estimate();
}

labels::Span TVice_Etiket::chosen() const
{
    return labels::rangeSpan(m_order.numbers, m_min->currentText(), m_max->currentText());
}

labels::Choice TVice_Etiket::choice() const
{
    return labels::Choice(qMax(0, m_kind->currentIndex()));
}

void TVice_Etiket::estimate()
{
    m_estimate->setText(labels::estimateText(labels::sheetsNeeded(chosen().count(), choice())));
}

labels::Job TVice_Etiket::job()
{
    return labels::sheetJob(labels::readSpan(m_session.tables(), m_order, chosen()), choice());
}

void TVice_Etiket::TiskClick()
{
    if (!m_print->isEnabled() || chosen().count() == 0)
        return;
    try {
        if (labels::printLabels(job()))
            accept();
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

void TVice_Etiket::PdfClick()
{
    if (chosen().count() == 0)
        return;
    try {
        labels::savePdf(job());
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

} // namespace velmora
