// The archive screens and the loan histories by item and by person, in
// both pane modes, printed to PDF.

#include "LendingFixture.h"
#include "ReportCheck.h"
#include "engine/Codepage.h"
#include "lending/ArchiveScreen.h"
#include "lending/FilmWindows.h"
#include "lending/HistoryScreen.h"
#include "loans/LoanHistory.h"
#include "printing/ReportPane.h"
#include "printing/ReportPrint.h"
#include "writer/ReportWriter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>

namespace velmora::test {
namespace {

const QString kRule = "     " + QString(76, '-');

class HistoryTest : public LendingFixture
{
protected:
    void SetUp() override
    {
        LendingFixture::SetUp();
        window->settings().storedSystemCode = "1"; // line mode unless a test says otherwise
        for (const char *n : {"00001", "00002", "00003", "00004", "00005", "00006", "00007",
                              "00008", "00009", "00010"})
            cassette(n, {}, 2);
        archived(ItemKind::Cassette, "00005", "Eva", "01.01.2002", "Vrácení: 05.01.2002");
        archived(ItemKind::Cassette, "00002", "Eva", "02.01.2002", "Vrácení: 06.01.2002");
        archived(ItemKind::Cassette, "00005", "Adam", "07.01.2002", "Vrácení: 09.01.2002");
        archived(ItemKind::Cassette, "00005", "eva", "10.01.2002", "Vrácení: 12.01.2002");
    }

    // The lines of the pane that hold a loan (the history lines).
    static QStringList historyLines(ReportPane *pane)
    {
        QStringList out;
        for (const QString &l : pane->lines())
            if (l.contains("Vrácení:") && !l.contains("Datum vrácení"))
                out << l;
        return out;
    }
};

TEST_F(HistoryTest, TheCassetteHistoryListsEachLoanInReturnOrderWithTheCount)
{
    QStringList choices, lines, films, allLines;
    QString count;
    user.onScreen["TSledovani_kazety"] = [&](QDialog &d) {
        auto &s = static_cast<HistoryScreen &>(d);
        for (int i = 0; i < s.choiceBox()->count(); ++i)
            choices << s.choiceBox()->itemText(i);
        count = s.countLabel()->text();
        EXPECT_EQ(s.chosen(), "00002"); // the first number at opening
        s.choose("00005");
        lines = historyLines(s.pane());
        allLines = s.pane()->lines();
        films = s.filmsWindow()->films();
    };
    run("lending.cassetteHistoryByNumber");
    EXPECT_EQ(choices, (QStringList{"00002", "00005"}));
    EXPECT_EQ(count, "Dohromady se půjčuje: 2 kazet z 10 kazet");
    EXPECT_EQ(lines, (QStringList{historyLine("Eva", "01.01.2002", "Vrácení: 05.01.2002"),
                                  historyLine("Adam", "07.01.2002", "Vrácení: 09.01.2002"),
                                  historyLine("eva", "10.01.2002", "Vrácení: 12.01.2002")}));
    EXPECT_EQ(lines[0], "     Eva" + QString(20, ' ') + "01.01.2002" + QString(11, ' ') +
                            "Vrácení: 05.01.2002" + QString(12, ' '));
    ASSERT_GE(allLines.size(), 6);
    EXPECT_EQ(allLines[1], "   S T A T I S T I K A   K A Z E T Y  :   00005");
    EXPECT_EQ(allLines[4], "     Půjčena osobě:        Datum půjčení:        Datum vrácení:");
    EXPECT_EQ(allLines[5], kRule);
    EXPECT_EQ(allLines.last(), "     Norvane 2002");
    EXPECT_EQ(films, (QStringList{"00005 film 1", "00005 film 2", "", "", ""}));
    EXPECT_FALSE(window->tables().Table2.isOpen());
}

TEST_F(HistoryTest, ThePersonHistoryGoesInNumberOrderWithTheFilmsTheyHad)
{
    archived(ItemKind::Cassette, "00002", "Eva", "20.01.2002", "Vrácení: 25.01.2002");
    archived(ItemKind::Cassette, "00011", "Eva", "21.01.2002",
             "Vrácení: 26.01.2002"); // deleted since
    QStringList choices, lines, films;
    bool companionShown = false, clearedOnClose = false;
    user.onScreen["TSledovani_podle_osoby"] = [&](QDialog &d) {
        auto &s = static_cast<HistoryScreen &>(d);
        for (int i = 0; i < s.choiceBox()->count(); ++i)
            choices << s.choiceBox()->itemText(i);
        s.choose("Eva");
        lines = historyLines(s.pane());
        films = s.personFilms()->pane()->lines();
        s.companionBox()->click();
        companionShown = s.personFilms()->isVisible();
        s.personFilms()->findChild<QPushButton *>("Zavrit_okno")->click();
        clearedOnClose = !s.companionBox()->isChecked();
    };
    run("lending.cassetteHistoryByPerson");
    // Names differing in case are two people.
    EXPECT_EQ(choices, (QStringList{"Adam", "eva", "Eva"}));
    EXPECT_EQ(lines, (QStringList{historyLine("00002", "02.01.2002", "Vrácení: 06.01.2002"),
                                  historyLine("00002", "20.01.2002", "Vrácení: 25.01.2002"),
                                  historyLine("00005", "01.01.2002", "Vrácení: 05.01.2002"),
                                  historyLine("00011", "21.01.2002", "Vrácení: 26.01.2002")}));
    // A cassette lent twice lists its films twice; a deleted one nothing.
    EXPECT_EQ(films, (QStringList{" Eva  viděl(a) tyto filmy:", " " + QString(50, '-'), "",
                                  " K: 00002  00002 film 1", " K: 00002  00002 film 2",
                                  " K: 00002  00002 film 1", " K: 00002  00002 film 2",
                                  " K: 00005  00005 film 1", " K: 00005  00005 film 2", "",
                                  " " + QString(26, '-'), " End Norvane search engine."}));
    EXPECT_TRUE(companionShown);
    EXPECT_TRUE(clearedOnClose);
}

TEST_F(HistoryTest, DocumentModeBuildsTheRtfOfTheHistory)
{
    const QByteArray doc = report::documentOf([](ReportWriter &w) {
        writeItemHistory(w, ItemKind::Cassette, "00005", QString(),
                         {{"E 180", "00005", "", "Eva", "01.01.2002", "Vrácení: 05.01.2002"}});
    });
    const QString rule = kRule + "\\par\r\n";
    const QByteArray expected = Codepage::cp1250().encode(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier "
        "New;}Courier New CE;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue0;\\red0255\\green0\\blue0;\\red0\\green0\\blue0255;}"
        "\r\n"
        "\\viewkind4\\uc1\\pard\\cf3\\b\\lang1029\\f0\\fs32\\par\r\n"
        "   S T A T I S T I K A   K A Z E T Y  :   00005\\par\r\n"
        "\\par\r\n"
        "\\cf2\\fs20\\par\r\n"
        "     Půjčena osobě:        Datum půjčení:        Datum vrácení:\\par\r\n"
        "\\cf1\r\n" +
        rule + "\\cf1\\par\r\n" + historyLine("Eva", "01.01.2002", "Vrácení: 05.01.2002") +
        "\\par\r\n\\b0\\par\r\n" + rule + "     Datum a čas tisku  : ");
    EXPECT_TRUE(doc.startsWith(expected)) << doc.toStdString();
    EXPECT_TRUE(doc.endsWith("     Norvane 2002\\par\r\n}")) << doc.toStdString();
}

TEST_F(HistoryTest, TheCdHistoriesNameTheTitleAndTheCdNumbers)
{
    cdTitle("00001", "Album");
    archived(ItemKind::Cd, "00001", "Olga", "01.03.2003", "Vrácení: 02.03.2003", "Album");
    archived(ItemKind::Cd, "00001", "Petr", "04.03.2003", "Vrácení: 05.03.2003", "Album");
    QString title;
    QStringList lines, personLines, allLines;
    user.onScreen["TSledovani_CD"] = [&](QDialog &d) {
        auto &s = static_cast<HistoryScreen &>(d);
        title = s.titleLabel()->text();
        lines = historyLines(s.pane());
        allLines = s.pane()->lines();
    };
    user.onScreen["TSledovani_CD2"] = [&](QDialog &d) {
        auto &s = static_cast<HistoryScreen &>(d);
        EXPECT_EQ(s.chosen(), "Olga");
        personLines = s.pane()->lines();
    };
    run("lending.cdHistoryByNumber", TTitul::Cds);
    run("lending.cdHistoryByPerson", TTitul::Cds);
    EXPECT_EQ(title, "Album");
    EXPECT_EQ(lines, (QStringList{historyLine("Olga", "01.03.2003", "Vrácení: 02.03.2003"),
                                  historyLine("Petr", "04.03.2003", "Vrácení: 05.03.2003")}));
    EXPECT_TRUE(allLines.contains("   S T A T I S T I K A   C D :   00001"));
    EXPECT_TRUE(allLines.contains("     Titul CD: Album"));
    EXPECT_TRUE(
        allLines.contains("     Půjčeno osobě:        Datum půjčení:        Datum vrácení:"));
    EXPECT_TRUE(personLines.contains("   Z A P Ů J Č E N Y :   Olga"));
    EXPECT_TRUE(
        personLines.contains("     Číslo CD:             Datum půjčení:        Datum vrácení:"));
}

TEST_F(HistoryTest, TheArchiveListsTheReturnsAndLeadsToTheHistories)
{
    QString count;
    QStringList numbers;
    user.onScreen["TArchiv"] = [&](QDialog &d) {
        auto &s = static_cast<ArchiveScreen &>(d);
        count = s.countLabel()->text();
        for (int r = 0; r < s.grid()->model()->rowCount(); ++r)
            numbers << s.grid()->model()->index(r, 0).data().toString();
        s.byItemButton()->click();
        s.byPersonButton()->click();
    };
    run("lending.cassetteArchive");
    EXPECT_EQ(count, "4");
    EXPECT_EQ(numbers, (QStringList{"00005", "00002", "00005", "00005"}));
    EXPECT_EQ(user.screens,
              (QStringList{"TArchiv", "TSledovani_kazety", "TSledovani_podle_osoby"}));
    EXPECT_FALSE(window->tables().Table2.isOpen());
}

TEST_F(HistoryTest, AnEmptyArchiveIsRefused)
{
    run("lending.cdArchive", TTitul::Cds);
    run("lending.cdHistoryByNumber", TTitul::Cds);
    EXPECT_EQ(user.texts(), (QStringList{"V databázi nejsou žádná data, nelze pokračovat!",
                                         "V databázi nejsou žádná data, nelze pokračovat!"}));
    EXPECT_TRUE(user.screens.isEmpty());
}

TEST_F(HistoryTest, PrintingTheHistoryKeepsTheScreenOpen)
{
    QPrinter &printer = report::currentPrinter();
    if (printer.outputFormat() != QPrinter::PdfFormat)
        GTEST_SKIP() << "the run's printer is a real one";
    window->settings().printerAvailable = true;
    const QString pdf = env.file("historie.pdf");
    printer.setOutputFileName(pdf);
    bool openAfter = false, enabled = false;
    user.onScreen["TSledovani_kazety"] = [&](QDialog &d) {
        auto &s = static_cast<HistoryScreen &>(d);
        enabled = s.printButton()->isEnabled();
        s.printButton()->click();
        openAfter = s.isVisible();
    };
    run("lending.cassetteHistoryByNumber");
    printer.setOutputFileName(QString());
    EXPECT_TRUE(enabled);
    EXPECT_TRUE(openAfter);
    const QString text = runProgram("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(text.contains("K A Z E T Y")) << text.toStdString();
    EXPECT_TRUE(text.contains("00002")) << text.toStdString();
    EXPECT_TRUE(text.contains("Eva")) << text.toStdString();
}

TEST_F(HistoryTest, WithoutAPrinterThePrintButtonsAreDisabled)
{
    window->settings().printerAvailable = false;
    bool printEnabled = true, companionPrint = true;
    user.onScreen["TSledovani_podle_osoby"] = [&](QDialog &d) {
        auto &s = static_cast<HistoryScreen &>(d);
        printEnabled = s.printButton()->isEnabled();
        companionPrint = s.personFilms()->printButton()->isEnabled();
    };
    run("lending.cassetteHistoryByPerson");
    EXPECT_FALSE(printEnabled);
    EXPECT_FALSE(companionPrint);
}

} // namespace
} // namespace velmora::test
