#include "session/midi_ringtone.h"

#include "engine/text_rules.h"
#include "lists/list_names.h"

namespace tw {
namespace {

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

MidiName MidiRingtoneName(std::string_view given, std::string_view songTitle, std::string_view trackName,
                          const std::filesystem::path& file) {
    const std::string fileName = file.stem().string();
    const std::pair<std::string_view, MidiNameSource> candidates[] = {
        {given, MidiNameSource::Given},
        {songTitle, MidiNameSource::SongTitle},
        {fileName, MidiNameSource::FileName},  // "-" for standard input
        {trackName, MidiNameSource::TrackName},
    };
    for (const auto& [candidate, source] : candidates)
        if (std::string name = CleanName(candidate); !name.empty() && name != "-") return {std::move(name), source};
    return {"MIDI", MidiNameSource::None};
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
    for (std::string& line : ReportLines(ringtone.report)) lines.push_back(std::move(line));
    return lines;
}

}  // namespace tw
