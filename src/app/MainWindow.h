#pragma once

#include "build/Conversion.h"
#include "build/OutputFiles.h"
#include "build/PdfConverter.h"
#include "resourcelist/ResourceList.h"

#include <QTimer>
#include <QWidget>
#include <chrono>
#include <memory>
#include <optional>

namespace Ui {
class frmMass;
}

namespace orvanta {

class Interaction;

// The main window: the content page, the create page and the build.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    MainWindow(const QString& installFolder, Interaction& interaction, QWidget* parent = nullptr);
    ~MainWindow() override;

    const QString& workFolder() const { return m_workFolder; }
    ResourceList& resources() { return m_resources; }
    bool isBuilding() const { return m_converter.isRunning(); }

    // Replaces the time limit that otherwise grows with the number of resources.
    void setConversionTimeLimit(std::chrono::milliseconds limit) { m_timeLimitOverride = limit; }

Q_SIGNALS:
    // Emitted when a build has ended and its outcome has been reported.
    void buildEnded(bool succeeded);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void ShowPage(int page);
    void pageButton_Click(int index);

    void cmdCreate_Click();
    void conversionFinished(const ConversionResult& result);
    void setBusy(bool busy);
    void tmrPleaseWait_Timer();

    void cmdOutput_Click();
    void openOutputFolder();
    void Label16_Click();
    void Label17_Click();

    QString outputFolder() const;

    std::unique_ptr<Ui::frmMass> ui;
    Interaction& m_interaction;
    const QString m_installFolder;
    QString m_workFolder;
    ResourceList m_resources;
    QTimer tmrPleaseWait;
    PdfConverter m_converter;
    OutputPaths m_building;
    std::chrono::milliseconds m_buildTimeLimit{};
    std::optional<std::chrono::milliseconds> m_timeLimitOverride;
};

} // namespace orvanta
