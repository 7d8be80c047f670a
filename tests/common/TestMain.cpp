// Entry point of every test program: isolates the user's folders, then starts an
// offscreen Qt application so widgets, fonts and the clipboard work without a display.

#include "common/TestEnv.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QString root = TestEnv::Root();
    setenv("HOME", (root + "/home").toUtf8().constData(), 1);
    setenv("XDG_CONFIG_HOME", (root + "/config").toUtf8().constData(), 1);
    setenv("XDG_RUNTIME_DIR", (root + "/runtime").toUtf8().constData(), 1);
    if (!getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
