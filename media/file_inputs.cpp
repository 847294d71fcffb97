#include "media/file_inputs.h"

namespace media {

core::Exact ExactOf(const Rational& value) {
    return core::Exact::Ratio(value.num, value.den);
}

std::vector<core::Exact> ExactTimes(const std::vector<Rational>& times) {
    std::vector<core::Exact> exact;
    exact.reserve(times.size());
    for (const Rational& time : times)
        exact.push_back(ExactOf(time));
    return exact;
}

core::VideoFileDetails DetailsOf(const FileInfo& info, std::string sha256) {
    return {info.name,  info.size,         std::move(sha256),        info.container,
            info.codec, info.variableRate, ExactOf(info.nominalRate)};
}

} // namespace media
