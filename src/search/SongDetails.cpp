#include "search/SongDetails.h"

#include "finding/SongSearchReports.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPane.h"
#include "search/SongSearchScreen.h"
#include "session/Session.h"

#include <QPushButton>

namespace velmora {
namespace {

// What TSeznam3 shows of the shared details window.
FoundDetails::Texts songTexts()
{
    FoundDetails::Texts t;
    t.objectName = QStringLiteral("Seznam3");
    t.caption = QStringLiteral("Seznam nalezených skladeb a jejich specifikace");
    t.countLabel = QStringLiteral("Počet nalezených skladeb dle nastavených parametrů:");
    t.legend = QStringLiteral("červeně vyznačené CD nejsou doma !");
    t.root = QStringLiteral("Nalezené CD:");
    t.nodePrefix = QStringLiteral("Titul: ");
    t.treeName = QStringLiteral("Nalezené CD tituly");
    t.paneName = QStringLiteral("Seznam skladeb vybraného titulu");
    t.cutNote = QStringLiteral("(seznam zkrácen na prvních %1 titulů)");
    return t;
}

} // namespace

TSeznam3::TSeznam3(THledej_Skladbu &search, QWidget *parent)
    : FoundDetails(search.session(), songTexts(), parent), m_search(search)
{
}

QString TSeznam3::countText() const
{
    return QString::number(m_search.foundCount()) + QStringLiteral(" na ") +
           QString::number(m_search.found().titles.items) + QStringLiteral(" CD titulech.");
}

const FoundList &TSeznam3::found() const
{
    return m_search.found().titles;
}

std::vector<bool> TSeznam3::lentStates() const
{
    return lentTitles(m_search.rows(), m_search.found());
}

void TSeznam3::showRoot()
{
    showNote(writeNoTitleChosen);
    printButton()->setEnabled(false);
}

void TSeznam3::showItem(const QString &number, const QString &)
{
    SongCriteria c = m_search.criteria();
    c.number = number;
    m_search.setCriteria(c);
    const std::vector<int> tracks =
        tracksOfTitle(m_search.rows(), m_search.found(), c, m_search.caseSensitive());
    const QString printed = report::printingTime();
    report::write(*pane(), m_search.mode(),
                  [&](ReportWriter &w) { writeTitleTracks(w, m_search.rows(), tracks, printed); });
    printButton()->setEnabled(session().printerAvailable());
}

} // namespace velmora
