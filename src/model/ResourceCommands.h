// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet/ResourceEntry.h"

#include <QList>
#include <QUndoCommand>

namespace orvanta {

class ResourceList;

// Puts entries in at their rows, or takes them out: the two halves of adding and removing.
class RowsCommand : public QUndoCommand {
public:
    enum class Kind { Insert, Remove };

    RowsCommand(ResourceList& list, Kind kind, const QList<int>& rows, const ResourceEntries& entries,
                const QString& text);

    void redo() override;
    void undo() override;

private:
    void insert();
    void remove();

    ResourceList& m_list;
    const Kind m_kind;
    const QList<int> m_rows;
    const ResourceEntries m_entries;
};

class EditCommand : public QUndoCommand {
public:
    EditCommand(ResourceList& list, int row, const ResourceEntry& after, const QString& text);

    void redo() override;
    void undo() override;

private:
    ResourceList& m_list;
    const int m_row;
    const ResourceEntry m_before;
    const ResourceEntry m_after;
};

// Rearranges the rows: row i afterwards is row order[i] before.
class ReorderCommand : public QUndoCommand {
public:
    ReorderCommand(ResourceList& list, const QList<int>& order, const QString& text);

    void redo() override;
    void undo() override;

private:
    ResourceList& m_list;
    const QList<int> m_order;
    QList<int> m_inverse;
};

} // namespace orvanta
