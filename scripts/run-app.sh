#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the app from the build tree, or explains how when no display is available.
set -euo pipefail
app="$1"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display is available here, so the window cannot be shown."
  echo "To try the app anyway on a virtual display:  xvfb-run make run"
  exit 1
fi
exec "$app"
