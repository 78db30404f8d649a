#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix, checks the launcher and the sheet type, and has the installed app
# start its window and build a PDF from its own folder's templates.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
fail() { echo "$*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > /dev/null
app="$prefix/opt/orvanta"
desktop="$prefix/share/applications/example.orvanta.Orvanta.desktop"
desktop-file-validate "$desktop"
grep -qx "Exec=\"$app/orvanta\" %f" "$desktop" || fail "the launcher does not name the installed app"
grep -q "application/x-orvanta-sheet:\*.orvanta" "$prefix/share/mime/globs" || fail "no sheet type"
[ -s "$prefix/share/icons/hicolor/256x256/apps/orvanta.png" ] || fail "no icon"

# The window starts from its own folder and makes the output folder there.
QT_QPA_PLATFORM=offscreen XDG_STATE_HOME="$prefix/state" "$app/orvanta" & pid=$!
for _ in $(seq 100); do [ -d "$app/bin/output" ] && break; sleep 0.1; done
kill "$pid"; wait "$pid" 2>/dev/null || true
[ -d "$app/bin/output" ] || fail "the installed window did not start"

cat > "$prefix/installed.orvanta" <<'SHEET'
{"format": "orvanta-sheet", "version": 1, "headline": "Installed Sheet", "fileName": "installed",
 "resources": [{"text": "Installed Link", "url": "https://example.com/installed"}]}
SHEET
env -u DISPLAY -u QT_QPA_PLATFORM "$app/orvanta" build "$prefix/installed.orvanta" | grep -qx "built $app/bin/output/installed.pdf"
pdftotext "$app/bin/output/installed.pdf" - | grep -q "Installed Sheet" || fail "the PDF lacks its headline"
grep -qa "/URI (https://example.com/installed)" "$app/bin/output/installed.pdf" || fail "the PDF lacks its link"

# Every shipped look is installed whole, and prints.
sed -i 's/"version": 1,/"version": 1, "look": "checklist",/' "$prefix/installed.orvanta"
env -u DISPLAY -u QT_QPA_PLATFORM "$app/orvanta" build "$prefix/installed.orvanta" | grep -qx "built $app/bin/output/installed.pdf" ||
  fail "the installed checklist look does not build"
grep -q 'class="box"' "$app/bin/installed.html" || fail "the installed app printed another look than Checklist"
