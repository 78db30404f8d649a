// SPDX-License-Identifier: GPL-3.0-or-later
// `orvanta build` as a user runs it: the real program, from an installation folder, with no display.
#include "LinkServer.h"
#include "TestSupport.h"
#include "Version.h"
#include "cli/CommandLine.h"
#include "cover/CoverImage.h"
#include "engines/Conversion.h"
#include "sheet/SheetFile.h"
#include "sheet/TextFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <csignal>

using namespace orvanta;

namespace {

// NAME.png is page 1 of NAME.pdf 1200 pixels wide, as poppler draws it too: within 1% per pixel on average, and not
// blank.
bool coverMatchesPage(const QString& pdfPath)
{
    const QString base = pdfPath.chopped(4);
    const QImage cover = QImage(base + u".png"_s).convertToFormat(QImage::Format_Grayscale8);
    if (cover.width() != CoverWidth || qAbs(double(cover.height()) / cover.width() - 297.0 / 210) > 0.002)
        return false;
    QProcess::execute(u"pdftoppm"_s,
                      {u"-png"_s, u"-gray"_s, u"-singlefile"_s, u"-scale-to-x"_s, u"1200"_s, u"-scale-to-y"_s,
                       QString::number(cover.height()), pdfPath, base + u"-poppler"_s});
    const QImage poppler = QImage(base + u"-poppler.png"_s).convertToFormat(QImage::Format_Grayscale8);
    if (poppler.size() != cover.size())
        return false;
    qint64 difference = 0, ink = 0;
    for (int y = 0; y < cover.height(); ++y) {
        const uchar* coverLine = cover.constScanLine(y); // one grey byte a pixel
        const uchar* popplerLine = poppler.constScanLine(y);
        for (int x = 0; x < cover.width(); ++x) {
            difference += qAbs(coverLine[x] - popplerLine[x]);
            ink += 255 - coverLine[x];
        }
    }
    const double pixels = double(cover.width()) * cover.height();
    return difference / pixels < 0.01 * 255 && ink / pixels > 0.01 * 255;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The words that run the command line; anything else, a sheet's name included, is for the window.
    void commandOrWindow()
    {
        const auto command = [](std::vector<const char*> arguments) {
            arguments.insert(arguments.begin(), "orvanta");
            return IsCommandLine(int(arguments.size()), const_cast<char**>(arguments.data()));
        };
        for (const char* word : {"build", "check", "--help", "-h", "--version", "-v"})
            QVERIFY2(command({word, "x.orvanta"}), word);
        QVERIFY(!command({}) && !command({"x.orvanta"}) && !command({"chek"}));
    }

    void build_data()
    {
        QTest::addColumn<QStringList>("arguments"); // "@" stands for the folder of the sheets
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("out"); // "@" the sheets' folder, "~" the installation folder
        QTest::addColumn<QString>("err");     // a part of what stderr says

        const auto row = [](const char* tag, const char* arguments, int exitCode, const QStringList& out,
                            const char* err = "") {
            QTest::newRow(tag) << QString::fromUtf8(arguments).split(u' ') << exitCode << out << QString::fromUtf8(err);
        };
        row("version", "--version", 0, {QStringLiteral("orvanta " ORVANTA_VERSION)});
        row("no sheet", "build", 2, {}, "name at least one sheet");
        row("-o with two sheets", "build @/a.orvanta @/b.orvanta -o @/x.pdf", 2, {}, "-o names the PDF of one sheet");
        row("-o and --output-dir", "build @/a.orvanta -o @/x.pdf --output-dir @/out", 2, {}, "cannot go together");
        row("bad --jobs", "build @/a.orvanta --jobs none", 2, {}, "--jobs takes a whole number");
        row("no jobs", "build @/a.orvanta --jobs 0", 2, {}, "--jobs takes a whole number");
        row("bad --engine", "build @/a.orvanta --engine webkit", 2, {}, "--engine takes auto, wkhtmltopdf or chromium");
        row("--engine chromium", "build @/a.orvanta --engine chromium -o @/chromium.pdf", 0,
            {u"built @/chromium.pdf"_s});
        row("--cover: page 1 as a picture beside the PDF", "build @/a.orvanta --engine chromium -o @/cover.pdf --cover",
            0, {u"built @/cover.pdf"_s});
        row("--cover where no picture can be written", "build @/a.orvanta -o @/c.pdf --cover", 1, {},
            "a.orvanta: Could not save the cover image ");
        row("a character no font has: a warning", "build @/glyphs.orvanta", 0, {u"built ~/bin/output/glyphs.pdf"_s},
            "glyphs.orvanta: warning: No installed font has: U+E000. Install fonts-noto-core.\n");
        row("-o over the sheet", "build @/a.orvanta -o @/a.orvanta", 2, {}, "-o names the sheet itself");
        row("-o for a sheet that does not exist", "build @/missing.orvanta -o @/new.pdf", 1, {},
            "missing.orvanta: the file does not exist");
        row("where Create puts it", "build @/a.orvanta", 0, {u"built ~/bin/output/sheet-a.pdf"_s});
        row("no file name: the sheet file's own", "build @/unnamed.orvanta", 0, {u"built ~/bin/output/unnamed.pdf"_s});
        row("-o, one job", "build @/a.orvanta -o @/given.pdf --jobs 1", 0, {u"built @/given.pdf"_s});
        row("--output-dir is made", "build @/a.orvanta @/b.orvanta --output-dir @/new/dir --jobs 2", 0,
            {u"built @/new/dir/sheet-a.pdf"_s, u"built @/new/dir/sheet-b.pdf"_s});
        row("two sheets, one PDF: both refused", "build @/a.orvanta @/b.orvanta @/a-again.orvanta", 1,
            {u"built ~/bin/output/sheet-b.pdf"_s}, "refused: 2 sheets would write");
        row("a bad sheet and a good one", "build @/broken.orvanta @/b.orvanta", 1,
            {u"built ~/bin/output/sheet-b.pdf"_s}, "broken.orvanta: Could not open");
        row("refused by the pipeline", "build @/nameless-headline.orvanta", 1, {},
            "Missing Info: Please enter a headline first.");
        row("the converter fails", "build @/fails.orvanta", 1, {}, "fails.orvanta: PDF Not Created: ");
        row("no display: a sheet", "@/a.orvanta", 2, {}, "there is no display to show the window on");
        row("no display: a mistyped command", "chek", 2, {}, "\"chek\" is neither a command nor a sheet file.\n");
        // check, against a loopback server ("%" in the output, "^" a closed port) that runs while the program does
        row("check: all fine, a link twice, a mail link", "check @/fine.orvanta", 0, {u"1 fine, 1 not checked"_s});
        row("check: what is not fine, sheet by sheet", "check @/fine.orvanta @/faults.orvanta --jobs 1", 1,
            {u"1 fine, 1 moved, 1 broken, 1 unreachable, 1 not checked"_s,
             u"@/faults.orvanta: ^: Unreachable: the server refused the connection"_s,
             u"@/faults.orvanta: %/missing: Broken (404) at %/missing"_s,
             u"@/faults.orvanta: %/to/ok: Moved (301): now %/ok"_s});
        row("check --timeout", "check @/silent.orvanta --timeout 0.2", 1,
            {u"1 unreachable"_s, u"@/silent.orvanta: %/silent: Unreachable: no answer (waited 0.2 s)"_s});
        row("check: an unreadable sheet", "check @/broken.orvanta @/fine.orvanta", 1, {u"1 fine, 1 not checked"_s},
            "broken.orvanta: Could not open");
        row("check: no sheet", "check", 2, {}, "name at least one sheet to check");
        row("check: no jobs", "check @/fine.orvanta --jobs 0", 2, {}, "--jobs takes a whole number");
        // a sheet from a pipe: through a shell's <(...), or a FIFO, refused at once when no program writes to it
        row("a sheet through <(...)", "build <(cat @/b.orvanta)", 0, {u"built ~/bin/output/sheet-b.pdf"_s});
        row("build: a FIFO with no writer", "build @/fifo.orvanta @/b.orvanta", 1,
            {u"built ~/bin/output/sheet-b.pdf"_s}, "fifo.orvanta: no program is writing to it.\n");
        row("check: a FIFO with no writer", "check @/fifo.orvanta", 1, {u"No links"_s},
            "fifo.orvanta: no program is writing to it.\n");
        row("check: bad --timeout", "check @/fine.orvanta --timeout 0", 2, {}, "--timeout takes a number");
    }

    void build()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QStringList, out);
        QFETCH(QString, err);
        TestInstallation installation;
        QVERIFY(QFile::copy(QStringLiteral(ORVANTA_APP_TREE "/orvanta"), installation.path(u"/orvanta"_s)));
        installation.installConverter(
            pdfWritingScript(u"case \"$1\" in *fails*) echo 'Error: cannot render' >&2; exit 1;; esac"_s));
        QVERIFY(QDir().mkdir(installation.path(u"/bin/output"_s)));
        QTemporaryDir sheets;
        Sheet sheet;
        const auto save = [&](const char* file, const QString& fileName, const QString& headline = u"H"_s,
                              const QStringList& links = {u"https://a.test"_s}) {
            sheet.fileName = fileName;
            sheet.headline = headline;
            sheet.resources.clear();
            for (const QString& link : links) // "## title": a heading, which has no link to check
                sheet.resources.append(link.startsWith(u"## "_s) ? HeadingEntry(link.mid(3))
                                                                 : ResourceEntry{u"t"_s, link});
            QVERIFY(!SaveSheet(sheets.filePath(QString::fromUtf8(file)), sheet));
        };
        LinkServer server;
        const QString base = server.url({}), closed = u"http://127.0.0.1:%1/"_s.arg(ClosedPort());
        save("fine.orvanta", {}, u"H"_s, {base + u"/ok"_s, u"## Section"_s, u"mailto:a@b.test"_s, base + u"/ok"_s});
        save("faults.orvanta", {}, u"H"_s, {base + u"/to/ok"_s, base + u"/missing"_s, closed, base + u"/ok"_s});
        save("silent.orvanta", {}, u"H"_s, {base + u"/silent"_s});
        save("a.orvanta", u"sheet a"_s);
        save("a-again.orvanta", u"sheet-a"_s);
        save("b.orvanta", u"sheet b"_s);
        save("unnamed.orvanta", QString());
        save("fails.orvanta", u"fails"_s);
        save("nameless-headline.orvanta", u"x"_s, QString());
        save("glyphs.orvanta", u"glyphs"_s, u"H\uE000"_s);
        QVERIFY(QDir(sheets.path()).mkpath(u"c.png"_s)); // a folder where a picture would go
        QVERIFY(writeAll(sheets.filePath(u"broken.orvanta"_s), "{"));
        const FifoTrap fifo(sheets.filePath(u"fifo.orvanta"_s)); // caught if the program waits on it
        QProcess app;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(variable));
        app.setProcessEnvironment(environment);
        QSignalSpy finished(&app, &QProcess::finished); // the server answers while the program runs
        arguments.replaceInStrings(u"@"_s, sheets.path());
        if (arguments.join(u' ').contains(u"<("_s))
            app.start(u"bash"_s, {u"-c"_s, u"exec \"$0\" "_s + arguments.join(u' '), installation.path(u"/orvanta"_s)});
        else
            app.start(installation.path(u"/orvanta"_s), arguments);
        QVERIFY(finished.wait(60000));
        QVERIFY(!fifo.caught());
        const QString standardError = QString::fromUtf8(app.readAllStandardError());
        QCOMPARE(app.exitCode(), exitCode);
        QStringList lines = QString::fromUtf8(app.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        lines.sort();
        out.replaceInStrings(u"@"_s, sheets.path()).replaceInStrings(u"~"_s, installation.folder());
        out.replaceInStrings(u"%"_s, base).replaceInStrings(u"^"_s, closed).sort();
        QCOMPARE(lines, out);
        QVERIFY2(standardError.contains(err), qPrintable(standardError));
        for (const QString& line : lines.filter(u"built "_s))
            QVERIFY(IsCompletePdf(line.mid(6)));
        if (arguments.contains(u"chromium"_s)) // not the stand-in, which writes no text
            QVERIFY(pdfText(lines.first().mid(6)).contains(u"H"_s));
        if (arguments.contains(u"--cover"_s) && exitCode == 0)
            QVERIFY2(coverMatchesPage(lines.first().mid(6)), "the cover is not page 1 as poppler draws it");
        if (exitCode == 2)
            QVERIFY(QDir(installation.path(u"/bin/output"_s)).isEmpty());
    }

    // Stopped by a signal mid-conversion, the program removes the conversion's temporary file: the output folder
    // is left as it was.
    void stoppedBySignal()
    {
        TestInstallation installation;
        QVERIFY(QFile::copy(QStringLiteral(ORVANTA_APP_TREE "/orvanta"), installation.path(u"/orvanta"_s)));
        installation.installConverter(u"#!/bin/sh\nexec sleep 60\n"_s);
        const QString output = installation.path(u"/bin/output"_s);
        QVERIFY(QDir().mkdir(output));
        Sheet sheet;
        sheet.headline = u"H"_s;
        sheet.resources = {{u"t"_s, u"https://a.test"_s}};
        QTemporaryDir sheets;
        QVERIFY(!SaveSheet(sheets.filePath(u"s.orvanta"_s), sheet));
        QProcess app;
        app.start(installation.path(u"/orvanta"_s), {u"build"_s, sheets.filePath(u"s.orvanta"_s)});
        const auto leftovers = [&output] {
            return QDir(output).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        QTRY_COMPARE_WITH_TIMEOUT(leftovers().size(), 1, 20000); // the conversion's temporary file
        app.terminate();
        QVERIFY(app.waitForFinished(20000));
        QCOMPARE(app.exitCode(), 128 + SIGTERM);
        QCOMPARE(leftovers(), QStringList());
    }

    // Names in a sheet's markup reach no DNS server in either engine: the program's network calls, traced, hold no
    // query to port 53 nor to a local resolver's socket.
    void noHostNameLookedUp_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::newRow("wkhtmltopdf") << u"wkhtmltopdf"_s;
        QTest::newRow("Chromium") << u"chromium"_s;
    }

    void noHostNameLookedUp()
    {
        QFETCH(QString, engine);
        if (QStandardPaths::findExecutable(u"strace"_s).isEmpty())
            QSKIP("strace is not installed");
        if (QStandardPaths::findExecutable(engine).isEmpty())
            QSKIP("the engine is not installed");
        TestInstallation installation;
        QVERIFY(QFile::copy(QStringLiteral(ORVANTA_APP_TREE "/orvanta"), installation.path(u"/orvanta"_s)));
        Sheet sheet;
        sheet.headline = u"Names<img src=\"http://img.beacon.test/p.png\"><iframe src=\"https://frame.beacon.test/\">"
                         "</iframe><style>@import url(http://css.beacon.test/a.css);</style>"
                         "<link rel=\"stylesheet\" href=\"http://link.beacon.test/s.css\">"_s;
        sheet.resources = {{u"t"_s, u"https://a.beacon.test"_s}};
        QTemporaryDir folder;
        QVERIFY(!SaveSheet(folder.filePath(u"names.orvanta"_s), sheet));
        const QString trace = folder.filePath(u"trace"_s);
        QProcess app;
        // LeakSanitizer stops the world with ptrace, which strace holds already.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"ASAN_OPTIONS"_s, u"detect_leaks=0"_s);
        app.setProcessEnvironment(environment);
        app.start(u"strace"_s, {u"-f"_s, u"-e"_s, u"trace=network"_s, u"-o"_s, trace, installation.path(u"/orvanta"_s),
                                u"build"_s, folder.filePath(u"names.orvanta"_s), u"--engine"_s, engine, u"-o"_s,
                                folder.filePath(u"names.pdf"_s)});
        QVERIFY(app.waitForFinished(60000));
        QCOMPARE(app.exitCode(), 0);
        const QString calls = QString::fromUtf8(readAll(trace));
        QVERIFY(calls.contains(u"connect("_s)); // the trace saw the program's network calls
        static const QRegularExpression lookup(u"htons\\(53\\)|sun_path=\"[^\"]*resolve"_s);
        QVERIFY2(!calls.contains(lookup), qPrintable(lookup.match(calls).captured()));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
