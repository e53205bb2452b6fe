#include "exchange/ExternalSongDetails.h"

#include "exchange/ExternalSongSearchScreen.h"
#include "printing/PaneWriter.h"
#include "printing/ReportPane.h"
#include "transfer/ExternalSearchReports.h"

namespace velmora::exchange {

// TSeznam_Externi_CD: the owners of the external song search.
TSeznam_Externi_CD::TSeznam_Externi_CD(THledej_Ext_Data_CD &search, QWidget *parent)
    : ExternalDetails(search, QStringLiteral("Seznam_Externi_CD"),
                      QStringLiteral("Vlastník nalezených CD:"), writeNoSongOwnerChosen, parent),
      m_search(search)
{
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
