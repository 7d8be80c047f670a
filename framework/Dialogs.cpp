#include "framework/Dialogs.h"

#include "framework/Forms.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace {

TMessageBoxHook& Hook() {
    static TMessageBoxHook hook;
    return hook;
}

QMessageBox::Icon QtIcon(TMessageBoxIcon icon) {
    switch (icon) {
    case TMessageBoxIcon::Information:
        return QMessageBox::Information;
    case TMessageBoxIcon::Warning:
        return QMessageBox::Warning;
    case TMessageBoxIcon::Error:
        return QMessageBox::Critical;
    case TMessageBoxIcon::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}

struct ButtonChoice {
    QMessageBox::StandardButton Button;
    int Result;
};

std::vector<ButtonChoice> ButtonsOf(TMessageBoxButtons buttons) {
    switch (buttons) {
    case TMessageBoxButtons::OKCancel:
        return {{QMessageBox::Ok, mrOk}, {QMessageBox::Cancel, mrCancel}};
    case TMessageBoxButtons::AbortRetryIgnore:
        return {{QMessageBox::Abort, mrAbort},
                {QMessageBox::Retry, mrRetry},
                {QMessageBox::Ignore, mrIgnore}};
    case TMessageBoxButtons::YesNoCancel:
        return {
            {QMessageBox::Yes, mrYes}, {QMessageBox::No, mrNo}, {QMessageBox::Cancel, mrCancel}};
    case TMessageBoxButtons::YesNo:
        return {{QMessageBox::Yes, mrYes}, {QMessageBox::No, mrNo}};
    case TMessageBoxButtons::RetryCancel:
        return {{QMessageBox::Retry, mrRetry}, {QMessageBox::Cancel, mrCancel}};
    default:
        return {{QMessageBox::Ok, mrOk}};
    }
}

// The answer a box gives when it is closed without a button.
int CloseResult(const std::vector<ButtonChoice>& choices) {
    for (const ButtonChoice& s : choices)
        if (s.Result == mrCancel)
            return mrCancel;
    return choices.size() == 1 ? choices.front().Result : mrNone;
}

} // namespace

TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook) {
    return std::exchange(Hook(), std::move(hook));
}

const TMessageBoxHook& MessageBoxHook() {
    return Hook();
}

int MessageBox(const QString& text, const QString& caption, TMessageBoxIcon icon,
               TMessageBoxButtons buttons) {
    if (Hook()) {
        TMessageBoxRequest request{text, caption, icon, buttons};
        return Hook()(request);
    }
    std::vector<ButtonChoice> choices = ButtonsOf(buttons);
    QMessageBox box(QtIcon(icon), caption, text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    for (const ButtonChoice& s : choices)
        box.addButton(s.Button);
    box.setDefaultButton(choices.front().Button);
    int closeResult = CloseResult(choices);
    for (const ButtonChoice& s : choices)
        if (s.Result == closeResult)
            box.setEscapeButton(box.button(s.Button));
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    for (const ButtonChoice& s : choices)
        if (clicked && clicked == box.button(s.Button))
            return s.Result;
    return closeResult == mrNone ? mrCancel : closeResult;
}

void ShowMessage(const QString& text) {
    MessageBox(text, Application->Title(), TMessageBoxIcon::None, TMessageBoxButtons::OK);
}
