#!/usr/bin/env bash
# Fetches Debian's source package PACKAGE=VERSION into the current folder, its patches applied.
# apt-get needs a deb-src entry for it: one is made from the deb entries of Debian's own mirror
# when there is none.
# Usage: scripts/apt-source.sh PACKAGE=VERSION
set -euo pipefail
package=${1:?usage: apt-source.sh PACKAGE=VERSION}
if ! apt-get source --print-uris "$package" >/dev/null 2>&1; then
  echo "Adding deb-src entries for Debian's mirror"
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      >/etc/apt/sources.list.d/kvarnet-deb-src.sources
  else
    grep -h '^deb .*debian' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
      >/etc/apt/sources.list.d/kvarnet-deb-src.list
  fi
  apt-get update -qq
fi
apt-get source -q "$package" >/dev/null
