// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "page/Installation.h"
#include "page/PageFiller.h"
#include "sheet/Expected.h"
#include "sheet/FileProblem.h"

#include <QString>

namespace orvanta {

struct OutputPaths {
    QString pagePath; // the filled page, in the user's bin
    QString pdfPath;  // the PDF, in the user's bin/output
};

// Why `name` cannot name the output files. Refused: a '/' or NUL (nothing may be written outside bin), "." and "..",
// and names too long for the file system.
enum class FileNameFault { None, Separator, Reserved, TooLong };
FileNameFault FileNameProblem(const QString& name);

// Spaces become hyphens; nothing else in the name changes.
QString HyphenatedName(const QString& name);

// The page and PDF paths for an accepted, hyphenated name; `pdfPath`, when given, names the PDF instead. The page
// never replaces the page template: the name "template", or any name the file system takes for the template
// file, gets an "e" in front.
OutputPaths FormOutputPaths(const Installation& installation, const QString& name, const QString& pdfPath = {});

// Reads the page template, the snippet template and the optional heading snippet of a look's folder (relative, as
// LookFolder() gives it), and the disclaimer, afresh, each the user's copy where there is one. The disclaimer is only
// required when the page will carry it.
Expected<PageTemplates, FileProblem> LoadTemplates(const Installation& installation, const QString& lookFolder,
                                                   bool disclaimerNeeded);

} // namespace orvanta
