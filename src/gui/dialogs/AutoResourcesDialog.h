// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet/ResourceEntry.h"

#include <QDialog>
#include <memory>

namespace Ui {
class AutoResourcesDialog;
}

namespace orvanta {

class Interaction;

// Turns keyword lists into discussion and video search resources. It stays open after each batch, so the
// user can generate more; the owner adds each batch to the list.
class AutoResourcesDialog : public QDialog {
    Q_OBJECT

public:
    explicit AutoResourcesDialog(Interaction& interaction, QWidget* parent = nullptr);
    ~AutoResourcesDialog() override;

public Q_SLOTS:
    // Which kinds the user ticked; the form's check boxes call these.
    void chooseDiscussions(bool on) { m_discussions = on; }
    void chooseVideos(bool on) { m_videos = on; }

Q_SIGNALS:
    void resourcesGenerated(const orvanta::ResourceEntries& entries);

private:
    void generateResources();
    bool discussionsFirst() const;

    std::unique_ptr<Ui::AutoResourcesDialog> ui;
    Interaction& m_interaction;
    bool m_discussions = false;
    bool m_videos = false;
};

} // namespace orvanta
