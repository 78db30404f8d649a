// The Create command of the main window: from the content fields to a PDF in the output folder.
#include "Interaction.h"
#include "MainWindow.h"
#include "build/PageFiller.h"
#include "support/InstallCheck.h"
#include "support/InstallLayout.h"
#include "support/Paths.h"
#include "support/TextFile.h"
#include "ui_MainWindow.h"

#include <QDir>

namespace orvanta {

namespace {

const QString MissingInfo = QStringLiteral("Missing Info");
const QString CannotCreate = QStringLiteral("Cannot Create");

} // namespace

void MainWindow::cmdCreate_Click()
{
    if (m_converter.isRunning())
        return;
    if (m_resources.isEmpty()) {
        m_interaction.inform(this, MissingInfo, QStringLiteral("Please add some resources first."));
        return;
    }
    PageContent content = ui->frPage1->content();
    if (content.headline.isEmpty()) {
        m_interaction.inform(this, MissingInfo, QStringLiteral("Please enter a headline first."));
        return;
    }
    if (ui->frPage2->fileName().isEmpty()) {
        m_interaction.inform(this, MissingInfo, QStringLiteral("Please enter a name for your pdf file first."));
        return;
    }
    if (const QString problem = FileNameProblem(ui->frPage2->fileName()); !problem.isEmpty()) {
        m_interaction.inform(this, QStringLiteral("Invalid File Name"), problem);
        return;
    }

    if (const QString problem = InstallFolderProblem(m_installFolder); !problem.isEmpty()) {
        m_interaction.warn(this, QStringLiteral("Folder Not Writable"), problem);
        return;
    }

    PageTemplates templates;
    if (const FileResult loaded = LoadTemplates(m_installFolder, content.disclaimerEnabled, templates); !loaded.ok()) {
        m_interaction.warn(this, CannotCreate, loaded.message);
        return;
    }

    const QString converter = FindConverter(m_installFolder);
    if (converter.isEmpty()) {
        m_interaction.warn(this, CannotCreate, ConverterMissingMessage(m_installFolder));
        return;
    }

    const QString name = HyphenatedName(ui->frPage2->fileName());
    const OutputPaths paths = FormOutputPaths(m_installFolder, name);
    if (const FileResult saved = SaveTextFile(paths.pagePath, FillPage(templates, content)); !saved.ok()) {
        m_interaction.warn(this, CannotCreate, saved.message);
        return;
    }
    ui->frPage2->setFileName(name); // the user sees the name that was used
    // The output folder may have been deleted since start-up.
    QDir().mkdir(outputFolder());

    ui->frPage1->selectLastResource();

    m_building = paths;
    m_buildTimeLimit = m_timeLimitOverride.value_or(ConversionTimeLimit(m_resources.count()));
    setBusy(true);
    m_converter.start(converter, paths.pagePath, paths.pdfPath, m_buildTimeLimit);
}

void MainWindow::setBusy(bool busy)
{
    ui->frPage2->setBusy(busy);
    if (busy) {
        tmrPleaseWait.start();
    } else {
        tmrPleaseWait.stop();
        ui->lblPleaseWait->hide();
    }
}

void MainWindow::conversionFinished(const ConversionResult& result)
{
    setBusy(false);
    if (!result.succeeded()) {
        m_interaction.warn(this, QStringLiteral("PDF Not Created"),
                           ConversionFailureMessage(result, m_building.pdfPath, m_buildTimeLimit));
        Q_EMIT buildEnded(false);
        return;
    }
    if (m_interaction.confirm(this, QStringLiteral("Done"),
                              QStringLiteral("Ready. Do you want to open the output folder?"))) {
        m_workFolder = outputFolder();
        openOutputFolder();
    }
    Q_EMIT buildEnded(true);
}

} // namespace orvanta
