// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

namespace orvanta {

// The context of everything "orvanta build" and "orvanta check" print of their own: their usage, their refusals and
// their progress. What they say about a problem the core reports comes from FileWords, BuildWords and LinkWords.
class CommandLineWords {
    Q_DECLARE_TR_FUNCTIONS(CommandLineWords)
};

} // namespace orvanta
