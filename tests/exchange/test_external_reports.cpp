// The lists of catalogues imported from other users: the owners in Czech
// order, the cassettes of an owner with what the user ticks, the CD titles
// of an owner with their discs and tracks, both pane modes, and the two
// screens as the menus of the external catalogues open them, also over a
// catalogue whose directory was removed by hand.

#include "AppFixture.h"
#include "ImportedCatalogues.h"
#include "ReportCheck.h"
#include "UnlabelledTracks.h"
#include "exchange/ExternalCassetteReportScreen.h"
#include "exchange/ExternalCdReportScreen.h"
#include "printing/ReportPrint.h"
#include "printing/Waiting.h"
#include "transfer/ExternalReports.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

namespace velmora::test {
namespace {

using exchange::Catalogue;

QString rule()
{
    return hyphens(5, 71);
}

// A film line without the blanks at its end, as trimmedRight() leaves it.
QString film(const QString &title, const QString &genre, const QString &speed, const QString &time)
{
    return QStringLiteral("     %1  %2  %3  %4")
        .arg(title, -30)
        .arg(genre, -20)
        .arg(speed, -8)
        .arg(time)
        .trimmed()
        .prepend(QStringLiteral("     "));
}

QString trackRow(const QString &number, const QString &title, const QString &length)
{
    return QStringLiteral("  %1  %2 %3").arg(number, -5).arg(title, -55).arg(length, -7);
}

const QString kVersion = QStringLiteral("Verze programu: 2002.A");

const QString kCassetteHeading =
    QStringLiteral("     Kazeta:                         Žánr filmu:           Sys.:     Čas:");
const QString kFilmHeading =
    QStringLiteral("     Film:                           Žánr filmu:           Sys.:     Čas:");

const Look kBlue16{report::kBlue, 16, true}, kBold10{report::kBlack, 10, true},
    kRed10{report::kRed, 10, true}, kBlue12{report::kBlue, 12, true},
    kRegular10{report::kBlack, 10, false}, kRed12{report::kRed, 12, true},
    kBold12{report::kBlack, 12, true}, kBlue10{report::kBlue, 10, true},
    kRegular8{report::kBlack, 8, false};

CassetteRecord cassette(const char *number, const char *type)
{
    CassetteRecord c;
    c.number = QString::fromLatin1(number);
    c.type = QString::fromLatin1(type);
    return c;
}

class ExternalReportsTest : public AppFixture
{
protected:
    void SetUp() override
    {
        start();
        window->settings().printerAvailable = true;
        window->settings().storedSystemCode = QStringLiteral("1");
        user.shown.clear();
        user.screens.clear();
    }

    // Petr imported before Anna. Anna's 00001: a source and date on slot 1,
    // a film note on slot 2, a cassette note; her 00002, appended first: a
    // film in slot 3 and a note on slot 1, which has no title.
    void twoCassetteOwners()
    {
        addImported(Catalogue::Cassettes, QStringLiteral("Petr"));
        addImported(Catalogue::Cassettes, QStringLiteral("Anna"));
        CassetteRecord a = cassette("00001", "E 180");
        a.recordings[0] = slot("Pelíšky", "SP", 125, "Komedie");
        a.recordings[0].source = "Nova";
        a.recordings[0].date = QDate(2002, 5, 27);
        a.recordings[1] = slot("Kolja", "LP", 105, "Drama");
        a.recordings[1].note = "Oscar za rok 1996";
        a.note = "Neuzavřená kazeta";
        CassetteRecord b = cassette("00002", "E 240");
        b.recordings[0].note = "Smazaný film";
        b.recordings[2] = slot("Noc", "EP", 9);
        appendCassettes({b, a}, exchange::catalogueTable(Catalogue::Cassettes, "Anna", "data.dbf"));
        CassetteRecord p = cassette("00010", "E 120");
        p.recordings[0] = slot("Tenkrát na západě", "SP", 165, "Western");
        appendCassettes({p}, exchange::catalogueTable(Catalogue::Cassettes, "Petr", "data.dbf"));
    }

    // Anna's report as written with S4 alone, line mode.
    static QStringList annaPlain()
    {
        return {"   S E Z N A M    V I D E O K A Z E T   (EXTERNÍ)",
                "",
                "     Uživatel externích dat: Anna",
                "",
                "",
                kFilmHeading,
                rule(),
                "",
                "    Kazeta: 00001   (E 180)",
                film("Pelíšky", "Komedie", "SP", "2h 05m"),
                film("Kolja", "Drama", "LP", "1h 45m"),
                "",
                "     Poznámka ke kazetě: Neuzavřená kazeta",
                "",
                rule(),
                "",
                "    Kazeta: 00002   (E 240)",
                film("Noc", "", "EP", "0h 09m"),
                "",
                rule(),
                "",
                "",
                "",
                "     Datum a čas tisku  : " + kTime + QString(9, ' ') + kVersion,
                "     Norvane 2002"};
    }

    // Eva imported before Adam. Eva's tracks are mixed in the file; 00001
    // has two discs, 00002 one disc and a note. Adam has one title and no
    // tracks. Eva's tables are written by Python's dbf.
    void twoCdOwners()
    {
        addImported(Catalogue::Cds, QStringLiteral("Eva"));
        addImported(Catalogue::Cds, QStringLiteral("Adam"));
        appendWithDbf("EXTERNI/CD-Eva/cd01.dbf",
                      "[{'cislocd': '00002', 'titulcd': 'Druhé album', 'artist': 'Lenka', "
                      "'porizeno': '03.03.2003', 'format': 'Vypálené CD', 'pozncd': 'Od Jana'},"
                      " {'cislocd': '00001', 'titulcd': 'Modré nebe', 'artist': 'Čechomor', "
                      "'porizeno': '01.02.2002', 'format': 'Originální CD'}]");
        appendWithDbf("EXTERNI/CD-Eva/cd02.dbf",
                      "[{'cislocd': '00002', 'oznaceni': 'CD1', 'tracknum': 1, 'track': 'Jaro', "
                      "'lenght': 185},"
                      " {'cislocd': '00001', 'oznaceni': 'CD1', 'tracknum': 1, 'track': 'Řeka', "
                      "'lenght': 60},"
                      " {'cislocd': '00001', 'oznaceni': 'CD2', 'tracknum': 1, 'track': 'Druhá', "
                      "'lenght': 0},"
                      " {'cislocd': '00002', 'oznaceni': 'CD1', 'tracknum': 2, 'track': 'Léto', "
                      "'lenght': 59},"
                      " {'cislocd': '00001', 'oznaceni': 'CD1', 'tracknum': 2, 'track': 'Ticho', "
                      "'lenght': 125}]");
        Table t;
        t.setPath(exchange::catalogueTable(Catalogue::Cds, "Adam", "cd01.dbf"));
        t.open();
        t.append();
        t.setString("Cislocd", "00005");
        t.setString("TitulCD", "Adamova deska");
        t.setString("Artist", "Adam");
        t.post();
        t.close();
    }

    static QStringList cdHeading(const QString &owner)
    {
        return {"  S E Z N A M    C D    T I T U L Ů   (EXTERNÍ)", "",
                "   Uživatel externích dat: " + owner, "", ""};
    }
    static QStringList cdFooter()
    {
        return {"   Datum a čas tisku  : " + kTime + QString(27, ' ') + kVersion,
                "   Norvane 2002"};
    }
    static QStringList evaPlainEntries()
    {
        return {"  Číslo titulu: 00001   (CDs: 2)",
                "  Název       : Modré nebe",
                "   Nazpíval(a)   : Čechomor",
                "",
                hyphens(2, 79),
                "  Číslo titulu: 00002   (CDs: 1)",
                "  Název       : Druhé album",
                "   Nazpíval(a)   : Lenka",
                "",
                hyphens(2, 79)};
    }

    template <typename Screen>
    void run(const char *action, TTitul::Section section, const char *name,
             const std::function<void(Screen &)> &act)
    {
        bool shown = false;
        user.onScreen[name] = [&](QDialog &d) {
            shown = true;
            act(static_cast<Screen &>(d));
        };
        window->runEntry(*window->entryFor(QLatin1String(action), section));
        user.onScreen.remove(name);
        EXPECT_TRUE(shown) << name;
    }
    void runCassettes(const std::function<void(TExterni_Tisky &)> &act)
    {
        run<TExterni_Tisky>("external.cassetteReports", TTitul::Cassettes, "TExterni_Tisky", act);
    }
    void runCds(const std::function<void(TExterni_TiskyCD &)> &act)
    {
        run<TExterni_TiskyCD>("external.cdReports", TTitul::Cds, "TExterni_TiskyCD", act);
    }

    // An owner's tables opened as the screens open them.
    static void openOwner(Table &t, Catalogue c, const QString &owner, const QString &table,
                          const QString &index)
    {
        t.setPath(exchange::catalogueTable(c, owner, table));
        t.setIndex(index);
        t.open(Table::Mode::ReadOnly);
    }
};

} // namespace

TEST_F(ExternalReportsTest, OwnersInCzechOrderAndNoneWithoutARegister)
{
    EXPECT_TRUE(exchange::owners(Catalogue::Cassettes).isEmpty());
    for (const char *owner : {"Petr", "Čeněk", "anna", "Cyril", "Dana"})
        addImported(Catalogue::Cassettes, QString::fromUtf8(owner));
    // Č after C and before D, small and capital letters together.
    EXPECT_EQ(exchange::owners(Catalogue::Cassettes),
              (QStringList{"anna", "Cyril", "Čeněk", "Dana", "Petr"}));
    EXPECT_TRUE(exchange::owners(Catalogue::Cds).isEmpty());
}

TEST_F(ExternalReportsTest, CassettesOfAnOwnerWithEveryChoiceInLineMode)
{
    twoCassetteOwners();
    Table t;
    openOwner(t, Catalogue::Cassettes, "Anna", "data.dbf", "cislo");
    const auto lines = [&](InfoChoice choice) {
        return timeless(trimmedRight(show(report::Mode::Line, [&](ReportWriter &w) {
                                         exchange::writeExternalCassettes(w, t, "Anna", choice);
                                     }).lines));
    };
    const Shown plain = show(report::Mode::Line, [&](ReportWriter &w) {
        exchange::writeExternalCassettes(w, t, "Anna", InfoChoice{});
    });
    EXPECT_EQ(timeless(trimmedRight(plain.lines)), annaPlain());
    ASSERT_EQ(plain.looks.size(), plain.lines.size());
    EXPECT_EQ(plain.looks.mid(0, 11),
              (QList<Look>{kBlue16, kBold10, kBold10, kBold10, kBold10, kRed10, kRed10, kRed10,
                           kBlue12, kRegular10, kRegular10}));
    EXPECT_EQ(plain.looks.mid(plain.looks.size() - 4), QList<Look>(4, kRegular10));

    // Everything ticked: the date and source of each film under it, the
    // note of slot 2 under slot 2's film; the note of the untitled slot 1
    // of 00002 stays out.
    QStringList every = annaPlain();
    every.insert(17 + 1, "     Pořízeno a zdroj:");
    every.insert(10 + 1, "     Poznámka k filmu: Oscar za rok 1996");
    every.insert(10 + 1, "     Pořízeno a zdroj:");
    every.insert(9 + 1, "     Pořízeno a zdroj: 27.05.2002    Nova");
    const QStringList everyShown = lines({true, true, true});
    EXPECT_EQ(everyShown, every);
    EXPECT_FALSE(everyShown.join('\n').contains("Smazaný film"));

    // Nothing ticked: no dates, no notes.
    QStringList none = annaPlain();
    none.remove(11, 2);
    EXPECT_EQ(lines({false, false, false}), none);
}

TEST_F(ExternalReportsTest, CassetteDocumentBytesAndBothModesLineByLine)
{
    twoCassetteOwners();
    Table t;
    openOwner(t, Catalogue::Cassettes, "Anna", "data.dbf", "cislo");
    const report::Report anna = [&](ReportWriter &w) {
        exchange::writeExternalCassettes(w, t, "Anna", InfoChoice{});
    };
    const auto par = [](const QString &line) { return line + "\\par\r\n"; };
    const QString expected =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier New;}Courier "
        "New CE;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue0255;;\\red0255\\green0\\blue0;}"
        "\r\n"
        "\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs32\r\n" +
        par("   S E Z N A M    V I D E O K A Z E T   (EXTERNÍ)") + "\\cf1\\fs22\\par\r\n" +
        par("    Uživatel externích dat: Anna") + "\\b\\cf3\\fs20\\par\\par\r\n" +
        par(kCassetteHeading) + "\\cf1\r\n" + par(rule()) + "\\b\\cf2\\fs24\\par\r\n" +
        par("    Kazeta: 00001   (E 180)") + "\\b0\\cf1\\fs20\r\n" +
        par(film("Pelíšky", "Komedie", "SP", "2h 05m") + ' ') + "\\b0\\cf1\\fs20\r\n" +
        par(film("Kolja", "Drama", "LP", "1h 45m") + ' ') + "\\b0\\cf1\\fs20\\par\r\n" +
        par("     Poznámka ke kazetě: Neuzavřená kazeta") + "\\par\r\n" + par(rule()) +
        "\\b\\cf2\\fs24\\par\r\n" + par("    Kazeta: 00002   (E 240)") + "\\b0\\cf1\\fs20\r\n" +
        par(QStringLiteral("     %1  %2  %3  %4 ")
                .arg("Noc", -30)
                .arg("", -20)
                .arg("EP", -8)
                .arg("0h 09m", -4)) +
        "\\par\r\n" + par(rule()) + "\\cf1\\fs18\\b0\\par\\par\\par\r\n" +
        par("      Datum a čas tisku  : " + kTime + QString(19, ' ') + kVersion) +
        par("      Norvane 2002") + "}";
    EXPECT_EQ(timeless(report::documentOf(anna)), expected);

    // What the pane shows of the document: the same lines but where the
    // two modes are written differently.
    QStringList line = timeless(trimmedRight(show(report::Mode::Line, anna).lines));
    const QStringList document = timeless(trimmedRight(show(report::Mode::Document, anna).lines));
    line[2].remove(0, 1);       // the owner one space less in
    line[5] = kCassetteHeading; // the first column headed by the cassettes
    // The date and maker lines one space further in, the version further on.
    line[line.size() - 2] = "      Datum a čas tisku  : " + kTime + QString(19, ' ') + kVersion;
    line.last().prepend(' ');
    EXPECT_EQ(line, document);
}

TEST_F(ExternalReportsTest, CdTitlesOfAnOwnerInLineModeWithTheirLooks)
{
    twoCdOwners();
    Table titles, tracks;
    openOwner(titles, Catalogue::Cds, "Eva", "cd01.dbf", "cislocd");
    openOwner(tracks, Catalogue::Cds, "Eva", "cd02.dbf", "cislocd");
    QList<int> counted;
    const auto report = [&](const CdListOptions &o) -> report::Report {
        return [&, o](ReportWriter &w) {
            exchange::writeExternalCds(w, titles, TitleTracks(tracks), "Eva", o,
                                       [&](int n) { counted << n; });
        };
    };
    const Shown plain = show(report::Mode::Line, report({}));
    EXPECT_EQ(timeless(plain.lines), cdHeading("Eva") + evaPlainEntries() + cdFooter());
    // The disc counts walked each title's tracks: two of 00001's three
    // tracks are on disc 1.
    EXPECT_EQ(counted, (QList<int>{3, 2}));
    ASSERT_EQ(plain.looks.size(), plain.lines.size());
    EXPECT_EQ(plain.looks,
              (QList<Look>{kBlue16, kBold10, kBold10, kBold10, kBold10, kRed12, kBold12, kRegular10,
                           kRegular10, kRegular10, kRed12, kBold12, kRegular10, kRegular10,
                           kRegular10, kRegular8, kRegular8}));

    const Shown every = show(report::Mode::Line, report({true, true, true, true}));
    const QStringList entries{
        "  Číslo titulu: 00001   (CDs: 2) ... Pořízeno: 01.02.2002",
        "  Název       : Modré nebe",
        "   Nazpíval(a)   : Čechomor",
        "   Formát tit.   : Originální CD",
        "",
        "  Skladby na CD1:",
        trackRow("1.", "Řeka", "01m 00s"),
        trackRow("2.", "Ticho", "02m 05s"),
        "",
        "  Skladby na CD2:",
        trackRow("1.", "Druhá", "00m 00s"),
        "",
        hyphens(2, 79),
        "  Číslo titulu: 00002   (CDs: 1) ... Pořízeno: 03.03.2003",
        "  Název       : Druhé album",
        "   Nazpíval(a)   : Lenka",
        "   Formát tit.   : Vypálené CD",
        "",
        "  Skladby na CD1:",
        trackRow("1.", "Jaro", "03m 05s"),
        trackRow("2.", "Léto", "00m 59s"),
        "",
        "",
        "   Poznámka k titulu: Od Jana",
        "",
        hyphens(2, 79),
    };
    EXPECT_EQ(timeless(every.lines), cdHeading("Eva") + entries + cdFooter());
    ASSERT_EQ(every.looks.size(), every.lines.size());
    // The empty line before a disc's heading in the heading's looks, the
    // tracks and what follows regular.
    EXPECT_EQ(every.looks.mid(5, 13),
              (QList<Look>{kRed12, kBold12, kRegular10, kRegular10, kBlue10, kBlue10, kRegular10,
                           kRegular10, kBlue10, kBlue10, kRegular10, kRegular10, kRegular10}));
    EXPECT_EQ(every.looks.mid(26, 5), QList<Look>(5, kRegular10));
}

TEST_F(ExternalReportsTest, CdDocumentBytesAndBothModesLineByLine)
{
    twoCdOwners();
    Table titles, tracks;
    openOwner(titles, Catalogue::Cds, "Eva", "cd01.dbf", "cislocd");
    openOwner(tracks, Catalogue::Cds, "Eva", "cd02.dbf", "cislocd");
    const report::Report eva = [&](ReportWriter &w) {
        exchange::writeExternalCds(w, titles, TitleTracks(tracks), "Eva", {true, true, true, true});
    };
    const auto par = [](const QString &line) { return line + "\\par\r\n"; };
    const QString closing = "\\b0\\cf1\\fs20\\par\r\n" + par(hyphens(2, 79)) + "\\par\r\n";
    const QString expected =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier New;}Courier "
        "New CE;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue0255;;\\red0255\\green0\\blue0;}"
        "\r\n"
        "\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs32\r\n" +
        par("  S E Z N A M    C D    T I T U L Ů   (EXTERNÍ)") + "\\cf1\\fs22\\par\r\n" +
        par("   Uživatel externích dat: Eva") + "\\b\\cf3\\fs20\\par\\par\r\n" +
        "\\b\\cf3\\b\\fs22\r\n" + par("  Číslo titulu: 00001   (CDs: 2) ... Pořízeno: 01.02.2002") +
        "\\b\\cf1\\fs24\r\n" + par("  Název      : Modré nebe") + "\\b0\\cf1\\fs22\r\n" +
        par("  Nazpíval(a) : Čechomor") + par("  Formát tit. : Originální CD") +
        "\\b\\cf2\\par\r\n" + par("  Skladby na CD1:") + "\\b0\\cf1\r\n" +
        par(trackRow("1.", "Řeka", "01m 00s")) + par(trackRow("2.", "Ticho", "02m 05s")) +
        "\\b\\cf2\\par\r\n" + par("  Skladby na CD2:") + "\\b0\\cf1\r\n" +
        par(trackRow("1.", "Druhá", "00m 00s")) + closing + "\\b\\cf3\\b\\fs22\r\n" +
        par("  Číslo titulu: 00002   (CDs: 1) ... Pořízeno: 03.03.2003") + "\\b\\cf1\\fs24\r\n" +
        par("  Název      : Druhé album") + "\\b0\\cf1\\fs22\r\n" + par("  Nazpíval(a) : Lenka") +
        par("  Formát tit. : Vypálené CD") + "\\b\\cf2\\par\r\n" + par("  Skladby na CD1:") +
        "\\b0\\cf1\r\n" + par(trackRow("1.", "Jaro", "03m 05s")) +
        par(trackRow("2.", "Léto", "00m 59s")) + "\\b0\\par\\par\r\n" +
        par("  Poznámka k titulu: Od Jana") + closing + "\\b0\\cf1\\fs18\r\n" +
        par("   Datum a čas tisku  : " + kTime + QString(27, ' ') + kVersion) +
        par("   Norvane 2002") + "}";
    EXPECT_EQ(timeless(report::documentOf(eva)), expected);

    QStringList line = timeless(show(report::Mode::Line, eva).lines);
    const QStringList document = timeless(show(report::Mode::Document, eva).lines);
    for (QString &l : line) {
        // The document's entries keep the own list's texts.
        if (l.startsWith("  Název       : "))
            l.remove(8, 1);
        else if (l.startsWith("   Nazpíval(a)   : ") || l.startsWith("   Formát tit.   : "))
            l = l.mid(1, 13) + l.mid(16);
        else if (l.startsWith("   Poznámka k titulu: "))
            l.remove(0, 1);
    }
    // An empty line after each rule in the document.
    line.insert(30 + 1, "");
    line.insert(17 + 1, "");
    EXPECT_EQ(line, document);
}

TEST_F(ExternalReportsTest, CassetteOwnersListedInOrderAndAnOptionGoesBackToTheFirst)
{
    twoCassetteOwners();
    runCassettes([&](TExterni_Tisky &s) {
        EXPECT_EQ(s.windowTitle(), "Tiskové sestavy externích databází (uživatelů)");
        EXPECT_EQ(s.titleLabel()->text(), "Tisková sestava pro uživatele:");
        EXPECT_EQ(s.printButton()->text(), "Vytisknout sestavu");
        EXPECT_TRUE(s.printButton()->isEnabled());
        ASSERT_EQ(s.users(), s.findChild<QComboBox *>("Users"));
        ASSERT_EQ(s.count(), s.findChild<QLabel *>("Max"));
        ASSERT_EQ(s.datesAndSources(), s.findChild<QCheckBox *>("S2"));
        ASSERT_EQ(s.filmNotes(), s.findChild<QCheckBox *>("S3"));
        ASSERT_EQ(s.cassetteNotes(), s.findChild<QCheckBox *>("S4"));
        EXPECT_TRUE(s.findChild<ReportPane *>("RichEdit1"));
        EXPECT_EQ(s.titleLabel()->buddy(), s.users());
        EXPECT_EQ(s.count()->accessibleDescription(), "Tisková sestava pro uživatele");
        EXPECT_EQ(s.datesAndSources()->text(), "Datum pořízení filmů a zdroje nahrávek filmů");
        EXPECT_EQ(s.filmNotes()->text(), "Poznámku k jednotlivým filmům");
        EXPECT_EQ(s.cassetteNotes()->text(), "Poznámku k videokazetě");
        EXPECT_FALSE(s.datesAndSources()->isChecked());
        EXPECT_FALSE(s.filmNotes()->isChecked());
        EXPECT_TRUE(s.cassetteNotes()->isChecked());

        ASSERT_EQ(s.users()->count(), 2);
        EXPECT_EQ(s.users()->itemText(0), "Anna");
        EXPECT_EQ(s.users()->itemText(1), "Petr");
        EXPECT_EQ(s.count()->text(), "(Celkem: 2)");
        EXPECT_EQ(s.users()->currentIndex(), 0);
        EXPECT_EQ(timeless(trimmedRight(s.pane()->lines())), annaPlain());
        EXPECT_TRUE(s.cassettes().isOpen());
        EXPECT_EQ(s.waiting()->maximum(), 2);
        EXPECT_FALSE(s.waiting()->isVisible());

        s.users()->setCurrentIndex(1);
        QStringList petr = timeless(trimmedRight(s.pane()->lines()));
        EXPECT_EQ(petr.value(2), "     Uživatel externích dat: Petr");
        EXPECT_EQ(petr.value(9), film("Tenkrát na západě", "Western", "SP", "2h 45m"));
        EXPECT_TRUE(s.cassettes().path().endsWith("/EXTERNI/VK-Petr/data.dbf"));

        // A tick while Petr is shown: the list read anew, Anna shown with the
        // film note under slot 2's film.
        QTest::mouseClick(s.filmNotes(), Qt::LeftButton);
        EXPECT_EQ(s.users()->currentIndex(), 0);
        EXPECT_EQ(s.users()->count(), 2);
        const QStringList anna = timeless(trimmedRight(s.pane()->lines()));
        EXPECT_EQ(anna.value(2), "     Uživatel externích dat: Anna");
        EXPECT_EQ(anna.mid(9, 3), (QStringList{film("Pelíšky", "Komedie", "SP", "2h 05m"),
                                               film("Kolja", "Drama", "LP", "1h 45m"),
                                               "     Poznámka k filmu: Oscar za rok 1996"}));
        EXPECT_TRUE(s.cassettes().path().endsWith("/EXTERNI/VK-Anna/data.dbf"));

        // An owner imported meanwhile is in the list from the next tick on.
        addImported(Catalogue::Cassettes, QStringLiteral("Běla"));
        QTest::mouseClick(s.cassetteNotes(), Qt::LeftButton);
        EXPECT_EQ(s.users()->itemText(1), "Běla");
        EXPECT_EQ(s.count()->text(), "(Celkem: 3)");
        EXPECT_FALSE(timeless(s.pane()->lines()).join('\n').contains("Neuzavřená"));

        s.reject();
        EXPECT_FALSE(s.cassettes().isOpen());
    });
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(ExternalReportsTest, CdOwnerKeptWhenAnOptionIsTickedAndTheGauge)
{
    twoCdOwners();
    window->settings().printerAvailable = false;
    runCds([&](TExterni_TiskyCD &s) {
        EXPECT_EQ(s.windowTitle(),
                  "Tiskové sestavy externích databází (uživatelů) hudebních CD disků ");
        EXPECT_EQ(s.titleLabel()->text(), "Tisky z dat externích uživatelů:");
        EXPECT_FALSE(s.printButton()->isEnabled()); // no printer
        ASSERT_EQ(s.users(), s.findChild<QComboBox *>("Users"));
        ASSERT_EQ(s.count(), s.findChild<QLabel *>("Max"));
        EXPECT_EQ(s.titleLabel()->buddy(), s.users());
        EXPECT_EQ(s.optionsCaption()->text(), "Chci vytisknout info:");
        EXPECT_EQ(s.optionsCaption()->buddy(), s.option(1));
        const QStringList texts{"Včetně datumu pořízení", "Včetně formátu titulu",
                                "Včetně poznámek k titulu",
                                "Zobrazit i kompletní skladby k titulu !"};
        for (int n = 1; n <= 4; ++n) {
            ASSERT_EQ(s.option(n), s.findChild<QCheckBox *>(QString("CheckBox%1").arg(n)));
            EXPECT_EQ(s.option(n)->text(), texts[n - 1]);
            EXPECT_FALSE(s.option(n)->isChecked());
        }
        EXPECT_EQ(s.count()->text(), "Celkem: 2");
        ASSERT_EQ(s.users()->count(), 2);
        EXPECT_EQ(s.users()->itemText(0), "Adam");
        EXPECT_EQ(s.users()->itemText(1), "Eva");
        EXPECT_EQ(s.users()->currentIndex(), 0);
        const QStringList adam{"  Číslo titulu: 00005   (CDs: 0)", "  Název       : Adamova deska",
                               "   Nazpíval(a)   : Adam", "", hyphens(2, 79)};
        EXPECT_EQ(timeless(s.pane()->lines()), cdHeading("Adam") + adam + cdFooter());
        // No option: the gauge stood full from the start and the window is
        // gone again.
        EXPECT_EQ(s.waiting()->maximum(), 100);
        EXPECT_EQ(s.waiting()->position(), 100);
        EXPECT_FALSE(s.waiting()->isVisible());

        s.users()->setCurrentIndex(1);
        EXPECT_EQ(timeless(s.pane()->lines()), cdHeading("Eva") + evaPlainEntries() + cdFooter());
        EXPECT_TRUE(s.titles().path().endsWith("/EXTERNI/CD-Eva/cd01.dbf"));
        EXPECT_TRUE(s.tracks().path().endsWith("/EXTERNI/CD-Eva/cd02.dbf"));

        // The option keeps Eva; the gauge runs over her five tracks.
        QTest::mouseClick(s.option(4), Qt::LeftButton);
        EXPECT_EQ(s.users()->currentIndex(), 1);
        const QStringList lines = timeless(s.pane()->lines());
        EXPECT_EQ(lines.value(2), "   Uživatel externích dat: Eva");
        EXPECT_TRUE(lines.contains(trackRow("1.", "Druhá", "00m 00s")));
        EXPECT_TRUE(lines.contains(trackRow("2.", "Léto", "00m 59s")));
        EXPECT_EQ(s.waiting()->maximum(), 5);
        EXPECT_EQ(s.waiting()->position(), 5);

        // Adam has no tracks: with an option the gauge has nothing to run over.
        s.users()->setCurrentIndex(0);
        EXPECT_TRUE(s.option(4)->isChecked());
        EXPECT_EQ(s.waiting()->maximum(), 0);
        EXPECT_FALSE(timeless(s.pane()->lines()).join('\n').contains("Skladby"));

        s.reject();
        EXPECT_FALSE(s.titles().isOpen());
        EXPECT_FALSE(s.tracks().isOpen());
    });
    EXPECT_TRUE(user.shown.isEmpty());
}

// Tracks stored without a disc label in someone's catalogue belong to disc
// 1: Olga's 00001 has no label at all, her 00002 mixes them with CD1 and CD2.
TEST_F(ExternalReportsTest, CdTracksWithoutADiscLabelAreCountedAndListedAsDiscOne)
{
    addImported(Catalogue::Cds, QStringLiteral("Olga"));
    appendWithDbf("EXTERNI/CD-Olga/cd01.dbf", kUnlabelledTitles);
    appendWithDbf("EXTERNI/CD-Olga/cd02.dbf", kUnlabelledTracks);
    const auto entry = [](const char *number, int discs, const QString &title,
                          const QString &singer) {
        return QStringList{QStringLiteral("  Číslo titulu: %1   (CDs: %2)").arg(number).arg(discs),
                           "  Název       : " + title, "   Nazpíval(a)   : " + singer};
    };
    const QStringList closing{"", hyphens(2, 79)};
    runCds([&](TExterni_TiskyCD &s) {
        ASSERT_EQ(s.users()->currentText(), "Olga");
        EXPECT_EQ(timeless(s.pane()->lines()),
                  cdHeading("Olga") + entry("00001", 1, "Bez označení", "Eva") + closing +
                      entry("00002", 2, "Napůl", "Jan") + closing + cdFooter());

        QTest::mouseClick(s.option(4), Qt::LeftButton);
        const QStringList withTracks =
            cdHeading("Olga") + entry("00001", 1, "Bez označení", "Eva") +
            QStringList{"", "  Skladby na CD1:", trackRow("1.", "Píseň", "01m 05s"),
                        trackRow("2.", "Druhá", "10m 00s")} +
            closing + entry("00002", 2, "Napůl", "Jan") +
            QStringList{"",
                        "  Skladby na CD1:",
                        trackRow("1.", "Ráno", "01m 01s"),
                        trackRow("2.", "Poledne", "01m 02s"),
                        "",
                        "  Skladby na CD2:",
                        trackRow("1.", "Večer", "01m 03s")} +
            closing + cdFooter();
        EXPECT_EQ(timeless(s.pane()->lines()), withTracks);
        // The gauge ran over the five tracks as the disc counts walked them.
        EXPECT_EQ(s.waiting()->maximum(), 5);
        EXPECT_EQ(s.waiting()->position(), 5);
    });
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(ExternalReportsTest, OwnerDirectoryRemovedByHandIsToldAndTheScreenStaysUsable)
{
    twoCassetteOwners();
    ASSERT_TRUE(QDir(exchange::catalogueDir(Catalogue::Cassettes, "Anna")).removeRecursively());
    const QString missing = QDir::toNativeSeparators(
        exchange::catalogueTable(Catalogue::Cassettes, "Anna", "data.dbf"));
    runCassettes([&](TExterni_Tisky &s) {
        ASSERT_EQ(user.shown.size(), 1);
        EXPECT_EQ(user.shown[0].kind, MessageKind::Error);
        EXPECT_TRUE(user.shown[0].text.contains(missing)) << user.shown[0].text.toStdString();
        EXPECT_EQ(s.users()->currentText(), "Anna");
        EXPECT_TRUE(s.pane()->lines().join("").isEmpty());
        EXPECT_FALSE(s.printButton()->isEnabled());
        EXPECT_FALSE(s.cassettes().isOpen());

        s.users()->setCurrentIndex(1);
        EXPECT_EQ(user.shown.size(), 1);
        EXPECT_EQ(timeless(trimmedRight(s.pane()->lines())).value(2),
                  "     Uživatel externích dat: Petr");
        EXPECT_TRUE(s.printButton()->isEnabled());
        EXPECT_TRUE(s.users()->isEnabled());

        // A tick goes back to Anna, and is told again.
        QTest::mouseClick(s.datesAndSources(), Qt::LeftButton);
        EXPECT_EQ(user.shown.size(), 2);
        EXPECT_TRUE(s.isVisible());
    });

    // CDs: Eva's track table alone is gone.
    twoCdOwners();
    user.shown.clear();
    ASSERT_TRUE(QFile::remove(exchange::catalogueTable(Catalogue::Cds, "Eva", "cd02.dbf")));
    runCds([&](TExterni_TiskyCD &s) {
        EXPECT_TRUE(user.shown.isEmpty());
        s.users()->setCurrentIndex(1);
        ASSERT_EQ(user.shown.size(), 1);
        EXPECT_TRUE(user.shown[0].text.contains("CD-Eva/cd02.dbf"))
            << user.shown[0].text.toStdString();
        EXPECT_TRUE(s.pane()->lines().join("").isEmpty());
        EXPECT_FALSE(s.titles().isOpen());
        // Ticking an option stays with Eva and tells once more.
        QTest::mouseClick(s.option(1), Qt::LeftButton);
        EXPECT_EQ(s.users()->currentIndex(), 1);
        EXPECT_EQ(user.shown.size(), 2);
        s.users()->setCurrentIndex(0);
        EXPECT_EQ(timeless(s.pane()->lines()).value(2), "   Uživatel externích dat: Adam");
    });
}

TEST_F(ExternalReportsTest, MenuCommandsNeedTheirRegister)
{
    window->runEntry(*window->entryFor("external.cassetteReports", TTitul::Cassettes));
    window->runEntry(*window->entryFor("external.cdReports", TTitul::Cds));
    EXPECT_TRUE(user.screens.isEmpty());
    EXPECT_EQ(user.texts(), QStringList(2, "V databázi nejsou žádná data, nelze pokračovat!"));

    // A register left without records: an empty list and an empty pane.
    ASSERT_TRUE(QDir().mkpath(Paths::externiDir()));
    Table reg;
    reg.setPath(exchange::registerPath(Catalogue::Cds));
    reg.create(exchange::registerFields());
    user.shown.clear();
    runCds([&](TExterni_TiskyCD &s) {
        EXPECT_EQ(s.users()->count(), 0);
        EXPECT_EQ(s.count()->text(), "Celkem: 0");
        EXPECT_TRUE(s.pane()->lines().join("").isEmpty());
        QTest::mouseClick(s.option(2), Qt::LeftButton);
        EXPECT_TRUE(s.pane()->lines().join("").isEmpty());
    });
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(ExternalReportsTest, DocumentModeScreenSavedAsPdfAndPrinted)
{
    QPrinter &printer = report::currentPrinter();
    const bool pdfPrinter = printer.outputFormat() == QPrinter::PdfFormat;
    window->settings().storedSystemCode = QStringLiteral("4");
    twoCdOwners();
    const QString saved = env.file("externi.pdf");
    const QString printed = env.file("printed.pdf");
    if (pdfPrinter)
        printer.setOutputFileName(printed);
    user.saveFiles << saved;
    bool closedByPrint = false;
    runCds([&](TExterni_TiskyCD &s) {
        s.users()->setCurrentIndex(1);
        QTest::mouseClick(s.option(4), Qt::LeftButton);
        EXPECT_TRUE(decoded(s.pane()->rtf()).contains("   Uživatel externích dat: Eva\\par"));
        QTest::mouseClick(s.pdfButton(), Qt::LeftButton);
        if (!pdfPrinter)
            return;
        QTest::mouseClick(s.printButton(), Qt::LeftButton);
        closedByPrint = !s.isVisible();
    });
    QStringList files{saved};
    if (pdfPrinter) {
        printer.setOutputFileName(QString());
        EXPECT_TRUE(closedByPrint);
        files << printed;
    }
    for (const QString &file : files) {
        ASSERT_TRUE(QFile::exists(file)) << file.toStdString();
        const QString text = runProgram("pdftotext", {"-layout", file, "-"}).simplified();
        EXPECT_TRUE(text.contains("S E Z N A M C D T I T U L Ů (EXTERNÍ)")) << text.toStdString();
        EXPECT_TRUE(text.contains("Uživatel externích dat: Eva")) << text.toStdString();
        EXPECT_TRUE(text.contains("Skladby na CD2:")) << text.toStdString();
        EXPECT_TRUE(text.contains("1. Druhá 00m 00s")) << text.toStdString();
    }
}

} // namespace velmora::test
