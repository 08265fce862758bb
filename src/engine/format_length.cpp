#include "engine/format_length.h"

#include <cmath>

namespace tw {
namespace {

// A specifier's factor as numerator / denominator.
struct Factor {
    std::int64_t numerator, denominator;
};

Factor FactorOf(LengthSpecifier specifier) {
    switch (specifier) {
    case LengthSpecifier::None: return {1, 1};
    case LengthSpecifier::Dotted: return {3, 2};
    case LengthSpecifier::DoubleDotted: return {7, 4};
    case LengthSpecifier::TwoThirds: return {2, 3};
    }
    return {1, 1};
}

constexpr LengthSpecifier Specifiers[] = {LengthSpecifier::None, LengthSpecifier::Dotted, LengthSpecifier::DoubleDotted,
                                          LengthSpecifier::TwoThirds};

}  // namespace

FormatLength NearestFormatLength(std::int32_t duration, bool dotted, bool& exact) {
    const std::int64_t d = duration < 1 ? 1 : duration;
    // The engine length is (dotted ? 3 : 2) / (2 d); a format length is
    // numerator / (denominator 2^power).
    const std::int64_t engineNumerator = dotted ? 3 : 2, engineDenominator = 2 * d;
    const double engineLength = static_cast<double>(engineNumerator) / static_cast<double>(engineDenominator);
    FormatLength best;
    double bestDistance = INFINITY;
    for (std::uint8_t power = 0; power <= 5; ++power) {
        for (LengthSpecifier specifier : Specifiers) {
            const Factor f = FactorOf(specifier);
            const std::int64_t denominator = f.denominator << power;
            if (engineNumerator * denominator == f.numerator * engineDenominator) {
                exact = true;
                return {power, specifier};
            }
            const double length = static_cast<double>(f.numerator) / static_cast<double>(denominator);
            const double distance = std::abs(std::log(length / engineLength));
            if (distance < bestDistance) {
                bestDistance = distance;
                best = {power, specifier};
            }
        }
    }
    exact = false;
    return best;
}

EngineLength EngineLengthOf(FormatLength length) {
    const std::int32_t base = std::int32_t{1} << length.power;
    switch (length.specifier) {
    case LengthSpecifier::None: return {base, false, true};
    case LengthSpecifier::Dotted: return {base, true, true};
    case LengthSpecifier::DoubleDotted: return {base, true, false};
    case LengthSpecifier::TwoThirds:
        // 2/3 of 1/2^p is 1/(3 2^(p-1)); 2/3 of a whole note is nearest a dotted half.
        if (length.power == 0) return {2, true, false};
        return {3 * (base / 2), false, true};
    }
    return {base, false, true};
}

std::string DescribeLength(FormatLength length) {
    const std::string base = "1/" + std::to_string(1 << length.power);
    switch (length.specifier) {
    case LengthSpecifier::None: return base;
    case LengthSpecifier::Dotted: return "dotted " + base;
    case LengthSpecifier::DoubleDotted: return "double dotted " + base;
    case LengthSpecifier::TwoThirds: return "2/3 of " + base;
    }
    return base;
}

}  // namespace tw
