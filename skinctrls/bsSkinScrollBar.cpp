// The skinned scroll bar: range and position rules, the layout of its three parts in both
// looks, mouse and key handling, and auto-repeat.

#include "skinctrls/bsSkinScrollBar.h"

#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

const QString HorizontalName = QStringLiteral("hscrollbar");
const QString VerticalName = QStringLiteral("vscrollbar");

// Length of the default look's buttons and fixed thumb.
constexpr int DefaultButtonSize = 17;
constexpr int DefaultThumbLength = 16;

// Rounds to the nearest integer, halves to even.
int RoundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

TRect OrElse(const TRect& rect, const TRect& fallback) {
    return IsNullRect(rect) ? fallback : rect;
}

// Copies the piece `source` of `picture` into `dest` on `canvas`, scaled to fit.
void StretchPiece(TCanvas& canvas, const TRect& dest, const TBitmap& picture, const TRect& source) {
    TBitmap piece(source.Width(), source.Height());
    piece.Canvas().Draw(-source.Left, -source.Top, picture);
    canvas.StretchDraw(dest, piece);
}

} // namespace

TbsSkinScrollBar::TbsSkinScrollBar(QWidget* parent) : TbsSkinCustomControl(parent) {
    FSkinDataName = HorizontalName;
    FRepeatTimer.setTimerType(Qt::PreciseTimer);
    connect(&FRepeatTimer, &QTimer::timeout, this, [this] { Guarded([this] { RepeatTick(); }); });
    SetBounds(Left(), Top(), 200, 19);
    SetDefaultHeight(19);
    CalcLayout();
}

TbsSkinScrollBar::~TbsSkinScrollBar() = default;

// ---------------------------------------------------------------- properties

void TbsSkinScrollBar::SetKind(TScrollBarKind value) {
    if (value == FKind)
        return;
    FKind = value;
    const bool vertical = value == sbVertical;
    if (FSkinDataName == (vertical ? HorizontalName : VerticalName))
        SetSkinDataName(vertical ? VerticalName : HorizontalName);
    if ((vertical && Width() > Height()) || (!vertical && Height() > Width()))
        SetBounds(Left(), Top(), Height(), Width());
    if (vertical && DefaultHeight() > 0) {
        const int size = DefaultHeight();
        SetDefaultHeight(0);
        SetDefaultWidth(size);
    } else if (!vertical && DefaultWidth() > 0) {
        const int size = DefaultWidth();
        SetDefaultWidth(0);
        SetDefaultHeight(size);
    }
    Changed();
}

void TbsSkinScrollBar::SetMin(int value) {
    FMin = value;
    if (FPosition < value)
        FPosition = value;
    Changed();
}

void TbsSkinScrollBar::SetMax(int value) {
    FMax = value;
    if (FPageSize != 0) {
        if (value - FMin < FPageSize + FPosition)
            FPosition = std::max(value - FMin - FPageSize + 1, FMin);
    } else if (FPosition > value) {
        FPosition = value;
    }
    Changed();
}

int TbsSkinScrollBar::ClampedPosition(int value) const {
    const int upper = FPageSize != 0 ? FMax - FPageSize + 1 : FMax;
    if (value < FMin)
        return FMin;
    return value > upper ? upper : value;
}

void TbsSkinScrollBar::SetPosition(int value) {
    value = ClampedPosition(value);
    if (value == FPosition)
        return;
    FPosition = value;
    Changed();
    FireEvent(OnChange, this);
}

void TbsSkinScrollBar::SetPageSize(int value) {
    if (FMax - FMin + 1 >= value + FPosition)
        FPageSize = value;
    Changed();
}

void TbsSkinScrollBar::SetSmallChange(int value) {
    FSmallChange = value;
    Changed();
}

void TbsSkinScrollBar::SetLargeChange(int value) {
    FLargeChange = value;
    Changed();
}

void TbsSkinScrollBar::SetRange(int min, int max, int pageSize, int position) {
    FMin = min;
    FMax = max;
    FPageSize = pageSize;
    FPosition = ClampedPosition(position);
    Changed();
}

void TbsSkinScrollBar::SetCanFocused(bool value) {
    FCanFocused = value;
    SetTabStop(value);
}

void TbsSkinScrollBar::SetBoth(bool value) {
    if (value == FBoth)
        return;
    FBoth = value;
    if (value) {
        FNormalSkinDataName = FSkinDataName;
        SetSkinDataName(FBothSkinDataName);
    } else if (!FNormalSkinDataName.isEmpty()) {
        SetSkinDataName(FNormalSkinDataName);
    }
    FetchSkinRecord();
    if (FSkinIndex == -1)
        Changed();
    else
        ApplySkin();
}

void TbsSkinScrollBar::SetBothMarkerWidth(int value) {
    if (value < 0)
        return;
    FBothMarkerWidth = value;
    if (FSkinIndex == -1)
        Changed();
}

void TbsSkinScrollBar::Changed() {
    CalcLayout();
    Invalidate();
}

void TbsSkinScrollBar::FetchSkinRecord() {
    TbsSkinCustomControl::FetchSkinRecord();
    FHasBarRecord = false;
    if (const auto* r = SkinRecordAs<TbsDataSkinScrollBarControl>()) {
        FHasBarRecord = true;
        FRecord.TrackArea = r->TrackArea;
        FRecord.UpButtonRect = r->UpButtonRect;
        FRecord.ActiveUpButtonRect = r->ActiveUpButtonRect;
        FRecord.DownUpButtonRect = OrElse(r->DownUpButtonRect, r->ActiveUpButtonRect);
        FRecord.DownButtonRect = r->DownButtonRect;
        FRecord.ActiveDownButtonRect = r->ActiveDownButtonRect;
        FRecord.DownDownButtonRect = OrElse(r->DownDownButtonRect, r->ActiveDownButtonRect);
        FRecord.ThumbRect = r->ThumbRect;
        FRecord.ActiveThumbRect = OrElse(r->ActiveThumbRect, r->ThumbRect);
        FRecord.DownThumbRect = OrElse(r->DownThumbRect, FRecord.ActiveThumbRect);
        FRecord.ThumbOffset1 = r->ThumbOffset1;
        FRecord.ThumbOffset2 = r->ThumbOffset2;
        FRecord.GlyphRect = r->GlyphRect;
        FRecord.ActiveGlyphRect = OrElse(r->ActiveGlyphRect, r->GlyphRect);
        FRecord.DownGlyphRect = OrElse(r->DownGlyphRect, FRecord.ActiveGlyphRect);
    }
    CalcLayout();
}

bool TbsSkinScrollBar::SkinLook() const {
    return FSkinIndex != -1 && FHasBarRecord && Picture && StretchMode != TbsStretchMode::None;
}

// ---------------------------------------------------------------- layout

double TbsSkinScrollBar::PositionFraction() const {
    if (FMax <= FMin)
        return 0;
    return double(FPosition - FMin) / double(FMax - FMin);
}

double TbsSkinScrollBar::PageFraction() const {
    const int span = FMax - FMin + 1 - FPageSize;
    if (span <= 0)
        return Vertical() ? 0 : 1;
    return double(FPosition - FMin) / double(span);
}

int TbsSkinScrollBar::PageThumbLength(int trackLength) const {
    const int count = FMax - FMin + 1;
    if (count == 0)
        return 0;
    return RoundEven(double(trackLength) * FPageSize / count);
}

int TbsSkinScrollBar::TrackStart() const {
    return Vertical() ? FFittedTrackArea.Top : FFittedTrackArea.Left;
}

int TbsSkinScrollBar::TrackEnd() const {
    return Vertical() ? FFittedTrackArea.Bottom : FFittedTrackArea.Right;
}

void TbsSkinScrollBar::CalcLayout() {
    if (SkinLook())
        LayoutSkinned();
    else
        LayoutDefault();
}

void TbsSkinScrollBar::PlaceThumb(int length, int crossStart, int crossEnd) {
    const int start = TrackStart() + FThumbShift;
    FParts[ThumbPart].Rect = Vertical() ? TRect(crossStart, start, crossEnd, start + length)
                                        : TRect(start, crossStart, start + length, crossEnd);
}

void TbsSkinScrollBar::LayoutDefault() {
    const int w = Width();
    const int h = Height();
    const int b = DefaultButtonSize;
    if (Vertical()) {
        FParts[DecreasePart].Rect = TRect(1, 1, w - 1, b);
        FParts[IncreasePart].Rect = TRect(1, h - b, w - 1, h - 1);
        FFittedTrackArea = TRect(1, b, w - 1, h - b);
    } else {
        const int bw = FBoth ? w - FBothMarkerWidth : w;
        FParts[DecreasePart].Rect = TRect(1, 1, b, h - 1);
        FParts[IncreasePart].Rect = TRect(bw - b, 1, bw - 1, h - 1);
        FFittedTrackArea = TRect(b, 1, bw - b, h - 1);
    }
    const int trackLength = TrackEnd() - TrackStart();
    int length = DefaultThumbLength;
    int half = length / 2;
    if (FPageSize == 0) {
        FThumbShift = RoundEven(PositionFraction() * (trackLength - length));
    } else {
        length = std::max(PageThumbLength(trackLength), DefaultThumbLength);
        half = length / 2;
        FThumbShift = RoundEven(PageFraction() * (trackLength - 2 * half));
    }
    FTravelStart = TrackStart() + half;
    FTravelEnd = TrackEnd() - half;
    const TRect& t = FFittedTrackArea;
    if (Vertical())
        PlaceThumb(2 * half, t.Left, t.Right);
    else
        PlaceThumb(2 * half, t.Top, t.Bottom);
}

void TbsSkinScrollBar::LayoutSkinned() {
    const int dW = Width() - SkinWidth();
    const int dH = Height() - SkinHeight();
    TRect track = FRecord.TrackArea;
    TRect increase = FRecord.UpButtonRect;
    TRect decrease = FRecord.DownButtonRect;
    if (Vertical()) {
        track.Bottom += dH;
        for (TRect* r : {&increase, &decrease})
            if (r->Top >= LBPoint.Y)
                r->Offset(0, dH);
    } else {
        track.Right += dW;
        for (TRect* r : {&increase, &decrease})
            if (r->Left >= RTPoint.X)
                r->Offset(dW, 0);
    }
    FFittedTrackArea = track;
    FParts[IncreasePart].Rect = increase;
    FParts[DecreasePart].Rect = decrease;

    const TRect& thumb = FRecord.ThumbRect;
    const int thumbLength = Vertical() ? thumb.Height() : thumb.Width();
    const int thumbCross = Vertical() ? thumb.Width() : thumb.Height();
    const int trackCrossStart = Vertical() ? track.Left : track.Top;
    const int trackCross = Vertical() ? track.Width() : track.Height();
    const int crossStart = trackCrossStart + trackCross / 2 - thumbCross / 2;

    int length = thumbLength;
    double fraction = PositionFraction();
    if (FPageSize != 0) {
        length = std::max(PageThumbLength(TrackEnd() - TrackStart()), thumbLength);
        fraction = PageFraction();
    }
    const int half = length / 2;
    FTravelStart = TrackStart() + half;
    FTravelEnd = TrackEnd() - half;
    FThumbShift = RoundEven(fraction * (FTravelEnd - FTravelStart));
    PlaceThumb(2 * half, crossStart, crossStart + thumbCross);
}

// ---------------------------------------------------------------- drawing

bool TbsSkinScrollBar::ThumbPressedLook() const {
    return FThumbDragging || (FCanFocused && hasFocus());
}

void TbsSkinScrollBar::DrawDefaultPart(TCanvas& canvas, int part, TbsDefaultLook look) {
    const TRect& r = FParts[part].Rect;
    DrawDefaultFace(canvas, r, look);
    if (part == ThumbPart)
        return;
    TRect inside = r;
    inside.Inflate(-1, -1);
    TbsArrowDirection direction;
    if (part == IncreasePart)
        direction = Vertical() ? TbsArrowDirection::Down : TbsArrowDirection::Right;
    else
        direction = Vertical() ? TbsArrowDirection::Up : TbsArrowDirection::Left;
    DrawArrowMark(canvas, inside, clBlack, direction);
}

void TbsSkinScrollBar::DrawDefaultImage(TBitmap& bitmap) {
    CalcLayout();
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(TRect(0, 0, bitmap.Width(), bitmap.Height()));
    for (int part : {DecreasePart, IncreasePart}) {
        const TPartState& s = FParts[part];
        const TbsDefaultLook look = s.Pressed && s.Hot ? TbsDefaultLook::Pressed
                                    : s.Hot            ? TbsDefaultLook::Hot
                                                       : TbsDefaultLook::Normal;
        DrawDefaultPart(canvas, part, look);
    }
    if (!isEnabled())
        return;
    const TbsDefaultLook look = ThumbPressedLook()      ? TbsDefaultLook::Pressed
                                : FParts[ThumbPart].Hot ? TbsDefaultLook::Hot
                                                        : TbsDefaultLook::Normal;
    DrawDefaultPart(canvas, ThumbPart, look);
}

void TbsSkinScrollBar::DrawSkinImage(TBitmap& bitmap) {
    if (!SkinLook()) {
        DrawDefaultImage(bitmap);
        return;
    }
    TbsSkinCustomControl::DrawSkinImage(bitmap);
    CalcLayout();
    DrawSkinButton(bitmap, IncreasePart);
    DrawSkinButton(bitmap, DecreasePart);
    if (isEnabled())
        DrawSkinThumb(bitmap);
}

void TbsSkinScrollBar::DrawSkinButton(TBitmap& bitmap, int part) {
    const TPartState& s = FParts[part];
    const bool increase = part == IncreasePart;
    TRect source;
    if (s.Pressed && s.Hot)
        source = increase ? FRecord.DownUpButtonRect : FRecord.DownDownButtonRect;
    else if (s.Hot)
        source = increase ? FRecord.ActiveUpButtonRect : FRecord.ActiveDownButtonRect;
    if (IsNullRect(source) || s.Rect.IsEmpty())
        return;
    StretchPiece(bitmap.Canvas(), s.Rect, *Picture, source);
}

void TbsSkinScrollBar::DrawSkinThumb(TBitmap& bitmap) {
    const TPartState& s = FParts[ThumbPart];
    if (s.Rect.IsEmpty())
        return;
    TRect source = FRecord.ThumbRect;
    TRect glyph = FRecord.GlyphRect;
    if (ThumbPressedLook()) {
        source = FRecord.DownThumbRect;
        glyph = FRecord.DownGlyphRect;
    } else if (s.Hot) {
        source = FRecord.ActiveThumbRect;
        glyph = FRecord.ActiveGlyphRect;
    }
    if (IsNullRect(source))
        return;
    TBitmap thumb;
    if (FPageSize != 0) {
        if (Vertical())
            CreateVSkinImage(FRecord.ThumbOffset1, FRecord.ThumbOffset2, thumb, s.Rect.Height(),
                             source, *Picture);
        else
            CreateHSkinImage(FRecord.ThumbOffset1, FRecord.ThumbOffset2, thumb, s.Rect.Width(),
                             source, *Picture);
    } else {
        thumb.SetSize(s.Rect.Width(), s.Rect.Height());
        StretchPiece(thumb.Canvas(), TRect(0, 0, thumb.Width(), thumb.Height()), *Picture, source);
    }
    if (!IsNullRect(glyph)) {
        const int x = (thumb.Width() - glyph.Width()) / 2;
        const int y = (thumb.Height() - glyph.Height()) / 2;
        StretchPiece(thumb.Canvas(), TRect(x, y, x + glyph.Width(), y + glyph.Height()), *Picture,
                     glyph);
    }
    bitmap.Canvas().Draw(s.Rect.Left, s.Rect.Top, thumb);
}

// ---------------------------------------------------------------- hit testing and hover

int TbsSkinScrollBar::PartAt(const TPoint& p) const {
    for (int part : {ThumbPart, IncreasePart, DecreasePart})
        if (PtInRect(FParts[part].Rect, p))
            return part;
    return -1;
}

bool TbsSkinScrollBar::BeforeThumb(const TPoint& p) const {
    const TRect& thumb = FParts[ThumbPart].Rect;
    return Vertical() ? p.Y < thumb.Top : p.X < thumb.Left;
}

bool TbsSkinScrollBar::AfterThumb(const TPoint& p) const {
    const TRect& thumb = FParts[ThumbPart].Rect;
    return Vertical() ? p.Y >= thumb.Bottom : p.X >= thumb.Right;
}

void TbsSkinScrollBar::SetPartHot(int part, bool hot) {
    FParts[part].Hot = hot;
    Invalidate();
    // A held button repeats only while the mouse is over it.
    if (part != ThumbPart && FParts[part].Pressed) {
        if (hot)
            FRepeatTimer.start(RepeatRate);
        else
            FRepeatTimer.stop();
    }
}

void TbsSkinScrollBar::UpdateHover(const TPoint& p) {
    CalcLayout();
    int part = PartAt(p);
    if (FCapturedPart != -1 && part != FCapturedPart)
        part = -1;
    if (part == FHotPart)
        return;
    const int old = FHotPart;
    FHotPart = part;
    if (old != -1)
        SetPartHot(old, false);
    if (part != -1)
        SetPartHot(part, true);
}

// ---------------------------------------------------------------- steps and repetition

void TbsSkinScrollBar::IncreaseStep() {
    if (OnUpButtonClick)
        FireEvent(OnUpButtonClick, this);
    else
        StepBy(FSmallChange);
}

void TbsSkinScrollBar::DecreaseStep() {
    if (OnDownButtonClick)
        FireEvent(OnDownButtonClick, this);
    else
        StepBy(-FSmallChange);
}

void TbsSkinScrollBar::StartRepeat(TRepeatAction action) {
    FRepeatAction = action;
    FRepeatTimer.start(RepeatDelay);
}

void TbsSkinScrollBar::StopRepeat() {
    FRepeatTimer.stop();
    FRepeatAction = TRepeatAction::None;
}

bool TbsSkinScrollBar::PageRepeating() const {
    return FRepeatAction == TRepeatAction::PageDecrease ||
           FRepeatAction == TRepeatAction::PageIncrease;
}

void TbsSkinScrollBar::RepeatTick() {
    if (FRepeatDelayPending) {
        FRepeatDelayPending = false;
        FRepeatTimer.start(RepeatRate);
        return;
    }
    switch (FRepeatAction) {
    case TRepeatAction::None:
        FRepeatTimer.stop();
        break;
    case TRepeatAction::DecreaseStep:
        DecreaseStep();
        break;
    case TRepeatAction::IncreaseStep:
        IncreaseStep();
        break;
    case TRepeatAction::PageDecrease:
        UpdateHover(FLastMouse);
        if (BeforeThumb(FLastMouse)) {
            StepBy(-FLargeChange);
            FireEvent(OnPageUp, this);
        } else {
            StopRepeat();
        }
        break;
    case TRepeatAction::PageIncrease:
        UpdateHover(FLastMouse);
        if (AfterThumb(FLastMouse)) {
            StepBy(FLargeChange);
            FireEvent(OnPageDown, this);
        } else {
            StopRepeat();
        }
        break;
    }
}

// ---------------------------------------------------------------- mouse

void TbsSkinScrollBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        if (FCanFocused && !::TakeFocusForPress(*this))
            return;
        PressAt(TPoint(X, Y));
    }
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TbsSkinScrollBar::PressAt(const TPoint& p) {
    FButtonHeld = true;
    FLastMouse = p;
    UpdateHover(p);
    FRepeatAction = TRepeatAction::None;
    FRepeatDelayPending = true;
    const int part = PartAt(p);
    if (part == IncreasePart || part == DecreasePart) {
        FCapturedPart = part;
        FParts[part].Pressed = true;
        Invalidate();
        if (part == IncreasePart) {
            IncreaseStep();
            StartRepeat(TRepeatAction::IncreaseStep);
        } else {
            DecreaseStep();
            StartRepeat(TRepeatAction::DecreaseStep);
        }
    } else if (part == ThumbPart) {
        FCapturedPart = part;
        FParts[part].Pressed = true;
        FDragStartCoord = AlongOf(p.X, p.Y);
        FDragStartShift = FThumbShift;
        FThumbDragging = true;
        Invalidate();
    } else if (PtInRect(FFittedTrackArea, p)) {
        if (BeforeThumb(p)) {
            StepBy(-FLargeChange);
            StartRepeat(TRepeatAction::PageDecrease);
            FireEvent(OnPageUp, this);
        } else {
            StepBy(FLargeChange);
            StartRepeat(TRepeatAction::PageIncrease);
            FireEvent(OnPageDown, this);
        }
    }
}

void TbsSkinScrollBar::DragTo(const TPoint& p) {
    const int d = AlongOf(p.X, p.Y) - FDragStartCoord;
    const TRect& thumb = FParts[ThumbPart].Rect;
    const int thumbLength = Vertical() ? thumb.Height() : thumb.Width();
    int range = FMax - FMin;
    if (FPageSize != 0) {
        FTravelStart = TrackStart() + thumbLength / 2;
        FTravelEnd = TrackEnd() - thumbLength / 2;
        range = FMax - FMin - FPageSize + 1;
    }
    const int span = FTravelEnd - FTravelStart;
    double g = span > 0 ? double(d + FDragStartShift) / span : 0;
    g = std::clamp(g, 0.0, 1.0);
    SetPosition(FMin + RoundEven(range * g));
}

void TbsSkinScrollBar::MouseMove(TShiftState Shift, int X, int Y) {
    const TPoint p(X, Y);
    FLastMouse = p;
    if (FThumbDragging)
        DragTo(p);
    UpdateHover(p);
    TbsSkinCustomControl::MouseMove(Shift, X, Y);
}

void TbsSkinScrollBar::ReleaseCapturedPart() {
    if (FCapturedPart == -1)
        return;
    const int part = FCapturedPart;
    FCapturedPart = -1;
    FParts[part].Pressed = false;
    if (part != FHotPart)
        FParts[part].Hot = false;
    Invalidate();
    if (part == ThumbPart) {
        const bool dragged = FThumbDragging;
        FThumbDragging = false;
        CalcLayout();
        if (dragged)
            FireEvent(OnLastChange, this);
    } else {
        StopRepeat();
    }
}

void TbsSkinScrollBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        FButtonHeld = false;
        if (PageRepeating())
            StopRepeat();
        ReleaseCapturedPart();
    }
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TbsSkinScrollBar::MouseLeave() {
    if (FHotPart != -1 && FCapturedPart == -1 && !FThumbDragging) {
        const int part = FHotPart;
        FHotPart = -1;
        SetPartHot(part, false);
    }
    if (FButtonHeld && PageRepeating())
        StopRepeat();
    TbsSkinCustomControl::MouseLeave();
}

// ---------------------------------------------------------------- keys, wheel, focus

bool TbsSkinScrollBar::WantsKey(int key, TShiftState shift) const {
    if (FCanFocused && (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN))
        return true;
    return TbsSkinCustomControl::WantsKey(key, shift);
}

void TbsSkinScrollBar::KeyDown(int& Key, TShiftState Shift) {
    TbsSkinCustomControl::KeyDown(Key, Shift);
    if (!FCanFocused)
        return;
    switch (Key) {
    case VK_LEFT:
    case VK_UP:
        StepBy(-FSmallChange);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        StepBy(FSmallChange);
        break;
    default:
        break;
    }
}

void TbsSkinScrollBar::wheelEvent(QWheelEvent* event) {
    if (!FCanFocused || !hasFocus() || !isEnabled()) {
        TbsSkinCustomControl::wheelEvent(event);
        return;
    }
    const int delta = event->angleDelta().y();
    Guarded([&] { StepBy(delta <= 0 ? FSmallChange : -FSmallChange); });
    event->accept();
}

void TbsSkinScrollBar::DoEnter() {
    Invalidate();
    TbsSkinCustomControl::DoEnter();
}

void TbsSkinScrollBar::DoExit() {
    Invalidate();
    TbsSkinCustomControl::DoExit();
}

void TbsSkinScrollBar::EnabledChanged() {
    Invalidate();
    TbsSkinCustomControl::EnabledChanged();
}

void TbsSkinScrollBar::SizeChanged() {
    CalcLayout();
    TbsSkinCustomControl::SizeChanged();
}
