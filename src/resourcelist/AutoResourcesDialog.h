#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class frmPro;
}

namespace orvanta {

class Interaction;
class ResourceList;

// Turns keyword lists into discussion and video search resources, appended to the main window's list.
class AutoResourcesDialog : public QDialog {
    Q_OBJECT

public:
    AutoResourcesDialog(ResourceList& resources, Interaction& interaction, QWidget* parent = nullptr);
    ~AutoResourcesDialog() override;

private:
    void Form_Load();
    void cmdSave_Click();
    void cmdCancel_Click();
    void AddDiscussionResources();
    void AddVideoResources();
    bool discussionsFirst() const;

    std::unique_ptr<Ui::frmPro> ui;
    ResourceList& m_resources;
    Interaction& m_interaction;
};

} // namespace orvanta
