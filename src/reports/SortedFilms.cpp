#include "reports/SortedFilms.h"

#include "session/Session.h"

namespace velmora {

TTisk_Abeceda::TTisk_Abeceda(Session &session, QWidget *parent)
    : SortedListScreen(
          session, parent,
          {QStringLiteral("Tisk všech filmů řazených podle abecedy / žánru"),
           QStringLiteral("Tisková sestava všech filmů z databáze:"),
           QStringLiteral("Počet filmů v datech:"),
           QStringLiteral("Řazení sestavy podle:"),
           {QStringLiteral("     Abecedy (a - ž)"), QStringLiteral("     Žánru filmů")}})
{
    setObjectName(QStringLiteral("Tisk_Abeceda"));
}

int TTisk_Abeceda::fill(Table &work)
{
    // data.dbf as the menu opened it: in cassette number order.
    Table &cassettes = session().tables().Table1;
    cassettes.setFiltered(false);
    cassettes.setFilter(QString());
    showCount(countFilms(cassettes));
    createSortedTable(work, sortedWorkPath(), sortedFilmFields(), sortedFilmTags());
    return copyFilms(cassettes, work);
}

void TTisk_Abeceda::write(ReportWriter &w, Table &work, int order, const RowWritten &rowWritten)
{
    writeSortedFilms(w, work, FilmOrder(order), rowWritten);
}

} // namespace velmora
