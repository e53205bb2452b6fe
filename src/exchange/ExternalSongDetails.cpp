#include "exchange/ExternalSongDetails.h"

#include "exchange/ExternalFilmDetails.h"
#include "exchange/ExternalSongSearchScreen.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPane.h"
#include "transfer/ExternalSearchReports.h"

namespace velmora::exchange {

TSeznam_Externi_CD::TSeznam_Externi_CD(THledej_Ext_Data_CD &search, QWidget *parent)
    : FoundDetails(search.session(),
                   externalDetailsTexts(QStringLiteral("Seznam_Externi_CD"),
                                        QStringLiteral("Vlastník nalezených CD:")),
                   parent),
      m_search(search)
{
}

QString TSeznam_Externi_CD::countText() const
{
    return QString::number(m_search.foundCount());
}

const FoundList &TSeznam_Externi_CD::found() const
{
    return m_search.found().owners;
}

std::vector<bool> TSeznam_Externi_CD::lentStates() const
{
    return std::vector<bool>(size_t(found().numbers.size()), false);
}

void TSeznam_Externi_CD::showRoot()
{
    const report::Mode mode = m_search.mode();
    report::write(*pane(), mode == report::Mode::None ? mode : report::Mode::Line,
                  writeNoSongOwnerChosen);
}

void TSeznam_Externi_CD::showItem(const QString &owner, const QString &)
{
    // The node holds the owner as the result table does, cut to 20
    // characters, so the criterion meets the rows' owner.
    ExternalSongCriteria c = m_search.criteria();
    c.owner = owner;
    m_search.setCriteria(c);
    const std::vector<int> rows =
        tracksOfOwner(m_search.songs(), m_search.found(), c, m_search.caseSensitive());
    const QString printed = report::printingTime();
    report::write(*pane(), m_search.mode(), [&](ReportWriter &w) {
        writeOwnerTracks(w, m_search.songs(), rows, owner, printed);
    });
}

} // namespace velmora::exchange
