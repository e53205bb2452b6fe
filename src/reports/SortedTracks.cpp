#include "reports/SortedTracks.h"

#include "printing/ReportPane.h"
#include "session/Session.h"

namespace velmora {

TTisk_AbecedaCD::TTisk_AbecedaCD(Session &session, QWidget *parent)
    : SortedListScreen(
          session, parent,
          {QStringLiteral("Tisk všech CD titulů ..."),
           QStringLiteral("Tisková sestava všech CD titulů z databáze:"),
           QStringLiteral("Počet skladeb:"),
           QStringLiteral("Řazení skladeb podle:"),
           {QStringLiteral("     Abecedy (a - ž)"), QStringLiteral("     Stylu skladeb"),
            QStringLiteral("     Zpěváka (-čky)")}})
{
    setObjectName(QStringLiteral("Tisk_AbecedaCD"));
    pane()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

int TTisk_AbecedaCD::fill(Table &work)
{
    createSortedTable(work, sortedWorkPath(), sortedTrackFields(), sortedTrackTags());
    // cd02.dbf in the order the menu chose for it.
    Table &tracks = session().tables().CD_Table2;
    tracks.setFiltered(false);
    tracks.setFilter(QString());
    const int count = copyTracks(tracks, work);
    showCount(count);
    return count;
}

void TTisk_AbecedaCD::write(ReportWriter &w, Table &work, int order, const RowWritten &rowWritten)
{
    writeSortedTracks(w, work, SongOrder(order), rowWritten);
}

} // namespace velmora
