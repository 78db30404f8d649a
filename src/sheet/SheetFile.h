// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Sheet.h"
#include "TextFile.h"

#include <QJsonObject>

namespace orvanta {

// A sheet file, NAME.orvanta: UTF-8 JSON, pretty-printed so it diffs well. Every text is kept exactly. A key
// that is missing takes the value of a fresh sheet; unknown keys are ignored.
inline const QString SheetSuffix = QStringLiteral("orvanta");
// The "format" every sheet file names.
inline const QString SheetFormat = QStringLiteral("orvanta-sheet");
// The newest format this app reads. Format 2 brought section headings, format 3 descriptions and the fit on fewer
// pages; a sheet is written in the oldest format that holds what it has, so that older versions still open it.
constexpr int SheetFormatVersion = 3;
constexpr qint64 MaxSheetFileBytes = qint64{32} * 1024 * 1024;

QJsonObject SheetToJson(const Sheet& sheet);

// The sheet in `json`, or what is wrong with it: a wrong type (naming the key), a missing or other format, a version
// newer than this app reads, or a design value it does not take.
Expected<Sheet, SheetProblem> SheetFromJson(const QJsonObject& json);

// Reads a whole sheet file. The window reads regular files only; the command line also takes a pipe (see
// ReadFileBytes).
Expected<Sheet, FileProblem> LoadSheet(const QString& path, FileKinds kinds = FileKinds::RegularOnly);

// Writes the file atomically: a failed save leaves the earlier file whole.
std::optional<FileProblem> SaveSheet(const QString& path, const Sheet& sheet);

// Parses a JSON object from a file of at most MaxSheetFileBytes; for the sheet file and the recovery file.
Expected<QJsonObject, FileProblem> LoadJsonObject(const QString& path, FileKinds kinds = FileKinds::RegularOnly);
std::optional<FileProblem> SaveJsonObject(const QString& path, const QJsonObject& json);

} // namespace orvanta
