// quse: the screen colour picker of zarvofx. It freezes the screen, shows a magnifier at the
// mouse, and a click picks the pixel: the result window shows it as "#RRGGBB" and
// "rgb(r, g, b)" with a button that copies it. Escape closes. Each picked colour is also
// printed on standard output ("#RRGGBB rgb(r, g, b)"), for scripts.

#include "PickerWindows.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

// The still picture of the screen under the mouse, and where that screen lies.
QImage GrabScreen(QPoint& origin) {
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    origin = screen->geometry().topLeft();
    return screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// The result window beside the picked point, kept on that point's screen.
QPoint PlaceBeside(QPoint at, QSize size) {
    QScreen* screen = QGuiApplication::screenAt(at);
    const QRect area = (screen ? screen : QGuiApplication::primaryScreen())->availableGeometry();
    QPoint place = at + QPoint(24, 24);
    if (place.x() + size.width() > area.right())
        place.setX(at.x() - 24 - size.width());
    if (place.y() + size.height() > area.bottom())
        place.setY(at.y() - 24 - size.height());
    return place;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quse"));
    if (!QGuiApplication::primaryScreen()) {
        std::fprintf(stderr, "quse: no screen to pick from\n");
        return 1;
    }

    TColourResult result;
    std::unique_ptr<TPickOverlay> overlay;
    std::function<void()> pick = [&] {
        result.hide();
        QPoint origin;
        QImage screen = GrabScreen(origin);
        overlay = std::make_unique<TPickOverlay>(std::move(screen), origin);
        overlay->OnPicked = [&](QColor colour, QPoint at) {
            std::printf("%s %s\n", qPrintable(HexText(colour)), qPrintable(RgbText(colour)));
            std::fflush(stdout);
            result.ShowColour(colour);
            result.adjustSize();
            result.move(PlaceBeside(at, result.frameGeometry().size()));
            result.show();
            result.raise();
            result.activateWindow();
        };
        overlay->OnCancelled = [&] {
            if (!result.isVisible())
                QApplication::quit();
        };
        overlay->show();
        overlay->activateWindow();
        overlay->grabKeyboard();
    };
    result.OnPickAgain = [&] { QTimer::singleShot(200, pick); };
    QApplication::setQuitOnLastWindowClosed(true);
    pick();
    return app.exec();
}
