// Check boxes and radio buttons: a horizontal-stretch face (plain, and a soft hover plate
// for the active look) with the six check marks below it.
//
// Flat boxes, the usual kind, draw only the marks and the caption on their parent, so the
// marks are drawn on the panel colour with a one-pixel margin: whatever colour the engine
// takes as transparent, the box itself stays whole.

#include "ButtonFamily.h"

namespace ButtonFamily {

using namespace SkinPaint;

namespace {

constexpr int FaceWidth = 150, FaceHeight = 25;
constexpr int MarkSize = 15;
constexpr int LeftEnd = 26; // columns kept at the left (the mark's area)
constexpr int RightEnd = 4; // and at the right

enum class TMarkState { Normal, Hot, Disabled };

// The box (or circle) a mark sits in, with or without its tick (or dot).
void DrawMark(QPainter& p, const QRectF& cell, const TSkinTheme& t, bool radio, bool checked,
              TMarkState state) {
    const QRectF box = cell.adjusted(1, 1, -1, -1);
    const double radius = radio ? box.width() / 2 : std::min(3.0, double(t.Radius));
    QColor top = Mix(t.Window, t.PanelBorder, 0.2);
    QColor bottom = t.Window;
    QColor border = Darker(t.PanelBorder, 0.1);
    QColor ink = Readable(t.Accent, t.Window, 3.0);
    if (t.Face == TFaceStyle::Velvet) {
        // A velvet cushion holding a gold mark.
        top = t.Normal.Bottom;
        bottom = t.Normal.Top;
        border = t.Normal.Border;
        ink = t.Accent;
    }
    if (state == TMarkState::Hot) {
        border = LookColors(t, TLook::Hot).Border;
        top = Mix(top, LookColors(t, TLook::Hot).Bottom, 0.25);
    } else if (state == TMarkState::Disabled) {
        top = bottom = Mix(t.Window, t.Panel, 0.6);
        if (t.Face == TFaceStyle::Velvet)
            top = bottom = t.Disabled.Bottom;
        border = Mix(t.Panel, t.PanelBorder, 0.55);
        ink = Mix(t.Disabled.Text, t.Panel, 0.2);
    }
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    const QPainterPath shape = Rounded(box, radius);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(shape);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(border, 1));
    p.drawPath(Rounded(box.adjusted(0.5, 0.5, -0.5, -0.5), std::max(0.0, radius - 0.5)));
    p.restore();
    if (checked)
        Glyph(p, box, radio ? TGlyph::RadioDot : TGlyph::Check, ink, radio ? 1.6 : 1.7);
}

// The active face: a soft plate that shows where the pointer is.
void HoverPlate(QPainter& p, const QRectF& r, const TSkinTheme& t) {
    const double radius = std::min(4.0, double(t.Radius));
    const QRectF plate = r.adjusted(0.5, 1.5, -0.5, -1.5);
    p.save();
    p.setBrush(Mix(t.Panel, t.Selection, t.Face == TFaceStyle::Flat ? 0.12 : 0.14));
    p.setPen(QPen(Mix(t.Panel, t.Selection, 0.4), 1));
    p.drawPath(Rounded(plate, radius));
    p.restore();
}

void AddCheckRecord(TSkinBuilder& skin, const QString& name, bool radio) {
    const TSkinTheme& t = skin.Theme();
    QImage image = NewPicture(FaceWidth, 2 * FaceHeight + MarkSize, t.Panel);
    {
        QPainter p(&image);
        Begin(p);
        HoverPlate(p, QRectF(0, FaceHeight, FaceWidth, FaceHeight), t);
        const TMarkState states[] = {TMarkState::Normal, TMarkState::Hot, TMarkState::Disabled};
        int x = 0;
        for (TMarkState state : states)
            for (bool checked : {true, false}) {
                DrawMark(p, QRectF(x, 2 * FaceHeight, MarkSize, MarkSize), t, radio, checked,
                         state);
                x += MarkSize;
            }
    }
    const int picture = skin.AddPicture(name + QStringLiteral(".bmp"), image);
    const int marks = 2 * FaceHeight;
    auto mark = [&](int i) { return Rect(i * MarkSize, marks, MarkSize, MarkSize); };

    TSkinSection& s = skin.Control(name, QStringLiteral("checkradio"));
    s.Int(QStringLiteral("pictureindex"), picture);
    s.Rect(QStringLiteral("skinrect"), Rect(0, 0, FaceWidth, FaceHeight));
    s.Point(QStringLiteral("lefttoppoint"), TPoint(LeftEnd, 0));
    s.Point(QStringLiteral("righttoppoint"), TPoint(FaceWidth - RightEnd, 0));
    s.Rect(QStringLiteral("clientrect"), TRect(LeftEnd, 0, FaceWidth - RightEnd, FaceHeight));
    const QColor plate = Mix(t.Panel, t.Selection, 0.14);
    ControlFont(s, t, t.PanelText);
    s.Color(QStringLiteral("activefontcolor"),
            Readable(Mix(t.PanelText, t.Selection, 0.35), plate, 4.5));
    s.Color(QStringLiteral("unenabledfontcolor"), Mix(t.PanelText, t.Panel, 0.55));
    s.Color(QStringLiteral("framefontcolor"), t.PanelText);
    s.Rect(QStringLiteral("activeskinrect"), Rect(0, FaceHeight, FaceWidth, FaceHeight));
    const int top = (FaceHeight - MarkSize) / 2;
    s.Rect(QStringLiteral("checkimagearea"), Rect(3, top, MarkSize, MarkSize));
    s.Rect(QStringLiteral("textarea"), TRect(LeftEnd - 4, 0, FaceWidth - RightEnd, FaceHeight));
    s.Rect(QStringLiteral("checkimagerect"), mark(0));
    s.Rect(QStringLiteral("uncheckimagerect"), mark(1));
    s.Rect(QStringLiteral("activecheckimagerect"), mark(2));
    s.Rect(QStringLiteral("activeuncheckimagerect"), mark(3));
    s.Rect(QStringLiteral("unenabledcheckimagerect"), mark(4));
    s.Rect(QStringLiteral("unenableduncheckimagerect"), mark(5));
    s.Bool(QStringLiteral("morphing"), !t.CheckMorph.isEmpty());
    if (!t.CheckMorph.isEmpty())
        s.Set(QStringLiteral("morphkind"), t.CheckMorph);
}

} // namespace

void AddCheckBoxes(TSkinBuilder& skin) {
    AddCheckRecord(skin, QStringLiteral("checkbox"), false);
    AddCheckRecord(skin, QStringLiteral("radiobox"), true);
}

} // namespace ButtonFamily
