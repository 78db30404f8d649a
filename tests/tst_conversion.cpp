#include "TestSupport.h"
#include "core/Conversion.h"
#include "core/PdfConverter.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <sys/stat.h>

using namespace orvanta;
using Outcome = ConversionResult::Outcome;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(orvanta::ConversionResult::Outcome)

namespace {

// A folder with a page, an output folder holding an earlier PDF, and a stand-in converter.
struct Bench {
    QTemporaryDir dir;
    QString page = dir.path() + u"/bin/page.html"_s;
    QString output = dir.path() + u"/bin/output"_s;
    QString pdf = output + u"/sheet.pdf"_s;
    QString converter = dir.path() + u"/converter"_s;

    Bench()
    {
        QDir().mkpath(output);
        writeAll(page, "<html><body>page</body></html>");
        writeAll(pdf, "earlier PDF");
    }

    void writeConverter(const QString& script) const
    {
        writeAll(converter, script.toUtf8());
        QFile::setPermissions(converter, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QStringList leftovers() const
    {
        return QDir(output).entryList(QDir::Files | QDir::Hidden).filter(u".converting-"_s);
    }
};

ConversionResult convert(PdfConverter& converter, const QString& program, const Bench& bench,
                         std::chrono::milliseconds limit = 20s)
{
    QSignalSpy finished(&converter, &PdfConverter::finished);
    converter.start(program, bench.page, bench.pdf, limit);
    if (finished.isEmpty() && !finished.wait(30000))
        return {Outcome::Crashed, -1, u"test: no finished signal"_s, {}};
    return finished.takeFirst().at(0).value<ConversionResult>();
}

} // namespace

class TestConversion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void verdict_data();
    void verdict();
    void argumentsReachTheConverterWhole();
    void errorLines_data();
    void errorLines();
    void completePdf_data();
    void completePdf();
    void findsBundledConverterFirst();
};

void TestConversion::verdict_data()
{
    QTest::addColumn<QString>("script"); // "missing": no program; "blocked": a file where the output folder goes
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QString>("reported"); // in the error lines or the system's reason
    QTest::addColumn<int>("limit");        // milliseconds: short only where the limit is what is tested

    QTest::newRow("writes a PDF") << pdfWritingScript() << Outcome::Succeeded << QString() << 20000;
    QTest::newRow("exit 1 with a good PDF is a success")
        << pdfWritingScript({}, u"echo 'Warning: Failed to load https://cdn (HostNotFoundError)' >&2\nexit 1"_s)
        << Outcome::Succeeded << QString() << 20000;
    QTest::newRow("exit 0 without a PDF")
        << QStringLiteral("#!/bin/sh\necho 'Loading page (1/2)' >&2\necho 'QPainter::begin(): Returned false' >&2\n"
                          "echo Done >&2\nexit 0\n")
        << Outcome::NoPdf << u"QPainter::begin(): Returned false"_s << 20000;
    QTest::newRow("exit 1 with an error and no PDF")
        << u"#!/bin/sh\necho 'Error: Failed loading page file:///x' >&2\nexit 1\n"_s << Outcome::NoPdf
        << u"Error: Failed loading page file:///x"_s << 20000;
    QTest::newRow("truncated PDF") << u"#!/bin/sh\nprintf '%%PDF-1.4\\n1 0 obj' > \"$2\"\n"_s << Outcome::NoPdf
                                   << QString() << 20000;
    QTest::newRow("crash") << u"#!/bin/sh\necho 'about to fail' >&2\nkill -SEGV $$\n"_s << Outcome::Crashed
                           << u"about to fail"_s << 20000;
    QTest::newRow("crash after writing a PDF")
        << pdfWritingScript({}, u"kill -SEGV $$"_s) << Outcome::Crashed << QString() << 20000;
    QTest::newRow("hangs past the limit") << u"#!/bin/sh\nexec sleep 30\n"_s << Outcome::TimedOut << QString() << 500;
    QTest::newRow("no such program") << u"missing"_s << Outcome::FailedToStart << u"/nowhere/wkhtmltopdf"_s << 20000;
    QTest::newRow("not executable") << QString() << Outcome::FailedToStart << u"/converter"_s << 20000;
    QTest::newRow("output folder cannot take a file")
        << u"blocked"_s << Outcome::FailedToStart << u"/bin/output"_s << 20000;
}

void TestConversion::verdict()
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
        bench.writeConverter(pdfWritingScript());
        QDir(bench.output).removeRecursively();
        writeAll(bench.output, "a file where the folder should be");
    } else if (script.isEmpty()) {
        writeAll(bench.converter, "#!/bin/sh\n"); // present but not executable
    } else {
        bench.writeConverter(script);
    }
    PdfConverter converter;
    const ConversionResult result = convert(converter, program, bench, std::chrono::milliseconds(limit));

    QCOMPARE(result.outcome, outcome);
    QVERIFY2((result.errorLines + result.detail).contains(reported), qPrintable(result.errorLines + result.detail));
    QVERIFY(!converter.isRunning());
    QVERIFY2(bench.leftovers().isEmpty(), qPrintable(bench.leftovers().join(u' ')));
    if (outcome == Outcome::Succeeded) {
        QVERIFY(IsCompletePdf(bench.pdf));
        // Readable like any new file, not private like the temporary file it was written as.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        QCOMPARE(QFileInfo(bench.pdf).permission(QFile::ReadOther), (mask & S_IROTH) == 0);
        QCOMPARE(QFileInfo(bench.pdf).permission(QFile::ReadGroup), (mask & S_IRGRP) == 0);
    } else if (script != u"blocked") {
        QCOMPARE(readAll(bench.pdf), QByteArray("earlier PDF"));
        const QString message = ConversionFailureMessage(result, bench.pdf, std::chrono::milliseconds(limit));
        QVERIFY(message.contains(u"earlier file"_s));
        QVERIFY(message.contains(result.errorLines));
    }
}

void TestConversion::argumentsReachTheConverterWhole()
{
    Bench bench;
    const QString odd = bench.dir.path() + u"/it's a \"page\" $HOME; `x` ü.html"_s;
    QFile::rename(bench.page, odd);
    bench.page = odd;
    const QString record = bench.dir.path() + u"/arguments"_s;
    bench.writeConverter(pdfWritingScript(u"printf '%s\\n' \"$#\" \"$@\" \"$QT_QPA_PLATFORM\" > '%1'"_s.arg(record)));

    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", "wayland"); // as on a Wayland desktop
    PdfConverter converter;
    const ConversionResult result = convert(converter, bench.converter, bench);
    qputenv("QT_QPA_PLATFORM", platform);
    QCOMPARE(result.outcome, Outcome::Succeeded);
    const QStringList arguments = QString::fromUtf8(readAll(record)).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(arguments.size(), 4);
    QCOMPARE(arguments.at(0), u"2"_s);
    QCOMPARE(arguments.at(1), odd);
    // The converter writes beside the PDF, so the final move cannot cross file systems.
    QCOMPARE(QFileInfo(arguments.at(2)).absolutePath(), bench.output);
    QVERIFY(arguments.at(2).endsWith(u".pdf"_s));
    QVERIFY(arguments.at(2) != bench.pdf);
    // Whatever platform the app runs on, the converter needs no display.
    QCOMPARE(arguments.at(3), u"offscreen"_s);
}

void TestConversion::errorLines_data()
{
    QTest::addColumn<QByteArray>("standardError");
    QTest::addColumn<QString>("expected");

    // As Debian's converter prints it when it cannot write the output path.
    QTest::newRow("unwritable output")
        << QByteArray("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-root'\nLoading page (1/2)\n"
                      "[>                ] 0%\r[=======>         ] 50%\r[================] 100%\rPrinting pages "
                      "(2/2)      \nQPainter::begin(): Returned false\n[>          ] \rDone          \n")
        << u"QPainter::begin(): Returned false"_s;
    QTest::newRow("errors win over warnings and other lines")
        << QByteArray("Warning: Blocked access to file /a.js\nsomething else\nError: Failed loading page http://x\n")
        << u"Error: Failed loading page http://x"_s;
    QTest::newRow("warnings when nothing else was said")
        << QByteArray("Loading page (1/2)\nWarning: Blocked access to file /a.js\n")
        << u"Warning: Blocked access to file /a.js"_s;
    QTest::newRow("only the last lines") << QByteArray("Error: 1\nError: 2\nError: 3\nError: 4\nError: 5\nError: 6\n")
                                         << u"Error: 3\nError: 4\nError: 5\nError: 6"_s;
    QTest::newRow("nothing but progress") << QByteArray("Loading page (1/2)\n[====] 100%\rDone\n") << QString();
}

void TestConversion::errorLines()
{
    QFETCH(QByteArray, standardError);
    QFETCH(QString, expected);
    QCOMPARE(ConverterErrorLines(standardError), expected);
}

void TestConversion::completePdf_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("complete");

    QTest::newRow("complete") << QByteArray("%PDF-1.4\nbody\n%%EOF\n") << true;
    QTest::newRow("complete, long") << QByteArray("%PDF-1.4\n") + QByteArray(100000, 'x') + "\n%%EOF" << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("no end marker") << QByteArray("%PDF-1.4\nbody\n") << false;
    QTest::newRow("end marker far from the end") << QByteArray("%PDF-1.4\n%%EOF\n") + QByteArray(5000, 'x') << false;
    QTest::newRow("not a PDF") << QByteArray("<html>%%EOF</html>") << false;
}

void TestConversion::completePdf()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, complete);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"x.pdf"_s);
    writeAll(path, content);
    QCOMPARE(IsCompletePdf(path), complete);
}

void TestConversion::findsBundledConverterFirst()
{
    TestInstallation installation;
    QVERIFY(installation.isValid());
    const QByteArray savedPath = qgetenv("PATH");
    QTemporaryDir emptyPath;
    qputenv("PATH", emptyPath.path().toLocal8Bit());

    QCOMPARE(FindConverter(installation.folder()), QString());
    QVERIFY(ConverterMissingMessage(installation.folder()).contains(u"apt install wkhtmltopdf"_s));

    QTemporaryDir onPath;
    const QString pathConverter = onPath.filePath(u"wkhtmltopdf"_s);
    writeAll(pathConverter, "#!/bin/sh\n");
    QFile::setPermissions(pathConverter, QFile::ReadOwner | QFile::ExeOwner);
    qputenv("PATH", onPath.path().toLocal8Bit());
    QCOMPARE(FindConverter(installation.folder()), pathConverter);

    installation.installConverter(u"#!/bin/sh\n"_s);
    QCOMPARE(FindConverter(installation.folder()), installation.path(u"/bin/wkhtmltopdf"_s));
    qputenv("PATH", savedPath);
}

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
