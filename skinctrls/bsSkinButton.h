#pragma once
// Skinned push buttons: TbsSkinButton, the focusable push button of dialogs, and
// TbsSkinSpeedButton, its window-less twin for tool bars. Both draw one of four faces
// (normal, active, down, disabled) from a "button" record, cross-fade between normal and
// active when the record asks for morphing, lay a glyph and a caption out in the record's
// client area, toggle in groups and repeat clicks while held.

#include "skinctrls/bsSkinCtrls.h"

#include "skin/bsButtonCore.h"
#include "skin/bsEffects.h"

#include "framework/ActnList.h"
#include "framework/Forms.h"

#include <functional>

class QWidget;

enum TbsButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// ---------------------------------------------------------------- glyph and caption layout

struct TbsGlyphCaptionPlace {
    TPoint Glyph;
    TPoint Caption;
};

// Where a glyph frame of gw x gh and a caption of tw x th go inside `rect`. Margin -1
// centres glyph and caption as one block; otherwise the glyph keeps `margin` from the edge
// named by `layout`. A down face moves both by one pixel right and down.
TbsGlyphCaptionPlace PlaceGlyphAndCaption(const TRect& rect, int gw, int gh, int tw, int th,
                                          int margin, int spacing, TbsButtonLayout layout,
                                          bool down);

// What a face shows inside its layout rectangle.
struct TbsButtonContent {
    QString Caption;                // "&" marks the accelerator
    const TBitmap* Glyph = nullptr; // strip of NumGlyphs frames; nullptr or empty for none
    int NumGlyphs = 1;
    int GlyphFrame = 1; // 1-based frame to draw
    int Margin = -1;
    int Spacing = 1;
    TbsButtonLayout Layout = blGlyphLeft;
    bool ShowCaption = true;
};

// Lays glyph and caption out in `rect` and draws them in the canvas font with a clear
// brush: the caption first, then the glyph frame (transparently).
void DrawButtonContent(TCanvas& canvas, const TRect& rect, const TbsButtonContent& content,
                       bool down);

// The glyph and its placement on a button face, kept the same way by both buttons. Each
// setter answers whether the value changed (the button then repaints).
struct TbsButtonGlyphLayout {
    TBitmap Glyph;
    int NumGlyphs = 1; // 1..4: normal, disabled, down, active frames side by side
    TbsButtonLayout Layout = blGlyphLeft;
    int Margin = -1; // -1 centres glyph and caption together
    int Spacing = 1;

    bool SetNumGlyphs(int value);
    bool SetLayout(TbsButtonLayout value);
    bool SetMargin(int value); // values below -1 are ignored
    bool SetSpacing(int value);
    // What a face shows: `caption` with the given glyph frame.
    TbsButtonContent Content(const QString& caption, int glyphFrame) const;
};

// The glyph frame of a face: 3 for down and active with 3+ frames, else 4 for active with
// 4 frames, else 2 for disabled with 2+ frames, else 1.
int GlyphFrameFor(bool active, bool down, bool disabled, int numGlyphs);

// ---------------------------------------------------------------- record values

// The values of a "button" record a button copies at each fetch.
struct TbsButtonSkin {
    QString FontName = QStringLiteral("Arial");
    int FontHeight = 14;
    TFontStyles FontStyle;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0, DownFontColor = 0, DisabledFontColor = 0;
    // State rectangles of the picture; empty ones fall back as the record's rules say.
    TRect ActiveSkinRect, DownSkinRect, DisabledSkinRect;
    bool Morphing = false;
    TbsMorphKind MorphKind = TbsMorphKind::mkDefault;

    // Copies a button record's values; the skin rectangle stands in for empty active and
    // down rectangles.
    void Load(const TbsDataSkinButtonControl& record, const TRect& skinRect);
    // The font colour of a face.
    TColor FontColorFor(bool active, bool down, bool disabled) const;
};

// The morph of two faces: `drawFace(bitmap, stateRect, active, down)` draws a face into a
// bitmap of the given size; the normal face is morphed towards the active one.
void ComposeMorphedFace(TBitmap& result, int width, int height, const TRect& normalRect,
                        const TRect& activeRect, TbsMorphKind kind, double factor,
                        const std::function<void(TBitmap&, const TRect&, bool, bool)>& drawFace);

// Raises every other button of `button`'s type and group among its parent's controls.
template <class TButton> void RaiseGroupSiblings(TButton& button) {
    TWinControl* parent = button.Parent();
    if (!parent)
        return;
    for (TControl* control : parent->ControlList()) {
        auto* sibling = dynamic_cast<TButton*>(control);
        if (sibling && sibling != &button && sibling->GroupIndex() == button.GroupIndex() &&
            sibling->Down())
            sibling->SetDown(false);
    }
}

// The button core of a skinned button control: its faces repaint the control, its clicks
// run the button's ButtonClick, its group is the button's siblings of the same type.
template <class TButton> class TbsControlButtonCore final : public TbsButtonCore {
public:
    explicit TbsControlButtonCore(TButton& button) : FButton(button) {}

protected:
    void RedrawFace() override { FButton.Invalidate(); }
    bool Morphs() const override { return FButton.Morphs(); }
    bool WantsActiveFace() const override { return FButton.ShowsActive(); }
    void ButtonClick() override { FButton.ButtonClick(); }
    void RaiseGroupSiblings() override { ::RaiseGroupSiblings(FButton); }
    void BeforeMorphTick() override { FButton.FetchSkinRecord(); }

private:
    TButton& FButton;
};

// ---------------------------------------------------------------- TbsSkinButton

class TbsSkinButton : public TbsSkinCustomControl {
    Q_OBJECT
public:
    static constexpr int MorphInterval = TbsButtonCore::MorphInterval;

    explicit TbsSkinButton(QWidget* parent = nullptr);
    ~TbsSkinButton() override;

    // --- Look
    TBitmap* Glyph() { return &FLook.Glyph; }
    void SetGlyph(const TBitmap& glyph) {
        FLook.Glyph.Assign(glyph);
        Invalidate();
    }
    int NumGlyphs() const { return FLook.NumGlyphs; }
    void SetNumGlyphs(int value) { RepaintIf(FLook.SetNumGlyphs(value)); }
    TbsButtonLayout Layout() const { return FLook.Layout; }
    void SetLayout(TbsButtonLayout value) { RepaintIf(FLook.SetLayout(value)); }
    int Margin() const { return FLook.Margin; }
    void SetMargin(int value) { RepaintIf(FLook.SetMargin(value)); }
    int Spacing() const { return FLook.Spacing; }
    void SetSpacing(int value) { RepaintIf(FLook.SetSpacing(value)); }

    // --- State
    bool Down() const { return FCore.Down(); }
    void SetDown(bool value) { FCore.SetDown(value); }
    // A non-zero group makes the button a toggle among its siblings of the same group,
    // and unfocusable.
    int GroupIndex() const { return FCore.GroupIndex(); }
    void SetGroupIndex(int value);
    bool AllowAllUp() const { return FCore.AllowAllUp(); }
    void SetAllowAllUp(bool value) { FCore.SetAllowAllUp(value); }
    bool RepeatMode() const { return FCore.RepeatMode(); }
    void SetRepeatMode(bool value) { FCore.SetRepeatMode(value); }
    int RepeatInterval() const { return FCore.RepeatInterval(); }
    void SetRepeatInterval(int value) { FCore.SetRepeatInterval(value); }

    // --- Focus and dialogs
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool value);
    void SetTabStop(bool value) override;
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }

    // --- Action: a linked action's execution stands in for OnClick; its image becomes the
    // glyph while the button has none. Not owned; cleared when the action goes.
    TAction* Action() const { return FActionLink.Action(); }
    void SetAction(TAction* action);

    // --- Internal state, readable for tests and the gallery
    bool Hot() const { return FCore.Active; }
    bool ActsAsDefault() const { return FActsAsDefault; }
    bool MouseHeld() const { return FCore.MouseHeld(); }
    double MorphFactor() const { return FCore.Morph.Value(); }
    bool MorphTimerRunning() const { return FCore.MorphTimerRunning(); }
    bool RepeatTimerRunning() const { return FCore.RepeatTimerRunning(); }
    // The values of the button record (valid while SkinIndex is not -1).
    const TbsButtonSkin& ButtonSkin() const { return FSkin; }
    // One tick of the morph timer.
    void MorphTick() { FCore.MorphTick(); }
    // The record morphs the faces.
    bool Morphs() const { return FSkinIndex != -1 && FSkin.Morphing; }
    // Hot, or focused as a focusable button: the active face shows.
    bool ShowsActive() const;

    // The click action: the form's modal result (focusable buttons), then OnClick or the
    // linked action.
    virtual void ButtonClick();
    // A click as the user's: ButtonClick.
    void Click() override;

    void FetchSkinRecord() override;
    void ApplySkin() override;
    void MouseEnter() override;
    void MouseLeave() override;
    bool DialogKey(int key, TShiftState shift) override;
    bool DialogChar(QChar ch) override;

protected:
    // Draws one face: the state rectangle's piece of the picture, then glyph and caption.
    virtual void DrawButtonFace(TBitmap& bitmap, const TRect& stateRect, bool active, bool down);
    void DrawDefaultImage(TBitmap& bitmap) override;
    void DrawSkinImage(TBitmap& bitmap) override;

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyUp(int& Key, TShiftState Shift) override;
    void EnabledChanged() override;
    void TextChanged() override;
    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Focus moved to `now` somewhere in this button's window.
    void FocusMoved(QWidget* now);
    // Every button of the form recomputes its default state for the focus it has now.
    void NotifyFormFocus();
    bool PressedLook() const;
    // The linked action changed: a button without glyph takes the action's image.
    void ActionChanged();
    TbsButtonContent Content(int glyphFrame) const;
    void RepaintIf(bool changed) {
        if (changed)
            Invalidate();
    }

    TbsButtonSkin FSkin;
    TbsButtonGlyphLayout FLook;
    TbsControlButtonCore<TbsSkinButton> FCore{*this};
    TActionLink FActionLink;
    bool FCanFocused = true;
    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
    bool FActsAsDefault = false;
};

// ---------------------------------------------------------------- TbsSkinSpeedButton

class TbsSkinSpeedButton : public TbsGraphicSkinCustomControl {
    Q_OBJECT
public:
    static constexpr int MorphInterval = TbsButtonCore::MorphInterval;

    explicit TbsSkinSpeedButton(QWidget* parent = nullptr);
    ~TbsSkinSpeedButton() override;

    TBitmap* Glyph() { return &FLook.Glyph; }
    void SetGlyph(const TBitmap& glyph) {
        FLook.Glyph.Assign(glyph);
        Invalidate();
    }
    int NumGlyphs() const { return FLook.NumGlyphs; }
    void SetNumGlyphs(int value) { RepaintIf(FLook.SetNumGlyphs(value)); }
    TbsButtonLayout Layout() const { return FLook.Layout; }
    void SetLayout(TbsButtonLayout value) { RepaintIf(FLook.SetLayout(value)); }
    int Margin() const { return FLook.Margin; }
    void SetMargin(int value) { RepaintIf(FLook.SetMargin(value)); }
    int Spacing() const { return FLook.Spacing; }
    void SetSpacing(int value) { RepaintIf(FLook.SetSpacing(value)); }

    bool Down() const { return FCore.Down(); }
    void SetDown(bool value) { FCore.SetDown(value); }
    int GroupIndex() const { return FCore.GroupIndex(); }
    void SetGroupIndex(int value) { FCore.SetGroupIndex(value); }
    bool AllowAllUp() const { return FCore.AllowAllUp(); }
    void SetAllowAllUp(bool value) { FCore.SetAllowAllUp(value); }
    bool RepeatMode() const { return FCore.RepeatMode(); }
    void SetRepeatMode(bool value) { FCore.SetRepeatMode(value); }
    int RepeatInterval() const { return FCore.RepeatInterval(); }
    void SetRepeatInterval(int value) { FCore.SetRepeatInterval(value); }

    // Transparent: the parent shows through a button in its normal state, which then draws
    // only glyph and caption, and never morphs. Flat sets Transparent too.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value);
    bool ShowCaption() const { return FShowCaption; }
    // Switching applies WidthWithCaption / WidthWithoutCaption when both are positive.
    void SetShowCaption(bool value);
    int WidthWithCaption = 0;
    int WidthWithoutCaption = 0;

    bool Hot() const { return FCore.Active; }
    double MorphFactor() const { return FCore.Morph.Value(); }
    bool MorphTimerRunning() const { return FCore.MorphTimerRunning(); }
    bool RepeatTimerRunning() const { return FCore.RepeatTimerRunning(); }
    const TbsButtonSkin& ButtonSkin() const { return FSkin; }
    void MorphTick() { FCore.MorphTick(); }
    // The record morphs the faces (never while transparent).
    bool Morphs() const { return FSkinIndex != -1 && FSkin.Morphing && !FTransparent; }
    bool ShowsActive() const { return FCore.Active; }

    // Runs OnClick.
    virtual void ButtonClick();
    void Click() override;

    void FetchSkinRecord() override;
    void ApplySkin() override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    virtual void DrawButtonFace(TBitmap& bitmap, const TRect& stateRect, bool active, bool down);
    void DrawDefaultImage(TBitmap& bitmap) override;
    void DrawSkinImage(TBitmap& bitmap) override;
    void Paint() override;

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void EnabledChanged() override;
    void TextChanged() override;

private:
    bool PressedLook() const { return Down() && (GroupIndex() != 0 || Hot()); }
    // Draws only glyph and caption on the parent (a transparent button at rest).
    bool DrawsBare() const { return FTransparent && !Down() && !Hot(); }
    TbsButtonContent Content(int glyphFrame) const;
    void RepaintIf(bool changed) {
        if (changed)
            Invalidate();
    }
    // The font and colour of a face without a picture behind it.
    void PrepareFont(TCanvas& canvas, bool active, bool down) const;

    TbsButtonSkin FSkin;
    TbsButtonGlyphLayout FLook;
    TbsControlButtonCore<TbsSkinSpeedButton> FCore{*this};
    bool FTransparent = false;
    bool FFlat = false;
    bool FShowCaption = true;
};
