#include "engine/transpose.h"

#include <cstdint>

#include "engine/cnotes.h"
#include "engine/engine_error.h"
#include "engine/octave_fit.h"
#include "engine/plain_note.h"

namespace tw {
namespace {

constexpr std::int32_t LowestShapedSemitone = 12 * LowestShapedOctave;
constexpr std::int32_t HighestShapedSemitone = 12 * HighestShapedOctave + 11;

// The note's text with the given length, letter, sharp and octave, as the
// RTTTL reader takes it; a pause has no octave.
std::string NoteToken(const std::string& duration, bool dotted, std::optional<std::int32_t> semitone) {
    std::string token = duration;
    if (!semitone) {
        token += 'p';
        if (dotted) token += '.';
        return token;
    }
    bool sharp = false;
    token += SemitoneLetter(StepOf(*semitone), sharp);
    if (sharp) token += '#';
    if (dotted) token += '.';
    token += std::to_string(OctaveOf(*semitone));
    return token;
}

// The header of the ringtone's RTTTL text, as it writes it.
std::string Header(const CNotes& ringtone) {
    return ringtone.Name() + ":d=" + ringtone.DefaultDuration() + ",o=" + ringtone.DefaultOctave() +
           ",b=" + ringtone.Tempo() + ":";
}

// Between two notes: the ringtone's output separator, a comma without one.
std::string Separator(const CNotes& ringtone) {
    return ringtone.OutputSeparator().empty() ? "," : ringtone.OutputSeparator();
}

// Writes the ringtone as its RTTTL text, each note as `write(position,
// note)` gives it (position from 1), or as it is written when that gives
// nothing.
template <class Write>
std::string RewrittenText(const CNotes& ringtone, Write&& write) {
    const std::string separator = Separator(ringtone);
    std::string text = Header(ringtone);
    std::size_t position = 0;
    for (const CNote& note : ringtone) {
        if (position > 0) text += separator;
        ++position;
        if (const std::optional<std::string> token = write(position, note)) text += *token;
        else note.AppendRTTTLText(text);
    }
    return text;
}

std::string ProblemLine(std::size_t position, const CNote& note, const std::string& reason) {
    return "note " + std::to_string(position) + ", " + note.RTTTLText() + ": " + reason;
}

// Refuses a note index the ringtone does not have.
void CheckChoice(const CNotes& ringtone, NoteChoice notes) {
    if (notes && *notes >= ringtone.Notes().size())
        throw EngineError(EngineError::Reason::NoSuchNote, "There is no note " + std::to_string(*notes + 1) + ".");
}

bool Chosen(NoteChoice notes, std::size_t position) { return !notes || *notes + 1 == position; }

// Rewrites the chosen notes (every note for none): `rewrite(position, note,
// plain, problems)` gives a note's new token, or none to leave it as it is,
// and may add a problem line. A chosen token that is not a plain note is
// left with a problem; with `acts` false (a move of nothing) nothing is
// looked at.
template <class Rewrite>
ShapedRingtone ChosenNotesRewritten(const CNotes& ringtone, NoteChoice notes, bool acts, Rewrite&& rewrite) {
    CheckChoice(ringtone, notes);
    ShapedRingtone shaped;
    shaped.rtttl = RewrittenText(ringtone, [&](std::size_t position, const CNote& note) -> std::optional<std::string> {
        if (!acts || !Chosen(notes, position)) return std::nullopt;
        const std::optional<PlainNote> plain = PlainNoteOf(note, ringtone);
        if (!plain) {
            shaped.problems.push_back(ProblemLine(position, note, "not a note, left as it is"));
            return std::nullopt;
        }
        std::optional<std::string> token = rewrite(position, note, *plain, shaped.problems);
        if (token) shaped.changed = true;
        return token;
    });
    return shaped;
}

}  // namespace

ShapedRingtone Transposed(const CNotes& ringtone, int semitones, NoteChoice notes) {
    return ChosenNotesRewritten(
        ringtone, notes, semitones != 0,
        [&](std::size_t position, const CNote& note, const PlainNote& plain,
            std::vector<std::string>& problems) -> std::optional<std::string> {
            if (!plain.semitone) return std::nullopt;
            std::int32_t moved = *plain.semitone + semitones;
            if (moved < LowestShapedSemitone || moved > HighestShapedSemitone) {
                const bool below = moved < LowestShapedSemitone;
                const int octave = below ? LowestShapedOctave : HighestShapedOctave;
                moved = 12 * octave + StepOf(moved);
                problems.push_back(ProblemLine(position, note,
                                               std::string(below ? "below" : "above") + " RTTTL's octaves " +
                                                   std::to_string(LowestShapedOctave) + " to " +
                                                   std::to_string(HighestShapedOctave) + ", written in octave " +
                                                   std::to_string(octave)));
            }
            if (moved == *plain.semitone) return std::nullopt;
            return NoteToken(note.RTTTLDuration(), plain.dotted, moved);
        });
}

ShapedRingtone FittedIntoComposerOctaves(const CNotes& ringtone, NoteChoice notes) {
    CheckChoice(ringtone, notes);
    std::vector<std::int32_t> semitones;
    std::size_t position = 0;
    for (const CNote& note : ringtone) {
        ++position;
        if (!Chosen(notes, position)) continue;
        const std::optional<PlainNote> plain = PlainNoteOf(note, ringtone);
        if (plain && plain->semitone) semitones.push_back(*plain->semitone);
    }
    const int octaves = FittingOctaves(semitones);
    ShapedRingtone shaped = Transposed(ringtone, 12 * octaves, notes);
    shaped.octavesMoved = octaves;
    return shaped;
}

const std::vector<RTTTLLength>& RTTTLLengths() {
    static const std::vector<RTTTLLength> lengths = {{32, false}, {32, true}, {16, false}, {16, true},
                                                     {8, false},  {8, true},  {4, false},  {4, true},
                                                     {2, false},  {2, true},  {1, false},  {1, true}};
    return lengths;
}

namespace {

// Compares two lengths, 1/duration of a whole note and half as long again
// when dotted: below 0 when `a` is the shorter.
int CompareLengths(std::int64_t durationA, bool dottedA, std::int64_t durationB, bool dottedB) {
    // a = (dottedA ? 3 : 2) / (2 durationA); compared crosswise.
    const std::int64_t a = (dottedA ? 3 : 2) * durationB;
    const std::int64_t b = (dottedB ? 3 : 2) * durationA;
    return a < b ? -1 : a > b ? 1 : 0;
}

// The length `steps` of RTTTLLengths away from 1/duration (dotted or not);
// none past the shortest or longest.
std::optional<RTTTLLength> SteppedLength(std::int32_t duration, bool dotted, int steps) {
    const std::vector<RTTTLLength>& lengths = RTTTLLengths();
    const auto count = static_cast<int>(lengths.size());
    // The index of the first length not shorter than the note's, and
    // whether the note's is exactly that one.
    int index = 0;
    while (index < count && CompareLengths(lengths[static_cast<std::size_t>(index)].duration,
                                           lengths[static_cast<std::size_t>(index)].dotted, duration, dotted) < 0)
        ++index;
    const bool exact =
        index < count && CompareLengths(lengths[static_cast<std::size_t>(index)].duration,
                                        lengths[static_cast<std::size_t>(index)].dotted, duration, dotted) == 0;
    // Between two lengths, the first step longer lands on the next longer
    // one (at `index`), the first step shorter on the next shorter one.
    int target = 0;
    if (steps > 0) target = exact ? index + steps : index + steps - 1;
    else target = index + steps;
    if (steps == 0 || target < 0 || target >= count) return std::nullopt;
    return lengths[static_cast<std::size_t>(target)];
}

}  // namespace

ShapedRingtone LengthStepped(const CNotes& ringtone, NoteChoice notes, int steps) {
    return ChosenNotesRewritten(
        ringtone, notes, steps != 0,
        [&](std::size_t position, const CNote& note, const PlainNote& plain,
            std::vector<std::string>& problems) -> std::optional<std::string> {
            const std::optional<RTTTLLength> length = SteppedLength(plain.duration, plain.dotted, steps);
            if (!length) {
                problems.push_back(ProblemLine(
                    position, note, std::string("RTTTL writes no ") + (steps > 0 ? "longer" : "shorter") + " length"));
                return std::nullopt;
            }
            return NoteToken(std::to_string(length->duration), length->dotted, plain.semitone);
        });
}

std::vector<std::string> NoteTokens(const CNotes& ringtone) {
    std::vector<std::string> tokens;
    tokens.reserve(ringtone.Notes().size());
    for (const CNote& note : ringtone) tokens.push_back(note.RTTTLText());
    return tokens;
}

ShapedRingtone NotesRestored(const CNotes& ringtone, const std::vector<std::string>& tokens) {
    ShapedRingtone shaped;
    shaped.changed = tokens != NoteTokens(ringtone);
    shaped.rtttl = Header(ringtone);
    const std::string separator = Separator(ringtone);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        if (i > 0) shaped.rtttl += separator;
        shaped.rtttl += tokens[i];
    }
    return shaped;
}

void ApplyShape(CNotes& ringtone, const ShapedRingtone& shaped) { ringtone.SetFull_RTTTL(shaped.rtttl); }

}  // namespace tw
