#pragma once
// TCanvas: drawing with the platform's graphics semantics on a TBitmap or on any Qt paint
// device (a widget inside its paintEvent, a QImage, a QPixmap).
//
// - Rectangles are right/bottom exclusive. Rectangle(0, 0, 10, 10) outlines pixels 0..9.
// - LineTo and Polyline do not paint their end point; one-pixel lines are rasterised here
//   (Bresenham, ties toward the smaller coordinate), so they are pixel exact.
// - Lines and shapes are never anti-aliased; text may be.
// - TextOut puts the text's top-left at (x, y); the background behind text is painted with
//   the brush colour when the brush is solid (opaque mode) and left alone otherwise.
// - Stretched copies map pixels to the nearest source pixel (pixel centres), no smoothing.
//   On a device of another pixel ratio than the source's (a bitmap or widget of scale 2),
//   bitmaps are scaled smoothly instead, and text and shapes are drawn at the device's
//   resolution; all coordinates stay logical.
// - Coordinates are logical: device = logical - window origin + viewport origin. Clip
//   regions given to SelectClipRgn are in device coordinates, IntersectClipRect and
//   ExcludeClipRect take logical ones, as on the platform.
//
// The canvas begins its QPainter lazily and ends it in EndPaint() or on destruction. A
// canvas on a widget draws only inside the widget's paintEvent: call EndPaint() (or
// destroy the canvas) before the event returns; outside it, drawing does nothing and
// measuring text still works. Pen, brush, font, clip and origins survive EndPaint().
// Handle() gives the QPainter for the rare case Qt must be called directly; whoever
// changes its state must restore it.

#include "framework/Colors.h"
#include "framework/Font.h"
#include "framework/Types.h"

#include <QImage>
#include <QRegion>
#include <QString>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QPaintDevice;
class QPainter;
class QFontMetrics;
class TBitmap;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// How the pen and brush combine with what is there (the platform's binary raster ops).
enum TPenMode { pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMerge, pmMask, pmXor };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
    void Assign(const TPen& source) { *this = source; }
};

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
    void Assign(const TBrush& source) { *this = source; }
};

// How CopyRect, Draw and StretchDraw combine source (S) and destination (D) pixels.
enum TCopyMode {
    cmSrcCopy,     // S
    cmSrcAnd,      // S and D
    cmSrcPaint,    // S or D
    cmSrcInvert,   // S xor D
    cmSrcErase,    // S and not D
    cmNotSrcCopy,  // not S
    cmNotSrcErase, // not (S or D)
    cmMergePaint,  // not S or D
    cmDstInvert,   // not D
    cmBlackness,   // 0
    cmWhiteness    // 1
};

// DrawText flags (the platform's values).
constexpr unsigned DT_TOP = 0x0;
constexpr unsigned DT_LEFT = 0x0;
constexpr unsigned DT_CENTER = 0x1;
constexpr unsigned DT_RIGHT = 0x2;
constexpr unsigned DT_VCENTER = 0x4;
constexpr unsigned DT_BOTTOM = 0x8;
constexpr unsigned DT_WORDBREAK = 0x10;
constexpr unsigned DT_SINGLELINE = 0x20;
constexpr unsigned DT_EXPANDTABS = 0x40;
constexpr unsigned DT_NOCLIP = 0x100;
constexpr unsigned DT_CALCRECT = 0x400;
constexpr unsigned DT_NOPREFIX = 0x800;
constexpr unsigned DT_END_ELLIPSIS = 0x8000;
constexpr unsigned DT_HIDEPREFIX = 0x100000;

class TCanvas {
public:
    // Draws on the bitmap's pixels (normally reached through TBitmap::Canvas()).
    explicit TCanvas(TBitmap& bitmap);
    // Draws on a paint device; for a widget, only inside its paintEvent.
    explicit TCanvas(QPaintDevice* device);
    // Draws through a painter that is already active; the painter's state at this point
    // is the canvas's device space, and it is given back unchanged on destruction.
    explicit TCanvas(QPainter* painter);
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen Pen;
    TBrush Brush;
    TFont Font;
    TCopyMode CopyMode = cmSrcCopy;

    // Lines. The current position is logical.
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint p) { FPenPos = p; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(std::span<const TPoint> points);
    void Polyline(std::initializer_list<TPoint> points) {
        Polyline(std::span<const TPoint>(points.begin(), points.size()));
    }

    // Shapes: pen outline and brush fill.
    void Polygon(std::span<const TPoint> points);
    void Polygon(std::initializer_list<TPoint> points) {
        Polygon(std::span<const TPoint>(points.begin(), points.size()));
    }
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);

    // Brush only: the rectangle's inside, and a one-pixel frame on its edge.
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    // Inverts every other pixel of the rectangle's edge; drawing it twice removes it.
    void DrawFocusRect(const TRect& r);

    // Text in Font, its colour Font.Color(). TextOut moves the pen to the text's end.
    void TextOut(int x, int y, const QString& text);
    // Text at (x, y) clipped to `r`; with a solid brush `r` is filled first.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    int TextWidth(const QString& text);
    int TextHeight(const QString& text);
    TSize TextExtent(const QString& text);
    // Formatted text in `rect` with DT_ flags. Returns the text height (with DT_VCENTER or
    // DT_BOTTOM on a single line: the offset from rect.Top to the text's bottom). With
    // DT_CALCRECT nothing is drawn and `rect` gets the needed right and bottom. An empty
    // text has no lines: height 0.
    int DrawText(const QString& text, TRect& rect, unsigned flags);

    // Bitmaps, combined by CopyMode. A Transparent bitmap leaves its TransparentColor out.
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& dest, const TBitmap& bitmap);
    // Copies (stretching when the sizes differ) from a canvas whose pixels can be read (a
    // bitmap or image canvas); nothing happens for an unreadable source.
    void CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect);

    // -1 (the platform's invalid colour) outside the device or the clip region, or when
    // the device can't be read.
    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    // Clipping. ClipRect is the clip box in logical coordinates (the device when none).
    TRect ClipRect() const;
    bool HasClipRegion() const { return FClip.has_value(); }
    // The clip region in device coordinates.
    QRegion ClipRegion() const;
    // nullptr removes the clip; the region is in device coordinates and copied.
    void SelectClipRgn(const QRegion* region);
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);

    // Origins (logical point shown at device 0,0 = window origin; device point of
    // logical 0,0 = viewport origin).
    TPoint WindowOrg() const { return FWindowOrg; }
    void SetWindowOrg(int x, int y);
    TPoint ViewportOrg() const { return FViewportOrg; }
    void SetViewportOrg(int x, int y);
    void OffsetViewportOrg(int dx, int dy);

    // Saves clip, origins and pen position; returns the saved level (1, 2, ...).
    int SaveState();
    // Restores a saved level and drops it and the levels above; -1 = the latest.
    void RestoreState(int level = -1);

    // The painter (begun when needed), or nullptr when there is nothing to paint on.
    QPainter* Handle();
    bool HandleAllocated() const { return FPainter != nullptr; }
    // Ends a painter this canvas began (the bitmap's pixels are then up to date).
    void EndPaint();
    // The device size in device pixels (0 x 0 when unknown).
    TSize DeviceSize() const;
    // The device's physical pixels per logical one (1 when unknown).
    qreal DevicePixelRatio() const;

private:
    friend class TBitmap;
    struct State {
        std::optional<QRegion> Clip;
        TPoint WindowOrg;
        TPoint ViewportOrg;
        TPoint PenPos;
    };
    struct Blit;

    void BitmapDestroyed();
    TPoint Offset() const;
    QPaintDevice* Device() const;
    QImage* DirectImage();
    QRegion DeviceClip(const QRect& bounds) const;
    void ApplyPainterState();
    void ClipChanged();

    void PaintPolyline(std::span<const TPoint> points, bool closed);
    void PaintWidePolyline(std::span<const TPoint> points, bool closed);
    void PenRects(const std::vector<QRect>& rects, bool foreground);
    bool PrepareRop(QPainter* p, TColor& color);
    void FillWithBrush(QPainter* p, const QRect& r);
    const QFontMetrics& Metrics();
    void PaintTextLine(QPainter* p, int x, int y, const QString& text, int underline);
    void RunBlit(const Blit& blit);
    void BlitDirect(QImage& target, const Blit& blit);
    void BlitThroughPainter(QPainter* p, const Blit& blit);
    void BlitScaled(QPainter* p, const Blit& blit, qreal ratio);
    const QImage* ReadableImage(TPoint& offset, qreal& ratio);

    TBitmap* FBitmap = nullptr;
    QPaintDevice* FDevice = nullptr;
    QPainter* FPainter = nullptr;
    bool FOwnsPainter = false;
    bool FPainterStateApplied = false;
    std::optional<QRegion> FClip;
    TPoint FWindowOrg;
    TPoint FViewportOrg;
    TPoint FPenPos;
    std::vector<State> FSaved;
    std::unique_ptr<QFontMetrics> FMetrics;
    uint64_t FMetricsRevision = ~uint64_t(0);
};
