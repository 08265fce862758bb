#pragma once

// Twips, the unit of the window's positions and sizes (1/1440 inch), and
// their mapping to screen pixels at 15 twips a pixel (96 dots per inch).
namespace tw {

inline constexpr int TwipsPerPixel = 15;

struct TwipSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TwipSize&) const = default;
};

struct TwipRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool operator==(const TwipRect&) const = default;
};

struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const PixelRect&) const = default;
};

// The nearest whole pixel of a twip measure, halves to the even neighbour;
// values beyond the int range are held at its ends, and NaN gives 0.
int PixelsFromTwips(double twips);
// 15 twips a pixel, held at the ends of the int range.
int TwipsFromPixels(int pixels);

PixelRect PixelsFromTwips(const TwipRect& rect);
TwipRect TwipsFromPixels(const PixelRect& rect);
TwipSize TwipsFromPixels(int width, int height);

}  // namespace tw
