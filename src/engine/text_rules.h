#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text rules that every part of the ringtone engine shares. Texts are
// bytes; only the space character counts as blank, and only A-Z as letters
// with a case.
namespace tw {

std::string_view TrimSpaces(std::string_view text);

// Trims spaces and tabs, as file formats written by hand need.
std::string_view TrimBlanks(std::string_view text);

// A decimal number after trimming spaces: one sign, leading or trailing,
// digits with at most one decimal point, at least one digit.
// "16", " 8", "4." and "4-" are numeric; "", " ", "c", "8c" and "#" are not.
bool IsNumeric(std::string_view text);

// The integer value of a numeric text, rounded to the nearest integer with
// halves going to the even neighbour. Throws EngineError when the text is not
// numeric or the value does not fit the target type.
std::int16_t ToInt16(std::string_view text);
std::int32_t ToInt32(std::string_view text);
// The same rounded value, nothing when the text is not numeric; a value far
// past every range any caller takes stays at 2^40 (or -2^40).
std::optional<std::int64_t> RoundedNumber(std::string_view text);

// Converts a finite double to the nearest 32-bit integer, halves to even.
// Throws EngineError for a value that is not finite or out of range.
std::int32_t RoundToInt32(double value);

// ASCII letters in lower case; every other byte as it is.
inline char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
std::string ToLowerAscii(std::string_view text);

// Whether two texts are equal once their ASCII letters are lower case.
bool SameIgnoringCase(std::string_view a, std::string_view b);

// Replaces every occurrence of `from`, scanning from the start; one pass.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace tw
