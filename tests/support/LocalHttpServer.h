#pragma once

// A web server of the test's own on 127.0.0.1, on a port the system picks:
// it records every request it gets (method, path with query, headers, the
// time) and answers each path as the test scripted it, or never. Nothing
// of a test ever reaches another machine.

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <vector>

namespace velmora::test {

struct HttpRequest
{
    QByteArray method;
    QByteArray target;                     // the path with its query, as sent
    QHash<QByteArray, QByteArray> headers; // names in lower case
    qint64 atMs = 0;                       // since the server started
};

struct HttpReply
{
    HttpReply(int code = 200, const QByteArray &text = QByteArray(),
              const QByteArray &type = "application/json; charset=utf-8")
        : status(code), body(text), contentType(type)
    {
    }
    int status = 200;
    QByteArray body;
    QByteArray contentType;
    bool never = false;  // keep the connection open and say nothing
    QByteArray location; // a Location header, for redirects
};

class LocalHttpServer
{
public:
    LocalHttpServer()
    {
        m_clock.start();
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket *s = m_server.nextPendingConnection()) {
                s->setParent(&m_server);
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s] { read(s); });
            }
        });
    }

    bool listening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1").arg(port()); }

    // The answer for a path (without its query); 404 for the unscripted.
    void answer(const QByteArray &path, const HttpReply &reply) { m_replies.insert(path, reply); }
    const std::vector<HttpRequest> &requests() const { return m_requests; }

    // A port on 127.0.0.1 where nothing listens: one the system gave a
    // server that has closed again.
    static quint16 deadPort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 port = probe.serverPort();
        probe.close();
        return port;
    }

private:
    static QByteArray reason(int status)
    {
        switch (status) {
        case 200:
            return "OK";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        case 503:
            return "Service Unavailable";
        default:
            return "Status";
        }
    }

    void read(QTcpSocket *s)
    {
        QByteArray &buffer = m_buffers[s];
        buffer += s->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        buffer.clear();
        HttpRequest r;
        r.atMs = m_clock.elapsed();
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        r.method = first.value(0);
        r.target = first.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                r.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                 lines[i].mid(colon + 1).trimmed());
        }
        m_requests.push_back(r);
        const QByteArray path =
            r.target.left(r.target.indexOf('?') < 0 ? r.target.size() : r.target.indexOf('?'));
        HttpReply reply;
        if (const auto it = m_replies.constFind(path); it != m_replies.constEnd())
            reply = *it;
        else
            reply = HttpReply{404, R"({"error":"Not Found"})"};
        if (reply.never)
            return;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' +
                          reason(reply.status) + "\r\nContent-Type: " + reply.contentType +
                          "\r\nContent-Length: " + QByteArray::number(reply.body.size()) +
                          "\r\nConnection: close\r\n";
        if (!reply.location.isEmpty())
            head += "Location: " + reply.location + "\r\n";
        s->write(head + "\r\n" + reply.body);
        s->disconnectFromHost();
    }

    QTcpServer m_server;
    QElapsedTimer m_clock;
    QHash<QByteArray, HttpReply> m_replies;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    std::vector<HttpRequest> m_requests;
};

} // namespace velmora::test
