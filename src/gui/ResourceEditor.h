#pragma once

#include "core/ResourceEntry.h"

#include <QObject>

class QAction;
class QUndoStack;

namespace orvanta {

class Interaction;
class ResourceList;
class ResourceListView;

// Every change to the resource list, each one step on the undo stack: adding, removing, editing, moving,
// copying and pasting, and bringing in a file. The actions act on the list's selection; their shortcuts work
// while the list has the focus.
class ResourceEditor : public QObject {
    Q_OBJECT

public:
    ResourceEditor(ResourceList& list, ResourceListView& view, QUndoStack& undoStack, Interaction& interaction);

    void add(const ResourceEntry& entry);
    void addGenerated(const ResourceEntries& entries);
    // The commands of the panel's buttons, with their refusals.
    void removeSelected();
    void removeAll();
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
    void reorder(const QList<int>& order, const QString& step);
    void insertAfterSelection(const ResourceEntries& entries, const QString& step);
    ResourceEntries entriesAt(const QList<int>& rows) const;
    void report(const QString& verb, qsizetype added, const QList<int>& skipped);
    void updateActions();
    QAction* makeAction(const QString& text, const QKeySequence& shortcut, void (ResourceEditor::*slot)());

    ResourceList& m_list;
    ResourceListView& m_view;
    QUndoStack& m_undoStack;
    Interaction& m_interaction;
    QAction* m_edit;
    QAction* m_copy;
    QAction* m_paste;
    QAction* m_delete;
    QAction* m_selectAll;
    QAction* m_moveUp;
    QAction* m_moveDown;
};

} // namespace orvanta
