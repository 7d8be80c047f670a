// The skinned up-down: position rules, the two buttons in both looks, and auto-repeat.

#include "skinctrls/bsSkinUpDown.h"

namespace {

const QString HorizontalName = QStringLiteral("hupdown");
const QString VerticalName = QStringLiteral("vupdown");

TRect OrElse(const TRect& rect, const TRect& fallback) {
    return IsNullRect(rect) ? fallback : rect;
}

} // namespace

TbsSkinUpDown::TbsSkinUpDown(QWidget* parent) : TbsSkinCustomControl(parent) {
    FSkinDataName = HorizontalName;
    FRepeatTimer.setTimerType(Qt::PreciseTimer);
    connect(&FRepeatTimer, &QTimer::timeout, this, [this] { Guarded([this] { RepeatTick(); }); });
    SetBounds(Left(), Top(), 50, 25);
}

TbsSkinUpDown::~TbsSkinUpDown() = default;

// ---------------------------------------------------------------- properties

void TbsSkinUpDown::SetOrientation(TbsUpDownOrientation value) {
    if (value == FOrientation)
        return;
    FOrientation = value;
    const bool vertical = value == udVertical;
    if (FSkinDataName == (vertical ? HorizontalName : VerticalName))
        SetSkinDataName(vertical ? VerticalName : HorizontalName);
    Invalidate();
}

void TbsSkinUpDown::SetPosition(int value) {
    if (value < FMin || value > FMax)
        return;
    FPosition = value;
    FireEvent(OnChange, this);
}

void TbsSkinUpDown::SetMin(int value) {
    FMin = value;
    if (FPosition < FMin)
        FPosition = FMin;
}

void TbsSkinUpDown::SetMax(int value) {
    FMax = value;
    if (FPosition > FMax)
        FPosition = FMax;
}

void TbsSkinUpDown::FetchSkinRecord() {
    TbsSkinCustomControl::FetchSkinRecord();
    FHasUpDownRecord = false;
    const auto* r = SkinRecordAs<TbsDataSkinUpDownControl>();
    if (!r || !Picture)
        return;
    FHasUpDownRecord = true;
    FRecordRects[UpButton] = {r->UpButtonRect, r->ActiveUpButtonRect,
                              OrElse(r->DownUpButtonRect, r->ActiveUpButtonRect)};
    FRecordRects[DownButton] = {r->DownButtonRect, r->ActiveDownButtonRect,
                                OrElse(r->DownDownButtonRect, r->ActiveDownButtonRect)};
}

// ---------------------------------------------------------------- layout

TRect TbsSkinUpDown::ButtonRect(int button) const {
    const int w = Width();
    const int h = Height();
    if (FOrientation == udHorizontal)
        return button == UpButton ? TRect(w / 2, 0, w, h) : TRect(0, 0, w / 2, h);
    return button == UpButton ? TRect(0, 0, w, h / 2) : TRect(0, h / 2, w, h);
}

int TbsSkinUpDown::ButtonAt(const TPoint& p) const {
    for (int button : {UpButton, DownButton})
        if (PtInRect(ButtonRect(button), p))
            return button;
    return -1;
}

TbsArrowDirection TbsSkinUpDown::ArrowOf(int button) const {
    if (FOrientation == udHorizontal)
        return button == UpButton ? TbsArrowDirection::Right : TbsArrowDirection::Left;
    return button == UpButton ? TbsArrowDirection::Up : TbsArrowDirection::Down;
}

// ---------------------------------------------------------------- painting

void TbsSkinUpDown::DrawDefaultImage(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    for (int button : {UpButton, DownButton}) {
        const TButtonState& s = FButtons[button];
        const TbsDefaultLook look = s.Pressed && s.Hot ? TbsDefaultLook::Pressed
                                    : s.Hot            ? TbsDefaultLook::Hot
                                                       : TbsDefaultLook::Normal;
        TRect r = ButtonRect(button);
        DrawDefaultFace(canvas, r, look);
        r.Inflate(-1, -1);
        DrawArrowMark(canvas, r, isEnabled() ? clBlack : clBtnShadow, ArrowOf(button));
    }
}

void TbsSkinUpDown::DrawSkinImage(TBitmap& bitmap) {
    if (!FHasUpDownRecord) {
        DrawDefaultImage(bitmap);
        return;
    }
    TbsSkinCustomControl::DrawSkinImage(bitmap);
    for (int button : {UpButton, DownButton})
        DrawSkinButton(bitmap, button);
}

void TbsSkinUpDown::DrawSkinButton(TBitmap& bitmap, int button) {
    const TButtonState& s = FButtons[button];
    const TButtonRects& rects = FRecordRects[button];
    TRect source = rects.Normal;
    if (s.Pressed && s.Hot)
        source = rects.Down;
    else if (s.Hot)
        source = rects.Active;
    source = OrElse(source, rects.Normal);
    const TRect dest = ButtonRect(button);
    if (IsNullRect(source) || dest.IsEmpty())
        return;
    TBitmap piece(source.Width(), source.Height());
    piece.Canvas().Draw(-source.Left, -source.Top, *Picture);
    bitmap.Canvas().StretchDraw(dest, piece);
}

// ---------------------------------------------------------------- mouse

void TbsSkinUpDown::SetHot(int button, bool hot) {
    if (FButtons[button].Hot == hot)
        return;
    FButtons[button].Hot = hot;
    Invalidate();
}

void TbsSkinUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const int button = Button == mbLeft ? ButtonAt(TPoint(X, Y)) : -1;
    if (button != -1) {
        FPressedButton = button;
        FButtons[button].Pressed = true;
        SetHot(button, true);
        Invalidate();
        if (FIncrement != 0) {
            FFirstTickPending = true;
            FRepeatTimer.start(FirstRepeatDelay);
        }
    }
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TbsSkinUpDown::MouseMove(TShiftState Shift, int X, int Y) {
    const int over = ButtonAt(TPoint(X, Y));
    if (FPressedButton != -1) {
        const bool onPressed = over == FPressedButton;
        if (onPressed != FButtons[FPressedButton].Hot) {
            SetHot(FPressedButton, onPressed);
            if (!onPressed)
                FRepeatTimer.stop();
            else if (FIncrement != 0) {
                FFirstTickPending = false;
                FRepeatTimer.start(ResumeDelay);
            }
        }
    } else {
        for (int button : {UpButton, DownButton})
            SetHot(button, button == over);
    }
    TbsSkinCustomControl::MouseMove(Shift, X, Y);
}

void TbsSkinUpDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && FPressedButton != -1) {
        const int button = FPressedButton;
        StopRepeat();
        if (ButtonAt(TPoint(X, Y)) == button) {
            Step(button);
            FireEvent(button == UpButton ? OnUpButtonClick : OnDownButtonClick, this);
        }
    }
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TbsSkinUpDown::MouseLeave() {
    if (FPressedButton == -1)
        for (int button : {UpButton, DownButton})
            SetHot(button, false);
    TbsSkinCustomControl::MouseLeave();
}

void TbsSkinUpDown::EnabledChanged() {
    if (!isEnabled())
        StopRepeat();
    TbsSkinCustomControl::EnabledChanged();
}

void TbsSkinUpDown::StopRepeat() {
    FRepeatTimer.stop();
    if (FPressedButton != -1)
        FButtons[FPressedButton].Pressed = false;
    FPressedButton = -1;
    Invalidate();
}

void TbsSkinUpDown::Step(int button) {
    SetPosition(FPosition + (button == UpButton ? FIncrement : -FIncrement));
}

void TbsSkinUpDown::RepeatTick() {
    if (FFirstTickPending) {
        FFirstTickPending = false;
        FRepeatTimer.start(RepeatRate);
        return;
    }
    if (FPressedButton != -1)
        Step(FPressedButton);
}
