#include "finding/SongSearchReports.h"

#include "writer/ReportText.h"
#include "writer/ReportWriter.h"

namespace velmora {
namespace {

const QString kSongLine = QStringLiteral(" %-14s  %-7s  %4s  %-50s");
const QString kTrackLine = QStringLiteral(" %-3s - %3s. %-50s %-15s");
const QString kRule = QStringLiteral(
    " -----------------------------------------------------------------------------");

} // namespace

const QString kSongNotFound = QStringLiteral(" Nenalezen požadovaný text !!!");

std::function<QString(int)> songLine(const SongTable &table, const std::vector<int> &found)
{
    return [&table, &found](int k) {
        const int row = found[size_t(k)];
        const QString number = QStringLiteral("Číslo: ") + table.number(row);
        const QString disc = QStringLiteral("Disk: ") + table.label(row);
        const QString track = QString::number(table.trackNumber(row)) + QLatin1Char('.');
        return report::format(kSongLine, {QStringView(number), QStringView(disc),
                                          QStringView(track), table.name(row)});
    };
}

void writeTitleTracks(ReportWriter &w, const SongTable &table, const std::vector<int> &tracks,
                      const QString &printingTime)
{
    w.opening(kSearchColours, 1, 24, true);
    w.style(report::kBlack, 12, true);
    w.blank();
    w.either(QStringLiteral(" Seznam skladeb:"), QStringLiteral(" Seznam skladeb:\\par\\par"));
    w.blank();
    w.size(10);
    w.bold(false);
    w.fragment(QStringLiteral("\\b0\\cf1\\fs20"));
    for (const int row : tracks) {
        w.line(report::format(kTrackLine, {QStringView(table.label(row)),
                                           report::NumberText(table.trackNumber(row)),
                                           table.name(row), QStringView(table.style(row))}));
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
