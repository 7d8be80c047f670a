// The yardstick of the program's start-up: a bare Qt widget window of the main window's
// size that quits right after its first paint. Built as bare-webview it holds one web view
// on a blank page. With --rss-after MS it stays MS milliseconds instead and prints its
// resident memory in kB.

#include <QApplication>
#include <QFile>
#include <QPaintEvent>
#include <QTimer>
#include <QWidget>
#ifdef BARE_WITH_WEBVIEW
#include "app/PreviewEngine.h"
#include <QWebEngineView>
#endif
#include <cstdio>
#include <cstring>

namespace {

class BareWindow : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        if (!std::exchange(FPainted, true) && QuitAfterPaint)
            QTimer::singleShot(0, qApp, &QApplication::quit);
    }

public:
    bool QuitAfterPaint = true;

private:
    bool FPainted = false;
};

long ResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    int rssAfter = -1;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--rss-after") == 0 && i + 1 < argc)
            rssAfter = std::atoi(argv[++i]);
#ifdef BARE_WITH_WEBVIEW
    PreparePreviewProcess();
#endif
    QApplication app(argc, argv);
    BareWindow window;
    window.resize(695, 474);
    window.QuitAfterPaint = rssAfter < 0;
#ifdef BARE_WITH_WEBVIEW
    auto* view = new QWebEngineView(&window);
    view->setGeometry(4, 25, 682, 396);
    view->setUrl(QUrl(QStringLiteral("about:blank")));
#endif
    window.show();
    if (rssAfter >= 0)
        QTimer::singleShot(rssAfter, [] {
            std::printf("%ld\n", ResidentKb());
            qApp->quit();
        });
    return app.exec();
}
