#include "reports/SortedFilms.h"

namespace velmora {

TTisk_Abeceda::TTisk_Abeceda(Session &session, QWidget *parent)
    : SortedListScreen(
          session, parent, SortedList::Films,
          {QStringLiteral("Tisk všech filmů řazených podle abecedy / žánru"),
           QStringLiteral("Tisková sestava všech filmů z databáze:"),
           QStringLiteral("Počet filmů v datech:"),
           QStringLiteral("Řazení sestavy podle:"),
           {QStringLiteral("     Abecedy (a - ž)"), QStringLiteral("     Žánru filmů")}})
{
    setObjectName(QStringLiteral("Tisk_Abeceda"));
}

} // namespace velmora
