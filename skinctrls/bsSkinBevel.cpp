// The skinned bevel: colours from the skin and the divider mode.

#include "skinctrls/bsSkinBevel.h"
#include "skin/bsSkinRecordLookup.h"

TbsSkinBevel::TbsSkinBevel(QWidget* parent) : TBevel(parent) {}

TbsSkinBevel::~TbsSkinBevel() = default;

void TbsSkinBevel::SetSkinData(TbsSkinData* value) {
    FSkinData = value;
    ApplySkin();
}

void TbsSkinBevel::SetSkinDataName(const QString& value) {
    FSkinDataName = value;
    ApplySkin();
}

void TbsSkinBevel::SetDividerMode(bool value) {
    FDividerMode = value;
    update();
}

void TbsSkinBevel::ApplySkin() {
    FLightColor = clBtnHighlight;
    FDarkColor = clBtnShadow;
    if (const auto* r =
            FindControlRecord<TbsDataSkinBevel>(FSkinData.data(), FSkinDataName).Record) {
        FLightColor = r->LightColor;
        FDarkColor = r->DarkColor;
    }
    update();
}

void TbsSkinBevel::Paint() {
    TCanvas& canvas = *Canvas();
    if (FDividerMode)
        DrawDivider(canvas);
    else
        DrawBevelShape(canvas, TRect(0, 0, Width(), Height()), Shape(), Style(), FLightColor,
                       FDarkColor);
}

void TbsSkinBevel::DrawDivider(TCanvas& canvas) {
    const TColor first = Style() == bsLowered ? FDarkColor : FLightColor;
    const TColor second = Style() == bsLowered ? FLightColor : FDarkColor;
    auto line = [&canvas](TPoint from, TPoint to, TColor color) {
        canvas.Pen.Color = color;
        canvas.MoveTo(from.X, from.Y);
        canvas.LineTo(to.X, to.Y);
    };
    switch (Shape()) {
    case bsTopLine:
    case bsBottomLine: {
        const int y = Height() / 2;
        line(TPoint(2, y - 1), TPoint(Width() - 2, y - 1), first);
        line(TPoint(2, y), TPoint(Width() - 2, y), second);
        break;
    }
    case bsSpacer:
        break;
    default: {
        const int x = Width() / 2;
        line(TPoint(x - 1, 2), TPoint(x - 1, Height() - 2), first);
        line(TPoint(x, 2), TPoint(x, Height() - 2), second);
        break;
    }
    }
}
