#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dict.h>
#include <libavutil/error.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
}

#include <memory>
#include <string>

// FFmpeg's libraries are loaded when a phone ringtone is first written, not
// when the program starts: a program whose FFmpeg has been removed runs all
// the same, and says what is missing when it is asked for such a file.
namespace tw {

// The X-macro list of the functions used, with the library of each.
#define TW_FFMPEG_FUNCTIONS(F)                \
    F(util, av_log_set_level)                 \
    F(util, av_strerror)                      \
    F(util, av_malloc)                        \
    F(util, av_free)                          \
    F(util, av_dict_set)                      \
    F(util, av_channel_layout_default)        \
    F(util, av_channel_layout_copy)           \
    F(util, av_frame_alloc)                   \
    F(util, av_frame_free)                    \
    F(util, av_frame_get_buffer)              \
    F(util, av_frame_make_writable)           \
    F(codec, avcodec_find_encoder_by_name)    \
    F(codec, avcodec_alloc_context3)          \
    F(codec, avcodec_free_context)            \
    F(codec, avcodec_open2)                   \
    F(codec, avcodec_send_frame)              \
    F(codec, avcodec_receive_packet)          \
    F(codec, avcodec_parameters_from_context) \
    F(codec, avcodec_find_decoder)            \
    F(codec, avcodec_parameters_to_context)   \
    F(codec, avcodec_send_packet)             \
    F(codec, avcodec_receive_frame)           \
    F(codec, av_packet_alloc)                 \
    F(codec, av_packet_free)                  \
    F(codec, av_packet_rescale_ts)            \
    F(format, avformat_alloc_output_context2) \
    F(format, avformat_free_context)          \
    F(format, avformat_new_stream)            \
    F(format, avformat_write_header)          \
    F(format, av_interleaved_write_frame)     \
    F(format, av_write_trailer)               \
    F(format, avio_alloc_context)             \
    F(format, avio_context_free)

// FFmpeg's libavutil, libavcodec and libavformat of the major versions this
// program was built with, loaded by the first object and kept loaded for
// the rest of the process; each member is the function of that name.
class FfmpegLibrary {
public:
    // Throws SoundError (MissingLibrary) naming the library that could not
    // be loaded, or the function missing from it, and the package to install.
    FfmpegLibrary();
    FfmpegLibrary(const FfmpegLibrary&) = delete;
    FfmpegLibrary& operator=(const FfmpegLibrary&) = delete;

#define TW_FFMPEG_MEMBER(library, name) decltype(&::name) name = nullptr;
    TW_FFMPEG_FUNCTIONS(TW_FFMPEG_MEMBER)
#undef TW_FFMPEG_MEMBER

    // The text of an FFmpeg error code.
    std::string ErrorText(int code) const;

private:
    struct Closer {
        void operator()(void* handle) const;
    };
    using Handle = std::unique_ptr<void, Closer>;
    Handle util_, codec_, format_;
};

}  // namespace tw
