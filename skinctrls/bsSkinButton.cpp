// TbsSkinButton: the skinned push button of dialogs.

#include "skinctrls/bsSkinButton.h"

#include "framework/Menus.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <algorithm>

namespace {

// The skinned push button a widget belongs to, when it takes the focus as one.
TbsSkinButton* FocusableButtonOf(QWidget* widget) {
    auto* button = dynamic_cast<TbsSkinButton*>(ControlOfWidget(widget));
    return button && button->CanFocused() ? button : nullptr;
}

} // namespace

TbsSkinButton::TbsSkinButton(QWidget* parent) : TbsSkinCustomControl(parent) {
    FSkinDataName = QStringLiteral("button");
    // Clicks come from the button's own press and release rules, not the framework's.
    SetControlStyle((ControlStyle() | csCaptureMouse | csDoubleClicks) & ~csClickEvents);
    SetBounds(Left(), Top(), 75, 25);
    TbsSkinButton::SetTabStop(true);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() == window())
            Guarded([this, now] { FocusMoved(now); });
    });
}

TbsSkinButton::~TbsSkinButton() = default;

// ---------------------------------------------------------------- properties

void TbsSkinButton::SetGroupIndex(int value) {
    FCore.SetGroupIndex(value);
    if (value != 0)
        SetCanFocused(false);
}

void TbsSkinButton::SetCanFocused(bool value) {
    FCanFocused = value;
    SetTabStop(TabStop());
}

void TbsSkinButton::SetTabStop(bool value) {
    TbsSkinCustomControl::SetTabStop(value);
    // A button that does not take the focus gets none from a click or Tab either.
    setFocusPolicy(value && FCanFocused ? Qt::StrongFocus : Qt::NoFocus);
}

void TbsSkinButton::SetDefault(bool value) {
    FDefault = value;
    FActsAsDefault = value;
    if (FCanFocused)
        NotifyFormFocus();
}

// ---------------------------------------------------------------- record

void TbsSkinButton::FetchSkinRecord() {
    TbsSkinCustomControl::FetchSkinRecord();
    if (auto* record = SkinRecordAs<TbsDataSkinButtonControl>())
        FSkin.Load(*record, SkinRect);
}

void TbsSkinButton::ApplySkin() {
    FCore.BeginApplySkin();
    TbsSkinCustomControl::ApplySkin();
    FCore.EndApplySkin();
}

// ---------------------------------------------------------------- action

void TbsSkinButton::SetAction(TAction* action) {
    FActionLink.SetAction(action, [this](TAction&) { ActionChanged(); });
}

void TbsSkinButton::ActionChanged() {
    TAction* action = Action();
    if (!action)
        return;
    SetCaption(action->Caption());
    SetEnabled(action->Enabled());
    SetHint(action->Hint());
    SetVisible(action->Visible());
    // The image goes on magenta, the colour the glyph drawing leaves out.
    if (FLook.Glyph.Empty() && action->DrawImage(FLook.Glyph, clFuchsia))
        Invalidate();
}

// ---------------------------------------------------------------- painting

bool TbsSkinButton::ShowsActive() const {
    return Hot() || (hasFocus() && FCanFocused);
}

bool TbsSkinButton::PressedLook() const {
    if (!Down())
        return false;
    if (GroupIndex() != 0)
        return true;
    return Hot() || (hasFocus() && FCanFocused && !MouseHeld());
}

TbsButtonContent TbsSkinButton::Content(int glyphFrame) const {
    return FLook.Content(Caption(), glyphFrame);
}

void TbsSkinButton::DrawButtonFace(TBitmap& bitmap, const TRect& stateRect, bool active,
                                   bool down) {
    const bool disabled = !isEnabled();
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    if (!ComposeImage(bitmap, stateRect, width, height)) {
        // A record without a picture: the plain face of the same state.
        DrawDefaultFace(bitmap.Canvas(), TRect(0, 0, width, height),
                        down ? TbsDefaultLook::Pressed
                             : (active ? TbsDefaultLook::Hot : TbsDefaultLook::Normal));
    }
    TCanvas& canvas = bitmap.Canvas();
    AssignSkinFont(canvas.Font, FSkin.FontName, FSkin.FontHeight, FSkin.FontStyle);
    canvas.Font.SetColor(FSkin.FontColorFor(active, down, disabled));
    DrawButtonContent(canvas, FittedClientRect,
                      Content(GlyphFrameFor(active, down, disabled, FLook.NumGlyphs)), down);
}

void TbsSkinButton::DrawSkinImage(TBitmap& bitmap) {
    int w = bitmap.Width();
    int h = bitmap.Height();
    FitGeometry(w, h);
    if (FSkin.Morphing && FCore.Morph.IsMorphing() && isEnabled()) {
        ComposeMorphedFace(bitmap, bitmap.Width(), bitmap.Height(), SkinRect, FSkin.ActiveSkinRect,
                           FSkin.MorphKind, FCore.Morph.Value(),
                           [this](TBitmap& face, const TRect& rect, bool active, bool down) {
                               DrawButtonFace(face, rect, active, down);
                           });
        return;
    }
    if (!isEnabled() && !FSkin.DisabledSkinRect.IsEmpty())
        DrawButtonFace(bitmap, FSkin.DisabledSkinRect, false, false);
    else if (PressedLook())
        DrawButtonFace(bitmap, FSkin.DownSkinRect, true, true);
    else if (ShowsActive())
        DrawButtonFace(bitmap, FSkin.ActiveSkinRect, true, false);
    else if (!FSkin.Morphing || FCore.Morph.Value() != 1.0)
        DrawButtonFace(bitmap, SkinRect, false, false);
    else
        DrawButtonFace(bitmap, FSkin.ActiveSkinRect, true, false);
}

void TbsSkinButton::DrawDefaultImage(TBitmap& bitmap) {
    const TRect rect(0, 0, bitmap.Width(), bitmap.Height());
    TCanvas& canvas = bitmap.Canvas();
    bool down = false;
    if (PressedLook()) {
        DrawDefaultFace(canvas, rect, TbsDefaultLook::Pressed);
        down = true;
    } else if (ShowsActive()) {
        DrawDefaultFace(canvas, rect, TbsDefaultLook::Hot);
    } else {
        DrawDefaultFace(canvas, rect, TbsDefaultLook::Normal);
    }
    const bool disabled = !isEnabled();
    canvas.Font.Assign(*DefaultFont());
    if (disabled)
        canvas.Font.SetColor(clBtnShadow);
    DrawButtonContent(canvas, rect,
                      Content(GlyphFrameFor(Hot(), Down(), disabled, FLook.NumGlyphs)), down);
}

// ---------------------------------------------------------------- clicks

void TbsSkinButton::ButtonClick() {
    if (FCanFocused) {
        if (TForm* form = GetParentForm(this))
            form->SetModalResult(FModalResult);
    }
    // Linking an action copies no handler into OnClick, so an assigned OnClick is the
    // button's own and wins over the action.
    if (OnClick) {
        FireEvent(OnClick, this);
        return;
    }
    if (TAction* action = Action())
        action->Execute();
}

void TbsSkinButton::Click() {
    ButtonClick();
}

// ---------------------------------------------------------------- mouse

void TbsSkinButton::MouseEnter() {
    TbsSkinCustomControl::MouseEnter();
    FCore.Enter();
}

void TbsSkinButton::MouseLeave() {
    TbsSkinCustomControl::MouseLeave();
    // A default button keeps its active face while the focus rests outside the buttons.
    FCore.Leave(FCanFocused && FDefault && FActsAsDefault && !hasFocus());
}

void TbsSkinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft) {
        // A focusable button that cannot take the focus ignores the press.
        if (FCanFocused && !TakeFocusForPress(*this))
            return;
        FCore.Press();
    }
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TbsSkinButton::MouseMove(TShiftState Shift, int X, int Y) {
    // While the button is held the pointer belongs to it: crossing its edge is a leave or
    // an enter, whatever the window system reports.
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
    TbsSkinCustomControl::MouseMove(Shift, X, Y);
}

void TbsSkinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft)
        FCore.Release();
    if (isVisible())
        TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

// ---------------------------------------------------------------- keyboard

bool TbsSkinButton::event(QEvent* event) {
    // The keyboard's auto-repeat sends a release before each repeated press; only the
    // real release of Space clicks.
    if (event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->isAutoRepeat() && key->key() == Qt::Key_Space) {
            event->accept();
            return true;
        }
    }
    return TbsSkinCustomControl::event(event);
}

void TbsSkinButton::KeyDown(int& Key, TShiftState Shift) {
    TbsSkinCustomControl::KeyDown(Key, Shift);
    if (!FCanFocused || Key == 0)
        return;
    if (Key == VK_SPACE) {
        if (!Down() || RepeatMode())
            SetDown(true);
        if (RepeatMode())
            ButtonClick();
    } else if (Key == VK_RETURN || Key == Qt::Key_Enter) {
        ButtonClick();
        Key = 0; // answered here; no default button should click too
    }
}

void TbsSkinButton::KeyUp(int& Key, TShiftState Shift) {
    TbsSkinCustomControl::KeyUp(Key, Shift);
    if (!FCanFocused || Key != VK_SPACE || !Down())
        return;
    SetDown(false);
    ButtonClick();
}

bool TbsSkinButton::DialogKey(int key, TShiftState shift) {
    if ((key == VK_RETURN || key == Qt::Key_Enter) && FActsAsDefault && isEnabled() &&
        isVisible()) {
        ButtonClick();
        return true;
    }
    const bool noShift =
        !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
    if (key == VK_ESCAPE && FCancel && FCanFocused && noShift && CanFocus()) {
        ButtonClick();
        return true;
    }
    return false;
}

bool TbsSkinButton::DialogChar(QChar ch) {
    if (!FCanFocused || !CanFocus() || !IsAccel(ch.unicode(), Caption()))
        return false;
    SetFocus();
    ButtonClick();
    return true;
}

// ---------------------------------------------------------------- focus

void TbsSkinButton::focusInEvent(QFocusEvent* event) {
    TbsSkinCustomControl::focusInEvent(event);
    if (FCanFocused)
        Guarded([this] { FCore.UpdateFace(); });
}

void TbsSkinButton::focusOutEvent(QFocusEvent* event) {
    TbsSkinCustomControl::focusOutEvent(event);
    Guarded([this] {
        FCore.FocusLost();
        if (FCanFocused)
            FCore.UpdateFace();
    });
}

void TbsSkinButton::FocusMoved(QWidget* now) {
    TbsSkinButton* focusedButton = FocusableButtonOf(now);
    FActsAsDefault = focusedButton ? focusedButton == this : FDefault;
    if (!FCanFocused || !FDefault)
        return;
    if (focusedButton && focusedButton != this && Hot()) {
        FCore.Active = false;
        FCore.UpdateFace();
    } else if (!focusedButton && !Hot()) {
        if (Morphs())
            FCore.Morph.SetValue(1.0);
        FCore.Active = true;
        FCore.UpdateFace();
    }
}

void TbsSkinButton::NotifyFormFocus() {
    TForm* form = GetParentForm(this);
    if (!form)
        return;
    QWidget* focus = QApplication::focusWidget();
    if (!focus || focus->window() != window())
        return;
    for (TControl* control : form->AllControls())
        if (auto* button = dynamic_cast<TbsSkinButton*>(control))
            button->FocusMoved(focus);
}

// ---------------------------------------------------------------- state changes

void TbsSkinButton::EnabledChanged() {
    FCore.EnabledChanged();
}

void TbsSkinButton::TextChanged() {
    Invalidate();
}
