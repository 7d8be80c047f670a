#include "framework/Colors.h"

namespace {
// The classic (Windows Standard scheme) system colours, indexed by the low byte.
constexpr TColor kSystemColors[] = {
    RGB(212, 208, 200), // scroll bar
    RGB(58, 110, 165),  // background
    RGB(10, 36, 106),   // active caption
    RGB(128, 128, 128), // inactive caption
    RGB(212, 208, 200), // menu
    RGB(255, 255, 255), // window
    RGB(0, 0, 0),       // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(255, 255, 255), // caption text
    RGB(212, 208, 200), // active border
    RGB(212, 208, 200), // inactive border
    RGB(128, 128, 128), // app workspace
    RGB(10, 36, 106),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(212, 208, 200), // button face
    RGB(128, 128, 128), // button shadow
    RGB(128, 128, 128), // gray text
    RGB(0, 0, 0),       // button text
    RGB(212, 208, 200), // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(64, 64, 64),    // 3D dark shadow
    RGB(212, 208, 200), // 3D light
    RGB(0, 0, 0),       // info text
    RGB(255, 255, 225), // info background
};
} // namespace

TColor ColorToRGB(TColor color) {
    if (color < 0) {
        int index = color & 0xFF;
        if (index < static_cast<int>(sizeof kSystemColors / sizeof kSystemColors[0]))
            return kSystemColors[index];
        return clBlack;
    }
    return color & 0xFFFFFF;
}

QColor ToQColor(TColor color) {
    TColor c = ColorToRGB(color);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor FromQColor(const QColor& color) {
    return RGB(color.red(), color.green(), color.blue());
}
