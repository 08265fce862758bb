#include "session/midi_ringtone.h"

#include "engine/text_rules.h"
#include "lists/list_names.h"

namespace tw {
namespace {

// The melody's notes leave room for a name this long.
static_assert(MaxListNameBytes <= MaxMelodyNameBytes);

// The name cut to MaxListNameBytes, never inside a UTF-8 character.
std::string_view CutToListName(std::string_view name) {
    if (name.size() <= MaxListNameBytes) return name;
    std::size_t end = MaxListNameBytes;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    return name.substr(0, end);
}

}  // namespace

MidiName MidiRingtoneName(std::string_view given, std::string_view songTitle, std::string_view trackName,
                          const std::filesystem::path& file) {
    const std::string fileName = file.stem().string();
    const std::pair<std::string_view, MidiNameSource> candidates[] = {
        {given, MidiNameSource::Given},
        {songTitle, MidiNameSource::SongTitle},
        {fileName, MidiNameSource::FileName},
        {trackName, MidiNameSource::TrackName},
    };
    for (const auto& [candidate, source] : candidates) {
        if (TrimBlanks(candidate) == "-") continue;  // standard input, no name
        FittedName fitted = FitRingtoneName(CutToListName(candidate));
        if (!fitted.name.empty()) return {std::move(fitted.name), source, std::move(fitted.changes)};
    }
    return {"MIDI", MidiNameSource::None, {}};
}

MidiRingtone RingtoneFromMidi(const MidiSong& song, const MidiMelodyOptions& options, std::string_view givenName,
                              const std::filesystem::path& file) {
    const MidiMelody melody = MelodyFromMidi(song, options);
    MidiName name = MidiRingtoneName(givenName, SongTitle(song), melody.trackName, file);
    return {melody.RTTTL(name.text), melody.report, std::move(name)};
}

std::vector<std::string> ReportLines(const MidiRingtone& ringtone) {
    const std::string quoted = "\"" + ringtone.name.text + "\"";
    std::string named;
    switch (ringtone.name.source) {
    case MidiNameSource::Given: named = "The ringtone is named " + quoted + " as given."; break;
    case MidiNameSource::SongTitle: named = "The ringtone is named " + quoted + " after the song's title."; break;
    case MidiNameSource::FileName:
        named = "The ringtone is named " + quoted + " after the file, as the song has no title.";
        break;
    case MidiNameSource::TrackName:
        named = "The ringtone is named " + quoted + " after its track, the only name there is.";
        break;
    case MidiNameSource::None: named = "The ringtone is named " + quoted + ": the song has no name."; break;
    }
    std::vector<std::string> lines{named};
    lines.insert(lines.end(), ringtone.name.changes.begin(), ringtone.name.changes.end());
    for (std::string& line : ReportLines(ringtone.report)) lines.push_back(std::move(line));
    return lines;
}

}  // namespace tw
