#include "skinctrls/bsSkinCheckRadioBox.h"

#include "framework/ControlsTestSupport.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

using namespace ControlsTest;

namespace {

struct CheckRadioFixture : ::testing::Test {
    void SetUp() override {
        form = std::make_unique<TForm>();
        form->SetClientSize(300, 200);
    }
    TbsSkinCheckRadioBox* Radio(TWinControl* parent, int groupIndex, int top) {
        auto* box = new TbsSkinCheckRadioBox(parent);
        box->SetRadio(true);
        box->SetGroupIndex(groupIndex);
        box->SetBounds(0, top, 150, 25);
        box->OnClick = [this](TObject*) { ++clicks; };
        return box;
    }
    std::unique_ptr<TForm> form;
    int clicks = 0;
};

} // namespace

TEST_F(CheckRadioFixture, CheckingARadioUnchecksOnlyItsGroupInTheSameParent) {
    auto* panel = new TCustomControl(form.get());
    auto* a = Radio(form.get(), 1, 0);
    auto* b = Radio(form.get(), 1, 30);
    auto* otherGroup = Radio(form.get(), 2, 60);
    auto* otherParent = Radio(panel, 1, 0);
    a->SetChecked(true);
    otherGroup->SetChecked(true);
    otherParent->SetChecked(true);
    clicks = 0;

    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(otherGroup->Checked());
    EXPECT_TRUE(otherParent->Checked());
    EXPECT_EQ(clicks, 1); // the radio that became unchecked fires nothing
}

TEST_F(CheckRadioFixture, ClickingTogglesACheckBoxButNeverUnchecksARadio) {
    form->Show();
    QApplication::setActiveWindow(form.get());
    QApplication::processEvents();
    auto* radio = Radio(form.get(), 1, 0);
    Click(radio, QPoint(10, 12));
    Click(radio, QPoint(10, 12));
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(clicks, 1);

    auto* box = new TbsSkinCheckRadioBox(form.get());
    box->SetBounds(0, 40, 150, 25);
    Click(box, QPoint(10, 12));
    EXPECT_TRUE(box->Checked());
    Click(box, QPoint(10, 12));
    EXPECT_FALSE(box->Checked());
}

TEST_F(CheckRadioFixture, ReleaseOutsideTheBoxDoesNotToggle) {
    auto* box = new TbsSkinCheckRadioBox(form.get());
    box->SetCanFocused(false);
    MoveMouse(box, QPoint(10, 12));
    SendMouse(box, QEvent::MouseButtonPress, QPoint(10, 12), Qt::LeftButton, Qt::LeftButton);
    SendMouse(box, QEvent::MouseButtonRelease, QPoint(10, 60), Qt::LeftButton, {});
    EXPECT_FALSE(box->Checked());
}

TEST_F(CheckRadioFixture, SpaceTogglesOnlyAFocusableBoxAndCanFocusedSetsTabStop) {
    auto* box = new TbsSkinCheckRadioBox(form.get());
    EXPECT_TRUE(box->CanFocused());
    EXPECT_FALSE(box->TabStop());
    SendKey(box, Qt::Key_Space);
    EXPECT_TRUE(box->Checked());
    box->SetCanFocused(false);
    EXPECT_FALSE(box->TabStop());
    EXPECT_EQ(box->focusPolicy(), Qt::NoFocus);
    SendKey(box, Qt::Key_Space);
    EXPECT_TRUE(box->Checked());
    box->SetCanFocused(true);
    EXPECT_TRUE(box->TabStop());
}

TEST_F(CheckRadioFixture, DefaultLookFramesTheMarkAndChecksIt) {
    form->Show();
    auto* box = new TbsSkinCheckRadioBox(form.get());
    box->SetBounds(0, 0, 150, 25);
    // The 14 x 14 box at (3, 5), in the shadow colour while the mouse is elsewhere.
    EXPECT_EQ(box->RenderImage().Pixel(3, 5), ColorToRGB(clBtnShadow));
    EXPECT_NE(box->RenderImage().Pixel(7, 12), clBlack);
    box->SetChecked(true);
    TBitmap checked = box->RenderImage();
    bool markDrawn = false;
    for (int x = 4; x < 16; ++x)
        for (int y = 6; y < 18; ++y)
            markDrawn = markDrawn || checked.Pixel(x, y) == clBlack;
    EXPECT_TRUE(markDrawn);
}
