#include "platform/SessionPlatform.h"

#include <gtest/gtest.h>

using SessionPlatform::Choose;

TEST(SessionPlatform, AWaylandSessionWithXWaylandRunsOnX11AndTheUsersChoiceStands) {
    // Wayland with an X display: X11, whether the session says so by its socket or its type.
    EXPECT_EQ(Choose({"", "wayland-0", "", ":0"}), "xcb");
    EXPECT_EQ(Choose({"", "", "Wayland", ":1"}), "xcb");
    // Wayland alone: Qt's own choice, the native one.
    EXPECT_EQ(Choose({"", "wayland-0", "wayland", ""}), "");
    // An X11 session, or no session at all, is left to Qt as well.
    EXPECT_EQ(Choose({"", "", "x11", ":0"}), "");
    EXPECT_EQ(Choose({"", "", "", ""}), "");
    // What the user asked for is kept, even under Wayland.
    EXPECT_EQ(Choose({"wayland", "wayland-0", "wayland", ":0"}), "");
    EXPECT_EQ(Choose({"offscreen", "wayland-0", "", ":0"}), "");
}
