// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvanta {

// Turns SIGTERM, SIGINT and SIGHUP into a quit of the running event loop, so that conversions are stopped and their
// temporary files removed as on any other way out. Call once, after the application object is made. The signal
// that came, or 0 while none has.
void QuitOnTerminationSignals();
int TerminationSignal();

} // namespace orvanta
