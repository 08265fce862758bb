#pragma once

#include <cstdint>
#include <string>

// Note lengths as the handset file formats write them: a whole note to a
// thirty-second (1, 1/2 ... 1/32), plain, dotted (x 3/2), double dotted
// (x 7/4) or a triplet (x 2/3). iMelody and Smart Messaging ringing tones
// share this set.
namespace tw {

enum class LengthSpecifier : std::uint8_t { None = 0, Dotted = 1, DoubleDotted = 2, TwoThirds = 3 };

struct FormatLength {
    std::uint8_t power = 2;  // the note is 1/2^power of a whole note, 0 to 5
    LengthSpecifier specifier = LengthSpecifier::None;
    bool operator==(const FormatLength&) const = default;
};

// The format length of an engine length, 1/duration of a whole note, half as
// long again when dotted, when it is exactly one; otherwise the nearest (by
// ratio), with `exact` false. A duration below 1 is taken as 1.
FormatLength NearestFormatLength(std::int32_t duration, bool dotted, bool& exact);

// An engine length for a format length: the duration (1/duration of a
// whole note) and its dot. Triplets of a half note and shorter are exact
// (a triplet eighth is 1/12); a double dot and a triplet whole note are not,
// and give the nearest with a dot, `exact` false.
struct EngineLength {
    std::int32_t duration = 4;
    bool dotted = false;
    bool exact = true;
};
EngineLength EngineLengthOf(FormatLength length);

// "1/4", "dotted 1/8", "double dotted 1/2", "2/3 of 1/16": for reports.
std::string DescribeLength(FormatLength length);

}  // namespace tw
