// Controls that show a value along a line: track bars ("trackbar" horizontal, "vtrackbar"
// vertical), the slider, gauges ("gauge" horizontal, "vgauge" vertical); and the splitters
// ("vsplitter" vertical, "splitter" and "hsplitter" horizontal) and the bevel.
//
// Each is drawn lying down; the upright kinds are its mirror image across the diagonal.

#include "ButtonFamily.h"

namespace ButtonFamily {

using namespace SkinPaint;

namespace {

// A rectangle of the lying picture as it lies in the saved one.
TRect Saved(bool upright, const QRect& r) {
    return upright ? Rect(r.top(), r.left(), r.height(), r.width()) : Rect(r);
}

// A sunken groove along r, rounded at its ends.
void Groove(QPainter& p, const QRectF& r, const TSkinTheme& t) {
    const double radius = r.height() / 2;
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, Darker(Mix(t.Window, t.PanelBorder, 0.45), 0.12));
    g.setColorAt(1, Mix(t.Window, t.PanelBorder, 0.15));
    p.save();
    p.setBrush(g);
    p.setPen(QPen(Darker(t.PanelBorder, 0.1), 1));
    p.drawPath(Rounded(r.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5));
    p.restore();
}

// A track bar's knob: a small raised face with a grip line down its middle.
void Knob(QPainter& p, const QRect& r, const TSkinTheme& t, TLook look) {
    RaisedFace(p, QRectF(r), t, look, std::min(3.0, ButtonRadius(t)), 6);
    const TFaceColors c = LookColors(t, look);
    p.save();
    p.setPen(QPen(Mix(c.Border, c.Text, 0.2), 1));
    const double x = r.left() + r.width() / 2.0;
    p.drawLine(QPointF(x, r.top() + 5), QPointF(x, r.bottom() - 4));
    p.restore();
}

// The corner points of a bar `length` long that keeps `end` pixels at each end and repeats
// the band between them: along x when lying, along y when upright.
void BandPoints(TSkinSection& s, bool upright, int length, int end) {
    if (upright) {
        s.Point(QStringLiteral("lefttoppoint"), TPoint(0, end));
        s.Point(QStringLiteral("leftbottompoint"), TPoint(0, length - end));
    } else {
        s.Point(QStringLiteral("lefttoppoint"), TPoint(end, 0));
        s.Point(QStringLiteral("righttoppoint"), TPoint(length - end, 0));
    }
}

constexpr int TrackLength = 120, TrackThickness = 24, KnobWidth = 11, KnobHeight = 20;

void AddTrackBar(TSkinBuilder& skin, const QString& name, bool upright) {
    const TSkinTheme& t = skin.Theme();
    const int l = TrackLength, h = TrackThickness;
    QImage image = NewPicture(l, h + KnobHeight, t.Panel);
    {
        QPainter p(&image);
        Begin(p);
        Groove(p, QRectF(3, h / 2.0 - 3, l - 6, 6), t);
        Knob(p, QRect(0, h, KnobWidth, KnobHeight), t, TLook::Normal);
        Knob(p, QRect(KnobWidth, h, KnobWidth, KnobHeight), t, TLook::Hot);
    }
    const int picture =
        skin.AddPicture(name + QStringLiteral(".bmp"), upright ? Transposed(image) : image);
    TSkinSection& s = skin.Control(name, QStringLiteral("trackbar"));
    s.Int(QStringLiteral("pictureindex"), picture);
    s.Rect(QStringLiteral("skinrect"), Saved(upright, QRect(0, 0, l, h)));
    const int end = 10;
    BandPoints(s, upright, l, end);
    s.Rect(QStringLiteral("clientrect"), Saved(upright, QRect(end, 0, l - 2 * end, h)));
    s.Rect(QStringLiteral("trackarea"), Saved(upright, QRect(4, 2, l - 8, h - 4)));
    s.Rect(QStringLiteral("buttonrect"), Saved(upright, QRect(0, h, KnobWidth, KnobHeight)));
    s.Rect(QStringLiteral("activebuttonrect"),
           Saved(upright, QRect(KnobWidth, h, KnobWidth, KnobHeight)));
    s.Bool(QStringLiteral("vertical"), upright);
}

// The slider's record keeps its rulers and thumbs for both directions in one picture.
void AddSlider(TSkinBuilder& skin) {
    const TSkinTheme& t = skin.Theme();
    const int l = 100, g = 6, tw = 11, th = 17;
    QImage lying = NewPicture(l, th, t.Panel);
    {
        QPainter p(&lying);
        Begin(p);
        Groove(p, QRectF(0, (th - g) / 2.0, l, g), t);
    }
    QImage image = NewPicture(l + th + tw + th, l, t.Panel);
    {
        QPainter p(&image);
        Begin(p);
        p.drawImage(0, 0, lying);             // horizontal ruler, 100 x 17
        p.drawImage(l, 0, Transposed(lying)); // vertical ruler, 17 x 100
        Knob(p, QRect(l + th, 0, tw, th), t, TLook::Normal);
        // The vertical thumb lies across: its face is shaded downwards as well.
        RaisedFace(p, QRectF(l + th + tw, 0, th, tw), t, TLook::Normal,
                   std::min(3.0, ButtonRadius(t)), 4);
    }
    const int picture = skin.AddPicture(QStringLiteral("slider.bmp"), image);
    TSkinSection& s = skin.Control(QStringLiteral("slider"), QStringLiteral("slider"));
    s.Int(QStringLiteral("pictureindex"), picture);
    s.Rect(QStringLiteral("skinrect"), Rect(0, 0, l, th));
    s.Color(QStringLiteral("bgcolor"), t.Panel);
    s.Rect(QStringLiteral("hrulerrect"), Rect(0, 0, l, th));
    s.Rect(QStringLiteral("hthumbrect"), Rect(l + th, 0, tw, th));
    s.Rect(QStringLiteral("vrulerrect"), Rect(l, 0, th, l));
    s.Rect(QStringLiteral("vthumbrect"), Rect(l + th + tw, 0, th, tw));
    s.Int(QStringLiteral("edgesize"), 4);
    s.Color(QStringLiteral("pointscolor"), Darker(t.PanelBorder, 0.1));
}

constexpr int GaugeLength = 100, GaugeThickness = 18, GaugeInset = 2, FillEnd = 3;

// The fill of a gauge: the accent colour, glossy where the skin's faces are.
void GaugeFill(QPainter& p, const QRectF& r, const TSkinTheme& t) {
    const QColor a = t.Accent;
    const double radius = t.Face == TFaceStyle::Flat ? 0 : 2;
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    if (t.Face == TFaceStyle::Flat) {
        g.setColorAt(0, a);
        g.setColorAt(1, a);
    } else {
        g.setColorAt(0, Lighter(a, 0.55));
        g.setColorAt(0.45, a);
        g.setColorAt(1, Darker(a, 0.12));
    }
    p.save();
    p.setBrush(g);
    p.setPen(QPen(Darker(a, 0.25), 1));
    p.drawPath(Rounded(r.adjusted(0.5, 0.5, -0.5, -0.5), std::max(0.0, radius - 0.5)));
    p.restore();
}

void AddGauge(TSkinBuilder& skin, const QString& name, bool upright) {
    const TSkinTheme& t = skin.Theme();
    const int l = GaugeLength, h = GaugeThickness, in = GaugeInset;
    const QRect area(in, in, l - 2 * in, h - 2 * in);
    const QRect fill(0, h, area.width(), area.height());
    QImage image = NewPicture(l, h + area.height(), t.Panel);
    {
        QPainter p(&image);
        Begin(p);
        Well(p, QRectF(0, 0, l, h), t, t.Window, std::min(3, t.Radius));
        GaugeFill(p, QRectF(fill), t);
    }
    const int picture =
        skin.AddPicture(name + QStringLiteral(".bmp"), upright ? Transposed(image) : image);
    TSkinSection& s = skin.Control(name, QStringLiteral("gauge"));
    s.Int(QStringLiteral("pictureindex"), picture);
    s.Rect(QStringLiteral("skinrect"), Saved(upright, QRect(0, 0, l, h)));
    const int end = 5;
    BandPoints(s, upright, l, end);
    s.Rect(QStringLiteral("clientrect"), Saved(upright, area));
    s.Rect(QStringLiteral("progressarea"), Saved(upright, area));
    s.Rect(QStringLiteral("progressrect"), Saved(upright, fill));
    s.Int(QStringLiteral("beginoffset"), FillEnd);
    s.Int(QStringLiteral("endoffset"), FillEnd);
    s.Bool(QStringLiteral("vertical"), upright);
    s.Font(t.FontName, t.FontHeight, true, t.WindowText);
}

// A splitter bar: raised, with a dotted rail down its middle. The dots repeat every three
// pixels and the repeated band is a multiple of that, so a long splitter shows no seam.
constexpr int SplitterLength = 64, SplitterThickness = 7, SplitterEnd = 8;

QImage SplitterPicture(const TSkinTheme& t) {
    const int l = SplitterLength, w = SplitterThickness;
    QImage image = NewPicture(l, w, t.Panel);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor face = t.Face == TFaceStyle::Flat ? Lighter(t.Panel, 0.06) : t.Panel;
    QLinearGradient g(0, 0, 0, w);
    g.setColorAt(0, t.Face == TFaceStyle::Flat ? face : Lighter(face, 0.35));
    g.setColorAt(1, t.Face == TFaceStyle::Flat ? face : Mix(face, t.PanelBorder, 0.3));
    p.fillRect(QRect(0, 0, l, w), g);
    // Raised: a light first edge, except on the flat skin.
    p.setPen(t.Face == TFaceStyle::Flat ? Mix(face, t.PanelBorder, 0.8) : Lighter(face, 0.7));
    p.drawLine(0, 0, l - 1, 0);
    p.setPen(Mix(face, t.PanelBorder, 0.8));
    p.drawLine(0, w - 1, l - 1, w - 1);
    const QColor dot = t.Face == TFaceStyle::Flat ? t.Accent : Darker(t.PanelBorder, 0.15);
    const QColor shine = t.Face == TFaceStyle::Flat ? Mix(t.Accent, face, 0.6) : Lighter(face, 0.8);
    for (int x = 1; x < l; x += 3) {
        image.setPixelColor(x, w / 2 - 1, dot);
        image.setPixelColor(x, w / 2, shine);
    }
    return image;
}

void AddSplitter(TSkinBuilder& skin, const QString& name, bool upright, int picture) {
    const int l = SplitterLength, w = SplitterThickness, end = SplitterEnd;
    TSkinSection& s = skin.Control(name, QStringLiteral("splitter"));
    s.Int(QStringLiteral("pictureindex"), picture);
    s.Rect(QStringLiteral("skinrect"), Saved(upright, QRect(0, 0, l, w)));
    BandPoints(s, upright, l, end);
    s.Rect(QStringLiteral("clientrect"), Saved(upright, QRect(end, 0, l - 2 * end, w)));
}

} // namespace

void AddRangeControls(TSkinBuilder& skin) {
    AddTrackBar(skin, QStringLiteral("trackbar"), false);
    AddTrackBar(skin, QStringLiteral("vtrackbar"), true);
    AddSlider(skin);
    AddGauge(skin, QStringLiteral("gauge"), false);
    AddGauge(skin, QStringLiteral("vgauge"), true);
}

void AddSplitters(TSkinBuilder& skin) {
    const TSkinTheme& t = skin.Theme();
    const QImage lying = SplitterPicture(t);
    const int upright = skin.AddPicture(QStringLiteral("vsplitter.bmp"), Transposed(lying));
    const int across = skin.AddPicture(QStringLiteral("hsplitter.bmp"), lying);
    AddSplitter(skin, QStringLiteral("vsplitter"), true, upright);
    AddSplitter(skin, QStringLiteral("splitter"), false, across);
    AddSplitter(skin, QStringLiteral("hsplitter"), false, across);

    TSkinSection& bevel = skin.Control(QStringLiteral("bevel"), QStringLiteral("bevel"));
    const bool dark = t.Panel.lightness() < 100;
    bevel.Color(QStringLiteral("lightcolor"),
                dark ? Lighter(t.Panel, 0.22) : Lighter(t.Panel, 0.75));
    bevel.Color(QStringLiteral("darkcolor"),
                dark ? Darker(t.Panel, 0.45) : Mix(t.Panel, t.PanelBorder, 0.85));
}

} // namespace ButtonFamily
