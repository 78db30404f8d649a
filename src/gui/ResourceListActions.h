// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet/ResourceEntry.h"

#include <QObject>

class QAction;

namespace orvanta {

class Interaction;
class ResourceListView;
class SheetModel;

// The commands of the resource list, with their refusals: adding links and headings, removing, editing, moving,
// copying and pasting, and bringing in a file. Each change is one undoable step of the model. The actions act on the
// view's selection; their shortcuts work while the list has the focus.
class ResourceListActions : public QObject {
    Q_OBJECT

public:
    ResourceListActions(SheetModel& model, ResourceListView& view, Interaction& interaction);

    void add(const ResourceEntry& entry);
    void addGenerated(const ResourceEntries& entries);
    // The commands of the panel's buttons, with their refusals.
    void removeSelected();
    void removeAll();
    // Asks for a title and puts a section heading after the current entry.
    void addHeading();
    // A heading's title, or a link's text and URL.
    void editCurrent();
    void move(int delta);
    void moveTo(const QList<int>& rows, int destination);
    void copy();
    void paste();
    void importResources();
    void importFrom(const QString& path);

    // The Edit menu's entries, in order; nullptr stands for a separator.
    QList<QAction*> editActions() const;

Q_SIGNALS:
    // A line for the status bar.
    void statusMessage(const QString& text);

private:
    void insertAfterSelection(const ResourceEntries& entries, const QString& step);
    void report(const QString& done, const QList<int>& skipped);
    void updateActions();
    QAction* makeAction(const QString& text, const QKeySequence& shortcut, void (ResourceListActions::*slot)());

    SheetModel& m_model;
    ResourceListView& m_view;
    Interaction& m_interaction;
    QAction* m_edit;
    QAction* m_addHeading;
    QAction* m_copy;
    QAction* m_paste;
    QAction* m_delete;
    QAction* m_selectAll;
    QAction* m_moveUp;
    QAction* m_moveDown;
};

} // namespace orvanta
