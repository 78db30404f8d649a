// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceListActions.h"

#include "gui/dialogs/EditResourceDialog.h"
#include "gui/widgets/Interaction.h"
#include "gui/widgets/ResourceListView.h"
#include "model/ResourceList.h"
#include "model/SheetModel.h"
#include "sheet/ResourceText.h"
#include "sheet/TextFile.h"
#include "words/FileWords.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <numeric>

namespace orvanta {

ResourceListActions::ResourceListActions(SheetModel& model, ResourceListView& view, Interaction& interaction)
    : QObject(&view)
    , m_model(model)
    , m_view(view)
    , m_interaction(interaction)
    , m_edit(makeAction(tr("&Edit Resource…"), Qt::Key_F2, &ResourceListActions::editCurrent))
    , m_addHeading(makeAction(tr("Add &Heading…"), {}, &ResourceListActions::addHeading))
    , m_copy(makeAction(tr("&Copy"), QKeySequence::Copy, &ResourceListActions::copy))
    , m_paste(makeAction(tr("&Paste"), QKeySequence::Paste, &ResourceListActions::paste))
    , m_delete(makeAction(tr("&Delete"), QKeySequence::Delete, &ResourceListActions::removeSelected))
    , m_selectAll(makeAction(tr("Select &All"), QKeySequence::SelectAll, nullptr))
    , m_moveUp(makeAction(tr("M&ove Up"), Qt::ALT | Qt::Key_Up, nullptr))
    , m_moveDown(makeAction(tr("Move Do&wn"), Qt::ALT | Qt::Key_Down, nullptr))
{
    connect(m_selectAll, &QAction::triggered, &m_view, &QAbstractItemView::selectAll);
    connect(m_moveUp, &QAction::triggered, this, [this] { move(-1); });
    connect(m_moveDown, &QAction::triggered, this, [this] { move(1); });
    connect(&m_view, &QAbstractItemView::activated, this, &ResourceListActions::editCurrent); // Enter, double-click
    connect(&m_view, &ResourceListView::moveRequested, this, &ResourceListActions::moveTo);
    connect(m_view.selectionModel(), &QItemSelectionModel::selectionChanged, this, &ResourceListActions::updateActions);
    connect(&m_model.resources(), &QAbstractItemModel::modelReset, this, &ResourceListActions::updateActions);
    connect(&m_model.resources(), &QAbstractItemModel::rowsRemoved, this, &ResourceListActions::updateActions);
    updateActions();
}

QAction* ResourceListActions::makeAction(const QString& text, const QKeySequence& shortcut,
                                         void (ResourceListActions::*slot)())
{
    auto* action = new QAction(text, this);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut); // the list's keys, not the text boxes'
    m_view.addAction(action);                                   // and its context menu
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    return action;
}

QList<QAction*> ResourceListActions::editActions() const
{
    return {m_edit, m_addHeading, m_moveUp, m_moveDown, nullptr, m_copy, m_paste, m_delete, m_selectAll};
}

void ResourceListActions::updateActions()
{
    const bool selected = m_view.selectionModel()->hasSelection();
    for (QAction* action : {m_edit, m_copy, m_delete, m_moveUp, m_moveDown})
        action->setEnabled(selected);
}

void ResourceListActions::add(const ResourceEntry& entry)
{
    m_model.appendResources({entry}, tr("Add Resource"));
}

void ResourceListActions::addGenerated(const ResourceEntries& entries)
{
    m_model.appendResources(entries, tr("Add Resources Automatically"));
}

void ResourceListActions::removeSelected()
{
    if (m_model.resources().isEmpty()) {
        m_interaction.inform(&m_view, tr("Invalid Operation"), tr("Please add a resource first."));
        return;
    }
    const QList<int> rows = m_view.selectedRows();
    if (rows.isEmpty()) {
        m_interaction.inform(&m_view, tr("Invalid Operation"), tr("Please select a resource first."));
        return;
    }
    m_model.removeResources(rows, rows.size() == 1 ? tr("Remove Resource") : tr("Remove Resources"));
}

void ResourceListActions::removeAll()
{
    const ResourceList& list = m_model.resources();
    if (list.isEmpty()) {
        m_interaction.inform(&m_view, tr("Invalid Action"), tr("Ooops, there are no resources to remove."));
        return;
    }
    if (m_interaction.confirm(&m_view, tr("Confirm"), tr("Confirm Action?"))) {
        QList<int> rows(list.count());
        std::iota(rows.begin(), rows.end(), 0);
        m_model.removeResources(rows, tr("Remove All"));
    }
}

void ResourceListActions::editCurrent()
{
    const QModelIndex current = m_view.currentIndex();
    if (!current.isValid() || !m_view.selectionModel()->isSelected(current))
        return;
    const ResourceEntry& entry = m_model.resources().at(current.row());
    if (entry.heading) {
        const QString title =
            m_interaction.askText(m_view.window(), tr("Edit Heading"), tr("Heading:"), entry.linkText).trimmed();
        if (!title.isEmpty() && title != entry.linkText)
            m_model.replaceResource(current.row(), HeadingEntry(title), tr("Edit Heading"));
        return;
    }
    EditResourceDialog dialog(entry, m_interaction, m_view.window());
    if (dialog.exec() == QDialog::Accepted)
        m_model.replaceResource(current.row(), dialog.entry(), tr("Edit Resource"));
}

void ResourceListActions::addHeading()
{
    const QString title = m_interaction.askText(m_view.window(), tr("Add Heading"), tr("Heading:"), {}).trimmed();
    if (title.isEmpty())
        return;
    const QModelIndex current = m_view.currentIndex();
    const int row = current.isValid() ? current.row() + 1 : m_model.resources().count();
    m_model.insertResources({row}, {HeadingEntry(title)}, tr("Add Heading"));
    m_view.setCurrentIndex(m_view.model()->index(row, 0));
}

void ResourceListActions::move(int delta)
{
    m_model.reorderResources(MovedOrder(m_model.resources().count(), m_view.selectedRows(), delta),
                             delta < 0 ? tr("Move Up") : tr("Move Down"));
}

void ResourceListActions::moveTo(const QList<int>& rows, int destination)
{
    m_model.reorderResources(DroppedOrder(m_model.resources().count(), rows, destination), tr("Move Resources"));
}

void ResourceListActions::copy()
{
    ResourceEntries entries;
    for (const int row : m_view.selectedRows())
        entries.append(m_model.resources().at(row));
    if (!entries.isEmpty())
        QApplication::clipboard()->setText(ResourcesToLines(entries));
}

void ResourceListActions::paste()
{
    const ReadResources read = ResourcesFromLines(QApplication::clipboard()->text());
    insertAfterSelection(read.entries, tr("Paste"));
    report(read.entries.size() == 1 ? tr("Pasted 1 resource") : tr("Pasted %1 resources").arg(read.entries.size()),
           read.skippedLines);
}

void ResourceListActions::importResources()
{
    const QString path = m_interaction.fileToOpen(m_view.window(), tr("Import Resources"), {},
                                                  tr("Resource lists (*.txt *.tsv *.csv *.md);;All files (*)"));
    if (!path.isEmpty())
        importFrom(path);
}

void ResourceListActions::importFrom(const QString& path)
{
    const Expected<QString, FileProblem> loaded = LoadTextFile(path);
    if (!loaded) {
        m_interaction.warn(m_view.window(), tr("Import Resources"), FileWords::problem(loaded.error()));
        return;
    }
    const QString& text = *loaded;
    const bool csv = QFileInfo(path).suffix().compare(u"csv", Qt::CaseInsensitive) == 0;
    const ReadResources read = csv ? ResourcesFromCsv(text) : ResourcesFromLines(text);
    insertAfterSelection(read.entries, tr("Import Resources"));
    report(read.entries.size() == 1 ? tr("Imported 1 resource") : tr("Imported %1 resources").arg(read.entries.size()),
           read.skippedLines);
}

void ResourceListActions::insertAfterSelection(const ResourceEntries& entries, const QString& step)
{
    const QList<int> selected = m_view.selectedRows();
    QList<int> rows(entries.size());
    std::iota(rows.begin(), rows.end(), selected.isEmpty() ? m_model.resources().count() : selected.constLast() + 1);
    m_model.insertResources(rows, entries, step);
}

void ResourceListActions::report(const QString& done, const QList<int>& skipped)
{
    QString text = done;
    if (!skipped.isEmpty()) {
        QStringList lines;
        for (const int line : skipped.mid(0, 10))
            lines.append(QString::number(line));
        if (skipped.size() > 10)
            lines.append(QStringLiteral("…"));
        text += (skipped.size() == 1 ? tr("; skipped 1 line in no form of resource: %1")
                                     : tr("; skipped %1 lines in no form of resource: %2").arg(skipped.size()))
                    .arg(lines.join(QStringLiteral(", ")));
    }
    Q_EMIT statusMessage(text + u'.');
}

} // namespace orvanta
