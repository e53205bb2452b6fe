// The items away from home: counts, the overdue-only list, the reminder at
// start, the content window, and loans whose start cannot be read.

#include "LendingFixture.h"
#include "core/Splash.h"
#include "lending/AwayModel.h"
#include "lending/AwayScreen.h"
#include "lending/FilmWindows.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTableView>

namespace velmora::test {
namespace {

class AwayTest : public LendingFixture
{
protected:
    struct Look
    {
        QStringList counts;
        QStringList rows;
        QStringList overdueRows;
        QString boxText, boxTextTicked;
        bool boxBoldTicked = false;
        bool startTicked = false;
        bool reminder = false;
        QColor colour;
        bool bold = false;
        QString title;
    };

    static QStringList rowsOf(QTableView *grid)
    {
        QStringList rows;
        for (int r = 0; r < grid->model()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 4; ++c)
                cells << grid->model()->index(r, c).data().toString();
            rows << cells.join('|');
        }
        return rows;
    }

    void look(const char *screenClass)
    {
        user.onScreen[screenClass] = [this](QDialog &d) {
            auto &s = static_cast<AwayScreen &>(d);
            seen.startTicked = s.overdueBox()->isChecked();
            if (seen.startTicked)
                s.overdueBox()->click();
            seen.counts = {s.lentCount()->text(), s.inTermCount()->text(),
                           s.overdueCount()->text()};
            seen.rows = rowsOf(s.grid());
            seen.boxText = s.overdueBox()->text();
            seen.reminder = s.reminder();
            if (s.grid()->model()->rowCount() > 0) {
                const QModelIndex i = s.grid()->model()->index(0, 0);
                seen.colour = i.data(Qt::ForegroundRole).value<QColor>();
                seen.bold = i.data(Qt::FontRole).value<QFont>().bold();
            }
            s.overdueBox()->click();
            seen.overdueRows = rowsOf(s.grid());
            seen.boxTextTicked = s.overdueBox()->text();
            seen.boxBoldTicked = s.overdueBox()->font().bold();
            if (s.titleLabel())
                seen.title = s.titleLabel()->text();
        };
    }

    Look seen;
};

TEST_F(AwayTest, FiveLentOfWhichTwoOverdueShowFiveThreeTwo)
{
    cassette("00001", {true, "Eva", daysAgo(8), 7});  // overdue
    cassette("00002", {true, "Adam", daysAgo(7), 7}); // the last day of the term
    cassette("00003");
    cassette("00004", {true, "Olga", daysAgo(1), 0}); // 0 days, from yesterday: overdue
    cassette("00005", {true, "Petr", today(), 0});    // 0 days, from today: in term
    cassette("00006", {true, "Jan", daysAgo(30), 30});
    look("TZobrazeni_zapujcek");
    run("lending.cassettesAway");

    EXPECT_EQ(seen.counts, (QStringList{"5", "3", "2"}));
    EXPECT_EQ(seen.rows,
              (QStringList{"00001|Eva|" + daysAgo(8) + "|7", "00002|Adam|" + daysAgo(7) + "|7",
                           "00004|Olga|" + daysAgo(1) + "|0", "00005|Petr|" + today() + "|0",
                           "00006|Jan|" + daysAgo(30) + "|30"}));
    EXPECT_EQ(seen.overdueRows,
              (QStringList{"00001|Eva|" + daysAgo(8) + "|7", "00004|Olga|" + daysAgo(1) + "|0"}));
    EXPECT_EQ(seen.boxText, "Zobrazit jen videokazety, u kterých termín vrácení vypršel !");
    EXPECT_EQ(seen.boxTextTicked, "Zobrazeny jen videokazety mimo termín vrácení !");
    EXPECT_TRUE(seen.boxBoldTicked);
    EXPECT_FALSE(seen.startTicked);
    // The menu opens it in normal mode: regular black.
    EXPECT_FALSE(seen.reminder);
    EXPECT_EQ(seen.colour, QColor(Qt::black));
    EXPECT_FALSE(seen.bold);
    EXPECT_FALSE(window->tables().Table1.isOpen());
    EXPECT_FALSE(window->tables().Table1.filtered());
}

TEST_F(AwayTest, NothingLentIsRefusedByTheMenu)
{
    cassette("00001");
    run("lending.cassettesAway");
    EXPECT_EQ(user.texts(), QStringList{"V databázi nejsou žádná data, nelze pokračovat!"});
    EXPECT_TRUE(user.screens.isEmpty());
}

TEST_F(AwayTest, TheReminderAtStartOpensTheListInBoldRed)
{
    startOnceBefore();
    SettingsStore::own().writeBool(settings::kKontrola, true);
    cassette("00001", {true, "Eva", daysAgo(20), 7});
    cassette("00002", {true, "Adam", today(), 7});
    look("TZobrazeni_zapujcek");
    start();
    user.answers = {true};
    firstShowing(*window, {});
    EXPECT_TRUE(user.screens.contains("TZobrazeni_zapujcek"));
    EXPECT_TRUE(seen.reminder);
    EXPECT_EQ(seen.colour, QColor(Qt::red));
    EXPECT_TRUE(seen.bold);
    EXPECT_EQ(seen.counts, (QStringList{"2", "1", "1"}));
    EXPECT_FALSE(window->tables().Table1.isOpen());
}

TEST_F(AwayTest, TheAutomaticCheckShowsOnlyTheOverdueOnes)
{
    cdTitle("00001", "Staré", {true, "Eva", daysAgo(20), 7});
    cdTitle("00002", "Nové", {true, "Adam", today(), 7});
    look("TZobrazeni_zapujcekCD");
    // Started by the log-on entry: the check screen's "Zobraz CD".
    window->settings().autoCheckEntry = true;
    user.onScreen["TSplashScreen2"] = [](QDialog &d) {
        static_cast<TSplashScreen2 &>(d).setPause(0);
        static_cast<TSplashScreen2 &>(d).showCds();
    };
    EXPECT_EQ(firstShowing(*window, {"/AutoRun"}), StartOutcome::End);
    EXPECT_EQ(user.screens, (QStringList{"TSplashScreen2", "TZobrazeni_zapujcekCD"}));
    EXPECT_TRUE(seen.reminder);
    EXPECT_FALSE(window->tables().CD_Table1.isOpen());
    EXPECT_TRUE(seen.startTicked);
    EXPECT_EQ(seen.counts, (QStringList{"2", "1", "1"}));
    EXPECT_EQ(seen.boxText, "Zobrazit jen CD tituly, u kterých termín vrácení vypršel !");
    EXPECT_EQ(seen.boxTextTicked, "Zobrazeny jen CD mimo termín vrácení !");
    EXPECT_EQ(seen.title, "Titul hudebního CD: Není nastaveno hudební CD ...");
}

TEST_F(AwayTest, AnUnreadableLoanStartIsListedAndNotCountedOverdue)
{
    cassette("00001", {true, "Eva", daysAgo(20), 7});
    cassette("00002");
    // Another dBASE writer stores a free text as the loan start of 00002.
    const QString script = QStringLiteral("import sys, dbf\n"
                                          "t = dbf.Table(sys.argv[1])\n"
                                          "t.open(dbf.READ_WRITE)\n"
                                          "for r in t:\n"
                                          "    if r.cislo.strip() == '00002':\n"
                                          "        with r:\n"
                                          "            r.pujceno = True\n"
                                          "            r.komu = 'Karel'\n"
                                          "            r.od_kdy = 'v pondeli'\n"
                                          "            r.delka_pujc = 7\n"
                                          "t.close()\n");
    int rc = -1;
    const QString out =
        runProgram("/usr/bin/python3", {"-c", script, Paths::dataFile("data.dbf")}, &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();

    look("TZobrazeni_zapujcek");
    run("lending.cassettesAway");
    EXPECT_EQ(seen.counts, (QStringList{"2", "1", "1"}));
    EXPECT_EQ(seen.rows,
              (QStringList{"00001|Eva|" + daysAgo(20) + "|7", "00002|Karel|nečitelné datum|7"}));
    // The start-up count passes over it too.
    Table t;
    t.setPath(Paths::dataFile("data.dbf"));
    t.open(Table::Mode::ReadOnly);
    EXPECT_EQ(countOverdue(t, QDate::currentDate()), 1);
}

TEST_F(AwayTest, TheContentWindowShowsTheFilmsOfTheChosenRow)
{
    cassette("00001", {true, "Eva", today(), 7}, 2);
    cassette("00002", {true, "Adam", today(), 7}, 3);
    QStringList films;
    QString number;
    bool shown = false, clearedOnClose = false;
    QPoint place;
    user.onScreen["TZobrazeni_zapujcek"] = [&](QDialog &d) {
        auto &s = static_cast<AwayScreen &>(d);
        s.filmsBox()->click();
        shown = s.filmsWindow()->isVisible();
        s.grid()->setCurrentIndex(s.grid()->model()->index(1, 0));
        films = s.filmsWindow()->films();
        number = s.filmsWindow()->numberLabel()->text();
        place = s.filmsWindow()->pos();
        s.filmsWindow()->close();
        clearedOnClose = !s.filmsBox()->isChecked();
    };
    run("lending.cassettesAway");
    EXPECT_TRUE(shown);
    EXPECT_EQ(number, "Nastavena kazeta: 00002");
    EXPECT_EQ(films, (QStringList{"00002 film 1", "00002 film 2", "00002 film 3", "", ""}));
    EXPECT_TRUE(clearedOnClose);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(place, QPoint(screen.width() - FilmListWindow::kFromRight, 0));
}

} // namespace
} // namespace velmora::test
