// The printed lists of the cassettes: every cassette, the lent ones, the
// films at one speed, the list with information and the list from a chosen
// cassette, in both pane modes, through the print menu as the user runs it.

#include "AppFixture.h"
#include "ReportCheck.h"
#include "listing/CassetteLists.h"
#include "printing/ReportPrint.h"
#include "printing/Waiting.h"
#include "reports/CassetteChooser.h"
#include "reports/CassetteInfoScreen.h"
#include "reports/CassetteListScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace velmora::test {
namespace {

QString rule(int n = 71)
{
    return QStringLiteral("     ") + QString(n, QLatin1Char('-'));
}

QString film(const QString &title, const QString &genre, const QString &speed, const QString &time)
{
    return QStringLiteral("     %1  %2  %3  %4 ")
        .arg(title, -30)
        .arg(genre, -20)
        .arg(speed, -8)
        .arg(time, -4);
}

QString dateLine(int run)
{
    return QStringLiteral("     Datum a čas tisku  : <čas>") + QString(run, QLatin1Char(' ')) +
           QStringLiteral("Verze programu: ") + report::versionText();
}

CassetteRecord cassette(const char *number, const char *type = "E 180")
{
    CassetteRecord c;
    c.number = QString::fromLatin1(number);
    c.type = QString::fromLatin1(type);
    return c;
}

class CassetteListTest : public AppFixture
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

    // 00001: films in slots 1 and 3 and a note; 00002: lent, a slot with a
    // length and speed but no title; 00003: EP and a lower-case "sp".
    void catalogue()
    {
        CassetteRecord a = cassette("00001");
        a.recordings[0] = slot("Pelíšky", "SP", 125, "Komedie");
        a.recordings[2] = slot("Kolja", "LP", 0, "Drama");
        a.recordings[2].note = "Oscar";
        a.recordings[2].source = "ČT1";
        a.recordings[2].date = QDate(2002, 5, 27);
        a.note = "Neuzavřená kazeta";
        CassetteRecord b = cassette("00002", "E 240");
        b.recordings[1] = slot(QString(), "SP", 90, "Horor");
        b.loan = {true, "Eva Nováková", "01.03.2002", 14};
        CassetteRecord c = cassette("00003");
        c.recordings[0] = slot("Noc", "EP", 9);
        c.recordings[1] = slot("Den", "sp", 600);
        appendCassettes({c, b, a});
    }

    // Runs a print command and acts on its screen.
    template <typename Screen>
    void run(const char *action, const char *name, const std::function<void(Screen &)> &act)
    {
        bool shown = false;
        user.onScreen[name] = [&](QDialog &d) {
            shown = true;
            act(static_cast<Screen &>(d));
        };
        window->runEntry(*window->entryFor(QLatin1String(action), TTitul::Cassettes));
        user.onScreen.remove(name);
        EXPECT_TRUE(shown) << name;
    }
};

} // namespace

TEST_F(CassetteListTest, AllCassettesLineByLineWithTheirLooks)
{
    catalogue();
    run<TTisk>("printing.cassetteList", "TTisk", [&](TTisk &s) {
        EXPECT_EQ(s.windowTitle(), "Tiskové sestavy z evidovaných dat ...");
        EXPECT_EQ(s.titleLabel()->text(), "Seznam evidovaných videokazet");
        EXPECT_EQ(s.printButton()->text(), "Vytisknout sestavu");
        const QStringList lines = timeless(trimmedRight(s.pane()->lines()));
        const QStringList expected{
            "   S E Z N A M    V I D E O K A Z E T", "", "", "",
            "     Film:                           Žánr filmu:           Sys.:     Čas:", rule(), "",
            "    Kazeta: 00001   (E 180)",
            film("Pelíšky", "Komedie", "SP", "2h 05m").trimmed().prepend("     "),
            film("Kolja", "Drama", "LP", "0h 00m").trimmed().prepend("     "), "",
            "     Poznámka ke kazetě: Neuzavřená kazeta", "", rule(), "",
            // No used slot: the cassette line, then the closing lines.
            "    Kazeta: 00002   (E 240)", "", rule(), "", "    Kazeta: 00003   (E 180)",
            film("Noc", "", "EP", "0h 09m").trimmed().prepend("     "),
            film("Den", "", "sp", "10h 00m").trimmed().prepend("     "), "", rule(), "", "", "",
            dateLine(9), "     Norvane 2002"};
        EXPECT_EQ(lines, expected);
        const QList<Look> looks = test::looks(*s.pane());
        EXPECT_EQ(looks[0], (Look{report::kBlue, 16, true}));
        EXPECT_EQ(looks[4], (Look{report::kRed, 10, true}));
        EXPECT_EQ(looks[7], (Look{report::kBlue, 12, true}));
        EXPECT_EQ(looks[8], (Look{report::kBlack, 10, false}));
        // Every cassette moved the progress window, which is gone again.
        EXPECT_EQ(s.waiting()->maximum(), 3);
        EXPECT_FALSE(s.waiting()->isVisible());
    });
}

TEST_F(CassetteListTest, AllCassettesAsOneDocument)
{
    catalogue();
    window->settings().storedSystemCode = QStringLiteral("4");
    run<TTisk>("printing.cassetteList", "TTisk", [&](TTisk &s) {
        const QString doc = timeless(decoded(s.pane()->rtf()));
        const QString head =
            "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier "
            "New;}Courier New CE;}}\r\n"
            "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue0255;\\red0255\\green0\\blue0;}"
            "\r\n\\viewkind4\\uc1\\pard\\cf3\\b\\lang1029\\f0\\fs24\r\n"
            "\\cf2\\b\\fs32\r\n"
            "   S E Z N A M    V I D E O K A Z E T\\par\r\n"
            "\\cf3\\b\\fs20\\par\\par\r\n"
            "     Film:                           Žánr filmu:           Sys.:     Čas:\\par\r\n"
            "\\cf1\\fs20\r\n" +
            rule() + "\\par\r\n\\par\r\n";
        EXPECT_TRUE(doc.startsWith(head)) << doc.toStdString();
        const QString first = "\\b\\cf2\\b\\fs24\r\n    Kazeta: 00001   (E 180)\\par\r\n"
                              "\\b0\\cf1\\fs20\r\n" +
                              film("Pelíšky", "Komedie", "SP", "2h 05m") + "\\par\r\n" +
                              film("Kolja", "Drama", "LP", "0h 00m") +
                              "\\par\r\n\\b0\\par\r\n"
                              "     Poznámka ke kazetě: Neuzavřená kazeta\\par\r\n"
                              "\\b0\\cf1\\fs20\\par\r\n" +
                              rule() + "\\par\r\n\\par\r\n";
        EXPECT_TRUE(doc.contains(first)) << doc.toStdString();
        EXPECT_TRUE(doc.endsWith("\\b0\\cf1\\fs18\r\n      Datum a čas tisku  : <čas>" +
                                 QString(19, ' ') + "Verze programu: " + report::versionText() +
                                 "\\par\r\n      Norvane 2002\\par\r\n}"))
            << doc.toStdString();
        // The same lines as line mode shows.
        EXPECT_TRUE(s.pane()->lines().contains("    Kazeta: 00003   (E 180)"));
    });
}

TEST_F(CassetteListTest, LentCassettesAndTheChoiceOfList)
{
    catalogue();
    run<TTisk>("printing.cassetteList", "TTisk", [&](TTisk &s) {
        Table &t = window->tables().Table1;
        s.speedChoice()->setCurrentIndex(2);
        s.listChoice()->setCurrentIndex(1);
        EXPECT_FALSE(s.speedChoice()->isEnabled());
        EXPECT_EQ(s.titleLabel()->text(), "Seznam zapůjčených videokazet");
        EXPECT_TRUE(t.filtered());
        const QStringList lines = timeless(trimmedRight(s.pane()->lines()));
        EXPECT_EQ(lines.mid(0, 8),
                  (QStringList{"   Z A P Ů J Č E N É    V I D E O K A Z E T Y", "", "", "",
                               "     Kazeta:             Komu:                                  "
                               "  Od kdy:",
                               rule(), "",
                               "     Kazeta: 00002       Eva Nováková                           "
                               "  01.03.2002"}));
        EXPECT_EQ(lines.mid(8), (QStringList{"", "", rule(), dateLine(9), "     Norvane 2002"}));

        // Back to every cassette: the speed list is usable again, at its
        // first item, and the filter is gone.
        s.listChoice()->setCurrentIndex(0);
        EXPECT_TRUE(s.speedChoice()->isEnabled());
        EXPECT_EQ(s.speedChoice()->currentIndex(), 0);
        EXPECT_FALSE(t.filtered());
        s.listChoice()->setCurrentIndex(1);
    });
    // Closed on the lent list: its filter does not outlive the screen, so
    // the next command finds every cassette.
    EXPECT_FALSE(window->tables().Table1.isOpen());
    EXPECT_FALSE(window->tables().Table1.filtered());
    run<TTisk>("printing.cassetteList", "TTisk", [&](TTisk &s) {
        EXPECT_TRUE(s.pane()->lines().contains("    Kazeta: 00003   (E 180)"));
    });
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(CassetteListTest, NoLentCassetteSaysSoInBothModes)
{
    appendCassette(cassette("00001"));
    for (const char *os : {"1", "4"}) {
        window->settings().storedSystemCode = QLatin1String(os);
        run<TTisk>("printing.cassetteList", "TTisk", [&](TTisk &s) {
            s.listChoice()->setCurrentIndex(1);
            const QStringList lines = timeless(trimmedRight(s.pane()->lines()));
            if (QLatin1String(os) == "1") {
                EXPECT_EQ(lines, (QStringList{"            K tištěnému datu nejsou evidované žádné "
                                              "zápujčky !!!",
                                              "", "", rule(), dateLine(9), "     Norvane 2002"}));
                EXPECT_EQ(test::looks(*s.pane())[0], (Look{report::kRed, 11, true}));
            } else {
                const QString doc = decoded(s.pane()->rtf());
                EXPECT_TRUE(doc.contains("\\viewkind4\\uc1\\pard\\cf3\\b\\lang1029\\f0\\fs24\r\n"
                                         "\\par\\par\r\n"
                                         "         K tištěnému datu nejsou evidované žádné "
                                         "zápujčky !\\par\r\n\\cf1\\b0\\par\\par\r\n"
                                         "\\b0\\cf1\\fs20\\par\r\n"))
                    << doc.toStdString();
                EXPECT_FALSE(doc.contains("Z A P"));
            }
        });
    }
}

TEST_F(CassetteListTest, FilmsAtOneSpeedMatchLetterForLetter)
{
    catalogue();
    run<TTisk>("printing.cassetteList", "TTisk", [&](TTisk &s) {
        s.speedChoice()->setCurrentIndex(1);
        EXPECT_EQ(s.titleLabel()->text(), "Seznam filmů v systému SP");
        const QStringList lines = timeless(trimmedRight(s.pane()->lines()));
        const auto row = [](const char *n, const QString &title, const QString &genre,
                            const char *time) {
            return QStringLiteral("     %1     %2      %3        %4")
                .arg(QLatin1String(n), -5)
                .arg(title, -30)
                .arg(genre, -15)
                .arg(QLatin1String(time), -8);
        };
        // 00002's slot has no title yet is listed; "sp" of 00003 is not SP.
        EXPECT_EQ(
            lines,
            (QStringList{"   S E Z N A M   F I L M Ů   V   \"SP\"", "", "", "",
                         "     Kazeta:   Film:                               Žánr "
                         "filmu:            Čas:",
                         rule(75), "",
                         row("00001", "Pelíšky", "Komedie", "2h 05m").trimmed().prepend("     "),
                         row("00002", "", "Horor", "1h 30m").trimmed().prepend("     "), "", "",
                         rule(75),
                         "     Datum a čas tisku  : <čas>" + QString(13, ' ') +
                             "Verze programu: " + report::versionText(),
                         "     Norvane 2002"}));
        s.speedChoice()->setCurrentIndex(0);
        EXPECT_EQ(s.listChoice()->currentIndex(), 0);
        EXPECT_EQ(s.titleLabel()->text(), "Seznam evidovaných videokazet");
    });
}

TEST_F(CassetteListTest, InformationFollowsTheThreeBoxes)
{
    catalogue();
    run<TTisk_info>("printing.cassetteListInfo", "TTisk_info", [&](TTisk_info &s) {
        EXPECT_EQ(s.windowTitle(), "Tisková sestava z evidovaných dat + informace");
        EXPECT_EQ(s.findChild<QLabel *>("pocet")->text(), "3");
        auto *dates = s.findChild<QCheckBox *>("S2");
        auto *notes = s.findChild<QCheckBox *>("S3");
        auto *cassetteNotes = s.findChild<QCheckBox *>("S4");
        ASSERT_TRUE(dates && notes && cassetteNotes);
        EXPECT_FALSE(dates->isChecked());
        EXPECT_FALSE(notes->isChecked());
        EXPECT_TRUE(cassetteNotes->isChecked());
        const auto lines = [&] { return timeless(trimmedRight(s.pane()->lines())); };
        EXPECT_EQ(
            lines().mid(0, 12),
            (QStringList{"   S E Z N A M    V I D E O K A Z E T   +   INFO", "", "",
                         "     Kazeta:                         Žánr filmu:           "
                         "Sys.:     Čas:",
                         rule(), "", "    Kazeta: 00001   (E 180)",
                         film("Pelíšky", "Komedie", "SP", "2h 05m").trimmed().prepend("     "),
                         film("Kolja", "Drama", "LP", "0h 00m").trimmed().prepend("     "), "",
                         "     Poznámka ke kazetě: Neuzavřená kazeta", ""}));

        QTest::mouseClick(notes, Qt::LeftButton);
        QTest::mouseClick(dates, Qt::LeftButton);
        QTest::mouseClick(cassetteNotes, Qt::LeftButton);
        // The note and source of slot 3 under the film of slot 3.
        EXPECT_EQ(
            lines().mid(6, 7),
            (QStringList{"    Kazeta: 00001   (E 180)",
                         film("Pelíšky", "Komedie", "SP", "2h 05m").trimmed().prepend("     "),
                         "     Pořízeno a zdroj:",
                         film("Kolja", "Drama", "LP", "0h 00m").trimmed().prepend("     "),
                         "     Pořízeno a zdroj: 27.05.2002    ČT1", "     Poznámka k filmu: Oscar",
                         ""}));
        EXPECT_FALSE(lines().join('\n').contains("Poznámka ke kazetě"));
        EXPECT_EQ(lines().mid(lines().size() - 3),
                  (QStringList{"", dateLine(9), "     Norvane 2002"}));
    });
}

TEST_F(CassetteListTest, FromAChosenCassetteToTheLast)
{
    catalogue();
    run<TVyber_Tisk>("printing.cassetteFrom", "TVyber_Tisk", [&](TVyber_Tisk &s) {
        EXPECT_EQ(s.windowTitle(), "Od jakého čísla VK se má tisknout ?");
        QComboBox *numbers = s.numbers();
        auto *print = s.findChild<QPushButton *>("BitBtn1");
        EXPECT_EQ(numbers->count(), 3);
        EXPECT_EQ(numbers->itemText(0), "00001");
        EXPECT_EQ(numbers->currentIndex(), -1);
        EXPECT_FALSE(print->isEnabled());

        QStringList shown;
        user.onScreen["TTisk_02"] = [&](QDialog &d) {
            auto &list = static_cast<ReportScreen &>(d);
            EXPECT_EQ(list.windowTitle(), "Tisk pouze vybraného intervalu kazet ...");
            EXPECT_EQ(list.titleLabel()->text(), "Vybraná tisková sestava:");
            EXPECT_EQ(list.printButton()->text(), "Vytiskni sestavu");
            EXPECT_EQ(s.chosen(), "00003");
            shown = timeless(trimmedRight(list.pane()->lines()));
        };
        numbers->setCurrentIndex(2);
        ASSERT_TRUE(print->isEnabled());
        QTest::mouseClick(print, Qt::LeftButton);
        // The last cassette alone.
        EXPECT_EQ(shown, (QStringList{"    Kazeta: 00003   (E 180)",
                                      film("Noc", "", "EP", "0h 09m").trimmed().prepend("     "),
                                      film("Den", "", "sp", "10h 00m").trimmed().prepend("     "),
                                      "", rule(), "",
                                      "     Datum a čas tisku  : <čas>" + QString(10, ' ') +
                                          "Verze programu: " + report::versionText(),
                                      "     Norvane 2002"}));
        EXPECT_EQ(numbers->currentIndex(), -1);
        EXPECT_FALSE(print->isEnabled());
        EXPECT_TRUE(s.chosen().isEmpty());

        window->settings().storedSystemCode = QStringLiteral("4");
        QByteArray rtf;
        user.onScreen["TTisk_02"] = [&](QDialog &d) {
            rtf = static_cast<ReportScreen &>(d).pane()->rtf();
        };
        numbers->setCurrentIndex(1);
        QTest::mouseClick(print, Qt::LeftButton);
        const QString doc = timeless(decoded(rtf));
        EXPECT_TRUE(doc.contains("{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue0255;}\r\n"
                                 "\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs22\r\n"
                                 "\\b\\cf2\\fs24\r\n    Kazeta: 00002   (E 240)\\par\r\n"
                                 "\\b0\\cf1\\fs20\r\n\\par\r\n"))
            << doc.toStdString();
        EXPECT_FALSE(doc.contains("00001"));
        EXPECT_TRUE(doc.endsWith("\\b0\\fs18\\cf1\\par\r\n      Datum a čas tisku  : <čas>" +
                                 QString(18, ' ') + "Verze programu: " + report::versionText() +
                                 "\\par\r\n      Norvane 2002\\par\r\n}"));
        user.onScreen.remove("TTisk_02");
    });
}

TEST_F(CassetteListTest, PrintingShowsAPreviewAndClosingItPrintsNothing)
{
    catalogue();
    QPrinter &printer = report::currentPrinter();
    if (printer.outputFormat() != QPrinter::PdfFormat)
        GTEST_SKIP() << "the run's printer is a real one";
    const QString file = env.file("list.pdf");
    printer.setOutputFileName(file);
    user.previews = {false};
    run<TTisk>("printing.cassetteList", "TTisk", [&](TTisk &s) {
        QTest::mouseClick(s.printButton(), Qt::LeftButton);
        EXPECT_EQ(user.previewsShown, 1);
        EXPECT_TRUE(s.isVisible());
        EXPECT_TRUE(s.printButton()->isEnabled());
        EXPECT_FALSE(QFile::exists(file));
        QTest::mouseClick(s.printButton(), Qt::LeftButton);
        EXPECT_FALSE(s.isVisible());
    });
    printer.setOutputFileName(QString());
    const QString text = runProgram("pdftotext", {"-layout", file, "-"});
    EXPECT_TRUE(text.contains("Pelíšky")) << text.toStdString();
    EXPECT_TRUE(text.contains("Norvane 2002"));
}

TEST_F(CassetteListTest, ACatalogueOfAnotherWriterReadsTheSame)
{
    const QString script = QStringLiteral(
        "import sys, dbf, datetime\n"
        "t = dbf.Table(sys.argv[1])\n"
        "t.open(dbf.READ_WRITE)\n"
        "t.append({'cislo': '00007', 't_kazety': 'E 300', 'film2': 'Vesničko má', 'ry2': 'LP',"
        " 'cas2': 65, 'zanr2': 'Komedie', 'pujceno': True, 'komu': 'Jan', 'od_kdy': "
        "'02.01.2003'})\n"
        "t.close()\n");
    int rc = -1;
    const QString out =
        runProgram("/usr/bin/python3", {"-c", script, Paths::dataFile("data.dbf")}, &rc);
    ASSERT_EQ(rc, 0) << out.toStdString();
    run<TTisk>("printing.cassetteList", "TTisk", [&](TTisk &s) {
        const QStringList lines = trimmedRight(s.pane()->lines());
        EXPECT_EQ(lines.mid(7, 2),
                  (QStringList{
                      "    Kazeta: 00007   (E 300)",
                      film("Vesničko má", "Komedie", "LP", "1h 05m").trimmed().prepend("     ")}));
        s.listChoice()->setCurrentIndex(1);
        EXPECT_TRUE(s.pane()->lines().value(7).startsWith("     Kazeta: 00007       Jan"));
    });
}

} // namespace velmora::test
