#pragma once

// Looking a disc ID up in MusicBrainz, only when the user asks for it:
// asynchronous, one request per lookup and at most one a second, a
// User-Agent naming the program and its version, a time limit, a cancel,
// and answers cached by disc ID.

#include "musicbrainz/Releases.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace velmora {

struct LookupOutcome
{
    enum class Status
    {
        Found,
        NotFound,  // MusicBrainz does not know the disc yet
        NoNetwork, // no connection, the server not reached
        TimedOut,
        SlowDown,    // 503: MusicBrainz asks clients to slow down
        ServerError, // another answer than 200 and 404
        Malformed,   // an answer that is not one
        Cancelled
    };
    Status status = Status::NoNetwork;
    std::vector<musicbrainz::Release> releases;
    QString discId;
    QString message; // for the user, in Czech; empty for Found and Cancelled
    bool fromCache = false;
};

class MusicBrainzClient : public QObject
{
    Q_OBJECT
public:
    explicit MusicBrainzClient(QObject *parent = nullptr);
    ~MusicBrainzClient() override;

    // The server of the setting MusicBrainzServer, https://musicbrainz.org
    // unless set.
    static QString server();
    static QString userAgent();
    // 10 s unless set (tests shorten it).
    static void setTimeoutMs(int ms);
    // The cache folder; LookupCache::defaultFolder() unless set.
    static void setCacheFolder(const QString &folder);

    // Starts the lookup; finished() follows, also for a cached answer
    // (after the event loop runs again). Ignored while one runs.
    void lookup(const QString &discId);
    void cancel();
    bool running() const;

signals:
    void finished(const LookupOutcome &outcome);

private:
    void send();
    void received();
    void replied();
    void timedOut();
    void finish(LookupOutcome outcome);
    void drop();

    QNetworkAccessManager *m_manager = nullptr;
    QPointer<QNetworkReply> m_reply;
    QTimer *m_spacing = nullptr; // until a second has passed since the last request
    QTimer *m_limit = nullptr;   // the time the server has to answer
    QString m_discId;
    QByteArray m_body;
    bool m_running = false;
    bool m_timedOut = false;
    bool m_tooBig = false;
    // Tells a queued cached answer whether its lookup is still the one running.
    quint64 m_lookup = 0;
};

} // namespace velmora
