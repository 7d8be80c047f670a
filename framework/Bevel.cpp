// The bevel: its shapes in a lowered or raised look.

#include "framework/Bevel.h"

#include "framework/Canvas.h"

namespace {

void HLine(TCanvas& canvas, int x1, int x2, int y, TColor color) {
    canvas.Pen.Color = color;
    canvas.MoveTo(x1, y);
    canvas.LineTo(x2, y);
}

void VLine(TCanvas& canvas, int x, int y1, int y2, TColor color) {
    canvas.Pen.Color = color;
    canvas.MoveTo(x, y1);
    canvas.LineTo(x, y2);
}

// A rectangle outline: top and left in `topLeft`, bottom and right in `bottomRight`.
void Frame3D(TCanvas& canvas, const TRect& r, TColor topLeft, TColor bottomRight) {
    if (r.IsEmpty())
        return;
    HLine(canvas, r.Left, r.Right, r.Top, topLeft);
    VLine(canvas, r.Left, r.Top, r.Bottom, topLeft);
    HLine(canvas, r.Left, r.Right, r.Bottom - 1, bottomRight);
    VLine(canvas, r.Right - 1, r.Top, r.Bottom, bottomRight);
}

} // namespace

void DrawBevelShape(TCanvas& canvas, const TRect& r, TBevelShape shape, TBevelStyle style,
                    TColor light, TColor dark) {
    const TColor first = style == bsLowered ? dark : light;
    const TColor second = style == bsLowered ? light : dark;
    canvas.Pen.Width = 1;
    canvas.Pen.Style = psSolid;
    switch (shape) {
    case bsBox:
        Frame3D(canvas, r, first, second);
        break;
    case bsFrame: {
        TRect outer = r;
        outer.Right -= 1;
        outer.Bottom -= 1;
        TRect inner = r;
        inner.Left += 1;
        inner.Top += 1;
        Frame3D(canvas, inner, second, second);
        Frame3D(canvas, outer, first, first);
        break;
    }
    case bsTopLine:
        HLine(canvas, r.Left, r.Right, r.Top, first);
        HLine(canvas, r.Left, r.Right, r.Top + 1, second);
        break;
    case bsBottomLine:
        HLine(canvas, r.Left, r.Right, r.Bottom - 2, first);
        HLine(canvas, r.Left, r.Right, r.Bottom - 1, second);
        break;
    case bsLeftLine:
        VLine(canvas, r.Left, r.Top, r.Bottom, first);
        VLine(canvas, r.Left + 1, r.Top, r.Bottom, second);
        break;
    case bsRightLine:
        VLine(canvas, r.Right - 2, r.Top, r.Bottom, first);
        VLine(canvas, r.Right - 1, r.Top, r.Bottom, second);
        break;
    case bsSpacer:
        break;
    }
}

TBevel::TBevel(QWidget* parent) : TGraphicControl(parent) {
    SetBounds(Left(), Top(), 50, 50);
}

TBevel::~TBevel() = default;

void TBevel::SetShape(TBevelShape value) {
    FShape = value;
    update();
}

void TBevel::SetStyle(TBevelStyle value) {
    FStyle = value;
    update();
}

void TBevel::Paint() {
    DrawBevelShape(*Canvas(), TRect(0, 0, Width(), Height()), FShape, FStyle, clBtnHighlight,
                   clBtnShadow);
}
