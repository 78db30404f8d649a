// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>
#include <QString>
#include <chrono>

namespace orvanta {

// Redirects followed before a link counts as unreachable.
constexpr int MaxLinkRedirects = 10;

// What asking one link's server found. The checker reports it as data; LinkWords puts it into words.
struct LinkVerdict {
    enum class Kind {
        Fine,        // answered 2xx at the address as typed
        Moved,       // answered 2xx after redirects: finalUrl is where the link now leads
        Broken,      // answered 4xx or 5xx (status), possibly after redirects
        Unreachable, // no answer: see cause and reason
        NotChecked,  // not a web link (mailto:, a file, text), or the run found no network at all
    };
    // Why a link was unreachable. HostNotFound and NoRoute are what every link gives without a network.
    // NotWebRedirect: a redirect to an address that is not http or https (finalUrl and reason), never followed.
    enum class Cause {
        None,
        Refused,
        Timeout,
        HostNotFound,
        NoRoute,
        Tls,
        TooManyRedirects,
        NotWebRedirect,
        NoNetwork,
        Other
    };

    Kind kind = Kind::NotChecked;
    int status = 0;   // the last HTTP status (for Moved, the first redirect's), 0 when none came
    QString finalUrl; // the address that gave the last answer (after redirects)
    Cause cause = Cause::None;
    QString reason; // details of an unreachable link: the certificate's problems, Qt's words for a rarer error
    std::chrono::milliseconds waited{}; // Timeout: how long the checker waited

    friend bool operator==(const LinkVerdict&, const LinkVerdict&) = default;
};

// The counts of one run. noNetwork: nothing answered and every failure looked like a missing network, so the
// links were not judged at all.
struct LinkSummary {
    int fine = 0;
    int moved = 0;
    int broken = 0;
    int unreachable = 0;
    int notChecked = 0;
    bool noNetwork = false;

    void add(LinkVerdict::Kind kind);
    bool allFine() const { return moved == 0 && broken == 0 && unreachable == 0 && !noNetwork; }
    friend bool operator==(const LinkSummary&, const LinkSummary&) = default;
};

} // namespace orvanta

Q_DECLARE_METATYPE(orvanta::LinkVerdict)
Q_DECLARE_METATYPE(orvanta::LinkSummary)
