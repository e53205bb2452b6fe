#include "exchange/ExternalSongSearchScreen.h"

#include "exchange/ExternalSongDetails.h"
#include "finding/SongSearchReports.h"
#include "platform/Dialogs.h"
#include "session/Session.h"
#include "storage/Records.h"
#include "transfer/ExternalSearchReports.h"

namespace velmora::exchange {
namespace {

ExternalSearchScreen::Texts songTexts()
{
    ExternalSearchScreen::Texts t;
    t.objectName = QStringLiteral("Hledej_Ext_Data_CD");
    t.caption =
        QStringLiteral("Vyhledávání skladeb v externích datech podle nastavených parametrů ...");
    t.itemsLabel = QStringLiteral("Součet všech externích CD Titulů:");
    t.rowsLabel = QStringLiteral("Součet skladeb v databázích:");
    t.ownersLabel = QStringLiteral("Počet majitelů ext. CD titulů   :");
    t.textLabel = QStringLiteral("Název, který se má hledat:");
    t.note = QStringLiteral("Pozn.: Při vložení *  se hledají všechny skladby (+ žánry)");
    t.styleName = QStringLiteral("Styl");
    t.foundLabel = QStringLiteral("Nalezeno skladeb: ");
    t.foundName = QStringLiteral("Skladeb_je");
    t.whereLabel = QStringLiteral("V kolika externích zdrojích:");
    t.whereName = QStringLiteral("V_kolika_zdrojich");
    t.notFound = kSongNotFound;
    t.staleFiles = {QStringLiteral("Cd.tmp"), QStringLiteral("Cd.tmx")};
    t.speeds = false;
    t.caseClears = true;
    return t;
}

} // namespace

THledej_Ext_Data_CD::THledej_Ext_Data_CD(Session &session, QWidget *parent)
    : ExternalSearchScreen(session, songTexts(), parent)
{
}

QStringList THledej_Ext_Data_CD::styles()
{
    return readUserList(session().tables().Users_04);
}

const ExternalTotals &THledej_Ext_Data_CD::build()
{
    m_songs = buildExternalSongs();
    m_criteria = ExternalSongCriteria();
    return m_songs.totals;
}

ExternalSearchResult THledej_Ext_Data_CD::run(const QString &text, const QString &style,
                                              const QString &, bool caseSensitive)
{
    m_criteria = {text, style, QStringLiteral("*")};
    return runExternalSongSearch(m_songs, m_criteria, caseSensitive);
}

std::function<QString(int)> THledej_Ext_Data_CD::lineAt(const std::vector<int> &found) const
{
    return externalSongLine(m_songs, found);
}

SearchPaneStyle THledej_Ext_Data_CD::paneStyle() const
{
    return externalSongPane();
}

void THledej_Ext_Data_CD::execDetails()
{
    TSeznam_Externi_CD details(*this, this);
    dialogs::exec(details);
}

} // namespace velmora::exchange
