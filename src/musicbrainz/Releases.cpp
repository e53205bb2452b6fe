#include "musicbrainz/Releases.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <optional>

namespace velmora::musicbrainz {

namespace {

// Beyond these an answer holds more than any disc can carry; the rest is
// left unread rather than given to a list or a grid.
constexpr int kMaxReleases = 100;
constexpr int kMaxMedia = 100;
constexpr int kMaxTracks = 99;
// No track of a CD lasts longer than the disc itself.
constexpr double kMaxLengthMs = 100.0 * 60 * 1000;

// A value of the wrong type anywhere makes the whole answer a malformed one.
struct Malformed
{
};

// Far beyond any field and any line of a list; a longer text is cut here
// so that no message or list has to lay out megabytes of one name.
constexpr qsizetype kMaxText = 500;

// Control characters become spaces, and the marks that would turn the
// direction of what follows them on screen are dropped.
QString shown(const QString &raw)
{
    QString out;
    out.reserve(qMin(raw.size(), kMaxText));
    for (const QChar c : raw) {
        if (out.size() >= kMaxText)
            break;
        const char16_t u = c.unicode();
        if ((u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069) || u == 0x200E ||
            u == 0x200F || u == 0x061C)
            continue;
        out += c.category() == QChar::Other_Control ? QChar(u' ') : c;
    }
    return out;
}

QString text(const QJsonObject &o, const char *key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull())
        return QString();
    if (!v.isString())
        throw Malformed();
    return shown(v.toString());
}

QJsonArray array(const QJsonObject &o, const char *key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull())
        return QJsonArray();
    if (!v.isArray())
        throw Malformed();
    return v.toArray();
}

QJsonObject object(const QJsonValue &v)
{
    if (!v.isObject())
        throw Malformed();
    return v.toObject();
}

// A whole number where one is given, fallback where none is.
int number(const QJsonObject &o, const char *key, int fallback)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() || v.isNull())
        return fallback;
    if (!v.isDouble())
        throw Malformed();
    const double d = v.toDouble();
    return d >= 0 && d <= kMaxLengthMs ? int(d + 0.5) : fallback;
}

bool has(const QJsonObject &o, const char *key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return !v.isUndefined() && !v.isNull();
}

// "Jan Novák & Hosté": each name followed by its join phrase. Null for an
// object without a credit, so the caller can fall back to another one.
std::optional<QString> credit(const QJsonObject &o)
{
    if (!has(o, "artist-credit"))
        return std::nullopt;
    QString joined;
    for (const QJsonValue &part : array(o, "artist-credit")) {
        const QJsonObject p = object(part);
        joined += text(p, "name") + text(p, "joinphrase");
    }
    if (joined.trimmed().isEmpty())
        return std::nullopt;
    return joined.trimmed();
}

Track readTrack(const QJsonObject &t, int index, const QString &releaseArtist)
{
    Track track;
    track.position = number(t, "position", index + 1);
    QJsonObject recording;
    if (has(t, "recording"))
        recording = object(t.value(QLatin1String("recording")));
    track.title = text(t, "title");
    if (track.title.isEmpty())
        track.title = text(recording, "title");
    track.lengthMs = number(t, "length", 0);
    if (track.lengthMs == 0)
        track.lengthMs = number(recording, "length", 0);
    const std::optional<QString> own = credit(t);
    const std::optional<QString> ofRecording = credit(recording);
    track.artist = own ? *own : ofRecording ? *ofRecording : releaseArtist;
    return track;
}

Medium readMedium(const QJsonObject &m, int index, const QString &releaseArtist)
{
    Medium medium;
    medium.position = number(m, "position", index + 1);
    medium.format = text(m, "format");
    for (const QJsonValue &d : array(m, "discs")) {
        const QString id = text(object(d), "id");
        if (!id.isEmpty())
            medium.discIds.append(id);
    }
    const QJsonArray tracks = array(m, "tracks");
    for (qsizetype i = 0; i < tracks.size() && i < kMaxTracks; ++i)
        medium.tracks.push_back(readTrack(object(tracks.at(i)), int(i), releaseArtist));
    return medium;
}

Release readRelease(const QJsonObject &r)
{
    Release release;
    release.id = text(r, "id");
    release.title = text(r, "title");
    release.artist = credit(r).value_or(QString());
    release.date = text(r, "date");
    release.country = text(r, "country");
    const QJsonArray media = array(r, "media");
    for (qsizetype i = 0; i < media.size() && i < kMaxMedia; ++i)
        release.media.push_back(readMedium(object(media.at(i)), int(i), release.artist));
    return release;
}

} // namespace

QString Release::formats() const
{
    // Media of one format counted together, in the order they come.
    QStringList names;
    std::vector<int> counts;
    for (const Medium &m : media) {
        const QString name = m.format.isEmpty() ? QStringLiteral("nosič") : m.format;
        const qsizetype at = names.indexOf(name);
        if (at < 0) {
            names.append(name);
            counts.push_back(1);
        } else {
            ++counts[size_t(at)];
        }
    }
    QStringList parts;
    for (qsizetype i = 0; i < names.size(); ++i)
        parts.append(counts[size_t(i)] > 1
                         ? QStringLiteral("%1×%2").arg(counts[size_t(i)]).arg(names.at(i))
                         : names.at(i));
    return parts.join(QStringLiteral(" + "));
}

const Medium *Release::mediumOf(const QString &discId) const
{
    if (discId.isEmpty())
        return nullptr;
    for (const Medium &m : media)
        if (m.discIds.contains(discId))
            return &m;
    return nullptr;
}

Answer parseDiscIdAnswer(const QByteArray &json)
{
    Answer answer;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return answer;
    const QJsonObject top = doc.object();
    try {
        if (!has(top, "releases")) {
            // {"error": "Not Found", "help": ...}, or a CD stub: an anonymous
            // track list someone submitted, with no release of the disc.
            const bool error = has(top, "error") && top.value(QLatin1String("error")).isString();
            const bool stub = has(top, "tracks") && top.value(QLatin1String("tracks")).isArray() &&
                              has(top, "id") && top.value(QLatin1String("id")).isString();
            if (error || stub)
                answer.status = Answer::Status::NotFound;
            return answer;
        }
        const QJsonArray releases = array(top, "releases");
        for (qsizetype i = 0; i < releases.size() && i < kMaxReleases; ++i)
            answer.releases.push_back(readRelease(object(releases.at(i))));
    } catch (const Malformed &) {
        answer.releases.clear();
        answer.status = Answer::Status::Malformed;
        return answer;
    }
    answer.status = answer.releases.empty() ? Answer::Status::NotFound : Answer::Status::Found;
    return answer;
}

} // namespace velmora::musicbrainz
