#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each one for [seconds]
# (default 600), as many at a time as there are cores, starting from its committed seeds in
# fuzz/corpus/<target>/; prints each target's execution count. New inputs are kept in
# build-fuzz/corpus/<target>/, an input that breaks a check in build-fuzz/crashes/.
# Usage: scripts/fuzz.sh [seconds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
build=$root/build-fuzz

# clang-14's libFuzzer and sanitizer runtimes come in a package of their own.
"$root/scripts/install-deps.sh" clang libclang-rt-14-dev

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKVARNET_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzzers -j"$(nproc)"

fuzz_one() {
  local target=$1 status=0
  mkdir -p "$build/corpus/$target"
  "$build/fuzz/fuzz-$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/crashes/$target-" "$build/corpus/$target" "$root/fuzz/corpus/$target" \
    >"$build/fuzz-$target.log" 2>&1 || status=$?
  echo "$status" >"$build/fuzz-$target.status"
}

mkdir -p "$build/crashes"
targets=()
for seeds in "$root"/fuzz/corpus/*/; do
  targets+=("$(basename "$seeds")")
done
for target in "${targets[@]}"; do
  while (($(jobs -rp | wc -l) >= $(nproc))); do
    wait -n || true
  done
  fuzz_one "$target" &
done
wait

failed=()
for target in "${targets[@]}"; do
  log=$build/fuzz-$target.log
  echo "fuzz-$target: $(grep -h '^stat::number_of_executed_units' "$log" || echo 'no stats')"
  if [[ $(cat "$build/fuzz-$target.status") != 0 ]]; then
    tail -n 60 "$log"
    failed+=("$target")
  fi
done
if ((${#failed[@]})); then
  echo "FAILED: ${failed[*]}; the inputs are in $build/crashes/, replay one with"
  echo "  $build/fuzz/fuzz-<target> <input>"
  exit 1
fi
