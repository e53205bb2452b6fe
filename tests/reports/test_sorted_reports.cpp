// The sorted lists of every film and every song: the work table copied from
// catalogues written by another dBASE writer, the lists in both pane modes,
// and the two screens as the print menus open them.

#include "AppFixture.h"
#include "ReportCheck.h"
#include "listing/SortedReports.h"
#include "printing/ReportPrint.h"
#include "printing/Waiting.h"
#include "reports/SortedFilms.h"
#include "reports/SortedTracks.h"

#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace velmora::test {
namespace {

// Values left-aligned in their widths, put into a pattern of %1, %2, ...
QString columns(const QString &pattern, const QStringList &values, const QList<int> &widths)
{
    QString out = pattern;
    for (int i = 0; i < values.size(); ++i)
        out = out.arg(values[i], -widths[i]);
    return out;
}

QString filmRow(const QString &film, const QString &genre, const QString &speed,
                const QString &length, const QString &number)
{
    return columns("     %1 %2  %3  %4 %5", {film, genre, speed, length, number},
                   {30, 15, 7, 8, 5});
}

QString genreRow(const QString &genre, const QString &film, const QString &speed,
                 const QString &length, const QString &number)
{
    return columns("     %1 %2  %3  %4 %5", {genre, film, speed, length, number},
                   {15, 30, 7, 8, 5});
}

class SortedTest : public AppFixture
{
protected:
    void SetUp() override
    {
        start();
        user.shown.clear();
        user.screens.clear();
    }

    // Three cassettes, appended out of number order; slots 2, 3 and 5 of
    // 00001 are empty, the film of slot 4 has no length.
    void threeCassettes()
    {
        appendWithDbf("data.dbf",
                      "[{'cislo': '00003', 'film1': 'Hrad', 'zanr1': 'Drama', 'ry1': 'SP', "
                      "'cas1': 125},"
                      " {'cislo': '00001', 'film1': 'Chata', 'zanr1': 'Komedie', 'ry1': 'LP', "
                      "'cas1': 90, 'zanr2': 'Horor', 'cas3': 30, 'film4': 'Čert', "
                      "'zanr4': 'Pohádka', 'ry4': 'EP'},"
                      " {'cislo': '00002', 'film2': 'Cesta', 'zanr2': 'Akční', 'ry2': 'SP', "
                      "'cas2': 45}]");
    }

    void someTracks()
    {
        appendWithDbf(
            "cd02.dbf",
            "[{'cislocd': '00001', 'track': 'Řeka', 'styl': 'Rock', 'artist': 'Čechomor'},"
            " {'cislocd': '00001', 'track': 'Reka', 'styl': 'Folk', 'artist': 'Cimbál'},"
            " {'cislocd': '00002', 'track': '', 'styl': 'Chanson', 'artist': 'Hana'},"
            " {'cislocd': '00002', 'track': 'Dým', 'styl': 'Hip hop', 'artist': 'Dan'}]");
    }

    // A catalogue table opened as the menu opens it.
    static void openAsMenu(Table &t, const char *file, const char *index)
    {
        t.setPath(Paths::dataFile(QLatin1String(file)));
        t.open(Table::Mode::ReadOnly);
        t.setIndex(QLatin1String(index));
    }

    // The film work table filled from data.dbf.
    void filmWork(Table &work)
    {
        Table data;
        openAsMenu(data, "data.dbf", "cislo");
        createSortedTable(work, sortedWorkPath(), sortedFilmFields(), sortedFilmTags());
        copyFilms(data, work);
    }

    void trackWork(Table &work)
    {
        Table tracks;
        openAsMenu(tracks, "cd02.dbf", "cislocd");
        createSortedTable(work, sortedWorkPath(), sortedTrackFields(), sortedTrackTags());
        copyTracks(tracks, work);
    }

    static QStringList rowsOf(const QStringList &lines, int first, int footer)
    {
        return lines.mid(first, lines.size() - first - footer);
    }

    bool workFilesExist() const { return !Table::existingFiles(sortedWorkPath()).isEmpty(); }
};

TEST_F(SortedTest, FilmWorkTableHoldsEveryUsedSlotInCassetteOrder)
{
    threeCassettes();
    Table data;
    openAsMenu(data, "data.dbf", "cislo");
    EXPECT_EQ(countFilms(data), 4); // a genre or length without a title is no film

    Table work;
    createSortedTable(work, sortedWorkPath(), sortedFilmFields(), sortedFilmTags());
    EXPECT_EQ(copyFilms(data, work), 4);
    EXPECT_EQ(work.tags(), (QStringList{"FILM", "ZANR"}));
    EXPECT_EQ(work.languageDriver(), Codepage::cp1250().languageDriver());
    QStringList widths;
    for (const FieldDef &f : work.fieldDefs())
        widths << f.name + ":" + QString::number(f.width);
    EXPECT_EQ(widths, (QStringList{"CISLO:5", "FILM:30", "ZANR:15", "RY:2", "CAS:8"}));

    QStringList rows;
    for (work.first(); !work.eof(); work.next())
        rows << QStringList{work.asString("cislo"), work.asString("film"), work.asString("zanr"),
                            work.asString("ry"), work.asString("cas")}
                    .join('|');
    EXPECT_EQ(rows, (QStringList{"00001|Chata|Komedie|LP|90", "00001|Čert|Pohádka|EP|",
                                 "00002|Cesta|Akční|SP|45", "00003|Hrad|Drama|SP|125"}));
}

TEST_F(SortedTest, FilmsInCzechOrderByTitleAndByGenreInBothModes)
{
    threeCassettes();
    appendWithDbf("data.dbf", "[{'cislo': '00004', 'film1': 'Dům', 'zanr1': 'Drama', "
                              "'film2': 'Reka', 'zanr2': 'Western', 'film3': 'Řeka', "
                              "'zanr3': 'Válečný', 'film5': 'Ryba', 'zanr5': 'Komedie'}]");
    Table work;
    filmWork(work);
    for (const report::Mode mode : {report::Mode::Line, report::Mode::Document}) {
        SCOPED_TRACE(int(mode));
        const int footer = mode == report::Mode::Line ? 6 : 4;
        QStringList titles, genres;
        for (const QString &l : rowsOf(
                 show(mode, [&](ReportWriter &w) { writeSortedFilms(w, work, FilmOrder::Title); })
                     .lines,
                 7, footer))
            titles << l.mid(5, 30).trimmed();
        // Č after every C and before D; Ch after H; Ř after R.
        EXPECT_EQ(titles,
                  (QStringList{"Cesta", "Čert", "Dům", "Hrad", "Chata", "Reka", "Ryba", "Řeka"}));
        for (const QString &l : rowsOf(
                 show(mode, [&](ReportWriter &w) { writeSortedFilms(w, work, FilmOrder::Genre); })
                     .lines,
                 7, footer))
            genres << l.mid(5, 15).trimmed();
        EXPECT_EQ(genres, (QStringList{"Akční", "Drama", "Drama", "Komedie", "Komedie", "Pohádka",
                                       "Válečný", "Western"}));
    }
}

TEST_F(SortedTest, FilmListLinesAndLooksInLineMode)
{
    threeCassettes();
    Table work;
    filmWork(work);
    const Shown s = show(report::Mode::Line,
                         [&](ReportWriter &w) { writeSortedFilms(w, work, FilmOrder::Genre); });
    EXPECT_EQ(timeless(s.lines),
              (QStringList{
                  "   S E Z N A M    V Š E C H    F I L M Ů ", "", "     Řazení: Žánr filmů", "",
                  "     Žánr:           Film:                           Rych:    Čas:       VK: ",
                  hyphens(5, 71), "", genreRow("Akční", "Cesta", "SP", "0h 45m", "00002"),
                  genreRow("Drama", "Hrad", "SP", "2h 05m", "00003"),
                  genreRow("Komedie", "Chata", "LP", "1h 30m", "00001"),
                  genreRow("Pohádka", "Čert", "EP", "0h 00m", "00001"), // no length stored
                  "", "", hyphens(5, 71), "",
                  "     Datum a čas tisku  : " + kTime + "         Verze programu: 2002.A",
                  "     Norvane 2002"}));
    const Look blue16{QColor(0, 0, 255), 16, true}, red10{QColor(255, 0, 0), 10, true},
        black10{QColor(0, 0, 0), 10, true}, regular10{QColor(0, 0, 0), 10, false};
    EXPECT_EQ(s.looks.mid(0, 1), QList<Look>{blue16});
    EXPECT_EQ(s.looks.mid(1, 6), QList<Look>(6, red10));
    EXPECT_EQ(s.looks.mid(7, 7), QList<Look>(7, black10)); // rows, two blanks, rule
    EXPECT_EQ(s.looks.mid(14), QList<Look>(3, regular10));
}

TEST_F(SortedTest, FilmListDocumentBytesAndStoredMarkup)
{
    appendWithDbf("data.dbf", "[{'cislo': '00001', 'film1': 'Kniha {1} \\\\ Žena', "
                              "'zanr1': 'Drama', 'ry1': 'SP', 'cas1': 125}]");
    Table work;
    filmWork(work);
    const auto list = [&](ReportWriter &w) { writeSortedFilms(w, work, FilmOrder::Title); };
    const QByteArray doc = report::documentOf(list);
    const QString expected =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier New;}Courier "
        "New CE;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue0255;;\\red0255\\green0\\blue0;}"
        "\r\n"
        "\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs32\r\n"
        "   S E Z N A M    V Š E C H    F I L M Ů\\par\r\n"
        "\\cf3\\fs20\\par\r\n"
        "     Řazení: Abecední podle filmů\\par\r\n"
        "\\cf1\\par\r\n"
        "     Film:                          Žánr:            Rych:    Čas:       VK:\\par\r\n" +
        hyphens(5, 71) + "\\par\r\n\\par\r\n\\cf1\\fs20\\b0\r\n" +
        // The row is laid out first, then its markup characters escaped.
        filmRow("Kniha {1} \\ Žena", "Drama", "SP", "2h 05m", "00001")
            .replace("\\", "\\\\")
            .replace("{", "\\{")
            .replace("}", "\\}") +
        "\\par\r\n\\par\r\n" + hyphens(5, 71) +
        "\\par\r\n"
        "\\cf1\\fs18\\b0\r\n"
        "      Datum a čas tisku  : " +
        kTime + QString(19, ' ') +
        "Verze programu: 2002.A\\par\r\n"
        "      Norvane 2002\\par\r\n"
        "}";
    EXPECT_EQ(timeless(doc), expected);
    // Read back, the title is what was stored and the columns line up.
    const QStringList lines = show(report::Mode::Document, list).lines;
    ASSERT_GE(lines.size(), 8);
    EXPECT_EQ(lines[7], filmRow("Kniha {1} \\ Žena", "Drama", "SP", "2h 05m", "00001"));
}

TEST_F(SortedTest, SongsEmptyTitlesIncludedInThreeCzechOrders)
{
    someTracks();
    Table work;
    trackWork(work);
    EXPECT_EQ(work.recordCount(), 4);
    EXPECT_EQ(work.tags(), (QStringList{"TRACK", "STYL", "ARTIST"}));
    QStringList byTitle;
    for (const QStringList &r : {QStringList{"", "Chanson", "Hana"},
                                 {"Dým", "Hip hop", "Dan"},
                                 {"Reka", "Folk", "Cimbál"},
                                 {"Řeka", "Rock", "Čechomor"}})
        byTitle << columns(" %1 %2 %3", r, {50, 15, 30});
    for (const report::Mode mode : {report::Mode::Line, report::Mode::Document}) {
        SCOPED_TRACE(int(mode));
        const auto rows = [&](SongOrder order, int first) {
            const QStringList lines =
                show(mode, [&](ReportWriter &w) { writeSortedTracks(w, work, order); }).lines;
            return rowsOf(lines, first, 4);
        };
        const int first = mode == report::Mode::Line ? 8 : 7; // one blank less in the document
        EXPECT_EQ(rows(SongOrder::Title, first), byTitle);
        QStringList styles, singers;
        for (const QString &l : rows(SongOrder::Style, first))
            styles << l.mid(1, 15).trimmed();
        EXPECT_EQ(styles, (QStringList{"Folk", "Hip hop", "Chanson", "Rock"}));
        for (const QString &l : rows(SongOrder::Singer, first))
            singers << l.mid(1, 30).trimmed();
        EXPECT_EQ(singers, (QStringList{"Cimbál", "Čechomor", "Dan", "Hana"}));
    }
}

TEST_F(SortedTest, SongListLinesLooksAndDocumentFooters)
{
    appendWithDbf("cd02.dbf", "[{'cislocd': '00001', 'track': 'Dým', 'styl': 'Pop', "
                              "'artist': 'Eva'}]");
    Table work;
    trackWork(work);
    const QString heading =
        " Styl:           Skladba:                                           Zpěvák (-čka):";
    const QString row = columns(" %1 %2 %3 ", {"Pop", "Dým", "Eva"}, {15, 50, 30});
    const Shown s = show(report::Mode::Line,
                         [&](ReportWriter &w) { writeSortedTracks(w, work, SongOrder::Style); });
    EXPECT_EQ(timeless(s.lines),
              (QStringList{
                  " S E Z N A M    V Š E C H    S K L A D E B", "", " Řazení: Podle stylu skladby",
                  "", "", heading, hyphens(1, 91), "", row, "", hyphens(1, 91),
                  " Datum a čas tisku  : " + kTime + QString(41, ' ') + "Verze programu: 2002.A",
                  " Norvane 2002"}));
    const Look blue16{QColor(0, 0, 255), 16, true}, red10{QColor(255, 0, 0), 10, true},
        black10{QColor(0, 0, 0), 10, true}, regular10{QColor(0, 0, 0), 10, false},
        regular8{QColor(0, 0, 0), 8, false};
    EXPECT_EQ(s.looks, (QList<Look>{blue16, blue16, red10, red10, red10, black10, black10, black10,
                                    regular10, regular10, regular10, regular8, regular8}));

    const auto document = [&](SongOrder order) {
        return timeless(
            report::documentOf([&](ReportWriter &w) { writeSortedTracks(w, work, order); }));
    };
    const QString style = document(SongOrder::Style);
    EXPECT_TRUE(style.startsWith(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier "
        "New;}Courier New CE;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue0255;\\red0255\\green0\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs32\r\n"
        " S E Z N A M    V Š E C H    S K L A D E B\\par\r\n"
        "\\cf3\\fs20\\par\r\n"
        " Řazení: Podle stylu skladby\\par\r\n"
        "\\cf1\\par\r\n" +
        heading + "\\par\r\n" + hyphens(1, 91) + "\\par\r\n\\cf1\\fs20\\b0\\par\r\n"))
        << style.toStdString();
    const QString footer = "\\par\r\n" + row + "\\par\r\n%1\r\n" + hyphens(1, 91) +
                           "\\par\r\n\\fs18\r\n%2Datum a čas tisku  : " + kTime + QString(41, ' ') +
                           "Verze programu: 2002.A\\par\r\n%2Norvane 2002\\par\r\n}";
    EXPECT_TRUE(style.endsWith(footer.arg("\\par", "  "))) << style.toStdString();
    const QString title = document(SongOrder::Title);
    EXPECT_TRUE(title.endsWith(
        footer.arg("\\par\\fs20", " ")
            .replace(row, columns(" %1 %2 %3", {"Dým", "Pop", "Eva"}, {50, 15, 30}))))
        << title.toStdString();
}

TEST_F(SortedTest, FilmScreenThroughTheMenuAndItsCloseButton)
{
    window->settings().storedSystemCode = "1";
    window->settings().printerAvailable = false;
    threeCassettes();
    QStringList byTitle, byGenre;
    bool filesWhileOpen = false;
    user.onScreen["TTisk_Abeceda"] = [&](QDialog &d) {
        auto &s = static_cast<TTisk_Abeceda &>(d);
        EXPECT_EQ(s.windowTitle(), "Tisk všech filmů řazených podle abecedy / žánru");
        EXPECT_EQ(s.titleLabel()->text(), "Tisková sestava všech filmů z databáze:");
        EXPECT_EQ(s.printButton()->text(), "Tisknout sestavu");
        EXPECT_FALSE(s.printButton()->isEnabled()); // no printer
        QComboBox *combo = s.findChild<QComboBox *>("ComboBox1");
        ASSERT_EQ(combo, s.orderChoice());
        EXPECT_EQ(combo->itemText(0), "     Abecedy (a - ž)");
        EXPECT_EQ(combo->itemText(1), "     Žánru filmů");
        auto *choiceCaption = s.findChild<QLabel *>("Label2");
        EXPECT_EQ(choiceCaption->buddy(), combo);
        EXPECT_EQ(choiceCaption->text(), "Řazení sestavy podle:");
        QLabel *count = s.findChild<QLabel *>("pocet");
        EXPECT_EQ(count->text(), "4");
        EXPECT_EQ(count->accessibleDescription(), "Počet filmů v datech");
        filesWhileOpen = workFilesExist();
        for (const QString &l : rowsOf(s.pane()->lines(), 7, 6))
            byTitle << l.mid(5, 30).trimmed();
        combo->setCurrentIndex(1);
        for (const QString &l : rowsOf(s.pane()->lines(), 7, 6))
            byGenre << l.mid(5, 15).trimmed();
        EXPECT_EQ(s.pane()->lines().value(2), "     Řazení: Žánr filmů");
        EXPECT_FALSE(s.waiting()->isVisible());
        EXPECT_FALSE(s.printButton()->isEnabled()); // still without a printer after the build
        QTest::mouseClick(s.closeButton(), Qt::LeftButton);
        EXPECT_FALSE(s.isVisible());
    };
    window->runEntry(*window->entryFor("printing.cassetteSorted", TTitul::Cassettes));
    EXPECT_EQ(user.screens, QStringList{"TTisk_Abeceda"});
    EXPECT_TRUE(user.shown.isEmpty());
    EXPECT_EQ(byTitle, (QStringList{"Cesta", "Čert", "Hrad", "Chata"}));
    EXPECT_EQ(byGenre, (QStringList{"Akční", "Drama", "Komedie", "Pohádka"}));
    EXPECT_TRUE(filesWhileOpen);
    EXPECT_FALSE(workFilesExist()); // the close button deletes both files
    EXPECT_FALSE(window->tables().Table1.isOpen());
}

TEST_F(SortedTest, PrintingLeavesTheWorkFilesAndTheNextShowingStartsAfresh)
{
    QPrinter &printer = report::currentPrinter();
    if (printer.outputFormat() != QPrinter::PdfFormat)
        GTEST_SKIP() << "the run's printer is a real one";
    window->settings().storedSystemCode = "4";
    window->settings().printerAvailable = true;
    threeCassettes();
    const QString pdf = env.file("sorted.pdf");
    printer.setOutputFileName(pdf);
    QStringList counts;
    QString firstRow;
    user.onScreen["TTisk_Abeceda"] = [&](QDialog &d) {
        auto &s = static_cast<TTisk_Abeceda &>(d);
        counts << s.count()->text();
        firstRow = s.pane()->lines().value(7);
        if (counts.size() == 1)
            QTest::mouseClick(s.printButton(), Qt::LeftButton);
    };
    const MenuEntry &entry = *window->entryFor("printing.cassetteSorted", TTitul::Cassettes);
    window->runEntry(entry);
    printer.setOutputFileName(QString());
    EXPECT_TRUE(workFilesExist());
    ASSERT_TRUE(QFile::exists(pdf));
    const QString text = runProgram("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(text.contains("Řazení: Abecední podle filmů")) << text.toStdString();
    EXPECT_TRUE(text.contains("Chata")) << text.toStdString();

    // An edit made in between is in the next list.
    appendWithDbf("data.dbf", "[{'cislo': '00004', 'film3': 'Anna', 'zanr3': 'Drama'}]");
    window->runEntry(entry);
    EXPECT_EQ(counts, (QStringList{"4", "5"}));
    EXPECT_TRUE(firstRow.startsWith("     Anna ")) << firstRow.toStdString();
    EXPECT_FALSE(workFilesExist());
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(SortedTest, SongScreenThroughTheMenuWithItsProgressWindow)
{
    window->settings().storedSystemCode = "4";
    someTracks();
    // A filter left on cd02.dbf hides nothing from the list.
    window->tables().CD_Table2.setFilter("Styl='Rock'");
    window->tables().CD_Table2.setFiltered(true);
    QStringList singers;
    QString count;
    int gauge = -1;
    user.onScreen["TTisk_AbecedaCD"] = [&](QDialog &d) {
        auto &s = static_cast<TTisk_AbecedaCD &>(d);
        EXPECT_EQ(s.windowTitle(), "Tisk všech CD titulů ...");
        EXPECT_EQ(s.titleLabel()->text(), "Tisková sestava všech CD titulů z databáze:");
        EXPECT_EQ(s.findChild<QLabel *>("Label2")->text(), "Řazení skladeb podle:");
        EXPECT_EQ(s.pane()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(s.orderChoice()->count(), 3);
        EXPECT_EQ(s.orderChoice()->itemText(2), "     Zpěváka (-čky)");
        count = s.count()->text();
        s.orderChoice()->setCurrentIndex(2);
        gauge = s.waiting()->position();
        EXPECT_EQ(s.waiting()->maximum(), 4);
        EXPECT_FALSE(s.waiting()->isVisible());
        for (const QString &l : rowsOf(s.pane()->lines(), 7, 4))
            singers << l.mid(1, 30).trimmed();
    };
    window->runEntry(*window->entryFor("printing.cdTracksSorted", TTitul::Cds));
    EXPECT_EQ(user.screens, QStringList{"TTisk_AbecedaCD"});
    EXPECT_EQ(count, "4"); // the empty title counts
    EXPECT_EQ(gauge, 4);
    EXPECT_EQ(singers, (QStringList{"Cimbál", "Čechomor", "Dan", "Hana"}));
    EXPECT_FALSE(window->tables().CD_Table2.isOpen());
    EXPECT_FALSE(window->tables().CD_Table2.filtered());
    EXPECT_FALSE(workFilesExist()); // the window closed: files gone
}

TEST_F(SortedTest, NoSecondBuildAndNoClosingWhileAListIsWritten)
{
    window->settings().storedSystemCode = "1";
    window->settings().printerAvailable = true;
    threeCassettes();
    struct During
    {
        bool busy, choice, print, close;
    };
    QList<During> during;
    QString sorting;
    user.onScreen["TTisk_Abeceda"] = [&](QDialog &d) {
        auto &s = static_cast<TTisk_Abeceda &>(d);
        // Handled while the genre list is written: the user clicks and
        // presses Esc.
        QTimer::singleShot(0, &s, [&] {
            during << During{s.busy(), s.orderChoice()->isEnabled(), s.printButton()->isEnabled(),
                             s.closeButton()->isEnabled()};
            QTest::mouseClick(s.closeButton(), Qt::LeftButton);
            QTest::keyClick(&s, Qt::Key_Escape);
            s.reject();
        });
        s.orderChoice()->setCurrentIndex(1);
        sorting = s.pane()->lines().value(2);
        EXPECT_TRUE(s.isVisible());
        EXPECT_TRUE(workFilesExist());
        EXPECT_TRUE(s.orderChoice()->isEnabled());
        EXPECT_TRUE(s.printButton()->isEnabled());
        EXPECT_TRUE(s.closeButton()->isEnabled());
    };
    window->runEntry(*window->entryFor("printing.cassetteSorted", TTitul::Cassettes));
    ASSERT_EQ(during.size(), 1);
    EXPECT_TRUE(during[0].busy);
    EXPECT_FALSE(during[0].choice);
    EXPECT_FALSE(during[0].print);
    EXPECT_FALSE(during[0].close);
    EXPECT_EQ(sorting, "     Řazení: Žánr filmů");
}

TEST_F(SortedTest, WorkOfOneScreenLiftsTheFilterCountsAndGoesAway)
{
    someTracks();
    Table tracks;
    openAsMenu(tracks, "cd02.dbf", "cislocd");
    tracks.setFilter("Styl='Rock'");
    tracks.setFiltered(true);

    SortedWork work(SortedList::Songs);
    EXPECT_FALSE(work.ready());
    QList<int> counted;
    // Every song, whatever another screen filtered; an empty title is a row too.
    EXPECT_EQ(work.fill(tracks, [&](int rows) { counted << rows; }), 4);
    EXPECT_EQ(counted, QList<int>{4});
    EXPECT_FALSE(tracks.filtered());
    EXPECT_TRUE(work.ready());
    EXPECT_TRUE(workFilesExist());

    // Shown again: made anew, not added to.
    EXPECT_EQ(work.fill(tracks), 4);
    {
        Table back;
        back.setPath(sortedWorkPath());
        back.open(Table::Mode::ReadOnly);
        EXPECT_EQ(back.recordCount(), 4);
    }
    work.remove();
    EXPECT_FALSE(work.ready());
    EXPECT_FALSE(workFilesExist());
}

TEST_F(SortedTest, FilmWorkThatCannotBeMadeHasCountedTheFilmsAndLeavesNoFiles)
{
    threeCassettes();
    Table data;
    openAsMenu(data, "data.dbf", "cislo");
    ASSERT_TRUE(QDir().mkpath(sortedWorkPath()));
    SortedWork work(SortedList::Films);
    QList<int> counted;
    EXPECT_ANY_THROW(work.fill(data, [&](int rows) { counted << rows; }));
    QDir().rmdir(sortedWorkPath());
    EXPECT_EQ(counted, QList<int>{4});
    EXPECT_FALSE(work.ready());
    EXPECT_FALSE(workFilesExist());
}

TEST_F(SortedTest, WorkTableThatCannotBeMadeIsToldAndTheScreenStaysUsable)
{
    window->settings().storedSystemCode = "1";
    threeCassettes();
    // Something else by that name in the private directory.
    ASSERT_TRUE(QDir().mkpath(sortedWorkPath()));
    bool choiceEnabled = true;
    QStringList lines{"x"};
    user.onScreen["TTisk_Abeceda"] = [&](QDialog &d) {
        auto &s = static_cast<TTisk_Abeceda &>(d);
        choiceEnabled = s.orderChoice()->isEnabled();
        lines = s.pane()->lines();
        EXPECT_EQ(s.count()->text(), "4");
        QTest::mouseClick(s.closeButton(), Qt::LeftButton);
    };
    window->runEntry(*window->entryFor("printing.cassetteSorted", TTitul::Cassettes));
    QDir().rmdir(sortedWorkPath());
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Chyba");
    EXPECT_TRUE(user.shown[0].text.startsWith("Tříděnou sestavu nelze připravit.\n"));
    EXPECT_TRUE(user.shown[0].text.contains("tridena.dbf"));
    EXPECT_FALSE(choiceEnabled);
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_FALSE(window->tables().Table1.isOpen());
}

TEST_F(SortedTest, EmptyCataloguesAreRefused)
{
    window->runEntry(*window->entryFor("printing.cassetteSorted", TTitul::Cassettes));
    window->runEntry(*window->entryFor("printing.cdTracksSorted", TTitul::Cds));
    EXPECT_TRUE(user.screens.isEmpty());
    EXPECT_EQ(user.texts(), QStringList(2, "V databázi nejsou žádná data, nelze pokračovat!"));
}

} // namespace
} // namespace velmora::test
