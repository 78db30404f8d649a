// The link check against a loopback server: each kind of answer and failure, the limits, links that change during
// a run, cancelling, and a run without a network.
#include "LinkServer.h"
#include "core/Version.h"
#include "links/LinkChecker.h"

#include <QSignalSpy>
#include <QTest>

using namespace orvanta;
using namespace Qt::StringLiterals;
using Kind = LinkVerdict::Kind;
using Cause = LinkVerdict::Cause;

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Cause)

namespace {

LinkSummary runToEnd(LinkChecker& checker, const QStringList& links)
{
    QSignalSpy finished(&checker, &LinkChecker::finished);
    checker.check(links);
    if (finished.isEmpty() && !finished.wait(30000))
        return {-1};
    return finished.first().at(0).value<LinkSummary>();
}

} // namespace

class TestLinkChecker : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void verdicts_data()
    {
        QTest::addColumn<QString>("link"); // "@" the server, "!" a self-signed TLS server, "^" a closed port
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("status");
        QTest::addColumn<Cause>("cause");
        QTest::addColumn<QString>("text"); // of the tooltip
        QTest::addColumn<QStringList>("requests");
        const auto row = [](const char* tag, const char* link, Kind kind, int status, Cause cause, const char* text,
                            const QStringList& requests) {
            QTest::newRow(tag) << QString::fromUtf8(link) << kind << status << cause << QString::fromUtf8(text)
                               << requests;
        };
        row("fine", "@/ok", Kind::Fine, 200, Cause::None, "Fine (200)", {u"HEAD /ok"_s});
        row("moved", "@/to/ok", Kind::Moved, 301, Cause::None, "Moved (301): now @/ok",
            {u"HEAD /to/ok"_s, u"HEAD /ok"_s});
        row("moved to a missing page", "@/to/missing", Kind::Broken, 404, Cause::None, "Broken (404) at @/missing",
            {u"HEAD /to/missing"_s, u"HEAD /missing"_s});
        row("missing", "@/missing", Kind::Broken, 404, Cause::None, "Broken (404) at @/missing", {u"HEAD /missing"_s});
        row("server error", "@/error", Kind::Broken, 500, Cause::None, "Broken (500) at @/error", {u"HEAD /error"_s});
        row("HEAD refused: GET, judged by its headers", "@/nohead", Kind::Fine, 200, Cause::None, "Fine (200)",
            {u"HEAD /nohead"_s, u"GET /nohead"_s});
        row("never answers", "@/silent", Kind::Unreachable, 0, Cause::Timeout, "Unreachable: no answer (waited 0.2 s)",
            {u"HEAD /silent"_s});
        row("refused", "^/ok", Kind::Unreachable, 0, Cause::Refused, "Unreachable: the server refused the connection",
            {});
        row("redirect loop", "@/loop", Kind::Unreachable, 302, Cause::TooManyRedirects,
            "Unreachable: more than 10 redirects", QStringList(11, u"HEAD /loop"_s));
        row("self-signed certificate", "!", Kind::Unreachable, 0, Cause::Tls,
            "Unreachable: its secure connection is not trustworthy (The certificate is self-signed, and untrusted)",
            {});
        row("not a web link", "mailto:team@example.net", Kind::NotChecked, 0, Cause::None,
            "Not checked: not a web link", {});
    }

    // Cookies the server sets are never sent back, and the user agent names the app.
    void verdicts()
    {
        QFETCH(QString, link);
        QFETCH(Kind, kind);
        QFETCH(int, status);
        QFETCH(Cause, cause);
        QFETCH(QString, text);
        QFETCH(QStringList, requests);
        LinkServer server;
        const std::unique_ptr<SelfSignedServer> tls(link == u"!" ? new SelfSignedServer : nullptr);
        QVERIFY(!tls || !tls->url().isEmpty());
        const QString base = server.url({});
        link = link == u"!"
                   ? tls->url()
                   : QString(link).replace(u'@', base).replace(u'^', u"http://127.0.0.1:%1"_s.arg(ClosedPort()));
        LinkChecker checker;
        checker.setTimeout(std::chrono::milliseconds(cause == Cause::Timeout ? 200 : 20000));
        QSignalSpy checked(&checker, &LinkChecker::linkChecked);
        QVERIFY(runToEnd(checker, {link, link}).noNetwork == false);
        QCOMPARE(checked.count(), 1); // a link in the sheet twice is asked once
        const LinkVerdict verdict = checked.first().at(1).value<LinkVerdict>();
        QCOMPARE(checked.first().at(0).toString(), link);
        QCOMPARE(verdict.kind, kind);
        QCOMPARE(verdict.status, status);
        QCOMPARE(verdict.cause, cause);
        QCOMPARE(LinkVerdictText(verdict), text.replace(u'@', base));
        QCOMPARE(server.requests(), requests);
        for (const QString& headers : server.headers()) {
            QVERIFY2(headers.contains(u"User-Agent: Orvanta/" ORVANTA_VERSION ""_s), qPrintable(headers));
            QVERIFY2(!headers.contains(u"cookie:"_s, Qt::CaseInsensitive), qPrintable(headers));
        }
        QTRY_COMPARE(server.inFlight(), 0);
    }

    void limits_data()
    {
        QTest::addColumn<int>("maxRunning");
        QTest::addColumn<int>("maxPerHost");
        QTest::addColumn<int>("links");
        QTest::addColumn<int>("hosts");
        QTest::addColumn<int>("mostInFlight");
        QTest::newRow("1,000 links to 20 hosts") << 0 << 0 << 1000 << 20 << 6;
        QTest::newRow("one host") << 0 << 0 << 40 << 1 << 2;
        QTest::newRow("limits set") << 3 << 1 << 60 << 5 << 3;
    }

    // A host is an address and port; the server counts the requests it holds at once, in all and per address.
    void limits()
    {
        QFETCH(int, maxRunning);
        QFETCH(int, maxPerHost);
        QFETCH(int, links);
        QFETCH(int, hosts);
        QFETCH(int, mostInFlight);
        LinkServer server(10);
        LinkChecker checker;
        if (maxRunning > 0) {
            checker.setMaxRunning(maxRunning);
            checker.setMaxPerHost(maxPerHost);
        }
        QStringList sheet;
        for (int i = 0; i < links; ++i)
            sheet.append(server.url(u"/slow/%1"_s.arg(i), i * hosts / links + 1)); // a host's links together
        QSignalSpy progress(&checker, &LinkChecker::progress);
        QCOMPARE(runToEnd(checker, sheet), (LinkSummary{links}));
        QCOMPARE(server.requests().size(), links);
        QCOMPARE(server.mostInFlight(), mostInFlight);
        QCOMPARE(server.mostInFlightOnOneHost(), maxRunning > 0 ? maxPerHost : 2);
        QCOMPARE(progress.last(), (QVariantList{links, links}));
    }

    // A link edited during a run: the old one is dropped, its request stopped, and the new one asked.
    void linksChangedDuringARun()
    {
        LinkServer server;
        LinkChecker checker;
        QSignalSpy finished(&checker, &LinkChecker::finished);
        checker.check({server.url(u"/silent"_s), server.url(u"/ok"_s)});
        QTRY_VERIFY(checker.verdict(server.url(u"/ok"_s)) && server.inFlight() == 1);
        checker.update({server.url(u"/ok"_s), server.url(u"/missing"_s), u"mailto:a@b.test"_s});
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first().at(0).value<LinkSummary>(), (LinkSummary{1, 0, 1, 0, 1}));
        QVERIFY(!checker.verdict(server.url(u"/silent"_s)));
        QTRY_COMPARE(server.inFlight(), 0);
        checker.recheck({server.url(u"/ok"_s)});
        QVERIFY(finished.wait(10000));
        QStringList requests = server.requests();
        requests.sort();
        QCOMPARE(requests, (QStringList{u"HEAD /missing"_s, u"HEAD /ok"_s, u"HEAD /ok"_s, u"HEAD /silent"_s}));
    }

    void cancelStopsEveryRequest()
    {
        LinkServer server;
        LinkChecker checker;
        QSignalSpy finished(&checker, &LinkChecker::finished);
        QStringList links;
        for (int i = 0; i < 12; ++i)
            links.append(server.url(u"/silent/%1"_s.arg(i), i % 4 + 1));
        checker.check(links);
        QTRY_COMPARE(server.inFlight(), 6);
        checker.cancel();
        QCOMPARE(checker.requestsRunning(), 0);
        QVERIFY(!checker.isRunning());
        QTRY_COMPARE(server.inFlight(), 0);
        QCOMPARE(server.requests().size(), 6);
        QCOMPARE(finished.count(), 0);
    }

    void noNetwork_data()
    {
        QTest::addColumn<QStringList>("links"); // "@N" the server as host N, "^" a closed port
        QTest::addColumn<QString>("summary");
        QTest::addColumn<int>("reported"); // links reported one by one
        QTest::newRow("nothing answers on two hosts")
            << QStringList{u"@1/silent"_s, u"@2/silent"_s, u"mailto:a@b.test"_s}
            << u"No network: the links could not be checked"_s << 1;
        QTest::newRow("one host cannot tell")
            << QStringList{u"@1/silent"_s, u"@1/silent/2"_s} << u"2 unreachable"_s << 2;
        QTest::newRow("a server answers")
            << QStringList{u"@1/silent"_s, u"@2/silent"_s, u"@3/ok"_s} << u"1 fine, 2 unreachable"_s << 3;
        QTest::newRow("a refusal is an answer")
            << QStringList{u"@1/silent"_s, u"@2/silent"_s, u"^"_s} << u"3 unreachable"_s << 3;
    }

    // Without a network every link fails alike; failures that may mean that are held back until a server answers.
    void noNetwork()
    {
        QFETCH(QStringList, links);
        QFETCH(QString, summary);
        QFETCH(int, reported);
        LinkServer server;
        for (QString& link : links) {
            if (link.startsWith(u'@'))
                link = server.url(link.mid(2), link.at(1).digitValue());
            link.replace(u'^', u"http://127.0.0.1:%1/"_s.arg(ClosedPort()));
        }
        LinkChecker checker;
        checker.setTimeout(std::chrono::milliseconds(200));
        QSignalSpy checked(&checker, &LinkChecker::linkChecked);
        QCOMPARE(LinkSummaryText(runToEnd(checker, links)), summary);
        QCOMPARE(checked.count(), reported);
        if (reported == 1)
            QCOMPARE(LinkVerdictText(*checker.verdict(links.first())), u"Not checked: there is no network"_s);
    }
};

QTEST_GUILESS_MAIN(TestLinkChecker)
#include "tst_linkchecker.moc"
