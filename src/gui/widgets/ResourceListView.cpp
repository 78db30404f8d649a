// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceListView.h"

#include "model/ResourceList.h"

#include <QDrag>
#include <QDropEvent>
#include <QStyledItemDelegate>
#include <algorithm>

namespace orvanta {

namespace {

// Shows section headings in bold, so they stand out between the links.
class HeadingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(ResourceList::HeadingRole).toBool())
            option->font.setBold(true);
    }
};

} // namespace

ResourceListView::ResourceListView(QWidget* parent)
    : QListView(parent)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    setItemDelegate(new HeadingDelegate(this));
}

QList<int> ResourceListView::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ResourceListView::startDrag(Qt::DropActions)
{
    auto* drag = new QDrag(this);
    drag->setMimeData(model()->mimeData(selectedIndexes()));
    drag->exec(Qt::MoveAction); // the drop asks for the move; nothing is removed here
}

void ResourceListView::dropEvent(QDropEvent* event)
{
    if (event->source() != this) {
        event->ignore();
        return;
    }
    const QModelIndex target = indexAt(event->position().toPoint());
    int destination = model()->rowCount();
    if (target.isValid())
        destination = target.row() + (event->position().y() > visualRect(target).center().y() ? 1 : 0);
    event->setDropAction(Qt::MoveAction);
    event->accept();
    setState(NoState); // as QAbstractItemView::dropEvent leaves it
    Q_EMIT moveRequested(selectedRows(), destination);
}

} // namespace orvanta
