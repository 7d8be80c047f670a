#include "platform/SessionPlatform.h"

#include <QtGlobal>

namespace SessionPlatform {

QByteArray Choose(const TSession& session) {
    if (!session.requested.isEmpty())
        return QByteArray();
    const bool wayland =
        !session.waylandDisplay.isEmpty() || session.sessionType.toLower() == "wayland";
    if (wayland && !session.x11Display.isEmpty())
        return QByteArrayLiteral("xcb");
    return QByteArray();
}

void ApplyToThisProcess() {
    const QByteArray platform = Choose({qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                                        qgetenv("XDG_SESSION_TYPE"), qgetenv("DISPLAY")});
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace SessionPlatform
