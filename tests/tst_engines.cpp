// SPDX-License-Identifier: GPL-3.0-or-later
// The two engines on real pages: which one Automatic takes, that neither lets a sheet's markup run script or reach
// a host, that both lay the shipped template out alike, and how Chromium's faults end: each with its verdict, the
// browser started again by the next job, and nothing left behind. One warm browser serves the whole run.
#include "TestSupport.h"
#include "engines/ChromiumEngine.h"
#include "engines/ChromiumProcess.h"
#include "engines/PdfAccess.h"
#include "engines/PdfFile.h"
#include "page/MissingGlyphs.h"
#include "pipeline/PreviewRenderer.h"
#include "pipeline/SheetBuilder.h"
#include "sheet/OwnFolders.h"
#include "sheet/Sheet.h"
#include "sheet/SheetFile.h"
#include "sheet/TextFile.h"
#include "words/BuildWords.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#define POINTERHOLDER_TRANSITION 4 // the qpdf API without its old pointer type
#include <qpdf/QPDF.hh>
#include <variant>

using namespace orvanta;
using namespace std::chrono_literals;
using Outcome = ConversionResult::Outcome;

Q_DECLARE_METATYPE(orvanta::EngineChoice)
Q_DECLARE_METATYPE(orvanta::EngineKind)
Q_DECLARE_METATYPE(orvanta::ConversionResult::Outcome)

namespace {

Sheet sheetOf(int resources, const QString& headline = u"Engines Alike"_s)
{
    Sheet sheet;
    sheet.headline = headline;
    sheet.footer = u"Footer"_s;
    for (int i = 0; i < resources; ++i)
        sheet.resources.append({u"Resource %1"_s.arg(i), u"https://example.com/%1"_s.arg(i)});
    return sheet;
}

bool hasWkhtmltopdf()
{
    return !FindWkhtmltopdf(u"/nonexistent"_s).isEmpty();
}

// A problem's text, or the result of the build that followed.
std::variant<QString, BuildResult> build(SheetBuilder& builder, const Sheet& sheet, const QString& name,
                                         const PrintedPage& printed = {})
{
    QSignalSpy finished(&builder, &SheetBuilder::finished);
    if (const std::optional<BuildProblem> problem = builder.build(sheet, name, {}, printed))
        return BuildWords::buildProblem(*problem).text;
    if (!finished.isEmpty() || !finished.wait(60000))
        return u"no finished signal, or one before build() returned"_s;
    return finished.takeFirst().at(0).value<BuildResult>();
}

QString problemOf(const BuildResult& result)
{
    return result.problem ? BuildWords::buildProblem(*result.problem).text : QString();
}

bool alive(qint64 pid)
{
    QFile stat(u"/proc/%1/stat"_s.arg(pid));
    return stat.open(QIODevice::ReadOnly) && !stat.readAll().contains(") Z ");
}

// A process id that no process has: one that just ended.
qint64 deadProcessId()
{
    QProcess ended;
    ended.start(u"true"_s);
    ended.waitForFinished();
    return ended.processId() > 0 ? ended.processId() : 4000001;
}

// A folder with a file and a subfolder with a file: what a planted link leads to.
bool makeVictim(const QString& folder)
{
    return QDir().mkpath(folder + u"/sub"_s) && writeAll(folder + u"/file.txt"_s, "victim") &&
           writeAll(folder + u"/sub/inner.txt"_s, "inner");
}

bool victimIntact(const QString& folder)
{
    return readAll(folder + u"/file.txt"_s) == "victim" && readAll(folder + u"/sub/inner.txt"_s) == "inner";
}

// The browser's renderers, the largest first: processes of its process group started with --type=renderer. The
// largest is the page's; the others are idle, such as the spare one the browser keeps for the next tab.
QList<pid_t> rendererProcesses(qint64 browser)
{
    QList<std::pair<qint64, pid_t>> found;
    for (const QString& entry : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
        const QByteArray stat = readAll(u"/proc/%1/stat"_s.arg(entry));
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 21 && fields.at(2).toLongLong() == browser &&
            readAll(u"/proc/%1/cmdline"_s.arg(entry)).contains("--type=renderer"))
            found.append({fields.at(21).toLongLong(), pid_t(entry.toInt())}); // the resident pages
    }
    std::sort(found.begin(), found.end(), std::greater<>());
    QList<pid_t> largestFirst;
    for (const auto& [size, pid] : found)
        largestFirst.append(pid);
    return largestFirst;
}

} // namespace

class TestEngines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_chromium = FindChromium();
        QVERIFY2(!m_chromium.isEmpty(), "Chromium must be installed for these tests");
        m_browser = ChromiumProcess::shared(m_chromium);
        QVERIFY(!m_browser->ensureRunning());
        QVERIFY(m_installation.isValid());
    }

    // Drawing outside marked content is wrapped as an artifact; strings, comments and image data are no operators.
    void markedAsArtifacts_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("marked");
        const QByteArray open = "/Artifact BMC\n"_ba, close = "\nEMC\n";
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("escapes") << "q (EMC\\) BDC) Tj %EMC\n"_ba
                                 << "q" + open + " (EMC\\) BDC) Tj" + close + " %EMC\n";
        QTest::newRow("path") << "1 w <0937fF> 0 0 m 1 l S"_ba
                              << "1 w" + open + " <0937fF> 0 0 m 1 l S" + close;
        QTest::newRow("nested") << "/P <</MCID 0>> BDC /Span BMC (a) Tj EMC (b) Tj EMC [(c)] TJ"_ba
                                << "/P <</MCID 0>> BDC /Span BMC (a) Tj EMC (b) Tj EMC" + open + " [(c)] TJ" + close;
        QTest::newRow("inline image") << QByteArray("BI /W 2 ID \0Q S) EI Q", 21)
                                      << open + QByteArray("BI /W 2 ID \0Q S) EI", 19) + close + " Q";
        QTest::newRow("no EI") << "BI /W 2 ID S Q"_ba << open + "BI /W 2 ID S Q" + close;
        QTest::newRow("unterminated") << "(a) ' ((b) Tj"_ba << open + "(a) '" + close + " ((b) Tj";
        QTest::newRow("a sign or point alone is no number") << "1 w . 0 0 m 1 l S"_ba
                                                            << "1 w ." + open + " 0 0 m 1 l S" + close;
    }

    void markedAsArtifacts()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, marked);
        QCOMPARE(MarkedAsArtifacts(content), marked);
        QCOMPARE(MarkedAsArtifacts(marked), marked);
    }

    // A structure tree that leads back into itself, as a broken PDF may have: finishing it ends. A link outside
    // the tree is described too.
    void unusualStructure()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"cyclic.pdf"_s);
        QVERIFY(writeAll(path,
                         "%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
                         "2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n3 0 obj<</Type/Page/Parent 2 0 R"
                         "/MediaBox[0 0 99 99]/Annots[<</Subtype/Link/Rect[0 0 9 9]/A<</S/URI"
                         "/URI(https://www.example.com/guide?x=1)>>>>]>>endobj\ntrailer<</Root 1 0 R>>\n%%EOF\n"));
        const PdfStep cycle = [](QPDF& pdf) {
            QPDFObjectHandle element = pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /S /Sect >>"));
            element.replaceKey("/K", QPDFObjectHandle::newArray(std::vector<QPDFObjectHandle>{element}));
            QPDFObjectHandle tree = QPDFObjectHandle::parse("<< /Type /StructTreeRoot >>");
            tree.replaceKey("/K", element);
            pdf.getRoot().replaceKey("/StructTreeRoot", tree);
        };
        QVERIFY(!FinishPdf(path, {}, {cycle}));
        QVERIFY(!FinishPdf(path, {u"Cyclic"_s, u"en"_s, {}}));
        // A link the tree does not reach is described by its address as printed.
        QPDF finished;
        finished.processFile(QFile::encodeName(path).constData());
        QPDFObjectHandle page = finished.getAllPages().at(0);
        QCOMPARE(page.getKey("/Annots").getArrayItem(0).getKey("/Contents").getUTF8Value(), "example.com/guide");
    }

    void automatic_data()
    {
        QTest::addColumn<QStringList>("onPath");
        QTest::addColumn<bool>("inBin"); // a wkhtmltopdf in the installation's bin folder
        QTest::addColumn<EngineChoice>("choice");
        QTest::addColumn<QString>("program");  // the browser named by the user
        QTest::addColumn<QString>("expected"); // the engine's name, or a part of the refusal
        const QStringList both{u"chromium"_s, u"wkhtmltopdf"_s};
        QTest::newRow("automatic without wkhtmltopdf")
            << QStringList{u"chromium"_s} << false << EngineChoice::Automatic << QString() << u"Chromium"_s;
        QTest::newRow("automatic with both") << both << false << EngineChoice::Automatic << QString() << u"Chromium"_s;
        QTest::newRow("automatic without Chromium")
            << QStringList{u"wkhtmltopdf"_s} << false << EngineChoice::Automatic << QString() << u"wkhtmltopdf"_s;
        QTest::newRow("automatic with wkhtmltopdf in bin")
            << both << true << EngineChoice::Automatic << QString() << u"wkhtmltopdf"_s;
        QTest::newRow("Chromium named by the user")
            << QStringList() << false << EngineChoice::Chromium << m_chromium << u"Chromium"_s;
        QTest::newRow("Chromium named but missing")
            << both << false << EngineChoice::Chromium << u"/nowhere/chromium"_s << u"sudo apt install chromium"_s;
        QTest::newRow("wkhtmltopdf chosen but missing")
            << QStringList{u"chromium"_s} << false << EngineChoice::Wkhtmltopdf << QString()
            << u"sudo apt install wkhtmltopdf"_s;
    }

    void automatic()
    {
        QFETCH(QStringList, onPath);
        QFETCH(bool, inBin);
        QFETCH(EngineChoice, choice);
        QFETCH(QString, program);
        QFETCH(QString, expected);
        const QString wkhtmltopdf = QStandardPaths::findExecutable(u"wkhtmltopdf"_s);
        if ((onPath.contains(u"wkhtmltopdf"_s) || inBin) && wkhtmltopdf.isEmpty())
            QSKIP("wkhtmltopdf is not installed");
        const QByteArray savedPath = qgetenv("PATH");
        const auto restorePath = qScopeGuard([&savedPath] { qputenv("PATH", savedPath); });
        QTemporaryDir programs;
        for (const QString& name : onPath)
            QVERIFY(QFile::link(name == u"chromium" ? m_chromium : wkhtmltopdf, programs.filePath(name)));
        qputenv("PATH", QFile::encodeName(programs.path()));
        const QString bundled = m_installation.folder() + u"/bin/wkhtmltopdf"_s;
        const auto removeBundled = qScopeGuard([&bundled] { QFile::remove(bundled); });
        if (inBin)
            QVERIFY(QFile::link(wkhtmltopdf, bundled));
        SheetBuilder builder(m_installation.folder());
        builder.setEngine(choice, program);
        const auto built = build(builder, sheetOf(2), u"automatic"_s);
        if (const QString* problem = std::get_if<QString>(&built)) {
            QVERIFY2(problem->contains(expected), qPrintable(*problem));
            return;
        }
        const BuildResult& result = std::get<BuildResult>(built);
        QVERIFY2(result.succeeded(), qPrintable(problemOf(result)));
        QCOMPARE(EngineName(result.engine), expected);
        qputenv("PATH", savedPath); // for pdfinfo
        const QString producer = expected == u"Chromium" ? u"Producer: *Skia/PDF"_s : u"Producer: *Qt"_s;
        QVERIFY(pdfInfo(result.paths.pdfPath).contains(QRegularExpression(producer)));
    }

    // Script, XHR, pictures, frames, stylesheets, objects and a refresh of a sheet load nothing: the test's server
    // hears no request, and the PDF holds neither a local file nor what a script would have written.
    void hostileSheet_data()
    {
        QTest::addColumn<EngineChoice>("engine");
        QTest::newRow("wkhtmltopdf") << EngineChoice::Wkhtmltopdf;
        QTest::newRow("Chromium") << EngineChoice::Chromium;
    }

    void hostileSheet()
    {
        QFETCH(EngineChoice, engine);
        if (engine == EngineChoice::Wkhtmltopdf && !hasWkhtmltopdf())
            QSKIP("wkhtmltopdf is not installed");
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        int connections = 0;
        connect(&server, &QTcpServer::newConnection, this, [&] { ++connections; });
        const QString host = u"http://127.0.0.1:%1"_s.arg(server.serverPort());
        Sheet sheet = sheetOf(1);
        sheet.headline =
            u"Hostile<script>document.write('SCRIPT'+'-RAN');var x=new XMLHttpRequest();"
            "x.open('GET','%1/xhr',false);x.send();</script><img src=\"%1/img.png\">"
            "<iframe src=\"file:///etc/passwd\"></iframe><link rel=\"stylesheet\" href=\"%1/style.css\">"
            "<object data=\"%1/object\"></object><iframe src=\"%1/frame\"></iframe>"
            "<img src=\"https://localhost:%2/secure.png\"><iframe src=\"../../../../../etc/passwd\"></iframe>"_s
                .arg(host)
                .arg(server.serverPort());
        if (engine == EngineChoice::Chromium) // the page stays itself; wkhtmltopdf fails on a refresh
            sheet.headline += u"<meta http-equiv=\"refresh\" content=\"0;url=template.html\">"_s;
        SheetBuilder builder(m_installation.folder());
        builder.setEngine(engine);
        const auto built = build(builder, sheet, u"hostile"_s);
        QVERIFY(std::holds_alternative<BuildResult>(built));
        const BuildResult& result = std::get<BuildResult>(built);
        QVERIFY2(result.succeeded(), qPrintable(problemOf(result)));
        QVERIFY(readAll(result.paths.pagePath).contains("XMLHttpRequest"));
        QCoreApplication::processEvents();
        QCOMPARE(connections, 0);
        QVERIFY(!server.hasPendingConnections());
        const QString text = pdfText(result.paths.pdfPath);
        QVERIFY(text.contains(u"Hostile"_s));
        QVERIFY(!text.contains(u"SCRIPT-RAN"_s));
        QVERIFY(!text.contains(u"root:"_s));
    }

    // A small sheet that makes an engine work without end is stopped at the time limit, and the message says why:
    // the page took too long to print, not that something was unreachable.
    void endlessPageStopped_data()
    {
        QTest::addColumn<EngineChoice>("engine");
        QTest::addColumn<QString>("headline");
        QTest::newRow("wkhtmltopdf, a word of a million letters")
            << EngineChoice::Wkhtmltopdf << QString(1000000, u'a');
        QTest::newRow("Chromium, a 200-byte giant")
            << EngineChoice::Chromium << u"<div style=\"width:100000000px;height:100000000px\">x</div>"_s;
    }

    void endlessPageStopped()
    {
        QFETCH(EngineChoice, engine);
        QFETCH(QString, headline);
        if (engine == EngineChoice::Wkhtmltopdf && !hasWkhtmltopdf())
            QSKIP("wkhtmltopdf is not installed");
        SheetBuilder builder(m_installation.folder());
        builder.setEngine(engine);
        builder.setTimeLimit(3s);
        QElapsedTimer elapsed;
        elapsed.start();
        const auto built = build(builder, sheetOf(1, headline), u"endless"_s);
        QVERIFY(elapsed.elapsed() < 20000);
        QVERIFY(std::holds_alternative<BuildResult>(built));
        const BuildResult& result = std::get<BuildResult>(built);
        QVERIFY(result.problem);
        QCOMPARE(result.problem->conversion.outcome, Outcome::TimedOut);
        QVERIFY2(problemOf(result).contains(u"The page took too long to print: it may be too large or too complex."_s),
                 qPrintable(problemOf(result)));
    }

    // With the fonts the set-up installs, no script prints as boxes: the text reads back from the PDF, and the fonts
    // that DejaVu cannot stand in for are embedded. Chromium embeds CJK fonts and bold faces as nameless Type 3 fonts;
    // wkhtmltopdf maps no character beyond the BMP back to text.
    void everyScriptPrints_data()
    {
        QTest::addColumn<EngineChoice>("engine");
        QTest::addColumn<QStringList>("fonts");
        QTest::addColumn<QString>("unreadable");
        const QStringList fonts{u"NotoSansDevanagari-Regular"_s, u"NotoSansThai-Regular"_s};
        QTest::newRow("wkhtmltopdf") << EngineChoice::Wkhtmltopdf << fonts + QStringList{u"NotoSansCJK"_s} << u"😀"_s;
        QTest::newRow("Chromium") << EngineChoice::Chromium << fonts << QString();
    }

    void everyScriptPrints()
    {
        QFETCH(EngineChoice, engine);
        QFETCH(QStringList, fonts);
        QFETCH(QString, unreadable);
        if (engine == EngineChoice::Wkhtmltopdf && !hasWkhtmltopdf())
            QSKIP("wkhtmltopdf is not installed");
        const QString line = u"Latin Ελληνικά Кириллица 中文 日本語 한국어 العربية עברית देवनागरी ไทย 😀"_s;
        SheetBuilder builder(m_installation.folder());
        builder.setEngine(engine);
        Sheet sheet = sheetOf(1, line);
        sheet.subheadline = line; // in a regular face
        const auto built = build(builder, sheet, u"scripts"_s);
        QVERIFY(std::holds_alternative<BuildResult>(built) && std::get<BuildResult>(built).succeeded());
        const BuildResult& result = std::get<BuildResult>(built);
        QVERIFY2(result.missingGlyphs.isEmpty(),
                 qPrintable(BuildWords::missingGlyphs(result.missingGlyphs, result.engine)));
        // wkhtmltopdf maps some ideographs to their radicals and Arabic to presentation forms, and spaces Devanagari.
        const QString text = pdfText(result.paths.pdfPath).normalized(QString::NormalizationForm_KC).remove(u' ');
        for (const QString& word : line.split(u' '))
            QVERIFY2(text.contains(word) || word == unreadable, qPrintable(word));
        QProcess pdffonts;
        pdffonts.start(u"pdffonts"_s, {result.paths.pdfPath});
        QVERIFY(pdffonts.waitForFinished());
        const QString embedded = QString::fromUtf8(pdffonts.readAllStandardOutput());
        for (const QString& font : fonts)
            QVERIFY2(embedded.contains(font), qPrintable(embedded));
    }

    // A browser that cannot start, exits at once or never answers: its verdict, and the earlier PDF kept whole.
    void brokenBrowser_data()
    {
        QTest::addColumn<QString>("script"); // empty: a file that is not executable
        QTest::addColumn<Outcome>("outcome");
        QTest::newRow("cannot start") << QString() << Outcome::FailedToStart;
        QTest::newRow("exits at once") << u"#!/bin/sh\nexit 3\n"_s << Outcome::Crashed;
        QTest::newRow("closes its pipe, alive") << u"#!/bin/sh\nexec 3<&- 4>&- sleep 30\n"_s << Outcome::Crashed;
        QTest::newRow("never answers") << u"#!/bin/sh\necho $$ > \"$0.pid\"\nexec sleep 30\n"_s << Outcome::TimedOut;
    }

    void brokenBrowser()
    {
        QFETCH(QString, script);
        QFETCH(Outcome, outcome);
        QTemporaryDir dir;
        const QString program = dir.filePath(u"browser"_s);
        const QString pdf = dir.filePath(u"sheet.pdf"_s);
        QVERIFY(writeAll(program, script.toUtf8()) && writeAll(pdf, "earlier") &&
                writeAll(dir.filePath(u"p.html"_s), "<p>"));
        if (!script.isEmpty())
            QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        ChromiumEngine job(program);
        QSignalSpy finished(&job, &PdfEngine::finished);
        // Only the hung browser may run into the limit: a loaded machine can take seconds to start a shell.
        job.start(dir.filePath(u"p.html"_s), pdf, outcome == Outcome::TimedOut ? 500ms : 30000ms);
        QVERIFY(!finished.isEmpty() || finished.wait(40000));
        QCOMPARE(finished.first().at(0).value<ConversionResult>().outcome, outcome);
        QCOMPARE(readAll(pdf), QByteArray("earlier"));
        QCOMPARE(QDir(dir.path()).entryList({u".converting*"_s}, QDir::Hidden | QDir::Files), QStringList());
        if (outcome == Outcome::FailedToStart) // no process of its own, so none to measure or to end
            QCOMPARE(job.browser()->processIds(), QList<qint64>());
        if (outcome == Outcome::TimedOut) { // the hung browser was stopped
            QVERIFY(!job.browser()->isRunning());
            QTRY_VERIFY(!alive(readAll(program + u".pid"_s).trimmed().toLongLong()));
        }
    }

    // Killed while it prints or between jobs: a crash, or nothing at all, and the next job starts a fresh browser.
    // Neither its processes nor its profile outlive it.
    void browserKilled_data()
    {
        QTest::addColumn<bool>("whilePrinting");
        // Builds start before the job's retry on the next browser: another sheet's, then the job's own again.
        QTest::addColumn<bool>("buildAgain");
        QTest::newRow("while printing") << true << false;
        QTest::newRow("between jobs") << false << false;
        QTest::newRow("between jobs, built again before the retry") << false << true;
    }

    void browserKilled()
    {
        QFETCH(bool, whilePrinting);
        QFETCH(bool, buildAgain);
        SheetBuilder builder(m_installation.folder()), other(m_installation.folder());
        builder.setEngine(EngineChoice::Chromium);
        other.setEngine(EngineChoice::Chromium);
        QSignalSpy otherFinished(&other, &SheetBuilder::finished);
        QVERIFY(!m_browser->ensureRunning());
        const QList<qint64> processes = m_browser->processIds();
        const QString profile = m_browser->profileFolder();
        const qint64 pid = m_browser->processId();
        QVERIFY(processes.contains(pid) && QFileInfo(profile).isDir());
        const auto kill = [pid] { ::kill(pid_t(pid), SIGKILL); };
        QMetaObject::Connection killer;
        if (whilePrinting)
            killer =
                connect(m_browser.get(), &ChromiumProcess::event, this, [&](const QString&, const QString& method) {
                    if (method == u"Page.loadEventFired")
                        kill();
                });
        else
            kill();
        if (buildAgain) // connected before the job's own slot, so the builds run before the job's retry
            killer = connect(m_browser.get(), &ChromiumProcess::ended, this, [&] {
                disconnect(killer);
                QMetaObject::invokeMethod(
                    this,
                    [&] {
                        QVERIFY(!other.build(sheetOf(2), u"other"_s));
                        QVERIFY(!builder.build(sheetOf(300), u"killed"_s)); // cancels the job's retry
                        QCOMPARE(m_browser->jobCount(), 2);
                    },
                    Qt::QueuedConnection);
            });
        const auto first = build(builder, sheetOf(300), u"killed"_s);
        disconnect(killer);
        QVERIFY(std::holds_alternative<BuildResult>(first));
        const BuildResult& result = std::get<BuildResult>(first);
        QCOMPARE(result.succeeded(), !whilePrinting);
        if (whilePrinting)
            QVERIFY2(problemOf(result).contains(u"stopped unexpectedly"_s), qPrintable(problemOf(result)));
        for (qint64 process : processes)
            QTRY_VERIFY(!alive(process));
        QTRY_VERIFY(!QFileInfo::exists(profile));
        QVERIFY(!buildAgain || !otherFinished.isEmpty() || otherFinished.wait(60000));
        const auto next = build(builder, sheetOf(2), u"next"_s);
        QVERIFY(std::holds_alternative<BuildResult>(next) && std::get<BuildResult>(next).succeeded());
        QVERIFY(m_browser->processId() != pid);
        QCOMPARE(m_browser->jobCount(), 0); // a job counted by the dead browser is not counted twice
    }

    // The app killed while Chromium prints: the browser and its helpers end with it, and the next browser's start
    // removes the profile that the kill left.
    void appKilled()
    {
        QTemporaryDir dir;
        const QString sheetPath = dir.filePath(u"big.orvanta"_s);
        QVERIFY(!SaveSheet(sheetPath, sheetOf(1000)));
        QProcess app;
        app.start(QStringLiteral(ORVANTA_APP_TREE "/orvanta"),
                  {u"build"_s, sheetPath, u"--engine"_s, u"chromium"_s, u"-o"_s, dir.filePath(u"big.pdf"_s)});
        QVERIFY(app.waitForStarted());
        const QString prefix = u"orvanta-chromium-%1-"_s.arg(app.processId());
        const QString base = ChromiumProcess::profileBase();
        const auto profiles = [&] { return QDir(base).entryList({prefix + u'*'}, QDir::Dirs); };
        QTRY_VERIFY_WITH_TIMEOUT(!profiles().isEmpty(), 20000);
        const QString profile = base + u'/' + profiles().constFirst();
        const auto browserProcesses = [&profile] {
            int count = 0;
            for (const QString& pid : QDir(u"/proc"_s).entryList(QDir::Dirs))
                count += alive(pid.toLongLong()) && readAll(u"/proc/%1/cmdline"_s.arg(pid)).contains(profile.toUtf8());
            return count;
        };
        QTRY_VERIFY(browserProcesses() > 0);
        app.kill();
        QVERIFY(app.waitForFinished());
        QTRY_COMPARE_WITH_TIMEOUT(browserProcesses(), 0, 20000);
        ChromiumProcess next(m_chromium);
        QVERIFY(!next.ensureRunning());
        QVERIFY(!QFileInfo::exists(profile));
    }

    // A hundred edits in two seconds print at most twice, the newest sheet wins, and Create copies the preview's PDF
    // when it would write the same page with the same engine, and only then.
    void previewAndInstantCreate()
    {
        PreviewRenderer preview(m_installation.folder());
        preview.setEngine(EngineChoice::Chromium);
        QSignalSpy converting(&preview, &PreviewRenderer::converting);
        QSignalSpy ready(&preview, &PreviewRenderer::ready);
        preview.update(sheetOf(3, u"First key"_s), preview.typingPause());
        QCOMPARE(converting.size(), 1); // the idle warm engine waits for no pause
        QString headline;
        for (int change = 0; change < 100; ++change) {
            preview.update(sheetOf(3, headline = u"Edit %1"_s.arg(change)), preview.typingPause());
            QTest::qWait(20);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!ready.isEmpty() && !preview.isConverting(), 30000);
        QVERIFY(converting.size() <= 2);
        QCOMPARE(ready.size(), 1); // the first key's PDF, stale by its end, is not shown
        QVERIFY(pdfText(ready.last().at(0).toString()).contains(headline));
        QCOMPARE(preview.engine(), EngineKind::Chromium);
        const QByteArray previewPdf = readAll(preview.printed().pdfPath);

        SheetBuilder builder(m_installation.folder());
        for (EngineChoice engine : {EngineChoice::Chromium, EngineChoice::Wkhtmltopdf}) {
            if (engine == EngineChoice::Wkhtmltopdf && !hasWkhtmltopdf())
                continue;
            builder.setEngine(engine);
            for (const QString& text : {headline, headline + u'!'}) {
                const auto built = build(builder, sheetOf(3, text), u"instant"_s, preview.printed());
                QVERIFY(std::holds_alternative<BuildResult>(built) && std::get<BuildResult>(built).succeeded());
                const bool copied = readAll(std::get<BuildResult>(built).paths.pdfPath) == previewPdf;
                QCOMPARE(copied, engine == EngineChoice::Chromium && text == headline);
            }
        }
    }

    // A folder named like the profile of a dead run is removed only when it is a folder of this user: a link of
    // that name leads nowhere, and neither does a link inside a real stale profile. The real one goes.
    void staleProfiles()
    {
        QTemporaryDir victims;
        const QStringList places{ChromiumProcess::profileBase(), QDir::tempPath()};
        QVERIFY(!places[0].isEmpty());
        const qint64 dead = deadProcessId();
        QStringList planted;
        for (int i = 0; i < places.size(); ++i) {
            const QString victim = victims.filePath(u"victim%1"_s.arg(i));
            const QString innerVictim = victims.filePath(u"inner%1"_s.arg(i));
            QVERIFY(makeVictim(victim) && makeVictim(innerVictim));
            const QString link = places[i] + u"/orvanta-chromium-4000000-AAAAA%1"_s.arg(i);
            QFile::remove(link);
            QVERIFY(QFile::link(victim, link));
            planted << link;
            const QString stale = places[i] + u"/orvanta-chromium-%1-BBBBB%2"_s.arg(dead).arg(i);
            QVERIFY(QDir().mkpath(stale + u"/Default/Cache"_s) && writeAll(stale + u"/Default/Cache/data"_s, "x"));
            QFile::remove(stale + u"/Default/link"_s); // left by a run that was stopped
            QVERIFY(QFile::link(innerVictim, stale + u"/Default/link"_s));
        }
        ChromiumProcess next(m_chromium);
        QVERIFY(!next.ensureRunning());
        const QString profile = next.profileFolder();
        QCOMPARE(QFileInfo(profile).absolutePath(), places[0]);
        next.stop();
        QVERIFY(!QFileInfo::exists(profile));
        for (int i = 0; i < places.size(); ++i) {
            QVERIFY2(victimIntact(victims.filePath(u"victim%1"_s.arg(i))), qPrintable(places[i]));
            QVERIFY2(victimIntact(victims.filePath(u"inner%1"_s.arg(i))), qPrintable(places[i]));
            // The shared temporary folder is not the profiles' folder: what is there is not touched.
            const QString stale = places[i] + u"/orvanta-chromium-%1-BBBBB%2"_s.arg(dead).arg(i);
            QCOMPARE(QFileInfo::exists(stale), i > 0);
            QVERIFY(RemoveOwnFolder(stale) && !QFileInfo::exists(stale));
            QVERIFY(QFile::remove(planted[i]));
        }
    }

    // A link in the page's folder to a folder elsewhere reads nothing from there, in either engine, in a Create
    // or in the preview; a file of the page's folder itself still loads in Chromium.
    void linkOutOfPageFolder_data()
    {
        QTest::addColumn<EngineChoice>("engine");
        QTest::addColumn<bool>("preview");
        QTest::newRow("wkhtmltopdf") << EngineChoice::Wkhtmltopdf << false;
        QTest::newRow("Chromium") << EngineChoice::Chromium << false;
        QTest::newRow("Chromium preview") << EngineChoice::Chromium << true;
    }

    void linkOutOfPageFolder()
    {
        QFETCH(EngineChoice, engine);
        QFETCH(bool, preview);
        if (engine == EngineChoice::Wkhtmltopdf && !hasWkhtmltopdf())
            QSKIP("wkhtmltopdf is not installed");
        TestInstallation installation(u"linked"_s);
        QTemporaryDir elsewhere;
        QVERIFY(writeAll(elsewhere.filePath(u"secret.txt"_s), "SECRET-TEXT-7F3A"));
        const QString bin = installation.path(u"/bin/"_s);
        QVERIFY(QFile::link(elsewhere.path(), bin + u"x"_s));
        QVERIFY(QFile::link(elsewhere.filePath(u"secret.txt"_s), bin + u"linked.txt"_s));
        QVERIFY(writeAll(bin + u"own.txt"_s, "OWN-TEXT-9C2E"));
        Sheet sheet = sheetOf(1, u"Linked<iframe src=\"x/secret.txt\"></iframe><img src=\"x/secret.txt\">"
                                 "<iframe src=\"linked.txt\"></iframe><iframe src=\"x/../x/secret.txt\"></iframe>"
                                 "<iframe src=\"own.txt\"></iframe><iframe src=\"missing.txt\"></iframe>"_s);
        QString text; // read while the preview's folder is there
        if (preview) {
            PreviewRenderer renderer(installation.folder());
            renderer.setEngine(engine);
            QSignalSpy ready(&renderer, &PreviewRenderer::ready);
            renderer.update(sheet, 0ms);
            QVERIFY(ready.wait(60000));
            text = pdfText(ready.first().at(0).toString());
        } else {
            SheetBuilder builder(installation.folder());
            builder.setEngine(engine);
            const auto built = build(builder, sheet, u"linked"_s);
            QVERIFY(std::holds_alternative<BuildResult>(built));
            QVERIFY2(std::get<BuildResult>(built).succeeded(), qPrintable(problemOf(std::get<BuildResult>(built))));
            text = pdfText(std::get<BuildResult>(built).paths.pdfPath);
        }
        QVERIFY2(text.contains(u"Linked"_s) && !text.contains(u"SECRET-TEXT"_s), qPrintable(text));
        if (engine == EngineChoice::Chromium) // wkhtmltopdf reads no local file but the page
            QVERIFY2(text.contains(u"OWN-TEXT-9C2E"_s), qPrintable(text));
    }

    void rendererKilled_data()
    {
        QTest::addColumn<bool>("cancel"); // the job is cancelled instead
        QTest::newRow("renderer killed") << false;
        QTest::newRow("job cancelled") << true;
    }

    // The renderer of the page killed while it prints: the job ends at once as a crash, not at its time limit. Killed
    // or cancelled, the next job prints in a new tab.
    void rendererKilled()
    {
        QFETCH(bool, cancel);
        QVERIFY(!m_browser->ensureRunning());
        const qint64 browser = m_browser->processId();
        SheetBuilder builder(m_installation.folder());
        builder.setEngine(EngineChoice::Chromium);
        builder.setTimeLimit(30s);
        QElapsedTimer sinceKill;
        QList<pid_t> killed;
        QString tab; // the session of the tab that was killed or cancelled
        const QMetaObject::Connection killer =
            connect(m_browser.get(), &ChromiumProcess::event, this, [&](const QString& session, const QString& method) {
                if (method != u"Page.loadEventFired" || sinceKill.isValid())
                    return;
                tab = session;
                if (cancel) {
                    builder.cancel();
                } else {
                    killed = rendererProcesses(browser).mid(0, 1);
                    for (pid_t renderer : killed)
                        ::kill(renderer, SIGKILL);
                }
                sinceKill.start();
            });
        QSignalSpy finished(&builder, &SheetBuilder::finished);
        QVERIFY(!builder.build(sheetOf(1500), u"renderer"_s));
        if (cancel)
            QTRY_VERIFY_WITH_TIMEOUT(sinceKill.isValid(), 40000);
        else
            QVERIFY(finished.wait(40000));
        disconnect(killer);
        if (!cancel) {
            QVERIFY(!killed.isEmpty());
            QVERIFY2(sinceKill.elapsed() < 1000, qPrintable(QString::number(sinceKill.elapsed())));
            const BuildResult result = finished.first().at(0).value<BuildResult>();
            QVERIFY(result.problem);
            QCOMPARE(result.problem->conversion.outcome, Outcome::Crashed);
            QVERIFY2(problemOf(result).contains(u"renderer crashed"_s), qPrintable(problemOf(result)));
        }
        QCOMPARE(m_browser->processId(), browser); // the browser itself lives on
        QStringList printedIn;
        const QMetaObject::Connection printing =
            connect(m_browser.get(), &ChromiumProcess::event, this, [&](const QString& session, const QString& method) {
                if (method == u"Page.loadEventFired")
                    printedIn.append(session);
            });
        const auto next = build(builder, sheetOf(2), u"after"_s);
        disconnect(printing);
        QVERIFY(std::holds_alternative<BuildResult>(next));
        QVERIFY2(std::get<BuildResult>(next).succeeded(), qPrintable(problemOf(std::get<BuildResult>(next))));
        QVERIFY(!printedIn.isEmpty() && !printedIn.contains(tab));
    }

    // The profiles' folder is one only this user may use: $XDG_RUNTIME_DIR when it is such a folder, otherwise
    // orvanta-UID in the temporary folder, and a fresh folder when that name is a link, another's or open to others.
    void profileBase_data()
    {
        // $XDG_RUNTIME_DIR: "private", "open", "link/" (a link to a private folder, with a slash at the end) or ""
        QTest::addColumn<QString>("runtime");
        QTest::addColumn<QString>("planted");  // what orvanta-UID in the temporary folder is: "", "link" or "open"
        QTest::addColumn<QString>("expected"); // "runtime", "shared" or "fresh"
        QTest::newRow("runtime folder") << u"private"_s << u""_s << u"runtime"_s;
        QTest::newRow("runtime folder open to others") << u"open"_s << u""_s << u"shared"_s;
        QTest::newRow("runtime folder a link") << u"link/"_s << u""_s << u"shared"_s;
        QTest::newRow("no runtime folder") << u""_s << u""_s << u"shared"_s;
        QTest::newRow("a link in the way") << u""_s << u"link"_s << u"fresh"_s;
        QTest::newRow("a folder open to others in the way") << u""_s << u"open"_s << u"fresh"_s;
    }

    void profileBase()
    {
        QFETCH(QString, runtime);
        QFETCH(QString, planted);
        QFETCH(QString, expected);
        QTemporaryDir temp;
        QTemporaryDir runtimeFolder;
        QVERIFY(temp.isValid() && runtimeFolder.isValid());
        const QByteArray savedTemp = qgetenv("TMPDIR");
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        const auto restore = qScopeGuard([&] {
            qputenv("TMPDIR", savedTemp);
            if (savedRuntime.isNull())
                qunsetenv("XDG_RUNTIME_DIR");
            else
                qputenv("XDG_RUNTIME_DIR", savedRuntime);
        });
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        if (runtime.isEmpty()) {
            qunsetenv("XDG_RUNTIME_DIR");
        } else {
            QVERIFY(QFile::setPermissions(runtimeFolder.path(),
                                          runtime == u"open" ? QFile::Permissions(0x7775)
                                                             : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder.path()));
            if (runtime == u"link/") {
                QVERIFY(QFile::link(runtimeFolder.path(), temp.filePath(u"runtime"_s)));
                qputenv("XDG_RUNTIME_DIR", QFile::encodeName(temp.filePath(u"runtime/"_s)));
            }
        }
        const QString shared = temp.filePath(u"orvanta-%1"_s.arg(::geteuid()));
        QVERIFY(makeVictim(temp.filePath(u"victim"_s)));
        if (planted == u"link")
            QVERIFY(QFile::link(temp.filePath(u"victim"_s), shared));
        else if (planted == u"open")
            QVERIFY(QDir().mkdir(shared) && QFile::setPermissions(shared, QFile::Permissions(0x7777)));
        const QString base = ChromiumProcess::profileBase();
        QVERIFY(!base.isEmpty());
        const QFileInfo info(base);
        QVERIFY(info.isDir() && !info.isSymLink());
        QCOMPARE(info.permissions() & 0x0077, QFile::Permissions());
        if (expected == u"runtime")
            QCOMPARE(base, runtimeFolder.path());
        else if (expected == u"shared")
            QCOMPARE(base, shared);
        else
            QVERIFY2(base.startsWith(shared + u'-') && QFileInfo(base).dir() == QDir(temp.path()), qPrintable(base));
        QVERIFY(victimIntact(temp.filePath(u"victim"_s)));
        if (expected == u"fresh")
            QVERIFY(RemoveOwnFolder(base));
    }

    // A page that needs more memory than the job allows is stopped before long with its own verdict and message; a
    // job of another tab that printed meanwhile starts again on the next browser rather than failing.
    void tooMuchMemory()
    {
        QVERIFY(!m_browser->ensureRunning());
        const qint64 idle = m_browser->memoryUse();
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"huge.pdf"_s);
        QVERIFY(writeAll(dir.filePath(u"huge.html"_s), "<div style=\"width:100000000px;height:100000000px\">x</div>"));
        ChromiumEngine huge(m_chromium);
        huge.setMemoryLimit(idle + 300 * 1024 * 1024);
        QSignalSpy hugeFinished(&huge, &PdfEngine::finished);
        SheetBuilder other(m_installation.folder());
        other.setEngine(EngineChoice::Chromium);
        QSignalSpy otherFinished(&other, &SheetBuilder::finished);
        QElapsedTimer took;
        took.start();
        huge.start(dir.filePath(u"huge.html"_s), pdf, 100s);
        QVERIFY(!other.build(sheetOf(2000), u"other"_s));
        QVERIFY(hugeFinished.wait(60000));
        const ConversionResult result = hugeFinished.first().at(0).value<ConversionResult>();
        QCOMPARE(result.outcome, Outcome::TooMuchMemory);
        QVERIFY2(took.elapsed() < 30000, qPrintable(QString::number(took.elapsed()))); // its time limit is 100 s
        QVERIFY(!QFileInfo::exists(pdf));
        const QString message = BuildWords::conversionFailure(result, pdf, 100s);
        QVERIFY2(message.contains(u"more memory than Orvanta allows (%1 MB)"_s.arg((idle >> 20) + 300)),
                 qPrintable(message));
        QVERIFY(!otherFinished.isEmpty() || otherFinished.wait(60000));
        QVERIFY2(otherFinished.first().at(0).value<BuildResult>().succeeded(),
                 qPrintable(problemOf(otherFinished.first().at(0).value<BuildResult>())));
    }

private:
    TestInstallation m_installation;
    QString m_chromium;
    std::shared_ptr<ChromiumProcess> m_browser;
};

QTEST_GUILESS_MAIN(TestEngines)
#include "tst_engines.moc"
