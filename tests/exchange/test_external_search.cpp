// The searches over catalogues imported from other users: the header's
// totals over every imported catalogue, the owner in every result line,
// the details tree of owners and the found rows of the chosen one, both
// pane modes, a catalogue removed by hand, CD owners cut to 20 characters
// and the work files on close.

#include "AppFixture.h"
#include "ImportedCatalogues.h"
#include "ScreenChecks.h"
#include "engine/Codepage.h"
#include "exchange/ExternalFilmDetails.h"
#include "exchange/ExternalFilmSearchScreen.h"
#include "exchange/ExternalSongDetails.h"
#include "exchange/ExternalSongSearchScreen.h"
#include "printing/ReportPane.h"
#include "printing/ReportPrint.h"
#include "storage/Paths.h"
#include "transfer/ExternalSearch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>
#include <functional>

using namespace velmora;
using velmora::test::appendWithDbf;
using namespace velmora::exchange;
using test::addImported;
using test::slot;

namespace {

const QString kFilmRoot = QStringLiteral("  Nezvolili jste jméno externího uživatele. Zvolte ho!");
const QString kSongRoot =
    QStringLiteral("    Nezvolili jste jméno externího uživatele. Zvolte ho!");
const QString kDetailsCaption =
    QStringLiteral("Seznam nalezených filmů z externích databází a jejich specifikace");

QString filmLine(const QString &owner, const QString &title)
{
    return " Vlastník: " + owner.leftJustified(20) + " " + title.leftJustified(30);
}

QString songLine(const QString &owner, const QString &name, const QString &style)
{
    return " " + owner.leftJustified(20) + " " + name.leftJustified(50) + " " +
           style.leftJustified(15);
}

QString ownerFilm(const char *number, const QString &title, const QString &genre, const char *speed)
{
    return " VK: " + QString::fromLatin1(number).leftJustified(5) + " " + title.leftJustified(30) +
           " " + genre.leftJustified(15) + " " + QString::fromLatin1(speed).leftJustified(2);
}

QString ownerTrack(const char *number, const char *disc, int track, const QString &name)
{
    return " T: " + QString::fromLatin1(number).leftJustified(5) + " (" +
           QString::fromLatin1(disc).leftJustified(3) + ")-" +
           QString::number(track).rightJustified(3) + ". " + name.leftJustified(50);
}

QStringList withHead(const QStringList &lines)
{
    return QStringList{QString(), QStringLiteral(" Report hledání:"), QString()} + lines;
}

const QRegularExpression kDateLine(
    QStringLiteral("^ Datum a čas tisku  : \\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d$"));

template <typename W> W *child(const QObject &parent, const char *name)
{
    W *w = parent.findChild<W *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

struct Screen
{
    ExternalSearchScreen &s;
    QLineEdit *text() const { return child<QLineEdit>(s, "Edit1"); }
    QCheckBox *caseBox() const { return child<QCheckBox>(s, "Pismena"); }
    QCheckBox *styleBox() const { return child<QCheckBox>(s, "CheckBox1"); }
    QComboBox *styles() const { return child<QComboBox>(s, "ComboBox1"); }
    QRadioButton *speed(int n) const
    {
        return child<QRadioButton>(s,
                                   QByteArray("RadioButton" + QByteArray::number(n)).constData());
    }
    QPushButton *searchButton() const { return child<QPushButton>(s, "BitBtn2"); }
    QPushButton *detailsButton() const { return child<QPushButton>(s, "BitBtn3"); }
    QProgressBar *gauge() const { return child<QProgressBar>(s, "Stav"); }
    QString value(const char *name) const { return child<QLabel>(s, name)->text(); }
    QStringList lines() const { return s.pane()->lines(); }
    void search(const QString &what)
    {
        text()->setText(what);
        QTest::mouseClick(searchButton(), Qt::LeftButton);
    }
};

QStringList nodes(FoundDetails &d)
{
    QStringList out;
    QTreeWidgetItem *root = d.tree()->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i)
        out << root->child(i)->text(0);
    return out;
}

CassetteRecord cassette(const char *number, std::initializer_list<CassetteSlot> filled)
{
    CassetteRecord c;
    c.number = QString::fromLatin1(number);
    int n = 0;
    for (const CassetteSlot &s : filled)
        c.recordings[size_t(n++)] = s;
    return c;
}

class ExternalSearchTest : public test::AppFixture
{
protected:
    ExternalSearchTest()
    {
        start();
        window->settings().printerAvailable = true;
        window->settings().storedSystemCode = QStringLiteral("1");
    }

    static void films(const QString &owner, const QList<CassetteRecord> &cassettes)
    {
        addImported(Catalogue::Cassettes, owner);
        test::appendCassettes(cassettes, catalogueTable(Catalogue::Cassettes, owner, "data.dbf"));
    }

    struct Track
    {
        const char *number, *disc;
        int track;
        QString name, style;
    };
    static void songs(const QString &owner, const QList<Track> &tracks)
    {
        addImported(Catalogue::Cds, owner);
        Table t;
        t.setPath(catalogueTable(Catalogue::Cds, owner, "cd02.dbf"));
        t.open();
        for (const Track &k : tracks) {
            t.append();
            t.setString("cislocd", QString::fromLatin1(k.number));
            t.setString("oznaceni", QString::fromLatin1(k.disc));
            t.setInteger("tracknum", k.track);
            t.setString("track", k.name);
            t.setString("styl", k.style);
            t.post();
        }
        t.close();
    }

    // Petr and Anna both have a film with "Love" in its title; Petr's
    // cassette 00003 has no title at all; Karel has only untitled ones.
    void threeOwners()
    {
        films("Petr",
              {cassette("00001", {slot("Love Story", "SP", 90, "Drama"),
                                  slot("Tenkrát na západě", "LP", 0, "Western")}),
               cassette("00002", {slot("Pelíšky", "EP", 0, "Komedie")}), cassette("00003", {})});
        films("Anna", {cassette("00007", {slot("Love Actually", "LP", 0, "Komedie"), CassetteSlot(),
                                          slot("Kolja", "SP", 0, "Drama")})});
        films("Karel", {cassette("00001", {}), cassette("00002", {})});
    }

    void run(const char *action, const char *screen, const std::function<void(Screen &)> &act)
    {
        bool shown = false;
        user.onScreen[screen] = [&](QDialog &d) {
            shown = true;
            Screen s{static_cast<ExternalSearchScreen &>(d)};
            act(s);
        };
        window->runEntry(*window->entryFor(QString::fromLatin1(action)));
        user.onScreen.remove(screen);
        EXPECT_TRUE(shown);
    }
    void runFilms(const std::function<void(Screen &)> &act)
    {
        run("external.cassetteSearch", "THledej_Ext_Data", act);
    }
    void runSongs(const std::function<void(Screen &)> &act)
    {
        run("external.cdSearch", "THledej_Ext_Data_CD", act);
    }

    template <typename D>
    void details(Screen &s, const char *name, const std::function<void(D &)> &act)
    {
        bool shown = false;
        user.onScreen[name] = [&](QDialog &d) {
            shown = true;
            act(static_cast<D &>(d));
        };
        ASSERT_TRUE(s.detailsButton()->isVisible());
        QTest::mouseClick(s.detailsButton(), Qt::LeftButton);
        user.onScreen.remove(name);
        EXPECT_TRUE(shown);
    }
    void filmDetails(Screen &s, const std::function<void(TSeznam_Externi &)> &act)
    {
        details<TSeznam_Externi>(s, "TSeznam_Externi", act);
    }
    void songDetails(Screen &s, const std::function<void(TSeznam_Externi_CD &)> &act)
    {
        details<TSeznam_Externi_CD>(s, "TSeznam_Externi_CD", act);
    }
};

} // namespace

TEST_F(ExternalSearchTest, WithoutARegisterTheCommandsRefuse)
{
    for (const char *action : {"external.cassetteSearch", "external.cdSearch"})
        window->runEntry(*window->entryFor(QString::fromLatin1(action)));
    EXPECT_TRUE(user.screens.isEmpty());
    ASSERT_EQ(user.shown.size(), 2);
    for (const auto &shown : user.shown) {
        EXPECT_EQ(shown.text, "V databázi nejsou žádná data, nelze pokračovat!");
        EXPECT_EQ(shown.caption, "Informace");
    }
}

TEST_F(ExternalSearchTest, OpeningTotalsEveryCatalogueAndWaitsForAText)
{
    threeOwners();
    runFilms([&](Screen &s) {
        EXPECT_EQ(s.s.windowTitle(), "Vyhledávání filmů pouze v externích databázích ...");
        // Karel's untitled cassettes count as cassettes, not as films.
        EXPECT_EQ(s.value("pocet"), "6");
        EXPECT_EQ(s.value("Pocet2"), "5");
        EXPECT_EQ(s.value("Poc_majitelu"), "3");
        EXPECT_EQ(s.value("Filmu_je"), "0");
        EXPECT_EQ(s.value("U_kolika"), "0");
        EXPECT_EQ(s.styles()->itemText(0), "");
        EXPECT_GT(s.styles()->count(), 1); // the own genre list follows
        EXPECT_FALSE(s.styles()->isEnabled());
        EXPECT_FALSE(s.searchButton()->isEnabled());
        EXPECT_FALSE(s.styleBox()->isEnabled());
        EXPECT_FALSE(s.caseBox()->isEnabled());
        for (int n = 1; n <= 4; ++n)
            EXPECT_FALSE(s.speed(n)->isEnabled());
        EXPECT_TRUE(s.speed(4)->isChecked());
        EXPECT_FALSE(s.detailsButton()->isVisible());

        QTest::keyClicks(s.text(), "x");
        EXPECT_TRUE(s.searchButton()->isEnabled());
        EXPECT_TRUE(s.styleBox()->isEnabled());
        EXPECT_TRUE(s.caseBox()->isEnabled());
        EXPECT_TRUE(s.speed(1)->isEnabled());
        EXPECT_FALSE(s.styles()->isEnabled());
        s.styleBox()->click();
        EXPECT_TRUE(s.styles()->isEnabled());
    });
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(ExternalSearchTest, TwoCatalogueswithTheFilmShowBothOwnersAndEachOwnersFilms)
{
    threeOwners();
    runFilms([&](Screen &s) {
        s.search("love");
        EXPECT_EQ(s.lines(),
                  withHead({filmLine("Petr", "Love Story"), filmLine("Anna", "Love Actually")}));
        EXPECT_EQ(s.value("Filmu_je"), "2");
        // The counter beside the found films repeats the registered owners.
        EXPECT_EQ(s.value("U_kolika"), "3");
        EXPECT_EQ(s.gauge()->maximum(), 2);
        EXPECT_EQ(s.gauge()->value(), 2);
        EXPECT_EQ(s.s.found().owners.numbers, (QStringList{"Petr", "Anna"}));

        filmDetails(s, [&](TSeznam_Externi &d) {
            EXPECT_EQ(d.windowTitle(), kDetailsCaption);
            EXPECT_EQ(child<QLabel>(d, "Label1")->text(),
                      "Počet nalezených filmů, dle nastavených parametrů:");
            EXPECT_EQ(child<QLabel>(d, "Pocet")->text(), "2");
            QTreeWidgetItem *root = d.tree()->topLevelItem(0);
            EXPECT_EQ(root->text(0), "Vlastník nalezených VK:");
            EXPECT_TRUE(root->font(0).bold());
            EXPECT_EQ(root->data(0, FoundDetails::kImageRole).toInt(), 0);
            EXPECT_EQ(nodes(d), (QStringList{"Petr", "Anna"}));
            QTreeWidgetItem *anna = root->child(1);
            EXPECT_TRUE(anna->font(0).bold());
            EXPECT_EQ(anna->foreground(0).color(), QColor(0, 0, 255));
            EXPECT_EQ(anna->data(0, FoundDetails::kImageRole).toInt(), 1);
            // Imported catalogues tell nothing of loans; the green dot says
            // no more to a screen reader.
            EXPECT_EQ(anna->data(0, Qt::AccessibleDescriptionRole).toString(),
                      "bez údaje o půjčení");
            EXPECT_TRUE(root->isExpanded());
            EXPECT_EQ(d.tree()->currentItem(), root);
            EXPECT_EQ(d.pane()->lines(), QStringList{kFilmRoot});
            EXPECT_EQ(d.pane()->colour(), QColor(255, 0, 0));
            EXPECT_EQ(d.pane()->size(), 10);

            d.tree()->setCurrentItem(anna);
            EXPECT_EQ(static_cast<THledej_Ext_Data &>(s.s).criteria().toString(), "LOVE|*|*|Anna");
            const QStringList lines = d.pane()->lines();
            ASSERT_EQ(lines.size(), 9) << lines.join("|\n").toStdString();
            EXPECT_EQ(lines.mid(0, 6),
                      (QStringList{"", " Vlastník nalezených filmů: Anna", "", "",
                                   ownerFilm("00007", "Love Actually", "Komedie", "LP"), ""}));
            EXPECT_EQ(lines[6], " " + QString(59, '-'));
            EXPECT_TRUE(kDateLine.match(lines[7]).hasMatch()) << lines[7].toStdString();
            EXPECT_EQ(lines[8], " Norvane 2002");

            d.tree()->setCurrentItem(root->child(0));
            EXPECT_EQ(d.pane()->lines().mid(4, 1),
                      QStringList{ownerFilm("00001", "Love Story", "Drama", "SP")});
            // Collapsing the root opens it again.
            d.tree()->collapseItem(root);
            EXPECT_TRUE(root->isExpanded());
        });
    });
}

TEST_F(ExternalSearchTest, ANewSearchAfterThreeOwnersShowsOnlyTheOwnerFound)
{
    threeOwners();
    films("Jana", {cassette("00100", {slot("Kolotoč", "SP")})});
    runFilms([&](Screen &s) {
        s.search("o");
        EXPECT_EQ(s.s.found().owners.numbers, (QStringList{"Petr", "Anna", "Jana"}));
        filmDetails(s, [&](TSeznam_Externi &d) { EXPECT_EQ(nodes(d).size(), 3); });

        // A change of the text empties what was found.
        s.text()->setText("Kolja");
        EXPECT_TRUE(s.s.found().owners.numbers.isEmpty());
        EXPECT_EQ(s.value("Filmu_je"), "0");
        EXPECT_EQ(s.value("U_kolika"), "0");
        EXPECT_TRUE(s.lines().isEmpty());
        EXPECT_FALSE(s.detailsButton()->isVisible());
        QTest::mouseClick(s.searchButton(), Qt::LeftButton);
        EXPECT_EQ(s.lines(), withHead({filmLine("Anna", "Kolja")}));
        filmDetails(s, [&](TSeznam_Externi &d) {
            EXPECT_EQ(nodes(d), QStringList{"Anna"});
            EXPECT_EQ(child<QLabel>(d, "Pocet")->text(), "1");
        });
    });
}

TEST_F(ExternalSearchTest, SpeedGenreAndCaseNarrowTheFilms)
{
    threeOwners();
    runFilms([&](Screen &s) {
        s.search("*");
        EXPECT_EQ(s.value("Filmu_je"), "5");
        EXPECT_EQ(static_cast<THledej_Ext_Data &>(s.s).criteria().toString(), "*|*|*|*");

        s.speed(2)->click();
        EXPECT_TRUE(s.lines().isEmpty());
        QTest::mouseClick(s.searchButton(), Qt::LeftButton);
        EXPECT_EQ(s.lines(), withHead({filmLine("Petr", "Tenkrát na západě"),
                                       filmLine("Anna", "Love Actually")}));
        EXPECT_EQ(static_cast<THledej_Ext_Data &>(s.s).criteria().toString(), "*|*|LP|*");
        s.speed(4)->click();

        // The genre compares whole; the empty entry finds films without one.
        s.styleBox()->click();
        s.styles()->setCurrentText("Drama");
        QTest::mouseClick(s.searchButton(), Qt::LeftButton);
        EXPECT_EQ(s.lines(), withHead({filmLine("Petr", "Love Story"), filmLine("Anna", "Kolja")}));
        s.styles()->setCurrentIndex(0);
        QTest::mouseClick(s.searchButton(), Qt::LeftButton);
        EXPECT_EQ(s.lines(), withHead({" Nenalezen požadovaný film !!!"}));
        EXPECT_EQ(s.gauge()->maximum(), 100);
        EXPECT_EQ(s.gauge()->value(), 100);
        EXPECT_FALSE(s.detailsButton()->isVisible());
        s.styleBox()->click();

        s.search("Love");
        s.caseBox()->click();
        // The box only takes effect with the next search.
        EXPECT_EQ(s.value("Filmu_je"), "2");
        EXPECT_TRUE(s.detailsButton()->isVisible());
        // The details keep to the case of the search shown.
        filmDetails(s, [&](TSeznam_Externi &d) {
            d.tree()->setCurrentItem(d.tree()->topLevelItem(0)->child(0));
            EXPECT_EQ(d.pane()->lines().value(4), ownerFilm("00001", "Love Story", "Drama", "SP"));
        });
        s.search("love");
        EXPECT_EQ(s.lines(), withHead({" Nenalezen požadovaný film !!!"}));
        // Case-sensitive, an accented capital finds only itself.
        s.search("Západě");
        EXPECT_EQ(s.value("Filmu_je"), "0");
        s.caseBox()->click();
        // Without the case, Czech capitals find their small letters.
        s.search("ZÁPADĚ");
        EXPECT_EQ(s.value("Filmu_je"), "1");
        s.search("západě");
        EXPECT_EQ(s.value("Filmu_je"), "1");
        s.search("TENKRÁT NA ZÁ");
        EXPECT_EQ(s.lines(), withHead({filmLine("Petr", "Tenkrát na západě")}));
    });
}

TEST_F(ExternalSearchTest, DocumentModeBuildsTheResultAndTheOwnersFilms)
{
    threeOwners();
    window->settings().storedSystemCode = QStringLiteral("4");
    const QString fonts = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname "
                          "Courier New;}Courier New CE;}}\r\n";
    runFilms([&](Screen &s) {
        s.search("love");
        const QString expected = fonts +
                                 "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n"
                                 "\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs20\\par\r\n"
                                 " Report hledání: \\par\r\n"
                                 "\\b0\\cf1\\fs20\\par\r\n"
                                 "\\b0\r\n" +
                                 filmLine("Petr", "Love Story") + "\\par\r\n\\b0\r\n" +
                                 filmLine("Anna", "Love Actually") + "\\par\r\n}";
        EXPECT_EQ(s.s.pane()->rtf(), Codepage::cp1250().encode(expected));

        filmDetails(s, [&](TSeznam_Externi &d) {
            // The note of the root is written line by line in either mode.
            EXPECT_EQ(d.pane()->lines(), QStringList{kFilmRoot});
            d.tree()->setCurrentItem(d.tree()->topLevelItem(0)->child(1));
            const QByteArray rtf = d.pane()->rtf();
            const QString head =
                fonts +
                "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green0"
                "\\blue255;}\r\n"
                "\\viewkind4\\uc1\\pard\\cf3\\b\\lang1029\\f0\\fs24\\par\r\n"
                " Vlastník filmů: Anna\\par\\par\r\n"
                "\\b0\\cf1\\fs20\r\n" +
                ownerFilm("00007", "Love Actually", "Komedie", "LP") +
                "\\par\r\n\\b0\\cf1\\par\r\n " + QString(59, '-') +
                "\\par\r\n Datum a čas tisku  : ";
            EXPECT_TRUE(rtf.startsWith(Codepage::cp1250().encode(head))) << rtf.toStdString();
            EXPECT_TRUE(rtf.endsWith("\\par\r\n Norvane 2002\\par\r\n}")) << rtf.toStdString();
        });
    });
}

TEST_F(ExternalSearchTest, ACatalogueRemovedByHandIsSkippedWithAMessage)
{
    threeOwners();
    films("Jana", {cassette("00100", {slot("Love Me", "SP")})});
    ASSERT_TRUE(QDir(catalogueDir(Catalogue::Cassettes, "Anna")).removeRecursively());
    ASSERT_TRUE(QFile::remove(catalogueTable(Catalogue::Cassettes, "Jana", "data.dbf")));
    runFilms([&](Screen &s) {
        EXPECT_EQ(s.value("pocet"), "5");
        EXPECT_EQ(s.value("Pocet2"), "3");
        // The register still has all four.
        EXPECT_EQ(s.value("Poc_majitelu"), "4");
        s.search("love");
        EXPECT_EQ(s.lines(), withHead({filmLine("Petr", "Love Story")}));
    });
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Warning);
    const QString text = user.shown[0].text;
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(catalogueDir(Catalogue::Cassettes, "Anna"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(
        QDir::toNativeSeparators(catalogueTable(Catalogue::Cassettes, "Jana", "data.dbf"))))
        << text.toStdString();
    EXPECT_FALSE(text.contains("Petr"));
    // Nothing of the register was changed.
    EXPECT_EQ(readRegister(Catalogue::Cassettes).size(), 4);
}

TEST_F(ExternalSearchTest, AForeignTableInACatalogueIsSkippedWithTheEnginesWord)
{
    threeOwners();
    addImported(Catalogue::Cassettes, "Cizí");
    QFile f(catalogueTable(Catalogue::Cassettes, "Cizí", "data.dbf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("not a table at all");
    f.close();
    runFilms([&](Screen &s) {
        EXPECT_EQ(s.value("Pocet2"), "5");
        EXPECT_EQ(s.value("Poc_majitelu"), "4");
    });
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_TRUE(user.shown[0].text.contains("Cizí")) << user.shown[0].text.toStdString();
}

TEST_F(ExternalSearchTest, PrintingTheOwnersFilmsClosesOnlyTheWindow)
{
    threeOwners();
    QPrinter &printer = report::currentPrinter();
    if (printer.outputFormat() != QPrinter::PdfFormat)
        GTEST_SKIP() << "the run's printer is a real one";
    const QString file = env.file("external.pdf");
    printer.setOutputFileName(file);
    runFilms([&](Screen &s) {
        s.search("*");
        filmDetails(s, [&](TSeznam_Externi &d) {
            d.tree()->setCurrentItem(d.tree()->topLevelItem(0)->child(0));
            QTest::mouseClick(child<QPushButton>(d, "BitBtn1"), Qt::LeftButton);
            EXPECT_FALSE(d.isVisible());
        });
        EXPECT_TRUE(s.s.isVisible());
    });
    printer.setOutputFileName(QString());
    const QString text = test::runProgram("pdftotext", {"-layout", file, "-"});
    EXPECT_TRUE(text.contains("Pelíšky")) << text.toStdString();
    EXPECT_TRUE(text.contains("Vlastník nalezených filmů: Petr"));
    EXPECT_FALSE(text.contains("Kolja"));
}

TEST_F(ExternalSearchTest, WithoutAPrinterTheDetailsCannotPrint)
{
    threeOwners();
    window->settings().printerAvailable = false;
    runFilms([&](Screen &s) {
        s.search("*");
        filmDetails(s, [&](TSeznam_Externi &d) {
            EXPECT_FALSE(child<QPushButton>(d, "BitBtn1")->isEnabled());
        });
    });
}

TEST_F(ExternalSearchTest, ClosingDeletesOnlyOurOwnStaleWorkFiles)
{
    threeOwners();
    songs("Eva", {{"00001", "CD1", 1, "Song", ""}});
    const QString kept = Paths::tempDir() + "Video.txt";
    for (const char *name : {"Video.tmp", "Video.tmx", "Cd.tmp", "Cd.tmx", "Video.txt"}) {
        QFile f(Paths::tempDir() + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    // Files of the same names in the shared temporary directory are not ours.
    const QString shared = QDir::tempPath() + "/Video.tmp";
    const bool sharedExisted = QFile::exists(shared);
    if (!sharedExisted) {
        QFile f(shared);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    runFilms(
        [&](Screen &s) { QTest::mouseClick(child<QPushButton>(s.s, "BitBtn1"), Qt::LeftButton); });
    EXPECT_FALSE(QFile::exists(Paths::tempDir() + "Video.tmp"));
    EXPECT_FALSE(QFile::exists(Paths::tempDir() + "Video.tmx"));
    EXPECT_TRUE(QFile::exists(Paths::tempDir() + "Cd.tmp"));
    runSongs([&](Screen &) {});
    EXPECT_FALSE(QFile::exists(Paths::tempDir() + "Cd.tmp"));
    EXPECT_FALSE(QFile::exists(Paths::tempDir() + "Cd.tmx"));
    EXPECT_TRUE(QFile::exists(kept));
    EXPECT_TRUE(QFile::exists(shared));
    if (!sharedExisted)
        QFile::remove(shared);
    QFile::remove(kept);
}

TEST_F(ExternalSearchTest, ControlsAreNamedLabelledAndFitTheSmallestScreen)
{
    threeOwners();
    songs("Eva", {{"00001", "CD1", 1, "Song", "Pop"}});
    runFilms([&](Screen &s) {
        test::expectNamedLabelledAndSmall(s.s);
        for (const char *name :
             {"pocet", "Pocet2", "Poc_majitelu", "Edit1", "Pismena", "CheckBox1", "ComboBox1",
              "BitBtn2", "Filmu_je", "U_kolika", "RichEdit1", "Stav", "BitBtn3", "BitBtn1"})
            EXPECT_NE(s.s.findChild<QWidget *>(name), nullptr) << name;
        QLabel *owners = child<QLabel>(s.s, "Poc_majitelu");
        EXPECT_EQ(owners->accessibleDescription(), "Počet majitelů ext. VK");
        EXPECT_EQ(child<QLabel>(s.s, "U_kolika")->accessibleDescription(), "U ext. uživatelů");
        s.search("*");
        filmDetails(s, [&](TSeznam_Externi &d) { test::expectNamedLabelledAndSmall(d); });
    });
    runSongs([&](Screen &s) {
        test::expectNamedLabelledAndSmall(s.s);
        for (const char *name :
             {"pocet", "Pocet2", "Poc_majitelu", "Skladeb_je", "V_kolika_zdrojich", "RichEdit1"})
            EXPECT_NE(s.s.findChild<QWidget *>(name), nullptr) << name;
        EXPECT_EQ(s.s.findChild<QRadioButton *>(), nullptr);
        EXPECT_EQ(child<QLabel>(s.s, "V_kolika_zdrojich")->accessibleDescription(),
                  "V kolika externích zdrojích");
        s.search("*");
        songDetails(s, [&](TSeznam_Externi_CD &d) { test::expectNamedLabelledAndSmall(d); });
    });
}

// --- CDs.

TEST_F(ExternalSearchTest, SongsOfAllCataloguesWithTheirOwnersAndTitleCounts)
{
    // Eva's tracks of 00002 were stored before those of 00001.
    songs("Eva", {{"00002", "CD1", 1, "Love Me Do", "Rock"},
                  {"00002", "CD1", 2, "Help", "Rock"},
                  {"00001", "CD1", 1, "love story", "Pop"}});
    songs("Jiří", {{"00001", "CD2", 3, "Lovely Day", ""}});
    runSongs([&](Screen &s) {
        EXPECT_EQ(s.s.windowTitle(),
                  "Vyhledávání skladeb v externích datech podle nastavených parametrů ...");
        EXPECT_EQ(s.value("pocet"), "3");
        EXPECT_EQ(s.value("Pocet2"), "4");
        EXPECT_EQ(s.value("Poc_majitelu"), "2");
        s.search("love");
        EXPECT_EQ(s.lines(), withHead({songLine("Eva", "Love Me Do", "Rock"),
                                       songLine("Eva", "love story", "Pop"),
                                       songLine("Jiří", "Lovely Day", "")}));
        EXPECT_EQ(s.value("Skladeb_je"), "3");
        EXPECT_EQ(s.value("V_kolika_zdrojich"), "2");
        EXPECT_EQ(static_cast<THledej_Ext_Data_CD &>(s.s).criteria().toString(), "LOVE|*|*");

        // The case box clears what was shown at once.
        s.caseBox()->click();
        EXPECT_TRUE(s.lines().isEmpty());
        EXPECT_EQ(s.value("Skladeb_je"), "0");
        EXPECT_EQ(s.gauge()->value(), 0);
        EXPECT_FALSE(s.detailsButton()->isVisible());
        QTest::mouseClick(s.searchButton(), Qt::LeftButton);
        EXPECT_EQ(s.lines(), withHead({songLine("Eva", "love story", "Pop")}));
        s.search("Love");
        EXPECT_EQ(s.lines(), withHead({songLine("Eva", "Love Me Do", "Rock"),
                                       songLine("Jiří", "Lovely Day", "")}));
        s.caseBox()->click();

        s.text()->setText("*");
        s.styleBox()->click();
        s.styles()->setCurrentIndex(0);
        QTest::mouseClick(s.searchButton(), Qt::LeftButton);
        EXPECT_EQ(s.lines(), withHead({songLine("Jiří", "Lovely Day", "")}));
        s.search("Yesterday");
        EXPECT_EQ(s.lines(), withHead({" Nenalezen požadovaný text !!!"}));
    });
}

TEST_F(ExternalSearchTest, ALongCdOwnerIsCutTo20AndItsNodeListsItsTracks)
{
    const QString longName = QStringLiteral("Bohumila Nováková-Ště"); // 21
    const QString owner25 = QStringLiteral("Maximilián Kořínek z Lhot");
    ASSERT_EQ(owner25.size(), 25);
    songs(owner25, {{"00010", "CD1", 4, "Rondo", "Klasika"}, {"00011", "CD2", 12, "Rondo 2", ""}});
    songs(longName, {{"00001", "CD1", 1, "Rondo alla turca", "Klasika"}});
    runSongs([&](Screen &s) {
        s.search("rondo");
        EXPECT_EQ(s.lines(),
                  withHead({songLine("Maximilián Kořínek z", "Rondo", "Klasika"),
                            songLine("Maximilián Kořínek z", "Rondo 2", ""),
                            songLine("Bohumila Nováková-Št", "Rondo alla turca", "Klasika")}));
        songDetails(s, [&](TSeznam_Externi_CD &d) {
            EXPECT_EQ(d.windowTitle(), kDetailsCaption);
            EXPECT_EQ(child<QLabel>(d, "Label1")->text(),
                      "Počet nalezených filmů, dle nastavených parametrů:");
            EXPECT_EQ(child<QLabel>(d, "Pocet")->text(), "3");
            QTreeWidgetItem *root = d.tree()->topLevelItem(0);
            EXPECT_EQ(root->text(0), "Vlastník nalezených CD:");
            EXPECT_EQ(nodes(d), (QStringList{"Maximilián Kořínek z", "Bohumila Nováková-Št"}));
            EXPECT_EQ(d.pane()->lines(), QStringList{kSongRoot});
            EXPECT_EQ(d.pane()->size(), 12);

            d.tree()->setCurrentItem(root->child(0));
            EXPECT_EQ(static_cast<THledej_Ext_Data_CD &>(s.s).criteria().toString(),
                      "RONDO|*|Maximilián Kořínek z");
            const QStringList lines = d.pane()->lines();
            ASSERT_EQ(lines.size(), 10) << lines.join("|\n").toStdString();
            EXPECT_EQ(lines.mid(0, 7),
                      (QStringList{"", " Vlastník skladeb: Maximilián Kořínek z", "", "",
                                   ownerTrack("00010", "CD1", 4, "Rondo"),
                                   ownerTrack("00011", "CD2", 12, "Rondo 2"), ""}));
            EXPECT_EQ(lines[7], " " + QString(70, '-'));
            EXPECT_TRUE(kDateLine.match(lines[8]).hasMatch()) << lines[8].toStdString();
            EXPECT_EQ(lines[9], " Norvane 2002");

            d.tree()->setCurrentItem(root->child(1));
            EXPECT_EQ(d.pane()->lines().mid(4, 2),
                      (QStringList{ownerTrack("00001", "CD1", 1, "Rondo alla turca"), ""}));
        });
    });
}

TEST_F(ExternalSearchTest, CdPanesInDocumentMode)
{
    songs("Eva", {{"00002", "CD1", 1, "Love Me Do", "Rock"}});
    window->settings().storedSystemCode = QStringLiteral("4");
    runSongs([&](Screen &s) {
        s.search("love");
        const QString fonts = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname "
                              "Courier New;}Courier New CE;}}\r\n";
        EXPECT_EQ(s.s.pane()->rtf(),
                  Codepage::cp1250().encode(
                      fonts +
                      "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n"
                      "\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs20\\par\r\n"
                      " Report hledání: \\par\r\n"
                      "\\b0\\cf1\\fs20\\par\r\n" +
                      songLine("Eva", "Love Me Do", "Rock") + "\\par\r\n}"));
        songDetails(s, [&](TSeznam_Externi_CD &d) {
            d.tree()->setCurrentItem(d.tree()->topLevelItem(0)->child(0));
            const QString head =
                fonts +
                "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;\\red0\\green0"
                "\\blue255;}\r\n"
                "\\viewkind4\\uc1\\pard\\cf3\\b\\lang1029\\f0\\fs24\\par\r\n"
                " Vlastník skladeb: Eva\\par\\par\r\n"
                "\\b0\\cf1\\fs20\r\n" +
                ownerTrack("00002", "CD1", 1, "Love Me Do") + "\\par\r\n\\b0\\cf1\\par\r\n " +
                QString(70, '-') + "\\par\r\n Datum a čas tisku  : ";
            const QByteArray rtf = d.pane()->rtf();
            EXPECT_TRUE(rtf.startsWith(Codepage::cp1250().encode(head))) << rtf.toStdString();
            EXPECT_TRUE(rtf.endsWith("\\par\r\n Norvane 2002\\par\r\n}"));
        });
    });
}

TEST_F(ExternalSearchTest, TracksWrittenByAnotherDbaseWriterAreFound)
{
    addImported(Catalogue::Cds, "Olga");
    appendWithDbf("EXTERNI/CD-Olga/cd02.dbf",
                  "[{'cislocd': '00005', 'oznaceni': 'CD1', 'tracknum': 9, 'track': 'Vltava',"
                  "  'styl': 'Klasika'},"
                  " {'cislocd': '00006', 'oznaceni': 'CD1', 'tracknum': 1, 'track': 'Sarka',"
                  "  'styl': 'Klasika'}]");
    runSongs([&](Screen &s) {
        EXPECT_EQ(s.value("pocet"), "2");
        s.search("vltava");
        EXPECT_EQ(s.lines(), withHead({songLine("Olga", "Vltava", "Klasika")}));
    });
}

// Tracks stored without a disc label in someone's catalogue are on disc 1
// there, beside tracks labelled so.
TEST_F(ExternalSearchTest, TracksWithoutADiscLabelAreShownOnDiscOne)
{
    addImported(Catalogue::Cds, "Olga");
    appendWithDbf("EXTERNI/CD-Olga/cd02.dbf",
                  "[{'cislocd': '00005', 'oznaceni': '', 'tracknum': 1, 'track': 'Vltava',"
                  "  'styl': 'Klasika'},"
                  " {'cislocd': '00005', 'oznaceni': 'CD1', 'tracknum': 2, 'track': 'Vyšehrad',"
                  "  'styl': 'Klasika'},"
                  " {'cislocd': '00005', 'oznaceni': 'CD2', 'tracknum': 1, 'track': 'Šárka',"
                  "  'styl': 'Klasika'}]");
    runSongs([&](Screen &s) {
        EXPECT_EQ(s.value("pocet"), "1");
        s.search("*");
        EXPECT_EQ(s.value("Skladeb_je"), "3");
        songDetails(s, [&](TSeznam_Externi_CD &d) {
            d.tree()->setCurrentItem(d.tree()->topLevelItem(0)->child(0));
            EXPECT_EQ(d.pane()->lines().mid(4, 3),
                      (QStringList{ownerTrack("00005", "CD1", 1, "Vltava"),
                                   ownerTrack("00005", "CD1", 2, "Vyšehrad"),
                                   ownerTrack("00005", "CD2", 1, "Šárka")}));
        });
        // A foreign catalogue written by another program is searched with
        // its Czech letters folded too.
        s.search("šár");
        EXPECT_EQ(s.value("Skladeb_je"), "1");
        s.search("VYŠE");
        EXPECT_EQ(s.value("Skladeb_je"), "1");
    });
}

TEST_F(ExternalSearchTest, AMissingCdTableIsSkipped)
{
    songs("Eva", {{"00002", "CD1", 1, "Help", "Rock"}});
    songs("Jiří", {{"00001", "CD2", 3, "Help Me", ""}});
    ASSERT_TRUE(QFile::remove(catalogueTable(Catalogue::Cds, "Eva", "cd02.dbf")));
    runSongs([&](Screen &s) {
        EXPECT_EQ(s.value("Pocet2"), "1");
        s.search("help");
        EXPECT_EQ(s.lines(), withHead({songLine("Jiří", "Help Me", "")}));
    });
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_TRUE(user.shown[0].text.contains(
        QDir::toNativeSeparators(catalogueTable(Catalogue::Cds, "Eva", "cd02.dbf"))));
}
