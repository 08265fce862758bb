#include "session/phone_ringtone_file.h"

#include <string>

#include "files/safe_file.h"
#include "session/session_error.h"
#include "sound/sound_error.h"

namespace tw {

PhoneRingtone SavePhoneRingtone(const CNotes& ringtone, const std::filesystem::path& file,
                                const PhoneRingtoneOptions& options, const AudioEncoder& encoder) {
    try {
        PhoneRingtone made = MakePhoneRingtone(ringtone, options, encoder);
        ReplaceFile(file, std::string_view(reinterpret_cast<const char*>(made.bytes.data()), made.bytes.size()));
        return made;
    } catch (const SoundError& e) {
        throw SessionError(SessionError::Reason::Sound, e.what());
    } catch (const FileError& e) {
        throw SessionError(SessionError::Reason::Sound, e.what());
    }
}

std::filesystem::path PhoneRingtoneFor(const std::filesystem::path& folder, std::string_view name, PhoneFile kind) {
    return folder / (std::string(name) + std::string(PhoneFileSpecOf(kind).extension));
}

}  // namespace tw
