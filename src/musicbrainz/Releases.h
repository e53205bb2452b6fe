#pragma once

// What MusicBrainz answers for a disc ID (GET /ws/2/discid/<id>?inc=
// recordings+artist-credits&fmt=json), read into plain values. The answer
// is foreign text: it is only read, never trusted for more than it says.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace velmora::musicbrainz {

struct Track
{
    int position = 0; // on its medium, from 1
    QString title;
    int lengthMs = 0; // 0 when the database has none
    QString artist;   // the artist credit with its join phrases
};

struct Medium
{
    int position = 0; // in the release, from 1
    QString format;   // "CD", ...
    QStringList discIds;
    std::vector<Track> tracks;
};

struct Release
{
    QString id;
    QString title;
    QString artist; // the release's artist credit with its join phrases
    QString date;   // as given: "1999", "1999-05", "1999-05-21" or empty
    QString country;
    std::vector<Medium> media;

    QString year() const { return date.left(4); }
    // The formats of its media, joined: "2×CD", "CD + DVD".
    QString formats() const;
    // The medium whose disc list holds the disc ID; nullptr when none does.
    const Medium *mediumOf(const QString &discId) const;
};

struct Answer
{
    enum class Status
    {
        Found,
        NotFound, // the answer names no release of the disc
        Malformed // not the JSON of such an answer
    };
    Status status = Status::Malformed;
    std::vector<Release> releases;
};

Answer parseDiscIdAnswer(const QByteArray &json);

} // namespace velmora::musicbrainz
