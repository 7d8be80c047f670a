#include "skinctrls/bsSkinUpDown.h"

#include "framework/ControlsTestSupport.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>
#include <memory>

using namespace ControlsTest;

namespace {

// Opens the repeat timer to the tests.
class TTestUpDown : public TbsSkinUpDown {
public:
    using TbsSkinUpDown::RepeatTick;
    using TbsSkinUpDown::RepeatTimer;
    using TbsSkinUpDown::TbsSkinUpDown;
};

struct UpDownFixture : ::testing::Test {
    void SetUp() override {
        form = std::make_unique<TForm>();
        form->SetClientSize(200, 100);
        upDown = new TTestUpDown(form.get());
        upDown->OnChange = [this](TObject*) { ++changes; };
        upDown->OnUpButtonClick = [this](TObject*) { ++upClicks; };
    }
    void Press(QPoint p) {
        MoveMouse(upDown, p);
        SendMouse(upDown, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    }
    void Drag(QPoint p) { SendMouse(upDown, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
    void Release(QPoint p) { SendMouse(upDown, QEvent::MouseButtonRelease, p, Qt::LeftButton, {}); }

    const QPoint upCentre{37, 12};   // right half of 50 x 25
    const QPoint downCentre{12, 12}; // left half
    std::unique_ptr<TForm> form;
    TTestUpDown* upDown = nullptr;
    int changes = 0;
    int upClicks = 0;
};

} // namespace

TEST_F(UpDownFixture, PositionOutsideTheRangeIsIgnoredAndRangeChangesPullItInSilently) {
    upDown->SetPosition(101);
    upDown->SetPosition(-1);
    EXPECT_EQ(upDown->Position(), 0);
    EXPECT_EQ(changes, 0);
    upDown->SetPosition(0); // unchanged, still reported
    EXPECT_EQ(changes, 1);
    upDown->SetPosition(80);
    upDown->SetMax(50);
    EXPECT_EQ(upDown->Position(), 50);
    upDown->SetMin(60);
    EXPECT_EQ(upDown->Position(), 60);
    EXPECT_EQ(changes, 2);
}

TEST_F(UpDownFixture, AtMaxUpStepsChangeNothingButTheClickStillFires) {
    upDown->SetPosition(100);
    changes = 0;
    Press(upCentre);
    Release(upCentre);
    Press(upCentre);
    Release(upCentre);
    EXPECT_EQ(upDown->Position(), 100);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(upClicks, 2);
}

TEST_F(UpDownFixture, ReleaseOffThePressedButtonNeitherStepsNorClicks) {
    upDown->SetPosition(10);
    Press(upCentre);
    Drag(downCentre);
    EXPECT_FALSE(upDown->ButtonHot(TbsSkinUpDown::UpButton));
    Release(downCentre);
    EXPECT_EQ(upDown->Position(), 10);
    EXPECT_EQ(upClicks, 0);

    upDown->OnDownButtonClick = [this](TObject*) { ++upClicks; };
    Press(downCentre);
    Release(downCentre);
    EXPECT_EQ(upDown->Position(), 9);
    EXPECT_EQ(upClicks, 1);
}

TEST_F(UpDownFixture, HeldButtonRepeatsAfterTheFirstDelayAndPausesOffTheButton) {
    upDown->SetIncrement(5);
    Press(upCentre);
    ASSERT_TRUE(upDown->RepeatTimer().isActive());
    EXPECT_EQ(upDown->RepeatTimer().interval(), TbsSkinUpDown::FirstRepeatDelay);
    upDown->RepeatTick(); // the first tick only switches to the faster rate
    EXPECT_EQ(upDown->Position(), 0);
    EXPECT_EQ(upDown->RepeatTimer().interval(), TbsSkinUpDown::RepeatRate);
    upDown->RepeatTick();
    upDown->RepeatTick();
    EXPECT_EQ(upDown->Position(), 10);

    Drag(QPoint(37, 40)); // below the control
    EXPECT_FALSE(upDown->RepeatTimer().isActive());
    Drag(upCentre);
    EXPECT_EQ(upDown->RepeatTimer().interval(), TbsSkinUpDown::ResumeDelay);
    Release(upCentre);
    EXPECT_FALSE(upDown->RepeatTimer().isActive());
    EXPECT_EQ(upDown->Position(), 15);

    upDown->SetIncrement(0);
    Press(upCentre);
    EXPECT_FALSE(upDown->RepeatTimer().isActive());
    Release(upCentre);
}

TEST_F(UpDownFixture, VerticalOrientationSplitsTopAndBottomAndRenamesTheRecord) {
    upDown->SetOrientation(udVertical);
    upDown->SetBounds(0, 0, 20, 40);
    EXPECT_EQ(upDown->SkinDataName(), QStringLiteral("vupdown"));
    EXPECT_EQ(upDown->ButtonRect(TbsSkinUpDown::UpButton), TRect(0, 0, 20, 20));
    EXPECT_EQ(upDown->ButtonRect(TbsSkinUpDown::DownButton), TRect(0, 20, 20, 40));
    upDown->SetSkinDataName(QStringLiteral("spin"));
    upDown->SetOrientation(udHorizontal);
    EXPECT_EQ(upDown->SkinDataName(), QStringLiteral("spin"));
}
