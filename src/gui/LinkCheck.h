// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "links/LinkChecker.h"

#include <QObject>

class QAction;
class QLabel;
class QWidget;

namespace orvanta {

class Interaction;
class LinkMarks;
class ResourceListView;
class SheetModel;

// Check Links for the resource list: asks each web link's server, marks each entry with the answer, and keeps the
// marks true while the user goes on editing (a link changed during or after a check is asked again). "Use New
// Address" takes a moved link's final address as one undoable step. The marks are not part of the sheet.
class LinkCheck : public QObject {
    Q_OBJECT

public:
    LinkCheck(SheetModel& model, ResourceListView& view, Interaction& interaction);

    QAction* checkAction() const { return m_check; }
    QAction* useNewAddressAction() const { return m_useNewAddress; }
    // The progress and its Cancel button, for the status bar; visible while a check runs.
    QWidget* statusWidget() const { return m_status; }
    LinkChecker& checker() { return m_checker; }

Q_SIGNALS:
    // A line for the status bar.
    void statusMessage(const QString& text);

private:
    void start();
    void cancel();
    void useNewAddress();
    void sheetChanged(bool wholeSheet);
    void showProgress(int done, int total);
    void finish(const LinkSummary& summary);
    void updateActions();
    QStringList links() const;

    SheetModel& m_model;
    ResourceListView& m_view;
    Interaction& m_interaction;
    LinkChecker m_checker;
    LinkMarks* m_marks;
    QAction* m_check;
    QAction* m_useNewAddress;
    QWidget* m_status;
    QLabel* m_progress;
    bool m_checked = false; // a check ran on this sheet, so its marks are kept up to date
};

} // namespace orvanta
