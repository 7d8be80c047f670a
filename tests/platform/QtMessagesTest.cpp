#include "platform/QtMessages.h"

#include <gtest/gtest.h>

TEST(QtMessages, DropsOnlyTheKnownPlatformNotices) {
    for (const char* notice : {"This plugin does not support raise()",
                               "This plugin does not support propagateSizeHints()",
                               "This plugin does not support QCursor::setPos(); emulating movement "
                               "within the application.",
                               "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/x'"})
        EXPECT_TRUE(IsHarmlessPlatformMessage(QtWarningMsg, QString::fromLatin1(notice))) << notice;
    // Other warnings, and anything worse than a warning, still reach the console.
    for (const char* warning :
         {"QPainter::begin: Paint device returned engine == 0",
          "This plugin does not support createPlatformOpenGLContext!", "Warning: raise() failed"})
        EXPECT_FALSE(IsHarmlessPlatformMessage(QtWarningMsg, QString::fromLatin1(warning)))
            << warning;
    EXPECT_FALSE(IsHarmlessPlatformMessage(QtCriticalMsg,
                                           QStringLiteral("This plugin does not support raise()")));
}
