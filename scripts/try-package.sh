#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Tries the Debian package as a marketer would: installs build/package/orvanta_*.deb with apt, makes a user, and as
# that user asks the version, builds a sheet, checks its links and lists the PDF. Run as root after `make package`.
#
#   scripts/try-package.sh [USER]     (default user: orvanta-try)
#
# The package and the user stay: `apt-get purge -y orvanta && userdel -r orvanta-try` removes them.
# Without a network `orvanta check` reports the link unreachable (exit status 1); anything else it returns fails.
set -euo pipefail
cd "$(dirname "$0")/.."
fail() { echo "try-package.sh: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || fail "run as root"
user="${1:-orvanta-try}"
shopt -s nullglob
debs=(build/package/orvanta_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "want one package in build/package, found ${#debs[@]}: run make package"

DEBIAN_FRONTEND=noninteractive apt-get install -y -q "./${debs[0]}"
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/bash "$user"
home="$(getent passwd "$user" | cut -d: -f6)"
as_user() { runuser -u "$user" -- env -i HOME="$home" PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 "$@"; }

as_user tee "$home/try.orvanta" >/dev/null <<'SHEET'
{"format": "orvanta-sheet", "version": 1, "headline": "Tried From The Package", "fileName": "tried",
 "resources": [{"text": "Example", "url": "https://example.com/"}]}
SHEET

echo "== orvanta --version"
as_user orvanta --version
echo "== orvanta build $home/try.orvanta"
built=0
as_user orvanta build "$home/try.orvanta" || built=$?
echo "== orvanta check $home/try.orvanta"
checked=0
as_user orvanta check --timeout 5 "$home/try.orvanta" || checked=$?
echo "== $home/.local/share/orvanta/bin/output"
ls -l "$home/.local/share/orvanta/bin/output" || true

[ "$built" -eq 0 ] || fail "orvanta build failed with exit status $built"
[ "$checked" -le 1 ] || fail "orvanta check ended with exit status $checked"
[ -s "$home/.local/share/orvanta/bin/output/tried.pdf" ] || fail "no PDF in $home/.local/share/orvanta/bin/output"
echo "try-package.sh: the package works for $user"
