// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LinkVerdict.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>
#include <chrono>
#include <list>
#include <memory>
#include <optional>

class QNetworkAccessManager;

namespace orvanta {

// Asks the servers of a sheet's web links whether each link still leads somewhere, several at once, and reports
// a verdict per link. Each distinct link is asked once, with HEAD, or with GET when the server refuses HEAD (405,
// 501), stopping once the headers arrive. Up to 10 redirects are followed, to http and https only: a redirect
// anywhere else (file:, data:...) is a verdict, never asked. Nothing is cached and no cookie is kept; a certificate
// problem makes the link unreachable, never ignored.
//
// A host is a host name and port: the servers a limit is meant to spare. Without a network every link fails
// alike, so a failure that could mean "no network" (no such host, no route, no answer) is held back until some
// server has answered; if none ever does and the links span two hosts or more, the run ends with noNetwork and
// those links are left not checked instead of each being called unreachable. Once FailuresThatMeanNoNetwork
// such failures have come, the run stops there: the rest would only wait out their time.
class LinkChecker : public QObject {
    Q_OBJECT

public:
    // Failures that may mean "no network", on two hosts or more with no server answering, after which a run stops.
    static constexpr int FailuresThatMeanNoNetwork = 12;

    explicit LinkChecker(QObject* parent = nullptr);
    ~LinkChecker() override;

    // For the next links asked; the defaults are 10 s, 6 and 2.
    void setTimeout(std::chrono::milliseconds perLink) { m_timeout = perLink; }
    void setMaxRunning(int requests) { m_maxRunning = std::max(1, requests); }
    void setMaxPerHost(int requests) { m_maxPerHost = std::max(1, requests); }

    // Starts a new run over `links` (the sheet's URLs as typed, duplicates allowed), cancelling one under way.
    // Links that are not web links are judged NotChecked at once, before this returns; with nothing to ask,
    // finished comes before it returns too.
    void check(const QStringList& links);
    // The sheet's links changed (during a run or after it): links no longer there are dropped, and stopped if
    // being asked; new ones are asked. Verdicts of links still there are kept.
    void update(const QStringList& links);
    // Asks these links of the current set again, whatever was found before.
    void recheck(const QStringList& links);
    // Stops every request at once. No signal follows; verdicts found so far stay.
    void cancel();

    bool isRunning() const { return m_running; }
    std::optional<LinkVerdict> verdict(const QString& link) const;
    LinkSummary summary() const;
    // Requests under way now.
    int requestsRunning() const { return int(m_active.size()); }

Q_SIGNALS:
    void linkChecked(const QString& link, const orvanta::LinkVerdict& verdict);
    void progress(int done, int total);
    // The run ended on its own (not after cancel()).
    void finished(const orvanta::LinkSummary& summary);

private:
    struct Check;

    void enqueue(const QString& link);
    void forget(const QString& link);
    void startMore();
    void send(Check* check);
    void answered(Check* check, int status);
    void failed(Check* check);
    void judge(Check* check, LinkVerdict verdict);
    void dropRequest(Check* check);
    void releaseHeldBack();
    bool looksOffline() const;
    void stopForNoNetwork();
    void endIfDone();
    void reportProgress();

    std::unique_ptr<QNetworkAccessManager> m_network;
    std::chrono::milliseconds m_timeout{10000};
    int m_maxRunning = 6;
    int m_maxPerHost = 2;

    QStringList m_links; // the current set, each once, in the sheet's order
    QHash<QString, LinkVerdict> m_verdicts;
    QSet<QString> m_heldBack; // failures not yet reported: they may only mean there is no network
    std::list<std::unique_ptr<Check>> m_waiting;
    std::list<std::unique_ptr<Check>> m_active;
    QHash<QString, int> m_perHost;
    bool m_running = false;
    bool m_serverAnswered = false; // some server answered in this run, so the network works
};

} // namespace orvanta
