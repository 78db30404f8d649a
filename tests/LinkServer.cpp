#include "LinkServer.h"

#include <QProcess>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;

struct LinkServer::Connection {
    QTcpSocket* socket;
    QString host; // the address it came to, kept: a closed socket forgets it
    QByteArray buffer;
    bool busy = false; // a request is being worked on
};

LinkServer::LinkServer(int delay)
    : m_delay(delay)
{
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = nextPendingConnection()) {
            auto connection = std::make_shared<Connection>(Connection{socket, socket->localAddress().toString(), {}});
            connect(socket, &QTcpSocket::readyRead, this, [this, connection] { read(*connection); });
            connect(socket, &QTcpSocket::disconnected, this, [this, connection] {
                if (std::exchange(connection->busy, false)) {
                    --m_inFlight;
                    --m_inFlightPerHost[connection->host];
                }
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

int LinkServer::mostInFlightOnOneHost() const
{
    int most = 0;
    for (const int count : m_mostPerHost)
        most = std::max(most, count);
    return most;
}

void LinkServer::read(Connection& connection)
{
    connection.buffer += connection.socket->readAll();
    const qsizetype end = connection.buffer.indexOf("\r\n\r\n");
    if (end < 0 || connection.busy)
        return;
    const QByteArray head = connection.buffer.left(end);
    connection.buffer.remove(0, end + 4);
    const QList<QByteArray> words = head.left(head.indexOf("\r\n")).split(' ');
    m_requests.append(QString::fromLatin1(words.value(0) + ' ' + words.value(1)));
    m_headers.append(QString::fromLatin1(head.mid(head.indexOf("\r\n") + 2)));
    connection.busy = true;
    const QString& host = connection.host;
    m_mostInFlight = std::max(m_mostInFlight, ++m_inFlight);
    m_mostPerHost[host] = std::max(m_mostPerHost[host], ++m_inFlightPerHost[host]);
    answer(connection, words.value(0), words.value(1));
}

void LinkServer::answer(Connection& connection, const QByteArray& method, const QByteArray& path)
{
    if (path == "/ok")
        respond(connection, "200 OK");
    else if (path == "/missing")
        respond(connection, "404 Not Found");
    else if (path == "/error")
        respond(connection, "500 Internal Server Error");
    else if (path == "/loop")
        respond(connection, "302 Found\r\nLocation: /loop");
    else if (path.startsWith("/to/"))
        respond(connection, "301 Moved Permanently\r\nLocation: " + path.mid(3));
    else if (path == "/nohead" && method == "HEAD")
        respond(connection, "405 Method Not Allowed");
    else if (path == "/nohead")
        respond(connection, "200 OK\r\nContent-Length: 100000000", QByteArray(1000, 'x'));
    else if (path.startsWith("/slow/"))
        QTimer::singleShot(m_delay, connection.socket, [this, &connection] { respond(connection, "200 OK"); });
    // and /silent never answers
}

void LinkServer::respond(Connection& connection, const QByteArray& head, const QByteArray& body)
{
    if (!connection.busy) // the client went away first
        return;
    const QByteArray length = head.contains("Content-Length") ? QByteArray() : "\r\nContent-Length: 0";
    connection.socket->write("HTTP/1.1 " + head + length + "\r\nSet-Cookie: seen=1; Path=/\r\n\r\n" + body);
    connection.busy = false;
    --m_inFlight;
    --m_inFlightPerHost[connection.host];
    read(connection); // a request that came in meanwhile on a kept-alive connection
}

SelfSignedServer::SelfSignedServer()
{
    QTemporaryDir folder;
    QProcess openssl;
    openssl.start(u"openssl"_s,
                  {u"req"_s, u"-x509"_s, u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s, u"ec_paramgen_curve:prime256v1"_s,
                   u"-nodes"_s, u"-days"_s, u"1"_s, u"-subj"_s, u"/CN=127.0.0.1"_s, u"-keyout"_s,
                   folder.filePath(u"key.pem"_s), u"-out"_s, folder.filePath(u"cert.pem"_s)});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
        return;
    QFile certificate(folder.filePath(u"cert.pem"_s));
    QFile key(folder.filePath(u"key.pem"_s));
    if (!certificate.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
        return;
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(QSslCertificate(&certificate));
    configuration.setPrivateKey(QSslKey(&key, QSsl::Ec));
    m_server = std::make_unique<QSslServer>();
    m_server->setSslConfiguration(configuration);
    if (m_server->listen(QHostAddress::LocalHost))
        m_url = u"https://127.0.0.1:%1/ok"_s.arg(m_server->serverPort());
}

SelfSignedServer::~SelfSignedServer() = default;

quint16 ClosedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return server.serverPort(); // closed when `server` goes
}
