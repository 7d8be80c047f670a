// The looks of raised parts in each skin and the small helpers the button family shares.

#include "ButtonFamily.h"

#include <QLinearGradient>
#include <algorithm>
#include <cmath>

namespace ButtonFamily {

using namespace SkinPaint;

TFaceColors LookColors(const TSkinTheme& theme, TLook look) {
    switch (look) {
    case TLook::Normal:
        // Glass starts a little deeper than the theme's blue so its white caption reads.
        if (theme.Face == TFaceStyle::Glass)
            return {QColor(34, 84, 176), theme.Normal.Bottom, theme.Normal.Border,
                    theme.Normal.Text};
        return theme.Normal;
    case TLook::Hot:
        // The theme's hot colours are its menus' and caption buttons'; on push buttons the
        // caption has to stay readable on them. Velvet lights up magenta with a gold rim and
        // gold text; glass keeps white text on a deeper azure that glows at its foot; the
        // flat pink is taken a shade deeper under white text.
        switch (theme.Face) {
        case TFaceStyle::Velvet:
            return {QColor(140, 52, 166), QColor(84, 20, 116),
                    Mix(theme.Accent, theme.Hot.Border, 0.2),
                    Mix(theme.Accent, QColor(255, 236, 150), 0.5)};
        case TFaceStyle::Glass:
            return {QColor(20, 96, 190), QColor(6, 56, 140), theme.Hot.Border, theme.Hot.Text};
        case TFaceStyle::Frosted:
            // Frost lights up icy cyan rather than whiter than it already is.
            return {QColor(238, 250, 255), QColor(150, 214, 246), theme.Hot.Border, theme.Hot.Text};
        case TFaceStyle::Flat:
            return {Darker(theme.Hot.Top, 0.12), Darker(theme.Hot.Bottom, 0.12), theme.Hot.Border,
                    theme.Hot.Text};
        default:
            return theme.Hot;
        }
    case TLook::Down:
        if (theme.Face == TFaceStyle::Flat)
            return {Darker(theme.Down.Top, 0.12), Darker(theme.Down.Bottom, 0.12),
                    theme.Down.Border, theme.Down.Text};
        return theme.Down;
    case TLook::Disabled:
        return theme.Disabled;
    }
    return theme.Normal;
}

double ButtonRadius(const TSkinTheme& theme) {
    return std::min(theme.Radius, 5);
}

namespace {

void Fill(QPainter& p, const QPainterPath& path, const QBrush& brush) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawPath(path);
    p.restore();
}

void Stroke(QPainter& p, const QPainterPath& path, const QColor& color) {
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(color, 1));
    p.drawPath(path);
    p.restore();
}

QRectF Inset(const QRectF& r, double by) {
    return r.adjusted(by, by, -by, -by);
}

// The classic bevel inside the outline: light top-left and dark bottom-right when raised,
// the other way round when sunken.
void Bevel(QPainter& p, const QRectF& r, const QColor& light, const QColor& dark, bool sunken) {
    const QRectF in = Inset(r, 1.5);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor first = sunken ? dark : light;
    const QColor second = sunken ? light : dark;
    const int l = int(in.left()), t = int(in.top()), rr = int(in.right()), b = int(in.bottom());
    p.setPen(first);
    p.drawLine(l, t, rr - 1, t);
    p.drawLine(l, t, l, b - 1);
    p.setPen(second);
    p.drawLine(l, b, rr, b);
    p.drawLine(rr, t, rr, b);
    p.restore();
}

} // namespace

void RaisedFace(QPainter& p, const QRectF& r, const TSkinTheme& theme, TLook look, double radius,
                double ends, bool sideways) {
    const TFaceColors c = LookColors(theme, look);
    const double length = sideways ? r.width() : r.height();
    const double a = std::clamp(ends / length, 0.0, 0.5); // the even band starts here
    const double b = 1 - a;                               // and ends here
    const QPainterPath body = Rounded(r, radius);
    const QPainterPath outline = Rounded(Inset(r, 0.5), std::max(0.0, radius - 0.5));
    const QPainterPath rim = Rounded(Inset(r, 1.5), std::max(0.0, radius - 1.5));
    QLinearGradient g = sideways ? QLinearGradient(r.topLeft(), r.topRight())
                                 : QLinearGradient(r.topLeft(), r.bottomLeft());
    switch (theme.Face) {
    case TFaceStyle::Soft:
        g.setColorAt(0, Lighter(c.Top, 0.3));
        g.setColorAt(a, Mix(c.Top, c.Bottom, 0.47));
        g.setColorAt(b, Mix(c.Top, c.Bottom, 0.53));
        g.setColorAt(1, c.Bottom);
        Fill(p, body, g);
        Stroke(p, rim, QColor(255, 255, 255, 110));
        break;
    case TFaceStyle::Glass:
        // A glossy cap over the upper third, a deep body and a faint reflection at the foot.
        g.setColorAt(0, Lighter(c.Top, 0.6));
        g.setColorAt(std::max(0.0, a - 0.02), Lighter(c.Top, 0.22));
        g.setColorAt(a, c.Top);
        g.setColorAt(b, Mix(c.Top, c.Bottom, 0.07));
        g.setColorAt(b + (1 - b) * 0.55, c.Bottom);
        g.setColorAt(1, Lighter(c.Bottom, 0.35));
        Fill(p, body, g);
        Stroke(p, rim, QColor(255, 255, 255, look == TLook::Down ? 50 : 100));
        break;
    case TFaceStyle::Frosted:
        g.setColorAt(0, Lighter(c.Top, 0.6));
        g.setColorAt(a, Mix(c.Top, c.Bottom, 0.22));
        g.setColorAt(b, Mix(c.Top, c.Bottom, 0.3));
        g.setColorAt(1, c.Bottom);
        Fill(p, body, g);
        Stroke(p, rim,
               look == TLook::Hot ? QColor(200, 240, 255, 230) : QColor(255, 255, 255, 210));
        break;
    case TFaceStyle::Velvet:
        // Rich colour with a soft glow rising from the lower edge.
        g.setColorAt(0, Lighter(c.Top, 0.12));
        g.setColorAt(a, Mix(c.Top, c.Bottom, 0.52));
        g.setColorAt(b, Mix(c.Top, c.Bottom, 0.6));
        g.setColorAt(b + (1 - b) * 0.45, c.Bottom);
        g.setColorAt(1, Lighter(c.Bottom, 0.32));
        Fill(p, body, g);
        Stroke(p, rim, QColor(255, 255, 255, 55));
        break;
    case TFaceStyle::Paper:
        Fill(p, body, Mix(c.Top, c.Bottom, 0.5));
        Bevel(p, r, Lighter(c.Top, 0.75), Darker(c.Bottom, 0.2), look == TLook::Down);
        break;
    case TFaceStyle::Flat:
        Fill(p, body, c.Top);
        break;
    }
    Stroke(p, outline, c.Border);
}

QColor MarkColor(const TSkinTheme& theme, TLook look) {
    return LookColors(theme, look).Text;
}

namespace {

double Luminance(const QColor& c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

} // namespace

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Readable(const QColor& ink, const QColor& ground, double ratio) {
    return ReadableOn(ink, {ground}, ratio);
}

QColor ReadableOn(const QColor& ink, const std::vector<QColor>& grounds, double ratio) {
    auto worst = [&](const QColor& c) {
        double low = 21;
        for (const QColor& g : grounds)
            low = std::min(low, Contrast(c, g));
        return low;
    };
    auto darkest = [&] {
        double low = 1;
        for (const QColor& g : grounds)
            low = std::min(low, Luminance(g));
        return low;
    };
    // Away from the grounds: lighter when the ink is the lighter one, else darker; when
    // that side runs out before the ratio is reached, the other side.
    const bool lighter = Luminance(ink) >= darkest();
    for (bool towardsWhite : {lighter, !lighter}) {
        QColor c = ink;
        for (int step = 0; step <= 24; ++step) {
            if (worst(c) >= ratio)
                return c;
            c = towardsWhite ? Lighter(c, 0.15) : Darker(c, 0.15);
        }
    }
    return Luminance(ink) >= 0.5 ? QColor(255, 255, 255) : QColor(0, 0, 0);
}

QColor CaptionOn(const QImage& picture, const QRect& face, const QColor& wanted, double ratio) {
    std::vector<QColor> grounds;
    const QPoint c = face.center();
    const int halfWidth = std::max(1, face.width() * 3 / 10);
    for (int y = c.y() - 4; y <= c.y() + 4; ++y)
        for (int x = c.x() - halfWidth; x <= c.x() + halfWidth; ++x)
            if (picture.rect().contains(x, y))
                grounds.push_back(picture.pixelColor(x, y));
    return ReadableOn(wanted, grounds, ratio);
}

QImage Transposed(const QImage& image) {
    QImage out(image.height(), image.width(), image.format());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.setPixel(y, x, image.pixel(x, y));
    return out;
}

void ControlFont(TSkinSection& s, const TSkinTheme& theme, const QColor& color) {
    s.Font(theme.FontName, theme.FontHeight, false, color);
}

} // namespace ButtonFamily
