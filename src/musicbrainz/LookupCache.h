#pragma once

// Answers of MusicBrainz kept by disc ID, one plain JSON file each in a
// folder of the user's cache and one folder per server, so the same disc
// looked up again works offline. A damaged entry is ignored and replaced;
// the oldest entries go when the folder outgrows its bound.

#include <QByteArray>
#include <QString>
#include <optional>

namespace velmora::musicbrainz {

class LookupCache
{
public:
    explicit LookupCache(const QString &folder);

    // The stored answer, when there is one that reads as an answer, and
    // how many seconds ago it was stored.
    std::optional<QByteArray> answer(const QString &discId, qint64 *ageSeconds = nullptr) const;
    // Stores an answer, written beside and renamed; false when it cannot be.
    // The oldest entries are removed beyond kMaxEntries or kMaxBytes.
    bool store(const QString &discId, const QByteArray &answer) const;
    // Removes the entry of a disc the server no longer knows.
    void forget(const QString &discId) const;

    // The folder of the user's cache the program uses.
    static QString defaultFolder();
    // The folder of one server's answers under a cache folder: a mirror's
    // answers never stand for another server's.
    static QString serverFolder(const QString &base, const QString &server);

    static constexpr int kMaxEntries = 500;
    static constexpr qint64 kMaxBytes = 64LL * 1024 * 1024;

private:
    void prune() const;

    QString m_folder;
};

} // namespace velmora::musicbrainz
