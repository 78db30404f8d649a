// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkChecker.h"

#include "Version.h"
#include "page/LinkTagging.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSslError>
#include <QTimer>

namespace orvanta {

// One link being asked, through its redirects.
struct LinkChecker::Check {
    QString link;
    QUrl url; // asked now
    int redirects = 0;
    int firstRedirectStatus = 0;
    bool get = false; // the server refused HEAD
    QNetworkReply* reply = nullptr;
    QTimer* deadline = nullptr; // for the whole link, from its first request
    QStringList certificateProblems;

    Check() = default;
    Check(const Check&) = delete;
    Check& operator=(const Check&) = delete;
    // A check may end inside its own deadline's signal, so the timer goes later, silenced now.
    ~Check()
    {
        if (deadline) {
            deadline->disconnect();
            deadline->stop();
            deadline->deleteLater();
        }
    }

    QString host() const
    {
        return url.host().toLower() + u':' + QString::number(url.port(url.scheme().toLower() == u"https" ? 443 : 80));
    }
};

namespace {

const QByteArray UserAgent = QByteArrayLiteral("Orvanta/" ORVANTA_VERSION " (link check)");

QStringList uniqueLinks(QStringList links)
{
    links.removeDuplicates(); // keeps the first of each, in order
    return links;
}

// Failures that every link would show without a network, and which therefore prove nothing about the link.
bool mayMeanNoNetwork(LinkVerdict::Cause cause)
{
    return cause == LinkVerdict::Cause::HostNotFound || cause == LinkVerdict::Cause::NoRoute ||
           cause == LinkVerdict::Cause::Timeout;
}

template <typename List> auto find(List& list, const auto& matches)
{
    return std::find_if(list.begin(), list.end(), [&](const auto& check) { return matches(*check); });
}

} // namespace

LinkChecker::LinkChecker(QObject* parent)
    : QObject(parent)
    , m_network(std::make_unique<QNetworkAccessManager>())
{
    qRegisterMetaType<LinkVerdict>();
    qRegisterMetaType<LinkSummary>();
}

LinkChecker::~LinkChecker()
{
    cancel();
}

void LinkChecker::check(const QStringList& links)
{
    cancel();
    m_links.clear();
    m_verdicts.clear();
    m_heldBack.clear();
    m_serverAnswered = false;
    m_running = true; // so that a run with nothing to ask ends, and says so, too
    update(links);
}

void LinkChecker::update(const QStringList& links)
{
    const QStringList next = uniqueLinks(links);
    const QSet<QString> kept(next.begin(), next.end());
    for (const QString& link : std::as_const(m_links)) {
        if (!kept.contains(link))
            forget(link);
    }
    const QStringList before = std::exchange(m_links, next);
    const QSet<QString> known(before.begin(), before.end());
    for (const QString& link : next) {
        if (!known.contains(link))
            enqueue(link);
    }
    reportProgress();
    startMore();
    endIfDone();
}

void LinkChecker::recheck(const QStringList& links)
{
    for (const QString& link : uniqueLinks(links)) {
        if (m_links.contains(link)) {
            forget(link);
            enqueue(link);
        }
    }
    reportProgress();
    startMore();
    endIfDone();
}

void LinkChecker::cancel()
{
    for (const auto& check : m_active)
        dropRequest(check.get());
    m_active.clear();
    m_waiting.clear();
    m_perHost.clear();
    m_running = false;
}

std::optional<LinkVerdict> LinkChecker::verdict(const QString& link) const
{
    if (const auto it = m_verdicts.find(link); it != m_verdicts.end())
        return *it;
    return {};
}

LinkSummary LinkChecker::summary() const
{
    LinkSummary summary;
    for (const LinkVerdict& verdict : m_verdicts) {
        summary.add(verdict.kind);
        summary.noNetwork = summary.noNetwork || verdict.cause == LinkVerdict::Cause::NoNetwork;
    }
    return summary;
}

void LinkChecker::enqueue(const QString& link)
{
    if (!IsWebLink(link)) {
        m_verdicts.insert(link, LinkVerdict{});
        Q_EMIT linkChecked(link, LinkVerdict{});
        return;
    }
    auto check = std::make_unique<Check>();
    check->link = link;
    check->url = QUrl(link);
    m_waiting.push_back(std::move(check));
    m_running = true;
}

void LinkChecker::forget(const QString& link)
{
    m_verdicts.remove(link);
    m_heldBack.remove(link);
    const auto matches = [&link](const Check& check) { return check.link == link; };
    if (const auto it = find(m_waiting, matches); it != m_waiting.end())
        m_waiting.erase(it);
    if (const auto it = find(m_active, matches); it != m_active.end()) {
        dropRequest(it->get());
        m_active.erase(it);
    }
}

// Starts waiting links, in the sheet's order, as far as the limits allow, passing over those whose host is busy.
void LinkChecker::startMore()
{
    for (auto it = m_waiting.begin(); it != m_waiting.end() && int(m_active.size()) < m_maxRunning;) {
        if (m_perHost.value((*it)->host()) >= m_maxPerHost) {
            ++it;
            continue;
        }
        m_active.push_back(std::move(*it));
        it = m_waiting.erase(it);
        send(m_active.back().get());
    }
}

void LinkChecker::send(Check* check)
{
    ++m_perHost[check->host()];
    if (!check->deadline) {
        check->deadline = new QTimer(this);
        check->deadline->setSingleShot(true);
        connect(check->deadline, &QTimer::timeout, this, [this, check] {
            judge(
                check,
                {LinkVerdict::Kind::Unreachable, 0, check->url.toString(), LinkVerdict::Cause::Timeout, {}, m_timeout});
        });
        check->deadline->start(m_timeout);
    }
    QNetworkRequest request(check->url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setHeader(QNetworkRequest::UserAgentHeader, UserAgent);
    check->certificateProblems.clear();
    QNetworkReply* reply = check->get ? m_network->get(request) : m_network->head(request);
    check->reply = reply;
    // A GET is judged by its headers; its body is never read.
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, check, reply] {
        if (const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute); status.isValid())
            answered(check, status.toInt());
    });
    connect(reply, &QNetworkReply::finished, this, [this, check, reply] {
        if (const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute); status.isValid())
            answered(check, status.toInt());
        else
            failed(check);
    });
    connect(reply, &QNetworkReply::sslErrors, this, [check](const QList<QSslError>& errors) {
        for (const QSslError& error : errors)
            check->certificateProblems.append(error.errorString());
    });
}

void LinkChecker::answered(Check* check, int status)
{
    if (!m_serverAnswered) {
        m_serverAnswered = true;
        releaseHeldBack();
    }
    // Read raw: Qt's parsed header drops the relative addresses that servers commonly send.
    const QUrl location = QUrl::fromEncoded(check->reply->rawHeader("Location"));
    if (status >= 300 && status < 400 && !location.isEmpty()) {
        if (check->redirects == MaxLinkRedirects)
            return judge(check, {LinkVerdict::Kind::Unreachable,
                                 status,
                                 check->url.toString(),
                                 LinkVerdict::Cause::TooManyRedirects,
                                 {}});
        if (check->redirects++ == 0)
            check->firstRedirectStatus = status;
        // Only the web is asked: Qt would open a file: address on this computer, and block on a FIFO.
        const QUrl next = check->url.resolved(location);
        if (const QString address = next.toString(); !IsWebLink(address))
            return judge(
                check, {LinkVerdict::Kind::Unreachable, status, address, LinkVerdict::Cause::NotWebRedirect, address});
        // The next address may be on another host, so it waits for a free place like any link.
        dropRequest(check);
        check->url = next;
        check->get = false;
        const auto it = find(m_active, [check](const Check& active) { return &active == check; });
        m_waiting.push_front(std::move(*it));
        m_active.erase(it);
        return startMore();
    }
    if ((status == 405 || status == 501) && !check->get) {
        dropRequest(check);
        check->get = true;
        return send(check);
    }
    // Only a redirect changes the address: one that ends where it began is no move.
    const QString finalUrl = check->url.toString();
    if (status >= 200 && status < 300) {
        if (finalUrl != check->link && check->url != QUrl(check->link))
            return judge(check, {LinkVerdict::Kind::Moved, check->firstRedirectStatus, finalUrl, {}, {}});
        return judge(check, {LinkVerdict::Kind::Fine, status, finalUrl, {}, {}});
    }
    judge(check, {LinkVerdict::Kind::Broken, status, finalUrl, {}, {}});
}

void LinkChecker::failed(Check* check)
{
    using Cause = LinkVerdict::Cause;
    const QNetworkReply* reply = check->reply;
    Cause cause = Cause::Other;
    QString reason = reply->errorString();
    switch (reply->error()) {
    case QNetworkReply::ConnectionRefusedError:
        cause = Cause::Refused;
        reason.clear(); // Qt's words say no more than the cause
        break;
    case QNetworkReply::HostNotFoundError:
        cause = Cause::HostNotFound;
        reason.clear();
        break;
    case QNetworkReply::TimeoutError:
        cause = Cause::Timeout;
        break;
    case QNetworkReply::UnknownNetworkError: // what Qt makes of "network unreachable" and "no route to host"
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        cause = Cause::NoRoute;
        break;
    case QNetworkReply::SslHandshakeFailedError:
        cause = Cause::Tls;
        if (!check->certificateProblems.isEmpty())
            reason = check->certificateProblems.join(QStringLiteral("; "));
        break;
    default:
        break;
    }
    if (!mayMeanNoNetwork(cause) && !m_serverAnswered) {
        m_serverAnswered = true; // a refusal, a handshake or a closed connection came from some server
        releaseHeldBack();
    }
    judge(check, {LinkVerdict::Kind::Unreachable, 0, check->url.toString(), cause, reason});
}

// Records the verdict and ends the link's requests, wherever the link stands.
void LinkChecker::judge(Check* check, LinkVerdict verdict)
{
    const QString link = check->link;
    const auto same = [check](const Check& other) { return &other == check; };
    dropRequest(check);
    if (const auto it = find(m_active, same); it != m_active.end())
        m_active.erase(it);
    else if (const auto waiting = find(m_waiting, same); waiting != m_waiting.end())
        m_waiting.erase(waiting);
    const bool holdBack = verdict.kind == LinkVerdict::Kind::Unreachable && mayMeanNoNetwork(verdict.cause);
    m_verdicts.insert(link, verdict);
    if (holdBack && !m_serverAnswered)
        m_heldBack.insert(link);
    else
        Q_EMIT linkChecked(link, verdict);
    if (m_heldBack.size() >= FailuresThatMeanNoNetwork && looksOffline())
        stopForNoNetwork();
    reportProgress();
    startMore();
    endIfDone();
}

bool LinkChecker::looksOffline() const
{
    QSet<QString> hosts;
    for (const QString& link : m_heldBack)
        hosts.insert(QUrl(link).host().toLower());
    return !m_serverAnswered && hosts.size() >= 2;
}

// Without a network each remaining link would only wait out its time, so the rest are left unasked.
void LinkChecker::stopForNoNetwork()
{
    for (const auto& check : m_active)
        dropRequest(check.get());
    m_active.clear();
    m_waiting.clear();
    for (const QString& link : std::as_const(m_links)) {
        if (!m_verdicts.contains(link))
            m_verdicts.insert(link, {LinkVerdict::Kind::NotChecked, 0, {}, LinkVerdict::Cause::NoNetwork, {}});
    }
}

void LinkChecker::dropRequest(Check* check)
{
    if (!check->reply)
        return;
    QNetworkReply* reply = std::exchange(check->reply, nullptr);
    reply->disconnect(this);
    // Deleting a reply that is still running aborts it and closes its connection, so a GET's body is never read.
    // abort() would do it at once, but Qt 6.4 warns when an error it has already queued (a 404, say) arrives
    // after an abort, and abort() is no safer in a slot of the reply's own signals than deletion is.
    reply->deleteLater();
    if (const QString host = check->host(); --m_perHost[host] <= 0)
        m_perHost.remove(host);
}

void LinkChecker::releaseHeldBack()
{
    const QSet<QString> held = std::exchange(m_heldBack, {});
    for (const QString& link : m_links) {
        if (held.contains(link))
            Q_EMIT linkChecked(link, m_verdicts.value(link));
    }
}

void LinkChecker::endIfDone()
{
    if (!m_running || !m_waiting.empty() || !m_active.empty())
        return;
    m_running = false;
    if (looksOffline()) {
        for (const QString& link : std::exchange(m_heldBack, {}))
            m_verdicts.insert(link, {LinkVerdict::Kind::NotChecked, 0, {}, LinkVerdict::Cause::NoNetwork, {}});
    } else {
        releaseHeldBack();
    }
    Q_EMIT finished(summary());
}

void LinkChecker::reportProgress()
{
    Q_EMIT progress(int(m_verdicts.size()), int(m_links.size()));
}

} // namespace orvanta
