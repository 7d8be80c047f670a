#include "framework/Canvas.h"
#include "framework/Bitmap.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

// Something to draw on: a bitmap (drawn on directly) or a 32-bit QImage (drawn on through
// QPainter, as a widget is). Both must give the same pixels.
class Surface {
public:
    Surface(bool throughPainter, int w, int h) {
        if (throughPainter) {
            FImage = QImage(w, h, QImage::Format_RGB32);
            FImage.fill(Qt::white);
            FCanvas = std::make_unique<TCanvas>(&FImage);
        } else {
            FBitmap.SetSize(w, h);
        }
    }
    TCanvas& Canvas() { return FCanvas ? *FCanvas : FBitmap.Canvas(); }
    TColor Pixel(int x, int y) {
        if (!FCanvas)
            return FBitmap.Pixel(x, y);
        FCanvas->EndPaint();
        return FromQColor(FImage.pixelColor(x, y));
    }

private:
    TBitmap FBitmap;
    QImage FImage;
    std::unique_ptr<TCanvas> FCanvas;
};

const std::map<char, TColor> Legend = {{'.', clWhite}, {'#', clBlack}, {'r', clRed},
                                       {'g', clLime},  {'b', clBlue},  {'y', clYellow}};

// Compares the top-left of the surface with a picture drawn in Legend characters.
void ExpectPicture(Surface& s, const std::vector<std::string>& rows) {
    std::string actual;
    bool same = true;
    for (size_t y = 0; y < rows.size(); ++y) {
        for (size_t x = 0; x < rows[y].size(); ++x) {
            TColor c = s.Pixel(static_cast<int>(x), static_cast<int>(y));
            char ch = '?';
            for (const auto& [k, v] : Legend)
                if (v == c)
                    ch = k;
            actual += ch;
            same = same && ch == rows[y][x];
        }
        actual += '\n';
    }
    std::string expected;
    for (const std::string& r : rows)
        expected += r + '\n';
    EXPECT_TRUE(same) << "expected\n" << expected << "actual\n" << actual;
}

TBitmap Pattern(std::initializer_list<std::initializer_list<TColor>> rows) {
    TBitmap b(static_cast<int>(rows.begin()->size()), static_cast<int>(rows.size()));
    int y = 0;
    for (const auto& row : rows) {
        int x = 0;
        for (TColor c : row)
            b.SetPixel(x++, y, c);
        ++y;
    }
    return b;
}

class CanvasPixels : public testing::TestWithParam<bool> {};

} // namespace

TEST_P(CanvasPixels, LinesLeaveOutTheirEndPoint) {
    Surface s(GetParam(), 10, 6);
    TCanvas& c = s.Canvas();
    c.MoveTo(1, 1);
    c.LineTo(6, 1);
    c.LineTo(6, 4);
    EXPECT_EQ(c.PenPos(), TPoint(6, 4));
    c.MoveTo(0, 2);
    c.LineTo(3, 5); // 45 degrees
    c.MoveTo(9, 5);
    c.LineTo(7, 5); // right to left
    c.Pen.Color = clRed;
    c.Polyline({TPoint(8, 0), TPoint(9, 0), TPoint(9, 3)});
    c.MoveTo(8, 3);
    c.LineTo(8, 3); // zero length: nothing
    ExpectPicture(s, {
                         "........rr",
                         ".######..r",
                         "#.....#..r",
                         ".#....#...",
                         "..#.......",
                         "........##",
                     });
}

TEST_P(CanvasPixels, RectanglesAreRightAndBottomExclusive) {
    Surface s(GetParam(), 10, 9);
    TCanvas& c = s.Canvas();
    c.Brush.Color = clRed;
    c.Rectangle(0, 0, 5, 4);
    c.Brush.Color = clBlue;
    c.FillRect(TRect(6, 0, 8, 2));
    c.Brush.Color = clLime;
    c.FrameRect(TRect(0, 5, 4, 9));
    c.Pen.Style = psClear; // without a pen the fill is one pixel smaller
    c.Brush.Color = clRed;
    c.Rectangle(6, 4, 9, 7);
    c.Pen.Style = psSolid;
    c.Brush.Style = bsClear; // hollow
    c.Rectangle(5, 7, 8, 9);
    ExpectPicture(s, {
                         "#####.bb..",
                         "#rrr#.bb..",
                         "#rrr#.....",
                         "#####.....",
                         "......rr..",
                         "gggg..rr..",
                         "g..g......",
                         "g..g.###..",
                         "gggg.###..",
                     });
}

TEST_P(CanvasPixels, StyledPensAndPenModes) {
    Surface s(GetParam(), 12, 4);
    TCanvas& c = s.Canvas();
    c.Pen.Style = psDot;
    c.Brush.Style = bsClear; // transparent gaps
    c.MoveTo(0, 0);
    c.LineTo(12, 0);
    c.Brush.Style = bsSolid; // opaque gaps in the brush colour
    c.Brush.Color = clYellow;
    c.MoveTo(0, 1);
    c.LineTo(12, 1);
    c.Pen.Style = psSolid;
    c.Pen.Mode = pmXor;
    c.Pen.Color = clWhite;
    c.MoveTo(0, 2);
    c.LineTo(6, 2); // white xor white = black
    c.MoveTo(3, 2);
    c.LineTo(9, 2); // xor again: 3..5 back to white
    c.Pen.Mode = pmNot;
    c.MoveTo(0, 3);
    c.LineTo(4, 3);
    c.Pen.Mode = pmNop;
    c.MoveTo(4, 3);
    c.LineTo(12, 3);
    ExpectPicture(s, {
                         "###...###...",
                         "###yyy###yyy",
                         "###...###...",
                         "####........",
                     });
}

TEST_P(CanvasPixels, ClippingOriginsAndSavedStates) {
    Surface s(GetParam(), 8, 6);
    TCanvas& c = s.Canvas();
    c.Brush.Color = clRed;
    int level = c.SaveState();
    c.IntersectClipRect(TRect(1, 1, 4, 3));
    EXPECT_EQ(c.ClipRect(), TRect(1, 1, 4, 3));
    c.FillRect(TRect(0, 0, 8, 6));
    c.RestoreState(level);
    EXPECT_EQ(c.ClipRect(), TRect(0, 0, 8, 6));

    QRegion two = QRegion(5, 0, 1, 2) + QRegion(7, 1, 1, 1);
    c.SelectClipRgn(&two);
    c.Brush.Color = clBlue;
    c.FillRect(TRect(0, 0, 8, 6));
    c.SelectClipRgn(nullptr);

    // Window origin (-2, -4): logical (0, 0) is device (2, 4); clip regions stay in device
    // coordinates while clip rectangles are logical.
    c.SetWindowOrg(-2, -4);
    c.ExcludeClipRect(TRect(1, 0, 2, 1));
    c.Brush.Color = clLime;
    c.FillRect(TRect(0, 0, 3, 2));
    EXPECT_EQ(c.Pixel(0, 0), clLime);
    EXPECT_EQ(c.Pixel(1, 0), -1); // clipped away
    c.SelectClipRgn(nullptr);
    c.SetWindowOrg(0, 0);
    c.SetViewportOrg(7, 5);
    c.SetPixel(0, 0, clBlack);
    c.SetViewportOrg(0, 0);
    ExpectPicture(s, {
                         ".....b..",
                         ".rrr.b.b",
                         ".rrr....",
                         "........",
                         "..g.g...",
                         "..ggg..#",
                     });
}

TEST_P(CanvasPixels, DrawingsAreCutAtTheEdgesAndByTheClipRegion) {
    Surface s(GetParam(), 6, 4);
    TCanvas& c = s.Canvas();
    TBitmap two = Pattern({{clRed, clLime}, {clBlue, clYellow}});
    c.Draw(-1, -1, two); // only its bottom-right pixel lands
    c.Draw(5, 3, two);   // only its top-left pixel lands
    // Rows stretched from one source row repeat the row drawn above them.
    c.StretchDraw(TRect(1, 1, 3, 3), Pattern({{clBlue, clRed}}));
    QRegion clip = QRegion(4, 0, 1, 3) + QRegion(3, 2, 1, 1);
    c.SelectClipRgn(&clip);
    c.StretchDraw(TRect(3, 0, 6, 3), Pattern({{clLime}}));
    c.SelectClipRgn(nullptr);
    ExpectPicture(s, {
                         "y...g.",
                         ".br.g.",
                         ".brgg.",
                         ".....r",
                     });
}

TEST_P(CanvasPixels, StretchingMapsToTheNearestPixel) {
    Surface s(GetParam(), 6, 6);
    TCanvas& c = s.Canvas();
    TBitmap two = Pattern({{clRed, clLime}, {clBlue, clBlack}});
    c.StretchDraw(TRect(0, 0, 4, 4), two);
    TBitmap four = Pattern({{clRed, clLime, clBlue, clYellow}});
    c.StretchDraw(TRect(0, 4, 3, 5), four); // 4 -> 3 keeps columns 0, 2, 3
    c.StretchDraw(TRect(6, 5, 3, 6), four); // mirrored
    ExpectPicture(s, {
                         "rrgg..",
                         "rrgg..",
                         "bb##..",
                         "bb##..",
                         "rby...",
                         "...ybr",
                     });
}

TEST_P(CanvasPixels, TransparentDrawAndCopyModes) {
    Surface s(GetParam(), 6, 3);
    TCanvas& c = s.Canvas();
    TBitmap glyph =
        Pattern({{clRed, clBlue, clRed}, {clBlue, clRed, clBlue}, {clRed, clLime, clRed}});
    glyph.SetTransparent(true); // bottom-left colour: red
    c.Draw(0, 0, glyph);
    glyph.SetTransparentColor(clBlue);
    c.Draw(3, 0, glyph);
    ExpectPicture(s, {
                         ".b.r.r",
                         "b.b.r.",
                         ".g.rgr",
                     });

    Surface t(GetParam(), 4, 2);
    TBitmap source =
        Pattern({{clBlack, clRed, clLime, clBlue}, {clYellow, clYellow, clBlack, clBlack}});
    t.Canvas().CopyRect(TRect(0, 0, 2, 2), source.Canvas(), TRect(2, 0, 4, 2));
    t.Canvas().CopyMode = cmSrcInvert;
    t.Canvas().CopyRect(TRect(2, 0, 4, 1), source.Canvas(), TRect(0, 1, 2, 2)); // white xor yellow
    t.Canvas().CopyRect(TRect(2, 1, 4, 2), source.Canvas(), TRect(0, 1, 2, 2));
    t.Canvas().CopyRect(TRect(2, 1, 4, 2), source.Canvas(), TRect(0, 1, 2, 2)); // twice: back
    ExpectPicture(t, {
                         "gbbb",
                         "##..",
                     });
}

TEST_P(CanvasPixels, EllipseStaysInsideItsBox) {
    Surface s(GetParam(), 12, 12);
    TCanvas& c = s.Canvas();
    c.Brush.Color = clRed;
    c.Ellipse(1, 1, 11, 11);
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            if (s.Pixel(x, y) == clBlack) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    EXPECT_EQ(minX, 1);
    EXPECT_EQ(maxX, 10);
    EXPECT_EQ(minY, 1);
    EXPECT_EQ(maxY, 10);
    EXPECT_EQ(s.Pixel(6, 6), clRed);
    EXPECT_EQ(s.Pixel(1, 1), clWhite); // corners stay outside
}

INSTANTIATE_TEST_SUITE_P(Surfaces, CanvasPixels, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "ThroughPainter" : "Bitmap";
                         });

namespace {

// The box around every pixel that is not white, as a TRect (empty when none).
TRect InkBox(const TBitmap& b, TColor background = clWhite) {
    TRect r(b.Width(), b.Height(), 0, 0);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (b.Pixel(x, y) != background) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r;
}

int CountInk(const TBitmap& b) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            n += b.Pixel(x, y) != clWhite;
    return n;
}

} // namespace

TEST(CanvasText, TextOutBackgroundModes) {
    TBitmap b(80, 30);
    TCanvas& c = b.Canvas();
    c.Font.SetName(QStringLiteral("Arial"));
    c.Font.SetHeight(-14);
    const int w = c.TextWidth("Hi");
    const int h = c.TextHeight("Hi");
    EXPECT_GT(w, 5);
    EXPECT_GE(h, 14);
    c.Brush.Color = clRed;
    c.TextOut(2, 3, "Hi");
    EXPECT_EQ(c.PenPos(), TPoint(2 + w, 3));
    EXPECT_EQ(InkBox(b), TRect(2, 3, 2 + w, 3 + h)); // opaque: the whole extent
    int white = 0;
    for (int y = 3; y < 3 + h; ++y)
        for (int x = 2; x < 2 + w; ++x)
            white += b.Pixel(x, y) == clWhite;
    EXPECT_EQ(white, 0);

    c.Brush.Style = bsClear; // transparent: only glyph pixels change
    c.TextOut(40, 3, "Hi");
    bool red = false;
    for (int y = 3; y < 3 + h; ++y)
        for (int x = 40; x < 40 + w; ++x)
            red = red || b.Pixel(x, y) == clRed;
    EXPECT_FALSE(red);
    EXPECT_GT(CountInk(b), w * h);

    // TextRect clips to its rectangle and fills it when the brush is solid.
    TBitmap r(40, 20);
    r.Canvas().Brush.Color = clBlue;
    r.Canvas().TextRect(TRect(5, 5, 12, 15), 0, 0, "WWWWW");
    EXPECT_EQ(InkBox(r), TRect(5, 5, 12, 15));
}

TEST(CanvasText, DrawTextMeasuresPrefixesAndWraps) {
    TBitmap b(10, 10);
    TCanvas& c = b.Canvas();
    const int lineHeight = c.TextHeight("X");
    TRect r(10, 10, 300, 100);
    EXPECT_EQ(c.DrawText("Hello", r, DT_SINGLELINE | DT_CALCRECT), lineHeight);
    EXPECT_EQ(r, TRect(10, 10, 10 + c.TextWidth("Hello"), 10 + lineHeight));

    auto width = [&](const QString& text, unsigned flags) {
        TRect m(0, 0, 500, 100);
        c.DrawText(text, m, flags | DT_CALCRECT | DT_SINGLELINE);
        return m.Width();
    };
    EXPECT_EQ(width("A&&B", 0), c.TextWidth("A&B"));
    EXPECT_EQ(width("&File", 0), c.TextWidth("File"));
    EXPECT_EQ(width("&File", DT_NOPREFIX), c.TextWidth("&File"));

    // Word wrapping at spaces and between Chinese characters.
    TRect wrap(0, 0, c.TextWidth("aaa bbb"), 100);
    EXPECT_EQ(c.DrawText("aaa bbb ccc", wrap, DT_WORDBREAK | DT_CALCRECT), 2 * lineHeight);
    EXPECT_LE(wrap.Width(), c.TextWidth("aaa bbb"));
    TRect cjk(0, 0, c.TextWidth(QStringLiteral("一二三")), 100);
    EXPECT_EQ(c.DrawText(QStringLiteral("一二三四五六"), cjk, DT_WORDBREAK | DT_CALCRECT),
              2 * lineHeight);
    TRect none(5, 5, 100, 100);
    EXPECT_EQ(c.DrawText("", none, DT_CALCRECT), 0); // no text, no line
    EXPECT_EQ(none, TRect(5, 5, 5, 5));
    TRect lines(0, 0, 100, 100);
    EXPECT_EQ(c.DrawText("one\r\ntwo\nthree\rfour", lines, DT_CALCRECT), 4 * lineHeight);

    // An end ellipsis shortens the line to fit.
    TRect narrow(0, 0, 50, 20);
    c.DrawText("A rather long caption that does not fit", narrow,
               DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(narrow.Width(), 50);
    EXPECT_GT(narrow.Width(), c.TextWidth("..."));
}

TEST(CanvasText, DrawTextAlignsClipsAndUnderlines) {
    TBitmap b(100, 40);
    TCanvas& c = b.Canvas();
    c.Font.SetHeight(-16);
    c.Brush.Style = bsClear;
    const int lineHeight = c.TextHeight("X");
    TRect r(0, 0, 100, 40);
    int bottom = c.DrawText("X", r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    EXPECT_EQ(bottom, (40 - lineHeight) / 2 + lineHeight);
    TRect ink = InkBox(b);
    EXPECT_NEAR((ink.Left + ink.Right) / 2.0, 50, 2);
    EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 20, 4);

    TBitmap right(100, 40);
    TRect rr(0, 0, 100, 40);
    right.Canvas().Brush.Style = bsClear;
    right.Canvas().DrawText("X", rr, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    ink = InkBox(right);
    EXPECT_GE(ink.Left, 85);
    EXPECT_LE(ink.Right, 100);
    EXPECT_GE(ink.Top, 20);

    // Clipped to the rectangle unless DT_NOCLIP.
    TBitmap clip(100, 20);
    TRect small(0, 0, 10, 20);
    clip.Canvas().DrawText("WWWWWWWW", small, DT_SINGLELINE);
    EXPECT_LE(InkBox(clip).Right, 10);
    clip.Canvas().DrawText("WWWWWWWW", small, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBox(clip).Right, 20);

    // "&W" underlines the W: more ink than the plain W, all of it below the glyph's top.
    TBitmap plain(40, 30), prefixed(40, 30);
    TRect pr(0, 0, 40, 30);
    plain.Canvas().DrawText("W", pr, DT_SINGLELINE);
    prefixed.Canvas().DrawText("&W", pr, DT_SINGLELINE);
    EXPECT_GT(CountInk(prefixed), CountInk(plain));
    EXPECT_GT(InkBox(prefixed).Bottom, InkBox(plain).Bottom);
}

TEST(CanvasDevices, ExternalPainterAndEmptyBitmap) {
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.translate(5, 5);
        {
            TCanvas c(&painter);
            c.Brush.Color = clRed;
            c.SetWindowOrg(1, 1);
            c.FillRect(TRect(1, 1, 2, 2)); // logical (1,1) = painter (0,0) = image (5,5)
            EXPECT_EQ(c.Pixel(1, 1), -1);  // a painter's device can't be read back
        }
        EXPECT_EQ(painter.transform().dx(), 5); // given back unchanged
        painter.fillRect(QRect(1, 0, 1, 1), Qt::blue);
    }
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(6, 5), QColor(Qt::blue));

    // Drawing on an empty bitmap does nothing and fails nothing.
    TBitmap empty;
    TCanvas& c = empty.Canvas();
    c.FillRect(TRect(0, 0, 5, 5));
    c.LineTo(3, 3);
    c.TextOut(0, 0, "x");
    c.Draw(0, 0, empty);
    EXPECT_EQ(c.Pixel(0, 0), -1);
    EXPECT_EQ(c.Handle(), nullptr);

    // A canvas outliving its bitmap draws nothing.
    auto owner = std::make_unique<TBitmap>(4, 4);
    TCanvas detached(*owner);
    detached.FillRect(TRect(0, 0, 2, 2));
    owner.reset();
    detached.FillRect(TRect(0, 0, 2, 2));
    EXPECT_EQ(detached.Pixel(0, 0), -1);
}

namespace {

// A widget that paints through a canvas kept from one paint to the next.
class CanvasWidget : public QWidget {
public:
    CanvasWidget() : Canvas(static_cast<QPaintDevice*>(this)) { resize(20, 10); }
    TCanvas Canvas;
    TBitmap Glyph = Pattern({{clRed, clLime}, {clBlue, clRed}});

protected:
    void paintEvent(QPaintEvent*) override {
        Canvas.Brush.Color = clNavy;
        Canvas.FrameRect(TRect(0, 0, 20, 10));
        Glyph.SetTransparent(true);
        Glyph.SetTransparentColor(clRed);
        Canvas.Draw(2, 2, Glyph);
        Canvas.EndPaint();
    }
};

} // namespace

TEST(CanvasDevices, WidgetCanvasPaintsOnlyInsidePaintEvents) {
    CanvasWidget w;
    w.Canvas.FillRect(TRect(0, 0, 5, 5)); // outside a paint event: nothing, no failure
    EXPECT_FALSE(w.Canvas.HandleAllocated());
    EXPECT_GT(w.Canvas.TextWidth("abc"), 0);
    QImage shot = w.grab().toImage();
    EXPECT_EQ(FromQColor(shot.pixelColor(0, 0)), clNavy);
    EXPECT_EQ(FromQColor(shot.pixelColor(19, 9)), clNavy);
    EXPECT_EQ(FromQColor(shot.pixelColor(3, 2)), clLime);
    EXPECT_EQ(FromQColor(shot.pixelColor(2, 3)), clBlue);
    EXPECT_NE(FromQColor(shot.pixelColor(2, 2)), clRed); // transparent
    EXPECT_FALSE(w.Canvas.HandleAllocated());
}

namespace {

int ThreadsOfThisProcess() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/task"))
                                .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                                .size());
}

TColor PatternColor(int x, int y) {
    return RGB(x * 7 % 256, y * 5 % 256, (x + y) % 256);
}

// A picture drawn at (5, 3) of a child widget whose paints go through a canvas.
class PictureWidget : public QWidget {
public:
    explicit PictureWidget(QWidget* parent, bool keyed)
        : QWidget(parent), Canvas(static_cast<QPaintDevice*>(this)), Picture(300, 200) {
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                Picture.SetPixel(x, y, (keyed && (x + y) % 3 == 0) ? clRed : PatternColor(x, y));
        Picture.SetTransparent(keyed);
        Picture.SetTransparentColor(clRed);
        setGeometry(11, 7, 310, 206);
    }
    TCanvas Canvas;
    TBitmap Picture;

protected:
    void paintEvent(QPaintEvent*) override {
        Canvas.Draw(5, 3, Picture);
        Canvas.EndPaint();
    }
};

} // namespace

TEST(CanvasDevices, APictureOnAWidgetShowsInThePaintedRegionOnlyAndStartsNoThreads) {
    for (bool keyed : {false, true}) {
        SCOPED_TRACE(keyed ? "keyed" : "plain");
        QWidget parent;
        parent.resize(340, 230);
        parent.setAutoFillBackground(true);
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, Qt::white);
        parent.setPalette(palette);
        PictureWidget child(&parent, keyed);
        // Stripes three pixels wide and four apart: a dozen spans on every row.
        QRegion stripes;
        for (int x = 0; x < 340; x += 7)
            stripes += QRect(x, 0, 3, 230);
        QImage shot(340, 230, QImage::Format_RGB32);
        shot.fill(Qt::black);
        const int threads = ThreadsOfThisProcess();
        parent.render(&shot, QPoint(), stripes);
        EXPECT_EQ(ThreadsOfThisProcess(), threads);
        for (int y = 0; y < 230; ++y)
            for (int x = 0; x < 340; ++x) {
                const int px = x - 16, py = y - 10; // the picture's pixel shown at (x, y)
                const bool onPicture = px >= 0 && py >= 0 && px < 300 && py < 200;
                TColor expected = clBlack;
                if (stripes.contains(QPoint(x, y)))
                    expected = onPicture && !(keyed && (px + py) % 3 == 0) ? PatternColor(px, py)
                                                                           : clWhite;
                ASSERT_EQ(FromQColor(shot.pixelColor(x, y)), expected) << "at " << x << "," << y;
            }
    }
}
