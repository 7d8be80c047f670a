#pragma once
// The JavaScript dialogs of a previewed page as the program answers them.

#include <QString>
#include <QUrl>

class PreviewPage;

// A JavaScript dialog a page asks for, and the answer the handler gives.
struct PreviewDialog {
    enum class Kind { Alert, Confirm, Prompt };
    Kind kind = Kind::Alert;
    QString text;
    QString defaultValue; // prompt only
    QUrl page;
    PreviewPage* source = nullptr;
    // The page has opened many dialogs in a row: the handler should offer to stop them.
    bool offerStop = false;
};

struct PreviewDialogAnswer {
    bool accepted = false; // OK (confirm, prompt); ignored for alerts
    QString value;         // prompt only
    bool stopDialogs = false;
};
