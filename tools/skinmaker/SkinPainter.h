#pragma once
// Drawing primitives for skin pictures, on QImage with QPainter. Everything a part maker
// draws goes through these, so one theme gives one consistent look.
//
// Tiling rule: skin pieces between corner points are repeated, not stretched. A surface
// that will be tiled sideways may change colour only from top to bottom (and the reverse
// for surfaces tiled downwards). Patterns repeat every TSkinTheme::PatternPeriod pixels
// from the picture's origin, so a tiled band carrying a pattern should start at a multiple
// of the period and be a multiple of it wide (or high).

#include "SkinTheme.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace SkinPaint {

// The colour the outside of shaped pictures is filled with; masks decide what shows.
inline const QColor Outside(255, 0, 255);

// A new opaque picture filled with `fill`.
QImage NewPicture(int width, int height, const QColor& fill = Outside);
// A painter on `image` with antialiasing on.
void Begin(QPainter& painter);

// A point in [offset, offset + width) × [offset, offset + height) from two draws of a
// fixed-seed generator. The vertical one is drawn first, as the installed pictures were
// made: a point written as QPointF(Next(), Next()) got its coordinates in whichever order
// the compiler chose.
template <class Random>
QPointF RandomPoint(Random& random, double width, double height, double offset = 0) {
    const double y = random.Next() * height + offset;
    const double x = random.Next() * width + offset;
    return {x, y};
}

QColor Mix(const QColor& a, const QColor& b, double t); // t = 0 gives a, 1 gives b
QColor Lighter(const QColor& c, double t);              // towards white by t
QColor Darker(const QColor& c, double t);               // towards black by t

// Fills r with a gradient from `from` to `to`, downwards (or rightwards when `across`).
void Gradient(QPainter& p, const QRectF& r, const QColor& from, const QColor& to,
              bool across = false);
// A rounded rectangle path; radius 0 gives a plain rectangle.
QPainterPath Rounded(const QRectF& r, double radius);

// A raised surface in the theme's face style and the given state's colours, filling r
// with rounded corners of `radius` (pixels outside the rounding keep what was there).
// `vertical` turns the shading sideways (for surfaces tiled downwards, e.g. vertical
// scroll-bar thumbs).
void Face(QPainter& p, const QRectF& r, const TSkinTheme& theme, const TFaceColors& colors,
          double radius, bool vertical = false);
// A sunken well (edit fields, list frames): border, inner shadow at top/left, `fill` inside.
void Well(QPainter& p, const QRectF& r, const TSkinTheme& theme, const QColor& fill, double radius);
// The theme's pattern over r in `ink` (alpha is respected), aligned to the picture's
// origin so tiles meet.
void Pattern(QPainter& p, const QRectF& r, const TSkinTheme& theme, const QColor& ink);

enum class TGlyph {
    Close,
    Maximize,
    Restore,
    Minimize,
    RollUp,
    RollDown,
    Tray,
    SysMenu,
    ArrowUp,
    ArrowDown,
    ArrowLeft,
    ArrowRight,
    Check,
    RadioDot,
    Grip,
    GripVertical,
    Plus,
    Minus
};
// A four-pointed sparkle centred at c reaching r pixels out; `waist` (0 … 1) sets how far
// the curved sides come in towards the centre.
QPainterPath SparklePath(const QPointF& c, double r, double waist = 0.2);

// A small symbol centred in r, drawn with strokes `weight` pixels wide.
void Glyph(QPainter& p, const QRectF& r, TGlyph glyph, const QColor& color, double weight = 1.6);

// A mask picture: black where `inside` covers, white elsewhere, without antialiasing.
QImage Mask(int width, int height, const QPainterPath& inside);
// Sets the pixels of `image` outside `inside` to Outside (the pixels a mask cuts away), so
// no antialiased fringe is left where the window region ends.
void CutOutside(QImage& image, const QPainterPath& inside);

} // namespace SkinPaint
