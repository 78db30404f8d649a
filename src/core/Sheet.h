#pragma once

#include "ResourceEntry.h"

#include <QString>

namespace orvanta {

// Everything the user types for one cheat sheet. A default-constructed sheet holds what a fresh window
// starts with.
struct Sheet {
    QString headline;
    QString subheadline;
    QString footer = QStringLiteral("OurWebsite.com");
    bool disclaimer = false; // the text itself is the installation's resources/tos.txt
    bool noteBelowEachResource = false;
    QString note = QStringLiteral("CTRL + Click: Opens the Link in a New Tab.");
    ResourceEntries resources;
    QString fileName; // as typed: the PDF's name without ".pdf"

    // Click tracking: when set, every web link in the PDF gets utm_source, utm_medium, utm_campaign.
    QString campaignSource;
    QString campaignMedium; // utm_medium
    QString campaignName;   // utm_campaign
    bool qrCodes = false;   // a QR code of its link beside each button in the PDF

    friend bool operator==(const Sheet&, const Sheet&) = default;
};

} // namespace orvanta
