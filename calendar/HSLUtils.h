#pragma once
// Conversions between RGB colours and hue, saturation and lightness on the 0..240 scale of
// the platform's colour dialogs (hue 0..239, saturation and lightness 0..240).

#include "framework/Colors.h"

constexpr int HslRange = 240;

// Hue, saturation and lightness, each on the unit scale 0..1.
struct THsl {
    double H = 0;
    double S = 0;
    double L = 0;
};

// Hue, saturation and lightness on the HslRange scale.
struct THslRange {
    int Hue = 0;
    int Saturation = 0;
    int Lightness = 0;
    friend constexpr bool operator==(const THslRange&, const THslRange&) = default;
};

// System colours are resolved first.
THsl RgbToHsl(TColor color);
TColor HslToRgb(const THsl& hsl);

THslRange RgbToHslRange(TColor color);
// Saturation and lightness outside 0..240 are taken as the nearest end of the scale.
TColor HslRangeToRgb(int hue, int saturation, int lightness);
