// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkCheck.h"

#include "gui/LinkMarks.h"
#include "gui/widgets/Interaction.h"
#include "gui/widgets/ResourceListView.h"
#include "model/SheetModel.h"
#include "words/LinkWords.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace orvanta {

LinkCheck::LinkCheck(SheetModel& model, ResourceListView& view, Interaction& interaction)
    : QObject(&view)
    , m_model(model)
    , m_view(view)
    , m_interaction(interaction)
    , m_marks(new LinkMarks(this))
    , m_check(new QAction(tr("Check &Links"), this))
    , m_useNewAddress(new QAction(tr("Use &New Address"), this))
    , m_status(new QWidget)
    , m_progress(new QLabel(m_status))
{
    m_marks->setSourceModel(&model.resources());
    m_view.setModel(m_marks);
    m_check->setShortcut(Qt::CTRL | Qt::Key_L);
    m_view.addAction(m_useNewAddress); // its context menu

    auto* cancel = new QPushButton(tr("Cancel"), m_status);
    cancel->setAccessibleName(tr("Cancel the link check"));
    auto* layout = new QHBoxLayout(m_status);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_progress);
    layout->addWidget(cancel);
    m_status->hide();

    connect(m_check, &QAction::triggered, this, &LinkCheck::start);
    connect(m_useNewAddress, &QAction::triggered, this, &LinkCheck::useNewAddress);
    connect(cancel, &QPushButton::clicked, this, &LinkCheck::cancel);
    connect(&m_checker, &LinkChecker::linkChecked, m_marks, &LinkMarks::setVerdict);
    connect(&m_checker, &LinkChecker::linkChecked, this, &LinkCheck::updateActions);
    connect(&m_checker, &LinkChecker::progress, this, &LinkCheck::showProgress);
    connect(&m_checker, &LinkChecker::finished, this, &LinkCheck::finish);
    connect(&m_model, &SheetModel::changed, this, [this](SheetModel::Change change) {
        if (change == SheetModel::Change::Resources || change == SheetModel::Change::Whole)
            sheetChanged(change == SheetModel::Change::Whole);
    });
    connect(m_view.selectionModel(), &QItemSelectionModel::currentChanged, this, &LinkCheck::updateActions);
    updateActions();
}

QStringList LinkCheck::links() const
{
    QStringList links;
    for (const ResourceEntry& entry : m_model.sheet().resources) {
        if (!entry.heading)
            links.append(entry.linkUrl);
    }
    return links;
}

void LinkCheck::start()
{
    m_marks->clear();
    m_checked = true;
    m_checker.check(links());
}

void LinkCheck::cancel()
{
    m_checker.cancel();
    m_status->hide();
    Q_EMIT statusMessage(tr("Link check cancelled."));
}

void LinkCheck::sheetChanged(bool wholeSheet)
{
    if (wholeSheet) { // another sheet: the marks were the old one's
        m_checker.cancel();
        m_status->hide();
        m_marks->clear();
        m_checked = false;
    } else if (m_checked) {
        m_checker.update(links());
    }
    updateActions();
}

void LinkCheck::showProgress(int done, int total)
{
    m_progress->setText(tr("Checking links: %1 of %2").arg(done).arg(total));
    m_status->setVisible(m_checker.isRunning());
}

void LinkCheck::finish(const LinkSummary& summary)
{
    m_status->hide();
    if (summary.noNetwork)
        m_interaction.inform(&m_view, tr("Check Links"), LinkWords::summary(summary));
    else
        Q_EMIT statusMessage(LinkWords::summary(summary));
}

void LinkCheck::useNewAddress()
{
    const int row = m_view.currentIndex().row();
    const std::optional<LinkVerdict> verdict = m_marks->verdict(row);
    if (!verdict || verdict->kind != LinkVerdict::Kind::Moved)
        return;
    ResourceEntry entry = m_model.resources().at(row);
    entry.linkUrl = verdict->finalUrl;
    m_model.replaceResource(row, entry, tr("Use New Address"));
}

void LinkCheck::updateActions()
{
    const std::optional<LinkVerdict> verdict = m_marks->verdict(m_view.currentIndex().row());
    m_useNewAddress->setEnabled(verdict && verdict->kind == LinkVerdict::Kind::Moved);
}

} // namespace orvanta
