#pragma once
// TSplitter: a bar between aligned controls that the user drags to resize the control it
// sticks to. The splitter is aligned like that control (left, right, top or bottom) and
// placed directly after it; dragging changes the control's width (left/right) or height
// (top/bottom), live, keeping both it and the space beyond the splitter at least MinSize.

#include "framework/Controls.h"

class TSplitter : public TGraphicControl {
    Q_OBJECT
public:
    explicit TSplitter(QWidget* parent = nullptr);
    ~TSplitter() override;

    // The smallest size the resized control and the space beyond the splitter keep.
    int MinSize() const { return FMinSize; }
    void SetMinSize(int value);
    // A raised edge on the bar's two long sides.
    bool Beveled() const { return FBeveled; }
    void SetBeveled(bool value);

    // The control the splitter resizes: the visible sibling of the same alignment whose
    // edge touches the splitter's near side; nullptr without one.
    TControl* ResizedControl() const;
    // True for left/right splitters (they move sideways).
    bool Vertical() const { return Align() != alTop && Align() != alBottom; }

    // After a drag changed the resized control's size.
    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // The size of the resized control when the splitter moves by `delta` from the press.
    int SizeForDelta(int delta) const;
    // The room beyond the splitter: the client-aligned sibling's size, or the parent's
    // space after the splitter without one.
    int SpaceBeyond() const;
    int Coordinate(int x, int y) const;

    int FMinSize = 30;
    bool FBeveled = false;
    QPointer<TControl> FDragged;
    int FPressAt = 0;
    int FStartSize = 0;
    int FStartSpace = 0;
};
