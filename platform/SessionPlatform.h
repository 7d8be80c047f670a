#pragma once
// The window system the program runs on. The skinned frames, popup menus and the tray icon
// place their windows themselves, which X11 allows and Wayland does not: under a Wayland
// session that offers XWayland (an X display) the program runs as an X11 client, quietly;
// without one it runs on Wayland itself. A platform the user asked for (QT_QPA_PLATFORM)
// is always kept.

#include <QByteArray>

namespace SessionPlatform {

// The environment the choice is made from.
struct TSession {
    QByteArray requested;      // QT_QPA_PLATFORM
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray sessionType;    // XDG_SESSION_TYPE
    QByteArray x11Display;     // DISPLAY
};

// The platform to ask Qt for, or an empty one to leave the choice to Qt.
QByteArray Choose(const TSession& session);

// Sets QT_QPA_PLATFORM by Choose() for this process and the programs it starts; call it
// before the application object is made.
void ApplyToThisProcess();

} // namespace SessionPlatform
