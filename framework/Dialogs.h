#pragma once
// The platform's plain message box, on QMessageBox.
//
// Tests (and tools without a display) can answer boxes through SetMessageBoxHook: while a
// hook is set, every box is handed to it instead of being shown, and its answer is the
// box's result.

#include <QString>
#include <functional>

enum class TMessageBoxIcon { None, Information, Warning, Error, Question };
enum class TMessageBoxButtons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

struct TMessageBoxRequest {
    QString Text;
    QString Caption;
    TMessageBoxIcon Icon = TMessageBoxIcon::None;
    TMessageBoxButtons Buttons = TMessageBoxButtons::OK;
};

// Shows a modal message box and returns the modal result of the button pressed (mrOk,
// mrYes, ...). Closing the box counts as Cancel when it has one, as OK for an OK-only box;
// a box without either (Yes/No, Abort/Retry/Ignore) cannot be closed without an answer.
int MessageBox(const QString& text, const QString& caption,
               TMessageBoxIcon icon = TMessageBoxIcon::None,
               TMessageBoxButtons buttons = TMessageBoxButtons::OK);

// Information box with OK, captioned with the application title.
void ShowMessage(const QString& text);

using TMessageBoxHook = std::function<int(const TMessageBoxRequest& request)>;
// Installs (or, with an empty function, removes) the answering hook; returns the old one.
TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook);
// The hook set now (empty when boxes are shown). Other message boxes (the skinned one)
// hand their requests to it too.
const TMessageBoxHook& MessageBoxHook();
