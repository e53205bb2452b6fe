#include "exchange/ExternalFilmDetails.h"

#include "exchange/ExternalFilmSearchScreen.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPane.h"
#include "transfer/ExternalSearchReports.h"

namespace velmora::exchange {
namespace {

// The texts of both external details windows, TSeznam_Externi and
// TSeznam_Externi_CD; their names and roots differ.
FoundDetails::Texts externalDetailsTexts(const QString &objectName, const QString &root)
{
    FoundDetails::Texts t;
    t.objectName = objectName;
    t.caption = QStringLiteral("Seznam nalezených filmů z externích databází a jejich specifikace");
    t.countLabel = QStringLiteral("Počet nalezených filmů, dle nastavených parametrů:");
    // Imported catalogues tell nothing of loans: no legend, no red nodes.
    t.root = root;
    t.keyLength = -1; // the node is the owner's whole name
    t.nodeColour = QColor(0, 0, 255);
    t.boldNodes = true;
    t.loanStates = false;
    t.treeName = QStringLiteral("Vlastníci nalezených položek");
    t.paneName = QStringLiteral("Seznam nalezených položek vybraného vlastníka");
    t.cutNote = QStringLiteral("(seznam zkrácen na prvních %1 vlastníků)");
    return t;
}

} // namespace

ExternalDetails::ExternalDetails(ExternalSearchScreen &search, const QString &objectName,
                                 const QString &root,
                                 const std::function<void(ReportWriter &)> &rootNote,
                                 QWidget *parent)
    : FoundDetails(search.session(), externalDetailsTexts(objectName, root), parent),
      m_search(search), m_rootNote(rootNote)
{
}

QString ExternalDetails::countText() const
{
    return QString::number(m_search.foundCount());
}

const FoundList &ExternalDetails::found() const
{
    return m_search.found().owners;
}

std::vector<bool> ExternalDetails::lentStates() const
{
    return std::vector<bool>(size_t(found().numbers.size()), false);
}

TSeznam_Externi::TSeznam_Externi(THledej_Ext_Data &search, QWidget *parent)
    : ExternalDetails(search, QStringLiteral("Seznam_Externi"),
                      QStringLiteral("Vlastník nalezených VK:"), writeNoFilmOwnerChosen, parent),
      m_search(search)
{
}

void TSeznam_Externi::showItem(const QString &owner, const QString &)
{
    ExternalFilmCriteria c = m_search.criteria();
    c.owner = owner;
    m_search.setCriteria(c);
    const std::vector<int> rows =
        filmsOfOwner(m_search.films(), m_search.found(), c, m_search.caseSensitive());
    const QString printed = report::printingTime();
    report::write(*pane(), m_search.mode(), [&](ReportWriter &w) {
        writeOwnerFilms(w, m_search.films(), rows, owner, printed);
    });
}

} // namespace velmora::exchange
