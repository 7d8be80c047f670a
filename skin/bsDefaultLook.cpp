#include "skin/bsDefaultLook.h"

void DrawDefaultFace(TCanvas& canvas, const TRect& rect, TbsDefaultLook look) {
    using namespace bsDefaultColors;
    TColor frame = NormalFrame;
    TColor fill = NormalFill;
    if (look == TbsDefaultLook::Pressed) {
        frame = Frame;
        fill = PressedFill;
    } else if (look == TbsDefaultLook::Hot) {
        frame = Frame;
        fill = HotFill;
    }
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = fill;
    canvas.FillRect(rect);
    canvas.Brush.Color = frame;
    canvas.FrameRect(rect);
}
