#pragma once

// Looking a disc ID up in MusicBrainz, only when the user asks for it:
// asynchronous, one request per lookup and at most one a second, a
// User-Agent naming the program and its version, a time limit, a cancel,
// and answers cached by server and disc ID: an answer of the last day is
// used as it is, an older one only when the server cannot answer.

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
        BadSetting,  // MusicBrainzServer names no server one could ask
        Cancelled
    };
    Status status = Status::NoNetwork;
    std::vector<musicbrainz::Release> releases;
    QString discId;
    // For the user, in Czech; empty for Cancelled and for a Found answer
    // of the server; for an earlier answer it says why that one is used.
    QString message;
    bool fromCache = false;
};

class MusicBrainzClient : public QObject
{
    Q_OBJECT
public:
    explicit MusicBrainzClient(QObject *parent = nullptr);
    ~MusicBrainzClient() override;

    // The server of the setting MusicBrainzServer, https://musicbrainz.org
    // when it is empty or absent; empty when it names no server one could
    // ask (then nothing is sent).
    static QString server();
    // An answer younger than this is used without asking the server again.
    static constexpr qint64 kFreshSeconds = 24 * 3600;
    // What is wrong with the setting MusicBrainzServer, for the user, in
    // Czech; empty when it names a server.
    static QString settingProblem();
    // The server an empty setting means: https://musicbrainz.org unless set
    // (tests name one of their own, so that nothing can reach the internet).
    static void setDefaultServer(const QString &url);
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
    // A failure of the server, or the earlier answer when there is one.
    void fail(LookupOutcome outcome);
    void drop();

    QNetworkAccessManager *m_manager = nullptr;
    QPointer<QNetworkReply> m_reply;
    QTimer *m_spacing = nullptr; // until a second has passed since the last request
    QTimer *m_limit = nullptr;   // the time the server has to answer
    QString m_discId;
    QString m_server;
    QString m_cache;                             // the server's cache folder
    std::vector<musicbrainz::Release> m_earlier; // an older cached answer
    bool m_hasEarlier = false;
    QByteArray m_body;
    bool m_running = false;
    bool m_timedOut = false;
    bool m_tooBig = false;
    // Tells a queued cached answer whether its lookup is still the one running.
    quint64 m_lookup = 0;
};

} // namespace velmora
