// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "links/LinkVerdict.h"

#include <QCoreApplication>
#include <QString>

namespace orvanta {

// The words for the link check's verdicts.
class LinkWords {
    Q_DECLARE_TR_FUNCTIONS(LinkWords)

public:
    // For a tooltip: what happened, the status and the final address ("Moved (301): now https://…").
    static QString verdict(const LinkVerdict& verdict);
    // "28 fine, 2 moved, 1 broken": the kinds that occurred, in that order; or that there was no network.
    static QString summary(const LinkSummary& summary);
};

} // namespace orvanta
