#include "engine/cnotes.h"

#include <algorithm>

#include "engine/engine_error.h"
#include "engine/ringtone_name.h"
#include "engine/ringtone_text.h"
#include "engine/text_rules.h"

namespace tw {
namespace {

const char* const NoSeparator = "no separator";

// The note state as numbers while a run of RTTTL notes is read
// (CNote::PlainState): none when the notes are no RTTTL or a text of the
// state is no plain number. The state's texts are written back when the run
// ends, however it ends.
struct PlainRun {
    PlainRun(NoteState& noteState, bool rtttl) : noteState(noteState), rtttl(rtttl) { Take(); }
    PlainRun(const PlainRun&) = delete;
    PlainRun& operator=(const PlainRun&) = delete;
    ~PlainRun() { Store(); }
    // The texts, once notes read some other way may have changed them.
    void Take() {
        if (rtttl) state = CNote::PlainState::Of(noteState);
    }
    // Writes the numbers back, before the texts are read.
    void Store() {
        if (state) state->StoreInto(noteState);
        state.reset();
    }
    NoteState& noteState;
    const bool rtttl;
    std::optional<CNote::PlainState> state;
};

// A keypress text is read as prepared, with a comma before each key
// (PrepareKeypresses): up to twice the length of the text as given.
void CheckLength(std::string_view text, Notation notation = Notation::RTTTL) {
    if (notation != Notation::Keypresses) return CheckReadable(text);
    constexpr std::size_t limit = 2 * MaxRingtoneText;
    if (text.size() > limit)
        throw EngineError(EngineError::Reason::TooLong,
                          TooLargeText("The keypress text, with a comma before every key, is", text.size(), limit,
                                       "a keypress text as it is read") +
                              ".");
}

}  // namespace

CNotes::CNotes() : CNotes(std::make_shared<NoteState>()) {}

CNotes::CNotes(std::shared_ptr<NoteState> state) : state_(std::move(state)) {}

void CNotes::Clear() {
    NoteState& state = *state_;
    state.DefaultDuration = "4";
    state.DefaultOctave = "5";
    state.LastKeyDuration = "4";
    state.LastKeyOctave = "1";
    state.KeyNoteDuration = "4";
    state.KeyOctave = "1";
    name_.clear();
    nameChanges_.clear();
    tempo_ = "125";
    nameFound_ = durationFound_ = octaveFound_ = tempoFound_ = separatorFound_ = notesValid_ = false;
    // Room for a ringtone of the usual size stays for the next read; the
    // room a very long one took is given back.
    constexpr std::size_t keptRoom = 4096;
    if (noteList_.capacity() > keptRoom) noteList_ = {};
    else noteList_.clear();
}

void CNotes::SetGivenName(std::string_view name) {
    FittedName fitted = FitRingtoneName(name);
    name_ = fitted.name.empty() ? std::string("No name") : std::move(fitted.name);
    nameChanges_ = std::move(fitted.changes);
}

std::string CNotes::Full_RTTTL() const {
    std::string text = name_ + ":d=" + state_->DefaultDuration + ",o=" + state_->DefaultOctave + ",b=" + tempo_ + ":";
    WriteNotes(Notation::RTTTL, text);
    return text;
}

std::string CNotes::Full_Composer() const {
    std::string text = name_ + ":Tempo=" + tempo_ + ":";
    WriteNotes(Notation::Composer, text);
    return text;
}

std::string CNotes::Full_Keypresses() const {
    std::string text = name_ + ":Tempo=" + tempo_ + ":";
    WriteNotes(Notation::Keypresses, text);
    return text;
}

void CNotes::SetFull_RTTTL(std::string_view text) {
    CheckLength(text);
    ReadWhole(text, Notation::RTTTL);
}

void CNotes::SetFull_Composer(std::string_view text) {
    CheckLength(text);
    ReadWhole(text, Notation::Composer);
}

void CNotes::SetFull_Keypresses(std::string_view text) {
    CheckLength(text, Notation::Keypresses);
    ReadWhole(text, Notation::Keypresses);
}

// Header first (name, then d= and o= for RTTTL, then the tempo), the notes
// after it. Composer and keypress texts keep the defaults d=4 and o=5. An
// RTTTL text with a control section ("name:d=8,b=90:") reads it in any
// order; one without is read as the other notations' headers are.
void CNotes::ReadWhole(std::string_view text, Notation notation) {
    Clear();
    std::string rest = CleanRingtoneText(text);
    if (notation == Notation::RTTTL && ReadControlSection(rest)) {
        ReadNotes(std::move(rest), notation);
        return;
    }
    SetGivenName(ParseName(rest));
    if (notation == Notation::RTTTL) {
        state_->DefaultDuration = ParseDefaultDuration(rest);
        state_->DefaultOctave = ParseDefaultOctave(rest);
    }
    tempo_ = ParseTempo(rest);
    if (notation != Notation::RTTTL) durationFound_ = octaveFound_ = true;
    ReadNotes(std::move(rest), notation);
}

void CNotes::SetOnly_RTTTL(std::string_view text) { ReadNotes(std::string(text), Notation::RTTTL); }
void CNotes::SetOnly_Composer(std::string_view text) { ReadNotes(std::string(text), Notation::Composer); }
void CNotes::SetOnly_Keypresses(std::string_view text) { ReadNotes(std::string(text), Notation::Keypresses); }

std::string CNotes::Only_RTTTL() const { return Only(Notation::RTTTL); }
std::string CNotes::Only_Composer() const { return Only(Notation::Composer); }
std::string CNotes::Only_Keypresses() const { return Only(Notation::Keypresses); }

std::string CNotes::Full(Notation notation) const {
    switch (notation) {
    case Notation::RTTTL: return Full_RTTTL();
    case Notation::Composer: return Full_Composer();
    case Notation::Keypresses: return Full_Keypresses();
    }
    return {};
}

void CNotes::SetFull(Notation notation, std::string_view text) {
    CheckLength(text, notation);
    ReadWhole(text, notation);
}

std::string CNotes::Only(Notation notation) const {
    std::string text;
    WriteNotes(notation, text);
    return text;
}

// The separator search runs on the text as given; the notes are read from the
// cleaned text. A ringtone of one note needs no separator, but a text without
// one that is no single note keeps the separator message. Keypresses are
// completed by reading the ringtone again from its own composer text, which
// fills the RTTTL fields and fresh keypresses.
void CNotes::ReadNotes(std::string text, Notation notation) {
    std::string notes;
    if (notation == Notation::RTTTL) {
        notes = PublishedRTTTLNotes(std::move(text));
    } else {
        inputSeparator_ = FindSeparator(text);
        notes = CleanRingtoneText(text);
        text = {};
    }
    const bool separated = inputSeparator_ != NoSeparator;
    if (TrimSpaces(notes).empty()) {
        separatorFound_ = false;
        return;
    }
    separatorFound_ = true;
    notesValid_ = true;
    AddNotes(notes, notation);
    if (!separated && noteList_.front().Misread()) {
        noteList_.clear();
        separatorFound_ = notesValid_ = false;
        return;
    }
    if (notation == Notation::Keypresses) {
        // The name is fit already; what made it so stays reported.
        std::vector<std::string> nameChanges = std::move(nameChanges_);
        ReadWhole(Full_Composer(), Notation::Composer);
        nameChanges_ = std::move(nameChanges);
    }
}

// RTTTL notes as published: blanks and line breaks anywhere (between notes
// only where a space is the separator) and any number of separators after
// the last note. The separator is found first, as it would be once the
// blanks are spaces; then one pass takes out the line breaks, and the spaces
// unless they separate the notes.
std::string CNotes::PublishedRTTTLNotes(std::string notes) {
    const bool blank = notes.find_first_of(" \t\v\f") != std::string::npos;
    inputSeparator_ = FindSeparator(notes);
    if (inputSeparator_ == NoSeparator && blank) inputSeparator_ = " ";
    const bool keepSpaces = inputSeparator_ == " ";
    auto kept = notes.begin();
    for (char c : notes) {
        if (c == '\r' || c == '\n') continue;
        if (c == '\t' || c == '\v' || c == '\f') c = ' ';
        if (c == ' ' && !keepSpaces) continue;
        *kept++ = c;
    }
    notes.erase(kept, notes.end());
    if (inputSeparator_ != NoSeparator)
        while (notes.ends_with(inputSeparator_)) notes.resize(notes.size() - inputSeparator_.size());
    return notes;
}

// The first of comma, bar, slash, backslash and space that the text holds,
// else NoSeparator.
std::string CNotes::FindSeparator(std::string_view text) {
    for (const char* separator : {",", "|", "/", "\\", " "})
        if (text.find(separator) != std::string_view::npos) return separator;
    return NoSeparator;
}

// Cuts the text at each InputSeparator, trimming what is left before every
// cut, and reads each token into a new note. A note is in the list before it
// is read, so one that fails keeps the fields set so far; reading goes on.
void CNotes::AddNotes(std::string_view text, Notation notation) {
    // One note for each token, so that a long ringtone takes no more room than it needs.
    const bool oneCharacter = inputSeparator_.size() == 1;
    const char separator = oneCharacter ? inputSeparator_.front() : '\0';
    std::size_t tokens = 1;
    if (oneCharacter) {
        tokens += static_cast<std::size_t>(std::count(text.begin(), text.end(), separator));
    } else if (!inputSeparator_.empty()) {
        for (std::size_t at = text.find(inputSeparator_); at != std::string_view::npos;
             at = text.find(inputSeparator_, at + inputSeparator_.size()))
            ++tokens;
    }
    const std::size_t needed = noteList_.size() + tokens;
    if (needed > noteList_.capacity()) noteList_.reserve(std::max(needed, 2 * noteList_.capacity()));
    // A token is a few bytes: the separator is looked for byte by byte.
    const auto find = [&](std::string_view in) {
        if (!oneCharacter) return in.find(inputSeparator_);
        for (std::size_t at = 0; at < in.size(); ++at)
            if (in[at] == separator) return at;
        return std::string_view::npos;
    };
    // RTTTL notes are read with the note state as numbers, stored back as
    // text before any note the plain reader leaves to the setters, and at the end.
    PlainRun plain(*state_, notation == Notation::RTTTL);
    std::string_view rest = text;
    for (;;) {
        if (!rest.empty() && (rest.front() == ' ' || rest.back() == ' ')) rest = TrimSpaces(rest);
        const std::size_t cut = find(rest);
        const std::string_view token = rest.substr(0, cut);
        CNote& note = noteList_.emplace_back(*state_, CNote::RingtoneKey{});
        if (plain.state && note.SetPlainRTTTLBatch(token, *plain.state)) {
            if (note.Misread()) notesValid_ = false;
        } else {
            plain.Store();
            try {
                switch (notation) {
                case Notation::RTTTL: note.SetRTTTLBatch(token); break;
                case Notation::Composer: note.SetComposerBatch(token); break;
                case Notation::Keypresses: note.SetKeypressBatch(token); break;
                }
                if (note.Misread()) notesValid_ = false;
            } catch (const EngineError&) {
                if (!note.Misread()) note.AddProblem(token, "not a note", true);
                notesValid_ = false;
            }
            plain.Take();
        }
        if (cut == std::string_view::npos) break;
        rest.remove_prefix(cut + inputSeparator_.size());
    }
}

// Adds the notes to the end of `out`, the output separator between them:
// each note's text written straight into the output, which grows as needed.
void CNotes::WriteNotes(Notation notation, std::string& out) const {
    if (noteList_.empty()) return;
    const std::string_view separator = outputSeparator_;
    // The room one note takes at most, with its separator.
    const std::size_t room = CNote::LongestShortText + separator.size();
    constexpr std::size_t usualNoteText = 8;  // "16.#c2" and a few keys
    std::size_t at = out.size();
    out.resize(at + noteList_.size() * (usualNoteText + separator.size()) + room);
    std::string aside;
    for (const CNote& note : noteList_) {
        if (note.HasAsideTexts()) {
            aside.clear();
            switch (notation) {
            case Notation::RTTTL: note.AppendRTTTLText(aside); break;
            case Notation::Composer: note.AppendComposerText(aside); break;
            case Notation::Keypresses: note.AppendKeypresses(aside); break;
            }
            if (out.size() - at < aside.size() + room) out.resize(std::max(2 * out.size(), at + aside.size() + room));
            at = static_cast<std::size_t>(
                std::copy(aside.begin(), aside.end(), out.begin() + static_cast<std::ptrdiff_t>(at)) - out.begin());
        } else {
            if (out.size() - at < room) out.resize(2 * out.size());
            char* const begin = out.data() + at;
            char* end = begin;
            switch (notation) {
            case Notation::RTTTL: end = note.PutRTTTLText(begin); break;
            case Notation::Composer: end = note.PutComposerText(begin); break;
            case Notation::Keypresses: end = note.PutKeypresses(begin); break;
            }
            at += static_cast<std::size_t>(end - begin);
        }
        for (char c : separator) out[at++] = c;
    }
    out.resize(at - separator.size());
}

const CNote& CNotes::Item(std::int32_t index) const {
    if (index < 1 || index > Count())
        throw EngineError(EngineError::Reason::NoSuchNote, "There is no note " + std::to_string(index) + ".");
    return noteList_[static_cast<std::size_t>(index - 1)];
}

CNote& CNotes::Item(std::int32_t index) { return const_cast<CNote&>(static_cast<const CNotes&>(*this).Item(index)); }

std::int32_t CNotes::Count() const { return static_cast<std::int32_t>(noteList_.size()); }

void CNotes::Delete(std::int32_t index) {
    Item(index);
    noteList_.erase(noteList_.begin() + (index - 1));
}

}  // namespace tw
