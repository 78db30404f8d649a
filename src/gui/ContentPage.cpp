// SPDX-License-Identifier: GPL-3.0-or-later
#include "ContentPage.h"

#include "gui/FieldBinding.h"
#include "gui/LinkCheck.h"
#include "gui/ResourceListActions.h"
#include "gui/widgets/Interaction.h"
#include "gui/widgets/UrlPaste.h"
#include "model/SheetModel.h"
#include "ui_ContentPage.h"
#include "words/Titles.h"

#include <limits>

namespace orvanta {

namespace {

// What the URL box holds when a resource may be typed afresh, as in the form.
const QString FreshUrl = QStringLiteral("http://");

} // namespace

ContentPage::ContentPage(SheetModel& model, Interaction& interaction, QWidget* parent)
    : QGroupBox(parent)
    , ui(std::make_unique<Ui::ContentPage>())
    , m_model(model)
    , m_interaction(interaction)
{
    ui->setupUi(this);
    // List views do not take their name from a caption label, nor a text box from a check box.
    ui->lstResources->setAccessibleName(tr("Resources"));
    ui->txtBelowResource->setAccessibleName(tr("Add Text Below Each Resource"));
    m_linkCheck = new LinkCheck(model, *ui->lstResources, interaction); // gives the view its model
    m_listActions = new ResourceListActions(model, *ui->lstResources, interaction);

    auto* binding = new FieldBinding(model, this);
    for (const auto& [edit, field] : {std::pair{ui->txtHeaderTitle, &Sheet::headline},
                                      {ui->txtHeaderSubtitle, &Sheet::subheadline},
                                      {ui->txtFooterTitle, &Sheet::footer},
                                      {ui->txtBelowResource, &Sheet::note}}) {
        edit->setMaxLength(std::numeric_limits<int>::max()); // a sheet's texts are kept whole, however long
        binding->bind(edit, field);
    }
    binding->bind(ui->chkDisclaimer, &Sheet::disclaimer);
    binding->bind(ui->chkAddResourceInstructions, &Sheet::noteBelowEachResource);

    connect(ui->cmdAddResource, &QPushButton::clicked, this, &ContentPage::addResource);
    // Enter in the URL box adds too. Reacting to the key press rather than its release keeps an Enter that
    // closes a message box from adding again.
    connect(ui->txtCTAURL, &QLineEdit::returnPressed, this, &ContentPage::addResource);
    ReplaceStartOnPaste(*ui->txtCTAURL, FreshUrl);
    connect(ui->cmdRemoveItem, &QPushButton::clicked, m_listActions, &ResourceListActions::removeSelected);
    connect(m_listActions, &ResourceListActions::statusMessage, this, &ContentPage::statusMessage);
    connect(m_linkCheck, &LinkCheck::statusMessage, this, &ContentPage::statusMessage);
}

ContentPage::~ContentPage() = default;

QList<QAction*> ContentPage::editActions() const
{
    return m_listActions->editActions();
}

QList<QAction*> ContentPage::linkActions() const
{
    return {m_linkCheck->checkAction(), m_linkCheck->useNewAddressAction()};
}

QWidget* ContentPage::linkCheckStatus() const
{
    return m_linkCheck->statusWidget();
}

void ContentPage::removeAllResources()
{
    m_listActions->removeAll();
}

void ContentPage::importResources()
{
    m_listActions->importResources();
}

void ContentPage::addGeneratedResources(const ResourceEntries& entries)
{
    m_listActions->addGenerated(entries);
}

void ContentPage::focusHeadline()
{
    ui->txtHeaderTitle->setFocus();
}

void ContentPage::selectLastResource()
{
    QAbstractItemModel* shown = ui->lstResources->model();
    ui->lstResources->setCurrentIndex(shown->index(shown->rowCount() - 1, 0));
}

void ContentPage::addResource()
{
    const QString linkText = ui->txtCTAText->text();
    const QString linkUrl = ui->txtCTAURL->text();
    if (linkText.isEmpty() || linkUrl.isEmpty()) {
        m_interaction.inform(this, Titles::missingInfo(), tr("Please complete all the fields."));
        return;
    }
    m_listActions->add({linkText, linkUrl});
    ui->txtCTAText->clear();
    ui->txtCTAURL->setText(FreshUrl);
    ui->txtCTAText->setFocus();
}

} // namespace orvanta
