#include "exchange/ExternalFilmSearchScreen.h"

#include "exchange/ExternalFilmDetails.h"
#include "finding/FilmSearchReports.h"
#include "platform/Dialogs.h"
#include "session/Session.h"
#include "storage/Records.h"
#include "transfer/ExternalSearchReports.h"

namespace velmora::exchange {
namespace {

ExternalSearchScreen::Texts filmTexts()
{
    ExternalSearchScreen::Texts t;
    t.objectName = QStringLiteral("Hledej_Ext_Data");
    t.caption = QStringLiteral("Vyhledávání filmů pouze v externích databázích ...");
    t.itemsLabel = QStringLiteral("Součet všech externích VK:");
    t.rowsLabel = QStringLiteral("Součet filmů v databázích:");
    t.ownersLabel = QStringLiteral("Počet majitelů ext. VK       :");
    t.textLabel = QStringLiteral("Film, který se má hledat:");
    t.note = QStringLiteral("Pozn.: Při vložení *  se hledají všechny filmy (+parametry, žánr)");
    t.styleName = QStringLiteral("Žánr");
    t.foundLabel = QStringLiteral("Nalezeno filmů  : ");
    t.foundName = QStringLiteral("Filmu_je");
    t.whereLabel = QStringLiteral("U ext. uživatelů:");
    t.whereName = QStringLiteral("U_kolika");
    t.notFound = kFilmNotFound;
    t.staleFiles = {QStringLiteral("Video.tmp"), QStringLiteral("Video.tmx")};
    t.speeds = true;
    t.caseClears = false;
    return t;
}

} // namespace

THledej_Ext_Data::THledej_Ext_Data(Session &session, QWidget *parent)
    : ExternalSearchScreen(session, filmTexts(), parent)
{
}

QStringList THledej_Ext_Data::styles()
{
    return readUserList(session().tables().Users_01);
}

const ExternalTotals &THledej_Ext_Data::build()
{
    m_films = buildExternalFilms();
    m_criteria = ExternalFilmCriteria();
    return m_films.totals;
}

ExternalSearchResult THledej_Ext_Data::run(const QString &text, const QString &style,
                                           const QString &speed, bool caseSensitive)
{
    m_criteria = {text, style, speed, QStringLiteral("*")};
    return runExternalFilmSearch(m_films, m_criteria, caseSensitive);
}

std::function<QString(int)> THledej_Ext_Data::lineAt(const std::vector<int> &found) const
{
    return externalFilmLine(m_films, found);
}

SearchPaneStyle THledej_Ext_Data::paneStyle() const
{
    return externalFilmPane();
}

void THledej_Ext_Data::execDetails()
{
    TSeznam_Externi details(*this, this);
    dialogs::exec(details);
}

} // namespace velmora::exchange
