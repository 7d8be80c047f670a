#include "framework/Timers.h"

TTimer::TTimer(QObject* owner) : TComponent(owner) {
    FTimer.setTimerType(Qt::PreciseTimer);
    connect(&FTimer, &QTimer::timeout, this, [this] { Timer(); });
    UpdateTimer();
}

void TTimer::SetEnabled(bool enabled) {
    if (FEnabled == enabled)
        return;
    FEnabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(int interval) {
    if (FInterval == interval)
        return;
    FInterval = interval;
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    FTimer.stop();
    if (FEnabled && FInterval > 0)
        FTimer.start(FInterval);
}

void TTimer::Timer() {
    // A copy, so a handler that destroys the timer does not destroy itself while running.
    TNotifyEvent handler = OnTimer;
    FireEvent(handler, this);
}
