// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/SheetDocument.h"
#include "model/SheetModel.h"
#include "pipeline/PreviewRenderer.h"
#include "pipeline/SheetBuilder.h"

#include <QMainWindow>
#include <QTimer>
#include <memory>

namespace Ui {
class MainWindow;
}

namespace orvanta {

class ContentPage;
class CreatePage;
class Interaction;
class PreviewPanel;
class SheetExport;
struct Message;

// The main window: the two pages on the sheet model, Create, and the menus. It owns the model, the document, the
// builder and the preview's renderer, and hands each page what it works on.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(const Installation& installation, Interaction& interaction, QWidget* parent = nullptr);
    ~MainWindow() override;

    SheetModel& model() { return m_model; }
    ResourceList& resources() { return m_model.resources(); }
    SheetDocument& document() { return m_document; }
    PreviewRenderer& previewRenderer() { return m_previewRenderer; }
    // Create runs, or waits for the preview's PDF of the same sheet.
    bool isBuilding() const { return m_builder.isRunning() || m_createAfterPreview; }

Q_SIGNALS:
    // Emitted when a build has ended and its outcome has been reported.
    void buildEnded(bool succeeded);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showPage(int page);
    void updateTitle();
    void fillRecentMenu();
    void setUpMenus();
    void createSheet();
    void previewSettled();
    void sheetBuilt(const BuildResult& result);
    void setBusy(bool busy);
    void blinkPleaseWait();
    void openOutputFolder();
    // The engine and browser program of the settings, for Create, the preview and the cover.
    void useEngine();
    void showPreferences();
    void showTermsDialog();
    void showAutoResourcesDialog();
    void report(const Message& message);
    QString outputFolder() const;

    std::unique_ptr<Ui::MainWindow> ui;
    Interaction& m_interaction;
    const Installation m_installation;
    SheetModel m_model;
    SheetDocument m_document;
    SheetBuilder m_builder;
    PreviewRenderer m_previewRenderer;
    ContentPage* m_contentPage;
    CreatePage* m_createPage;
    PreviewPanel* m_previewPanel;
    SheetExport* m_export;
    QTimer m_blinkTimer;
    bool m_createAfterPreview = false;
};

} // namespace orvanta
