// The film search screen, run through the cassette menu command over a real
// data.dbf: the criteria, the reset after every change and both pane modes.

#include "FilmSearchFixture.h"

using namespace velmora;
using namespace velmora::test;
using namespace velmora::test::films;

TEST_F(FilmSearchTest, EmptyCatalogueNeverReachesTheScreen)
{
    window->runEntry(*window->entryFor(QStringLiteral("search.films")));
    EXPECT_TRUE(user.screens.isEmpty());
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].text, kNoData);
}

TEST_F(FilmSearchTest, OpeningCountsAndStartsWithEverythingButTheTextDisabled)
{
    catalogue();
    run([&](Screen &s) {
        EXPECT_EQ(s.s.windowTitle(), "Vyhledávání filmů podle nastavených parametrů ...");
        // The screen finds data.dbf open in number order and leaves it so.
        EXPECT_TRUE(window->tables().Table1.isOpen());
        EXPECT_EQ(window->tables().Table1.index(), "cislo");
        EXPECT_EQ(child<QLabel>(s.s, "pocet")->text(), "3");
        EXPECT_EQ(child<QLabel>(s.s, "Pocet2")->text(), "6");
        EXPECT_TRUE(s.text()->text().isEmpty());
        EXPECT_EQ(s.text()->toolTip(), "vložte hledaný řetězec ...");
        EXPECT_FALSE(s.searchButton()->isEnabled());
        EXPECT_FALSE(s.detailsButton()->isVisible());
        EXPECT_FALSE(s.caseBox()->isChecked());
        EXPECT_FALSE(s.caseBox()->isEnabled());
        EXPECT_FALSE(s.genreBox()->isChecked());
        EXPECT_FALSE(s.genreBox()->isEnabled());
        EXPECT_FALSE(s.genres()->isEnabled());
        EXPECT_EQ(s.genres()->currentIndex(), 0);
        EXPECT_TRUE(s.radio(4)->isChecked());
        for (int n = 1; n <= 4; ++n)
            EXPECT_FALSE(s.radio(n)->isEnabled());
        EXPECT_EQ(s.radio(4)->text(), "Nevím, jak je nahrán");
        EXPECT_EQ(s.searchButton()->text(), "Vyhledat !");
        EXPECT_EQ(s.closeButton()->text(), "&Zavřít okno");
        EXPECT_EQ(s.gauge()->value(), 0);
        EXPECT_EQ(s.found(), "0");
        EXPECT_TRUE(s.lines().isEmpty());
        EXPECT_EQ(s.s.pane()->toolTip(), "Výsledky hledání ...");

        QTest::keyClicks(s.text(), "a");
        EXPECT_TRUE(s.searchButton()->isEnabled());
        EXPECT_TRUE(s.genreBox()->isEnabled());
        EXPECT_TRUE(s.caseBox()->isEnabled());
        EXPECT_TRUE(s.radio(1)->isEnabled());
        EXPECT_FALSE(s.genres()->isEnabled());
    });
    EXPECT_FALSE(window->tables().Table1.isOpen());
}

TEST_F(FilmSearchTest, GenreListIsAnEmptyEntryAndTheUserListInItsOrder)
{
    {
        Table g;
        g.setPath(Paths::dataFile(QStringLiteral("Users_za.nrv")));
        g.open();
        for (const char *name : {"Western", "Animovaný"}) {
            g.append();
            g.setString("Zanr", QString::fromUtf8(name));
            g.post();
        }
        g.close();
    }
    QStringList expected{QString()};
    {
        Table g;
        g.setPath(Paths::dataFile(QStringLiteral("Users_za.nrv")));
        g.open();
        for (g.first(); !g.eof(); g.next())
            expected << g.asString("Zanr");
        g.close();
    }
    catalogue();
    run([&](Screen &s) {
        QStringList items;
        for (int i = 0; i < s.genres()->count(); ++i)
            items << s.genres()->itemText(i);
        EXPECT_EQ(items, expected);
        EXPECT_EQ(items.mid(items.size() - 2), (QStringList{"Western", "Animovaný"}));
    });
    EXPECT_FALSE(window->tables().Users_01.isOpen());
}

TEST_F(FilmSearchTest, StarListsEveryFilmInNumberAndSlotOrder)
{
    catalogue();
    run([&](Screen &s) {
        s.search("*");
        EXPECT_EQ(s.found(), "6");
        // The empty second slot of 00001 gives no film; its third does.
        EXPECT_EQ(s.lines(), withHead({filmLine("Alfa", "SP"), filmLine("Gama", "EP"),
                                       filmLine("Omega", "SP"), filmLine("Beta", "LP"),
                                       filmLine("Pelíšky", "LP"), filmLine("Obecná škola", "SP")}));
        EXPECT_EQ(s.gauge()->maximum(), 6);
        EXPECT_EQ(s.gauge()->value(), 6);
        EXPECT_TRUE(s.detailsButton()->isVisible());
        EXPECT_EQ(s.s.found().cassettes.numbers, (QStringList{"00001", "00002", "00003"}));
        EXPECT_EQ(s.s.criteria().toString(), "*|*|*|*");
        // The report is shown, not selected.
        EXPECT_FALSE(s.s.pane()->textCursor().hasSelection());
    });
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(FilmSearchTest, CaseFoldsCzechLettersToo)
{
    add("00001", {Film{"PES a kočka"}, Film{"Pes baskervillský"}, Film{"pes"}});
    add("00002", {Film{"Čarodějky"}, Film{"čarodějky z Eastwicku"}, Film{"ČAPÍ hnízdo"}});
    run([&](Screen &s) {
        s.search("pes");
        EXPECT_EQ(s.found(), "3");
        EXPECT_EQ(s.s.criteria().toString(), "PES|*|*|*");

        // "č" finds "Č" and "í" finds "Í": the criteria hold the capitals.
        s.search("čarod");
        EXPECT_EQ(s.lines(),
                  withHead({filmLine("Čarodějky", "SP"), filmLine("čarodějky z Eastwicku", "SP")}));
        EXPECT_EQ(s.s.criteria().toString(), "ČAROD|*|*|*");
        s.search("čapí");
        EXPECT_EQ(s.lines(), withHead({filmLine("ČAPÍ hnízdo", "SP")}));
        s.search("KOČKA");
        EXPECT_EQ(s.lines(), withHead({filmLine("PES a kočka", "SP")}));

        s.caseBox()->click();
        s.search("pes");
        EXPECT_EQ(s.lines(), withHead({filmLine("pes", "SP")}));
        EXPECT_EQ(s.s.criteria().toString(), "pes|*|*|*");
        s.search("s b");
        EXPECT_EQ(s.lines(), withHead({filmLine("Pes baskervillský", "SP")}));
        s.search("PEs");
        EXPECT_EQ(s.found(), "0");
        s.search("čapí");
        EXPECT_EQ(s.found(), "0");
    });
}

TEST_F(FilmSearchTest, GenreAndSpeedNarrowTheSearch)
{
    catalogue();
    run([&](Screen &s) {
        s.text()->setText("*");
        s.radio(2)->click();
        QTest::mouseClick(s.searchButton(), Qt::LeftButton);
        EXPECT_EQ(s.lines(), withHead({filmLine("Beta", "LP"), filmLine("Pelíšky", "LP")}));
        EXPECT_EQ(s.s.criteria().toString(), "*|*|LP|*");

        s.radio(4)->click();
        s.genreBox()->click();
        EXPECT_TRUE(s.genres()->isEnabled());
        s.genres()->setCurrentText("Komedie");
        ASSERT_EQ(s.genres()->currentText(), "Komedie");
        QTest::mouseClick(s.searchButton(), Qt::LeftButton);
        EXPECT_EQ(s.found(), "3");
        EXPECT_EQ(s.s.criteria().toString(), "*|Komedie|*|*");

        // The restriction with the empty entry: films without a genre.
        s.genres()->setCurrentIndex(0);
        QTest::mouseClick(s.searchButton(), Qt::LeftButton);
        EXPECT_EQ(s.lines(), withHead({filmLine("Gama", "EP"), filmLine("Omega", "SP")}));
        EXPECT_EQ(s.s.criteria().toString(), "*||*|*");

        s.genreBox()->click();
        EXPECT_FALSE(s.genres()->isEnabled());
        s.radio(3)->click();
        s.search("a");
        EXPECT_EQ(s.lines(), withHead({filmLine("Gama", "EP")}));
    });
}

TEST_F(FilmSearchTest, NothingFoundIsToldInThePane)
{
    catalogue();
    run([&](Screen &s) {
        s.search("Zzz");
        EXPECT_EQ(s.found(), "0");
        EXPECT_EQ(s.lines(), withHead({" Nenalezen požadovaný film !!!"}));
        EXPECT_EQ(s.gauge()->maximum(), 100);
        EXPECT_EQ(s.gauge()->value(), 100);
        EXPECT_FALSE(s.detailsButton()->isVisible());
    });
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(FilmSearchTest, EveryChangeAfterASearchClearsTheResult)
{
    catalogue();
    run([&](Screen &s) {
        const std::vector<std::pair<const char *, std::function<void()>>> changes{
            {"text", [&] { QTest::keyClicks(s.text(), "x"); }},
            {"speed", [&] { s.radio(1)->click(); }},
            {"case", [&] { s.caseBox()->click(); }},
            {"genre box", [&] { s.genreBox()->click(); }},
            {"genre", [&] { s.genres()->setCurrentText("Komedie"); }},
        };
        for (const auto &[what, change] : changes) {
            s.search("a");
            s.radio(4)->click();
            if (s.caseBox()->isChecked())
                s.caseBox()->click();
            if (s.genreBox()->isChecked())
                s.genreBox()->click();
            s.genres()->setCurrentIndex(0);
            QTest::mouseClick(s.searchButton(), Qt::LeftButton);
            ASSERT_TRUE(s.detailsButton()->isVisible()) << what;
            ASSERT_FALSE(s.lines().isEmpty()) << what;
            change();
            EXPECT_TRUE(s.clearedAfterChange()) << what;
            EXPECT_TRUE(s.searchButton()->isEnabled()) << what;
        }

        // An emptied text disables the search and its parameters.
        s.search("a");
        s.text()->clear();
        EXPECT_TRUE(s.clearedAfterChange());
        EXPECT_FALSE(s.searchButton()->isEnabled());
        EXPECT_FALSE(s.genreBox()->isEnabled());
        EXPECT_FALSE(s.caseBox()->isEnabled());
        for (int n = 1; n <= 4; ++n)
            EXPECT_FALSE(s.radio(n)->isEnabled());
    });
}

TEST_F(FilmSearchTest, BothModesShowTheSameLines)
{
    catalogue();
    add("00004", {Film{"Kočka {a} pes\\", "Rodinný", "SP"}});
    QStringList line;
    QStringList document;
    QByteArray rtf;
    run([&](Screen &s) {
        s.search("*");
        line = s.lines();
        EXPECT_TRUE(s.s.pane()->rtf().isEmpty());
        window->settings().storedSystemCode = "4";
        s.search("*");
        document = s.lines();
        rtf = s.s.pane()->rtf();
        EXPECT_EQ(s.found(), "7");
        EXPECT_EQ(s.gauge()->value(), 7);

        window->settings().storedSystemCode = "4";
        s.search("Zzz");
        EXPECT_EQ(trimmedRight(s.lines()), withHead({" Nenalezen požadovaný film !!!"}));
        EXPECT_TRUE(s.s.pane()->rtf().endsWith(Codepage::cp1250().encode(
            QStringLiteral(" Nenalezen požadovaný film !!! \\par\r\n}"))));

        // An unknown system writes nothing, yet counts.
        window->settings().storedSystemCode = "0";
        s.search("*");
        EXPECT_TRUE(s.lines().isEmpty());
        EXPECT_EQ(s.found(), "7");
        EXPECT_TRUE(s.detailsButton()->isVisible());
    });
    EXPECT_EQ(line.size(), 10);
    EXPECT_EQ(line.last(), filmLine("Kočka {a} pes\\", "SP"));
    EXPECT_EQ(trimmedRight(document), trimmedRight(line));
    EXPECT_EQ(document[1], " Report hledání: ");

    QString expected = QStringLiteral(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier New;}Courier "
        "New CE;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs20\\par\r\n"
        " Report hledání: \\par\r\n"
        "\\b0\\cf1\\fs20\\par\r\n");
    for (int i = 3; i < line.size() - 1; ++i)
        expected += line[i] + QStringLiteral("\\par\r\n");
    expected += QStringLiteral(" Film: Kočka \\{a\\} pes\\\\") +
                QString(40 - QStringLiteral("Kočka {a} pes\\").size(), ' ') +
                QStringLiteral("  SP\\par\r\n}");
    EXPECT_EQ(QString::fromLatin1(rtf), QString::fromLatin1(Codepage::cp1250().encode(expected)));
}

TEST_F(FilmSearchTest, DetailsTreeHasOneNodePerCassetteMarkedWhenAway)
{
    catalogue();
    run([&](Screen &s) {
        s.search("*");
        details(s, [&](TSeznam &d) {
            EXPECT_EQ(d.windowTitle(), "Seznam nalezených filmů a jejich specifikace");
            EXPECT_EQ(child<QLabel>(d, "Pocet")->text(), "6");
            EXPECT_FALSE(child<QLabel>(d, "Zkraceno")->isVisible());
            QTreeWidget *tree = d.tree();
            ASSERT_EQ(tree->topLevelItemCount(), 1);
            QTreeWidgetItem *root = tree->topLevelItem(0);
            EXPECT_EQ(root->text(0), "Nalezené VK:");
            EXPECT_TRUE(root->font(0).bold());
            EXPECT_EQ(root->foreground(0).color(), QColor(128, 0, 0));
            EXPECT_EQ(root->data(0, TSeznam::kImageRole).toInt(), 0);
            // Three films of 00001 and two of 00003: one node each.
            ASSERT_EQ(root->childCount(), 3);
            EXPECT_EQ(root->child(0)->text(0), "VK: 00001");
            EXPECT_EQ(root->child(1)->text(0), "VK: 00002");
            EXPECT_EQ(root->child(2)->text(0), "VK: 00003");
            const auto image = [](QTreeWidgetItem *item) { return item->icon(0).cacheKey(); };
            EXPECT_EQ(image(root), TSeznam::image(0).cacheKey());
            EXPECT_EQ(image(root->child(0)), TSeznam::image(1).cacheKey());
            EXPECT_EQ(image(root->child(1)), TSeznam::image(2).cacheKey());
            EXPECT_EQ(root->child(1)->data(0, TSeznam::kImageRole).toInt(), 2);
            EXPECT_EQ(root->child(2)->data(0, TSeznam::kImageRole).toInt(), 1);
            EXPECT_NE(TSeznam::image(1).cacheKey(), TSeznam::image(2).cacheKey());

            // The root is chosen at start; the tree does not fold.
            EXPECT_EQ(tree->currentItem(), root);
            EXPECT_EQ(d.pane()->lines(), QStringList{kRootText});
            EXPECT_TRUE(root->isExpanded());
            tree->collapseItem(root);
            EXPECT_TRUE(root->isExpanded());

            tree->setCurrentItem(root->child(0));
            EXPECT_EQ(s.s.criteria().toString(), "*|*|*|00001");
            tree->setCurrentItem(root);
            EXPECT_EQ(d.pane()->lines(), QStringList{kRootText});
        });
    });
}
