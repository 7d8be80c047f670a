#pragma once
// The skin engine's stateless bitmap toolkit: fitting pieces of a skin picture to the size
// a surface has on screen, window regions from black-and-white masks, the small vector
// glyphs drawn when a skin has no picture for them, text helpers, and the window-system
// helpers for translucent windows and monitor work areas.
//
// Coordinates follow framework/Types.h (right and bottom exclusive). In the fitting
// routines R is the piece of the source picture that holds the skin; the source corner
// points LT, RT, LB, RB and the source client rect CR are relative to R's top-left; the
// fitted points NLT, NRT, NLB, NRB and the client rect NCR are in destination coordinates,
// and W x H is the destination size. Tiling repeats a piece from a start point and cuts
// the last repetition at the limit; nothing is scaled except where a routine stretches.

#include "framework/Colors.h"
#include "framework/Types.h"

#include <QRegion>
#include <QString>
#include <optional>

class QWidget;
class TBitmap;
class TCanvas;

// A window region. std::nullopt is "no region" (the window keeps its rectangle); an empty
// QRegion is a region without pixels.
using TbsRegion = std::optional<QRegion>;

// ---------------------------------------------------------------- composition

// Nine-part fit, every edge and the client piece tiled. Leaves a blank W x H destination
// when the source is empty or the corner points span nothing (RB.x = LT.x or RB.y = LT.y).
void CreateSkinImage(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& CR, TPoint NLT,
                     TPoint NRT, TPoint NLB, TPoint NRB, const TRect& NCR, TBitmap& dest,
                     const TBitmap& source, const TRect& R, int W, int H, bool drawClient);

// CreateSkinImage with each flagged edge stretched over its whole span instead of tiled.
void CreateStretchSkinImage(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& CR, TPoint NLT,
                            TPoint NRT, TPoint NLB, TPoint NRB, const TRect& NCR, TBitmap& dest,
                            const TBitmap& source, const TRect& R, int W, int H, bool drawClient,
                            bool leftStretch, bool topStretch, bool rightStretch,
                            bool bottomStretch);

// A fit without a right side: the top and bottom edges and the client run on to W.
void CreateLeftSkinImage(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& CR, TPoint NLT,
                         TPoint NRT, TPoint NLB, TPoint NRB, const TRect& NCR, TBitmap& dest,
                         const TBitmap& source, const TRect& R, int W, int H, bool drawClient);

// The four borders of a window frame as separate bitmaps (the client is never painted).
// A border that can't be built is left as it was.
void CreateSkinBorderImages(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& CR, TPoint NLT,
                            TPoint NRT, TPoint NLB, TPoint NRB, const TRect& NCR,
                            TBitmap& leftBorder, TBitmap& topBorder, TBitmap& rightBorder,
                            TBitmap& bottomBorder, const TBitmap& source, const TRect& R, int W,
                            int H, bool leftStretch, bool topStretch, bool rightStretch,
                            bool bottomStretch);

// Horizontal three-part fit of `sourceRect`: the first L columns at the left, the last Rt
// columns at the right, the rest tiled between them. The height is the source rect's.
void CreateHSkinImage(int L, int Rt, TBitmap& dest, int W, const TRect& sourceRect,
                      const TBitmap& source);
// The first L columns, then the middle (without L and Rt columns) tiled to W.
void CreateHSkinImageLeft(int L, int Rt, TBitmap& dest, int W, const TRect& sourceRect,
                          const TBitmap& source);
// The middle (without L and Rt columns) tiled from 0 to W.
void CreateHTileImage(int L, int Rt, TBitmap& dest, int W, const TRect& sourceRect,
                      const TBitmap& source);
// Vertical three-part fit: the first T rows, the last B rows, the middle tiled between.
void CreateVSkinImage(int T, int B, TBitmap& dest, int H, const TRect& sourceRect,
                      const TBitmap& source);

// ---------------------------------------------------------------- regions

// The black pixels (B + G + R = 0) of `mask`, moved by (dx, dy). No region for an empty
// mask; an empty region for a mask without black pixels.
TbsRegion CreateRegionFromMask(const TBitmap& mask, int dx = 0, int dy = 0);

// Cuts `mask` (the size of the skin picture, coordinates absolute) into four borders fitted
// to the new size, as CreateSkinImage cuts a picture. A border whose width or height would
// not be positive is made empty (0 x 0).
void CreateSkinMaskBorders(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& CR, TPoint NLT,
                           TPoint NRT, TPoint NLB, TPoint NRB, const TRect& NCR,
                           const TBitmap& mask, TBitmap& topMask, TBitmap& leftMask,
                           TBitmap& rightMask, TBitmap& bottomMask, int W);

// The region of a W x H surface cut from `mask`: the client rect NCR plus the black pixels
// of the fitted mask borders. No region when the fitted points are out of order.
TbsRegion CreateSkinRegion(TPoint LT, TPoint RT, TPoint LB, TPoint RB, const TRect& CR, TPoint NLT,
                           TPoint NRT, TPoint NLB, TPoint NRB, const TRect& NCR,
                           const TBitmap& mask, int W, int H);

// ---------------------------------------------------------------- glyphs and marks
// Drawn with the canvas pen in `color`; (x, y) is the top-left of a 10 x 10 cell. Lines
// leave out their end point.

void DrawCloseGlyph(TCanvas& canvas, int x, int y, TColor color);
void DrawCloseGlyphInRect(TCanvas& canvas, const TRect& rect, TColor color);
void DrawMinimizeGlyph(TCanvas& canvas, int x, int y, TColor color);
void DrawMaximizeGlyph(TCanvas& canvas, int x, int y, TColor color);
void DrawRestoreGlyph(TCanvas& canvas, int x, int y, TColor color);
void DrawSysMenuGlyph(TCanvas& canvas, int x, int y, TColor color);
void DrawRollUpGlyph(TCanvas& canvas, int x, int y, TColor color);
void DrawRollDownGlyph(TCanvas& canvas, int x, int y, TColor color);
void DrawTrayGlyph(TCanvas& canvas, int x, int y, TColor color);
// Frame `frameIndex` (1-based) of a strip of `frameCount` frames, drawn transparently (the
// transparent colour is the frame's bottom-left pixel). Nothing for an empty bitmap or a
// frame outside the strip.
void DrawSkinGlyph(TCanvas& canvas, int x, int y, const TBitmap& bitmap, int frameCount,
                   int frameIndex);

enum class TbsArrowDirection { Left = 1, Right = 2, Up = 3, Down = 4 };
// A small four-line arrow centred in `rect`.
void DrawArrowMark(TCanvas& canvas, const TRect& rect, TColor color, TbsArrowDirection direction);
// Direction 1 left, 2 right, 3 up, 4 down; other values draw nothing.
inline void DrawArrowMark(TCanvas& canvas, const TRect& rect, TColor color, int direction) {
    DrawArrowMark(canvas, rect, color, static_cast<TbsArrowDirection>(direction));
}
void DrawCheckMark(TCanvas& canvas, int x, int y, TColor color);
// A filled 6 x 6 square.
void DrawRadioMark(TCanvas& canvas, int x, int y, TColor color);
// A one-pixel raised or sunken edge just inside `rect`.
void DrawFrame3D(TCanvas& canvas, const TRect& rect, TColor topLeftColor, TColor bottomRightColor);

// ---------------------------------------------------------------- text and background

// The text unchanged when it fits `width` in the canvas font; otherwise shortened at the
// end, a whole character at a time, until it fits with "..." appended, and "..." appended.
QString CorrectTextByWidth(TCanvas& canvas, const QString& text, int width);
// One line, vertically centred, left aligned in `rect`.
void DrawSingleLineText(TCanvas& canvas, const QString& text, const TRect& rect);
// Clipped to `rect`, 2 pixels from its left, vertically centred.
void DrawTextVCentered(TCanvas& canvas, const QString& text, const TRect& rect);
void DrawTextVCenteredOffset(TCanvas& canvas, const QString& text, const TRect& rect, int offset);

// Paints what the control's parent shows under the control (its background and, unless the
// parent is a window, its own painting) into `canvas`, whose origin is the control's
// top-left. Nothing when the control has no parent.
void PaintParentImage(QWidget* control, TCanvas& canvas);

// ---------------------------------------------------------------- window system

// True when the window system composites, so window opacity takes effect.
bool IsLayeredWindowsSupported();
// Window opacity 0..255 (values outside are clamped). Nothing for a null window.
void SetWindowAlpha(QWidget* window, int alpha);
// The work area (or, with workArea false, the full area) of the screen the window is on,
// the one sharing most of its area or else the nearest; the primary screen for a null
// window or when there is only one screen.
TRect GetMonitorWorkArea(QWidget* window, bool workArea);
