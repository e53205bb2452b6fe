#include "catalogue/TrackWork.h"

#include "catalogue/CdRules.h"

#include <QStringList>
#include <algorithm>

namespace velmora {

std::vector<int> TrackWork::discRows(const QString &label) const
{
    std::vector<int> out;
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].label == label)
            out.push_back(int(i));
    std::stable_sort(out.begin(), out.end(), [this](int a, int b) {
        return m_rows[size_t(a)].number < m_rows[size_t(b)].number;
    });
    return out;
}

int TrackWork::trackCount(const QString &label) const
{
    return int(std::count_if(m_rows.begin(), m_rows.end(),
                             [&label](const WorkTrack &r) { return r.label == label; }));
}

void TrackWork::setTrackCount(const QString &label, int q, const QString &style,
                              const QString &artist)
{
    const int k = trackCount(label);
    for (int n = k + 1; n <= q; ++n)
        m_rows.push_back(
            {label, n, QStringLiteral("Stopa ") + QString::number(n), kZeroLength, style, artist});
    if (q < k)
        std::erase_if(m_rows, [&](const WorkTrack &r) { return r.label == label && r.number > q; });
}

void TrackWork::insertTrack(const QString &label, int t, WorkTrack row)
{
    const int k = trackCount(label);
    t = std::clamp(t, 1, k + 1);
    for (WorkTrack &r : m_rows)
        if (r.label == label && r.number >= t)
            ++r.number;
    row.label = label;
    row.number = t;
    m_rows.push_back(std::move(row));
}

void TrackWork::removeTrack(const QString &label, int t)
{
    std::erase_if(m_rows, [&](const WorkTrack &r) { return r.label == label && r.number == t; });
    for (WorkTrack &r : m_rows)
        if (r.label == label && r.number > t)
            --r.number;
}

void TrackWork::replaceDisc(const QString &label, std::vector<WorkTrack> rows)
{
    std::erase_if(m_rows, [&](const WorkTrack &r) { return r.label == label; });
    int n = 0;
    for (WorkTrack &r : rows) {
        r.label = label;
        r.number = ++n;
        m_rows.push_back(std::move(r));
    }
}

void TrackWork::insertDisc(int disc, int discs)
{
    // From the last disc down, so no two discs ever share a label.
    for (int j = discs; j >= disc; --j)
        for (WorkTrack &r : m_rows)
            if (r.label == discLabel(j))
                r.label = discLabel(j + 1);
}

void TrackWork::removeDisc(int disc, int discs)
{
    const QString gone = discLabel(disc);
    std::erase_if(m_rows, [&](const WorkTrack &r) { return r.label == gone; });
    for (int j = disc + 1; j <= discs; ++j)
        for (WorkTrack &r : m_rows)
            if (r.label == discLabel(j))
                r.label = discLabel(j - 1);
}

void TrackWork::keepDiscs(int d)
{
    std::erase_if(m_rows, [d](const WorkTrack &r) { return discOfLabel(r.label) > d; });
}

void TrackWork::renumber()
{
    QStringList labels;
    for (const WorkTrack &r : m_rows)
        if (!labels.contains(r.label))
            labels << r.label;
    for (const QString &label : labels) {
        int n = 0;
        for (int i : discRows(label))
            m_rows[size_t(i)].number = ++n;
    }
}

void TrackWork::setArtist(const QString &artist)
{
    for (WorkTrack &r : m_rows)
        r.artist = artist;
}

void TrackWork::setStyle(const QString &style)
{
    for (WorkTrack &r : m_rows)
        r.style = style;
}

int TrackWork::discSeconds(const QString &label) const
{
    int total = 0;
    for (const WorkTrack &r : m_rows)
        if (r.label == label)
            total += looseSecondsOfLength(r.length);
    return total;
}

std::vector<WorkTrack> TrackWork::ordered() const
{
    std::vector<WorkTrack> out = m_rows;
    std::stable_sort(out.begin(), out.end(), [](const WorkTrack &a, const WorkTrack &b) {
        const int da = discOfLabel(a.label), db = discOfLabel(b.label);
        return da != db ? da < db : a.number < b.number;
    });
    return out;
}

std::optional<WorkTrack> TrackWork::badLength() const
{
    for (const WorkTrack &r : ordered())
        if (!secondsOfLength(r.length))
            return r;
    return std::nullopt;
}

} // namespace velmora
