// Ringtones as published in public collections (kept beside the project,
// skipped when absent), read against what the RTTTL definition makes of them:
// a4 = 440 Hz in equal temperament, each note 1/d of a whole note, half as
// long again when dotted.
#include <cmath>
#include <optional>
#include <regex>

#include "support/published_sample.h"
#include "test_support.h"

namespace {

using namespace twtest;

struct Expected {
    double frequency;  // 0 for a pause
    double length;
};

struct Published {
    std::string source, text;
    int tempo = 63;
    std::vector<Expected> notes;
    bool handsetCanHoldIt = true;  // at most 50 notes, octaves 5-7, durations 1-32
};

// The RTTTL definition, written out apart from the engine: name, controls in
// any order (d=4, o=6, b=63 when missing), notes with "#" or "_" for a sharp
// before or after the letter, "h" for b, the dot before or after the octave.
// Nothing for a ringtone with a token the definition does not know as a note.
std::optional<Published> Expect(std::string source, std::string text) {
    Published p;
    p.source = std::move(source);
    p.text = text;
    text = std::regex_replace(text, std::regex("\\s+"), "");
    const std::size_t nameEnd = text.find(':'), controlsEnd = text.find(':', nameEnd + 1);
    int duration = 4, octave = 6;
    const std::regex control("([a-zA-Z])=?([0-9]+)");
    const std::string controls = text.substr(nameEnd + 1, controlsEnd - nameEnd - 1);
    for (std::sregex_iterator it(controls.begin(), controls.end(), control), end; it != end; ++it) {
        const int value = std::stoi((*it)[2]);
        switch (std::tolower((*it)[1].str()[0])) {
        case 'd': duration = value; break;
        case 'o': octave = value; break;
        case 'b': p.tempo = value; break;
        }
    }
    std::string body = text.substr(controlsEnd + 1);
    while (!body.empty() && body.back() == ',') body.pop_back();
    const std::regex note("([0-9]*)([#_]?)([a-hp])([#_]?)(\\.?)([0-9]*)(\\.?)", std::regex::icase);
    const std::map<char, int> semitone{{'c', 0}, {'d', 2}, {'e', 4},  {'f', 5},
                                       {'g', 7}, {'a', 9}, {'b', 11}, {'h', 11}};
    std::stringstream tokens(body);
    for (std::string token; std::getline(tokens, token, ',');) {
        std::smatch m;
        if (!std::regex_match(token, m, note)) return std::nullopt;
        const int d = m[1].length() ? std::stoi(m[1]) : duration, o = m[6].length() ? std::stoi(m[6]) : octave;
        const char letter = static_cast<char>(std::tolower(m[3].str()[0]));
        const double length = (m[5].length() || m[7].length() ? 1.5 : 1.0) / d;
        if (letter == 'p') {
            p.notes.push_back({0, length});
        } else {
            const int midi = 12 * (o + 1) + semitone.at(letter) + (m[2].length() || m[4].length() ? 1 : 0);
            p.notes.push_back({440.0 * std::pow(2.0, (midi - 69) / 12.0), length});
            if (o < 5 || o > 7) p.handsetCanHoldIt = false;
        }
        if (d != 1 && d != 2 && d != 4 && d != 8 && d != 16 && d != 32) p.handsetCanHoldIt = false;
    }
    if (p.notes.size() > 50) p.handsetCanHoldIt = false;
    return p;
}

// The published ringtones the definition can read, a header and notes each.
std::optional<std::vector<Published>> Sample() {
    const auto published = tw::test::PublishedSample();
    if (!published) return std::nullopt;
    std::vector<Published> sample;
    for (const tw::test::PublishedRingtone& ringtone : *published) {
        const std::string flat = std::regex_replace(ringtone.text, std::regex("\\s+"), "");
        if (std::count(flat.begin(), flat.end(), ':') != 2 || flat.back() == ':') continue;
        if (auto expected = Expect(ringtone.source, ringtone.text)) sample.push_back(std::move(*expected));
    }
    return sample;
}

tw::CNotes Read(const std::string& text) {
    auto notes = Ringtone(",");
    notes.SetFull_RTTTL(text);
    return notes;
}

double Cents(double frequency, double truePitch) { return 1200 * std::log2(frequency / truePitch); }

// Every note of the ringtone as expected: its length exact, its pitch within
// 3 cents, and as many notes as expected.
void ExpectNotes(const tw::CNotes& notes, const std::vector<Expected>& expected) {
    ASSERT_EQ(notes.Notes().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const tw::CNote& note = notes.Notes()[i];
        EXPECT_DOUBLE_EQ(note.SoundDuration(), expected[i].length) << "note " << i + 1;
        if (expected[i].frequency == 0) EXPECT_EQ(note.SoundFrequency(), 0) << "note " << i + 1;
        else EXPECT_LT(std::abs(Cents(note.SoundFrequency(), expected[i].frequency)), 3) << "note " << i + 1;
    }
}

TEST(PublishedRingtones, EveryNoteAtItsTruePitchAndLengthAndOnlyRealLimitsReported) {
    const auto sample = Sample();
    if (!sample) GTEST_SKIP() << tw::test::kNoPublishedSample;
    ASSERT_GE(sample->size(), 480u);
    for (const Published& p : *sample) {
        SCOPED_TRACE(p.source + ": " + p.text.substr(0, 60));
        const tw::CNotes notes = Read(p.text);
        EXPECT_EQ(notes.Tempo(), std::to_string(p.tempo));
        ExpectNotes(notes, p.notes);
        EXPECT_EQ(notes.ErrorMessage().empty(), p.handsetCanHoldIt) << notes.ErrorMessage();
    }
}

}  // namespace
