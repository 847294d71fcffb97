#!/usr/bin/env bash
# Builds startup-bench and compares the start-up of the main window with a plain Qt window of
# the same size, widget mix and background picture, printing medians of several runs.
# Usage: scripts/bench-startup.sh [--display] [--runs N] [--instruction-runs N] [build-dir]
#   headless (QT_QPA_PLATFORM=offscreen) unless --display is given, which runs the windows
#   on the X display named by DISPLAY instead. --runs: timed runs per window (default 7);
#   --instruction-runs: counted runs per window (default 3, 0 leaves the count out).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
on_display=0
runs=7
counted_runs=3
build=
while (($#)); do
  case $1 in
    --display) on_display=1 ;;
    --runs) runs=$2 && shift ;;
    --instruction-runs) counted_runs=$2 && shift ;;
    -h | --help)
      sed -n '2,7s/^# \{0,1\}//p' "$0"
      exit 0
      ;;
    *) build=$1 ;;
  esac
  shift
done
build=${build:-$root/build}
((runs >= 1)) || { echo "bench-startup.sh: --runs needs at least 1" >&2 && exit 2; }

[[ -f $build/CMakeCache.txt ]] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target startup-bench -j2 >/dev/null
bench=$build/bench/startup-bench

if ((on_display)); then
  if [[ -z ${DISPLAY:-} ]]; then
    echo "bench-startup.sh: --display needs DISPLAY to name an X display" >&2
    exit 2
  fi
  export QT_QPA_PLATFORM=xcb
  where="on $DISPLAY"
else
  export QT_QPA_PLATFORM=offscreen
  where=headless
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT

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
widgets_bare=$(run bare "${mix[@]}" | field widgets)

# The two windows take turns, so that a busy moment of the machine falls on both.
paint_ours=() paint_bare=() rss_ours=() rss_bare=()
for ((i = 0; i < runs; i++)); do
  out=$(run ours)
  paint_ours+=("$(field first-paint-ms <<<"$out")") rss_ours+=("$(field max-rss-kib <<<"$out")")
  out=$(run bare "${mix[@]}")
  paint_bare+=("$(field first-paint-ms <<<"$out")") rss_bare+=("$(field max-rss-kib <<<"$out")")
done

# Instructions from exec to the exit after the first paint: from the hardware counter when
# perf can read it here, otherwise counted by valgrind (slower, the same figure).
if perf stat -x, -e instructions:u true 2>&1 >/dev/null | grep -q '^[0-9]'; then
  counter="perf stat"
  count() { perf stat -x, -e instructions:u "$bench" "$@" 2>&1 >/dev/null | awk -F, '/instructions/ { print $1 }'; }
elif command -v valgrind >/dev/null; then
  counter="valgrind callgrind"
  count() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$bench" "$@" 2>&1 >/dev/null |
      sed -n 's/.*Collected : //p'
  }
else
  counter=
fi
instr_ours=() instr_bare=()
if [[ -n $counter ]]; then
  for ((i = 0; i < counted_runs; i++)); do
    instr_ours+=("$(count ours)")
    instr_bare+=("$(count bare "${mix[@]}")")
  done
fi

line() { # label, ours, plain, unit scale, decimals, then what the difference is in
  awk -v label="$1" -v a="$2" -v b="$3" -v scale="$4" -v d="$5" -v unit="$6" 'BEGIN {
    printf "%-30s %12.*f %12.*f %8.2f", label, d, a / scale, d, b / scale, a / b
    if (unit != "") printf "   %+.*f %s", d, (a - b) / scale, unit
    printf "\n" }'
}

echo "Start-up: main window against a plain Qt window, $where"
echo "plain window: 600 × 364 picture painted in paintEvent, the same widgets by class"
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
