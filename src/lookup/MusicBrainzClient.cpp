#include "lookup/MusicBrainzClient.h"

namespace velmora {

MusicBrainzClient::MusicBrainzClient(QObject *parent) : QObject(parent) {}
MusicBrainzClient::~MusicBrainzClient() = default;

QString MusicBrainzClient::server()
{
    return QStringLiteral("https://musicbrainz.org");
}

QString MusicBrainzClient::userAgent()
{
    return QString();
}

void MusicBrainzClient::setTimeoutMs(int) {}
void MusicBrainzClient::setCacheFolder(const QString &) {}
void MusicBrainzClient::lookup(const QString &) {}
void MusicBrainzClient::cancel() {}
bool MusicBrainzClient::running() const
{
    return false;
}

} // namespace velmora
