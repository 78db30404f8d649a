// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace orvanta {

// True when the arguments ask for the command line (`build`, `check`, `--help`, `--version`) rather than the
// window.
bool IsCommandLine(int argc, char* argv[]);

// False when the window has nowhere to go: no X or Wayland display, and no display-free Qt platform chosen.
bool CanShowWindow(int argc, char* argv[]);

// Says that there is no display and what works without one, instead of Qt's abort; returns the exit status, 2.
int RefuseWithoutDisplay(int argc, char* argv[]);

// Runs `orvanta build SHEET... [-o OUT.pdf | --output-dir DIR] [--jobs N]` with no display: 0 when every sheet
// was built, 1 when any failed, 2 for a usage error. `orvanta check` goes on to RunCheck (CheckLinks.h).
int RunCommandLine(int argc, char* argv[]);

} // namespace orvanta
