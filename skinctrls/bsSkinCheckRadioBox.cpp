// The skinned check box / radio button: checking and exclusive groups, toggling by mouse,
// space key and accelerator, and the flat and face looks.

#include "skinctrls/bsSkinCheckRadioBox.h"

#include "framework/Menus.h"

namespace {

constexpr int DefaultMarkSize = 14;
constexpr int DefaultCaptionX = 22;
constexpr int ImageGap = 5;

TRect OrElse(const TRect& rect, const TRect& fallback) {
    return IsNullRect(rect) ? fallback : rect;
}

} // namespace

TbsSkinCheckRadioBox::TbsSkinCheckRadioBox(QWidget* parent) : TbsSkinCustomControl(parent) {
    FSkinDataName = QStringLiteral("checkbox");
    // OnClick comes from Checked changing, not from every click.
    SetControlStyle(ControlStyle() & ~csClickEvents);
    SetBounds(Left(), Top(), 150, 25);
    SetTabStop(false);
}

TbsSkinCheckRadioBox::~TbsSkinCheckRadioBox() = default;

// ---------------------------------------------------------------- properties

void TbsSkinCheckRadioBox::SetChecked(bool value) {
    if (value == FChecked)
        return;
    FChecked = value;
    Invalidate();
    if (FChecked && FGroupIndex != 0)
        UncheckGroupSiblings();
    if (!FRadio || FChecked)
        FireEvent(OnClick, this);
}

void TbsSkinCheckRadioBox::UncheckGroupSiblings() {
    TWinControl* parent = Parent();
    if (!parent)
        return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* box = dynamic_cast<TbsSkinCheckRadioBox*>(parent->Controls(i));
        if (box && box != this && box->FGroupIndex == FGroupIndex && box->FChecked)
            box->SetChecked(false);
    }
}

void TbsSkinCheckRadioBox::SetRadio(bool value) {
    FRadio = value;
    Invalidate();
}

void TbsSkinCheckRadioBox::SetFlat(bool value) {
    FFlat = value;
    Invalidate();
}

void TbsSkinCheckRadioBox::SetCanFocused(bool value) {
    FCanFocused = value;
    SetTabStop(value);
}

void TbsSkinCheckRadioBox::SetTabStop(bool value) {
    TbsSkinCustomControl::SetTabStop(value);
    setFocusPolicy(FCanFocused ? (value ? Qt::StrongFocus : Qt::ClickFocus) : Qt::NoFocus);
}

void TbsSkinCheckRadioBox::SetImages(TImageList* value) {
    FImages = value;
    Invalidate();
}

void TbsSkinCheckRadioBox::SetImageIndex(int value) {
    FImageIndex = value;
    Invalidate();
}

void TbsSkinCheckRadioBox::FetchSkinRecord() {
    TbsSkinCustomControl::FetchSkinRecord();
    FHasMarkRecord = false;
    const auto* r = SkinRecordAs<TbsDataSkinCheckRadioControl>();
    if (!r || !Picture)
        return;
    FHasMarkRecord = true;
    FRecord.FontName = r->FontName;
    FRecord.FontHeight = r->FontHeight;
    FRecord.FontStyle = r->FontStyle;
    FRecord.FontColor = r->FontColor;
    FRecord.ActiveFontColor = r->ActiveFontColor;
    FRecord.FrameFontColor = r->FrameFontColor;
    FRecord.UnEnabledFontColor = r->UnEnabledFontColor;
    FRecord.ActiveSkinRect = r->ActiveSkinRect;
    FRecord.CheckImageArea = r->CheckImageArea;
    FRecord.TextArea = r->TextArea;
    FRecord.CheckImageRect = r->CheckImageRect;
    FRecord.UnCheckImageRect = r->UnCheckImageRect;
    FRecord.ActiveCheckImageRect = OrElse(r->ActiveCheckImageRect, r->CheckImageRect);
    FRecord.ActiveUnCheckImageRect = OrElse(r->ActiveUnCheckImageRect, r->UnCheckImageRect);
    FRecord.UnEnabledCheckImageRect = OrElse(r->UnEnabledCheckImageRect, r->CheckImageRect);
    FRecord.UnEnabledUnCheckImageRect = OrElse(r->UnEnabledUnCheckImageRect, r->UnCheckImageRect);
}

// ---------------------------------------------------------------- input

void TbsSkinCheckRadioBox::Toggle() {
    if (!FRadio)
        SetChecked(!FChecked);
    else if (!FChecked)
        SetChecked(true);
}

void TbsSkinCheckRadioBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        if (FCanFocused && !hasFocus()) {
            if (!CanFocus())
                return;
            setFocus(Qt::MouseFocusReason);
            if (!hasFocus() && isActiveWindow())
                return;
        }
        SetMouseOver(true);
    }
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TbsSkinCheckRadioBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && FMouseOver && PtInRect(TRect(0, 0, Width(), Height()), TPoint(X, Y)))
        Toggle();
}

void TbsSkinCheckRadioBox::MouseEnter() {
    SetMouseOver(true);
    TbsSkinCustomControl::MouseEnter();
}

void TbsSkinCheckRadioBox::MouseLeave() {
    SetMouseOver(false);
    TbsSkinCustomControl::MouseLeave();
}

void TbsSkinCheckRadioBox::SetMouseOver(bool value) {
    if (value == FMouseOver)
        return;
    FMouseOver = value;
    Invalidate();
}

void TbsSkinCheckRadioBox::KeyUp(int& Key, TShiftState Shift) {
    TbsSkinCustomControl::KeyUp(Key, Shift);
    if (FCanFocused && Key == VK_SPACE)
        Toggle();
}

bool TbsSkinCheckRadioBox::WantsKey(int key, TShiftState shift) const {
    return (FCanFocused && key == VK_SPACE) || TbsSkinCustomControl::WantsKey(key, shift);
}

bool TbsSkinCheckRadioBox::DialogChar(QChar ch) {
    if (!isEnabled() || !IsAccel(ch.unicode(), Caption()))
        return false;
    if (FCanFocused && CanFocus())
        SetFocus();
    Toggle();
    return true;
}

void TbsSkinCheckRadioBox::DoEnter() {
    TbsSkinCustomControl::DoEnter();
    Invalidate();
}

void TbsSkinCheckRadioBox::DoExit() {
    TbsSkinCustomControl::DoExit();
    Invalidate();
}

bool TbsSkinCheckRadioBox::ShowsFocus() const {
    return FCanFocused && hasFocus();
}

// ---------------------------------------------------------------- painting

void TbsSkinCheckRadioBox::DrawDefaultImage(TBitmap& bitmap) {
    if (FFlat)
        DrawFlat(bitmap, false);
    else
        TbsSkinCustomControl::DrawDefaultImage(bitmap);
}

void TbsSkinCheckRadioBox::DrawSkinImage(TBitmap& bitmap) {
    if (!FHasMarkRecord)
        DrawDefaultImage(bitmap);
    else if (FFlat)
        DrawFlat(bitmap, true);
    else
        DrawSkinFace(bitmap);
}

TRect TbsSkinCheckRadioBox::MarkSourceRect() const {
    if (!isEnabled())
        return FChecked ? FRecord.UnEnabledCheckImageRect : FRecord.UnEnabledUnCheckImageRect;
    if (FMouseOver)
        return FChecked ? FRecord.ActiveCheckImageRect : FRecord.ActiveUnCheckImageRect;
    return FChecked ? FRecord.CheckImageRect : FRecord.UnCheckImageRect;
}

void TbsSkinCheckRadioBox::DrawDefaultMark(TCanvas& canvas) {
    const int top = Height() / 2 - DefaultMarkSize / 2;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = FMouseOver ? bsDefaultColors::Frame : clBtnShadow;
    canvas.FrameRect(TRect(3, top, 3 + DefaultMarkSize, top + DefaultMarkSize));
    if (!FChecked)
        return;
    const TColor color = isEnabled() ? clBlack : clBtnShadow;
    if (FRadio)
        DrawRadioMark(canvas, 7, Height() / 2 - 3, color);
    else
        DrawCheckMark(canvas, 7, Height() / 2 - 4, color);
}

void TbsSkinCheckRadioBox::DrawRecordMark(TCanvas& canvas, const TRect& dest) {
    const TRect source = MarkSourceRect();
    if (IsNullRect(source))
        return;
    TBitmap mark(source.Width(), source.Height());
    mark.Canvas().Draw(-source.Left, -source.Top, *Picture);
    mark.SetTransparent(true);
    canvas.Draw(dest.Left + (dest.Width() - source.Width()) / 2,
                dest.Top + (dest.Height() - source.Height()) / 2, mark);
}

void TbsSkinCheckRadioBox::DrawImageAndCaption(TCanvas& canvas, int x, const TRect& band) {
    TRect focus;
    if (FImages && FImageIndex >= 0 && FImageIndex < FImages->Count()) {
        const int y = band.Top + (band.Height() - FImages->Height()) / 2;
        FImages->Draw(canvas, x, y, FImageIndex, isEnabled());
        focus = TRect(x, y, x + FImages->Width(), y + FImages->Height());
        x += FImages->Width() + ImageGap;
    }
    const QString caption = Caption();
    canvas.Brush.Style = bsClear;
    if (!caption.isEmpty()) {
        // The caption's "&" marks the accelerator, drawn underlined.
        TRect textRect(x, band.Top, band.Right, band.Bottom);
        canvas.DrawText(caption, textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        TRect measured(x, band.Top, band.Right, band.Bottom);
        canvas.DrawText(caption, measured, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
        const int top = band.Top + (band.Height() - measured.Height()) / 2;
        focus = TRect(x, top, std::min<int>(measured.Right, band.Right), top + measured.Height());
    }
    if (ShowsFocus() && !focus.IsEmpty()) {
        focus.Inflate(2, 1);
        canvas.DrawFocusRect(focus);
    }
}

void TbsSkinCheckRadioBox::DrawFlat(TBitmap& bitmap, bool withRecord) {
    TCanvas& canvas = bitmap.Canvas();
    PaintParentImage(this, canvas);
    const TRect band(0, 0, Width(), Height());
    int captionX = DefaultCaptionX;
    if (withRecord) {
        const int markWidth = FRecord.CheckImageRect.Width();
        DrawRecordMark(canvas, TRect(3, 0, 3 + markWidth, Height()));
        captionX = markWidth + 7;
        AssignSkinFont(canvas.Font, FRecord.FontName, FRecord.FontHeight, FRecord.FontStyle);
        canvas.Font.SetColor(isEnabled() ? FRecord.FrameFontColor : FRecord.UnEnabledFontColor);
    } else {
        DrawDefaultMark(canvas);
        canvas.Font.Assign(*DefaultFont());
        if (!isEnabled())
            canvas.Font.SetColor(clBtnShadow);
    }
    DrawImageAndCaption(canvas, captionX, band);
}

void TbsSkinCheckRadioBox::DrawSkinFace(TBitmap& bitmap) {
    const bool active = FMouseOver || ShowsFocus();
    const TRect face = active ? OrElse(FRecord.ActiveSkinRect, SkinRect) : SkinRect;
    if (!ComposeImage(bitmap, face, Width(), Height()))
        TbsSkinCustomControl::DrawSkinImage(bitmap);
    TCanvas& canvas = bitmap.Canvas();
    const int dx = Width() - SkinWidth();
    const int dy = Height() - SkinHeight();
    TRect markArea = FRecord.CheckImageArea;
    if (markArea.Left >= FRecord.TextArea.Right && !IsNullRect(FRecord.TextArea))
        markArea.Offset(dx, 0);
    DrawRecordMark(canvas, markArea);
    TRect textArea = FRecord.TextArea;
    textArea.Right += dx;
    textArea.Bottom += dy;
    AssignSkinFont(canvas.Font, FRecord.FontName, FRecord.FontHeight, FRecord.FontStyle);
    canvas.Font.SetColor(isEnabled() ? (active ? FRecord.ActiveFontColor : FRecord.FontColor)
                                     : FRecord.UnEnabledFontColor);
    DrawImageAndCaption(canvas, textArea.Left, textArea);
}
