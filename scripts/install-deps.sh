#!/usr/bin/env bash
# Installs, only when missing, the Debian packages the build and the tests need and any extra
# ones named, and generates the locales the tests run under.
# Usage: scripts/install-deps.sh [extra-package]...
set -euo pipefail

packages=(
  cmake make g++ qt6-base-dev libgtest-dev # build and tests
  fonts-liberation2                   # the fonts embedded in the program
  libfontconfig-dev                   # the toolkit hides the machine's copies of those fonts
  pkg-config libavformat-dev libavcodec-dev libavutil-dev libswscale-dev # video files (media/)
  ffmpeg                              # the video tests make their files with it
  locales                             # the tests run under Russian and English locales
  desktop-file-utils appstream        # the installed tree's desktop files are validated
  dpkg-dev                            # the package's library dependencies (cpack -G DEB)
  lintian                             # the package is checked as Debian checks packages
  qt6-translations-l10n               # Qt's own dialog texts in Russian
  poppler-utils                       # the window tests read the saved PDF back (pdftotext)
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y --no-install-recommends "${missing[@]}"
fi

for loc in ru_RU en_US; do
  locale -a 2>/dev/null | grep -qi "^$loc.utf-\?8$" || localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
done
