// SPDX-License-Identifier: GPL-3.0-or-later
// The converter run and its verdict, judged by the file it writes; its output boiled down to what it reported.
#include "TestSupport.h"
#include "engines/Conversion.h"
#include "engines/WkhtmltopdfEngine.h"
#include "words/BuildWords.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <sys/stat.h>

using namespace orvanta;
using Outcome = ConversionResult::Outcome;

Q_DECLARE_METATYPE(orvanta::ConversionResult::Outcome)

namespace {

// A page, an output folder holding an earlier PDF, and a stand-in converter.
struct Bench {
    QTemporaryDir dir;
    QString page = dir.path() + u"/page.html"_s;
    QString output = dir.path() + u"/output"_s;
    QString pdf = output + u"/sheet.pdf"_s;
    QString converter = dir.path() + u"/converter"_s;

    Bench()
    {
        QDir().mkpath(output);
        writeAll(page, "<a class=\"cta\">page</a>");
        writeAll(pdf, "earlier PDF");
    }
    bool writeConverter(const QString& script) const
    {
        return writeAll(converter, script.toUtf8()) &&
               QFile::setPermissions(converter, QFile::ExeOwner | QFile::ReadOwner);
    }
    ConversionResult convert(const QString& program, std::chrono::milliseconds limit = std::chrono::seconds(20))
    {
        WkhtmltopdfEngine engine(program);
        engine.setTitle(u"Grow & Keep"_s);
        QSignalSpy finished(&engine, &WkhtmltopdfEngine::finished);
        engine.start(page, pdf, limit);
        if (finished.isEmpty() && !finished.wait(30000))
            return {Outcome::Crashed, -1, u"test: no finished signal"_s, {}};
        return finished.takeFirst().at(0).value<ConversionResult>();
    }
};

} // namespace

class TestConversion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void verdict_data()
    {
        QTest::addColumn<QString>("script"); // "missing": no program; "blocked": a file where the output folder goes
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QString>("reported"); // in the error lines or the system's reason
        QTest::addColumn<int>("limit");        // milliseconds: short only where the limit is what is tested
        QTest::newRow("writes a PDF") << pdfWritingScript() << Outcome::Succeeded << QString() << 20000;
        QTest::newRow("exit 1 with a good PDF is a success")
            << pdfWritingScript({}, u"echo 'Warning: Failed to load https://cdn' >&2\nexit 1"_s) << Outcome::Succeeded
            << QString() << 20000;
        QTest::newRow("exit 0 without a PDF") << u"#!/bin/sh\necho 'QPainter::begin(): Returned false' >&2\n"_s
                                              << Outcome::NoPdf << u"QPainter::begin(): Returned false"_s << 20000;
        QTest::newRow("crash") << u"#!/bin/sh\necho 'about to fail' >&2\nkill -SEGV $$\n"_s << Outcome::Crashed
                               << u"about to fail"_s << 20000;
        QTest::newRow("a PDF cut short")
            << u"#!/bin/sh\nfor a; do out=$a; done\nprintf '%%PDF-1.4\\n1 0 obj' > \"$out\"\n"_s << Outcome::NoPdf
            << QString() << 20000;
        QTest::newRow("crash after writing a PDF")
            << pdfWritingScript({}, u"kill -SEGV $$"_s) << Outcome::Crashed << QString() << 20000;
        QTest::newRow("hangs past the limit")
            << u"#!/bin/sh\nexec sleep 30\n"_s << Outcome::TimedOut << QString() << 500;
        QTest::newRow("no such program") << u"missing"_s << Outcome::FailedToStart << u"/nowhere/wkhtmltopdf"_s
                                         << 20000;
        QTest::newRow("output folder cannot take a file")
            << u"blocked"_s << Outcome::FailedToStart << u"/output"_s << 20000;
    }

    // A failure never touches the earlier PDF, and no temporary file is left either way.
    void verdict()
    {
        QFETCH(QString, script);
        QFETCH(Outcome, outcome);
        QFETCH(QString, reported);
        QFETCH(int, limit);
        Bench bench;
        QString program = bench.converter;
        if (script == u"missing") {
            program = bench.dir.path() + u"/nowhere/wkhtmltopdf"_s;
        } else if (script == u"blocked") {
            QVERIFY(bench.writeConverter(pdfWritingScript()) && QDir(bench.output).removeRecursively());
            QVERIFY(writeAll(bench.output, "a file where the folder should be"));
        } else {
            QVERIFY(bench.writeConverter(script));
        }
        const ConversionResult result = bench.convert(program, std::chrono::milliseconds(limit));
        QCOMPARE(result.outcome, outcome);
        QVERIFY2((result.errorLines + result.detail).contains(reported), qPrintable(result.errorLines + result.detail));
        QCOMPARE(QDir(bench.output).entryList(QDir::Files | QDir::Hidden).filter(u".converting-"_s), QStringList());
        if (outcome == Outcome::Succeeded) {
            QVERIFY(pdfInfo(bench.pdf).contains(u"Title:           Grow & Keep\n"_s)); // the PDF had no /Info
            // Readable like any new file, not private like the temporary file it was written as.
            const mode_t mask = ::umask(0);
            ::umask(mask);
            QCOMPARE(QFileInfo(bench.pdf).permission(QFile::ReadOther), (mask & S_IROTH) == 0);
        } else if (script != u"blocked") {
            QCOMPARE(readAll(bench.pdf), "earlier PDF");
            const QString message = BuildWords::conversionFailure(result, bench.pdf, std::chrono::milliseconds(limit));
            QVERIFY(message.contains(u"The earlier file of that name was kept."_s) &&
                    message.contains(result.errorLines));
        }
    }

    // No shell: an awkward path is one argument; the converter writes beside the PDF and needs no display.
    void argumentsReachTheConverterWhole()
    {
        Bench bench;
        const QString odd = bench.dir.path() + u"/it's a \"page\" $HOME; `x` ü.html"_s;
        QVERIFY(QFile::rename(bench.page, odd));
        bench.page = odd;
        const QString record = bench.dir.path() + u"/arguments"_s;
        QVERIFY(bench.writeConverter(
            pdfWritingScript(u"printf '%s\\n' \"$#\" \"$@\" \"$QT_QPA_PLATFORM\" > '%1'"_s.arg(record))));
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        qputenv("QT_QPA_PLATFORM", "wayland"); // as on a Wayland desktop
        QCOMPARE(bench.convert(bench.converter).outcome, Outcome::Succeeded);
        qputenv("QT_QPA_PLATFORM", platform);
        const QStringList arguments = QString::fromUtf8(readAll(record)).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(arguments.size(), 4);
        QCOMPARE(arguments.mid(0, 2), (QStringList{u"2"_s, odd}));
        QCOMPARE(QFileInfo(arguments.at(2)).absolutePath(), bench.output);
        QVERIFY(arguments.at(2).endsWith(u".pdf"_s) && arguments.at(2) != bench.pdf);
        QCOMPARE(arguments.at(3), u"offscreen"_s);
    }

    // The limit grows with the sheet, but never past the ceiling: a huge sheet does not hold the engine for minutes.
    void timeLimit_data()
    {
        QTest::addColumn<int>("resources");
        QTest::addColumn<int>("seconds");
        QTest::newRow("none") << 0 << 60;
        QTest::newRow("1,000") << 1000 << 70;
        QTest::newRow("the most printed") << int(MaxPrintedResources) << 110;
        QTest::newRow("100,000") << 100000 << 120;
    }

    void timeLimit()
    {
        QFETCH(int, resources);
        QFETCH(int, seconds);
        QCOMPARE(ConversionTimeLimit(resources), std::chrono::seconds(seconds));
    }

    void errorLines_data()
    {
        QTest::addColumn<QByteArray>("standardError");
        QTest::addColumn<QString>("expected");
        // As Debian's converter prints it when it cannot write the output path.
        QTest::newRow("noise and progress dropped")
            << QByteArray(
                   "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-root'\nLoading page (1/2)\n"
                   "[>     ] 0%\r[=====>] 50%\rPrinting pages (2/2)      \nQPainter::begin(): Returned false\nDone\n")
            << u"QPainter::begin(): Returned false"_s;
        QTest::newRow("errors win") << QByteArray(
                                           "Warning: Blocked /a.js\nsomething else\nError: Failed page http://x\n")
                                    << u"Error: Failed page http://x"_s;
        QTest::newRow("warnings when nothing else")
            << QByteArray("Loading page (1/2)\nWarning: Blocked /a.js\n") << u"Warning: Blocked /a.js"_s;
        QTest::newRow("only the last lines") << QByteArray("Error: 1\nError: 2\nError: 3\nError: 4\nError: 5\n")
                                             << u"Error: 2\nError: 3\nError: 4\nError: 5"_s;
    }

    void errorLines()
    {
        QFETCH(QByteArray, standardError);
        QFETCH(QString, expected);
        QCOMPARE(WkhtmltopdfErrorLines(standardError), expected);
    }
};

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
