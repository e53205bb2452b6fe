#pragma once

#include <QDate>
#include <QDialog>
#include <QWidget>

class QCalendarWidget;
class QLineEdit;
class QToolButton;

namespace velmora {

// The calendar that a date box opens: a month view with OK and cancel.
class CalendarDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CalendarDialog(const QDate &initial, QWidget *parent = nullptr);

    QCalendarWidget *calendar() const { return m_calendar; }
    QDate selectedDate() const;

private:
    QCalendarWidget *m_calendar = nullptr;
};

// A date entry: a masked line edit for dd.MM.yyyy that shows "  .  .    "
// while it holds no date, and a button that picks the date from a calendar.
class DateBox : public QWidget
{
    Q_OBJECT
public:
    explicit DateBox(QWidget *parent = nullptr);

    // The date shown; invalid while the box is empty, incomplete or holds a
    // day that does not exist.
    QDate date() const;
    // An invalid date empties the box. Does not report a change.
    void setDate(const QDate &date);
    void clear();
    bool isEmpty() const;

    QLineEdit *edit() const { return m_edit; }
    QToolButton *calendarButton() const { return m_button; }

    static QString emptyText(); // "  .  .    "

public slots:
    // Opens the calendar; a confirmed pick replaces the date.
    void pickDate();

signals:
    // The user typed into the box or picked a date.
    void changed();

private:
    QLineEdit *m_edit = nullptr;
    QToolButton *m_button = nullptr;
    int m_quiet = 0;
};

} // namespace velmora
