#include "PreferencesDialog.h"

#include "ui_PreferencesDialog.h"

namespace orvanta {

PreferencesDialog::PreferencesDialog(EngineChoice engine, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::PreferencesDialog>())
{
    ui->setupUi(this);
    ui->cboEngine->addItem(tr("Automatic"), int(EngineChoice::Automatic));
    ui->cboEngine->addItem(QStringLiteral("wkhtmltopdf"), int(EngineChoice::Wkhtmltopdf));
    ui->cboEngine->addItem(QStringLiteral("Chromium"), int(EngineChoice::Chromium));
    ui->cboEngine->setCurrentIndex(ui->cboEngine->findData(int(engine)));
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

PreferencesDialog::~PreferencesDialog() = default;

EngineChoice PreferencesDialog::engine() const
{
    return EngineChoice(ui->cboEngine->currentData().toInt());
}

} // namespace orvanta
