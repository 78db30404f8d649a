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

    friend bool operator==(const Sheet&, const Sheet&) = default;
};

// The sheet's fields besides its resources, each with its key in sheet files. A new field is a member above and
// a row here; files and the model follow.
template <typename T> struct SheetField {
    const char* key;
    T Sheet::*member;
};
using TextField = QString Sheet::*;
using FlagField = bool Sheet::*;

inline constexpr SheetField<QString> SheetTexts[] = {
    {"headline", &Sheet::headline}, {"subheadline", &Sheet::subheadline}, {"footer", &Sheet::footer},
    {"note", &Sheet::note},         {"fileName", &Sheet::fileName},
};
inline constexpr SheetField<bool> SheetFlags[] = {
    {"disclaimer", &Sheet::disclaimer},
    {"noteBelowEachResource", &Sheet::noteBelowEachResource},
};

} // namespace orvanta
