#pragma once

#include <string>
#include <vector>

#include "core/exact.h"
#include "core/video.h"
#include "media/video_file.h"

// What the core's calculation from a video file takes of the file, as the file gives it: its
// frames' times exactly and its details. kvarnet-calc and the frame viewer both fill the core's
// inputs through these.
namespace media {

core::Exact ExactOf(const Rational& value);

// Every frame's time, frame n at [n − 1], as exact seconds.
std::vector<core::Exact> ExactTimes(const std::vector<Rational>& times);

// The file's details for the record, with its SHA-256 (64 hex digits; empty while unknown).
core::VideoFileDetails DetailsOf(const FileInfo& info, std::string sha256);

} // namespace media
