// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;

namespace orvanta {

// `orvanta check SHEET... [--jobs N] [--timeout SECONDS]`: checks the web links of every sheet, each distinct
// link once, and prints "SHEET: URL: what happened" for each that is not fine, then a summary line. 0 when every
// link is fine or not a web link, 1 when any moved, is broken or unreachable (or there was no network, or a
// sheet could not be read), 2 for a usage error. Needs a QCoreApplication.
int RunCheck(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace orvanta
