#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Which engine install-deps.sh picks, on a distribution with and without each engine, through stand-ins for apt-cache
# and dpkg-query on PATH: nothing is installed and nothing is asked of the package servers.
set -euo pipefail
script="$1/scripts/install-deps.sh"
fake="$(mktemp -d)"
trap 'rm -rf "$fake"' EXIT
fail() { echo "$*" >&2; exit 1; }

# apt-cache policy PACKAGE: a candidate unless the package is in $UNAVAILABLE. dpkg-query: nothing is installed.
cat > "$fake/apt-cache" <<'FAKE'
#!/bin/sh
case " $UNAVAILABLE " in *" $2 "*) printf '%s:\n  Installed: (none)\n  Candidate: (none)\n' "$2";;
  *) printf '%s:\n  Installed: (none)\n  Candidate: 1.0\n' "$2";; esac
FAKE
printf '#!/bin/sh\nexit 1\n' > "$fake/dpkg-query"
chmod +x "$fake/apt-cache" "$fake/dpkg-query"

wants() { PATH="$fake:$PATH" UNAVAILABLE="$1" bash "$script" "$2" --list | grep -E '^(wkhtmltopdf|chromium|fonts-symbola|fonts-noto-color-emoji)$' | sort | tr '\n' ' '; }
[ "$(wants "" run)" = "chromium fonts-noto-color-emoji " ] || fail "run on Debian 12: $(wants "" run)"
[ "$(wants chromium run)" = "fonts-symbola wkhtmltopdf " ] || fail "run without Chromium: $(wants chromium run)"
[ "$(wants wkhtmltopdf run)" = "chromium fonts-noto-color-emoji " ] || fail "run without wkhtmltopdf: $(wants wkhtmltopdf run)"
[ "$(wants "" test)" = "chromium fonts-noto-color-emoji fonts-symbola wkhtmltopdf " ] || fail "test on Debian 12: $(wants "" test)"
[ "$(wants wkhtmltopdf test)" = "chromium fonts-noto-color-emoji " ] || fail "test without wkhtmltopdf: $(wants wkhtmltopdf test)"
