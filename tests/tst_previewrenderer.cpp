// SPDX-License-Identifier: GPL-3.0-or-later
// The live preview without a window: how changes are coalesced into conversions, what a failure says, and that
// nothing is left behind, not even after a kill.
#include "TestSupport.h"
#include "pipeline/PreviewRenderer.h"
#include "pipeline/SheetBuilder.h"
#include "words/BuildWords.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <csignal>

using namespace orvanta;
using namespace std::chrono_literals;

namespace {

Sheet sheetWith(const QString& headline)
{
    Sheet sheet;
    sheet.headline = headline;
    sheet.resources = {{u"a"_s, u"https://a.test"_s}};
    return sheet;
}

} // namespace

class TestPreviewRenderer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_installation = std::make_unique<TestInstallation>();
        QVERIFY(m_installation->isValid());
        m_runs = m_installation->path(u"/runs"_s);
        installConverter(u"sleep 0.3"_s);
    }

    // A hundred changes in two seconds make one conversion, after the pause. Changes while a conversion runs make
    // one more when it ends, with the newest sheet, and the stale result is never shown. Nothing to show, nothing
    // converted. The preview's page is Create's.
    void changesAreCoalesced()
    {
        PreviewRenderer preview(m_installation->folder());
        QSignalSpy ready(&preview, &PreviewRenderer::ready);
        QSignalSpy cleared(&preview, &PreviewRenderer::cleared);
        QString headline;
        QTimer typing; // a change every 20 ms, as fast typing makes them
        connect(&typing, &QTimer::timeout, &preview, [&] {
            preview.update(sheetWith(headline += u'x'), preview.typingPause());
            if (headline.size() == 100)
                typing.stop();
        });
        typing.start(20);
        QVERIFY(ready.wait(10000));
        QCOMPARE(headline.size(), 100);
        QCOMPARE(runs().size(), 1);
        QVERIFY(page(preview).contains(headline.toUtf8()));
        QCOMPARE(ready.takeFirst().at(0).toString(), preview.folder() + u"/preview.pdf"_s);
        // Byte for byte the page Create writes, where its references lead where they do from bin.
        SheetBuilder builder(m_installation->folder());
        QVERIFY(!builder.build(sheetWith(headline), u"created"_s));
        QCOMPARE(page(preview), readAll(m_installation->path(u"/bin/created.html"_s)));
        const QString script = u"/bin/assets/js/stylish-portfolio.js"_s;
        QCOMPARE(readAll(preview.folder() + script), readAll(m_installation->path(script)));
        QVERIFY(QFileInfo(preview.folder() + u"/resources/tos.txt"_s).isFile());
        QVERIFY(!QFileInfo::exists(preview.folder() + u"/bin/output"_s));
        QTRY_COMPARE(runs().size(), 2);

        preview.update(sheetWith(u"first"_s), {});
        QTRY_VERIFY(preview.isConverting());
        preview.update(sheetWith(u"second"_s), {});
        preview.update(sheetWith(u"third"_s), {});
        QTRY_COMPARE_WITH_TIMEOUT(ready.size(), 1, 5000);
        QVERIFY(!ready.wait(800));
        QCOMPARE(runs().size(), 4);
        QVERIFY(page(preview).contains("third"));

        preview.update(sheetWith(QString()), {});
        QVERIFY(cleared.wait(2000));
        preview.setEnabled(false);
        preview.update(sheetWith(u"off"_s), {});
        QVERIFY(!cleared.wait(500));
        QCOMPARE(runs().size(), 4);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("converter"); // empty: none at all
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QString() << u"No PDF engine was found: neither wkhtmltopdf nor Chromium."_s;
        QTest::newRow("crashes") << u"#!/bin/sh\nkill -SEGV $$\n"_s
                                 << u"The PDF converter stopped unexpectedly, so the preview was not made."_s;
        QTest::newRow("hangs")
            << u"#!/bin/sh\nexec sleep 30\n"_s
            << u"The PDF converter was still working after 0 seconds and was stopped, so the preview "
               "was not made. The page took too long to print: it may be too large or too complex."_s;
    }

    // One line for the status, the whole story for its tooltip, and the preview is free again.
    void failures()
    {
        QFETCH(QString, converter);
        QFETCH(QString, reason);
        const QByteArray savedPath = qgetenv("PATH");
        QTemporaryDir emptyFolder;
        if (converter.isEmpty()) {
            QVERIFY(QFile::remove(m_installation->path(u"/bin/wkhtmltopdf"_s)));
            qputenv("PATH", QFile::encodeName(emptyFolder.path()));
        } else {
            m_installation->installConverter(converter);
        }
        PreviewRenderer preview(m_installation->folder());
        preview.setTimeLimit(300ms);
        QSignalSpy failed(&preview, &PreviewRenderer::failed);
        preview.update(sheetWith(u"fails"_s), {});
        const bool said = failed.wait(5000);
        qputenv("PATH", savedPath);
        QVERIFY(said);
        const QString text = BuildWords::previewProblem(failed.first().at(0).value<BuildProblem>());
        QCOMPARE(BuildWords::firstParagraph(text), reason);
        QVERIFY(!text.contains(preview.folder()));
        QVERIFY(!preview.isConverting());
    }

    void nothingIsLeftBehind_data()
    {
        QTest::addColumn<bool>("killed");
        QTest::newRow("closed while converting") << false;
        QTest::newRow("killed while converting") << true;
    }

    // Closed or killed while converting, it leaves no files and no converter, and Qt nothing to warn of.
    void nothingIsLeftBehind()
    {
        QFETCH(bool, killed);
        QTest::failOnWarning(QRegularExpression(u".*"_s));
        installConverter(u"exec sleep 30"_s);
        QString folder;
        QProcess child;
        if (killed) {
            child.start(QCoreApplication::applicationFilePath(), {u"--child"_s, m_installation->folder()});
            QVERIFY(child.waitForReadyRead(10000));
            folder = QString::fromLocal8Bit(child.readLine().trimmed());
            QTRY_COMPARE(runs().size(), 1);
            ::kill(pid_t(child.processId()), SIGKILL);
        } else {
            PreviewRenderer preview(m_installation->folder());
            folder = preview.folder();
            preview.update(sheetWith(u"closed"_s), {});
            QTRY_COMPARE(runs().size(), 1);
        }
        QVERIFY(folder.contains(u"orvanta-preview"_s));
        QTRY_VERIFY(!QFileInfo::exists(folder));
        QTRY_VERIFY(!QFileInfo::exists(u"/proc/"_s + runs().constFirst()));
    }

private:
    QStringList runs() const { return QString::fromLatin1(readAll(m_runs)).split(u'\n', Qt::SkipEmptyParts); }
    QByteArray page(const PreviewRenderer& preview) const { return readAll(preview.folder() + u"/bin/preview.html"_s); }
    // A stand-in converter that notes each run, with its pid, and takes a while.
    void installConverter(const QString& wait)
    {
        m_installation->installConverter(pdfWritingScript(u"echo $$ >> '%1'\n%2"_s.arg(m_runs, wait)));
    }

    std::unique_ptr<TestInstallation> m_installation;
    QString m_runs;
};

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0) {
        // The child of the kill test: a preview converting, its folder on stdout, until it is killed.
        PreviewRenderer preview(QString::fromLocal8Bit(argv[2]));
        preview.update(sheetWith(u"Killed"_s), {});
        QTextStream(stdout) << preview.folder() << Qt::endl;
        return QCoreApplication::exec();
    }
    TestPreviewRenderer test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_previewrenderer.moc"
