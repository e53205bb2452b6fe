#include "finding/FilmSearchReports.h"

#include "finding/FoundList.h"
#include "writer/ReportText.h"
#include "writer/ReportWriter.h"
#include "writer/RtfDocument.h"

namespace velmora {
namespace {

const QString kFilmLine = QStringLiteral(" Film: %-40s  %-2s");
const QString kDetailLine = QStringLiteral(" %-30s  %-15s  %-2s");
const QString kRule = QStringLiteral(" ---------------------------------------------------");

} // namespace

const QString kFilmNotFound = QStringLiteral(" Nenalezen požadovaný film !!!");

void writeFilmResults(ReportWriter &w, const std::vector<FilmRow> &rows,
                      const std::vector<int> &found, const std::function<void(int)> &progress)
{
    writeSearchResults(w, kFilmNotFound, int(found.size()), filmLine(rows, found), progress);
}

std::function<QString(int)> filmLine(const std::vector<FilmRow> &rows,
                                     const std::vector<int> &found)
{
    return [&rows, &found](int k) {
        const FilmRow &r = rows[size_t(found[size_t(k)])];
        return report::format(kFilmLine, {r.film, r.rychl});
    };
}

void writeCassetteFilms(ReportWriter &w, const QString &nodeText,
                        const std::vector<const FilmRow *> &films, const QString &printingTime)
{
    w.opening(kSearchColours, 1, 24, true);
    w.style(report::kBlack, 12, true);
    w.blank();
    // Line mode names the list and leaves two empty lines; the document
    // names the cassette and has its empty lines in the same fragment.
    w.either(QStringLiteral(" Seznam  nalezených filmů:"), QStringLiteral(" Seznam filmů na: ") +
                                                               rtf::escape(nodeText) +
                                                               QStringLiteral("\\par\\par"));
    w.blank(2);
    w.size(10);
    w.bold(false);
    w.fragment(QStringLiteral("\\b0\\cf1\\fs20"));
    for (const FilmRow *r : films)
        w.line(report::format(kDetailLine, {r->film, r->zanr, r->rychl}));
    w.styledLine(QStringLiteral("\\b0\\cf1"), QString());
    w.line(kRule);
    w.line(QStringLiteral(" Datum a čas tisku  : ") + printingTime);
    w.line(QStringLiteral(" Norvane 2002"));
}

void writeNoCassetteChosen(ReportWriter &w)
{
    w.colour(report::kRed);
    w.bold(true);
    w.line(QStringLiteral("   Nezvolili jste číslo videokazety. Zvolte číslo VK !"));
}

} // namespace velmora
