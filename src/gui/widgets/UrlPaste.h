// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLineEdit;

namespace orvanta {

// While `edit` holds only `start` (such as "http://"), an address put into it (by any paste: keys, context menu or a
// drop) that brings its own scheme, http:, https: or mailto:, replaces it rather than joining it. Typing is left as
// it is: one typed character never makes a scheme.
void ReplaceStartOnPaste(QLineEdit& edit, const QString& start);

} // namespace orvanta
