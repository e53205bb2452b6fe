// The lists of CD titles: a catalogue written by another dBASE writer with
// its tracks stored out of title and disc order, the title entries with
// each option, the lent titles, both pane modes, and the screens as the CD
// print menu opens them.

#include "AppFixture.h"
#include "ReportCheck.h"
#include "UnlabelledTracks.h"
#include "listing/CdLists.h"
#include "printing/ReportPrint.h"
#include "printing/Waiting.h"
#include "reports/CdFromScreen.h"
#include "reports/CdListScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace velmora::test {
namespace {

// "  " and "%-5s  %-55s %-7s" spelled out with arg().
QString trackRow(const QString &number, const QString &title, const QString &length)
{
    return QStringLiteral("  %1  %2 %3").arg(number, -5).arg(title, -55).arg(length, -7);
}

const QString kListFooter =
    "  Datum a čas tisku  : " + kTime + QString(17, ' ') + "Verze programu: 2002.A";

CdListOptions allOptions()
{
    return {true, true, true, true};
}

class CdListTest : public AppFixture
{
protected:
    void SetUp() override
    {
        start();
        user.shown.clear();
        user.screens.clear();
    }

    // Three titles appended out of number order: 00001 with a note holding
    // RTF markup and two discs, 00002 without tracks, 00003 lent, its tracks
    // of disc 1 and 2 stored alternately. The tracks of the titles are
    // mixed in the file.
    void threeTitles()
    {
        appendWithDbf(
            "cd01.dbf",
            "[{'cislocd': '00003', 'titulcd': 'Třetí', 'artist': 'Eva', 'porizeno': '05.06.2001', "
            "'format': 'Vypálené CD', 'pujceno': True, 'komu': 'Pavel', 'od_kdy': '03.04.2002', "
            "'delka_pujc': 14},"
            " {'cislocd': '00001', 'titulcd': 'Modré nebe', 'artist': 'Čechomor', "
            "'porizeno': '01.02.2002', 'format': 'Originální CD', "
            "'pozncd': 'Dárek {od} Evy \\\\ 2002'},"
            " {'cislocd': '00002', 'titulcd': 'Bez skladeb', 'artist': 'Nikdo', "
            "'format': 'Originální CD'}]");
        appendWithDbf("cd02.dbf",
                      "[{'cislocd': '00003', 'oznaceni': 'CD1', 'tracknum': 1, 'track': 'Alfa', "
                      "'lenght': 60},"
                      " {'cislocd': '00001', 'oznaceni': 'CD1', 'tracknum': 1, 'track': 'Řeka', "
                      "'lenght': 185},"
                      " {'cislocd': '00003', 'oznaceni': 'CD2', 'tracknum': 1, 'track': 'Beta', "
                      "'lenght': 5999},"
                      " {'cislocd': '00001', 'oznaceni': 'CD1', 'tracknum': 2, 'track': 'Ticho', "
                      "'lenght': 0},"
                      " {'cislocd': '00003', 'oznaceni': 'CD1', 'tracknum': 2, 'track': 'Gama', "
                      "'lenght': 6005},"
                      " {'cislocd': '00001', 'oznaceni': 'CD2', 'tracknum': 1, 'track': 'Druhá', "
                      "'lenght': 59}]");
    }

    // The two tables opened as the menu and the screens open them.
    void open()
    {
        titles.setPath(Paths::dataFile("cd01.dbf"));
        titles.open(Table::Mode::ReadOnly);
        titles.setIndex("cislocd");
        tracks.setPath(Paths::dataFile("cd02.dbf"));
        tracks.open(Table::Mode::ReadOnly);
        tracks.setIndex("cislocd");
    }

    report::Report list(CdListKind kind, const CdListOptions &options,
                        const QString &from = QString())
    {
        return [=, this](ReportWriter &w) {
            const std::vector<int> records =
                from.isEmpty() ? titles.visibleRecords() : titlesFrom(titles, from);
            writeCdList(w, kind, titles, records, TitleTracks(tracks), options);
        };
    }

    report::Report lentList()
    {
        return [this](ReportWriter &w) {
            titles.setFilter("pujceno=True");
            titles.setFiltered(true);
            writeLentCdList(w, titles, titles.visibleRecords());
            titles.setFiltered(false);
        };
    }

    // The entries of the three titles with no option.
    static QStringList plainEntries()
    {
        QStringList out;
        for (const auto &[number, discs, title, singer] :
             {std::tuple{"00001", 2, "Modré nebe", "Čechomor"},
              std::tuple{"00002", 0, "Bez skladeb", "Nikdo"},
              std::tuple{"00003", 2, "Třetí", "Eva"}})
            out << QStringLiteral("  Číslo titulu: %1   (CDs: %2)").arg(number).arg(discs)
                << QStringLiteral("  Název       : ") + title
                << QStringLiteral("  Nazpíval(a) : ") + singer << "" << hyphens(2, 79) << "";
        return out;
    }

    Table titles;
    Table tracks;
};

TEST_F(CdListTest, TrackLengthTextAndDiscCount)
{
    const QList<std::pair<int, QString>> lengths{
        {0, "00m 00s"},    {-5, "00m 00s"},   {9, "00m 09s"},    {59, "00m 59s"},
        {60, "01m 00s"},   {185, "03m 05s"},  {5999, "99m 59s"}, {6000, "00m 00s"},
        {6005, "00m 05s"}, {7384, "23m 04s"},
    };
    for (const auto &[seconds, text] : lengths)
        EXPECT_EQ(trackLengthText(seconds), text) << seconds;

    EXPECT_EQ(discCount(QStringList{}), 0);
    EXPECT_EQ(discCount(QStringList{"CD1", "CD1", "CD2"}), 2);
    // Disc 1 again after disc 2 is no third disc.
    EXPECT_EQ(discCount(QStringList{"CD1", "CD2", "CD1", "CD2"}), 2);
}

TEST_F(CdListTest, WholeListWithoutAndWithEveryOptionInLineMode)
{
    threeTitles();
    open();
    const QStringList heading{" S E Z N A M    C D   T I T U L Ů", "", ""};
    const QStringList footer{kListFooter, "  Norvane 2002"};
    EXPECT_EQ(timeless(show(report::Mode::Line, list(CdListKind::All, {})).lines),
              heading + plainEntries() + footer);

    const Shown s = show(report::Mode::Line, list(CdListKind::All, allOptions()));
    const QStringList entries{
        "  Číslo titulu: 00001   (CDs: 2) ... Pořízeno: 01.02.2002",
        "  Název       : Modré nebe",
        "  Nazpíval(a) : Čechomor",
        "  Formát tit. : Originální CD",
        "",
        "  Skladby na CD1:",
        trackRow("1.", "Řeka", "03m 05s"),
        trackRow("2.", "Ticho", "00m 00s"),
        "",
        "  Skladby na CD2:",
        trackRow("1.", "Druhá", "00m 59s"),
        "",
        "",
        "  Poznámka k titulu: Dárek {od} Evy \\ 2002",
        "",
        hyphens(2, 79),
        "",
        // No date stored, no tracks, no note: the number line still ends so.
        "  Číslo titulu: 00002   (CDs: 0) ... Pořízeno: ",
        "  Název       : Bez skladeb",
        "  Nazpíval(a) : Nikdo",
        "  Formát tit. : Originální CD",
        "",
        hyphens(2, 79),
        "",
        // Disc 1 again after disc 2: still two discs, each listed once.
        "  Číslo titulu: 00003   (CDs: 2) ... Pořízeno: 05.06.2001",
        "  Název       : Třetí",
        "  Nazpíval(a) : Eva",
        "  Formát tit. : Vypálené CD",
        "",
        "  Skladby na CD1:",
        trackRow("1.", "Alfa", "01m 00s"),
        trackRow("2.", "Gama", "00m 05s"),
        "",
        "  Skladby na CD2:",
        trackRow("1.", "Beta", "99m 59s"),
        "",
        hyphens(2, 79),
        "",
    };
    EXPECT_EQ(timeless(s.lines), heading + entries + footer);

    const Look blue16{QColor(0, 0, 255), 16, true}, red11{QColor(255, 0, 0), 11, true},
        bold11{QColor(0, 0, 0), 11, true}, regular11{QColor(0, 0, 0), 11, false},
        blue11{QColor(0, 0, 255), 11, true}, regular10{QColor(0, 0, 0), 10, false};
    ASSERT_EQ(s.looks.size(), s.lines.size());
    EXPECT_EQ(s.looks.mid(0, 3), QList<Look>(3, blue16));
    EXPECT_EQ(s.looks.mid(3, 17),
              (QList<Look>{red11, bold11, regular11, regular11, regular11, blue11, regular11,
                           regular11, regular11, blue11, regular11, regular11, regular11, regular11,
                           regular10, regular10, regular10}));
    EXPECT_EQ(s.looks.mid(s.looks.size() - 2), QList<Look>(2, regular10));
}

TEST_F(CdListTest, EachOptionAloneAddsOnlyItsLines)
{
    threeTitles();
    open();
    const QStringList plain = timeless(show(report::Mode::Line, list(CdListKind::All, {})).lines);
    const auto with = [&](const CdListOptions &o) {
        return timeless(show(report::Mode::Line, list(CdListKind::All, o)).lines);
    };

    QStringList acquired = plain;
    acquired[3] += " ... Pořízeno: 01.02.2002";
    acquired[9] += " ... Pořízeno: ";
    acquired[15] += " ... Pořízeno: 05.06.2001";
    EXPECT_EQ(with({true, false, false, false}), acquired);

    QStringList format = plain;
    format.insert(18, "  Formát tit. : Vypálené CD");
    format.insert(12, "  Formát tit. : Originální CD");
    format.insert(6, "  Formát tit. : Originální CD");
    EXPECT_EQ(with({false, true, false, false}), format);

    // Only 00001 has a note.
    QStringList note = plain;
    note.insert(6, "  Poznámka k titulu: Dárek {od} Evy \\ 2002");
    note.insert(6, "");
    note.insert(6, "");
    EXPECT_EQ(with({false, false, true, false}), note);

    // 00002 has no tracks: no list, not even its heading.
    const QStringList tracks = plain.mid(0, 6) + QStringList{"",
                                                             "  Skladby na CD1:",
                                                             trackRow("1.", "Řeka", "03m 05s"),
                                                             trackRow("2.", "Ticho", "00m 00s"),
                                                             "",
                                                             "  Skladby na CD2:",
                                                             trackRow("1.", "Druhá", "00m 59s")} +
                               plain.mid(6, 12) + QStringList{"",
                                                              "  Skladby na CD1:",
                                                              trackRow("1.", "Alfa", "01m 00s"),
                                                              trackRow("2.", "Gama", "00m 05s"),
                                                              "",
                                                              "  Skladby na CD2:",
                                                              trackRow("1.", "Beta", "99m 59s")} +
                               plain.mid(18);
    EXPECT_EQ(with({false, false, false, true}), tracks);
}

TEST_F(CdListTest, DocumentBytesOfOneTitleWithEveryOption)
{
    threeTitles();
    open();
    const report::Report first = [this](ReportWriter &w) {
        writeCdList(w, CdListKind::All, titles, {titlesFrom(titles, "00001").front()},
                    TitleTracks(tracks), allOptions());
    };
    const QString expected =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier New;}Courier "
        "New CE;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue0255;\\red0255\\green0\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs32\r\n"
        " S E Z N A M    C D   T I T U L Ů\\par\r\n"
        "\\cf1\\fs18\\par\\par\\par\r\n"
        "\\b\\cf3\\b\\fs22\r\n"
        "  Číslo titulu: 00001   (CDs: 2) ... Pořízeno: 01.02.2002\\par\r\n"
        "\\b\\cf1\\fs24\r\n"
        "  Název      : Modré nebe\\par\r\n"
        "\\b0\\cf1\\fs22\r\n"
        "  Nazpíval(a) : Čechomor\\par\r\n"
        "  Formát tit. : Originální CD\\par\r\n"
        "\\b\\cf2\\par\r\n"
        "  Skladby na CD1:\\par\r\n"
        "\\b0\\cf1\r\n" +
        trackRow("1.", "Řeka", "03m 05s") + "\\par\r\n" + trackRow("2.", "Ticho", "00m 00s") +
        "\\par\r\n"
        "\\b\\cf2\\par\r\n"
        "  Skladby na CD2:\\par\r\n"
        "\\b0\\cf1\r\n" +
        trackRow("1.", "Druhá", "00m 59s") +
        "\\par\r\n"
        "\\b0\\par\\par\r\n"
        "  Poznámka k titulu: Dárek \\{od\\} Evy \\\\ 2002\\par\r\n"
        "\\b0\\cf1\\fs20\\par\r\n" +
        hyphens(2, 79) +
        "\\par\r\n"
        "\\par\r\n"
        "\\b0\\cf1\\fs20\r\n"
        "  Datum a čas tisku  : " +
        kTime + QString(17, ' ') +
        "Verze programu: 2002.A\\par\r\n"
        "  Norvane 2002\\par\r\n"
        "}";
    EXPECT_EQ(timeless(report::documentOf(first)), expected);
}

TEST_F(CdListTest, ListFromAChosenTitleHeaderFooterAndNote)
{
    threeTitles();
    open();
    const QString document =
        timeless(report::documentOf(list(CdListKind::From, {false, false, true, false}, "00001")));
    EXPECT_TRUE(document.startsWith(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier "
        "New;}Courier New CE;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue0255;\\red0255\\green0\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\cf3\\b\\lang1029\\f0\\fs24\r\n"
        "\\cf1\\fs18\r\n"
        "\\b\\cf3\\fs24\r\n"
        "\\b\\cf3\\b\\fs22\r\n"
        "  Číslo titulu: 00001   (CDs: 2)\\par\r\n"))
        << document.toStdString();
    // The note stands one further in than in the whole list.
    EXPECT_TRUE(document.contains("\\b0\\par\\par\r\n"
                                  "   Poznámka k titulu: Dárek \\{od\\} Evy \\\\ 2002\\par\r\n"))
        << document.toStdString();
    EXPECT_TRUE(document.endsWith(hyphens(2, 79) +
                                  "\\par\r\n"
                                  "\\par\r\n"
                                  "\\b0\\cf1\\fs20\r\n"
                                  "  Datum a čas tisku  : " +
                                  kTime + QString(17, ' ') +
                                  "Verze programu: 2002.A\\par\r\n"
                                  "  Norvane 2002\\par\r\n"
                                  "}"))
        << document.toStdString();

    // From the last title: that title only, without a heading.
    const QStringList last =
        timeless(show(report::Mode::Line, list(CdListKind::From, {}, "00003")).lines);
    EXPECT_EQ(last, (plainEntries().mid(12) + QStringList{kListFooter, "  Norvane 2002"}));
}

TEST_F(CdListTest, LentTitlesAndNoneLentInBothModes)
{
    threeTitles();
    open();
    const QString row = QStringLiteral("     %1  %2  %3  %4")
                            .arg("00003", -8)
                            .arg("Pavel", 20)
                            .arg("03.04.2002", 20)
                            .arg("14", 14);
    const QString heading = "    Číslo:             Komu:           Od kdy:        Na dní?";
    const QString footer =
        "     Datum a čas tisku  : " + kTime + QString(9, ' ') + "Verze programu: 2002.A";
    const Shown lent = show(report::Mode::Line, lentList());
    EXPECT_EQ(timeless(lent.lines),
              (QStringList{"   Z A P Ů J Č E N É   C D   T I T U L Y", "", "", heading,
                           hyphens(5, 71), row, "", hyphens(5, 71), footer, "     Norvane 2002"}));
    const Look blue16{QColor(0, 0, 255), 16, true}, red12{QColor(255, 0, 0), 12, true},
        bold10{QColor(0, 0, 0), 10, true}, regular10{QColor(0, 0, 0), 10, false};
    EXPECT_EQ(lent.looks, (QList<Look>{blue16, red12, red12, red12, bold10, bold10, bold10, bold10,
                                       regular10, regular10}));
    EXPECT_EQ(timeless(report::documentOf(lentList())),
              "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier "
              "New;}Courier New CE;}}\r\n"
              "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue0255;;\\red0255\\green0"
              "\\blue0;}\r\n"
              "\\viewkind4\\uc1\\pard\\cf3\\b\\lang1029\\f0\\fs24\r\n"
              "\\cf2\\b\\fs32\r\n"
              "   Z A P Ů J Č E N É    C D   T I T U L Y\\par\r\n"
              "\\cf3\\b\\fs24\\par\\par\r\n" +
                  heading + "\\par\r\n\\cf1\\fs20\r\n" + hyphens(5, 71) +
                  "\\par\r\n\\cf1\\b\\fs20\r\n" + row +
                  "\\par\r\n"
                  "\\b0\\cf1\\fs20\\par\r\n" +
                  hyphens(5, 71) + "\\par\\par\r\n" + footer +
                  "\\par\r\n"
                  "     Norvane 2002\\par\r\n"
                  "}");

    const report::Report none = [this](ReportWriter &w) { writeLentCdList(w, titles, {}); };
    const Shown noneLine = show(report::Mode::Line, none);
    EXPECT_EQ(timeless(noneLine.lines),
              (QStringList{"            K tištěnému datu nejsou evidované žádné zápujčky !!!", "",
                           hyphens(5, 71), footer, "     Norvane 2002"}));
    EXPECT_EQ(noneLine.looks.first(), (Look{QColor(255, 0, 0), 11, true}));
    const QString noneDocument = timeless(report::documentOf(none));
    EXPECT_TRUE(
        noneDocument.contains("\\lang1029\\f0\\fs24\r\n"
                              "\\par\\par\r\n"
                              "         K tištěnému datu nejsou evidované žádné zápujčky !\\par\r\n"
                              "\\cf1\\b0\\par\\par\r\n"
                              "\\b0\\cf1\\fs20\\par\r\n"))
        << noneDocument.toStdString();
    EXPECT_FALSE(noneDocument.contains("Z A P Ů J Č E N É"));
}

TEST_F(CdListTest, BothModesShowTheSameLinesButWhereTheyDiffer)
{
    threeTitles();
    open();
    const auto both = [&](const report::Report &r) {
        return std::pair{timeless(show(report::Mode::Line, r).lines),
                         timeless(show(report::Mode::Document, r).lines)};
    };
    {
        auto [line, document] = both(list(CdListKind::All, allOptions()));
        // The document has a third empty line under the heading and one
        // blank less after "Název".
        line.insert(1, "");
        for (QString &l : line)
            if (l.startsWith("  Název       : "))
                l.remove(8, 1);
        EXPECT_EQ(line, document);
    }
    {
        auto [line, document] = both(list(CdListKind::From, allOptions(), "00001"));
        for (QString &l : line) {
            if (l.startsWith("  Název       : "))
                l.remove(8, 1);
            if (l.startsWith("  Poznámka k titulu: "))
                l.prepend(' ');
        }
        EXPECT_EQ(line, document);
    }
    {
        auto [line, document] = both(lentList());
        line[0].insert(22, ' ');
        // The document's rule under the rows ends with a second paragraph.
        line.insert(8, "");
        EXPECT_EQ(line, document);
    }
}

TEST_F(CdListTest, WholeListScreenThroughTheMenu)
{
    window->settings().storedSystemCode = "1";
    window->settings().printerAvailable = false;
    threeTitles();
    struct Seen
    {
        QString title;
        QStringList lines;
        bool optionsEnabled;
        bool fourth;
        QColor caption;
    };
    QList<Seen> seen;
    bool tracksOpen = false;
    int gaugeMaximum = -1, gaugePosition = -1;
    user.onScreen["TTisk_CD_Seznamu"] = [&](QDialog &d) {
        auto &s = static_cast<TTisk_CD_Seznamu &>(d);
        EXPECT_FALSE(s.printButton()->isEnabled()); // no printer
        ASSERT_EQ(s.choice(), s.findChild<QComboBox *>("ComboBox1"));
        EXPECT_EQ(s.findChild<QLabel *>("Label1")->buddy(), s.choice());
        for (int n = 1; n <= 4; ++n) {
            ASSERT_EQ(s.option(n), s.findChild<QCheckBox *>(QString("CheckBox%1").arg(n)));
            EXPECT_FALSE(s.option(n)->isChecked());
        }
        tracksOpen = window->tables().CD_Table2.isOpen();
        gaugeMaximum = s.waiting()->maximum();
        gaugePosition = s.waiting()->position();
        EXPECT_FALSE(s.waiting()->isVisible());
        const auto look = [&] {
            seen << Seen{s.titleLabel()->text(), timeless(s.pane()->lines()),
                         s.option(1)->isEnabled(), s.option(4)->isChecked(),
                         s.optionsCaption()->palette().color(QPalette::WindowText)};
        };
        look();
        QTest::mouseClick(s.option(4), Qt::LeftButton);
        look();
        s.choice()->setCurrentIndex(1);
        look();
        s.choice()->setCurrentIndex(0);
        look();
        s.choice()->setCurrentIndex(1); // the lent filter is left to the menu
    };
    window->runEntry(*window->entryFor("printing.cdList", TTitul::Cds));
    EXPECT_EQ(user.screens, QStringList{"TTisk_CD_Seznamu"});
    EXPECT_TRUE(user.shown.isEmpty());
    EXPECT_TRUE(tracksOpen);
    EXPECT_EQ(gaugeMaximum, 3);
    EXPECT_EQ(gaugePosition, 3);
    ASSERT_EQ(seen.size(), 4);
    const QColor black(0, 0, 0), gray(128, 128, 128);
    EXPECT_EQ(seen[0].title, "Seznam evidovaných hudebních CD titulů");
    EXPECT_EQ(seen[0].lines.mid(3, 18), plainEntries() /* 18 lines */);
    EXPECT_TRUE(seen[0].optionsEnabled);
    EXPECT_EQ(seen[0].caption, black);
    EXPECT_TRUE(seen[1].lines.contains("  Skladby na CD2:"));
    EXPECT_EQ(seen[2].title, "Seznam zapůjčených hudebních titulů");
    EXPECT_EQ(seen[2].lines.value(0), "   Z A P Ů J Č E N É   C D   T I T U L Y");
    EXPECT_TRUE(seen[2].lines.value(5).startsWith("     00003   "))
        << seen[2].lines.value(5).toStdString();
    EXPECT_FALSE(seen[2].optionsEnabled);
    EXPECT_TRUE(seen[2].fourth);
    EXPECT_EQ(seen[2].caption, gray);
    EXPECT_EQ(seen[3].lines, seen[1].lines); // all titles again, tracks still ticked
    EXPECT_TRUE(seen[3].optionsEnabled);
    EXPECT_EQ(seen[3].caption, black);
    EXPECT_FALSE(window->tables().CD_Table1.isOpen());
    EXPECT_FALSE(window->tables().CD_Table1.filtered());
    EXPECT_FALSE(window->tables().CD_Table2.isOpen());
}

TEST_F(CdListTest, ChooserFromTheLastTitleAndFromAnother)
{
    window->settings().storedSystemCode = "4";
    window->settings().printerAvailable = true;
    threeTitles();
    struct Report
    {
        QString number;
        QStringList numberLines;
        QByteArray rtf;
        int gauge;
        bool tracksOpen;
    };
    QList<Report> reports;
    QStringList items;
    QList<bool> printEnabled;
    QList<int> chosen;
    user.onScreen["TTisk_04"] = [&](QDialog &d) {
        auto &s = static_cast<TTisk_04 &>(d);
        EXPECT_EQ(s.titleLabel()->text(), "Vybraná tisková sestava:");
        EXPECT_TRUE(s.printButton()->isEnabled());
        EXPECT_FALSE(s.option(3)->isChecked());
        QTest::mouseClick(s.option(3), Qt::LeftButton);
        QStringList numbers;
        for (const QString &l : s.pane()->lines())
            if (l.startsWith("  Číslo titulu: "))
                numbers << l.mid(16, 5);
        reports << Report{s.number(), numbers, s.pane()->rtf(), s.waiting()->maximum(),
                          window->tables().CD_Table2.isOpen()};
    };
    user.onScreen["TVyber_TiskCD"] = [&](QDialog &d) {
        auto &c = static_cast<TVyber_TiskCD &>(d);
        ASSERT_EQ(c.numbers(), c.findChild<QComboBox *>("Vybrano"));
        EXPECT_EQ(c.findChild<QLabel *>("Label1")->buddy(), c.numbers());
        EXPECT_EQ(c.focusWidget(), c.numbers());
        for (int i = 0; i < c.numbers()->count(); ++i)
            items << c.numbers()->itemText(i);
        chosen << c.numbers()->currentIndex();
        printEnabled << c.printButton()->isEnabled();
        c.numbers()->setCurrentIndex(2);
        printEnabled << c.printButton()->isEnabled();
        QTest::mouseClick(c.printButton(), Qt::LeftButton);
        chosen << c.numbers()->currentIndex();
        printEnabled << c.printButton()->isEnabled();
        c.numbers()->setCurrentIndex(1);
        QTest::mouseClick(c.printButton(), Qt::LeftButton);
        QTest::mouseClick(c.closeButton(), Qt::LeftButton);
        EXPECT_FALSE(c.isVisible());
    };
    window->runEntry(*window->entryFor("printing.cdFrom", TTitul::Cds));
    EXPECT_EQ(user.screens, (QStringList{"TVyber_TiskCD", "TTisk_04", "TTisk_04"}));
    EXPECT_TRUE(user.shown.isEmpty());
    EXPECT_EQ(items, (QStringList{"00001", "00002", "00003"}));
    EXPECT_EQ(chosen, (QList<int>{-1, -1}));
    EXPECT_EQ(printEnabled, (QList<bool>{false, true, false}));
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[0].number, "00003");
    EXPECT_EQ(reports[0].numberLines, QStringList{"00003"});
    EXPECT_EQ(reports[0].gauge, 1);      // the titles the list visits
    EXPECT_FALSE(reports[0].tracksOpen); // each build closes cd02.dbf again
    EXPECT_EQ(reports[1].numberLines, (QStringList{"00002", "00003"}));
    EXPECT_EQ(reports[1].gauge, 2);
    // Neither of these titles has a note; the option rebuilt the list.
    EXPECT_FALSE(reports[1].rtf.contains("Pozn"));
    EXPECT_TRUE(reports[1].rtf.startsWith("{\\rtf1"));
    EXPECT_FALSE(window->tables().CD_Table1.isOpen());
    EXPECT_FALSE(window->tables().CD_Table2.isOpen());
}

TEST_F(CdListTest, SavedAsPdfAndPrinted)
{
    // Printing is looked at only where the run's printer writes a file.
    QPrinter &printer = report::currentPrinter();
    const bool pdfPrinter = printer.outputFormat() == QPrinter::PdfFormat;
    window->settings().storedSystemCode = "4";
    window->settings().printerAvailable = true;
    threeTitles();
    const QString printed = env.file("printed.pdf");
    const QString saved = env.file("saved.pdf");
    if (pdfPrinter)
        printer.setOutputFileName(printed);
    user.saveFiles << saved;
    bool closedByPrint = false;
    user.onScreen["TTisk_CD_Seznamu"] = [&](QDialog &d) {
        auto &s = static_cast<TTisk_CD_Seznamu &>(d);
        QTest::mouseClick(s.option(4), Qt::LeftButton);
        QTest::mouseClick(s.pdfButton(), Qt::LeftButton);
        if (!pdfPrinter)
            return;
        QTest::mouseClick(s.printButton(), Qt::LeftButton);
        closedByPrint = !s.isVisible();
    };
    window->runEntry(*window->entryFor("printing.cdList", TTitul::Cds));
    EXPECT_FALSE(window->tables().CD_Table2.isOpen());
    QStringList files{saved};
    if (pdfPrinter) {
        printer.setOutputFileName(QString());
        EXPECT_TRUE(closedByPrint);
        EXPECT_EQ(user.previewsShown, 1);
        files << printed;
    }
    for (const QString &file : files) {
        ASSERT_TRUE(QFile::exists(file)) << file.toStdString();
        // The layout of the page text spreads the columns; the words stay.
        const QString text = runProgram("pdftotext", {"-layout", file, "-"}).simplified();
        EXPECT_TRUE(text.contains("Číslo titulu: 00003 (CDs: 2) Název : Třetí"))
            << text.toStdString();
        EXPECT_TRUE(text.contains("Skladby na CD2:")) << text.toStdString();
        EXPECT_TRUE(text.contains("1. Beta 99m 59s")) << text.toStdString();
        EXPECT_TRUE(text.contains("Norvane 2002")) << text.toStdString();
    }
}

TEST_F(CdListTest, NoSecondBuildWhileTheTitlesAreWrittenAndNoListForAnUnknownSystem)
{
    window->settings().storedSystemCode = "1";
    window->settings().printerAvailable = true;
    threeTitles();
    struct During
    {
        bool busy, option, close, waitingShown;
    };
    QList<During> during;
    QStringList after;
    user.onScreen["TTisk_CD_Seznamu"] = [&](QDialog &d) {
        auto &s = static_cast<TTisk_CD_Seznamu &>(d);
        QTimer::singleShot(0, &s, [&] {
            during << During{s.busy(), s.option(2)->isEnabled(), s.closeButton()->isEnabled(),
                             s.waiting()->isVisible()};
            QTest::mouseClick(s.option(2), Qt::LeftButton);
            QTest::keyClick(&s, Qt::Key_Escape);
            s.reject();
        });
        QTest::mouseClick(s.option(1), Qt::LeftButton);
        after = timeless(s.pane()->lines());
        EXPECT_TRUE(s.isVisible());
        EXPECT_FALSE(s.option(2)->isChecked());
        EXPECT_TRUE(s.option(1)->isChecked());
    };
    window->runEntry(*window->entryFor("printing.cdList", TTitul::Cds));
    ASSERT_EQ(during.size(), 1);
    EXPECT_TRUE(during[0].busy);
    EXPECT_FALSE(during[0].option);
    EXPECT_FALSE(during[0].close);
    EXPECT_TRUE(during[0].waitingShown);
    EXPECT_EQ(after.value(3), "  Číslo titulu: 00001   (CDs: 2) ... Pořízeno: 01.02.2002");

    window->settings().storedSystemCode = "7";
    QStringList lines{"x"};
    user.onScreen["TTisk_CD_Seznamu"] = [&](QDialog &d) {
        lines = static_cast<TTisk_CD_Seznamu &>(d).pane()->lines();
    };
    window->runEntry(*window->entryFor("printing.cdList", TTitul::Cds));
    EXPECT_TRUE(lines.isEmpty());
}

// Tracks that another dBASE writer stored without a disc label belong to
// disc 1: 00001 has no label at all, 00002 mixes them with CD1 and CD2.
TEST_F(CdListTest, TracksWithoutADiscLabelAreCountedAndListedAsDiscOne)
{
    appendWithDbf("cd01.dbf", kUnlabelledTitles);
    appendWithDbf("cd02.dbf", kUnlabelledTracks);
    open();
    const QStringList footer{kListFooter, "  Norvane 2002"};
    const auto entry = [](const char *number, int discs, const QString &title,
                          const QString &singer) {
        return QStringList{QStringLiteral("  Číslo titulu: %1   (CDs: %2)").arg(number).arg(discs),
                           "  Název       : " + title, "  Nazpíval(a) : " + singer};
    };
    const QStringList closing{"", hyphens(2, 79), ""};

    // Without the tracks the counts alone tell the discs.
    const QStringList plain = entry("00001", 1, "Bez označení", "Eva") + closing +
                              entry("00002", 2, "Napůl", "Jan") + closing;
    EXPECT_EQ(timeless(show(report::Mode::Line, list(CdListKind::All, {})).lines),
              QStringList({" S E Z N A M    C D   T I T U L Ů", "", ""}) + plain + footer);
    EXPECT_EQ(timeless(show(report::Mode::Line, list(CdListKind::From, {}, "00002")).lines),
              entry("00002", 2, "Napůl", "Jan") + closing + footer);

    const QStringList tracks =
        entry("00001", 1, "Bez označení", "Eva") +
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
        closing;
    EXPECT_EQ(timeless(show(report::Mode::Line,
                            list(CdListKind::From, {false, false, false, true}, "00001"))
                           .lines),
              tracks + footer);
}

TEST_F(CdListTest, EmptyCatalogueIsRefused)
{
    window->runEntry(*window->entryFor("printing.cdList", TTitul::Cds));
    window->runEntry(*window->entryFor("printing.cdFrom", TTitul::Cds));
    EXPECT_TRUE(user.screens.isEmpty());
    EXPECT_EQ(user.texts(), QStringList(2, "V databázi nejsou žádná data, nelze pokračovat!"));
}

} // namespace
} // namespace velmora::test
