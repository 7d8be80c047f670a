#pragma once
// TFlatButton: a push button in the flat style. A plain face that lightens under the mouse
// (or with the focus) and darkens while pressed, a one-pixel border that becomes a raised
// bevel on hover and a sunken one when pressed, an optional strip of up to four glyphs and
// a centred caption. Buttons with the same GroupIndex latch like radio buttons.
//
// Hovering is tracked by one 100 ms poll timer shared by every flat button: the button the
// mouse last moved over is watched until the pointer is somewhere else.

#include "calendar/FlatUtilitys.h"
#include "framework/Bitmap.h"
#include "framework/Controls.h"

class QTimer;

enum TTransparentMode { tmAlways, tmNotFocused, tmNone };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
// 1..4 images side by side in a glyph strip.
using TNumGlyphs = int;

// Where LayoutGlyphAndCaption puts the glyph and the caption, in client coordinates.
struct TGlyphCaptionLayout {
    TPoint GlyphOrigin;
    TRect CaptionBounds;
};

// Places a glyph of `glyphSize` and `caption` (measured with the canvas font) in `client`,
// moved by `offset`. Margin -1 centres the pair; Spacing -1 spreads the room evenly.
TGlyphCaptionLayout LayoutGlyphAndCaption(TCanvas& canvas, const TRect& client, TPoint offset,
                                          const QString& caption, TButtonLayout layout, int margin,
                                          int spacing, TSize glyphSize);

class TFlatButton : public TCustomControl {
    Q_OBJECT
public:
    enum class TState { Up, Disabled, Pressed, Latched };

    explicit TFlatButton(QWidget* parent = nullptr);
    ~TFlatButton() override;

    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode mode);
    // Copied into the owning form's ModalResult on every click.
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int result) { FModalResult = result; }

    // --- Colours
    TColor ColorFocused() const { return FColorFocused; }
    void SetColorFocused(TColor color);
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor color);
    TColor ColorBorder() const { return FColorBorder; }
    void SetColorBorder(TColor color);
    TColor ColorHighLight() const { return FColorHighLight; }
    void SetColorHighLight(TColor color);
    TColor ColorShadow() const { return FColorShadow; }
    void SetColorShadow(TColor color);
    // Derives ColorFocused, ColorDown and ColorBorder from Color (and follows the parent's
    // colour) while set.
    bool UseAdvColors() const { return FUseAdvColors; }
    void SetUseAdvColors(bool value);
    TAdvColors AdvColorFocused() const { return FAdvColorFocused; }
    void SetAdvColorFocused(TAdvColors value);
    TAdvColors AdvColorDown() const { return FAdvColorDown; }
    void SetAdvColorDown(TAdvColors value);
    TAdvColors AdvColorBorder() const { return FAdvColorBorder; }
    void SetAdvColorBorder(TAdvColors value);

    // --- Glyph and layout
    const TBitmap& Glyph() const { return FGlyph; }
    // A strip whose width is a multiple of its height sets NumGlyphs (1 beyond 4 images).
    void SetGlyph(const TBitmap& glyph);
    TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TNumGlyphs value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout layout);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    // Values below -1 are ignored.
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    // Computed on every paint.
    TPoint GlyphOrigin() const { return FGlyphOrigin; }
    TRect CaptionBounds() const { return FCaptionBounds; }

    // --- Grouping
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool Down() const { return FDown; }
    void SetDown(bool value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value);
    // A group member announced itself: releases this button when both are down.
    void ButtonPressed(int groupIndex, TFlatButton* sender);

    // Draws the border two pixels wide when up and not hovered; Return clicks it.
    bool Default() const { return FDefault; }
    void SetDefault(bool value);

    TState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    // Composes the whole button into `target` (resized to the client size).
    void PaintTo(TBitmap& target);

    void Click() override;
    bool DialogChar(QChar ch) override;
    bool DialogKey(int key, TShiftState shift) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // The hover timer's interval, and the button it watches (for tests and diagnostics).
    static constexpr int HoverInterval = 100;
    static TFlatButton* TrackedButton();
    static bool HoverTimerActive();

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(int& Key, TShiftState Shift) override;
    void KeyUp(int& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;
    void ParentColorChanged() override;

private:
    bool Inside(int x, int y) const;
    bool UnderCursor() const;
    void NormalizeState();
    void PaintBackground(TCanvas& canvas, const TRect& client);
    void PaintBorder(TCanvas& canvas, const TRect& client);
    void PaintGlyph(TCanvas& canvas);
    void PaintCaption(TCanvas& canvas);
    void CalcAdvColors();
    void AnnounceToGroup();
    void SetColorAndRepaint(TColor& field, TColor value);
    void SetAdvAndRepaint(TAdvColors& field, TAdvColors value);

    // Hover tracking.
    void HoverEnter();
    void HoverLeave();
    void StopTracking();
    void RefreshTracking();
    static void HoverTick();

    TTransparentMode FTransparentMode = tmNone;
    int FModalResult = 0;
    bool FUseAdvColors = false;
    TAdvColors FAdvColorFocused = 10;
    TAdvColors FAdvColorDown = 10;
    TAdvColors FAdvColorBorder = 50;
    TRect FCaptionBounds;
    TPoint FGlyphOrigin;
    TNumGlyphs FNumGlyphs = 1;
    TColor FColorDown = RGB(217, 214, 197);
    TColor FColorBorder = RGB(160, 150, 131);
    TColor FColorHighLight = clWhite;
    TColor FColorShadow = clBlack;
    TColor FColorFocused = RGB(235, 234, 225);
    int FGroupIndex = 0;
    TBitmap FGlyph;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphTop;
    int FSpacing = 4;
    int FMargin = -1;
    bool FMouseInControl = false;
    bool FDefault = false;
    TState FState = TState::Up;
    TBitmap FBuffer;

    static QTimer* FHoverTimer;
    static TFlatButton* FTrackedButton;
    static int FButtonCount;
};
