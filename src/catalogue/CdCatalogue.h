#pragma once

#include "storage/CdRecords.h"

#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

namespace velmora {

class Table;

// Reading and writing CD titles with their tracks (cd01.dbf, cd02.dbf).

// The numbers of all titles in ascending order; the table's current record
// is kept. Selects the index cislocd.
QStringList titleNumbers(Table &titles);

// Within a disc: by track number, or as the tracks stand in the table.
enum class TrackOrder
{
    ByTrackNumber,
    AsStored
};
// The tracks of a title by disc number, then in the order given. Leaves
// the track table filtered to the title, as the screens show it.
std::vector<CdTrack> titleTracks(Table &tracks, const QString &number,
                                 TrackOrder order = TrackOrder::ByTrackNumber);
// The labels of the discs among these tracks, in ascending disc number.
QStringList discLabels(const std::vector<CdTrack> &tracks);
// The tracks of one disc, in track order.
std::vector<CdTrack> discTracks(const std::vector<CdTrack> &tracks, const QString &label);
int totalSeconds(const std::vector<CdTrack> &tracks);

// A save or a deletion that failed; the text says what became of the title.
class CatalogueError : public std::runtime_error
{
public:
    CatalogueError(const QString &text, bool intact)
        : std::runtime_error(text.toStdString()), m_text(text), m_intact(intact)
    {
    }
    QString text() const { return m_text; }
    // Whether the tables were brought back to where they were.
    bool intact() const { return m_intact; }

private:
    QString m_text;
    bool m_intact;
};

// Adds a new title with its tracks as one step: the tracks first, then the
// title; when a write fails, what was written is taken back and
// CatalogueError is thrown.
void saveNewTitle(Table &titles, Table &tracks, const CdTitle &title,
                  const std::vector<CdTrack> &rows);

// Replaces the current title of `titles` (its content; the loan stays) and
// all its tracks as one step: the new tracks are written first, then the
// title, and the old tracks are deleted last. After a failure the title has
// all its old tracks or all its new ones, never a mix.
void saveEditedTitle(Table &titles, Table &tracks, const CdTitle &title,
                     const std::vector<CdTrack> &rows);

struct DeleteOutcome
{
    int tracksDeleted = 0;
    // Other titles carry the same number (older files): the tracks of that
    // number cannot be told apart, so they stay with the other titles.
    bool sharedNumber = false;
};
// Deletes the current title of `titles` and its tracks on every disc,
// tracks first; a failure brings back what was deleted.
DeleteOutcome deleteTitle(Table &titles, Table &tracks);

} // namespace velmora
