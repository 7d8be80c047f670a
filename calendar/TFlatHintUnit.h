#pragma once
// TFlatHint: a component that, placed on a form, makes the application show its hints in
// a TFlatHintWindow: a framed box with a coloured strip holding a small arrow that points
// toward the mouse pointer. The window opens beside the pointer, toward the middle of the
// screen, so it never covers the pointer.

#include "framework/Classes.h"
#include "framework/ExtCtrls.h"
#include "framework/Font.h"
#include "framework/Forms.h"

#include <array>

class TFlatHint : public TComponent {
    Q_OBJECT
public:
    // Makes the application's hint window a TFlatHintWindow and routes its show-hint
    // notification here.
    explicit TFlatHint(QObject* owner = nullptr);
    ~TFlatHint() override;

    TFont* Font() { return &FFont; }
    const TFont* Font() const { return &FFont; }

    // Colours by index: 0 ColorBackground, 1 ColorBorder, 2 ColorArrowBackground,
    // 3 ColorArrow.
    TColor Colors(int index) const;
    void SetColors(int index, TColor value);
    TColor ColorBackground() const { return FColorBackground; }
    void SetColorBackground(TColor value) { SetColors(0, value); }
    TColor ColorBorder() const { return FColorBorder; }
    void SetColorBorder(TColor value) { SetColors(1, value); }
    TColor ColorArrowBackground() const { return FColorArrowBackground; }
    void SetColorArrowBackground(TColor value) { SetColors(2, value); }
    TColor ColorArrow() const { return FColorArrow; }
    void SetColorArrow(TColor value) { SetColors(3, value); }

    int MaxHintWidth() const { return FMaxHintWidth; }
    void SetMaxHintWidth(int value) { FMaxHintWidth = value; }

    // Called with the application's hint text, can-show flag and hint information.
    TShowHintEvent OnShowHint;

private:
    void GetHintInfo(QString& hintStr, bool& canShow, THintInfo& hintInfo);

    TFont FFont;
    TColor FColorBackground = clWhite;
    TColor FColorBorder = clBlack;
    TColor FColorArrowBackground = RGB(255, 210, 83);
    TColor FColorArrow = clBlack;
    int FMaxHintWidth = 200;
};

// The TFlatHint of the application's main form; without one, the most recently created
// TFlatHint that still exists (a plug-in's window is not the main form). nullptr when
// there is none.
TFlatHint* FindFlatHint();

// Where a flat hint window of w x h goes for a pointer at `cursor` on a screen of
// `screen` size, and which way its arrow points (0 up-right, 1 up-left, 2 down-right,
// 3 down-left: toward the pointer).
struct TFlatHintPlacement {
    int Direction = 0;
    TRect Bounds;
};
TFlatHintPlacement PlaceFlatHint(TPoint cursor, TSize screen, int w, int h);

// The arrow strip of a w x h window for a direction, and the arrow's 18 points.
TRect FlatHintArrowStrip(int direction, int w, int h);
TPoint FlatHintArrowAnchor(int direction, const TRect& strip);
std::array<TPoint, 18> FlatHintArrowPoints(int direction, TPoint anchor);

class TFlatHintWindow : public THintWindow {
    Q_OBJECT
public:
    explicit TFlatHintWindow(QWidget* parent = nullptr);
    ~TFlatHintWindow() override;

    // The size the text needs: measured word-wrapped at MaxHintWidth - 22, plus the strip
    // and the margins.
    TRect CalcHintRect(int maxWidth, const QString& hint) override;
    // Ignores the proposed position: the window goes beside the pointer (PlaceFlatHint).
    void ActivateHint(const TRect& rect, const QString& hint) override;

    int Direction() const { return FDirection; }
    TPoint ArrowPos() const { return FArrowPos; }

protected:
    void Paint() override;

private:
    // The look's settings: the flat hint's, or the defaults without one.
    struct TLook;
    TLook Look() const;
    TRect MeasureText(const QString& hint, const TRect& at);

    int FDirection = 0;
    TPoint FArrowPos;
};
