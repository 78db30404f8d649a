#pragma once

#include "core/ResourceList.h"
#include "core/SheetBuilder.h"
#include "gui/SheetDocument.h"

#include <QMainWindow>
#include <QTimer>
#include <QUndoStack>
#include <memory>

namespace Ui {
class MainWindow;
}

namespace orvanta {

class Interaction;

// The main window: the content page, the create page, Create, and the File menu.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(const QString& installFolder, Interaction& interaction, QWidget* parent = nullptr);
    ~MainWindow() override;

    ResourceList& resources() { return m_resources; }
    SheetDocument& document() { return m_document; }
    bool isBuilding() const { return m_builder.isRunning(); }

    // Everything the window holds, the file name included.
    Sheet sheet() const;

Q_SIGNALS:
    // Emitted when a build has ended and its outcome has been reported.
    void buildEnded(bool succeeded);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void showSheet(const Sheet& sheet);
    void showPage(int page);
    void updateTitle();
    void fillRecentMenu();
    void setUpMenus();
    void createSheet();
    void sheetBuilt(const BuildResult& result);
    void setBusy(bool busy);
    void blinkPleaseWait();
    void openOutputFolder();
    void showTermsDialog();
    void showAutoResourcesDialog();
    void report(const BuildProblem& problem);
    QString outputFolder() const;

    std::unique_ptr<Ui::MainWindow> ui;
    Interaction& m_interaction;
    const QString m_installFolder;
    ResourceList m_resources;
    QUndoStack m_undoStack;
    SheetBuilder m_builder;
    SheetDocument m_document;
    QTimer m_blinkTimer;
};

} // namespace orvanta
