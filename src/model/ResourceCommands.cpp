// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceCommands.h"

#include "ResourceList.h"

namespace orvanta {

RowsCommand::RowsCommand(ResourceList& list, Kind kind, const QList<int>& rows, const ResourceEntries& entries,
                         const QString& text)
    : QUndoCommand(text)
    , m_list(list)
    , m_kind(kind)
    , m_rows(rows)
    , m_entries(entries)
{
}

void RowsCommand::redo()
{
    m_kind == Kind::Insert ? insert() : remove();
}

void RowsCommand::undo()
{
    m_kind == Kind::Insert ? remove() : insert();
}

void RowsCommand::insert()
{
    m_list.insertAt(m_rows, m_entries);
}

void RowsCommand::remove()
{
    m_list.removeAt(m_rows);
}

EditCommand::EditCommand(ResourceList& list, int row, const ResourceEntry& after, const QString& text)
    : QUndoCommand(text)
    , m_list(list)
    , m_row(row)
    , m_before(list.at(row))
    , m_after(after)
{
}

void EditCommand::redo()
{
    m_list.replace(m_row, m_after);
}

void EditCommand::undo()
{
    m_list.replace(m_row, m_before);
}

ReorderCommand::ReorderCommand(ResourceList& list, const QList<int>& order, const QString& text)
    : QUndoCommand(text)
    , m_list(list)
    , m_order(order)
    , m_inverse(order.size())
{
    for (int i = 0; i < order.size(); ++i)
        m_inverse[order.at(i)] = i;
}

void ReorderCommand::redo()
{
    m_list.reorder(m_order);
}

void ReorderCommand::undo()
{
    m_list.reorder(m_inverse);
}

} // namespace orvanta
