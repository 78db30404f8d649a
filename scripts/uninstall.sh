#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Removes what `make install` put in place, as it recorded in the build tree. The templates, the disclaimer,
# and the pages and PDFs that the app made in its folder are the user's and stay.
set -euo pipefail
build="$1"
manifest="$build/installed-files.txt"
prefix="$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")"
app_folder="$prefix/$(sed -n 's/^ORVANTA_INSTALL_SUBDIR:STRING=//p' "$build/CMakeCache.txt")"
[ -f "$manifest" ] || { echo "Nothing to uninstall: $manifest is missing (run make install first)."; exit 0; }

folders=()
while IFS= read -r file || [ -n "$file" ]; do
  [ -n "$file" ] || continue
  rm -f -- "$file"
  folders+=("$(dirname -- "$file")")
done < "$manifest"

# Remove the folders that are now empty, deepest first: the app's own folder and the icon-size folders,
# never the shared folders of the prefix.
removable() {
  case "$1" in
    "$app_folder" | "$app_folder"/* | "$prefix"/share/icons/hicolor/*) return 0 ;;
    *) return 1 ;;
  esac
}
printf '%s\n' "${folders[@]}" | sort -u | awk '{ print length, $0 }' | sort -rn | cut -d' ' -f2- |
  while IFS= read -r folder; do
    while removable "$folder" && [ -d "$folder" ] && rmdir -- "$folder" 2>/dev/null; do
      folder="$(dirname -- "$folder")"
    done
  done
rm -f -- "$manifest"
command -v update-desktop-database >/dev/null && update-desktop-database -q "$prefix/share/applications" 2>/dev/null || true
command -v update-mime-database >/dev/null && update-mime-database "$prefix/share/mime" 2>/dev/null || true
echo "Uninstalled."
[ -d "$app_folder" ] && echo "Kept $app_folder: your templates, disclaimer, pages and PDFs."
exit 0
