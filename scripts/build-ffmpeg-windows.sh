#!/usr/bin/env bash
# FFmpeg for 64-bit Windows as DLLs (avformat, avcodec, avutil, swscale), built from Debian's
# own source package of the FFmpeg installed here, with MinGW-w64 and nasm, into the cache
# folder beside Qt (scripts/build-qt-windows.sh). A small LGPL configuration, no GPL parts: only
# what a dashcam's video needs, the H.264, H.265, MJPEG and MPEG-4 decoders and parsers and the
# MP4/MOV, AVI, Matroska and MPEG-TS demuxers, reading files only. About four minutes on two
# cores; what is there already is used again.
#
# Usage: scripts/build-ffmpeg-windows.sh
# Prints the folder on its last line; everything else goes to stderr. The cache is
# $KVARNET_CACHE, by default ~/.cache/kvarnet.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exec 3>&1 1>&2

cache=${KVARNET_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kvarnet}
jobs=${KVARNET_JOBS:-2}

"$root/scripts/install-deps.sh" gcc-mingw-w64-x86-64-posix nasm dpkg-dev >/dev/null
# The libraries for Windows are the version of the ones the program is built with here.
source_version=$(dpkg-query -W -f='${source:Version}' libavformat-dev)
upstream=${source_version#*:}
upstream=${upstream%%-*}
prefix=$cache/ffmpeg$upstream-mingw-w64
src=$cache/src/ffmpeg-$upstream

# What is built, in one place: a change to it builds again.
decoders=h264,hevc,mjpeg,mpeg4
parsers=h264,hevc,mjpeg,mpeg4video
demuxers=mov,avi,matroska,mpegts
configure_options=(
  --enable-cross-compile --target-os=mingw32 --arch=x86_64
  --cross-prefix=x86_64-w64-mingw32- --cc=x86_64-w64-mingw32-gcc-posix
  --enable-shared --disable-static --disable-debug --disable-doc --disable-programs
  --disable-autodetect --enable-w32threads --disable-network
  --disable-avdevice --disable-avfilter --disable-swresample --disable-postproc
  --disable-everything --enable-protocol=file
  --enable-decoder=$decoders --enable-parser=$parsers --enable-demuxer=$demuxers
  # The C runtime of GCC inside the DLLs, which then need no DLL of it.
  --extra-ldflags=-static-libgcc
)

# The licence and where the source comes from, for the program's licence folder.
describe_origin() {
  mkdir -p "$prefix/kvarnet-ffmpeg-source"
  cp "$src/COPYING.LGPLv2.1" "$prefix/kvarnet-ffmpeg-source/LGPL-2.1.txt"
  cp "$src/debian/copyright" "$prefix/kvarnet-ffmpeg-source/FFmpeg.txt"
  cat >"$prefix/kvarnet-ffmpeg-source/SOURCE.txt" <<EOF
FFmpeg $upstream: avformat, avcodec, avutil and swscale as DLLs, through which the program reads
video files.
FFmpeg is free software under the GNU Lesser General Public License version 2.1 or later
(FFmpeg-LGPL-2.1.txt); FFmpeg.txt lists its authors and the licences of its parts. This build
has no part under the GPL.

Its source is Debian 12's source package ffmpeg, version $source_version, from Debian's archive:
    apt-get source ffmpeg=$source_version
with Debian's patches as the package applies them and no others.

It was built with MinGW-w64 (Debian package gcc-mingw-w64-x86-64-posix) and nasm, configured
with:
    ./configure $(echo "${configure_options[*]}" | fold -s -w 88 | sed 's/ $//; 2,$s/^/        /')
that is, only the decoders $decoders, the parsers $parsers and the demuxers $demuxers,
reading files only.

You may replace these DLLs with your own build of FFmpeg $upstream for MinGW-w64 (x86-64): the
program loads them from its folder.
EOF
}

recipe=$(echo "${configure_options[*]}" | sha256sum | cut -c1-16)
origin_file=$prefix/kvarnet-ffmpeg-source/origin
if [ "$(cat "$origin_file" 2>/dev/null)" = "source $source_version $recipe" ]; then
  [ -f "$src/configure" ] && describe_origin
  echo "$prefix" >&3
  exit 0
fi

# Debian's source package, its patches applied.
if [ ! -f "$src/configure" ]; then
  mkdir -p "$cache/src"
  rm -rf "$src"
  (cd "$cache/src" && "$root/scripts/apt-source.sh" "ffmpeg=$source_version" &&
    rm -f ffmpeg_*.dsc ffmpeg_*.tar.* ffmpeg_*.debian.*)
fi

build=$cache/ffmpeg-build
rm -rf "$build" "$prefix"
mkdir -p "$build"
echo "Building FFmpeg $upstream for Windows from source in $build (about four minutes)"
(cd "$build" && "$src/configure" --prefix="$prefix" "${configure_options[@]}" >configure.log) || {
  tail -n 30 "$build/config.log"
  exit 1
}
# A build made from a configuration that took GPL parts would be no LGPL build.
grep -q '^#define CONFIG_GPL 0' "$build/config.h"
make -C "$build" -j"$jobs" >"$build/make.log" 2>&1 || {
  tail -n 30 "$build/make.log"
  exit 1
}
make -C "$build" install >/dev/null 2>&1
rm -rf "$build"
describe_origin
echo "source $source_version $recipe" >"$origin_file"
echo "$prefix" >&3
