#pragma once
// A timer component: fires OnTimer every Interval milliseconds while Enabled. It runs on the GUI
// thread's event loop (a QTimer), and the handler is fired through the event guard.

#include "framework/Classes.h"

#include <QTimer>

class TTimer : public TComponent {
    Q_OBJECT
public:
    explicit TTimer(QObject* owner = nullptr);

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    // Milliseconds between ticks (default 1000). Changing it restarts the count;
    // 0 stops the timer.
    int Interval() const { return FInterval; }
    void SetInterval(int interval);

    TNotifyEvent OnTimer;

    // True while the underlying timer is counting.
    bool IsRunning() const { return FTimer.isActive(); }

protected:
    virtual void Timer();

private:
    void UpdateTimer();

    QTimer FTimer;
    bool FEnabled = true;
    int FInterval = 1000;
};
