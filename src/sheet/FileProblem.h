// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace orvanta {

// What is wrong in a sheet's contents. FileWords puts it into words.
struct SheetProblem {
    enum class Kind {
        NotText,             // key: a text that is not text
        NotFlag,             // key: a switch that is not true or false
        NotResources,        // key: not a list
        HeadingWithoutTitle, // key: a heading with no title
        ResourceWithoutLink, // key: a resource without its text or address
        BadFitPages,         // key: not a whole number from 0 to MostFitPages
        NotSheet,            // no "format": "orvanta-sheet"
        BadVersion,          // "version" is not a whole number from 1 on
        NewerVersion,        // version: the format, newer than SheetFormatVersion
        BadAccent,           // "accent" is not #RRGGBB
        BadPageSize,         // "pageSize" is neither A4 nor Letter
        BadLanguage,         // "language" is not a language tag
        LogoNotDataUri,      // "logo" is not a PNG, JPEG or SVG data: URI
        LogoTooLarge,        // "logo" is over design::MaxLogoBytes
        LogoDeclarations,    // "logo" is an SVG with a DOCTYPE or ENTITY
        LogoNotItsType,      // "logo" does not hold the image its URI names
    };

    Kind kind = Kind::NotSheet;
    QString key{};
    int version = 0;

    friend bool operator==(const SheetProblem&, const SheetProblem&) = default;
};

// What was being done to a file when it failed.
enum class FileAction { Open, Read, Save, Make, Lock };

// Why a file could not be read, written or made: what was done, to which path, and what stood in the way.
struct FileProblem {
    enum class Kind {
        Missing,       // the file does not exist
        Folder,        // it is a folder
        NotRegular,    // a stream where only regular files are read
        TooLarge,      // limit: the most bytes read
        NoEnd,         // limit: the seconds a stream had to end in
        NoWriter,      // a FIFO that no program writes to
        System,        // reason: the system's own words
        NotUtf8,       // a text file in another encoding
        SheetTooLarge, // size: the file's bytes; limit: the most a sheet may have
        NotJson,       // reason: the parser's words; offset: the byte it stopped at
        NotObject,     // JSON, but not an object
        NotSheet,      // sheet: what is wrong in its contents
        FolderNotMade, // a folder the file goes into
        LockTaken,     // another process holds the lock
    };

    FileAction action = FileAction::Read;
    Kind kind = Kind::System;
    QString path{};
    QString reason{};
    qint64 limit = 0;
    qint64 size = 0;
    qint64 offset = 0;
    SheetProblem sheet{};

    friend bool operator==(const FileProblem&, const FileProblem&) = default;
};

} // namespace orvanta
