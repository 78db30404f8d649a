// SPDX-License-Identifier: GPL-3.0-or-later
#include "AutoResourcesDialog.h"

#include "gui/widgets/EditorText.h"
#include "gui/widgets/Interaction.h"
#include "sheet/KeywordResources.h"
#include "ui_AutoResourcesDialog.h"
#include "words/Titles.h"

namespace orvanta {

namespace {

// A box with no keyword at all once blank lines are set aside counts as empty.
bool hasKeywords(const QPlainTextEdit& box)
{
    return !KeywordsFromText(editorText(box)).isEmpty();
}

} // namespace

AutoResourcesDialog::AutoResourcesDialog(Interaction& interaction, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::AutoResourcesDialog>())
    , m_interaction(interaction)
{
    ui->setupUi(this);
    ui->cboOrder->addItems({tr("Show Related Discussions First"), tr("Show Related Videos First")});
    ui->cboOrder->setCurrentIndex(0);
    connect(ui->cmdSave, &QPushButton::clicked, this, &AutoResourcesDialog::generateResources);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

AutoResourcesDialog::~AutoResourcesDialog() = default;

// Typing over the order box selects no item, which means videos first.
bool AutoResourcesDialog::discussionsFirst() const
{
    return ui->cboOrder->currentIndex() == 0 && ui->cboOrder->currentText() == ui->cboOrder->itemText(0);
}

void AutoResourcesDialog::generateResources()
{
    const bool discussions = m_discussions;
    const bool videos = m_videos;
    if (discussions && !hasKeywords(*ui->txtDiscussions)) {
        m_interaction.inform(this, Titles::missingInfo(),
                             tr("Please add some keywords to the 'Related Discussions Resources'"));
        return;
    }
    if (videos && !hasKeywords(*ui->txtVideos)) {
        m_interaction.inform(this, Titles::missingInfo(),
                             tr("Please add some keywords to the 'Related Video Resources'"));
        return;
    }
    if (!discussions && !videos) {
        m_interaction.inform(this, Titles::missingInfo(), tr("Please select one or more options."));
        return;
    }
    ResourceEntries discussionEntries;
    ResourceEntries videoEntries;
    if (discussions)
        discussionEntries =
            DiscussionResources(editorText(*ui->txtDiscussions), ui->txtDiscussionsButtonTitlePrefix->text());
    if (videos)
        videoEntries = VideoResources(editorText(*ui->txtVideos), ui->txtVideoButtonTitlePrefix->text());
    Q_EMIT resourcesGenerated(discussionsFirst() ? discussionEntries + videoEntries : videoEntries + discussionEntries);
    m_interaction.inform(this, Titles::done(), tr("Done! You can close this window."));
}

} // namespace orvanta
