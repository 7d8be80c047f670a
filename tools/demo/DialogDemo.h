#pragma once
// The dialogs mode of zarvo-demo: runs the skinned open or save dialog once, in a chosen
// skin, and prints "accepted PATH" (with one "file PATH" line per selected file) or
// "cancelled".

#include <QString>

struct TDialogDemoRun {
    bool Save = false;
    // A skin folder; empty for the default look.
    QString SkinFolder;
    QString InitialDir;
    QString FileName;
    QString Filter;
    // With a value of 0 or more: after that many milliseconds the dialog is cancelled,
    // after a screenshot into ScreenshotFile when one is named.
    int QuitAfter = -1;
    QString ScreenshotFile;
};

// Runs the dialog; answers the exit code (0 accepted, 3 cancelled). Throws
// ToolCli::Failure when the screenshot cannot be written.
int RunDialogDemo(const TDialogDemoRun& run);
