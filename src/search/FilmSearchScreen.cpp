#include "search/FilmSearchScreen.h"

#include "finding/FilmSearchReports.h"
#include "platform/Dialogs.h"
#include "search/FilmDetails.h"
#include "session/Session.h"

namespace velmora {
namespace {

// What THledej_film shows of the shared search screen: its texts and
// names, the four speeds and the genre list of the cassettes.
SearchScreen::Description filmSearch()
{
    SearchScreen::Description d;
    d.objectName = QStringLiteral("Hledej_film");
    d.caption = QStringLiteral("Vyhledávání filmů podle nastavených parametrů ...");
    d.totals = {{QStringLiteral("Počet videokazet v databázi:"), QStringLiteral("pocet")},
                {QStringLiteral("Počet filmů v databázi:"), QStringLiteral("Pocet2")}};
    d.textLabel = QStringLiteral("Film, který se má hledat:");
    d.note = QStringLiteral("Pozn.: Při vložení *  se hledají všechny filmy (+parametry, žánr)");
    d.styleList = 1;
    d.styleName = QStringLiteral("Žánr");
    d.params = SearchScreen::Params::Speeds;
    d.found = {{QStringLiteral("Nalezeno filmů: "), QStringLiteral("Filmu_je")}};
    d.notFound = kFilmNotFound;
    d.staleFiles = {QStringLiteral("Video.tmp"), QStringLiteral("Video.tmx")};
    return d;
}

} // namespace

THledej_film::THledej_film(Session &session, QWidget *parent)
    : SearchScreen(session, filmSearch(), parent)
{
}

QList<int> THledej_film::build()
{
    FilmCatalogue c = loadFilmCatalogue(session().tables());
    m_rows = std::move(c.rows);
    m_criteria = FilmCriteria();
    return {c.cassettes, int(m_rows.size())};
}

QList<int> THledej_film::run(const QString &text, const QString &genre, const QString &speed,
                             bool caseSensitive)
{
    m_criteria = {text, genre, speed, QStringLiteral("*")};
    m_found = runFilmSearch(m_rows, m_criteria, caseSensitive);
    return {foundCount()};
}

std::function<QString(int)> THledej_film::line() const
{
    return filmLine(m_rows, m_found.rows);
}

void THledej_film::showDetails()
{
    TSeznam details(*this, this);
    dialogs::exec(details);
}

void THledej_film::FormClose()
{
    endFilmSearch(session().tables());
    SearchScreen::FormClose();
}

} // namespace velmora
