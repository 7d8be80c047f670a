// List boxes (plain, with check boxes, the combo box's drop list, and one with a caption
// bar), tree views and list views.
//
// A list picture holds the frame (fitted both ways) and, below it, the three item looks
// the list fits to its width: plain, selected while the list has no focus, and selected
// with the focus.

#include "BoxLook.h"

using namespace BoxPaint;
using namespace SkinPaint;

namespace {

constexpr int ListW = 48, ListH = 48, ItemH = 18, ItemEnd = 4;

int ListInset(const TBoxLook& look) {
    return look.Classic ? 2 : std::max(2, std::min(look.Radius, 3));
}

// The three item strips, `w` wide, from height y.
void ItemStrips(QPainter& p, int y, int w, const TBoxLook& look) {
    p.fillRect(QRect(0, y, w, 3 * ItemH), look.Field);
    Selection(p, QRectF(0, y + ItemH, w, ItemH), look, true, false);
    Selection(p, QRectF(0, y + 2 * ItemH, w, ItemH), look, false, true);
}

void ItemKeys(TSkinSection& s, int y, int w, int textLeft, const TBoxLook& look) {
    s.Rect(QStringLiteral("itemrect"), TRect(0, y, w, y + ItemH));
    s.Rect(QStringLiteral("activeitemrect"), TRect(0, y + ItemH, w, y + 2 * ItemH));
    s.Rect(QStringLiteral("focusitemrect"), TRect(0, y + 2 * ItemH, w, y + 3 * ItemH));
    s.Int(QStringLiteral("itemleftoffset"), ItemEnd);
    s.Int(QStringLiteral("itemrightoffset"), ItemEnd);
    s.Rect(QStringLiteral("itemtextrect"), TRect(textLeft, 0, w - 5, ItemH));
    BodyFont(s, look, look.FieldText);
    s.Color(QStringLiteral("activefontcolor"), look.SoftSelText);
    s.Color(QStringLiteral("focusfontcolor"), look.SelText);
    CaptionFont(s, look, look.BarText, QStringLiteral("caption"));
    s.Set(QStringLiteral("vscrollbarname"), QStringLiteral("vscrollbar"));
    s.Set(QStringLiteral("hscrollbarname"), QStringLiteral("hscrollbar"));
    s.Set(QStringLiteral("bothhscrollbarname"), QStringLiteral("bothhscrollbar"));
}

// A list whose frame is the 48 x 48 square at the top of its picture.
TSkinSection& SquareList(TSkinBuilder& skin, const QString& name, const QString& kind,
                         const QImage& picture, int inset) {
    TSkinSection& s = skin.Control(name, kind);
    s.Int(QStringLiteral("pictureindex"), skin.AddPicture(name + QStringLiteral(".bmp"), picture));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, ListW, ListH));
    NineParts(s, ListW, ListH, QMargins(8, 8, 8, 8),
              TRect(inset, inset, ListW - inset, ListH - inset));
    return s;
}

void AddListBox(TSkinBuilder& skin, const TBoxLook& look) {
    QImage picture = NewPicture(ListW, ListH + 3 * ItemH, look.Face);
    {
        QPainter p(&picture);
        Begin(p);
        SunkenField(p, QRect(0, 0, ListW, ListH), look, look.Field, std::min(look.Radius, 3));
        ItemStrips(p, ListH, ListW, look);
    }
    const int inset = ListInset(look);
    TSkinSection& s =
        SquareList(skin, QStringLiteral("listbox"), QStringLiteral("listbox"), picture, inset);
    ItemKeys(s, ListH, ListW, 5, look);
}

void AddCheckListBox(TSkinBuilder& skin, const TBoxLook& look) {
    const TSkinTheme& theme = skin.Theme();
    const int checkX = ListW + 2;
    QImage picture = NewPicture(ListW + 16, ListH + 3 * ItemH, look.Face);
    {
        QPainter p(&picture);
        Begin(p);
        SunkenField(p, QRect(0, 0, ListW, ListH), look, look.Field, std::min(look.Radius, 3));
        ItemStrips(p, ListH, ListW, look);
        p.fillRect(QRect(ListW, ListH, 16, 3 * ItemH), look.Field);
        CheckBox(p, QPoint(checkX, ListH + 1), look, theme, true);
        CheckBox(p, QPoint(checkX, ListH + 15), look, theme, false);
    }
    TSkinSection& s = SquareList(skin, QStringLiteral("checklistbox"),
                                 QStringLiteral("checklistbox"), picture, ListInset(look));
    ItemKeys(s, ListH, ListW, 21, look);
    s.Rect(QStringLiteral("itemcheckrect"), TRect(4, 2, 17, 15));
    s.Rect(QStringLiteral("checkimagerect"), TRect(checkX, ListH + 1, checkX + 13, ListH + 14));
    s.Rect(QStringLiteral("uncheckimagerect"), TRect(checkX, ListH + 15, checkX + 13, ListH + 28));
}

// The drop list of combo boxes: a thin single line round it, as a pop-up has.
void AddComboListBox(TSkinBuilder& skin, const TBoxLook& look) {
    QImage picture = NewPicture(ListW, ListH + 3 * ItemH, look.Face);
    {
        QPainter p(&picture);
        Begin(p);
        const QColor line =
            look.Classic ? look.Border : Mix(look.FieldBorder, look.FieldText, 0.25);
        Box(p, QRect(0, 0, ListW, ListH), 0, line, look.Field);
        ItemStrips(p, ListH, ListW, look);
    }
    TSkinSection& s =
        SquareList(skin, QStringLiteral("combolistbox"), QStringLiteral("listbox"), picture, 1);
    ItemKeys(s, ListH, ListW, 5, look);
}

// A list with a caption bar and its up, down and check buttons at the bar's right end
// (for lists in caption mode). The buttons' normal looks are part of the bar; the hot and
// pressed ones lie below the frame.
void AddCaptionListBox(TSkinBuilder& skin, const TBoxLook& look) {
    const TSkinTheme& theme = skin.Theme();
    const int left = 24, right = 56, tile = 96, bottom = 8;
    const int w = left + tile + right, h = 22 + 32 + bottom;
    const int sourceY = h, itemY = h + 15;
    const TGlyph glyphs[] = {TGlyph::ArrowUp, TGlyph::ArrowDown, TGlyph::Check};
    const QString names[] = {QStringLiteral("up"), QStringLiteral("down"), QStringLiteral("check")};
    QImage picture = NewPicture(w, itemY + 3 * ItemH, look.Face);
    {
        QPainter p(&picture);
        Begin(p);
        p.fillRect(QRect(0, 0, w, h), look.Face);
        CaptionedBox(p, QRect(0, 0, w, h), look, theme, look.Field);
        Ornament(p, QPointF(13, 11), look.Ornament == TOrnament::Star ? 12 : 10, look);
        for (int i = 0; i < 3; ++i) {
            Face(p, QRectF(w - 52 + 16 * i, 3, 15, 15), theme, theme.Normal, 2);
            Glyph(p, QRectF(w - 52 + 16 * i, 3, 15, 15), glyphs[i], theme.Normal.Text);
            const TFaceColors* states[] = {&theme.Hot, &theme.Down};
            for (int state = 0; state < 2; ++state) {
                const QRect cell(30 * i + 15 * state, sourceY, 15, 15);
                p.save();
                p.setClipRect(cell);
                CaptionBar(p, QRect(cell.left(), sourceY - 2, 15, 20), look, theme);
                Face(p, cell, theme, *states[state], 2);
                Glyph(p, cell, glyphs[i], states[state]->Text);
                p.restore();
            }
        }
        ItemStrips(p, itemY, ListW, look);
    }
    TSkinSection& s = skin.Control(QStringLiteral("captionlistbox"), QStringLiteral("listbox"));
    s.Int(QStringLiteral("pictureindex"),
          skin.AddPicture(QStringLiteral("captionlistbox.bmp"), picture));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, w, h));
    NineParts(s, w, h, QMargins(left, 22, right, bottom), TRect(3, 22, w - 3, h - 3));
    ItemKeys(s, itemY, ListW, 5, look);
    s.Rect(QStringLiteral("captionrect"), TRect(22, 1, w - 54, 21));
    for (int i = 0; i < 3; ++i) {
        const QString& n = names[i];
        const int x = w - 52 + 16 * i;
        s.Rect(n + QStringLiteral("buttonrect"), TRect(x, 3, x + 15, 18));
        s.Rect(QStringLiteral("active") + n + QStringLiteral("buttonrect"),
               TRect(30 * i, sourceY, 30 * i + 15, sourceY + 15));
        s.Rect(QStringLiteral("down") + n + QStringLiteral("buttonrect"),
               TRect(30 * i + 15, sourceY, 30 * i + 30, sourceY + 15));
    }
}

void AddViews(TSkinBuilder& skin, const TBoxLook& look) {
    for (const QString& name : {QStringLiteral("treeview"), QStringLiteral("listview")}) {
        TSkinSection& s = skin.Control(name, name);
        BodyFont(s, look, look.FieldText);
        s.Color(QStringLiteral("bgcolor"), look.Field);
    }
}

} // namespace

void AddListBoxes(TSkinBuilder& skin) {
    const TBoxLook look = LookOf(skin.Theme());
    AddListBox(skin, look);
    AddCheckListBox(skin, look);
    AddComboListBox(skin, look);
    AddCaptionListBox(skin, look);
    AddViews(skin, look);
}
