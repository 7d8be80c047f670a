// TbsSkinSpeedButton: the window-less skinned button of tool bars. No focus, no keys.

#include "skinctrls/bsSkinButton.h"

#include <algorithm>

TbsSkinSpeedButton::TbsSkinSpeedButton(QWidget* parent) : TbsGraphicSkinCustomControl(parent) {
    FSkinDataName = QStringLiteral("toolbutton");
    SetControlStyle((ControlStyle() | csCaptureMouse | csDoubleClicks | csOpaque) & ~csClickEvents);
    SetBounds(Left(), Top(), 25, 25);
}

TbsSkinSpeedButton::~TbsSkinSpeedButton() = default;

// ---------------------------------------------------------------- properties

void TbsSkinSpeedButton::SetTransparent(bool value) {
    FTransparent = value;
    SetControlStyle(value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    if (value) {
        FCore.StopMorph();
        FCore.Morph.SetValue(0.0);
    }
    Invalidate();
}

void TbsSkinSpeedButton::SetFlat(bool value) {
    FFlat = value;
    if (value)
        SetTransparent(true);
    else
        Invalidate();
}

void TbsSkinSpeedButton::SetShowCaption(bool value) {
    FShowCaption = value;
    if (WidthWithCaption > 0 && WidthWithoutCaption > 0)
        SetWidth(value ? WidthWithCaption : WidthWithoutCaption);
    Invalidate();
}

// ---------------------------------------------------------------- record

void TbsSkinSpeedButton::FetchSkinRecord() {
    TbsGraphicSkinCustomControl::FetchSkinRecord();
    if (auto* record = SkinRecordAs<TbsDataSkinButtonControl>())
        FSkin.Load(*record, SkinRect);
}

void TbsSkinSpeedButton::ApplySkin() {
    FCore.BeginApplySkin();
    TbsGraphicSkinCustomControl::ApplySkin();
    FCore.EndApplySkin();
}

// ---------------------------------------------------------------- painting

TbsButtonContent TbsSkinSpeedButton::Content(int glyphFrame) const {
    TbsButtonContent content = FLook.Content(Caption(), glyphFrame);
    content.ShowCaption = FShowCaption;
    return content;
}

void TbsSkinSpeedButton::PrepareFont(TCanvas& canvas, bool active, bool down) const {
    const bool disabled = !isEnabled();
    if (FSkinIndex != -1) {
        AssignSkinFont(canvas.Font, FSkin.FontName, FSkin.FontHeight, FSkin.FontStyle);
        canvas.Font.SetColor(FSkin.FontColorFor(active, down, disabled));
    } else {
        canvas.Font.Assign(*DefaultFont());
        if (disabled)
            canvas.Font.SetColor(clBtnShadow);
    }
}

void TbsSkinSpeedButton::DrawButtonFace(TBitmap& bitmap, const TRect& stateRect, bool active,
                                        bool down) {
    const bool disabled = !isEnabled();
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    if (!ComposeImage(bitmap, stateRect, width, height))
        DrawDefaultFace(bitmap.Canvas(), TRect(0, 0, width, height),
                        down ? TbsDefaultLook::Pressed
                             : (active ? TbsDefaultLook::Hot : TbsDefaultLook::Normal));
    TCanvas& canvas = bitmap.Canvas();
    PrepareFont(canvas, active, down);
    DrawButtonContent(canvas, FittedClientRect,
                      Content(GlyphFrameFor(active, down, disabled, FLook.NumGlyphs)), down);
}

void TbsSkinSpeedButton::DrawSkinImage(TBitmap& bitmap) {
    int w = bitmap.Width();
    int h = bitmap.Height();
    FitGeometry(w, h);
    if (Morphs() && FCore.Morph.IsMorphing() && isEnabled()) {
        ComposeMorphedFace(bitmap, bitmap.Width(), bitmap.Height(), SkinRect, FSkin.ActiveSkinRect,
                           FSkin.MorphKind, FCore.Morph.Value(),
                           [this](TBitmap& face, const TRect& rect, bool active, bool down) {
                               DrawButtonFace(face, rect, active, down);
                           });
        return;
    }
    if (!isEnabled())
        DrawButtonFace(bitmap, FSkin.DisabledSkinRect.IsEmpty() ? SkinRect : FSkin.DisabledSkinRect,
                       false, false);
    else if (PressedLook())
        DrawButtonFace(bitmap, FSkin.DownSkinRect, true, true);
    else if (Hot())
        DrawButtonFace(bitmap, FSkin.ActiveSkinRect, true, false);
    else if (!FSkin.Morphing || FCore.Morph.Value() != 1.0)
        DrawButtonFace(bitmap, SkinRect, false, false);
    else
        DrawButtonFace(bitmap, FSkin.ActiveSkinRect, true, false);
}

void TbsSkinSpeedButton::DrawDefaultImage(TBitmap& bitmap) {
    const TRect rect(0, 0, bitmap.Width(), bitmap.Height());
    TCanvas& canvas = bitmap.Canvas();
    bool down = false;
    if (PressedLook()) {
        DrawDefaultFace(canvas, rect, TbsDefaultLook::Pressed);
        down = true;
    } else if (Hot()) {
        DrawDefaultFace(canvas, rect, TbsDefaultLook::Hot);
    } else if (FFlat) {
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = clBtnFace;
        canvas.FillRect(rect);
    } else {
        DrawDefaultFace(canvas, rect, TbsDefaultLook::Normal);
    }
    PrepareFont(canvas, Hot(), Down());
    DrawButtonContent(canvas, rect,
                      Content(GlyphFrameFor(Hot(), Down(), !isEnabled(), FLook.NumGlyphs)), down);
}

void TbsSkinSpeedButton::Paint() {
    if (Width() <= 0 || Height() <= 0)
        return;
    if (!DrawsBare()) {
        TbsGraphicSkinCustomControl::Paint();
        return;
    }
    // At rest a transparent button shows only its glyph and caption over the parent.
    FetchSkinRecord();
    TCanvas& canvas = *Canvas();
    PrepareFont(canvas, false, false);
    TRect rect(0, 0, Width(), Height());
    if (FSkinIndex != -1) {
        int w = Width();
        int h = Height();
        FitGeometry(w, h);
        rect = FittedClientRect;
    }
    DrawButtonContent(canvas, rect,
                      Content(GlyphFrameFor(false, false, !isEnabled(), FLook.NumGlyphs)), false);
}

// ---------------------------------------------------------------- behaviour

void TbsSkinSpeedButton::ButtonClick() {
    FireEvent(OnClick, this);
}

void TbsSkinSpeedButton::Click() {
    ButtonClick();
}

void TbsSkinSpeedButton::MouseEnter() {
    TbsGraphicSkinCustomControl::MouseEnter();
    if (isEnabled())
        FCore.Enter();
}

void TbsSkinSpeedButton::MouseLeave() {
    TbsGraphicSkinCustomControl::MouseLeave();
    if (isEnabled())
        FCore.Leave();
}

void TbsSkinSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft)
        FCore.Press();
    TbsGraphicSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TbsSkinSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
    switch (FCore.HeldPointerAt(PtInRect(ClientRect(), TPoint(X, Y)))) {
    case TbsButtonCore::TCrossing::Entered:
        MouseEnter();
        break;
    case TbsButtonCore::TCrossing::Left:
        MouseLeave();
        break;
    case TbsButtonCore::TCrossing::None:
        break;
    }
    TbsGraphicSkinCustomControl::MouseMove(Shift, X, Y);
}

void TbsSkinSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft)
        FCore.Release();
    TbsGraphicSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TbsSkinSpeedButton::EnabledChanged() {
    FCore.EnabledChanged();
}

void TbsSkinSpeedButton::TextChanged() {
    Invalidate();
}
