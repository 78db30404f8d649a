#pragma once

#include "core/ResourceEntry.h"

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

Q_SIGNALS:
    void resourcesGenerated(const orvanta::ResourceEntries& entries);

private:
    void generateResources();
    bool discussionsFirst() const;

    std::unique_ptr<Ui::AutoResourcesDialog> ui;
    Interaction& m_interaction;
};

} // namespace orvanta
