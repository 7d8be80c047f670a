#pragma once
// The taskbar on X11: the dock windows (_NET_WM_WINDOW_TYPE_DOCK) of the display
// named by $DISPLAY, such as a desktop panel. Hiding withdraws them, showing maps
// them again. Without an X display or a dock window nothing is found.

#include <vector>

namespace Taskbar {

struct DockWindow {
    unsigned long Id = 0; // the X window
    bool Mapped = false;
};

std::vector<DockWindow> FindDockWindows();
// False when no dock window was found.
bool HideTaskbar();
bool ShowTaskbar();

} // namespace Taskbar
