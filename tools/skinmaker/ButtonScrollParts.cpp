// Scroll bars: "vscrollbar" (vertical stretch, 19 wide), "hscrollbar" and "bothhscrollbar"
// (horizontal stretch, 19 high; the latter ends in the corner square beside a vertical bar).
//
// Every bar is drawn upright and the horizontal ones are its mirror image across the
// diagonal, so both kinds match pixel for pixel. In the upright picture the bar is at the
// left (its buttons at both ends, the track between them repeated), the hot and pressed
// buttons beside it, and the thumbs in three looks with their grip copies to the right.

#include "ButtonFamily.h"

namespace ButtonFamily {

using namespace SkinPaint;

namespace {

constexpr int BarWidth = 19;
constexpr int ButtonLength = 18;
// The track's length in the picture: even, so the paper skin's two-pixel dither repeats
// without a seam.
constexpr int TrackLength = 60;
constexpr int ThumbLength = 26;
constexpr int ThumbEnd = 6; // rows of a thumb kept at each end when it is stretched
constexpr int GripSize = 9;

struct TBarLayout {
    bool Horizontal = false;
    int Corner = 0; // length of the corner square at the far end (0: none)
    int ThumbWidth = 15;
    int Length = 0; // of the bar, corner included
    QRect Decrease, Increase, Track, CornerRect;
    QRect HotDecrease, DownDecrease, HotIncrease, DownIncrease;
    QRect Thumbs[3], Grips[3]; // normal, hot, down
    QSize Picture;
};

TBarLayout Layout(const TSkinTheme& t, bool horizontal, int corner) {
    TBarLayout l;
    l.Horizontal = horizontal;
    l.Corner = corner;
    l.ThumbWidth = t.Face == TFaceStyle::Flat ? 11 : 15;
    l.Length = 2 * ButtonLength + TrackLength + corner;
    const int end = l.Length - corner;
    l.Decrease = QRect(0, 0, BarWidth, ButtonLength);
    l.Increase = QRect(0, end - ButtonLength, BarWidth, ButtonLength);
    l.Track = QRect(0, ButtonLength, BarWidth, end - 2 * ButtonLength);
    l.CornerRect = QRect(0, end, BarWidth, corner);
    const int x = BarWidth;
    l.HotDecrease = QRect(x, 0, BarWidth, ButtonLength);
    l.DownDecrease = QRect(x, ButtonLength, BarWidth, ButtonLength);
    l.HotIncrease = QRect(x, 2 * ButtonLength, BarWidth, ButtonLength);
    l.DownIncrease = QRect(x, 3 * ButtonLength, BarWidth, ButtonLength);
    for (int i = 0; i < 3; ++i) {
        const int tx = 2 * BarWidth + i * l.ThumbWidth;
        l.Thumbs[i] = QRect(tx, 0, l.ThumbWidth, ThumbLength);
        l.Grips[i] = QRect(tx + (l.ThumbWidth - GripSize) / 2,
                           ThumbLength + (ThumbLength - GripSize) / 2, GripSize, GripSize);
    }
    l.Picture = QSize(2 * BarWidth + 3 * l.ThumbWidth, l.Length);
    return l;
}

// The rectangle as it lies in the saved picture (mirrored for horizontal bars).
TRect Saved(const TBarLayout& l, const QRect& r) {
    if (!l.Horizontal)
        return Rect(r);
    return Rect(r.top(), r.left(), r.height(), r.width());
}

QColor TrackColor(const TSkinTheme& t) {
    if (t.Face == TFaceStyle::Flat)
        return Darker(t.Panel, 0.25);
    if (t.Face == TFaceStyle::Velvet)
        return Mix(t.Panel, t.PanelBorder, 0.18);
    return Mix(t.Panel, t.Window, 0.35);
}

// The track: a channel shaded across, its two long edges lined. The paper skin's track is
// the classic fine dither, two pixels to a period so it repeats evenly.
void DrawTrack(QPainter& p, const QRect& r, const TSkinTheme& t) {
    const QColor base = TrackColor(t);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    if (t.Face == TFaceStyle::Paper) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                p.fillRect(x, y, 1, 1, (x + y) % 2 ? base : Lighter(base, 0.55));
    } else {
        QLinearGradient g(r.topLeft(), r.topRight());
        g.setColorAt(0, Darker(base, 0.07));
        g.setColorAt(0.5, base);
        g.setColorAt(1, Lighter(base, 0.08));
        p.fillRect(r, g);
    }
    const QColor edge = Mix(base, t.PanelBorder, t.Face == TFaceStyle::Flat ? 0.25 : 0.55);
    p.setPen(edge);
    p.drawLine(r.left(), r.top(), r.left(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    p.restore();
}

void DrawButton(QPainter& p, const QRect& r, const TSkinTheme& t, TLook look, bool increase,
                bool horizontal) {
    RaisedFace(p, QRectF(r).adjusted(1, 1, -1, -1), t, look, std::min(3.0, ButtonRadius(t)), 5,
               horizontal);
    // A pressed arrow sinks a pixel, except on the flat skin, which does not pretend depth.
    const double sink = look == TLook::Down && t.Face != TFaceStyle::Flat ? 1 : 0;
    const TGlyph arrow = increase ? TGlyph::ArrowDown : TGlyph::ArrowUp;
    Glyph(p, QRectF(r).adjusted(2, 2, -2, -2).translated(sink, sink), arrow, MarkColor(t, look));
}

// A thumb, shaded across so that it repeats along the track; with its grip when asked.
void DrawThumb(QPainter& p, const QRect& r, const TSkinTheme& t, TLook look, bool grip) {
    const double radius = t.Face == TFaceStyle::Flat ? 0 : std::min(4.0, ButtonRadius(t));
    RaisedFace(p, QRectF(r), t, look, radius, r.width() * 0.3, true);
    if (!grip)
        return;
    const TFaceColors c = LookColors(t, look);
    const QColor ink =
        t.Face == TFaceStyle::Flat ? Mix(c.Top, c.Text, 0.55) : Mix(c.Border, c.Text, 0.25);
    const QRectF g(r.left() + (r.width() - GripSize) / 2.0, r.top() + (r.height() - GripSize) / 2.0,
                   GripSize, GripSize);
    Glyph(p, g, TGlyph::GripVertical, ink);
}

QImage DrawBar(const TSkinTheme& t, const TBarLayout& l) {
    QImage image = NewPicture(l.Picture.width(), l.Picture.height(), t.Panel);
    QPainter p(&image);
    Begin(p);
    DrawTrack(p, QRect(0, 0, BarWidth, l.Length - l.Corner), t);
    DrawButton(p, l.Decrease, t, TLook::Normal, false, l.Horizontal);
    DrawButton(p, l.Increase, t, TLook::Normal, true, l.Horizontal);
    if (l.Corner > 0) {
        p.fillRect(l.CornerRect, t.Panel);
        p.setPen(Mix(t.Panel, t.PanelBorder, 0.5));
        p.drawLine(l.CornerRect.topLeft() + QPointF(0.5, 0.5),
                   l.CornerRect.topRight() + QPointF(0.5, 0.5));
    }
    const QRect pieces(BarWidth, 0, BarWidth, 4 * ButtonLength);
    DrawTrack(p, pieces, t);
    DrawButton(p, l.HotDecrease, t, TLook::Hot, false, l.Horizontal);
    DrawButton(p, l.DownDecrease, t, TLook::Down, false, l.Horizontal);
    DrawButton(p, l.HotIncrease, t, TLook::Hot, true, l.Horizontal);
    DrawButton(p, l.DownIncrease, t, TLook::Down, true, l.Horizontal);
    const TLook looks[] = {TLook::Normal, TLook::Hot, TLook::Down};
    for (int i = 0; i < 3; ++i) {
        const QRect thumbs(l.Thumbs[i].left(), 0, l.ThumbWidth, 2 * ThumbLength);
        DrawTrack(p, thumbs, t);
        DrawThumb(p, l.Thumbs[i], t, looks[i], false);
        DrawThumb(p, l.Thumbs[i].translated(0, ThumbLength), t, looks[i], true);
    }
    p.end();
    return l.Horizontal ? Transposed(image) : image;
}

void AddBar(TSkinBuilder& skin, const QString& name, bool horizontal, int corner) {
    const TSkinTheme& t = skin.Theme();
    const TBarLayout l = Layout(t, horizontal, corner);
    const int picture = skin.AddPicture(name + QStringLiteral(".bmp"), DrawBar(t, l));
    TSkinSection& s = skin.Control(name, QStringLiteral("scrollbar"));
    s.Int(QStringLiteral("pictureindex"), picture);
    s.Rect(QStringLiteral("skinrect"), Saved(l, QRect(0, 0, BarWidth, l.Length)));
    const int trackEnd = l.Track.top() + l.Track.height();
    if (horizontal) {
        s.Point(QStringLiteral("lefttoppoint"), TPoint(ButtonLength, 0));
        s.Point(QStringLiteral("righttoppoint"), TPoint(trackEnd, 0));
    } else {
        s.Point(QStringLiteral("lefttoppoint"), TPoint(0, ButtonLength));
        s.Point(QStringLiteral("leftbottompoint"), TPoint(0, trackEnd));
    }
    s.Rect(QStringLiteral("clientrect"), Saved(l, l.Track));
    s.Rect(QStringLiteral("trackarea"), Saved(l, l.Track));
    // "up" is towards larger values: the bottom (right) button.
    s.Rect(QStringLiteral("upbuttonrect"), Saved(l, l.Increase));
    s.Rect(QStringLiteral("activeupbuttonrect"), Saved(l, l.HotIncrease));
    s.Rect(QStringLiteral("downupbuttonrect"), Saved(l, l.DownIncrease));
    s.Rect(QStringLiteral("downbuttonrect"), Saved(l, l.Decrease));
    s.Rect(QStringLiteral("activedownbuttonrect"), Saved(l, l.HotDecrease));
    s.Rect(QStringLiteral("downdownbuttonrect"), Saved(l, l.DownDecrease));
    s.Rect(QStringLiteral("thumbrect"), Saved(l, l.Thumbs[0]));
    s.Rect(QStringLiteral("activethumbrect"), Saved(l, l.Thumbs[1]));
    s.Rect(QStringLiteral("downthumbrect"), Saved(l, l.Thumbs[2]));
    s.Int(QStringLiteral("thumboffset1"), ThumbEnd);
    s.Int(QStringLiteral("thumboffset2"), ThumbEnd);
    s.Rect(QStringLiteral("glyphrect"), Saved(l, l.Grips[0]));
    s.Rect(QStringLiteral("activeglyphrect"), Saved(l, l.Grips[1]));
    s.Rect(QStringLiteral("downglyphrect"), Saved(l, l.Grips[2]));
}

} // namespace

void AddScrollBars(TSkinBuilder& skin) {
    AddBar(skin, QStringLiteral("vscrollbar"), false, 0);
    AddBar(skin, QStringLiteral("hscrollbar"), true, 0);
    AddBar(skin, QStringLiteral("bothhscrollbar"), true, BarWidth);
}

} // namespace ButtonFamily
