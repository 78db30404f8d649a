// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvanta {

// Installs the translations for the user's language (QLocale(), from LANG and LANGUAGE) into the running
// application: Orvanta's own, built into the program, and Qt's, for standard buttons and dialogs. A language without
// translations keeps the English texts. Called once, before any window or output.
void InstallTranslations();

} // namespace orvanta
