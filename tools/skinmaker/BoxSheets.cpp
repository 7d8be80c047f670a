// The rolling panel of the file dialogs, tabs, the grid, the control bar and the scroll box.

#include "BoxLook.h"

using namespace BoxPaint;
using namespace SkinPaint;

namespace {

// ---- rolling panel
//
// Picture: the unrolled panel (a captioned box fitted both ways) at the top left; under it
// the strip the panel becomes when rolled up vertically (a bar 22 high); right of it the
// column it becomes when rolled up sideways; right of that the caption buttons, 15 x 15,
// in rows close, roll left, restore right, roll up, restore down and columns normal, hot,
// pressed.

constexpr int PanelLeft = 24, PanelRight = 16, PanelTile = 96;
constexpr int PanelW = PanelLeft + PanelTile + PanelRight, PanelH = 22 + 32 + 6;
constexpr int StripH = 22, ColumnW = 22, ColumnTop = 40, ColumnBottom = 8;
constexpr int ColumnH = ColumnTop + PanelTile + ColumnBottom;
constexpr int ColumnX = PanelW, ButtonsX = PanelW + ColumnW + 2, ButtonSize = 15;

// A box that is only a caption bar (rows 1..20), across or turned into a column.
void BarBox(QPainter& p, const QRect& r, const TBoxLook& look, const TSkinTheme& theme,
            bool column) {
    const int radius = std::min(look.Radius, 3);
    RaisedFrame(p, r, look, radius);
    const int inset = look.Classic ? 2 : 1;
    p.save();
    p.setClipPath(Rounded(QRectF(r).adjusted(1, 1, -1, -1), std::max(0, radius - 1)));
    const QRect bar = r.adjusted(inset, inset, -inset, -inset);
    if (column)
        CaptionColumn(p, bar, look, theme);
    else
        CaptionBar(p, bar, look, theme);
    p.restore();
}

TRect ButtonCell(int row, int state) {
    const int x = ButtonsX + state * ButtonSize, y = row * ButtonSize;
    return TRect(x, y, x + ButtonSize, y + ButtonSize);
}

void DrawPanelButtons(QPainter& p, const TBoxLook& look, const TSkinTheme& theme) {
    const TGlyph glyphs[] = {TGlyph::Close, TGlyph::ArrowLeft, TGlyph::ArrowRight, TGlyph::RollUp,
                             TGlyph::RollDown};
    const TFaceColors* states[] = {&theme.Normal, &theme.Hot, &theme.Down};
    const QColor backdrop = Mix(look.BarTop, look.BarBottom, 0.5);
    for (int row = 0; row < 5; ++row)
        for (int state = 0; state < 3; ++state) {
            const TRect c = ButtonCell(row, state);
            const QRectF r(c.Left, c.Top, ButtonSize, ButtonSize);
            p.fillRect(r, backdrop);
            Face(p, r, theme, *states[state], std::min(look.Radius, 2));
            Glyph(p, r.adjusted(1, 1, -1, -1), glyphs[row], states[state]->Text, 1.4);
        }
}

void PanelButtonKeys(TSkinSection& s) {
    const QString rows[] = {QStringLiteral("closebutton"), QStringLiteral("hrollbutton"),
                            QStringLiteral("hrestorebutton"), QStringLiteral("vrollbutton"),
                            QStringLiteral("vrestorebutton")};
    const QString states[] = {QStringLiteral("rect"), QStringLiteral("activerect"),
                              QStringLiteral("downrect")};
    for (int row = 0; row < 5; ++row)
        for (int state = 0; state < 3; ++state)
            s.Rect(rows[row] + states[state], ButtonCell(row, state));
}

void AddExPanel(TSkinBuilder& skin, const TBoxLook& look) {
    const TSkinTheme& theme = skin.Theme();
    QImage picture = NewPicture(ButtonsX + 3 * ButtonSize, ColumnH, look.Face);
    {
        QPainter p(&picture);
        Begin(p);
        TBoxLook rounded = look;
        rounded.Radius = std::min(look.Radius, 3);
        CaptionedBox(p, QRect(0, 0, PanelW, PanelH), rounded, theme, look.Face);
        BarBox(p, QRect(0, PanelH, PanelW, StripH), look, theme, false);
        BarBox(p, QRect(ColumnX, 0, ColumnW, ColumnH), look, theme, true);
        for (int y : {11, PanelH + 11})
            Ornament(p, QPointF(13, y), look.Ornament == TOrnament::Star ? 12 : 10, look);
        DrawPanelButtons(p, look, theme);
    }
    TSkinSection& s = skin.Control(QStringLiteral("expanel"), QStringLiteral("expanel"));
    s.Int(QStringLiteral("pictureindex"), skin.AddPicture(QStringLiteral("expanel.bmp"), picture));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, PanelW, PanelH));
    NineParts(s, PanelW, PanelH, QMargins(PanelLeft, 22, PanelRight, 6),
              TRect(3, 22, PanelW - 3, PanelH - 3));
    s.Rect(QStringLiteral("rollhskinrect"), TRect(ColumnX, 0, ColumnX + ColumnW, ColumnH));
    s.Rect(QStringLiteral("rollvskinrect"), TRect(0, PanelH, PanelW, PanelH + StripH));
    s.Int(QStringLiteral("rollleftoffset"), PanelLeft);
    s.Int(QStringLiteral("rollrightoffset"), PanelRight);
    s.Int(QStringLiteral("rolltopoffset"), ColumnTop);
    s.Int(QStringLiteral("rollbottomoffset"), ColumnBottom);
    // Caption rectangles: the buttons go at their right (top) end, the text before them.
    s.Rect(QStringLiteral("rollvcaptionrect"), TRect(22, 3, PanelW - 3, 3 + ButtonSize));
    s.Rect(QStringLiteral("rollhcaptionrect"), TRect(3, 3, 3 + ButtonSize + 1, ColumnH - 3));
    PanelButtonKeys(s);
    s.Rect(QStringLiteral("captionrect"), TRect(22, 3, PanelW - 3, 3 + ButtonSize));
    CaptionFont(s, look, look.BarText);
}

// ---- tabs
//
// Picture: the page frame (48 + 16 square, fitted both ways), right of it the tab looks
// 48 x 22 stacked (normal, active, focused, hot) and the strip behind the tabs.

constexpr int PageSize = 64, TabW = 48, TabH = 22;

void TabShape(QPainter& p, const QRect& r, const TBoxLook& look, const QBrush& fill, bool raised,
              bool open) {
    const int radius = std::min(look.Radius, 4);
    const int top = raised ? 0 : 2;
    p.save();
    p.setClipRect(r);
    Box(p, QRectF(r.left(), r.top() + top, r.width(), r.height() - top + radius + 2), radius,
        look.Border, fill);
    if (!open)
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), look.Border);
    p.restore();
}

void AddTab(TSkinBuilder& skin, const TBoxLook& look) {
    QImage picture = NewPicture(PageSize + TabW + 16, 4 * TabH, look.Face);
    {
        QPainter p(&picture);
        Begin(p);
        RaisedFrame(p, QRect(0, 0, PageSize, PageSize), look, 0);
        QLinearGradient rest(0, 0, 0, TabH);
        rest.setColorAt(0, Mix(look.Face, look.Light, 0.3));
        rest.setColorAt(1, Mix(look.Face, look.Border, 0.22));
        QLinearGradient hot(0, 0, 0, TabH);
        hot.setColorAt(0, Mix(look.HotTint, look.Light, 0.3));
        hot.setColorAt(1, look.HotTint);
        const int x = PageSize;
        auto at = [&](QLinearGradient g, int y) {
            g.setStart(0, y);
            g.setFinalStop(0, y + TabH);
            return g;
        };
        TabShape(p, QRect(x, 0, TabW, TabH), look, at(rest, 0), false, false);
        TabShape(p, QRect(x, TabH, TabW, TabH), look, look.Face, true, true);
        TabShape(p, QRect(x, 2 * TabH, TabW, TabH), look, look.Face, true, true);
        p.fillRect(QRect(x + 2, 2 * TabH + 1, TabW - 4, 2), look.FieldActiveBorder);
        TabShape(p, QRect(x, 3 * TabH, TabW, TabH), look, at(hot, 3 * TabH), false, false);
        p.fillRect(QRect(x + TabW, TabH - 1, 16, 1), look.Border);
    }
    TSkinSection& s = skin.Control(QStringLiteral("tab"), QStringLiteral("tab"));
    s.Int(QStringLiteral("pictureindex"), skin.AddPicture(QStringLiteral("tab.bmp"), picture));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, PageSize, PageSize));
    const int x = PageSize;
    s.Rect(QStringLiteral("tabrect"), TRect(x, 0, x + TabW, TabH));
    s.Rect(QStringLiteral("activetabrect"), TRect(x, TabH, x + TabW, 2 * TabH));
    s.Rect(QStringLiteral("focustabrect"), TRect(x, 2 * TabH, x + TabW, 3 * TabH));
    s.Rect(QStringLiteral("mouseintabrect"), TRect(x, 3 * TabH, x + TabW, 4 * TabH));
    s.Int(QStringLiteral("bgpictureindex"), -1);
    NineParts(s, PageSize, PageSize, QMargins(8, 8, 8, 8), TRect(2, 2, PageSize - 2, PageSize - 2));
    s.Int(QStringLiteral("tableftoffset"), 6);
    s.Int(QStringLiteral("tabrightoffset"), 6);
    s.Rect(QStringLiteral("tabsbgrect"), TRect(x + TabW, 0, x + TabW + 16, TabH));
    BodyFont(s, look, look.Text);
    s.Color(QStringLiteral("activefontcolor"), look.Text);
    s.Color(QStringLiteral("focusfontcolor"), look.Text);
    s.Color(QStringLiteral("mouseinfontcolor"), look.LinkText);
    s.Set(QStringLiteral("updown"), QStringLiteral("hupdown"));
}

// ---- grid: the fixed (header) cell, the selected cell and the focused cell, 48 x 20.

void AddGrid(TSkinBuilder& skin, const TBoxLook& look) {
    const int w = 48, h = 20;
    const QColor lines = Mix(look.FieldBorder, look.Field, 0.45);
    QImage picture = NewPicture(w, 3 * h, look.Field);
    {
        QPainter p(&picture);
        Begin(p);
        Gradient(p, QRect(0, 0, w, h), look.ToolTop, look.ToolBottom);
        p.fillRect(QRect(0, 0, w, 1), look.Classic ? look.Light : Lighter(look.ToolTop, 0.5));
        p.fillRect(QRect(0, h - 1, w, 1), look.ToolLine);
        p.fillRect(QRect(w - 1, 0, 1, h), look.ToolLine);
        TBoxLook square = look;
        square.Radius = 0;
        Selection(p, QRectF(0, h, w, h), square, true, false);
        Selection(p, QRectF(0, 2 * h, w, h), square, false, true);
    }
    TSkinSection& s = skin.Control(QStringLiteral("grid"), QStringLiteral("grid"));
    s.Int(QStringLiteral("pictureindex"), skin.AddPicture(QStringLiteral("grid.bmp"), picture));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, w, 3 * h));
    s.Rect(QStringLiteral("fixedcellrect"), TRect(0, 0, w, h));
    s.Rect(QStringLiteral("selectcellrect"), TRect(0, h, w, 2 * h));
    s.Rect(QStringLiteral("focuscellrect"), TRect(0, 2 * h, w, 3 * h));
    s.Int(QStringLiteral("fixedcellleftoffset"), 2);
    s.Int(QStringLiteral("fixedcellrightoffset"), 2);
    s.Rect(QStringLiteral("fixedcelltextrect"), TRect(4, 0, w - 4, h));
    s.Int(QStringLiteral("cellleftoffset"), 2);
    s.Int(QStringLiteral("cellrightoffset"), 2);
    s.Rect(QStringLiteral("celltextrect"), TRect(4, 0, w - 4, h));
    s.Color(QStringLiteral("linescolor"), lines);
    s.Color(QStringLiteral("bgcolor"), look.Field);
    BodyFont(s, look, look.FieldText);
    s.Color(QStringLiteral("selectfontcolor"), look.SoftSelText);
    s.Color(QStringLiteral("focusfontcolor"), look.SelText);
    CaptionFont(s, look, look.Text, QStringLiteral("fixed"));
}

// ---- control bar: a flat dock and, below it, the look of one band with its grip.

void AddControlBar(TSkinBuilder& skin, const TBoxLook& look, int texture) {
    const int w = 48, h = 48, bandW = 64, bandH = 26;
    QImage picture = NewPicture(bandW, h + bandH, look.Face);
    {
        QPainter p(&picture);
        Begin(p);
        p.fillRect(QRect(0, 0, w, 1), look.Classic ? look.Light : Lighter(look.Face, 0.5));
        p.fillRect(QRect(0, h - 1, w, 1), look.Border);
        const QRect band(0, h, bandW, bandH);
        Gradient(p, band, look.ToolTop, look.ToolBottom);
        p.fillRect(QRect(0, h, bandW, 1), look.Classic ? look.Light : Lighter(look.ToolTop, 0.5));
        p.fillRect(QRect(0, h + bandH - 1, bandW, 1), look.ToolLine);
        Glyph(p, QRectF(1, h + 3, 8, bandH - 6), TGlyph::GripVertical,
              Mix(look.ToolLine, look.Text, 0.3));
    }
    TSkinSection& s = skin.Control(QStringLiteral("controlbar"), QStringLiteral("controlbar"));
    s.Int(QStringLiteral("pictureindex"),
          skin.AddPicture(QStringLiteral("controlbar.bmp"), picture));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, w, h));
    NineParts(s, w, h, QMargins(8, 8, 8, 8), TRect(2, 2, w - 2, h - 2));
    s.Rect(QStringLiteral("itemrect"), TRect(0, h, bandW, h + bandH));
    s.Int(QStringLiteral("bgpictureindex"), texture);
}

// ---- scroll box: a sunken frame round the panel face.

void AddScrollBox(TSkinBuilder& skin, const TBoxLook& look, int texture) {
    const int w = 48, h = 48;
    QImage picture = NewPicture(w, h, look.Face);
    {
        QPainter p(&picture);
        Begin(p);
        SunkenField(p, QRect(0, 0, w, h), look, look.Face, 0);
    }
    TSkinSection& s = skin.Control(QStringLiteral("scrollbox"), QStringLiteral("scrollbox"));
    s.Int(QStringLiteral("pictureindex"),
          skin.AddPicture(QStringLiteral("scrollbox.bmp"), picture));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, w, h));
    NineParts(s, w, h, QMargins(8, 8, 8, 8), TRect(2, 2, w - 2, h - 2));
    s.Int(QStringLiteral("bgpictureindex"), texture);
}

} // namespace

void AddSheetBoxes(TSkinBuilder& skin, int texture) {
    const TBoxLook look = LookOf(skin.Theme());
    AddExPanel(skin, look);
    AddTab(skin, look);
    AddGrid(skin, look);
    AddControlBar(skin, look, texture);
    AddScrollBox(skin, look, texture);
}
