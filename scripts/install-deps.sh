#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and only those that are missing.
# Run as root (CI is root); otherwise it uses sudo when available.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-pdf-dev libgl-dev
  libbenchmark-dev clang-format
  wkhtmltopdf poppler-utils
  libqrencode-dev zbar-tools openssl
  libjs-jquery libjs-bootstrap
  fonts-dejavu-core
  xvfb xauth desktop-file-utils shared-mime-info
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Please run as root to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
