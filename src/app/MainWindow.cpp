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
#include <QPixmap>

// The images live in a static library, so their registration must be pulled in by hand.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

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
    initResources();
    ui->setupUi(this);
    ui->lstResources->setModel(&m_resources);
    ui->pageButton1->setIcon(icons::document());
    ui->pageButton2->setIcon(icons::wand());
    ui->picExample->setPixmap(QPixmap(QStringLiteral(":/images/example.png")));
    // List views do not take their name from a caption label.
    ui->lstResources->setAccessibleName(QStringLiteral("Resources"));
    ui->Label16->setAccessibleDescription(QStringLiteral("Link: opens the disclaimer editor"));
    ui->Label17->setAccessibleDescription(QStringLiteral("Link: opens the automatic resources dialog"));
    // The blinking label keeps its place in the banner while hidden.
    QSizePolicy keepPlace = ui->lblPleaseWait->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    ui->lblPleaseWait->setSizePolicy(keepPlace);
    ui->lblPleaseWait->hide();
    tmrPleaseWait.setInterval(BlinkInterval);

    connect(ui->pageButton1, &QAbstractButton::clicked, this, [this] { pageButton_Click(1); });
    connect(ui->pageButton2, &QAbstractButton::clicked, this, [this] { pageButton_Click(2); });
    connect(ui->cmdAddResource, &QPushButton::clicked, this, &MainWindow::cmdAddResource_Click);
    connect(ui->txtCTAURL, &QLineEdit::returnPressed, this, &MainWindow::txtCTAURL_KeyUp);
    connect(ui->cmdRemoveItem, &QPushButton::clicked, this, &MainWindow::cmdRemoveItem_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(ui->cmdCreate, &QPushButton::clicked, this, &MainWindow::cmdCreate_Click);
    connect(ui->cmdOutput, &QPushButton::clicked, this, &MainWindow::cmdOutput_Click);
    connect(ui->Label16, &LinkLabel::clicked, this, &MainWindow::Label16_Click);
    connect(ui->Label17, &LinkLabel::clicked, this, &MainWindow::Label17_Click);
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

    ShowPage(1);
    ui->txtHeaderTitle->setFocus();

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
        ui->txtHeaderTitle->setFocus();
}

void MainWindow::pageButton_Click(int index)
{
    ShowPage(index);
}

void MainWindow::cmdAddResource_Click()
{
    const QString linkText = ui->txtCTAText->text();
    const QString linkUrl = ui->txtCTAURL->text();
    if (linkText.isEmpty() || linkUrl.isEmpty()) {
        m_interaction.inform(this, QStringLiteral("Missing Info"), QStringLiteral("Please complete all the fields."));
        return;
    }
    m_resources.append(ResourceEntry{linkText, linkUrl});
    ui->txtCTAText->clear();
    ui->txtCTAURL->setText(QStringLiteral("http://"));
    ui->txtCTAText->setFocus();
}

// Runs on Enter in the URL box, with any modifier. Reacting to the key press rather than its release
// keeps an Enter that closes a message box from adding again.
void MainWindow::txtCTAURL_KeyUp()
{
    cmdAddResource_Click();
}

void MainWindow::cmdRemoveItem_Click()
{
    if (m_resources.isEmpty()) {
        m_interaction.inform(this, QStringLiteral("Invalid Operation"), QStringLiteral("Please add a resource first."));
        return;
    }
    const QModelIndex selected = ui->lstResources->currentIndex();
    if (!selected.isValid() || !ui->lstResources->selectionModel()->isSelected(selected)) {
        m_interaction.inform(this, QStringLiteral("Invalid Operation"),
                             QStringLiteral("Please select a resource first."));
        return;
    }
    m_resources.removeAt(selected.row());
    ui->lstResources->clearSelection();
}

void MainWindow::Command2_Click()
{
    if (m_resources.isEmpty()) {
        m_interaction.inform(this, QStringLiteral("Invalid Action"),
                             QStringLiteral("Ooops, there are no resources to remove."));
        return;
    }
    if (m_interaction.confirm(this, QStringLiteral("Confirm"), QStringLiteral("Confirm Action?")))
        m_resources.clear();
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
