// The splitter: finding the control it resizes and the live drag.

#include "framework/Splitter.h"

#include "framework/Canvas.h"

#include <algorithm>

TSplitter::TSplitter(QWidget* parent) : TGraphicControl(parent) {
    SetAlign(alLeft);
    SetBounds(0, 0, 3, 100);
    SetCursor(crHSplit);
}

TSplitter::~TSplitter() = default;

void TSplitter::SetMinSize(int value) {
    FMinSize = std::max(1, value);
}

void TSplitter::SetBeveled(bool value) {
    if (FBeveled == value)
        return;
    FBeveled = value;
    Invalidate();
}

TControl* TSplitter::ResizedControl() const {
    TWinControl* parent = Parent();
    if (!parent)
        return nullptr;
    for (TControl* c : parent->ControlList()) {
        if (c == this || c->Align() != Align() || !c->Visible())
            continue;
        bool touches = false;
        switch (Align()) {
        case alLeft:
            touches = c->Left() + c->Width() == Left();
            break;
        case alRight:
            touches = c->Left() == Left() + Width();
            break;
        case alTop:
            touches = c->Top() + c->Height() == Top();
            break;
        case alBottom:
            touches = c->Top() == Top() + Height();
            break;
        default:
            break;
        }
        if (touches)
            return c;
    }
    return nullptr;
}

int TSplitter::SpaceBeyond() const {
    TWinControl* parent = Parent();
    if (!parent)
        return 0;
    for (TControl* c : parent->ControlList())
        if (c->Align() == alClient && c->Visible())
            return Vertical() ? c->Width() : c->Height();
    const TRect client = parent->ClientRect();
    switch (Align()) {
    case alLeft:
        return client.Right - (Left() + Width());
    case alRight:
        return Left() - client.Left;
    case alTop:
        return client.Bottom - (Top() + Height());
    case alBottom:
        return Top() - client.Top;
    default:
        return 0;
    }
}

int TSplitter::Coordinate(int x, int y) const {
    const TPoint screen = ClientToScreen(TPoint(x, y));
    return Vertical() ? screen.X : screen.Y;
}

int TSplitter::SizeForDelta(int delta) const {
    // Moving right or down grows a left or top control and shrinks a right or bottom one.
    const bool grows = Align() == alLeft || Align() == alTop;
    const int wanted = FStartSize + (grows ? delta : -delta);
    const int largest = std::max(FMinSize, FStartSize + FStartSpace - FMinSize);
    return std::clamp(wanted, FMinSize, largest);
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    FDragged = ResizedControl();
    if (!FDragged)
        return;
    FPressAt = Coordinate(X, Y);
    FStartSize = Vertical() ? FDragged->Width() : FDragged->Height();
    FStartSpace = SpaceBeyond();
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    // The pointer shows the direction the bar moves in, whatever its alignment became.
    const TCursor cursor = Vertical() ? crHSplit : crVSplit;
    if (Cursor() != cursor)
        SetCursor(cursor);
    if (!FDragged || !Shift.Contains(ssLeft))
        return;
    const int size = SizeForDelta(Coordinate(X, Y) - FPressAt);
    if (Vertical())
        FDragged->SetWidth(size);
    else
        FDragged->SetHeight(size);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FDragged)
        return;
    FDragged = nullptr;
    if (OnMoved)
        OnMoved(this);
}

void TSplitter::Paint() {
    TCanvas& canvas = *Canvas();
    const TRect r(0, 0, Width(), Height());
    canvas.Brush.Color = Color();
    canvas.FillRect(r);
    if (!FBeveled)
        return;
    canvas.Pen.Color = clBtnHighlight;
    if (Vertical()) {
        canvas.MoveTo(0, 0);
        canvas.LineTo(0, r.Bottom);
        canvas.Pen.Color = clBtnShadow;
        canvas.MoveTo(r.Right - 1, 0);
        canvas.LineTo(r.Right - 1, r.Bottom);
    } else {
        canvas.MoveTo(0, 0);
        canvas.LineTo(r.Right, 0);
        canvas.Pen.Color = clBtnShadow;
        canvas.MoveTo(0, r.Bottom - 1);
        canvas.LineTo(r.Right, r.Bottom - 1);
    }
}
