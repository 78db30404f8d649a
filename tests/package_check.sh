#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package that `make package` made, as dpkg sees it, in one of three parts:
#   package_check.sh SOURCE PACKAGE_BUILD contents   every file in place and the Depends line
#   package_check.sh SOURCE PACKAGE_BUILD metadata   the launcher, the metainfo and the sheet type validate
#   package_check.sh SOURCE PACKAGE_BUILD version    the program, the package and the metainfo name one version
set -euo pipefail
source="$1"
part="$3"
fail() { echo "$*" >&2; exit 1; }
shopt -s nullglob
debs=("$2"/orvanta_*.deb)
[ ${#debs[@]} -gt 0 ] || fail "No package in $2: run make package first (make test does)."
[ ${#debs[@]} -eq 1 ] || fail "More than one package in $2: ${debs[*]}"
deb="${debs[0]}"
unpacked="$(mktemp -d)"
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
app_id="$(sed -n 's/^set(ORVANTA_APP_ID \(.*\))$/\1/p' "$source/CMakeLists.txt")"
[ -n "$app_id" ] || fail "no ORVANTA_APP_ID in CMakeLists.txt"
field() { dpkg-deb --field "$deb" "$1"; }

case "$part" in
contents)
  raw="$(dpkg-deb --contents "$deb")"
  listing="$(awk '{ print $6 }' <<<"$raw")"
  has() { grep -qxF -- "$1" <<<"$listing" || fail "the package lacks $1"; }
  grep -qE '^-rwxr-xr-x root/root .* \./usr/bin/orvanta$' <<<"$raw" || fail "no program /usr/bin/orvanta"
  # Every file of the installation folder, each look's included.
  while IFS= read -r rel; do
    has "./usr/share/orvanta/$rel"
  done < <(cd "$source/install" && find . -type f ! -path './bin/output/*' | sed 's|^\./||')
  # The page's scripts lead to Debian's copies.
  for script in js/jquery.min.js:jquery/jquery.min.js bootstrap/js/bootstrap.min.js:bootstrap/js/bootstrap.min.js; do
    link="$unpacked/usr/share/orvanta/bin/assets/${script%%:*}"
    [ -L "$link" ] || fail "the package lacks the link bin/assets/${script%%:*}"
    [ "$(realpath -m "$(dirname "$link")/$(readlink "$link")")" = "$unpacked/usr/share/javascript/${script#*:}" ] ||
      fail "bin/assets/${script%%:*} leads to $(readlink "$link"), not to Debian's ${script#*:}"
  done
  # The icon at every size the exporter draws.
  sizes="$(grep -o 'for (const int size : {[0-9, ]*})' "$source/tools/iconexport.cpp" | grep -o '[0-9][0-9]*')"
  [ -n "$sizes" ] || fail "no icon sizes found in tools/iconexport.cpp"
  for size in $sizes; do has "./usr/share/icons/hicolor/${size}x${size}/apps/orvanta.png"; done
  for file in applications/$app_id.desktop mime/packages/orvanta.xml metainfo/$app_id.metainfo.xml \
    man/man1/orvanta.1.gz doc/orvanta/copyright doc/orvanta/changelog.Debian.gz; do
    has "./usr/share/$file"
  done
  # dpkg's triggers own the desktop's caches; a package that shipped one would clash with every other package's.
  stray="$(grep -E '^\./usr/share/(mime/[^p]|applications/.*cache)|^\./(opt|home|etc)/' <<<"$listing" || true)"
  [ -z "$stray" ] || fail "the package ships files it must not: $stray"
  zcat "$unpacked/usr/share/man/man1/orvanta.1.gz" >"$unpacked/orvanta.1"
  for text in '^\.SH FILES' '^\.SH ENVIRONMENT' 'orvanta build' 'orvanta check' 'local/share/orvanta' 'output-dir'; do
    grep -q -- "$text" "$unpacked/orvanta.1" || fail "the man page lacks $text"
  done
  depends="$(field Depends)"
  for library in 'libqrencode[0-9]' 'libqpdf[0-9]' 'libqt6core6' 'libqt6widgets6' 'libqt6pdf6' 'libfontconfig1' \
    'libjs-jquery' 'libjs-bootstrap'; do
    grep -qE "(^|, )$library" <<<"$depends" || fail "Depends lacks $library: $depends"
  done
  recommends="$(field Recommends)"
  for wanted in 'chromium | wkhtmltopdf' chromium-sandbox fonts-dejavu-core fonts-noto-core; do
    grep -qF "$wanted" <<<"$recommends" || fail "Recommends lacks $wanted: $recommends"
  done
  ;;
metadata)
  desktop="$unpacked/usr/share/applications/$app_id.desktop"
  metainfo="$unpacked/usr/share/metainfo/$app_id.metainfo.xml"
  desktop-file-validate "$desktop" || fail "the launcher does not validate"
  grep -qx 'Exec=orvanta %f' "$desktop" || fail "the launcher does not start orvanta from PATH"
  grep -q "QStringLiteral(\"$app_id\")" "$source/src/main.cpp" || fail "the window's desktop file name is not $app_id"
  appstreamcli validate --no-net "$metainfo" || fail "the metainfo does not validate"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" || fail "the metainfo names another launcher"
  for element in '<content_rating type="oars-' '<image>https://' '<release version="[^"]*" date="' '<description>'; do
    grep -q "$element" "$metainfo" || fail "the metainfo lacks $element"
  done
  type="$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$unpacked/usr/share/mime/packages/orvanta.xml")"
  grep -q '<glob pattern="\*\.orvanta"/>' "$unpacked/usr/share/mime/packages/orvanta.xml" || fail "no *.orvanta type"
  grep -qx "MimeType=$type;" "$desktop" || fail "the launcher does not open $type"
  ;;
version)
  version="$(sed -n 's/^project(Orvanta VERSION \([0-9.]*\) .*/\1/p' "$source/CMakeLists.txt")"
  [ -n "$version" ] || fail "no version in CMakeLists.txt"
  package="$(field Version)"
  [ "${package%-*}" = "$version" ] || fail "the package is version $package, the project $version"
  program="$(env -u DISPLAY -u WAYLAND_DISPLAY "$unpacked/usr/bin/orvanta" --version)"
  [ "$program" = "orvanta $version" ] || fail "orvanta --version says $program, the project is $version"
  released="$(sed -n 's/.*<release version="\([^"]*\)" date="[0-9-]*".*/\1/p' "$unpacked/usr/share/metainfo/$app_id.metainfo.xml" | head -1)"
  [ "$released" = "$version" ] || fail "the metainfo's latest release is ${released:-none}, the project $version"
  changelog="$(zcat "$unpacked/usr/share/doc/orvanta/changelog.Debian.gz" | head -1)"
  [[ "$changelog" == "orvanta ($package) "* ]] || fail "the changelog's latest entry is not $package: $changelog"
  ;;
*) fail "package_check.sh: unknown part $part" ;;
esac
