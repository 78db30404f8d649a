// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetModel.h"

#include "ResourceCommands.h"

#include <algorithm>
#include <functional>
#include <numeric>

namespace orvanta {

SheetModel::SheetModel(QObject* parent)
    : QObject(parent)
{
    // Connected before any view, so that whoever hears of a list change reads the sheet as it is now.
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&m_resources, signal, this, &SheetModel::resourcesChanged);
    connect(&m_resources, &QAbstractItemModel::dataChanged, this, &SheetModel::resourcesChanged);
    connect(&m_resources, &QAbstractItemModel::layoutChanged, this, &SheetModel::resourcesChanged);
    connect(&m_resources, &QAbstractItemModel::modelReset, this, &SheetModel::resourcesChanged);
}

void SheetModel::setSheet(const Sheet& sheet)
{
    QSignalBlocker quiet(this); // one change for the whole sheet, not one for its list
    m_sheet = sheet;
    m_resources.setEntries(sheet.resources);
    m_undoStack.clear();
    quiet.unblock();
    Q_EMIT changed(Change::Whole);
}

void SheetModel::setText(TextField field, const QString& text)
{
    if (m_sheet.*field == text)
        return;
    m_sheet.*field = text;
    Q_EMIT changed(Change::Text);
}

void SheetModel::setFlag(FlagField field, bool on)
{
    if (m_sheet.*field == on)
        return;
    m_sheet.*field = on;
    Q_EMIT changed(Change::Flag);
}

namespace {

// Sets one design value of the sheet; undoing puts the one before back.
template <typename T> class DesignCommand : public QUndoCommand {
public:
    DesignCommand(std::function<void(const T&)> apply, T before, T after, const QString& step)
        : QUndoCommand(step)
        , m_apply(std::move(apply))
        , m_before(std::move(before))
        , m_after(std::move(after))
    {
    }
    void redo() override { m_apply(m_after); }
    void undo() override { m_apply(m_before); }

private:
    std::function<void(const T&)> m_apply;
    T m_before;
    T m_after;
};

} // namespace

void SheetModel::setDesign(TextField field, const QString& value, const QString& step)
{
    if (m_sheet.*field == value)
        return;
    const auto apply = [this, field](const QString& text) {
        m_sheet.*field = text;
        Q_EMIT changed(Change::Design);
    };
    m_undoStack.push(new DesignCommand<QString>(apply, m_sheet.*field, value, step));
}

void SheetModel::setFitPages(int pages, const QString& step)
{
    if (m_sheet.fitPages == pages)
        return;
    const auto apply = [this](const int& fit) {
        m_sheet.fitPages = fit;
        Q_EMIT changed(Change::Design);
    };
    m_undoStack.push(new DesignCommand<int>(apply, m_sheet.fitPages, pages, step));
}

void SheetModel::resourcesChanged()
{
    m_sheet.resources = m_resources.entries();
    Q_EMIT changed(Change::Resources);
}

void SheetModel::insertResources(const QList<int>& rows, const ResourceEntries& entries, const QString& step)
{
    if (!entries.isEmpty())
        m_undoStack.push(new RowsCommand(m_resources, RowsCommand::Kind::Insert, rows, entries, step));
}

void SheetModel::appendResources(const ResourceEntries& entries, const QString& step)
{
    QList<int> rows(entries.size());
    std::iota(rows.begin(), rows.end(), m_resources.count());
    insertResources(rows, entries, step);
}

void SheetModel::removeResources(const QList<int>& rows, const QString& step)
{
    QList<int> sorted = rows; // undoing puts the entries back in row order
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    ResourceEntries entries;
    for (const int row : sorted)
        entries.append(m_resources.at(row));
    if (!sorted.isEmpty())
        m_undoStack.push(new RowsCommand(m_resources, RowsCommand::Kind::Remove, sorted, entries, step));
}

void SheetModel::replaceResource(int row, const ResourceEntry& entry, const QString& step)
{
    if (m_resources.at(row) != entry)
        m_undoStack.push(new EditCommand(m_resources, row, entry, step));
}

void SheetModel::reorderResources(const QList<int>& order, const QString& step)
{
    if (!std::is_sorted(order.begin(), order.end()))
        m_undoStack.push(new ReorderCommand(m_resources, order, step));
}

} // namespace orvanta
