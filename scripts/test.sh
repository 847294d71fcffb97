#!/usr/bin/env bash
# Sets up, builds everything and runs every test headless; in CI (CI=true) warnings are errors.
# It shares build/ with scripts/run.sh, and builds as the two commands do one after the other:
# the program as scripts/run.sh builds it, then everything, then the program again. The second
# build must not compile again what the first built, and the third must find nothing to do.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

KVARNET_BUILD_ONLY=1 "$root/scripts/run.sh" | tee "$logs/program"
"$root/scripts/setup.sh" "$build" | tee "$logs/everything"
KVARNET_BUILD_ONLY=1 "$root/scripts/run.sh" >"$logs/program-again"

# What a build did, as make tells it, without its progress.
done_in() { grep -E '^\[ *[0-9]+%\] (Building|Linking|Generating) ' "$1" | cut -d']' -f2- || true; }
status=0
again=$(grep -Fx -f <(done_in "$logs/program") <(done_in "$logs/everything") || true)
if [ -n "$again" ]; then
  echo "FAIL: after scripts/run.sh built the program, the tests' build did again:"
  echo "$again"
  status=1
fi
again=$(done_in "$logs/program-again")
if [ -n "$again" ]; then
  echo "FAIL: after the tests' build, scripts/run.sh did again:"
  echo "$again"
  status=1
fi

export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"$(nproc)" || status=1
exit $status
