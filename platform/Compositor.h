#pragma once
// Whether the window system composites, so window opacity takes effect: on X11 when a
// compositing manager owns the _NET_WM_CM_S<screen> selection, on Wayland always, on
// any other platform (offscreen, minimal) never.

namespace Compositor {

bool WindowSystemComposites();

} // namespace Compositor
