#include "platform/Taskbar.h"

#include "common/TestEnv.h"

#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <gtest/gtest.h>

namespace {
// Polls the docks until `check` holds for them (the panel maps itself a moment after
// it starts; the window manager maps a shown dock on its own time).
template <typename Check> bool DocksBecome(Check check, int timeoutMs = 3000) {
    QElapsedTimer clock;
    clock.start();
    do {
        const auto docks = Taskbar::FindDockWindows();
        if (!docks.empty() && check(docks))
            return true;
        QThread::msleep(50);
    } while (clock.elapsed() < timeoutMs);
    return false;
}

bool AnyMapped(const std::vector<Taskbar::DockWindow>& docks) {
    return std::any_of(docks.begin(), docks.end(), [](const auto& d) { return d.Mapped; });
}
bool AllMapped(const std::vector<Taskbar::DockWindow>& docks) {
    return std::all_of(docks.begin(), docks.end(), [](const auto& d) { return d.Mapped; });
}

// The desktop's panel is shown again after each test, passed or failed: later tests and
// the desktop need it.
class TaskbarOnDesktop : public ::testing::Test {
protected:
    void TearDown() override {
        if (hidden)
            Taskbar::ShowTaskbar();
    }
    bool hidden = false;
};
} // namespace

TEST(Taskbar, NothingIsFoundWithoutADisplay) {
    const TestEnv::ScopedEnv noDisplay("DISPLAY", QByteArray());
    EXPECT_TRUE(Taskbar::FindDockWindows().empty());
    EXPECT_FALSE(Taskbar::HideTaskbar());
    EXPECT_FALSE(Taskbar::ShowTaskbar());
}

// Runs on the test desktop, whose panel is a dock window.
TEST_F(TaskbarOnDesktop, HidesAndShowsTheDockWindows) {
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "no X display";
    if (!DocksBecome(AnyMapped, 8000))
        GTEST_SKIP() << "no visible dock window on this display";
    hidden = true;
    ASSERT_TRUE(Taskbar::HideTaskbar());
    EXPECT_TRUE(DocksBecome([](const auto& docks) { return !AnyMapped(docks); }));
    // A withdrawn dock is still found, so it can be shown again.
    ASSERT_TRUE(Taskbar::ShowTaskbar());
    EXPECT_TRUE(DocksBecome(AllMapped));
}
