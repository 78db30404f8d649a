// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet/Design.h"
#include "sheet/FileProblem.h"

#include <QCoreApplication>
#include <QString>

namespace orvanta {

struct CoverProblem;

// The words for what went wrong with a file: reading, saving, a sheet's contents, a logo, a cover picture.
class FileWords {
    Q_DECLARE_TR_FUNCTIONS(FileWords)

public:
    // "Could not open PATH: REASON.", one whole sentence naming the action, the file and the reason.
    static QString problem(const FileProblem& problem);
    // What is wrong in a sheet, naming the key: "\"accent\" must be a colour written #RRGGBB".
    static QString sheetProblem(const SheetProblem& problem);
    // Why an image cannot be the logo, as a whole sentence.
    static QString logoProblem(LogoProblem problem);
    static QString coverProblem(const CoverProblem& problem);
};

} // namespace orvanta
