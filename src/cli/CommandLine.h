#pragma once

namespace orvanta {

// True when the arguments ask for the command line (`build`, `--help`, `--version`) rather than the window.
bool IsCommandLine(int argc, char* argv[]);

// Runs `orvanta build SHEET... [-o OUT.pdf | --output-dir DIR] [--jobs N]` with no display: 0 when every sheet
// was built, 1 when any failed, 2 for a usage error.
int RunCommandLine(int argc, char* argv[]);

} // namespace orvanta
