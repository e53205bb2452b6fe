// The record navigator and the jump list over real tables on disk: the
// buttons at the ends, following moves made elsewhere, the wheel of a
// screen, and the list that reports only the user's choices.

#include "ScriptedAnswerer.h"
#include "TestEnv.h"
#include "engine/Table.h"
#include "platform/JumpList.h"
#include "platform/RecordNavigator.h"
#include "storage/FieldValues.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

class Navigation : public ::testing::Test
{
protected:
    // Numbers appended out of order, so the index order differs from the
    // order of the file.
    void makeTable(const QStringList &numbers)
    {
        Table::create(env.file("nav.dbf"),
                      {FieldDef::string("cislo", 5), FieldDef::string("pozn", 20)}, {"cislo"});
        table.setPath(env.file("nav.dbf"));
        table.open();
        for (const QString &n : numbers) {
            table.append();
            table.setString("cislo", n);
            table.setString("pozn", n == "00002" ? "two" : "other");
            table.post();
        }
        table.setIndex("cislo");
        table.first();
    }

    QString current() const { return table.asString("cislo"); }

    QToolButton *button(RecordNavigator &nav, const char *name)
    {
        return nav.findChild<QToolButton *>(QLatin1String(name));
    }

    // First, Prior, Next, Last as "1" for enabled and "0" for disabled.
    QString buttons(RecordNavigator &nav)
    {
        QString out;
        for (const char *n : {"First", "Prior", "Next", "Last"})
            out += button(nav, n)->isEnabled() ? '1' : '0';
        return out;
    }

    static void wheel(QWidget *over, int dy)
    {
        QWheelEvent e(QPointF(5, 5), over->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, dy),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &e);
    }

    test::TestEnv env;
    test::ScriptedAnswerer user;
    Table table;
};

} // namespace

TEST_F(Navigation, ButtonsWalkTheIndexOrderAndStopAtTheEnds)
{
    makeTable({"00003", "00001", "00004", "00002"});
    RecordNavigator nav;
    nav.setTable(&table);
    QSignalSpy moved(&nav, &RecordNavigator::moved);

    EXPECT_EQ(current(), "00001");
    EXPECT_EQ(buttons(nav), "0011");
    button(nav, "Next")->click();
    EXPECT_EQ(current(), "00002");
    EXPECT_EQ(buttons(nav), "1111");
    EXPECT_EQ(moved.count(), 1);
    button(nav, "Last")->click();
    EXPECT_EQ(current(), "00004");
    EXPECT_EQ(buttons(nav), "1100");
    button(nav, "Prior")->click();
    EXPECT_EQ(current(), "00003");
    button(nav, "First")->click();
    EXPECT_EQ(current(), "00001");
    EXPECT_EQ(buttons(nav), "0011");
    EXPECT_EQ(moved.count(), 4);
    // A disabled button does nothing.
    button(nav, "Prior")->click();
    EXPECT_EQ(moved.count(), 4);
    EXPECT_EQ(current(), "00001");
}

TEST_F(Navigation, ButtonsFollowMovesFiltersDeletionsAndClosing)
{
    makeTable({"00003", "00001", "00004", "00002"});
    RecordNavigator nav;
    nav.setTable(&table);

    // Moved by someone else: a locate to the last record.
    ASSERT_TRUE(table.locate("cislo", "0000", true));
    EXPECT_EQ(current(), "00001");
    ASSERT_TRUE(table.locate("cislo", "00004"));
    EXPECT_EQ(buttons(nav), "1100");

    // A filter narrows the ends: "00002" is the only record left.
    table.setFilter("pozn='two'");
    table.setFiltered(true);
    table.first();
    EXPECT_EQ(current(), "00002");
    EXPECT_EQ(buttons(nav), "0000");
    table.setFiltered(false);
    table.first();
    EXPECT_EQ(buttons(nav), "0011");

    // Deleting the last record makes the one before it the last.
    table.last();
    table.deleteRecord();
    EXPECT_EQ(current(), "00003");
    EXPECT_EQ(buttons(nav), "1100");

    // Another order of the same records.
    table.setIndex(QString());
    table.first();
    EXPECT_EQ(current(), "00003");
    EXPECT_EQ(buttons(nav), "0011");

    table.close();
    EXPECT_EQ(buttons(nav), "0000");
    table.open();
    EXPECT_EQ(buttons(nav), "0011");
}

TEST_F(Navigation, SingleAndEmptyTablesAndNoTable)
{
    makeTable({"00007"});
    RecordNavigator nav;
    EXPECT_EQ(buttons(nav), "0000");
    nav.setTable(&table);
    EXPECT_EQ(buttons(nav), "0000");
    table.deleteRecord();
    EXPECT_EQ(buttons(nav), "0000");
    table.append();
    table.setString("cislo", "00008");
    table.post();
    table.append();
    table.setString("cislo", "00009");
    table.post();
    EXPECT_EQ(current(), "00009");
    EXPECT_EQ(buttons(nav), "1100");
    nav.setTable(nullptr);
    EXPECT_EQ(buttons(nav), "0000");
}

TEST_F(Navigation, HintsAreTooltipsAndAccessibleNames)
{
    RecordNavigator nav;
    nav.setHints({"První kazeta", "Předchozí kazeta", "Další kazeta", "Poslední kazeta"});
    EXPECT_EQ(button(nav, "First")->toolTip(), "První kazeta");
    EXPECT_EQ(button(nav, "Prior")->toolTip(), "Předchozí kazeta");
    EXPECT_EQ(button(nav, "Next")->accessibleName(), "Další kazeta");
    EXPECT_EQ(button(nav, "Last")->accessibleName(), "Poslední kazeta");
}

TEST_F(Navigation, WheelOverTheScreenMovesAndStaysOffWhenDisabled)
{
    makeTable({"00002", "00001", "00003"});
    QWidget screen;
    auto *layout = new QVBoxLayout(&screen);
    auto *label = new QLabel("Číslo", &screen);
    auto *list = new JumpList(&screen);
    auto *nav = new RecordNavigator(&screen);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(nav);
    nav->setTable(&table);
    nav->installWheelOn(&screen);
    list->fill(visibleValues(table, "cislo"), currentValue(table, "cislo"));
    QSignalSpy moved(nav, &RecordNavigator::moved);
    QSignalSpy chosen(list, &JumpList::chosen);
    QWidget outside;

    wheel(label, -120); // towards the user
    EXPECT_EQ(current(), "00002");
    wheel(list, -120); // the list does not take the wheel for itself
    EXPECT_EQ(current(), "00003");
    EXPECT_EQ(list->currentText(), "00001");
    EXPECT_EQ(chosen.count(), 0);
    EXPECT_EQ(moved.count(), 2);
    wheel(&screen, -120); // at the end nothing moves
    EXPECT_EQ(current(), "00003");
    EXPECT_EQ(moved.count(), 2);
    wheel(nav, 120); // away from the user
    EXPECT_EQ(current(), "00002");
    EXPECT_EQ(moved.count(), 3);
    wheel(&outside, 120); // not over the screen
    EXPECT_EQ(current(), "00002");

    nav->setEnabled(false);
    wheel(label, 120);
    wheel(label, -120);
    EXPECT_EQ(current(), "00002");
    EXPECT_EQ(moved.count(), 3);
    nav->setEnabled(true);
    EXPECT_EQ(buttons(*nav), "1111");
    wheel(label, 120);
    EXPECT_EQ(current(), "00001");
    EXPECT_EQ(moved.count(), 4);
}

TEST_F(Navigation, JumpListFillsInOrderKeepsTheRecordAndReportsOnlyChoices)
{
    makeTable({"00003", "00001", "00004", "00002"});
    ASSERT_TRUE(table.locate("cislo", "00003"));
    JumpList list;
    QSignalSpy chosen(&list, &JumpList::chosen);
    list.fill(visibleValues(table, "cislo"), currentValue(table, "cislo"));
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(list.itemText(0), "00001");
    EXPECT_EQ(list.itemText(3), "00004");
    EXPECT_FALSE(list.isEditable());
    EXPECT_EQ(current(), "00003");
    EXPECT_EQ(list.currentText(), "00003");

    list.follow("00004");
    EXPECT_EQ(list.currentIndex(), 3);
    list.follow("00009");
    EXPECT_EQ(list.currentIndex(), -1);
    EXPECT_EQ(chosen.count(), 0);

    // The user steps through the closed list with the keyboard.
    list.follow("00002");
    QTest::keyClick(&list, Qt::Key_Down);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), "00003");

    // A refill replaces the entries; a filter leaves out what it hides.
    table.setFilter("pozn='other'");
    table.setFiltered(true);
    table.first();
    list.fill(visibleValues(table, "cislo"), currentValue(table, "cislo"));
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.findText("00002"), -1);
    EXPECT_EQ(chosen.count(), 1);
}
