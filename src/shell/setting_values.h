#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sound/voice.h"

// The texts of single saved settings and their values. Numbers are read and
// written the same way whatever the desktop's locale: "1234.5", never
// "1234,5".
namespace tw {

// The largest window position or size, in twips, taken from the settings
// (about 660,000 pixels); anything beyond is not a real window.
inline constexpr float MaxSettingTwips = 10'000'000.0F;

// A twip measure: a decimal number (spaces around it, an optional leading
// sign, at most one decimal point, no exponent) within MaxSettingTwips of 0,
// as a single-precision value; nothing for any other text.
std::optional<float> ParseTwips(std::string_view text);

// The shortest decimal text that reads back as the same value: 5460,
// 1234.5, -120.
std::string FormatTwips(float value);

// A 16-bit integer setting: a numeric text of the ringtone engine's rules,
// rounded to the nearest integer with halves to the even neighbour ("2.5" is
// 2); nothing for a text that is not a number or does not fit.
std::optional<std::int16_t> ParseSettingInteger(std::string_view text);

// FromFile: "True" or "False", exactly in that case; nothing for any other
// text, which leaves the source options as they are.
std::optional<bool> ParseFromFile(std::string_view text);
std::string_view FormatFromFile(bool fromFile);

// The voice Play plays in: a name of NamedVoices (any case) or a General
// MIDI program numbered 1 to 128, as `--voice` reads them; nothing for any
// other text.
std::optional<Voice> ParsePlayVoice(std::string_view text);
// The voice's name when it has one, else its program number from 1.
std::string FormatPlayVoice(const Voice& voice);

// A folder as the ringtone folder keeps it: without a final "/", except the
// root folder, which stays "/". The empty text stays empty.
std::string RingToneFolder(std::string_view folder);

}  // namespace tw
