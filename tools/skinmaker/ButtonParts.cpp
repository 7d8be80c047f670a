// Push buttons, tool-bar buttons, list-view column headers and the menu button. Each is a
// both-stretch record whose looks (normal, hot, down, disabled) are stacked in one picture.
//
// The nine-part cut keeps 8 pixels at the top and 9 at the bottom of a 25-pixel face and
// repeats the 8 rows between them; a 17-pixel button therefore shows the top and bottom
// pieces only, a whole face, and the faces shade mostly inside those pieces so that a
// taller button repeats an almost even band.

#include "ButtonFamily.h"

#include <functional>
#include <vector>

namespace ButtonFamily {

using namespace SkinPaint;

namespace {

constexpr int TopEnd = 8;    // rows kept at the top of a face
constexpr int BottomEnd = 9; // rows kept at its bottom
constexpr int SideEnd = 8;   // columns kept at each side

using TDrawLook = std::function<void(QPainter&, const QRectF&, TLook)>;

// `looks` of a w x h part stacked downwards on `background`.
QImage StackedLooks(int w, int h, const std::vector<TLook>& looks, const QColor& background,
                    const TDrawLook& draw) {
    QImage image = NewPicture(w, h * int(looks.size()), background);
    QPainter p(&image);
    Begin(p);
    for (size_t i = 0; i < looks.size(); ++i)
        draw(p, QRectF(0, h * double(i), w, h), looks[i]);
    return image;
}

// Corner points and client rect of a both-stretch face w x h cut `side` pixels from the
// left and right, `top` from the top and `bottom` from the bottom.
void BothPoints(TSkinSection& s, int w, int h, int side, int top, int bottom, int rightEnd = -1) {
    const int right = rightEnd < 0 ? side : rightEnd;
    s.Point(QStringLiteral("lefttoppoint"), TPoint(side, top));
    s.Point(QStringLiteral("righttoppoint"), TPoint(w - right, top));
    s.Point(QStringLiteral("leftbottompoint"), TPoint(side, h - bottom));
    s.Point(QStringLiteral("rightbottompoint"), TPoint(w - right, h - bottom));
    s.Rect(QStringLiteral("clientrect"), TRect(side, top, w - right, h - bottom));
}

// The four state rectangles of looks stacked from the top of the picture.
void StateRects(TSkinSection& s, int w, int h) {
    s.Rect(QStringLiteral("skinrect"), Rect(0, 0, w, h));
    s.Rect(QStringLiteral("activeskinrect"), Rect(0, h, w, h));
    s.Rect(QStringLiteral("downskinrect"), Rect(0, 2 * h, w, h));
    s.Rect(QStringLiteral("disabledskinrect"), Rect(0, 3 * h, w, h));
}

// The caption colours a button record wants in its four looks.
struct TCaptionColors {
    QColor Normal, Hot, Down, Disabled;
};

TCaptionColors LookCaptions(const TSkinTheme& t) {
    return {t.Normal.Text, LookColors(t, TLook::Hot).Text, LookColors(t, TLook::Down).Text,
            LookColors(t, TLook::Disabled).Text};
}

// Font and the four caption colours of a button record whose looks are stacked h apart:
// the wanted colours, each made readable on the middle of its face (columns `textLeft` to
// `textRight`).
void ButtonFonts(TSkinSection& s, const TSkinTheme& t, const QImage& picture, int h, int textLeft,
                 int textRight, const TCaptionColors& wanted) {
    auto face = [&](int i) { return QRect(textLeft, i * h, textRight - textLeft, h); };
    ControlFont(s, t, CaptionOn(picture, face(0), wanted.Normal, CaptionContrast));
    s.Color(QStringLiteral("activefontcolor"),
            CaptionOn(picture, face(1), wanted.Hot, HotCaptionContrast));
    s.Color(QStringLiteral("downfontcolor"),
            CaptionOn(picture, face(2), wanted.Down, HotCaptionContrast));
    s.Color(QStringLiteral("disabledfontcolor"),
            CaptionOn(picture, face(3), wanted.Disabled, DisabledContrast));
}

void Morphing(TSkinSection& s, const QString& kind) {
    s.Bool(QStringLiteral("morphing"), !kind.isEmpty());
    if (!kind.isEmpty())
        s.Set(QStringLiteral("morphkind"), kind);
}

// A rounded face's mask, so a button's corners are cut from its window.
int AddFaceMask(TSkinBuilder& skin, const QString& file, int w, int h, double radius) {
    return skin.AddPicture(file, Mask(w, h, Rounded(QRectF(0, 0, w, h), radius)));
}

const std::vector<TLook> FourLooks(std::begin(AllLooks), std::end(AllLooks));

void AddButton(TSkinBuilder& skin) {
    const TSkinTheme& t = skin.Theme();
    const int w = 75, h = 25;
    const double radius = ButtonRadius(t);
    const QImage image =
        StackedLooks(w, h, FourLooks, t.Panel, [&](QPainter& p, const QRectF& r, TLook look) {
            RaisedFace(p, r, t, look, radius, TopEnd);
        });
    TSkinSection& s = skin.Control(QStringLiteral("button"), QStringLiteral("button"));
    s.Int(QStringLiteral("pictureindex"), skin.AddPicture(QStringLiteral("button.bmp"), image));
    if (radius >= 2)
        s.Int(QStringLiteral("maskpictureindex"),
              AddFaceMask(skin, QStringLiteral("buttonmask.bmp"), w, h, radius));
    StateRects(s, w, h);
    BothPoints(s, w, h, SideEnd, TopEnd, BottomEnd);
    ButtonFonts(s, t, image, h, SideEnd, w - SideEnd, LookCaptions(t));
    Morphing(s, t.ButtonMorph);
}

// Tool-bar buttons rest almost in the tool bar's colour and rise when hot or down.
void ToolButtonFace(QPainter& p, const QRectF& r, const TSkinTheme& t, TLook look) {
    const double radius = std::min(ButtonRadius(t), 4.0);
    if (look == TLook::Hot || look == TLook::Down) {
        RaisedFace(p, r, t, look, radius, TopEnd);
        return;
    }
    const double lift = look == TLook::Normal ? 0.22 : 0.1;
    const TFaceColors c = LookColors(t, TLook::Normal);
    const QColor border = Mix(t.Panel, c.Border, look == TLook::Normal ? 0.35 : 0.2);
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, Mix(t.Panel, Lighter(c.Top, 0.3), lift));
    g.setColorAt(TopEnd / r.height(), Mix(t.Panel, c.Top, lift));
    g.setColorAt(1 - BottomEnd / r.height(), Mix(t.Panel, c.Bottom, lift));
    g.setColorAt(1, Mix(t.Panel, c.Bottom, lift * 1.2));
    p.setPen(QPen(border, 1));
    p.setBrush(g);
    p.drawPath(Rounded(r.adjusted(0.5, 0.5, -0.5, -0.5), std::max(0.0, radius - 0.5)));
    p.restore();
}

void AddToolButton(TSkinBuilder& skin) {
    const TSkinTheme& t = skin.Theme();
    const int w = 25, h = 25;
    const QImage image =
        StackedLooks(w, h, FourLooks, t.Panel, [&](QPainter& p, const QRectF& r, TLook look) {
            ToolButtonFace(p, r, t, look);
        });
    TSkinSection& s = skin.Control(QStringLiteral("toolbutton"), QStringLiteral("button"));
    s.Int(QStringLiteral("pictureindex"), skin.AddPicture(QStringLiteral("toolbutton.bmp"), image));
    StateRects(s, w, h);
    BothPoints(s, w, h, SideEnd, TopEnd, BottomEnd);
    TCaptionColors captions = LookCaptions(t);
    captions.Normal = t.PanelText;
    captions.Disabled = Mix(t.PanelText, t.Panel, 0.55);
    ButtonFonts(s, t, image, h, 3, w - 3, captions);
    Morphing(s, t.ButtonMorph);
}

// A column-header section: a shallow tinted face with a light line at its left and a
// divider at its right, square so that sections meet. Hot and pressed sections take a
// stronger tint of the skin's hot and pressed colours; the caption stays the panel text.
void HeaderFace(QPainter& p, const QRectF& r, const TSkinTheme& t, TLook look) {
    const TFaceColors c = LookColors(t, look);
    const double tint = look == TLook::Normal ? 0.5 : look == TLook::Disabled ? 0.25 : 0.4;
    const QColor top = Mix(t.Panel, Lighter(c.Top, 0.25), tint);
    const QColor bottom = Mix(t.Panel, c.Bottom, tint);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const bool down = look == TLook::Down;
    const bool flat = t.Face == TFaceStyle::Flat;
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, down ? Mix(top, bottom, 0.8) : Lighter(top, 0.3));
    g.setColorAt(6 / r.height(), down ? Mix(top, bottom, 0.6) : top);
    g.setColorAt(1 - 6 / r.height(), down ? Mix(top, bottom, 0.4) : Mix(top, bottom, 0.5));
    g.setColorAt(1, down ? top : bottom);
    if (flat)
        p.fillRect(r, Mix(top, bottom, 0.5));
    else
        p.fillRect(r, g);
    const int x0 = int(r.left()), y0 = int(r.top());
    const int x1 = int(r.right()) - 1, y1 = int(r.bottom()) - 1;
    const QColor line = Mix(t.Panel, c.Border, look == TLook::Normal ? 0.75 : 1.0);
    p.setPen(line);
    p.drawLine(x0, y1, x1, y1);         // bottom edge
    p.drawLine(x1, y0 + 3, x1, y1 - 3); // divider
    if (!flat) {
        p.setPen(down ? Darker(top, 0.1) : Lighter(top, 0.6));
        p.drawLine(x0, y0, x0, y1 - 1); // light left edge (shadow when pressed)
    }
    if (look == TLook::Hot) {
        // A line of the hot colour under a hot section.
        p.setPen(t.Face == TFaceStyle::Flat ? t.Accent : c.Border);
        p.drawLine(x0, y1, x1, y1);
        p.drawLine(x0, y1 - 1, x1, y1 - 1);
    }
    p.restore();
}

void AddResizeButton(TSkinBuilder& skin) {
    const TSkinTheme& t = skin.Theme();
    const int w = 60, h = 20;
    const QImage image =
        StackedLooks(w, h, FourLooks, t.Panel,
                     [&](QPainter& p, const QRectF& r, TLook look) { HeaderFace(p, r, t, look); });
    TSkinSection& s = skin.Control(QStringLiteral("resizebutton"), QStringLiteral("button"));
    s.Int(QStringLiteral("pictureindex"), skin.AddPicture(QStringLiteral("header.bmp"), image));
    StateRects(s, w, h);
    BothPoints(s, w, h, 3, 6, 6);
    const QColor text = t.PanelText;
    ButtonFonts(s, t, image, h, 3, w - 3, {text, text, text, Mix(t.PanelText, t.Panel, 0.55)});
    s.Bool(QStringLiteral("morphing"), false);
}

// A push button whose right end is a drop-down part behind a divider.
constexpr int DropWidth = 17;

void MenuButtonFace(QPainter& p, const QRectF& r, const TSkinTheme& t, TLook look) {
    RaisedFace(p, r, t, look, ButtonRadius(t), TopEnd);
    const TFaceColors c = LookColors(t, look);
    const double x = r.right() - DropWidth + 0.5;
    p.save();
    p.setPen(QPen(Mix(c.Border, c.Bottom, 0.3), 1));
    p.drawLine(QPointF(x, r.top() + 5), QPointF(x, r.bottom() - 5));
    p.setPen(QPen(QColor(255, 255, 255, t.Face == TFaceStyle::Flat ? 30 : 90), 1));
    p.drawLine(QPointF(x + 1, r.top() + 5), QPointF(x + 1, r.bottom() - 5));
    p.restore();
    const QRectF drop(r.right() - DropWidth + 1, r.top(), DropWidth - 1, r.height());
    Glyph(p, drop.adjusted(1, 3, -1, -3), TGlyph::ArrowDown, c.Text);
}

void AddMenuButton(TSkinBuilder& skin) {
    const TSkinTheme& t = skin.Theme();
    const int w = 75, h = 25;
    const double radius = ButtonRadius(t);
    const QImage image =
        StackedLooks(w, h, FourLooks, t.Panel, [&](QPainter& p, const QRectF& r, TLook look) {
            MenuButtonFace(p, r, t, look);
        });
    TSkinSection& s = skin.Control(QStringLiteral("menubutton"), QStringLiteral("menubutton"));
    s.Int(QStringLiteral("pictureindex"), skin.AddPicture(QStringLiteral("menubutton.bmp"), image));
    if (radius >= 2)
        s.Int(QStringLiteral("maskpictureindex"),
              AddFaceMask(skin, QStringLiteral("menubuttonmask.bmp"), w, h, radius));
    StateRects(s, w, h);
    BothPoints(s, w, h, SideEnd, TopEnd, BottomEnd, DropWidth + 2);
    ButtonFonts(s, t, image, h, SideEnd, w - DropWidth - 2, LookCaptions(t));
    Morphing(s, t.ButtonMorph);
    s.Rect(QStringLiteral("trackbuttonrect"), Rect(w - DropWidth, 0, DropWidth, h));
}

} // namespace

void AddPushButtons(TSkinBuilder& skin) {
    AddButton(skin);
    AddToolButton(skin);
    AddResizeButton(skin);
    AddMenuButton(skin);
}

} // namespace ButtonFamily

void AddButtonParts(TSkinBuilder& skin) {
    using namespace ButtonFamily;
    AddPushButtons(skin);
    AddCheckBoxes(skin);
    AddScrollBars(skin);
    AddUpDowns(skin);
    AddRangeControls(skin);
    AddSplitters(skin);
}
