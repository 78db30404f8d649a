#include "ResourceList.h"

namespace orvanta {

void ResourceList::append(const ResourceEntry& entry)
{
    append(ResourceEntries{entry});
}

void ResourceList::append(const ResourceEntries& entries)
{
    if (entries.isEmpty())
        return;
    beginInsertRows({}, count(), count() + static_cast<int>(entries.size()) - 1);
    m_entries.append(entries);
    endInsertRows();
}

void ResourceList::removeAt(int index)
{
    if (index < 0 || index >= count())
        return;
    beginRemoveRows({}, index, index);
    m_entries.removeAt(index);
    endRemoveRows();
}

void ResourceList::clear()
{
    if (m_entries.isEmpty())
        return;
    beginResetModel();
    m_entries.clear();
    endResetModel();
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
    return {};
}

} // namespace orvanta
