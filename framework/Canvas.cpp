#include "framework/Canvas.h"

#include "framework/Bitmap.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextBoundaryFinder>
#include <QWidget>
#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

struct TCanvas::Blit {
    const QImage* Source = nullptr; // Format_BGR888
    TRect SourceRect;               // may be mirrored or reach outside the source
    TRect Dest;                     // logical; may be mirrored
    std::optional<TColor> Key;      // source colour left out
    TCopyMode Mode = cmSrcCopy;
    qreal SourceRatio = 1; // the source's physical pixels per unit of SourceRect
};

namespace {

constexpr TColor InvalidColor = -1;

// `count` pixels of a 24-bit row (blue, green, red) as opaque 32-bit ones. Four pixels are
// three 32-bit words, read and shifted a word at a time where the words are little-endian.
void Bgr888ToRgb32(const uint8_t* source, QRgb* target, int count) {
    int x = 0;
    if constexpr (std::endian::native == std::endian::little) {
        constexpr uint32_t Opaque = 0xff000000u;
        for (; x + 4 <= count; x += 4, source += 12) {
            uint32_t a, b, c;
            std::memcpy(&a, source, 4);
            std::memcpy(&b, source + 4, 4);
            std::memcpy(&c, source + 8, 4);
            target[x] = Opaque | (a & 0xffffffu);
            target[x + 1] = Opaque | (a >> 24) | ((b & 0xffffu) << 8);
            target[x + 2] = Opaque | (b >> 16) | ((c & 0xffu) << 16);
            target[x + 3] = Opaque | (c >> 8);
        }
    }
    for (; x < count; ++x, source += 3)
        target[x] = qRgb(source[2], source[1], source[0]);
}

// The 32-bit tiles of one blit's pieces, each in turn at the start of one buffer as large as
// the largest piece. A tile as wide as the widest piece and as high as the highest would hold
// several times any one of them.
class TTileBuffer {
public:
    QImage For(QSize size, QImage::Format format) {
        const size_t needed = size_t(size.width()) * size_t(size.height());
        if (FCapacity < needed) {
            FPixels.reset(new QRgb[needed]);
            FCapacity = needed;
        }
        return QImage(reinterpret_cast<uchar*>(FPixels.get()), size.width(), size.height(),
                      qsizetype(size.width()) * 4, format);
    }

private:
    std::unique_ptr<QRgb[]> FPixels;
    size_t FCapacity = 0;
};

// The part of `dest` (painter coordinates) a painter will change: its clip and the paint
// event's region. None when the painter does more than move.
std::optional<QRegion> PaintedRegion(QPainter* p, const QRect& dest) {
    QRegion painted(dest);
    const QTransform toDevice = p->deviceTransform();
    if (toDevice.type() > QTransform::TxTranslate)
        return std::nullopt;
    if (const QPaintEngine* engine = p->paintEngine(); engine && !engine->systemClip().isEmpty())
        painted &= engine->systemClip().translated(-int(toDevice.dx()), -int(toDevice.dy()));
    if (p->hasClipping())
        painted &= p->clipRegion();
    return painted;
}

// The pieces of `dest` (painter coordinates) a painter will change, each a rectangle of its
// clip and of the paint event's region, at most 64 rows and 64 KB of 32-bit pixels high.
// Drawn piece by piece, each row of a piece is one span: Qt fills more than about a hundred
// spans, and converts more than 64 KB of a picture, on worker threads it starts for the
// purpose, which for the pieces of a window costs more than it saves; and no pixels are
// mapped that would not show. A clip of many rectangles, or a painter that does more than
// move, leaves `dest` whole to Qt.
std::vector<QRect> PaintedPieces(QPainter* p, const QRect& dest) {
    constexpr int MaxRects = 64;
    const std::optional<QRegion> painted = PaintedRegion(p, dest);
    if (!painted || painted->rectCount() > MaxRects)
        return {dest};
    std::vector<QRect> pieces;
    for (const QRect& r : *painted) {
        const int band = std::clamp(64 * 1024 / (4 * r.width()), 1, 64);
        for (int top = r.top(); top <= r.bottom(); top += band)
            pieces.emplace_back(r.left(), top, r.width(), std::min(band, r.bottom() + 1 - top));
    }
    return pieces;
}

// The 32-bit image a painter writes into at one pixel per unit, fully opaque: a raster
// engine's own image, such as a window's back buffer. A copy can be written there as it is,
// without a tile for Qt to copy again. A shared image is left to Qt: writing would detach
// it from under the painter.
QImage* WritableTarget(QPainter* p) {
    QPaintEngine* engine = p->paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || p->opacity() != 1)
        return nullptr;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) ||
        image->devicePixelRatio() != 1 || image->isNull() || !image->isDetached())
        return nullptr;
    return image;
}

// Collects pixels into horizontal or vertical runs, so a line becomes few rectangles.
class RunCollector {
public:
    void Add(int x, int y) {
        if (FHas) {
            if (FY0 == FY1 && y == FY0 && (x == FX1 + 1 || x == FX0 - 1)) {
                FX0 = std::min(FX0, x);
                FX1 = std::max(FX1, x);
                return;
            }
            if (FX0 == FX1 && x == FX0 && (y == FY1 + 1 || y == FY0 - 1)) {
                FY0 = std::min(FY0, y);
                FY1 = std::max(FY1, y);
                return;
            }
            Flush();
        }
        FHas = true;
        FX0 = FX1 = x;
        FY0 = FY1 = y;
    }
    std::vector<QRect>& Rects() {
        Flush();
        return FRects;
    }

private:
    void Flush() {
        if (FHas)
            FRects.emplace_back(QPoint(FX0, FY0), QPoint(FX1, FY1));
        FHas = false;
    }
    std::vector<QRect> FRects;
    bool FHas = false;
    int FX0 = 0, FX1 = 0, FY0 = 0, FY1 = 0;
};

// floor(a / b) for b > 0.
int64_t FloorDiv(int64_t a, int64_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// i * num / den rounded to the nearest integer, ties toward minus infinity when `down`.
int RoundRatio(int64_t i, int64_t num, int64_t den, bool down) {
    int64_t twice = 2 * i * num;
    return static_cast<int>(down ? FloorDiv(twice + den - 1, 2 * den)
                                 : FloorDiv(twice + den, 2 * den));
}

// Visits the pixels of the segment from (x0, y0) to (x1, y1), the end point excluded.
// The minor coordinate is rounded to the nearest pixel, ties toward the smaller one.
template <class Plot> void RasteriseSegment(int x0, int y0, int x1, int y1, Plot plot) {
    int dx = x1 - x0;
    int dy = y1 - y0;
    int adx = std::abs(dx);
    int ady = std::abs(dy);
    int sx = dx < 0 ? -1 : 1;
    int sy = dy < 0 ? -1 : 1;
    if (adx >= ady) {
        for (int i = 0; i < adx; ++i)
            plot(x0 + sx * i, y0 + sy * RoundRatio(i, ady, adx, sy > 0));
    } else {
        for (int i = 0; i < ady; ++i)
            plot(x0 + sx * RoundRatio(i, adx, ady, sx > 0), y0 + sy * i);
    }
}

// On/off lengths of the styled one-pixel pens.
std::vector<int> DashPattern(TPenStyle style) {
    switch (style) {
    case psDash:
        return {18, 6};
    case psDot:
        return {3, 3};
    case psDashDot:
        return {9, 6, 3, 6};
    case psDashDotDot:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

Qt::PenStyle QtPenStyle(TPenStyle style) {
    switch (style) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    case psClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

Qt::BrushStyle QtBrushStyle(TBrushStyle style) {
    switch (style) {
    case bsSolid:
        return Qt::SolidPattern;
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::NoBrush;
    }
}

// The composition mode and colour for a pen mode; false for pmNop (draw nothing).
bool RopFor(TPenMode mode, QPainter::CompositionMode& comp, TColor& color) {
    color = ColorToRGB(color);
    comp = QPainter::CompositionMode_SourceOver;
    switch (mode) {
    case pmBlack:
        color = clBlack;
        return true;
    case pmWhite:
        color = clWhite;
        return true;
    case pmNop:
        return false;
    case pmNot:
        comp = QPainter::RasterOp_NotDestination;
        return true;
    case pmCopy:
        return true;
    case pmNotCopy:
        color = ~color & 0xFFFFFF;
        return true;
    case pmMerge:
        comp = QPainter::RasterOp_SourceOrDestination;
        return true;
    case pmMask:
        comp = QPainter::RasterOp_SourceAndDestination;
        return true;
    case pmXor:
        comp = QPainter::RasterOp_SourceXorDestination;
        return true;
    }
    return false;
}

QPainter::CompositionMode CompositionFor(TCopyMode mode) {
    switch (mode) {
    case cmSrcAnd:
        return QPainter::RasterOp_SourceAndDestination;
    case cmSrcPaint:
        return QPainter::RasterOp_SourceOrDestination;
    case cmSrcInvert:
        return QPainter::RasterOp_SourceXorDestination;
    case cmSrcErase:
        return QPainter::RasterOp_SourceAndNotDestination;
    case cmNotSrcCopy:
        return QPainter::RasterOp_NotSource;
    case cmNotSrcErase:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case cmMergePaint:
        return QPainter::RasterOp_NotSourceOrDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

uint8_t CombineByte(TCopyMode mode, uint8_t s, uint8_t d) {
    switch (mode) {
    case cmSrcCopy:
        return s;
    case cmSrcAnd:
        return s & d;
    case cmSrcPaint:
        return s | d;
    case cmSrcInvert:
        return s ^ d;
    case cmSrcErase:
        return s & static_cast<uint8_t>(~d);
    case cmNotSrcCopy:
        return static_cast<uint8_t>(~s);
    case cmNotSrcErase:
        return static_cast<uint8_t>(~(s | d));
    case cmMergePaint:
        return static_cast<uint8_t>(~s | d);
    case cmDstInvert:
        return static_cast<uint8_t>(~d);
    case cmBlackness:
        return 0;
    case cmWhiteness:
        return 255;
    }
    return s;
}

// Nearest source index for each destination index: the source pixel under the
// destination pixel's centre; -1 where that lies outside the source.
std::vector<int> NearestMap(int destCount, int sourceStart, int sourceCount, bool mirror,
                            int sourceLimit) {
    std::vector<int> map(static_cast<size_t>(destCount));
    if (destCount == sourceCount && !mirror) {
        // One to one, the common case: the nearest source of column i is column i.
        for (int i = 0; i < destCount; ++i) {
            const int s = sourceStart + i;
            map[static_cast<size_t>(i)] = s >= 0 && s < sourceLimit ? s : -1;
        }
        return map;
    }
    for (int i = 0; i < destCount; ++i) {
        int j = mirror ? destCount - 1 - i : i;
        int64_t s = sourceStart + (int64_t(2 * j + 1) * sourceCount) / (int64_t(2) * destCount);
        map[static_cast<size_t>(i)] = s >= 0 && s < sourceLimit ? static_cast<int>(s) : -1;
    }
    return map;
}

QRect NormalRect(int left, int top, int right, int bottom) {
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

// Tab stops every eight characters.
QString ExpandTabs(const QString& text) {
    QString out;
    int column = 0;
    for (QChar c : text) {
        if (c == u'\t') {
            int spaces = 8 - column % 8;
            out.append(QString(spaces, u' '));
            column += spaces;
        } else {
            out.append(c);
            column = (c == u'\n' || c == u'\r') ? 0 : column + 1;
        }
    }
    return out;
}

struct TextLine {
    QString Text;
    int Underline = -1; // index of the accelerator character in Text
    int Width = 0;
};

} // namespace

// ---------------------------------------------------------------------------------------
// Construction and the painter

TCanvas::TCanvas(TBitmap& bitmap) : FBitmap(&bitmap) {
    bitmap.Attach(this);
}

TCanvas::TCanvas(QPaintDevice* device) : FDevice(device) {}

TCanvas::TCanvas(QPainter* painter) : FPainter(painter) {
    if (FPainter)
        FPainter->save();
}

TCanvas::~TCanvas() {
    EndPaint();
    if (FPainter && !FOwnsPainter)
        FPainter->restore();
    if (FBitmap)
        FBitmap->Detach(this);
}

void TCanvas::BitmapDestroyed() {
    EndPaint();
    FBitmap = nullptr;
}

void TCanvas::EndPaint() {
    if (!FPainter || !FOwnsPainter)
        return;
    FPainter->restore();
    FPainter->end();
    delete FPainter;
    FPainter = nullptr;
    FOwnsPainter = false;
    FPainterStateApplied = false;
}

QPaintDevice* TCanvas::Device() const {
    if (FBitmap)
        return FBitmap->Empty() ? nullptr : &FBitmap->ImageForPainting();
    if (FDevice)
        return FDevice;
    return FPainter ? FPainter->device() : nullptr;
}

TSize TCanvas::DeviceSize() const {
    if (FBitmap)
        return TSize{FBitmap->Width(), FBitmap->Height()};
    QPaintDevice* d = Device();
    return d ? TSize{d->width(), d->height()} : TSize{};
}

qreal TCanvas::DevicePixelRatio() const {
    if (FBitmap)
        return FBitmap->DevicePixelRatio();
    QPaintDevice* d = Device();
    return d ? d->devicePixelRatioF() : 1;
}

QPainter* TCanvas::Handle() {
    if (!FPainter) {
        QPaintDevice* device = Device();
        if (!device || device->width() <= 0 || device->height() <= 0)
            return nullptr;
        // Qt lets a widget be painted only while it handles a paint event.
        if (device->devType() == QInternal::Widget &&
            !static_cast<QWidget*>(device)->testAttribute(Qt::WA_WState_InPaintEvent))
            return nullptr;
        auto painter = std::make_unique<QPainter>();
        if (!painter->begin(device))
            return nullptr;
        FPainter = painter.release();
        FOwnsPainter = true;
        FPainter->save();
        FPainterStateApplied = false;
    }
    if (!FPainterStateApplied)
        ApplyPainterState();
    return FPainter;
}

TPoint TCanvas::Offset() const {
    return TPoint(FViewportOrg.X - FWindowOrg.X, FViewportOrg.Y - FWindowOrg.Y);
}

// Back to the state saved at begin (or construction), then clip and origin on top.
void TCanvas::ApplyPainterState() {
    FPainter->restore();
    FPainter->save();
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (FClip)
        FPainter->setClipRegion(*FClip, Qt::IntersectClip);
    TPoint off = Offset();
    FPainter->translate(off.X, off.Y);
    FPainterStateApplied = true;
}

void TCanvas::ClipChanged() {
    FPainterStateApplied = false;
}

// The image drawn on directly, when this canvas is the only painter on a 24-bit image.
QImage* TCanvas::DirectImage() {
    QImage* image = nullptr;
    if (FBitmap) {
        if (!FBitmap->Empty())
            image = &FBitmap->ImageForPainting();
    } else if (FDevice && FDevice->devType() == QInternal::Image) {
        auto* candidate = static_cast<QImage*>(FDevice);
        if (candidate->format() == QImage::Format_BGR888 && !candidate->isNull())
            image = candidate;
    }
    // Pixels of a scaled image are not logical ones: those go through the painter.
    if (image && image->devicePixelRatio() != 1)
        return nullptr;
    // Writing to a shared image would detach it from under an active painter.
    if (image && FPainter && FOwnsPainter && !image->isDetached())
        EndPaint();
    return image;
}

QRegion TCanvas::DeviceClip(const QRect& bounds) const {
    return FClip ? (*FClip & bounds) : QRegion(bounds);
}

// ---------------------------------------------------------------------------------------
// Clipping, origins, saved states

TRect TCanvas::ClipRect() const {
    TSize size = DeviceSize();
    QRect device(0, 0, size.cx, size.cy);
    QRect box =
        FClip ? (size.cx > 0 ? (*FClip & device).boundingRect() : FClip->boundingRect()) : device;
    TRect r = TRect::FromQRect(box);
    TPoint off = Offset();
    r.Offset(-off.X, -off.Y);
    return r;
}

QRegion TCanvas::ClipRegion() const {
    if (FClip)
        return *FClip;
    TSize size = DeviceSize();
    return QRegion(0, 0, size.cx, size.cy);
}

void TCanvas::SelectClipRgn(const QRegion* region) {
    if (region)
        FClip = *region;
    else
        FClip.reset();
    ClipChanged();
}

void TCanvas::IntersectClipRect(const TRect& r) {
    TRect d = r;
    d.Offset(Offset().X, Offset().Y);
    QRect device = d.IsEmpty() ? QRect() : d.ToQRect();
    FClip = FClip ? (*FClip & device) : QRegion(device);
    ClipChanged();
}

void TCanvas::ExcludeClipRect(const TRect& r) {
    TRect d = r;
    d.Offset(Offset().X, Offset().Y);
    if (!FClip) {
        TSize size = DeviceSize();
        FClip = size.cx > 0 ? QRegion(0, 0, size.cx, size.cy)
                            : QRegion(-(1 << 20), -(1 << 20), 1 << 21, 1 << 21);
    }
    if (!d.IsEmpty())
        FClip = FClip->subtracted(QRegion(d.ToQRect()));
    ClipChanged();
}

void TCanvas::SetWindowOrg(int x, int y) {
    FWindowOrg = TPoint(x, y);
    FPainterStateApplied = false;
}

void TCanvas::SetViewportOrg(int x, int y) {
    FViewportOrg = TPoint(x, y);
    FPainterStateApplied = false;
}

void TCanvas::OffsetViewportOrg(int dx, int dy) {
    SetViewportOrg(FViewportOrg.X + dx, FViewportOrg.Y + dy);
}

int TCanvas::SaveState() {
    FSaved.push_back(State{FClip, FWindowOrg, FViewportOrg, FPenPos});
    return static_cast<int>(FSaved.size());
}

void TCanvas::RestoreState(int level) {
    int count = static_cast<int>(FSaved.size());
    int index = level < 0 ? count + level : level - 1;
    if (index < 0 || index >= count)
        return;
    State s = FSaved[static_cast<size_t>(index)];
    FSaved.resize(static_cast<size_t>(index));
    FClip = s.Clip;
    FWindowOrg = s.WindowOrg;
    FViewportOrg = s.ViewportOrg;
    FPenPos = s.PenPos;
    FPainterStateApplied = false;
}

// ---------------------------------------------------------------------------------------
// Lines and shapes

void TCanvas::MoveTo(int x, int y) {
    FPenPos = TPoint(x, y);
}

void TCanvas::LineTo(int x, int y) {
    TPoint points[2] = {FPenPos, TPoint(x, y)};
    PaintPolyline(points, false);
    FPenPos = TPoint(x, y);
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    PaintPolyline(points, false);
}

void TCanvas::PaintPolyline(std::span<const TPoint> points, bool closed) {
    if (points.size() < 2 || Pen.Style == psClear)
        return;
    if (Pen.Width > 1) {
        PaintWidePolyline(points, closed);
        return;
    }
    std::vector<int> pattern = DashPattern(Pen.Style);
    size_t patternIndex = 0;
    int left = pattern.empty() ? 0 : pattern[0];
    RunCollector on;
    RunCollector off;
    auto plot = [&](int x, int y) {
        if (pattern.empty()) {
            on.Add(x, y);
            return;
        }
        (patternIndex % 2 == 0 ? on : off).Add(x, y);
        if (--left == 0) {
            patternIndex = (patternIndex + 1) % pattern.size();
            left = pattern[patternIndex];
        }
    };
    size_t segments = closed ? points.size() : points.size() - 1;
    for (size_t i = 0; i < segments; ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % points.size()];
        RasteriseSegment(a.X, a.Y, b.X, b.Y, plot);
    }
    PenRects(on.Rects(), true);
    if (Brush.Style == bsSolid)
        PenRects(off.Rects(), false);
}

// Paints pixel runs with the pen colour (or, for the gaps of a styled pen, the brush
// colour) through the pen mode.
void TCanvas::PenRects(const std::vector<QRect>& rects, bool foreground) {
    if (rects.empty())
        return;
    QPainter* p = Handle();
    if (!p)
        return;
    TColor color = foreground ? Pen.Color : Brush.Color;
    QPainter::CompositionMode comp;
    if (!RopFor(Pen.Mode, comp, color))
        return;
    p->setCompositionMode(comp);
    QColor qc = ToQColor(color);
    for (const QRect& r : rects)
        p->fillRect(r, qc);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::PaintWidePolyline(std::span<const TPoint> points, bool closed) {
    QPainter* p = Handle();
    if (!p)
        return;
    TColor color = Pen.Color;
    QPainter::CompositionMode comp;
    if (!RopFor(Pen.Mode, comp, color))
        return;
    QPolygon polygon;
    for (const TPoint& pt : points)
        polygon << pt.ToQPoint();
    p->setCompositionMode(comp);
    p->setPen(QPen(ToQColor(color), Pen.Width, QtPenStyle(Pen.Style), Qt::RoundCap, Qt::RoundJoin));
    p->setBrush(Qt::NoBrush);
    if (closed)
        p->drawPolygon(polygon);
    else
        p->drawPolyline(polygon);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// Sets the pen mode and the brush for a shape's inside; false when nothing is filled.
bool TCanvas::PrepareRop(QPainter* p, TColor& color) {
    QPainter::CompositionMode comp;
    if (Brush.Style == bsClear || !RopFor(Pen.Mode, comp, color))
        return false;
    p->setCompositionMode(comp);
    p->setPen(Qt::NoPen);
    p->setBrush(QBrush(ToQColor(color), QtBrushStyle(Brush.Style)));
    return true;
}

void TCanvas::FillWithBrush(QPainter* p, const QRect& r) {
    if (Brush.Style == bsClear || r.isEmpty())
        return;
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->fillRect(r, QBrush(ToQColor(Brush.Color), QtBrushStyle(Brush.Style)));
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    QRect bounds = NormalRect(left, top, right, bottom);
    QPainter* p = bounds.isEmpty() ? nullptr : Handle();
    if (!p)
        return;
    if (Pen.Style == psClear) {
        // Without a pen the platform fills one pixel less to the right and bottom.
        TColor color = Brush.Color;
        if (PrepareRop(p, color))
            p->drawRect(bounds.adjusted(0, 0, -1, -1));
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    int w = std::max(1, Pen.Width);
    QRect outer = bounds;
    if (w > 1 && Pen.Style != psInsideFrame)
        outer.adjust(-(w - 1) / 2, -(w - 1) / 2, w / 2, w / 2);
    QRect inner = outer.adjusted(w, w, -w, -w);
    TColor fill = Brush.Color;
    if (!inner.isEmpty() && PrepareRop(p, fill))
        p->drawRect(inner);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (w == 1) {
        int r = bounds.right();
        int b = bounds.bottom();
        TPoint frame[4] = {TPoint(bounds.left(), bounds.top()), TPoint(r, bounds.top()),
                           TPoint(r, b), TPoint(bounds.left(), b)};
        PaintPolyline(frame, true);
        return;
    }
    QRegion ring = QRegion(outer).subtracted(QRegion(inner));
    std::vector<QRect> rects(ring.begin(), ring.end());
    PenRects(rects, true);
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    QRect bounds = NormalRect(left, top, right, bottom);
    QPainter* p = bounds.isEmpty() ? nullptr : Handle();
    if (!p)
        return;
    QRect shape(bounds.topLeft(), QSize(bounds.width() - 1, bounds.height() - 1));
    TColor fill = Brush.Color;
    if (PrepareRop(p, fill))
        p->drawEllipse(shape);
    TColor color = Pen.Color;
    QPainter::CompositionMode comp;
    if (Pen.Style != psClear && RopFor(Pen.Mode, comp, color)) {
        p->setCompositionMode(comp);
        p->setBrush(Qt::NoBrush);
        p->setPen(QPen(ToQColor(color), Pen.Width > 1 ? Pen.Width : 0, QtPenStyle(Pen.Style)));
        p->drawEllipse(shape);
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight) {
    QRect bounds = NormalRect(left, top, right, bottom);
    QPainter* p = bounds.isEmpty() ? nullptr : Handle();
    if (!p)
        return;
    QRect shape(bounds.topLeft(), QSize(bounds.width() - 1, bounds.height() - 1));
    double rx = std::abs(cornerWidth) / 2.0;
    double ry = std::abs(cornerHeight) / 2.0;
    TColor fill = Brush.Color;
    if (PrepareRop(p, fill))
        p->drawRoundedRect(shape, rx, ry);
    TColor color = Pen.Color;
    QPainter::CompositionMode comp;
    if (Pen.Style != psClear && RopFor(Pen.Mode, comp, color)) {
        p->setCompositionMode(comp);
        p->setBrush(Qt::NoBrush);
        p->setPen(QPen(ToQColor(color), Pen.Width > 1 ? Pen.Width : 0, QtPenStyle(Pen.Style)));
        p->drawRoundedRect(shape, rx, ry);
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    if (points.size() < 2)
        return;
    QPainter* p = Handle();
    if (!p)
        return;
    QPolygon polygon;
    for (const TPoint& pt : points)
        polygon << pt.ToQPoint();
    TColor fill = Brush.Color;
    if (PrepareRop(p, fill))
        p->drawPolygon(polygon, Qt::OddEvenFill);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    PaintPolyline(points, true);
}

void TCanvas::FillRect(const TRect& r) {
    if (r.IsEmpty())
        return;
    if (QPainter* p = Handle())
        FillWithBrush(p, r.ToQRect());
}

void TCanvas::FrameRect(const TRect& r) {
    if (r.IsEmpty())
        return;
    QPainter* p = Handle();
    if (!p)
        return;
    QRect q = r.ToQRect();
    FillWithBrush(p, QRect(q.left(), q.top(), q.width(), 1));
    if (q.height() > 1)
        FillWithBrush(p, QRect(q.left(), q.bottom(), q.width(), 1));
    if (q.height() > 2) {
        FillWithBrush(p, QRect(q.left(), q.top() + 1, 1, q.height() - 2));
        if (q.width() > 1)
            FillWithBrush(p, QRect(q.right(), q.top() + 1, 1, q.height() - 2));
    }
}

void TCanvas::DrawFocusRect(const TRect& r) {
    if (r.IsEmpty())
        return;
    QPainter* p = Handle();
    if (!p)
        return;
    std::vector<QRect> dots;
    auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            dots.emplace_back(x, y, 1, 1);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        dot(x, r.Top);
        if (r.Bottom - 1 > r.Top)
            dot(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        dot(r.Left, y);
        if (r.Right - 1 > r.Left)
            dot(r.Right - 1, y);
    }
    p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    for (const QRect& d : dots)
        p->fillRect(d, Qt::white);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// ---------------------------------------------------------------------------------------
// Pixels

TColor TCanvas::Pixel(int x, int y) {
    QPoint d(x + Offset().X, y + Offset().Y);
    if (FBitmap)
        return FClip && !FClip->contains(d) ? InvalidColor : FBitmap->Pixel(d.x(), d.y());
    const QImage* image = nullptr;
    if (FDevice && FDevice->devType() == QInternal::Image)
        image = static_cast<const QImage*>(FDevice);
    if (!image)
        return InvalidColor;
    if (!image->rect().contains(d) || (FClip && !FClip->contains(d)))
        return InvalidColor;
    if (image->format() == QImage::Format_BGR888) {
        const uint8_t* px = image->constScanLine(d.y()) + 3 * d.x();
        return RGB(px[2], px[1], px[0]);
    }
    return FromQColor(image->pixelColor(d));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    if (QImage* image = DirectImage()) {
        QPoint d(x + Offset().X, y + Offset().Y);
        if (!image->rect().contains(d) || (FClip && !FClip->contains(d)))
            return;
        TColor c = ColorToRGB(color);
        uint8_t* px = image->scanLine(d.y()) + 3 * d.x();
        px[0] = static_cast<uint8_t>(GetBValue(c));
        px[1] = static_cast<uint8_t>(GetGValue(c));
        px[2] = static_cast<uint8_t>(GetRValue(c));
        return;
    }
    if (QPainter* p = Handle()) {
        p->setCompositionMode(QPainter::CompositionMode_Source);
        p->fillRect(QRect(x, y, 1, 1), ToQColor(color));
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

// ---------------------------------------------------------------------------------------
// Text

const QFontMetrics& TCanvas::Metrics() {
    if (!FMetrics || FMetricsRevision != Font.Revision()) {
        FMetrics = std::make_unique<QFontMetrics>(Font.ToQFont());
        FMetricsRevision = Font.Revision();
    }
    return *FMetrics;
}

int TCanvas::TextWidth(const QString& text) {
    return Metrics().horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString&) {
    return Metrics().height();
}

TSize TCanvas::TextExtent(const QString& text) {
    return TSize{TextWidth(text), TextHeight(text)};
}

void TCanvas::PaintTextLine(QPainter* p, int x, int y, const QString& text, int underline) {
    const QFontMetrics& fm = Metrics();
    QColor color = ToQColor(Font.Color());
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setFont(Font.ToQFont());
    p->setPen(color);
    p->drawText(QPoint(x, y + fm.ascent()), text);
    if (underline >= 0 && underline < text.size()) {
        int ux = x + fm.horizontalAdvance(text.left(underline));
        int uw = fm.horizontalAdvance(text.mid(underline, 1));
        int uy = y + fm.ascent() + std::max(1, fm.underlinePos());
        p->fillRect(QRect(ux, uy, uw, std::max(1, fm.lineWidth())), color);
    }
}

void TCanvas::TextOut(int x, int y, const QString& text) {
    if (QPainter* p = Handle()) {
        if (Brush.Style == bsSolid) {
            p->setCompositionMode(QPainter::CompositionMode_SourceOver);
            p->fillRect(QRect(x, y, TextWidth(text), TextHeight(text)), ToQColor(Brush.Color));
        }
        PaintTextLine(p, x, y, text, -1);
    }
    MoveTo(x + TextWidth(text), y);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text) {
    QPainter* p = Handle();
    if (!p)
        return;
    p->save();
    p->setClipRect(r.IsEmpty() ? QRect() : r.ToQRect(), Qt::IntersectClip);
    if (Brush.Style != bsClear && !r.IsEmpty()) {
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        p->fillRect(r.ToQRect(), ToQColor(Brush.Color));
    }
    PaintTextLine(p, x, y, text, -1);
    p->restore();
}

int TCanvas::DrawText(const QString& text, TRect& rect, unsigned flags) {
    const QFontMetrics& fm = Metrics();
    const int lineHeight = fm.height();
    const int maxWidth = rect.Width();
    const bool singleLine = flags & DT_SINGLELINE;

    // Accelerator prefixes: "&x" underlines x, "&&" is a plain "&".
    QString plain = flags & DT_EXPANDTABS ? ExpandTabs(text) : text;
    int accelerator = -1;
    if (!(flags & DT_NOPREFIX)) {
        QString stripped;
        for (qsizetype i = 0; i < plain.size(); ++i) {
            if (plain[i] != u'&') {
                stripped.append(plain[i]);
                continue;
            }
            if (i + 1 >= plain.size())
                break;
            ++i;
            if (plain[i] != u'&' && !(flags & DT_HIDEPREFIX))
                accelerator = static_cast<int>(stripped.size());
            stripped.append(plain[i]);
        }
        plain = stripped;
    }

    // Paragraphs, each with its start in `plain`.
    std::vector<std::pair<QString, int>> paragraphs;
    if (singleLine) {
        QString one = plain;
        one.replace(u'\r', u' ').replace(u'\n', u' ');
        paragraphs.emplace_back(one, 0);
    } else {
        int start = 0;
        for (int i = 0; i <= plain.size(); ++i) {
            if (i < plain.size() && plain[i] != u'\r' && plain[i] != u'\n')
                continue;
            paragraphs.emplace_back(plain.mid(start, i - start), start);
            if (i + 1 < plain.size() && plain[i] == u'\r' && plain[i + 1] == u'\n')
                ++i;
            start = i + 1;
        }
    }

    if (plain.isEmpty()) {
        if (flags & DT_CALCRECT) {
            rect.Right = rect.Left;
            rect.Bottom = rect.Top;
        }
        return 0;
    }

    std::vector<TextLine> lines;
    auto addLine = [&](const QString& source, int sourceStart, int from, int to) {
        TextLine line;
        line.Text = source.mid(from, to - from);
        int a = accelerator - (sourceStart + from);
        if (accelerator >= 0 && a >= 0 && a < line.Text.size())
            line.Underline = a;
        while (!line.Text.isEmpty() && line.Text.back().isSpace() && (flags & DT_WORDBREAK))
            line.Text.chop(1);
        lines.push_back(line);
    };
    for (const auto& [para, paraStart] : paragraphs) {
        if (!(flags & DT_WORDBREAK) || singleLine || para.isEmpty()) {
            addLine(para, paraStart, 0, static_cast<int>(para.size()));
            continue;
        }
        // Greedy wrapping at the line-break opportunities (spaces, between CJK
        // characters); a word wider than the rectangle stays whole on its own line.
        QTextBoundaryFinder finder(QTextBoundaryFinder::Line, para);
        int lineStart = 0;
        int lastFit = -1;
        auto fits = [&, &para = para](int from, int to) {
            return fm.horizontalAdvance(para.mid(from, to - from).trimmed()) <= maxWidth;
        };
        for (qsizetype b = finder.toNextBoundary(); b >= 0; b = finder.toNextBoundary()) {
            int end = static_cast<int>(b);
            if (end <= lineStart)
                continue;
            if (fits(lineStart, end)) {
                lastFit = end;
                continue;
            }
            if (lastFit > lineStart) {
                addLine(para, paraStart, lineStart, lastFit);
                lineStart = lastFit;
                if (fits(lineStart, end)) {
                    lastFit = end;
                    continue;
                }
            }
            addLine(para, paraStart, lineStart, end);
            lineStart = end;
            lastFit = -1;
        }
        if (lineStart < para.size())
            addLine(para, paraStart, lineStart, static_cast<int>(para.size()));
    }

    int textWidth = 0;
    for (TextLine& line : lines) {
        line.Width = fm.horizontalAdvance(line.Text);
        if ((flags & DT_END_ELLIPSIS) && line.Width > maxWidth) {
            const QString dots = QStringLiteral("...");
            QString cut = line.Text;
            while (!cut.isEmpty() && fm.horizontalAdvance(cut + dots) > maxWidth)
                cut.chop(1);
            line.Text = cut + dots;
            line.Width = fm.horizontalAdvance(line.Text);
            if (line.Underline >= cut.size())
                line.Underline = -1;
        }
        textWidth = std::max(textWidth, line.Width);
    }
    const int textHeight = lineHeight * static_cast<int>(lines.size());

    if (flags & DT_CALCRECT) {
        rect.Right = rect.Left + textWidth;
        rect.Bottom = rect.Top + textHeight;
        return textHeight;
    }

    int y = rect.Top;
    if (singleLine && (flags & DT_VCENTER))
        y = rect.Top + (rect.Height() - textHeight) / 2;
    else if (singleLine && (flags & DT_BOTTOM))
        y = rect.Bottom - textHeight;
    const int result =
        singleLine && (flags & (DT_VCENTER | DT_BOTTOM)) ? y + textHeight - rect.Top : textHeight;
    QPainter* p = Handle();
    if (!p)
        return result;
    p->save();
    if (!(flags & DT_NOCLIP))
        p->setClipRect(rect.IsEmpty() ? QRect() : rect.ToQRect(), Qt::IntersectClip);
    for (const TextLine& line : lines) {
        int x = rect.Left;
        if (flags & DT_CENTER)
            x = rect.Left + (maxWidth - line.Width) / 2;
        else if (flags & DT_RIGHT)
            x = rect.Right - line.Width;
        if (Brush.Style == bsSolid && line.Width > 0) {
            p->setCompositionMode(QPainter::CompositionMode_SourceOver);
            p->fillRect(QRect(x, y, line.Width, lineHeight), ToQColor(Brush.Color));
        }
        PaintTextLine(p, x, y, line.Text, line.Underline);
        y += lineHeight;
    }
    p->restore();
    return result;
}

// ---------------------------------------------------------------------------------------
// Bitmaps

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    StretchDraw(TRect(x, y, x + bitmap.Width(), y + bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
    if (bitmap.Empty())
        return;
    Blit blit;
    blit.Source = &bitmap.Image();
    blit.SourceRect = TRect(0, 0, bitmap.Width(), bitmap.Height());
    blit.Dest = dest;
    if (bitmap.Transparent())
        blit.Key = ColorToRGB(bitmap.TransparentColor());
    blit.Mode = CopyMode;
    blit.SourceRatio = bitmap.DevicePixelRatio();
    RunBlit(blit);
}

const QImage* TCanvas::ReadableImage(TPoint& offset, qreal& ratio) {
    offset = Offset();
    ratio = DevicePixelRatio();
    if (FBitmap)
        return FBitmap->Empty() ? nullptr : &FBitmap->Image();
    if (FDevice && FDevice->devType() == QInternal::Image)
        return static_cast<const QImage*>(FDevice);
    return nullptr;
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
    TPoint offset;
    qreal ratio = 1;
    const QImage* image = source.ReadableImage(offset, ratio);
    if (!image || image->isNull())
        return;
    QImage converted;
    if (image->format() != QImage::Format_BGR888) {
        converted = image->convertToFormat(QImage::Format_BGR888);
        image = &converted;
    }
    Blit blit;
    blit.Source = image;
    blit.SourceRect = sourceRect;
    blit.SourceRect.Offset(offset.X, offset.Y);
    blit.Dest = dest;
    blit.Mode = CopyMode;
    blit.SourceRatio = ratio;
    RunBlit(blit);
}

void TCanvas::RunBlit(const Blit& blit) {
    if (blit.Dest.Width() == 0 || blit.Dest.Height() == 0 || blit.SourceRect.Width() == 0 ||
        blit.SourceRect.Height() == 0 || !blit.Source || blit.Source->isNull())
        return;
    if (blit.SourceRatio == 1 && DevicePixelRatio() == 1)
        if (QImage* image = DirectImage()) {
            BlitDirect(*image, blit);
            return;
        }
    if (QPainter* p = Handle())
        BlitThroughPainter(p, blit);
}

namespace {

// The destination rectangle normalised, with the source index of every destination
// column and row.
struct BlitGeometry {
    QRect Dest; // logical
    std::vector<int> Columns;
    std::vector<int> Rows;
    bool Identity = false; // same size, not mirrored, wholly inside the source
};

BlitGeometry Geometry(const TRect& dest, const TRect& src, const QImage& image) {
    BlitGeometry g;
    int dw = std::abs(dest.Width());
    int dh = std::abs(dest.Height());
    int sw = std::abs(src.Width());
    int sh = std::abs(src.Height());
    bool mirrorX = (dest.Width() < 0) != (src.Width() < 0);
    bool mirrorY = (dest.Height() < 0) != (src.Height() < 0);
    g.Dest = QRect(std::min(dest.Left, dest.Right), std::min(dest.Top, dest.Bottom), dw, dh);
    int sx = std::min(src.Left, src.Right);
    int sy = std::min(src.Top, src.Bottom);
    g.Columns = NearestMap(dw, sx, sw, mirrorX, image.width());
    g.Rows = NearestMap(dh, sy, sh, mirrorY, image.height());
    g.Identity = dw == sw && dh == sh && !mirrorX && !mirrorY && sx >= 0 && sy >= 0 &&
                 sx + sw <= image.width() && sy + sh <= image.height();
    return g;
}

// Writes the source pixels of `painted` (painter coordinates, `offset` from the device's)
// into a 32-bit image as opaque pixels. Pixels of the key colour, and those that map to no
// source pixel, leave the image as it is, as a copy through the painter does.
void CopyOnto(QImage& target, QPoint offset, const QRegion& painted, const BlitGeometry& g,
              const QImage& source, std::optional<TColor> keyColor) {
    const bool keyed = keyColor.has_value();
    const QRgb key = keyed ? ToQColor(*keyColor).rgb() : 0;
    const int* const cols = g.Columns.data();
    // Rows are addressed from the first one: scanLine() checks for sharing at every call.
    uchar* const targetBits = target.bits();
    const qsizetype targetStride = target.bytesPerLine();
    const uint8_t* const sourceBits = source.constBits();
    const qsizetype sourceStride = source.bytesPerLine();
    const QRect bounds = target.rect().translated(-offset);
    for (const QRect& part : painted) {
        const QRect r = part & bounds;
        if (r.isEmpty())
            continue;
        const int left = r.left() - g.Dest.left();
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const int sy = g.Rows[static_cast<size_t>(y - g.Dest.top())];
            if (sy < 0)
                continue;
            auto* d = reinterpret_cast<QRgb*>(targetBits + (y + offset.y()) * targetStride) +
                      (r.left() + offset.x());
            const uint8_t* s = sourceBits + sy * sourceStride;
            if (g.Identity && !keyed) {
                Bgr888ToRgb32(s + 3 * cols[left], d, r.width());
                continue;
            }
            for (int x = 0; x < r.width(); ++x) {
                const int sx = cols[left + x];
                if (sx < 0)
                    continue;
                const uint8_t* sp = s + 3 * sx;
                const QRgb c = qRgb(sp[2], sp[1], sp[0]);
                if (!keyed || c != key)
                    d[x] = c;
            }
        }
    }
}

} // namespace

void TCanvas::BlitDirect(QImage& target, const Blit& blit) {
    // Drawing a bitmap onto itself reads from a copy, so overlapping areas come out right.
    QImage sourceCopy;
    const QImage* source = blit.Source;
    if (source->constBits() == target.constBits()) {
        sourceCopy = source->copy();
        source = &sourceCopy;
    }
    BlitGeometry g = Geometry(blit.Dest, blit.SourceRect, *source);
    TPoint off = Offset();
    QRect deviceDest = g.Dest.translated(off.X, off.Y);
    uint8_t keyB = 0, keyG = 0, keyR = 0;
    if (blit.Key) {
        keyB = static_cast<uint8_t>(GetBValue(*blit.Key));
        keyG = static_cast<uint8_t>(GetGValue(*blit.Key));
        keyR = static_cast<uint8_t>(GetRValue(*blit.Key));
    }
    const bool plainCopy = blit.Mode == cmSrcCopy && !blit.Key;
    // Rows are addressed from the first one: scanLine() checks for sharing at every call.
    uint8_t* const targetBits = target.bits();
    const qsizetype targetStride = target.bytesPerLine();
    const uint8_t* const sourceBits = source->constBits();
    const qsizetype sourceStride = source->bytesPerLine();
    auto copyPart = [&](const QRect& r) {
        const int x0 = r.left() - deviceDest.left();
        const int x1 = r.right() - deviceDest.left();
        const int* cols = g.Columns.data();
        int previousSourceRow = -2;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            int sy = g.Rows[static_cast<size_t>(y - deviceDest.top())];
            if (sy < 0) {
                previousSourceRow = -2;
                continue;
            }
            uint8_t* d = targetBits + y * targetStride + 3 * r.left();
            if (plainCopy && g.Identity) {
                std::memcpy(d, sourceBits + sy * sourceStride + 3 * (cols[x0]),
                            size_t(r.width()) * 3);
                continue;
            }
            if (plainCopy && sy == previousSourceRow) {
                // A repeated source row: copy the destination row painted just before.
                std::memcpy(d, d - targetStride, size_t(r.width()) * 3);
                continue;
            }
            const uint8_t* s = sourceBits + sy * sourceStride;
            bool wholeRow = true;
            for (int i = x0; i <= x1; ++i, d += 3) {
                int sx = cols[i];
                if (sx < 0) {
                    wholeRow = false;
                    continue;
                }
                const uint8_t* sp = s + 3 * sx;
                if (plainCopy) {
                    d[0] = sp[0];
                    d[1] = sp[1];
                    d[2] = sp[2];
                    continue;
                }
                if (blit.Key && sp[0] == keyB && sp[1] == keyG && sp[2] == keyR)
                    continue;
                d[0] = CombineByte(blit.Mode, sp[0], d[0]);
                d[1] = CombineByte(blit.Mode, sp[1], d[1]);
                d[2] = CombineByte(blit.Mode, sp[2], d[2]);
            }
            previousSourceRow = wholeRow ? sy : -2;
        }
    };
    if (!HasClipRegion()) {
        // Without a clip region the part drawn is one rectangle; no region is made.
        const QRect part = target.rect() & deviceDest;
        if (!part.isEmpty())
            copyPart(part);
        return;
    }
    for (const QRect& r : DeviceClip(target.rect()) & deviceDest)
        copyPart(r);
}

void TCanvas::BlitThroughPainter(QPainter* p, const Blit& blit) {
    BlitGeometry g = Geometry(blit.Dest, blit.SourceRect, *blit.Source);
    if (blit.Mode == cmBlackness || blit.Mode == cmWhiteness || blit.Mode == cmDstInvert) {
        p->setCompositionMode(blit.Mode == cmDstInvert ? QPainter::RasterOp_NotDestination
                                                       : QPainter::CompositionMode_SourceOver);
        p->fillRect(g.Dest, blit.Mode == cmWhiteness ? Qt::white : Qt::black);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    if (const qreal ratio = DevicePixelRatio(); ratio != 1 || blit.SourceRatio != 1) {
        BlitScaled(p, blit, ratio);
        return;
    }
    if (g.Dest.isEmpty())
        return;
    if (blit.Mode == cmSrcCopy)
        if (QImage* target = WritableTarget(p)) {
            if (const std::optional<QRegion> painted = PaintedRegion(p, g.Dest)) {
                const QTransform toDevice = p->deviceTransform();
                CopyOnto(*target, QPoint(int(toDevice.dx()), int(toDevice.dy())), *painted, g,
                         *blit.Source, blit.Key);
                return;
            }
        }
    const std::vector<QRect> pieces = PaintedPieces(p, g.Dest);
    // Map the pixels here (unscaled, nearest, mirrored, keyed) into a tile per piece and let
    // Qt copy them 1:1.
    TTileBuffer tiles;
    // Read into locals once: the writes to the tile could otherwise alias them.
    const bool keyed = blit.Key.has_value();
    const QRgb key = keyed ? ToQColor(*blit.Key).rgb() : 0;
    const int* const cols = g.Columns.data();
    // An unscaled, unkeyed copy has opaque pixels only, which Qt copies as they are. Other
    // tiles have opaque and wholly transparent pixels, so their premultiplied form is the
    // same pixels; it is the one Qt blends without converting it first.
    const QImage::Format tileFormat = g.Identity && !keyed && blit.Mode == cmSrcCopy
                                          ? QImage::Format_RGB32
                                          : QImage::Format_ARGB32_Premultiplied;
    p->setCompositionMode(CompositionFor(blit.Mode));
    for (const QRect& piece : pieces) {
        QImage tile = tiles.For(piece.size(), tileFormat);
        const int left = piece.left() - g.Dest.left();
        for (int y = 0; y < piece.height(); ++y) {
            auto* d = reinterpret_cast<QRgb*>(tile.scanLine(y));
            const int sy = g.Rows[static_cast<size_t>(piece.top() - g.Dest.top() + y)];
            const uint8_t* s = sy >= 0 ? blit.Source->constScanLine(sy) : nullptr;
            if (g.Identity) {
                // Unscaled: the row's pixels a word at a time (Qt's own conversion of 24-bit
                // pixels takes three times as long), then the key colour cleared.
                Bgr888ToRgb32(s + 3 * cols[left], d, piece.width());
                if (keyed)
                    for (int x = 0; x < piece.width(); ++x)
                        d[x] = d[x] == key ? 0 : d[x];
                continue;
            }
            for (int x = 0; x < piece.width(); ++x) {
                const int sx = cols[left + x];
                if (!s || sx < 0) {
                    d[x] = 0;
                    continue;
                }
                const uint8_t* sp = s + 3 * sx;
                const QRgb c = qRgb(sp[2], sp[1], sp[0]);
                d[x] = keyed && c == key ? 0 : c;
            }
        }
        p->drawImage(piece.topLeft(), tile, QRect(QPoint(0, 0), piece.size()));
    }
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

namespace {

// The source's pixels of `part` as an image; pixels outside the source, and those of the
// key colour, are transparent.
QImage SourceTile(const QImage& source, const QRect& part, std::optional<TColor> key) {
    if (!key && source.rect().contains(part))
        return source.copy(part);
    QImage tile(part.size(), QImage::Format_ARGB32_Premultiplied);
    const QRgb keyColor = key ? ToQColor(*key).rgb() : 0;
    for (int y = 0; y < tile.height(); ++y) {
        auto* d = reinterpret_cast<QRgb*>(tile.scanLine(y));
        const int sy = part.top() + y;
        const bool rowInside = sy >= 0 && sy < source.height();
        const uint8_t* s = rowInside ? source.constScanLine(sy) : nullptr;
        for (int x = 0; x < tile.width(); ++x) {
            const int sx = part.left() + x;
            if (!s || sx < 0 || sx >= source.width()) {
                d[x] = 0;
                continue;
            }
            const uint8_t* sp = s + 3 * sx;
            const QRgb c = qRgb(sp[2], sp[1], sp[0]);
            d[x] = key && c == keyColor ? 0 : c;
        }
    }
    return tile;
}

} // namespace

// A copy between different pixel ratios: the source's own pixels of the rectangle, smoothly
// scaled to the destination's physical size, then copied 1:1 by the mode.
void TCanvas::BlitScaled(QPainter* p, const Blit& blit, qreal ratio) {
    const TRect& s = blit.SourceRect;
    const TRect& d = blit.Dest;
    const qreal r = blit.SourceRatio;
    const QRect part(qRound(std::min(s.Left, s.Right) * r), qRound(std::min(s.Top, s.Bottom) * r),
                     qRound(std::abs(s.Width()) * r), qRound(std::abs(s.Height()) * r));
    const QRect dest(std::min(d.Left, d.Right), std::min(d.Top, d.Bottom), std::abs(d.Width()),
                     std::abs(d.Height()));
    const QSize pixels(qRound(dest.width() * ratio), qRound(dest.height() * ratio));
    if (part.isEmpty() || pixels.isEmpty())
        return;
    QImage tile = SourceTile(*blit.Source, part, blit.Key);
    const bool mirrorX = (d.Width() < 0) != (s.Width() < 0);
    const bool mirrorY = (d.Height() < 0) != (s.Height() < 0);
    if (mirrorX || mirrorY)
        tile = tile.mirrored(mirrorX, mirrorY);
    if (tile.size() != pixels)
        tile = tile.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    tile.setDevicePixelRatio(ratio);
    p->setCompositionMode(CompositionFor(blit.Mode));
    p->drawImage(dest.topLeft(), tile);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
}
