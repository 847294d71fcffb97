#!/usr/bin/env bash
# Compares the start-up of the main window with a plain Qt program's window of the same size,
# widget mix and background picture (startup-bare, which links Qt alone), printing medians of
# several runs as ratios.
# Usage: scripts/bench-startup.sh [--display | --headless] [--no-build] [--runs N]
#                                 [--instruction-runs N] [build-dir]
#   Both windows run on an X display (xcb): the one DISPLAY names with --display, otherwise a
#   private Xvfb when it is installed; --headless, or no Xvfb, runs them offscreen.
#   --no-build measures the build as it is. --runs: timed runs per window (default 7);
#   --instruction-runs: counted runs per window (default 3, 0 leaves the count out).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
platform=auto
build_first=1
runs=7
counted_runs=3
build=
while (($#)); do
  case $1 in
    --display) platform=display ;;
    --headless) platform=offscreen ;;
    --no-build) build_first=0 ;;
    --runs) runs=$2 && shift ;;
    --instruction-runs) counted_runs=$2 && shift ;;
    -h | --help)
      sed -n '2,10s/^# \{0,1\}//p' "$0"
      exit 0
      ;;
    *) build=$1 ;;
  esac
  shift
done
build=${build:-$root/build}
((runs >= 1)) || { echo "bench-startup.sh: --runs needs at least 1" >&2 && exit 2; }

if ((build_first)); then
  [[ -f $build/CMakeCache.txt ]] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target startup-bench startup-bare -j2 >/dev/null
fi
bench=$build/bench/startup-bench
bare=$build/bench/startup-bare
picture=$root/resources/pictures/marsh.png
for program in "$bench" "$bare"; do
  [[ -x $program ]] || { echo "bench-startup.sh: $program is not built" >&2 && exit 2; }
done

cleanup=()
trap 'for c in "${cleanup[@]}"; do eval "$c"; done' EXIT
if [[ $platform == auto ]]; then
  if command -v Xvfb >/dev/null; then
    # A display of its own: the first free number Xvfb finds, written to a pipe.
    exec {fd}< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null & echo "pid $!")
    for _ in 1 2; do
      read -r -u "$fd" reply
      case $reply in
        pid\ *) cleanup+=("kill ${reply#pid } 2>/dev/null") ;;
        *) number=$reply ;;
      esac
    done
    export DISPLAY=:$number
    platform=display
  else
    platform=offscreen
  fi
fi
if [[ $platform == display ]]; then
  if [[ -z ${DISPLAY:-} ]]; then
    echo "bench-startup.sh: --display needs DISPLAY to name an X display" >&2
    exit 2
  fi
  export QT_QPA_PLATFORM=xcb
  where="on the X display $DISPLAY (xcb)"
else
  export QT_QPA_PLATFORM=offscreen
  where=headless
fi

log=$(mktemp)
cleanup+=("rm -f '$log'")
# The program keeps its background stored uncompressed; the plain window reads it as an ordinary
# PNG, the way Qt writes one.
ordinary=$(mktemp --suffix=.png)
cleanup+=("rm -f '$ordinary'")
"$bench" ordinary-png "$picture" "$ordinary"
picture=$ordinary

# One run of a window in a child process: prints its figures, keeps its messages for a failure.
run() {
  if ! "$bench" run "$@" 2>"$log"; then
    cat "$log" >&2
    exit 1
  fi
}
field() { sed -n "s/^$1 //p"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# The plain window copies the widget mix the main window has at its first paint.
first=$(run ours)
read -r -a mix <<<"$(field mix <<<"$first")"
widgets_ours=$(field widgets <<<"$first")
widgets_bare=$(run "$bare" "$picture" "${mix[@]}" | field widgets)

# The two windows take turns, so that a busy moment of the machine falls on both.
paint_ours=() paint_bare=() rss_ours=() rss_bare=()
for ((i = 0; i < runs; i++)); do
  out=$(run ours)
  paint_ours+=("$(field first-paint-ms <<<"$out")") rss_ours+=("$(field max-rss-kib <<<"$out")")
  out=$(run "$bare" "$picture" "${mix[@]}")
  paint_bare+=("$(field first-paint-ms <<<"$out")") rss_bare+=("$(field max-rss-kib <<<"$out")")
done

# Instructions from exec to the exit after the first paint: from the hardware counter when
# perf can read it here, otherwise counted by valgrind (slower, the same figure).
if perf stat -x, -e instructions:u true 2>&1 >/dev/null | grep -q '^[0-9]'; then
  counter="perf stat"
  count() { perf stat -x, -e instructions:u "$@" 2>&1 >/dev/null | awk -F, '/instructions/ { print $1 }'; }
elif command -v valgrind >/dev/null; then
  counter="valgrind callgrind"
  # Only the program's own process: on a display without a session bus, D-Bus forks a helper
  # from inside it, and valgrind reports that child's copy of the count as well.
  count() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
      awk '/== Command: / && !pid { pid = $1 } $1 == pid && /Collected : / { print $NF }'
  }
else
  counter=
fi
instr_ours=() instr_bare=()
if [[ -n $counter ]]; then
  for ((i = 0; i < counted_runs; i++)); do
    instr_ours+=("$(count "$bench" ours)")
    instr_bare+=("$(count "$bare" "$picture" "${mix[@]}")")
  done
fi

line() { # label, ours, plain, unit scale, decimals, then what the difference is in
  awk -v label="$1" -v a="$2" -v b="$3" -v scale="$4" -v d="$5" -v unit="$6" 'BEGIN {
    printf "%-30s %12.*f %12.*f %8.2f", label, d, a / scale, d, b / scale, a / b
    if (unit != "") printf "   %+.*f %s", d, (a - b) / scale, unit
    printf "\n" }'
}

echo "Start-up: main window against a plain Qt window, $where"
echo "plain window: a Qt-only program, 600 × 364 PNG painted in paintEvent, the same widgets by class"
printf '%-30s %12s %12s %8s\n' "" ours plain ours/plain
printf '%-30s %12s %12s\n' "widgets" "$widgets_ours" "$widgets_bare"
echo "medians of $runs runs:"
line "first paint, ms" "$(printf '%s\n' "${paint_ours[@]}" | median)" \
  "$(printf '%s\n' "${paint_bare[@]}" | median)" 1 1 ms
line "peak RSS, MiB" "$(printf '%s\n' "${rss_ours[@]}" | median)" \
  "$(printf '%s\n' "${rss_bare[@]}" | median)" 1024 1 MiB
if [[ -n $counter ]] && ((counted_runs > 0)); then
  echo "medians of $counted_runs runs ($counter):"
  line "instructions to first paint, M" "$(printf '%s\n' "${instr_ours[@]}" | median)" \
    "$(printf '%s\n' "${instr_bare[@]}" | median)" 1e6 1 M
elif ((counted_runs > 0)); then
  echo "instructions: neither perf nor valgrind can count them here"
fi
if [[ $widgets_ours != "$widgets_bare" ]]; then
  echo "note: the plain window came out with a different widget count" >&2
fi
