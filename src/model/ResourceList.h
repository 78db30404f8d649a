// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet/ResourceEntry.h"

#include <QAbstractListModel>

namespace orvanta {

// The ordered resources of the cheat sheet; list order is page order and duplicates are allowed. A list
// view displays it, and drags within the view move its rows.
class ResourceList : public QAbstractListModel {
    Q_OBJECT

public:
    // data() of this role is true for a section heading.
    static constexpr int HeadingRole = Qt::UserRole;

    using QAbstractListModel::QAbstractListModel;

    void append(const ResourceEntries& entries);
    // Puts entries at `rows`, their positions once inserted, in ascending order.
    void insertAt(const QList<int>& rows, const ResourceEntries& entries);
    // Removes the rows, given in any order; returns what they held, in row order.
    ResourceEntries removeAt(QList<int> rows);
    void replace(int row, const ResourceEntry& entry);
    // Rearranges the rows: row i afterwards is row order[i] before. Views keep their selection on the entries.
    void reorder(const QList<int>& order);
    void setEntries(const ResourceEntries& entries);

    int count() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const ResourceEntry& at(int index) const { return m_entries.at(index); }
    const ResourceEntries& entries() const { return m_entries; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override;

private:
    ResourceEntries m_entries;
};

// The order (as reorder() takes it) that moves the rows one place up (delta -1) or down (+1). Rows already
// at the end they move towards stay, and so do the rows held up behind them.
QList<int> MovedOrder(int count, const QList<int>& rows, int delta);

// The order that takes the rows out and puts them, in their order, before row `destination` (count: at the end).
QList<int> DroppedOrder(int count, const QList<int>& rows, int destination);

} // namespace orvanta
