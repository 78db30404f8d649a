// SPDX-License-Identifier: GPL-3.0-or-later
// The link check against a loopback server: each kind of answer and failure, the limits, links that change during
// a run, cancelling, and a run without a network.
#include "LinkServer.h"
#include "TestSupport.h"
#include "Version.h"
#include "links/LinkChecker.h"
#include "words/LinkWords.h"

#include <QElapsedTimer>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <sys/inotify.h>
#include <unistd.h>

using namespace orvanta;
using namespace Qt::StringLiterals;

namespace {

LinkSummary runToEnd(LinkChecker& checker, const QStringList& links)
{
    QSignalSpy finished(&checker, &LinkChecker::finished);
    checker.check(links);
    return finished.isEmpty() && !finished.wait(30000) ? LinkSummary{-1} : finished.first().at(0).value<LinkSummary>();
}

// "@" the server's address, "^" a closed port's.
QString resolve(QString link, const LinkServer& server)
{
    return link.replace(u'@', server.url({})).replace(u'^', u"http://127.0.0.1:%1"_s.arg(ClosedPort()));
}

} // namespace

class TestLinkChecker : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void verdicts_data()
    {
        QTest::addColumn<QString>("link"); // "!" a TLS server with a self-signed certificate
        QTest::addColumn<QString>("text"); // of the tooltip, which gives the kind and the status
        QTest::addColumn<QStringList>("requests");
        const auto row = [](const char* tag, const char* link, const char* text, const char* requests = "") {
            QTest::newRow(tag) << QString::fromUtf8(link) << QString::fromUtf8(text)
                               << QString::fromUtf8(requests).split(u',', Qt::SkipEmptyParts);
        };
        row("fine", "@/ok", "Fine (200)", "HEAD /ok");
        row("moved", "@/to/ok", "Moved (301): now @/ok", "HEAD /to/ok,HEAD /ok");
        row("moved to a missing page", "@/to/missing", "Broken (404) at @/missing", "HEAD /to/missing,HEAD /missing");
        row("missing", "@/missing", "Broken (404) at @/missing", "HEAD /missing");
        row("server error", "@/error", "Broken (500) at @/error", "HEAD /error");
        row("HEAD refused: GET, judged by its headers", "@/nohead", "Fine (200)", "HEAD /nohead,GET /nohead");
        row("never answers", "@/silent", "Unreachable: no answer (waited 0.2 s)", "HEAD /silent");
        row("refused", "^/ok", "Unreachable: the server refused the connection");
        row("redirect loop", "@/loop", "Unreachable: more than 10 redirects",
            "HEAD /loop,HEAD /loop,HEAD /loop,HEAD /loop,HEAD /loop,HEAD /loop,HEAD /loop,HEAD /loop,HEAD /loop,"
            "HEAD /loop,HEAD /loop");
        row("self-signed certificate", "!",
            "Unreachable: its secure connection is not trustworthy (The certificate is self-signed, and untrusted)");
        row("not a web link", "mailto:team@example.net", "Not checked: not a web link");
    }

    // A link twice is asked once; cookies the server sets are never sent back; the user agent names the app.
    void verdicts()
    {
        QFETCH(QString, link);
        QFETCH(QString, text);
        QFETCH(QStringList, requests);
        LinkServer server;
        const std::unique_ptr<QSslServer> tls(link == u"!" ? SelfSignedServer() : nullptr);
        QVERIFY(link != u"!" || tls);
        link = tls ? u"https://127.0.0.1:%1/ok"_s.arg(tls->serverPort()) : resolve(link, server);
        LinkChecker checker;
        checker.setTimeout(std::chrono::milliseconds(link.endsWith(u"/silent") ? 200 : 20000));
        QSignalSpy checked(&checker, &LinkChecker::linkChecked);
        QVERIFY(runToEnd(checker, {link, link}).noNetwork == false);
        QCOMPARE(checked.count(), 1);
        QCOMPARE(checked.first().at(0).toString(), link);
        QCOMPARE(LinkWords::verdict(checked.first().at(1).value<LinkVerdict>()), resolve(text, server));
        QCOMPARE(server.requests(), requests);
        for (const QString& headers : server.headers()) {
            // Header names are case-blind; newer Qt sends them in lower case.
            QVERIFY(headers.contains(u"User-Agent: Orvanta/" ORVANTA_VERSION " (link check)"_s, Qt::CaseInsensitive));
            QVERIFY(!headers.contains(u"cookie:"_s, Qt::CaseInsensitive));
        }
        QTRY_COMPARE(server.inFlight(), 0);
    }

    void redirectsLeaveTheWeb_data()
    {
        QTest::addColumn<QString>("address"); // "@" the test's folder
        QTest::newRow("a file") << u"file://@/secret.txt"_s;
        QTest::newRow("a FIFO") << u"file://@/fifo"_s;
        QTest::newRow("ftp") << u"ftp://127.0.0.1/secret.txt"_s;
        QTest::newRow("data") << u"data:text/plain,secret"_s;
        QTest::newRow("javascript") << u"javascript:alert(1)"_s;
    }

    // A redirect anywhere but to http or https is judged at once and not followed, and a link to a file is never
    // asked: nothing in the folder is opened (inotify watches it), and the FIFO, which would block, is not waited on.
    void redirectsLeaveTheWeb()
    {
        QFETCH(QString, address);
        QTemporaryDir folder;
        address.replace(u'@', folder.path());
        QVERIFY(writeAll(folder.filePath(u"secret.txt"_s), "secret"));
        const FifoTrap fifo(folder.filePath(u"fifo"_s));
        QVERIFY(fifo.isValid());
        const int opens = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        const auto closeOpens = qScopeGuard([opens] { ::close(opens); });
        QVERIFY(inotify_add_watch(opens, QFile::encodeName(folder.path()).constData(), IN_OPEN) >= 0);
        LinkServer server;
        const QString link = server.url(u"/away/"_s + QString::fromLatin1(QUrl::toPercentEncoding(address)));
        const QString fileLink = u"file://"_s + folder.filePath(u"fifo"_s);
        LinkChecker checker; // 10 s a link
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(runToEnd(checker, {link, fileLink}), (LinkSummary{0, 0, 0, 1, 1}));
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(LinkWords::verdict(*checker.verdict(link)),
                 u"Unreachable: moved to a non-web address (%1)"_s.arg(address));
        QCOMPARE(LinkWords::verdict(*checker.verdict(fileLink)), u"Not checked: not a web link"_s);
        QCOMPARE(server.requests().size(), 1);
        char events[4096];
        QCOMPARE(::read(opens, events, sizeof events), -1); // no event: nothing was opened
        QCOMPARE(errno, EAGAIN);
        QVERIFY(!fifo.caught());
    }

    void limits_data()
    {
        QTest::addColumn<int>("maxRunning"); // 0: the defaults, 6 and 2
        QTest::addColumn<int>("maxPerHost");
        QTest::addColumn<int>("links");
        QTest::addColumn<int>("hosts");
        QTest::newRow("1,000 links to 20 hosts") << 0 << 0 << 1000 << 20;
        QTest::newRow("one host") << 0 << 0 << 40 << 1;
        QTest::newRow("limits set") << 3 << 1 << 60 << 5;
    }

    // A host is an address and port; the server counts the requests it holds at once, in all and per address.
    void limits()
    {
        QFETCH(int, maxRunning);
        QFETCH(int, maxPerHost);
        QFETCH(int, links);
        QFETCH(int, hosts);
        LinkServer server(10);
        LinkChecker checker;
        if (maxRunning > 0) {
            checker.setMaxRunning(maxRunning);
            checker.setMaxPerHost(maxPerHost);
        }
        QStringList sheet;
        for (int i = 0; i < links; ++i)
            sheet.append(server.url(u"/slow/%1"_s.arg(i), i * hosts / links + 1)); // a host's links together
        QCOMPARE(runToEnd(checker, sheet), (LinkSummary{links}));
        QCOMPARE(server.mostInFlightOnOneHost(), maxRunning > 0 ? maxPerHost : 2);
        QCOMPARE(server.mostInFlight(), maxRunning > 0 ? maxRunning : std::min(6, 2 * hosts));
    }

    // A link edited during a run is dropped, its request stopped, and the new one asked; cancel stops every request.
    void linksChangedDuringARunAndCancel()
    {
        LinkServer server;
        LinkChecker checker;
        QSignalSpy finished(&checker, &LinkChecker::finished);
        QSignalSpy progress(&checker, &LinkChecker::progress);
        checker.check({server.url(u"/silent"_s), server.url(u"/ok"_s)});
        QTRY_VERIFY(checker.verdict(server.url(u"/ok"_s)) && server.inFlight() == 1);
        checker.update({server.url(u"/ok"_s), server.url(u"/missing"_s), u"mailto:a@b.test"_s});
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first().at(0).value<LinkSummary>(), (LinkSummary{1, 0, 1, 0, 1}));
        QCOMPARE(progress.last(), (QVariantList{3, 3}));
        QVERIFY(!checker.verdict(server.url(u"/silent"_s)) && !checker.isRunning());
        QTRY_COMPARE(server.inFlight(), 0);
        checker.recheck({server.url(u"/ok"_s)});
        QVERIFY(finished.wait(10000));
        QCOMPARE(server.requests().count(u"HEAD /ok"_s), 2);

        QStringList links;
        for (int i = 0; i < 12; ++i)
            links.append(server.url(u"/silent/%1"_s.arg(i), i % 4 + 1));
        checker.check(links);
        QTRY_COMPARE(server.inFlight(), 6);
        checker.cancel();
        QVERIFY(checker.requestsRunning() == 0 && !checker.isRunning()); // at once
        QTRY_COMPARE(server.inFlight(), 0);
        QCOMPARE(finished.count(), 2);
    }

    void noNetwork_data()
    {
        QTest::addColumn<QStringList>("links"); // "@N" the server as host N; after it, "@" as in resolve()
        QTest::addColumn<QString>("summary");
        QTest::addColumn<int>("reported"); // links reported one by one
        QTest::newRow("nothing answers on two hosts")
            << QStringList{u"@1/silent"_s, u"@2/silent"_s, u"mailto:a@b.test"_s}
            << u"No network: the links could not be checked"_s << 1;
        QStringList many;
        for (int i = 0; i < 20; ++i)
            many.append(u"@%1/silent/%2"_s.arg(i % 2 + 1).arg(i));
        QTest::newRow("nothing answers: the run stops after 12")
            << many << u"No network: the links could not be checked"_s << 0;
        QTest::newRow("one host cannot tell")
            << QStringList{u"@1/silent"_s, u"@1/silent/2"_s} << u"2 unreachable"_s << 2;
        QTest::newRow("a server answers")
            << QStringList{u"@1/silent"_s, u"@2/silent"_s, u"@3/ok"_s} << u"1 fine, 2 unreachable"_s << 3;
        QTest::newRow("a refusal is an answer")
            << QStringList{u"@1/silent"_s, u"@2/silent"_s, u"^/"_s} << u"3 unreachable"_s << 3;
        // Its time runs out while it waits for a place on the busy host it was sent to.
        QTest::newRow("a redirect waits out its time")
            << QStringList{u"@2/away/@/silent"_s, u"@1/silent/2"_s, u"@1/silent/3"_s} << u"3 unreachable"_s << 3;
    }

    // Without a network every link fails alike; failures that may mean that are held back until a server answers.
    void noNetwork()
    {
        QFETCH(QStringList, links);
        QFETCH(QString, summary);
        QFETCH(int, reported);
        LinkServer server;
        for (QString& link : links)
            link = link.startsWith(u'@') ? server.url(resolve(link.mid(2), server), link.at(1).digitValue())
                                         : resolve(link, server);
        LinkChecker checker;
        checker.setTimeout(std::chrono::milliseconds(200));
        QSignalSpy checked(&checker, &LinkChecker::linkChecked);
        QCOMPARE(LinkWords::summary(runToEnd(checker, links)), summary);
        QCOMPARE(checked.count(), reported);
        if (summary.startsWith(u"No network")) {
            QCOMPARE(LinkWords::verdict(*checker.verdict(links.at(1))), u"Not checked: there is no network"_s);
            QVERIFY(server.requests().size() <= 16); // 12 failed; at most 4 more were under way when the run stopped
        }
    }
};

QTEST_GUILESS_MAIN(TestLinkChecker)
#include "tst_linkchecker.moc"
