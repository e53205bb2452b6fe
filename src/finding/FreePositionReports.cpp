#include "finding/FreePositionReports.h"

#include "writer/ReportText.h"
#include "writer/ReportWriter.h"
#include "writer/RtfDocument.h"

#include <QStringList>

namespace velmora {
namespace {

const QString kResultLine = QStringLiteral("  %-5s     %-5s     %-5s     %-5s %-10s");
const QString kListRow = QStringLiteral(" %-5s     %-8s    %3s         %3s     %-15s    %-10s");
const QString kListHead =
    QStringLiteral(" VK:       Typ:      Zbývá:    Půjčono?    Komu?              Od kdy?");
const QString kListTitle = QStringLiteral(" Hledaná časová rezerva v hod: ");
constexpr int kListRule = 73;
constexpr int kListDateRun = 11;
const QByteArray kWaitingColours =
    QByteArrayLiteral("{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}");
const QStringList kEmptyTexts{QStringLiteral(" Zadaná minutáž není v uvedeném systému na žádné"),
                              QStringLiteral(" videokazetě k nalezení."),
                              QStringLiteral(" Změňte systém nahrávky a zkuste to znovu ...")};

} // namespace

void writeWaitingForRequest(ReportWriter &w)
{
    w.header(kWaitingColours,
             QStringLiteral("\\viewkind4\\uc1\\pard\\cf1\\lang1029\\f0\\fs20\\par"));
    w.style(report::kBlack, 10, false);
    w.blank();
    // The two modes word it differently; the document's text ends no paragraph.
    w.either(QStringLiteral(" Čekám na uživatelské nastavení ..."),
             QStringLiteral(" Čekám na Vaše požadavky ..."));
}

void writeNoPosition(ReportWriter &w)
{
    w.opening(rtf::kColourTableA, 3, 24);
    // Line mode as the document shows it: red, 10 points, regular.
    w.style(report::kRed, 10, false);
    w.styledLine(QStringLiteral("\\cf3\\b0\\fs20"), QString());
    for (const QString &t : kEmptyTexts)
        w.line(t);
}

void writePositions(ReportWriter &w, const std::vector<PositionRow> &rows)
{
    QString hours;
    for (const PositionRow &r : rows) {
        hours.clear();
        hours += QLatin1Char('(');
        hours += positionHours(r.remaining);
        hours += QLatin1Char(')');
        w.line(report::format(kResultLine, {r.number, r.type, report::NumberText(r.occupied),
                                            report::NumberText(r.remaining), hours}));
    }
}

void writePositionList(ReportWriter &w, const QString &hoursText,
                       const std::vector<PositionRow> &rows)
{
    // The document has a font table of its own, with Times New Roman.
    w.fragment(QStringLiteral(
        "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029{\\fonttbl{\\f0\\fmodern Courier "
        "New;}{\\f1\\fnil\\fcharset238{\\*\\fname Times New Roman;}Times New Roman CE;}}"));
    w.fragment(
        QStringLiteral("{\\colortbl ;\\red0\\green0\\blue0255;\\red0255\\green0\\blue0;}\\par"));
    w.style(report::kBlack, 16, false);
    w.blank();
    w.bold(true);
    w.styledLine(QStringLiteral("\\viewkind4\\uc1\\pard\\cf0\\b\\f0\\fs30 "),
                 kListTitle + hoursText);
    w.size(10);
    w.fragment(QStringLiteral("\\fs20"));
    w.rule(1, kListRule);
    w.line();
    w.colour(report::kBlue);
    w.styledLine(QStringLiteral("\\cf1 "), kListHead);
    w.line();

    const QString none = QStringLiteral("-");
    for (const PositionRow &r : rows) {
        const QString who = r.borrower.trimmed();
        const QString since = r.from.trimmed();
        const QString row =
            report::format(kListRow, {r.number, r.type, report::NumberText(r.remaining),
                                      r.lent ? QStringLiteral("Ano") : QStringLiteral("Ne"),
                                      who.isEmpty() ? none : who, since.isEmpty() ? none : since});
        w.colour(r.lent ? report::kRed : report::kBlack);
        w.styledLine(r.lent ? QStringLiteral("\\cf2 ") : QStringLiteral("\\cf0 "), row);
    }

    // The footer in black whatever colour the last row had.
    w.colour(report::kBlack);
    w.styledLine(QStringLiteral("\\cf0"), QString());
    w.rule(1, kListRule);
    w.closing(kListDateRun, kListDateRun, 1);
}

} // namespace velmora
