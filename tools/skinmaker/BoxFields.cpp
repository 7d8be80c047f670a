// Edits, the memo and rich edit, and the combo boxes.
//
// The one-line fields are bands 20 high: a kept left end, a middle repeated across the
// width and a kept right end that holds the field's button. Button looks other than the
// normal one (which is part of the field) lie right of the field in the same picture.

#include "BoxLook.h"

using namespace BoxPaint;
using namespace SkinPaint;

namespace {

constexpr int FieldW = 48, FieldH = 20;
constexpr int FieldLeftEnd = 6, FieldRightEnd = 20; // the right end holds the button
constexpr int ButtonW = 17;
// The button inside a field: 17 x 16, two pixels from the right and the top.
const TRect FieldButtonRect(FieldW - 19, 2, FieldW - 2, 18);

int FieldRadius(const TBoxLook& look) {
    return std::min(look.Radius, 3);
}

// A 48 x 20 field at height y: normal, or lit for the mouse or the focus.
void Field(QPainter& p, int y, const TBoxLook& look, bool active, bool flat = false) {
    const QRect r(0, y, FieldW, FieldH);
    const int radius = flat ? std::min(look.Radius, 2) : FieldRadius(look);
    if (flat) {
        Box(p, r, radius, active ? look.FieldActiveBorder : look.FieldBorder, look.Field);
        return;
    }
    if (!active) {
        SunkenField(p, r, look, look.Field, radius);
        return;
    }
    SunkenField(p, r, look, look.FieldActiveFill, radius, look.FieldActiveBorder);
    if (!look.Classic) {
        // A soft glow inside the lit border.
        QColor glow = look.FieldActiveBorder;
        glow.setAlpha(70);
        p.save();
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(glow, 1));
        p.drawPath(Rounded(QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5), std::max(0, radius - 1)));
        p.restore();
    }
}

QRectF ButtonAt(int x, int y) {
    return QRectF(x, y, ButtonW, 16);
}

// The hot, pressed and disabled button looks in a row right of the field, on the field's
// own fill (their rectangles: SourceButton 0, 1 and 2).
void SourceButtons(QPainter& p, const TBoxLook& look, const TSkinTheme& theme, TFieldGlyph glyph) {
    const TFaceColors* states[] = {&theme.Hot, &theme.Down, &theme.Disabled};
    const int radius = std::min(look.Radius, 2);
    for (int i = 0; i < 3; ++i) {
        const QRectF r = ButtonAt(FieldW + i * ButtonW, 2);
        p.fillRect(r, look.Field);
        FieldButton(p, r, theme, *states[i], glyph, radius);
    }
}

TRect SourceButton(int i) {
    return TRect(FieldW + i * ButtonW, 2, FieldW + (i + 1) * ButtonW, 18);
}

void ButtonKeys(TSkinSection& s) {
    s.Rect(QStringLiteral("buttonrect"), FieldButtonRect);
    s.Rect(QStringLiteral("activebuttonrect"), SourceButton(0));
    s.Rect(QStringLiteral("downbuttonrect"), SourceButton(1));
    s.Rect(QStringLiteral("unenabledbuttonrect"), SourceButton(2));
}

void EditFontKeys(TSkinSection& s, const TBoxLook& look) {
    BodyFont(s, look, look.FieldText);
    s.Color(QStringLiteral("disabledfontcolor"), look.FieldDisabledText);
    s.Color(QStringLiteral("activefontcolor"), look.FieldText);
}

void AddEdit(TSkinBuilder& skin, const TBoxLook& look, bool withButton) {
    const TSkinTheme& theme = skin.Theme();
    const QString name = withButton ? QStringLiteral("buttonedit") : QStringLiteral("edit");
    QImage picture = NewPicture(withButton ? FieldW + 3 * ButtonW : FieldW, 2 * FieldH, look.Face);
    {
        QPainter p(&picture);
        Begin(p);
        for (int state = 0; state < 2; ++state) {
            Field(p, state * FieldH, look, state == 1);
            if (withButton)
                FieldButton(p, ButtonAt(FieldButtonRect.Left, FieldButtonRect.Top + state * FieldH),
                            theme, theme.Normal, TFieldGlyph::Ellipsis, std::min(look.Radius, 2));
        }
        if (withButton)
            SourceButtons(p, look, theme, TFieldGlyph::Ellipsis);
    }
    TSkinSection& s = skin.Control(name, QStringLiteral("edit"));
    s.Int(QStringLiteral("pictureindex"), skin.AddPicture(name + QStringLiteral(".bmp"), picture));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, FieldW, FieldH));
    const int textRight = withButton ? FieldButtonRect.Left - 2 : FieldW - 4;
    BandParts(s, FieldW, FieldLeftEnd, FieldRightEnd, TRect(4, 2, textRight, FieldH - 2));
    s.Rect(QStringLiteral("activeskinrect"), TRect(0, FieldH, FieldW, 2 * FieldH));
    EditFontKeys(s, look);
    if (withButton)
        ButtonKeys(s);
}

// The memo's frame: a sunken field fitted both ways; its text area has the memo's own
// colours ("bgcolor", "activebgcolor").
void AddMemo(TSkinBuilder& skin, const TBoxLook& look) {
    const int w = 48, h = 48;
    QImage picture = NewPicture(2 * w, h, look.Face);
    {
        QPainter p(&picture);
        Begin(p);
        SunkenField(p, QRect(0, 0, w, h), look, look.Field, FieldRadius(look));
        SunkenField(p, QRect(w, 0, w, h), look, look.Field, FieldRadius(look),
                    look.FieldActiveBorder);
    }
    const int index = skin.AddPicture(QStringLiteral("memo.bmp"), picture);
    const QColor activeBack = Mix(look.Field, look.FieldActiveBorder, 0.04);

    TSkinSection& s = skin.Control(QStringLiteral("memo"), QStringLiteral("memo"));
    s.Int(QStringLiteral("pictureindex"), index);
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, w, h));
    NineParts(s, w, h, QMargins(8, 8, 8, 8), TRect(2, 2, w - 2, h - 2));
    s.Rect(QStringLiteral("activeskinrect"), TRect(w, 0, 2 * w, h));
    EditFontKeys(s, look);
    s.Color(QStringLiteral("bgcolor"), look.Field);
    s.Color(QStringLiteral("activebgcolor"), activeBack);

    TSkinSection& r = skin.Control(QStringLiteral("richedit"), QStringLiteral("richedit"));
    r.Int(QStringLiteral("pictureindex"), index);
    r.Rect(QStringLiteral("skinrect"), TRect(0, 0, w, h));
    BodyFont(r, look, look.FieldText);
    r.Color(QStringLiteral("bgcolor"), look.Field);
}

// A combo box: a field with a drop button, and below it the item area's looks (plain and
// focused) that are fitted to the item area's width.
void AddComboBox(TSkinBuilder& skin, const TBoxLook& look, const QString& name, bool flat) {
    const TSkinTheme& theme = skin.Theme();
    const int itemW = 32, itemH = 16;
    QImage picture = NewPicture(FieldW + 3 * ButtonW, FieldH + 2 * itemH, look.Face);
    {
        QPainter p(&picture);
        Begin(p);
        if (flat) // its corners show the tool bar it stands on
            p.fillRect(QRect(0, 0, FieldW, FieldH), Mix(look.ToolTop, look.ToolBottom, 0.5));
        Field(p, 0, look, false, flat);
        const QRectF button = ButtonAt(FieldButtonRect.Left, FieldButtonRect.Top);
        if (flat) {
            // Tool bar combo: the arrow alone behind a thin divider until the mouse comes.
            p.fillRect(QRectF(button.left() - 1, 3, 1, FieldH - 6),
                       Mix(look.FieldBorder, look.Field, 0.4));
            Glyph(p, button, TGlyph::ArrowDown, look.FieldText);
        } else {
            FieldButton(p, button, theme, theme.Normal, TFieldGlyph::DropDown,
                        std::min(look.Radius, 2));
        }
        SourceButtons(p, look, theme, TFieldGlyph::DropDown);
        p.fillRect(QRect(0, FieldH, itemW, 2 * itemH), look.Field);
        Selection(p, QRectF(0, FieldH + itemH, itemW, itemH), look, false, false);
    }
    TSkinSection& s = skin.Control(name, QStringLiteral("combobox"));
    s.Int(QStringLiteral("pictureindex"), skin.AddPicture(name + QStringLiteral(".bmp"), picture));
    s.Rect(QStringLiteral("skinrect"), TRect(0, 0, FieldW, FieldH));
    BandParts(s, FieldW, FieldLeftEnd, FieldRightEnd,
              TRect(3, 2, FieldButtonRect.Left - 2, FieldH - 2));
    s.Rect(QStringLiteral("itemrect"), TRect(0, FieldH, itemW, FieldH + itemH));
    s.Rect(QStringLiteral("focusitemrect"), TRect(0, FieldH + itemH, itemW, FieldH + 2 * itemH));
    s.Int(QStringLiteral("itemleftoffset"), 3);
    s.Int(QStringLiteral("itemrightoffset"), 3);
    s.Rect(QStringLiteral("itemtextrect"), TRect(3, 0, itemW - 3, itemH));
    BodyFont(s, look, look.FieldText);
    s.Color(QStringLiteral("focusfontcolor"), look.SelText);
    s.Set(QStringLiteral("listboxname"), QStringLiteral("combolistbox"));
    ButtonKeys(s);
}

} // namespace

void AddFieldBoxes(TSkinBuilder& skin) {
    const TBoxLook look = LookOf(skin.Theme());
    AddEdit(skin, look, false);
    AddEdit(skin, look, true);
    AddMemo(skin, look);
    AddComboBox(skin, look, QStringLiteral("combobox"), false);
    AddComboBox(skin, look, QStringLiteral("toolcombobox"), true);
}
