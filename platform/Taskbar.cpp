#include "platform/Taskbar.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <memory>

namespace Taskbar {

namespace {

// Windows may vanish while we look at them; their errors must not end the process.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

// Our own connection to $DISPLAY with a forgiving error handler, restored on close.
class Connection {
public:
    Connection() : FDisplay(XOpenDisplay(nullptr)) {
        if (FDisplay)
            FPreviousHandler = XSetErrorHandler(IgnoreXError);
    }
    ~Connection() {
        if (!FDisplay)
            return;
        XSync(FDisplay, False);
        XSetErrorHandler(FPreviousHandler);
        XCloseDisplay(FDisplay);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Display* Get() const { return FDisplay; }

private:
    Display* FDisplay;
    XErrorHandler FPreviousHandler = nullptr;
};

struct XFreer {
    void operator()(void* data) const { XFree(data); }
};

// The values of a 32-bit list property (atoms, windows).
std::vector<unsigned long> ListProperty(Display* display, Window window, Atom property, Atom type) {
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* raw = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 4096, False, type, &actualType,
                           &actualFormat, &count, &remaining, &raw) != Success)
        return {};
    std::unique_ptr<unsigned char, XFreer> data(raw);
    if (!raw || actualType != type || actualFormat != 32)
        return {};
    // Xlib hands 32-bit items back as longs.
    const unsigned long* items = reinterpret_cast<const unsigned long*>(raw);
    return std::vector<unsigned long>(items, items + count);
}

std::vector<Window> Children(Display* display, Window window) {
    Window root = 0;
    Window parent = 0;
    Window* raw = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &raw, &count))
        return {};
    std::unique_ptr<Window, XFreer> children(raw);
    return raw ? std::vector<Window>(raw, raw + count) : std::vector<Window>();
}

// The managed clients, the top-level windows and their children (a reparenting window
// manager puts each client into a frame). A withdrawn dock is no longer a managed
// client, so the tree walk is what finds it again for showing.
std::vector<Window> CandidateWindows(Display* display) {
    const Window root = DefaultRootWindow(display);
    std::vector<Window> windows;
    for (unsigned long client :
         ListProperty(display, root, XInternAtom(display, "_NET_CLIENT_LIST", False), XA_WINDOW))
        windows.push_back(client);
    for (Window topLevel : Children(display, root)) {
        windows.push_back(topLevel);
        for (Window child : Children(display, topLevel))
            windows.push_back(child);
    }
    std::sort(windows.begin(), windows.end());
    windows.erase(std::unique(windows.begin(), windows.end()), windows.end());
    return windows;
}

bool IsDock(Display* display, Window window) {
    const Atom windowType = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    const Atom dock = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    const std::vector<unsigned long> types = ListProperty(display, window, windowType, XA_ATOM);
    return std::find(types.begin(), types.end(), dock) != types.end();
}

// Override-redirect windows belong to the window manager itself (openbox keeps an
// empty dock of its own that way); they are never the panel.
std::vector<DockWindow> FindDocks(Display* display) {
    std::vector<DockWindow> docks;
    for (Window window : CandidateWindows(display)) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, window, &attributes) || attributes.override_redirect ||
            !IsDock(display, window))
            continue;
        DockWindow dock;
        dock.Id = window;
        dock.Mapped = attributes.map_state != IsUnmapped;
        docks.push_back(dock);
    }
    return docks;
}

} // namespace

std::vector<DockWindow> FindDockWindows() {
    Connection connection;
    if (!connection.Get())
        return {};
    return FindDocks(connection.Get());
}

bool HideTaskbar() {
    Connection connection;
    Display* display = connection.Get();
    if (!display)
        return false;
    const std::vector<DockWindow> docks = FindDocks(display);
    // Withdrawing (unmap plus the synthetic notice to the root) tells the window
    // manager the window is gone, not just iconified.
    for (const DockWindow& dock : docks)
        XWithdrawWindow(display, dock.Id, DefaultScreen(display));
    return !docks.empty();
}

bool ShowTaskbar() {
    Connection connection;
    Display* display = connection.Get();
    if (!display)
        return false;
    const std::vector<DockWindow> docks = FindDocks(display);
    for (const DockWindow& dock : docks)
        XMapRaised(display, dock.Id);
    return !docks.empty();
}

} // namespace Taskbar
