#include "SkinPainter.h"

#include <QLinearGradient>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace SkinPaint {

QImage NewPicture(int width, int height, const QColor& fill) {
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void Begin(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setPen(Qt::NoPen);
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    auto channel = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
    return QColor(channel(a.red(), b.red()), channel(a.green(), b.green()),
                  channel(a.blue(), b.blue()), channel(a.alpha(), b.alpha()));
}

QColor Lighter(const QColor& c, double t) {
    return Mix(c, QColor(255, 255, 255, c.alpha()), t);
}
QColor Darker(const QColor& c, double t) {
    return Mix(c, QColor(0, 0, 0, c.alpha()), t);
}

namespace {

QLinearGradient Along(const QRectF& r, bool across) {
    return across ? QLinearGradient(r.topLeft(), r.topRight())
                  : QLinearGradient(r.topLeft(), r.bottomLeft());
}

void FillPath(QPainter& p, const QPainterPath& path, const QBrush& brush) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawPath(path);
    p.restore();
}

void StrokePath(QPainter& p, const QPainterPath& path, const QColor& color, double width = 1) {
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(color, width));
    p.drawPath(path);
    p.restore();
}

// The inside of a 1-pixel outline drawn on pixel centres of r.
QRectF Inset(const QRectF& r, double by) {
    return r.adjusted(by, by, -by, -by);
}

// A small deterministic generator so pictures are the same on every build.
struct TNoise {
    uint32_t State;
    explicit TNoise(uint32_t seed) : State(seed * 2654435761u + 1) {}
    double Next() {
        State = State * 1664525u + 1013904223u;
        return (State >> 8) / double(1 << 24);
    }
};

QImage PatternTile(const TSkinTheme& theme, const QColor& ink) {
    const int n = std::max(4, theme.PatternPeriod);
    QImage tile(n, n, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    QPainter p(&tile);
    Begin(p);
    TNoise noise(uint32_t(n) * 7u + uint32_t(theme.Pattern));
    switch (theme.Pattern) {
    case TPattern::None:
        break;
    case TPattern::Streaks: // diagonal rain streaks, wrapping at the tile edges
        p.setPen(QPen(ink, 1));
        for (int dx = -n; dx <= n; dx += n)
            p.drawLine(QPointF(dx + n * 0.15, 0), QPointF(dx + n * 0.15 + n, n));
        break;
    case TPattern::Snow: // a few soft flakes
        for (int i = 0; i < 4; ++i) {
            const QPointF c = RandomPoint(noise, n, n);
            const double radius = 0.6 + noise.Next() * 1.1;
            for (int wx = -1; wx <= 1; ++wx)
                for (int wy = -1; wy <= 1; ++wy) {
                    p.setBrush(ink);
                    p.drawEllipse(c + QPointF(wx * n, wy * n), radius, radius);
                }
        }
        break;
    case TPattern::Stars: // twinkling points of varied strength
        for (int i = 0; i < 5; ++i) {
            QColor c = ink;
            c.setAlphaF(ink.alphaF() * (0.35 + 0.65 * noise.Next()));
            const QPointF at = RandomPoint(noise, n, n);
            tile.setPixelColor(int(at.x()) % n, int(at.y()) % n, c.toRgb());
        }
        break;
    case TPattern::Grain: // paper grain: scattered faint dots
        for (int i = 0; i < n * n / 6; ++i) {
            QColor c = ink;
            c.setAlphaF(ink.alphaF() * noise.Next());
            const QPointF at = RandomPoint(noise, n, n);
            tile.setPixelColor(int(at.x()) % n, int(at.y()) % n, c);
        }
        break;
    case TPattern::Diagonal: // fine pin stripes
        p.setPen(QPen(ink, 1));
        for (int dx = -n; dx <= n; dx += n / 2)
            p.drawLine(QPointF(dx, n), QPointF(dx + n, 0));
        break;
    }
    return tile;
}

} // namespace

void Gradient(QPainter& p, const QRectF& r, const QColor& from, const QColor& to, bool across) {
    QLinearGradient g = Along(r, across);
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    p.fillRect(r, g);
}

QPainterPath SparklePath(const QPointF& c, double r, double waist) {
    QPainterPath path;
    const double w = r * waist;
    path.moveTo(c.x(), c.y() - r);
    path.quadTo(c.x() + w, c.y() - w, c.x() + r, c.y());
    path.quadTo(c.x() + w, c.y() + w, c.x(), c.y() + r);
    path.quadTo(c.x() - w, c.y() + w, c.x() - r, c.y());
    path.quadTo(c.x() - w, c.y() - w, c.x(), c.y() - r);
    return path;
}

QPainterPath Rounded(const QRectF& r, double radius) {
    QPainterPath path;
    if (radius <= 0)
        path.addRect(r);
    else
        path.addRoundedRect(r, radius, radius);
    return path;
}

void Face(QPainter& p, const QRectF& r, const TSkinTheme& theme, const TFaceColors& colors,
          double radius, bool vertical) {
    const QRectF outer = Inset(r, 0.5);
    const QPainterPath body = Rounded(r, radius);
    const QPainterPath outline = Rounded(outer, std::max(0.0, radius - 0.5));
    const QPainterPath rim = Rounded(Inset(r, 1.5), std::max(0.0, radius - 1.5));
    QLinearGradient g = Along(r, vertical);
    switch (theme.Face) {
    case TFaceStyle::Soft:
        g.setColorAt(0, colors.Top);
        g.setColorAt(1, colors.Bottom);
        FillPath(p, body, g);
        StrokePath(p, rim, QColor(255, 255, 255, 90));
        break;
    case TFaceStyle::Glass:
        g.setColorAt(0, Lighter(colors.Top, 0.55));
        g.setColorAt(0.48, colors.Top);
        g.setColorAt(0.52, Darker(colors.Bottom, 0.08));
        g.setColorAt(1, Lighter(colors.Bottom, 0.25));
        FillPath(p, body, g);
        StrokePath(p, rim, QColor(255, 255, 255, 110));
        break;
    case TFaceStyle::Frosted:
        g.setColorAt(0, Lighter(colors.Top, 0.35));
        g.setColorAt(0.6, colors.Top);
        g.setColorAt(1, colors.Bottom);
        FillPath(p, body, g);
        StrokePath(p, rim, QColor(255, 255, 255, 200));
        break;
    case TFaceStyle::Velvet:
        g.setColorAt(0, colors.Top);
        g.setColorAt(0.55, colors.Bottom);
        g.setColorAt(1, Lighter(colors.Bottom, 0.3));
        FillPath(p, body, g);
        StrokePath(p, rim, QColor(255, 255, 255, 60));
        break;
    case TFaceStyle::Paper: {
        FillPath(p, body, Mix(colors.Top, colors.Bottom, 0.5));
        // Classic bevel: light top-left, dark bottom-right inside the outline.
        const QRectF in = Inset(r, 1.5);
        p.save();
        p.setPen(QPen(Lighter(colors.Top, 0.7), 1));
        p.drawLine(in.topLeft(), in.topRight());
        p.drawLine(in.topLeft(), in.bottomLeft());
        p.setPen(QPen(Darker(colors.Bottom, 0.22), 1));
        p.drawLine(in.bottomLeft(), in.bottomRight());
        p.drawLine(in.topRight(), in.bottomRight());
        p.restore();
        break;
    }
    case TFaceStyle::Flat:
        FillPath(p, body, colors.Top);
        break;
    }
    StrokePath(p, outline, colors.Border);
}

void Well(QPainter& p, const QRectF& r, const TSkinTheme& theme, const QColor& fill,
          double radius) {
    FillPath(p, Rounded(r, radius), fill);
    const QRectF in = Inset(r, 1.5);
    p.save();
    p.setPen(QPen(Darker(fill, 0.12), 1));
    p.drawLine(in.topLeft() + QPointF(radius / 2, 0), in.topRight() - QPointF(radius / 2, 0));
    p.restore();
    StrokePath(p, Rounded(Inset(r, 0.5), std::max(0.0, radius - 0.5)), theme.PanelBorder);
}

void Pattern(QPainter& p, const QRectF& r, const TSkinTheme& theme, const QColor& ink) {
    if (theme.Pattern == TPattern::None)
        return;
    p.save();
    QBrush brush(PatternTile(theme, ink));
    p.setBrushOrigin(0, 0);
    p.fillRect(r, brush);
    p.restore();
}

void Glyph(QPainter& p, const QRectF& r, TGlyph glyph, const QColor& color, double weight) {
    const QPointF c = r.center();
    const double s = std::min(r.width(), r.height());
    const double h = s * 0.28; // half the extent of most glyphs
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(color, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    auto triangle = [&](QPointF a, QPointF b, QPointF d) {
        p.setBrush(color);
        p.setPen(QPen(color, 0.8));
        p.drawPolygon(QPolygonF({a, b, d}));
    };
    switch (glyph) {
    case TGlyph::Close:
        p.drawLine(c + QPointF(-h, -h), c + QPointF(h, h));
        p.drawLine(c + QPointF(-h, h), c + QPointF(h, -h));
        break;
    case TGlyph::Maximize:
        p.drawRect(QRectF(c.x() - h, c.y() - h, 2 * h, 2 * h));
        p.drawLine(c + QPointF(-h, -h + weight), c + QPointF(h, -h + weight));
        break;
    case TGlyph::Restore:
        p.drawRect(QRectF(c.x() - h, c.y() - h * 0.4, h * 1.4, h * 1.4));
        p.drawPolyline(QPolygonF({c + QPointF(-h * 0.4, -h * 0.4), c + QPointF(-h * 0.4, -h),
                                  c + QPointF(h, -h), c + QPointF(h, h * 0.4),
                                  c + QPointF(h * 0.4, h * 0.4)}));
        break;
    case TGlyph::Minimize:
        p.drawLine(c + QPointF(-h, h * 0.7), c + QPointF(h, h * 0.7));
        break;
    case TGlyph::RollUp:
        p.drawPolyline(QPolygonF(
            {c + QPointF(-h, h * 0.5), c + QPointF(0, -h * 0.5), c + QPointF(h, h * 0.5)}));
        break;
    case TGlyph::RollDown:
        p.drawPolyline(QPolygonF(
            {c + QPointF(-h, -h * 0.5), c + QPointF(0, h * 0.5), c + QPointF(h, -h * 0.5)}));
        break;
    case TGlyph::Tray:
        p.drawLine(c + QPointF(-h, h), c + QPointF(h, h));
        p.drawLine(c + QPointF(0, -h), c + QPointF(0, h * 0.3));
        p.drawPolyline(QPolygonF({c + QPointF(-h * 0.6, -h * 0.2), c + QPointF(0, h * 0.4),
                                  c + QPointF(h * 0.6, -h * 0.2)}));
        break;
    case TGlyph::SysMenu: { // a four-pointed sparkle, the program's mark
        p.setPen(QPen(color, 0.8));
        p.setBrush(color);
        p.drawPath(SparklePath(c, h * 1.3, 0));
        break;
    }
    case TGlyph::ArrowUp:
        triangle(c + QPointF(-h, h * 0.55), c + QPointF(h, h * 0.55), c + QPointF(0, -h * 0.55));
        break;
    case TGlyph::ArrowDown:
        triangle(c + QPointF(-h, -h * 0.55), c + QPointF(h, -h * 0.55), c + QPointF(0, h * 0.55));
        break;
    case TGlyph::ArrowLeft:
        triangle(c + QPointF(h * 0.55, -h), c + QPointF(h * 0.55, h), c + QPointF(-h * 0.55, 0));
        break;
    case TGlyph::ArrowRight:
        triangle(c + QPointF(-h * 0.55, -h), c + QPointF(-h * 0.55, h), c + QPointF(h * 0.55, 0));
        break;
    case TGlyph::Check:
        p.setPen(QPen(color, weight * 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({c + QPointF(-h * 1.1, 0), c + QPointF(-h * 0.3, h * 0.8),
                                  c + QPointF(h * 1.2, -h * 0.9)}));
        break;
    case TGlyph::RadioDot:
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.drawEllipse(c, h * 0.9, h * 0.9);
        break;
    case TGlyph::Grip:
    case TGlyph::GripVertical:
        for (int i = -1; i <= 1; ++i) {
            const QPointF d = glyph == TGlyph::Grip ? QPointF(i * 3, 0) : QPointF(0, i * 3);
            const QPointF e = glyph == TGlyph::Grip ? QPointF(0, h) : QPointF(h, 0);
            p.setPen(QPen(color, 1));
            p.drawLine(c + d - e, c + d + e);
        }
        break;
    case TGlyph::Plus:
        p.drawLine(c + QPointF(-h, 0), c + QPointF(h, 0));
        p.drawLine(c + QPointF(0, -h), c + QPointF(0, h));
        break;
    case TGlyph::Minus:
        p.drawLine(c + QPointF(-h, 0), c + QPointF(h, 0));
        break;
    }
    p.restore();
}

QImage Mask(int width, int height, const QPainterPath& inside) {
    QImage mask = NewPicture(width, height, Qt::white);
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(inside);
    return mask;
}

void CutOutside(QImage& image, const QPainterPath& inside) {
    const QImage mask = Mask(image.width(), image.height(), inside);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (mask.pixelColor(x, y) != Qt::black)
                image.setPixelColor(x, y, Outside);
}

} // namespace SkinPaint
