#pragma once

#include <span>
#include <string_view>

namespace tw {

// The ringtone files of today's phones: Ogg Vorbis for Android, AAC-LC in an
// MPEG-4 container (.m4r) for the iPhone.
enum class PhoneFile { Ogg, M4r };

// One kind's row: its command-line word, what it is called, its extension,
// and the FFmpeg muxer and encoder that write it.
struct PhoneFileSpec {
    PhoneFile kind;
    std::string_view word;       // "ogg"
    std::string_view name;       // "Android ringtone (Ogg Vorbis)"
    std::string_view extension;  // ".ogg"
    std::string_view muxer;      // FFmpeg's name of the container writer
    std::string_view encoder;    // FFmpeg's name of the audio encoder
    double longestSeconds;       // what the phone takes; 0 for no limit
};

std::span<const PhoneFileSpec> PhoneFiles();
const PhoneFileSpec& PhoneFileSpecOf(PhoneFile kind);

}  // namespace tw
