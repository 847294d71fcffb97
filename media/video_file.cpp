#include "media/video_file.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <mutex>
#include <string_view>
#include <system_error>
#include <utility>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

namespace media {
namespace {

// The containers dashcams write, by FFmpeg's demuxer names: the same on every platform, and
// what the Windows build of FFmpeg carries (scripts/build-ffmpeg-windows.sh). Anything else
// (an image, a sound, a stream guessed from random bytes) is no video for this program.
constexpr std::array<std::string_view, 4> kContainers = {"mov,mp4,m4a,3gp,3g2,mj2", "avi",
                                                         "matroska,webm", "mpegts"};

// Below this probe score a format was guessed from the file's name, not its contents.
constexpr int kContentScore = AVPROBE_SCORE_EXTENSION / 2;

std::string Quoted(const std::filesystem::path& path) {
    const std::u8string name = path.filename().u8string();
    return "«" + std::string(name.begin(), name.end()) + "»";
}

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// FFmpeg's own messages are English and meant for its developers; the errors reach the user
// through MediaError instead. Its log level is process-wide, so it is set once.
void SilenceLibraries() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

// Refuses what FFmpeg must not be given: a missing file, a folder, a device or pipe (whose
// reading may never end), an empty or unreadable file. Returns the size.
std::uint64_t CheckRegularFile(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        throw MediaError(ErrorKind::NotFound, "файл " + Quoted(path) + " не найден");
    if (error) throw MediaError(ErrorKind::Unreadable, "файл " + Quoted(path) + " не читается");
    if (status.type() == std::filesystem::file_type::directory)
        throw MediaError(ErrorKind::Unreadable, Quoted(path) + " — папка, а не файл");
    if (status.type() != std::filesystem::file_type::regular)
        throw MediaError(ErrorKind::Unreadable, Quoted(path) + " — не обычный файл");
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) throw MediaError(ErrorKind::Unreadable, "файл " + Quoted(path) + " не читается");
    if (std::ifstream probe(path, std::ios::binary); !probe)
        throw MediaError(ErrorKind::Unreadable,
                         "файл " + Quoted(path) + " не читается: нет доступа");
    if (size == 0) throw MediaError(ErrorKind::Empty, "файл " + Quoted(path) + " пуст (0 байт)");
    return size;
}

struct FormatCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct IoCloser {
    void operator()(AVIOContext* c) const { avio_closep(&c); }
};
struct CodecCloser {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct ScaleFreer {
    void operator()(SwsContext* s) const { sws_freeContext(s); }
};
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;

Rational Reduced(__int128 num, __int128 den) {
    if (den < 0) num = -num, den = -den;
    __int128 a = num < 0 ? -num : num, b = den;
    while (b != 0)
        a = std::exchange(b, a % b);
    if (a > 1) num /= a, den /= a;
    return {static_cast<std::int64_t>(num), static_cast<std::int64_t>(den)};
}

// A packet of the video stream as the index keeps it, in the file's (decoding) order.
struct Packet {
    std::int64_t time = 0; // presentation timestamp; the decoding one where the file gives none
    std::int64_t dts = AV_NOPTS_VALUE;
    bool key = false;
    bool shown = true; // false for a packet the file decodes but never shows (edit lists)
};

// The time a packet is shown at, by the same rule for the index and for decoded frames.
std::int64_t PresentationTime(std::int64_t pts, std::int64_t dts) {
    return pts != AV_NOPTS_VALUE ? pts : dts;
}

} // namespace

struct VideoFile::State {
    std::filesystem::path path;
    FileInfo info;
    std::unique_ptr<AVIOContext, IoCloser> io;
    std::unique_ptr<AVFormatContext, FormatCloser> format;
    int stream = -1;
    AVRational timeBase{1, 1};
    const AVCodec* decoder = nullptr;
    std::unique_ptr<AVCodecContext, CodecCloser> codec;
    std::unique_ptr<SwsContext, ScaleFreer> scale;

    std::vector<Packet> packets; // decoding order
    std::vector<int> shownOrder; // frame n's packet at [n − 1]: presentation order
    std::vector<Rational> times; // frame n's time at [n − 1]
    std::vector<int> keyBefore;  // packet index of the key frame each packet decodes from

    bool cancelled = false;
    // The decoder's position: the number of the last frame it gave, 0 when it must seek first;
    // whether it has been given the end of the stream; the time of the key frame a seek is
    // looking for, AV_NOPTS_VALUE once found.
    int lastDecoded = 0;
    bool drained = false;
    std::int64_t anchor = AV_NOPTS_VALUE;

    void OpenContainer(const Progress& progress);
    void BuildIndex(const Progress& progress);
    void Describe();
    void OpenDecoder();
    bool DecodeFrom(int keyPacket, int frame, Image* out);
    bool ContinueTo(int frame, Image* out);
    bool Lost();
    void CheckFrame(int n) const;
    Image ToImage(const AVFrame* frame);
    [[noreturn]] void Fail(ErrorKind kind, const std::string& what) const {
        throw MediaError(kind, what);
    }
};

void VideoFile::State::OpenContainer(const Progress& progress) {
    // "file:" so that a name such as "http:…" or "concat:…" is read as the file it names.
    const std::string url = "file:" + Utf8(path);
    AVIOContext* rawIo = nullptr;
    AVDictionary* options = nullptr;
    if (avio_open2(&rawIo, url.c_str(), AVIO_FLAG_READ, nullptr, &options) < 0)
        Fail(ErrorKind::Unreadable, "файл " + Quoted(path) + " не читается");
    io.reset(rawIo);

    const AVInputFormat* probed = nullptr;
    const int score = av_probe_input_buffer2(io.get(), &probed, url.c_str(), nullptr, 0, 0);
    const bool known = probed && std::find(kContainers.begin(), kContainers.end(), probed->name) !=
                                     kContainers.end();
    if (score < kContentScore || !known)
        Fail(ErrorKind::NotVideo, "файл " + Quoted(path) +
                                      " — не видеозапись: формат не распознан (читаются MP4, "
                                      "MOV, AVI, MKV и TS)");

    AVFormatContext* raw = avformat_alloc_context();
    if (!raw) throw std::bad_alloc();
    raw->pb = io.get();
    // GENPTS: AVI with B-frames keeps only decoding times; the presentation times then come
    // from the order of the reference frames, as players show them.
    raw->flags |= AVFMT_FLAG_CUSTOM_IO | AVFMT_FLAG_GENPTS;
    raw->interrupt_callback = {
        [](void* self) { return static_cast<State*>(self)->cancelled ? 1 : 0; }, this};
    if (avformat_open_input(&raw, url.c_str(), probed, nullptr) < 0) {
        // avformat_open_input frees the context on failure.
        const bool quickTime = std::string_view(probed->name).starts_with("mov");
        Fail(ErrorKind::NotVideo,
             quickTime ? "в файле " + Quoted(path) +
                             " нет оглавления видеозаписи (moov): запись, видимо, оборвалась "
                             "до её закрытия; такой файл нужно сначала восстановить"
                       : "файл " + Quoted(path) + " повреждён: его заголовок не читается");
    }
    format.reset(raw);
    if (progress && !progress(0, info.size)) cancelled = true;
    if (cancelled || avformat_find_stream_info(format.get(), nullptr) < 0) {
        if (cancelled) Fail(ErrorKind::Cancelled, "чтение файла " + Quoted(path) + " прервано");
        Fail(ErrorKind::NotVideo, "файл " + Quoted(path) + " повреждён: его потоки не читаются");
    }

    // The best video stream that is a video, not a cover picture.
    const AVCodec* found = nullptr;
    const int best = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &found, 0);
    if (best == AVERROR_DECODER_NOT_FOUND) {
        const AVCodecDescriptor* d = nullptr;
        for (unsigned i = 0; i < format->nb_streams; ++i)
            if (format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
                d = avcodec_descriptor_get(format->streams[i]->codecpar->codec_id);
        Fail(ErrorKind::NoDecoder, "видео в файле " + Quoted(path) + " сжато кодеком «" +
                                       (d ? d->name : "неизвестным") +
                                       "», который программа не читает");
    }
    if (best < 0 || (format->streams[best]->disposition & AV_DISPOSITION_ATTACHED_PIC))
        Fail(ErrorKind::NoVideo, "в файле " + Quoted(path) + " нет видео");
    stream = best;
    decoder = found;
    timeBase = format->streams[stream]->time_base;
    if (timeBase.num <= 0 || timeBase.den <= 0)
        Fail(ErrorKind::NotVideo,
             "файл " + Quoted(path) + " повреждён: шкала времени видео не задана");
    for (unsigned i = 0; i < format->nb_streams; ++i)
        if (static_cast<int>(i) != stream) format->streams[i]->discard = AVDISCARD_ALL;
}

void VideoFile::State::BuildIndex(const Progress& progress) {
    PacketPtr packet(av_packet_alloc());
    if (!packet) throw std::bad_alloc();
    const std::uint64_t step = std::max<std::uint64_t>(info.size / 100, 1);
    std::uint64_t nextReport = step;
    bool damaged = false;
    for (;;) {
        const int read = av_read_frame(format.get(), packet.get());
        if (read < 0) {
            if (read == AVERROR_EXIT || cancelled)
                Fail(ErrorKind::Cancelled, "чтение файла " + Quoted(path) + " прервано");
            damaged = read != AVERROR_EOF;
            break;
        }
        if (packet->stream_index == stream) {
            const std::int64_t time = PresentationTime(packet->pts, packet->dts);
            if (packet->flags & AV_PKT_FLAG_CORRUPT) {
                // A short read: the file ends within this frame. Frames before it stand.
                damaged = true;
                av_packet_unref(packet.get());
                break;
            }
            // An empty packet (a dropped frame in AVI) shows nothing new: no frame of its own.
            if (time != AV_NOPTS_VALUE && packet->size > 0)
                packets.push_back({time, packet->dts, (packet->flags & AV_PKT_FLAG_KEY) != 0,
                                   (packet->flags & AV_PKT_FLAG_DISCARD) == 0});
        }
        av_packet_unref(packet.get());
        if (progress) {
            const std::int64_t at = avio_tell(format->pb);
            if (at >= 0 && static_cast<std::uint64_t>(at) >= nextReport) {
                nextReport = static_cast<std::uint64_t>(at) + step;
                if (!progress(std::min<std::uint64_t>(at, info.size), info.size)) {
                    cancelled = true;
                    Fail(ErrorKind::Cancelled, "чтение файла " + Quoted(path) + " прервано");
                }
            }
        }
    }
    if (progress && !progress(info.size, info.size)) {
        cancelled = true;
        Fail(ErrorKind::Cancelled, "чтение файла " + Quoted(path) + " прервано");
    }

    // Decoding starts at a key frame; a file whose first packets are not key frames (cut at
    // the front, a stream joined mid-way) decodes from its first one: frames before it
    // cannot be shown and are left out.
    const auto firstKey =
        std::find_if(packets.begin(), packets.end(), [](const Packet& p) { return p.key; });
    packets.erase(packets.begin(), firstKey);

    keyBefore.resize(packets.size());
    int key = 0;
    for (std::size_t i = 0; i < packets.size(); ++i) {
        if (packets[i].key) key = static_cast<int>(i);
        keyBefore[i] = key;
        if (packets[i].shown) shownOrder.push_back(static_cast<int>(i));
    }
    if (shownOrder.empty())
        Fail(ErrorKind::NoFrames, "в файле " + Quoted(path) + " нет ни одного читаемого кадра");
    std::stable_sort(shownOrder.begin(), shownOrder.end(),
                     [&](int a, int b) { return packets[a].time < packets[b].time; });
    times.reserve(shownOrder.size());
    for (int i : shownOrder)
        times.push_back(
            Reduced(static_cast<__int128>(packets[i].time) * timeBase.num, timeBase.den));

    // A file cut short: its own count of frames or its duration says more than was read, or
    // the reading stopped on damage. A container's duration covers its sound too, which may
    // run a little longer than the video: a second's slack.
    const AVStream* s = format->streams[stream];
    const std::int64_t declared = s->nb_frames;
    const std::int64_t last = packets[shownOrder.back()].time;
    const std::int64_t first = packets[shownOrder.front()].time;
    bool shorter = declared > 0 && declared > static_cast<std::int64_t>(packets.size());
    if (s->duration > 0 && s->duration != AV_NOPTS_VALUE && shownOrder.size() > 1) {
        const std::int64_t frame = last - packets[shownOrder[shownOrder.size() - 2]].time;
        shorter = shorter || last + frame < first + s->duration - frame;
    } else if (format->duration > 0 && format->duration != AV_NOPTS_VALUE) {
        const std::int64_t read = av_rescale_q(last - first, timeBase, AV_TIME_BASE_Q);
        shorter = shorter || read + AV_TIME_BASE < format->duration;
    }
    if (damaged || shorter) {
        info.truncated = true;
        info.truncation = "файл " + Quoted(path) + " обрывается или повреждён после кадра " +
                          std::to_string(times.size());
    }
}

void VideoFile::State::Describe() {
    const AVStream* s = format->streams[stream];
    const AVCodecParameters* par = s->codecpar;
    info.container =
        format->iformat->long_name ? format->iformat->long_name : format->iformat->name;
    const AVCodecDescriptor* d = avcodec_descriptor_get(par->codec_id);
    info.codec = d && d->long_name ? d->long_name : decoder->name;
    info.codecId = d ? d->name : decoder->name;
    info.width = par->width;
    info.height = par->height;
    const AVRational rate = s->avg_frame_rate.num > 0 && s->avg_frame_rate.den > 0
                                ? s->avg_frame_rate
                                : s->r_frame_rate;
    if (rate.num > 0 && rate.den > 0) info.nominalRate = Reduced(rate.num, rate.den);

    // Intervals in ticks of the stream's clock, in presentation order.
    std::int64_t shortest = 0, longest = 0;
    for (std::size_t i = 1; i < shownOrder.size(); ++i) {
        const std::int64_t gap = packets[shownOrder[i]].time - packets[shownOrder[i - 1]].time;
        if (i == 1 || gap < shortest) shortest = gap;
        if (i == 1 || gap > longest) longest = gap;
    }
    info.variableRate = longest - shortest > 1;
    const std::int64_t first = packets[shownOrder.front()].time;
    const std::int64_t last = packets[shownOrder.back()].time;
    // The last frame lasts as long as the interval before it: packets' own durations are
    // missing or rounded in many containers.
    const std::int64_t end =
        last + (shownOrder.size() > 1 ? last - packets[shownOrder[shownOrder.size() - 2]].time : 0);
    info.duration = Reduced(static_cast<__int128>(end - first) * timeBase.num, timeBase.den);
}

void VideoFile::State::OpenDecoder() {
    codec.reset(avcodec_alloc_context3(decoder));
    if (!codec) throw std::bad_alloc();
    if (avcodec_parameters_to_context(codec.get(), format->streams[stream]->codecpar) < 0)
        Fail(ErrorKind::NoDecoder, "видео в файле " + Quoted(path) + " не открывается");
    codec->pkt_timebase = timeBase;
    // Frame threads keep a step forward within a group of pictures cheap; slice threads help
    // the first frame after a seek.
    codec->thread_count = 0;
    codec->thread_type = FF_THREAD_FRAME | FF_THREAD_SLICE;
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0)
        Fail(ErrorKind::NoDecoder, "видео в файле " + Quoted(path) + " не открывается");
}

Image VideoFile::State::ToImage(const AVFrame* frame) {
    const auto source = static_cast<AVPixelFormat>(frame->format);
    scale.reset(sws_getCachedContext(scale.release(), frame->width, frame->height, source,
                                     frame->width, frame->height, AV_PIX_FMT_RGB24, SWS_BILINEAR,
                                     nullptr, nullptr, nullptr));
    if (!scale)
        Fail(ErrorKind::DecodeFailed, "кадр файла " + Quoted(path) + " не переводится в RGB");
    // The colours as the frame says it was coded: HD video uses BT.709, full range for JPEG.
    const int space = frame->colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709
                      : frame->colorspace == AVCOL_SPC_UNSPECIFIED && frame->height >= 720
                          ? SWS_CS_ITU709
                          : SWS_CS_ITU601;
    const bool fullRange = frame->color_range == AVCOL_RANGE_JPEG ||
                           source == AV_PIX_FMT_YUVJ420P || source == AV_PIX_FMT_YUVJ422P ||
                           source == AV_PIX_FMT_YUVJ444P;
    sws_setColorspaceDetails(scale.get(), sws_getCoefficients(space), fullRange ? 1 : 0,
                             sws_getCoefficients(SWS_CS_DEFAULT), 1, 0, 1 << 16, 1 << 16);
    Image image;
    image.width = frame->width;
    image.height = frame->height;
    image.rgb.resize(static_cast<std::size_t>(image.width) * image.height * 3);
    std::uint8_t* planes[4] = {image.rgb.data(), nullptr, nullptr, nullptr};
    int strides[4] = {image.width * 3, 0, 0, 0};
    if (sws_scale(scale.get(), frame->data, frame->linesize, 0, frame->height, planes, strides) !=
        frame->height)
        Fail(ErrorKind::DecodeFailed, "кадр файла " + Quoted(path) + " не переводится в RGB");
    return image;
}

// Decodes onwards from where the decoder stands until frame `frame` comes out, into `out`.
// After a seek, packets are skipped undecoded until the key frame at `anchor` (a time) comes.
// False when the stream ends, when the seek landed past the key frame, or when a later frame
// comes out first (the frame was dropped as undecodable from there).
bool VideoFile::State::ContinueTo(int frame, Image* out) {
    PacketPtr packet(av_packet_alloc());
    FramePtr decoded(av_frame_alloc());
    if (!packet || !decoded) throw std::bad_alloc();
    for (;;) {
        // Whatever the decoder holds first, then more of the file.
        for (;;) {
            const int got = avcodec_receive_frame(codec.get(), decoded.get());
            if (got == AVERROR(EAGAIN)) break;
            if (got < 0) return Lost(); // drained, or broken beyond use
            const std::int64_t time = PresentationTime(decoded->pts, decoded->pkt_dts);
            // The frame's number: the first frame shown at this time after the last one.
            const auto at =
                std::lower_bound(shownOrder.begin() + lastDecoded, shownOrder.end(), time,
                                 [&](int p, std::int64_t t) { return packets[p].time < t; });
            if (time == AV_NOPTS_VALUE || at == shownOrder.end() || packets[*at].time != time) {
                av_frame_unref(decoded.get());
                continue;
            }
            const int number = static_cast<int>(at - shownOrder.begin()) + 1;
            if (number > frame) return Lost();
            lastDecoded = number;
            if (number == frame) {
                *out = ToImage(decoded.get()); // only the frame asked for is converted
                av_frame_unref(decoded.get());
                return true;
            }
            av_frame_unref(decoded.get());
        }
        if (drained) return Lost();
        if (av_read_frame(format.get(), packet.get()) < 0) {
            avcodec_send_packet(codec.get(), nullptr); // the frames still held come out
            drained = true;
            continue;
        }
        // An empty packet would tell the decoder that the stream ends.
        if (packet->stream_index == stream && packet->size > 0 &&
            !(packet->flags & AV_PKT_FLAG_CORRUPT)) {
            const std::int64_t time = PresentationTime(packet->pts, packet->dts);
            const bool key = (packet->flags & AV_PKT_FLAG_KEY) != 0;
            if (anchor != AV_NOPTS_VALUE && key && time == anchor) anchor = AV_NOPTS_VALUE;
            if (anchor != AV_NOPTS_VALUE && key && time != AV_NOPTS_VALUE && time > anchor) {
                av_packet_unref(packet.get());
                return Lost(); // the seek went past the key frame
            }
            // Damaged data is skipped, not fatal: the frame asked for may still come out.
            if (anchor == AV_NOPTS_VALUE) avcodec_send_packet(codec.get(), packet.get());
        }
        av_packet_unref(packet.get());
    }
}

bool VideoFile::State::Lost() {
    lastDecoded = 0;
    return false;
}

bool VideoFile::State::DecodeFrom(int keyPacket, int frame, Image* out) {
    avcodec_flush_buffers(codec.get());
    drained = false;
    lastDecoded = 0;
    const Packet& key = packets[keyPacket];
    anchor = key.time;
    // Containers index their key frames by decoding time (MP4) or presentation time (MKV); the
    // decoding time is the earlier, so a seek to it lands on this key frame or one before, and
    // the packets up to this one are then skipped undecoded.
    const std::int64_t at = key.dts != AV_NOPTS_VALUE ? std::min(key.dts, key.time) : key.time;
    if (av_seek_frame(format.get(), stream, at, AVSEEK_FLAG_BACKWARD) < 0 &&
        av_seek_frame(format.get(), -1, 0, AVSEEK_FLAG_BYTE) < 0)
        return Lost();
    return ContinueTo(frame, out);
}

Image VideoFile::DecodeFrame(int n) {
    State& s = *state_;
    s.CheckFrame(n);
    Image image;
    const int keyPacket = s.keyBefore[s.shownOrder[n - 1]];
    // Onwards without a seek when the decoder already stands within reach: past the key frame
    // the frame decodes from, and before the frame.
    if (s.lastDecoded > 0 && s.lastDecoded < n &&
        s.keyBefore[s.shownOrder[s.lastDecoded - 1]] >= keyPacket && s.ContinueTo(n, &image))
        return image;
    // From the key frame before it; should the frame not come out from there (a group of
    // pictures open to the one before, a damaged key frame), from the key frames before that,
    // and last from the first.
    std::vector<int> starts = {keyPacket};
    for (int i = 0; i < 2 && starts.back() > 0; ++i)
        starts.push_back(s.keyBefore[starts.back() - 1]);
    if (starts.back() != 0) starts.push_back(0);
    for (int start : starts)
        if (s.DecodeFrom(start, n, &image)) return image;
    throw MediaError(ErrorKind::DecodeFailed, "кадр " + std::to_string(n) + " файла " +
                                                  Quoted(s.path) +
                                                  " не декодируется: данные повреждены");
}

void VideoFile::State::CheckFrame(int n) const {
    if (n >= 1 && n <= static_cast<int>(times.size())) return;
    std::string message = "в файле " + Quoted(path) + " нет кадра " + std::to_string(n) +
                          ": кадров " + std::to_string(times.size());
    if (info.truncated) message += " (" + info.truncation + ")";
    throw MediaError(ErrorKind::FrameMissing, message);
}

Rational VideoFile::FrameTime(int n) const {
    state_->CheckFrame(n);
    return state_->times[n - 1];
}

int VideoFile::KeyFrameBefore(int n) const {
    const State& s = *state_;
    s.CheckFrame(n);
    // The shown frame at or after the key frame in decoding order: the number a viewer names.
    const int key = s.keyBefore[s.shownOrder[n - 1]];
    int best = n;
    for (int m = n; m >= 1 && s.shownOrder[m - 1] >= key; --m)
        best = m;
    return best;
}

VideoFile VideoFile::Open(const std::filesystem::path& path, const Progress& progress) {
    SilenceLibraries();
    auto state = std::make_unique<State>();
    state->path = path;
    state->info.name = Utf8(path.filename());
    state->info.size = CheckRegularFile(path);
    state->OpenContainer(progress);
    state->BuildIndex(progress);
    state->Describe();
    state->OpenDecoder();
    return VideoFile(std::move(state));
}

VideoFile::VideoFile(std::unique_ptr<State> state) : state_(std::move(state)) {}
VideoFile::VideoFile(VideoFile&&) noexcept = default;
VideoFile& VideoFile::operator=(VideoFile&&) noexcept = default;
VideoFile::~VideoFile() = default;

const FileInfo& VideoFile::Info() const {
    return state_->info;
}

int VideoFile::FrameCount() const {
    return static_cast<int>(state_->times.size());
}

const std::vector<Rational>& VideoFile::FrameTimes() const {
    return state_->times;
}

} // namespace media
