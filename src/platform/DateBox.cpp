#include "platform/DateBox.h"

#include "platform/Dialogs.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora {
namespace {

const QString kFormat = QStringLiteral("dd.MM.yyyy");

} // namespace

CalendarDialog::CalendarDialog(const QDate &initial, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Kalendar"));
    setWindowTitle(QStringLiteral("Vyberte si datum"));

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("Calendar"));
    m_calendar->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setGridVisible(true);
    m_calendar->setAccessibleName(windowTitle());
    m_calendar->setSelectedDate(initial.isValid() ? initial : QDate::currentDate());

    // A year back or forward in one step, beside the calendar's own month
    // arrows, which get their hints here too.
    if (auto *prev = m_calendar->findChild<QToolButton *>(QStringLiteral("qt_calendar_prevmonth")))
        prev->setToolTip(QStringLiteral("o měsíc dozadu"));
    if (auto *next = m_calendar->findChild<QToolButton *>(QStringLiteral("qt_calendar_nextmonth")))
        next->setToolTip(QStringLiteral("o měsíc dopředu"));
    auto *yearBack = new QToolButton(this);
    yearBack->setObjectName(QStringLiteral("RokZpet"));
    yearBack->setText(QStringLiteral("«"));
    yearBack->setToolTip(QStringLiteral("o rok dozadu"));
    yearBack->setAccessibleName(yearBack->toolTip());
    auto *yearOn = new QToolButton(this);
    yearOn->setObjectName(QStringLiteral("RokVpred"));
    yearOn->setText(QStringLiteral("»"));
    yearOn->setToolTip(QStringLiteral("o rok dopředu"));
    yearOn->setAccessibleName(yearOn->toolTip());
    connect(yearBack, &QToolButton::clicked, m_calendar, &QCalendarWidget::showPreviousYear);
    connect(yearOn, &QToolButton::clicked, m_calendar, &QCalendarWidget::showNextYear);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton *cancel =
        buttons->addButton(QStringLiteral("Zrušit"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(yearBack);
    bottom->addWidget(yearOn);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addLayout(bottom);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A double click or Enter on a day takes it at once.
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept);
}

QDate CalendarDialog::selectedDate() const
{
    return m_calendar->selectedDate();
}

DateBox::DateBox(QWidget *parent) : QWidget(parent)
{
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("DateEdit"));
    m_edit->setInputMask(QStringLiteral("99.99.9999; "));
    // Room for the ten characters of a date and the frame.
    m_edit->setMinimumWidth(m_edit->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) +
                            12);

    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("DateButton"));
    m_button->setText(QStringLiteral("..."));
    m_button->setToolTip(QStringLiteral("Vyberte si datum"));
    m_button->setAccessibleName(QStringLiteral("Kalendář"));
    m_button->setFocusPolicy(Qt::TabFocus);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    setFocusProxy(m_edit);

    connect(m_edit, &QLineEdit::textChanged, this, [this] {
        if (m_quiet == 0)
            emit changed();
    });
    connect(m_button, &QToolButton::clicked, this, &DateBox::pickDate);
}

QString DateBox::emptyText()
{
    return QStringLiteral("  .  .    ");
}

QDate DateBox::date() const
{
    return QDate::fromString(m_edit->displayText(), kFormat);
}

void DateBox::setDate(const QDate &date)
{
    ++m_quiet;
    m_edit->setText(date.isValid() ? date.toString(kFormat) : QString());
    --m_quiet;
}

void DateBox::clear()
{
    setDate(QDate());
}

bool DateBox::isEmpty() const
{
    const QString shown = m_edit->displayText();
    for (const QChar c : shown)
        if (c != QLatin1Char(' ') && c != QLatin1Char('.'))
            return false;
    return true;
}

void DateBox::pickDate()
{
    CalendarDialog dialog(date(), this);
    if (dialogs::exec(dialog) != QDialog::Accepted)
        return;
    const QDate picked = dialog.selectedDate();
    if (!picked.isValid() || picked == date())
        return;
    setDate(picked);
    emit changed();
}

} // namespace velmora
