#include "windows/toolkit/stored_png.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace toolkit {

namespace {

constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";

std::uint32_t BigEndian32(const unsigned char* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
           std::uint32_t{p[3]};
}

struct PngChunk {
    QByteArrayView kind, body;
};

// The file's chunks up to IEND, or none if one runs past the end of the file.
std::vector<PngChunk> PngChunks(QByteArrayView file) {
    std::vector<PngChunk> chunks;
    const qsizetype signature = sizeof kPngSignature - 1;
    if (!file.startsWith(QByteArrayView(kPngSignature, signature))) return {};
    for (qsizetype at = signature; at + 12 <= file.size();) {
        const auto* head = reinterpret_cast<const unsigned char*>(file.data() + at);
        const std::uint32_t length = BigEndian32(head);
        if (length > static_cast<std::uint64_t>(file.size() - at - 12)) return {};
        chunks.push_back({file.sliced(at + 4, 4), file.sliced(at + 8, length)});
        if (chunks.back().kind == "IEND") return chunks;
        at += 12 + static_cast<qsizetype>(length);
    }
    return {};
}

// Reads the payload of a zlib stream made of stored blocks, in pieces of any size; fails for a
// compressed block, a preset dictionary, or a length that runs past the data.
class StoredBlocks {
public:
    explicit StoredBlocks(QByteArrayView zlib)
        : p_(reinterpret_cast<const unsigned char*>(zlib.data())), end_(zlib.size()) {
        ok_ = end_ >= 2 && (p_[0] & 0x0F) == 8 && (p_[0] << 8 | p_[1]) % 31 == 0 && !(p_[1] & 0x20);
    }

    bool Read(unsigned char* out, qsizetype size) {
        while (ok_ && size > 0) {
            if (left_ == 0 && !NextBlock()) return ok_ = false;
            const qsizetype piece = std::min(size, left_);
            std::memcpy(out, p_ + at_, static_cast<std::size_t>(piece));
            out += piece, size -= piece, at_ += piece, left_ -= piece;
        }
        return ok_;
    }

    // True when the last block has been read to its end.
    bool AtEnd() const { return ok_ && last_ && left_ == 0; }

private:
    bool NextBlock() {
        if (last_ || at_ + 5 > end_ || (p_[at_] & 0x06) != 0) return false; // not stored
        last_ = p_[at_] & 0x01;
        left_ = p_[at_ + 1] | p_[at_ + 2] << 8;
        if ((left_ ^ (p_[at_ + 3] | p_[at_ + 4] << 8)) != 0xFFFF) return false;
        at_ += 5;
        return left_ <= end_ - at_;
    }

    const unsigned char* p_;
    qsizetype end_, at_ = 2, left_ = 0;
    bool ok_ = false, last_ = false;
};

} // namespace

QImage ReadStoredPng(QByteArrayView file) {
    const std::vector<PngChunk> chunks = PngChunks(file);
    if (chunks.empty() || chunks.front().kind != "IHDR" || chunks.front().body.size() != 13) {
        return {};
    }
    const auto* header = reinterpret_cast<const unsigned char*>(chunks.front().body.data());
    const std::uint32_t width = BigEndian32(header), height = BigEndian32(header + 4);
    // 8 bits, palette, deflate, the standard filters, no interlacing.
    if (std::memcmp(header + 8, "\x08\x03\x00\x00\x00", 5) != 0 || width == 0 || height == 0 ||
        width > 0x4000 || height > 0x4000) {
        return {};
    }
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_Indexed8);
    if (image.isNull()) return {};
    QList<QRgb> palette;
    QByteArrayView data;
    QByteArray joined; // the image data when it comes in more than one chunk
    for (const PngChunk& chunk : chunks) {
        const auto* body = reinterpret_cast<const unsigned char*>(chunk.body.data());
        if (chunk.kind == "PLTE") {
            if (chunk.body.size() % 3 != 0 || chunk.body.size() > 3 * 256) return {};
            for (qsizetype i = 0; i < chunk.body.size(); i += 3)
                palette.append(qRgb(body[i], body[i + 1], body[i + 2]));
        } else if (chunk.kind == "tRNS") {
            if (chunk.body.size() > palette.size()) return {};
            for (qsizetype i = 0; i < chunk.body.size(); ++i)
                palette[i] =
                    qRgba(qRed(palette[i]), qGreen(palette[i]), qBlue(palette[i]), body[i]);
        } else if (chunk.kind == "pHYs" && chunk.body.size() == 9 && body[8] == 1) {
            image.setDotsPerMeterX(static_cast<int>(BigEndian32(body)));
            image.setDotsPerMeterY(static_cast<int>(BigEndian32(body + 4)));
        } else if (chunk.kind == "IDAT") {
            if (data.isNull()) {
                data = chunk.body;
            } else {
                if (joined.isEmpty()) joined = data.toByteArray();
                joined.append(chunk.body.data(), chunk.body.size());
                data = joined;
            }
        } else if (!(chunk.kind.front() & 0x20) && chunk.kind != "IHDR" && chunk.kind != "IEND") {
            return {}; // a critical chunk this reader does not know
        }
    }
    if (palette.isEmpty()) return {};
    // Each row is its filter byte, which must be 0 (none), and then its pixels. A pixel beyond
    // the palette needs no check here: Qt's conversions take the last colour for it.
    StoredBlocks stored(data);
    for (int y = 0; y < image.height(); ++y) {
        unsigned char filter = 1;
        if (!stored.Read(&filter, 1) || filter != 0 || !stored.Read(image.scanLine(y), width)) {
            return {};
        }
    }
    if (!stored.AtEnd()) return {};
    image.setColorTable(palette);
    return image;
}

} // namespace toolkit
