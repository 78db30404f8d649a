#pragma once

#include <QList>
#include <QString>

namespace orvanta {

// One link of the cheat sheet. It travels as this pair, so a link text or URL that holds the display
// separator reaches the page exactly as entered.
struct ResourceEntry {
    QString linkText;
    QString linkUrl;

    // What the list shows: link text, "---", link URL.
    QString displayText() const;

    friend bool operator==(const ResourceEntry&, const ResourceEntry&) = default;
};

inline const QString EntrySeparator = QStringLiteral("---");

using ResourceEntries = QList<ResourceEntry>;

} // namespace orvanta
