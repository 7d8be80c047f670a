#include "platform/InstanceChannel.h"

#include "common/TestEnv.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(InstanceChannel, ASecondStartReachesTheRunningCopyAndAStaleSocketIsReplaced) {
    const QString path = TestEnv::NewFolder("run") + "/zarvo.socket";
    EXPECT_FALSE(TInstanceChannel::RequestShow(path)) << "nobody listens yet";

    // A copy killed earlier left its socket file behind.
    TestEnv::WriteFile(path, "stale");
    int shown = 0;
    auto channel = TInstanceChannel::Listen(path, [&] { ++shown; });
    ASSERT_TRUE(channel);
    EXPECT_TRUE(TInstanceChannel::RequestShow(path));
    EXPECT_TRUE(TInstanceChannel::RequestShow(path));
    TestEnv::WaitFor([&] { return shown >= 2; }, 1000);
    EXPECT_EQ(shown, 2);

    channel.reset();
    EXPECT_FALSE(QFile::exists(path)) << "the socket goes with its copy";
    EXPECT_FALSE(TInstanceChannel::RequestShow(path));
}

TEST(InstanceChannel, LivesBesideTheSingleInstanceLock) {
    const QString path = InstanceChannelPath(QStringLiteral("zarvo网页特效2008 qirra版"));
    EXPECT_TRUE(path.endsWith(".socket"));
    EXPECT_FALSE(path.contains(QStringLiteral("网页")));
}
