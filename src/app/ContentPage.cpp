#include "ContentPage.h"

#include "Interaction.h"
#include "build/PageFiller.h"
#include "resourcelist/ResourceList.h"
#include "ui_ContentPage.h"

#include <QPixmap>

// The images live in a static library, so their registration must be pulled in by hand.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace orvanta {

ContentPage::ContentPage(QWidget* parent)
    : QGroupBox(parent)
    , ui(std::make_unique<Ui::ContentPage>())
{
    initResources();
    ui->setupUi(this);
    ui->picExample->setPixmap(QPixmap(QStringLiteral(":/images/example.png")));
    // List views do not take their name from a caption label.
    ui->lstResources->setAccessibleName(QStringLiteral("Resources"));
    ui->Label16->setAccessibleDescription(QStringLiteral("Link: opens the disclaimer editor"));
    ui->Label17->setAccessibleDescription(QStringLiteral("Link: opens the automatic resources dialog"));

    connect(ui->cmdAddResource, &QPushButton::clicked, this, &ContentPage::cmdAddResource_Click);
    connect(ui->txtCTAURL, &QLineEdit::returnPressed, this, &ContentPage::txtCTAURL_KeyUp);
    connect(ui->cmdRemoveItem, &QPushButton::clicked, this, &ContentPage::cmdRemoveItem_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &ContentPage::Command2_Click);
    connect(ui->Label16, &LinkLabel::clicked, this, &ContentPage::disclaimerContentRequested);
    connect(ui->Label17, &LinkLabel::clicked, this, &ContentPage::automaticResourcesRequested);
}

ContentPage::~ContentPage() = default;

void ContentPage::attach(ResourceList& resources, Interaction& interaction)
{
    m_resources = &resources;
    m_interaction = &interaction;
    ui->lstResources->setModel(&resources);
}

PageContent ContentPage::content() const
{
    PageContent content;
    content.headline = ui->txtHeaderTitle->text();
    content.subheadline = ui->txtHeaderSubtitle->text();
    content.footer = ui->txtFooterTitle->text();
    content.resources = m_resources->entries();
    content.textBelowEachResource = ui->chkAddResourceInstructions->isChecked();
    content.belowResourceText = ui->txtBelowResource->text();
    content.disclaimerEnabled = ui->chkDisclaimer->isChecked();
    return content;
}

void ContentPage::focusHeadline()
{
    ui->txtHeaderTitle->setFocus();
}

void ContentPage::selectLastResource()
{
    ui->lstResources->setCurrentIndex(m_resources->index(m_resources->count() - 1));
}

void ContentPage::cmdAddResource_Click()
{
    const QString linkText = ui->txtCTAText->text();
    const QString linkUrl = ui->txtCTAURL->text();
    if (linkText.isEmpty() || linkUrl.isEmpty()) {
        m_interaction->inform(this, QStringLiteral("Missing Info"), QStringLiteral("Please complete all the fields."));
        return;
    }
    m_resources->append(ResourceEntry{linkText, linkUrl});
    ui->txtCTAText->clear();
    ui->txtCTAURL->setText(QStringLiteral("http://"));
    ui->txtCTAText->setFocus();
}

// Runs on Enter in the URL box, with any modifier. Reacting to the key press rather than its release
// keeps an Enter that closes a message box from adding again.
void ContentPage::txtCTAURL_KeyUp()
{
    cmdAddResource_Click();
}

void ContentPage::cmdRemoveItem_Click()
{
    if (m_resources->isEmpty()) {
        m_interaction->inform(this, QStringLiteral("Invalid Operation"),
                              QStringLiteral("Please add a resource first."));
        return;
    }
    const QModelIndex selected = ui->lstResources->currentIndex();
    if (!selected.isValid() || !ui->lstResources->selectionModel()->isSelected(selected)) {
        m_interaction->inform(this, QStringLiteral("Invalid Operation"),
                              QStringLiteral("Please select a resource first."));
        return;
    }
    m_resources->removeAt(selected.row());
    ui->lstResources->clearSelection();
}

void ContentPage::Command2_Click()
{
    if (m_resources->isEmpty()) {
        m_interaction->inform(this, QStringLiteral("Invalid Action"),
                              QStringLiteral("Ooops, there are no resources to remove."));
        return;
    }
    if (m_interaction->confirm(this, QStringLiteral("Confirm"), QStringLiteral("Confirm Action?")))
        m_resources->clear();
}

} // namespace orvanta
