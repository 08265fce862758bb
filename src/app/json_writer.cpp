#include "app/json_writer.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <ostream>

#include "engine/cnotes.h"

namespace tw {
namespace {

// A byte that a JSON string holds as it is, whatever the text around it.
bool Plain(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x20 && b < 0x80 && c != '"' && c != '\\';
}

bool AllPlain(std::string_view text) {
    for (char c : text)
        if (!Plain(c)) return false;
    return true;
}

void AppendEscaped(std::string& out, std::string_view text) {
    const bool utf8 = IsValidUtf8(text);
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; continue;
        case '\\': out += "\\\\"; continue;
        case '\n': out += "\\n"; continue;
        case '\r': out += "\\r"; continue;
        case '\t': out += "\\t"; continue;
        default: break;
        }
        if (b < 0x20) {
            static constexpr char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[b >> 4];
            out += hex[b & 0x0F];
        } else if (b >= 0x80 && !utf8) {
            AppendUtf8(out, b);
        } else {
            out += c;
        }
    }
}

// The shortest form of the numbers written last: a ringtone's notes have a
// few pitches and lengths, each written as often as it sounds.
class NumberTexts {
public:
    std::string_view Text(double value) {
        const Entry& entry = Find(std::bit_cast<std::uint64_t>(value), value);
        return {entry.text.data(), entry.size};
    }

private:
    struct Entry {
        std::uint64_t bits = 0;
        bool used = false;
        std::uint8_t size = 0;
        std::array<char, 32> text{};  // to_chars's shortest double is at most 24 bytes
    };
    std::array<Entry, 256> entries_{};  // from the top 8 bits of a hash

    // The entry of the value, made when it is not there: it goes to the first
    // free one of a few places after its own, or replaces the one at its own.
    const Entry& Find(std::uint64_t bits, double value) {
        constexpr std::size_t places = 4;
        const std::size_t home = (bits * 0x9E3779B97F4A7C15U) >> 56;
        std::size_t slot = home;
        for (std::size_t probe = 0; probe < places; ++probe) {
            Entry& entry = entries_[(home + probe) % entries_.size()];
            if (entry.used && entry.bits == bits) return entry;
            if (!entry.used) {
                slot = (home + probe) % entries_.size();
                break;
            }
        }
        const std::string text = JsonNumber(value);
        Entry& entry = entries_[slot];
        entry = {bits, true, static_cast<std::uint8_t>(text.size()), {}};
        text.copy(entry.text.data(), entry.text.size());
        return entry;
    }
};

// The description being written: a piece of fixed size, written out to the
// stream whenever the next text would not fit.
class JsonPiece {
public:
    explicit JsonPiece(std::ostream& out) : out_(out), bytes_(1 << 16, '\0') {}
    JsonPiece(const JsonPiece&) = delete;
    JsonPiece& operator=(const JsonPiece&) = delete;
    ~JsonPiece() = default;

    void Put(std::string_view text) {
        if (text.size() > bytes_.size() - used_) {
            Flush();
            if (text.size() > bytes_.size()) {
                out_.write(text.data(), static_cast<std::streamsize>(text.size()));
                return;
            }
        }
        std::memcpy(bytes_.data() + used_, text.data(), text.size());
        used_ += text.size();
    }
    // A note's text as a JSON string, escaped where it needs it. A text
    // that needs no escape, as a note's nearly always is, is copied and
    // checked in one pass.
    void PutText(std::string_view text) {
        if (text.size() + 2 <= bytes_.size() - used_) {
            char* at = bytes_.data() + used_;
            *at++ = '"';
            bool plain = true;
            for (char c : text) {
                plain = plain && Plain(c);
                *at++ = c;
            }
            if (plain) {
                *at++ = '"';
                used_ = static_cast<std::size_t>(at - bytes_.data());
                return;
            }
        }
        Put("\"");
        if (AllPlain(text)) {
            Put(text);
        } else {
            std::string escaped;
            AppendEscaped(escaped, text);
            Put(escaped);
        }
        Put("\"");
    }
    // Room for `size` bytes at the end of the piece, written out first when
    // there is not; what is put there counts once Keep is given its end.
    char* Room(std::size_t size) {
        if (size > bytes_.size() - used_) Flush();
        return bytes_.data() + used_;
    }
    void Keep(const char* end) { used_ = static_cast<std::size_t>(end - bytes_.data()); }
    // What is written so far and not yet written out.
    std::string_view Written() const { return {bytes_.data(), used_}; }
    void Flush() {
        out_.write(bytes_.data(), static_cast<std::streamsize>(used_));
        used_ = 0;
        ++flushes_;
    }
    // How often the piece was written out.
    std::size_t Flushes() const { return flushes_; }

private:
    std::ostream& out_;
    std::string bytes_;
    std::size_t used_ = 0;
    std::size_t flushes_ = 0;
};

template <class Measure>
void PutMeasure(JsonPiece& json, NumberTexts& numbers, Measure&& measure) {
    double value = 0;
    try {
        value = measure();
    } catch (const std::exception&) {
        json.Put("null");
        return;
    }
    json.Put(numbers.Text(value));
}

// One text of a note as a JSON string. A note that keeps no text aside
// writes it in place; a text that would need an escape, and a note's text
// kept aside, go through `scratch`.
void PutNoteText(JsonPiece& json, const CNote& note, char* (CNote::*put)(char*) const,
                 void (CNote::*append)(std::string&) const, std::string& scratch) {
    if (!note.HasAsideTexts()) {
        char* const start = json.Room(CNote::LongestShortText + 2);
        *start = '"';
        char* const end = (note.*put)(start + 1);
        if (AllPlain(std::string_view(start + 1, static_cast<std::size_t>(end - start - 1)))) {
            *end = '"';
            json.Keep(end + 1);
            return;
        }
    }
    scratch.clear();
    (note.*append)(scratch);
    json.PutText(scratch);
}

// The objects of the notes written last, by their short form: a ringtone
// has a few kinds of notes, each written as often as it sounds.
class NoteObjects {
public:
    // The object of a note of this short form, when it was kept.
    std::optional<std::string_view> Find(const CNote::ShortForm& form) const {
        const Entry& entry = entries_[Slot(form)];
        if (!entry.used || !(entry.form == form)) return std::nullopt;
        return std::string_view(entry.object);
    }
    // Keeps the object, in place of the one kept in its slot.
    void Keep(const CNote::ShortForm& form, std::string_view object) {
        Entry& entry = entries_[Slot(form)];
        entry.used = true;
        entry.form = form;
        entry.object.assign(object);
    }

private:
    struct Entry {
        bool used = false;
        CNote::ShortForm form;
        std::string object;
    };
    static std::size_t Slot(const CNote::ShortForm& form) {
        std::uint64_t low = 0, high = 0;
        std::memcpy(&low, form.fields.data(), sizeof low);
        std::memcpy(&high, form.fields.data() + 4, 3 * sizeof(std::uint16_t));
        high = high << 16 | static_cast<std::uint8_t>(form.pitchOctave) << 8 | form.flags;
        return ((low * 0x9E3779B97F4A7C15U) ^ (high * 0xC2B2AE3D27D4EB4FU)) >> 56;
    }
    std::array<Entry, 256> entries_{};  // from the top 8 bits of a hash
};

// One note's object.
void PutNoteJson(JsonPiece& json, const CNote& note, NumberTexts& numbers, std::string& scratch) {
    json.Put("{\"rtttl\": ");
    PutNoteText(json, note, &CNote::PutRTTTLText, &CNote::AppendRTTTLText, scratch);
    json.Put(", \"composer\": ");
    PutNoteText(json, note, &CNote::PutComposerText, &CNote::AppendComposerText, scratch);
    json.Put(", \"keypresses\": ");
    PutNoteText(json, note, &CNote::PutKeypresses, &CNote::AppendKeypresses, scratch);
    json.Put(", \"frequency_hz\": ");
    PutMeasure(json, numbers, [&] { return note.SoundFrequency(); });
    json.Put(", \"length\": ");
    PutMeasure(json, numbers, [&] { return note.SoundDuration(); });
    if (!note.Problem().empty()) {
        json.Put(", \"problem\": ");
        json.PutText(note.Problem());
    }
    json.Put("}");
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    if (AllPlain(text)) out += text;
    else AppendEscaped(out, text);
    out += '"';
}

std::string JsonString(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    AppendJsonString(out, text);
    return out;
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

void WriteNotesJson(const CNotes& ringtone, std::ostream& out) { WriteNotesJson(ringtone, ringtone.ErrorLines(), out); }

void WriteNotesJson(const CNotes& ringtone, const std::vector<std::string>& errorLines, std::ostream& out) {
    std::string json = "{\n  \"name\": ";
    AppendJsonString(json, ringtone.Name());
    json += ",\n  \"tempo\": ";
    AppendJsonString(json, ringtone.Tempo());
    json += ",\n  \"default_duration\": ";
    AppendJsonString(json, ringtone.DefaultDuration());
    json += ",\n  \"default_octave\": ";
    AppendJsonString(json, ringtone.DefaultOctave());
    json += ",\n  \"errors\": [";
    bool first = true;
    for (const std::string& problem : errorLines) {
        if (!first) json += ", ";
        AppendJsonString(json, problem);
        first = false;
    }
    json += "],\n  \"notes\": [";
    // Written out a piece at a time: a long ringtone's description is many
    // times the size of its text.
    JsonPiece piece(out);
    piece.Put(json);
    NumberTexts numbers;
    NoteObjects objects;
    std::string scratch;
    first = true;
    for (const CNote& note : ringtone) {
        piece.Put(first ? "\n    " : ",\n    ");
        first = false;
        const std::optional<CNote::ShortForm> form = note.TheShortForm();
        if (!form) {
            PutNoteJson(piece, note, numbers, scratch);
            continue;
        }
        if (const std::optional<std::string_view> object = objects.Find(*form)) {
            piece.Put(*object);
            continue;
        }
        // Written whole into the piece, so that it can be kept: a note of
        // short texts makes an object of a few hundred bytes at most.
        constexpr std::size_t longestShortObject = 512;
        piece.Room(longestShortObject);
        const std::size_t start = piece.Written().size(), flushes = piece.Flushes();
        PutNoteJson(piece, note, numbers, scratch);
        if (piece.Flushes() == flushes) objects.Keep(*form, piece.Written().substr(start));
    }
    piece.Put(first ? "]\n}\n" : "\n  ]\n}\n");
    piece.Flush();
}

}  // namespace tw
