#include "framework/Timers.h"

#include "ControlsTestSupport.h"

#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

using namespace ControlsTest;

TEST(Timer, TicksWhileEnabledAndSurvivesAFailingHandler) {
    std::vector<std::string> reported;
    SetExceptionHandler([&](const std::exception& e) { reported.push_back(e.what()); });
    TTimer timer;
    EXPECT_EQ(timer.Interval(), 1000);
    EXPECT_TRUE(timer.Enabled());
    int ticks = 0;
    timer.OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, &timer);
        if (++ticks == 1)
            throw std::runtime_error("tick failed");
    };
    timer.SetInterval(10);
    EXPECT_TRUE(WaitFor([&] { return ticks >= 3; }));
    EXPECT_EQ(reported, std::vector<std::string>{"tick failed"});

    timer.SetEnabled(false);
    EXPECT_FALSE(timer.IsRunning());
    int stopped = ticks;
    Pump(50);
    EXPECT_EQ(ticks, stopped);
    timer.SetInterval(0);
    timer.SetEnabled(true);
    EXPECT_FALSE(timer.IsRunning()) << "an interval of 0 never ticks";
    SetExceptionHandler(nullptr);
}

TEST(Timer, AHandlerMayDestroyItsTimer) {
    auto timer = std::make_unique<TTimer>();
    timer->SetInterval(5);
    timer->OnTimer = [&](TObject*) { timer.reset(); };
    EXPECT_TRUE(WaitFor([&] { return timer == nullptr; }));
}
