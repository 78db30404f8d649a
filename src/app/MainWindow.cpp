#include "MainWindow.h"

#include "Icons.h"
#include "Interaction.h"
#include "resourcelist/AutoResourcesDialog.h"
#include "support/InstallCheck.h"
#include "support/InstallLayout.h"
#include "support/Paths.h"
#include "terms/TermsDialog.h"
#include "ui_MainWindow.h"

#include <QCloseEvent>
#include <QDir>

namespace orvanta {

namespace {

const QString ProductName = QStringLiteral("Orvanta");
const QString Version = QStringLiteral(ORVANTA_VERSION);
const QString ByLine = QStringLiteral(" ");
constexpr int BlinkInterval = 300;
const QString FolderNotWritable = QStringLiteral("Folder Not Writable");

} // namespace

MainWindow::MainWindow(const QString& installFolder, Interaction& interaction, QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::frmMass>())
    , m_interaction(interaction)
    , m_installFolder(installFolder)
{
    ui->setupUi(this);
    ui->frPage1->attach(m_resources, m_interaction);
    ui->pageButton1->setIcon(icons::document());
    ui->pageButton2->setIcon(icons::wand());
    // The blinking label keeps its place in the banner while hidden.
    QSizePolicy keepPlace = ui->lblPleaseWait->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ui->lblPleaseWait->setSizePolicy(keepPlace);
    ui->lblPleaseWait->hide();
    tmrPleaseWait.setInterval(BlinkInterval);

    connect(ui->pageButton1, &QAbstractButton::clicked, this, [this] { pageButton_Click(1); });
    connect(ui->pageButton2, &QAbstractButton::clicked, this, [this] { pageButton_Click(2); });
    connect(ui->frPage1, &ContentPage::disclaimerContentRequested, this, &MainWindow::Label16_Click);
    connect(ui->frPage1, &ContentPage::automaticResourcesRequested, this, &MainWindow::Label17_Click);
    connect(ui->frPage2, &CreatePage::createRequested, this, &MainWindow::cmdCreate_Click);
    connect(ui->frPage2, &CreatePage::openFolderRequested, this, &MainWindow::cmdOutput_Click);
    connect(&tmrPleaseWait, &QTimer::timeout, this, &MainWindow::tmrPleaseWait_Timer);
    connect(&m_converter, &PdfConverter::finished, this, &MainWindow::conversionFinished);

    Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::Form_Load()
{
    setWindowTitle(ProductName + u' ' + Version + u' ' + ByLine);
    ui->lblBy->setText(ByLine);
    ui->lblAppName->setText(ProductName);

    // Only the last level is made: without a bin folder there is nothing to make it in.
    m_workFolder = outputFolder();
    if (!PathExists(m_workFolder, true))
        QDir().mkdir(m_workFolder);

    ShowPage(1); // which also puts the focus in the headline box

    // Said once, when the window is up; each command that would write says it again.
    if (const QString problem = InstallFolderProblem(m_installFolder); !problem.isEmpty())
        QTimer::singleShot(0, this, [this, problem] { m_interaction.warn(this, FolderNotWritable, problem); });
}

QString MainWindow::outputFolder() const
{
    return InstallPath(m_installFolder, layout::OutputFolder);
}

void MainWindow::ShowPage(int page)
{
    if (page != 1 && page != 2)
        return;
    ui->pageButton1->setStateFlag(page != 1);
    ui->pageButton2->setStateFlag(page != 2);
    ui->pages->setCurrentIndex(page - 1);
    if (page == 1)
        ui->frPage1->focusHeadline();
}

void MainWindow::pageButton_Click(int index)
{
    ShowPage(index);
}

void MainWindow::tmrPleaseWait_Timer()
{
    ui->lblPleaseWait->setVisible(!ui->lblPleaseWait->isVisible());
}

void MainWindow::cmdOutput_Click()
{
    m_workFolder = outputFolder();
    openOutputFolder();
}

void MainWindow::openOutputFolder()
{
    // A folder deleted since start-up is made again, so the file manager has something to show.
    QDir().mkdir(m_workFolder);
    if (!m_interaction.openFolder(m_workFolder)) {
        m_interaction.warn(this, QStringLiteral("Open Output Folder"),
                           QStringLiteral("The file manager could not be started. Your PDF files are in:\n%1")
                               .arg(QDir::toNativeSeparators(m_workFolder)));
    }
}

void MainWindow::Label16_Click()
{
    TermsDialog dialog(m_installFolder, m_interaction, this);
    if (dialog.loaded())
        dialog.exec();
}

void MainWindow::Label17_Click()
{
    AutoResourcesDialog dialog(m_resources, m_interaction, this);
    dialog.exec();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    m_converter.cancel();
    if (tmrPleaseWait.isActive())
        setBusy(false);
    event->accept();
}

} // namespace orvanta
