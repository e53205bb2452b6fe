#include "exchange/ExternalSongSearchScreen.h"

#include "exchange/ExternalSongDetails.h"
#include "finding/SongSearchReports.h"
#include "platform/Dialogs.h"
#include "transfer/ExternalSearchReports.h"

namespace velmora::exchange {
namespace {

// What THledej_Ext_Data_CD shows of the shared search screen: the size of
// all imported CD catalogues and the CD style list.
SearchScreen::Description songSearch()
{
    SearchScreen::Description d;
    d.objectName = QStringLiteral("Hledej_Ext_Data_CD");
    d.caption =
        QStringLiteral("Vyhledávání skladeb v externích datech podle nastavených parametrů ...");
    d.totals = {
        {QStringLiteral("Součet všech externích CD Titulů:"), QStringLiteral("pocet")},
        {QStringLiteral("Součet skladeb v databázích:"), QStringLiteral("Pocet2")},
        {QStringLiteral("Počet majitelů ext. CD titulů   :"), QStringLiteral("Poc_majitelu")}};
    d.totalsStacked = true;
    d.textLabel = QStringLiteral("Název, který se má hledat:");
    d.note = QStringLiteral("Pozn.: Při vložení *  se hledají všechny skladby (+ žánry)");
    d.styleList = 4;
    d.styleName = QStringLiteral("Styl");
    d.params = SearchScreen::Params::Style;
    d.found = {
        {QStringLiteral("Nalezeno skladeb: "), QStringLiteral("Skladeb_je")},
        {QStringLiteral("V kolika externích zdrojích:"), QStringLiteral("V_kolika_zdrojich")}};
    d.notFound = kSongNotFound;
    d.paneStyle = externalSongPane();
    d.caseClick = SearchScreen::CaseClick::ClearsShown;
    d.staleFiles = {QStringLiteral("Cd.tmp"), QStringLiteral("Cd.tmx")};
    return d;
}

} // namespace

THledej_Ext_Data_CD::THledej_Ext_Data_CD(Session &session, QWidget *parent)
    : ExternalSearchScreen(session, songSearch(), parent)
{
}

QList<int> THledej_Ext_Data_CD::build()
{
    m_songs = buildExternalSongs();
    m_criteria = ExternalSongCriteria();
    return totals(m_songs.totals);
}

QList<int> THledej_Ext_Data_CD::run(const QString &text, const QString &style, const QString &,
                                    bool caseSensitive)
{
    m_criteria = {text, style, QStringLiteral("*")};
    m_found = runExternalSongSearch(m_songs, m_criteria, caseSensitive);
    return counts();
}

std::function<QString(int)> THledej_Ext_Data_CD::line() const
{
    return externalSongLine(m_songs, m_found.rows);
}

void THledej_Ext_Data_CD::showDetails()
{
    TSeznam_Externi_CD details(*this, this);
    dialogs::exec(details);
}

} // namespace velmora::exchange
