#include "ContentPage.h"

#include "core/ResourceList.h"
#include "core/Sheet.h"
#include "gui/PreviewPanel.h"
#include "gui/ResourceEditor.h"
#include "gui/widgets/Interaction.h"
#include "ui_ContentPage.h"

#include <QPixmap>
#include <limits>

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

    connect(ui->cmdAddResource, &QPushButton::clicked, this, &ContentPage::addResource);
    // Enter in the URL box adds too. Reacting to the key press rather than its release keeps an Enter that
    // closes a message box from adding again.
    connect(ui->txtCTAURL, &QLineEdit::returnPressed, this, &ContentPage::addResource);
    connect(ui->Label16, &LinkLabel::clicked, this, &ContentPage::disclaimerContentRequested);
    connect(ui->Label17, &LinkLabel::clicked, this, &ContentPage::automaticResourcesRequested);
    for (QLineEdit* field : {ui->txtHeaderTitle, ui->txtHeaderSubtitle, ui->txtFooterTitle, ui->txtBelowResource}) {
        field->setMaxLength(std::numeric_limits<int>::max()); // a sheet's texts are kept whole, however long
        connect(field, &QLineEdit::textChanged, this, [this] { changed(true); });
    }
    for (QCheckBox* box : {ui->chkDisclaimer, ui->chkAddResourceInstructions})
        connect(box, &QCheckBox::toggled, this, [this] { changed(false); });
}

ContentPage::~ContentPage() = default;

void ContentPage::attach(const QString& installFolder, ResourceList& resources, QUndoStack& undoStack,
                         Interaction& interaction)
{
    m_resources = &resources;
    m_interaction = &interaction;
    ui->lstResources->setModel(&resources);
    m_editor = new ResourceEditor(resources, *ui->lstResources, undoStack, interaction);
    connect(ui->cmdRemoveItem, &QPushButton::clicked, m_editor, &ResourceEditor::removeSelected);
    connect(ui->Command2, &QPushButton::clicked, m_editor, &ResourceEditor::removeAll);
    m_preview =
        new PreviewPanel(installFolder, *ui->previewStack, *ui->pdfPreview, *ui->lblExample, *ui->lblPreviewStatus);
    const auto listChanged = [this] { changed(false); };
    connect(&resources, &QAbstractItemModel::rowsInserted, this, listChanged);
    connect(&resources, &QAbstractItemModel::rowsRemoved, this, listChanged);
    connect(&resources, &QAbstractItemModel::modelReset, this, listChanged);
    connect(&resources, &QAbstractItemModel::dataChanged, this, listChanged);
    connect(&resources, &QAbstractItemModel::layoutChanged, this, listChanged);
}

void ContentPage::changed(bool typing)
{
    if (!m_preview)
        return; // still being set up
    m_preview->update(sheet(), typing);
    Q_EMIT edited();
}

Sheet ContentPage::sheet() const
{
    Sheet sheet;
    sheet.headline = ui->txtHeaderTitle->text();
    sheet.subheadline = ui->txtHeaderSubtitle->text();
    sheet.footer = ui->txtFooterTitle->text();
    sheet.disclaimer = ui->chkDisclaimer->isChecked();
    sheet.noteBelowEachResource = ui->chkAddResourceInstructions->isChecked();
    sheet.note = ui->txtBelowResource->text();
    sheet.resources = m_resources->entries();
    return sheet;
}

void ContentPage::setSheet(const Sheet& sheet)
{
    ui->txtHeaderTitle->setText(sheet.headline);
    ui->txtHeaderSubtitle->setText(sheet.subheadline);
    ui->txtFooterTitle->setText(sheet.footer);
    ui->chkDisclaimer->setChecked(sheet.disclaimer);
    ui->chkAddResourceInstructions->setChecked(sheet.noteBelowEachResource);
    ui->txtBelowResource->setText(sheet.note);
    m_resources->setEntries(sheet.resources);
}

void ContentPage::focusHeadline()
{
    ui->txtHeaderTitle->setFocus();
}

void ContentPage::selectLastResource()
{
    ui->lstResources->setCurrentIndex(m_resources->index(m_resources->count() - 1));
}

void ContentPage::addResource()
{
    const QString linkText = ui->txtCTAText->text();
    const QString linkUrl = ui->txtCTAURL->text();
    if (linkText.isEmpty() || linkUrl.isEmpty()) {
        m_interaction->inform(this, QStringLiteral("Missing Info"), QStringLiteral("Please complete all the fields."));
        return;
    }
    m_editor->add({linkText, linkUrl});
    ui->txtCTAText->clear();
    ui->txtCTAURL->setText(QStringLiteral("http://"));
    ui->txtCTAText->setFocus();
}

} // namespace orvanta
