#include "platform/Compositor.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>

namespace {

bool X11Composites() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(XDefaultScreen(display));
    const Atom atom = XInternAtom(display, name.constData(), False);
    return atom != None && XGetSelectionOwner(display, atom) != None;
}

} // namespace

namespace Compositor {

bool WindowSystemComposites() {
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland")))
        return true;
    if (platform == QLatin1String("xcb"))
        return X11Composites();
    return false;
}

} // namespace Compositor
