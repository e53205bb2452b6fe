// The film search screen and its details window, run through the cassette
// menu command over a real data.dbf: the criteria, the reset after every
// change, both pane modes, the found cassettes in the tree and printing.

#include "AppFixture.h"
#include "ScreenChecks.h"
#include "engine/Codepage.h"
#include "printing/ReportPane.h"
#include "printing/ReportPrint.h"
#include "search/FilmDetails.h"
#include "search/FilmSearchScreen.h"
#include "storage/Paths.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>
#include <array>
#include <functional>

using namespace velmora;

namespace {

struct Film
{
    Film() = default;
    Film(const char *title, const char *genre = "", const char *speed = "SP")
        : title(QString::fromUtf8(title)), genre(QString::fromUtf8(genre)),
          speed(QString::fromUtf8(speed))
    {
    }
    explicit Film(const QString &title) : title(title), speed(QStringLiteral("SP")) {}
    QString title;
    QString genre;
    QString speed;
};

const QString kNoData = QStringLiteral("V databázi nejsou žádná data, nelze pokračovat!");
const QString kCut = QStringLiteral("(seznam zkrácen na prvních 1000 kazet)");
const QString kRootText = QStringLiteral("   Nezvolili jste číslo videokazety. Zvolte číslo VK !");

QString filmLine(const QString &title, const QString &speed)
{
    return QStringLiteral(" Film: ") + title.leftJustified(40) + QStringLiteral("  ") +
           speed.leftJustified(2);
}

QString detailLine(const QString &title, const QString &genre, const QString &speed)
{
    return QLatin1Char(' ') + title.leftJustified(30) + QStringLiteral("  ") +
           genre.leftJustified(15) + QStringLiteral("  ") + speed.leftJustified(2);
}

QStringList searchHead()
{
    return {QString(), QStringLiteral(" Report hledání:"), QString()};
}

QStringList withHead(const QStringList &films)
{
    return searchHead() + films;
}

QStringList trimmedRight(const QStringList &lines)
{
    QStringList out;
    for (QString l : lines) {
        while (l.endsWith(QLatin1Char(' ')))
            l.chop(1);
        out << l;
    }
    return out;
}

template <typename W> W *child(const QObject &parent, const char *name)
{
    W *w = parent.findChild<W *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// The screen as the user sees it.
struct Screen
{
    explicit Screen(THledej_film &s) : s(s) {}
    THledej_film &s;
    QLineEdit *text() const { return child<QLineEdit>(s, "Edit1"); }
    QCheckBox *caseBox() const { return child<QCheckBox>(s, "Pismena"); }
    QRadioButton *radio(int n) const
    {
        return child<QRadioButton>(s, QStringLiteral("RadioButton%1").arg(n).toLatin1());
    }
    QCheckBox *genreBox() const { return child<QCheckBox>(s, "CheckBox1"); }
    QComboBox *genres() const { return child<QComboBox>(s, "ComboBox1"); }
    QPushButton *searchButton() const { return child<QPushButton>(s, "BitBtn2"); }
    QPushButton *detailsButton() const { return child<QPushButton>(s, "BitBtn3"); }
    QPushButton *closeButton() const { return child<QPushButton>(s, "BitBtn1"); }
    QString found() const { return child<QLabel>(s, "Filmu_je")->text(); }
    QProgressBar *gauge() const { return child<QProgressBar>(s, "Stav"); }
    QStringList lines() const { return s.pane()->lines(); }

    // Types the text and presses "Vyhledat !".
    void search(const QString &what)
    {
        text()->setText(what);
        QTest::mouseClick(searchButton(), Qt::LeftButton);
    }
    bool clearedAfterChange() const
    {
        return lines().isEmpty() && !detailsButton()->isVisible() && found() == "0" &&
               gauge()->value() == 0 && s.found().cassettes.numbers.isEmpty();
    }
};

class FilmSearchTest : public test::AppFixture
{
protected:
    FilmSearchTest()
    {
        start();
        window->settings().printerAvailable = true;
        window->settings().storedSystemCode = QStringLiteral("1");
        window->registerCommand(QStringLiteral("search.films"), [](TTitul &w) {
            THledej_film screen(w.session(), &w);
            dialogs::exec(screen);
        });
    }

    void add(const QString &number, const std::array<Film, 5> &films, bool lent = false)
    {
        Table t;
        t.setPath(Paths::dataFile(QStringLiteral("data.dbf")));
        t.open();
        append(t, number, films, lent);
        t.close();
    }

    static void append(Table &t, const QString &number, const std::array<Film, 5> &films, bool lent)
    {
        CassetteRecord c;
        c.type = QStringLiteral("E 240");
        c.number = number;
        for (int n = 0; n < 5; ++n) {
            const Film &f = films[size_t(n)];
            if (!f.title.isEmpty())
                c.recordings[size_t(n)] = test::slot(f.title, f.speed, 0, f.genre);
        }
        c.loan.lent = lent;
        t.append();
        test::setCassetteFields(t, c);
        t.post();
    }

    // Runs the menu command and acts on the search screen while it is shown.
    void run(const std::function<void(Screen &)> &act)
    {
        bool shown = false;
        user.onScreen["THledej_film"] = [&](QDialog &d) {
            shown = true;
            Screen s(static_cast<THledej_film &>(d));
            act(s);
        };
        const MenuEntry *entry = window->entryFor(QStringLiteral("search.films"));
        ASSERT_NE(entry, nullptr);
        window->runEntry(*entry);
        user.onScreen.remove("THledej_film");
        EXPECT_TRUE(shown);
    }

    // Opens the details window from the screen and acts on it.
    void details(Screen &s, const std::function<void(TSeznam &)> &act)
    {
        bool shown = false;
        user.onScreen["TSeznam"] = [&](QDialog &d) {
            shown = true;
            act(static_cast<TSeznam &>(d));
        };
        ASSERT_TRUE(s.detailsButton()->isVisible());
        QTest::mouseClick(s.detailsButton(), Qt::LeftButton);
        user.onScreen.remove("TSeznam");
        EXPECT_TRUE(shown);
    }

    static QTreeWidgetItem *node(TSeznam &d, const QString &number)
    {
        QTreeWidgetItem *root = d.tree()->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i)
            if (root->child(i)->text(0) == QStringLiteral("VK: ") + number)
                return root->child(i);
        ADD_FAILURE() << "no node for " << number.toStdString();
        return nullptr;
    }

    // A small catalogue: cassette 00001 with its second slot empty, a lent
    // cassette 00002, and 00003 appended before them.
    void catalogue()
    {
        add("00003", {Film{"Pelíšky", "Komedie", "LP"}, Film{"Obecná škola", "Komedie", "SP"}});
        add("00001",
            {Film{"Alfa", "Drama", "SP"}, Film{}, Film{"Gama", "", "EP"}, Film{}, Film{"Omega"}});
        add("00002", {Film{"Beta", "Komedie", "LP"}}, true);
    }
};

} // namespace

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

// What a screen reader hears of a node: its text and, instead of the dot's
// colour, whether the cassette is at home; read through the accessibility
// interface of the tree, as AT-SPI hands it on.
TEST_F(FilmSearchTest, DetailsNodesSayInWordsWhetherTheCassetteIsAway)
{
    catalogue();
    run([&](Screen &s) {
        s.search("*");
        details(s, [&](TSeznam &d) {
            QTreeWidget *tree = d.tree();
            QTreeWidgetItem *root = tree->topLevelItem(0);
            ASSERT_EQ(root->childCount(), 3);
            EXPECT_EQ(root->child(0)->data(0, Qt::AccessibleDescriptionRole).toString(), "doma");
            EXPECT_EQ(root->child(1)->data(0, Qt::AccessibleDescriptionRole).toString(), "půjčeno");
            EXPECT_EQ(root->child(2)->data(0, Qt::AccessibleDescriptionRole).toString(), "doma");
            QAccessibleInterface *view = QAccessible::queryAccessibleInterface(tree);
            ASSERT_NE(view, nullptr);
            EXPECT_EQ(view->text(QAccessible::Name), "Nalezené videokazety");
            QMap<QString, QString> heard;
            for (int i = 0; i < view->childCount(); ++i) {
                QAccessibleInterface *cell = view->child(i);
                if (cell && cell->role() == QAccessible::TreeItem)
                    heard[cell->text(QAccessible::Name)] = cell->text(QAccessible::Description);
            }
            EXPECT_EQ(heard.value("VK: 00001"), "doma");
            EXPECT_EQ(heard.value("VK: 00002"), "půjčeno");
            EXPECT_EQ(heard.value("VK: 00003"), "doma");
            EXPECT_EQ(heard.value("Nalezené VK:", "?"), ""); // the root is no cassette

            // Focus moves from the tree to the pane, which is named too.
            tree->setFocus();
            QTest::keyClick(tree, Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), d.pane());
            EXPECT_EQ(QAccessible::queryAccessibleInterface(d.pane())->text(QAccessible::Name),
                      "Seznam filmů vybrané videokazety");
        });
    });
}

TEST_F(FilmSearchTest, DetailsListTheFilmsOfTheChosenCassetteInBothModes)
{
    catalogue();
    const QRegularExpression dateLine(
        QStringLiteral("^ Datum a čas tisku  : \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$"));
    run([&](Screen &s) {
        // The films of 00001 that meet the search: slots 1 and 5, not 3.
        s.text()->setText("a");
        s.radio(1)->click();
        QTest::mouseClick(s.searchButton(), Qt::LeftButton);
        details(s, [&](TSeznam &d) {
            d.tree()->setCurrentItem(node(d, "00001"));
            const QStringList lines = d.pane()->lines();
            ASSERT_EQ(lines.size(), 10) << lines.join("|\n").toStdString();
            EXPECT_EQ(lines.mid(0, 6), (QStringList{"", " Seznam  nalezených filmů:", "", "",
                                                    detailLine("Alfa", "Drama", "SP"),
                                                    detailLine("Omega", "", "SP")}));
            EXPECT_EQ(lines[6], "");
            EXPECT_EQ(lines[7], " ---------------------------------------------------");
            EXPECT_TRUE(dateLine.match(lines[8]).hasMatch()) << lines[8].toStdString();
            EXPECT_EQ(lines[9], " Norvane 2002");
            EXPECT_TRUE(d.pane()->rtf().isEmpty());
            EXPECT_FALSE(d.pane()->textCursor().hasSelection());
        });

        window->settings().storedSystemCode = "4";
        details(s, [&](TSeznam &d) {
            d.tree()->setCurrentItem(node(d, "00001"));
            const QStringList lines = d.pane()->lines();
            ASSERT_EQ(lines.size(), 9);
            EXPECT_EQ(lines.mid(0, 5), (QStringList{"", " Seznam filmů na: VK: 00001", "",
                                                    detailLine("Alfa", "Drama", "SP"),
                                                    detailLine("Omega", "", "SP")}));
            EXPECT_EQ(lines[5], "");
            EXPECT_EQ(lines[6], " ---------------------------------------------------");
            EXPECT_TRUE(dateLine.match(lines[7]).hasMatch()) << lines[7].toStdString();
            EXPECT_EQ(lines[8], " Norvane 2002");
            const QByteArray rtf = d.pane()->rtf();
            EXPECT_TRUE(rtf.startsWith(
                "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier "
                "New;}Courier New CE;}}\r\n"
                "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n"
                "\\viewkind4\\uc1\\pard\\cf1\\b\\lang1029\\f0\\fs24\\par\r\n"
                " Seznam film\xF9 na: VK: 00001\\par\\par\r\n"
                "\\b0\\cf1\\fs20\r\n"))
                << rtf.left(300).toStdString();
            EXPECT_TRUE(rtf.endsWith("\\b0\\cf1\\par\r\n"
                                     " ---------------------------------------------------\\par\r\n"
                                     " Datum a \xE8"
                                     "as tisku  : " +
                                     lines[7].mid(22).toLatin1() +
                                     "\\par\r\n"
                                     " Norvane 2002\\par\r\n}"));

            // The lent cassette 00002 has no SP film with "a": none listed.
            d.tree()->setCurrentItem(node(d, "00003"));
            EXPECT_EQ(d.pane()->lines().mid(3, 1),
                      QStringList{detailLine("Obecná škola", "Komedie", "SP")});
        });
    });
}

TEST_F(FilmSearchTest, ASearchTextHoldingTheSeparatorShowsItsFilmsInTheDetails)
{
    add("00001", {Film{"Tom|Jerry", "Animovaný", "SP"}, Film{"Tom a Jerry", "Animovaný", "SP"}});
    run([&](Screen &s) {
        s.search("m|j");
        EXPECT_EQ(s.found(), "1");
        details(s, [&](TSeznam &d) {
            d.tree()->setCurrentItem(node(d, "00001"));
            EXPECT_EQ(d.pane()->lines().mid(4, 1),
                      QStringList{detailLine("Tom|Jerry", "Animovaný", "SP")});
            EXPECT_EQ(s.s.criteria().toString(), "M|J|*|*|00001");
        });
    });
}

TEST_F(FilmSearchTest, MoreThanAThousandCassettesAreCutInTheTree)
{
    for (const int count : {1000, 1001}) {
        {
            Table t;
            t.setPath(Paths::dataFile(QStringLiteral("data.dbf")));
            t.open();
            while (t.recordCount() > 0) {
                t.first();
                t.deleteRecord();
            }
            t.beginBatch();
            for (int i = 1; i <= count; ++i)
                append(t, QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0')),
                       {Film{QStringLiteral("Film %1").arg(i)}, Film{"Druhý"}}, i == count);
            t.endBatch();
            t.close();
        }
        run([&](Screen &s) {
            s.search("*");
            EXPECT_EQ(s.found(), QString::number(2 * count));
            EXPECT_EQ(s.lines().size(), 3 + 2 * count);
            EXPECT_EQ(s.s.found().cassettes.numbers.size(), 1000);
            details(s, [&](TSeznam &d) {
                QTreeWidgetItem *root = d.tree()->topLevelItem(0);
                ASSERT_EQ(root->childCount(), 1000);
                EXPECT_EQ(root->child(999)->text(0), "VK: 01000");
                const QLabel *cut = child<QLabel>(d, "Zkraceno");
                EXPECT_EQ(cut->isVisible(), count > 1000) << count;
                EXPECT_EQ(cut->text(), count > 1000 ? kCut : QString());
                EXPECT_EQ(child<QLabel>(d, "Pocet")->text(), QString::number(2 * count));
                // The last cassette is lent; it is in the tree only when it fits.
                EXPECT_EQ(root->child(999)->data(0, TSeznam::kImageRole).toInt(),
                          count == 1000 ? 2 : 1);
            });
        });
    }
}

TEST_F(FilmSearchTest, PrintingTheDetailsPrintsThePaneAndClosesTheWindow)
{
    catalogue();
    run([&](Screen &s) {
        s.search("*");
        window->settings().printerAvailable = false;
        details(s, [&](TSeznam &d) {
            EXPECT_FALSE(child<QPushButton>(d, "BitBtn1")->isEnabled());
            EXPECT_TRUE(child<QPushButton>(d, "Ulozit_PDF")->isEnabled());
            EXPECT_EQ(child<QPushButton>(d, "BitBtn2")->text(), "&Zavři okno");
        });
        window->settings().printerAvailable = true;

        QPrinter &printer = report::currentPrinter();
        if (printer.outputFormat() != QPrinter::PdfFormat)
            GTEST_SKIP() << "the run's printer is a real one";
        const QString file = env.file("details.pdf");
        printer.setOutputFileName(file);
        details(s, [&](TSeznam &d) {
            d.tree()->setCurrentItem(node(d, "00003"));
            QPushButton *print = child<QPushButton>(d, "BitBtn1");
            EXPECT_EQ(print->text(), "&Vytiskni zobrazený seznam");
            ASSERT_TRUE(print->isEnabled());
            QTest::mouseClick(print, Qt::LeftButton);
            EXPECT_FALSE(d.isVisible());
            EXPECT_EQ(d.result(), QDialog::Rejected);
        });
        printer.setOutputFileName(QString());
        ASSERT_TRUE(QFile::exists(file));
        const QString text = test::runProgram("pdftotext", {"-layout", file, "-"});
        EXPECT_TRUE(text.contains("Obecná škola")) << text.toStdString();
        EXPECT_TRUE(text.contains("Norvane 2002"));
        EXPECT_TRUE(s.s.isVisible());
    });
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(FilmSearchTest, ClosingSwitchesTheFilterOffAndDeletesStaleWorkFiles)
{
    catalogue();
    // Stale work files of this program go; files of the same names in the
    // shared temporary directory belong to others and stay.
    const QByteArray oldTemp = qgetenv("TMPDIR");
    const QString shared = env.file("systemp");
    QDir().mkpath(shared);
    qputenv("TMPDIR", shared.toLocal8Bit());
    const QString own = Paths::tempDir();
    for (const QString &dir : {own, shared + "/"}) {
        for (const char *name : {"Video.tmp", "Video.tmx"}) {
            QFile f(dir + name);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
    }
    QFile other(own + "Video.txt");
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();

    Table &data = window->tables().Table1;
    data.setFilter("pujceno=True");
    data.setFiltered(true);
    run([&](Screen &s) {
        // The whole catalogue, whatever filter was left on it.
        EXPECT_EQ(child<QLabel>(s.s, "Pocet2")->text(), "6");
        data.setFiltered(true);
        QTest::mouseClick(s.closeButton(), Qt::LeftButton);
        EXPECT_FALSE(s.s.isVisible());
    });
    if (oldTemp.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", oldTemp);
    EXPECT_FALSE(data.filtered());
    EXPECT_FALSE(QFile::exists(own + "Video.tmp"));
    EXPECT_FALSE(QFile::exists(own + "Video.tmx"));
    EXPECT_TRUE(QFile::exists(own + "Video.txt"));
    EXPECT_TRUE(QFile::exists(shared + "/Video.tmp"));
    EXPECT_TRUE(QFile::exists(shared + "/Video.tmx"));
    QFile::remove(own + "Video.txt");
    data.setFilter(QString());
}

TEST_F(FilmSearchTest, TheResultTableIsBuiltAtEveryOpening)
{
    catalogue();
    run([&](Screen &s) { s.search("*"); });
    add("00004", {Film{"Delta"}});
    run([&](Screen &s) {
        EXPECT_EQ(child<QLabel>(s.s, "pocet")->text(), "4");
        EXPECT_EQ(s.found(), "0");
        s.search("Delta");
        EXPECT_EQ(s.lines(), withHead({filmLine("Delta", "SP")}));
    });
}

TEST_F(FilmSearchTest, ControlsAreNamedLabelledAndFitTheSmallestScreen)
{
    catalogue();
    const auto check = test::expectNamedLabelledAndSmall;
    run([&](Screen &s) {
        check(s.s);
        for (const char *name :
             {"pocet", "Pocet2", "Edit1", "Pismena", "RadioButton1", "RadioButton2", "RadioButton3",
              "RadioButton4", "CheckBox1", "ComboBox1", "BitBtn2", "Filmu_je", "RichEdit1", "Stav",
              "BitBtn3", "BitBtn1"})
            EXPECT_NE(s.s.findChild<QWidget *>(name), nullptr) << name;
        s.search("*");
        details(s, [&](TSeznam &d) {
            check(d);
            EXPECT_NE(d.findChild<QTreeWidget *>("TreeView1"), nullptr);
            EXPECT_NE(d.findChild<ReportPane *>("RichEdit1"), nullptr);
        });
    });
}
