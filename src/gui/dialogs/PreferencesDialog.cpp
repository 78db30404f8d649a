// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreferencesDialog.h"

#include "gui/widgets/Interaction.h"
#include "ui_PreferencesDialog.h"

#include <QDir>
#include <QFileInfo>

namespace orvanta {

PreferencesDialog::PreferencesDialog(EngineChoice engine, const QString& chromiumProgram, Interaction& interaction,
                                     QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::PreferencesDialog>())
    , m_interaction(interaction)
{
    ui->setupUi(this);
    ui->cboEngine->addItem(tr("Automatic"), int(EngineChoice::Automatic));
    ui->cboEngine->addItem(tr("Chromium (recommended)"), int(EngineChoice::Chromium));
    ui->cboEngine->addItem(QStringLiteral("wkhtmltopdf"), int(EngineChoice::Wkhtmltopdf));
    ui->cboEngine->setCurrentIndex(ui->cboEngine->findData(int(engine)));
    ui->txtBrowserProgram->setText(chromiumProgram);
    connect(ui->cmdBrowseBrowser, &QPushButton::clicked, this, &PreferencesDialog::browseForBrowser);
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &PreferencesDialog::accept);
    connect(ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

PreferencesDialog::~PreferencesDialog() = default;

EngineChoice PreferencesDialog::engine() const
{
    return EngineChoice(ui->cboEngine->currentData().toInt());
}

QString PreferencesDialog::chromiumProgram() const
{
    return ui->txtBrowserProgram->text().trimmed();
}

void PreferencesDialog::accept()
{
    // A name without a folder is looked up on PATH, as the engine does.
    const QString program = chromiumProgram();
    if (!program.isEmpty() && FindChromium(program).isEmpty()) {
        m_interaction.warn(this, tr("Browser Program"),
                           tr("%1 is not a program that can be run.\n\nChoose the browser's executable file, or "
                              "leave the box empty to use the chromium found on PATH.")
                               .arg(QDir::toNativeSeparators(program)));
        ui->txtBrowserProgram->setFocus();
        return;
    }
    QDialog::accept();
}

void PreferencesDialog::browseForBrowser()
{
    const QString current = chromiumProgram();
    const QString folder = current.contains(u'/') ? QFileInfo(current).absolutePath() : QStringLiteral("/usr/bin");
    const QString path = m_interaction.fileToOpen(this, tr("Browser Program"), folder, {});
    if (!path.isEmpty())
        ui->txtBrowserProgram->setText(QDir::toNativeSeparators(path));
}

} // namespace orvanta
