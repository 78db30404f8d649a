// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QSslServer>
#include <QStringList>
#include <memory>

// A loopback HTTP server for the link check, answering by path: /ok 200, /missing 404, /error 500, /loop 302 to
// itself, /to/PATH 301 to /PATH, /away/ADDRESS 302 to the percent-decoded ADDRESS, /nohead 405 to HEAD and to GET 200
// with a body too large to wait for, /slow/… 200 after `delay` ms; anything else never. Every answer sets a cookie. It
// listens on all of 127.0.0.0/8, so 127.0.0.N are distinct hosts, and counts the requests it holds at once, in all and
// per address.
class LinkServer : public QTcpServer {
public:
    explicit LinkServer(int delay = 0);

    QString url(const QString& path, int host = 1) const;
    const QStringList& requests() const { return m_requests; } // "METHOD PATH", as they came
    const QStringList& headers() const { return m_headers; }   // each request's header lines
    int inFlight() const { return m_inFlight; }
    int mostInFlight() const { return m_mostInFlight; }
    int mostInFlightOnOneHost() const { return *std::max_element(m_mostPerHost.begin(), m_mostPerHost.end()); }

private:
    struct Connection;
    void read(Connection& connection);
    bool release(Connection& connection); // false when it held no request
    void respond(Connection& connection, const QByteArray& head, const QByteArray& body = {});

    int m_delay;
    QStringList m_requests;
    QStringList m_headers;
    int m_inFlight = 0;
    int m_mostInFlight = 0;
    QHash<QString, int> m_inFlightPerHost;
    QHash<QString, int> m_mostPerHost;
};

// A TLS server on 127.0.0.1 with a self-signed certificate that openssl makes for the run; null if it cannot.
std::unique_ptr<QSslServer> SelfSignedServer();

quint16 ClosedPort(); // on 127.0.0.1, where nothing listens
