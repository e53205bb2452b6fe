// Cassette labels: the places of the spine and face labels, the packing on
// A4 sheets and its estimate, the walk over a range of numbers, the two
// screens run as the program runs them, and real output read back: PDF at
// 300 and 600 dpi, and a report and a label sheet through a CUPS queue.

#include "AppFixture.h"
#include "PdfWords.h"
#include "ScreenChecks.h"
#include "cassettes/BrowseCassette.h"
#include "printing/ReportPane.h"
#include "printing/ReportPrint.h"
#include "reports/LabelScreen.h"
#include "reports/Labels.h"
#include "reports/LabelsScreen.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QThread>
#include <cmath>

using namespace velmora;
using velmora::test::appendWithDbf;
using namespace velmora::labels;
using test::PdfWords;

namespace {

constexpr double kMmPerPoint = 25.4 / 72;

CassetteRecord cassette(const QString &number, const QStringList &titles,
                        const QStringList &genres = {}, const QStringList &speeds = {},
                        const QList<int> &lengths = {})
{
    CassetteRecord c;
    c.number = number;
    for (int n = 0; n < titles.size(); ++n)
        c.recordings[size_t(n)] =
            test::slot(titles[n], speeds.value(n), lengths.value(n), genres.value(n));
    return c;
}

// A place in mm as the printer draws it: rounded to its own dot.
double onDots(double mm, int dpi)
{
    return std::nearbyint(mm * dpi / 25.4) * 25.4 / dpi;
}

// Some word with this text has its top left at the place (mm from the top
// left corner of the paper, which lies at origin on the page read back).
void expectWordAt(const PdfWords &pdf, int page, const QString &text, double x, double y, int dpi,
                  QPointF origin = {}, double yTolerance = 0.03)
{
    const double ex = origin.x() + onDots(x, dpi), ey = origin.y() + onDots(y, dpi);
    double best = 1e9;
    for (const test::PdfWord &w : pdf.words) {
        if (w.page != page || w.text != text)
            continue;
        const double dx = w.xMin * kMmPerPoint - ex, dy = w.yMin * kMmPerPoint - ey;
        if (std::abs(dx) < 0.03 && std::abs(dy) < yTolerance)
            return;
        best = qMin(best, std::hypot(dx, dy));
    }
    ADD_FAILURE() << text.toStdString() << " not at " << x << "/" << y << " mm on page " << page
                  << " at " << dpi << " dpi (nearest off by " << best << " mm)";
}

// A printer writing PDF whose printable area starts `margins` mm in.
QPrinter *pdfPrinter(QPrinter &printer, const QString &file, int dpi,
                     const QMarginsF &margins = QMarginsF())
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(dpi);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(margins, QPageLayout::Millimeter);
    printer.setOutputFileName(file);
    return &printer;
}

// Margins such as a real printer has, different on every side.
const QMarginsF kPrinterMargins(6.35, 4.2, 7.9, 12.5);

} // namespace

TEST(LabelLayout, DotsSheetsAndRange)
{
    EXPECT_EQ(dots(30, 300), 354);    // 354.33
    EXPECT_EQ(dots(61.5, 600), 1453); // 1452.76
    // At 127 dpi a tenth of a millimetre is half a dot: halves go even.
    EXPECT_EQ(QList<int>({dots(0.1, 127), dots(0.3, 127), dots(0.5, 127)}), QList<int>({0, 2, 2}));

    EXPECT_EQ(sheetsNeeded(150, Choice::Both), 15 + 12);
    EXPECT_EQ(sheetsNeeded(1, Choice::Both), 2);
    EXPECT_EQ(sheetsNeeded(0, Choice::Both), 0);
    EXPECT_EQ(sheetsNeeded(11, Choice::FaceOnly), 2);
    EXPECT_EQ(sheetsNeeded(14, Choice::SpineOnly), 2);
    for (int n : {1, 10, 11, 13, 14, 131})
        for (Choice c : {Choice::Both, Choice::FaceOnly, Choice::SpineOnly})
            EXPECT_EQ(sheetPlan(n, c).back().sheet + 1, sheetsNeeded(n, c)) << n;
    EXPECT_EQ(estimateText(27), "Potřebujete k vytištění: 27 x A4 !");

    // The walk ends at the last number chosen, however sparse the numbers.
    const QStringList numbers{"00001", "00002", "00005", "00009", "00010"};
    const Span gaps = rangeSpan(numbers, "00002", "00009");
    EXPECT_EQ(QList<int>({gaps.begin, gaps.count()}), QList<int>({1, 3})); // not 9 - 2 + 1
    EXPECT_EQ(rangeSpan(numbers, "00005", "00005").count(), 1);
    EXPECT_EQ(rangeSpan(numbers, "00009", "00002").count(), 0);
    EXPECT_EQ(rangeSpan(numbers, "00003", "00009").count(), 0);
}

class LabelPdf : public ::testing::TestWithParam<int>
{
protected:
    void textsStandWhereTheTablesPutThem(const QMarginsF &margins);
    test::TestEnv env;
};

// Both labels of one cassette, and sheets of both kinds, read back from
// the PDF: each text at its place to the dot, measured from the paper's
// corner also on a printer whose printable area starts further in.
TEST_P(LabelPdf, TextsStandWhereTheTablesPutThem)
{
    for (const QMarginsF &margins : {QMarginsF(), kPrinterMargins}) {
        SCOPED_TRACE(margins.left());
        textsStandWhereTheTablesPutThem(margins);
    }
}

void LabelPdf::textsStandWhereTheTablesPutThem(const QMarginsF &margins)
{
    const int dpi = GetParam();
    const CassetteRecord full = cassette("00042", {"Alfa", "Beta", "Gama", "Delta", "Omega"},
                                         {"Drama", "Horor", "Western", "Komedie", "Muzikál"},
                                         {"SP", "LP", "EP", "SP", "LP"}, {45, 65, 90, 120, 5});
    const QString single = env.file("single.pdf");
    QPrinter printer;
    ASSERT_TRUE(paintLabels(*pdfPrinter(printer, single, dpi, margins), singleJob(full)));
    ASSERT_EQ(printer.pageRect(QPrinter::Millimeter).left() > 0, margins.left() > 0);
    PdfWords pdf = test::readPdfWords(single);
    EXPECT_EQ(pdf.title, "Tisk etikety - VK číslo 00042");
    ASSERT_EQ(pdf.pages, 1);
    expectWordAt(pdf, 0, "00042", 33, 34, dpi);
    const double rows5[] = {0.6, 4.3, 8, 11.7, 15.4};
    for (int n = 0; n < 5; ++n) {
        const CassetteSlot &s = full.recordings[size_t(n)];
        expectWordAt(pdf, 0, s.title, 50, 30 + rows5[n], dpi);
        expectWordAt(pdf, 0, s.speed, 163, 30 + rows5[n], dpi);
        expectWordAt(pdf, 0, s.title, 67.5, 81.5 + 9 * n, dpi);
        expectWordAt(pdf, 0, s.genre, 67.5, 85.5 + 9 * n, dpi);
        expectWordAt(pdf, 0, report::timeText(s.length).section(' ', 0, 0), 123.5, 85.5 + 9 * n,
                     dpi);
    }

    // Fourteen cassettes, both kinds: two sheets of faces, then two of
    // spines. Cassette i < 6 has titles up to slot i (slot 2 left empty),
    // so its spine shows the rows of k = i.
    const QList<QList<double>> rows{
        {}, {8}, {5, 10}, {2.5, 7.5, 12.5}, {1.5, 5.5, 9.5, 13.5}, {0.6, 4.3, 8, 11.7, 15.4}};
    std::vector<CassetteRecord> many;
    for (int i = 0; i < 14; ++i) {
        QStringList titles{QStringLiteral("F%1").arg(i)};
        for (int n = 2; n <= qMin(i, 5); ++n)
            titles << (n == 2 && i > 2 ? QString() : QStringLiteral("T%1x%2").arg(i).arg(n));
        if (i == 0)
            titles.clear();
        many.push_back(cassette(QStringLiteral("%1").arg(i + 1, 5, 10, QChar('0')), titles, {},
                                {"SP", "LP", "EP", "SP", "LP"}));
        EXPECT_EQ(topSlot(many.back()), i == 0 ? 0 : qBound(1, i, 5));
    }
    const QString sheets = env.file("sheets.pdf");
    QPrinter sheetPrinter;
    ASSERT_TRUE(
        paintLabels(*pdfPrinter(sheetPrinter, sheets, dpi, margins), sheetJob(many, Choice::Both)));
    pdf = test::readPdfWords(sheets);
    EXPECT_EQ(pdf.title, "Video - Tisk nastavených etiket");
    ASSERT_EQ(pdf.pages, 4);
    for (int i = 0; i < 14; ++i) {
        // Ten faces to a sheet in two columns of five; the eleventh starts
        // the next sheet at the top left. Thirteen spines to a sheet.
        const int place = i % 10;
        const double left = 27 + 78 * (place / 5), top = 12 + 47 * (place % 5);
        const double spineTop = 12 + 20 * (i % 13);
        expectWordAt(pdf, 2 + i / 13, many[size_t(i)].number, 33, spineTop + 4, dpi);
        if (i == 0)
            continue;
        expectWordAt(pdf, i / 10, QStringLiteral("F%1").arg(i), left + 6, top + 1.5, dpi);
        expectWordAt(pdf, i / 10, "0h", left + 62, top + 5.5, dpi);
        const QList<double> &r = rows[qMin(i, 5)];
        for (int n = 0; n < r.size(); ++n) {
            const QString title = many[size_t(i)].recordings[size_t(n)].title;
            expectWordAt(pdf, 2 + i / 13, title.isEmpty() ? "LP" : title,
                         title.isEmpty() ? 163 : 50, spineTop + r[n], dpi);
        }
    }
    // Upper labels first: no number on the face sheets.
    for (const test::PdfWord &w : pdf.words)
        EXPECT_TRUE(w.page >= 2 || !w.text.startsWith("000")) << w.page;
}

INSTANTIATE_TEST_SUITE_P(Resolutions, LabelPdf, ::testing::Values(300, 600));

// A sheet saved as a PDF file and the same sheet printed on a printer with
// margins: every word at the same place on the paper.
TEST(LabelPdfAndPrinter, ASavedSheetPrintsWhereADirectPrintWould)
{
    test::TestEnv env;
    std::vector<CassetteRecord> sheet;
    for (int i = 1; i <= 12; ++i)
        sheet.push_back(
            cassette(QStringLiteral("%1").arg(500 + i, 5, 10, QChar('0')),
                     {QStringLiteral("Film%1").arg(i), QStringLiteral("Druhy%1").arg(i)},
                     {"Drama", "Horor"}, {"SP", "LP"}, {90, 30}));
    const Job job = sheetJob(sheet, Choice::Both);
    ASSERT_TRUE(writePdf(job, env.file("saved.pdf")));
    QPrinter printer;
    ASSERT_TRUE(
        paintLabels(*pdfPrinter(printer, env.file("printed.pdf"), 600, kPrinterMargins), job));
    const PdfWords saved = test::readPdfWords(env.file("saved.pdf"));
    const PdfWords printed = test::readPdfWords(env.file("printed.pdf"));
    ASSERT_EQ(printed.pages, saved.pages);
    ASSERT_EQ(printed.words.size(), saved.words.size());
    ASSERT_FALSE(saved.words.isEmpty());
    for (qsizetype i = 0; i < saved.words.size(); ++i) {
        const test::PdfWord &a = saved.words[i], &b = printed.words[i];
        EXPECT_EQ(b.text, a.text);
        EXPECT_EQ(b.page, a.page);
        EXPECT_NEAR(b.xMin * kMmPerPoint, a.xMin * kMmPerPoint, 0.01) << a.text.toStdString();
        EXPECT_NEAR(b.yMin * kMmPerPoint, a.yMin * kMmPerPoint, 0.01) << a.text.toStdString();
    }
    // Where the sheet says, from the paper's corner: the first face label's
    // title and the last spine label's number.
    expectWordAt(printed, 0, "Film1", 27 + 6, 12 + 1.5, 600);
    expectWordAt(printed, 2, "00512", 33, 12 + 20 * 11 + 4, 600);
}

// The lines of the labels, seen in the page rendered at the printer's own
// resolution: the spine outline and the gray band lines of the face.
TEST(LabelPdfLines, OutlinesAndGrayBands)
{
    test::TestEnv env;
    const QString file = env.file("lines.pdf");
    QPrinter printer;
    ASSERT_TRUE(
        paintLabels(*pdfPrinter(printer, file, 300), singleJob(cassette("00001", {"Film"}))));
    int rc = -1;
    test::runProgram("pdftoppm",
                     {"-r", "300", "-gray", "-aa", "no", "-aaVector", "no", "-f", "1",
                      "-singlefile", file, env.file("page")},
                     &rc);
    ASSERT_EQ(rc, 0);
    QFile pgm(env.file("page.pgm"));
    ASSERT_TRUE(pgm.open(QIODevice::ReadOnly));
    // "P5\n<w> <h>\n255\n" and one byte per pixel.
    QList<QByteArray> head;
    while (head.size() < 4)
        for (const QByteArray &t : pgm.readLine().simplified().split(' '))
            if (!t.isEmpty())
                head << t;
    const int width = head[1].toInt();
    const QByteArray pixels = pgm.readAll();
    const auto darkest = [&](int x0, int x1, int y0, int y1) {
        int v = 255;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                v = qMin(v, int(uchar(pixels[y * width + x])));
        return v;
    };
    const auto d = [](double mm) { return dots(mm, 300); };
    EXPECT_LT(darkest(d(30) - 1, d(30) + 1, d(40), d(40)), 64);   // left edge of the spine
    EXPECT_LT(darkest(d(175) - 1, d(175) + 1, d(40), d(40)), 64); // right edge, 145 mm on
    EXPECT_LT(darkest(d(100), d(100), d(50) - 1, d(50) + 1), 64); // bottom, 20 mm down
    EXPECT_EQ(darkest(d(100), d(100), d(52), d(78)), 255);        // nothing between
    const int band = darkest(d(100), d(100), d(90) - 1, d(90) + 1);
    EXPECT_GT(band, 64); // gray, not black
    EXPECT_LT(band, 192);
    EXPECT_EQ(darkest(d(62.5), d(62.5), d(90) - 1, d(90) + 1), 255); // bands start 2 mm in
}

namespace {

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

template <typename W> W *child(const QObject &parent, const char *name)
{
    W *w = parent.findChild<W *>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// The program over a private data directory, data.dbf written by Python's
// dbf module, and the run's printer writing PDF files.
class LabelScreens : public test::AppFixture
{
protected:
    LabelScreens()
    {
        start();
        window->settings().printerAvailable = true;
    }
    ~LabelScreens() override
    {
        if (m_printer)
            m_printer->setOutputFileName(QString());
    }

    static void appendWithDbf(const QString &rows)
    {
        test::appendWithDbfTo(Paths::dataFile("data.dbf"), rows);
    }

    // Numbers with gaps, appended out of order; 00005 has no titles, 00007
    // a length in slot 2 without a title.
    void gappedCatalogue()
    {
        appendWithDbf("[{'cislo': '00010', 'film1': 'Desata', 'zanr1': 'Drama', 'ry1': 'SP', "
                      "'cas1': 65},"
                      " {'cislo': '00002', 'film1': 'Druha', 'film2': 'Dalsi', 'ry2': 'LP'},"
                      " {'cislo': '00020', 'film1': 'Dvacata'},"
                      " {'cislo': '00001', 'film1': 'Prvni', 'cas1': 10},"
                      " {'cislo': '00005'},"
                      " {'cislo': '00007', 'film4': 'Sedma', 'zanr4': 'Horor', "
                      "'cas2': 50}]");
    }

    // The run's printer writes into this file; false when it is a real one.
    bool printInto(const QString &file)
    {
        QPrinter &printer = report::currentPrinter();
        if (printer.outputFormat() != QPrinter::PdfFormat)
            return false;
        printer.setOutputFileName(file);
        m_printer = &printer;
        return true;
    }

    void runLabels(const std::function<void(TVice_Etiket &)> &act)
    {
        bool shown = false;
        user.onScreen["TVice_Etiket"] = [&](QDialog &d) {
            shown = true;
            act(static_cast<TVice_Etiket &>(d));
        };
        window->runEntry(*window->entryFor("printing.labels", TTitul::Cassettes));
        EXPECT_TRUE(shown);
        EXPECT_FALSE(window->tables().Table1.isOpen());
    }

    // The browse screen's label button, on the cassette shown last.
    void runSingle(const std::function<void(TTisk_etiket &)> &act, bool printerLost = false)
    {
        bool shown = false;
        user.onScreen["TTisk_etiket"] = [&](QDialog &d) {
            shown = true;
            act(static_cast<TTisk_etiket &>(d));
        };
        user.onScreen["TProhlizej_kazetu"] = [&](QDialog &d) {
            if (printerLost)
                window->settings().printerAvailable = false;
            child<QPushButton>(d, "Tisk")->click();
        };
        window->runEntry(*window->entryFor("cassettes.browse", TTitul::Cassettes));
        EXPECT_TRUE(shown);
    }

    QPrinter *m_printer = nullptr;
};

} // namespace

TEST_F(LabelScreens, SheetScreenChoicesAndEstimate)
{
    window->runEntry(*window->entryFor("printing.labels", TTitul::Cassettes));
    EXPECT_EQ(user.texts(), QStringList{"V databázi nejsou žádná data, nelze pokračovat!"});
    user.shown.clear();

    gappedCatalogue();
    runLabels([&](TVice_Etiket &s) {
        EXPECT_EQ(s.windowTitle(), "Nastavení tisku více etiket na VK najednou");
        EXPECT_EQ(child<QLabel>(s, "Label1")->text(), "Tisk více etiket na videokazety");
        auto *kind = child<QComboBox>(s, "Vyber_zpusob");
        auto *min = child<QComboBox>(s, "Min_VK");
        auto *max = child<QComboBox>(s, "Max_VK");
        auto *estimate = child<QLabel>(s, "Label8");
        const QStringList all{"00001", "00002", "00005", "00007", "00010", "00020"};
        const auto items = [](QComboBox *c) {
            QStringList out;
            for (int i = 0; i < c->count(); ++i)
                out << c->itemText(i);
            return out;
        };
        EXPECT_EQ(items(kind),
                  (QStringList{"Tisknout obě etikety (horní a dolní)",
                               "Tisknout pouze horní etikety", "Tisknout pouze spodní etikety"}));
        EXPECT_EQ(kind->currentIndex(), 0);
        EXPECT_EQ(items(min), all);
        EXPECT_EQ(min->currentText(), "00001");
        EXPECT_EQ(items(max), all);
        EXPECT_EQ(max->currentText(), "00020");
        EXPECT_EQ(s.focusWidget(), min);
        EXPECT_EQ(estimate->text(), "Potřebujete k vytištění: 2 x A4 !");
        EXPECT_TRUE(estimate->accessibleName().isEmpty()); // its text is spoken
        EXPECT_EQ(estimate->accessibleDescription(), "Potřebujete k vytištění");
        EXPECT_TRUE(child<QPlainTextEdit>(s, "Memo1")
                        ->toPlainText()
                        .endsWith("\n\nNení vhodné pro tištění jedné etikety (vytisknou se 2 "
                                  "papíry) !!"));
        EXPECT_TRUE(child<QPushButton>(s, "BitBtn1")->isEnabled());
        EXPECT_EQ(child<QPushButton>(s, "BitBtn1")->text(), "Tisknout podle nastavení");
        test::expectNamedLabelledAndSmall(s);

        // A first number: the last list starts there, at that number.
        min->setCurrentIndex(3);
        EXPECT_EQ(items(max), (QStringList{"00007", "00010", "00020"}));
        EXPECT_EQ(max->currentText(), "00007");
        EXPECT_EQ(s.chosen().count(), 1);
        EXPECT_EQ(estimate->text(), "Potřebujete k vytištění: 2 x A4 !");
        kind->setCurrentIndex(1);
        EXPECT_EQ(estimate->text(), "Potřebujete k vytištění: 1 x A4 !");

        // Cassettes 00002 to 00020 are five, not nineteen: the estimate
        // counts the cassettes the print labels.
        kind->setCurrentIndex(0);
        min->setCurrentIndex(1);
        max->setCurrentIndex(max->count() - 1);
        EXPECT_EQ(s.chosen().count(), 5);
        EXPECT_EQ(estimate->text(), "Potřebujete k vytištění: 2 x A4 !");
    });

    window->settings().printerAvailable = false;
    runLabels([&](TVice_Etiket &s) {
        EXPECT_FALSE(child<QPushButton>(s, "BitBtn1")->isEnabled());
        EXPECT_TRUE(child<QPushButton>(s, "Ulozit_PDF")->isEnabled());
    });
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(LabelScreens, SheetPrintLabelsEachChosenCassetteOnceAndCloses)
{
    gappedCatalogue();
    const QString file = env.file("sheets.pdf");
    if (!printInto(file))
        GTEST_SKIP() << "the run's printer is a real one";

    // The preview closed: nothing printed, the screen stays as it was.
    user.previews = {false};
    runLabels([&](TVice_Etiket &s) {
        child<QPushButton>(s, "BitBtn1")->click();
        EXPECT_TRUE(s.isVisible());
        EXPECT_TRUE(child<QPushButton>(s, "BitBtn1")->isEnabled());
    });
    EXPECT_EQ(user.previewsShown, 1);
    EXPECT_FALSE(QFile::exists(file));

    runLabels([&](TVice_Etiket &s) {
        child<QComboBox>(s, "Min_VK")->setCurrentIndex(1);      // 00002
        child<QComboBox>(s, "Max_VK")->setCurrentText("00010"); // 00002 .. 00010
        child<QPushButton>(s, "BitBtn1")->click();
        EXPECT_FALSE(s.isVisible());
        EXPECT_EQ(s.result(), QDialog::Accepted);
    });
    const PdfWords pdf = test::readPdfWords(file);
    EXPECT_EQ(pdf.title, "Video - Tisk nastavených etiket");
    ASSERT_EQ(pdf.pages, 2);
    EXPECT_EQ(sorted(pdf.textsOnPage(0)),
              sorted({"Druha", "Dalsi", "Sedma", "Horor", "0h", "00m", "Desata", "Drama", "0h",
                      "00m", "0h", "00m", "1h", "05m"}));
    EXPECT_EQ(sorted(pdf.textsOnPage(1)), sorted({"00002", "Druha", "LP", "Dalsi", "00005", "00007",
                                                  "Sedma", "00010", "Desata", "SP"}));
    // In number order down the sheet, 00005 with its number only; from the
    // paper's corner, whatever the run's printer takes as its margins.
    for (int i = 0; i < 4; ++i)
        expectWordAt(pdf, 1, QStringList{"00002", "00005", "00007", "00010"}[i], 33,
                     12 + 20 * i + 4, m_printer->resolution());
    EXPECT_TRUE(user.shown.isEmpty());
}

TEST_F(LabelScreens, SheetPdfWithoutPrinter)
{
    gappedCatalogue();
    window->settings().printerAvailable = false;
    user.saveFiles = {env.file("etikety")};
    runLabels([&](TVice_Etiket &s) {
        child<QComboBox>(s, "Vyber_zpusob")->setCurrentIndex(2);
        child<QPushButton>(s, "Ulozit_PDF")->click();
        EXPECT_TRUE(s.isVisible()); // saving is not printing; the screen stays
    });
    const PdfWords pdf = test::readPdfWords(env.file("etikety.pdf"));
    ASSERT_EQ(pdf.pages, 1);
    EXPECT_EQ(pdf.textsOnPage(0).filter(QRegularExpression("^\\d{5}$")),
              (QStringList{"00001", "00002", "00005", "00007", "00010", "00020"}));
    expectWordAt(pdf, 0, "00020", 33, 12 + 20 * 5 + 4, 600);
    EXPECT_EQ(user.previewsShown, 0);
    ASSERT_EQ(user.shown.size(), 1);
    EXPECT_EQ(user.shown[0].kind, MessageKind::Information);
    EXPECT_EQ(user.shown[0].text, "Etikety byly uloženy do souboru:\r\n" +
                                      QDir::toNativeSeparators(env.file("etikety.pdf")));
}

TEST_F(LabelScreens, SingleLabelFromTheBrowseScreen)
{
    gappedCatalogue();
    const QString file = env.file("single.pdf");
    if (!printInto(file))
        GTEST_SKIP() << "the run's printer is a real one";

    runSingle([&](TTisk_etiket &s) {
        EXPECT_EQ(s.windowTitle(), "Vybraný tisk etikety na VK");
        EXPECT_EQ(child<QLabel>(s, "Label1")->text(), "Nastaveno pro tisk kazety s číslem:");
        EXPECT_EQ(child<QLabel>(s, "Cislo")->text(), "00020");
        EXPECT_EQ(child<QLabel>(s, "Label2")->text(), "Norvane");
        auto *print = child<QPushButton>(s, "BitBtn1");
        EXPECT_EQ(print->text(), "Vytiskni etiketu");
        EXPECT_TRUE(print->isDefault());
        EXPECT_EQ(child<QPushButton>(s, "BitBtn2")->text(), "&Zavřít okno");
        test::expectNamedLabelledAndSmall(s);

        user.previews = {false};
        print->click();
        EXPECT_TRUE(s.isVisible());
        EXPECT_FALSE(QFile::exists(file));
        print->click();
        EXPECT_FALSE(s.isVisible());
        EXPECT_EQ(s.result(), QDialog::Accepted);
    });
    PdfWords pdf = test::readPdfWords(file);
    EXPECT_EQ(pdf.title, "Tisk etikety - VK číslo 00020");
    EXPECT_EQ(sorted(pdf.textsOnPage(0)), sorted({"00020", "Dvacata", "Dvacata", "0h", "00m"}));

    // No titles: the spine with the number only, no face label. The printer
    // went away after the browse screen opened: the PDF still can be had.
    appendWithDbf("[{'cislo': '00099'}]");
    user.saveFiles = {env.file("prazdna.pdf")};
    runSingle(
        [&](TTisk_etiket &s) {
            EXPECT_FALSE(child<QPushButton>(s, "BitBtn1")->isEnabled());
            child<QPushButton>(s, "Ulozit_PDF")->click();
            EXPECT_TRUE(s.isVisible());
        },
        true);
    pdf = test::readPdfWords(env.file("prazdna.pdf"));
    EXPECT_EQ(pdf.textsOnPage(0), QStringList{"00099"});
    expectWordAt(pdf, 0, "00099", 33, 34, 600);
    EXPECT_FALSE(user.shown.isEmpty());
    for (const auto &m : user.shown)
        EXPECT_TRUE(m.text.startsWith("Etikety byly uloženy do souboru:")) << m.text.toStdString();
}

namespace {

// scripts/cups-pdf.sh: a PDF queue on the machine's CUPS, and its undoing.
struct CupsQueue
{
    bool ready = false;
    QString reason, started, added, queue, out;

    CupsQueue()
    {
        int rc = -1;
        const QString said = test::runProgram(
            "timeout", {"60", "bash", VELMORA_SOURCE_DIR "/scripts/cups-pdf.sh", "up"}, &rc);
        if (rc != 0) {
            reason = said.trimmed();
            return;
        }
        for (const QString &line : said.split('\n')) {
            const QString key = line.section('=', 0, 0), value = line.section('=', 1);
            if (key == "started")
                started = value;
            else if (key == "added")
                added = value;
            else if (key == "queue")
                queue = value;
            else if (key == "out")
                out = value;
        }
        ready = !queue.isEmpty() && !out.isEmpty();
        if (!ready)
            reason = said;
    }
    ~CupsQueue()
    {
        if (!started.isEmpty())
            test::runProgram("timeout", {"30", "bash", VELMORA_SOURCE_DIR "/scripts/cups-pdf.sh",
                                         "down", started, added});
    }
    bool idle() const
    {
        return test::runProgram("timeout", {"5", "lpstat", "-o", queue}).trimmed().isEmpty();
    }
};

QStringList pdfFiles(const QString &dir)
{
    return QDir(dir).entryList({"*.pdf"}, QDir::Files, QDir::Name);
}

} // namespace

// A report and a label sheet printed through a real print queue: CUPS with
// its PDF printer. The queue and the scheduler are the machine's; what the
// test adds or starts it takes away, and the default printer stays as it was.
TEST(RealPrintQueue, ReportAndLabelSheetThroughCupsPdf)
{
    test::TestEnv env;
    const QString defaultBefore = test::runProgram("timeout", {"5", "lpstat", "-d"});
    {
        CupsQueue cups;
        if (!cups.ready)
            GTEST_SKIP() << "no print queue can be had here: " << cups.reason.toStdString();
        const QStringList before = pdfFiles(cups.out);
        QStringList made;
        const auto tidy = qScopeGuard([&] {
            for (const QString &f : made)
                QFile::remove(cups.out + "/" + f);
        });

        ReportPane pane;
        pane.beginBuild();
        for (int i = 1; i <= 3; ++i)
            pane.appendLine(QStringLiteral("     Radek %1 sestavy").arg(i));
        pane.endBuild();
        QPrinter reportPrinter(QPrinter::HighResolution);
        reportPrinter.setPrinterName(cups.queue);
        ASSERT_EQ(reportPrinter.outputFormat(), QPrinter::NativeFormat);
        ASSERT_TRUE(report::printDocument(*pane.document(), reportPrinter));

        std::vector<CassetteRecord> sheet;
        for (int i = 1; i <= 11; ++i)
            sheet.push_back(cassette(QStringLiteral("%1").arg(400 + i, 5, 10, QChar('0')),
                                     {QStringLiteral("Film%1").arg(i)}, {}, {"SP"}, {90}));
        QPrinter labelPrinter(QPrinter::HighResolution);
        labelPrinter.setPrinterName(cups.queue);
        labelPrinter.setPageSize(QPageSize(QPageSize::A4));
        ASSERT_TRUE(paintLabels(labelPrinter, sheetJob(sheet, Choice::Both)));

        // Both jobs through the queue and written out, within a minute.
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 60000) {
            made = pdfFiles(cups.out);
            for (const QString &f : before)
                made.removeAll(f);
            if (made.size() >= 2 && cups.idle())
                break;
            QThread::msleep(250);
        }
        ASSERT_EQ(made.size(), 2) << "files of the queue in " << cups.out.toStdString();

        PdfWords report, labels;
        for (const QString &f : made) {
            const PdfWords pdf = test::readPdfWords(cups.out + "/" + f);
            (pdf.find("sestavy") ? report : labels) = pdf;
        }
        EXPECT_EQ(report.pages, 1);
        EXPECT_EQ(report.words.size(), 9);
        ASSERT_EQ(labels.pages, 3); // two sheets of faces, one of spines
        EXPECT_TRUE(labels.find("Film11", 1));
        EXPECT_EQ(labels.textsOnPage(2).filter(QRegularExpression("^\\d{5}$")).size(), 11);
        // The places survive the queue, from the paper's corner although the
        // queue's printable area starts further in. The fonts come back
        // rewritten with another ascent, so a text's top stands up to a
        // millimetre off; its distance to another text of the same font
        // does not.
        const QPointF origin;
        const int dpi = labelPrinter.resolution();
        expectWordAt(labels, 0, "Film1", 27 + 6, 12 + 1.5, dpi, origin, 1);
        expectWordAt(labels, 0, "Film10", 27 + 78 + 6, 12 + 47 * 4 + 1.5, dpi, origin, 1);
        expectWordAt(labels, 2, "00401", 33, 16, dpi, origin, 1);
        expectWordAt(labels, 2, "00411", 33, 12 + 20 * 10 + 4, dpi, origin, 1);
        const auto below = [&](const char *lower, const char *upper, int page) {
            const test::PdfWord *a = labels.find(lower, page), *b = labels.find(upper, page);
            return a && b ? (a->yMin - b->yMin) * kMmPerPoint : -1;
        };
        EXPECT_NEAR(below("Film10", "Film1", 0), onDots(201.5, dpi) - onDots(13.5, dpi), 0.03);
        EXPECT_NEAR(below("00411", "00401", 2), onDots(216, dpi) - onDots(16, dpi), 0.03);
    }
    EXPECT_EQ(test::runProgram("timeout", {"5", "lpstat", "-d"}), defaultBefore);
}
