#include "transfer/ExternalReports.h"

#include "engine/Collation.h"
#include "engine/Table.h"
#include "writer/ReportText.h"
#include "writer/ReportWriter.h"
#include "writer/RtfDocument.h"

#include <algorithm>

namespace velmora::exchange {
namespace {

const QString kOwnerLead = QStringLiteral("Uživatel externích dat: ");

} // namespace

QStringList owners(Catalogue catalogue)
{
    QStringList out;
    for (const RegisterEntry &e : readRegister(catalogue))
        out << e.user;
    std::stable_sort(out.begin(), out.end(),
                     [](const QString &a, const QString &b) { return czechCompare(a, b) < 0; });
    return out;
}

void writeExternalCassettes(ReportWriter &w, const Table &cassettes, const QString &owner,
                            InfoChoice choice, const CassetteVisited &visited)
{
    w.opening(rtf::kColourTableB, 2, 32);
    w.style(report::kBlue, 16, true);
    w.line(QStringLiteral("   S E Z N A M    V I D E O K A Z E T   (EXTERNÍ)"));
    writeBlackBreak(w, 1, QStringLiteral("\\cf1\\fs22\\par"));
    // The document sets the owner one space less in.
    w.either(QStringLiteral("     ") + kOwnerLead + owner,
             QStringLiteral("    ") + kOwnerLead + rtf::escape(owner) + QStringLiteral("\\par"));
    w.blank(2);
    w.fragment(QStringLiteral("\\b\\cf3\\fs20\\par\\par"));
    w.colour(report::kRed);
    // The pane heads the first column with the films, the document with the
    // cassettes.
    w.either(
        QStringLiteral("     Film:                           Žánr filmu:           Sys.:     Čas:"),
        QStringLiteral(
            "     Kazeta:                         Žánr filmu:           Sys.:     Čas:\\par"));
    w.fragment(QStringLiteral("\\cf1"));
    w.rule(5, 71);
    w.blank();

    writeInfoCassettes(w, cassettes, choice, {QString(), QStringLiteral("\\b0\\cf1\\fs20")},
                       visited);

    writeBlackBreak(w, 2, QStringLiteral("\\cf1\\fs18\\b0\\par\\par\\par"));
    w.closing(9, 19);
}

void writeExternalCds(ReportWriter &w, Table &titles, const TitleTracks &tracks,
                      const QString &owner, const CdListOptions &options,
                      const TracksCounted &tracksCounted)
{
    w.opening(rtf::kColourTableB, 2, 32);
    w.style(report::kBlue, 16, true);
    w.line(QStringLiteral("  S E Z N A M    C D    T I T U L Ů   (EXTERNÍ)"));
    writeBlackBreak(w, 1, QStringLiteral("\\cf1\\fs22\\par"));
    w.line(QStringLiteral("   ") + kOwnerLead + owner);
    w.blank(2);
    w.fragment(QStringLiteral("\\b\\cf3\\fs20\\par\\par"));

    writeCdEntries(w, CdListKind::External, titles, titles.visibleRecords(), tracks, options, {},
                   tracksCounted);

    w.bold(false);
    w.size(8);
    w.fragment(QStringLiteral("\\b0\\cf1\\fs18"));
    w.closing(27, 27, 3);
}

} // namespace velmora::exchange
