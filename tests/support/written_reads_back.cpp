#include "support/written_reads_back.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <sstream>

#include "engine/collection.h"
#include "engine/engine_error.h"
#include "engine/file_format.h"
#include "engine/format_length.h"
#include "engine/format_tempo.h"
#include "engine/ott.h"
#include "engine/ringtone_text.h"
#include "engine/text_rules.h"
#include "session/midi_ringtone.h"
#include "session/ringtone_file.h"
#include "sound/midi_reader.h"
#include "sound/player.h"

namespace tw::test {
namespace {

using Kind = Writer::Kind;

// The c of the composer's first octave (RTTTL's fifth), in hertz.
constexpr double FirstC = 523;

// The octave, in the composer's numbering, that a note's letter is written
// in: a b# composer note keeps the octave of its b.
int LetterOctave(const CNote& note, double frequency) {
    CNote first;
    first.SetComposerBatch("4" + note.Sharp() + ToLowerAscii(note.ComposerNote()) + "1");
    return 1 + static_cast<int>(std::lround(std::log2(frequency / first.SoundFrequency())));
}

// The octave, in the composer's numbering, that a pitch sounds in (c to b).
int PitchOctave(double frequency) { return 1 + static_cast<int>(std::floor(std::log2(frequency / FirstC) + 1e-9)); }

// `frequency`, from `octave`, moved into `lowest` ... `highest`; `moved` when it had to be.
double Within(double frequency, int octave, int lowest, int highest, bool& moved) {
    const int to = std::clamp(octave, lowest, highest);
    moved = moved || to != octave;
    return frequency * std::pow(2.0, to - octave);
}

double LengthOf(std::int32_t duration, bool dotted) { return (dotted ? 1.5 : 1.0) / duration; }

Heard HeardOf(const CNotes& ringtone) {
    Heard heard{ringtone.Name(), ringtone.Tempo(), {}};
    for (const CNote& note : ringtone) {
        HeardNote heardNote;
        heardNote.misread = note.Misread();
        try {
            heardNote.frequency = note.SoundFrequency();
            heardNote.length = note.SoundDuration();
        } catch (const EngineError&) {
        }
        heard.notes.push_back(heardNote);
    }
    return heard;
}

// Adjacent stretches of one pitch (or of silence) become one: a MIDI file
// holds the time between notes, and from-midi ties lengths it cannot write
// as one note.
std::vector<HeardNote> Stretches(const std::vector<HeardNote>& notes) {
    std::vector<HeardNote> stretches;
    for (const HeardNote& note : notes) {
        if (!stretches.empty() && stretches.back().frequency == note.frequency) stretches.back().length += note.length;
        else stretches.push_back({note.frequency, note.length, false});
    }
    return stretches;
}

// The notations keep a note's pitch and length as text; the keypresses hold
// the composer's durations and octaves and no dotted pause (written without
// its dot, as documented), and the composer text of a note read as RTTTL
// holds its nearest composer octave. `composerNumbers`: the ringtone was read
// in the composer's numbering; `viaList`: it is written from its list entry.
void ExpectText(const CNotes& source, Notation target, bool composerNumbers, bool viaList, RoundTrip& trip) {
    const Heard sounds = HeardOf(source);
    for (const CNote& note : source) {
        HeardNote heard = sounds.notes.at(trip.expected.notes.size());
        if (note.Misread() || target == Notation::RTTTL) {
            trip.expected.notes.push_back(heard);
            continue;
        }
        const bool pause = note.ComposerNote() == "-";
        // Read as RTTTL, a b# is the c above; a composer note keeps its name.
        if (!pause && (target == Notation::Keypresses || !composerNumbers)) {
            const int octave = composerNumbers ? LetterOctave(note, heard.frequency) : PitchOctave(heard.frequency);
            heard.frequency = Within(heard.frequency, octave, 1, 3, trip.changed);
        }
        if (target == Notation::Keypresses) {
            const std::int32_t duration = ToInt32(note.ComposerDuration());
            const auto nearest =
                static_cast<std::int32_t>(1 << std::clamp(std::lround(std::log2(double(duration))), 0L, 5L));
            trip.changed = trip.changed || nearest != duration;
            heard.length = LengthOf(nearest, !pause && !note.ComposerDotted().empty());
        }
        trip.expected.notes.push_back(heard);
    }
    // A text of one token needs no separator, but one that is no note reads
    // as no note at all (and says so); the keypresses enter it as a key, but
    // the list entry is RTTTL text.
    if ((target != Notation::Keypresses || viaList) && trip.expected.notes.size() == 1 &&
        trip.expected.notes.front().misread)
        trip.expected.notes.clear();
}

// iMelody and a ringing tone: each note that was read as one, at the nearest
// of their octaves and lengths; a note read as no note is left out.
void ExpectHandsetFile(const CNotes& source, int lowestRTTTLOctave, int highestRTTTLOctave, RoundTrip& trip) {
    const Heard heard = HeardOf(source);
    std::size_t instructions = 2;  // style and tempo
    std::optional<int> scale;
    for (std::size_t i = 0; i < heard.notes.size(); ++i) {
        const CNote& note = source.Notes()[i];
        HeardNote expected = heard.notes[i];
        if (note.Misread()) {
            trip.changed = true;
            continue;
        }
        bool exact = true;
        const EngineLength length =
            EngineLengthOf(NearestFormatLength(ToInt32(note.ComposerDuration()), !note.RTTTLDotted().empty(), exact));
        expected.length = LengthOf(length.duration, length.dotted);
        trip.changed = trip.changed || expected.length != heard.notes[i].length;
        if (expected.frequency > 0) {
            const int octave = PitchOctave(expected.frequency) + 4;
            expected.frequency =
                Within(expected.frequency, octave, lowestRTTTLOctave, highestRTTTLOctave, trip.changed);
            const int written = std::clamp(octave, lowestRTTTLOctave, highestRTTTLOctave);
            if (scale != written) ++instructions;
            scale = written;
        }
        ++instructions;
        trip.expected.notes.push_back(expected);
    }
    trip.mustRefuse = trip.expected.notes.empty();
    if (lowestRTTTLOctave == 4) trip.mustRefuse = trip.mustRefuse || instructions > 255;
}

// A Flipper Music Format file: each note that was read as one, at the
// nearest of its octaves (RTTTL's 0 to 16) and durations (1 to 128), dot and
// all; a note read as no note is left out.
void ExpectFmf(const CNotes& source, RoundTrip& trip) {
    const Heard heard = HeardOf(source);
    for (std::size_t i = 0; i < heard.notes.size(); ++i) {
        const CNote& note = source.Notes()[i];
        HeardNote expected = heard.notes[i];
        if (note.Misread()) {
            trip.changed = true;
            continue;
        }
        const std::int32_t duration = ToInt32(note.ComposerDuration());
        const std::int32_t nearest = std::clamp(duration, 1, 128);
        if (nearest != duration) {
            expected.length = LengthOf(nearest, !note.RTTTLDotted().empty());
            trip.changed = true;
        }
        if (expected.frequency > 0) {
            const int octave = PitchOctave(expected.frequency) + 4;
            expected.frequency = Within(expected.frequency, octave, 0, 16, trip.changed);
        }
        trip.expected.notes.push_back(expected);
    }
    trip.mustRefuse = trip.expected.notes.empty();
}

// The tempo a MIDI file of `tempo` reads back with: whole microseconds a
// quarter note, read back to the nearest whole beat, never beyond 32767.
std::int32_t MidiTempo(std::int32_t tempo) {
    std::int32_t best = 0;
    const long nearest = std::lround(60'000'000.0 / tempo);
    for (long microseconds = nearest - 1; microseconds <= nearest + 1; ++microseconds) {
        const auto back = static_cast<std::int32_t>(std::lround(60'000'000.0 / static_cast<double>(microseconds)));
        if (back <= 32767 && std::abs(back - tempo) < std::abs(best - tempo)) best = back;
    }
    return best;
}

// MIDI: every note at its pitch, moved by octaves into the 128 keys, and
// every note and pause at its length. from-midi reads lengths in 64ths of a
// whole note, leaves out notes shorter than a 32nd and says what it moved:
// only a ringtone whose stretches are whole 64ths, two or more, is compared
// note by note, and one without a note of a 32nd or more is refused.
void ExpectMidi(const CNotes& source, RoundTrip& trip) {
    const std::optional<std::int32_t> tempo = TempoNumber(source.Tempo());
    if (!tempo || *tempo < 4 || *tempo > 32767) trip.mustRefuse = true;
    else trip.expected.tempo = std::to_string(MidiTempo(*tempo));
    trip.changed = trip.changed || trip.expected.tempo != source.Tempo();
    std::vector<HeardNote> notes;
    bool anyPitch = false;
    for (const CNote& note : source) {
        HeardNote heard;
        try {
            heard.frequency = note.SoundFrequency();
            heard.length = note.SoundDuration();
        } catch (const EngineError&) {
            trip.mustRefuse = true;
            continue;
        }
        if (!(heard.length > 0)) trip.mustRefuse = true;
        if (heard.frequency > 0) {
            const long key = std::lround(69 + 12 * std::log2(heard.frequency / 440.0));
            const long down = key > 127 ? (key - 116) / 12 : 0;  // whole octaves, as few as take it to 127
            const long up = key < 0 ? (11 - key) / 12 : 0;
            heard.frequency *= std::pow(2.0, static_cast<double>(up - down));
            trip.changed = trip.changed || up + down > 0;
            anyPitch = anyPitch || heard.length >= 1.0 / 32;
        }
        notes.push_back(heard);
    }
    trip.mustRefuse = trip.mustRefuse || !anyPitch;
    trip.expected.notes = Stretches(notes);
    const auto onGrid = [](const HeardNote& note) {
        const double sixtyFourths = note.length * 64;
        return sixtyFourths == std::floor(sixtyFourths) && (note.frequency == 0 || sixtyFourths >= 2);
    };
    const auto longEnough = [](const HeardNote& stretch) { return stretch.length * 64 >= 2; };
    trip.compareNotes = std::all_of(notes.begin(), notes.end(), onGrid) &&
                        std::all_of(trip.expected.notes.begin(), trip.expected.notes.end(), longEnough);
}

RoundTrip Expect(const CNotes& source, Notation readFrom, const Writer& writer) {
    RoundTrip trip;
    trip.expected.name = source.Name();
    trip.expected.tempo = source.Tempo();
    const std::optional<std::int32_t> tempo = TempoNumber(source.Tempo());
    switch (writer.kind) {
    case Kind::Text: ExpectText(source, writer.notation, readFrom != Notation::RTTTL, false, trip); break;
    // A list holds the RTTTL text; the export reads it again.
    case Kind::ListEntry: ExpectText(source, Notation::RTTTL, false, true, trip); break;
    case Kind::ListExport: ExpectText(source, writer.notation, false, true, trip); break;
    case Kind::IMelody:
        ExpectHandsetFile(source, 1, 9, trip);
        trip.expected.tempo = tempo ? std::to_string(std::clamp(*tempo, 25, 900)) : "120";
        break;
    case Kind::Ott: {
        ExpectHandsetFile(source, 4, 7, trip);
        const std::int32_t wanted = tempo.value_or(63);
        std::int32_t nearest = OttTempos.front();
        for (std::int32_t standard : OttTempos)
            if (std::abs(standard - wanted) < std::abs(nearest - wanted)) nearest = standard;
        trip.expected.tempo = std::to_string(nearest);
        trip.expected.name = source.Name().substr(0, 15);
        break;
    }
    case Kind::Fmf:
        ExpectFmf(source, trip);
        trip.expected.tempo = tempo ? std::to_string(std::clamp(*tempo, 1, 32767)) : "120";
        break;
    case Kind::Midi: ExpectMidi(source, trip); break;
    }
    trip.changed = trip.changed || trip.expected.tempo != source.Tempo() || trip.expected.name != source.Name();
    return trip;
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& lines) {
    to.insert(to.end(), lines.begin(), lines.end());
}

// Saves the ringtone as `form` into `file` through the session, and gives
// the bytes written; nothing when the session refused (`trip.refusal`).
std::optional<std::string> Save(RingtoneSession& session, SaveForm form, const std::filesystem::path& file,
                                RoundTrip& trip) {
    std::filesystem::remove(file);
    NullPlayer player;
    try {
        Append(trip.reports, session.SaveRingtone(form, file, player));
    } catch (const SessionError& e) {
        trip.refusal = e.what();
        trip.leftAFile = std::filesystem::exists(file);
        return std::nullopt;
    }
    return ReadRingtoneBytes(file).value_or("");
}

// Writes with `writer` and reads back into `back`, as the program does.
void WriteAndRead(RingtoneSession& session, const Writer& writer, const std::filesystem::path& folder, CNotes& back,
                  RoundTrip& trip) {
    const std::filesystem::path file = folder / "written";
    switch (writer.kind) {
    case Kind::Text:
    case Kind::IMelody:
    case Kind::Ott: {
        const FileFormat format = writer.kind == Kind::Text      ? FormatOf(writer.notation)
                                  : writer.kind == Kind::IMelody ? FileFormat::IMelody
                                                                 : FileFormat::Ott;
        if (const std::optional<std::string> bytes = Save(session, format, file, trip))
            ReadRingtoneAs(back, format, NotationOf(format) ? JoinLines(*bytes) : *bytes);
        return;
    }
    case Kind::Fmf: {
        // The window offers the ringtone's name as the file's.
        FileReadOptions named;
        named.fileName = session.Ringtone().Name();
        if (const std::optional<std::string> bytes = Save(session, FileFormat::Fmf, file, trip))
            ReadRingtoneAs(back, FileFormat::Fmf, *bytes, named);
        return;
    }
    case Kind::Midi:
        if (const std::optional<std::string> bytes = Save(session, SoundFileType::Midi, file, trip)) {
            const MidiRingtone midi = RingtoneFromMidi(ReadMidi(*bytes), {}, "", file);
            Append(trip.reports, ReportLines(midi.report));
            back.SetFull_RTTTL(midi.rtttl);
        }
        return;
    case Kind::ListEntry:
        session.Store();
        session.ReadSnapshot().Load(session.Ringtone().Name(), back);
        return;
    case Kind::ListExport: {
        ExportChoices choices;
        choices.Export = {writer.notation == Notation::RTTTL, writer.notation == Notation::Composer,
                          writer.notation == Notation::Keypresses};
        choices.RawCodeList = true;
        const std::string text = session.ExportText(choices, std::tm{}, trip.reports);
        const std::vector<CollectedRingtone> collected = SplitCollection(text);
        if (collected.size() != 1)
            throw std::runtime_error("the export holds " + std::to_string(collected.size()) + " ringtones, not 1");
        ReadGivenRingtone(back, writer.notation, collected.front().text);
        return;
    }
    }
}

std::string NoteText(const HeardNote& note) {
    std::ostringstream text;
    if (note.misread) text << "no note";
    else text << note.frequency << " Hz, " << note.length;
    return text.str();
}

}  // namespace

void PrintTo(const Writer& writer, std::ostream* out) {
    switch (writer.kind) {
    case Kind::Text: *out << NotationName(writer.notation) << " text"; break;
    case Kind::IMelody: *out << "iMelody"; break;
    case Kind::Ott: *out << "Smart Messaging"; break;
    case Kind::Fmf: *out << "Flipper Music Format"; break;
    case Kind::Midi: *out << "MIDI"; break;
    case Kind::ListEntry: *out << "list entry"; break;
    case Kind::ListExport: *out << NotationName(writer.notation) << " list export"; break;
    }
    if (writer.kind == Kind::Text || writer.kind == Kind::ListEntry || writer.kind == Kind::ListExport)
        *out << " separated by \"" << writer.separator << "\"";
}

std::vector<Writer> EveryWriter() {
    std::vector<Writer> writers{{Kind::IMelody}, {Kind::Ott}, {Kind::Fmf}, {Kind::Midi}};
    for (const char* separator : {" ", ", ", ","}) {
        for (const Notation notation : {Notation::RTTTL, Notation::Composer, Notation::Keypresses}) {
            writers.push_back({Kind::Text, notation, separator});
            writers.push_back({Kind::ListExport, notation, separator});
        }
        writers.push_back({Kind::ListEntry, Notation::RTTTL, separator});
    }
    return writers;
}

RoundTrip WriteAndReadBack(RingtoneSession& session, Notation readFrom, const Writer& writer,
                           const std::filesystem::path& folder) {
    CNotes& ringtone = session.Ringtone();
    const std::string separator = ringtone.OutputSeparator();
    ringtone.SetOutputSeparator(writer.separator);
    RoundTrip trip = Expect(ringtone, readFrom, writer);
    trip.reports = ringtone.ErrorLines();
    CNotes back;
    back.SetOutputSeparator(", ");
    try {
        WriteAndRead(session, writer, folder, back, trip);
        if (!trip.refusal) trip.readBack = HeardOf(back);
    } catch (const std::exception& e) {
        trip.readFailure = e.what();
    }
    ringtone.SetOutputSeparator(separator);
    if (writer.kind == Kind::ListEntry) session.Store();
    if (writer.kind == Kind::Midi && !trip.refusal) trip.readBack.notes = Stretches(trip.readBack.notes);
    return trip;
}

std::string Fault(const RoundTrip& trip) {
    std::ostringstream fault;
    if (trip.refusal) {
        if (!trip.mustRefuse) fault << "refused: " << *trip.refusal << "\n";
        if (trip.refusal->empty()) fault << "refused without saying why\n";
        if (trip.leftAFile) fault << "refused, but wrote a file\n";
        return fault.str();
    }
    if (trip.mustRefuse) fault << "wrote what it cannot hold instead of refusing\n";
    if (trip.readFailure) return fault.str() + "could not be read back: " + *trip.readFailure + "\n";
    const Heard& expected = trip.expected;
    const Heard& back = trip.readBack;
    if (back.name != expected.name) fault << "name \"" << back.name << "\", not \"" << expected.name << "\"\n";
    if (back.tempo != expected.tempo) fault << "tempo " << back.tempo << ", not " << expected.tempo << "\n";
    if (trip.compareNotes && back.notes.size() != expected.notes.size())
        fault << back.notes.size() << " notes read back, not " << expected.notes.size() << "\n";
    else if (trip.compareNotes)
        for (std::size_t i = 0; i < expected.notes.size(); ++i)
            if (!expected.notes[i].misread && back.notes[i] != expected.notes[i])
                fault << "note " << i + 1 << ": " << NoteText(back.notes[i]) << ", not " << NoteText(expected.notes[i])
                      << "\n";
    if (trip.changed && trip.reports.empty()) fault << "holds only the nearest, and nothing said so\n";
    return fault.str();
}

}  // namespace tw::test
