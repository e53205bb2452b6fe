#include "lending/BorrowerDialog.h"

#include "loans/LoanBook.h"
#include "platform/Colours.h"
#include "platform/DateBox.h"
#include "platform/Dialogs.h"
#include "platform/Widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

TKomu_pujcit::TKomu_pujcit(QWidget *parent)
    : TKomu_pujcit(QStringLiteral("Evidování zápujčky VK"),
                   QStringLiteral("Komu je kazeta půjčena     :"), parent)
{
}

TKomu_pujcit::TKomu_pujcit(const QString &caption, const QString &nameCaption, QWidget *parent)
    : ScreenDialog(parent)
{
    build(caption, nameCaption);
}

TKomu_pujcitCD::TKomu_pujcitCD(QWidget *parent)
    : TKomu_pujcit(QStringLiteral("Evidování zápujčky hudebního CD"),
                   QStringLiteral("Komu bude hudební CD půjčeno:"), parent)
{
}

QStringList TKomu_pujcit::dayChoices()
{
    QStringList days;
    for (int n = 1; n <= 14; ++n)
        days << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    days << QStringLiteral("21") << QStringLiteral("28");
    return days;
}

void TKomu_pujcit::build(const QString &caption, const QString &nameCaption)
{
    setObjectName(QStringLiteral("Komu_pujcit"));
    setWindowTitle(caption);
    setModal(true);

    m_name = new QComboBox(this);
    m_name->setObjectName(QStringLiteral("komu"));
    m_name->setEditable(true);
    m_name->setInsertPolicy(QComboBox::NoInsert);
    m_name->lineEdit()->setMaxLength(kBorrowerWidth);
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 22);
    auto *nameLabel = ui::caption(this, QStringLiteral("Label1"), nameCaption, m_name);

    m_date = new DateBox(this);
    m_date->setObjectName(QStringLiteral("od_kdy"));
    auto *dateLabel = ui::caption(this, QStringLiteral("Label2"),
                                  QStringLiteral("Od kdy evidovat zapůjčení ?"), m_date->edit());
    m_date->edit()->setAccessibleName(ui::spoken(dateLabel->text()));
    m_dateHint = ui::caption(this, QStringLiteral("Datum_chyba"));
    m_dateHint->setStyleSheet(colours::colourRule(m_dateHint, QColor(0x80, 0x00, 0x00)));

    m_days = new QComboBox(this);
    m_days->setObjectName(QStringLiteral("Poc_dni"));
    m_days->addItems(dayChoices());
    // As wide as its list opens, so the list lies under the box.
    m_days->setMinimumWidth(m_days->fontMetrics().averageCharWidth() * 12 + 30);
    auto *daysLabel = ui::caption(this, QStringLiteral("Label3"),
                                  QStringLiteral("Na kolik dní půjčeno         ?"), m_days);

    m_save = ui::button(this, QStringLiteral("Ulozit"), QStringLiteral("Uložit informaci"));
    m_save->setDefault(true);
    m_close = ui::button(this, QStringLiteral("Zavrit_okno"), QStringLiteral("&Zavřít okno"));
    auto *maker = ui::caption(this, QStringLiteral("Label_Norvane"), QStringLiteral("Norvane"));
    maker->setStyleSheet(colours::colourRule(maker, QColor(Qt::gray)) +
                         QStringLiteral(" font-size: 7pt"));

    auto *grid = new QGridLayout;
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(dateLabel, 1, 0);
    grid->addWidget(m_date, 1, 1);
    grid->addWidget(m_dateHint, 2, 1);
    grid->addWidget(daysLabel, 3, 0);
    grid->addWidget(m_days, 3, 1, Qt::AlignLeft);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(ui::row({maker}, {m_save, m_close}));

    connect(m_name, &QComboBox::editTextChanged, this, &TKomu_pujcit::retest);
    connect(m_days, &QComboBox::currentIndexChanged, this, &TKomu_pujcit::retest);
    connect(m_date, &DateBox::changed, this, &TKomu_pujcit::retest);
    connect(m_save, &QPushButton::clicked, this, &TKomu_pujcit::save);
    connect(m_close, &QPushButton::clicked, this, &TKomu_pujcit::cancel);
}

QString TKomu_pujcit::name() const
{
    return m_name->currentText().trimmed();
}

QDate TKomu_pujcit::from() const
{
    return m_date->date();
}

int TKomu_pujcit::days() const
{
    return m_days->currentText().toInt();
}

void TKomu_pujcit::FormShow()
{
    // The last confirmed name survives the rebuilt list.
    const QString kept = m_name->currentText();
    m_name->clear();
    m_name->addItems(formerBorrowers(m_archive));
    m_name->setEditText(kept);
    m_date->setDate(QDate::currentDate());
    m_days->setCurrentIndex(m_days->findText(QStringLiteral("07")));
    retest();
    m_name->setFocus();
}

void TKomu_pujcit::retest()
{
    // A date that does not read back would keep the lists of lent items
    // from judging the loan, so only a real day is stored.
    const bool dateOk = m_date->date().isValid();
    m_dateHint->setText(dateOk ? QString() : QStringLiteral("Zadejte platné datum."));
    m_dateHint->setVisible(!dateOk);
    m_save->setEnabled(!name().isEmpty() && dateOk);
}

void TKomu_pujcit::save()
{
    retest();
    if (m_save->isEnabled())
        accept();
}

void TKomu_pujcit::cancel()
{
    m_name->setEditText(QString());
    reject();
}

void TKomu_pujcit::askAndLend(Table &items, const QString &toldBeforeName)
{
    if (dialogs::exec(*this) != QDialog::Accepted || name().isEmpty())
        return;
    const Loan loan = newLoan(name(), from(), days());
    try {
        lendCurrent(items, loan);
        dialogs::information(QStringLiteral("Informace ..."), toldBeforeName + loan.borrower);
    } catch (const std::exception &e) {
        dialogs::showError(e);
    }
}

} // namespace velmora
