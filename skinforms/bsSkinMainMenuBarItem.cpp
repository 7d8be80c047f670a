// The objects of the main menu bar: hover, press and morph state, and the top-level items
// with their layout, their skinned and plain looks and the opening of their submenus.

#include "skinforms/bsSkinMainMenu.h"

#include "skin/bsUtils.h"

#include "framework/Canvas.h"

namespace {

// A look rect that is empty falls back to the next one.
const TRect& FirstNonEmpty(const TRect& a, const TRect& b) {
    return a.IsEmpty() ? b : a;
}

} // namespace

// ---------------------------------------------------------------- TbsMenuBarObject

TbsMenuBarObject::TbsMenuBarObject(TbsSkinMainMenuBar* bar, const TbsDataSkinObject* record,
                                   const TBitmap* picture)
    : Bar(bar), Picture(picture) {
    if (!record)
        return;
    SkinRect = record->SkinRect;
    ActiveSkinRect = record->ActiveSkinRect;
    MorphKind = record->MorphKind;
    Morphing = record->Morphing && !ActiveSkinRect.IsEmpty();
}

void TbsMenuBarObject::MouseDown(int, int, TMouseButton) {}

void TbsMenuBarObject::MouseUp(int, int, TMouseButton) {}

void TbsMenuBarObject::MouseEnter() {
    MouseInside = true;
    Active = true;
    Redraw();
}

void TbsMenuBarObject::MouseLeave() {
    MouseInside = false;
    Active = false;
    Redraw();
}

bool TbsMenuBarObject::IsMorphing() const {
    return Morphing && Morph.NeedsStep(Active);
}

void TbsMenuBarObject::StartMorphTimer() {
    Bar->StartMorph();
}

void TbsMenuBarObject::Redraw() {
    if (!ObjectRect.IsEmpty())
        Bar->update(ObjectRect.Left, ObjectRect.Top, ObjectRect.Width(), ObjectRect.Height());
}

// ---------------------------------------------------------------- TbsSkinMainMenuBarItem

TbsSkinMainMenuBarItem::TbsSkinMainMenuBarItem(TbsSkinMainMenuBar* bar, TMenuItem* menuItem,
                                               const TbsDataSkinMainMenuItem* record,
                                               const TBitmap* picture)
    : TbsMenuBarObject(bar, record && picture ? record : nullptr, picture), MenuItem(menuItem),
      HasSkin(record && picture), FRecord(HasSkin ? record : nullptr) {
    if (FRecord)
        DownRect = FirstNonEmpty(FRecord->DownRect, FirstNonEmpty(ActiveSkinRect, SkinRect));
    else
        Picture = nullptr;
    IDName = menuItem->objectName();
    Enabled = menuItem->Enabled();
    FEnabledWhenShown = Enabled;
}

bool TbsSkinMainMenuBarItem::HasSubitems() const {
    return MenuItem && MenuItem->Count() > 0;
}

void TbsSkinMainMenuBarItem::AssignItemFont(TFont& font) const {
    font.Assign(Bar->DefItemFont());
    if (!FRecord || !Bar->ItemsUseSkinFont())
        return;
    font.SetName(FRecord->FontName);
    font.SetHeight(FRecord->FontHeight);
    font.SetStyle(FRecord->FontStyle);
}

int TbsSkinMainMenuBarItem::TextWidth(TCanvas& canvas) {
    AssignItemFont(canvas.Font);
    const QString caption = MenuItem ? MenuItem->Caption() : QString();
    if (FMeasuredWidth >= 0 && caption == FMeasuredCaption && canvas.Font.SameAs(FMeasuredFont))
        return FMeasuredWidth;
    TRect r(0, 0, 0, 0);
    canvas.DrawText(caption, r, DT_CALCRECT | DT_SINGLELINE);
    FMeasuredCaption = caption;
    FMeasuredFont.Assign(canvas.Font);
    FMeasuredWidth = r.Width();
    return FMeasuredWidth;
}

void TbsSkinMainMenuBarItem::LayOut(int left, const TRect& itemsRect, int limit, TCanvas& measure) {
    const int textWidth = TextWidth(measure);
    if (FRecord) {
        const int width = FRecord->SkinRect.Width() - FRecord->TextRect.Width() + textWidth + 2;
        ObjectRect =
            TRect(left, itemsRect.Top, left + width, itemsRect.Top + FRecord->SkinRect.Height());
    } else {
        ObjectRect = TRect(left, itemsRect.Top, left + textWidth + 12, itemsRect.Bottom);
    }
    const bool fits = ObjectRect.Right <= limit;
    if (fits && !Shown)
        Enabled = FEnabledWhenShown;
    else if (!fits && Shown)
        FEnabledWhenShown = Enabled;
    if (!fits)
        Enabled = false;
    Shown = fits;
}

void TbsSkinMainMenuBarItem::SetMenuEnabled(bool enabled) {
    FEnabledWhenShown = enabled;
    if (Shown)
        Enabled = enabled;
}

void TbsSkinMainMenuBarItem::ReleaseDown() {
    SetDownState(false);
    Active = false;
    MouseInside = false;
    if (Morphing) {
        Morph.SetValue(1.0);
        StartMorph();
    }
    Redraw();
}

// ---- input

void TbsSkinMainMenuBarItem::MouseEnter() {
    if (TbsSkinMainMenuBarItem* down = Bar->DownItem(); down && down != this) {
        // Sliding along the bar: this item's submenu replaces the open one.
        down->ReleaseDown();
        MouseInside = true;
        Active = true;
        Morph.SetValue(1.0);
        Redraw();
        MouseDown(0, 0, mbLeft);
        return;
    }
    if (TbsSkinMainMenuBarItem* other = Bar->ActiveItem(this))
        other->MouseLeave();
    MouseInside = true;
    Active = true;
    if (Morphing)
        StartMorph();
    Redraw();
    if (Bar->OnItemMouseEnter)
        FireEvent(Bar->OnItemMouseEnter, Bar, MenuItem.data());
}

void TbsSkinMainMenuBarItem::MouseLeave() {
    Active = false;
    MouseInside = false;
    if (Morphing && Down())
        Morph.SetValue(0.0);
    if (Morphing)
        StartMorph();
    Redraw();
    if (Bar->OnItemMouseLeave)
        FireEvent(Bar->OnItemMouseLeave, Bar, MenuItem.data());
}

void TbsSkinMainMenuBarItem::MouseDown(int, int, TMouseButton button) {
    if (!Enabled || button != mbLeft || !MenuItem)
        return;
    if (HasSubitems()) {
        SetDownState(true);
        Redraw();
        Bar->OpenSubmenu(this);
    } else {
        Bar->RunCommand(this);
    }
}

// ---- looks

TBitmap TbsSkinMainMenuBarItem::SkinLook(const TRect& look, int width) const {
    TBitmap piece;
    CreateHSkinImage(FRecord->ItemLeftOffset, FRecord->ItemRightOffset, piece, width, look,
                     *Picture);
    return piece;
}

TBitmap TbsSkinMainMenuBarItem::Snapshot() {
    TBitmap image;
    if (ObjectRect.IsEmpty())
        return image;
    if (Bar)
        image.SetDevicePixelRatio(Bar->devicePixelRatioF());
    image.SetSize(ObjectRect.Width(), ObjectRect.Height());
    if (FRecord)
        DrawSkinned(image.Canvas());
    else
        DrawPlain(image.Canvas());
    return image;
}

void TbsSkinMainMenuBarItem::Draw(TCanvas& canvas) {
    if (!Shown || ObjectRect.IsEmpty())
        return;
    if (FRecord && (FRecord->SkinRect.IsEmpty() || FRecord->TextRect.IsEmpty()))
        return;
    canvas.Draw(ObjectRect.Left, ObjectRect.Top, Snapshot());
}

void TbsSkinMainMenuBarItem::DrawSkinned(TCanvas& c) {
    const int width = ObjectRect.Width();
    const bool activeLook = !Down() && Active && !ActiveSkinRect.IsEmpty();
    TBitmap back;
    if (Down()) {
        back = SkinLook(DownRect, width);
    } else if (Morphing && Morph.IsMorphing()) {
        TbsEffectBmp blend(SkinLook(SkinRect, width));
        blend.MorphBy(MorphKind, TbsEffectBmp(SkinLook(ActiveSkinRect, width)), Morph.Value());
        blend.AssignTo(back);
    } else {
        back = SkinLook(activeLook ? ActiveSkinRect : SkinRect, width);
    }
    c.Draw(0, 0, back);

    AssignItemFont(c.Font);
    TColor color = FRecord->UnEnabledFontColor;
    if (Down())
        color = FRecord->DownFontColor;
    else if (activeLook)
        color = FRecord->ActiveFontColor;
    else if (MenuItem && MenuItem->Enabled())
        color = FRecord->FontColor;
    c.Font.SetColor(color);
    const QString caption = MenuItem ? MenuItem->Caption() : QString();
    TRect text(0, 0, 0, 0);
    c.DrawText(caption, text, DT_CALCRECT | DT_SINGLELINE);
    text = TRect(FRecord->TextRect.Left, FRecord->TextRect.Top,
                 FRecord->TextRect.Left + text.Width() + 2, FRecord->TextRect.Top + text.Height());
    c.Brush.Style = bsClear;
    c.DrawText(caption, text, DT_CENTER | DT_SINGLELINE);
    c.Brush.Style = bsSolid;
}

void TbsSkinMainMenuBarItem::DrawPlain(TCanvas& c) {
    const TRect r(0, 0, ObjectRect.Width(), ObjectRect.Height());
    if (Down() || Active) {
        c.Brush.Color = bsDefaultColors::Frame;
        c.FrameRect(r);
        c.Brush.Color = Down() ? bsDefaultColors::PressedFill : bsDefaultColors::HotFill;
        c.FillRect(TRect(1, 1, r.Right - 1, r.Bottom - 1));
    } else {
        c.Brush.Color = clBtnFace;
        c.FillRect(r);
    }
    AssignItemFont(c.Font);
    if (!MenuItem || !MenuItem->Enabled())
        c.Font.SetColor(clBtnShadow);
    TRect text = r;
    if (Down())
        text.Offset(1, 1);
    c.Brush.Style = bsClear;
    c.DrawText(MenuItem ? MenuItem->Caption() : QString(), text,
               DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    c.Brush.Style = bsSolid;
}
