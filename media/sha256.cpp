#include <fstream>
#include <memory>
#include <vector>

#include "media/video_file.h"

extern "C" {
#include <libavutil/mem.h>
#include <libavutil/sha.h>
}

namespace media {

std::string Sha256(const std::filesystem::path& path, const Progress& progress) {
    const std::u8string name = path.filename().u8string();
    const std::string quoted = "«" + std::string(name.begin(), name.end()) + "»";
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        throw MediaError(ErrorKind::NotFound, "файл " + quoted + " не найден");
    if (error || status.type() != std::filesystem::file_type::regular)
        throw MediaError(ErrorKind::Unreadable, "файл " + quoted + " не читается");
    const std::uint64_t size = std::filesystem::file_size(path, error);
    std::ifstream in(path, std::ios::binary);
    if (error || !in)
        throw MediaError(ErrorKind::Unreadable, "файл " + quoted + " не читается: нет доступа");

    const auto freeSha = [](AVSHA* sha) { av_free(sha); };
    std::unique_ptr<AVSHA, decltype(freeSha)> sha(av_sha_alloc(), freeSha);
    if (!sha || av_sha_init(sha.get(), 256) < 0) throw std::bad_alloc();
    // Blocks of 1 MiB: memory stays the same for a file of any size.
    std::vector<char> block(1 << 20);
    std::uint64_t done = 0, nextReport = 0;
    const std::uint64_t step = std::max<std::uint64_t>(size / 100, 64u << 20);
    for (;;) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        const std::streamsize got = in.gcount();
        if (got > 0) {
            av_sha_update(sha.get(), reinterpret_cast<const std::uint8_t*>(block.data()),
                          static_cast<std::size_t>(got));
            done += static_cast<std::uint64_t>(got);
        }
        if (in.bad()) throw MediaError(ErrorKind::Unreadable, "файл " + quoted + " не читается");
        if (progress && (done >= nextReport || in.eof())) {
            nextReport = done + step;
            if (!progress(done, size))
                throw MediaError(ErrorKind::Cancelled,
                                 "вычисление SHA-256 файла " + quoted + " прервано");
        }
        if (in.eof()) break;
    }
    std::uint8_t digest[32];
    av_sha_final(sha.get(), digest);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    for (std::uint8_t byte : digest) {
        hex += kHex[byte >> 4];
        hex += kHex[byte & 15];
    }
    return hex;
}

} // namespace media
