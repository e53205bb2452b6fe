#pragma once

// The lists of the CD catalogue without their windows: every title (or the
// titles from a chosen one) with what the user asked to see of each, and
// the lent titles; both written once for either pane mode.

#include "storage/CdRecords.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

namespace velmora {

class ReportWriter;
class Table;

// What a title entry shows besides its number, title and singer.
struct CdListOptions
{
    bool acquired = false; // "... Pořízeno: " on the number line
    bool format = false;   // the format line
    bool note = false;     // the note, when there is one
    bool tracks = false;   // the track list of every disc
};

// The discs of a title: its distinct disc labels. Counting changes of the
// label along the tracks would count a disc again whenever its tracks are
// not stored together.
int discCount(const QStringList &labels);
int discCount(const std::vector<CdTrack> &tracks);

// "03m 05s": minutes and seconds as two digits each (of 100 minutes or
// more the last two); a length below zero counts as none.
QString trackLengthText(int seconds);

// The tracks of cd02.dbf read once, in the table's active order and filter,
// and found by title number. A title's tracks come in that order, as a
// filter on its number would give them; building this replaces one walk of
// the whole file per title.
class TitleTracks
{
public:
    explicit TitleTracks(const Table &tracks);

    std::vector<CdTrack> of(const QString &number) const;
    // The disc labels alone, for the count when the tracks are not shown;
    // read as of() reads them, so an unlabelled track counts as disc 1.
    QStringList labelsOf(const QString &number) const;

private:
    using Runs = std::vector<std::pair<int, int>>; // [begin, end) into m_order
    const Runs *runsOf(const QString &number) const;

    const Table &m_table;
    CdTrackColumns m_columns;
    std::vector<int> m_order;
    QHash<QString, Runs> m_runs;
};

// The visible titles of cd01.dbf in its active order from the first whose
// number is `number` to the end; none when no title has it.
std::vector<int> titlesFrom(const Table &titles, const QString &number);

// Which list of titles: the whole catalogue, from a chosen title on, or
// the catalogue of another user (its entries sized and worded a little
// differently in line mode; written by exchange/ExternalReports).
enum class CdListKind
{
    All,
    From,
    External
};

// Called after each title entry, for the progress window.
using TitleWritten = std::function<void()>;
// Called with the number of tracks a title's disc count went through.
using TracksCounted = std::function<void(int tracks)>;

// The titles at these records of `titles` (cd01.dbf), each with what the
// options ask for, as the list of every title or from a chosen one (kind
// All or From); the current record of `titles` moves along.
void writeCdList(ReportWriter &w, CdListKind kind, Table &titles, const std::vector<int> &records,
                 const TitleTracks &tracks, const CdListOptions &options,
                 const TitleWritten &titleWritten = {});

// The title entries alone, for lists that write their own title and footer.
void writeCdEntries(ReportWriter &w, CdListKind kind, Table &titles,
                    const std::vector<int> &records, const TitleTracks &tracks,
                    const CdListOptions &options, const TitleWritten &titleWritten = {},
                    const TracksCounted &tracksCounted = {});

// The lent titles at these records, or the text that none is lent.
void writeLentCdList(ReportWriter &w, Table &titles, const std::vector<int> &records);

} // namespace velmora
