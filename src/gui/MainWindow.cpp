// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"

#include "Version.h"
#include "gui/ContentPage.h"
#include "gui/CreatePage.h"
#include "gui/DesignPanel.h"
#include "gui/PreviewPanel.h"
#include "gui/Settings.h"
#include "gui/SheetExport.h"
#include "gui/dialogs/AutoResourcesDialog.h"
#include "gui/dialogs/PreferencesDialog.h"
#include "gui/dialogs/TermsDialog.h"
#include "gui/widgets/Icons.h"
#include "gui/widgets/Interaction.h"
#include "page/Installation.h"
#include "sheet/SheetFile.h"
#include "ui_MainWindow.h"
#include "words/BuildWords.h"
#include "words/Titles.h"

#include <QCloseEvent>
#include <QDir>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>

// The images live in a static library, so their registration must be pulled in by hand.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace orvanta {

namespace {

const QString ProductName = QStringLiteral("Orvanta");
const QString ByLine = QStringLiteral(" ");
constexpr int BlinkInterval = 300;
enum Page { ContentPageIndex = 1, CreatePageIndex = 2 };
// The preview's share of the window's width, until the user moves the splitter.
constexpr double PreviewShare = 0.455;
constexpr double FirstWindowShare = 0.9;

} // namespace

MainWindow::MainWindow(const Installation& installation, Interaction& interaction, QWidget* parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::MainWindow>())
    , m_interaction(interaction)
    , m_installation(installation)
    , m_document(m_model, interaction, this)
    , m_builder(installation)
    , m_previewRenderer(installation)
{
    initResources();
    ui->setupUi(this);
    m_previewRenderer.setEnabled(Settings::livePreview());
    m_export = new SheetExport(installation, m_previewRenderer, interaction, *this);
    useEngine();
    m_contentPage = new ContentPage(m_model, interaction, ui->page1Holder);
    ui->page1HolderLayout->addWidget(m_contentPage);
    m_createPage = new CreatePage(m_model, ui->page2Holder);
    ui->page2HolderLayout->addWidget(m_createPage);
    auto* design = new DesignPanel(m_model, installation, interaction, ui->designHolder);
    ui->designHolderLayout->addWidget(design);
    ui->picExample->setPixmap(QPixmap(QStringLiteral(":/images/example.png")));
    m_previewPanel = new PreviewPanel(m_model, m_previewRenderer, installation, *ui->previewStack, *ui->pdfPreview,
                                      *ui->lblExample, *ui->lblPreviewStatus);
    setTabOrder(ui->pageButton2, m_contentPage);
    setTabOrder(m_contentPage, m_createPage);
    setTabOrder(m_createPage, design);
    setUpMenus();
    setAcceptDrops(true);
    // Where the user left it; at first most of the screen.
    if (!restoreGeometry(Settings::windowGeometry()) && screen())
        resize(screen()->availableSize() * FirstWindowShare);
    // A window made wider or narrower keeps the preview's share.
    ui->splitPreview->setStretchFactor(0, int(100 * (1 - PreviewShare)));
    ui->splitPreview->setStretchFactor(1, int(100 * PreviewShare));
    if (!ui->splitPreview->restoreState(Settings::previewSplit())) {
        // Once the window has its size: the splitter has none before.
        QTimer::singleShot(0, this, [this] {
            const int preview = int(width() * PreviewShare);
            ui->splitPreview->setSizes({ui->splitPreview->width() - preview, preview});
        });
    }
    ui->pageButton1->setIcon(icons::document());
    ui->pageButton2->setIcon(icons::wand());
    // The blinking label keeps its place in the banner while hidden.
    QSizePolicy keepPlace = ui->lblPleaseWait->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ui->lblPleaseWait->setSizePolicy(keepPlace);
    ui->lblPleaseWait->hide();
    m_blinkTimer.setInterval(BlinkInterval);

    connect(ui->pageButton1, &QAbstractButton::clicked, this, [this] { showPage(ContentPageIndex); });
    connect(ui->pageButton2, &QAbstractButton::clicked, this, [this] { showPage(CreatePageIndex); });
    connect(m_contentPage, &ContentPage::disclaimerContentRequested, this, &MainWindow::showTermsDialog);
    connect(m_contentPage, &ContentPage::automaticResourcesRequested, this, &MainWindow::showAutoResourcesDialog);
    connect(m_createPage, &CreatePage::createRequested, this, &MainWindow::createSheet);
    connect(m_createPage, &CreatePage::openFolderRequested, this, &MainWindow::openOutputFolder);
    connect(&m_blinkTimer, &QTimer::timeout, this, &MainWindow::blinkPleaseWait);
    connect(&m_builder, &SheetBuilder::finished, this, &MainWindow::sheetBuilt);
    connect(&m_previewRenderer, &PreviewRenderer::ready, this, &MainWindow::previewSettled);
    connect(&m_previewRenderer, &PreviewRenderer::failed, this, &MainWindow::previewSettled);
    connect(&m_previewRenderer, &PreviewRenderer::cleared, this, &MainWindow::previewSettled);
    connect(&Settings::notifier(), &SettingsNotifier::changed, this, [this](const QString& key) {
        if (key == Settings::PdfEngineKey || key == Settings::ChromiumProgramKey)
            useEngine();
    });

    connect(&m_document, &SheetDocument::stateChanged, this, &MainWindow::updateTitle);
    const auto showStatus = [this](const QString& text) { statusBar()->showMessage(text); };
    connect(m_contentPage, &ContentPage::statusMessage, this, showStatus);
    connect(&m_document, &SheetDocument::statusMessage, this, showStatus);

    updateTitle();
    ui->lblBy->setText(ByLine);
    ui->lblAppName->setText(ProductName);
    // Only the last level is made: without a bin folder there is nothing to make it in.
    QDir().mkdir(outputFolder());
    showPage(ContentPageIndex); // which also puts the focus in the headline box

    // Said once, when the window is up; each command that would write says it again.
    if (!InstallFolderWritable(m_installation.userFolder())) {
        QTimer::singleShot(0, this, [this] {
            m_interaction.warn(this, Titles::folderNotWritable(),
                               BuildWords::folderNotWritable(m_installation.userFolder()));
        });
    }
}

MainWindow::~MainWindow() = default;

void MainWindow::setUpMenus()
{
    connect(ui->actionNew, &QAction::triggered, &m_document, &SheetDocument::newSheet);
    connect(ui->actionOpen, &QAction::triggered, &m_document, &SheetDocument::open);
    connect(ui->menuRecent, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    connect(ui->actionImport, &QAction::triggered, m_contentPage, &ContentPage::importResources);
    connect(ui->actionSave, &QAction::triggered, &m_document, &SheetDocument::save);
    connect(ui->actionSaveAs, &QAction::triggered, &m_document, &SheetDocument::saveAs);
    connect(ui->actionExportPdf, &QAction::triggered, this,
            [this] { m_export->start(SheetExport::Kind::Pdf, m_model.sheet()); });
    connect(ui->actionExportCover, &QAction::triggered, this,
            [this] { m_export->start(SheetExport::Kind::Cover, m_model.sheet()); });
    connect(m_export, &SheetExport::saved, this, [this](SheetExport::Kind kind, const QString& path) {
        const QString shown = QDir::toNativeSeparators(path);
        statusBar()->showMessage(kind == SheetExport::Kind::Pdf ? tr("PDF saved: %1").arg(shown)
                                                                : tr("Cover image saved: %1").arg(shown));
    });
    connect(ui->actionQuit, &QAction::triggered, this, &QWidget::close);

    // Undo and redo name the step they take back or do again: "Undo Remove All".
    QAction* undo = m_model.undoStack().createUndoAction(this, tr("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = m_model.undoStack().createRedoAction(this, tr("&Redo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    ui->menuEdit->addActions({undo, redo});
    ui->menuEdit->addSeparator();
    for (QAction* action : m_contentPage->editActions()) {
        if (action)
            ui->menuEdit->addAction(action);
        else
            ui->menuEdit->addSeparator();
    }
    ui->menuEdit->addSeparator();
    ui->menuEdit->addActions(m_contentPage->linkActions());
    ui->menuEdit->addSeparator();
    QAction* preferences = ui->menuEdit->addAction(tr("Pre&ferences…"), this, &MainWindow::showPreferences);
    preferences->setMenuRole(QAction::PreferencesRole);
    statusBar()->addPermanentWidget(m_contentPage->linkCheckStatus());

    ui->actionLivePreview->setChecked(m_previewRenderer.isEnabled());
    connect(ui->actionLivePreview, &QAction::toggled, this, [this](bool live) {
        Settings::setLivePreview(live);
        m_previewRenderer.setEnabled(live);
    });
    connect(ui->actionZoomIn, &QAction::triggered, ui->pdfPreview, [this] { ui->pdfPreview->zoomBy(1); });
    connect(ui->actionZoomOut, &QAction::triggered, ui->pdfPreview, [this] { ui->pdfPreview->zoomBy(-1); });
    connect(ui->actionFitWidth, &QAction::triggered, ui->pdfPreview, &PdfView::fitWidth);
}

// With no sheet opened or saved, the caption is the app's own.
void MainWindow::updateTitle()
{
    const bool named = !m_document.path().isEmpty();
    if (named)
        setWindowTitle(tr("%1[*] - %2").arg(m_document.name(), ProductName));
    else
        setWindowTitle(ProductName + u' ' + QStringLiteral(ORVANTA_VERSION) + u' ' + ByLine);
    setWindowModified(named && m_document.isModified());
}

void MainWindow::fillRecentMenu()
{
    ui->menuRecent->clear();
    for (const QString& path : m_document.recentFiles()) {
        QAction* action = ui->menuRecent->addAction(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { m_document.openAfterAsking(path); });
    }
    if (!ui->menuRecent->isEmpty())
        ui->menuRecent->addSeparator();
    QAction* clear = ui->menuRecent->addAction(tr("&Clear"));
    clear->setEnabled(!m_document.recentFiles().isEmpty());
    connect(clear, &QAction::triggered, &m_document, &SheetDocument::clearRecentFiles);
}

QString MainWindow::outputFolder() const
{
    return m_installation.writePath(layout::OutputFolder);
}

void MainWindow::showPage(int page)
{
    ui->pageButton1->setStateFlag(page != ContentPageIndex);
    ui->pageButton2->setStateFlag(page != CreatePageIndex);
    ui->pages->setCurrentIndex(page - 1);
    if (page == ContentPageIndex)
        m_contentPage->focusHeadline();
}

void MainWindow::createSheet()
{
    if (isBuilding())
        return;
    // The preview is printing this very sheet: Create takes its PDF once it is done, rather than print the sheet a
    // second time beside it.
    if (m_previewRenderer.isConverting(m_model.sheet())) {
        m_createAfterPreview = true;
        setBusy(true);
        return;
    }
    // When the preview already printed this very page with this engine, Create copies its PDF.
    if (const auto problem =
            m_builder.build(m_model.sheet(), m_model.sheet().fileName, {}, m_previewRenderer.printed())) {
        report(BuildWords::buildProblem(*problem));
        return;
    }
    m_model.setText(&Sheet::fileName, m_builder.name()); // the user sees the name that was used
    m_contentPage->selectLastResource();
    setBusy(true);
}

void MainWindow::previewSettled()
{
    if (!std::exchange(m_createAfterPreview, false))
        return;
    setBusy(false);
    createSheet();
}

void MainWindow::sheetBuilt(const BuildResult& result)
{
    setBusy(false);
    if (result.problem) {
        report(BuildWords::buildProblem(*result.problem));
    } else {
        // The PDF is made, whatever it lacks.
        QStringList question = BuildWords::buildWarnings(result);
        if (const QString limits = BuildWords::engineLimits(result.engine, false); !limits.isEmpty())
            question.append(limits);
        question.append(tr("Ready. Do you want to open the output folder?"));
        if (m_interaction.confirm(this, Titles::done(), question.join(QStringLiteral("\n\n"))))
            openOutputFolder();
    }
    Q_EMIT buildEnded(result.succeeded());
}

void MainWindow::report(const Message& message)
{
    if (message.warning)
        m_interaction.warn(this, message.title, message.text);
    else
        m_interaction.inform(this, message.title, message.text);
}

void MainWindow::setBusy(bool busy)
{
    m_createPage->setBusy(busy);
    if (busy) {
        m_blinkTimer.start();
    } else {
        m_blinkTimer.stop();
        ui->lblPleaseWait->hide();
    }
}

void MainWindow::blinkPleaseWait()
{
    ui->lblPleaseWait->setVisible(!ui->lblPleaseWait->isVisible());
}

void MainWindow::openOutputFolder()
{
    // A folder deleted since start-up is made again, so the file manager has something to show.
    const QString folder = outputFolder();
    QDir().mkdir(folder);
    if (!m_interaction.openFolder(folder)) {
        m_interaction.warn(this, tr("Open Output Folder"),
                           tr("The file manager could not be started. Your PDF files are in:\n%1")
                               .arg(QDir::toNativeSeparators(folder)));
    }
}

void MainWindow::useEngine()
{
    const EngineChoice engine = Settings::pdfEngine();
    const QString program = Settings::chromiumProgram();
    m_builder.setEngine(engine, program);
    m_export->setEngine(engine, program);
    m_previewRenderer.setEngine(engine, program);
}

// The engine follows the settings through their notifier.
void MainWindow::showPreferences()
{
    PreferencesDialog dialog(Settings::pdfEngine(), Settings::chromiumProgram(), m_interaction, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Settings::setPdfEngine(dialog.engine());
    Settings::setChromiumProgram(dialog.chromiumProgram());
}

void MainWindow::showTermsDialog()
{
    TermsDialog dialog(m_installation, m_interaction, this);
    if (dialog.loaded())
        dialog.exec();
}

void MainWindow::showAutoResourcesDialog()
{
    AutoResourcesDialog dialog(m_interaction, this);
    connect(&dialog, &AutoResourcesDialog::resourcesGenerated, m_contentPage, &ContentPage::addGeneratedResources);
    dialog.exec();
}

// A sheet file dragged from the file manager opens like a recent one.
void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile() && urls.first().fileName().endsWith(u'.' + SheetSuffix))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = event->mimeData()->urls().first().toLocalFile();
    event->acceptProposedAction();
    // Asking to save inside the drop would hold the file manager's drag until the question is answered.
    QTimer::singleShot(0, this, [this, path] { m_document.openAfterAsking(path); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_document.maybeSave()) {
        event->ignore();
        return;
    }
    m_document.closed();
    Settings::setWindowGeometry(saveGeometry());
    Settings::setPreviewSplit(ui->splitPreview->saveState());
    event->accept(); // a conversion still going stops with the window's builder
}

} // namespace orvanta
