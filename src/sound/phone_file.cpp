#include "sound/phone_file.h"

#include <array>

namespace tw {
namespace {

// The iPhone imports a ringtone of at most 40 seconds. The "ipod" flavour of
// FFmpeg's MPEG-4 writer marks an audio file as iTunes audio ("M4A "), as an
// .m4r is.
constexpr std::array<PhoneFileSpec, 2> Specs{{
    {PhoneFile::Ogg, "ogg", "Android ringtone (Ogg Vorbis)", ".ogg", "ogg", "libvorbis", 0.0},
    {PhoneFile::M4r, "m4r", "iPhone ringtone (AAC in MPEG-4)", ".m4r", "ipod", "aac", 40.0},
}};

}  // namespace

std::span<const PhoneFileSpec> PhoneFiles() { return Specs; }

const PhoneFileSpec& PhoneFileSpecOf(PhoneFile kind) { return Specs[static_cast<std::size_t>(kind)]; }

}  // namespace tw
