// The song search over a CD catalogue written by another dBASE writer: the
// counts of tracks, titles and titles away, the reset after a change, both
// pane modes, the details window with its tree, and the rules without a
// window.

#include "AppFixture.h"
#include "ScreenChecks.h"
#include "engine/Codepage.h"
#include "finding/SongSearch.h"
#include "printing/ReportPane.h"
#include "printing/ReportPrint.h"
#include "search/SongDetails.h"
#include "search/SongSearchScreen.h"
#include "storage/Paths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>
#include <functional>

using namespace velmora;
using velmora::test::appendWithDbf;

namespace {

const QString kRoot = QStringLiteral("   Nezvolili jste číslo titulu CD. Zvolte číslo CD !");

QString resultLine(const char *number, const char *disc, int track, const QString &name)
{
    return QStringLiteral(" ") + (QStringLiteral("Číslo: ") + number).leftJustified(14) + "  " +
           (QStringLiteral("Disk: ") + disc).leftJustified(7) + "  " +
           (QString::number(track) + '.').rightJustified(4) + "  " + name.leftJustified(50);
}

QString trackLine(const char *disc, int track, const QString &name, const QString &style)
{
    return QStringLiteral(" ") + QString::fromLatin1(disc).leftJustified(3) + " - " +
           QString::number(track).rightJustified(3) + ". " + name.leftJustified(50) + " " +
           style.leftJustified(15);
}

QStringList withHead(const QStringList &lines)
{
    return QStringList{QString(), QStringLiteral(" Report hledání:"), QString()} + lines;
}

template <typename W> W *child(const QObject &parent, const char *name)
{
    W *w = parent.findChild<W *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

struct Screen
{
    THledej_Skladbu &s;
    QLineEdit *text() const { return child<QLineEdit>(s, "Edit1"); }
    QCheckBox *caseBox() const { return child<QCheckBox>(s, "Pismena"); }
    QCheckBox *styleBox() const { return child<QCheckBox>(s, "CheckBox1"); }
    QComboBox *styles() const { return child<QComboBox>(s, "ComboBox1"); }
    QPushButton *searchButton() const { return child<QPushButton>(s, "BitBtn2"); }
    QPushButton *detailsButton() const { return child<QPushButton>(s, "BitBtn3"); }
    QProgressBar *gauge() const { return child<QProgressBar>(s, "Stav"); }
    QString value(const char *name) const { return child<QLabel>(s, name)->text(); }
    // Tracks, titles, titles away.
    QStringList counters() const
    {
        return {value("Filmu_je"), value("Na_kolika_CD"), value("CD_Mimo")};
    }
    QStringList lines() const { return s.pane()->lines(); }
    void search(const QString &what)
    {
        text()->setText(what);
        QTest::mouseClick(searchButton(), Qt::LeftButton);
    }
};

class SongSearchTest : public test::AppFixture
{
protected:
    SongSearchTest()
    {
        start();
        window->settings().printerAvailable = true;
        window->settings().storedSystemCode = QStringLiteral("1");
    }

    // Title 00002 is lent; its tracks were stored before those of 00001;
    // 00003 has no tracks; the last track belongs to no title.
    void catalogue()
    {
        appendWithDbf("cd01.dbf", "[{'cislocd': '00001', 'titulcd': 'Alfa'},"
                                  " {'cislocd': '00002', 'titulcd': 'Beta', 'pujceno': True},"
                                  " {'cislocd': '00003', 'titulcd': 'Gama'}]");
        appendWithDbf(
            "cd02.dbf",
            "[{'cislocd': '00002', 'oznaceni': 'CD1', 'tracknum': 1, 'track': 'Love Me Do',"
            "  'styl': 'Rock', 'artist': 'Beatles'},"
            " {'cislocd': '00002', 'oznaceni': 'CD1', 'tracknum': 2, 'track': 'Help',"
            "  'styl': 'Rock'},"
            " {'cislocd': '00002', 'oznaceni': 'CD2', 'tracknum': 1, 'track': 'love story',"
            "  'styl': 'Pop'},"
            " {'cislocd': '00001', 'oznaceni': 'CD1', 'tracknum': 1, 'track': 'Čas lásky',"
            "  'styl': 'Chanson'},"
            " {'cislocd': '00001', 'oznaceni': 'CD1', 'tracknum': 2, 'track': 'čas LOVE',"
            "  'styl': ''},"
            " {'cislocd': '00009', 'oznaceni': 'CD1', 'tracknum': 7, 'track': 'Sirotek',"
            "  'styl': 'Pop'}]");
    }

    static void addStyles(const QStringList &styles)
    {
        Table t;
        t.setPath(Paths::dataFile(QStringLiteral("Users_c2.nrv")));
        t.open();
        for (const QString &style : styles) {
            t.append();
            t.setString("Zanr", style);
            t.post();
        }
        t.close();
    }

    void run(const std::function<void(Screen &)> &act)
    {
        bool shown = false;
        user.onScreen["THledej_Skladbu"] = [&](QDialog &d) {
            shown = true;
            Screen s{static_cast<THledej_Skladbu &>(d)};
            act(s);
        };
        window->runEntry(*window->entryFor(QStringLiteral("search.songs"), TTitul::Cds));
        user.onScreen.remove("THledej_Skladbu");
        EXPECT_TRUE(shown);
    }

    void details(Screen &s, const std::function<void(TSeznam3 &)> &act)
    {
        bool shown = false;
        user.onScreen["TSeznam3"] = [&](QDialog &d) {
            shown = true;
            act(static_cast<TSeznam3 &>(d));
        };
        ASSERT_TRUE(s.detailsButton()->isVisible());
        QTest::mouseClick(s.detailsButton(), Qt::LeftButton);
        user.onScreen.remove("TSeznam3");
        EXPECT_TRUE(shown);
    }

    static QStringList nodes(TSeznam3 &d)
    {
        QStringList out;
        QTreeWidgetItem *root = d.tree()->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i)
            out << root->child(i)->text(0) + ':' +
                       QString::number(root->child(i)->data(0, TSeznam3::kImageRole).toInt());
        return out;
    }
};

} // namespace

TEST_F(SongSearchTest, EmptyCatalogueNeverReachesTheScreen)
{
    window->runEntry(*window->entryFor(QStringLiteral("search.songs"), TTitul::Cds));
    EXPECT_TRUE(user.screens.isEmpty());
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].text, "V databázi nejsou žádná data, nelze pokračovat!");
    EXPECT_EQ(user.shown[0].caption, "Informace");
}

TEST_F(SongSearchTest, OpeningCountsTheTracksAndWaitsForAText)
{
    catalogue();
    addStyles({"Rock", "Jazz"});
    run([&](Screen &s) {
        EXPECT_EQ(s.s.windowTitle(), "Vyhledávání skladby podle nastavených parametrů ...");
        EXPECT_EQ(s.value("pocet"), "6");
        EXPECT_TRUE(window->tables().CD_Table2.isOpen());
        QStringList styles;
        for (int i = 0; i < s.styles()->count(); ++i)
            styles << s.styles()->itemText(i);
        EXPECT_EQ(styles.first(), "");
        EXPECT_EQ(styles.mid(styles.size() - 2), (QStringList{"Rock", "Jazz"}));
        EXPECT_FALSE(s.searchButton()->isEnabled());
        EXPECT_FALSE(s.styleBox()->isEnabled());
        EXPECT_FALSE(s.styles()->isEnabled());
        EXPECT_FALSE(s.caseBox()->isEnabled());
        EXPECT_FALSE(s.detailsButton()->isVisible());
        EXPECT_EQ(s.counters(), (QStringList{"0", "0", "0"}));
        EXPECT_EQ(s.text()->toolTip(), "vložte hledaný řetězec ...");

        QTest::keyClicks(s.text(), "x");
        EXPECT_TRUE(s.searchButton()->isEnabled());
        EXPECT_TRUE(s.styleBox()->isEnabled());
        EXPECT_TRUE(s.caseBox()->isEnabled());
        // The style list follows its box alone.
        EXPECT_FALSE(s.styles()->isEnabled());
        s.styleBox()->click();
        EXPECT_TRUE(s.styles()->isEnabled());
    });
    EXPECT_FALSE(window->tables().CD_Table2.isOpen());
    EXPECT_FALSE(window->tables().CD_Table1.isOpen());
    EXPECT_FALSE(window->tables().Users_04.isOpen());
}

TEST_F(SongSearchTest, StarListsEveryTrackInTitleOrderAndCountsTitlesAndThoseAway)
{
    catalogue();
    run([&](Screen &s) {
        s.search("*");
        EXPECT_EQ(s.counters(), (QStringList{"6", "3", "1"}));
        EXPECT_EQ(s.lines(), withHead({resultLine("00001", "CD1", 1, "Čas lásky"),
                                       resultLine("00001", "CD1", 2, "čas LOVE"),
                                       resultLine("00002", "CD1", 1, "Love Me Do"),
                                       resultLine("00002", "CD1", 2, "Help"),
                                       resultLine("00002", "CD2", 1, "love story"),
                                       resultLine("00009", "CD1", 7, "Sirotek")}));
        EXPECT_EQ(s.gauge()->maximum(), 6);
        EXPECT_EQ(s.gauge()->value(), 6);
        EXPECT_TRUE(s.detailsButton()->isVisible());
        EXPECT_EQ(s.s.criteria().toString(), "*|*|*");
    });
}

TEST_F(SongSearchTest, CaseAndStyleNarrowTheSearch)
{
    catalogue();
    addStyles({"Rock"});
    run([&](Screen &s) {
        // Two tracks of the lent title and one of 00001 hold "love".
        s.search("love");
        EXPECT_EQ(s.counters(), (QStringList{"3", "2", "1"}));
        EXPECT_EQ(s.s.criteria().toString(), "LOVE|*|*");

        s.caseBox()->click();
        QTest::mouseClick(s.searchButton(), Qt::LeftButton);
        EXPECT_EQ(s.counters(), (QStringList{"1", "1", "1"}));
        s.caseBox()->click();

        // Czech letters fold too: "čas" finds "Čas" as well as "čas", and
        // "LÁSKY" finds "lásky".
        s.search("čas");
        EXPECT_EQ(s.lines(), withHead({resultLine("00001", "CD1", 1, "Čas lásky"),
                                       resultLine("00001", "CD1", 2, "čas LOVE")}));
        s.search("LÁSKY");
        EXPECT_EQ(s.lines(), withHead({resultLine("00001", "CD1", 1, "Čas lásky")}));
        // Case-sensitive, "č" finds only itself.
        s.caseBox()->click();
        s.search("čas");
        EXPECT_EQ(s.lines(), withHead({resultLine("00001", "CD1", 2, "čas LOVE")}));
        s.caseBox()->click();

        // The empty entry lets only the tracks without a style pass.
        s.text()->setText("*");
        s.styleBox()->click();
        QTest::mouseClick(s.searchButton(), Qt::LeftButton);
        EXPECT_EQ(s.lines(), withHead({resultLine("00001", "CD1", 2, "čas LOVE")}));
        s.styles()->setCurrentText("Rock");
        EXPECT_EQ(s.counters(), (QStringList{"0", "0", "0"}));
        EXPECT_TRUE(s.lines().isEmpty());
        EXPECT_FALSE(s.detailsButton()->isVisible());
        QTest::mouseClick(s.searchButton(), Qt::LeftButton);
        EXPECT_EQ(s.counters(), (QStringList{"2", "1", "1"}));
        EXPECT_EQ(s.s.criteria().toString(), "*|Rock|*");

        s.search("Yesterday");
        EXPECT_EQ(s.lines(), withHead({" Nenalezen požadovaný text !!!"}));
        EXPECT_EQ(s.gauge()->value(), 100);
        EXPECT_FALSE(s.detailsButton()->isVisible());
    });
}

// Each change of the criteria after a search empties the pane, the three
// counters and the found-title list, as the film search does.
TEST_F(SongSearchTest, EveryChangeAfterASearchClearsTheCountersAndTheFoundTitles)
{
    catalogue();
    addStyles({"Rock"});
    run([&](Screen &s) {
        const auto cleared = [&] {
            return s.lines().isEmpty() && !s.detailsButton()->isVisible() &&
                   s.counters() == QStringList{"0", "0", "0"} && s.gauge()->value() == 0 &&
                   s.s.found().titles.numbers.isEmpty() && s.s.found().rows.empty();
        };
        const std::vector<std::pair<const char *, std::function<void()>>> changes{
            {"text", [&] { QTest::keyClicks(s.text(), "e"); }},
            {"case", [&] { s.caseBox()->click(); }},
            {"style box", [&] { s.styleBox()->click(); }},
            {"style", [&] { s.styles()->setCurrentText("Rock"); }},
        };
        for (const auto &[what, change] : changes) {
            s.search("o");
            if (s.caseBox()->isChecked())
                s.caseBox()->click();
            if (QLatin1String(what) == QLatin1String("style") && !s.styleBox()->isChecked())
                s.styleBox()->click();
            QTest::mouseClick(s.searchButton(), Qt::LeftButton);
            ASSERT_TRUE(s.detailsButton()->isVisible()) << what;
            ASSERT_FALSE(s.s.found().titles.numbers.isEmpty()) << what;
            change();
            EXPECT_TRUE(cleared()) << what;
            EXPECT_TRUE(s.searchButton()->isEnabled()) << what;
        }

        // An emptied text disables the search, the box and the case; the
        // style list still follows its box, which stays ticked.
        ASSERT_TRUE(s.styleBox()->isChecked());
        s.search("o");
        s.text()->clear();
        EXPECT_TRUE(cleared());
        EXPECT_FALSE(s.searchButton()->isEnabled());
        EXPECT_FALSE(s.styleBox()->isEnabled());
        EXPECT_FALSE(s.caseBox()->isEnabled());
        EXPECT_TRUE(s.styleBox()->isChecked());
        EXPECT_TRUE(s.styles()->isEnabled());
    });
}

// Tracks that another dBASE writer stored without a disc label are found on
// disc 1, in the result and in the title's list, beside tracks labelled so.
TEST_F(SongSearchTest, TracksWithoutADiscLabelAreFoundOnDiscOne)
{
    appendWithDbf("cd01.dbf", "[{'cislocd': '00001', 'titulcd': 'Alfa'}]");
    appendWithDbf("cd02.dbf",
                  "[{'cislocd': '00001', 'oznaceni': '', 'tracknum': 1, 'track': 'Ráno',"
                  "  'styl': 'Pop'},"
                  " {'cislocd': '00001', 'oznaceni': 'CD1', 'tracknum': 2, 'track': 'Poledne',"
                  "  'styl': 'Pop'},"
                  " {'cislocd': '00001', 'oznaceni': 'CD2', 'tracknum': 1, 'track': 'Večer',"
                  "  'styl': 'Rock'}]");
    run([&](Screen &s) {
        s.search("*");
        EXPECT_EQ(s.counters(), (QStringList{"3", "1", "0"}));
        EXPECT_EQ(s.lines(), withHead({resultLine("00001", "CD1", 1, "Ráno"),
                                       resultLine("00001", "CD1", 2, "Poledne"),
                                       resultLine("00001", "CD2", 1, "Večer")}));
        details(s, [&](TSeznam3 &d) {
            d.tree()->setCurrentItem(d.tree()->topLevelItem(0)->child(0));
            EXPECT_EQ(d.pane()->lines().mid(3, 3),
                      (QStringList{trackLine("CD1", 1, "Ráno", "Pop"),
                                   trackLine("CD1", 2, "Poledne", "Pop"),
                                   trackLine("CD2", 1, "Večer", "Rock")}));
        });
    });
}

TEST_F(SongSearchTest, DocumentModeBuildsTheResultAsOneDocument)
{
    catalogue();
    window->settings().storedSystemCode = QStringLiteral("4");
    run([&](Screen &s) {
        s.search("help");
        const QString expected =
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier "
            "New;}Courier New CE;}}\r\n"
            "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n"
            "\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs20\\par\r\n"
            " Report hledání: \\par\r\n"
            "\\b0\\cf1\\fs20\\par\r\n" +
            resultLine("00002", "CD1", 2, "Help") + "\\par\r\n}";
        EXPECT_EQ(s.s.pane()->rtf(), Codepage::cp1250().encode(expected));
        EXPECT_EQ(s.lines().value(3), resultLine("00002", "CD1", 2, "Help"));
    });
}

TEST_F(SongSearchTest, DetailsTreeMarksTitlesAwayAndListsTheChosenTitlesTracks)
{
    catalogue();
    const QRegularExpression dateLine(
        QStringLiteral("^ Datum a čas tisku  : \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$"));
    run([&](Screen &s) {
        s.search("o");
        const auto look = [&](TSeznam3 &d) {
            EXPECT_EQ(d.windowTitle(), "Seznam nalezených skladeb a jejich specifikace");
            EXPECT_EQ(child<QLabel>(d, "Pocet")->text(), "4 na 3 CD titulech.");
            QTreeWidgetItem *root = d.tree()->topLevelItem(0);
            EXPECT_EQ(root->text(0), "Nalezené CD:");
            EXPECT_EQ(nodes(d),
                      (QStringList{"Titul: 00001:1", "Titul: 00002:2", "Titul: 00009:1"}));
            EXPECT_EQ(d.tree()->currentItem(), root);
            EXPECT_EQ(d.pane()->lines(), QStringList{kRoot});
            EXPECT_FALSE(child<QPushButton>(d, "BitBtn1")->isEnabled());

            d.tree()->setCurrentItem(root->child(1));
            EXPECT_EQ(s.s.criteria().toString(), "O|*|00002");
            EXPECT_TRUE(child<QPushButton>(d, "BitBtn1")->isEnabled());
            const QStringList lines = d.pane()->lines();
            ASSERT_EQ(lines.size(), 9) << lines.join("|\n").toStdString();
            // "Help" holds no "o".
            EXPECT_EQ(lines.mid(0, 5), (QStringList{"", " Seznam skladeb:", "",
                                                    trackLine("CD1", 1, "Love Me Do", "Rock"),
                                                    trackLine("CD2", 1, "love story", "Pop")}));
            EXPECT_EQ(lines[5], "");
            EXPECT_EQ(lines[6], " " + QString(77, '-'));
            EXPECT_TRUE(dateLine.match(lines[7]).hasMatch()) << lines[7].toStdString();
            EXPECT_EQ(lines[8], " Norvane 2002");
        };
        // The window is made once and shows the same tree each time.
        details(s, look);
        details(s, look);
    });
}

TEST_F(SongSearchTest, DetailsInDocumentMode)
{
    catalogue();
    window->settings().storedSystemCode = QStringLiteral("4");
    run([&](Screen &s) {
        s.search("s love");
        details(s, [&](TSeznam3 &d) {
            d.tree()->setCurrentItem(d.tree()->topLevelItem(0)->child(0));
            const QByteArray rtf = d.pane()->rtf();
            const QString head = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*"
                                 "\\fname Courier New;}Courier New CE;}}\r\n"
                                 "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n"
                                 "\\viewkind4\\uc1\\pard\\cf1\\b\\lang1029\\f0\\fs24\\par\r\n"
                                 " Seznam skladeb:\\par\\par\r\n"
                                 "\\b0\\cf1\\fs20\r\n" +
                                 trackLine("CD1", 2, "čas LOVE", "") +
                                 "\\par\r\n\\b0\\cf1\r\n\\par\r\n " + QString(77, '-') +
                                 "\\par\r\n Datum a čas tisku  : ";
            EXPECT_TRUE(rtf.startsWith(Codepage::cp1250().encode(head))) << rtf.toStdString();
            EXPECT_TRUE(rtf.endsWith("\\par\r\n Norvane 2002\\par\r\n}")) << rtf.toStdString();
        });
    });
}

TEST_F(SongSearchTest, PrintingTheDetailsClosesOnlyTheWindow)
{
    catalogue();
    QPrinter &printer = report::currentPrinter();
    if (printer.outputFormat() != QPrinter::PdfFormat)
        GTEST_SKIP() << "the run's printer is a real one";
    const QString file = env.file("songs.pdf");
    printer.setOutputFileName(file);
    run([&](Screen &s) {
        s.search("*");
        details(s, [&](TSeznam3 &d) {
            d.tree()->setCurrentItem(d.tree()->topLevelItem(0)->child(1));
            QTest::mouseClick(child<QPushButton>(d, "BitBtn1"), Qt::LeftButton);
            EXPECT_FALSE(d.isVisible());
        });
        EXPECT_TRUE(s.s.isVisible());
    });
    printer.setOutputFileName(QString());
    const QString text = test::runProgram("pdftotext", {"-layout", file, "-"});
    EXPECT_TRUE(text.contains("Love Me Do")) << text.toStdString();
    EXPECT_TRUE(text.contains("Norvane 2002"));
}

TEST_F(SongSearchTest, ClosingClosesTheTracksAndDeletesOnlyOurStaleWorkFile)
{
    catalogue();
    const QString own = Paths::tempDir() + QStringLiteral("CD.tmp");
    const QString kept = Paths::tempDir() + QStringLiteral("CD.txt");
    for (const QString &path : {own, kept}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    Table &tracks = window->tables().CD_Table2;
    tracks.setFilter(QStringLiteral("cislocd='00001'"));
    tracks.setFiltered(true);
    run([&](Screen &s) {
        // The whole table, whatever filter was left on it.
        EXPECT_EQ(s.value("pocet"), "6");
        QTest::mouseClick(child<QPushButton>(s.s, "BitBtn1"), Qt::LeftButton);
    });
    EXPECT_FALSE(tracks.isOpen());
    EXPECT_FALSE(tracks.filtered());
    EXPECT_FALSE(QFile::exists(own));
    EXPECT_TRUE(QFile::exists(kept));
    QFile::remove(kept);
}

TEST_F(SongSearchTest, ControlsAreNamedLabelledAndFitTheSmallestScreen)
{
    catalogue();
    run([&](Screen &s) {
        test::expectNamedLabelledAndSmall(s.s);
        for (const char *name :
             {"pocet", "Edit1", "Pismena", "CheckBox1", "ComboBox1", "BitBtn2", "Filmu_je",
              "Na_kolika_CD", "CD_Mimo", "RichEdit1", "Stav", "BitBtn3", "BitBtn1"})
            EXPECT_NE(s.s.findChild<QWidget *>(name), nullptr) << name;
        // The counters speak their values and say what they count.
        QLabel *away = child<QLabel>(s.s, "CD_Mimo");
        EXPECT_EQ(away->accessibleDescription(), "z toho mimo domov");
        s.search("*");
        details(s, [&](TSeznam3 &d) { test::expectNamedLabelledAndSmall(d); });
    });
}

// The rules without a window.

namespace {

void song(SongTable &t, const char *number, const char *name, const char *style = "",
          bool lent = false)
{
    t.append(QString::fromLatin1(number), QStringLiteral("CD1"), 1, QString::fromUtf8(name),
             QString::fromUtf8(style), lent);
}

} // namespace

TEST(SongSearch, ThreeTracksOfOneLentTitleCountOnce)
{
    SongTable rows;
    song(rows, "00001", "Dva");
    song(rows, "00002", "Raz", "Pop", true);
    song(rows, "00002", "Raz dva", "", true);
    song(rows, "00002", "raz tri", "", true);
    const SongSearchResult r = runSongSearch(rows, {"raz", "*", "*"}, false);
    EXPECT_EQ(r.rows.size(), 3u);
    EXPECT_EQ(r.titles.items, 1);
    EXPECT_EQ(r.lentTitles, 1);
    EXPECT_EQ(r.titles.numbers, QStringList{"00002"});
    EXPECT_EQ(lentTitles(rows, r), std::vector<bool>{true});
    // Case-sensitive, "raz" is in one name only.
    EXPECT_EQ(runSongSearch(rows, {"raz", "*", "*"}, true).rows, std::vector<int>{3});

    // Styles compare whole: the empty one, one no track has, one that is.
    EXPECT_EQ(runSongSearch(rows, {"*", "", "*"}, false).rows, (std::vector<int>{0, 2, 3}));
    EXPECT_TRUE(runSongSearch(rows, {"*", "Jazz", "*"}, false).rows.empty());
    EXPECT_TRUE(runSongSearch(rows, {"*", "Po", "*"}, false).rows.empty());
    EXPECT_EQ(runSongSearch(rows, {"*", "Pop", "00002"}, false).rows, std::vector<int>{1});
    EXPECT_EQ(rows.number(2), "00002");
    EXPECT_EQ(rows.name(2), u"Raz dva");
    EXPECT_EQ(rows.style(1), "Pop");
    EXPECT_EQ(rows.label(3), "CD1");
}

TEST(SongSearch, FoundTitlesStopAtTheLimitWhileTheCountsGoOn)
{
    SongTable rows;
    for (int i = 1; i <= 1203; ++i) {
        const QByteArray n = QString::number(i).rightJustified(5, '0').toLatin1();
        song(rows, n.constData(), "Song", "", i % 2 == 0);
        song(rows, n.constData(), "Song 2", "", i % 2 == 0);
    }
    const SongSearchResult r = runSongSearch(rows, {"*", "*", "*"}, false);
    EXPECT_EQ(r.rows.size(), 2406u);
    EXPECT_EQ(r.titles.items, 1203);
    EXPECT_EQ(r.lentTitles, 601);
    EXPECT_EQ(r.titles.numbers.size(), kFoundListLimit);
    EXPECT_EQ(r.titles.numbers.last(), "01000");
    EXPECT_TRUE(r.titles.cut);
    EXPECT_EQ(lentTitles(rows, r).size(), size_t(kFoundListLimit));
}

TEST(SongSearch, CriteriaTravelAsOnePositionalString)
{
    const SongCriteria c = SongCriteria::parse("a|b|00001");
    EXPECT_EQ(c.text, "a");
    EXPECT_EQ(c.style, "b");
    EXPECT_EQ(c.number, "00001");
    EXPECT_EQ(SongCriteria().toString(), "*|*|*");
    EXPECT_EQ(SongCriteria::parse("x||").style, "");
    EXPECT_EQ(SongCriteria::parse("x").number, "");
}
