#include "engine/octave_fit.h"

#include <cstdlib>

namespace tw {

int FittingOctaves(std::span<const std::int32_t> semitones) {
    constexpr int FarthestMove = 10;
    int best = 0;
    std::size_t bestCount = 0;
    for (int step = 0; step <= 2 * FarthestMove; ++step) {
        const int octaves = step % 2 == 0 ? -step / 2 : (step + 1) / 2;  // 0, 1, -1, 2, -2 ...
        std::size_t count = 0;
        for (const std::int32_t semitone : semitones)
            if (InComposerOctaves(semitone + 12 * octaves)) ++count;
        if (count > bestCount) best = octaves, bestCount = count;
    }
    return best;
}

std::string OctaveMoveLine(int octaves) {
    if (octaves == 0) return {};
    const int moved = std::abs(octaves);
    return "The melody was moved " + std::to_string(moved) + (moved == 1 ? " octave" : " octaves") +
           (octaves > 0 ? " up" : " down") + " to fit the composer's octaves.";
}

}  // namespace tw
