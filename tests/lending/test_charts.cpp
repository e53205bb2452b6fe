// The loan chart windows over the archives, as the menu opens them.

#include "LendingFixture.h"
#include "lending/LoanCharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPushButton>

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

} // namespace
} // namespace velmora::test
