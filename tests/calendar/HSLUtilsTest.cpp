#include "calendar/HSLUtils.h"
#include "calendar/FlatUtilitys.h"

#include <cstdlib>
#include <gtest/gtest.h>

TEST(HslUtils, ConvertsKnownColoursToTheRangeScale) {
    EXPECT_EQ(RgbToHslRange(clBlack), (THslRange{0, 0, 0}));
    EXPECT_EQ(RgbToHslRange(clWhite), (THslRange{0, 0, 240}));
    EXPECT_EQ(RgbToHslRange(clRed), (THslRange{0, 240, 120}));
    EXPECT_EQ(RgbToHslRange(clLime), (THslRange{80, 240, 120}));   // 239 / 3 = 79.67
    EXPECT_EQ(RgbToHslRange(clBlue), (THslRange{159, 240, 120}));  // 239 * 2 / 3 = 159.33
    EXPECT_EQ(RgbToHslRange(clYellow), (THslRange{40, 240, 120})); // 239 / 6 = 39.83
    // Lightness 128 / 255 * 240 = 120.47; system colours resolve first.
    EXPECT_EQ(RgbToHslRange(clGray), (THslRange{0, 0, 120}));
    EXPECT_EQ(RgbToHslRange(clBtnFace), RgbToHslRange(ColorToRGB(clBtnFace)));

    EXPECT_EQ(HslRangeToRgb(0, 240, 120), clRed);
    EXPECT_EQ(HslRangeToRgb(0, 0, 240), clWhite);
    // 200 / 240 * 255 = 212.5: ties go to the even neighbour.
    EXPECT_EQ(HslRangeToRgb(0, 0, 200), RGB(212, 212, 212));
    // Out-of-scale lightness stays white instead of wrapping round the byte.
    EXPECT_EQ(HslRangeToRgb(0, 0, 260), clWhite);
    EXPECT_EQ(HslRangeToRgb(100, 240, -5), clBlack);
}

TEST(HslUtils, RoundTripsEveryColourClosely) {
    int worst = 0;
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15) {
                TColor c = RGB(r, g, b);
                // The unit scale is exact.
                ASSERT_EQ(HslToRgb(RgbToHsl(c)), c) << r << "," << g << "," << b;
                // The 0..240 scale loses a little.
                THslRange hsl = RgbToHslRange(c);
                ASSERT_GE(hsl.Hue, 0);
                ASSERT_LE(hsl.Hue, 239);
                TColor back = HslRangeToRgb(hsl.Hue, hsl.Saturation, hsl.Lightness);
                worst = std::max({worst, std::abs(GetRValue(back) - r),
                                  std::abs(GetGValue(back) - g), std::abs(GetBValue(back) - b)});
            }
    EXPECT_LE(worst, 3);
    // Range values of a grey come back unchanged.
    for (int l = 0; l <= HslRange; ++l)
        ASSERT_EQ(RgbToHslRange(HslRangeToRgb(0, 0, l)).Lightness, l);
}

TEST(HslUtils, AdvancedColorMovesTheLightnessWithinItsBound) {
    // Percent 0 keeps the current colour, whatever the base.
    EXPECT_EQ(AdvancedColor(clWhite, clFuchsia, 0, TLightness::Lighten), clFuchsia);
    EXPECT_EQ(AdvancedColor(clBlack, clTeal, 0, TLightness::Darken), clTeal);
    // White: lightness 240 + 10, then capped at 100 when lightening.
    EXPECT_EQ(AdvancedColor(clWhite, clRed, 10, TLightness::Lighten), RGB(106, 106, 106));
    EXPECT_EQ(AdvancedColor(clWhite, clRed, 50, TLightness::Darken), RGB(212, 212, 212));
    EXPECT_EQ(AdvancedColor(clWhite, clRed, 10, TLightness::Darken), clWhite);
    // Beyond the top of the scale: still white, not a wrapped dark grey.
    EXPECT_EQ(AdvancedColor(clWhite, clRed, 5, TLightness::Darken), clWhite);
    // Black: 0 + 10 - 50 is held at 0.
    EXPECT_EQ(AdvancedColor(clBlack, clRed, 50, TLightness::Darken), clBlack);
    // Hue and saturation are the base's: pure red at lightness 20 + 10 + 30 = 60.
    EXPECT_EQ(AdvancedColor(RGB(42, 0, 0), clWhite, 30, TLightness::Lighten),
              HslRangeToRgb(0, 240, 60));
}
