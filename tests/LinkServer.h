#pragma once

#include <QHash>
#include <QList>
#include <QStringList>
#include <QTcpServer>
#include <memory>

class QSslServer;

// A loopback HTTP server for the link check, answering by path:
//   /ok 200 · /missing 404 · /error 500 · /silent never answers · /loop 302 to itself
//   /to/PATH 301 to /PATH · /nohead 405 to HEAD, 200 to GET with a body too large to wait for
//   /slow/… 200 after `delay` ms
// Every answer sets a cookie, which a client that keeps cookies sends back. It listens on every loopback
// address, so 127.0.0.N are distinct hosts of one server, and it counts the requests it is working on, at once
// and per address.
class LinkServer : public QTcpServer {
    Q_OBJECT

public:
    explicit LinkServer(int delay = 0);

    QString url(const QString& path, int host = 1) const;
    // "METHOD PATH" of every request, in order of arrival; the header lines in `headers`.
    const QStringList& requests() const { return m_requests; }
    const QStringList& headers() const { return m_headers; }
    int inFlight() const { return m_inFlight; }
    int mostInFlight() const { return m_mostInFlight; }
    int mostInFlightOnOneHost() const;

private:
    struct Connection;
    void read(Connection& connection);
    void answer(Connection& connection, const QByteArray& method, const QByteArray& path);
    void respond(Connection& connection, const QByteArray& head, const QByteArray& body = {});

    int m_delay;
    QStringList m_requests;
    QStringList m_headers;
    int m_inFlight = 0;
    int m_mostInFlight = 0;
    QHash<QString, int> m_inFlightPerHost;
    QHash<QString, int> m_mostPerHost;
};

// A TLS server whose certificate is self-signed, made with openssl for the run; it never gets past the handshake
// with a client that checks certificates. Empty url() when it could not be set up.
class SelfSignedServer {
public:
    SelfSignedServer();
    ~SelfSignedServer();
    QString url() const { return m_url; }

private:
    std::unique_ptr<QSslServer> m_server;
    QString m_url;
};

// A port on 127.0.0.1 where nothing listens.
quint16 ClosedPort();
