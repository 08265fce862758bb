#pragma once

#include <stdexcept>
#include <string>

namespace tw {

// Every failure of the sound subsystem: a ringtone that cannot be rendered,
// a sound that cannot be written or played. The text is the reason, ready to
// be shown after "error: "; the reason code lets callers tell cases apart.
class SoundError : public std::runtime_error {
public:
    enum class Reason {
        BadTempo,        // the tempo is not a number, out of range, or not above 0
        BadNote,         // a note has no usable pitch or length
        TooShort,        // a tone or pause comes out with no whole cycle or no sample
        TooLong,         // the sound would last more than one hour
        WriteFailed,     // the WAV or MIDI file could not be written
        BadMidiFile,     // a MIDI file is broken or holds no melody to read
        TextTooLong,     // a MIDI melody would be a longer ringtone text than the program reads
        NoMelody,        // a ringtone without a note to write as a MIDI file
        PlayFailed,      // the sound could not be played
        MissingLibrary,  // a library or encoder the sound needs is not installed
        NoVoice,         // no such instrument voice, or its SoundFont cannot be read
    };

    SoundError(Reason reason, const std::string& text) : std::runtime_error(text), reason_(reason) {}

    Reason reason() const noexcept { return reason_; }

private:
    Reason reason_;
};

}  // namespace tw
