#pragma once
// Geometry of the preview window: how its parts fill a client area of any size, and where
// the live preview's window goes beside the main window.

#include "framework/Types.h"

// The group box, the browser in it and the close button over its caption bar, for a
// client area of width x height. At the window's designed size (689 x 441) these are the
// places of its design; a larger window gives the room to the browser.
struct TPreviewLayout {
    TRect Group;
    TRect Browser;     // in the group box
    TRect CloseButton; // in the group box
};
TPreviewLayout PreviewLayoutFor(int clientWidth, int clientHeight);

// The narrowest the live window is made to fit beside the main window.
inline constexpr int MinPreviewBesideWidth = 360;

// The live window's frame for a window of width x height next to the main window's frame
// `main`, inside `workArea`: right of it where the room is, else left of it; where neither
// side holds the whole width, the roomier side when it holds MinPreviewBesideWidth, the
// window narrowed to it; else at the work area's right edge, over the main window. Its top
// is the main window's, moved up as far as needed to stay inside the work area.
TRect PlacePreviewBeside(const TRect& main, int width, int height, const TRect& workArea);
