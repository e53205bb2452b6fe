// The date box: its empty mask, what it reads back from typing, and the
// calendar it opens through the modal seam.

#include "ScriptedAnswerer.h"
#include "platform/DateBox.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

// Types into the box as the user would, from its first position.
void type(DateBox &box, const QString &keys)
{
    box.edit()->setCursorPosition(0);
    QTest::keyClicks(box.edit(), keys);
}

} // namespace

TEST(DateBox, EmptyBoxShowsTheMaskAndHoldsNoDate)
{
    DateBox box;
    EXPECT_EQ(box.edit()->displayText(), "  .  .    ");
    EXPECT_EQ(DateBox::emptyText(), "  .  .    ");
    EXPECT_TRUE(box.isEmpty());
    EXPECT_FALSE(box.date().isValid());
}

TEST(DateBox, TypedDigitsFillTheMaskAndReportChanges)
{
    DateBox box;
    QSignalSpy spy(&box, &DateBox::changed);
    type(box, "05032002");
    EXPECT_EQ(box.edit()->displayText(), "05.03.2002");
    EXPECT_EQ(box.date(), QDate(2002, 3, 5));
    EXPECT_FALSE(box.isEmpty());
    EXPECT_EQ(spy.count(), 8);
    // Letters do not get into the mask.
    box.clear();
    type(box, "ab");
    EXPECT_TRUE(box.isEmpty());
}

TEST(DateBox, IncompleteOrImpossibleDatesReadAsNone)
{
    DateBox box;
    type(box, "0503");
    EXPECT_FALSE(box.isEmpty());
    EXPECT_FALSE(box.date().isValid());
    box.clear();
    type(box, "31022002"); // no 31st of February
    EXPECT_FALSE(box.date().isValid());
    box.clear();
    type(box, "29022000"); // a leap year
    EXPECT_EQ(box.date(), QDate(2000, 2, 29));
    box.clear();
    type(box, "29022001");
    EXPECT_FALSE(box.date().isValid());
}

TEST(DateBox, SettingDatesIsNotAUserChange)
{
    DateBox box;
    QSignalSpy spy(&box, &DateBox::changed);
    box.setDate(QDate(1999, 12, 31));
    EXPECT_EQ(box.edit()->displayText(), "31.12.1999");
    EXPECT_EQ(box.date(), QDate(1999, 12, 31));
    box.setDate(QDate());
    EXPECT_EQ(box.edit()->displayText(), "  .  .    ");
    EXPECT_TRUE(box.isEmpty());
    box.setDate(QDate(2001, 1, 2));
    box.clear();
    EXPECT_TRUE(box.isEmpty());
    EXPECT_EQ(spy.count(), 0);
}

TEST(DateBox, CalendarPickReplacesTheDate)
{
    test::ScriptedAnswerer user;
    DateBox box;
    box.setDate(QDate(2002, 5, 27));
    QSignalSpy spy(&box, &DateBox::changed);
    QString title;
    QDate shownAt;
    user.onScreen["CalendarDialog"] = [&](QDialog &d) {
        title = d.windowTitle();
        auto *cal = d.findChild<QCalendarWidget *>("Calendar");
        ASSERT_NE(cal, nullptr);
        shownAt = cal->selectedDate();
        cal->setSelectedDate(QDate(2002, 6, 14));
        d.findChild<QPushButton *>("OK")->click();
    };
    box.calendarButton()->click();
    EXPECT_EQ(user.screens, QStringList({"CalendarDialog"}));
    EXPECT_EQ(title, "Vyberte si datum");
    EXPECT_EQ(shownAt, QDate(2002, 5, 27)); // opens at the date in the box
    EXPECT_EQ(box.date(), QDate(2002, 6, 14));
    EXPECT_EQ(box.edit()->displayText(), "14.06.2002");
    EXPECT_EQ(spy.count(), 1);
}

TEST(DateBox, CancelledCalendarLeavesTheBoxAlone)
{
    test::ScriptedAnswerer user;
    DateBox box;
    QSignalSpy spy(&box, &DateBox::changed);
    QDate shownAt;
    user.onScreen["CalendarDialog"] = [&](QDialog &d) {
        auto *cal = d.findChild<QCalendarWidget *>("Calendar");
        shownAt = cal->selectedDate();
        cal->setSelectedDate(QDate(2010, 1, 1));
        d.findChild<QPushButton *>("Cancel")->click();
    };
    box.pickDate();
    EXPECT_EQ(shownAt, QDate::currentDate()); // an empty box opens at today
    EXPECT_TRUE(box.isEmpty());
    EXPECT_EQ(spy.count(), 0);
}

TEST(DateBox, DoubleClickOnADayTakesIt)
{
    test::ScriptedAnswerer user;
    DateBox box;
    user.onScreen["CalendarDialog"] = [](QDialog &d) {
        auto *cal = d.findChild<QCalendarWidget *>("Calendar");
        cal->setSelectedDate(QDate(2003, 4, 1));
        emit cal->activated(cal->selectedDate());
    };
    box.pickDate();
    EXPECT_EQ(box.date(), QDate(2003, 4, 1));
}
