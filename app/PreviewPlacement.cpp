#include "app/PreviewPlacement.h"

#include <algorithm>

namespace {
// The group box leaves the status bar's height below it, less the overlap of its design.
constexpr int kGroupBelow = 16;
constexpr int kBrowserLeft = 4;
constexpr int kBrowserTop = 25;
constexpr int kBrowserRightMargin = 3;
constexpr int kBrowserBottomMargin = 4;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 17;
constexpr int kButtonFromRight = 89;
constexpr int kButtonTop = 2;
} // namespace

TPreviewLayout PreviewLayoutFor(int clientWidth, int clientHeight) {
    TPreviewLayout layout;
    const int groupHeight = std::max(kBrowserTop, clientHeight - kGroupBelow);
    layout.Group = TRect(0, 0, clientWidth, groupHeight);
    layout.Browser =
        TRect(kBrowserLeft, kBrowserTop, std::max(kBrowserLeft, clientWidth - kBrowserRightMargin),
              std::max(kBrowserTop, groupHeight - kBrowserBottomMargin));
    const int buttonLeft = std::max(0, clientWidth - kButtonFromRight);
    layout.CloseButton =
        TRect(buttonLeft, kButtonTop, buttonLeft + kButtonWidth, kButtonTop + kButtonHeight);
    return layout;
}

TRect PlacePreviewBeside(const TRect& main, int width, int height, const TRect& workArea) {
    const int roomRight = workArea.Right - main.Right;
    const int roomLeft = main.Left - workArea.Left;
    int left;
    if (roomRight >= width) {
        left = main.Right;
    } else if (roomLeft >= width) {
        left = main.Left - width;
    } else if (std::max(roomRight, roomLeft) >= MinPreviewBesideWidth) {
        width = std::max(roomRight, roomLeft);
        left = roomRight >= roomLeft ? main.Right : workArea.Left;
    } else {
        width = std::min(width, workArea.Width());
        left = workArea.Right - width;
    }
    height = std::min(height, workArea.Height());
    const int top = std::clamp(main.Top, workArea.Top, workArea.Bottom - height);
    return TRect(left, top, left + width, top + height);
}
