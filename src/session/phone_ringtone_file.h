#pragma once

#include <filesystem>

#include "engine/cnotes.h"
#include "sound/phone_ringtone.h"

namespace tw {

// Saves `ringtone` as the phone file `file` (MakePhoneRingtone), replacing it
// whole through a temporary file beside it, and gives what it holds; or
// SessionError (Sound) with the reason it could not be made or written, the
// file then as it was.
PhoneRingtone SavePhoneRingtone(const CNotes& ringtone, const std::filesystem::path& file,
                                const PhoneRingtoneOptions& options, const AudioEncoder& encoder);

// The phone file of `kind` of the ringtone named `name` in `folder`.
std::filesystem::path PhoneRingtoneFor(const std::filesystem::path& folder, std::string_view name, PhoneFile kind);

}  // namespace tw
