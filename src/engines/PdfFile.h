// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Conversion.h"
#include "sheet/Expected.h"

#include <QString>
#include <optional>

namespace orvanta {

// Makes an empty temporary file beside `pdfPath` for an engine to write, with the permissions any new file gets, and
// returns its path. When the folder takes no file, the verdict says so: FailedToStart, NoTemporaryFile,
// with the folder and the system's reason.
Expected<QString, ConversionResult> MakeTemporaryPdf(const QString& pdfPath);

// Judges what an engine wrote into `tempPath` and, when it is a complete PDF, moves it onto `pdfPath` in one step.
// `result` comes back as NoPdf, NotStored or as it was; `tempPath` is emptied when the file became the PDF.
ConversionResult StorePdf(QString& tempPath, const QString& pdfPath, ConversionResult result);

// Copies a complete PDF onto `pdfPath` the same way: only a whole copy replaces the file of that name.
ConversionResult CopyPdf(const QString& fromPath, const QString& pdfPath);

} // namespace orvanta
