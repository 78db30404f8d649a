// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace orvanta {

struct Sheet;

// True for the links a browser fetches from the web (http and https, in any case), the ones tracking tags and
// the link check apply to.
bool IsWebLink(const QString& url);

// True for the addresses that may become links in the PDF: http, https, mailto and tel, in any case, and addresses
// without a scheme. Any other scheme (javascript:, file:, data:, smb:, ...), however it is spelled in HTML, prints
// as text.
bool IsLinkable(const QString& url);

// The link as the PDF carries it: a web link gets the sheet's campaign as utm_source, utm_medium and utm_campaign
// (those that are set), after its own query and before its fragment. A tag the link already has is left as it
// is, and the rest of the link stays exactly as typed. Other links, and every link of a sheet without a
// campaign, come back unchanged.
QString TaggedUrl(const QString& url, const Sheet& sheet);

} // namespace orvanta
