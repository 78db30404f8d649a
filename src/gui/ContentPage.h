#pragma once

#include <QGroupBox>
#include <memory>

class QUndoStack;

namespace Ui {
class ContentPage;
}

namespace orvanta {

class Interaction;
class ResourceEditor;
class ResourceList;
struct Sheet;

// The content page: header, footer and the resource panel. The panel's commands are handled here; the two
// links only announce that the user wants a dialog, which the main window opens.
class ContentPage : public QGroupBox {
    Q_OBJECT

public:
    explicit ContentPage(QWidget* parent = nullptr);
    ~ContentPage() override;

    // Made by a form, so the list, the undo stack and the message boxes are handed over afterwards.
    void attach(ResourceList& resources, QUndoStack& undoStack, Interaction& interaction);
    ResourceEditor& resourceEditor() { return *m_editor; }

    // What the page holds, the resources included; the file name is the create page's.
    Sheet sheet() const;
    void setSheet(const Sheet& sheet);

    void focusHeadline();
    void selectLastResource();

Q_SIGNALS:
    // Any field or the list changed.
    void edited();
    void disclaimerContentRequested();
    void automaticResourcesRequested();

private:
    void addResource();

    std::unique_ptr<Ui::ContentPage> ui;
    ResourceList* m_resources = nullptr;
    Interaction* m_interaction = nullptr;
    ResourceEditor* m_editor = nullptr;
};

} // namespace orvanta
