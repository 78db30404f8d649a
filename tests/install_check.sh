#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the launcher, and makes a PDF with the installed app.
set -euo pipefail
build="$1"
checker="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null
desktop="$prefix/share/applications/orvanta.desktop"
desktop-file-validate "$desktop"
grep -qx "Exec=\"$prefix/opt/orvanta/orvanta\" %f" "$desktop" || { echo "the launcher does not name the installed app"; exit 1; }
# The sheet type is registered: the database built from our XML maps *.orvanta to it.
grep -q "application/x-orvanta-sheet:\*.orvanta" "$prefix/share/mime/globs" || { echo "no sheet type"; exit 1; }
[ -s "$prefix/share/icons/hicolor/256x256/apps/orvanta.png" ] || { echo "no icon"; exit 1; }

ORVANTA_INSTALLED_FOLDER="$prefix/opt/orvanta" "$checker"
