#include "loans/LendingViews.h"

#include "catalogue/CdCatalogue.h"
#include "catalogue/CdTitleMoves.h"
#include "engine/DbError.h"
#include "engine/Table.h"

namespace velmora {

void showLentOnly(Table &items)
{
    items.setFilter(QStringLiteral("pujceno=True"));
    items.setFiltered(true);
    if (items.isOpen())
        items.first();
}

void showEveryItem(Table &items)
{
    items.setFiltered(false);
    items.setFilter(QString());
}

std::vector<ArchiveRow> archiveRows(const Table &archive)
{
    return archive.isOpen() ? readArchive(archive) : std::vector<ArchiveRow>();
}

std::vector<AwayItem> lentItemsByNumber(ItemKind kind, Table &items, const QDate &today)
{
    if (!items.isOpen())
        return {};
    items.setIndex(kind == ItemKind::Cd ? QStringLiteral("cislocd") : QStringLiteral("cislo"));
    return lentItems(kind, items, today);
}

bool moveToLentItem(ItemKind kind, Table &items, const QString &number)
{
    return items.isOpen() &&
           items.locate(kind == ItemKind::Cd ? QStringLiteral("Cislocd") : QStringLiteral("cislo"),
                        number);
}

std::optional<QString> currentCdTitle(const Table &table)
{
    if (!table.isOpen() || table.recordNumber() < 0)
        return std::nullopt;
    return table.asString(QStringLiteral("TitulCD"));
}

bool currentAtHome(const Table &items)
{
    return items.isOpen() && items.recordNumber() >= 0 && !LoanColumns(items).read(items).lent;
}

CdWithTracks currentCdWithTracks(Table &titles, Table &tracks)
{
    CdWithTracks shown;
    shown.current = titles.isOpen() && titles.recordNumber() >= 0;
    if (!shown.current)
        return shown;
    try {
        shown.title = CdTitleColumns(titles).read(titles);
        openTracksToRead(tracks);
        shown.tracks = titleTracks(tracks, shown.title.number, TrackOrder::AsStored);
    } catch (const std::exception &e) {
        shown.tracks.clear();
        shown.error = errorText(e);
    }
    return shown;
}

void leaveCdLending(Table &titles, Table &tracks)
{
    titles.setFiltered(false);
    closeTracks(tracks);
}

bool loanStartUnreadableAt(const Table &items, int record, const QString &sinceField,
                           const QDate &today)
{
    if (!items.isOpen() || record < 0)
        return false;
    const int field = items.fieldIndex(sinceField);
    if (field < 0)
        return false;
    return loanTerm({true, QString(), items.asStringAt(record, field), 0}, today) ==
           LoanTerm::Unreadable;
}

} // namespace velmora
