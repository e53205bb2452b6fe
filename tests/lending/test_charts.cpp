// The loan chart windows over the archives, as the menu opens them.

#include "LendingFixture.h"
#include "lending/LoanCharts.h"

#include <QAccessible>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace velmora::test {
namespace {

class ChartTest : public LendingFixture
{
protected:
    struct Seen
    {
        QString caption;
        QStringList titles;
        QStringList categories;
        QList<qreal> values;
        QSize picture;
    };

    void look(const char *screenClass)
    {
        user.onScreen[screenClass] = [this](QDialog &d) {
            auto &w = static_cast<LoanChartWindow &>(d);
            Seen s;
            s.caption = w.windowTitle();
            s.titles = w.titleLines();
            const auto axes = w.chart()->axes(Qt::Horizontal);
            if (!axes.isEmpty())
                s.categories = static_cast<QBarCategoryAxis *>(axes.first())->categories();
            const auto series = w.chart()->series();
            if (!series.isEmpty()) {
                QBarSet *set = static_cast<QBarSeries *>(series.first())->barSets().first();
                for (int i = 0; i < set->count(); ++i)
                    s.values << set->at(i);
            }
            s.picture = w.picture().size();
            seen << s;
        };
    }

    QList<Seen> seen;
};

TEST_F(ChartTest, PerCassetteEveryCassetteHasABarAndDeletedOnesNone)
{
    cassette("00003");
    cassette("00001");
    cassette("00002");
    archived(ItemKind::Cassette, "00001", "Eva");
    archived(ItemKind::Cassette, "00003", "Eva");
    archived(ItemKind::Cassette, "00001", "Adam");
    archived(ItemKind::Cassette, "00007", "Eva"); // deleted since
    look("TZobraz_archiv_vk_dografu");
    look("TZobraz_archiv_vk_dografu2");
    run("lending.cassetteChartByNumber");
    run("lending.cassetteChartByPerson");
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0].caption, "Grafické zobrazení  archivu půjčovaných Videokazet ...");
    EXPECT_EQ(seen[0].titles,
              (QStringList{"Statistika půjčování videokazet - zobrazení podle jednotlivých čísel "
                           "videokazet",
                           "(zobrazen je počet půjčení dané videokazety)"}));
    EXPECT_EQ(seen[0].categories, (QStringList{"00001", "00002", "00003"}));
    EXPECT_EQ(seen[0].values, (QList<qreal>{2, 0, 1}));
    // Per borrower the deleted cassette's loan counts.
    EXPECT_EQ(seen[1].caption, "Grafické zobrazení  archivu půjčovaných Videokazet podle "
                               "půjčujících ...");
    EXPECT_EQ(seen[1].titles[1], "(zobrazen je počet půjčení videokazet)");
    EXPECT_EQ(seen[1].categories, (QStringList{"Adam", "Eva"}));
    EXPECT_EQ(seen[1].values, (QList<qreal>{1, 3}));
    EXPECT_FALSE(window->tables().Table2.isOpen());
}

TEST_F(ChartTest, CdChartsAndAFreshSeriesAtEachOpening)
{
    cdTitle("00001", "A");
    cdTitle("00002", "B");
    archived(ItemKind::Cd, "00002", "Olga");
    look("TZobraz_archiv_cd_dografu");
    look("TZobraz_archiv_cd_dografu2");
    run("lending.cdChartByNumber", TTitul::Cds);
    archived(ItemKind::Cd, "00002", "Petr");
    run("lending.cdChartByNumber", TTitul::Cds);
    run("lending.cdChartByPerson", TTitul::Cds);
    ASSERT_EQ(seen.size(), 3);
    EXPECT_EQ(seen[0].titles[0],
              "Statistika půjčování hudebních CD - zobrazení podle jednotlivých čísel CD");
    EXPECT_EQ(seen[0].values, (QList<qreal>{0, 1}));
    EXPECT_EQ(seen[1].values, (QList<qreal>{0, 2}));
    EXPECT_EQ(seen[2].caption,
              "Grafické zobrazení  archivu půjčovaných hudebních CD podle půjčujících ...");
    EXPECT_EQ(seen[2].titles[1], "(zobrazen je počet půjčení hudebního CD)");
    EXPECT_EQ(seen[2].categories, (QStringList{"Olga", "Petr"}));
}

TEST_F(ChartTest, AnEmptyArchiveOpensNoChartAndCopyWorksWithoutAPrinter)
{
    run("lending.cassetteChartByPerson");
    EXPECT_EQ(user.texts(), QStringList{"V databázi nejsou žádná data, nelze pokračovat!"});
    EXPECT_TRUE(user.screens.isEmpty());

    window->settings().printerAvailable = false;
    archived(ItemKind::Cassette, "00001", "Eva");
    bool printEnabled = true;
    QImage copied;
    user.onScreen["TZobraz_archiv_vk_dografu2"] = [&](QDialog &d) {
        printEnabled = d.findChild<QPushButton *>("Tisk")->isEnabled();
        d.findChild<QPushButton *>("Kopirovat")->click();
        copied = QGuiApplication::clipboard()->image();
    };
    run("lending.cassetteChartByPerson");
    EXPECT_FALSE(printEnabled);
    EXPECT_FALSE(copied.isNull());
}

// Without the picture: every bar's label and value as text in the table
// "Hodnoty", reached from the chart by Tab or by its caption's Alt+H, and a
// summary in the chart's description, both read as AT-SPI reads them.
TEST_F(ChartTest, TheValuesAreTextInATableTheKeyboardReaches)
{
    for (int i = 0; i < 3; ++i)
        archived(ItemKind::Cassette, "00001", "Eva");
    archived(ItemKind::Cassette, "00002", "Adam");
    QStringList cells;
    QString described;
    QWidget *afterTab = nullptr;
    QWidget *afterAlt = nullptr;
    QWidget *table = nullptr;
    user.onScreen["TZobraz_archiv_vk_dografu2"] = [&](QDialog &d) {
        auto &w = static_cast<LoanChartWindow &>(d);
        table = w.valuesTable();
        QAccessibleInterface *t = QAccessible::queryAccessibleInterface(table);
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->text(QAccessible::Name), "Hodnoty");
        QAccessibleTableInterface *grid = t->tableInterface();
        ASSERT_NE(grid, nullptr);
        ASSERT_EQ(grid->rowCount(), 2);
        ASSERT_EQ(grid->columnCount(), 2);
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 2; ++c)
                cells << grid->cellAt(r, c)->text(QAccessible::Name);
        described =
            QAccessible::queryAccessibleInterface(w.chartView())->text(QAccessible::Description);

        w.chartView()->setFocus();
        QTest::keyClick(w.chartView(), Qt::Key_Tab);
        afterTab = QApplication::focusWidget();
        w.chartView()->setFocus();
        QTest::keyClick(w.chartView(), Qt::Key_H, Qt::AltModifier);
        afterAlt = QApplication::focusWidget();
    };
    run("lending.cassetteChartByPerson");
    EXPECT_EQ(cells, (QStringList{"Adam", "1", "Eva", "3"}));
    EXPECT_TRUE(described.startsWith("Statistika půjčování videokazet - zobrazení podle "
                                     "jednotlivých jmen půjčujících (zobrazen je počet půjčení "
                                     "videokazet)"))
        << described.toStdString();
    EXPECT_TRUE(described.contains("2 sloupce")) << described.toStdString();
    EXPECT_TRUE(described.contains("nejvyšší 3 (Eva)")) << described.toStdString();
    EXPECT_TRUE(described.contains("celkem 4")) << described.toStdString();
    EXPECT_EQ(afterTab, table);
    EXPECT_EQ(afterAlt, table);
}

// More bars than the chart shows at once: moving through the table with
// the keys brings the chosen bar into the chart, and the description tells
// which run of bars is shown.
TEST_F(ChartTest, ChoosingARowOfTheValuesShowsItsBar)
{
    for (int i = 1; i <= 150; ++i)
        cassette(QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')));
    archived(ItemKind::Cassette, "00150", "Eva");
    archived(ItemKind::Cassette, "00150", "Adam");
    QStringList shownAtStart;
    QStringList shownAtEnd;
    QString describedAtStart;
    QString describedAtEnd;
    QString lastRow;
    user.onScreen["TZobraz_archiv_vk_dografu"] = [&](QDialog &d) {
        auto &w = static_cast<LoanChartWindow &>(d);
        const auto categories = [&w] {
            return static_cast<QBarCategoryAxis *>(w.chart()->axes(Qt::Horizontal).first())
                ->categories();
        };
        shownAtStart = categories();
        describedAtStart = w.chartView()->accessibleDescription();
        w.valuesTable()->setFocus();
        QTest::keyClick(w.valuesTable(), Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(w.valuesTable(), Qt::Key_End, Qt::ControlModifier);
        lastRow = w.valuesTable()->currentIndex().siblingAtColumn(0).data().toString();
        shownAtEnd = categories();
        describedAtEnd = w.chartView()->accessibleDescription();
    };
    run("lending.cassetteChartByNumber");
    ASSERT_FALSE(shownAtStart.isEmpty());
    ASSERT_LT(shownAtStart.size(), 150) << "the window shows every bar; nothing to scroll";
    EXPECT_EQ(shownAtStart.first(), "00001");
    EXPECT_EQ(lastRow, "00150");
    ASSERT_FALSE(shownAtEnd.isEmpty());
    EXPECT_EQ(shownAtEnd.last(), "00150");
    EXPECT_TRUE(describedAtStart.contains("150 sloupců")) << describedAtStart.toStdString();
    EXPECT_TRUE(describedAtStart.contains("nejvyšší 2 (00150)")) << describedAtStart.toStdString();
    EXPECT_TRUE(describedAtStart.contains(
        QStringLiteral("zobrazeny sloupce 1 až %1").arg(shownAtStart.size())))
        << describedAtStart.toStdString();
    EXPECT_TRUE(describedAtEnd.contains(
        QStringLiteral("zobrazeny sloupce %1 až 150").arg(151 - shownAtEnd.size())))
        << describedAtEnd.toStdString();
}

} // namespace
} // namespace velmora::test
