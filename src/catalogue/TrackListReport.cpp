#include "catalogue/TrackListReport.h"

#include "catalogue/CdRules.h"
#include "writer/ReportText.h"
#include "writer/ReportWriter.h"
#include "writer/RtfDocument.h"

namespace velmora {
namespace {

const QString kRow = QStringLiteral("  %-3s %-50s %10s %15s");
const QString kHeader =
    QStringLiteral("  Č.  Název skladby:                                         "
                   "Délka:           Styl:");
const QString kDashes = QStringLiteral(
    " ----------------------------------------------------------------------------------");
const QString kBody = QStringLiteral("\\cf1\\b0\\fs20");

} // namespace

void writeTrackList(ReportWriter &w, int disc, const std::vector<CdTrack> &tracks)
{
    w.opening(rtf::kColourTableA, 3, 24);
    w.style(report::kBlue, 16, true);
    w.styledLine(QStringLiteral("\\cf2\\b\\fs30"),
                 QStringLiteral(" Seznam zvukových stop z: CD ") + QString::number(disc));
    w.style(report::kRed, 10, true);
    w.blank(2);
    w.styledLine(QStringLiteral("\\cf3\\b\\fs20\\par\\par"), kHeader);
    w.style(report::kBlack, 10, false);
    w.styledLine(kBody, kDashes);
    QString number;
    for (const CdTrack &t : tracks) {
        number = QString::number(t.track) + QLatin1Char('.');
        w.styledLine(kBody,
                     report::format(kRow, {number, t.title, trackListLength(t.seconds), t.style}));
    }
    w.styledLine(kBody, QString());
    w.styledLine(kBody, kDashes);
    w.styledLine(kBody, QString());
    w.styledLine(kBody, QStringLiteral("  Norvane 2002"));
}

} // namespace velmora
