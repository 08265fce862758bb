#include "session/midi_ringtone.h"

#include "engine/text_rules.h"
#include "lists/list_names.h"

namespace tw {
namespace {

// The melody's notes leave room for a name this long.
static_assert(MaxListNameBytes <= MaxMelodyNameBytes);

std::string CleanName(std::string_view name) {
    std::string clean(name);
    for (char& c : clean)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    clean = std::string(TrimSpaces(clean));
    if (clean.size() > MaxListNameBytes) {
        std::size_t end = MaxListNameBytes;
        while (end > 0 && (static_cast<unsigned char>(clean[end]) & 0xC0) == 0x80) --end;  // not inside a character
        clean = std::string(TrimSpaces(clean.substr(0, end)));
    }
    return clean;
}

}  // namespace

std::string MidiRingtoneName(std::string_view given, std::string_view trackName, const std::filesystem::path& file) {
    for (const std::string& name : {CleanName(given), CleanName(trackName), CleanName(file.stem().string())})
        if (!name.empty() && name != "-") return name;
    return "MIDI";
}

MidiRingtone RingtoneFromMidi(const MidiSong& song, const MidiMelodyOptions& options, std::string_view givenName,
                              const std::filesystem::path& file) {
    const MidiMelody melody = MelodyFromMidi(song, options);
    return {melody.RTTTL(MidiRingtoneName(givenName, melody.trackName, file)), melody.report};
}

}  // namespace tw
