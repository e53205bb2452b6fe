#include "cds/TrackLengthDialog.h"

#include "catalogue/CassetteRules.h"
#include "platform/Widgets.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora {
namespace {

QString padded(const QString &box)
{
    return box.isEmpty() ? QStringLiteral("00") : PadNumber(box.toInt(), 2);
}

} // namespace

TZapis_Delku::TZapis_Delku(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Zapis_Delku"));
    setWindowTitle(QStringLiteral("Délka skladby:"));
    setModal(true);

    m_number = ui::valueLabel(this, QStringLiteral("Cislo_stopy"),
                              QStringLiteral("Zadejte délku skladby číslo:"));
    auto *numberCaption =
        ui::caption(this, QStringLiteral("Label1"), QStringLiteral("Zadejte délku skladby číslo:"));
    ui::nameValue(numberCaption, m_number);
    ui::setBold(m_number);

    m_min = new QLineEdit(this);
    m_min->setObjectName(QStringLiteral("Min"));
    m_sek = new QLineEdit(this);
    m_sek->setObjectName(QStringLiteral("Sek"));
    for (QLineEdit *box : {m_min, m_sek}) {
        box->setMaxLength(2);
        box->setMaximumWidth(40);
        box->setAlignment(Qt::AlignCenter);
        ui::digitsOnly(box);
        box->installEventFilter(this);
    }
    m_min->setAccessibleName(QStringLiteral("minuty"));
    m_sek->setAccessibleName(QStringLiteral("sekundy"));
    auto *units = ui::caption(this, QStringLiteral("Label2"), QStringLiteral("minuty  :  sekundy"));

    m_confirm = ui::button(this, QStringLiteral("Zapsat"), QStringLiteral("Zapsat informaci"));
    m_confirm->setDefault(true);
    auto *close = ui::button(this, QStringLiteral("Zavrit"), QStringLiteral("&Zavřít"));

    auto *boxes = new QHBoxLayout;
    boxes->addStretch();
    boxes->addWidget(m_min);
    boxes->addWidget(new QLabel(QStringLiteral(":"), this));
    boxes->addWidget(m_sek);
    boxes->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(ui::row({numberCaption, m_number}));
    layout->addWidget(units, 0, Qt::AlignHCenter);
    layout->addLayout(boxes);
    layout->addLayout(ui::row({}, {m_confirm, close}));

    connect(m_confirm, &QPushButton::clicked, this, &TZapis_Delku::ZapsatClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TZapis_Delku::prepare(int track, const QString &length)
{
    m_number->setText(QString::number(track));
    m_min->setText(length.left(2).trimmed());
    m_sek->setText(length.mid(3, 2).trimmed());
    m_min->setFocus();
    m_min->selectAll();
}

QString TZapis_Delku::length() const
{
    return padded(m_min->text()) + QLatin1Char(':') + padded(m_sek->text());
}

bool TZapis_Delku::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && (watched == m_min || watched == m_sek)) {
        auto *box = static_cast<QLineEdit *>(watched);
        if (box->text().isEmpty())
            box->setText(QStringLiteral("00"));
        else if (box->text().toInt() > 59 && isVisible())
            QTimer::singleShot(0, box, [box] {
                box->setFocus();
                box->selectAll();
            });
    }
    return QDialog::eventFilter(watched, event);
}

void TZapis_Delku::ZapsatClick()
{
    for (QLineEdit *box : {m_min, m_sek})
        if (box->text().toInt() > 59) {
            box->setFocus();
            box->selectAll();
            return;
        }
    accept();
}

void TZapis_Delku::done(int result)
{
    m_min->setText(padded(m_min->text()));
    m_sek->setText(padded(m_sek->text()));
    QDialog::done(result);
}

} // namespace velmora
