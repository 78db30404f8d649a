#include "ResourceEditor.h"

#include "core/ResourceList.h"
#include "core/ResourceText.h"
#include "core/TextFile.h"
#include "gui/dialogs/EditResourceDialog.h"
#include "gui/widgets/Interaction.h"
#include "gui/widgets/ResourceListView.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QUndoStack>
#include <numeric>

namespace orvanta {

namespace {

// Puts entries in at their rows, or takes them out: the two halves of adding and removing.
class RowsCommand : public QUndoCommand {
public:
    RowsCommand(ResourceList& list, const QList<int>& rows, const ResourceEntries& entries, bool adding,
                const QString& text)
        : QUndoCommand(text)
        , m_list(list)
        , m_rows(rows)
        , m_entries(entries)
        , m_adding(adding)
    {
    }

    void redo() override { m_adding ? m_list.insertAt(m_rows, m_entries) : void(m_list.removeAt(m_rows)); }
    void undo() override { m_adding ? void(m_list.removeAt(m_rows)) : m_list.insertAt(m_rows, m_entries); }

private:
    ResourceList& m_list;
    const QList<int> m_rows;
    const ResourceEntries m_entries;
    const bool m_adding;
};

class EditCommand : public QUndoCommand {
public:
    EditCommand(ResourceList& list, int row, const ResourceEntry& after)
        : QUndoCommand(QStringLiteral("Edit Resource"))
        , m_list(list)
        , m_row(row)
        , m_before(list.at(row))
        , m_after(after)
    {
    }

    void redo() override { m_list.replace(m_row, m_after); }
    void undo() override { m_list.replace(m_row, m_before); }

private:
    ResourceList& m_list;
    const int m_row;
    const ResourceEntry m_before;
    const ResourceEntry m_after;
};

class ReorderCommand : public QUndoCommand {
public:
    ReorderCommand(ResourceList& list, const QList<int>& order, const QString& text)
        : QUndoCommand(text)
        , m_list(list)
        , m_order(order)
        , m_inverse(order.size())
    {
        for (int i = 0; i < order.size(); ++i)
            m_inverse[order.at(i)] = i;
    }

    void redo() override { m_list.reorder(m_order); }
    void undo() override { m_list.reorder(m_inverse); }

private:
    ResourceList& m_list;
    const QList<int> m_order;
    QList<int> m_inverse;
};

QString counted(qsizetype count, const QString& one, const QString& many)
{
    return QString::number(count) + u' ' + (count == 1 ? one : many);
}

QList<int> rowsFrom(int first, qsizetype count)
{
    QList<int> rows(count);
    std::iota(rows.begin(), rows.end(), first);
    return rows;
}

} // namespace

ResourceEditor::ResourceEditor(ResourceList& list, ResourceListView& view, QUndoStack& undoStack,
                               Interaction& interaction)
    : QObject(&view)
    , m_list(list)
    , m_view(view)
    , m_undoStack(undoStack)
    , m_interaction(interaction)
    , m_edit(makeAction(QStringLiteral("&Edit Resource…"), Qt::Key_F2, &ResourceEditor::editCurrent))
    , m_copy(makeAction(QStringLiteral("&Copy"), QKeySequence::Copy, &ResourceEditor::copy))
    , m_paste(makeAction(QStringLiteral("&Paste"), QKeySequence::Paste, &ResourceEditor::paste))
    , m_delete(makeAction(QStringLiteral("&Delete"), QKeySequence::Delete, &ResourceEditor::removeSelected))
    , m_selectAll(makeAction(QStringLiteral("Select &All"), QKeySequence::SelectAll, nullptr))
    , m_moveUp(makeAction(QStringLiteral("M&ove Up"), Qt::ALT | Qt::Key_Up, nullptr))
    , m_moveDown(makeAction(QStringLiteral("Move Do&wn"), Qt::ALT | Qt::Key_Down, nullptr))
{
    connect(m_selectAll, &QAction::triggered, &m_view, &QAbstractItemView::selectAll);
    connect(m_moveUp, &QAction::triggered, this, [this] { move(-1); });
    connect(m_moveDown, &QAction::triggered, this, [this] { move(1); });
    connect(&m_view, &QAbstractItemView::activated, this, &ResourceEditor::editCurrent); // Enter, double-click
    connect(&m_view, &ResourceListView::moveRequested, this, &ResourceEditor::moveTo);
    connect(m_view.selectionModel(), &QItemSelectionModel::selectionChanged, this, &ResourceEditor::updateActions);
    connect(&m_list, &QAbstractItemModel::modelReset, this, &ResourceEditor::updateActions);
    connect(&m_list, &QAbstractItemModel::rowsRemoved, this, &ResourceEditor::updateActions);
    updateActions();
}

QAction* ResourceEditor::makeAction(const QString& text, const QKeySequence& shortcut, void (ResourceEditor::*slot)())
{
    auto* action = new QAction(text, this);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut); // the list's keys, not the text boxes'
    m_view.addAction(action);                                   // and its context menu
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    return action;
}

QList<QAction*> ResourceEditor::editActions() const
{
    return {m_edit, m_moveUp, m_moveDown, nullptr, m_copy, m_paste, m_delete, m_selectAll};
}

void ResourceEditor::updateActions()
{
    const bool selected = m_view.selectionModel()->hasSelection();
    for (QAction* action : {m_edit, m_copy, m_delete, m_moveUp, m_moveDown})
        action->setEnabled(selected);
}

void ResourceEditor::add(const ResourceEntry& entry)
{
    m_undoStack.push(new RowsCommand(m_list, {m_list.count()}, {entry}, true, QStringLiteral("Add Resource")));
}

void ResourceEditor::addGenerated(const ResourceEntries& entries)
{
    m_undoStack.push(new RowsCommand(m_list, rowsFrom(m_list.count(), entries.size()), entries, true,
                                     QStringLiteral("Add Resources Automatically")));
}

void ResourceEditor::removeSelected()
{
    if (m_list.isEmpty()) {
        m_interaction.inform(&m_view, QStringLiteral("Invalid Operation"),
                             QStringLiteral("Please add a resource first."));
        return;
    }
    const QList<int> rows = m_view.selectedRows();
    if (rows.isEmpty()) {
        m_interaction.inform(&m_view, QStringLiteral("Invalid Operation"),
                             QStringLiteral("Please select a resource first."));
        return;
    }
    m_undoStack.push(
        new RowsCommand(m_list, rows, entriesAt(rows), false,
                        rows.size() == 1 ? QStringLiteral("Remove Resource") : QStringLiteral("Remove Resources")));
}

void ResourceEditor::removeAll()
{
    if (m_list.isEmpty()) {
        m_interaction.inform(&m_view, QStringLiteral("Invalid Action"),
                             QStringLiteral("Ooops, there are no resources to remove."));
        return;
    }
    if (m_interaction.confirm(&m_view, QStringLiteral("Confirm"), QStringLiteral("Confirm Action?")))
        m_undoStack.push(new RowsCommand(m_list, rowsFrom(0, m_list.count()), m_list.entries(), false,
                                         QStringLiteral("Remove All")));
}

void ResourceEditor::editCurrent()
{
    const QModelIndex current = m_view.currentIndex();
    if (!current.isValid() || !m_view.selectionModel()->isSelected(current))
        return;
    EditResourceDialog dialog(m_list.at(current.row()), m_interaction, m_view.window());
    if (dialog.exec() == QDialog::Accepted && dialog.entry() != m_list.at(current.row()))
        m_undoStack.push(new EditCommand(m_list, current.row(), dialog.entry()));
}

void ResourceEditor::move(int delta)
{
    reorder(MovedOrder(m_list.count(), m_view.selectedRows(), delta),
            delta < 0 ? QStringLiteral("Move Up") : QStringLiteral("Move Down"));
}

void ResourceEditor::moveTo(const QList<int>& rows, int destination)
{
    reorder(DroppedOrder(m_list.count(), rows, destination), QStringLiteral("Move Resources"));
}

void ResourceEditor::reorder(const QList<int>& order, const QString& step)
{
    if (!std::is_sorted(order.begin(), order.end())) // else nothing moves: none selected, or at the end already
        m_undoStack.push(new ReorderCommand(m_list, order, step));
}

void ResourceEditor::copy()
{
    if (const QList<int> rows = m_view.selectedRows(); !rows.isEmpty())
        QApplication::clipboard()->setText(ResourcesToLines(entriesAt(rows)));
}

void ResourceEditor::paste()
{
    const ReadResources read = ResourcesFromLines(QApplication::clipboard()->text());
    insertAfterSelection(read.entries, QStringLiteral("Paste"));
    report(QStringLiteral("Pasted"), read.entries.size(), read.skippedLines);
}

void ResourceEditor::importResources()
{
    const QString path =
        m_interaction.fileToOpen(m_view.window(), QStringLiteral("Import Resources"), {},
                                 QStringLiteral("Resource lists (*.txt *.tsv *.csv *.md);;All files (*)"));
    if (!path.isEmpty())
        importFrom(path);
}

void ResourceEditor::importFrom(const QString& path)
{
    QString text;
    if (const FileResult loaded = LoadTextFile(path, text); !loaded.ok()) {
        m_interaction.warn(m_view.window(), QStringLiteral("Import Resources"), loaded.message);
        return;
    }
    const bool csv = QFileInfo(path).suffix().compare(u"csv", Qt::CaseInsensitive) == 0;
    const ReadResources read = csv ? ResourcesFromCsv(text) : ResourcesFromLines(text);
    insertAfterSelection(read.entries, QStringLiteral("Import Resources"));
    report(QStringLiteral("Imported"), read.entries.size(), read.skippedLines);
}

void ResourceEditor::insertAfterSelection(const ResourceEntries& entries, const QString& step)
{
    if (entries.isEmpty())
        return;
    const QList<int> selected = m_view.selectedRows();
    const int first = selected.isEmpty() ? m_list.count() : selected.constLast() + 1;
    m_undoStack.push(new RowsCommand(m_list, rowsFrom(first, entries.size()), entries, true, step));
}

ResourceEntries ResourceEditor::entriesAt(const QList<int>& rows) const
{
    ResourceEntries entries;
    for (const int row : rows)
        entries.append(m_list.at(row));
    return entries;
}

void ResourceEditor::report(const QString& verb, qsizetype added, const QList<int>& skipped)
{
    QString text = verb + u' ' + counted(added, QStringLiteral("resource"), QStringLiteral("resources"));
    if (!skipped.isEmpty()) {
        QStringList lines;
        for (const int line : skipped.mid(0, 10))
            lines.append(QString::number(line));
        if (skipped.size() > 10)
            lines.append(QStringLiteral("…"));
        text += QStringLiteral("; skipped %1 in no form of resource: %2")
                    .arg(counted(skipped.size(), QStringLiteral("line"), QStringLiteral("lines")),
                         lines.join(QStringLiteral(", ")));
    }
    Q_EMIT statusMessage(text + u'.');
}

} // namespace orvanta
