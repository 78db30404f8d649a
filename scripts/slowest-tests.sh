#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the five slowest tests of a build tree's last CTest run, with their times and limits, so that a test
# creeping towards its limit is seen before it fails.
set -euo pipefail
tree="$1"
log="$tree/Testing/Temporary/LastTest.log"
[ -f "$log" ] || exit 0
echo "Slowest tests in $tree:"
awk '/^[0-9]+\/[0-9]+ Testing: / { name = $3 }
     /Test time = / { sub(/.*Test time = */, ""); printf "%8.1f s  %s\n", $1, name }' "$log" | sort -rn | head -n 5
