// The skinned control base classes: record lookup, size fitting, window region and the
// off-screen paint pipeline, for windowed and window-less controls alike.

#include "skinctrls/bsSkinCtrls.h"

namespace {

constexpr int DefaultFontHeight = 14;
const QString DefaultFontName = QStringLiteral("Arial");

int LookUpRecord(const TbsSkinData* data, const QString& name) {
    if (!data || data->SkinEmpty)
        return -1;
    return data->IndexOfControl(name);
}

TbsDataSkinControl* RecordAt(const TbsSkinData* data, int index) {
    if (!data || index < 0 || index >= static_cast<int>(data->SkinControls.size()))
        return nullptr;
    return data->SkinControls[static_cast<size_t>(index)].get();
}

void SetUpDefaultFont(TFont& font) {
    font.SetName(DefaultFontName);
    font.SetHeight(DefaultFontHeight);
    font.SetStyle({});
}

void DrawFont(TFont& target, const TFont& defaultFont, bool useSkinFont, const QString& name,
              int height, const TFontStyles& style) {
    target.Assign(defaultFont);
    if (!useSkinFont)
        return;
    target.SetName(name);
    target.SetHeight(height);
    target.SetStyle(style);
    target.SetCharset(defaultFont.Charset());
}

} // namespace

// The paint pipeline both families share: nothing for an empty size, else fetch and
// compose off screen (the default or the skin image) at the screen's pixel ratio, ready to
// be drawn at (0, 0).
struct TbsSkinPaintAccess {
    template <class C> static TBitmap Render(C& control) {
        TBitmap bitmap;
        if (control.Width() <= 0 || control.Height() <= 0)
            return bitmap;
        control.FetchSkinRecord();
        bitmap.SetDevicePixelRatio(control.devicePixelRatioF());
        bitmap.SetSize(control.Width(), control.Height());
        if (control.FSkinIndex == -1)
            control.DrawDefaultImage(bitmap);
        else
            control.DrawSkinImage(bitmap);
        return bitmap;
    }
};

// The shared algorithms of the two custom-control families.
struct TbsCustomSkinRules {
    // Fetch; default sizes without a record or a refit with one; region and repaint.
    template <class C> static void Apply(C& c) {
        c.FetchSkinRecord();
        bool resized = false;
        if (c.SkinIndex() == -1) {
            int w = c.DefaultWidth() > 0 ? c.DefaultWidth() : c.Width();
            int h = c.DefaultHeight() > 0 ? c.DefaultHeight() : c.Height();
            if (w != c.Width() || h != c.Height()) {
                c.SetBounds(c.Left(), c.Top(), w, h);
                resized = true;
            }
        } else {
            int w = c.Width();
            int h = c.Height();
            c.FitSize(w, h);
            if (w != c.Width() || h != c.Height()) {
                c.SetBounds(c.Left(), c.Top(), w, h);
                resized = true;
            }
        }
        if (!resized || c.SkinIndex() == -1)
            c.RegionAndRepaint();
    }

    // The bounds rule: a requested size is fitted to the record before it is applied.
    // Returns whether a refit was made.
    template <class C> static bool FitRequest(C& c, int& width, int& height) {
        c.FetchSkinRecord();
        if (c.SkinIndex() == -1 || (width == c.Width() && height == c.Height()))
            return false;
        c.FitSize(width, height);
        return true;
    }

    // The record's picture composed at the bitmap's size; the default image without one.
    template <class C> static void DrawSkin(C& c, TBitmap& bitmap) {
        int w = bitmap.Width();
        int h = bitmap.Height();
        c.FitGeometry(w, h); // the fitted points of the size painted now
        if (!c.ComposeImage(bitmap, c.SkinRect, bitmap.Width(), bitmap.Height()))
            c.DrawDefaultImage(bitmap);
    }
};

// ---------------------------------------------------------------- TbsSkinControl

TbsSkinControl::TbsSkinControl(QWidget* parent) : TCustomControl(parent) {
    // Every pixel comes from the off-screen picture: no background erase, no flicker.
    SetControlStyle(ControlStyle() | csOpaque);
}

TbsSkinControl::~TbsSkinControl() = default;

void TbsSkinControl::SetSkinData(TbsSkinData* value) {
    FSkinData = value;
    if (value && !value->SkinEmpty)
        ApplySkin();
}

void TbsSkinControl::SetSkinDataName(const QString& value) {
    FSkinDataName = value;
}

TbsDataSkinControl* TbsSkinControl::SkinRecord() const {
    return RecordAt(FSkinData.data(), FSkinIndex);
}

void TbsSkinControl::FetchSkinRecord() {
    FSkinIndex = LookUpRecord(FSkinData.data(), FSkinDataName);
}

void TbsSkinControl::ApplySkin() {
    FetchSkinRecord();
    Invalidate();
}

void TbsSkinControl::ForgetSkin() {
    FSkinIndex = -1;
}

void TbsSkinControl::DrawDefaultImage(TBitmap&) {}

void TbsSkinControl::DrawSkinImage(TBitmap&) {}

TBitmap TbsSkinControl::RenderImage() {
    return TbsSkinPaintAccess::Render(*this);
}

void TbsSkinControl::Paint() {
    TBitmap bitmap = RenderImage();
    if (!bitmap.Empty())
        Canvas()->Draw(0, 0, bitmap);
}

// ---------------------------------------------------------------- TbsSkinCustomControl

TbsSkinCustomControl::TbsSkinCustomControl(QWidget* parent) : TbsSkinControl(parent) {
    SetUpDefaultFont(FDefaultFont);
    FDefaultFont.OnChange = [this] {
        DefaultFontChanged();
        if (FSkinIndex == -1)
            Invalidate();
    };
}

TbsSkinCustomControl::~TbsSkinCustomControl() {
    FDefaultFont.OnChange = nullptr;
}

void TbsSkinCustomControl::SetDefaultWidth(int value) {
    FDefaultWidth = value;
    if (FSkinIndex == -1 && value > 0)
        SetWidth(value);
}

void TbsSkinCustomControl::SetDefaultHeight(int value) {
    FDefaultHeight = value;
    if (FSkinIndex == -1 && value > 0)
        SetHeight(value);
}

void TbsSkinCustomControl::SetUseSkinFont(bool value) {
    if (value == FUseSkinFont)
        return;
    FUseSkinFont = value;
    Invalidate();
}

void TbsSkinCustomControl::FetchSkinRecord() {
    TbsSkinControl::FetchSkinRecord();
    if (FSkinIndex == -1) {
        ForgetPictures();
        return;
    }
    LoadGeometry(*SkinData(), *SkinRecord(), true);
}

void TbsSkinCustomControl::ApplySkin() {
    TbsCustomSkinRules::Apply(*this);
}

void TbsSkinCustomControl::ForgetSkin() {
    TbsSkinControl::ForgetSkin();
    ForgetPictures();
}

void TbsSkinCustomControl::FitSize(int& width, int& height) {
    FitGeometry(width, height);
}

void TbsSkinCustomControl::RegionAndRepaint() {
    UpdateRegion();
    Invalidate();
}

void TbsSkinCustomControl::UpdateRegion() {
    TbsRegion region;
    if (FSkinIndex != -1 && MaskPicture) {
        int w = Width();
        int h = Height();
        FitGeometry(w, h);
        region = MaskRegion(Width(), Height());
    }
    if (!region) {
        if (FRegion) {
            clearMask();
            FRegion.reset();
        }
        return;
    }
    FRegion = region;
    setMask(*region);
    update();
}

TRect TbsSkinCustomControl::MapSkinRect(const TRect& rect) const {
    return MapRect(rect, Width(), Height());
}

void TbsSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const bool refit = TbsCustomSkinRules::FitRequest(*this, AWidth, AHeight);
    TbsSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (refit)
        RegionAndRepaint();
}

void TbsSkinCustomControl::DrawDefaultImage(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(TRect(0, 0, bitmap.Width(), bitmap.Height()));
}

void TbsSkinCustomControl::DrawSkinImage(TBitmap& bitmap) {
    TbsCustomSkinRules::DrawSkin(*this, bitmap);
}

void TbsSkinCustomControl::AssignSkinFont(TFont& target, const QString& name, int height,
                                          const TFontStyles& style) const {
    DrawFont(target, FDefaultFont, FUseSkinFont, name, height, style);
}

// ---------------------------------------------------------------- TbsGraphicSkinControl

TbsGraphicSkinControl::TbsGraphicSkinControl(QWidget* parent) : TGraphicControl(parent) {
    SetControlStyle(ControlStyle() | csOpaque);
}

TbsGraphicSkinControl::~TbsGraphicSkinControl() = default;

void TbsGraphicSkinControl::SetSkinData(TbsSkinData* value) {
    FSkinData = value;
    if (value && !value->SkinEmpty)
        ApplySkin();
}

TbsDataSkinControl* TbsGraphicSkinControl::SkinRecord() const {
    return RecordAt(FSkinData.data(), FSkinIndex);
}

void TbsGraphicSkinControl::FetchSkinRecord() {
    FSkinIndex = LookUpRecord(FSkinData.data(), FSkinDataName);
}

void TbsGraphicSkinControl::ApplySkin() {
    FetchSkinRecord();
    Invalidate();
}

void TbsGraphicSkinControl::ForgetSkin() {
    FSkinIndex = -1;
}

void TbsGraphicSkinControl::DrawDefaultImage(TBitmap&) {}

void TbsGraphicSkinControl::DrawSkinImage(TBitmap&) {}

TBitmap TbsGraphicSkinControl::RenderImage() {
    return TbsSkinPaintAccess::Render(*this);
}

void TbsGraphicSkinControl::Paint() {
    TBitmap bitmap = RenderImage();
    if (!bitmap.Empty())
        Canvas()->Draw(0, 0, bitmap);
}

// ---------------------------------------------------------------- TbsGraphicSkinCustomControl

TbsGraphicSkinCustomControl::TbsGraphicSkinCustomControl(QWidget* parent)
    : TbsGraphicSkinControl(parent) {
    SetUpDefaultFont(FDefaultFont);
    FDefaultFont.OnChange = [this] {
        DefaultFontChanged();
        if (FSkinIndex == -1)
            Invalidate();
    };
}

TbsGraphicSkinCustomControl::~TbsGraphicSkinCustomControl() {
    FDefaultFont.OnChange = nullptr;
}

void TbsGraphicSkinCustomControl::SetDefaultWidth(int value) {
    FDefaultWidth = value;
    if (FSkinIndex == -1 && value > 0)
        SetWidth(value);
}

void TbsGraphicSkinCustomControl::SetDefaultHeight(int value) {
    FDefaultHeight = value;
    if (FSkinIndex == -1 && value > 0)
        SetHeight(value);
}

void TbsGraphicSkinCustomControl::SetUseSkinFont(bool value) {
    if (value == FUseSkinFont)
        return;
    FUseSkinFont = value;
    Invalidate();
}

void TbsGraphicSkinCustomControl::FetchSkinRecord() {
    TbsGraphicSkinControl::FetchSkinRecord();
    if (FSkinIndex == -1) {
        ForgetPictures();
        return;
    }
    LoadGeometry(*SkinData(), *SkinRecord(), false);
}

void TbsGraphicSkinCustomControl::ApplySkin() {
    TbsCustomSkinRules::Apply(*this);
}

void TbsGraphicSkinCustomControl::ForgetSkin() {
    TbsGraphicSkinControl::ForgetSkin();
    ForgetPictures();
}

void TbsGraphicSkinCustomControl::FitSize(int& width, int& height) {
    FitGeometry(width, height);
}

void TbsGraphicSkinCustomControl::RegionAndRepaint() {
    Invalidate();
}

TRect TbsGraphicSkinCustomControl::MapSkinRect(const TRect& rect) const {
    return MapRect(rect, Width(), Height());
}

void TbsGraphicSkinCustomControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const bool refit = TbsCustomSkinRules::FitRequest(*this, AWidth, AHeight);
    TbsGraphicSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (refit)
        RegionAndRepaint();
}

void TbsGraphicSkinCustomControl::DrawDefaultImage(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(TRect(0, 0, bitmap.Width(), bitmap.Height()));
}

void TbsGraphicSkinCustomControl::DrawSkinImage(TBitmap& bitmap) {
    TbsCustomSkinRules::DrawSkin(*this, bitmap);
}

void TbsGraphicSkinCustomControl::AssignSkinFont(TFont& target, const QString& name, int height,
                                                 const TFontStyles& style) const {
    DrawFont(target, FDefaultFont, FUseSkinFont, name, height, style);
}

// ---------------------------------------------------------------- helpers

bool TakeFocusForPress(TWinControl& control) {
    if (control.hasFocus())
        return true;
    if (control.CanFocus())
        control.SetFocus();
    // In a window that is not active yet the focus is recorded for its activation.
    return control.hasFocus() || control.window()->focusWidget() == &control;
}
