#pragma once
// Drawing of the platform's control borders, shared by the framework's controls.

#include "framework/Canvas.h"
#include "framework/Forms.h"

#include <QWidget>
#include <algorithm>

namespace ControlBorders {

// A one-pixel bevel: top and left lines in `topLeft`, bottom and right in `bottomRight`.
inline void Bevel(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight) {
    if (r.IsEmpty())
        return;
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = topLeft;
    canvas.FillRect(TRect(r.Left, r.Top, r.Right - 1, r.Top + 1));
    canvas.FillRect(TRect(r.Left, r.Top, r.Left + 1, r.Bottom - 1));
    canvas.Brush.Color = bottomRight;
    canvas.FillRect(TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
    canvas.FillRect(TRect(r.Right - 1, r.Top, r.Right, r.Bottom));
}

// The platform's control border: a sunken client edge with Ctl3D, else a black frame.
inline void PaintControlBorder(TCanvas& canvas, int width, int height, TBorderStyle style,
                               bool ctl3D) {
    if (style == bsNone)
        return;
    TRect r(0, 0, width, height);
    if (!ctl3D) {
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = clWindowFrame;
        canvas.FrameRect(r);
        return;
    }
    Bevel(canvas, r, clBtnShadow, clBtnHighlight);
    r.Inflate(-1, -1);
    Bevel(canvas, r, cl3DDkShadow, cl3DLight);
}

inline int ControlBorderWidth(TBorderStyle style, bool ctl3D) {
    if (style == bsNone)
        return 0;
    return ctl3D ? 2 : 1;
}

inline TRect InsideBorder(const QWidget* widget, int border) {
    return TRect(border, border, std::max(border, widget->width() - border),
                 std::max(border, widget->height() - border));
}

} // namespace ControlBorders
