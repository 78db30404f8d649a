// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceEntry.h"

namespace orvanta {

QString ResourceEntry::displayText() const
{
    return heading ? HeadingMarker + linkText : linkText + EntrySeparator + linkUrl;
}

} // namespace orvanta
