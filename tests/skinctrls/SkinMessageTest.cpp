// The skinned message box: captions and icons of the kinds, button rows laid out from the
// text, default and cancel buttons, and the results of Enter, Escape, accelerators and
// closing.

#include "SkinCtrlsTestSupport.h"

#include "framework/ControlsTestSupport.h"
#include "skin/SkinFixture.h"
#include "skinforms/bsMessages.h"
#include "skinforms/bsSkinForm.h"
#include "skinforms/bsSkinFormObjects.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinPanels.h"

#include "framework/ExtCtrls.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <set>

using namespace SkinCtrlsTest;
using namespace ControlsTest;

namespace {

std::unique_ptr<TbsMessageForm> Build(const TbsSkinMessage& box, const QString& text,
                                      TMsgDlgType kind, TMsgDlgButtons buttons) {
    return std::unique_ptr<TbsMessageForm>(box.CreateMessageForm(text, kind, buttons));
}

// The number of different colours in a picture (a drawn icon has many, a blank one one).
int ColourCount(const TBitmap& bitmap) {
    std::set<TColor> colours;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            colours.insert(bitmap.Pixel(x, y));
    return static_cast<int>(colours.size());
}

// The box that is being shown modally now.
TbsMessageForm* ShownBox() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<TbsMessageForm*>(w); form && form->isVisible())
            return form;
    return nullptr;
}

// Shows a box and, once it is up, hands it to `answer`; returns the box's result.
int Answer(TbsSkinMessage& box, TMsgDlgButtons buttons,
           const std::function<void(TbsMessageForm&)>& answer) {
    QTimer::singleShot(20, [&] {
        if (TbsMessageForm* form = ShownBox())
            answer(*form);
    });
    return box.ShowMessageDialog(QStringLiteral("问题?"), mtConfirmation, buttons);
}

// A key as it reaches the focused button of the box.
void PressKey(TbsMessageForm& form, int key, Qt::KeyboardModifiers mods = {},
              const QString& text = QString()) {
    TControl* focus = form.ActiveControl();
    SendKey(focus ? static_cast<QWidget*>(focus) : &form, key, mods, text);
}

} // namespace

TEST(SkinMessage, EveryKindHasItsCaptionAndItsOwnIcon) {
    Application->SetTitle(QStringLiteral("网页特效"));
    TbsSkinMessage box;
    const std::pair<TMsgDlgType, const char*> kinds[] = {
        {mtWarning, "警告"}, {mtError, "错误"}, {mtInformation, "信息"}, {mtConfirmation, "确认"}};
    std::set<std::vector<TColor>> icons;
    for (auto [kind, caption] : kinds) {
        auto form = Build(box, QStringLiteral("文本"), kind, {mbOK});
        EXPECT_EQ(form->Text(), QString::fromUtf8(caption));
        TBitmap* icon = form->Image()->Picture();
        ASSERT_EQ(icon->Width(), 32);
        EXPECT_GT(ColourCount(*icon), 3) << caption;
        std::vector<TColor> pixels;
        for (int i = 0; i < 32 * 32; ++i)
            pixels.push_back(icon->Pixel(i % 32, i / 32));
        icons.insert(pixels);
    }
    EXPECT_EQ(icons.size(), 4u) << "each kind shows a different icon";
    auto custom = Build(box, QStringLiteral("文本"), mtCustom, {mbOK});
    EXPECT_EQ(custom->Text(), QStringLiteral("网页特效"));
    EXPECT_TRUE(custom->Image()->Picture()->Empty());
}

TEST(SkinMessage, ButtonRowsOfOneToFourAreCentredInTableOrder) {
    TbsSkinMessage box;
    const TMsgDlgButtons sets[] = {
        {mbOK}, {mbYes, mbNo}, {mbCancel, mbYes, mbNo}, {mbHelp, mbIgnore, mbRetry, mbAbort}};
    const std::vector<QString> names[] = {
        {"OK"}, {"Yes", "No"}, {"Yes", "No", "Cancel"}, {"Abort", "Retry", "Ignore", "Help"}};
    for (int s = 0; s < 4; ++s) {
        auto form = Build(box, QStringLiteral("短"), mtInformation, sets[s]);
        int n = static_cast<int>(names[s].size());
        int row = 60 * n + 10 * (n - 1);
        int x = (form->ClientWidth() - row) / 2;
        QList<TbsSkinButton*> buttons = form->findChildren<TbsSkinButton*>();
        ASSERT_EQ(buttons.size(), n);
        for (int i = 0; i < n; ++i) {
            auto* b = form->findChild<TbsSkinButton*>(names[s][i]);
            ASSERT_NE(b, nullptr) << names[s][i].toStdString();
            EXPECT_EQ(b->BoundsRect(),
                      TRect(x, form->ClientHeight() - 35, x + 60, form->ClientHeight() - 10))
                << names[s][i].toStdString();
            x += 70;
        }
        // The row decides the width once it is wider than the text, the frame's minimum
        // width once that is wider still.
        int labelRight = form->Message()->Left() + form->Message()->Width();
        const int frame = form->Width() - form->ClientWidth();
        EXPECT_EQ(form->Width(),
                  std::max(std::max(labelRight, row) + 40 + frame, form->Frame()->MinFrameWidth()));
    }
    auto all = Build(box, QString(), mtWarning, {mbAbort, mbRetry, mbIgnore, mbHelp});
    EXPECT_EQ(all->Button(mbRetry)->Caption(), "重试(&R)");
    EXPECT_EQ(all->Button(mbHelp)->ModalResult(), mrNone);
    EXPECT_EQ(all->Button(mbAbort)->ModalResult(), mrAbort);
}

TEST(SkinMessage, DefaultAndCancelButtonsFollowTheirPreferenceOrder) {
    TbsSkinMessage box;
    auto info = Build(box, QStringLiteral("好"), mtInformation, {mbOK});
    EXPECT_TRUE(info->Button(mbOK)->Default());
    EXPECT_TRUE(info->Button(mbOK)->Cancel());

    auto question = Build(box, QStringLiteral("是吗"), mtConfirmation, {mbYes, mbNo});
    EXPECT_TRUE(question->Button(mbYes)->Default());
    EXPECT_FALSE(question->Button(mbYes)->Cancel());
    EXPECT_TRUE(question->Button(mbNo)->Cancel());
    EXPECT_EQ(question->ActiveControl(), question->Button(mbYes));

    // Only the first preference present counts: Ignore is never the default, Abort never
    // the cancel button.
    auto ari = Build(box, QStringLiteral("?"), mtError, {mbAbort, mbRetry, mbIgnore});
    EXPECT_TRUE(ari->Button(mbRetry)->Default());
    for (TMsgDlgBtn b : {mbAbort, mbRetry, mbIgnore})
        EXPECT_FALSE(ari->Button(b)->Cancel());
    auto none = Build(box, QStringLiteral("?"), mtError, {mbIgnore, mbAll});
    EXPECT_FALSE(none->Button(mbIgnore)->Default());
    EXPECT_FALSE(none->Button(mbAll)->Default());
}

TEST(SkinMessage, TheBoxGrowsWithItsTextAndKeepsTheIconOnTheTextsMiddle) {
    TbsSkinMessage box;
    auto shortBox = Build(box, QStringLiteral("短"), mtInformation, {mbOK});
    TbsSkinStdLabel* label = shortBox->Message();
    EXPECT_EQ(label->Left(), 50);
    EXPECT_EQ(label->Top(), 15);
    // One short line: the icon would rise above 10 and is held there.
    EXPECT_EQ(shortBox->Image()->Top(), std::max(10, 15 + label->Height() / 2 - 16));
    EXPECT_EQ(shortBox->ClientHeight(), 25 + label->Height() + 50);

    QString line = QStringLiteral("这是一条很长的信息文本，用来检查对话框会随文本变宽");
    auto wide = Build(box, line, mtInformation, {mbOK});
    EXPECT_EQ(wide->ClientWidth(), 50 + wide->Message()->Width() + 40);
    EXPECT_GT(wide->ClientWidth(), shortBox->ClientWidth());

    auto twoLines = Build(box, line + QStringLiteral("\n第二行"), mtInformation, {mbOK});
    int extra = twoLines->Message()->Height() - wide->Message()->Height();
    EXPECT_GT(extra, 0);
    EXPECT_EQ(twoLines->ClientHeight(), wide->ClientHeight() + extra);
    EXPECT_EQ(twoLines->Image()->Top(), std::max(10, 15 + twoLines->Message()->Height() / 2 - 16));

    // Never wider than the work area.
    auto huge = Build(box, QString(2000, QChar(u'宽')), mtInformation, {mbOK});
    EXPECT_LE(huge->Width(), Screen->MonitorWorkArea(huge.get()).Width());

    // An "&" in the message is text, not an accelerator.
    auto amp = Build(box, QStringLiteral("A&B"), mtInformation, {mbOK});
    EXPECT_FALSE(amp->Message()->ShowAccelChar());
}

TEST(SkinMessage, ButtonsTakeTheSkinButtonHeightOr25) {
    TbsSkinMessage box;
    EXPECT_EQ(box.ButtonHeight(), 25);
    TSkinnedForm f;
    f.LoadFixture();
    box.SetCtrlSkinData(f.Data);
    box.ButtonSkinDataName = QStringLiteral("hbutton"); // a 60 x 22 button record
    EXPECT_EQ(box.ButtonHeight(), 22);
    auto form = Build(box, QStringLiteral("皮肤"), mtWarning, {mbYes, mbNo});
    EXPECT_EQ(form->Button(mbNo)->Height(), 22);
    EXPECT_EQ(form->Button(mbNo)->Top(), form->ClientHeight() - 22 - 10);
    EXPECT_EQ(form->Button(mbNo)->SkinIndex(), f.Data->IndexOfControl("hbutton"));
    EXPECT_EQ(form->Message()->SkinData(), f.Data);

    // A record of another kind, no record, an empty skin: 25.
    box.ButtonSkinDataName = QStringLiteral("stdlabel");
    EXPECT_EQ(box.ButtonHeight(), 25);
    box.ButtonSkinDataName = QStringLiteral("nosuchrecord");
    EXPECT_EQ(box.ButtonHeight(), 25);
    box.ButtonSkinDataName = QStringLiteral("hbutton");
    f.Data->ClearSkin();
    EXPECT_EQ(box.ButtonHeight(), 25);
    // The skin data going away clears the reference.
    delete f.Data;
    EXPECT_EQ(box.CtrlSkinData(), nullptr);
}

TEST(SkinMessage, TheBoxWearsTheSkinsFrameWithoutCaptionButtons) {
    // A skin with a frame (120 x 80) and a close button among its frame objects.
    TSkinnedForm f;
    f.Data->LoadSkinFile(TSkinFixture::Basic().Write());
    TbsSkinMessage box;
    box.SetSkinData(f.Data);
    box.SetCtrlSkinData(f.Data);
    box.AlphaBlend = true;
    box.AlphaBlendAnimation = true;
    box.AlphaBlendValue = 150;
    auto form = Build(box, QStringLiteral("短"), mtInformation, {mbOK});
    TbsBusinessSkinForm* frame = form->Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(FindSkinForm(form.get()), frame);
    EXPECT_EQ(frame->SkinData(), f.Data);
    EXPECT_EQ(frame->MenusSkinData(), f.Data);
    EXPECT_TRUE(frame->SkinActive());
    EXPECT_EQ(frame->BorderIcons(), 0);
    EXPECT_TRUE(frame->AlphaBlend);
    EXPECT_TRUE(frame->AlphaBlendAnimation);
    EXPECT_EQ(frame->AlphaBlendValue, 150);
    for (const auto& object : frame->FrameObjects()) {
        if (dynamic_cast<const TbsSkinStdButtonObject*>(object.get())) {
            EXPECT_FALSE(object->Visible && object->Enabled) << object->IDName.toStdString();
        }
    }
    // A short text in a box narrower than the skin's picture: the picture's width, with the
    // button centred in the client area that gives.
    EXPECT_EQ(form->Width(), frame->MinFrameWidth());
    EXPECT_EQ(form->Button(mbOK)->Left(), (form->ClientWidth() - 60) / 2);

    // Without a skin the plain frame, at least 120 wide.
    TbsSkinMessage plain;
    auto unskinned = Build(plain, QStringLiteral("短"), mtError, {mbOK});
    EXPECT_FALSE(unskinned->Frame()->SkinActive());
    EXPECT_GE(unskinned->Width(), 120);
}

TEST(SkinMessage, EnterEscapeAcceleratorsAndClosingGiveTheirResults) {
    TbsSkinMessage box;
    EXPECT_EQ(Answer(box, {mbOK}, [](TbsMessageForm& f) { PressKey(f, Qt::Key_Return); }), mrOk);
    EXPECT_EQ(Answer(box, {mbOK}, [](TbsMessageForm& f) { PressKey(f, Qt::Key_Escape); }), mrOk);
    EXPECT_EQ(Answer(box, {mbYes, mbNo}, [](TbsMessageForm& f) { PressKey(f, Qt::Key_Return); }),
              mrYes);
    EXPECT_EQ(Answer(box, {mbYes, mbNo}, [](TbsMessageForm& f) { PressKey(f, Qt::Key_Escape); }),
              mrNo);
    EXPECT_EQ(Answer(box, {mbYes, mbNo},
                     [](TbsMessageForm& f) {
                         PressKey(f, Qt::Key_N, Qt::AltModifier, QStringLiteral("n"));
                     }),
              mrNo);
    EXPECT_EQ(Answer(box, {mbYes, mbNo}, [](TbsMessageForm& f) { f.Close(); }), mrCancel);
    EXPECT_EQ(Answer(box, {mbAbort, mbRetry, mbIgnore},
                     [](TbsMessageForm& f) { Click(f.Button(mbIgnore), QPoint(5, 5)); }),
              mrIgnore);
    EXPECT_EQ(ShownBox(), nullptr);
    // Help does not close the box; it asks for the help topic.
    int helpAsked = -1;
    box.OnHelp = [&](int context) { helpAsked = context; };
    QTimer::singleShot(20, [] {
        TbsMessageForm* f = ShownBox();
        ASSERT_NE(f, nullptr);
        Click(f->Button(mbHelp), QPoint(5, 5));
        EXPECT_TRUE(f->isVisible());
        Click(f->Button(mbOK), QPoint(5, 5));
    });
    EXPECT_EQ(box.ShowMessageDialog(QStringLiteral("帮助"), mtInformation, {mbOK, mbHelp}, 42),
              mrOk);
    EXPECT_EQ(helpAsked, 42);
}

TEST(SkinMessage, TheFrameworksAnsweringHookAnswersSkinnedBoxesToo) {
    TbsSkinMessage box;
    MessageBoxAnswerer answerer(mrNo);
    EXPECT_EQ(box.ShowMessageDialog(QStringLiteral("删除吗?"), mtConfirmation, {mbYes, mbNo}),
              mrNo);
    box.ShowMessageDialog(QStringLiteral("坏了"), mtError, {mbOK});
    ASSERT_EQ(answerer.Requests.size(), 2u);
    EXPECT_EQ(answerer.Requests[0].Text, QStringLiteral("删除吗?"));
    EXPECT_EQ(answerer.Requests[0].Caption, QStringLiteral("确认"));
    EXPECT_EQ(answerer.Requests[0].Icon, TMessageBoxIcon::Question);
    EXPECT_EQ(answerer.Requests[0].Buttons, TMessageBoxButtons::YesNo);
    EXPECT_EQ(answerer.Requests[1].Icon, TMessageBoxIcon::Error);
    EXPECT_EQ(answerer.Requests[1].Buttons, TMessageBoxButtons::OK);
    EXPECT_EQ(ShownBox(), nullptr);
}
