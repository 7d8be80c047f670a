// The pixel effects and morphs: exact channel arithmetic (round half to even, clamping),
// the geometry of every morph, and the morph progress rule.

#include "skin/bsEffects.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace {

using Bgr = std::array<int, 3>;

Bgr At(const TbsEffectBmp& bmp, int x, int y) {
    const uint8_t* p = bmp.RowAddress(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

void Set(TbsEffectBmp& bmp, int x, int y, Bgr c) {
    uint8_t* p = bmp.RowAddress(y) + 3 * x;
    for (int i = 0; i < 3; ++i)
        p[i] = static_cast<uint8_t>(c[static_cast<size_t>(i)]);
}

TbsEffectBmp Filled(int w, int h, int gray) {
    TbsEffectBmp bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            Set(bmp, x, y, {gray, gray, gray});
    return bmp;
}

// Column x of row 0 has the gray value base + x (to follow columns through slides).
TbsEffectBmp Columns(int w, int h, int base) {
    TbsEffectBmp bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            Set(bmp, x, y, {base + x, base + x, base + x});
    return bmp;
}

// The blue channel of every column of a row.
std::vector<int> RowValues(const TbsEffectBmp& bmp, int y) {
    std::vector<int> values;
    for (int x = 0; x < bmp.Width(); ++x)
        values.push_back(At(bmp, x, y)[0]);
    return values;
}

std::vector<int> ColumnValues(const TbsEffectBmp& bmp, int x) {
    std::vector<int> values;
    for (int y = 0; y < bmp.Height(); ++y)
        values.push_back(At(bmp, x, y)[0]);
    return values;
}

} // namespace

TEST(BsEffects, ColourEffectsRoundHalfToEvenAndClamp) {
    TbsEffectBmp bright = Filled(3, 1, 0);
    Set(bright, 1, 0, {1, 1, 1});
    Set(bright, 2, 0, {2, 2, 2});
    bright.Brightness(0.5);
    // 127.5 -> 128, 128 -> 128, 128.5 -> 128.
    EXPECT_EQ(RowValues(bright, 0), (std::vector<int>{128, 128, 128}));

    TbsEffectBmp clamped = Filled(1, 1, 40);
    clamped.Brightness(7); // x clamped to 1
    EXPECT_EQ(At(clamped, 0, 0), (Bgr{255, 255, 255}));
    clamped.Brightness(-3); // x clamped to 0: unchanged
    EXPECT_EQ(At(clamped, 0, 0), (Bgr{255, 255, 255}));

    TbsEffectBmp dark = Filled(1, 1, 200);
    dark.Darkness(0.3);
    EXPECT_EQ(At(dark, 0, 0), (Bgr{140, 140, 140}));

    TbsEffectBmp gray(1, 1);
    Set(gray, 0, 0, {10, 50, 100}); // B, G, R
    gray.GrayScale();               // 30 + 29.5 + 1.1 = 60.6
    EXPECT_EQ(At(gray, 0, 0), (Bgr{61, 61, 61}));

    TbsEffectBmp inverted(1, 1);
    Set(inverted, 0, 0, {0, 100, 255});
    inverted.Invert();
    EXPECT_EQ(At(inverted, 0, 0), (Bgr{255, 155, 0}));
}

TEST(BsEffects, NoiseAddsOneValuePerPixelInRange) {
    TbsEffectBmp a = Filled(40, 10, 100);
    TbsEffectBmp b = Filled(40, 10, 100);
    a.SeedRandom(7);
    b.SeedRandom(7);
    a.Noise(50);
    b.Noise(50);
    bool changed = false;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 40; ++x) {
            Bgr p = At(a, x, y);
            EXPECT_EQ(p, At(b, x, y)); // same seed, same noise
            EXPECT_EQ(p[0], p[1]);
            EXPECT_EQ(p[1], p[2]);
            EXPECT_GE(p[0], 100 - 25);
            EXPECT_LE(p[0], 100 + 24);
            changed |= p[0] != 100;
        }
    EXPECT_TRUE(changed);

    TbsEffectBmp black = Filled(20, 20, 0);
    black.Noise(50);
    for (int x = 0; x < 20; ++x)
        EXPECT_LE(At(black, x, 3)[0], 24); // negative values clamp to 0
    TbsEffectBmp one = Filled(4, 1, 9);
    one.Noise(1); // random(1) - 0 is always 0
    EXPECT_EQ(RowValues(one, 0), (std::vector<int>{9, 9, 9, 9}));
}

TEST(BsEffects, SplitBlurReadsAlreadyBlurredRowsAbove) {
    TbsEffectBmp column(1, 3);
    Set(column, 0, 0, {0, 0, 0});
    Set(column, 0, 1, {100, 100, 100});
    Set(column, 0, 2, {200, 200, 200});
    column.SplitBlur(1);
    // Row 0: (0+0+100+100)/4; row 1 reads the blurred row 0: (50+50+200+200)/4;
    // row 2: (125+125+200+200) div 4.
    EXPECT_EQ(ColumnValues(column, 0), (std::vector<int>{50, 125, 162}));

    // A single row: the neighbour rows are the row itself, read before it changes.
    TbsEffectBmp row = Columns(3, 1, 0);
    Set(row, 1, 0, {40, 40, 40});
    Set(row, 2, 0, {80, 80, 80});
    row.SplitBlur(1);
    EXPECT_EQ(RowValues(row, 0), (std::vector<int>{20, 40, 60}));

    TbsEffectBmp untouched = Columns(5, 5, 10);
    untouched.SplitBlur(0);
    EXPECT_EQ(RowValues(untouched, 2), (std::vector<int>{10, 11, 12, 13, 14}));
}

TEST(BsEffects, SplitBlurOfAWideRowMatchesThePixelByPixelRule) {
    // Every channel its own value, widths around twice the distance: edges and the run
    // between them must give the same as the rule read pixel by pixel.
    for (int amount : {1, 2, 3})
        for (int width : {1, 2, 3, 4, 5, 6, 7, 12}) {
            TbsEffectBmp bmp(width, 4);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < width; ++x)
                    Set(bmp, x, y,
                        {(x * 37 + y * 11) % 256, (x * 53 + 7) % 256, (y * 91 + x) % 256});
            std::vector<std::vector<Bgr>> expected(4, std::vector<Bgr>(size_t(width)));
            std::vector<std::vector<Bgr>> rows(4, std::vector<Bgr>(size_t(width)));
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < width; ++x)
                    rows[size_t(y)][size_t(x)] = At(bmp, x, y);
            auto inside = [](int i, int limit) { return i >= 0 && i < limit; };
            for (int y = 0; y < 4; ++y) {
                const auto& up = rows[size_t(inside(y - amount, 4) ? y - amount : y)];
                const auto& down = rows[size_t(inside(y + amount, 4) ? y + amount : y)];
                std::vector<Bgr> blurred(static_cast<size_t>(width));
                for (int x = 0; x < width; ++x) {
                    const size_t l = size_t(inside(x - amount, width) ? x - amount : x);
                    const size_t r = size_t(inside(x + amount, width) ? x + amount : x);
                    for (size_t c = 0; c < 3; ++c)
                        blurred[size_t(x)][c] = (up[l][c] + up[r][c] + down[l][c] + down[r][c]) / 4;
                }
                // Rows below read the rows above as already blurred.
                rows[size_t(y)] = expected[size_t(y)] = blurred;
            }
            bmp.SplitBlur(amount);
            SCOPED_TRACE("amount " + std::to_string(amount) + " width " + std::to_string(width));
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < width; ++x)
                    EXPECT_EQ(At(bmp, x, y), expected[size_t(y)][size_t(x)]);
        }
}

TEST(BsEffects, MorphBlendsAndClampsProgress) {
    TbsEffectBmp own = Filled(3, 1, 0);
    TbsEffectBmp target(3, 1);
    Set(target, 0, 0, {1, 1, 1});
    Set(target, 1, 0, {3, 3, 3});
    Set(target, 2, 0, {5, 5, 5});
    own.Morph(target, 0.5); // 0.5, 1.5, 2.5 round to even
    EXPECT_EQ(RowValues(own, 0), (std::vector<int>{0, 2, 2}));

    TbsEffectBmp low = Filled(2, 2, 10);
    low.Morph(Filled(2, 2, 200), -1); // as 0
    EXPECT_EQ(At(low, 1, 1), (Bgr{10, 10, 10}));
    low.Morph(Filled(2, 2, 200), 5); // as 1
    EXPECT_EQ(At(low, 1, 1), (Bgr{200, 200, 200}));
}

TEST(BsEffects, EveryMorphIgnoresATargetOfAnotherSize) {
    const TbsEffectBmp other = Filled(4, 3, 255);
    using Op = void (TbsEffectBmp::*)(const TbsEffectBmp&, double);
    for (Op op : {&TbsEffectBmp::Morph, &TbsEffectBmp::MorphGradient, &TbsEffectBmp::MorphHGradient,
                  &TbsEffectBmp::MorphVGradient, &TbsEffectBmp::MorphLeftGradient,
                  &TbsEffectBmp::MorphRightGradient, &TbsEffectBmp::MorphLeftSlide,
                  &TbsEffectBmp::MorphRightSlide, &TbsEffectBmp::MorphPush}) {
        TbsEffectBmp bmp = Filled(4, 4, 0);
        (bmp.*op)(other, 0.5);
        for (int y = 0; y < 4; ++y)
            EXPECT_EQ(RowValues(bmp, y), (std::vector<int>{0, 0, 0, 0}));
    }
}

TEST(BsEffects, GradientMorphChoosesItsOrientationByShape) {
    // 20 x 10: horizontal. a = 10, band columns 5..15, ramps of step 1/5 outwards.
    TbsEffectBmp wide = Filled(20, 10, 0);
    wide.MorphGradient(Filled(20, 10, 255), 0.5);
    const std::vector<int> expectedRow{0,   51,  102, 153, 204, 255, 255, 255, 255, 255,
                                       255, 255, 255, 255, 255, 255, 204, 153, 102, 51};
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(RowValues(wide, y), expectedRow) << y;

    // 10 x 20: vertical. a = 10, band rows 5..15, ramp length (20 - 1 - 10) div 2 = 4.
    TbsEffectBmp tall = Filled(10, 20, 0);
    tall.MorphGradient(Filled(10, 20, 255), 0.5);
    const std::vector<int> expectedColumn{0,   0,   64,  128, 191, 255, 255, 255, 255, 255,
                                          255, 255, 255, 255, 255, 255, 191, 128, 64,  0};
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(ColumnValues(tall, x), expectedColumn) << x;
}

TEST(BsEffects, SideGradientsSlidesAndPush) {
    TbsEffectBmp left = Filled(4, 2, 0);
    left.MorphLeftGradient(Filled(4, 2, 255), 0.5); // a = 2: weights 0, 1/2, 1
    EXPECT_EQ(RowValues(left, 1), (std::vector<int>{255, 128, 0, 0}));
    TbsEffectBmp leftAtZero = Filled(4, 1, 0);
    leftAtZero.MorphLeftGradient(Filled(4, 1, 255), 0); // a clamped to 1
    EXPECT_EQ(RowValues(leftAtZero, 0), (std::vector<int>{255, 0, 0, 0}));

    TbsEffectBmp right = Filled(4, 1, 0);
    right.MorphRightGradient(Filled(4, 1, 255), 0.5); // a = 2, s = 1/2
    EXPECT_EQ(RowValues(right, 0), (std::vector<int>{0, 0, 128, 255}));

    const TbsEffectBmp target = Columns(4, 1, 100);
    TbsEffectBmp slideLeft = Columns(4, 1, 0);
    slideLeft.MorphLeftSlide(target, 0.5);
    EXPECT_EQ(RowValues(slideLeft, 0), (std::vector<int>{102, 103, 2, 3}));
    TbsEffectBmp slideRight = Columns(4, 1, 0);
    slideRight.MorphRightSlide(target, 0.5);
    EXPECT_EQ(RowValues(slideRight, 0), (std::vector<int>{0, 1, 100, 101}));
    TbsEffectBmp slideMin = Columns(4, 1, 0);
    slideMin.MorphLeftSlide(target, 0); // b clamped to 1
    EXPECT_EQ(RowValues(slideMin, 0), (std::vector<int>{103, 1, 2, 3}));

    TbsEffectBmp push = Columns(5, 2, 0);
    push.MorphPush(Columns(5, 2, 100), 0.4); // a = 2
    EXPECT_EQ(RowValues(push, 1), (std::vector<int>{102, 103, 104, 0, 1}));

    TbsEffectBmp byKind = Columns(4, 1, 0);
    byKind.MorphBy(TbsMorphKind::mkRightSlide, target, 0.5);
    EXPECT_EQ(RowValues(byKind, 0), RowValues(slideRight, 0));
}

TEST(BsEffects, RowsBitmapsAndDrawing) {
    TBitmap bitmap(5, 2);
    bitmap.SetPixel(4, 1, RGB(1, 2, 3));
    TbsEffectBmp bmp(bitmap);
    EXPECT_EQ(bmp.Width(), 5);
    EXPECT_EQ(bmp.RowBytes() % 4, 0);
    EXPECT_EQ(At(bmp, 4, 1), (Bgr{3, 2, 1}));
    std::vector<uint8_t> row(15);
    bmp.ReadRow(1, row.data());
    row[0] = 9;
    bmp.WriteRow(0, row.data());
    EXPECT_EQ(At(bmp, 0, 0), (Bgr{9, 255, 255}));
    EXPECT_EQ(bitmap.Pixel(0, 0), clWhite); // the bitmap was copied
    EXPECT_THROW(bmp.RowAddress(2), EInvalidGraphic);

    TBitmap canvasBitmap(8, 8);
    bmp.DrawTo(canvasBitmap.Canvas(), 3, 4);
    EXPECT_EQ(canvasBitmap.Pixel(7, 5), RGB(1, 2, 3));
    EXPECT_EQ(canvasBitmap.Pixel(3, 4), RGB(255, 255, 9));

    TbsFBitmap fast(bitmap);
    EXPECT_EQ(fast.RowPadding(), 1);
    EXPECT_EQ(fast.Row(1)[12], 3);
}

TEST(BsEffects, MorphProgressStepsByTenthsAndReachesTheEnds) {
    TbsMorphProgress progress;
    EXPECT_FALSE(progress.IsMorphing());
    EXPECT_FALSE(progress.Step(false));
    for (int i = 0; i < 9; ++i) {
        EXPECT_TRUE(progress.Step(true));
        EXPECT_TRUE(progress.IsMorphing());
    }
    EXPECT_TRUE(progress.Step(true));
    EXPECT_EQ(progress.Value(), 1.0); // ten tenths are exactly the end
    EXPECT_FALSE(progress.IsMorphing());
    EXPECT_FALSE(progress.Step(true));
    for (int i = 0; i < 10; ++i)
        progress.Step(false);
    EXPECT_EQ(progress.Value(), 0.0);
    progress.SetValue(3);
    EXPECT_EQ(progress.Value(), 1.0);
}
