#pragma once
// Waiting for the browser engine: its work arrives only through a running event loop, so the
// wait runs one itself in short turns (processing events by hand does not deliver it).

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <functional>

// Runs the event loop in turns of `turnMs` until `done` holds; false after `ms`.
inline bool EngineWaitFor(const std::function<bool()>& done, int ms = 20000, int turnMs = 20) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QEventLoop loop;
        QTimer::singleShot(turnMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}
