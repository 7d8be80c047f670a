#include "skin/bsUtils.h"

#include "skin/bsEffects.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "platform/Compositor.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// ---------------------------------------------------------------- copying pieces

// Copies rectangles of a source bitmap into a destination bitmap with the canvas's
// stretching block copy (a plain copy when the sizes match). Fresh canvases on both
// bitmaps, so origins or clips a caller left on their own canvases play no part.
class PieceCopier {
public:
    PieceCopier(TBitmap& dest, const TBitmap& source)
        : FDest(dest),
          // Only read: CopyRect takes the pixels from the source canvas's bitmap.
          FSource(const_cast<TBitmap&>(source)) {}

    void Copy(const TRect& sourceRect, const TRect& destRect) {
        FDest.CopyRect(destRect, FSource, sourceRect);
    }

    // The piece is first copied into a bitmap of its own size, which is then drawn
    // stretched over `destRect`.
    void Stretch(const TRect& sourceRect, const TRect& destRect) {
        if (IsNullRect(sourceRect))
            return;
        TBitmap piece(sourceRect.Width(), sourceRect.Height());
        {
            TCanvas pieceCanvas(piece);
            pieceCanvas.CopyRect(TRect(0, 0, sourceRect.Width(), sourceRect.Height()), FSource,
                                 sourceRect);
        }
        FDest.StretchDraw(destRect, piece);
    }

private:
    TCanvas FDest;
    TCanvas FSource;
};

// Repeats `piece` side by side from x = `from`, the last repetition cut at `to` (its
// source cut by the same amount), into the rows destTop .. destBottom. `limit` is the
// destination width: repetitions wholly outside 0 .. limit are not visited.
void TileHorizontally(PieceCopier& copier, const TRect& piece, int from, int to, int destTop,
                      int destBottom, int limit) {
    const int64_t d = piece.Width();
    if (d <= 0)
        return;
    const int64_t last = (int64_t(to) - from) / d;
    const int64_t firstVisible = from < 0 ? (-int64_t(from)) / d : 0;
    for (int64_t k = firstVisible; k <= last; ++k) {
        const int64_t x = from + k * d;
        if (x >= limit)
            break;
        const int64_t cut = std::max<int64_t>(0, x + d - to);
        if (d - cut <= 0)
            continue;
        copier.Copy(TRect(piece.Left, piece.Top, static_cast<int>(piece.Right - cut), piece.Bottom),
                    TRect(static_cast<int>(x), destTop, static_cast<int>(x + d - cut), destBottom));
    }
}

// The same downwards: from y = `from` to `to` in the columns destLeft .. destRight.
void TileVertically(PieceCopier& copier, const TRect& piece, int from, int to, int destLeft,
                    int destRight, int limit) {
    const int64_t d = piece.Height();
    if (d <= 0)
        return;
    const int64_t last = (int64_t(to) - from) / d;
    const int64_t firstVisible = from < 0 ? (-int64_t(from)) / d : 0;
    for (int64_t k = firstVisible; k <= last; ++k) {
        const int64_t y = from + k * d;
        if (y >= limit)
            break;
        const int64_t cut = std::max<int64_t>(0, y + d - to);
        if (d - cut <= 0)
            continue;
        copier.Copy(TRect(piece.Left, piece.Top, piece.Right, static_cast<int>(piece.Bottom - cut)),
                    TRect(destLeft, static_cast<int>(y), destRight, static_cast<int>(y + d - cut)));
    }
}

// Tiles `piece` over `area` from its top-left, columns in the outer loop, the last column
// and row cut at the area's right and bottom.
void TileArea(PieceCopier& copier, const TRect& piece, const TRect& area, int limitW, int limitH) {
    const int64_t cw = piece.Width();
    const int64_t ch = piece.Height();
    if (cw <= 0 || ch <= 0)
        return;
    const int64_t aw = area.Width();
    const int64_t ah = area.Height();
    for (int64_t i = 0; i <= aw / cw; ++i) {
        const int64_t x = area.Left + i * cw;
        if (x >= limitW)
            break;
        const int64_t cx = std::max<int64_t>(0, cw * (i + 1) - aw);
        if (cw - cx <= 0 || x + cw - cx <= 0)
            continue;
        for (int64_t j = 0; j <= ah / ch; ++j) {
            const int64_t y = area.Top + j * ch;
            if (y >= limitH)
                break;
            const int64_t cy = std::max<int64_t>(0, ch * (j + 1) - ah);
            if (ch - cy <= 0 || y + ch - cy <= 0)
                continue;
            copier.Copy(TRect(piece.Left, piece.Top, static_cast<int>(piece.Right - cx),
                              static_cast<int>(piece.Bottom - cy)),
                        TRect(static_cast<int>(x), static_cast<int>(y),
                              static_cast<int>(x + cw - cx), static_cast<int>(y + ch - cy)));
        }
    }
}

// Sets the size; with `blank` the whole bitmap is made white even when the size did not
// change (a resize keeps old pixels).
void SizeBitmap(TBitmap& bitmap, int width, int height, bool blank) {
    bitmap.SetSize(width, height);
    if (blank && !bitmap.Empty()) {
        // Written directly: the bitmap's own canvas may be painting on it right now.
        for (int y = 0; y < bitmap.PixelHeight(); ++y)
            std::memset(bitmap.ScanLine(y), 0xFF, static_cast<size_t>(3 * bitmap.PixelWidth()));
    }
}

// The shared geometry of the nine-part fits: R-relative source rectangles.
struct SkinCut {
    TPoint LT, RT, LB, RB;
    TRect CR;
    TPoint NLT, NRT, NLB, NRB;
    TRect NCR;
    TRect R;
    int W, H;

    TRect Src(int a, int b, int c, int d) const {
        return TRect(R.Left + a, R.Top + b, R.Left + c, R.Top + d);
    }
    int RW() const { return R.Width(); }
    int RH() const { return R.Height(); }
    bool SpansNothing() const { return RB.X == LT.X || RB.Y == LT.Y; }

    TRect TopPiece() const { return Src(LT.X, 0, RT.X, CR.Top); }
    TRect BottomPiece() const { return Src(LB.X, CR.Bottom, RB.X, RH()); }
    TRect ClientPiece() const { return Src(CR.Left, CR.Top, CR.Right, CR.Bottom); }

    void TopEdge(PieceCopier& c) const {
        TileHorizontally(c, TopPiece(), NLT.X, NRT.X, 0, NCR.Top, W);
    }
    void BottomEdge(PieceCopier& c) const {
        TileHorizontally(c, BottomPiece(), NLB.X, NRB.X, NCR.Bottom, H, W);
    }
    // The left source piece is NCR.left wide: borders keep their width.
    void LeftEdge(PieceCopier& c) const {
        TileVertically(c, Src(0, LT.Y, NCR.Left, LB.Y), NLT.Y, NLB.Y, 0, NCR.Left, H);
    }
    void RightEdge(PieceCopier& c) const {
        TileVertically(c, Src(CR.Right, RT.Y, RW(), RB.Y), NRT.Y, NRB.Y, NCR.Right, W, H);
    }
    void StretchTop(PieceCopier& c) const {
        c.Stretch(TopPiece(), TRect(NLT.X, 0, NRT.X, NCR.Top));
    }
    void StretchBottom(PieceCopier& c) const {
        c.Stretch(BottomPiece(), TRect(NLB.X, NCR.Bottom, NRB.X, H));
    }
    void StretchLeft(PieceCopier& c) const {
        c.Stretch(Src(0, LT.Y, CR.Left, LB.Y), TRect(0, NLT.Y, NCR.Left, NLB.Y));
    }
    void StretchRight(PieceCopier& c) const {
        c.Stretch(Src(CR.Right, RT.Y, RW(), RB.Y), TRect(NCR.Right, NRT.Y, W, NRB.Y));
    }
    void LeftCorners(PieceCopier& c) const {
        c.Copy(Src(0, 0, LT.X, CR.Top), TRect(0, 0, NLT.X, NCR.Top));
        c.Copy(Src(0, CR.Top, CR.Left, LT.Y), TRect(0, NCR.Top, NCR.Left, NLT.Y));
    }
    void RightTopCorners(PieceCopier& c) const {
        c.Copy(Src(RT.X, 0, RW(), CR.Top), TRect(NRT.X, 0, W, NCR.Top));
        c.Copy(Src(CR.Right, CR.Top, RW(), RT.Y), TRect(NCR.Right, NCR.Top, W, NRT.Y));
    }
    void LeftBottomCorners(PieceCopier& c) const {
        c.Copy(Src(0, LB.Y, CR.Left, RH()), TRect(0, NLB.Y, NCR.Left, H));
        c.Copy(Src(CR.Left, CR.Bottom, LB.X, RH()), TRect(NCR.Left, NCR.Bottom, NLB.X, H));
    }
    void RightBottomCorners(PieceCopier& c) const {
        c.Copy(Src(RB.X, CR.Bottom, RW(), RH()), TRect(NRB.X, NCR.Bottom, W, H));
        c.Copy(Src(CR.Right, RB.Y, RW(), CR.Bottom), TRect(NCR.Right, NRB.Y, W, NCR.Bottom));
    }
    void Client(PieceCopier& c, const TRect& area) const { TileArea(c, ClientPiece(), area, W, H); }
};

struct StretchFlags {
    bool Left = false, Top = false, Right = false, Bottom = false;
};

void ComposeNinePart(const SkinCut& cut, TBitmap& dest, const TBitmap& source, bool drawClient,
                     StretchFlags stretch) {
    const bool stop = cut.SpansNothing() || source.Empty();
    SizeBitmap(dest, cut.W, cut.H, stop);
    if (stop || dest.Empty())
        return;
    PieceCopier copier(dest, source);
    stretch.Top ? cut.StretchTop(copier) : cut.TopEdge(copier);
    stretch.Bottom ? cut.StretchBottom(copier) : cut.BottomEdge(copier);
    stretch.Left ? cut.StretchLeft(copier) : cut.LeftEdge(copier);
    stretch.Right ? cut.StretchRight(copier) : cut.RightEdge(copier);
    // Corners in the order left-top, right-top, left-bottom, right-bottom.
    cut.LeftCorners(copier);
    cut.RightTopCorners(copier);
    cut.LeftBottomCorners(copier);
    cut.RightBottomCorners(copier);
    if (drawClient)
        cut.Client(copier, cut.NCR);
}

SkinCut MakeCut(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& CR, TPoint NLT, TPoint NRT,
                TPoint NLB, TPoint NRB, const TRect& NCR, const TRect& R, int W, int H) {
    return SkinCut{LT, RT, LB, RB, CR, NLT, NRT, NLB, NRB, NCR, R, W, H};
}

// The middle columns of a three-part source rect (without the first L and last Rt).
TRect MiddleColumns(const TRect& sourceRect, int L, int Rt) {
    return TRect(sourceRect.Left + L, sourceRect.Top, sourceRect.Right - Rt, sourceRect.Bottom);
}

} // namespace

// ---------------------------------------------------------------- composition

void CreateSkinImage(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& CR, TPoint NLT,
                     TPoint NRT, TPoint NLB, TPoint NRB, const TRect& NCR, TBitmap& dest,
                     const TBitmap& source, const TRect& R, int W, int H, bool drawClient) {
    ComposeNinePart(MakeCut(LT, RT, LB, RB, CR, NLT, NRT, NLB, NRB, NCR, R, W, H), dest, source,
                    drawClient, StretchFlags{});
}

void CreateStretchSkinImage(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& CR, TPoint NLT,
                            TPoint NRT, TPoint NLB, TPoint NRB, const TRect& NCR, TBitmap& dest,
                            const TBitmap& source, const TRect& R, int W, int H, bool drawClient,
                            bool leftStretch, bool topStretch, bool rightStretch,
                            bool bottomStretch) {
    ComposeNinePart(MakeCut(LT, RT, LB, RB, CR, NLT, NRT, NLB, NRB, NCR, R, W, H), dest, source,
                    drawClient, StretchFlags{leftStretch, topStretch, rightStretch, bottomStretch});
}

void CreateLeftSkinImage(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& CR, TPoint NLT,
                         TPoint NRT, TPoint NLB, TPoint NRB, const TRect& NCR, TBitmap& dest,
                         const TBitmap& source, const TRect& R, int W, int H, bool drawClient) {
    const SkinCut cut = MakeCut(LT, RT, LB, RB, CR, NLT, NRT, NLB, NRB, NCR, R, W, H);
    const bool stop = cut.SpansNothing() || source.Empty();
    SizeBitmap(dest, W, H, stop);
    if (stop || dest.Empty())
        return;
    PieceCopier copier(dest, source);
    TileHorizontally(copier, cut.TopPiece(), NLT.X, W, 0, NCR.Top, W);
    TileHorizontally(copier, cut.BottomPiece(), NLB.X, W, NCR.Bottom, H, W);
    cut.LeftEdge(copier);
    cut.LeftCorners(copier);
    cut.LeftBottomCorners(copier);
    if (drawClient)
        cut.Client(copier, TRect(NCR.Left, NCR.Top, W, NCR.Bottom));
}

void CreateSkinBorderImages(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& CR, TPoint NLT,
                            TPoint NRT, TPoint NLB, TPoint NRB, const TRect& NCR,
                            TBitmap& leftBorder, TBitmap& topBorder, TBitmap& rightBorder,
                            TBitmap& bottomBorder, const TBitmap& source, const TRect& R, int W,
                            int H, bool leftStretch, bool topStretch, bool rightStretch,
                            bool bottomStretch) {
    const int RW = R.Width();
    const int RH = R.Height();
    auto src = [&R](int a, int b, int c, int d) {
        return TRect(R.Left + a, R.Top + b, R.Left + c, R.Top + d);
    };

    // Top border: the first NCR.top rows of R.
    if (W > 0 && NCR.Top > 0 && RT.X - LT.X > 0) {
        SizeBitmap(topBorder, W, NCR.Top, false);
        PieceCopier copier(topBorder, source);
        const TRect middle = src(LT.X, 0, RT.X, NCR.Top);
        if (topStretch)
            copier.Stretch(middle, TRect(NLT.X, 0, NRT.X, NCR.Top));
        else
            TileHorizontally(copier, middle, 0, W, 0, NCR.Top, W);
        copier.Copy(src(0, 0, LT.X, NCR.Top), TRect(0, 0, NLT.X, NCR.Top));
        copier.Copy(src(RT.X, 0, RW, NCR.Top), TRect(NRT.X, 0, W, NCR.Top));
    }

    // Bottom border: the last h rows of R.
    const int h = H - NCR.Bottom;
    if (W > 0 && h > 0 && RB.X - LB.X > 0) {
        SizeBitmap(bottomBorder, W, h, false);
        PieceCopier copier(bottomBorder, source);
        const TRect middle = src(LB.X, RH - h, RB.X, RH);
        if (bottomStretch)
            copier.Stretch(middle, TRect(NLB.X, 0, NRB.X, h));
        else
            TileHorizontally(copier, middle, 0, W, 0, h, W);
        copier.Copy(src(0, RH - h, LB.X, RH), TRect(0, 0, NLB.X, h));
        copier.Copy(src(RB.X, RH - h, RW, RH), TRect(NRB.X, 0, W, h));
    }

    // The sides run between the top and bottom borders; their row 0 is source row CR.top.
    const int s = H - h - NCR.Top;
    auto side = [&](TBitmap& border, int width, int sourceLeft, int sourceRight, int upperY,
                    int lowerY, bool stretch) {
        SizeBitmap(border, width, s, false);
        PieceCopier copier(border, source);
        const TRect middle = src(sourceLeft, upperY, sourceRight, lowerY);
        if (stretch)
            copier.Stretch(middle, TRect(0, upperY - CR.Top, width, s + lowerY - CR.Bottom));
        else
            TileVertically(copier, middle, 0, s, 0, width, s);
        if (upperY - CR.Top > 0)
            copier.Copy(src(sourceLeft, CR.Top, sourceRight, upperY),
                        TRect(0, 0, width, upperY - CR.Top));
        if (CR.Bottom - lowerY > 0)
            copier.Copy(src(sourceLeft, lowerY, sourceRight, CR.Bottom),
                        TRect(0, s + lowerY - CR.Bottom, width, s));
    };
    if (NCR.Left > 0 && s > 0 && LB.Y - LT.Y > 0)
        side(leftBorder, NCR.Left, 0, NCR.Left, LT.Y, LB.Y, leftStretch);
    const int w = W - NCR.Right;
    if (w >= 1 && s >= 1 && RB.Y - RT.Y >= 1)
        side(rightBorder, w, CR.Right, RW, RT.Y, RB.Y, rightStretch);
}

void CreateHSkinImage(int L, int Rt, TBitmap& dest, int W, const TRect& sourceRect,
                      const TBitmap& source) {
    const int height = sourceRect.Height();
    SizeBitmap(dest, W, height, false);
    if (dest.Empty())
        return;
    PieceCopier copier(dest, source);
    if (L != 0)
        copier.Copy(TRect(sourceRect.Left, sourceRect.Top, sourceRect.Left + L, sourceRect.Bottom),
                    TRect(0, 0, L, height));
    if (Rt != 0)
        copier.Copy(
            TRect(sourceRect.Right - Rt, sourceRect.Top, sourceRect.Right, sourceRect.Bottom),
            TRect(W - Rt, 0, W, height));
    // A middle of no width tiles nothing.
    TileHorizontally(copier, MiddleColumns(sourceRect, L, Rt), L, W - Rt, 0, height, W);
}

void CreateHSkinImageLeft(int L, int Rt, TBitmap& dest, int W, const TRect& sourceRect,
                          const TBitmap& source) {
    const int height = sourceRect.Height();
    SizeBitmap(dest, W, height, false);
    if (dest.Empty())
        return;
    PieceCopier copier(dest, source);
    if (L != 0)
        copier.Copy(TRect(sourceRect.Left, sourceRect.Top, sourceRect.Left + L, sourceRect.Bottom),
                    TRect(0, 0, L, height));
    TileHorizontally(copier, MiddleColumns(sourceRect, L, Rt), L, W, 0, height, W);
}

void CreateHTileImage(int L, int Rt, TBitmap& dest, int W, const TRect& sourceRect,
                      const TBitmap& source) {
    const int height = sourceRect.Height();
    SizeBitmap(dest, W, height, false);
    if (dest.Empty())
        return;
    PieceCopier copier(dest, source);
    TileHorizontally(copier, MiddleColumns(sourceRect, L, Rt), 0, W, 0, height, W);
}

void CreateVSkinImage(int T, int B, TBitmap& dest, int H, const TRect& sourceRect,
                      const TBitmap& source) {
    const int width = sourceRect.Width();
    SizeBitmap(dest, width, H, false);
    if (dest.Empty())
        return;
    PieceCopier copier(dest, source);
    if (T != 0)
        copier.Copy(TRect(sourceRect.Left, sourceRect.Top, sourceRect.Right, sourceRect.Top + T),
                    TRect(0, 0, width, T));
    if (B != 0)
        copier.Copy(
            TRect(sourceRect.Left, sourceRect.Bottom - B, sourceRect.Right, sourceRect.Bottom),
            TRect(0, H - B, width, H));
    const TRect middle(sourceRect.Left, sourceRect.Top + T, sourceRect.Right,
                       sourceRect.Bottom - B);
    TileVertically(copier, middle, T, H - B, 0, width, H);
}

// ---------------------------------------------------------------- regions

// One rectangle per run of black pixels, rows merged into bands: a row whose runs match
// the band above extends that band instead of adding rectangles. The list is Y-X sorted,
// without overlaps and without horizontally touching rectangles, as QRegion keeps it.
TbsRegion CreateRegionFromMask(const TBitmap& mask, int dx, int dy) {
    if (mask.Empty())
        return std::nullopt;
    const TbsFBitmap pixels(mask);
    const int width = pixels.Width();
    const size_t rowBytes = static_cast<size_t>(3 * width);
    std::vector<QRect> rects;
    size_t bandStart = 0;
    size_t bandCount = 0; // rectangles of the band that ends at the previous row
    for (int y = 0; y < pixels.Height(); ++y) {
        const uint8_t* row = pixels.Row(y);
        if (y > 0 && std::memcmp(row, pixels.Row(y - 1), rowBytes) == 0) {
            // The same runs as the row above.
            for (size_t i = bandStart; i < bandStart + bandCount; ++i)
                rects[i].setBottom(y + dy);
            continue;
        }
        const size_t rowStart = rects.size();
        int x = 0;
        while (x < width) {
            const uint8_t* p = row + 3 * x;
            if ((p[0] | p[1] | p[2]) != 0) {
                ++x;
                continue;
            }
            const int a = x;
            while (x < width && (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) == 0)
                ++x;
            rects.emplace_back(a + dx, y + dy, x - a, 1);
        }
        const size_t rowCount = rects.size() - rowStart;
        bool sameAsBand = rowCount > 0 && rowCount == bandCount;
        for (size_t i = 0; sameAsBand && i < rowCount; ++i) {
            const QRect& above = rects[bandStart + i];
            const QRect& here = rects[rowStart + i];
            sameAsBand = above.left() == here.left() && above.right() == here.right();
        }
        if (sameAsBand) {
            for (size_t i = bandStart; i < bandStart + bandCount; ++i)
                rects[i].setBottom(y + dy);
            rects.resize(rowStart);
        } else {
            bandStart = rowStart;
            bandCount = rowCount;
        }
    }
    QRegion region;
    if (!rects.empty())
        region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

void CreateSkinMaskBorders(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& CR, TPoint NLT,
                           TPoint NRT, TPoint NLB, TPoint NRB, const TRect& NCR,
                           const TBitmap& mask, TBitmap& topMask, TBitmap& leftMask,
                           TBitmap& rightMask, TBitmap& bottomMask, int W) {
    const int MW = mask.Width();
    const int MH = mask.Height();
    // A fresh white bitmap (white is outside the region), or none.
    auto start = [](TBitmap& border, int width, int height) {
        border.SetSize(0, 0);
        if (width <= 0 || height <= 0)
            return false;
        border.SetSize(width, height);
        return true;
    };

    const int sideHeight = NCR.Height();
    auto side = [&](TBitmap& border, int left, int right, int upperY, int lowerY) {
        const int width = right - left;
        if (!start(border, width, sideHeight))
            return;
        PieceCopier copier(border, mask);
        TileVertically(copier, TRect(left, upperY, right, lowerY), 0, sideHeight, 0, width,
                       sideHeight);
        copier.Copy(TRect(left, CR.Top, right, upperY), TRect(0, 0, width, upperY - CR.Top));
        copier.Copy(TRect(left, lowerY, right, CR.Bottom),
                    TRect(0, sideHeight - (CR.Bottom - lowerY), width, sideHeight));
    };
    side(leftMask, 0, CR.Left, LT.Y, LB.Y);
    side(rightMask, CR.Right, MW, RT.Y, RB.Y);

    auto edge = [&](TBitmap& border, int top, int bottom, TPoint left, TPoint right, TPoint newLeft,
                    TPoint newRight) {
        const int height = bottom - top;
        if (!start(border, W, height))
            return;
        PieceCopier copier(border, mask);
        TileHorizontally(copier, TRect(left.X, top, right.X, bottom), newLeft.X, newRight.X, 0,
                         height, W);
        copier.Copy(TRect(0, top, left.X, bottom), TRect(0, 0, left.X, height));
        copier.Copy(TRect(right.X, top, MW, bottom),
                    TRect(newRight.X, 0, newRight.X + MW - right.X, height));
    };
    edge(topMask, 0, CR.Top, LT, RT, NLT, NRT);
    edge(bottomMask, CR.Bottom, MH, LB, RB, NLB, NRB);
}

TbsRegion CreateSkinRegion(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& CR, TPoint NLT,
                           TPoint NRT, TPoint NLB, TPoint NRB, const TRect& NCR,
                           const TBitmap& mask, int W, int /*H*/) {
    if (NRT.X < NLT.X || NLB.Y < NLT.Y)
        return std::nullopt;
    TBitmap top, left, right, bottom;
    CreateSkinMaskBorders(LT, RT, LB, RB, CR, NLT, NRT, NLB, NRB, NCR, mask, top, left, right,
                          bottom, W);
    auto part = [](const TBitmap& border, int dx, int dy) {
        return CreateRegionFromMask(border, dx, dy).value_or(QRegion());
    };
    // An empty client rect starts the union empty, so the borders still make the region.
    QRegion result = NCR.IsEmpty() ? QRegion() : QRegion(NCR.ToQRect());
    const QRegion horizontal = part(top, 0, 0).united(part(bottom, 0, NCR.Bottom));
    const QRegion vertical = part(left, 0, NCR.Top).united(part(right, NCR.Right, NCR.Top));
    return result.united(horizontal.united(vertical));
}

// ---------------------------------------------------------------- glyphs and marks

namespace {

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

// The pen outline of a rectangle, the inside left alone.
void HollowRect(TCanvas& canvas, int left, int top, int right, int bottom) {
    const TBrushStyle style = canvas.Brush.Style;
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(left, top, right, bottom);
    canvas.Brush.Style = style;
}

} // namespace

void DrawCloseGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    Line(canvas, x + 1, y + 1, x + 9, y + 9);
    Line(canvas, x + 9, y + 1, x + 1, y + 9);
    Line(canvas, x + 2, y + 1, x + 10, y + 9);
    Line(canvas, x + 8, y + 1, x, y + 9);
}

void DrawCloseGlyphInRect(TCanvas& canvas, const TRect& rect, TColor color) {
    DrawCloseGlyph(canvas, rect.Left + rect.Width() / 2 - 5, rect.Top + rect.Height() / 2 - 5,
                   color);
}

void DrawMinimizeGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    Line(canvas, x + 1, y + 8, x + 9, y + 8);
    Line(canvas, x + 1, y + 9, x + 9, y + 9);
}

void DrawMaximizeGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    HollowRect(canvas, x, y, x + 11, y + 10);
    HollowRect(canvas, x, y, x + 11, y + 2);
}

void DrawRestoreGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    HollowRect(canvas, x + 2, y, x + 10, y + 6);
    HollowRect(canvas, x + 2, y, x + 10, y + 2);
    HollowRect(canvas, x, y + 4, x + 7, y + 10);
    HollowRect(canvas, x, y + 4, x + 7, y + 6);
}

void DrawSysMenuGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    HollowRect(canvas, x + 1, y + 3, x + 9, y + 6);
}

void DrawRollUpGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    for (int i = 0; i <= 4; ++i)
        Line(canvas, x + 1 + i, y + 6 - i, x + 9 - i, y + 6 - i);
}

void DrawRollDownGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    for (int i = 0; i <= 4; ++i)
        Line(canvas, x + 5 - i, y + 6 - i, x + 5 + i, y + 6 - i);
}

void DrawTrayGlyph(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    const TBrush brush = canvas.Brush;
    canvas.Brush.Color = color;
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(TRect(x + 2, y + 2, x + 7, y + 7));
    canvas.Brush = brush;
}

void DrawSkinGlyph(TCanvas& canvas, int x, int y, const TBitmap& bitmap, int frameCount,
                   int frameIndex) {
    if (bitmap.Empty() || frameCount <= 0 || frameIndex < 1 || frameIndex > frameCount)
        return;
    const int w = bitmap.Width() / frameCount;
    const int h = bitmap.Height();
    if (w <= 0)
        return;
    TBitmap frame(w, h);
    {
        PieceCopier copier(frame, bitmap);
        copier.Copy(TRect(w * (frameIndex - 1), 0, w * frameIndex, h), TRect(0, 0, w, h));
    }
    frame.SetTransparent(true); // the transparent colour is the bottom-left pixel
    canvas.Draw(x, y, frame);
}

void DrawArrowMark(TCanvas& canvas, const TRect& rect, TColor color, TbsArrowDirection direction) {
    canvas.Pen.Color = color;
    const int cx = rect.Left + rect.Width() / 2;
    const int cy = rect.Top + rect.Height() / 2;
    switch (direction) {
    case TbsArrowDirection::Left:
        for (int i = 0; i <= 3; ++i)
            Line(canvas, cx - 2 + i, cy - i, cx - 2 + i, cy + i + 1);
        break;
    case TbsArrowDirection::Right:
        for (int n = 3; n >= 0; --n)
            Line(canvas, cx + 2 - n, cy + n, cx + 2 - n, cy - n - 1);
        break;
    case TbsArrowDirection::Up:
        for (int i = 0; i <= 3; ++i)
            Line(canvas, cx - i, cy - 2 + i, cx + i + 1, cy - 2 + i);
        break;
    case TbsArrowDirection::Down:
        for (int n = 3; n >= 0; --n)
            Line(canvas, cx - n, cy + 2 - n, cx + n + 1, cy + 2 - n);
        break;
    }
}

void DrawCheckMark(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    for (int i = 0; i <= 2; ++i)
        canvas.Polyline({TPoint(x, y + 5 - i), TPoint(x + 2, y + 7 - i), TPoint(x + 7, y + 2 - i)});
}

void DrawRadioMark(TCanvas& canvas, int x, int y, TColor color) {
    canvas.Pen.Color = color;
    const TBrush brush = canvas.Brush;
    canvas.Brush.Color = color;
    canvas.Brush.Style = bsSolid;
    canvas.Rectangle(x, y, x + 6, y + 6);
    canvas.Brush = brush;
}

void DrawFrame3D(TCanvas& canvas, const TRect& rect, TColor topLeftColor, TColor bottomRightColor) {
    canvas.Pen.Width = 1;
    const int l = rect.Left;
    const int t = rect.Top;
    const int r = rect.Right - 1;
    const int b = rect.Bottom - 1;
    canvas.Pen.Color = topLeftColor;
    canvas.Polyline({TPoint(l, b), TPoint(l, t), TPoint(r, t)});
    canvas.Pen.Color = bottomRightColor;
    canvas.Polyline({TPoint(r, t), TPoint(r, b), TPoint(l - 1, b)});
}

// ---------------------------------------------------------------- text and background

// Characters are removed whole (a double-byte character of the ANSI code page, or a
// surrogate pair), never half a character.
QString CorrectTextByWidth(TCanvas& canvas, const QString& text, int width) {
    if (canvas.TextWidth(text) <= width)
        return text;
    const QString ellipsis = QStringLiteral("...");
    QString shortened = text;
    do {
        const qsizetype n = shortened.size();
        const bool pair =
            n >= 2 && shortened.at(n - 1).isLowSurrogate() && shortened.at(n - 2).isHighSurrogate();
        shortened.chop(pair ? 2 : 1);
    } while (!shortened.isEmpty() && canvas.TextWidth(shortened + ellipsis) > width);
    return shortened + ellipsis;
}

void DrawSingleLineText(TCanvas& canvas, const QString& text, const TRect& rect) {
    TRect r = rect;
    canvas.DrawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

void DrawTextVCentered(TCanvas& canvas, const QString& text, const TRect& rect) {
    DrawTextVCenteredOffset(canvas, text, rect, 0);
}

void DrawTextVCenteredOffset(TCanvas& canvas, const QString& text, const TRect& rect, int offset) {
    const int y = rect.Top + rect.Height() / 2 - canvas.TextHeight(text) / 2;
    canvas.TextRect(rect, rect.Left + offset + 2, y, text);
}

void PaintParentImage(QWidget* control, TCanvas& canvas) {
    if (!control || !control->parentWidget())
        return;
    QWidget* parent = control->parentWidget();
    const int level = canvas.SaveState();
    canvas.OffsetViewportOrg(-control->x(), -control->y());
    canvas.IntersectClipRect(TRect(0, 0, parent->width(), parent->height()));
    if (QPainter* painter = canvas.Handle()) {
        if (parent->isWindow()) {
            // A window's own painting is left out; only its background is erased.
            painter->fillRect(parent->rect(), parent->palette().brush(parent->backgroundRole()));
        } else {
            // The parent's background and its own painting, without its children (the
            // control itself among them).
            parent->render(painter, QPoint(0, 0), QRegion(parent->rect()),
                           QWidget::DrawWindowBackground);
        }
    }
    canvas.RestoreState(level);
}

// ---------------------------------------------------------------- window system

bool IsLayeredWindowsSupported() {
    return Compositor::WindowSystemComposites();
}

void SetWindowAlpha(QWidget* window, int alpha) {
    if (!window)
        return;
    window->setWindowOpacity(std::clamp(alpha, 0, 255) / 255.0);
}

TRect GetMonitorWorkArea(QWidget* window, bool workArea) {
    return workArea ? Screen->MonitorWorkArea(window) : Screen->MonitorRect(window);
}
