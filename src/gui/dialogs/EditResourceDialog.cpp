// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditResourceDialog.h"

#include "gui/widgets/Interaction.h"
#include "ui_EditResourceDialog.h"
#include "words/Titles.h"

#include <limits>

namespace orvanta {

EditResourceDialog::EditResourceDialog(const ResourceEntry& entry, Interaction& interaction, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::EditResourceDialog>())
    , m_interaction(interaction)
{
    ui->setupUi(this);
    for (QLineEdit* field : {ui->txtEditText, ui->txtEditUrl, ui->txtDescription})
        field->setMaxLength(std::numeric_limits<int>::max());
    ui->txtEditText->setText(entry.linkText);
    ui->txtEditUrl->setText(entry.linkUrl);
    ui->txtDescription->setText(entry.description);
    connect(ui->buttons, &QDialogButtonBox::accepted, this, &EditResourceDialog::accept);
    connect(ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

EditResourceDialog::~EditResourceDialog() = default;

ResourceEntry EditResourceDialog::entry() const
{
    return {ui->txtEditText->text(), ui->txtEditUrl->text(), false, ui->txtDescription->text().trimmed()};
}

void EditResourceDialog::accept()
{
    if (ui->txtEditText->text().isEmpty() || ui->txtEditUrl->text().isEmpty()) {
        m_interaction.inform(this, Titles::missingInfo(), tr("Please complete all the fields."));
        return;
    }
    QDialog::accept();
}

} // namespace orvanta
