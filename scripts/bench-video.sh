#!/usr/bin/env bash
# Makes two files with Debian's ffmpeg and runs the video library's benchmark on them, printing
# its figures: a long file (20 minutes of 720p H.264 at 30 frames a second, with sound, as a
# dashcam writes it: one minute encoded, then copied end to end) for the index against ffprobe,
# and 1080p H.264 with B-frames for the steps. The files are kept in the build folder for the
# next run.
# Usage: scripts/bench-video.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

[[ -f $build/CMakeCache.txt ]] || cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target video-bench -j2 >/dev/null

files=$build/bench/video-files
mkdir -p "$files"
if [[ ! -f $files/long.mp4 ]]; then
  echo "Making the files (about a minute)"
  ffmpeg -v error -y -f lavfi -i testsrc2=size=1280x720:rate=30:duration=60 \
    -f lavfi -i sine=duration=60 -c:v libx264 -preset ultrafast -g 30 -b:v 8M -c:a aac \
    "$files/minute.mp4"
  ffmpeg -v error -y -stream_loop 19 -i "$files/minute.mp4" -c copy "$files/long.mp4"
  ffmpeg -v error -y -f lavfi -i testsrc2=size=1920x1080:rate=30:duration=10 \
    -c:v libx264 -preset veryfast -bf 3 -g 60 -b:v 12M "$files/hd.mp4"
fi
exec "$build/bench/video-bench" "$files/long.mp4" "$files/hd.mp4"
