#include "AutoResourcesDialog.h"

#include "KeywordResources.h"
#include "ResourceList.h"
#include "app/EditorText.h"
#include "app/Interaction.h"
#include "ui_AutoResourcesDialog.h"

namespace orvanta {

namespace {

const QString MissingInfo = QStringLiteral("Missing Info");

// A box with no keyword at all once blank lines are set aside counts as empty.
bool hasKeywords(const QPlainTextEdit& box)
{
    return !KeywordsFromText(editorText(box)).isEmpty();
}

} // namespace

AutoResourcesDialog::AutoResourcesDialog(ResourceList& resources, Interaction& interaction, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::frmPro>())
    , m_resources(resources)
    , m_interaction(interaction)
{
    ui->setupUi(this);
    connect(ui->cmdSave, &QPushButton::clicked, this, &AutoResourcesDialog::cmdSave_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &AutoResourcesDialog::cmdCancel_Click);
    Form_Load();
}

AutoResourcesDialog::~AutoResourcesDialog() = default;

void AutoResourcesDialog::Form_Load()
{
    ui->cboOrder->addItems(
        {QStringLiteral("Show Related Discussions First"), QStringLiteral("Show Related Videos First")});
    ui->cboOrder->setCurrentIndex(0);
}

// Typing over the order box selects no item, which means videos first.
bool AutoResourcesDialog::discussionsFirst() const
{
    return ui->cboOrder->currentIndex() == 0 && ui->cboOrder->currentText() == ui->cboOrder->itemText(0);
}

void AutoResourcesDialog::cmdSave_Click()
{
    const bool discussions = ui->Check1->isChecked();
    const bool videos = ui->Check2->isChecked();
    if (discussions && !hasKeywords(*ui->txtDiscussions)) {
        m_interaction.inform(this, MissingInfo,
                             QStringLiteral("Please add some keywords to the 'Related Discussions Resources'"));
        return;
    }
    if (videos && !hasKeywords(*ui->txtVideos)) {
        m_interaction.inform(this, MissingInfo,
                             QStringLiteral("Please add some keywords to the 'Related Video Resources'"));
        return;
    }
    if (!discussions && !videos) {
        m_interaction.inform(this, MissingInfo, QStringLiteral("Please select one or more options."));
        return;
    }
    if (discussions && videos && !discussionsFirst()) {
        AddVideoResources();
        AddDiscussionResources();
    } else {
        if (discussions)
            AddDiscussionResources();
        if (videos)
            AddVideoResources();
    }
    m_interaction.inform(this, QStringLiteral("Done"), QStringLiteral("Done! You can close this window."));
}

void AutoResourcesDialog::cmdCancel_Click()
{
    reject();
}

void AutoResourcesDialog::AddDiscussionResources()
{
    m_resources.append(
        DiscussionResources(editorText(*ui->txtDiscussions), ui->txtDiscussionsButtonTitlePrefix->text()));
}

void AutoResourcesDialog::AddVideoResources()
{
    m_resources.append(VideoResources(editorText(*ui->txtVideos), ui->txtVideoButtonTitlePrefix->text()));
}

} // namespace orvanta
