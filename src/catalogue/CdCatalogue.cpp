#include "catalogue/CdCatalogue.h"

#include "catalogue/CdRules.h"
#include "engine/Table.h"
#include "storage/Interrupted.h"

#include <QFileInfo>
#include <algorithm>

namespace velmora {
namespace {

const QString kNumberField = QStringLiteral("Cislocd");

QString filterFor(const QString &number)
{
    return QStringLiteral("cislocd='") + number + QLatin1Char('\'');
}

// The physical records of a title's tracks, found in one walk of the file.
std::vector<int> trackRecords(Table &tracks, const QString &number)
{
    tracks.setIndex(QString());
    tracks.setFilter(filterFor(number));
    tracks.setFiltered(true);
    return tracks.visibleRecords();
}

bool removeRecord(Table &table, int physical)
{
    table.moveToRecord(physical);
    if (table.recordNumber() != physical)
        return false;
    table.deleteRecord();
    return true;
}

// Takes back appended and deleted records; false when that failed too.
bool undo(Table &tracks, const std::vector<int> &appended, const std::vector<int> &deleted)
{
    bool ok = true;
    for (int rec : deleted) {
        try {
            tracks.recallRecord(rec);
        } catch (const std::exception &) {
            ok = false;
        }
    }
    for (int rec : appended) {
        try {
            if (!removeRecord(tracks, rec))
                ok = false;
        } catch (const std::exception &) {
            ok = false;
        }
    }
    return ok;
}

// Appends the rows under the number; `appended` collects the records
// written, also when a later one fails.
void appendTracks(Table &tracks, const QString &number, const std::vector<CdTrack> &rows,
                  std::vector<int> &appended)
{
    tracks.setFiltered(false);
    const CdTrackColumns c(tracks);
    for (CdTrack r : rows) {
        r.number = number;
        tracks.append();
        c.write(tracks, r);
        tracks.post();
        appended.push_back(tracks.recordNumber());
    }
}

// The tracks of a number, found before a change begins: a failure then
// leaves the database as it was, and refused heads its message.
std::vector<int> tracksBefore(Table &tracks, const QString &number, const QString &refused)
{
    try {
        return trackRecords(tracks, number);
    } catch (const std::exception &e) {
        throw CatalogueError(refused + QString::fromUtf8(e.what()), true);
    }
}

// The note that lets the next start undo a change of a title that the
// program did not live to finish (storage/Interrupted.h). It names the
// records of the number as they are before the first change; without it
// the change does not begin.
class ChangeNote
{
public:
    // oldTracks: the records of the number's tracks as trackRecords finds
    // them; refused heads the message when the note cannot be written.
    ChangeNote(Table &titles, Table &tracks, const QString &number, int edited,
               const std::vector<int> &oldTracks, const QString &refused)
        : m_dir(QFileInfo(titles.path()).absolutePath())
    {
        interrupted::TitleChange work;
        work.titles = QFileInfo(titles.path()).fileName();
        work.tracks = QFileInfo(tracks.path()).fileName();
        // As the field holds it: what the undo compares with.
        work.number = number.left(titles.fieldWidth(kNumberField));
        while (work.number.endsWith(QLatin1Char(' ')))
            work.number.chop(1);
        work.oldTitles = titlesOf(titles.path(), work.number);
        work.oldTracks = oldTracks;
        std::sort(work.oldTracks.begin(), work.oldTracks.end());
        work.edited = edited;
        if (edited >= 0)
            work.before = CdTitleColumns(titles).read(titles);
        const QString problem = interrupted::noteTitleChange(m_dir, work);
        if (!problem.isEmpty())
            throw CatalogueError(refused + problem, true);
    }
    void done() { interrupted::doneTitleChange(m_dir); }

private:
    // Every title record of the number that is not deleted, whatever order,
    // filter or record the screen's handle has: read through a handle of its
    // own, which the title file, small beside the tracks, allows.
    static std::vector<int> titlesOf(const QString &path, const QString &number)
    {
        Table t;
        t.setPath(path);
        t.open(Table::Mode::ReadOnly);
        t.setFilter(filterFor(number));
        t.setFiltered(true);
        std::vector<int> out = t.visibleRecords();
        t.close();
        std::sort(out.begin(), out.end());
        return out;
    }

    QString m_dir;
};

const QString kNotSaved =
    QStringLiteral("Titul se nepodařilo uložit, databáze zůstala beze změny.\r\n");

[[noreturn]] void failed(const std::exception &e, bool intact)
{
    const QString why = QString::fromUtf8(e.what());
    if (intact)
        throw CatalogueError(kNotSaved + why, true);
    throw CatalogueError(QStringLiteral("Titul se nepodařilo uložit a databázi se nepodařilo "
                                        "vrátit do původního stavu. Zkontrolujte jeho stopy.\r\n") +
                             why,
                         false);
}

} // namespace

QStringList titleNumbers(Table &titles)
{
    titles.setIndex(QStringLiteral("cislocd"));
    const int field = titles.requireField(kNumberField);
    QStringList out;
    for (int rec : titles.visibleRecords())
        out << titles.asStringAt(rec, field);
    return out;
}

std::vector<CdTrack> titleTracks(Table &tracks, const QString &number, TrackOrder order)
{
    const std::vector<int> recs = trackRecords(tracks, number);
    const CdTrackColumns c(tracks);
    std::vector<CdTrack> out;
    out.reserve(recs.size());
    for (int rec : recs)
        out.push_back(c.readAt(tracks, rec));
    const bool byNumber = order == TrackOrder::ByTrackNumber;
    std::stable_sort(out.begin(), out.end(), [byNumber](const CdTrack &a, const CdTrack &b) {
        const int da = discOfLabel(a.label), db = discOfLabel(b.label);
        return da != db ? da < db : byNumber && a.track < b.track;
    });
    return out;
}

QStringList discLabels(const std::vector<CdTrack> &tracks)
{
    QStringList out;
    for (const CdTrack &t : tracks) {
        const QString label = t.label.trimmed();
        if (!out.contains(label))
            out << label;
    }
    return out;
}

std::vector<CdTrack> discTracks(const std::vector<CdTrack> &tracks, const QString &label)
{
    std::vector<CdTrack> out;
    for (const CdTrack &t : tracks)
        if (t.label.trimmed() == label)
            out.push_back(t);
    return out;
}

int totalSeconds(const std::vector<CdTrack> &tracks)
{
    int total = 0;
    for (const CdTrack &t : tracks)
        total += t.seconds;
    return total;
}

void saveNewTitle(Table &titles, Table &tracks, const CdTitle &title,
                  const std::vector<CdTrack> &rows)
{
    ChangeNote note(titles, tracks, title.number, -1, tracksBefore(tracks, title.number, kNotSaved),
                    kNotSaved);
    std::vector<int> appended;
    try {
        tracks.setFiltered(false);
        appendTracks(tracks, title.number, rows, appended);
        titles.append();
        CdTitleColumns(titles).writeNew(titles, title);
        titles.post();
    } catch (const std::exception &e) {
        if (titles.isOpen())
            titles.cancel();
        if (tracks.isOpen())
            tracks.cancel();
        const bool intact = undo(tracks, appended, {});
        if (intact)
            note.done();
        failed(e, intact);
    }
    note.done();
}

void saveEditedTitle(Table &titles, Table &tracks, const CdTitle &title,
                     const std::vector<CdTrack> &rows)
{
    const int titleRec = titles.recordNumber();
    const CdTitleColumns tc(titles);
    const CdTitle before = tc.read(titles);
    // The tracks the save replaces, which the note names too: one walk of
    // the track file for both.
    const std::vector<int> old = tracksBefore(tracks, before.number, kNotSaved);
    ChangeNote note(titles, tracks, before.number, titleRec, old, kNotSaved);
    std::vector<int> appended;
    std::vector<int> deleted;
    bool titleWritten = false;
    try {
        tracks.setFiltered(false);
        appendTracks(tracks, before.number, rows, appended);
        titles.moveToRecord(titleRec);
        titles.edit();
        CdTitle content = title;
        content.number = before.number;
        tc.writeContent(titles, content);
        titles.post();
        titleWritten = true;
        for (int rec : old)
            if (removeRecord(tracks, rec))
                deleted.push_back(rec);
    } catch (const std::exception &e) {
        titles.cancel();
        tracks.cancel();
        bool intact = undo(tracks, appended, deleted);
        if (titleWritten) {
            try {
                titles.moveToRecord(titleRec);
                titles.edit();
                tc.writeContent(titles, before);
                titles.post();
            } catch (const std::exception &) {
                titles.cancel();
                intact = false;
            }
        }
        if (intact)
            note.done();
        failed(e, intact);
    }
    note.done();
}

DeleteOutcome deleteTitle(Table &titles, Table &tracks)
{
    const CdTitleColumns tc(titles);
    const int titleRec = titles.recordNumber();
    const QString number = titles.asString(tc.number);
    DeleteOutcome outcome;
    for (int rec : titles.visibleRecords())
        if (rec != titleRec && titles.asStringAt(rec, tc.number) == number)
            outcome.sharedNumber = true;
    const QString refused =
        QStringLiteral("Titul se nepodařilo zrušit, databáze zůstala beze změny.\r\n");
    const std::vector<int> oldTracks = tracksBefore(tracks, number, refused);
    ChangeNote note(titles, tracks, number, -1, oldTracks, refused);
    std::vector<int> deleted;
    try {
        if (!outcome.sharedNumber)
            for (int rec : oldTracks)
                if (removeRecord(tracks, rec))
                    deleted.push_back(rec);
        titles.moveToRecord(titleRec);
        titles.deleteRecord();
    } catch (const std::exception &e) {
        const bool intact = undo(tracks, {}, deleted);
        if (intact)
            note.done();
        throw CatalogueError(
            (intact ? refused
                    : QStringLiteral("Titul se nepodařilo zrušit a jeho stopy se nepodařilo "
                                     "obnovit.\r\n")) +
                QString::fromUtf8(e.what()),
            intact);
    }
    note.done();
    outcome.tracksDeleted = int(deleted.size());
    return outcome;
}

} // namespace velmora
