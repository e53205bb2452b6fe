#include "exchange/ExternalFilmSearchScreen.h"

#include "exchange/ExternalFilmDetails.h"
#include "finding/FilmSearchReports.h"
#include "platform/Dialogs.h"
#include "transfer/ExternalSearchReports.h"

namespace velmora::exchange {
namespace {

// What THledej_Ext_Data shows of the shared search screen: the size of
// all imported cassette catalogues, the four speeds and the genre list.
SearchScreen::Description filmSearch()
{
    SearchScreen::Description d;
    d.objectName = QStringLiteral("Hledej_Ext_Data");
    d.caption = QStringLiteral("Vyhledávání filmů pouze v externích databázích ...");
    d.totals = {{QStringLiteral("Součet všech externích VK:"), QStringLiteral("pocet")},
                {QStringLiteral("Součet filmů v databázích:"), QStringLiteral("Pocet2")},
                {QStringLiteral("Počet majitelů ext. VK       :"), QStringLiteral("Poc_majitelu")}};
    d.totalsStacked = true;
    d.textLabel = QStringLiteral("Film, který se má hledat:");
    d.note = QStringLiteral("Pozn.: Při vložení *  se hledají všechny filmy (+parametry, žánr)");
    d.styleList = 1;
    d.styleName = QStringLiteral("Žánr");
    d.params = SearchScreen::Params::SpeedsAtTop;
    d.found = {{QStringLiteral("Nalezeno filmů  : "), QStringLiteral("Filmu_je")},
               {QStringLiteral("U ext. uživatelů:"), QStringLiteral("U_kolika")}};
    d.notFound = kFilmNotFound;
    d.paneStyle = externalFilmPane();
    d.caseClick = SearchScreen::CaseClick::Waits;
    d.staleFiles = {QStringLiteral("Video.tmp"), QStringLiteral("Video.tmx")};
    return d;
}

} // namespace

THledej_Ext_Data::THledej_Ext_Data(Session &session, QWidget *parent)
    : ExternalSearchScreen(session, filmSearch(), parent)
{
}

QList<int> THledej_Ext_Data::build()
{
    m_films = buildExternalFilms();
    m_criteria = ExternalFilmCriteria();
    return totals(m_films.totals);
}

QList<int> THledej_Ext_Data::run(const QString &text, const QString &genre, const QString &speed,
                                 bool caseSensitive)
{
    m_criteria = {text, genre, speed, QStringLiteral("*")};
    m_found = runExternalFilmSearch(m_films, m_criteria, caseSensitive);
    return counts();
}

std::function<QString(int)> THledej_Ext_Data::line() const
{
    return externalFilmLine(m_films, m_found.rows);
}

void THledej_Ext_Data::showDetails()
{
    TSeznam_Externi details(*this, this);
    dialogs::exec(details);
}

} // namespace velmora::exchange
