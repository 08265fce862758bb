#include "session/list_snapshot.h"

#include "lists/list_box.h"
#include "lists/ringtone_list.h"
#include "session/session_error.h"
#include "sound/render.h"

namespace tw {

std::vector<std::string> ListSnapshot::Entries() const {
    SortedNameList entries;
    for (std::string& name : file_.SectionNames()) entries.AddItem(std::move(name));
    return entries.Items();
}

bool ListSnapshot::Load(std::string_view entry, CNotes& ringtone) const {
    return CRingtoneList::LoadEntry(file_, entry, ringtone);
}

std::filesystem::path WavFileFor(const std::filesystem::path& folder, std::string_view name) {
    return folder / (std::string(name) + ".wav");
}

void SaveWav(const CNotes& ringtone, const std::filesystem::path& file, Player& player) {
    try {
        WAV(ringtone, "SAVE", file.string(), player);
    } catch (const std::exception& e) {
        throw SessionError(SessionError::Reason::Sound, e.what());
    }
}

}  // namespace tw
