// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Language.h"
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

    // Design (core/Design.h): the look's folder name, "#RRGGBB", a data: URI or nothing, "A4" or "Letter".
    QString look = QStringLiteral("classic");
    QString accent = QStringLiteral("#d7261e");
    QString logo;
    QString pageSize = QStringLiteral("A4");
    QString logoText;                    // the logo's description for screen readers; empty: the footer's text
    QString language = SystemLanguage(); // a BCP 47 tag (sheet/Language.h)
    // The pages the sheet is set smaller to fit on, from 1 to MostFitPages; 0 for as many as it takes.
    int fitPages = 0;

    friend bool operator==(const Sheet&, const Sheet&) = default;
};

inline constexpr int MostFitPages = 2;

// The sheet's fields besides its resources, each with its key in sheet files. A new field is a member above and
// a row here; files and the model follow.
template <typename T> struct SheetField {
    const char* key;
    T Sheet::*member;
};
using TextField = QString Sheet::*;
using FlagField = bool Sheet::*;

inline constexpr SheetField<QString> SheetTexts[] = {
    {"headline", &Sheet::headline},
    {"subheadline", &Sheet::subheadline},
    {"footer", &Sheet::footer},
    {"note", &Sheet::note},
    {"fileName", &Sheet::fileName},
    {"campaignSource", &Sheet::campaignSource},
    {"campaignMedium", &Sheet::campaignMedium},
    {"campaignName", &Sheet::campaignName},
    {"look", &Sheet::look},
    {"accent", &Sheet::accent},
    {"logo", &Sheet::logo},
    {"pageSize", &Sheet::pageSize},
    {"logoText", &Sheet::logoText},
    {"language", &Sheet::language},
};
inline constexpr SheetField<bool> SheetFlags[] = {
    {"disclaimer", &Sheet::disclaimer},
    {"noteBelowEachResource", &Sheet::noteBelowEachResource},
    {"qrCodes", &Sheet::qrCodes},
};

} // namespace orvanta
