#pragma once

// Answers of MusicBrainz kept by disc ID, one plain JSON file each in a
// folder of the user's cache, so the same disc looked up again needs no
// network. A damaged entry is ignored and replaced.

#include <QByteArray>
#include <QString>
#include <optional>

namespace velmora::musicbrainz {

class LookupCache
{
public:
    explicit LookupCache(const QString &folder);

    // The stored answer, when there is one that reads as an answer.
    std::optional<QByteArray> answer(const QString &discId) const;
    // Stores an answer, written beside and renamed; false when it cannot be.
    bool store(const QString &discId, const QByteArray &answer) const;

    // The folder of the user's cache the program uses.
    static QString defaultFolder();

private:
    QString m_folder;
};

} // namespace velmora::musicbrainz
