#pragma once

#include <QGroupBox>
#include <memory>

class QUndoStack;

namespace Ui {
class ContentPage;
}

namespace orvanta {

class Interaction;
class PreviewPanel;
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

    // Made by a form, so what it works on is handed over afterwards.
    void attach(const QString& installFolder, ResourceList& resources, QUndoStack& undoStack, Interaction& interaction);
    ResourceEditor& resourceEditor() { return *m_editor; }
    PreviewPanel& preview() { return *m_preview; }

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
    // A change to the sheet; `typing` ones reach the preview after a pause.
    void changed(bool typing);

    std::unique_ptr<Ui::ContentPage> ui;
    ResourceList* m_resources = nullptr;
    Interaction* m_interaction = nullptr;
    ResourceEditor* m_editor = nullptr;
    PreviewPanel* m_preview = nullptr;
};

} // namespace orvanta
