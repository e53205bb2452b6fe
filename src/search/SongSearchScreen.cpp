#include "search/SongSearchScreen.h"

#include "finding/SongSearchReports.h"
#include "platform/Dialogs.h"
#include "search/SongDetails.h"
#include "session/Session.h"

namespace velmora {
namespace {

// What THledej_Skladbu shows of the shared search screen: its texts and
// names, the CD style list and the three counters of a search.
SearchScreen::Description songSearch()
{
    SearchScreen::Description d;
    d.objectName = QStringLiteral("Hledej_Skladbu");
    d.caption = QStringLiteral("Vyhledávání skladby podle nastavených parametrů ...");
    d.totals = {{QStringLiteral("Počet skladeb v databázi:"), QStringLiteral("pocet")}};
    d.textLabel = QStringLiteral("Název, který se má hledat:");
    d.note = QStringLiteral("Pozn.: Při vložení *  se hledají všechny skladby (+ žánry)");
    d.styleList = 4;
    d.styleName = QStringLiteral("Styl");
    d.params = SearchScreen::Params::Style;
    d.found = {{QStringLiteral("Nalezeno skladeb: "), QStringLiteral("Filmu_je")},
               {QStringLiteral("Na kolika titulech:"), QStringLiteral("Na_kolika_CD")},
               {QStringLiteral("z toho mimo domov:"), QStringLiteral("CD_Mimo")}};
    d.notFound = kSongNotFound;
    d.staleFiles = {QStringLiteral("CD.tmp")};
    return d;
}

} // namespace

THledej_Skladbu::THledej_Skladbu(Session &session, QWidget *parent)
    : SearchScreen(session, songSearch(), parent),
      // Made once with the screen, shown as often as asked.
      m_detailsWindow(std::make_unique<TSeznam3>(*this, this))
{
}

THledej_Skladbu::~THledej_Skladbu() = default;

QList<int> THledej_Skladbu::build()
{
    m_rows = loadSongCatalogue(session().tables());
    m_criteria = SongCriteria();
    return {int(m_rows.size())};
}

QList<int> THledej_Skladbu::run(const QString &text, const QString &style, const QString &,
                                bool caseSensitive)
{
    m_criteria = {text, style, QStringLiteral("*")};
    m_found = runSongSearch(m_rows, m_criteria, caseSensitive);
    return {foundCount(), m_found.titles.items, m_found.lentTitles};
}

std::function<QString(int)> THledej_Skladbu::line() const
{
    return songLine(m_rows, m_found.rows);
}

void THledej_Skladbu::showDetails()
{
    dialogs::exec(*m_detailsWindow);
}

void THledej_Skladbu::FormClose()
{
    endSongSearch(session().tables());
    SearchScreen::FormClose();
}

} // namespace velmora
