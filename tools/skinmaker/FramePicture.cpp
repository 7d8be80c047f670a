// The frame picture of each theme: caption bar, borders, the light inner line, the client
// piece, the pattern, and the mask of shaped corners.
//
// The top and bottom borders tile sideways from x = 0 and the sides tile downwards, so
// everything between the corner points varies only across the border (patterns repeat
// with the tile period); decorations live in the corner pieces.

#include "FrameArt.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>

using namespace SkinPaint;

namespace FrameArt {

namespace {

struct TFrameColors {
    QColor Top, Bottom, Border, Light;
};

TFrameColors ActiveColors(const TSkinTheme& t) {
    return {t.FrameTop, t.FrameBottom, t.FrameBorder, t.FrameLight};
}

// The inactive picture is darkened again by the frame when the theme also renders
// inactive images with "iedarkness"; it is painted lighter by as much, so that what shows
// is the theme's inactive colours.
TFrameColors InactiveColors(const TSkinTheme& t) {
    TFrameColors c = {t.InactiveFrameTop, t.InactiveFrameBottom,
                      Darker(t.InactiveFrameBottom, 0.55), Lighter(t.InactiveFrameTop, 0.35)};
    if (t.AutoInactive && t.InactiveEffect == QLatin1String("iedarkness"))
        for (QColor* color : {&c.Top, &c.Bottom, &c.Border, &c.Light})
            *color = QColor(std::min(255, int(color->red() / 0.7)),
                            std::min(255, int(color->green() / 0.7)),
                            std::min(255, int(color->blue() / 0.7)));
    return c;
}

void Stroke(QPainter& p, const QPainterPath& path, const QColor& color) {
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(color, 1));
    p.drawPath(path);
    p.restore();
}

void HLine(QPainter& p, double x1, double x2, double y, const QColor& color) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(color, 1));
    p.drawLine(QPointF(x1, y), QPointF(x2 - 1, y));
    p.restore();
}

void VLine(QPainter& p, double x, double y1, double y2, const QColor& color) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(color, 1));
    p.drawLine(QPointF(x, y1), QPointF(x, y2 - 1));
    p.restore();
}

// The caption bar (the top border's fill) in the face's manner.
void PaintCaptionBand(QPainter& p, const TSkinTheme& t, const TFrameGeometry& g,
                      const TFrameColors& c) {
    const QRectF band(0, 0, g.Width, g.Caption);
    QLinearGradient grad(band.topLeft(), band.bottomLeft());
    switch (t.Face) {
    case TFaceStyle::Soft:
        grad.setColorAt(0, Lighter(c.Top, 0.32));
        grad.setColorAt(0.5, c.Top);
        grad.setColorAt(1, Mix(c.Top, c.Bottom, 0.8));
        p.fillRect(band, grad);
        p.fillRect(QRectF(0, 0, g.Width, g.Caption * 0.45), QColor(255, 255, 255, 26));
        break;
    case TFaceStyle::Glass: {
        const double half = std::floor(g.Caption * 0.48);
        Gradient(p, QRectF(0, 0, g.Width, half), Lighter(c.Top, 0.42), Lighter(c.Top, 0.16));
        Gradient(p, QRectF(0, half, g.Width, g.Caption - half), c.Top,
                 Mix(c.Top, Lighter(c.Top, 0.3), 0.6));
        HLine(p, 0, g.Width, half, Darker(c.Top, 0.12));
        break;
    }
    case TFaceStyle::Frosted:
        grad.setColorAt(0, Lighter(c.Top, 0.6));
        grad.setColorAt(0.55, c.Top);
        grad.setColorAt(1, c.Bottom);
        p.fillRect(band, grad);
        break;
    case TFaceStyle::Velvet:
        grad.setColorAt(0, Lighter(c.Top, 0.2));
        grad.setColorAt(0.45, c.Top);
        grad.setColorAt(1, Mix(c.Top, c.Bottom, 0.55));
        p.fillRect(band, grad);
        // A thin line of gold under the caption.
        HLine(p, 0, g.Width, g.Caption - 2, Mix(c.Top, t.Accent, 0.7));
        break;
    case TFaceStyle::Paper: {
        grad.setColorAt(0, Lighter(c.Top, 0.14));
        grad.setColorAt(0.5, c.Top);
        grad.setColorAt(1, c.Bottom);
        p.fillRect(band, grad);
        // Straight walnut grain: lines that vary only from row to row.
        for (int y = 2; y < g.Caption - 1; ++y) {
            const double s = std::sin(y * 1.7) * std::sin(y * 0.37 + 1.0);
            if (std::abs(s) > 0.35)
                HLine(p, 0, g.Width, y,
                      s > 0 ? QColor(40, 18, 4, int(50 * s)) : QColor(255, 220, 170, int(-30 * s)));
        }
        break;
    }
    case TFaceStyle::Flat: {
        // Plain pink under the buttons, the sweep across the middle, plain orange at the end.
        const double a = g.LT.X, b = g.RT.X;
        QLinearGradient sweep(QPointF(a, 0), QPointF(b, 0));
        sweep.setColorAt(0, t.SweepFrom);
        sweep.setColorAt(1, t.SweepTo);
        p.fillRect(band, sweep);
        p.fillRect(QRectF(0, g.Caption - 4, g.Width, 4), QColor(0, 0, 0, 22));
        break;
    }
    }
}

// Sides and bottom border.
void PaintBody(QPainter& p, const TSkinTheme& t, const TFrameGeometry& g, const TFrameColors& c) {
    const QRectF body(0, g.Caption, g.Width, g.Height - g.Caption);
    switch (t.Face) {
    case TFaceStyle::Velvet: // the sides stretch, so they can fade downwards
        Gradient(p, body, Mix(c.Top, c.Bottom, 0.55), c.Bottom);
        break;
    case TFaceStyle::Glass:
        p.fillRect(body, Mix(c.Top, c.Bottom, 0.45));
        break;
    case TFaceStyle::Paper:
        p.fillRect(body, c.Bottom);
        for (int x = 1; x < g.Side; ++x) { // vertical grain on the sides
            const QColor grain = x % 2 ? QColor(40, 18, 4, 40) : QColor(255, 220, 170, 18);
            VLine(p, x, g.Caption, g.Height, grain);
            VLine(p, g.Width - 1 - x, g.Caption, g.Height, grain);
        }
        break;
    default:
        p.fillRect(body, c.Bottom);
        break;
    }
}

// A small deterministic generator, so the pictures are the same on every run.
class TRandom {
public:
    explicit TRandom(const QString& seed) {
        for (QChar ch : seed)
            FState = FState * 31u + ch.unicode();
    }
    double Next() {
        FState = FState * 1664525u + 1013904223u;
        return (FState >> 8) / double(1u << 24);
    }

private:
    uint32_t FState = 2166136261u;
};

// Snowflakes or stars scattered over the caption bar. The top border repeats its middle
// piece from x = 0 and moves its right corner with the width, so no flake may straddle
// the corner points: then no width shows a cut flake.
void PaintSprinkles(QPainter& p, const TSkinTheme& t, const TFrameGeometry& g) {
    TRandom random(t.Folder);
    const bool snow = t.Pattern == TPattern::Snow;
    const double w = g.Width, h = g.Caption - 3;
    auto clear = [&](double x, double extent) {
        for (double edge : {double(g.LT.X), double(g.RT.X)})
            if (x + extent > edge - 1 && x - extent < edge + 1)
                return false;
        return x - extent > g.Radius * 0.6 && x + extent < w - g.Radius * 0.6;
    };
    p.save();
    p.setPen(Qt::NoPen);
    const int dots = int(w * h / (snow ? 150 : 190));
    for (int i = 0; i < dots; ++i) {
        const double x = random.Next() * w, y = 2 + random.Next() * (h - 3);
        const double size = snow ? 0.5 + random.Next() * 0.7 : 0.45 + random.Next() * 0.4;
        const int alpha = int(110 + random.Next() * 145);
        if (!clear(x, size + 0.5))
            continue;
        p.setBrush(snow ? QColor(255, 255, 255, alpha) : QColor(255, 240, 200, alpha));
        p.drawEllipse(QPointF(x, y), size, size);
    }
    const int big = int(w / (snow ? 34 : 45));
    for (int i = 0; i < big; ++i) {
        const double x = random.Next() * w, y = 5 + random.Next() * (h - 9);
        const double r = snow ? 2.2 + random.Next() * 1.3 : 2.0 + random.Next() * 1.4;
        if (!clear(x, r + 1))
            continue;
        const QPointF c(x, y);
        if (snow) { // a six-armed crystal
            p.setPen(QPen(QColor(255, 255, 255, 220), 0.8, Qt::SolidLine, Qt::RoundCap));
            for (int arm = 0; arm < 3; ++arm) {
                const double a = arm * M_PI / 3 + 0.3;
                const QPointF d(std::cos(a) * r, std::sin(a) * r);
                p.drawLine(c - d, c + d);
            }
            p.setPen(Qt::NoPen);
        } else { // a four-pointed twinkle
            p.setBrush(QColor(255, 244, 210, 235));
            p.drawPath(SparklePath(c, r, 0));
        }
    }
    p.restore();
}

// The pattern over the frame (never over the client piece).
void PaintPattern(QPainter& p, const TSkinTheme& t, const TFrameGeometry& g) {
    QColor ink;
    switch (t.Pattern) {
    case TPattern::Streaks:
        ink = QColor(200, 230, 255, 30);
        break;
    case TPattern::Snow:
    case TPattern::Stars:
        PaintSprinkles(p, t, g);
        return;
    case TPattern::Grain:
        ink = QColor(30, 12, 0, 60);
        break;
    case TPattern::Diagonal:
    case TPattern::None:
        return; // the flat sweep stays clean
    }
    p.save();
    QPainterPath frame;
    frame.addRect(0, 0, g.Width, g.Height);
    QPainterPath client;
    client.addRect(ToRectF(g.Client).adjusted(-1, -1, 1, 1));
    p.setClipPath(frame.subtracted(client));
    Pattern(p, QRectF(0, 0, g.Width, g.Height), t, ink);
    p.restore();
}

// Outline, light inner line and the edge around the client area.
void PaintLines(QPainter& p, const TSkinTheme& t, const TFrameGeometry& g, const TFrameColors& c) {
    const QRectF edge = ToRectF(g.Client).adjusted(-0.5, -0.5, 0.5, 0.5);
    p.save();
    if (t.Face == TFaceStyle::Flat) // no highlight across the sweep
        p.setClipRect(QRectF(0, g.Caption, g.Width, g.Height));
    QColor light = c.Light;
    if (t.Face == TFaceStyle::Soft || t.Face == TFaceStyle::Glass)
        light.setAlpha(150);
    Stroke(p, g.Shape(1.5), light);
    p.restore();
    if (t.Face == TFaceStyle::Paper) { // raised bevel: the right and bottom fall into shadow
        const QColor shade = Darker(c.Bottom, 0.35);
        VLine(p, g.Width - 1.5, g.Radius + 1, g.Height - 1, shade);
        HLine(p, 1, g.Width - 1, g.Height - 1.5, shade);
    }
    Stroke(p, g.Shape(0.5), c.Border);

    // The client sits in a shallow well.
    if (t.Face == TFaceStyle::Paper) {
        const QColor dark = Darker(c.Bottom, 0.4);
        HLine(p, edge.left(), edge.right() + 0.5, edge.top(), dark);
        VLine(p, edge.left(), edge.top(), edge.bottom() + 0.5, dark);
        HLine(p, edge.left() + 1, edge.right() + 0.5, edge.bottom(), c.Light);
        VLine(p, edge.right(), edge.top() + 1, edge.bottom() + 0.5, c.Light);
        return;
    }
    QColor inner = Darker(c.Bottom, 0.3);
    if (t.Face == TFaceStyle::Frosted)
        inner = Mix(c.Border, c.Bottom, 0.3);
    if (t.Face == TFaceStyle::Velvet)
        inner = c.Border;
    if (t.Face == TFaceStyle::Flat)
        inner = c.Border;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(inner, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(
        QRect(g.Client.Left - 1, g.Client.Top - 1, g.Client.Width() + 1, g.Client.Height() + 1));
    p.restore();
}

void PaintClientPiece(QPainter& p, const TSkinTheme& t, const TFrameStyle& style,
                      const TFrameGeometry& g) {
    const QRectF client = ToRectF(g.Client);
    p.fillRect(client, t.Panel);
    if (style.ClientPattern) {
        p.save();
        p.setClipRect(client);
        Pattern(p, QRectF(0, 0, g.Width, g.Height), t, Lighter(t.Panel, 0.07));
        p.restore();
    }
}

// Everything that sits in the corner pieces.
void PaintDecorations(QImage& image, const TSkinTheme& t, const TFrameStyle& style,
                      const TFrameGeometry& g) {
    using SkinPaint::TGlyph;
    if (style.ClassicInPlace) {
        PaintInPlaceButton(image, t, style, g.InPlaceClose, TGlyph::Close);
        PaintInPlaceButton(image, t, style, g.InPlaceMax, TGlyph::Maximize);
        PaintInPlaceButton(image, t, style, g.InPlaceMin, TGlyph::Minimize);
        PaintInPlaceButton(image, t, style, g.InPlaceSysMenu, TGlyph::SysMenu);
    }
    QPainter p(&image);
    Begin(p);
    if (style.MoonButton)
        PaintMoon(p, ToRectF(g.Moon), t, false);
    if (style.LogoArea)
        PaintLogo(p, ToRectF(g.Logo), t);
    if (t.Face == TFaceStyle::Velvet) { // gold sparks in the upper corners
        const QColor gold = t.Accent;
        for (const QPointF c :
             {QPointF(g.Radius + 3.5, 4.5), QPointF(g.Width - g.Radius - 3.5, 4.5)}) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(gold.red(), gold.green(), gold.blue(), 90));
            p.drawEllipse(c, 2.2, 2.2);
            p.setBrush(Lighter(gold, 0.5));
            p.drawEllipse(c, 0.9, 0.9);
        }
    }
}

QImage PaintPicture(const TSkinTheme& t, const TFrameStyle& style, const TFrameGeometry& g,
                    const TFrameColors& c, bool finished) {
    QImage image = NewPicture(g.Width, g.Height, c.Bottom);
    {
        QPainter p(&image);
        Begin(p);
        PaintBody(p, t, g, c);
        PaintCaptionBand(p, t, g, c);
        if (finished)
            PaintPattern(p, t, g);
        PaintClientPiece(p, t, style, g);
        PaintLines(p, t, g, c);
    }
    if (finished)
        PaintDecorations(image, t, style, g);
    if (g.Radius > 0 || g.BottomRadius > 0) {
        // Cut what the mask removes, then fill it with the outline's colour: the inactive
        // effects (blur, noise) read neighbouring pixels and would bleed a loud colour in.
        CutOutside(image, g.Shape());
        const QRgb outside = Outside.rgb();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == outside)
                    image.setPixel(x, y, c.Border.rgb());
    }
    return image;
}

} // namespace

TFramePictures PaintFrame(const TSkinTheme& theme, const TFrameStyle& style,
                          const TFrameGeometry& g) {
    TFramePictures pictures;
    const TFrameColors active = ActiveColors(theme);
    pictures.Active = PaintPicture(theme, style, g, active, true);
    pictures.CleanBand =
        PaintPicture(theme, style, g, active, false).copy(0, 0, g.Width, g.Caption);
    if (theme.InactivePicture) {
        const TFrameColors inactive = InactiveColors(theme);
        pictures.Inactive = PaintPicture(theme, style, g, inactive, true);
        pictures.InactiveBand =
            PaintPicture(theme, style, g, inactive, false).copy(0, 0, g.Width, g.Caption);
    }
    if (g.Radius > 0 || g.BottomRadius > 0)
        pictures.Mask = Mask(g.Width, g.Height, g.Shape());
    return pictures;
}

} // namespace FrameArt
