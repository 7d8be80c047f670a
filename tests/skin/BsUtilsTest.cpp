// The bitmap toolkit against small hand-computed examples. Source pictures carry their
// own coordinates in every pixel (red = x, green = y, blue = 77), so a destination pixel
// tells exactly which source pixel landed there.

#include "skin/bsUtils.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "platform/Gbk.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int Marker = 77;

TBitmap CoordinatePicture(int w, int h) {
    TBitmap bmp(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp.SetPixel(x, y, RGB(x, y, Marker));
    return bmp;
}

// The source pixel a destination pixel came from; (-1, -1) for anything else.
TPoint SourceOf(const TBitmap& bmp, int x, int y) {
    TColor c = bmp.Pixel(x, y);
    if (GetBValue(c) != Marker)
        return TPoint(-1, -1);
    return TPoint(GetRValue(c), GetGValue(c));
}

struct Expect {
    int X, Y;   // destination
    int SX, SY; // source, relative to the skin rect
};

void CheckPixels(const TBitmap& bmp, const std::vector<Expect>& cases, TPoint origin) {
    for (const Expect& e : cases)
        EXPECT_EQ(SourceOf(bmp, e.X, e.Y), TPoint(origin.X + e.SX, origin.Y + e.SY))
            << "destination (" << e.X << ", " << e.Y << ")";
}

// Source columns of row 0 (or rows of column 0) of a strip.
std::vector<int> SourceColumns(const TBitmap& bmp) {
    std::vector<int> columns;
    for (int x = 0; x < bmp.Width(); ++x)
        columns.push_back(SourceOf(bmp, x, 0).X);
    return columns;
}
std::vector<int> SourceRows(const TBitmap& bmp) {
    std::vector<int> rows;
    for (int y = 0; y < bmp.Height(); ++y)
        rows.push_back(SourceOf(bmp, 0, y).Y);
    return rows;
}

bool AllWhite(const TBitmap& bmp) {
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (bmp.Pixel(x, y) != clWhite)
                return false;
    return true;
}

int CountColor(const TBitmap& bmp, TColor color) {
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            n += bmp.Pixel(x, y) == color;
    return n;
}

// A 10 x 8 skin at (2, 3) of a 16 x 14 picture, fitted to 17 x 11.
struct NinePart {
    TBitmap Source = CoordinatePicture(16, 14);
    TRect R{2, 3, 12, 11};
    TPoint LT{3, 3}, RT{7, 3}, LB{3, 5}, RB{7, 5};
    TRect CR{2, 2, 8, 6};
    TPoint NLT{3, 3}, NRT{14, 3}, NLB{3, 8}, NRB{14, 8};
    TRect NCR{2, 2, 15, 9};
    int W = 17, H = 11;
    TPoint Origin() const { return R.TopLeft(); }
};

} // namespace

TEST(BsUtilsCompose, SkinImageTilesEdgesCutsTheLastTileAndKeepsCorners) {
    NinePart s;
    TBitmap dest;
    CreateSkinImage(s.LT, s.RT, s.LB, s.RB, s.CR, s.NLT, s.NRT, s.NLB, s.NRB, s.NCR, dest, s.Source,
                    s.R, s.W, s.H, true);
    ASSERT_EQ(dest.Width(), 17);
    ASSERT_EQ(dest.Height(), 11);
    CheckPixels(dest,
                {// top edge: tiles at 3, 7, 11, the last cut to 3 columns
                 {3, 0, 3, 0},
                 {6, 1, 6, 1},
                 {7, 0, 3, 0},
                 {13, 1, 5, 1},
                 // bottom edge from source rows 6..7
                 {8, 9, 4, 6},
                 {13, 10, 5, 7},
                 // left edge: rows 3..4 tiled at 3, 5, 7 (the last one row high)
                 {0, 3, 0, 3},
                 {1, 4, 1, 4},
                 {0, 5, 0, 3},
                 {1, 6, 1, 4},
                 {0, 7, 0, 3},
                 // right edge
                 {15, 5, 8, 3},
                 {16, 6, 9, 4},
                 {16, 7, 9, 3},
                 // corners
                 {2, 1, 2, 1},
                 {1, 2, 1, 2},
                 {14, 0, 7, 0},
                 {16, 1, 9, 1},
                 {15, 2, 8, 2},
                 {0, 8, 0, 5},
                 {1, 10, 1, 7},
                 {2, 9, 2, 6},
                 {14, 9, 7, 6},
                 {16, 10, 9, 7},
                 {15, 8, 8, 5},
                 // client: 6 x 4 piece over 13 x 7, last column 1 wide, last row 3 high
                 {2, 2, 2, 2},
                 {7, 5, 7, 5},
                 {8, 2, 2, 2},
                 {14, 6, 2, 2},
                 {14, 8, 2, 4},
                 {13, 8, 7, 4}},
                s.Origin());
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 17; ++x)
            EXPECT_NE(SourceOf(dest, x, y).X, -1) << x << "," << y;

    TBitmap noClient;
    CreateSkinImage(s.LT, s.RT, s.LB, s.RB, s.CR, s.NLT, s.NRT, s.NLB, s.NRB, s.NCR, noClient,
                    s.Source, s.R, s.W, s.H, false);
    EXPECT_EQ(noClient.Pixel(8, 4), clWhite);
    EXPECT_EQ(SourceOf(noClient, 7, 0), SourceOf(dest, 7, 0));
}

TEST(BsUtilsCompose, EarlyStopLeavesABlankDestinationOfTheRequestedSize) {
    NinePart s;
    TBitmap dest(17, 11);
    dest.Canvas().Brush.Color = clRed;
    dest.Canvas().FillRect(TRect(0, 0, 17, 11));
    TPoint flatRB(s.LT.X, s.RB.Y); // RB.x = LT.x spans nothing
    CreateSkinImage(s.LT, s.RT, s.LB, flatRB, s.CR, s.NLT, s.NRT, s.NLB, s.NRB, s.NCR, dest,
                    s.Source, s.R, s.W, s.H, true);
    EXPECT_EQ(dest.Width(), 17);
    EXPECT_TRUE(AllWhite(dest));

    TBitmap empty;
    TBitmap fromEmpty;
    CreateLeftSkinImage(s.LT, s.RT, s.LB, s.RB, s.CR, s.NLT, s.NRT, s.NLB, s.NRB, s.NCR, fromEmpty,
                        empty, s.R, 9, 6, true);
    EXPECT_EQ(fromEmpty.Width(), 9);
    EXPECT_EQ(fromEmpty.Height(), 6);
    EXPECT_TRUE(AllWhite(fromEmpty));
}

TEST(BsUtilsCompose, StretchFlagsStretchOnlyTheirEdge) {
    NinePart s;
    TBitmap dest;
    CreateStretchSkinImage(s.LT, s.RT, s.LB, s.RB, s.CR, s.NLT, s.NRT, s.NLB, s.NRB, s.NCR, dest,
                           s.Source, s.R, s.W, s.H, true, true, true, false, false);
    // Top: columns 3..6 stretched over 3..13 (nearest pixel); left: rows 3..4 over 3..7.
    CheckPixels(dest,
                {{3, 0, 3, 0},
                 {7, 0, 4, 0},
                 {13, 1, 6, 1},
                 {0, 3, 0, 3},
                 {0, 7, 0, 4},
                 // bottom and right still tiled, corners and client unchanged
                 {8, 9, 4, 6},
                 {16, 7, 9, 3},
                 {14, 0, 7, 0},
                 {13, 8, 7, 4}},
                s.Origin());
}

TEST(BsUtilsCompose, LeftSkinImageRunsToTheRightEdgeWithoutARightSide) {
    NinePart s;
    TBitmap dest;
    CreateLeftSkinImage(s.LT, s.RT, s.LB, s.RB, s.CR, s.NLT, s.NRT, s.NLB, s.NRB, s.NCR, dest,
                        s.Source, s.R, s.W, s.H, true);
    CheckPixels(dest,
                {// top tiles at 3, 7, 11, 15 (cut to 2 at W)
                 {15, 0, 3, 0},
                 {16, 1, 4, 1},
                 {16, 10, 4, 7},
                 // left corners and edge as in the nine-part fit
                 {2, 1, 2, 1},
                 {0, 5, 0, 3},
                 {2, 9, 2, 6},
                 // client over (2, 2) .. (17, 9): columns at 2, 8, 14
                 {16, 5, 4, 5},
                 {14, 2, 2, 2}},
                s.Origin());
}

TEST(BsUtilsCompose, BorderImagesTileFromZeroAndKeepFailedBordersUntouched) {
    NinePart s;
    TBitmap left, top, right, bottom;
    CreateSkinBorderImages(s.LT, s.RT, s.LB, s.RB, s.CR, s.NLT, s.NRT, s.NLB, s.NRB, s.NCR, left,
                           top, right, bottom, s.Source, s.R, s.W, s.H, false, false, false, false);
    ASSERT_EQ(top.Width(), 17);
    ASSERT_EQ(top.Height(), 2);
    CheckPixels(top, {{3, 0, 6, 0}, {4, 1, 3, 1}, {13, 0, 4, 0}, {14, 0, 7, 0}, {1, 1, 1, 1}},
                s.Origin());
    ASSERT_EQ(bottom.Height(), 2);
    CheckPixels(bottom, {{5, 1, 4, 7}, {0, 0, 0, 6}, {16, 1, 9, 7}}, s.Origin());
    ASSERT_EQ(left.Width(), 2);
    ASSERT_EQ(left.Height(), 7);
    CheckPixels(left, {{0, 0, 0, 2}, {1, 1, 1, 4}, {0, 2, 0, 3}, {0, 5, 0, 4}, {1, 6, 1, 5}},
                s.Origin());
    ASSERT_EQ(right.Width(), 2);
    CheckPixels(right, {{0, 0, 8, 2}, {1, 3, 9, 4}, {0, 6, 8, 5}}, s.Origin());

    CreateSkinBorderImages(s.LT, s.RT, s.LB, s.RB, s.CR, s.NLT, s.NRT, s.NLB, s.NRB, s.NCR, left,
                           top, right, bottom, s.Source, s.R, s.W, s.H, true, true, false, false);
    CheckPixels(top, {{3, 0, 3, 0}, {13, 0, 6, 0}}, s.Origin());
    CheckPixels(left, {{0, 1, 0, 3}, {0, 0, 0, 2}}, s.Origin());

    TBitmap keptTop(5, 5);
    keptTop.Canvas().Brush.Color = clRed;
    keptTop.Canvas().FillRect(TRect(0, 0, 5, 5));
    TRect noTop(2, 0, 15, 9);
    CreateSkinBorderImages(s.LT, s.RT, s.LB, s.RB, s.CR, s.NLT, s.NRT, s.NLB, s.NRB, noTop, left,
                           keptTop, right, bottom, s.Source, s.R, s.W, s.H, false, false, false,
                           false);
    EXPECT_EQ(keptTop.Width(), 5);
    EXPECT_EQ(CountColor(keptTop, clRed), 25);
}

TEST(BsUtilsCompose, ThreePartStrips) {
    const TBitmap src = CoordinatePicture(12, 12);
    const TRect strip(1, 1, 9, 3); // L = 2, Rt = 2 leave columns 3..6 as the middle
    TBitmap dest;
    // The span 8 is two whole tiles; the third is zero wide and must not cover the end.
    CreateHSkinImage(2, 2, dest, 12, strip, src);
    EXPECT_EQ(dest.Height(), 2);
    EXPECT_EQ(SourceColumns(dest), (std::vector<int>{1, 2, 3, 4, 5, 6, 3, 4, 5, 6, 7, 8}));
    CreateHSkinImage(2, 2, dest, 11, strip, src); // last tile cut to 3
    EXPECT_EQ(SourceColumns(dest), (std::vector<int>{1, 2, 3, 4, 5, 6, 3, 4, 5, 7, 8}));
    CreateHSkinImage(2, 2, dest, 3, strip, src); // ends overlap, no middle
    EXPECT_EQ(SourceColumns(dest), (std::vector<int>{1, 7, 8}));

    CreateHSkinImageLeft(2, 2, dest, 11, strip, src);
    EXPECT_EQ(SourceColumns(dest), (std::vector<int>{1, 2, 3, 4, 5, 6, 3, 4, 5, 6, 3}));
    CreateHTileImage(2, 2, dest, 6, strip, src);
    EXPECT_EQ(SourceColumns(dest), (std::vector<int>{3, 4, 5, 6, 3, 4}));

    CreateVSkinImage(2, 2, dest, 11, TRect(1, 1, 3, 9), src);
    EXPECT_EQ(dest.Width(), 2);
    EXPECT_EQ(SourceRows(dest), (std::vector<int>{1, 2, 3, 4, 5, 6, 3, 4, 5, 7, 8}));
}

TEST(BsUtilsRegion, RegionsFromMasks) {
    TBitmap none;
    EXPECT_FALSE(CreateRegionFromMask(none).has_value());

    TBitmap white(4, 3);
    TbsRegion empty = CreateRegionFromMask(white);
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->isEmpty());

    TBitmap bwb(3, 1);
    bwb.SetPixel(0, 0, clBlack);
    bwb.SetPixel(2, 0, clBlack);
    TbsRegion two = CreateRegionFromMask(bwb);
    ASSERT_TRUE(two.has_value());
    ASSERT_EQ(two->rectCount(), 2);
    EXPECT_EQ(*two->begin(), QRect(0, 0, 1, 1));
    EXPECT_EQ(*(two->begin() + 1), QRect(2, 0, 1, 1));

    // Rows with the same runs share one rectangle; an offset moves everything.
    TBitmap corner(4, 3);
    corner.Canvas().Brush.Color = clBlack;
    corner.Canvas().FillRect(TRect(0, 0, 4, 3));
    corner.SetPixel(0, 0, clWhite);
    TbsRegion moved = CreateRegionFromMask(corner, 10, 20);
    ASSERT_TRUE(moved.has_value());
    EXPECT_EQ(moved->rectCount(), 2);
    QRegion expected = QRegion(11, 20, 3, 1).united(QRegion(10, 21, 4, 2));
    EXPECT_TRUE(moved->xored(expected).isEmpty());
    EXPECT_EQ(*moved, expected);
}

TEST(BsUtilsRegion, MoreThanTenThousandRuns) {
    TBitmap checker(200, 200); // 20000 one-pixel runs
    for (int y = 0; y < 200; ++y)
        for (int x = (y % 2); x < 200; x += 2)
            checker.SetPixel(x, y, clBlack);
    TbsRegion region = CreateRegionFromMask(checker);
    ASSERT_TRUE(region.has_value());
    EXPECT_EQ(region->rectCount(), 20000);
    EXPECT_TRUE(region->contains(QPoint(199, 199)));
    EXPECT_FALSE(region->contains(QPoint(198, 199)));
    EXPECT_TRUE(region->contains(QPoint(0, 198)));
    EXPECT_EQ(region->boundingRect(), QRect(0, 0, 200, 200));
}

TEST(BsUtilsRegion, SkinRegionFitsTheMaskBorders) {
    NinePart s;
    TBitmap mask(10, 8); // the skin's size, black but the two top corners
    mask.Canvas().Brush.Color = clBlack;
    mask.Canvas().FillRect(TRect(0, 0, 10, 8));
    mask.SetPixel(0, 0, clWhite);
    mask.SetPixel(9, 0, clWhite);
    TbsRegion region = CreateSkinRegion(s.LT, s.RT, s.LB, s.RB, s.CR, s.NLT, s.NRT, s.NLB, s.NRB,
                                        s.NCR, mask, s.W, s.H);
    ASSERT_TRUE(region.has_value());
    const QRegion expected =
        QRegion(0, 0, 17, 11).subtracted(QRegion(0, 0, 1, 1)).subtracted(QRegion(16, 0, 1, 1));
    EXPECT_TRUE(region->xored(expected).isEmpty());

    TPoint backwards(2, s.NRT.Y); // NRT.x < NLT.x
    EXPECT_FALSE(CreateSkinRegion(s.LT, s.RT, s.LB, s.RB, s.CR, s.NLT, backwards, s.NLB, s.NRB,
                                  s.NCR, mask, s.W, s.H)
                     .has_value());

    // Without a client area the borders still make the region.
    TRect flat(2, 2, 15, 2);
    TbsRegion borders = CreateSkinRegion(s.LT, s.RT, s.LB, s.RB, s.CR, TPoint(3, 2), TPoint(14, 2),
                                         TPoint(3, 2), TPoint(14, 2), flat, mask, s.W, 4);
    ASSERT_TRUE(borders.has_value());
    EXPECT_TRUE(borders->contains(QPoint(5, 3)));
    EXPECT_FALSE(borders->contains(QPoint(0, 0)));
}

TEST(BsUtilsGlyph, GlyphsLeaveOutLineEndPoints) {
    TBitmap close(12, 12);
    DrawCloseGlyph(close.Canvas(), 0, 0, clBlack);
    EXPECT_EQ(CountColor(close, clBlack), 30); // four 8-pixel lines crossing twice
    EXPECT_EQ(close.Pixel(1, 1), clBlack);
    EXPECT_EQ(close.Pixel(8, 8), clBlack);
    EXPECT_EQ(close.Pixel(9, 8), clBlack);
    EXPECT_EQ(close.Pixel(9, 9), clWhite);
    EXPECT_EQ(close.Pixel(1, 9), clWhite);

    TBitmap minimize(12, 12);
    DrawMinimizeGlyph(minimize.Canvas(), 0, 0, clBlack);
    EXPECT_EQ(CountColor(minimize, clBlack), 16);
    EXPECT_EQ(minimize.Pixel(9, 8), clWhite);

    TBitmap maximize(12, 12);
    maximize.Canvas().Brush.Color = clRed;
    maximize.Canvas().FillRect(TRect(0, 0, 12, 12));
    DrawMaximizeGlyph(maximize.Canvas(), 0, 0, clBlack);
    EXPECT_EQ(maximize.Pixel(10, 9), clBlack);
    EXPECT_EQ(maximize.Pixel(5, 1), clBlack);
    EXPECT_EQ(maximize.Pixel(5, 5), clRed); // hollow
    EXPECT_EQ(maximize.Canvas().Brush.Style, bsSolid);

    TBitmap frame(5, 5);
    DrawFrame3D(frame.Canvas(), TRect(0, 0, 5, 5), clRed, clBlue);
    EXPECT_EQ(frame.Pixel(0, 0), clRed);
    EXPECT_EQ(frame.Pixel(3, 0), clRed);
    EXPECT_EQ(frame.Pixel(4, 0), clBlue);
    EXPECT_EQ(frame.Pixel(0, 4), clBlue);
    EXPECT_EQ(frame.Pixel(2, 2), clWhite);

    TBitmap strip = CoordinatePicture(12, 3); // three 4 x 3 frames
    TBitmap target(6, 5);
    DrawSkinGlyph(target.Canvas(), 1, 1, strip, 3, 2);
    EXPECT_EQ(SourceOf(target, 1, 1), TPoint(4, 0));
    EXPECT_EQ(SourceOf(target, 4, 3), TPoint(7, 2));
    EXPECT_EQ(target.Pixel(1, 3), clWhite); // the frame's bottom-left colour is transparent
}

TEST(BsUtilsGlyph, ArrowMarks) {
    TBitmap right(10, 10);
    DrawArrowMark(right.Canvas(), TRect(0, 0, 10, 10), clBlack, TbsArrowDirection::Right);
    EXPECT_EQ(CountColor(right, clBlack), 16);
    EXPECT_EQ(right.Pixel(4, 2), clBlack);
    EXPECT_EQ(right.Pixel(4, 8), clBlack);
    EXPECT_EQ(right.Pixel(4, 1), clWhite);
    EXPECT_EQ(right.Pixel(7, 5), clBlack);
    EXPECT_EQ(right.Pixel(8, 5), clWhite);

    TBitmap down(10, 10);
    DrawArrowMark(down.Canvas(), TRect(0, 0, 10, 10), clBlack, 4);
    EXPECT_EQ(CountColor(down, clBlack), 16);
    EXPECT_EQ(down.Pixel(2, 4), clBlack);
    EXPECT_EQ(down.Pixel(8, 4), clBlack);
    EXPECT_EQ(down.Pixel(9, 4), clWhite);
    EXPECT_EQ(down.Pixel(5, 7), clBlack);
    EXPECT_EQ(down.Pixel(5, 8), clWhite);
}

TEST(BsUtilsText, CorrectTextByWidthShortensWholeCharacters) {
    TBitmap bmp(10, 10);
    TCanvas& canvas = bmp.Canvas();
    const QString latin = QStringLiteral("Skin caption");
    EXPECT_EQ(CorrectTextByWidth(canvas, latin, 1000), latin);

    const QString chinese = QStringLiteral("中文字符测试标题");
    const int width = canvas.TextWidth(chinese.left(3) + QStringLiteral("..."));
    const QString cut = CorrectTextByWidth(canvas, chinese, width);
    ASSERT_TRUE(cut.endsWith(QStringLiteral("...")));
    const QString kept = cut.chopped(3);
    EXPECT_TRUE(chinese.startsWith(kept));
    EXPECT_FALSE(kept.isEmpty());
    EXPECT_LE(canvas.TextWidth(cut), width);
    EXPECT_EQ(Gbk::Encode(kept).size(), 2 * kept.size()); // no half character

    EXPECT_EQ(CorrectTextByWidth(canvas, latin, 0), QStringLiteral("..."));
}

TEST(BsUtilsText, TextIsClippedToItsRect) {
    TBitmap bmp(60, 30);
    TCanvas& canvas = bmp.Canvas();
    canvas.Brush.Style = bsClear;
    canvas.Font.SetHeight(-20);
    DrawTextVCenteredOffset(canvas, QStringLiteral("WWWWWWW"), TRect(10, 5, 30, 25), 3);
    int inside = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) {
            bool in = x >= 10 && x < 30 && y >= 5 && y < 25;
            if (!in)
                EXPECT_EQ(bmp.Pixel(x, y), clWhite) << x << "," << y;
            else
                inside += bmp.Pixel(x, y) != clWhite;
        }
    EXPECT_GT(inside, 0);
    for (int y = 0; y < 30; ++y)
        for (int x = 10; x < 14; ++x)
            EXPECT_EQ(bmp.Pixel(x, y), clWhite); // text starts at left + offset + 2
}

namespace {

// Paints its left half (x < 40) red and the rest blue.
class HalfPainted : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(0, 0, 40, height(), Qt::red);
        p.fillRect(40, 0, width() - 40, height(), Qt::blue);
    }
};

} // namespace

TEST(BsUtilsParent, PaintParentImageShowsWhatLiesUnderTheControl) {
    QWidget window;
    window.resize(120, 120);
    HalfPainted parent(&window);
    parent.setGeometry(5, 5, 100, 100);
    QWidget control(&parent);
    control.setGeometry(30, 20, 20, 20);
    TBitmap bmp(20, 20);
    PaintParentImage(&control, bmp.Canvas());
    EXPECT_EQ(bmp.Pixel(5, 5), clRed);   // parent (35, 25)
    EXPECT_EQ(bmp.Pixel(15, 5), clBlue); // parent (45, 25)
    EXPECT_EQ(bmp.Canvas().ViewportOrg(), TPoint(0, 0));

    // A window parent gives only its background.
    HalfPainted topLevel;
    topLevel.resize(100, 100);
    QWidget child(&topLevel);
    child.setGeometry(30, 20, 20, 20);
    TBitmap background(20, 20);
    PaintParentImage(&child, background.Canvas());
    EXPECT_EQ(background.Pixel(5, 5),
              FromQColor(topLevel.palette().color(topLevel.backgroundRole())));

    TBitmap untouched(4, 4);
    PaintParentImage(&window, untouched.Canvas()); // no parent
    EXPECT_TRUE(AllWhite(untouched));
}

TEST(BsUtilsPlatform, WindowAlphaAndWorkArea) {
    QWidget window;
    SetWindowAlpha(&window, 128);
    EXPECT_NEAR(window.windowOpacity(), 128 / 255.0, 0.01);
    SetWindowAlpha(nullptr, 10);               // nothing happens
    EXPECT_FALSE(IsLayeredWindowsSupported()); // the offscreen platform never composites

    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(GetMonitorWorkArea(&window, true), TRect::FromQRect(screen->availableGeometry()));
    EXPECT_EQ(GetMonitorWorkArea(nullptr, false), TRect::FromQRect(screen->geometry()));
}
