#include "lookup/MusicBrainzClient.h"

#include "musicbrainz/LookupCache.h"
#include "system/SettingsStore.h"
#include "system/Version.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <exception>

namespace velmora {

namespace {

using musicbrainz::Answer;
using Status = LookupOutcome::Status;

// Where MusicBrainz can reach the makers of this client, as it asks every
// client to name in its User-Agent.
const QString kContact = QStringLiteral("https://velmora.norvane.cz");
const QString kDefaultServer = QStringLiteral("https://musicbrainz.org");
const QString kServerSetting = QStringLiteral("MusicBrainzServer");
// A discid answer is a few releases of JSON; anything bigger is not one.
constexpr qint64 kMaxBody = 4 * 1024 * 1024;
// MusicBrainz allows a client one request a second.
constexpr std::chrono::milliseconds kSpacing{1000};

int s_timeoutMs = 10000;
QString s_defaultServer = kDefaultServer;
QString s_cacheFolder;
// When the last request of any client went out, or is to go out: one
// for the whole program, so two windows looking up never exceed the rate.
std::chrono::steady_clock::time_point s_nextSlot{};

QString cacheFolder()
{
    return s_cacheFolder.isEmpty() ? musicbrainz::LookupCache::defaultFolder() : s_cacheFolder;
}

// Disc IDs are MusicBrainz's Base64; nothing else goes into the path.
bool validId(const QString &id)
{
    if (id.isEmpty() || id.size() > 64)
        return false;
    for (const QChar c : id) {
        const char16_t u = c.unicode();
        if (!((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') ||
              u == '.' || u == '_' || u == '-'))
            return false;
    }
    return true;
}

LookupOutcome outcome(Status status, const QString &discId, const QString &message = QString())
{
    LookupOutcome o;
    o.status = status;
    o.discId = discId;
    o.message = message;
    return o;
}

QString notFoundText(const QString &discId)
{
    return QStringLiteral("Databáze MusicBrainz tento disk zatím nezná (disc ID %1). "
                          "Můžete ho tam přidat.")
        .arg(discId);
}

QString malformedText()
{
    return QStringLiteral("Odpověď serveru MusicBrainz se nedá přečíst; zkuste to později.");
}

QString badSettingText()
{
    QString value, file;
    try {
        SettingsStore s = SettingsStore::own();
        file = s.fileName();
        value = s.readString(kServerSetting).trimmed();
    } catch (const std::exception &) {
        value.clear();
    }
    return QStringLiteral("Nastavení MusicBrainzServer („%1“) v souboru %2 neuvádí adresu serveru, "
                          "které by program rozuměl (http://… nebo https://…). Dotaz nebyl "
                          "odeslán; opravte nastavení, nebo ho smažte a použije se %3.")
        .arg(value.left(200), file, s_defaultServer);
}

// What the user can do about a server not reached, in Czech; Qt's own
// texts are English.
QString unreachedText(QNetworkReply::NetworkError error, const QString &server)
{
    const QString host = QUrl(server).host();
    QString why;
    switch (error) {
    case QNetworkReply::HostNotFoundError:
        why = QStringLiteral("adresu %1 se nepodařilo najít").arg(host);
        break;
    case QNetworkReply::ConnectionRefusedError:
        why = QStringLiteral("%1 odmítl spojení").arg(host);
        break;
    case QNetworkReply::SslHandshakeFailedError:
        why = QStringLiteral("zabezpečené spojení s %1 se nepodařilo ověřit").arg(host);
        break;
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
        why = QStringLiteral("proxy server není dostupný");
        break;
    default:
        why = QStringLiteral("spojení s %1 se nepodařilo navázat").arg(host);
        break;
    }
    return QStringLiteral("Server MusicBrainz není dostupný (%1). Zkontrolujte připojení k "
                          "internetu.")
        .arg(why);
}

} // namespace

MusicBrainzClient::MusicBrainzClient(QObject *parent)
    : QObject(parent), m_manager(new QNetworkAccessManager(this)), m_spacing(new QTimer(this)),
      m_limit(new QTimer(this))
{
    m_spacing->setSingleShot(true);
    m_limit->setSingleShot(true);
    connect(m_spacing, &QTimer::timeout, this, &MusicBrainzClient::send);
    connect(m_limit, &QTimer::timeout, this, &MusicBrainzClient::timedOut);
}

MusicBrainzClient::~MusicBrainzClient()
{
    drop();
}

QString MusicBrainzClient::server()
{
    QString value;
    try {
        SettingsStore s = SettingsStore::own();
        if (s.exists(kServerSetting))
            value = s.readString(kServerSetting).trimmed();
    } catch (const std::exception &) {
        // A value of another type than text names no server.
        return QString();
    }
    while (value.endsWith(QLatin1Char('/')))
        value.chop(1);
    if (value.isEmpty())
        return s_defaultServer;
    // A bare host name is read as https; any other scheme is a mistake,
    // never a reason to ask a server the user did not name.
    if (!value.contains(QStringLiteral("://"))) {
        static const QRegularExpression bareHost(
            QStringLiteral("^[A-Za-z0-9.-]+(:[0-9]{1,5})?(/[^:]*)?$"));
        // "htp:/host" and "http//host" are mistyped schemes, not hosts
        // named "htp" or "http".
        if (!bareHost.match(value).hasMatch() || value.contains(QStringLiteral("//")))
            return QString();
        value.prepend(QStringLiteral("https://"));
    }
    const QUrl url(value, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    const QString host = url.host().toLower();
    if (!url.isValid() || host.isEmpty() || host == QLatin1String("http") ||
        host == QLatin1String("https") ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https")) || url.hasQuery() ||
        url.hasFragment() || !url.userInfo().isEmpty())
        return QString();
    return value;
}

QString MusicBrainzClient::userAgent()
{
    return QStringLiteral("Velmora/%1 ( %2 )").arg(version::kFileVersion, kContact);
}

void MusicBrainzClient::setDefaultServer(const QString &url)
{
    s_defaultServer = url.isEmpty() ? kDefaultServer : url;
}

QString MusicBrainzClient::settingProblem()
{
    return server().isEmpty() ? badSettingText() : QString();
}

void MusicBrainzClient::setTimeoutMs(int ms)
{
    s_timeoutMs = ms > 0 ? ms : 10000;
}

void MusicBrainzClient::setCacheFolder(const QString &folder)
{
    s_cacheFolder = folder;
}

bool MusicBrainzClient::running() const
{
    return m_running;
}

void MusicBrainzClient::lookup(const QString &discId)
{
    if (m_running)
        return;
    m_running = true;
    m_discId = discId;
    m_earlier.clear();
    m_hasEarlier = false;
    const quint64 current = ++m_lookup;
    auto later = [this, current](LookupOutcome o) {
        QMetaObject::invokeMethod(
            this,
            [this, current, o] {
                if (m_running && m_lookup == current)
                    finish(o);
            },
            Qt::QueuedConnection);
    };
    m_server = server();
    if (m_server.isEmpty()) {
        later(outcome(Status::BadSetting, discId, badSettingText()));
        return;
    }
    if (!validId(discId)) {
        later(outcome(Status::Malformed, discId,
                      QStringLiteral("Z obsahu disku nelze určit jeho disc ID.")));
        return;
    }
    m_cache = musicbrainz::LookupCache::serverFolder(cacheFolder(), m_server);
    // A disc looked up lately needs no network; an older answer waits in
    // case the server cannot answer now.
    qint64 age = 0;
    if (const auto cached = musicbrainz::LookupCache(m_cache).answer(discId, &age)) {
        Answer a = musicbrainz::parseDiscIdAnswer(*cached);
        if (a.status == Answer::Status::Found && age < kFreshSeconds) {
            LookupOutcome o = outcome(Status::Found, discId);
            o.releases = std::move(a.releases);
            o.fromCache = true;
            later(o);
            return;
        }
        if (a.status == Answer::Status::Found) {
            m_earlier = std::move(a.releases);
            m_hasEarlier = true;
        }
    }
    const auto now = std::chrono::steady_clock::now();
    const auto slot = std::max(now, s_nextSlot);
    s_nextSlot = slot + kSpacing;
    m_spacing->start(
        int(std::chrono::duration_cast<std::chrono::milliseconds>(slot - now).count()));
}

void MusicBrainzClient::send()
{
    QUrl url(m_server + QStringLiteral("/ws/2/discid/") + m_discId);
    url.setQuery(QStringLiteral("inc=recordings+artist-credits&fmt=json"));
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    request.setRawHeader("Accept", "application/json");
    // A mirror may move a path within itself, never to another host.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::SameOriginRedirectPolicy);
    request.setMaximumRedirectsAllowed(3);
    m_body.clear();
    m_timedOut = false;
    m_tooBig = false;
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::readyRead, this, &MusicBrainzClient::received);
    connect(m_reply, &QNetworkReply::finished, this, &MusicBrainzClient::replied);
    m_limit->start(s_timeoutMs);
}

void MusicBrainzClient::received()
{
    // An aborted reply (time limit, cancel) is closed: nothing more to read.
    if (!m_reply || m_tooBig || !m_reply->isOpen())
        return;
    m_body += m_reply->read(kMaxBody + 1 - m_body.size());
    if (m_body.size() > kMaxBody) {
        m_tooBig = true;
        m_reply->abort();
    }
}

void MusicBrainzClient::timedOut()
{
    if (!m_reply)
        return;
    m_timedOut = true;
    m_reply->abort();
}

void MusicBrainzClient::replied()
{
    QNetworkReply *reply = m_reply;
    if (!reply)
        return;
    m_limit->stop();
    if (!m_tooBig)
        received();
    const QVariant code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QNetworkReply::NetworkError error = reply->error();
    const bool reached = code.isValid() && code.toInt() > 0;
    m_reply = nullptr;
    reply->disconnect(this);
    reply->deleteLater();

    if (m_tooBig) {
        fail(outcome(Status::Malformed, m_discId, malformedText()));
        return;
    }
    if (m_timedOut) {
        fail(outcome(Status::TimedOut, m_discId,
                     QStringLiteral("Server MusicBrainz neodpověděl včas; zkuste to za "
                                    "chvíli.")));
        return;
    }
    if (!reached) {
        fail(outcome(Status::NoNetwork, m_discId, unreachedText(error, m_server)));
        return;
    }
    const int status = code.toInt();
    if (status == 200) {
        Answer a = musicbrainz::parseDiscIdAnswer(m_body);
        if (a.status == Answer::Status::Found) {
            musicbrainz::LookupCache(m_cache).store(m_discId, m_body);
            LookupOutcome o = outcome(Status::Found, m_discId);
            o.releases = std::move(a.releases);
            finish(o);
        } else if (a.status == Answer::Status::NotFound) {
            musicbrainz::LookupCache(m_cache).forget(m_discId);
            finish(outcome(Status::NotFound, m_discId, notFoundText(m_discId)));
        } else {
            fail(outcome(Status::Malformed, m_discId, malformedText()));
        }
    } else if (status == 404) {
        // The server has dropped the disc: its earlier answer is no more.
        musicbrainz::LookupCache(m_cache).forget(m_discId);
        finish(outcome(Status::NotFound, m_discId, notFoundText(m_discId)));
    } else if (status == 503) {
        fail(outcome(Status::SlowDown, m_discId,
                     QStringLiteral("Server MusicBrainz je přetížen a žádá o zpomalení; "
                                    "zkuste to za chvíli.")));
    } else {
        fail(outcome(Status::ServerError, m_discId,
                     QStringLiteral("Server MusicBrainz odpověděl chybou (HTTP %1); zkuste "
                                    "to za chvíli.")
                         .arg(status)));
    }
}

void MusicBrainzClient::cancel()
{
    if (!m_running)
        return;
    drop();
    finish(outcome(Status::Cancelled, m_discId));
}

void MusicBrainzClient::drop()
{
    m_spacing->stop();
    m_limit->stop();
    if (QNetworkReply *reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void MusicBrainzClient::fail(LookupOutcome failure)
{
    if (!m_hasEarlier) {
        finish(std::move(failure));
        return;
    }
    LookupOutcome o =
        outcome(Status::Found, m_discId,
                failure.message + QStringLiteral("\r\n\r\nPoužijí se údaje uložené při dřívějším "
                                                 "dotazu na tento disk."));
    o.releases = std::move(m_earlier);
    o.fromCache = true;
    finish(std::move(o));
}

void MusicBrainzClient::finish(LookupOutcome outcome)
{
    m_earlier.clear();
    m_hasEarlier = false;
    m_running = false;
    m_body.clear();
    emit finished(outcome);
}

} // namespace velmora
