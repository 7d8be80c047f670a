#include "calendar/HSLUtils.h"

#include <algorithm>
#include <cmath>

namespace {

// Nearest integer, ties to the even neighbour.
int RoundHalfEven(double value) {
    double lower = std::floor(value);
    double fraction = value - lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        lower += 1.0;
    return static_cast<int>(lower);
}

int ToByte(double unit) {
    return std::clamp(RoundHalfEven(unit * 255.0), 0, 255);
}

double Channel(double m1, double m2, double x) {
    if (x < 0)
        x += 1;
    else if (x > 1)
        x -= 1;
    if (6 * x < 1)
        return m1 + (m2 - m1) * 6 * x;
    if (2 * x < 1)
        return m2;
    if (3 * x < 2)
        return m1 + (m2 - m1) * (2.0 / 3.0 - x) * 6;
    return m1;
}

} // namespace

THsl RgbToHsl(TColor color) {
    TColor rgb = ColorToRGB(color);
    double r = GetRValue(rgb) / 255.0;
    double g = GetGValue(rgb) / 255.0;
    double b = GetBValue(rgb) / 255.0;
    double max = std::max({r, g, b});
    double min = std::min({r, g, b});
    THsl hsl;
    hsl.L = (max + min) / 2;
    if (max == min)
        return hsl;
    double d = max - min;
    hsl.S = hsl.L >= 0.5 ? d / (2 - max - min) : d / (max + min);
    if (max == r)
        hsl.H = (g - b) / d;
    else if (max == g)
        hsl.H = (b - r) / d + 2;
    else
        hsl.H = (r - g) / d + 4;
    hsl.H /= 6;
    if (hsl.H < 0)
        hsl.H += 1;
    return hsl;
}

TColor HslToRgb(const THsl& hsl) {
    if (hsl.S == 0) {
        int v = ToByte(hsl.L);
        return RGB(v, v, v);
    }
    double m2 = hsl.L <= 0.5 ? hsl.L * (1 + hsl.S) : hsl.L + hsl.S - hsl.L * hsl.S;
    double m1 = 2 * hsl.L - m2;
    return RGB(ToByte(Channel(m1, m2, hsl.H + 1.0 / 3.0)), ToByte(Channel(m1, m2, hsl.H)),
               ToByte(Channel(m1, m2, hsl.H - 1.0 / 3.0)));
}

THslRange RgbToHslRange(TColor color) {
    THsl hsl = RgbToHsl(color);
    return THslRange{RoundHalfEven(hsl.H * (HslRange - 1)), RoundHalfEven(hsl.S * HslRange),
                     RoundHalfEven(hsl.L * HslRange)};
}

TColor HslRangeToRgb(int hue, int saturation, int lightness) {
    THsl hsl;
    hsl.H = hue / double(HslRange - 1);
    hsl.S = std::clamp(saturation, 0, HslRange) / double(HslRange);
    hsl.L = std::clamp(lightness, 0, HslRange) / double(HslRange);
    return HslToRgb(hsl);
}
