// The screens of the report engine: the system printer screen, the
// progress window of the CD reports and the frame that report screens share.

#include "AppFixture.h"
#include "platform/MachineInfo.h"
#include "printing/Centr.h"
#include "printing/ReportPrint.h"
#include "printing/ReportScreen.h"
#include "printing/Waiting.h"

#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

using namespace velmora;

namespace {

class PrintingScreensTest : public test::AppFixture
{
protected:
    // Start-up probed this machine's printers; the tests say themselves
    // whether one was found.
    PrintingScreensTest()
    {
        start();
        window->settings().printerAvailable = true;
    }
};

// A report screen as the list Parts build one: a choice of two kinds, and a
// report that follows the mode of the run.
class SampleReport : public ReportScreen
{
public:
    explicit SampleReport(TTitul &w) : ReportScreen(w.session(), &w)
    {
        kind = new QComboBox(this);
        kind->setObjectName("Druh");
        kind->setAccessibleName("Druh sestavy");
        kind->addItems({"Krátká", "Dlouhá"});
        choiceLayout()->addWidget(kind);
        connect(kind, &QComboBox::currentIndexChanged, this, [this] { build(); });
    }
    int builds = 0;
    QComboBox *kind;

protected:
    void FormShow() override
    {
        kind->setCurrentIndex(0);
        build();
    }

private:
    void build()
    {
        ++builds;
        titleLabel()->setText("Ukázková sestava");
        const int lines = kind->currentIndex() == 0 ? 3 : 150;
        pane()->beginBuild();
        if (mode() == report::Mode::Line) {
            for (int i = 1; i <= lines; ++i)
                pane()->appendLine(QStringLiteral("     Řádek %1").arg(i));
        } else if (mode() == report::Mode::Document) {
            rtf::Document doc;
            doc.header(rtf::kColourTableC, "\\viewkind4\\uc1\\pard\\cf1\\lang1029\\f0\\fs16");
            for (int i = 1; i <= lines; ++i)
                doc.add(QStringLiteral("     Řádek %1\\par").arg(i));
            doc.close();
            pane()->setRtf(doc.bytes());
        }
        pane()->endBuild();
    }
};

} // namespace

TEST_F(PrintingScreensTest, SystemPrinterScreenWithoutPrinter)
{
    if (!machine::currentPrinterName().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    ASSERT_TRUE(window->hasCommand("printing.printer"));

    QString panel;
    QPrinter *setupPrinter = nullptr;
    user.onScreen["TCentr"] = [&](QDialog &d) {
        EXPECT_EQ(d.windowTitle(), "Hlavní nastavení tiskárny ze systému ...");
        auto *tiskarny = d.findChild<QLabel *>("Tiskarny");
        ASSERT_NE(tiskarny, nullptr);
        panel = tiskarny->text();
        EXPECT_EQ(d.findChild<QLabel *>("Label1")->text(),
                  "Nastavená výchozí tiskárna pro operační systém:");
        EXPECT_EQ(d.findChild<QLabel *>("Label2")->text(),
                  "Tato tiskárna byla detekovaná jako systémová a výchozí.");
        auto *setup = d.findChild<QPushButton *>("Nastaveni");
        ASSERT_NE(setup, nullptr);
        EXPECT_EQ(setup->text(), "Nastavení systémové tiskárny");
        QTest::mouseClick(setup, Qt::LeftButton);
        // The panel is not refreshed after the setup.
        EXPECT_EQ(tiskarny->text(), panel);
        QTest::mouseClick(d.findChild<QPushButton *>("Zavrit_okno"), Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    };
    user.onScreen["QPrintDialog"] = [&](QDialog &d) {
        setupPrinter = static_cast<QPrintDialog &>(d).printer();
    };
    window->runAction("printing.printer");
    EXPECT_EQ(user.screens, QStringList({"TCentr", "QPrintDialog"}));
    EXPECT_EQ(panel, "Nebyla nalezena žádná tiskárna ...");
    // The setup works on the printer that every later job of the run gets.
    EXPECT_EQ(setupPrinter, &report::currentPrinter());
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(PrintingScreensTest, ProgressWindowTextGaugeAndPlace)
{
    QDialog owner(window.get());
    owner.resize(600, 400);
    owner.move(100, 80);
    owner.show();
    {
        TWaiting_Form w(&owner);
        EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
        EXPECT_NE(w.findChild<QProgressBar *>("Ukazatel"), nullptr);
        w.start(5);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.text(), "Strpení, data se zpracovávají");
        EXPECT_EQ(w.maximum(), 5);
        EXPECT_EQ(w.position(), 0);
        EXPECT_LE((w.frameGeometry().center() - owner.frameGeometry().center()).manhattanLength(),
                  2);
        for (int i = 0; i < 3; ++i)
            w.advance();
        EXPECT_EQ(w.position(), 3);
        for (int i = 0; i < 5; ++i)
            w.advance();
        EXPECT_EQ(w.position(), 5);
        w.finish();
        EXPECT_FALSE(w.isVisible());
        // Shown again for the next report: the gauge starts over.
        w.start(2);
        EXPECT_EQ(w.maximum(), 2);
        EXPECT_EQ(w.position(), 0);
    }

    writeLanguageFile("Czech.set", "[Central]\n121=Čekejte, prosím\n");
    lang::load("Czech.set");
    {
        TWaiting_Form w(&owner);
        w.start(1);
        EXPECT_EQ(w.text(), "Čekejte, prosím ...");
    }
    writeLanguageFile("Czech.set", "[Central]\n120=jiný text\n");
    {
        TWaiting_Form w(&owner);
        w.start(1);
        EXPECT_EQ(w.text(), "Strpení, data se zpracovávají ...");
    }
}

TEST_F(PrintingScreensTest, ReportScreenBuildsOnShowAndOnEveryChoice)
{
    window->settings().storedSystemCode = "2";
    SampleReport r(*window);
    EXPECT_EQ(r.pane()->objectName(), "RichEdit1");
    EXPECT_EQ(r.titleLabel()->objectName(), "RxLabel1");
    r.show();
    QApplication::processEvents();
    EXPECT_EQ(r.builds, 1);
    EXPECT_EQ(r.titleLabel()->text(), "Ukázková sestava");
    EXPECT_EQ(r.pane()->lines().size(), 3);
    EXPECT_TRUE(r.pane()->hasFocus() || QApplication::focusWidget() == nullptr);
    EXPECT_TRUE(r.printButton()->isEnabled());
    EXPECT_TRUE(r.pdfButton()->isEnabled());
    EXPECT_EQ(r.closeButton()->text(), "&Zavřít okno");

    r.kind->setCurrentIndex(1);
    EXPECT_EQ(r.builds, 2);
    EXPECT_EQ(r.pane()->lines().size(), 150);

    // The other mode writes the same lines; an unknown system none at all.
    window->settings().storedSystemCode = "4";
    r.kind->setCurrentIndex(0);
    EXPECT_EQ(r.pane()->lines(), QStringList({"     Řádek 1", "     Řádek 2", "     Řádek 3"}));
    EXPECT_FALSE(r.pane()->rtf().isEmpty());
    window->settings().storedSystemCode = "7";
    r.kind->setCurrentIndex(1);
    EXPECT_TRUE(r.pane()->lines().isEmpty());
}

TEST_F(PrintingScreensTest, WithoutPrinterOnlyPrintingIsDisabled)
{
    window->settings().printerAvailable = false;
    window->settings().storedSystemCode = "1";
    SampleReport r(*window);
    r.show();
    QApplication::processEvents();
    EXPECT_FALSE(r.printButton()->isEnabled());
    EXPECT_TRUE(r.pdfButton()->isEnabled());
    EXPECT_TRUE(r.closeButton()->isEnabled());
    EXPECT_EQ(r.pdfButton()->text(), "Uložit jako PDF ...");
}

TEST_F(PrintingScreensTest, PrintingPrintsTheWholeReportAndClosesTheScreen)
{
    QPrinter &printer = report::currentPrinter();
    if (printer.outputFormat() != QPrinter::PdfFormat)
        GTEST_SKIP() << "the run's printer is a real one";
    const QString file = env.file("printed.pdf");
    printer.setOutputFileName(file);

    window->settings().storedSystemCode = "4";
    SampleReport r(*window);
    r.show();
    QApplication::processEvents();
    r.kind->setCurrentIndex(1);
    QTest::mouseClick(r.printButton(), Qt::LeftButton);
    printer.setOutputFileName(QString());

    EXPECT_FALSE(r.isVisible());
    EXPECT_EQ(r.result(), QDialog::Rejected);
    EXPECT_FALSE(r.printButton()->isEnabled());
    EXPECT_FALSE(r.closeButton()->isEnabled());
    EXPECT_TRUE(user.shown.isEmpty());
    ASSERT_TRUE(QFile::exists(file));
    const QString text = test::runProgram("pdftotext", {"-layout", file, "-"});
    EXPECT_TRUE(text.contains("Řádek 1\n"));
    EXPECT_TRUE(text.contains("Řádek 150\n"));
    EXPECT_EQ(test::runProgram("pdfinfo", {file}).contains(QRegularExpression("Title:\\s+Velmora")),
              true);
}

TEST_F(PrintingScreensTest, FailedPrintJobIsReportedAndTheScreenStillCloses)
{
    QPrinter &printer = report::currentPrinter();
    if (printer.outputFormat() != QPrinter::PdfFormat)
        GTEST_SKIP() << "the run's printer is a real one";
    printer.setOutputFileName(env.file("no/such/dir/x.pdf"));
    window->settings().storedSystemCode = "1";
    SampleReport r(*window);
    r.show();
    QApplication::processEvents();
    QTest::mouseClick(r.printButton(), Qt::LeftButton);
    printer.setOutputFileName(QString());
    EXPECT_FALSE(r.isVisible());
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].caption, "Chyba");
}
