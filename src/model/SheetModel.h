// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ResourceList.h"
#include "sheet/Sheet.h"

#include <QObject>
#include <QUndoStack>

namespace orvanta {

// The sheet being edited: its texts, its switches, its resource list and the undo steps of the list. Views show it
// and report edits to it; the document, the preview and Create read it. It says what changed, never how it looks.
class SheetModel : public QObject {
    Q_OBJECT

public:
    enum class Change { Text, Flag, Design, Resources, Whole };
    Q_ENUM(Change)

    explicit SheetModel(QObject* parent = nullptr);

    // The whole sheet, resources included, without a copy.
    const Sheet& sheet() const { return m_sheet; }
    // Another sheet in place of this one: its steps are not this one's, so they cannot be undone.
    void setSheet(const Sheet& sheet);
    void setText(TextField field, const QString& text);
    void setFlag(FlagField field, bool on);
    // A design value (look, accent, logo, paper) as one undoable step, named `step`.
    void setDesign(TextField field, const QString& value, const QString& step);
    // The pages the sheet is set smaller to fit on (Sheet::fitPages), as one undoable step.
    void setFitPages(int pages, const QString& step);

    // For list views; edits go through the commands below.
    ResourceList& resources() { return m_resources; }
    QUndoStack& undoStack() { return m_undoStack; }

    // Each one undoable step, named `step` ("Undo Paste").
    void insertResources(const QList<int>& rows, const ResourceEntries& entries, const QString& step);
    void appendResources(const ResourceEntries& entries, const QString& step);
    void removeResources(const QList<int>& rows, const QString& step);
    void replaceResource(int row, const ResourceEntry& entry, const QString& step);
    // Rows in their new order (row i afterwards is order[i] before); an order that moves nothing is no step.
    void reorderResources(const QList<int>& order, const QString& step);

Q_SIGNALS:
    void changed(orvanta::SheetModel::Change change);

private:
    void resourcesChanged();

    Sheet m_sheet; // its resources share the list's, so reading the sheet copies nothing
    ResourceList m_resources;
    QUndoStack m_undoStack;
};

} // namespace orvanta
