#!/usr/bin/env bash
# Runs the program in a virtual X display with a light window manager, drives it through
# accessibility like a user would, and saves screenshots of what it shows.
# Usage: scripts/screenshots.sh [out-dir] [display]   (needs xvfb icewm imagemagick
# python3-pyatspi at-spi2-core; build first with scripts/setup.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/shots}")
display=${2:-:93}
mkdir -p "$out"

Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display icewm >/dev/null 2>&1 &

DISPLAY=$display QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 OUT=$out PROGRAM="$root/build/windows/kvarnet" \
  dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    sleep 1
    "$PROGRAM" >/dev/null 2>&1 & program=$!
    /usr/bin/python3 "'"$root"'/scripts/screenshots.py" "$OUT"
    kill $program'
echo "screenshots in $out"
