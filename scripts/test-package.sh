#!/usr/bin/env bash
# Makes the Debian package as a packager would and checks it: a clean Release build of the
# program (warnings as errors), its .deb checked by tests/package.cmake (lintian, hardening
# included; the recommendations; the font licence). Then the same sources are copied to
# another folder, with new file times and no history, built and packaged again with
# SOURCE_DATE_EPOCH set to the last commit's date: the two packages must be the same byte for
# byte.
# Usage: scripts/test-package.sh [build-dir]   (default build-pkg; the copy builds in a
# temporary folder that is removed at the end)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-pkg}
jobs=${KVARNET_JOBS:-$(nproc)}

"$root/scripts/install-deps.sh"

# package <source-dir> <build-dir>: a clean build and its package, whose path goes to $deb.
# The tools' output goes to <build-dir>/package.log, shown when one fails.
package() {
  local log=$2/package.log
  rm -rf "$2"
  mkdir -p "$2"
  if ! { cmake -S "$1" -B "$2" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DKVARNET_WERROR=ON &&
    cmake --build "$2" -j"$jobs" && (cd "$2" && cpack -G DEB); } >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "building the package in $2 failed; the whole output is in $log" >&2
    exit 1
  fi
  deb=$(ls "$2"/kvarnet_*.deb)
}

package "$root" "$build"
first=$deb
cmake -DDEB="$first" -DHARDENED=ON -DOVERRIDES="$root/packaging/lintian-overrides" \
  -P "$root/tests/package.cmake"

copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
# The files of the working tree that git tracks or would (not what it ignores), extracted
# with the time of extraction.
git -C "$root" ls-files -z --cached --others --exclude-standard |
  (cd "$root" && tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null) |
  (mkdir "$copy/src" && tar -xmf - -C "$copy/src")
SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
package "$copy/src" "$copy/build"
second=$deb

if cmp -s "$first" "$second"; then
  echo "two builds give the same package: $(sha256sum <"$first" | cut -d' ' -f1) $(basename "$first")"
  exit 0
fi
echo "the two builds' packages differ: $first and $second" >&2
for deb in "$first" "$second"; do
  dir=$copy/unpacked-$([[ $deb == "$first" ]] && echo 1 || echo 2)
  dpkg-deb -R "$deb" "$dir"
  (cd "$dir" && find . -type f -exec sha256sum {} + | sort -k2) >"$dir.sums"
  dpkg-deb -c "$deb" >"$dir.list"
done
diff "$copy/unpacked-1.sums" "$copy/unpacked-2.sums" >&2 || true
diff "$copy/unpacked-1.list" "$copy/unpacked-2.list" >&2 || true
exit 1
