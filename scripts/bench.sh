#!/usr/bin/env bash
# Builds and runs the timing benchmark of the animations, printing its figures.
# Usage: scripts/bench.sh [--display] [build-dir]
#   headless (QT_QPA_PLATFORM=offscreen) unless --display is given, which runs the windows
#   on the X display named by DISPLAY instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
on_display=0
build=
for arg in "$@"; do
  case $arg in
    --display) on_display=1 ;;
    -h | --help)
      sed -n '2,6s/^# \{0,1\}//p' "$0"
      exit 0
      ;;
    *) build=$arg ;;
  esac
done
build=${build:-$root/build}

[[ -f $build/CMakeCache.txt ]] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target animation-timing -j2 >/dev/null

if ((on_display)); then
  if [[ -z ${DISPLAY:-} ]]; then
    echo "bench.sh: --display needs DISPLAY to name an X display" >&2
    exit 2
  fi
  export QT_QPA_PLATFORM=xcb
else
  export QT_QPA_PLATFORM=offscreen
fi
exec "$build/bench/animation-timing"
