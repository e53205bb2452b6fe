// Returning lent items: the archive row, the cleared loan, the warnings,
// and a return that cannot be written.

#include "LendingFixture.h"
#include "engine/DbError.h"
#include "lending/ReturnScreen.h"
#include "platform/TableModel.h"

#include <QFile>
#include <QLabel>
#include <QTableView>
#include <QTest>

namespace velmora::test {
namespace {

class ReturnTest : public LendingFixture
{
protected:
    // Double clicks the rows of the given numbers in turn; records the
    // count label after each and the title label for CDs.
    void returnRows(const char *screenClass, QStringList numbers)
    {
        user.onScreen[screenClass] = [this, numbers](QDialog &d) {
            auto &screen = static_cast<ReturnScreen &>(d);
            counts << screen.countLabel()->text();
            for (const QString &n : numbers) {
                QTableView *grid = screen.grid();
                int row = -1;
                for (int r = 0; r < grid->model()->rowCount(); ++r)
                    if (grid->model()->index(r, 0).data().toString() == n)
                        row = r;
                if (row >= 0) {
                    grid->setCurrentIndex(grid->model()->index(row, 0));
                    emit grid->clicked(grid->currentIndex());
                    if (screen.titleLabel())
                        titles << screen.titleLabel()->text();
                }
                // The user's double click: on the row, or anywhere on an empty list.
                const QPoint at = row >= 0 ? grid->visualRect(grid->model()->index(row, 0)).center()
                                           : grid->viewport()->rect().center();
                QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
                counts << screen.countLabel()->text();
                if (screen.titleLabel())
                    titles << screen.titleLabel()->text();
            }
        };
        if (QByteArray(screenClass) == "TVraceni_CDForm")
            run("lending.returnCd", TTitul::Cds);
        else
            run("lending.returnCassette");
    }

    QStringList counts;
    QStringList titles;
};

TEST_F(ReturnTest, AReturnWritesOneArchiveRowAndClearsTheLoanKeepingItsLength)
{
    cassette("00001", {true, "Eva", "01.02.2002", 7});
    cassette("00002");
    cassette("00003", {true, "Adam", "03.02.2002", 21});
    returnRows("TVraceni_kazety", {"00003", "00001", "00001"});

    EXPECT_EQ(counts, (QStringList{"2", "1", "0", "0"}));
    EXPECT_EQ(loanOf(ItemKind::Cassette, "00003"), "F|||21");
    EXPECT_EQ(loanOf(ItemKind::Cassette, "00001"), "F|||7");
    // Rows in the order of the returns, read by another dBASE reader.
    EXPECT_EQ(dbfreadArchive(ItemKind::Cassette),
              (QStringList{"00003|Adam|03.02.2002|Vrácení: " + today(),
                           "00001|Eva|01.02.2002|Vrácení: " + today()}));
    // Two questions, then the warning when nothing is lent any more.
    ASSERT_EQ(user.shown.size(), 3);
    EXPECT_EQ(user.shown[0].caption, "Vrácení kazety...");
    EXPECT_EQ(user.shown[0].text, "Chcete vybranou kazetu od teď evidovat jako vrácenou ?");
    EXPECT_EQ(user.shown[2].kind, MessageKind::Warning);
    EXPECT_EQ(user.shown[2].caption, "Varování:");
    EXPECT_EQ(user.shown[2].text, "Není co vracet, žádná kazeta není vedena jako půjčená ...");
    // The menu's table is left closed and without the screen's filter.
    EXPECT_FALSE(window->tables().Table1.isOpen());
    EXPECT_FALSE(window->tables().Table1.filtered());
}

// A loan start that another program stored and that is not a date: shown
// as stored with the mark, its row standing out; returned, the archive
// keeps the stored text.
TEST_F(ReturnTest, AnUnreadableLoanStartIsShownAsStoredMarkedAndArchivedAsItWas)
{
    cassette("00001", {true, "Eva", "01.02.2002", 7});
    cassette("00002");
    foreignLoan(ItemKind::Cassette, "00002", "Karel", "v pondělí", 7);
    QStringList dates;
    QList<QColor> colours;
    QString tip;
    user.onScreen["TVraceni_kazety"] = [&](QDialog &d) {
        const QAbstractItemModel *m = static_cast<ReturnScreen &>(d).grid()->model();
        for (int r = 0; r < m->rowCount(); ++r) {
            dates << m->index(r, 2).data().toString();
            colours << m->index(r, 0).data(Qt::ForegroundRole).value<QColor>();
        }
        tip = m->index(1, 2).data(Qt::ToolTipRole).toString();
    };
    run("lending.returnCassette");
    EXPECT_EQ(dates, (QStringList{"01.02.2002", "v pondělí (nečitelné datum)"}));
    ASSERT_EQ(colours.size(), 2);
    EXPECT_FALSE(colours[0].isValid());
    EXPECT_TRUE(colours[1].isValid());
    EXPECT_TRUE(tip.contains("nelze přečíst")) << tip.toStdString();

    returnRows("TVraceni_kazety", {"00002"});
    EXPECT_EQ(dbfreadArchive(ItemKind::Cassette),
              QStringList{"00002|Karel|v pondělí|Vrácení: " + today()});
    EXPECT_EQ(loanOf(ItemKind::Cassette, "00002"), "F|||7");
}

TEST_F(ReturnTest, AnUnreadableCdLoanStartIsMarkedOnTheCdScreen)
{
    cdTitle("00001", "Jedno");
    foreignLoan(ItemKind::Cd, "00001", "Olga", "32.13.2020", 3);
    QStringList dates;
    user.onScreen["TVraceni_CDForm"] = [&](QDialog &d) {
        const QAbstractItemModel *m = static_cast<ReturnScreen &>(d).grid()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            dates << m->index(r, 2).data().toString();
    };
    run("lending.returnCd", TTitul::Cds);
    EXPECT_EQ(dates, QStringList{"32.13.2020 (nečitelné datum)"});
}

TEST_F(ReturnTest, NoKeepsTheLoan)
{
    cassette("00001", {true, "Eva", "01.02.2002", 7});
    user.answers = {false};
    returnRows("TVraceni_kazety", {"00001"});
    EXPECT_EQ(loanOf(ItemKind::Cassette, "00001"), "T|Eva|01.02.2002|7");
    EXPECT_TRUE(dbfreadArchive(ItemKind::Cassette).isEmpty());
}

TEST_F(ReturnTest, ACdReturnKeepsTheTitleInTheArchiveAndTheLabelFollows)
{
    const QString longTitle = QString("Čtyřicet znaků dlouhý název hudebního CD").left(40);
    cdTitle("00001", longTitle, {true, "Olga", "05.05.2005", 3});
    cdTitle("00002", "Jiné", {true, "Petr", "06.05.2005", 3});
    returnRows("TVraceni_CDForm", {"00001", "00002"});
    EXPECT_EQ(titles,
              (QStringList{"Titul hudebního CD: " + longTitle, "Titul hudebního CD: " + longTitle,
                           "Titul hudebního CD: Jiné", "Titul hudebního CD: Není nastaven ..."}));
    EXPECT_EQ(dbfreadArchive(ItemKind::Cd),
              (QStringList{"00001|Olga|05.05.2005|Vrácení: " + today() + "|" + longTitle,
                           "00002|Petr|06.05.2005|Vrácení: " + today() + "|Jiné"}));
    EXPECT_EQ(user.shown[0].caption, "Vrácení CD ...");
    EXPECT_EQ(user.shown[0].text, "Chcete vybrané hudební CD od teď evidovat jako vrácené ?");
    EXPECT_EQ(loanOf(ItemKind::Cd, "00001"), "F|||3");
}

TEST_F(ReturnTest, NothingLentGivesTheWarningOnTheCdScreen)
{
    cdTitle("00001", "Doma");
    returnRows("TVraceni_CDForm", {"00001"});
    EXPECT_EQ(counts, (QStringList{"0", "0"}));
    EXPECT_EQ(user.texts(), QStringList{"Není co vracet, žádné CD není vedené jako zapůjčené ..."});
}

TEST_F(ReturnTest, AnArchiveThatCannotBeWrittenLeavesTheItemLentAndSaysSo)
{
    cassette("00001", {true, "Eva", "01.02.2002", 7});
    // An archive damaged by another program: the return cannot be written.
    QFile f(archivePath(ItemKind::Cassette));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("not a table");
    f.close();
    returnRows("TVraceni_kazety", {"00001"});
    EXPECT_EQ(loanOf(ItemKind::Cassette, "00001"), "T|Eva|01.02.2002|7");
    ASSERT_EQ(user.shown.size(), 2);
    EXPECT_EQ(user.shown[1].kind, MessageKind::Error);
    EXPECT_TRUE(user.shown[1].text.contains("zůstává vedena jako půjčená"))
        << user.shown[1].text.toStdString();
    EXPECT_EQ(counts, (QStringList{"1", "1"}));
}

// Without a mouse: the row is chosen with the arrow keys, Enter or Space
// asks the same question; Yes archives, No keeps the loan, and the window
// stays open either way.
TEST_F(ReturnTest, EnterAndSpaceOnTheCurrentRowReturnItLikeTheDoubleClick)
{
    cassette("00001", {true, "Eva", "01.02.2002", 7});
    cassette("00002", {true, "Adam", "03.02.2002", 21});
    cassette("00003", {true, "Olga", "04.02.2002", 14});
    user.answers = {false, true, true};
    QStringList rows;
    bool stillOpen = true;
    user.onScreen["TVraceni_kazety"] = [&](QDialog &d) {
        auto &screen = static_cast<ReturnScreen &>(d);
        QTableView *grid = screen.grid();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(grid, Qt::Key_Down); // 00002
        rows << grid->currentIndex().siblingAtColumn(0).data().toString();
        QTest::keyClick(grid, Qt::Key_Return); // answered No
        counts << screen.countLabel()->text();
        QTest::keyClick(grid, Qt::Key_Space); // Yes
        counts << screen.countLabel()->text();
        QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
        rows << grid->currentIndex().siblingAtColumn(0).data().toString();
        QTest::keyClick(grid, Qt::Key_Enter, Qt::KeypadModifier); // Yes
        counts << screen.countLabel()->text();
        stillOpen = d.isVisible();
    };
    run("lending.returnCassette");
    EXPECT_EQ(rows, (QStringList{"00002", "00001"}));
    EXPECT_EQ(counts, (QStringList{"3", "2", "1"}));
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(user.shown.size(), 3);
    for (const auto &s : user.shown) {
        EXPECT_EQ(s.kind, MessageKind::Question);
        EXPECT_EQ(s.text, "Chcete vybranou kazetu od teď evidovat jako vrácenou ?");
    }
    EXPECT_EQ(dbfreadArchive(ItemKind::Cassette),
              (QStringList{"00002|Adam|03.02.2002|Vrácení: " + today(),
                           "00001|Eva|01.02.2002|Vrácení: " + today()}));
    EXPECT_EQ(loanOf(ItemKind::Cassette, "00003"), "T|Olga|04.02.2002|14");
}

TEST_F(ReturnTest, EnterOnTheCdScreenReturnsTheCdAndOnAnEmptyListSaysNothingIsLent)
{
    cdTitle("00001", "Jedno", {true, "Olga", "05.05.2005", 3});
    user.onScreen["TVraceni_CDForm"] = [&](QDialog &d) {
        auto &screen = static_cast<ReturnScreen &>(d);
        QTableView *grid = screen.grid();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(grid, Qt::Key_Return);
        counts << screen.countLabel()->text();
        QTest::keyClick(grid, Qt::Key_Space);
        counts << screen.countLabel()->text();
    };
    run("lending.returnCd", TTitul::Cds);
    EXPECT_EQ(counts, (QStringList{"0", "0"}));
    EXPECT_EQ(user.texts(),
              (QStringList{"Chcete vybrané hudební CD od teď evidovat jako vrácené ?",
                           "Není co vracet, žádné CD není vedené jako zapůjčené ..."}));
    EXPECT_EQ(dbfreadArchive(ItemKind::Cd),
              QStringList{"00001|Olga|05.05.2005|Vrácení: " + today() + "|Jedno"});
    EXPECT_EQ(loanOf(ItemKind::Cd, "00001"), "F|||3");
}

TEST(ReturnBook, AnItemThatCannotBeClearedTakesItsArchiveRowBack)
{
    TestEnv env;
    const QString items = env.file("data.dbf");
    Table::create(items, schema::cassettes().fields);
    Table::create(env.file("archiv.dbf"), schema::cassetteArchive().fields);
    Table t;
    t.setPath(items);
    t.open();
    t.append();
    setCassetteFields(t, [] {
        CassetteRecord c;
        c.number = "00001";
        c.loan = {true, "Eva", "01.02.2002", 7};
        return c;
    }());
    t.post();
    t.close();
    // The items are opened read-only: the archive row is posted, the loan
    // cannot be cleared.
    t.open(Table::Mode::ReadOnly);
    t.first();
    EXPECT_THROW(returnCurrent(ItemKind::Cassette, t, env.file("archiv.dbf"), QDate(2002, 2, 10)),
                 ReturnError);
    Table archive;
    archive.setPath(env.file("archiv.dbf"));
    archive.open(Table::Mode::ReadOnly);
    EXPECT_EQ(archive.recordCount(), 0);
    EXPECT_TRUE(LoanColumns(t).read(t).lent);
}

} // namespace
} // namespace velmora::test
