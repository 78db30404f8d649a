// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceList.h"

#include <algorithm>
#include <numeric>

namespace orvanta {

namespace {

// Calls `run(first, last)` for each run of consecutive rows in sorted `rows`, from the first run or the last.
template <typename Run> void forEachRun(const QList<int>& rows, bool fromLast, Run run)
{
    QList<std::pair<int, int>> runs;
    for (const int row : rows) {
        if (!runs.isEmpty() && runs.constLast().second + 1 == row)
            runs.last().second = row;
        else
            runs.append({row, row});
    }
    if (fromLast)
        std::reverse(runs.begin(), runs.end());
    for (const auto& [first, last] : runs)
        run(first, last);
}

QList<bool> marked(int count, const QList<int>& rows)
{
    QList<bool> marks(count, false);
    for (const int row : rows) {
        if (row >= 0 && row < count)
            marks[row] = true;
    }
    return marks;
}

} // namespace

void ResourceList::append(const ResourceEntries& entries)
{
    QList<int> rows;
    for (int i = 0; i < entries.size(); ++i)
        rows.append(count() + i);
    insertAt(rows, entries);
}

void ResourceList::insertAt(const QList<int>& rows, const ResourceEntries& entries)
{
    qsizetype next = 0;
    forEachRun(rows, false, [&](int first, int last) {
        beginInsertRows({}, first, last);
        for (int row = first; row <= last; ++row)
            m_entries.insert(row, entries.at(next++));
        endInsertRows();
    });
}

ResourceEntries ResourceList::removeAt(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.removeIf([this](int row) { return row < 0 || row >= count(); });
    ResourceEntries removed;
    for (const int row : rows)
        removed.append(m_entries.at(row));
    forEachRun(rows, true, [this](int first, int last) {
        beginRemoveRows({}, first, last);
        m_entries.remove(first, last - first + 1);
        endRemoveRows();
    });
    return removed;
}

void ResourceList::replace(int row, const ResourceEntry& entry)
{
    if (row < 0 || row >= count())
        return;
    m_entries[row] = entry;
    Q_EMIT dataChanged(index(row), index(row));
}

void ResourceList::reorder(const QList<int>& order)
{
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<int> newRow(count());
    ResourceEntries reordered;
    reordered.reserve(count());
    for (int i = 0; i < order.size(); ++i) {
        reordered.append(m_entries.at(order.at(i)));
        newRow[order.at(i)] = i;
    }
    m_entries = std::move(reordered);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    for (const QModelIndex& index : before)
        after.append(this->index(newRow.at(index.row())));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ResourceList::setEntries(const ResourceEntries& entries)
{
    beginResetModel();
    m_entries = entries;
    endResetModel();
}

int ResourceList::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant ResourceList::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return m_entries.at(index.row()).displayText();
    if (role == HeadingRole)
        return m_entries.at(index.row()).heading;
    return {};
}

// Entries are dragged, and dropped between entries only.
Qt::ItemFlags ResourceList::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return QAbstractListModel::flags(index) | Qt::ItemIsDragEnabled;
}

Qt::DropActions ResourceList::supportedDropActions() const
{
    return Qt::MoveAction;
}

QList<int> MovedOrder(int count, const QList<int>& rows, int delta)
{
    const QList<bool> moving = marked(count, rows);
    QList<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    // Each moving row trades places with an unmoving neighbour on the side it moves to.
    for (int step = 1; step < count; ++step) {
        const int i = delta < 0 ? step : count - 1 - step;
        const int neighbour = i + delta;
        if (moving.at(order.at(i)) && !moving.at(order.at(neighbour)))
            std::swap(order[i], order[neighbour]);
    }
    return order;
}

QList<int> DroppedOrder(int count, const QList<int>& rows, int destination)
{
    const QList<bool> moving = marked(count, rows);
    QList<int> order;
    QList<int> moved;
    for (int row = 0; row < count; ++row) {
        if (row == destination)
            order.append(-1); // where the moved rows go
        (moving.at(row) ? moved : order).append(row);
    }
    const qsizetype at = order.indexOf(-1);
    if (at < 0)
        return order + moved;
    order.remove(at);
    for (qsizetype i = 0; i < moved.size(); ++i)
        order.insert(at + i, moved.at(i));
    return order;
}

} // namespace orvanta
