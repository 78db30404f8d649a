#pragma once

#include "ResourceEntry.h"

#include <QAbstractListModel>

namespace orvanta {

// The ordered resources of the cheat sheet; list order is page order and duplicates are allowed.
// A list view only displays it.
class ResourceList : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void append(const ResourceEntry& entry);
    void append(const ResourceEntries& entries);
    void removeAt(int index);
    void clear();
    void setEntries(const ResourceEntries& entries);

    int count() const { return static_cast<int>(m_entries.size()); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    const ResourceEntry& at(int index) const { return m_entries.at(index); }
    const ResourceEntries& entries() const { return m_entries; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    ResourceEntries m_entries;
};

} // namespace orvanta
