#include "BoxLook.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace BoxPaint {

using namespace SkinPaint;

namespace {

QPainterPath RoundedIn(const QRectF& r, double radius) {
    return Rounded(r, std::max(0.0, radius));
}

void FillShape(QPainter& p, const QPainterPath& path, const QBrush& brush) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawPath(path);
    p.restore();
}

void Line(QPainter& p, const QColor& c, double x1, double y1, double x2, double y2) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(c, 1));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    p.restore();
}

} // namespace

void Box(QPainter& p, const QRectF& r, double radius, const QColor& border, const QBrush& fill) {
    FillShape(p, RoundedIn(r, radius), border);
    FillShape(p, RoundedIn(r.adjusted(1, 1, -1, -1), radius - 1), fill);
}

void RaisedFrame(QPainter& p, const QRect& r, const TBoxLook& look, double radius) {
    if (!look.Classic) {
        Box(p, r, radius, look.Border, look.Face);
        p.save();
        p.setBrush(Qt::NoBrush);
        QColor light = look.Light;
        light.setAlpha(200);
        p.setPen(QPen(light, 1));
        p.drawPath(RoundedIn(QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5), radius - 1.5));
        p.restore();
        return;
    }
    // Classic raised bevel: light outside top-left, dark bottom-right, a softer pair inside.
    p.fillRect(r, look.Face);
    const double x1 = r.left(), y1 = r.top(), x2 = r.right(), y2 = r.bottom();
    Line(p, look.Light, x1, y1, x2, y1);
    Line(p, look.Light, x1, y1, x1, y2);
    Line(p, look.Border, x1, y2, x2, y2);
    Line(p, look.Border, x2, y1, x2, y2);
    Line(p, Mix(look.Light, look.Face, 0.4), x1 + 1, y1 + 1, x2 - 1, y1 + 1);
    Line(p, Mix(look.Light, look.Face, 0.4), x1 + 1, y1 + 1, x1 + 1, y2 - 1);
    Line(p, look.Shadow, x1 + 1, y2 - 1, x2 - 1, y2 - 1);
    Line(p, look.Shadow, x2 - 1, y1 + 1, x2 - 1, y2 - 1);
}

void SunkenField(QPainter& p, const QRect& r, const TBoxLook& look, const QColor& fill,
                 double radius, const QColor& border) {
    if (!look.Classic) {
        Box(p, r, radius, border.isValid() ? border : look.FieldBorder, fill);
        const double inset = std::max(2.0, radius);
        Line(p, look.FieldShade, r.left() + inset, r.top() + 1, r.right() - inset, r.top() + 1);
        return;
    }
    // Classic sunken bevel; an active field lights its inner line in the accent colour.
    p.fillRect(r, fill);
    const double x1 = r.left(), y1 = r.top(), x2 = r.right(), y2 = r.bottom();
    Line(p, look.Shadow, x1, y1, x2, y1);
    Line(p, look.Shadow, x1, y1, x1, y2);
    Line(p, look.Light, x1, y2, x2, y2);
    Line(p, look.Light, x2, y1, x2, y2);
    const QColor inner = border.isValid() ? border : Darker(look.Shadow, 0.35);
    Line(p, inner, x1 + 1, y1 + 1, x2 - 1, y1 + 1);
    Line(p, inner, x1 + 1, y1 + 1, x1 + 1, y2 - 1);
    Line(p, Mix(look.Light, look.Face, 0.5), x1 + 1, y2 - 1, x2 - 1, y2 - 1);
    Line(p, Mix(look.Light, look.Face, 0.5), x2 - 1, y1 + 1, x2 - 1, y2 - 1);
}

void CaptionBar(QPainter& p, const QRect& r, const TBoxLook& look, const TSkinTheme& theme) {
    Gradient(p, r, look.BarTop, look.BarBottom);
    if (look.BarGloss.alpha() > 0) {
        QColor clear = look.BarGloss;
        clear.setAlpha(0);
        QRectF upper(r.left(), r.top(), r.width(), r.height() / 2.0);
        Gradient(p, upper, look.BarGloss, clear);
    }
    if (look.PatternInk.alpha() > 0)
        Pattern(p, r, theme, look.PatternInk);
}

void CaptionColumn(QPainter& p, const QRect& r, const TBoxLook& look, const TSkinTheme& theme) {
    Gradient(p, r, look.BarTop, look.BarBottom, true);
    if (look.BarGloss.alpha() > 0) {
        QColor clear = look.BarGloss;
        clear.setAlpha(0);
        Gradient(p, QRectF(r.left(), r.top(), r.width() / 2.0, r.height()), look.BarGloss, clear,
                 true);
    }
    if (look.PatternInk.alpha() > 0)
        Pattern(p, r, theme, look.PatternInk);
}

void Ornament(QPainter& p, const QPointF& c, double size, const TBoxLook& look) {
    const double h = size / 2;
    const QColor ink = look.OrnamentColor;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    switch (look.Ornament) {
    case TOrnament::Bar: {
        QLinearGradient g(c.x(), c.y() - h, c.x(), c.y() + h);
        g.setColorAt(0, Lighter(ink, 0.35));
        g.setColorAt(1, Darker(ink, 0.15));
        p.setBrush(g);
        p.drawRoundedRect(QRectF(c.x() - 1.5, c.y() - h, 3, size), 1.5, 1.5);
        break;
    }
    case TOrnament::Pill: { // a glowing bead of light
        QRadialGradient g(c, h * 1.3);
        g.setColorAt(0, QColor(255, 255, 255));
        g.setColorAt(0.35, ink);
        QColor edge = ink;
        edge.setAlpha(0);
        g.setColorAt(1, edge);
        p.setBrush(g);
        p.drawEllipse(c, h * 1.3, h * 1.3);
        break;
    }
    case TOrnament::Flake: { // six arms with small side twigs
        p.setPen(QPen(ink, 1.1, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 6; ++i) {
            const double a = i * M_PI / 3 + M_PI / 2;
            const QPointF d(std::cos(a), -std::sin(a));
            const QPointF tip = c + d * h;
            p.drawLine(c, tip);
            const QPointF mid = c + d * (h * 0.55);
            for (int side : {-1, 1}) {
                const double b = a + side * M_PI / 4;
                p.drawLine(mid, mid + QPointF(std::cos(b), -std::sin(b)) * (h * 0.35));
            }
        }
        break;
    }
    case TOrnament::Star: { // a five-pointed gold star
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double radius = i % 2 == 0 ? h : h * 0.45;
            const double a = -M_PI / 2 + i * M_PI / 5;
            star << c + QPointF(std::cos(a) * radius, std::sin(a) * radius);
        }
        QLinearGradient g(c.x(), c.y() - h, c.x(), c.y() + h);
        g.setColorAt(0, Lighter(ink, 0.5));
        g.setColorAt(1, Darker(ink, 0.1));
        p.setBrush(g);
        p.setPen(QPen(Darker(ink, 0.35), 0.6));
        p.drawPolygon(star);
        break;
    }
    case TOrnament::Rivet: { // a brass nail head
        QRadialGradient g(c - QPointF(h * 0.35, h * 0.35), h * 1.2);
        g.setColorAt(0, Lighter(ink, 0.7));
        g.setColorAt(0.5, ink);
        g.setColorAt(1, Darker(ink, 0.45));
        p.setBrush(g);
        p.setPen(QPen(Darker(ink, 0.6), 0.7));
        p.drawEllipse(c, h * 0.75, h * 0.75);
        break;
    }
    case TOrnament::Square: { // a pink to orange tile
        QLinearGradient g(c - QPointF(h, h), c + QPointF(h, h));
        g.setColorAt(0, ink);
        g.setColorAt(1, QColor(255, 140, 40));
        p.setBrush(g);
        p.drawRect(QRectF(c.x() - h * 0.7, c.y() - h * 0.7, h * 1.4, h * 1.4));
        break;
    }
    }
    p.restore();
}

void Selection(QPainter& p, const QRectF& r, const TBoxLook& look, bool soft, bool focused) {
    const double radius = std::min(look.Radius, 3);
    const QColor top = soft ? look.SoftSelTop : look.SelTop;
    const QColor bottom = soft ? look.SoftSelBottom : look.SelBottom;
    QColor border = soft ? Mix(look.SoftSelBottom, look.SelBorder, 0.35) : look.SelBorder;
    if (focused)
        border = look.Classic || look.Radius == 0 ? look.FieldActiveBorder
                                                  : Darker(look.SelBorder, 0.15);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    Box(p, r, radius, border, g);
    if (!soft && look.Radius > 0) {
        QColor gloss(255, 255, 255, 70);
        Line(p, gloss, r.left() + radius, r.top() + 1, r.right() - radius - 1, r.top() + 1);
    }
    if (focused && look.Radius > 0) {
        p.save();
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 90), 1));
        p.drawPath(RoundedIn(r.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1.5));
        p.restore();
    }
}

void CheckBox(QPainter& p, const QPoint& topLeft, const TBoxLook& look, const TSkinTheme& theme,
              bool checked) {
    const QRect box(topLeft, QSize(13, 13));
    if (look.Classic)
        SunkenField(p, box, look, look.Field, 0);
    else
        Box(p, box, std::min(look.Radius, 2), look.FieldBorder, look.Field);
    if (checked)
        Glyph(p, QRectF(box).adjusted(1, 1, -1, -1), TGlyph::Check,
              theme.Face == TFaceStyle::Velvet ? QColor(150, 70, 200) : theme.Accent, 1.7);
}

QImage CheckImageCell(const TBoxLook& look, const TSkinTheme& theme, bool checked) {
    QImage cell = NewPicture(15, 15);
    QPainter p(&cell);
    Begin(p);
    p.fillRect(QRect(1, 1, 13, 13), look.FieldBorder);
    p.fillRect(QRect(2, 2, 11, 11), look.Field);
    if (look.Classic) {
        p.fillRect(QRect(1, 1, 13, 1), look.Shadow);
        p.fillRect(QRect(1, 1, 1, 13), look.Shadow);
        p.fillRect(QRect(2, 13, 12, 1), look.Light);
        p.fillRect(QRect(13, 2, 1, 12), look.Light);
    }
    if (checked)
        Glyph(p, QRectF(2, 2, 11, 11), TGlyph::Check,
              theme.Face == TFaceStyle::Velvet ? QColor(150, 70, 200) : theme.Accent, 1.7);
    p.end();
    if (look.Radius > 0)
        for (QPoint corner : {QPoint(1, 1), QPoint(13, 1), QPoint(1, 13), QPoint(13, 13)})
            cell.setPixelColor(corner, Outside);
    return cell;
}

void FieldButton(QPainter& p, const QRectF& r, const TSkinTheme& theme, const TFaceColors& colors,
                 TFieldGlyph glyph, double radius) {
    Face(p, r, theme, colors, radius);
    if (glyph == TFieldGlyph::DropDown) {
        Glyph(p, r, TGlyph::ArrowDown, colors.Text);
        return;
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colors.Text);
    const QPointF c = r.center();
    for (int i = -1; i <= 1; ++i)
        p.drawEllipse(c + QPointF(i * 3.5, 2), 1.1, 1.1);
    p.restore();
}

namespace {

// A small deterministic generator: the same texture on every run.
struct TGrain {
    uint32_t State;
    explicit TGrain(uint32_t seed) : State(seed) {}
    double Next() {
        State = State * 1664525u + 1013904223u;
        return (State >> 8) / double(1 << 24);
    }
};

// Draws `draw` at p and at its copies one tile away, so marks crossing an edge wrap round.
template <class Draw> void Wrapped(int size, const QPointF& p, Draw draw) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            draw(p + QPointF(dx * size, dy * size));
}

} // namespace

QImage FaceTexture(const TBoxLook& look, const TSkinTheme& theme) {
    const int size = 96; // a multiple of every pattern period
    QImage tile = NewPicture(size, size, look.Face);
    QPainter p(&tile);
    Begin(p);
    TGrain grain(uint32_t(theme.Pattern) * 7919u + 17u);
    switch (theme.Pattern) {
    case TPattern::Snow: // soft ice-blue flakes of varied size
        for (int i = 0; i < 24; ++i) {
            const QPointF at = RandomPoint(grain, size, size);
            const double radius = 1.2 + grain.Next() * grain.Next() * 2.8;
            const int strength = 70 + int(grain.Next() * 110);
            Wrapped(size, at, [&](const QPointF& c) {
                QRadialGradient g(c, radius);
                g.setColorAt(0, QColor(178, 214, 242, strength));
                g.setColorAt(0.5, QColor(190, 222, 246, strength / 2));
                g.setColorAt(1, QColor(200, 228, 248, 0));
                p.setBrush(g);
                p.drawEllipse(c, radius, radius);
            });
        }
        break;
    case TPattern::Grain: // paper: faint fibres and specks
        for (int i = 0; i < 70; ++i) {
            const QPointF at = RandomPoint(grain, size, size);
            const double angle = grain.Next() * M_PI;
            const double length = 1.5 + grain.Next() * 5;
            QColor ink = look.Text;
            ink.setAlpha(10 + int(grain.Next() * 22));
            const QPointF d(std::cos(angle) * length, std::sin(angle) * length);
            Wrapped(size, at, [&](const QPointF& c) {
                p.setPen(QPen(ink, 0.8));
                p.drawLine(c, c + d);
            });
        }
        break;
    default: {
        QColor ink = look.Text;
        ink.setAlpha(20);
        Pattern(p, QRectF(0, 0, size, size), theme, ink);
        break;
    }
    }
    return tile;
}

void BodyFont(TSkinSection& s, const TBoxLook& look, const QColor& color, const QString& prefix) {
    s.Font(look.FontName, look.FontHeight, false, color, prefix);
}

void CaptionFont(TSkinSection& s, const TBoxLook& look, const QColor& color,
                 const QString& prefix) {
    s.Font(look.BoldFontName, look.FontHeight, true, color, prefix);
}

void NineParts(TSkinSection& s, int w, int h, const QMargins& corners, const TRect& client) {
    const int left = corners.left(), top = corners.top();
    const int right = w - corners.right(), bottom = h - corners.bottom();
    s.Point(QStringLiteral("lefttoppoint"), TPoint(left, top));
    s.Point(QStringLiteral("righttoppoint"), TPoint(right, top));
    s.Point(QStringLiteral("leftbottompoint"), TPoint(left, bottom));
    s.Point(QStringLiteral("rightbottompoint"), TPoint(right, bottom));
    s.Rect(QStringLiteral("clientrect"), client);
}

void BandParts(TSkinSection& s, int w, int left, int right, const TRect& client) {
    s.Point(QStringLiteral("lefttoppoint"), TPoint(left, 0));
    s.Point(QStringLiteral("righttoppoint"), TPoint(w - right, 0));
    s.Point(QStringLiteral("leftbottompoint"), TPoint(0, 0));
    s.Point(QStringLiteral("rightbottompoint"), TPoint(0, 0));
    s.Rect(QStringLiteral("clientrect"), client);
}

} // namespace BoxPaint
