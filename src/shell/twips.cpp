#include "shell/twips.h"

#include <cmath>
#include <limits>

namespace tw {
namespace {

int Saturated(double value) {
    if (std::isnan(value)) return 0;
    constexpr double low = std::numeric_limits<int>::min();
    constexpr double high = std::numeric_limits<int>::max();
    if (value <= low) return std::numeric_limits<int>::min();
    if (value >= high) return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

}  // namespace

int PixelsFromTwips(double twips) {
    // nearbyint rounds halves to the even neighbour in the default mode.
    return Saturated(std::nearbyint(twips / TwipsPerPixel));
}

int TwipsFromPixels(int pixels) { return Saturated(static_cast<double>(pixels) * TwipsPerPixel); }

PixelRect PixelsFromTwips(const TwipRect& rect) {
    return {PixelsFromTwips(rect.Left), PixelsFromTwips(rect.Top), PixelsFromTwips(rect.Width),
            PixelsFromTwips(rect.Height)};
}

TwipRect TwipsFromPixels(const PixelRect& rect) {
    return {TwipsFromPixels(rect.Left), TwipsFromPixels(rect.Top), TwipsFromPixels(rect.Width),
            TwipsFromPixels(rect.Height)};
}

TwipSize TwipsFromPixels(int width, int height) { return {TwipsFromPixels(width), TwipsFromPixels(height)}; }

}  // namespace tw
