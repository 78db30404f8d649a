#include "ResourceEntry.h"

namespace orvanta {

QString ResourceEntry::displayText() const
{
    return linkText + EntrySeparator + linkUrl;
}

} // namespace orvanta
