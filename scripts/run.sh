#!/usr/bin/env bash
# Sets up, builds the program (not the tests) and starts it. It shares build/ with
# scripts/test.sh, configured the same way by scripts/setup.sh, so that neither compiles again
# what the other built. KVARNET_BUILD_ONLY=1 stops before starting the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" "$root/build" kvarnet
[ -n "${KVARNET_BUILD_ONLY:-}" ] && exit 0
exec "$root/build/windows/kvarnet" "$@"
