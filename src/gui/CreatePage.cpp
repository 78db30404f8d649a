#include "CreatePage.h"

#include "ui_CreatePage.h"

namespace orvanta {

CreatePage::CreatePage(QWidget* parent)
    : QGroupBox(parent)
    , ui(std::make_unique<Ui::CreatePage>())
{
    ui->setupUi(this);
    connect(ui->cmdCreate, &QPushButton::clicked, this, &CreatePage::createRequested);
    connect(ui->cmdOutput, &QPushButton::clicked, this, &CreatePage::openFolderRequested);
    connect(ui->txtPDFFilename, &QLineEdit::textChanged, this, &CreatePage::fileNameEdited);
}

CreatePage::~CreatePage() = default;

QString CreatePage::fileName() const
{
    return ui->txtPDFFilename->text();
}

void CreatePage::setFileName(const QString& name)
{
    ui->txtPDFFilename->setText(name);
}

void CreatePage::setBusy(bool busy)
{
    ui->cmdCreate->setEnabled(!busy);
    ui->cmdOutput->setEnabled(!busy);
}

} // namespace orvanta
