// Panels, the group box, the status bar with its panels, the tool bar and the labels.

#include "BoxLook.h"

using namespace BoxPaint;
using namespace SkinPaint;

namespace {

// Bands that carry the theme's pattern repeat a piece this wide: a multiple of every
// pattern period, so the repeats meet without a seam.
constexpr int PatternTile = 96;
// A caption bar fills rows 1 to 20 of a box; row 21 is the line under it.
constexpr int BarBottomRow = 21;
constexpr int CaptionBand = 22;

// Where a panel's check images lie: two 15 x 15 cells right of the skin rectangle.
void AddCheckImages(QImage& picture, TSkinSection& s, int x, const TBoxLook& look,
                    const TSkinTheme& theme) {
    QPainter p(&picture);
    p.drawImage(x, 2, CheckImageCell(look, theme, true));
    p.drawImage(x + 16, 2, CheckImageCell(look, theme, false));
    s.Rect(QStringLiteral("checkimagerect"), TRect(x, 2, x + 15, 17));
    s.Rect(QStringLiteral("uncheckimagerect"), TRect(x + 16, 2, x + 31, 17));
}

} // namespace

namespace BoxPaint {

// A framed box with a caption bar across its top (rows 1..20, line at row 21) and `body`
// below; used by the group box, the rolling panel and the captioned list.
void CaptionedBox(QPainter& p, const QRect& r, const TBoxLook& look, const TSkinTheme& theme,
                  const QColor& body) {
    TBoxLook framed = look;
    framed.Face = body;
    RaisedFrame(p, r, framed, look.Radius);
    const int inset = look.Classic ? 2 : 1;
    const QRect bar(r.left() + inset, r.top() + inset, r.width() - 2 * inset, BarBottomRow - inset);
    p.save();
    p.setClipPath(Rounded(QRectF(r).adjusted(1, 1, -1, -1), std::max(0, look.Radius - 1)));
    CaptionBar(p, bar, look, theme);
    if (look.Classic)
        p.fillRect(QRect(bar.left(), bar.top(), bar.width(), 1), Lighter(look.BarTop, 0.3));
    p.fillRect(QRect(r.left() + inset, r.top() + BarBottomRow, r.width() - 2 * inset, 1),
               look.BarLine);
    p.restore();
}

} // namespace BoxPaint

namespace {

void AddGroupBox(TSkinBuilder& skin, const TBoxLook& look) {
    const TSkinTheme& theme = skin.Theme();
    const int left = 24, right = 16, bottom = 6;
    const int w = left + PatternTile + right;
    const int h = CaptionBand + 32 + bottom;
    QImage picture = NewPicture(w + 34, h, look.Face);
    {
        QPainter p(&picture);
        Begin(p);
        // What lies outside the rounding is cut away by the mask; the border colour there
        // keeps the antialiased edge clean.
        p.fillRect(QRect(0, 0, w, h), look.Border);
        CaptionedBox(p, QRect(0, 0, w, h), look, theme, look.Face);
        Ornament(p, QPointF(13, 11), look.Ornament == TOrnament::Star ? 12 : 10, look);
    }
    TSkinSection& s = skin.Control(QStringLiteral("groupbox"), QStringLiteral("panel"));
    AddCheckImages(picture, s, w + 2, look, theme);
    s.Int(QStringLiteral("pictureindex"), skin.AddPicture(QStringLiteral("groupbox.bmp"), picture));
    if (look.Radius > 0)
        s.Int(QStringLiteral("maskpictureindex"),
              skin.AddPicture(QStringLiteral("groupboxmask.bmp"),
                              Mask(w, h, Rounded(QRectF(0, 0, w, h), look.Radius))));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, w, h));
    NineParts(s, w, h, QMargins(left, CaptionBand, right, bottom),
              TRect(bottom, CaptionBand, w - bottom, h - bottom));
    s.Int(QStringLiteral("bgpictureindex"), -1);
    s.Rect(QStringLiteral("captionrect"), TRect(22, 1, w - 8, BarBottomRow));
    s.Set(QStringLiteral("alignment"), QStringLiteral("taleftjustify"));
    CaptionFont(s, look, look.BarText);
}

// `tile` repeated over `area` so that one whole period starts at (`edge`, `edge`).
void TileFrom(QPainter& p, const QRect& area, const QImage& tile, int edge) {
    for (int y = edge - tile.height(); y < area.height(); y += tile.height())
        for (int x = edge - tile.width(); x < area.width(); x += tile.width())
            p.drawImage(area.left() + x, area.top() + y, tile);
}

void AddPanel(TSkinBuilder& skin, const TBoxLook& look, int texture) {
    const TSkinTheme& theme = skin.Theme();
    constexpr int edge = 8;
    // Skins with a face texture put it on their panels' face: the repeated middle is one
    // whole period of it, so the repeats meet without a seam. (A background picture would
    // show the texture alone, with neither frame nor caption.)
    const QImage tile = skin.Picture(texture);
    const int w = tile.isNull() ? 48 : 2 * edge + tile.width();
    const int h = tile.isNull() ? 48 : 2 * edge + tile.height();
    QImage picture = NewPicture(w + 34, h, look.Face);
    {
        QPainter p(&picture);
        Begin(p);
        RaisedFrame(p, QRect(0, 0, w, h), look, 0);
        if (!tile.isNull()) {
            // Inside the frame's two lines.
            p.setClipRect(QRect(2, 2, w - 4, h - 4));
            TileFrom(p, QRect(0, 0, w, h), tile, edge);
            p.setClipping(false);
        }
    }
    TSkinSection& s = skin.Control(QStringLiteral("panel"), QStringLiteral("panel"));
    AddCheckImages(picture, s, w + 2, look, theme);
    s.Int(QStringLiteral("pictureindex"), skin.AddPicture(QStringLiteral("panel.bmp"), picture));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, w, h));
    NineParts(s, w, h, QMargins(edge, edge, edge, edge), TRect(2, 2, w - 2, h - 2));
    s.Int(QStringLiteral("bgpictureindex"), -1);
    // Like a classic panel the caption sits in the middle of the face.
    s.Rect(QStringLiteral("captionrect"), TRect(4, 2, w - 4, h - 2));
    s.Set(QStringLiteral("alignment"), QStringLiteral("tacenter"));
    BodyFont(s, look, look.Text);
}

// The status bar's face over r: a top line, a highlight under it and the skin's gradient;
// dark bars carry the theme's pattern, the frosted one a light snowfall.
void StatusFace(QPainter& p, const QRect& r, const TBoxLook& look, const TSkinTheme& theme) {
    Gradient(p, r, look.StatusTop, look.StatusBottom);
    if (theme.Pattern == TPattern::Snow)
        Pattern(p, r, theme, QColor(190, 222, 244, 200));
    else if (look.StatusBottom.lightness() < 128)
        Pattern(p, r, theme, look.PatternInk);
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), look.StatusLine);
    QColor light = look.Classic ? look.Light : Lighter(look.StatusTop, 0.5);
    light.setAlpha(look.StatusTop.lightness() < 128 ? 60 : 220);
    p.fillRect(QRect(r.left(), r.top() + 1, r.width(), 1), light);
}

void AddStatusBar(TSkinBuilder& skin, const TBoxLook& look) {
    const TSkinTheme& theme = skin.Theme();
    const int end = 16, w = end + PatternTile + end, h = 21;
    QImage picture = NewPicture(w, h, look.StatusBottom);
    {
        QPainter p(&picture);
        Begin(p);
        StatusFace(p, QRect(0, 0, w, h), look, theme);
    }
    TSkinSection& s = skin.Control(QStringLiteral("statusbar"), QStringLiteral("panel"));
    s.Int(QStringLiteral("pictureindex"),
          skin.AddPicture(QStringLiteral("statusbar.bmp"), picture));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, w, h));
    // Status panels (19 high) sit at (1, 1).
    BandParts(s, w, end, end, TRect(1, 1, w - 1, h - 1));
    s.Int(QStringLiteral("bgpictureindex"), -1);
    s.Rect(QStringLiteral("captionrect"), TRect(6, 1, w - 6, h - 1));
    s.Set(QStringLiteral("alignment"), QStringLiteral("taleftjustify"));
    BodyFont(s, look, look.StatusText);
}

void AddStatusPanel(TSkinBuilder& skin, const TBoxLook& look) {
    const TSkinTheme& theme = skin.Theme();
    const int w = 48, h = 19, end = 6;
    // The panel lies on the status bar at (1, 1): its corners show the bar's face.
    QImage bar = NewPicture(w, 21, look.StatusBottom);
    {
        QPainter p(&bar);
        Begin(p);
        StatusFace(p, QRect(0, 0, w, 21), look, theme);
    }
    QImage picture = bar.copy(0, 1, w, h);
    {
        QPainter p(&picture);
        Begin(p);
        if (look.Classic) {
            // A classic sunken cell: shadow above and left, light below and right.
            p.fillRect(QRect(0, 0, w, h), look.WellFill);
            p.fillRect(QRect(0, 0, w, 1), look.Shadow);
            p.fillRect(QRect(0, 0, 1, h), look.Shadow);
            p.fillRect(QRect(0, h - 1, w, 1), look.Light);
            p.fillRect(QRect(w - 1, 0, 1, h), look.Light);
        } else {
            Box(p, QRectF(0, 0, w, h), std::min(look.Radius, 3), look.WellBorder, look.WellFill);
            p.fillRect(QRect(3, 1, w - 6, 1), look.WellShade);
        }
    }
    TSkinSection& s = skin.Control(QStringLiteral("statuspanel"), QStringLiteral("label"));
    s.Int(QStringLiteral("pictureindex"),
          skin.AddPicture(QStringLiteral("statuspanel.bmp"), picture));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, w, h));
    // Narrow margins: the clock panel is 56 wide.
    BandParts(s, w, end, end, TRect(3, 0, w - 3, h));
    BodyFont(s, look, look.StatusText);
}

void AddLabel(TSkinBuilder& skin, const TBoxLook& look) {
    const int w = 48, h = 21, end = 6;
    QImage picture = NewPicture(w, h, look.Face);
    {
        QPainter p(&picture);
        Begin(p);
        QLinearGradient g(0, 0, 0, h);
        g.setColorAt(0, look.PlateTop);
        g.setColorAt(1, look.PlateBottom);
        Box(p, QRectF(0, 0, w, h), std::min(look.Radius, 3), look.PlateBorder, g);
    }
    TSkinSection& s = skin.Control(QStringLiteral("label"), QStringLiteral("label"));
    s.Int(QStringLiteral("pictureindex"), skin.AddPicture(QStringLiteral("label.bmp"), picture));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, w, h));
    BandParts(s, w, end, end, TRect(4, 0, w - 4, h));
    BodyFont(s, look, look.Text);
}

void AddStdLabel(TSkinBuilder& skin, const TBoxLook& look) {
    TSkinSection& s = skin.Control(QStringLiteral("stdlabel"), QStringLiteral("stdlabel"));
    BodyFont(s, look, look.Text);
    s.Color(QStringLiteral("activefontcolor"), look.LinkText);
}

void AddToolPanel(TSkinBuilder& skin, const TBoxLook& look) {
    const TSkinTheme& theme = skin.Theme();
    const int end = 16, w = end + PatternTile + end, h = 25;
    QImage picture = NewPicture(w, h, look.ToolBottom);
    {
        QPainter p(&picture);
        Begin(p);
        Gradient(p, QRect(0, 0, w, h), look.ToolTop, look.ToolBottom);
        if (theme.Face == TFaceStyle::Flat)
            Pattern(p, QRect(0, 0, w, h), theme, look.PatternInk);
        QColor light = look.Classic ? look.Light : Lighter(look.ToolTop, 0.6);
        p.fillRect(QRect(0, 0, w, 1), light);
        p.fillRect(QRect(0, h - 1, w, 1), look.ToolLine);
    }
    TSkinSection& s = skin.Control(QStringLiteral("toolpanel"), QStringLiteral("panel"));
    s.Int(QStringLiteral("pictureindex"),
          skin.AddPicture(QStringLiteral("toolpanel.bmp"), picture));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, w, h));
    BandParts(s, w, end, end, TRect(1, 0, w - 1, h));
    s.Int(QStringLiteral("bgpictureindex"), -1);
    BodyFont(s, look, look.Text);
}

} // namespace

void AddPanelBoxes(TSkinBuilder& skin, int texture) {
    const TBoxLook look = LookOf(skin.Theme());
    AddPanel(skin, look, texture);
    AddGroupBox(skin, look);
    AddStatusBar(skin, look);
    AddToolPanel(skin, look);
    AddLabel(skin, look);
    AddStatusPanel(skin, look);
    AddStdLabel(skin, look);
}
