#include "calendar/TFlatEditUnit.h"

#include "framework/Canvas.h"
#include "framework/Forms.h"

#include <QApplication>
#include <algorithm>

TCustomFlatEdit::TCustomFlatEdit(QWidget* parent) : TCustomEdit(parent) {
    SetBorderStyle(bsNone);
    SetCtl3D(false);
    SetBounds(Left(), Top(), 121, 19);
    TakeParentColor();
    RedrawFlatBorder();
}

TCustomFlatEdit::~TCustomFlatEdit() = default;

// ---------------------------------------------------------------------------------------
// Colours

TColor TCustomFlatEdit::Colors(int index) const {
    switch (index) {
    case 0:
        return FColorFocused;
    case 1:
        return FColorBorder;
    default:
        return FColorFlat;
    }
}

void TCustomFlatEdit::SetColors(int index, TColor value) {
    switch (index) {
    case 0:
        FColorFocused = value;
        break;
    case 1:
        FColorBorder = value;
        break;
    case 2:
        FColorFlat = value;
        FParentColor = false;
        break;
    default:
        return;
    }
    RedrawFlatBorder();
}

void TCustomFlatEdit::SetParentColor(bool value) {
    FParentColor = value;
    if (value) {
        TakeParentColor();
        RedrawFlatBorder();
    }
}

void TCustomFlatEdit::TakeParentColor() {
    if (TControl* parent = Parent())
        FColorFlat = parent->Color();
}

void TCustomFlatEdit::SetUseAdvColors(bool value) {
    if (value == FUseAdvColors)
        return;
    FUseAdvColors = value;
    SetParentColor(value);
    CalcAdvColors();
    RedrawFlatBorder();
}

TAdvColors TCustomFlatEdit::AdvColors(int index) const {
    return index == 0 ? FAdvColorFocused : FAdvColorBorder;
}

void TCustomFlatEdit::SetAdvColors(int index, TAdvColors value) {
    value = std::clamp(value, 0, 100);
    if (index == 0)
        FAdvColorFocused = value;
    else if (index == 1)
        FAdvColorBorder = value;
    else
        return;
    if (FUseAdvColors) {
        CalcAdvColors();
        RedrawFlatBorder();
    }
}

void TCustomFlatEdit::CalcAdvColors() {
    if (!FUseAdvColors)
        return;
    FColorFocused = AdvancedColor(FColorFlat, FColorFocused, FAdvColorFocused, TLightness::Lighten);
    FColorBorder = AdvancedColor(FColorFlat, FColorBorder, FAdvColorBorder, TLightness::Darken);
}

void TCustomFlatEdit::ParentColorChanged() {
    if (FUseAdvColors) {
        TakeParentColor();
        CalcAdvColors();
    } else if (FParentColor) {
        TakeParentColor();
    }
    RedrawFlatBorder();
}

void TCustomFlatEdit::SetParent(TWinControl* parent) {
    TCustomEdit::SetParent(parent);
    if (FParentColor || FUseAdvColors)
        ParentColorChanged();
}

// ---------------------------------------------------------------------------------------
// The frame

TRect TCustomFlatEdit::ClientRect() const {
    return TRect(FrameWidth, FrameWidth, std::max(FrameWidth, width() - FrameWidth),
                 std::max(FrameWidth, height() - FrameWidth));
}

bool TCustomFlatEdit::LooksActive() const {
    if (hasFocus())
        return true;
    return FMouseInside && !qobject_cast<TCustomFlatEdit*>(Screen->ActiveControl());
}

void TCustomFlatEdit::RedrawFlatBorder() {
    FActiveLook = LooksActive();
    // The editor's background is the control's Color.
    TControl::SetColor(FActiveLook ? FColorFocused : FColorFlat);
    update();
}

void TCustomFlatEdit::Paint() {
    TCanvas& canvas = *Canvas();
    TRect r(0, 0, width(), height());
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = FColorBorder;
    canvas.FrameRect(r);
    canvas.Brush.Color = FActiveLook ? FColorFocused : FColorFlat;
    for (int i = 0; i < 2; ++i) {
        r.Inflate(-1, -1);
        canvas.FrameRect(r);
    }
    canvas.Brush.Color = Color();
    canvas.FillRect(ClientRect());
}

void TCustomFlatEdit::DoEnter() {
    RedrawFlatBorder();
    TCustomEdit::DoEnter();
}

void TCustomFlatEdit::DoExit() {
    RedrawFlatBorder();
    TCustomEdit::DoExit();
}

void TCustomFlatEdit::MouseEnter() {
    TCustomEdit::MouseEnter();
    if (QApplication::activeWindow()) {
        FMouseInside = true;
        RedrawFlatBorder();
    }
}

void TCustomFlatEdit::MouseLeave() {
    TCustomEdit::MouseLeave();
    FMouseInside = false;
    RedrawFlatBorder();
}

void TCustomFlatEdit::EnabledChanged() {
    TCustomEdit::EnabledChanged();
    RedrawFlatBorder();
}

// ---------------------------------------------------------------------------------------
// Height

void TCustomFlatEdit::Loaded() {
    AdjustFlatHeight();
}

void TCustomFlatEdit::AdjustFlatHeight() {
    if (FAdjustingHeight)
        return;
    FAdjustingHeight = true;
    SetHeight(Canvas()->TextHeight(QStringLiteral("Wg")) + 2 * FrameWidth);
    FAdjustingHeight = false;
}

void TCustomFlatEdit::FontChanged() {
    TCustomEdit::FontChanged();
    Canvas()->Font.Assign(*Font());
    AdjustFlatHeight();
}
