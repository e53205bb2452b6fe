// The common texts of the reports, the RTF document of document mode and
// the report pane in both filling modes.

#include "ReportCheck.h"
#include "TestEnv.h"
#include "engine/Codepage.h"
#include "printing/ReportPane.h"
#include "printing/Rtf.h"
#include "writer/ReportText.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace velmora;
using report::Mode;
using test::Look;
using test::looks;

namespace {

const QDateTime kMoment(QDate(2024, 3, 7), QTime(9, 5, 3));

// A small cassette list written the way a report screen writes it, in
// either mode, with the same visible lines.
void writeReport(ReportPane &pane, Mode mode, const QString &title)
{
    const QString row = report::format(
        QStringLiteral("     %-30s  %-20s  %-8s  %-4s "),
        {title, QStringLiteral("Komedie"), report::timeText(95), QStringLiteral("SP")});
    pane.beginBuild();
    if (mode == Mode::Line) {
        pane.setAttributes(report::kBlue, 16, true);
        pane.appendLine(QStringLiteral("     Seznam videokazet"));
        pane.appendLine();
        pane.setAttributes(report::kBlack, 10, false);
        pane.appendLine(QStringLiteral("     Číslo kazety: 00042"));
        pane.setColour(report::kRed);
        pane.appendLine(row);
        pane.appendLine(report::rule(mode, 5, 40));
        pane.setAttributes(report::kBlack, 8, false);
        pane.appendLine(report::dateLine(mode, 10, report::kDefaultRun, kMoment));
        pane.appendLine(report::makerLine(mode));
    } else {
        rtf::Document doc;
        doc.header(rtf::kColourTableA,
                   QStringLiteral("\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs32"));
        // The line ending ends the control word, so all five spaces count.
        doc.add(QStringLiteral("     Seznam videokazet\\par"));
        doc.add(QStringLiteral("\\par"));
        doc.add(QStringLiteral("\\cf1\\b0\\fs20      Číslo kazety: 00042\\par"));
        doc.add(QStringLiteral("\\cf3 ") + rtf::escape(row) + QStringLiteral("\\par"));
        doc.add(report::rule(mode, 5, 40));
        doc.add(QStringLiteral("\\cf1\\fs16"));
        doc.add(report::dateLine(mode, 10, 5, kMoment));
        doc.add(report::makerLine(mode, 5));
        doc.close();
        pane.setRtf(doc.bytes());
    }
    pane.endBuild();
}

} // namespace

TEST(ReportTexts, TimeTextHoursWithoutZerosMinutesAlwaysTwoDigits)
{
    EXPECT_EQ(report::timeText(0), "0h 00m");
    EXPECT_EQ(report::timeText(9), "0h 09m");
    EXPECT_EQ(report::timeText(45), "0h 45m");
    EXPECT_EQ(report::timeText(59), "0h 59m");
    EXPECT_EQ(report::timeText(60), "1h 00m");
    EXPECT_EQ(report::timeText(65), "1h 05m");
    EXPECT_EQ(report::timeText(600), "10h 00m");
    EXPECT_EQ(report::timeText(720), "12h 00m");
    EXPECT_EQ(report::timeText(-65), "-1h 05m");
}

TEST(ReportTexts, ModeFollowsTheStoredSystemCode)
{
    for (const char *code : {"1", "2", "3", "5"})
        EXPECT_EQ(report::modeFor(QString::fromLatin1(code)), Mode::Line) << code;
    EXPECT_EQ(report::modeFor("4"), Mode::Document);
    for (const char *code : {"", "0", "6", "9", "41", " 4", "a"})
        EXPECT_EQ(report::modeFor(QString::fromLatin1(code)), Mode::None) << code;
}

TEST(ReportTexts, PrintingTimeDateAndMakerLinesAndRules)
{
    EXPECT_EQ(report::printingTime(kMoment), "07.03.2024 09:05:03");
    EXPECT_EQ(report::printingTime().size(), 19);
    EXPECT_EQ(report::versionText(), "2002.A");

    EXPECT_EQ(report::dateLine(Mode::Line, 3, report::kDefaultRun, kMoment),
              "     Datum a čas tisku  : 07.03.2024 09:05:03   Verze programu: 2002.A");
    EXPECT_EQ(report::dateLine(Mode::Document, 12, report::kDefaultRun, kMoment),
              "      Datum a čas tisku  : 07.03.2024 09:05:03            Verze programu: "
              "2002.A\\par");
    EXPECT_EQ(report::dateLine(Mode::Line, 0, 1, kMoment),
              " Datum a čas tisku  : 07.03.2024 09:05:03Verze programu: 2002.A");

    EXPECT_EQ(report::makerLine(Mode::Line), "     Norvane 2002");
    EXPECT_EQ(report::makerLine(Mode::Document), "      Norvane 2002\\par");
    EXPECT_EQ(report::makerLine(Mode::Line, 0), "Norvane 2002");

    EXPECT_EQ(report::rule(Mode::Line, 2, 5), "  -----");
    EXPECT_EQ(report::rule(Mode::Document, 0, 3), "---\\par");
    EXPECT_EQ(report::rule(Mode::Line, 0, 0), "");
}

TEST(ReportTexts, ThirtyCharacterTitleFillsItsColumnAndLongerValuesPushOn)
{
    const QString templ = QStringLiteral("     %-30s  %-20s  %-8s  %-4s ");
    const QString title30 = QStringLiteral("Přelet nad kukaččím hnízdem 12");
    ASSERT_EQ(title30.size(), 30);
    const QString line =
        report::format(templ, {title30, QStringLiteral("Drama"), "2h 13m", QStringLiteral("LP")});
    EXPECT_EQ(line, "     Přelet nad kukaččím hnízdem 12  Drama                 2h 13m    LP   ");
    EXPECT_EQ(line.indexOf("Drama"), 5 + 30 + 2);

    // One character more: written whole, everything after moves by one.
    const QString longer = report::format(templ, {title30 + "!", "Drama", "2h 13m", "LP"});
    EXPECT_EQ(longer.indexOf("Drama"), 5 + 31 + 2);
    EXPECT_EQ(longer.size(), line.size() + 1);

    // Short and missing values are filled to their width.
    EXPECT_EQ(report::format(templ, {"A"}),
              "     A" + QString(29 + 2 + 20 + 2 + 8 + 2 + 4 + 1, ' '));
    EXPECT_EQ(report::format(u"%-3s|", {}), "   |");
    // Right-aligned and plain fields, percent signs that are no fields.
    EXPECT_EQ(report::format(u"  %-3s %-50s %10s %15s", {"1", "x", "12", "abc"}).right(26),
              "        12             abc");
    EXPECT_EQ(report::format(u"%3s.", {"7"}), "  7.");
    EXPECT_EQ(report::format(u"%s-%s", {"a", "b"}), "a-b");
    EXPECT_EQ(report::format(u"100%% %q %", {}), "100% %q %");
}

TEST(RtfDocument, HeaderFragmentsLineEndsAndClosingBrace)
{
    rtf::Document doc;
    const QString opening = QStringLiteral("\\viewkind4\\uc1\\pard\\cf3\\b\\lang1029\\f0\\fs24");
    doc.header(rtf::kColourTableB, opening);
    doc.add(QStringLiteral("Žluťoučký kůň\\par"));
    doc.addWithoutLineEnd(QStringLiteral("a"));
    doc.add(QStringLiteral("b"));
    doc.close();
    const QByteArray &b = doc.bytes();

    const QByteArray head =
        rtf::kFontTable + "\r\n" + rtf::kColourTableB + "\r\n" + opening.toLatin1() + "\r\n";
    EXPECT_TRUE(b.startsWith(head));
    EXPECT_TRUE(b.startsWith("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname "
                             "Courier New;}Courier New CE;}}\r\n"));
    EXPECT_EQ(b.back(), '}');
    EXPECT_TRUE(b.endsWith("ab\r\n}"));
    // Czech letters are single cp1250 bytes, not UTF-8.
    const QByteArray czech = Codepage::cp1250().encode(u"Žluťoučký kůň\\par") + "\r\n";
    EXPECT_EQ(czech.size(), 19);
    EXPECT_TRUE(b.contains(czech));
    EXPECT_FALSE(b.contains(QStringLiteral("Ž").toUtf8()));
    // A character that cp1250 lacks still arrives.
    rtf::Document euro;
    euro.add(QStringLiteral("€ ✓"));
    EXPECT_EQ(euro.bytes(), QByteArray("\x80 \\u10003?\r\n"));
}

TEST(RtfDocument, ColourTablesAsTheReportsUseThem)
{
    auto colourOf = [](const QByteArray &table, int entry) {
        ReportPane pane;
        rtf::Document doc;
        doc.header(table,
                   QStringLiteral("\\viewkind4\\uc1\\pard\\cf%1\\lang1029\\f0\\fs20").arg(entry));
        doc.add(QStringLiteral("x\\par"));
        doc.close();
        pane.setRtf(doc.bytes());
        return looks(pane).value(0).colour;
    };
    const QColor black(0, 0, 0), blue(0, 0, 255), red(255, 0, 0);
    // A: black, blue, red; "0255" is 255.
    EXPECT_EQ(colourOf(rtf::kColourTableA, 1), black);
    EXPECT_EQ(colourOf(rtf::kColourTableA, 2), blue);
    EXPECT_EQ(colourOf(rtf::kColourTableA, 3), red);
    // B: the empty third entry is the default colour, red is entry 4.
    EXPECT_EQ(colourOf(rtf::kColourTableB, 2), blue);
    EXPECT_EQ(colourOf(rtf::kColourTableB, 3), black);
    EXPECT_EQ(colourOf(rtf::kColourTableB, 4), red);
    // C: black and blue only; entries beyond and entry 0 are the default.
    EXPECT_EQ(colourOf(rtf::kColourTableC, 2), blue);
    EXPECT_EQ(colourOf(rtf::kColourTableC, 3), black);
    EXPECT_EQ(colourOf(rtf::kColourTableC, 0), black);
}

TEST(RtfDocument, TitleWithBracesAndBackslashesSurvives)
{
    const QString title = QStringLiteral("Tom {a} Jerry \\ 2}{");
    EXPECT_EQ(rtf::escape(title), "Tom \\{a\\} Jerry \\\\ 2\\}\\{");
    EXPECT_EQ(rtf::value("  {x}   "), "  \\{x\\}");
    EXPECT_EQ(rtf::value("    "), "");
    ReportPane pane;
    rtf::Document doc;
    doc.header(rtf::kColourTableA,
               QStringLiteral("\\viewkind4\\uc1\\pard\\cf1\\b\\lang1029\\f0\\fs24"));
    doc.add(QStringLiteral("Film: ") + rtf::escape(title) + QStringLiteral("\\par"));
    doc.add(QStringLiteral("\\b0\\fs16 Konec\\par"));
    doc.close();
    pane.setRtf(doc.bytes());
    EXPECT_EQ(pane.lines(), QStringList({"Film: " + title, "Konec"}));
    // The group structure is intact: the line after it has its own format.
    EXPECT_EQ(looks(pane).value(1), (Look{QColor(0, 0, 0), 8, false}));
    EXPECT_EQ(pane.rtf(), doc.bytes());
}

TEST(RtfReader, GroupsEscapesUnicodeAndSkippedDestinations)
{
    ReportPane pane;
    pane.setRtf("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Nothing Installed;}}"
                "{\\colortbl ;\\red0\\green0\\blue255;}"
                "{\\*\\generator Some Writer;}{\\info{\\title Hidden}}{\\*\\unknown hidden}"
                "\\pard\\fs20 A{\\b\\cf1 B}C\\par"
                "\\'e8\\'c8 \\u268?x\\~y\\tab z\\par"
                "\\par"
                "\\fs40\\par "
                "last}");
    EXPECT_EQ(pane.lines(),
              QStringList({"ABC", QString::fromUtf8("čČ Čx\u00a0y\tz"), "", "", "last"}));
    const QList<Look> l = looks(pane);
    EXPECT_EQ(l.value(3).points, 20); // an empty paragraph keeps its own size
    EXPECT_EQ(l.value(4).points, 20);
    // The bold blue run of the group ends with the group.
    QTextCursor c(pane.document()->begin());
    c.setPosition(2);
    EXPECT_TRUE(c.charFormat().fontWeight() >= QFont::Bold);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(0, 0, 255));
    c.setPosition(3);
    EXPECT_FALSE(c.charFormat().fontWeight() >= QFont::Bold);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(0, 0, 0));
    // A font that is not installed gives the pane's own fixed font.
    EXPECT_EQ(c.charFormat().fontFamilies().toStringList().value(0),
              ReportPane::baseFont().family());
}

TEST(RtfReader, DamagedDocumentsDoNotBreakThePane)
{
    ReportPane pane;
    for (const QByteArray &doc :
         {QByteArray("{\\rtf1 unclosed {\\b group"), QByteArray("}}} stray\\"),
          QByteArray("{\\rtf1\\'zz\\'4"), QByteArray("{\\rtf1\\fs99999999999999999 big}"),
          QByteArray("{\\rtf1\\bin5 ab}"), QByteArray(), QByteArray("\\u-10000?")}) {
        pane.setRtf(doc);
        EXPECT_LE(pane.lines().size(), 2) << doc.toStdString();
    }
    pane.setRtf("{\\rtf1 unclosed {\\b group");
    EXPECT_EQ(pane.lines(), QStringList({"unclosed group"}));
}

TEST(ReportPane, ReadOnlyFixedPitchWithoutWrap)
{
    ReportPane pane;
    EXPECT_EQ(pane.objectName(), "RichEdit1");
    EXPECT_TRUE(pane.isReadOnly());
    EXPECT_EQ(pane.lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_EQ(pane.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // Columns made of spaces line up: every letter of a report is as wide
    // as a space.
    const QFontMetricsF metrics(pane.font());
    for (const char *s : {"iiiii", "WWWWW", "ččččč", "ŘŘŘŘŘ", "-----", "ůůůůů", "00000"})
        EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(QString::fromUtf8(s)),
                         metrics.horizontalAdvance("     "))
            << s;
    EXPECT_EQ(pane.font().pointSize(), 8);
    EXPECT_FALSE(pane.accessibleName().isEmpty());
    EXPECT_TRUE(pane.lines().isEmpty());
    pane.appendLine();
    EXPECT_EQ(pane.lines(), QStringList({""}));

    // A line longer than the pane scrolls sideways instead of breaking.
    pane.resize(200, 100);
    pane.show();
    pane.clearReport();
    pane.appendLine(QString(300, 'x'));
    QApplication::processEvents();
    EXPECT_EQ(pane.document()->begin().layout()->lineCount(), 1);
    EXPECT_GT(pane.horizontalScrollBar()->maximum(), 0);
}

TEST(ReportPane, BothModesWriteTheSameVisibleLines)
{
    const QString title = QStringLiteral("Pelíšky {director's cut} \\ 1");
    ReportPane line, document;
    writeReport(line, Mode::Line, title);
    writeReport(document, Mode::Document, title);

    const QStringList lines = line.lines();
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(document.lines(), lines);
    EXPECT_EQ(lines[0], "     Seznam videokazet");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[3].mid(5, 30), title.leftJustified(30));
    EXPECT_EQ(lines[4], "     " + QString(40, '-'));
    EXPECT_EQ(lines[6], "     Norvane 2002");
    EXPECT_EQ(looks(document), looks(line));
    const QList<Look> l = looks(line);
    EXPECT_EQ(l[0], (Look{QColor(0, 0, 255), 16, true}));
    EXPECT_EQ(l[1], (Look{QColor(0, 0, 255), 16, true}));
    EXPECT_EQ(l[2], (Look{QColor(0, 0, 0), 10, false}));
    EXPECT_EQ(l[3], (Look{QColor(255, 0, 0), 10, false}));
    EXPECT_EQ(l[4], (Look{QColor(255, 0, 0), 10, false}));
    EXPECT_EQ(l[5], (Look{QColor(0, 0, 0), 8, false}));

    EXPECT_TRUE(line.rtf().isEmpty());
    EXPECT_TRUE(document.rtf().startsWith(rtf::kFontTable + "\r\n" + rtf::kColourTableA + "\r\n"));
    EXPECT_TRUE(document.rtf().endsWith("}"));
}

TEST(ReportPane, BuildIsNotRepaintedAndStartsEmpty)
{
    ReportPane pane;
    pane.show();
    pane.setAttributes(report::kRed, 14, true);
    pane.appendLine("old");
    pane.beginBuild();
    EXPECT_FALSE(pane.updatesEnabled());
    EXPECT_TRUE(pane.lines().isEmpty());
    EXPECT_EQ(pane.colour(), report::kBlack);
    EXPECT_EQ(pane.size(), 8);
    EXPECT_FALSE(pane.bold());
    for (int i = 0; i < 100; ++i)
        pane.appendLine(QString::number(i));
    pane.endBuild();
    EXPECT_TRUE(pane.updatesEnabled());
    EXPECT_EQ(pane.lines().size(), 100);
    EXPECT_EQ(pane.verticalScrollBar()->value(), 0); // the report shows from its top
    EXPECT_FALSE(pane.textCursor().hasSelection());  // and is not shown selected
    EXPECT_EQ(pane.textCursor().position(), 0);      // the arrow keys start at the top
    // Attributes stay in force until changed.
    EXPECT_EQ(looks(pane).back(), (Look{QColor(0, 0, 0), 8, false}));

    // A document assigned during a build replaces what the build wrote.
    pane.beginBuild();
    pane.appendLine("gone");
    pane.setRtf("{\\rtf1 one\\par two\\par}");
    pane.endBuild();
    EXPECT_EQ(pane.lines(), QStringList({"one", "two"}));
    EXPECT_FALSE(pane.textCursor().hasSelection());
    // Undo would keep a second copy of every report.
    EXPECT_FALSE(pane.document()->isUndoRedoEnabled());
}

TEST(ReportPane, LinesOfOneFormatShareBoundedBlocksAndKeepTheirLooks)
{
    // 150 red lines with empty ones among them, then a blue one and two
    // more red ones: every visible line with its looks, in both modes, and
    // no block holds more than its share of lines or two formats' lines.
    const auto text = [](int i) {
        return i % 10 == 9 ? QString() : QStringLiteral("řádek %1").arg(i);
    };
    const auto write = [&](ReportPane &pane, Mode mode) {
        pane.beginBuild();
        if (mode == Mode::Line) {
            pane.setColour(report::kRed);
            for (int i = 0; i < 150; ++i)
                pane.appendLine(text(i));
            pane.setColour(report::kBlue);
            pane.appendLine(QStringLiteral("modrý"));
            pane.setColour(report::kRed);
            pane.appendLine(QStringLiteral("a"));
            pane.appendLine();
        } else {
            rtf::Document doc;
            doc.header(rtf::kColourTableA, QStringLiteral("\\viewkind4\\uc1\\pard\\cf3\\f0\\fs16"));
            for (int i = 0; i < 150; ++i)
                doc.add(rtf::escape(text(i)) + QStringLiteral("\\par"));
            doc.add(QStringLiteral("\\cf2 modrý\\par"));
            doc.add(QStringLiteral("\\cf3 a\\par"));
            doc.add(QStringLiteral("\\par"));
            doc.close();
            pane.setRtf(doc.bytes());
        }
        pane.endBuild();
    };
    for (const Mode mode : {Mode::Line, Mode::Document}) {
        ReportPane pane;
        write(pane, mode);
        const QStringList lines = pane.lines();
        ASSERT_EQ(lines.size(), 153) << int(mode);
        EXPECT_EQ(lines[0], "řádek 0");
        EXPECT_EQ(lines[9], "");
        EXPECT_EQ(lines[149], "");
        EXPECT_EQ(lines[150], "modrý");
        EXPECT_EQ(lines[152], "");
        const QList<Look> l = looks(pane);
        ASSERT_EQ(l.size(), 153);
        for (int i = 0; i < 150; ++i)
            EXPECT_EQ(l[i].colour, QColor(255, 0, 0)) << i;
        EXPECT_EQ(l[150].colour, QColor(0, 0, 255));
        EXPECT_EQ(l[151].colour, QColor(255, 0, 0));
        EXPECT_EQ(l[152].colour, QColor(255, 0, 0));
        // At most one block per line, at least one per 64 lines, and the
        // blue line in a block of its own.
        EXPECT_GE(pane.document()->blockCount(), 153 / rtf::BlockWriter::kLinesPerBlock + 2);
        EXPECT_LT(pane.document()->blockCount(), 20);
        const QTextBlock blue = pane.document()->findBlock(
            pane.document()->toPlainText().indexOf(QStringLiteral("modrý")));
        EXPECT_EQ(blue.text(), "modrý");
        // What is copied out of the pane has one line per line.
        EXPECT_EQ(pane.document()->toPlainText().split('\n'), lines);
    }
}
