#pragma once
// Input simulation and message-box answering for the widget tests.

#include "framework/Dialogs.h"
#include "framework/Forms.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QThread>
#include <functional>
#include <vector>

namespace ControlsTest {

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos,
                      Qt::MouseButton button = Qt::NoButton, Qt::MouseButtons buttons = {},
                      Qt::KeyboardModifiers modifiers = {}) {
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons,
                      modifiers);
    QApplication::sendEvent(widget, &event);
}

inline void Click(QWidget* widget, QPoint pos = QPoint(2, 2)) {
    SendMouse(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton, {});
}

inline void MoveMouse(QWidget* widget, QPoint pos = QPoint(2, 2)) {
    SendMouse(widget, QEvent::MouseMove, pos);
}

inline void SendKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = {},
                    const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

// Runs the event loop until `done` holds or `ms` pass; returns whether it held.
inline bool WaitFor(const std::function<bool()>& done, int ms = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(5);
    }
    return true;
}

inline void Pump(int ms = 30) {
    WaitFor([] { return false; }, ms);
}

// Answers every message box while alive and keeps what was asked.
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(int answer = mrOk) : FAnswer(answer) {
        FOld = SetMessageBoxHook([this](const TMessageBoxRequest& r) {
            Requests.push_back(r);
            return FAnswer;
        });
    }
    ~MessageBoxAnswerer() { SetMessageBoxHook(FOld); }
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    std::vector<TMessageBoxRequest> Requests;

private:
    int FAnswer;
    TMessageBoxHook FOld;
};

} // namespace ControlsTest
