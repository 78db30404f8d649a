// SPDX-License-Identifier: GPL-3.0-or-later
// The live preview in the window: when it shows, what its status line says, and that it never gets in the way.
#include "GuiTestSupport.h"
#include "gui/Settings.h"
#include "gui/widgets/PdfView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>
#include <QWheelEvent>

using namespace orvanta;

namespace {

// A stand-in converter: one page a resource, noting each run. A file named "hold" beside it holds it back, and
// one named "fail" makes it fail.
QString pageWritingConverter(const QString& folder)
{
    return pdfWritingScript(u"echo $$ >> '%1/runs'\nwhile [ -e '%1/hold' ]; do sleep 0.02; done\n"
                            "[ -e '%1/fail' ] && { echo 'Error: a broken template' >&2; exit 1; }"_s.arg(folder));
}

} // namespace

class TestPreview : public WindowTest {
    Q_OBJECT

private Q_SLOTS:
    // The example picture until the sheet has a headline and a resource; then the PDF and its page count.
    void showsOnceThereIsSomethingToShow()
    {
        QVERIFY(!showsPdf());
        QTRY_VERIFY(child<QWidget>(m_window.get(), "previewPane")->width() >= m_window->width() * 45 / 100);
        QCOMPARE(child<QLabel>(m_window.get(), "lblExample")->text(), u"Cheatsheet Example:"_s);
        QSignalSpy nothingToShow(&m_window->previewRenderer(), &PreviewRenderer::cleared);
        QTest::keyClicks(edit("txtHeaderTitle"), u"Head"_s);
        QVERIFY(nothingToShow.wait()); // after the typing pause: a headline alone is not shown
        QVERIFY(!showsPdf());
        QCOMPARE(runs(), 0);
        QVERIFY(writeAll(path(u"/hold"_s), ""));
        addResources(1);
        QCoreApplication::processEvents(); // a list change goes to the renderer at once, typing after a pause
        QVERIFY(m_window->previewRenderer().isConverting());
        QTRY_COMPARE(status(), u"Making the preview…"_s);
        QVERIFY(QFile::remove(path(u"/hold"_s)));
        QTRY_COMPARE(status(), u"1 page · wkhtmltopdf · not tagged for screen readers"_s);
        QVERIFY(showsPdf());
        QCOMPARE(child<QLabel>(m_window.get(), "lblExample")->text(), u"Preview:"_s);
        QVERIFY(writeAll(path(u"/hold"_s), ""));
        addResources(2);
        QTRY_COMPARE(status(), u"1 page · wkhtmltopdf · not tagged for screen readers · updating…"_s);
        QVERIFY(QFile::remove(path(u"/hold"_s)));
        QTRY_COMPARE(status(), u"3 pages · wkhtmltopdf · not tagged for screen readers"_s);
        // A failed conversion is said on the status line, the whole of it in the tip; no message box.
        QVERIFY(writeAll(path(u"/fail"_s), ""));
        QTest::keyClick(edit("txtHeaderTitle"), Qt::Key_S);
        QCoreApplication::processEvents();
        QVERIFY(!m_window->previewRenderer().isConverting());
        QTRY_COMPARE(status(), u"The PDF converter finished (exit code 1) without writing the preview."_s);
        QVERIFY(child<QLabel>(m_window.get(), "lblPreviewStatus")->toolTip().endsWith(u"Error: a broken template"_s));
        QVERIFY(m_interaction.shown.isEmpty());
        edit("txtHeaderTitle")->clear();
        QTRY_VERIFY(!showsPdf());
        QCOMPARE(runs(), 3);
    }

    // Before there is a sheet to show, the example: the picture in a fresh sheet's design, printed in any other.
    void exampleInTheSheetsDesign()
    {
        m_interaction.chooseColour(QColor(0x12, 0x34, 0x56));
        click("cmdAccent");
        QTRY_VERIFY(showsPdf());
        QCOMPARE(child<QLabel>(m_window.get(), "lblExample")->text(), u"Cheatsheet Example:"_s);
        const QString page = QString::fromUtf8(readAll(m_window->previewRenderer().folder() + u"/bin/preview.html"_s));
        QVERIFY(page.contains(u"#123456"_s) && page.contains(u"Landing Page Checklist"_s));
        m_window->model().undoStack().undo();
        QTRY_VERIFY(!showsPdf());
        QCOMPARE(runs(), 1);
    }

    // Create while the preview prints this very sheet waits for the preview's PDF and copies it: the sheet is not
    // printed twice at once.
    void createWaitsForThePreviewOfTheSameSheet()
    {
        QVERIFY(writeAll(path(u"/hold"_s), ""));
        edit("txtHeaderTitle")->setText(u"Head"_s);
        addResources(1);
        QTRY_COMPARE(runs(), 1);
        m_window->model().setText(&Sheet::fileName, u"sheet"_s);
        QSignalSpy ended(m_window.get(), &MainWindow::buildEnded);
        m_interaction.answer(false); // not to open the output folder
        QTest::mouseClick(child<QPushButton>(m_window.get(), "cmdCreate"), Qt::LeftButton);
        QVERIFY(m_window->isBuilding());
        QVERIFY(QFile::remove(path(u"/hold"_s)));
        QVERIFY(ended.wait(20000));
        QVERIFY(ended.first().at(0).toBool());
        QVERIFY(QFileInfo::exists(path(u"/bin/output/sheet.pdf"_s)));
        QCOMPARE(runs(), 1);
        // The preview stays beside the create page, and File > Export PDF saves its PDF where the user says.
        click("pageButton2");
        QVERIFY(child<PdfView>(m_window.get(), "pdfPreview")->isVisible() && showsPdf());
        QVERIFY(QDir().mkpath(path(u"/elsewhere"_s)));
        m_interaction.chooseFile(path(u"/elsewhere/mine.pdf"_s));
        m_window->findChild<QAction*>(u"actionExportPdf"_s)->trigger();
        QTRY_COMPARE(m_window->statusBar()->currentMessage(), u"PDF saved: "_s + path(u"/elsewhere/mine.pdf"_s));
        QCOMPARE(readAll(path(u"/elsewhere/mine.pdf"_s)), readAll(path(u"/bin/output/sheet.pdf"_s)));
        QCOMPARE(runs(), 1);
        QCOMPARE(Settings::pdfFolder(), path(u"/elsewhere"_s));
    }

    // A template of the sheet's look saved by any editor, a disclaimer or note ticked: the preview follows at once.
    void templatesAndTogglesRefreshIt()
    {
        edit("txtHeaderTitle")->setText(u"Head"_s);
        addResources(1);
        QTRY_COMPARE(runs(), 1);
        QVERIFY(writeAll(path(u"/bin/repeater.txt"_s), "<a class=\"cta\">#CTATEXT#</a>"));
        QTRY_COMPARE(runs(), 2);
        QTRY_COMPARE(status(), u"1 page · wkhtmltopdf · not tagged for screen readers"_s);
        child<QCheckBox>(m_window.get(), "chkDisclaimer")->click();
        QTRY_COMPARE(runs(), 3);
        child<QCheckBox>(m_window.get(), "chkQrCodes")->click(); // the design panel's
        QTRY_COMPARE(runs(), 4);
        QTest::keyClick(child<QComboBox>(m_window.get(), "cboPaper"), Qt::Key_End);
        QTRY_COMPARE(runs(), 5);
        // A look's own templates, once the sheet takes that look.
        QVERIFY(QDir().mkpath(path(u"/bin/looks/brand"_s)));
        for (const QString& file : {u"/template.html"_s, u"/repeater.txt"_s})
            QVERIFY(QFile::copy(path(u"/bin"_s + file), path(u"/bin/looks/brand"_s + file)));
        m_window->model().setDesign(&Sheet::look, u"brand"_s, u"Look"_s);
        QTRY_COMPARE(runs(), 6);
        QTRY_COMPARE(status(), u"1 page · wkhtmltopdf · not tagged for screen readers"_s);
        QVERIFY(writeAll(path(u"/bin/looks/brand/repeater.txt"_s), "<a class=\"cta\">#CTATEXT#!</a>"));
        QTRY_COMPARE(runs(), 7);
        QVERIFY(writeAll(path(u"/resources/tos.txt"_s), "New terms")); // watched with any look
        QTRY_COMPARE(runs(), 8);

        // Every page shows, one under the other. Ctrl and the wheel zoom, on from the width the page was shown at.
        auto* view = child<PdfView>(m_window.get(), "pdfPreview");
        auto* split = child<QSplitter>(m_window.get(), "splitPreview");
        split->setSizes({split->width() - 500, 500}); // the page fitted to the width is smaller than 1:1
        QCOMPARE(view->pageMode(), QPdfView::PageMode::MultiPage);
        const QPointF centre = view->viewport()->rect().center();
        QWheelEvent wheel(centre, view->mapToGlobal(centre), {}, {0, 120}, Qt::NoButton, Qt::ControlModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &wheel);
        QCOMPARE(view->zoomMode(), QPdfView::ZoomMode::Custom);
        const qreal zoomed = view->zoomFactor();
        QVERIFY(zoomed > 0.3 && zoomed < 1.0);
        m_window->findChild<QAction*>(u"actionZoomOut"_s)->trigger();
        QCOMPARE(view->zoomFactor(), zoomed / 1.15);
        m_window->findChild<QAction*>(u"actionFitWidth"_s)->trigger();
        QCOMPARE(view->zoomMode(), QPdfView::ZoomMode::FitToWidth);
    }

    void turnedOffAndRemembered()
    {
        auto* live = m_window->findChild<QAction*>(u"actionLivePreview"_s);
        QVERIFY(live->isChecked());
        live->trigger();
        edit("txtHeaderTitle")->setText(u"Head"_s);
        addResources(1);
        // A list change asks for the preview at once, with no typing pause, so one turn of the event loop is enough.
        QCoreApplication::processEvents();
        QVERIFY(!m_window->previewRenderer().isConverting());
        QCOMPARE(runs(), 0);
        QVERIFY(!showsPdf());
        QCOMPARE(status(), u"Live preview is off (View menu)."_s);

        m_window->resize(1200, 700);
        const auto split = [this] { return child<QSplitter>(m_window.get(), "splitPreview"); };
        split()->setSizes({700, 450});
        const QList<int> sizes = split()->sizes();
        m_interaction.answer(Interaction::SaveChoice::Discard);
        m_window->close();
        makeWindow();
        QCOMPARE(m_window->size(), QSize(1200, 700)); // the window too is where the user left it
        QCOMPARE(split()->sizes(), sizes);
        QVERIFY(!m_window->findChild<QAction*>(u"actionLivePreview"_s)->isChecked());
        m_window->findChild<QAction*>(u"actionLivePreview"_s)->trigger();
    }

    // Edit > Preferences chooses the engine: the preview follows at once and names it, and the choice is kept.
    void engineChosenInPreferences()
    {
        edit("txtHeaderTitle")->setText(u"Head"_s);
        addResources(1);
        QTRY_COMPARE(status(), u"1 page · wkhtmltopdf · not tagged for screen readers"_s);
        QAction* preferences = child<QMenu>(m_window.get(), "menuEdit")->actions().constLast();
        inDialog([&] { preferences->trigger(); },
                 [](QDialog* dialog) {
                     auto* engine = child<QComboBox>(dialog, "cboEngine");
                     QCOMPARE(engine->currentText(), u"Automatic"_s);
                     engine->setCurrentText(u"Chromium (recommended)"_s);
                     dialog->accept();
                 });
        QTRY_COMPARE_WITH_TIMEOUT(status(), u"1 page · Chromium"_s, 30000);
        m_interaction.answer(Interaction::SaveChoice::Discard);
        m_window->close();
        makeWindow();
        inDialog([this] { child<QMenu>(m_window.get(), "menuEdit")->actions().constLast()->trigger(); },
                 [](QDialog* dialog) {
                     QCOMPARE(child<QComboBox>(dialog, "cboEngine")->currentText(), u"Chromium (recommended)"_s);
                 });
    }

    void browserProgram_data()
    {
        QTest::addColumn<QString>("program"); // in the installation folder; "browser" runs chromium, noting it
        QTest::addColumn<bool>("used");
        QTest::newRow("an executable file: used") << u"/browser"_s << true;
        QTest::newRow("not executable: refused") << u"/resources/tos.txt"_s << false;
        QTest::newRow("a folder: refused") << u"/bin"_s << false;
    }

    // Preferences names the browser for Chromium: an executable file is used at once; anything else is refused
    // with a message and nothing is kept.
    void browserProgram()
    {
        QFETCH(QString, program);
        QFETCH(bool, used);
        QVERIFY(writeAll(path(u"/browser"_s), "#!/bin/sh\necho run >> \"$0.runs\"\nexec chromium \"$@\"\n"));
        QVERIFY(QFile::setPermissions(path(u"/browser"_s), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        edit("txtHeaderTitle")->setText(u"Head"_s);
        addResources(1);
        QTRY_COMPARE(status(), u"1 page · wkhtmltopdf · not tagged for screen readers"_s);
        m_interaction.chooseFile(path(program));
        inDialog([this] { child<QMenu>(m_window.get(), "menuEdit")->actions().constLast()->trigger(); },
                 [&](QDialog* dialog) {
                     child<QComboBox>(dialog, "cboEngine")->setCurrentText(u"Chromium (recommended)"_s);
                     QTest::mouseClick(child<QPushButton>(dialog, "cmdBrowseBrowser"), Qt::LeftButton);
                     QCOMPARE(child<QLineEdit>(dialog, "txtBrowserProgram")->text(), path(program));
                     child<QDialogButtonBox>(dialog, "buttons")->button(QDialogButtonBox::Ok)->click();
                     QCOMPARE(dialog->isVisible(), !used);
                 });
        QCOMPARE(Settings::chromiumProgram(), used ? path(program) : QString());
        if (used) {
            QTRY_COMPARE_WITH_TIMEOUT(status(), u"1 page · Chromium"_s, 30000);
            QVERIFY(QFileInfo::exists(path(u"/browser.runs"_s)));
        } else {
            QVERIFY(m_interaction.last().startsWith(u"warn|Browser Program|"_s + path(program) +
                                                    u" is not a program that can be run."_s));
            QCOMPARE(Settings::pdfEngine(), EngineChoice::Automatic);
            QCOMPARE(status(), u"1 page · wkhtmltopdf · not tagged for screen readers"_s);
        }
    }

    // A character no font has is named under the preview. File > Export Cover Image copies the preview's PDF when
    // it is of this very sheet; a folder that cannot take the picture gets a message.
    void fontWarningAndCover()
    {
        edit("txtHeaderTitle")->setText(u"Head \uE000"_s);
        addResources(1);
        QTRY_COMPARE(
            status(),
            u"1 page · wkhtmltopdf · not tagged for screen readers · No installed font has: U+E000. Install fonts-noto-core."_s);
        m_window->model().setText(&Sheet::fileName, u"my sheet"_s);
        const QString suggested = Settings::lastFolder() + u"/my-sheet.png"_s;
        auto* exportCover = m_window->findChild<QAction*>(u"actionExportCover"_s);
        m_interaction.chooseFile(path(u"/cover"_s));
        exportCover->trigger();
        QTRY_VERIFY(QFileInfo::exists(path(u"/cover.png"_s)));
        QCOMPARE(m_interaction.shown.constLast().text, suggested);
        QCOMPARE(QImage(path(u"/cover.png"_s)).size(), QSize(1200, 1698)); // 595 x 842 points
        QCOMPARE(runs(), 1);
        m_interaction.chooseFile(path(u"/no/folder/cover.png"_s));
        exportCover->trigger();
        QTRY_VERIFY(m_interaction.last().startsWith(u"warn|Cover Not Saved|Could not save the cover image "_s));
    }

private:
    QString converter() const override { return pageWritingConverter(m_installation->folder()); }
    QString status() const { return child<QLabel>(m_window.get(), "lblPreviewStatus")->text(); }
    bool showsPdf() const
    {
        return child<QStackedWidget>(m_window.get(), "previewStack")->currentWidget() ==
               child<PdfView>(m_window.get(), "pdfPreview");
    }
    int runs() const { return int(readAll(path(u"/runs"_s)).count('\n')); }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
