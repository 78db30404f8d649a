#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing need, and only those that are missing.
# Run as root (CI is root); otherwise it uses sudo when available.
#
#   install-deps.sh [run|test] [--list]
#
# "run" (the default) installs one PDF engine: Chromium, or wkhtmltopdf where the distribution has no Chromium.
# "test" installs both, where the distribution has them, so both engines get tested.
# Each engine comes with the fonts it prints with: Noto for most scripts and CJK, plus the emoji font it can draw
# (Chromium draws Noto's colour emoji; wkhtmltopdf draws that font blank, so it gets Symbola's black-and-white ones).
# --list prints the packages wanted, one a line, and installs nothing.
set -euo pipefail
purpose=run
list=false
for arg in "$@"; do
  case "$arg" in
    run | test) purpose="$arg" ;;
    --list) list=true ;;
    *) echo "install-deps.sh: unknown argument $arg" >&2; exit 2 ;;
  esac
done

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-pdf-dev libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libbenchmark-dev clang-format
  poppler-utils
  libqrencode-dev libfontconfig-dev libqpdf-dev qpdf zbar-tools openssl strace
  libjs-jquery libjs-bootstrap
  fonts-dejavu-core fonts-noto-core fonts-noto-cjk
  xvfb xauth desktop-file-utils shared-mime-info
  dpkg-dev file help2man
)
# The package's tests validate its metainfo.
if [ "$purpose" = test ]; then packages+=(appstream); fi

# A package the distribution can install: apt-cache shows a candidate version for it. The package lists may not
# have been read yet on a fresh system, so no candidate is only believed after an update.
updated=false
has_candidate() {
  apt-cache policy "$1" 2>/dev/null | grep '^ *Candidate: [^(]' >/dev/null
}
available() {
  has_candidate "$1" && return 0
  if [ "$updated" = false ] && [ "$list" = false ]; then
    update_lists
    has_candidate "$1"
  else
    return 1
  fi
}

sudo=""
if [ "$(id -u)" -ne 0 ] && [ "$list" = false ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
update_lists() {
  if [ -n "$sudo" ] && ! command -v sudo >/dev/null; then return 0; fi
  $sudo apt-get update -qq
  updated=true
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep 'install ok installed' >/dev/null; }

# Each engine is wanted only where the distribution has it. An engine already installed is kept as it is.
engines=()
if [ "$purpose" = test ]; then
  for engine in wkhtmltopdf chromium; do
    if installed "$engine" || available "$engine"; then engines+=("$engine"); fi
  done
else
  # Chromium, wherever the distribution has it; an installed wkhtmltopdf keeps its fonts.
  if installed chromium || available chromium; then engines+=(chromium); else engines+=(wkhtmltopdf); fi
  if installed wkhtmltopdf && [ "${engines[0]}" != wkhtmltopdf ]; then engines+=(wkhtmltopdf); fi
fi
for engine in "${engines[@]}"; do
  case "$engine" in
    wkhtmltopdf) packages+=(wkhtmltopdf fonts-symbola) ;;
    chromium) packages+=(chromium fonts-noto-color-emoji) ;;
  esac
done

if [ "$list" = true ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [ -n "$sudo" ]; then
  command -v sudo >/dev/null || { echo "Please run as root to install: ${missing[*]}" >&2; exit 1; }
fi
[ "$updated" = true ] || update_lists
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
