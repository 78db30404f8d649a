#pragma once

#include "core/ResourceList.h"
#include "core/SheetBuilder.h"

#include <QTimer>
#include <QWidget>
#include <memory>

namespace Ui {
class MainWindow;
}

namespace orvanta {

class Interaction;

// The main window: the content page, the create page, and Create.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow(const QString& installFolder, Interaction& interaction, QWidget* parent = nullptr);
    ~MainWindow() override;

    ResourceList& resources() { return m_resources; }
    bool isBuilding() const { return m_builder.isRunning(); }
    SheetBuilder& builder() { return m_builder; }

Q_SIGNALS:
    // Emitted when a build has ended and its outcome has been reported.
    void buildEnded(bool succeeded);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showPage(int page);
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
    SheetBuilder m_builder;
    QTimer m_blinkTimer;
};

} // namespace orvanta
