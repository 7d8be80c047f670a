#include "framework/ImgList.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

namespace {

// A strip of two 16 x 16 images on white: a black 4 x 4 square at (4, 4) in the first,
// a red one at (8, 8) in the second.
TBitmap Strip() {
    TBitmap strip(32, 16);
    strip.Canvas().Brush.Color = clWhite;
    strip.Canvas().FillRect(TRect(0, 0, 32, 16));
    strip.Canvas().Brush.Color = clBlack;
    strip.Canvas().FillRect(TRect(4, 4, 8, 8));
    strip.Canvas().Brush.Color = clRed;
    strip.Canvas().FillRect(TRect(24, 8, 28, 12));
    strip.Canvas().EndPaint();
    return strip;
}

TBitmap Background(TColor color) {
    TBitmap target(20, 20);
    target.Canvas().Brush.Color = color;
    target.Canvas().FillRect(TRect(0, 0, 20, 20));
    return target;
}

} // namespace

TEST(ImageList, MaskedStripsDrawWithTransparency) {
    TImageList images;
    EXPECT_EQ(images.Width(), 16);
    EXPECT_EQ(images.Height(), 16);
    int changes = 0;
    images.OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(images.AddMasked(Strip(), clWhite), 0);
    EXPECT_EQ(images.Count(), 2);
    EXPECT_EQ(changes, 1);

    TBitmap target = Background(clBlue);
    images.Draw(target.Canvas(), 2, 2, 1);
    images.Draw(target.Canvas(), 2, 2, 7); // out of range: nothing
    target.Canvas().EndPaint();
    EXPECT_EQ(target.Pixel(2 + 8, 2 + 8), clRed);
    EXPECT_EQ(target.Pixel(2 + 4, 2 + 4), clBlue) << "white was the transparent colour";

    // clDefault takes the bottom-left pixel (white here).
    EXPECT_EQ(images.AddMasked(Strip(), clDefault), 2);
    TBitmap copy;
    images.SetBkColor(clLime);
    images.GetBitmap(2, copy);
    EXPECT_EQ(copy.Width(), 16);
    EXPECT_EQ(copy.Pixel(5, 5), clBlack);
    EXPECT_EQ(copy.Pixel(0, 0), clLime);

    // A white-on-black mask marks the transparent pixels.
    TBitmap mask(32, 16);
    mask.Canvas().Brush.Color = clWhite;
    mask.Canvas().FillRect(TRect(0, 0, 32, 16));
    mask.Canvas().Brush.Color = clBlack;
    mask.Canvas().FillRect(TRect(0, 0, 8, 16));
    mask.Canvas().EndPaint();
    EXPECT_EQ(images.Add(Strip(), &mask), 4);
    TBitmap masked = Background(clBlue);
    images.Draw(masked.Canvas(), 0, 0, 4);
    masked.Canvas().EndPaint();
    EXPECT_EQ(masked.Pixel(1, 1), clWhite) << "opaque under the black mask";
    EXPECT_EQ(masked.Pixel(10, 1), clBlue);

    images.Delete(0);
    EXPECT_EQ(images.Count(), 5);
    EXPECT_THROW(images.Delete(5), EListError);
    // A new size empties the list.
    images.SetSize(24, 24);
    EXPECT_EQ(images.Count(), 0);
    EXPECT_THROW(images.SetWidth(0), EInvalidOperation);
}

TEST(ImageList, DisabledImagesAreEmbossed) {
    TImageList images;
    images.AddMasked(Strip(), clWhite);
    TBitmap target = Background(clBlue);
    images.Draw(target.Canvas(), 0, 0, 0, false);
    target.Canvas().EndPaint();
    // The square's pixels in the shadow colour, its lower-right outline in the highlight.
    EXPECT_EQ(target.Pixel(4, 4), ColorToRGB(clBtnShadow));
    EXPECT_EQ(target.Pixel(7, 7), ColorToRGB(clBtnShadow));
    EXPECT_EQ(target.Pixel(8, 8), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(target.Pixel(8, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(target.Pixel(3, 3), clBlue);
    EXPECT_EQ(target.Pixel(12, 12), clBlue);
    // The icon carries the same disabled look.
    QIcon icon = images.Icon(0);
    EXPECT_FALSE(icon.isNull());
    EXPECT_TRUE(images.Icon(9).isNull());
}
