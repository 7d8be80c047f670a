// The expanding panel: rolling up and down, the caption bar with its two buttons in the
// default and the skinned look, and the buttons' mouse handling.

#include "skinctrls/bsSkinExCtrls.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int ButtonGap = 2;

TRect SizedAt(int left, int top, const TRect& size) {
    return TRect(left, top, left + size.Width(), top + size.Height());
}

} // namespace

TbsSkinExPanel::TbsSkinExPanel(QWidget* parent) : TbsSkinCustomControl(parent) {
    FSkinDataName = QStringLiteral("expanel");
    SetControlStyle(ControlStyle() | csAcceptsControls | csDoubleClicks);
    SetBounds(Left(), Top(), 150, 100);
}

TbsSkinExPanel::~TbsSkinExPanel() = default;

// ---- properties

void TbsSkinExPanel::SetRollKind(TbsExPanelRollKind value) {
    if (FRollKind == value)
        return;
    FRollKind = value;
    Invalidate();
}

void TbsSkinExPanel::SetShowRollButton(bool value) {
    FShowRollButton = value;
    Invalidate();
}

void TbsSkinExPanel::SetShowCloseButton(bool value) {
    FShowCloseButton = value;
    Invalidate();
}

void TbsSkinExPanel::SetDefaultCaptionHeight(int value) {
    FDefaultCaptionHeight = value;
    if (!HasExPanelRecord()) {
        Invalidate();
        Realign();
    }
}

void TbsSkinExPanel::TextChanged() {
    Invalidate();
}

int TbsSkinExPanel::RolledSize() const {
    if (!HasExPanelRecord())
        return FDefaultCaptionHeight;
    return FRollKind == rkRollHorizontal ? FRollHSkinRect.Width() : FRollVSkinRect.Height();
}

void TbsSkinExPanel::SetRollState(bool value) {
    if (FRollState == value)
        return;
    FChangingRollState = true;
    FRollState = value;
    if (value) {
        FHiddenChildren.clear();
        for (TControl* child : ControlList())
            if (child->Visible()) {
                FHiddenChildren.append(child);
                child->Hide();
            }
        if (FRollKind == rkRollHorizontal) {
            if (FRealWidth == 0)
                FRealWidth = Width();
            SetWidth(RolledSize());
        } else {
            if (FRealHeight == 0)
                FRealHeight = Height();
            SetHeight(RolledSize());
        }
    } else {
        if (FRollKind == rkRollHorizontal) {
            SetWidth(FRealWidth);
            FRealWidth = 0;
        } else {
            SetHeight(FRealHeight);
            FRealHeight = 0;
        }
        for (const QPointer<TControl>& child : FHiddenChildren)
            if (child)
                child->Show();
        FHiddenChildren.clear();
    }
    FChangingRollState = false;
    Invalidate();
    if (OnChangeRollState)
        OnChangeRollState(this);
}

void TbsSkinExPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (FRollState && !FChangingRollState) {
        if (FRollKind == rkRollHorizontal)
            AWidth = RolledSize();
        else
            AHeight = RolledSize();
    }
    TbsSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TbsSkinExPanel::Close() {
    SetVisible(false);
    if (OnClose)
        OnClose(this);
}

// ---- skin

void TbsSkinExPanel::FetchSkinRecord() {
    TbsSkinCustomControl::FetchSkinRecord();
    FHasExPanelRecord = false;
    const auto* r = SkinRecordAs<TbsDataSkinExPanelControl>();
    if (!r)
        return;
    FHasExPanelRecord = true;
    FRollHSkinRect = r->RollHSkinRect;
    FRollVSkinRect = r->RollVSkinRect;
    FRollLeftOffset = r->RollLeftOffset;
    FRollRightOffset = r->RollRightOffset;
    FRollTopOffset = r->RollTopOffset;
    FRollBottomOffset = r->RollBottomOffset;
    FRollVCaptionRect = r->RollVCaptionRect;
    FRollHCaptionRect = r->RollHCaptionRect;
    FCaptionRect = r->CaptionRect;
    FCloseRects = {r->CloseButtonRect, r->CloseButtonActiveRect, r->CloseButtonDownRect};
    // In each roll-button set an empty active rectangle takes the normal one and an empty
    // down rectangle the active one.
    auto set = [](const TRect& normal, const TRect& active, const TRect& down) {
        TStateRects s{normal, active, down};
        if (IsNullRect(s.Active))
            s.Active = s.Normal;
        if (IsNullRect(s.Down))
            s.Down = s.Active;
        return s;
    };
    FHRollRects = set(r->HRollButtonRect, r->HRollButtonActiveRect, r->HRollButtonDownRect);
    FHRestoreRects =
        set(r->HRestoreButtonRect, r->HRestoreButtonActiveRect, r->HRestoreButtonDownRect);
    FVRollRects = set(r->VRollButtonRect, r->VRollButtonActiveRect, r->VRollButtonDownRect);
    FVRestoreRects =
        set(r->VRestoreButtonRect, r->VRestoreButtonActiveRect, r->VRestoreButtonDownRect);
    FFontName = r->FontName;
    FFontHeight = r->FontHeight;
    FFontStyle = r->FontStyle;
    FFontColor = r->FontColor;
}

void TbsSkinExPanel::ApplySkin() {
    TbsSkinCustomControl::ApplySkin();
    if (!FRollState) {
        Realign();
        return;
    }
    if (FRollKind == rkRollHorizontal)
        SetWidth(RolledSize());
    else
        SetHeight(RolledSize());
}

void TbsSkinExPanel::AdjustClientRect(TRect& rect) {
    if (!HasExPanelRecord()) {
        rect = TRect(1, FDefaultCaptionHeight, Width() - 1, Height() - 1);
        return;
    }
    int w = Width();
    int h = Height();
    FitGeometry(w, h);
    rect = FittedClientRect;
}

// ---- layout

TbsSkinExPanel::TCaptionLayout TbsSkinExPanel::DefaultLayout() const {
    TCaptionLayout layout;
    const int s = FDefaultCaptionHeight - 6;
    const int w = Width();
    if (RolledHorizontally()) {
        int y = 3;
        if (FShowCloseButton) {
            layout.Buttons[CloseButton] = TRect(3, y, s + 3, y + s);
            y += s;
        }
        if (FShowRollButton) {
            layout.Buttons[RollButton] = TRect(3, y, s + 3, y + s);
            y += s;
        }
        layout.Text = TRect(0, y + 2, w, Height() - 2);
        layout.Rotated = true;
        return layout;
    }
    int right = w - 2;
    if (FShowCloseButton) {
        layout.Buttons[CloseButton] = TRect(right - s, 3, right, s + 3);
        right -= s;
    }
    if (FShowRollButton) {
        layout.Buttons[RollButton] = TRect(right - s, 3, right, s + 3);
        right -= s;
    }
    layout.Text = TRect(4, 2, right - 2, FDefaultCaptionHeight - 2);
    return layout;
}

TbsSkinExPanel::TCaptionLayout TbsSkinExPanel::SkinLayout() const {
    TCaptionLayout layout;
    const TRect closeSize = FCloseRects.Normal;
    if (RolledHorizontally()) {
        TRect caption = FRollHCaptionRect;
        caption.Bottom += Height() - FRollHSkinRect.Height();
        int y = caption.Top;
        if (FShowCloseButton) {
            layout.Buttons[CloseButton] = SizedAt(caption.Left, y, closeSize);
            y += closeSize.Height() + ButtonGap;
        }
        if (FShowRollButton) {
            layout.Buttons[RollButton] = SizedAt(caption.Left, y, FHRollRects.Normal);
            y += FHRollRects.Normal.Height();
        }
        layout.Text = TRect(caption.Left, y + 2, caption.Right, caption.Bottom);
        layout.Rotated = true;
        return layout;
    }
    TRect caption;
    if (FRollState) {
        caption = FRollVCaptionRect;
        caption.Right += Width() - FRollVSkinRect.Width();
    } else {
        caption = FCaptionRect;
        caption.Right += Width() - SkinWidth();
    }
    int right = caption.Right;
    if (FShowCloseButton) {
        layout.Buttons[CloseButton] = SizedAt(right - closeSize.Width(), caption.Top, closeSize);
        right -= closeSize.Width() + ButtonGap;
    }
    if (FShowRollButton) {
        const TRect size = FVRollRects.Normal;
        layout.Buttons[RollButton] = SizedAt(right - size.Width(), caption.Top, size);
        right -= size.Width();
    }
    layout.Text = TRect(caption.Left, caption.Top, right, caption.Bottom);
    return layout;
}

TbsSkinExPanel::TCaptionLayout TbsSkinExPanel::Layout() const {
    return HasExPanelRecord() ? SkinLayout() : DefaultLayout();
}

TRect TbsSkinExPanel::ButtonRect(int button) const {
    return Layout().Buttons.at(button);
}

// ---- painting

void TbsSkinExPanel::AssignCaptionFont(TFont& font) const {
    if (HasExPanelRecord()) {
        AssignSkinFont(font, FFontName, FFontHeight, FFontStyle);
        font.SetColor(FFontColor);
    } else {
        font.Assign(*DefaultFont());
    }
}

TbsArrowDirection TbsSkinExPanel::RollArrow() const {
    if (FRollKind == rkRollVertical)
        return FRollState ? TbsArrowDirection::Down : TbsArrowDirection::Up;
    return FRollState ? TbsArrowDirection::Right : TbsArrowDirection::Left;
}

void TbsSkinExPanel::DrawDefaultButton(TCanvas& canvas, int button, const TRect& rect) {
    const TButtonState& state = FButtons.at(button);
    TRect glyph = rect;
    if (state.Hot && state.Pressed) {
        DrawDefaultFace(canvas, rect, TbsDefaultLook::Pressed);
        glyph.Offset(2, 2);
    } else if (state.Hot) {
        DrawDefaultFace(canvas, rect, TbsDefaultLook::Hot);
    } else {
        canvas.Brush.Color = clBtnFace;
        canvas.FillRect(rect);
    }
    if (button == CloseButton)
        DrawCloseGlyphInRect(canvas, glyph, clBlack);
    else
        DrawArrowMark(canvas, glyph, clBlack, RollArrow());
}

const TbsSkinExPanel::TStateRects& TbsSkinExPanel::SkinButtonRects(int button) const {
    if (button == CloseButton)
        return FCloseRects;
    if (FRollKind == rkRollHorizontal)
        return FRollState ? FHRestoreRects : FHRollRects;
    return FRollState ? FVRestoreRects : FVRollRects;
}

void TbsSkinExPanel::DrawButtons(TBitmap& bitmap, const TCaptionLayout& layout, bool skinned) {
    for (int button : {CloseButton, RollButton}) {
        const TRect& rect = layout.Buttons[button];
        if (rect.IsEmpty())
            continue;
        if (!skinned || !Picture) {
            DrawDefaultButton(bitmap.Canvas(), button, rect);
            continue;
        }
        const TButtonState& state = FButtons[button];
        const TStateRects& rects = SkinButtonRects(button);
        const TRect& source = state.Hot && state.Pressed ? rects.Down
                              : state.Hot                ? rects.Active
                                                         : rects.Normal;
        TBitmap piece(rect.Width(), rect.Height());
        piece.Canvas().Draw(-source.Left, -source.Top, *Picture);
        bitmap.Canvas().Draw(rect.Left, rect.Top, piece);
    }
}

void TbsSkinExPanel::DrawCaptionText(TCanvas& canvas, const TCaptionLayout& layout) {
    if (Caption().isEmpty() || layout.Text.IsEmpty())
        return;
    AssignCaptionFont(canvas.Font);
    canvas.Brush.Style = bsClear;
    if (!layout.Rotated) {
        DrawTextVCentered(canvas, Caption(), layout.Text);
        return;
    }
    // A caption column: the text runs upwards, centred across the column and along the
    // height left below the buttons, starting at least 2 pixels above the bottom.
    const TRect& area = layout.Text;
    const int length = canvas.TextWidth(Caption());
    const int thickness = canvas.TextHeight(Caption());
    const int start = std::min(area.Bottom, area.Top + (area.Height() + length) / 2);
    const int x = area.Left + (area.Width() - thickness) / 2;
    QPainter* painter = canvas.Handle();
    if (!painter)
        return;
    painter->save();
    painter->setClipRect(area.ToQRect());
    painter->translate(x, start);
    painter->rotate(-90);
    painter->setFont(canvas.Font.ToQFont());
    painter->setPen(ToQColor(canvas.Font.Color()));
    painter->drawText(QRect(0, 0, std::max(length, 1), thickness),
                      Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, Caption());
    painter->restore();
}

void TbsSkinExPanel::DrawDefaultImage(TBitmap& bitmap) {
    TCanvas& canvas = bitmap.Canvas();
    const TRect all(0, 0, Width(), Height());
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(all);
    const TRect bar = RolledHorizontally() ? all : TRect(0, 0, Width(), FDefaultCaptionHeight);
    canvas.Brush.Color = clBtnShadow;
    canvas.FrameRect(all);
    canvas.FrameRect(bar);
    TRect inner = bar;
    inner.Inflate(-1, -1);
    DrawFrame3D(canvas, inner, clBtnHighlight, clBtnFace);
    const TCaptionLayout layout = DefaultLayout();
    DrawButtons(bitmap, layout, false);
    DrawCaptionText(canvas, layout);
}

void TbsSkinExPanel::DrawSkinImage(TBitmap& bitmap) {
    if (!FHasExPanelRecord || !Picture) {
        DrawDefaultImage(bitmap);
        return;
    }
    if (!FRollState) {
        TbsSkinCustomControl::DrawSkinImage(bitmap);
    } else {
        TBitmap piece;
        if (FRollKind == rkRollHorizontal)
            CreateVSkinImage(FRollTopOffset, FRollBottomOffset, piece, Height(), FRollHSkinRect,
                             *Picture);
        else
            CreateHSkinImage(FRollLeftOffset, FRollRightOffset, piece, Width(), FRollVSkinRect,
                             *Picture);
        bitmap.Canvas().Draw(0, 0, piece);
    }
    const TCaptionLayout layout = SkinLayout();
    DrawButtons(bitmap, layout, true);
    DrawCaptionText(bitmap.Canvas(), layout);
}

// ---- mouse

int TbsSkinExPanel::ButtonAt(const TPoint& p) const {
    const TCaptionLayout layout = Layout();
    for (int button : {CloseButton, RollButton})
        if (PtInRect(layout.Buttons[button], p))
            return button;
    return -1;
}

void TbsSkinExPanel::SetHotButton(int button) {
    if (button == FHotButton)
        return;
    if (FHotButton != -1)
        FButtons[FHotButton].Hot = false;
    FHotButton = button;
    if (button != -1)
        FButtons[button].Hot = true;
    Invalidate();
}

void TbsSkinExPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    const int button = ButtonAt(TPoint(X, Y));
    if (button == -1)
        return;
    FCapturedButton = button;
    SetHotButton(button);
    FButtons[button].Pressed = true;
    Invalidate();
}

void TbsSkinExPanel::MouseMove(TShiftState Shift, int X, int Y) {
    TbsSkinCustomControl::MouseMove(Shift, X, Y);
    int button = ButtonAt(TPoint(X, Y));
    if (FCapturedButton != -1 && button != FCapturedButton)
        button = -1;
    SetHotButton(button);
}

void TbsSkinExPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || FCapturedButton == -1)
        return;
    const int button = FCapturedButton;
    FCapturedButton = -1;
    FButtons[button].Pressed = false;
    const bool over = ButtonAt(TPoint(X, Y)) == button;
    if (!over)
        SetHotButton(-1);
    Invalidate();
    if (!over)
        return;
    if (button == CloseButton) {
        Close();
        return;
    }
    SetRollState(!FRollState);
    SetHotButton(ButtonAt(TPoint(X, Y)));
}

void TbsSkinExPanel::MouseEnter() {
    TbsSkinCustomControl::MouseEnter();
    SetHotButton(-1);
}

void TbsSkinExPanel::MouseLeave() {
    TbsSkinCustomControl::MouseLeave();
    FButtons[CloseButton].Hot = false;
    FButtons[RollButton].Hot = false;
    FHotButton = -1;
    Invalidate();
}
