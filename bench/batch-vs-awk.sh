#!/usr/bin/env bash
# Compares the CPU time of `kvarnet-calc stopping --batch` with a plain awk script making the
# same table (bench/stopping_batch.awk), on a file of stopping lines, and prints the medians of
# both and their ratio.
# Usage: bench/batch-vs-awk.sh [--lines N] [--runs N] [--no-build] [build-dir]
#   build-dir (default build-release) is configured as a Release build without the tests when
#   it has no cache yet, and kvarnet-calc is built in it unless --no-build is given.
#   --lines: input lines (default 300000); --runs: timed runs of each (default 7), in turn.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lines=300000
runs=7
build_first=1
build=
while (($#)); do
  case $1 in
    --lines) lines=$2 && shift ;;
    --runs) runs=$2 && shift ;;
    --no-build) build_first=0 ;;
    -h | --help)
      sed -n '2,9s/^# \{0,1\}//p' "$0"
      exit 0
      ;;
    *) build=$1 ;;
  esac
  shift
done
build=${build:-$root/build-release}
((runs >= 1 && lines >= 1)) || { echo "batch-vs-awk.sh: --runs and --lines need at least 1" >&2 && exit 2; }

if ((build_first)); then
  [[ -f $build/CMakeCache.txt ]] ||
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$build" --target kvarnet-calc -j2 >/dev/null
fi
calc=$build/cli/kvarnet-calc
script=$root/bench/stopping_batch.awk
[[ -x $calc ]] || { echo "batch-vs-awk.sh: $calc is not built" >&2 && exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Times, lengths and decelerations as an expert types them, with a decimal comma.
awk -v n="$lines" 'BEGIN {
  print "reaction;delay;rise;deceleration;skid"
  for (i = 0; i < n; ++i)
    printf "%d,%d;0,%d;0,%d;%d,%d;%d,%d\n", i % 2, 6 + i % 4, 1 + i % 3, 2 + i % 4,
           4 + i % 4, i % 10, 1 + i % 60, i % 10
}' >"$work/cases.csv"

# The two tables agree but for the last digit of a result on a rounding tie.
"$calc" stopping --batch "$work/cases.csv" >"$work/calc.csv" || true
awk -f "$script" "$work/cases.csv" >"$work/awk.csv"
same=$(paste -d '\n' "$work/calc.csv" "$work/awk.csv" | awk 'NR % 2 { a = $0; next } $0 == a { ++n } END { print n + 0 }')

# User plus system seconds of one run.
cpu() {
  local TIMEFORMAT='%3U %3S'
  { time "$@" >/dev/null 2>&1; } 2>&1 | awk '{ print $1 + $2 }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

cpu "$calc" stopping --batch "$work/cases.csv" >/dev/null # warm-up
cpu awk -f "$script" "$work/cases.csv" >/dev/null
: >"$work/calc.times"
: >"$work/awk.times"
for ((run = 0; run < runs; ++run)); do
  cpu "$calc" stopping --batch "$work/cases.csv" >>"$work/calc.times"
  cpu awk -f "$script" "$work/cases.csv" >>"$work/awk.times"
done
calc_median=$(median <"$work/calc.times")
awk_median=$(median <"$work/awk.times")
awk -v lines="$lines" -v runs="$runs" -v same="$same" -v c="$calc_median" -v a="$awk_median" \
  -v awk_name="$(basename "$(readlink -f "$(command -v awk)")")" 'BEGIN {
  printf "%d stopping lines, median CPU (user + system) of %d runs each\n", lines, runs
  printf "kvarnet-calc --batch  %.3f s\n", c
  printf "awk script (%s)     %.3f s\n", awk_name, a
  printf "ratio                 %.2f\n", (a > 0 ? c / a : 0)
  printf "rows alike            %d of %d\n", same, lines + 1
}'
