// Bitmaps and canvases of a screen at scale 2: logical coordinates, physical pixels.
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/ImgList.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

// The physical pixel (x, y) of a bitmap.
TColor PhysicalPixel(const TBitmap& b, int x, int y) {
    const uint8_t* p = b.ScanLine(y) + 3 * x;
    return RGB(p[2], p[1], p[0]);
}

// The share of the 2 x 2 blocks (at even places) of the region that are not of one colour:
// 0 for anything drawn at half the resolution and doubled.
double SharpBlocks(const TBitmap& b, int width, int height) {
    int sharp = 0, blocks = 0;
    for (int y = 0; y + 1 < height; y += 2)
        for (int x = 0; x + 1 < width; x += 2, ++blocks) {
            const TColor c = PhysicalPixel(b, x, y);
            if (PhysicalPixel(b, x + 1, y) != c || PhysicalPixel(b, x, y + 1) != c ||
                PhysicalPixel(b, x + 1, y + 1) != c)
                ++sharp;
        }
    return blocks ? double(sharp) / blocks : 0;
}

// A 1x picture: black left half, white right half, one red pixel at the top-left.
TBitmap HalfBlack(int w, int h) {
    TBitmap b(w, h);
    b.Canvas().Brush.Color = clBlack;
    b.Canvas().FillRect(TRect(0, 0, w / 2, h));
    b.SetPixel(0, 0, clRed);
    return b;
}

bool IsGrey(TColor c) {
    const int r = GetRValue(c);
    return r > 0 && r < 255 && GetGValue(c) == r && GetBValue(c) == r;
}

} // namespace

TEST(PixelRatio, BitmapSpeaksLogicalUnitsAndHoldsPhysicalPixels) {
    TBitmap b(3, 2, 2.0);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Height(), 2);
    EXPECT_EQ(b.PixelWidth(), 6);
    EXPECT_EQ(b.PixelHeight(), 4);
    EXPECT_EQ(b.BytesPerLine(), 20);
    EXPECT_NO_THROW(b.ScanLine(3));
    EXPECT_THROW(b.ScanLine(4), EInvalidGraphic);

    b.SetPixel(1, 1, clRed); // all four physical pixels of the logical one
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(PhysicalPixel(b, x, y), (x / 2 == 1 && y / 2 == 1) ? clRed : clWhite)
                << x << "," << y;
    EXPECT_EQ(b.Pixel(1, 1), clRed);
    EXPECT_EQ(b.Pixel(3, 0), -1);

    // Resizing keeps the pixels and the ratio; copies and images carry it along.
    b.SetSize(4, 3);
    EXPECT_EQ(b.PixelWidth(), 8);
    EXPECT_EQ(b.Pixel(1, 1), clRed);
    TBitmap copy(b);
    EXPECT_EQ(copy.DevicePixelRatio(), 2.0);
    EXPECT_EQ(copy.Pixel(1, 1), clRed);
    const QImage image = b.ToQImage();
    EXPECT_EQ(image.size(), QSize(8, 6));
    EXPECT_EQ(image.devicePixelRatio(), 2.0);
    TBitmap back;
    back.FromQImage(image);
    EXPECT_EQ(back.Width(), 4);
    EXPECT_EQ(back.DevicePixelRatio(), 2.0);

    // The default transparent colour is the bottom-left physical pixel.
    b.SetPixel(0, 2, clBlue);
    EXPECT_EQ(b.TransparentColor(), clBlue);

    // Another ratio makes the pixels anew at the same logical size.
    b.SetDevicePixelRatio(1.0);
    EXPECT_EQ(b.PixelWidth(), 4);
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(b.Pixel(1, 1), clWhite);
    b.SetDevicePixelRatio(0.0); // ignored
    EXPECT_EQ(b.DevicePixelRatio(), 1.0);
}

TEST(PixelRatio, CanvasDrawsShapesAndTextAtTheFullResolution) {
    TBitmap b(20, 10, 2.0);
    TCanvas& c = b.Canvas();
    c.Brush.Color = clBlue;
    c.FillRect(TRect(1, 1, 3, 2)); // physical 2..5 x 2..3
    c.Pen.Color = clRed;
    c.MoveTo(0, 5);
    c.LineTo(4, 5); // two physical rows thick, end point left out
    c.SetPixel(6, 0, clLime);
    c.EndPaint();
    EXPECT_EQ(PhysicalPixel(b, 1, 2), clWhite);
    EXPECT_EQ(PhysicalPixel(b, 2, 2), clBlue);
    EXPECT_EQ(PhysicalPixel(b, 5, 3), clBlue);
    EXPECT_EQ(PhysicalPixel(b, 6, 3), clWhite);
    EXPECT_EQ(PhysicalPixel(b, 0, 10), clRed);
    EXPECT_EQ(PhysicalPixel(b, 7, 11), clRed);
    EXPECT_EQ(PhysicalPixel(b, 8, 10), clWhite);
    EXPECT_EQ(c.Pixel(6, 0), clLime);
    EXPECT_EQ(PhysicalPixel(b, 13, 1), clLime);

    // Text: sharper than the same text drawn at scale 1 and doubled (which has none).
    TBitmap text(60, 20, 2.0);
    text.Canvas().Font.SetHeight(14);
    text.Canvas().TextOut(2, 2, QStringLiteral("Ag 汉字"));
    text.Canvas().EndPaint();
    EXPECT_GT(SharpBlocks(text, 120, 40), 0.05);
}

TEST(PixelRatio, PicturesOfAnotherRatioAreScaledSmoothly) {
    const TBitmap picture = HalfBlack(4, 4);
    TBitmap b(8, 8, 2.0);
    b.Canvas().Draw(0, 0, picture);
    b.Canvas().EndPaint();
    // The edge between black and white blends (nearest-pixel doubling would not).
    bool blended = false;
    for (int x = 0; x < 8; ++x)
        blended = blended || IsGrey(PhysicalPixel(b, x, 4));
    EXPECT_TRUE(blended);
    EXPECT_EQ(b.Pixel(1, 2), clBlack);
    EXPECT_EQ(b.Pixel(3, 2), clWhite);
    EXPECT_EQ(b.Pixel(5, 2), clWhite); // outside the picture: untouched

    // Stretched, copied from a canvas, and mirrored, all land where the logical rectangle is.
    TBitmap stretched(8, 4, 2.0);
    stretched.Canvas().StretchDraw(TRect(0, 0, 8, 4), picture);
    stretched.Canvas().CopyRect(TRect(8, 0, 4, 4), const_cast<TBitmap&>(picture).Canvas(),
                                TRect(0, 0, 4, 4));
    stretched.Canvas().EndPaint();
    EXPECT_EQ(stretched.Pixel(0, 2), clBlack);
    EXPECT_EQ(stretched.Pixel(7, 2), clBlack); // the mirrored copy's black half is at the right
    EXPECT_EQ(stretched.Pixel(4, 2), clWhite);

    // Same ratio on both sides: an exact copy; back to scale 1: the logical picture.
    TBitmap same(8, 8, 2.0);
    same.Canvas().Draw(0, 0, b);
    same.Canvas().EndPaint();
    EXPECT_EQ(same.ToQImage().convertToFormat(QImage::Format_RGB32),
              b.ToQImage().convertToFormat(QImage::Format_RGB32));
    // Pictures of an image list too.
    TImageList images;
    images.SetSize(4, 4);
    images.Add(picture, nullptr);
    TBitmap listed(4, 4, 2.0);
    images.Draw(listed.Canvas(), 0, 0, 0, true);
    listed.Canvas().EndPaint();
    EXPECT_TRUE(IsGrey(PhysicalPixel(listed, 3, 4)) || IsGrey(PhysicalPixel(listed, 4, 4)));

    TBitmap down(8, 8);
    down.Canvas().Draw(0, 0, b);
    down.Canvas().EndPaint();
    EXPECT_LT(GetRValue(down.Pixel(1, 3)), 64);
    EXPECT_GT(GetRValue(down.Pixel(3, 3)), 192);
}

TEST(PixelRatio, TransparentColourAndClipHoldWhenScaling) {
    TBitmap glyph(4, 4);
    glyph.Canvas().Brush.Color = clFuchsia;
    glyph.Canvas().FillRect(TRect(0, 0, 4, 4));
    glyph.Canvas().Brush.Color = clBlue;
    glyph.Canvas().FillRect(TRect(1, 1, 3, 3));
    glyph.SetTransparent(true);
    glyph.SetTransparentColor(clFuchsia);

    TBitmap b(8, 8, 2.0);
    b.Canvas().Brush.Color = clLime;
    b.Canvas().FillRect(TRect(0, 0, 8, 8));
    b.Canvas().IntersectClipRect(TRect(0, 0, 6, 8));
    b.Canvas().Draw(0, 0, glyph);
    b.Canvas().Draw(4, 4, glyph);
    b.Canvas().EndPaint();
    EXPECT_EQ(b.Pixel(0, 0), clLime); // the key colour is left out
    EXPECT_EQ(b.Pixel(3, 0), clLime);
    EXPECT_EQ(PhysicalPixel(b, 3, 3), clBlue);
    EXPECT_EQ(PhysicalPixel(b, 11, 11), clBlue); // inside the blended edge
    EXPECT_EQ(b.Pixel(6, 5), clLime);            // clipped
    for (int y = 0; y < b.PixelHeight(); ++y)
        for (int x = 0; x < b.PixelWidth(); ++x)
            EXPECT_NE(GetRValue(PhysicalPixel(b, x, y)), 255)
                << "key colour shows at " << x << "," << y;
}
