// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkWords.h"

namespace orvanta {

namespace {

QString causeText(const LinkVerdict& verdict)
{
    switch (verdict.cause) {
    case LinkVerdict::Cause::Refused:
        return LinkWords::tr("the server refused the connection");
    case LinkVerdict::Cause::Timeout:
        return LinkWords::tr("no answer");
    case LinkVerdict::Cause::HostNotFound:
        return LinkWords::tr("no such host");
    case LinkVerdict::Cause::NoRoute:
        return LinkWords::tr("no route to the host");
    case LinkVerdict::Cause::Tls:
        return LinkWords::tr("its secure connection is not trustworthy");
    case LinkVerdict::Cause::TooManyRedirects:
        return LinkWords::tr("more than %1 redirects").arg(MaxLinkRedirects);
    case LinkVerdict::Cause::NotWebRedirect:
        return LinkWords::tr("moved to a non-web address");
    case LinkVerdict::Cause::NoNetwork:
        return LinkWords::tr("there is no network");
    case LinkVerdict::Cause::None:
    case LinkVerdict::Cause::Other:
        break;
    }
    return LinkWords::tr("the connection failed");
}

// The details of an unreachable link: how long the checker waited, or what the network said.
QString details(const LinkVerdict& verdict)
{
    if (verdict.cause == LinkVerdict::Cause::Timeout && verdict.waited.count() > 0)
        return LinkWords::tr("waited %1 s").arg(double(verdict.waited.count()) / 1000);
    return verdict.reason;
}

} // namespace

QString LinkWords::verdict(const LinkVerdict& verdict)
{
    switch (verdict.kind) {
    case LinkVerdict::Kind::Fine:
        return tr("Fine (%1)").arg(verdict.status);
    case LinkVerdict::Kind::Moved:
        return tr("Moved (%1): now %2").arg(verdict.status).arg(verdict.finalUrl);
    case LinkVerdict::Kind::Broken:
        return tr("Broken (%1) at %2").arg(verdict.status).arg(verdict.finalUrl);
    case LinkVerdict::Kind::Unreachable:
        if (const QString said = details(verdict); !said.isEmpty())
            return tr("Unreachable: %1 (%2)").arg(causeText(verdict), said);
        return tr("Unreachable: %1").arg(causeText(verdict));
    case LinkVerdict::Kind::NotChecked:
        break;
    }
    return verdict.cause == LinkVerdict::Cause::NoNetwork ? tr("Not checked: there is no network")
                                                          : tr("Not checked: not a web link");
}

QString LinkWords::summary(const LinkSummary& summary)
{
    if (summary.noNetwork)
        return tr("No network: the links could not be checked");
    QStringList pieces;
    const auto piece = [&pieces](int count, const char* text) {
        if (count > 0)
            pieces.append(tr(text).arg(count));
    };
    piece(summary.fine, QT_TRANSLATE_NOOP("LinkWords", "%1 fine"));
    piece(summary.moved, QT_TRANSLATE_NOOP("LinkWords", "%1 moved"));
    piece(summary.broken, QT_TRANSLATE_NOOP("LinkWords", "%1 broken"));
    piece(summary.unreachable, QT_TRANSLATE_NOOP("LinkWords", "%1 unreachable"));
    piece(summary.notChecked, QT_TRANSLATE_NOOP("LinkWords", "%1 not checked"));
    return pieces.isEmpty() ? tr("No links") : pieces.join(tr(", "));
}

} // namespace orvanta
