#include "search/SongSearchReports.h"

#include "printing/ReportText.h"
#include "printing/ReportWriter.h"

namespace velmora {
namespace {

const QString kSongLine = QStringLiteral(" %-14s  %-7s  %4s  %-50s");
const QString kTrackLine = QStringLiteral(" %-3s - %3s. %-50s %-15s");
const QString kRule = QStringLiteral(
    " -----------------------------------------------------------------------------");

} // namespace

const QString kSongNotFound = QStringLiteral(" Nenalezen požadovaný text !!!");

std::function<QString(int)> songLine(const std::vector<SongRow> &rows,
                                     const std::vector<int> &found)
{
    return [&rows, &found](int k) {
        const CdTrack &t = rows[size_t(found[size_t(k)])].track;
        const QString number = QStringLiteral("Číslo: ") + t.number;
        const QString disc = QStringLiteral("Disk: ") + t.label;
        const QString track = QString::number(t.track) + QLatin1Char('.');
        return report::format(kSongLine, {QStringView(number), QStringView(disc),
                                          QStringView(track), QStringView(t.title)});
    };
}

void writeTitleTracks(ReportWriter &w, const std::vector<const SongRow *> &tracks,
                      const QString &printingTime)
{
    w.header(kSearchColours,
             QStringLiteral("\\viewkind4\\uc1\\pard\\cf1\\b\\lang1029\\f0\\fs24\\par"));
    w.style(report::kBlack, 12, true);
    w.blank();
    w.either(QStringLiteral(" Seznam skladeb:"), QStringLiteral(" Seznam skladeb:\\par\\par"));
    w.blank();
    w.size(10);
    w.bold(false);
    w.fragment(QStringLiteral("\\b0\\cf1\\fs20"));
    for (const SongRow *r : tracks) {
        const CdTrack &t = r->track;
        w.line(report::format(kTrackLine, {QStringView(t.label), report::NumberText(t.track),
                                           QStringView(t.title), QStringView(t.style)}));
        w.fragment(QStringLiteral("\\b0\\cf1"));
    }
    w.line();
    w.line(kRule);
    w.line(QStringLiteral(" Datum a čas tisku  : ") + printingTime);
    w.line(QStringLiteral(" Norvane 2002"));
}

void writeNoTitleChosen(ReportWriter &w)
{
    w.style(report::kRed, 12, true);
    w.line(QStringLiteral("   Nezvolili jste číslo titulu CD. Zvolte číslo CD !"));
}

} // namespace velmora
