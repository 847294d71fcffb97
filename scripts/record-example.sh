#!/usr/bin/env bash
# Records the example video that the dashcam window's link "Пример работы с программой" opens:
# the program runs in a virtual display with a light window manager, is driven through two
# dashcam calculations like a user would (scripts/record-example.py) and filmed with ffmpeg.
# Usage: scripts/record-example.sh [out.avi] [build-dir] [display]
#   defaults: docs/avto.avi, build/, :95
# Installs what it needs when missing (as root), builds the program, and writes an AVI with
# MPEG-4 video (XVID tag) at 12 frames per second, about 35 s and 2 MB.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/docs/avto.avi}")
build=$(realpath -m "${2:-$root/build}")
display=${3:-:95}

"$root/scripts/install-deps.sh" ffmpeg xvfb icewm xdotool python3-pyatspi at-spi2-core dbus

[[ -f $build/CMakeCache.txt ]] ||
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target kvarnet >/dev/null

if [[ -e /tmp/.X${display#:}-lock ]]; then
  echo "display $display is in use; name a free one as the third argument" >&2
  exit 1
fi
mkdir -p "$(dirname "$out")"
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1
# No task bar, so nothing but the program's windows changes on screen.
mkdir -p "$work/icewm"
echo 'ShowTaskBar=0' >"$work/icewm/preferences"
DISPLAY=$display ICEWM_PRIVCFG=$work/icewm icewm >/dev/null 2>&1 &
pids+=($!)
sleep 1

# The program's accessibility tree shows where each control is; the Russian locale gives the
# program the environment it is written for.
DISPLAY=$display LANG=ru_RU.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  PROGRAM="$build/windows/kvarnet" DRIVER="$root/scripts/record-example.py" OUT="$work/avto.avi" \
  dbus-run-session -- bash -c '
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    sleep 1
    "$PROGRAM" >/dev/null 2>&1 & program=$!
    status=0
    /usr/bin/python3 "$DRIVER" "$OUT" || status=$?
    kill $program 2>/dev/null || true
    exit $status'

mv "$work/avto.avi" "$out"
echo "example video in $out"
