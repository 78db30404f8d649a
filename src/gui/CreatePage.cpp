// SPDX-License-Identifier: GPL-3.0-or-later
#include "CreatePage.h"

#include "gui/FieldBinding.h"
#include "ui_CreatePage.h"

namespace orvanta {

CreatePage::CreatePage(SheetModel& model, QWidget* parent)
    : QGroupBox(parent)
    , ui(std::make_unique<Ui::CreatePage>())
{
    ui->setupUi(this);
    auto* binding = new FieldBinding(model, this);
    binding->bind(ui->txtPDFFilename, &Sheet::fileName);
    connect(ui->cmdCreate, &QPushButton::clicked, this, &CreatePage::createRequested);
    connect(ui->cmdOutput, &QPushButton::clicked, this, &CreatePage::openFolderRequested);
}

CreatePage::~CreatePage() = default;

void CreatePage::setBusy(bool busy)
{
    ui->cmdCreate->setEnabled(!busy);
    ui->cmdOutput->setEnabled(!busy);
}

} // namespace orvanta
