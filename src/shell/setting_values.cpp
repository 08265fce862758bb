#include "shell/setting_values.h"

#include <charconv>
#include <cmath>

#include "engine/engine_error.h"
#include "engine/text_rules.h"
#include "sound/voice_names.h"

namespace tw {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits with at most one decimal point and at least one digit.
bool IsPlainDecimal(std::string_view text) {
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (IsDigit(c)) digit = true;
        else if (c == '.' && !point) point = true;
        else return false;
    }
    return digit;
}

}  // namespace

std::optional<float> ParseTwips(std::string_view text) {
    std::string_view trimmed = TrimSpaces(text);
    bool negative = false;
    if (!trimmed.empty() && (trimmed.front() == '+' || trimmed.front() == '-')) {
        negative = trimmed.front() == '-';
        trimmed.remove_prefix(1);
    }
    if (!IsPlainDecimal(trimmed)) return std::nullopt;
    float value = 0;
    const auto [end, error] =
        std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value, std::chars_format::fixed);
    if (error != std::errc{} || end != trimmed.data() + trimmed.size() || !std::isfinite(value)) return std::nullopt;
    if (value > MaxSettingTwips) return std::nullopt;
    return negative ? -value : value;
}

std::string FormatTwips(float value) {
    if (value == 0) value = 0;  // no "-0"
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (error != std::errc{}) return "0";
    return std::string(buffer, end);
}

std::optional<std::int16_t> ParseSettingInteger(std::string_view text) {
    try {
        return ToInt16(text);
    } catch (const EngineError&) {
        return std::nullopt;
    }
}

std::optional<bool> ParseFromFile(std::string_view text) {
    if (text == "True") return true;
    if (text == "False") return false;
    return std::nullopt;
}

std::string_view FormatFromFile(bool fromFile) { return fromFile ? "True" : "False"; }

std::string RingToneFolder(std::string_view folder) {
    if (folder.empty()) return {};
    const std::size_t last = folder.find_last_not_of('/');
    if (last == std::string_view::npos) return "/";
    return std::string(folder.substr(0, last + 1));
}

std::optional<Voice> ParsePlayVoice(std::string_view text) { return VoiceFromWord(text); }

std::string FormatPlayVoice(const Voice& voice) {
    for (const auto& [name, named] : NamedVoices())
        if (named == voice) return name;
    return std::to_string(voice.program.value_or(0) + 1);
}

}  // namespace tw
