// The grid model over a table handle: rows follow the table's order and
// filter, and the grid's current row and the table's current record follow
// each other.

#include "TestEnv.h"
#include "engine/Table.h"
#include "platform/TableModel.h"

#include <QTableView>
#include <gtest/gtest.h>

using namespace velmora;

namespace {

void addRow(Table &t, const QString &name)
{
    t.append();
    t.setString("name", name);
    t.post();
}

TEST(TableModelTest, GridFollowsTheTable)
{
    test::TestEnv env;
    const QString path = env.file("t.dbf");
    Table::create(path, {FieldDef::string("name", 10), FieldDef::integer("num")}, {"name"});
    Table t;
    t.setPath(path);
    t.open();
    for (const char *s : {"c", "a", "b"})
        addRow(t, s);
    t.setIndex("name");
    TableModel model(&t, {{"name", "Jméno"}, {"num", "Číslo"}});
    QTableView view;
    TableModel::bind(&view, &model);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Jméno");
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "a");
    view.setCurrentIndex(model.index(2, 0));
    EXPECT_EQ(t.asString("name"), "c");
    t.first();
    EXPECT_EQ(view.currentIndex().row(), 0);
    addRow(t, "0");
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), "0");
    EXPECT_EQ(view.currentIndex().row(), 0);
    t.setFilter("name='b'");
    t.setFiltered(true);
    EXPECT_EQ(model.rowCount(), 1);
}

} // namespace
