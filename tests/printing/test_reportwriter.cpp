// The report writer: one report function gives both pane modes, each call
// doing its part in its own mode only.

#include "ReportCheck.h"
#include "engine/Codepage.h"
#include "writer/RtfDocument.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace velmora;
using report::Mode;
using test::Look;

namespace {

// A small cassette list using every kind of call once.
void sample(ReportWriter &w, const QString &title)
{
    w.header(rtf::kColourTableA,
             QStringLiteral("\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs32"));
    w.style(report::kBlue, 16, true);
    w.line(QStringLiteral("     Seznam videokazet"));
    w.line();
    w.style(report::kBlack, 10, false);
    w.styledLine(QStringLiteral("\\cf1\\b0\\fs20 "), QStringLiteral("     Kazeta: 00042"));
    w.colour(report::kRed);
    w.styledLine(QStringLiteral("\\cf3 "), title);
    w.either(QStringLiteral("     jen v řádcích"), QStringLiteral("     jen v dokumentu\\par"));
    w.blank();
    w.rule(5, 10);
    w.colour(report::kBlack);
    w.size(8);
    w.fragment(QStringLiteral("\\cf1\\fs16"));
    w.dateLine(3, 4);
    w.makerLine();
}

} // namespace

TEST(ReportWriter, OneReportGivesBothModesEachCallInItsOwn)
{
    const QString title = QStringLiteral("Pelíšky {director's cut} \\ 1");
    const auto report = [&](ReportWriter &w) { sample(w, title); };
    const test::Shown line = test::show(Mode::Line, report);
    const test::Shown doc = test::show(Mode::Document, report);

    ASSERT_EQ(line.lines.size(), 9) << line.lines.join('|').toStdString();
    EXPECT_EQ(line.lines.mid(0, 6), (QStringList{"     Seznam videokazet", "", "     Kazeta: 00042",
                                                 title, "     jen v řádcích", ""}));
    EXPECT_EQ(line.lines[6], "     ----------");
    EXPECT_TRUE(line.lines[7].startsWith("     Datum a čas tisku  : "));
    EXPECT_TRUE(line.lines[7].endsWith("   Verze programu: 2002.A"));
    EXPECT_EQ(line.lines[8], "     Norvane 2002");
    EXPECT_TRUE(line.rtf.isEmpty());
    EXPECT_EQ(line.looks[0], (Look{report::kBlue, 16, true}));
    EXPECT_EQ(line.looks[2], (Look{report::kBlack, 10, false}));
    EXPECT_EQ(line.looks[3], (Look{report::kRed, 10, false}));
    EXPECT_EQ(line.looks[8], (Look{report::kBlack, 8, false}));

    // The document: no line-mode blank, its own text, six leading blanks
    // and its own second run in the date line, the value escaped.
    ASSERT_EQ(doc.lines.size(), 8) << doc.lines.join('|').toStdString();
    EXPECT_EQ(doc.lines.mid(0, 5), (QStringList{"     Seznam videokazet", "", "     Kazeta: 00042",
                                                title, "     jen v dokumentu"}));
    EXPECT_EQ(doc.lines[5], "     ----------");
    EXPECT_TRUE(doc.lines[6].startsWith("      Datum a čas tisku  : "));
    EXPECT_TRUE(doc.lines[6].endsWith("    Verze programu: 2002.A"));
    EXPECT_EQ(doc.lines[7], "      Norvane 2002");
    EXPECT_EQ(doc.looks[0], (Look{report::kBlue, 16, true}));
    EXPECT_EQ(doc.looks[3], (Look{report::kRed, 10, false}));
    const QByteArray expected = Codepage::cp1250().encode(
        QStringLiteral("     Kazeta: 00042\\par\r\n"
                       "\\cf3 Pelíšky \\{director's cut\\} \\\\ 1\\par\r\n"
                       "     jen v dokumentu\\par\r\n"
                       "     ----------\\par\r\n"
                       "\\cf1\\fs16\r\n      Datum a čas tisku  : "));
    EXPECT_TRUE(doc.rtf.contains(expected)) << doc.rtf.toStdString();
    EXPECT_TRUE(doc.rtf.startsWith(rtf::kFontTable + "\r\n" + rtf::kColourTableA + "\r\n"));
    EXPECT_TRUE(doc.rtf.endsWith("      Norvane 2002\\par\r\n}"));
}

TEST(ReportWriter, UnknownSystemWritesNothingAndAsksTheReportForNothing)
{
    ReportPane pane;
    pane.appendLine(QStringLiteral("an earlier report"));
    bool asked = false;
    report::write(pane, Mode::None, [&](ReportWriter &) { asked = true; });
    EXPECT_FALSE(asked);
    EXPECT_TRUE(pane.lines().isEmpty());
    EXPECT_TRUE(pane.updatesEnabled());
}

TEST(ReportWriter, AFailingReportLeavesThePaneUsable)
{
    for (const Mode mode : {Mode::Line, Mode::Document}) {
        ReportPane pane;
        pane.show();
        EXPECT_THROW(report::write(pane, mode,
                                   [](ReportWriter &w) {
                                       w.line(QStringLiteral("half"));
                                       throw std::runtime_error("table gone");
                                   }),
                     std::runtime_error);
        // Not locked against repainting, and the next report is written whole.
        EXPECT_FALSE(pane.building());
        EXPECT_TRUE(pane.updatesEnabled());
        report::write(pane, mode, [](ReportWriter &w) { w.line(QStringLiteral("next")); });
        EXPECT_EQ(pane.lines(), QStringList{"next"});
    }
}
