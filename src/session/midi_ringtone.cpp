#include "session/midi_ringtone.h"

#include "engine/text_rules.h"
#include "lists/list_names.h"

namespace tw {
namespace {

// The name cut to MaxListNameBytes, never inside a UTF-8 character.
std::string_view CutToListName(std::string_view name) {
    if (name.size() <= MaxListNameBytes) return name;
    std::size_t end = MaxListNameBytes;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    return name.substr(0, end);
}

}  // namespace

FittedName MidiRingtoneName(std::string_view given, std::string_view trackName, const std::filesystem::path& file) {
    const std::string stem = file.stem().string();
    for (std::string_view name : {given, trackName, std::string_view(stem)}) {
        // "-" is standard input, no name.
        if (TrimBlanks(name) == "-") continue;
        FittedName fitted = FitRingtoneName(CutToListName(name));
        if (!fitted.name.empty()) return fitted;
    }
    return {"MIDI", {}};
}

MidiRingtone RingtoneFromMidi(const MidiSong& song, const MidiMelodyOptions& options, std::string_view givenName,
                              const std::filesystem::path& file) {
    const MidiMelody melody = MelodyFromMidi(song, options);
    FittedName name = MidiRingtoneName(givenName, melody.trackName, file);
    return {melody.RTTTL(name.name), melody.report, std::move(name.changes)};
}

}  // namespace tw
