// Up-down pairs ("hupdown", "vupdown" and "updown", the tab controls' scroll arrows; all
// fixed size) and the spin edit (horizontal stretch, 20 high, its arrows at the right).

#include "ButtonFamily.h"

namespace ButtonFamily {

using namespace SkinPaint;

namespace {

// One arrow button of a pair, filling r.
void ArrowButton(QPainter& p, const QRect& r, const TSkinTheme& t, TLook look, TGlyph arrow,
                 bool sideways = false) {
    RaisedFace(p, QRectF(r), t, look, std::min(3.0, ButtonRadius(t)), 4, sideways);
    Glyph(p, QRectF(r).adjusted(1, 1, -1, -1), arrow, MarkColor(t, look));
}

// A pair of w x h buttons: side by side (down at the left, up at the right) or stacked (up
// on top). The picture holds the pair and below it the hot and the pressed pair.
void AddUpDown(TSkinBuilder& skin, const QString& name, bool vertical, int w, int h) {
    const TSkinTheme& t = skin.Theme();
    const QRect down = vertical ? QRect(0, h, w, h) : QRect(0, 0, w, h);
    const QRect up = vertical ? QRect(0, 0, w, h) : QRect(w, 0, w, h);
    const QSize pair = vertical ? QSize(w, 2 * h) : QSize(2 * w, h);
    const TGlyph upArrow = vertical ? TGlyph::ArrowUp : TGlyph::ArrowRight;
    const TGlyph downArrow = vertical ? TGlyph::ArrowDown : TGlyph::ArrowLeft;
    QImage image = NewPicture(pair.width(), 3 * pair.height(), t.Panel);
    {
        QPainter p(&image);
        Begin(p);
        const TLook looks[] = {TLook::Normal, TLook::Hot, TLook::Down};
        for (int i = 0; i < 3; ++i) {
            const int dy = i * pair.height();
            ArrowButton(p, up.translated(0, dy), t, looks[i], upArrow);
            ArrowButton(p, down.translated(0, dy), t, looks[i], downArrow);
        }
    }
    const int picture = skin.AddPicture(name + QStringLiteral(".bmp"), image);
    TSkinSection& s = skin.Control(name, QStringLiteral("updown"));
    s.Int(QStringLiteral("pictureindex"), picture);
    s.Rect(QStringLiteral("skinrect"), Rect(QRect(QPoint(0, 0), pair)));
    s.Rect(QStringLiteral("upbuttonrect"), Rect(up));
    s.Rect(QStringLiteral("activeupbuttonrect"), Rect(up.translated(0, pair.height())));
    s.Rect(QStringLiteral("downupbuttonrect"), Rect(up.translated(0, 2 * pair.height())));
    s.Rect(QStringLiteral("downbuttonrect"), Rect(down));
    s.Rect(QStringLiteral("activedownbuttonrect"), Rect(down.translated(0, pair.height())));
    s.Rect(QStringLiteral("downdownbuttonrect"), Rect(down.translated(0, 2 * pair.height())));
}

constexpr int SpinWidth = 80, SpinHeight = 20, SpinButtons = 16;

// The field of a spin edit: a sunken well, its border lit in the hot colour when focused.
void SpinField(QPainter& p, const QRectF& r, const TSkinTheme& t, bool focused) {
    const double radius = std::min(3.0, double(t.Radius));
    Well(p, r, t, t.Window, radius);
    if (focused) {
        p.save();
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(LookColors(t, TLook::Hot).Border, 1));
        p.drawPath(Rounded(r.adjusted(0.5, 0.5, -0.5, -0.5), std::max(0.0, radius - 0.5)));
        p.restore();
    }
}

void AddSpinEdit(TSkinBuilder& skin) {
    const TSkinTheme& t = skin.Theme();
    const int w = SpinWidth, h = SpinHeight, b = SpinButtons;
    const int half = h / 2;
    const QRect up(w - b, 0, b, half), down(w - b, half, b, half);
    QImage image = NewPicture(w, 2 * h + half, t.Panel);
    {
        QPainter p(&image);
        Begin(p);
        for (int i = 0; i < 2; ++i) {
            SpinField(p, QRectF(0, i * h, w - b + 2, h), t, i == 1);
            ArrowButton(p, up.translated(0, i * h), t, TLook::Normal, TGlyph::ArrowUp);
            ArrowButton(p, down.translated(0, i * h), t, TLook::Normal, TGlyph::ArrowDown);
        }
        const int y = 2 * h;
        ArrowButton(p, QRect(0, y, b, half), t, TLook::Hot, TGlyph::ArrowUp);
        ArrowButton(p, QRect(b, y, b, half), t, TLook::Down, TGlyph::ArrowUp);
        ArrowButton(p, QRect(2 * b, y, b, half), t, TLook::Hot, TGlyph::ArrowDown);
        ArrowButton(p, QRect(3 * b, y, b, half), t, TLook::Down, TGlyph::ArrowDown);
    }
    const int picture = skin.AddPicture(QStringLiteral("spinedit.bmp"), image);
    TSkinSection& s = skin.Control(QStringLiteral("spinedit"), QStringLiteral("spinedit"));
    s.Int(QStringLiteral("pictureindex"), picture);
    s.Rect(QStringLiteral("skinrect"), Rect(0, 0, w, h));
    s.Point(QStringLiteral("lefttoppoint"), TPoint(4, 0));
    s.Point(QStringLiteral("righttoppoint"), TPoint(w - b - 4, 0));
    s.Rect(QStringLiteral("clientrect"), TRect(3, 3, w - b - 2, h - 3));
    s.Rect(QStringLiteral("activeskinrect"), Rect(0, h, w, h));
    ControlFont(s, t, t.WindowText);
    s.Color(QStringLiteral("activefontcolor"), t.WindowText);
    s.Color(QStringLiteral("disabledfontcolor"), Mix(t.WindowText, t.Window, 0.55));
    const int y = 2 * h;
    s.Rect(QStringLiteral("upbuttonrect"), Rect(up));
    s.Rect(QStringLiteral("activeupbuttonrect"), Rect(0, y, b, half));
    s.Rect(QStringLiteral("downupbuttonrect"), Rect(b, y, b, half));
    s.Rect(QStringLiteral("downbuttonrect"), Rect(down));
    s.Rect(QStringLiteral("activedownbuttonrect"), Rect(2 * b, y, b, half));
    s.Rect(QStringLiteral("downdownbuttonrect"), Rect(3 * b, y, b, half));
}

} // namespace

void AddUpDowns(TSkinBuilder& skin) {
    AddUpDown(skin, QStringLiteral("hupdown"), false, 17, 17);
    AddUpDown(skin, QStringLiteral("vupdown"), true, 16, 10);
    AddUpDown(skin, QStringLiteral("updown"), false, 16, 16);
    AddSpinEdit(skin);
}

} // namespace ButtonFamily
