// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkMarks.h"

#include "model/ResourceList.h"
#include "words/LinkWords.h"

#include <QApplication>
#include <QStyle>

namespace orvanta {

namespace {

QIcon markFor(LinkVerdict::Kind kind)
{
    QStyle* style = QApplication::style();
    switch (kind) {
    case LinkVerdict::Kind::Fine:
        return style->standardIcon(QStyle::SP_DialogApplyButton);
    case LinkVerdict::Kind::Moved:
        return style->standardIcon(QStyle::SP_ArrowForward);
    case LinkVerdict::Kind::Broken:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case LinkVerdict::Kind::Unreachable:
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case LinkVerdict::Kind::NotChecked:
        return style->standardIcon(QStyle::SP_MessageBoxQuestion);
    }
    return {};
}

} // namespace

std::optional<QString> LinkMarks::linkAt(int row) const
{
    const auto* list = qobject_cast<const ResourceList*>(sourceModel());
    if (!list || row < 0 || row >= list->count() || list->at(row).heading)
        return {}; // a heading has no link to mark
    return list->at(row).linkUrl;
}

void LinkMarks::setVerdict(const QString& link, const LinkVerdict& verdict)
{
    m_verdicts.insert(link, verdict);
    for (int row = 0; row < rowCount(); ++row) {
        if (linkAt(row) == link)
            Q_EMIT dataChanged(index(row, 0), index(row, 0), {Qt::DecorationRole, Qt::ToolTipRole});
    }
}

std::optional<LinkVerdict> LinkMarks::verdict(int row) const
{
    const std::optional<QString> link = linkAt(row);
    const auto found = link ? m_verdicts.constFind(*link) : m_verdicts.constEnd();
    return found == m_verdicts.constEnd() ? std::nullopt : std::optional(*found);
}

void LinkMarks::clear()
{
    if (m_verdicts.isEmpty())
        return;
    m_verdicts.clear();
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole, Qt::ToolTipRole});
}

QVariant LinkMarks::data(const QModelIndex& index, int role) const
{
    if (role == Qt::DecorationRole || role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) {
        const std::optional<LinkVerdict> found = verdict(index.row());
        if (!found)
            return QIdentityProxyModel::data(index, role);
        if (role == Qt::DecorationRole)
            return markFor(found->kind);
        if (role == Qt::ToolTipRole)
            return QIdentityProxyModel::data(index, role).toString() + u'\n' + LinkWords::verdict(*found);
        return LinkWords::verdict(*found);
    }
    return QIdentityProxyModel::data(index, role);
}

} // namespace orvanta
