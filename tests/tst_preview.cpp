// The live preview in the window: when it shows, what its status line says, and that it never gets in the way.
#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "gui/ContentPage.h"
#include "gui/MainWindow.h"
#include "gui/PreviewPanel.h"
#include "gui/widgets/PdfPreview.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>
#include <QWheelEvent>

using namespace orvanta;

namespace {

// A stand-in converter: one page a resource, noting each run; a file named "fail" beside it makes it fail.
QString pageWritingConverter(const QString& folder)
{
    return QStringLiteral(R"(#!/bin/sh
echo $$ >> '%1/runs'
[ -e '%1/fail' ] && { echo 'Error: a broken template' >&2; exit 1; }
[ -e '%1/slow' ] && sleep 30
n=$(grep -o 'class="cta"' "$1" | wc -l); kids=""; pages=""; i=0
while [ $i -lt $n ]; do kids="$kids $((i+3)) 0 R"; pages="$pages$((i+3)) 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 595 842]>>endobj
"; i=$((i+1)); done
printf '%%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n2 0 obj<</Type/Pages/Kids[%s]/Count %d>>endobj\n%strailer<</Root 1 0 R>>\n%%%%EOF\n' "$kids" "$n" "$pages" > "$2"
)")
        .arg(folder);
}

} // namespace

class TestPreview : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void showsOnceThereIsSomethingToShow();
    void failuresShowInTheStatusLine();
    void templatesAndTogglesRefreshIt();
    void turnedOffAndRemembered();
    void closingStopsTheConverter();

private:
    QString status() const { return child<QLabel>(m_window.get(), "lblPreviewStatus")->text(); }
    bool showsPdf() const
    {
        return child<QStackedWidget>(m_window.get(), "previewStack")->currentWidget() ==
               child<PdfPreview>(m_window.get(), "pdfPreview");
    }
    int runs() const { return int(readAll(m_installation->path(QStringLiteral("/runs"))).count('\n')); }
    void makeWindow()
    {
        m_window = std::make_unique<MainWindow>(m_installation->folder(), m_interaction);
        m_window->show();
    }
    void addResources(int count)
    {
        ResourceEntries entries;
        for (int i = 0; i < count; ++i)
            entries.append({QStringLiteral("r%1").arg(i), QStringLiteral("https://r.test")});
        m_window->resources().append(entries);
    }

    std::unique_ptr<TestInstallation> m_installation;
    ScriptedInteraction m_interaction;
    std::unique_ptr<MainWindow> m_window;
};

void TestPreview::initTestCase()
{
    isolateUserFolders();
}

void TestPreview::init()
{
    m_installation = std::make_unique<TestInstallation>();
    QVERIFY(m_installation->isValid());
    m_installation->installConverter(pageWritingConverter(m_installation->folder()));
    m_interaction = ScriptedInteraction();
    makeWindow();
}

void TestPreview::cleanup()
{
    m_window.reset();
    QVERIFY2(!m_interaction.answersLeft(), "a scripted answer was not used");
}

// The example picture until the sheet has a headline and a resource; then the PDF and its page count.
void TestPreview::showsOnceThereIsSomethingToShow()
{
    QVERIFY(!showsPdf());
    QCOMPARE(child<QLabel>(m_window.get(), "lblExample")->text(), QStringLiteral("Cheatsheet Example:"));
    QTest::keyClicks(child<QLineEdit>(m_window.get(), "txtHeaderTitle"), QStringLiteral("Head"));
    QTest::qWait(600);
    QVERIFY(!showsPdf());
    QCOMPARE(runs(), 0);
    addResources(1);
    QTRY_COMPARE(status(), QStringLiteral("1 page"));
    QVERIFY(showsPdf());
    QCOMPARE(child<QLabel>(m_window.get(), "lblExample")->text(), QStringLiteral("Preview:"));
    addResources(2);
    QTRY_COMPARE(status(), QStringLiteral("3 pages"));
    child<QLineEdit>(m_window.get(), "txtHeaderTitle")->clear();
    QTRY_VERIFY(!showsPdf());
    QCOMPARE(runs(), 2);
}

// No message box: the reason is in the status line, and everything else goes on.
void TestPreview::failuresShowInTheStatusLine()
{
    QVERIFY(writeAll(m_installation->path(QStringLiteral("/fail")), ""));
    child<QLineEdit>(m_window.get(), "txtHeaderTitle")->setText(QStringLiteral("Head"));
    addResources(1);
    QTRY_COMPARE(status(), QStringLiteral("The PDF converter finished (exit code 1) without writing the preview."));
    QVERIFY(child<QLabel>(m_window.get(), "lblPreviewStatus")->toolTip().contains(QStringLiteral("a broken template")));
    QVERIFY(m_interaction.shown.isEmpty());
    QVERIFY(QFile::remove(m_installation->path(QStringLiteral("/fail"))));
    addResources(1);
    QTRY_COMPARE(status(), QStringLiteral("2 pages"));
}

// A template saved by any editor, a disclaimer or note ticked: the preview follows at once.
void TestPreview::templatesAndTogglesRefreshIt()
{
    child<QLineEdit>(m_window.get(), "txtHeaderTitle")->setText(QStringLiteral("Head"));
    addResources(1);
    QTRY_COMPARE(runs(), 1);
    QVERIFY(writeAll(m_installation->path(QStringLiteral("/bin/repeater.txt")), "<a class=\"cta\">#CTATEXT#</a>"));
    QTRY_COMPARE(runs(), 2);
    QTRY_COMPARE(status(), QStringLiteral("1 page"));
    child<QCheckBox>(m_window.get(), "chkDisclaimer")->click();
    QTRY_COMPARE(runs(), 3);

    // Ctrl and the wheel zoom, on from the width the page was shown at.
    auto* view = child<PdfPreview>(m_window.get(), "pdfPreview");
    const QPointF centre = view->viewport()->rect().center();
    QWheelEvent wheel(centre, view->mapToGlobal(centre), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    QCOMPARE(view->zoomMode(), QPdfView::ZoomMode::Custom);
    QVERIFY(view->zoomFactor() > 0.3 && view->zoomFactor() < 1.0);
}

void TestPreview::turnedOffAndRemembered()
{
    auto* live = m_window->findChild<QAction*>(QStringLiteral("actionLivePreview"));
    QVERIFY(live->isChecked());
    live->trigger();
    child<QLineEdit>(m_window.get(), "txtHeaderTitle")->setText(QStringLiteral("Head"));
    addResources(1);
    QTest::qWait(600);
    QCOMPARE(runs(), 0);
    QVERIFY(!showsPdf());
    QCOMPARE(status(), QStringLiteral("Live preview is off (View menu)."));

    m_interaction.answer(Interaction::SaveChoice::Discard);
    m_window->close();
    makeWindow();
    QVERIFY(!m_window->findChild<QAction*>(QStringLiteral("actionLivePreview"))->isChecked());
    m_window->findChild<QAction*>(QStringLiteral("actionLivePreview"))->trigger();
}

// Closing the window stops a conversion at once and leaves no temporary file.
void TestPreview::closingStopsTheConverter()
{
    QVERIFY(writeAll(m_installation->path(QStringLiteral("/slow")), ""));
    child<QLineEdit>(m_window.get(), "txtHeaderTitle")->setText(QStringLiteral("Head"));
    addResources(1);
    QTRY_COMPARE(runs(), 1);
    const QString converter = QStringLiteral("/proc/") + QString::fromLatin1(readAll(m_installation->path(QStringLiteral("/runs"))).trimmed());
    const QString folder = m_window->findChild<ContentPage*>()->preview().livePreview().folder();
    QVERIFY(QFileInfo::exists(converter) && QFileInfo::exists(folder));
    m_interaction.answer(Interaction::SaveChoice::Discard);
    m_window->close();
    QVERIFY(!QFileInfo::exists(converter));
    m_window.reset();
    QVERIFY(!QFileInfo::exists(folder));
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
