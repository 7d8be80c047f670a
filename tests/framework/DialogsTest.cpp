#include "framework/Dialogs.h"

#include "ControlsTestSupport.h"
#include "framework/Forms.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace ControlsTest;

TEST(MessageBox, TheHookAnswersAndSeesTheRequest) {
    MessageBoxAnswerer boxes(mrNo);
    EXPECT_EQ(MessageBox(QStringLiteral("您真的要退出?"), QStringLiteral("zarvo"),
                         TMessageBoxIcon::Question, TMessageBoxButtons::YesNo),
              mrNo);
    ASSERT_EQ(boxes.Requests.size(), 1u);
    EXPECT_EQ(boxes.Requests[0].Icon, TMessageBoxIcon::Question);
    EXPECT_EQ(boxes.Requests[0].Buttons, TMessageBoxButtons::YesNo);

    Application->SetTitle(QStringLiteral("万年历"));
    ShowMessage(QStringLiteral("欢迎"));
    EXPECT_EQ(boxes.Requests[1].Caption, QStringLiteral("万年历"));

    // The standard error report.
    Application->ShowException(std::runtime_error("'1a' is not a valid integer value"));
    EXPECT_EQ(boxes.Requests[2].Text, QStringLiteral("'1a' is not a valid integer value"));
    EXPECT_EQ(boxes.Requests[2].Caption, QStringLiteral("万年历"));
    EXPECT_EQ(boxes.Requests[2].Icon, TMessageBoxIcon::Error);
    Application->SetTitle(QString());
}

TEST(MessageBox, ARealBoxReturnsThePressedButtonAndCancelWhenClosed) {
    // Answer the real box from a timer: press "No", then close one with Escape.
    auto answer = [](QMessageBox::StandardButton button) {
        QTimer::singleShot(30, [button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            if (button == QMessageBox::NoButton)
                box->reject();
            else
                box->button(button)->click();
        });
    };
    answer(QMessageBox::No);
    EXPECT_EQ(MessageBox(QStringLiteral("q"), QStringLiteral("c"), TMessageBoxIcon::Information,
                         TMessageBoxButtons::YesNoCancel),
              mrNo);
    answer(QMessageBox::NoButton);
    EXPECT_EQ(MessageBox(QStringLiteral("q"), QStringLiteral("c"), TMessageBoxIcon::Warning,
                         TMessageBoxButtons::OKCancel),
              mrCancel);
    answer(QMessageBox::NoButton);
    EXPECT_EQ(MessageBox(QStringLiteral("q"), QStringLiteral("c")), mrOk);
}
