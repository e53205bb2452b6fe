// The details window of the film search: the found cassettes in the tree, what
// a screen reader hears of them, their films in both modes, printing, and
// what closing the search leaves behind.

#include "FilmSearchFixture.h"

using namespace velmora;
using namespace velmora::test;
using namespace velmora::test::films;

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
