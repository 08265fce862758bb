#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cnote.h"
#include "engine/notation.h"
#include "engine/note_state.h"

namespace tw {

// One ringtone: name, tempo, the RTTTL defaults, its notes in order, the note
// separators and the flags that record what the last read found. "Full" texts
// carry the header and the notes; "Only" texts the notes alone.
class CNotes {
public:
    CNotes();
    // A ringtone that shares its note state with other ringtone objects.
    explicit CNotes(std::shared_ptr<NoteState> state);
    // A ringtone moves but is not copied: its notes share its note state, and
    // a copy would share it with the original behind the caller's back.
    CNotes(const CNotes&) = delete;
    CNotes& operator=(const CNotes&) = delete;
    CNotes(CNotes&&) noexcept = default;
    CNotes& operator=(CNotes&&) noexcept = default;

    const std::string& InputSeparator() const { return inputSeparator_; }
    void SetInputSeparator(std::string v) { inputSeparator_ = std::move(v); }
    const std::string& OutputSeparator() const { return outputSeparator_; }
    void SetOutputSeparator(std::string v) { outputSeparator_ = std::move(v); }
    const std::string& Name() const { return name_; }
    // Sets the name as it is: a name the program holds already (a list row,
    // a name put back), not one that enters from outside.
    void SetName(std::string name) { name_ = std::move(name); }
    // Names the ringtone with a name that enters from outside (a reader, a
    // person, a MIDI track), made fit for every notation by FitRingtoneName;
    // an empty one becomes "No name". What had to be replaced is reported
    // in NameChanges and ErrorLines until the next read.
    void SetGivenName(std::string_view name);
    const std::vector<std::string>& NameChanges() const { return nameChanges_; }
    const std::string& Tempo() const { return tempo_; }
    void SetTempo(std::string value) { tempo_ = std::move(value); }
    const std::string& DefaultDuration() const { return state_->DefaultDuration; }
    void SetDefaultDuration(std::string v) { state_->DefaultDuration = std::move(v); }
    const std::string& DefaultOctave() const { return state_->DefaultOctave; }
    void SetDefaultOctave(std::string v) { state_->DefaultOctave = std::move(v); }

    // Resets the ringtone, its flags and the shared note state for a new read.
    void Clear();

    // Whole-ringtone texts. The setters throw EngineError (TooLong) without
    // reading anything when the text is over MaxRingtoneText bytes (a
    // keypress text, read as prepared with a comma before each key, twice
    // that), and
    // (BadHeader) when the header cannot be taken apart.
    std::string Full_RTTTL() const;
    void SetFull_RTTTL(std::string_view text);
    std::string Full_Composer() const;
    void SetFull_Composer(std::string_view text);
    std::string Full_Keypresses() const;
    void SetFull_Keypresses(std::string_view text);

    std::string Only_RTTTL() const;
    void SetOnly_RTTTL(std::string_view text);
    std::string Only_Composer() const;
    void SetOnly_Composer(std::string_view text);
    std::string Only_Keypresses() const;
    void SetOnly_Keypresses(std::string_view text);

    // Whole and note-only texts by notation, for callers that hold a choice.
    std::string Full(Notation notation) const;
    void SetFull(Notation notation, std::string_view text);
    std::string Only(Notation notation) const;

    // The problems of the last read as one text, each message ending in CR LF;
    // empty when there is nothing to report.
    std::string ErrorMessage() const;
    // The same problems, one message each: the messages about the whole
    // ringtone first, then one line for each note with a problem
    // ("note 12, 16b4: below the composer's octaves").
    std::vector<std::string> ErrorLines() const;

    bool NameFound() const { return nameFound_; }
    bool DurationFound() const { return durationFound_; }
    bool OctaveFound() const { return octaveFound_; }
    bool TempoFound() const { return tempoFound_; }
    bool SeparatorFound() const { return separatorFound_; }
    bool NotesValid() const { return notesValid_; }

    // The note list. Positions are 1-based; a position with no note throws.
    const CNote& Item(std::int32_t index) const;
    CNote& Item(std::int32_t index);
    std::int32_t Count() const;
    void Delete(std::int32_t index);
    const std::vector<CNote>& Notes() const { return noteList_; }
    auto begin() const { return noteList_.begin(); }
    auto end() const { return noteList_.end(); }

private:
    void ReadWhole(std::string_view text, Notation notation);
    void ReadNotes(std::string text, Notation notation);
    std::string PublishedRTTTLNotes(std::string text);
    bool ReadControlSection(std::string& text);
    void WriteNotes(Notation notation, std::string& out) const;
    std::string ParseName(std::string& text);
    std::string ParseDefaultDuration(std::string& text);
    std::string ParseDefaultOctave(std::string& text);
    std::string ParseTempo(std::string& text);
    static std::string FindSeparator(std::string_view text);
    void AddNotes(std::string_view text, Notation notation);

    std::shared_ptr<NoteState> state_;
    std::string inputSeparator_;
    std::string outputSeparator_;
    std::string name_;
    std::vector<std::string> nameChanges_;
    std::string tempo_;
    bool nameFound_ = false;
    bool durationFound_ = false;
    bool octaveFound_ = false;
    bool tempoFound_ = false;
    bool separatorFound_ = false;
    bool notesValid_ = false;
    std::vector<CNote> noteList_;
};

}  // namespace tw
