// The reports of the searches, written without their screens: both modes
// show the same lines except where the two ways of writing really differ.

#include "ReportCheck.h"
#include "engine/Codepage.h"
#include "finding/FilmSearchReports.h"
#include "finding/FreePositionReports.h"

#include <gtest/gtest.h>

using namespace velmora;
using report::Mode;
using test::Look;
using test::show;
using test::trimmedRight;

namespace {

FilmRow film(const QString &number, const QString &title, const QString &genre,
             const QString &speed)
{
    return {number, title, genre, speed, false};
}

const std::vector<FilmRow> kRows{film("00001", "Alfa {1}", "Drama", "SP"),
                                 film("00001", "Beta", "", "LP"),
                                 film("00002", "Čapí hnízdo\\", "Komedie", "EP")};

PositionRow position(const QString &number, int remaining, bool lent, const QString &who = {},
                     const QString &from = {})
{
    return {QStringLiteral("E 180"), number, 185 - remaining, remaining, lent, who, from};
}

} // namespace

TEST(FilmSearchReports, ResultsShowTheSameLinesInBothModes)
{
    std::vector<int> progress;
    const auto results = [&](ReportWriter &w) {
        writeFilmResults(w, kRows, {0, 2}, [&](int n) { progress.push_back(n); });
    };
    const test::Shown line = show(Mode::Line, results);
    EXPECT_EQ(progress, (std::vector<int>{1, 2}));
    const test::Shown doc = show(Mode::Document, results);
    const QStringList expected{"", " Report hledání:", "",
                               " Film: Alfa {1}                                  SP",
                               " Film: Čapí hnízdo\\                              EP"};
    EXPECT_EQ(line.lines, expected);
    EXPECT_EQ(trimmedRight(doc.lines), expected);
    EXPECT_EQ(line.looks[1], (Look{report::kRed, 8, true}));
    EXPECT_EQ(line.looks[3], (Look{report::kBlack, 8, false}));
    EXPECT_EQ(doc.looks[1].colour, report::kRed);
    EXPECT_EQ(doc.looks[3].colour, report::kBlack);

    const QByteArray bytes = Codepage::cp1250().encode(QStringLiteral(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238{\\*\\fname Courier New;}Courier "
        "New CE;}}\r\n{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\r\n"
        "\\viewkind4\\uc1\\pard\\cf2\\b\\lang1029\\f0\\fs20\\par\r\n"
        " Report hledání: \\par\r\n\\b0\\cf1\\fs20\\par\r\n"
        " Film: Alfa \\{1\\}                                  SP\\par\r\n"
        " Film: Čapí hnízdo\\\\                              EP\\par\r\n}"));
    EXPECT_EQ(doc.rtf, bytes);

    // Nothing found: the note, and no film line.
    const auto none = [](ReportWriter &w) { writeFilmResults(w, kRows, {}); };
    EXPECT_EQ(show(Mode::Line, none).lines.value(3), " Nenalezen požadovaný film !!!");
    EXPECT_TRUE(show(Mode::Document, none)
                    .rtf.endsWith(Codepage::cp1250().encode(
                        QStringLiteral(" Nenalezen požadovaný film !!! \\par\r\n}"))));
}

TEST(FilmSearchReports, CassetteDetailsNameTheListOrTheCassette)
{
    const std::vector<const FilmRow *> films{&kRows[0], &kRows[1]};
    const QString at = QStringLiteral("07.03.2024 09:05:03");
    const auto details = [&](ReportWriter &w) {
        writeCassetteFilms(w, QStringLiteral("VK: 00001"), films, at);
    };
    const test::Shown line = show(Mode::Line, details);
    const test::Shown doc = show(Mode::Document, details);
    const QString alfa = QStringLiteral(" Alfa {1}                        Drama            SP");
    const QString beta = QStringLiteral(" Beta                                             LP");
    const QStringList tail{"", " ---------------------------------------------------",
                           " Datum a čas tisku  : " + at, " Norvane 2002"};
    // Line mode names the list and leaves two empty lines; the document
    // names the cassette and one empty line.
    EXPECT_EQ(line.lines,
              QStringList({"", " Seznam  nalezených filmů:", "", "", alfa, beta}) + tail);
    EXPECT_EQ(doc.lines, QStringList({"", " Seznam filmů na: VK: 00001", "", alfa, beta}) + tail);
    EXPECT_EQ(line.looks[1], (Look{report::kBlack, 12, true}));
    EXPECT_EQ(line.looks[4], (Look{report::kBlack, 10, false}));
    EXPECT_EQ(doc.looks[1], (Look{report::kBlack, 12, true}));
    EXPECT_EQ(doc.looks[3], (Look{report::kBlack, 10, false}));
    EXPECT_TRUE(doc.rtf.endsWith(Codepage::cp1250().encode(
        QStringLiteral("\\b0\\cf1\\par\r\n ---------------------------------------------------"
                       "\\par\r\n Datum a čas tisku  : ") +
        at + QStringLiteral("\\par\r\n Norvane 2002\\par\r\n}"))));

    // The tree's root: the note alone, in red.
    const test::Shown root = show(Mode::Line, writeNoCassetteChosen);
    EXPECT_EQ(root.lines, QStringList{"   Nezvolili jste číslo videokazety. Zvolte číslo VK !"});
    EXPECT_EQ(root.looks[0], (Look{report::kRed, 8, true}));
}

TEST(FreePositionReports, ListShowsTheSameLinesInBothModesLentRowsInRed)
{
    const std::vector<PositionRow> rows{position("00001", 40, true, "Novák {a}", "02.03.2002"),
                                        position("00002", 9, false)};
    const auto list = [&](ReportWriter &w) { writePositionList(w, "0h 10min", rows); };
    const test::Shown line = show(Mode::Line, list);
    const test::Shown doc = show(Mode::Document, list);
    ASSERT_EQ(line.lines.size(), 12) << line.lines.join('|').toStdString();
    EXPECT_EQ(test::timeless(doc.lines),
              test::timeless(line.lines)); // written a second apart at most
    EXPECT_EQ(line.lines[1], " Hledaná časová rezerva v hod: 0h 10min");
    EXPECT_EQ(line.lines[6],
              " 00001     E 180        40         Ano     Novák {a}          02.03.2002");
    EXPECT_EQ(line.lines[7],
              " 00002     E 180         9          Ne     -                  -         ");
    EXPECT_TRUE(line.lines[10].startsWith(" Datum a čas tisku  : "));
    EXPECT_TRUE(line.lines[10].endsWith("           Verze programu: 2002.A"));
    EXPECT_EQ(line.lines[11], " Norvane 2002");
    for (const test::Shown *s : {&line, &doc}) {
        EXPECT_EQ(s->looks[4].colour, report::kBlue);
        EXPECT_EQ(s->looks[6].colour, report::kRed);
        EXPECT_EQ(s->looks[7].colour, report::kBlack);
        EXPECT_EQ(s->looks[10].colour, report::kBlack);
    }
    EXPECT_TRUE(doc.rtf.contains("\r\n\\cf2  00001     E 180        40         Ano     Nov\xe1k "
                                 "\\{a\\}"));
    EXPECT_TRUE(doc.rtf.endsWith(" Norvane 2002\\par\r\n}"));
}

TEST(FreePositionReports, WaitingNothingFoundAndTheFoundLines)
{
    // The two modes word the waiting text differently.
    EXPECT_EQ(show(Mode::Line, writeWaitingForRequest).lines,
              (QStringList{"", " Čekám na uživatelské nastavení ..."}));
    EXPECT_EQ(show(Mode::Document, writeWaitingForRequest).lines,
              (QStringList{"", " Čekám na Vaše požadavky ..."}));

    const QStringList none{"", " Zadaná minutáž není v uvedeném systému na žádné",
                           " videokazetě k nalezení.",
                           " Změňte systém nahrávky a zkuste to znovu ..."};
    const test::Shown line = show(Mode::Line, writeNoPosition);
    const test::Shown doc = show(Mode::Document, writeNoPosition);
    EXPECT_EQ(line.lines, none);
    EXPECT_EQ(doc.lines, none);
    EXPECT_EQ(line.looks[1], (Look{report::kRed, 10, false}));
    EXPECT_EQ(doc.looks[1], (Look{report::kRed, 10, false}));

    const test::Shown found = show(Mode::Line, [](ReportWriter &w) {
        writePositions(w, {position("00007", 185, false), position("00008", 0, true)});
    });
    EXPECT_EQ(found.lines, (QStringList{"  00007     E 180     0         185   (3h 05min)",
                                        "  00008     E 180     185       0     (0h 00min)"}));
}
