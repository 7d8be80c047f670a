#pragma once
// The geometry of popup windows as pure functions of the skin description and a size:
// the frame fitted to a window, the window size of a list of items, the item layout of a
// (scrolled) view and the placement against a work area. The popup window, its tests and
// the gallery all use these, so a menu looks the same wherever it is drawn.

#include "framework/Types.h"

#include <vector>

class TbsDataSkinPopupWindow;
class TbsDataSkinMenuItem;

// Height of each scroll strip at the top and bottom of a scrolling window.
inline constexpr int PopupScrollStripHeight = 10;

// The popup-window record fitted to W x H: the corner points and the items rectangle.
struct TbsPopupFit {
    TPoint LT, RT, LB, RB;
    TRect ItemsRect;
};

// The skinned fit for a frame picture of PW x PH.
TbsPopupFit FitPopupFrame(const TbsDataSkinPopupWindow& record, int PW, int PH, int W, int H);
// The plain look: the items lie 2 pixels inside the window.
TbsPopupFit FitPlainPopupFrame(int W, int H);

// What a window size depends on besides its items.
struct TbsPopupLook {
    // Skinned frame: the popup-window record and its picture size; null for the plain look.
    const TbsDataSkinPopupWindow* Window = nullptr;
    int PW = 0, PH = 0;
    // Skinned items (only used with a skinned frame); null for plain items.
    const TbsDataSkinMenuItem* Item = nullptr;
    int DefItemHeight = 20;
};

// One listed item as the size and layout see it.
struct TbsPopupLine {
    int TextWidth = 0; // caption and shortcut text, measured, without the 2 added
    bool Separator = false;
};

// Width of the image/mark column: the image width + 5 with images, else 19.
int PopupGlyphColumnWidth(int imageWidth, bool hasImages);
// The height of one item in the look.
int PopupItemHeight(const TbsPopupLook& look, bool separator);

// The window size W x H for the items (before the work-area cut of a scrolling window).
TSize PopupWindowSize(const TbsPopupLook& look, const std::vector<TbsPopupLine>& lines,
                      int glyphColumnWidth);

// The item bounds of a view starting at firstVisible: items before it and from the first
// one that passes the bottom on are not shown.
struct TbsPopupLayout {
    std::vector<TRect> Bounds; // one per item; meaningful for shown items only
    std::vector<bool> Shown;
    int ShownCount = 0;
};
TbsPopupLayout LayOutPopupItems(const std::vector<int>& heights, const TRect& itemsRect,
                                bool scrolling, int firstVisible);

// The largest first index whose items still fill the view (the last screenful).
int PopupLastScreenfulStart(const std::vector<int>& heights, const TRect& itemsRect);

// How a window opens.
struct TbsPopupOpening {
    TRect Anchor; // screen rectangle: the point, the bar item or the parent item
    bool Submenu = false;
    bool Upward = false;
    bool Scrolling = false;
};
// The screen position of a W x H window whose fitted items rectangle starts at
// itemsTop, in work area R.
TPoint PlacePopupWindow(const TbsPopupOpening& opening, const TRect& R, int W, int H, int itemsTop);
