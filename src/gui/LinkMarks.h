// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "links/LinkVerdict.h"

#include <QHash>
#include <QIdentityProxyModel>

namespace orvanta {

// The resource list as the view shows it after a link check: each entry marked with what its link's server said,
// the whole verdict in its tooltip. The marks belong to the links, so an entry keeps its mark when it moves.
class LinkMarks : public QIdentityProxyModel {
    Q_OBJECT

public:
    using QIdentityProxyModel::QIdentityProxyModel;

    void setVerdict(const QString& link, const LinkVerdict& verdict);
    std::optional<LinkVerdict> verdict(int row) const;
    void clear();

    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::optional<QString> linkAt(int row) const;

    QHash<QString, LinkVerdict> m_verdicts;
};

} // namespace orvanta
