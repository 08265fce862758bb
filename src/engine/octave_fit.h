#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tw {

// The handset composer's octaves, RTTTL's 5 to 7, as semitones counted as a
// plain note counts them (12 x RTTTL octave + 0 ... 11): c5 to b7.
inline constexpr std::int32_t LowestComposerSemitone = 60;
inline constexpr std::int32_t HighestComposerSemitone = 95;

inline bool InComposerOctaves(std::int32_t semitone) {
    return semitone >= LowestComposerSemitone && semitone <= HighestComposerSemitone;
}

// The move by whole octaves (up when above 0) that puts the most of
// `semitones` into the composer's octaves; of several such moves the
// smallest, up before down (0, 1, -1, 2, -2 ... up to ten octaves either
// way). 0 when there is no pitch at all.
int FittingOctaves(std::span<const std::int32_t> semitones);

// "The melody was moved 2 octaves down to fit the composer's octaves.";
// empty for no move.
std::string OctaveMoveLine(int octaves);

}  // namespace tw
