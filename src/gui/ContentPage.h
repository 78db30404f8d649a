// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet/ResourceEntry.h"

#include <QGroupBox>
#include <memory>

class QAction;

namespace Ui {
class ContentPage;
}

namespace orvanta {

class Interaction;
class LinkCheck;
class ResourceListActions;
class SheetModel;

// The content page: header, footer and the resource panel, all bound to the model. The panel's
// commands are handled here; the two links only announce that the user wants a dialog, which the main window opens.
// The form connects its links and Remove All to the signals and slot below.
class ContentPage : public QGroupBox {
    Q_OBJECT

public:
    ContentPage(SheetModel& model, Interaction& interaction, QWidget* parent = nullptr);
    ~ContentPage() override;

    // The resource list's commands for the Edit menu, in order; nullptr stands for a separator.
    QList<QAction*> editActions() const;
    // Check Links and Use New Address, and the check's progress with its Cancel button for the status bar.
    QList<QAction*> linkActions() const;
    QWidget* linkCheckStatus() const;
    void importResources();
    void addGeneratedResources(const ResourceEntries& entries);

    void focusHeadline();
    void selectLastResource();

public Q_SLOTS:
    // Empties the list once the user confirms, as one undo step.
    void removeAllResources();

Q_SIGNALS:
    void disclaimerContentRequested();
    void automaticResourcesRequested();
    // A line for the status bar.
    void statusMessage(const QString& text);

private:
    void addResource();

    std::unique_ptr<Ui::ContentPage> ui;
    SheetModel& m_model;
    Interaction& m_interaction;
    LinkCheck* m_linkCheck;
    ResourceListActions* m_listActions;
};

} // namespace orvanta
