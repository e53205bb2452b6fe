#include "reports/SortedTracks.h"

#include "printing/ReportPane.h"

namespace velmora {

TTisk_AbecedaCD::TTisk_AbecedaCD(Session &session, QWidget *parent)
    : SortedListScreen(
          session, parent, SortedList::Songs,
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

} // namespace velmora
