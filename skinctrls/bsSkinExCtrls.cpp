// The skinned splitter.

#include "skinctrls/bsSkinExCtrls.h"

#include "skin/bsSkinRecordLookup.h"

// ---------------------------------------------------------------- splitter

TbsSkinSplitter::TbsSkinSplitter(QWidget* parent) : TSplitter(parent) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetWidth(FDefaultSize);
}

TbsSkinSplitter::~TbsSkinSplitter() = default;

void TbsSkinSplitter::SetSkinData(TbsSkinData* value) {
    FSkinData = value;
    ApplySkin();
}

void TbsSkinSplitter::SetSkinDataName(const QString& value) {
    FSkinDataName = value;
    ApplySkin();
}

void TbsSkinSplitter::SetDefaultSize(int value) {
    FDefaultSize = value;
    ApplySkin();
}

void TbsSkinSplitter::ForgetSkin() {
    FSkinIndex = -1;
}

void TbsSkinSplitter::ApplySkin() {
    const auto found =
        FindControlRecord<TbsDataSkinSplitterControl>(FSkinData.data(), FSkinDataName);
    FSkinIndex = found.Record ? found.Index : -1;
    const bool across = Align() == alTop || Align() == alBottom;
    int size = FDefaultSize;
    if (found.Record)
        size = across ? found.Record->SkinRect.Height() : found.Record->SkinRect.Width();
    if (across)
        SetHeight(size);
    else
        SetWidth(size);
    SetMinSize(size);
    Invalidate();
}

TBitmap TbsSkinSplitter::RenderImage() {
    TBitmap bitmap;
    bitmap.SetDevicePixelRatio(devicePixelRatioF());
    bitmap.SetSize(Width(), Height());
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = Color();
    canvas.FillRect(TRect(0, 0, Width(), Height()));
    DrawSkin(canvas);
    return bitmap;
}

const TbsDataSkinSplitterControl* TbsSkinSplitter::DrawnRecord() const {
    if (FSkinIndex == -1 || Align() == alNone || Align() == alClient)
        return nullptr;
    return FindControlRecord<TbsDataSkinSplitterControl>(FSkinData.data(), FSkinDataName).Record;
}

void TbsSkinSplitter::Paint() {
    if (!DrawnRecord()) {
        TSplitter::Paint();
        return;
    }
    DrawSkin(*Canvas());
}

void TbsSkinSplitter::DrawSkin(TCanvas& canvas) {
    const TbsDataSkinSplitterControl* r = DrawnRecord();
    if (!r)
        return;
    const auto& pictures = FSkinData->ActivePictures;
    if (r->PictureIndex < 0 || r->PictureIndex >= static_cast<int>(pictures.size()))
        return;
    const TBitmap* picture = pictures[static_cast<size_t>(r->PictureIndex)].get();
    if (!picture || picture->Empty())
        return;
    const TRect& skin = r->SkinRect;
    TBitmap piece;
    if (Align() == alTop || Align() == alBottom)
        CreateHSkinImage(r->LeftTopPoint.X, skin.Width() - r->RightTopPoint.X, piece, Width(), skin,
                         *picture);
    else
        CreateVSkinImage(r->LeftTopPoint.Y, skin.Height() - r->LeftBottomPoint.Y, piece, Height(),
                         skin, *picture);
    canvas.Draw(0, 0, piece);
}
