#include "sound/audio_encoder.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "sound/ffmpeg_library.h"
#include "sound/sound_error.h"

namespace tw {
namespace {

// The file as FFmpeg writes it: bytes written at a position that the
// MPEG-4 writer moves back to fill in sizes.
struct MemoryFile {
    std::vector<std::uint8_t> bytes;
    std::size_t position = 0;
};

int WriteToMemory(void* opaque, std::uint8_t* data, int size) {
    auto& file = *static_cast<MemoryFile*>(opaque);
    const auto count = static_cast<std::size_t>(size);
    if (file.bytes.size() < file.position + count) file.bytes.resize(file.position + count);
    std::memcpy(file.bytes.data() + file.position, data, count);
    file.position += count;
    return size;
}

std::int64_t SeekInMemory(void* opaque, std::int64_t offset, int whence) {
    auto& file = *static_cast<MemoryFile*>(opaque);
    const auto size = static_cast<std::int64_t>(file.bytes.size());
    std::int64_t target = 0;
    switch (whence & ~AVSEEK_FORCE) {
    case AVSEEK_SIZE: return size;
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = static_cast<std::int64_t>(file.position) + offset; break;
    case SEEK_END: target = size + offset; break;
    default: return AVERROR(EINVAL);
    }
    if (target < 0) return AVERROR(EINVAL);
    file.position = static_cast<std::size_t>(target);
    return target;
}

// What one encoding holds of FFmpeg's, freed in the right order whatever
// happens.
class Encoding {
public:
    explicit Encoding(const FfmpegLibrary& av) : av_(av) {}
    Encoding(const Encoding&) = delete;
    Encoding& operator=(const Encoding&) = delete;
    ~Encoding() {
        av_.av_packet_free(&packet);
        av_.av_frame_free(&decoded);
        av_.av_frame_free(&frame);
        av_.avcodec_free_context(&decoder);
        av_.avcodec_free_context(&codec);
        if (format != nullptr) av_.avformat_free_context(format);
        if (io != nullptr) {
            av_.av_free(io->buffer);
            io->buffer = nullptr;
            av_.avio_context_free(&io);
        }
    }

    // Throws WriteFailed with FFmpeg's reason for a negative result.
    int Check(int result, const char* what) const {
        if (result < 0)
            throw SoundError(SoundError::Reason::WriteFailed,
                             std::string("could not ") + what + ": " + av_.ErrorText(result));
        return result;
    }
    template <class T>
    T* Check(T* made, const char* what) const {
        if (made == nullptr) Check(AVERROR(ENOMEM), what);
        return made;
    }

    // Writes every packet the encoder has ready, each decoded first.
    void Drain(const AVStream& stream) {
        for (;;) {
            const int result = av_.avcodec_receive_packet(codec, packet);
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
            Check(result, "encode the sound");
            Decode(packet);
            av_.av_packet_rescale_ts(packet, codec->time_base, stream.time_base);
            packet->stream_index = stream.index;
            Check(av_.av_interleaved_write_frame(format, packet), "write the sound");
        }
    }

    // Hands the decoder a packet (nothing: the end) and keeps the loudest
    // sample of what it gives back.
    void Decode(const AVPacket* coded) {
        Check(av_.avcodec_send_packet(decoder, coded), "decode the sound again");
        for (;;) {
            const int result = av_.avcodec_receive_frame(decoder, decoded);
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
            Check(result, "decode the sound again");
            // FFmpeg's AAC and Vorbis decoders give floats, a plane to a channel.
            const bool planar = decoded->format == AV_SAMPLE_FMT_FLTP;
            if (!planar && decoded->format != AV_SAMPLE_FMT_FLT)
                Check(AVERROR(ENOSYS), "decode the sound again as floats");
            const int channels = decoded->ch_layout.nb_channels;
            for (int plane = 0; plane < (planar ? channels : 1); ++plane) {
                const auto* samples = reinterpret_cast<const float*>(decoded->extended_data[plane]);
                const int count = decoded->nb_samples * (planar ? 1 : channels);
                for (int i = 0; i < count; ++i) decodedPeak = std::max(decodedPeak, std::abs(samples[i]));
            }
        }
    }

    const FfmpegLibrary& av_;
    AVCodecContext* decoder = nullptr;
    AVFrame* decoded = nullptr;
    float decodedPeak = 0.0f;
    AVCodecContext* codec = nullptr;
    AVFormatContext* format = nullptr;
    AVIOContext* io = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
};

constexpr int IoBufferBytes = 1 << 16;

}  // namespace

AudioEncoder::AudioEncoder() : library_(std::make_unique<const FfmpegLibrary>()) {}
AudioEncoder::~AudioEncoder() = default;
AudioEncoder::AudioEncoder(AudioEncoder&&) noexcept = default;
AudioEncoder& AudioEncoder::operator=(AudioEncoder&&) noexcept = default;

EncodedSound AudioEncoder::Encode(std::span<const float> samples, int sampleRate, PhoneFile kind,
                                  const std::string& title) const {
    const FfmpegLibrary& av = *library_;
    const PhoneFileSpec& spec = PhoneFileSpecOf(kind);
    const std::string encoderName(spec.encoder), muxerName(spec.muxer);
    const AVCodec* encoder = av.avcodec_find_encoder_by_name(encoderName.c_str());
    if (encoder == nullptr)
        throw SoundError(
            SoundError::Reason::MissingLibrary,
            "the FFmpeg installed has no " + encoderName + " encoder, which an " + std::string(spec.name) + " needs");

    Encoding e(av);
    MemoryFile file;
    e.Check(av.avformat_alloc_output_context2(&e.format, nullptr, muxerName.c_str(), nullptr), "start the file");
    // The same sound makes the same bytes: no version strings, fixed stream serials.
    e.format->flags |= AVFMT_FLAG_BITEXACT;
    e.Check(av.av_dict_set(&e.format->metadata, "title", title.c_str(), 0), "tag the title");

    e.codec = e.Check(av.avcodec_alloc_context3(encoder), "start the encoder");
    e.codec->sample_fmt = AV_SAMPLE_FMT_FLTP;
    e.codec->sample_rate = sampleRate;
    av.av_channel_layout_default(&e.codec->ch_layout, 1);
    e.codec->bit_rate = BitRate;
    e.codec->time_base = AVRational{1, sampleRate};
    e.codec->flags |= AV_CODEC_FLAG_BITEXACT;
    if ((e.format->oformat->flags & AVFMT_GLOBALHEADER) != 0) e.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    e.Check(av.avcodec_open2(e.codec, encoder, nullptr), "start the encoder");

    AVStream* stream = e.Check(av.avformat_new_stream(e.format, nullptr), "start the file");
    stream->time_base = AVRational{1, sampleRate};
    e.Check(av.avcodec_parameters_from_context(stream->codecpar, e.codec), "start the file");
    e.Check(av.av_dict_set(&stream->metadata, "title", title.c_str(), 0), "tag the title");

    // The decoder a player uses, set up from what the file tells it.
    const AVCodec* decoder = av.avcodec_find_decoder(stream->codecpar->codec_id);
    if (decoder == nullptr)
        throw SoundError(SoundError::Reason::MissingLibrary,
                         "the FFmpeg installed has no decoder for the " + encoderName + " encoder's sound");
    e.decoder = e.Check(av.avcodec_alloc_context3(decoder), "start the decoder");
    e.Check(av.avcodec_parameters_to_context(e.decoder, stream->codecpar), "start the decoder");
    e.decoder->flags |= AV_CODEC_FLAG_BITEXACT;
    e.Check(av.avcodec_open2(e.decoder, decoder, nullptr), "start the decoder");
    e.decoded = e.Check(av.av_frame_alloc(), "start the decoder");

    auto* buffer = static_cast<std::uint8_t*>(e.Check(av.av_malloc(IoBufferBytes), "start the file"));
    e.io = av.avio_alloc_context(buffer, IoBufferBytes, 1, &file, nullptr, WriteToMemory, SeekInMemory);
    if (e.io == nullptr) av.av_free(buffer);
    e.Check(e.io, "start the file");
    e.format->pb = e.io;
    e.format->flags |= AVFMT_FLAG_CUSTOM_IO;
    e.Check(av.avformat_write_header(e.format, nullptr), "start the file");

    e.frame = e.Check(av.av_frame_alloc(), "encode the sound");
    e.packet = e.Check(av.av_packet_alloc(), "encode the sound");
    const int frameSize = e.codec->frame_size > 0 ? e.codec->frame_size : 1024;
    e.frame->nb_samples = frameSize;
    e.frame->format = e.codec->sample_fmt;
    e.frame->sample_rate = sampleRate;
    e.Check(av.av_channel_layout_copy(&e.frame->ch_layout, &e.codec->ch_layout), "encode the sound");
    e.Check(av.av_frame_get_buffer(e.frame, 0), "encode the sound");

    for (std::size_t done = 0; done < samples.size();) {
        const std::size_t count = std::min(samples.size() - done, static_cast<std::size_t>(frameSize));
        e.Check(av.av_frame_make_writable(e.frame), "encode the sound");
        e.frame->nb_samples = static_cast<int>(count);
        std::memcpy(e.frame->data[0], samples.data() + done, count * sizeof(float));
        e.frame->pts = static_cast<std::int64_t>(done);
        e.Check(av.avcodec_send_frame(e.codec, e.frame), "encode the sound");
        e.Drain(*stream);
        done += count;
    }
    e.Check(av.avcodec_send_frame(e.codec, nullptr), "encode the sound");
    e.Drain(*stream);
    e.Decode(nullptr);
    e.Check(av.av_write_trailer(e.format), "finish the file");
    return {std::move(file.bytes), e.decodedPeak};
}

}  // namespace tw
