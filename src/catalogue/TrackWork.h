#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace velmora {

// One row of the track work table of the title screens.
struct WorkTrack
{
    QString label;  // "CD1" to "CD16"
    int number = 0; // 1..k within the disc
    QString title;
    QString length = QStringLiteral("00:00"); // "mm:ss" as typed
    QString style;
    QString artist;
};

// The tracks of the title being entered or corrected, disc by disc, held
// until the user saves. Every action keeps the rows of a disc numbered
// 1..k without gaps; a disc holds no rows only until it is first shown.
class TrackWork
{
public:
    void clear() { m_rows.clear(); }
    bool empty() const { return m_rows.empty(); }
    const std::vector<WorkTrack> &rows() const { return m_rows; }

    // The rows of a disc in track order, as indexes into rows().
    std::vector<int> discRows(const QString &label) const;
    int trackCount(const QString &label) const;
    WorkTrack &row(int index) { return m_rows[size_t(index)]; }
    const WorkTrack &row(int index) const { return m_rows[size_t(index)]; }
    void append(WorkTrack row) { m_rows.push_back(std::move(row)); }

    // Rows k+1..q of a disc of k rows as "Stopa n" and "00:00" with the
    // style and artist given, or the rows above q removed when q <= k.
    void setTrackCount(const QString &label, int q, const QString &style = QString(),
                       const QString &artist = QString());
    // Row t of the disc and all after it move one number on; the row given
    // takes number t. A t past the end appends.
    void insertTrack(const QString &label, int t, WorkTrack row);
    // Removes track t and closes the gap.
    void removeTrack(const QString &label, int t);
    // The disc's rows become these, numbered 1..n.
    void replaceDisc(const QString &label, std::vector<WorkTrack> rows);
    // Disc j and every later one (up to `discs`) move one number on.
    void insertDisc(int disc, int discs);
    // Removes disc j; every later one moves one number back.
    void removeDisc(int disc, int discs);
    // Removes the discs above d.
    void keepDiscs(int d);
    // Numbers every disc 1..k again in its track order, rows of one number
    // in the order they were added.
    void renumber();
    // The title-wide artist and style: every track of every disc.
    void setArtist(const QString &artist);
    void setStyle(const QString &style);

    // Sum of the disc's lengths in seconds, each read as characters 1-2 and
    // 4-5 of its text.
    int discSeconds(const QString &label) const;
    // Every row by disc number, then track number.
    std::vector<WorkTrack> ordered() const;
    // The first row whose length is not "mm:ss" with seconds below 60.
    std::optional<WorkTrack> badLength() const;

private:
    std::vector<WorkTrack> m_rows;
};

} // namespace velmora
