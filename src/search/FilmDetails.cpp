#include "search/FilmDetails.h"

#include "finding/FilmSearchReports.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPane.h"
#include "search/FilmSearchScreen.h"
#include "session/Session.h"

namespace velmora {

namespace {

// What TSeznam shows of the shared details window.
FoundDetails::Texts filmTexts()
{
    FoundDetails::Texts t;
    t.objectName = QStringLiteral("Seznam");
    t.caption = QStringLiteral("Seznam nalezených filmů a jejich specifikace");
    t.countLabel = QStringLiteral("Počet nalezených filmů, dle nastavených parametrů:");
    t.legend = QStringLiteral("červeně vyznačené VK nejsou doma !");
    t.root = QStringLiteral("Nalezené VK:");
    t.nodePrefix = QStringLiteral("VK: ");
    t.treeName = QStringLiteral("Nalezené videokazety");
    t.paneName = QStringLiteral("Seznam filmů vybrané videokazety");
    t.cutNote = QStringLiteral("(seznam zkrácen na prvních %1 kazet)");
    return t;
}

} // namespace

TSeznam::TSeznam(THledej_film &search, QWidget *parent)
    : FoundDetails(search.session(), filmTexts(), parent), m_search(search)
{
}

QString TSeznam::countText() const
{
    return QString::number(m_search.foundCount());
}

const FoundList &TSeznam::found() const
{
    return m_search.found().cassettes;
}

std::vector<bool> TSeznam::lentStates() const
{
    return cassettesLent(session().tables(), found().numbers);
}

void TSeznam::showRoot()
{
    showNote(writeNoCassetteChosen);
}

void TSeznam::showItem(const QString &number, const QString &nodeText)
{
    FilmCriteria c = m_search.criteria();
    c.number = number;
    m_search.setCriteria(c);
    const std::vector<const FilmRow *> films =
        filmsOfCassette(m_search.rows(), m_search.found(), c, m_search.caseSensitive());
    const QString printed = report::printingTime();
    report::write(*pane(), m_search.mode(),
                  [&](ReportWriter &w) { writeCassetteFilms(w, nodeText, films, printed); });
}

} // namespace velmora
