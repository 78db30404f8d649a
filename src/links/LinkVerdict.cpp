// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkVerdict.h"

namespace orvanta {

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

} // namespace orvanta
