// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkVerdict.h"

#include <QCoreApplication>

namespace orvanta {

namespace {

// The words for the link check, found by lupdate under "LinkVerdict".
class Words {
    Q_DECLARE_TR_FUNCTIONS(LinkVerdict)
};

QString causeText(const LinkVerdict& verdict)
{
    switch (verdict.cause) {
    case LinkVerdict::Cause::Refused:
        return Words::tr("the server refused the connection");
    case LinkVerdict::Cause::Timeout:
        return Words::tr("no answer");
    case LinkVerdict::Cause::HostNotFound:
        return Words::tr("no such host");
    case LinkVerdict::Cause::NoRoute:
        return Words::tr("no route to the host");
    case LinkVerdict::Cause::Tls:
        return Words::tr("its secure connection is not trustworthy");
    case LinkVerdict::Cause::TooManyRedirects:
        return Words::tr("more than %1 redirects").arg(MaxLinkRedirects);
    case LinkVerdict::Cause::NotWebRedirect:
        return Words::tr("moved to a non-web address");
    case LinkVerdict::Cause::NoNetwork:
        return Words::tr("there is no network");
    case LinkVerdict::Cause::None:
    case LinkVerdict::Cause::Other:
        break;
    }
    return Words::tr("the connection failed");
}

} // namespace

void LinkSummary::add(LinkVerdict::Kind kind)
{
    switch (kind) {
    case LinkVerdict::Kind::Fine:
        ++fine;
        break;
    case LinkVerdict::Kind::Moved:
        ++moved;
        break;
    case LinkVerdict::Kind::Broken:
        ++broken;
        break;
    case LinkVerdict::Kind::Unreachable:
        ++unreachable;
        break;
    case LinkVerdict::Kind::NotChecked:
        ++notChecked;
        break;
    }
}

QString LinkVerdictText(const LinkVerdict& verdict)
{
    switch (verdict.kind) {
    case LinkVerdict::Kind::Fine:
        return Words::tr("Fine (%1)").arg(verdict.status);
    case LinkVerdict::Kind::Moved:
        return Words::tr("Moved (%1): now %2").arg(verdict.status).arg(verdict.finalUrl);
    case LinkVerdict::Kind::Broken:
        return Words::tr("Broken (%1) at %2").arg(verdict.status).arg(verdict.finalUrl);
    case LinkVerdict::Kind::Unreachable:
        return verdict.reason.isEmpty() ? Words::tr("Unreachable: %1").arg(causeText(verdict))
                                        : Words::tr("Unreachable: %1 (%2)").arg(causeText(verdict), verdict.reason);
    case LinkVerdict::Kind::NotChecked:
        break;
    }
    return verdict.cause == LinkVerdict::Cause::NoNetwork ? Words::tr("Not checked: there is no network")
                                                          : Words::tr("Not checked: not a web link");
}

QString LinkSummaryText(const LinkSummary& summary)
{
    if (summary.noNetwork)
        return Words::tr("No network: the links could not be checked");
    QStringList pieces;
    const auto piece = [&pieces](int count, const char* text) {
        if (count > 0)
            pieces.append(Words::tr(text).arg(count));
    };
    piece(summary.fine, QT_TRANSLATE_NOOP("LinkVerdict", "%1 fine"));
    piece(summary.moved, QT_TRANSLATE_NOOP("LinkVerdict", "%1 moved"));
    piece(summary.broken, QT_TRANSLATE_NOOP("LinkVerdict", "%1 broken"));
    piece(summary.unreachable, QT_TRANSLATE_NOOP("LinkVerdict", "%1 unreachable"));
    piece(summary.notChecked, QT_TRANSLATE_NOOP("LinkVerdict", "%1 not checked"));
    return pieces.isEmpty() ? Words::tr("No links") : pieces.join(Words::tr(", "));
}

} // namespace orvanta
