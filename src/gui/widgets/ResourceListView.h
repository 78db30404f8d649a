// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListView>

namespace orvanta {

// The list of resources. Dragging entries within it asks for a move rather than moving rows itself, so
// the move is one step that can be undone.
class ResourceListView : public QListView {
    Q_OBJECT

public:
    explicit ResourceListView(QWidget* parent = nullptr);

    // The selected rows, in list order.
    QList<int> selectedRows() const;

Q_SIGNALS:
    void moveRequested(const QList<int>& rows, int destination);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace orvanta
