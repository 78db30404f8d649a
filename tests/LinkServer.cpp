// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkServer.h"

#include <QProcess>
#include <QSslKey>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;

struct LinkServer::Connection {
    QTcpSocket* socket;
    QString host; // kept: a closed socket forgets its address
    QByteArray buffer;
    bool busy = false; // holding a request
};

LinkServer::LinkServer(int delay)
    : m_delay(delay)
{
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = nextPendingConnection()) {
            auto connection = std::make_shared<Connection>(Connection{socket, socket->localAddress().toString(), {}});
            connect(socket, &QTcpSocket::readyRead, this, [this, connection] { read(*connection); });
            connect(socket, &QTcpSocket::disconnected, this, [this, connection] {
                release(*connection);
                connection->socket->deleteLater();
            });
        }
    });
    listen(QHostAddress::AnyIPv4);
}

QString LinkServer::url(const QString& path, int host) const
{
    return u"http://127.0.0.%1:%2%3"_s.arg(host).arg(serverPort()).arg(path);
}

void LinkServer::read(Connection& connection)
{
    connection.buffer += connection.socket->readAll();
    const qsizetype end = connection.buffer.indexOf("\r\n\r\n");
    if (end < 0 || connection.busy)
        return;
    const QByteArray head = connection.buffer.left(end);
    connection.buffer.remove(0, end + 4);
    const qsizetype lineEnd = head.indexOf("\r\n");
    const QList<QByteArray> words = head.left(lineEnd).split(' ');
    const QByteArray method = words.value(0), path = words.value(1);
    m_requests.append(QString::fromLatin1(method + ' ' + path));
    m_headers.append(QString::fromLatin1(head.mid(lineEnd + 2)));
    connection.busy = true;
    m_mostInFlight = std::max(m_mostInFlight, ++m_inFlight);
    m_mostPerHost[connection.host] = std::max(m_mostPerHost[connection.host], ++m_inFlightPerHost[connection.host]);
    if (path == "/ok")
        respond(connection, "200 OK");
    else if (path == "/nohead" && method == "GET")
        respond(connection, "200 OK\r\nContent-Length: 100000000", QByteArray(1000, 'x'));
    else if (path == "/missing" || path == "/error" || path == "/nohead")
        respond(connection, path == "/missing" ? "404 Not Found" : path == "/error" ? "500 Error" : "405 No HEAD");
    else if (path.startsWith("/away/"))
        respond(connection, "302 Found\r\nLocation: " + QByteArray::fromPercentEncoding(path.mid(6)));
    else if (path == "/loop" || path.startsWith("/to/"))
        respond(connection, path == "/loop" ? "302 Found\r\nLocation: /loop" : "301 Moved\r\nLocation: " + path.mid(3));
    else if (path.startsWith("/slow/"))
        QTimer::singleShot(m_delay, connection.socket, [this, &connection] { respond(connection, "200 OK"); });
}

void LinkServer::respond(Connection& connection, const QByteArray& head, const QByteArray& body)
{
    if (!release(connection)) // the client went away first
        return;
    const QByteArray length = head.contains("Content-Length") ? QByteArray() : "\r\nContent-Length: 0";
    connection.socket->write("HTTP/1.1 " + head + length + "\r\nSet-Cookie: seen=1; Path=/\r\n\r\n" + body);
    read(connection); // a request that came meanwhile on a kept-alive connection
}

bool LinkServer::release(Connection& connection)
{
    if (!std::exchange(connection.busy, false))
        return false;
    --m_inFlight;
    --m_inFlightPerHost[connection.host];
    return true;
}

std::unique_ptr<QSslServer> SelfSignedServer()
{
    QTemporaryDir folder;
    const QString key = folder.filePath(u"key.pem"_s), certificate = folder.filePath(u"cert.pem"_s);
    QProcess openssl;
    openssl.start(u"openssl"_s,
                  {u"req"_s, u"-x509"_s, u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s, u"ec_paramgen_curve:prime256v1"_s,
                   u"-nodes"_s, u"-subj"_s, u"/CN=127.0.0.1"_s, u"-keyout"_s, key, u"-out"_s, certificate});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
        return {};
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(QSslCertificate::fromPath(certificate).value(0));
    QFile keyFile(key);
    keyFile.open(QIODevice::ReadOnly);
    configuration.setPrivateKey(QSslKey(&keyFile, QSsl::Ec));
    auto server = std::make_unique<QSslServer>();
    server->setSslConfiguration(configuration);
    return server->listen(QHostAddress::LocalHost) ? std::move(server) : nullptr;
}

quint16 ClosedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort(); // closed when `server` goes
}
