// SPDX-License-Identifier: GPL-3.0-or-later
#include "DesignPanel.h"

#include "gui/DesignBar.h"
#include "gui/FieldBinding.h"
#include "ui_DesignPanel.h"

namespace orvanta {

DesignPanel::DesignPanel(SheetModel& model, const Installation& installation, Interaction& interaction, QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::DesignPanel>())
{
    ui->setupUi(this);
    new DesignBar(model, installation, interaction,
                  {*ui->cboLook, *ui->cmdAccent, *ui->lblAccentWarning, *ui->cmdLogo, *ui->cmdRemoveLogo, *ui->cboPaper,
                   *ui->txtLogoText, *ui->cboLanguage, *ui->cboFitPages},
                  this);
    auto* binding = new FieldBinding(model, this);
    binding->bind(ui->txtCampaignSource, &Sheet::campaignSource);
    binding->bind(ui->txtCampaignMedium, &Sheet::campaignMedium);
    binding->bind(ui->txtCampaignName, &Sheet::campaignName);
    binding->bind(ui->chkQrCodes, &Sheet::qrCodes);
}

DesignPanel::~DesignPanel() = default;

} // namespace orvanta
