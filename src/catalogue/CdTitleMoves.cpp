#include "catalogue/CdTitleMoves.h"

#include "engine/Table.h"

namespace velmora {

void moveToLastTitle(Table &titles)
{
    titles.setIndex(QStringLiteral("cislocd"));
    titles.last();
}

bool locateTitle(Table &titles, const QString &number, bool byPrefix)
{
    return titles.locate(QStringLiteral("Cislocd"), number, byPrefix);
}

void openTracksToRead(Table &tracks)
{
    if (!tracks.isOpen())
        tracks.open(Table::Mode::ReadOnly);
}

void openWhereClosed(Table &table)
{
    if (!table.isOpen())
        table.open();
}

void openTracksToWrite(Table &tracks)
{
    if (tracks.isOpen() && tracks.isReadOnly())
        tracks.close();
    openWhereClosed(tracks);
}

void closeTracks(Table &tracks)
{
    tracks.setFiltered(false);
    tracks.close();
}

void closeTitleTables(Table &titles, Table &tracks)
{
    titles.close();
    closeTracks(tracks);
}

FreeNumbers offerNewTitleNumbers(Table &titles)
{
    titles.setIndex(QStringLiteral("cislocd"));
    openWhereClosed(titles);
    titles.setFiltered(false);
    return NextFreeNumbers(titles, QStringLiteral("Cislocd"));
}

bool anyTitleLeft(Table &titles)
{
    titles.setFiltered(false);
    return !titles.isEmpty();
}

} // namespace velmora
