#pragma once
// TFlatEdit: a single-line edit without a system border. It paints its own three-pixel
// frame (one line in ColorBorder, two in the fill colour) and fills with ColorFocused while
// it has the focus, or while the mouse is over it and no flat edit has the focus, and with
// ColorFlat otherwise.

#include "calendar/FlatUtilitys.h"
#include "framework/StdCtrls.h"

class TCustomFlatEdit : public TCustomEdit {
    Q_OBJECT
public:
    // The frame around the editor on every side.
    static constexpr int FrameWidth = 3;

    explicit TCustomFlatEdit(QWidget* parent = nullptr);
    ~TCustomFlatEdit() override;

    // Colours by index: 0 ColorFocused, 1 ColorBorder, 2 ColorFlat (which also clears
    // ParentColor). Every write redraws.
    TColor Colors(int index) const;
    void SetColors(int index, TColor value);
    TColor ColorFocused() const { return FColorFocused; }
    void SetColorFocused(TColor value) { SetColors(0, value); }
    TColor ColorBorder() const { return FColorBorder; }
    void SetColorBorder(TColor value) { SetColors(1, value); }
    TColor ColorFlat() const { return FColorFlat; }
    void SetColorFlat(TColor value) { SetColors(2, value); }

    // ColorFlat follows the parent's colour (the edit's own flag; the framework's
    // ParentColor of the control stays off).
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);

    // Derives ColorFocused and ColorBorder from ColorFlat while set.
    bool UseAdvColors() const { return FUseAdvColors; }
    void SetUseAdvColors(bool value);
    // By index: 0 AdvColorFocused, 1 AdvColorBorder (0..100).
    TAdvColors AdvColors(int index) const;
    void SetAdvColors(int index, TAdvColors value);
    TAdvColors AdvColorFocused() const { return FAdvColorFocused; }
    void SetAdvColorFocused(TAdvColors value) { SetAdvColors(0, value); }
    TAdvColors AdvColorBorder() const { return FAdvColorBorder; }
    void SetAdvColorBorder(TAdvColors value) { SetAdvColors(1, value); }

    bool MouseInside() const { return FMouseInside; }
    // Whether the edit is drawn active (focused or hovered) at the moment.
    bool ActiveLook() const { return FActiveLook; }

    // Called once the edit is set up on its form: fits the height to the font.
    void Loaded();
    // The height becomes the font's character cell height plus 6.
    void AdjustFlatHeight();
    // Recomputes the look and redraws the frame.
    void RedrawFlatBorder();

    TRect ClientRect() const override;
    void SetParent(TWinControl* parent) override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void Paint() override;
    void DoEnter() override;
    void DoExit() override;
    void EnabledChanged() override;
    void FontChanged() override;
    void ParentColorChanged() override;

private:
    bool LooksActive() const;
    void CalcAdvColors();
    void TakeParentColor();

    bool FUseAdvColors = false;
    TAdvColors FAdvColorFocused = 10;
    TAdvColors FAdvColorBorder = 50;
    bool FParentColor = true;
    TColor FColorFocused = clWhite;
    TColor FColorBorder = RGB(160, 150, 131);
    TColor FColorFlat = RGB(235, 234, 225);
    bool FMouseInside = false;
    bool FActiveLook = false;
    bool FAdjustingHeight = false;
};

class TFlatEdit : public TCustomFlatEdit {
    Q_OBJECT
public:
    using TCustomFlatEdit::TCustomFlatEdit;
};
