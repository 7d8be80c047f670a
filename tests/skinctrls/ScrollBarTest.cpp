#include "skinctrls/bsSkinScrollBar.h"

#include "SkinCtrlsTestSupport.h"
#include "framework/ControlsTestSupport.h"
#include "framework/Forms.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace ControlsTest;

namespace {

// Opens the repeat timer to the tests.
class TTestScrollBar : public TbsSkinScrollBar {
public:
    using TbsSkinScrollBar::RepeatTick;
    using TbsSkinScrollBar::RepeatTimer;
    using TbsSkinScrollBar::TbsSkinScrollBar;
};

struct ScrollBarFixture : ::testing::Test {
    void SetUp() override {
        form = std::make_unique<TForm>();
        form->SetClientSize(300, 200);
        bar = new TTestScrollBar(form.get());
    }
    void Vertical(int width = 19, int height = 100) {
        bar->SetKind(sbVertical);
        bar->SetBounds(10, 10, width, height);
    }
    QPoint Centre(const TRect& r) const {
        return QPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    }
    void Press(QPoint p) {
        MoveMouse(bar, p);
        SendMouse(bar, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    }
    void Release(QPoint p) { SendMouse(bar, QEvent::MouseButtonRelease, p, Qt::LeftButton, {}); }
    void Drag(QPoint p) { SendMouse(bar, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
    TColor PixelAt(int x, int y) { return bar->RenderImage().Pixel(x, y); }

    std::unique_ptr<TForm> form;
    TTestScrollBar* bar = nullptr;
};

} // namespace

TEST_F(ScrollBarFixture, DefaultsAndTurningTheBarVertical) {
    EXPECT_EQ(bar->Kind(), sbHorizontal);
    EXPECT_EQ(bar->SkinDataName(), QStringLiteral("hscrollbar"));
    EXPECT_EQ(bar->Width(), 200);
    EXPECT_EQ(bar->Height(), 19);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->SmallChange(), 1);
    EXPECT_EQ(bar->LargeChange(), 1);

    bar->SetKind(sbVertical);
    EXPECT_EQ(bar->SkinDataName(), QStringLiteral("vscrollbar"));
    EXPECT_EQ(bar->Width(), 19);
    EXPECT_EQ(bar->Height(), 200);
    EXPECT_EQ(bar->DefaultWidth(), 19);
    EXPECT_EQ(bar->DefaultHeight(), 0);

    // A name of the program's own choosing survives a change of kind.
    bar->SetSkinDataName(QStringLiteral("memobar"));
    bar->SetKind(sbHorizontal);
    EXPECT_EQ(bar->SkinDataName(), QStringLiteral("memobar"));
    EXPECT_EQ(bar->Height(), 19);
}

TEST_F(ScrollBarFixture, DefaultLayoutOfAVerticalBar) {
    Vertical();
    bar->SetPosition(50);
    EXPECT_EQ(bar->PartRect(TbsSkinScrollBar::DecreasePart), TRect(1, 1, 18, 17));
    EXPECT_EQ(bar->PartRect(TbsSkinScrollBar::IncreasePart), TRect(1, 83, 18, 99));
    EXPECT_EQ(bar->FittedTrackArea(), TRect(1, 17, 18, 83));
    // 17 + round(0.5 x (66 - 16)) = 42, 16 long.
    EXPECT_EQ(bar->PartRect(TbsSkinScrollBar::ThumbPart), TRect(1, 42, 18, 58));
    EXPECT_EQ(bar->TravelStart(), 25);
    EXPECT_EQ(bar->TravelEnd(), 75);

    // A page thumb: round(66 x 10 / 101) = 7, at least 16.
    bar->SetRange(0, 100, 10, 0);
    EXPECT_EQ(bar->PartRect(TbsSkinScrollBar::ThumbPart), TRect(1, 17, 18, 33));
    bar->SetRange(0, 99, 50, 50);
    // round(66 x 50 / 100) = 33, h = 16: the thumb is 32 long and at the end of its travel.
    EXPECT_EQ(bar->PartRect(TbsSkinScrollBar::ThumbPart), TRect(1, 51, 18, 83));
}

TEST_F(ScrollBarFixture, PositionIsClampedAndOnlyItsSetterFiresOnChange) {
    int changes = 0;
    bar->OnChange = [&](TObject*) { ++changes; };
    bar->SetPageSize(10);
    bar->SetMax(99);
    bar->SetPosition(200);
    EXPECT_EQ(bar->Position(), 90);
    EXPECT_EQ(changes, 1);
    bar->SetPosition(90); // the same value: nothing happens
    EXPECT_EQ(changes, 1);
    bar->SetPosition(-5);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(changes, 2);

    // SetRange sets everything at once, clamped, without the event.
    bar->SetRange(10, 50, 0, 70);
    EXPECT_EQ(bar->Min(), 10);
    EXPECT_EQ(bar->Max(), 50);
    EXPECT_EQ(bar->Position(), 50);
    bar->SetRange(10, 50, 5, 3);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(changes, 2);

    // A page that does not fit the range is ignored by the setter.
    bar->SetRange(0, 20, 0, 15);
    bar->SetPageSize(10);
    EXPECT_EQ(bar->PageSize(), 0);
    bar->SetPageSize(6);
    EXPECT_EQ(bar->PageSize(), 6);
    // Lowering Max pulls the position back inside the range.
    bar->SetMax(12);
    EXPECT_EQ(bar->Position(), 7);
    bar->SetMin(9);
    EXPECT_EQ(bar->Position(), 9);
    EXPECT_EQ(changes, 2);
}

TEST_F(ScrollBarFixture, APageLargerThanTheRangeOverhangsTheTrack) {
    Vertical();
    bar->SetRange(0, 9, 20, 0);
    TRect thumb = bar->PartRect(TbsSkinScrollBar::ThumbPart);
    EXPECT_EQ(thumb.Top, 17);    // at the track's start ...
    EXPECT_GT(thumb.Bottom, 83); // ... running past its end

    auto* h = new TTestScrollBar(form.get());
    h->SetBounds(0, 150, 100, 19);
    h->SetRange(0, 9, 20, 0);
    thumb = h->PartRect(TbsSkinScrollBar::ThumbPart);
    EXPECT_EQ(thumb.Right, 83); // ends at the track's end ...
    EXPECT_LT(thumb.Left, 17);  // ... and starts before it
}

TEST_F(ScrollBarFixture, AHeldButtonStepsThenRepeatsAndPausesOffTheButton) {
    Vertical();
    const QPoint inc = Centre(bar->PartRect(TbsSkinScrollBar::IncreasePart));
    Press(inc);
    EXPECT_EQ(bar->Position(), 1); // once at once
    EXPECT_TRUE(bar->PartPressed(TbsSkinScrollBar::IncreasePart));
    EXPECT_EQ(bar->RepeatTimer().interval(), TbsSkinScrollBar::RepeatDelay);
    bar->RepeatTick(); // the first tick only switches to the fast rate
    EXPECT_EQ(bar->Position(), 1);
    EXPECT_EQ(bar->RepeatTimer().interval(), TbsSkinScrollBar::RepeatRate);
    bar->RepeatTick();
    bar->RepeatTick();
    EXPECT_EQ(bar->Position(), 3);

    // Off the button the repetition pauses, back on it resumes at the fast rate.
    Drag(QPoint(9, 50));
    EXPECT_FALSE(bar->RepeatTimer().isActive());
    EXPECT_FALSE(bar->PartHot(TbsSkinScrollBar::IncreasePart));
    Drag(inc);
    EXPECT_TRUE(bar->RepeatTimer().isActive());
    EXPECT_EQ(bar->RepeatTimer().interval(), TbsSkinScrollBar::RepeatRate);

    Release(inc);
    EXPECT_FALSE(bar->RepeatTimer().isActive());
    EXPECT_FALSE(bar->PartPressed(TbsSkinScrollBar::IncreasePart));
    EXPECT_TRUE(bar->PartHot(TbsSkinScrollBar::IncreasePart));

    // The decrease button steps the other way.
    const QPoint dec = Centre(bar->PartRect(TbsSkinScrollBar::DecreasePart));
    Press(dec);
    Release(dec);
    EXPECT_EQ(bar->Position(), 2);
}

TEST_F(ScrollBarFixture, HeldButtonRepeatsInRealTime) {
    Vertical();
    const QPoint inc = Centre(bar->PartRect(TbsSkinScrollBar::IncreasePart));
    QElapsedTimer held;
    held.start();
    Press(inc);
    EXPECT_EQ(bar->Position(), 1); // one step at the press
    // Timers never fire early: however slow the machine, the second step waits the delay.
    qint64 secondStep = -1;
    EXPECT_TRUE(WaitFor(
        [&] {
            if (secondStep < 0 && bar->Position() >= 2)
                secondStep = held.elapsed();
            return bar->Position() >= 4;
        },
        5000));
    EXPECT_GE(secondStep, TbsSkinScrollBar::RepeatDelay);
    Release(inc);
    EXPECT_FALSE(bar->RepeatTimer().isActive());
    const int stopped = bar->Position();
    Pump(200);
    EXPECT_EQ(bar->Position(), stopped);
}

TEST_F(ScrollBarFixture, AssignedButtonEventsReplaceTheStep) {
    Vertical();
    int up = 0;
    int down = 0;
    bar->OnUpButtonClick = [&](TObject*) { ++up; };
    bar->OnDownButtonClick = [&](TObject*) { ++down; };
    const QPoint inc = Centre(bar->PartRect(TbsSkinScrollBar::IncreasePart));
    Press(inc);
    bar->RepeatTick();
    bar->RepeatTick();
    Release(inc);
    EXPECT_EQ(up, 2);
    EXPECT_EQ(bar->Position(), 0);
    const QPoint dec = Centre(bar->PartRect(TbsSkinScrollBar::DecreasePart));
    Press(dec);
    Release(dec);
    EXPECT_EQ(down, 1);
}

TEST_F(ScrollBarFixture, TrackClickPagesUntilTheThumbReachesTheMouse) {
    Vertical();
    bar->SetLargeChange(10);
    int pagesDown = 0;
    int pagesUp = 0;
    bar->OnPageDown = [&](TObject*) { ++pagesDown; };
    bar->OnPageUp = [&](TObject*) { ++pagesUp; };
    const QPoint below(9, 75);
    Press(below);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(pagesDown, 1);
    EXPECT_EQ(bar->RepeatAction(), TbsSkinScrollBar::TRepeatAction::PageIncrease);
    bar->RepeatTick(); // delay
    for (int i = 0; i < 20 && bar->RepeatAction() != TbsSkinScrollBar::TRepeatAction::None; ++i)
        bar->RepeatTick();
    EXPECT_EQ(bar->RepeatAction(), TbsSkinScrollBar::TRepeatAction::None);
    EXPECT_FALSE(bar->RepeatTimer().isActive());
    // At 80 the thumb (57..73) is still above the mouse; at 90 (62..78) it covers it.
    const TRect thumb = bar->PartRect(TbsSkinScrollBar::ThumbPart);
    EXPECT_LT(thumb.Top, 76);
    EXPECT_GE(thumb.Bottom, 75);
    EXPECT_EQ(bar->Position(), 90);
    EXPECT_EQ(pagesDown, 9);
    Release(below);

    // A click before the thumb pages up; releasing stops at once.
    const QPoint above(9, 20);
    Press(above);
    EXPECT_EQ(bar->Position(), 80);
    EXPECT_EQ(pagesUp, 1);
    Release(above);
    EXPECT_EQ(bar->RepeatAction(), TbsSkinScrollBar::TRepeatAction::None);
    EXPECT_FALSE(bar->RepeatTimer().isActive());
}

TEST_F(ScrollBarFixture, DraggingTheThumbMovesThePosition) {
    Vertical();
    int changes = 0;
    int lastChanges = 0;
    bar->OnChange = [&](TObject*) { ++changes; };
    bar->OnLastChange = [&](TObject*) { ++lastChanges; };
    const QPoint grip = Centre(bar->PartRect(TbsSkinScrollBar::ThumbPart)); // (9, 25)
    Press(grip);
    EXPECT_TRUE(bar->ThumbDragging());
    // Travel 25..75 is 50 pixels for 0..100: 10 pixels are 20.
    Drag(QPoint(grip.x(), grip.y() + 10));
    EXPECT_EQ(bar->Position(), 20);
    Drag(QPoint(grip.x(), grip.y() + 25));
    EXPECT_EQ(bar->Position(), 50);
    EXPECT_EQ(changes, 2);
    // Beyond the track the position stops at the end.
    Drag(QPoint(grip.x(), 500));
    EXPECT_EQ(bar->Position(), 100);
    EXPECT_EQ(lastChanges, 0);
    Release(QPoint(grip.x(), 500));
    EXPECT_FALSE(bar->ThumbDragging());
    EXPECT_EQ(lastChanges, 1);

    // With a page the travel runs over 0..90.
    bar->SetRange(0, 99, 10, 0);
    const TRect thumb = bar->PartRect(TbsSkinScrollBar::ThumbPart);
    const QPoint start = Centre(thumb);
    Press(start);
    Drag(QPoint(start.x(), start.y() + 1000));
    EXPECT_EQ(bar->Position(), 90);
    Drag(QPoint(start.x(), start.y() - 1000));
    EXPECT_EQ(bar->Position(), 0);
    Release(start);
}

TEST_F(ScrollBarFixture, DefaultLookPixels) {
    Vertical();
    bar->SetPosition(50);
    const TColor face = ColorToRGB(clBtnFace);
    const TColor shadow = ColorToRGB(clBtnShadow);
    // Normal parts: a shadow frame on button face, black arrows.
    EXPECT_EQ(PixelAt(1, 1), shadow);
    EXPECT_EQ(PixelAt(3, 3), face);
    EXPECT_EQ(PixelAt(1, 42), shadow);
    EXPECT_EQ(PixelAt(5, 50), face);
    EXPECT_EQ(PixelAt(0, 30), face); // the client around the parts
    bool arrow = false;
    for (int y = 2; y < 16; ++y)
        for (int x = 2; x < 17; ++x)
            arrow = arrow || PixelAt(x, y) == clBlack;
    EXPECT_TRUE(arrow);

    // Hot: navy frame, fill 182, 189, 210.
    MoveMouse(bar, QPoint(9, 50));
    EXPECT_EQ(bar->HotPart(), TbsSkinScrollBar::ThumbPart);
    EXPECT_EQ(PixelAt(1, 42), clNavy);
    EXPECT_EQ(PixelAt(5, 50), RGB(182, 189, 210));
    // Pressed (the thumb dragged): navy frame, fill 133, 147, 181.
    SendMouse(bar, QEvent::MouseButtonPress, QPoint(9, 50), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(PixelAt(1, 42), clNavy);
    EXPECT_EQ(PixelAt(5, 50), RGB(133, 147, 181));
    Release(QPoint(9, 50));
    // A pressed button under the mouse.
    Press(QPoint(9, 90));
    EXPECT_EQ(PixelAt(3, 85), RGB(133, 147, 181));
    Release(QPoint(9, 90));

    // Leaving the bar takes the hot look away.
    bar->MouseLeave();
    EXPECT_EQ(bar->HotPart(), -1);

    // A disabled bar draws no thumb.
    bar->SetEnabled(false);
    EXPECT_EQ(PixelAt(1, 42), face);
    EXPECT_EQ(PixelAt(5, 50), face);
    EXPECT_EQ(PixelAt(1, 1), shadow);
}

TEST_F(ScrollBarFixture, BothSwitchesTheRecordAndLeavesTheCornerFree) {
    bar->SetBounds(0, 0, 200, 19);
    bar->SetBoth(true);
    EXPECT_EQ(bar->SkinDataName(), QStringLiteral("bothhscrollbar"));
    EXPECT_EQ(bar->PartRect(TbsSkinScrollBar::IncreasePart), TRect(164, 1, 180, 18));
    bar->SetBothMarkerWidth(-3); // ignored
    EXPECT_EQ(bar->BothMarkerWidth(), 19);
    EXPECT_EQ(PixelAt(190, 9), ColorToRGB(clBtnFace));
    bar->SetBoth(false);
    EXPECT_EQ(bar->SkinDataName(), QStringLiteral("hscrollbar"));
    EXPECT_EQ(bar->PartRect(TbsSkinScrollBar::IncreasePart), TRect(183, 1, 199, 18));
}

TEST_F(ScrollBarFixture, FocusableBarTakesArrowKeysAndTheWheel) {
    form->Show();
    bar->SetCanFocused(true);
    EXPECT_TRUE(bar->TabStop());
    bar->SetFocus();
    ASSERT_TRUE(WaitFor([&] { return bar->hasFocus(); }));
    SendKey(bar, Qt::Key_Right);
    SendKey(bar, Qt::Key_Down);
    EXPECT_EQ(bar->Position(), 2);
    SendKey(bar, Qt::Key_Left);
    EXPECT_EQ(bar->Position(), 1);
    QWheelEvent towardsUser(QPointF(5, 5), QPointF(bar->mapToGlobal(QPoint(5, 5))), QPoint(),
                            QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                            false);
    QApplication::sendEvent(bar, &towardsUser);
    EXPECT_EQ(bar->Position(), 2);
    // A focused bar shows its thumb pressed.
    const TRect thumb = bar->PartRect(TbsSkinScrollBar::ThumbPart);
    EXPECT_EQ(PixelAt(thumb.Left + 3, thumb.Top + 3), RGB(133, 147, 181));

    // Without CanFocused the keys do nothing.
    bar->SetCanFocused(false);
    SendKey(bar, Qt::Key_Right);
    EXPECT_EQ(bar->Position(), 2);
}

namespace {

// A skinned vertical bar from the fixture skin: "vscrollbar", 19 x 100, vertical stretch,
// buttons 17 high, a 17 x 30 thumb with 4-pixel ends and a 9 x 9 grip.
struct SkinnedScrollBar : ::testing::Test {
    void SetUp() override {
        skinned.LoadFixture();
        bar = new TTestScrollBar(skinned.Form.get());
        bar->SetKind(sbVertical);
        bar->SetBounds(10, 10, 40, 150);
        bar->SetSkinData(skinned.Data);
        picture = skinned.Data->ActivePictures[6].get();
    }
    // The control's pixel equals the picture's.
    void ExpectFromPicture(const TBitmap& image, int x, int y, int px, int py) {
        EXPECT_EQ(image.Pixel(x, y), picture->Pixel(px, py))
            << "control " << x << "," << y << " picture " << px << "," << py;
    }

    SkinCtrlsTest::TSkinnedForm skinned;
    TTestScrollBar* bar = nullptr;
    const TBitmap* picture = nullptr;
};

} // namespace

TEST_F(SkinnedScrollBar, LayoutFollowsTheRecord) {
    EXPECT_EQ(bar->Width(), 19); // a vertical record forces the width
    EXPECT_EQ(bar->Height(), 150);
    EXPECT_EQ(bar->FittedTrackArea(), TRect(0, 17, 19, 133));
    EXPECT_EQ(bar->PartRect(TbsSkinScrollBar::DecreasePart), TRect(0, 0, 19, 17));
    EXPECT_EQ(bar->PartRect(TbsSkinScrollBar::IncreasePart), TRect(0, 133, 19, 150));
    // The thumb is centred across the track: 19 / 2 - 17 / 2 = 1.
    EXPECT_EQ(bar->PartRect(TbsSkinScrollBar::ThumbPart), TRect(1, 17, 18, 47));
    bar->SetPosition(100);
    EXPECT_EQ(bar->PartRect(TbsSkinScrollBar::ThumbPart), TRect(1, 103, 18, 133));
    // A page thumb is at least the record's thumb long: round(116 x 50 / 100) = 58.
    bar->SetRange(0, 99, 50, 0);
    EXPECT_EQ(bar->PartRect(TbsSkinScrollBar::ThumbPart), TRect(1, 17, 18, 75));
}

TEST_F(SkinnedScrollBar, SkinnedLookAtKnownPixels) {
    TBitmap image = bar->RenderImage();
    // Normal parts come from the composed bar; the track's middle is repeated.
    ExpectFromPicture(image, 9, 5, 9, 5);
    ExpectFromPicture(image, 9, 140, 9, 90);
    ExpectFromPicture(image, 9, 100, 9, 50);
    // The thumb and its centred grip: (17 - 9) / 2 = 4, (30 - 9) / 2 = 10.
    ExpectFromPicture(image, 1 + 8, 17 + 1, 60 + 8, 1);
    ExpectFromPicture(image, 1 + 4 + 1, 17 + 10 + 1, 60 + 1, 62 + 1);

    // Hot and pressed buttons take their rectangles from the picture.
    MoveMouse(bar, QPoint(9, 140));
    image = bar->RenderImage();
    ExpectFromPicture(image, 9, 140, 20 + 9, 83 + 7);
    SendMouse(bar, QEvent::MouseButtonPress, QPoint(9, 140), Qt::LeftButton, Qt::LeftButton);
    image = bar->RenderImage();
    ExpectFromPicture(image, 9, 140, 40 + 9, 83 + 7);
    SendMouse(bar, QEvent::MouseButtonRelease, QPoint(9, 140), Qt::LeftButton, {});

    // A hot thumb and a dragged one.
    const TRect thumb = bar->PartRect(TbsSkinScrollBar::ThumbPart);
    MoveMouse(bar, QPoint(9, thumb.Top + 2));
    image = bar->RenderImage();
    ExpectFromPicture(image, 9, thumb.Top + 1, 78 + 8, 1);
    SendMouse(bar, QEvent::MouseButtonPress, QPoint(9, thumb.Top + 2), Qt::LeftButton,
              Qt::LeftButton);
    image = bar->RenderImage();
    ExpectFromPicture(image, 9, thumb.Top + 1, 60 + 8, 31 + 1);
    ExpectFromPicture(image, 1 + 4 + 1, thumb.Top + 10 + 1, 80 + 1, 62 + 1);
    SendMouse(bar, QEvent::MouseButtonRelease, QPoint(9, thumb.Top + 2), Qt::LeftButton, {});

    // A page thumb keeps its 4-pixel ends and repeats its middle.
    bar->MouseLeave();
    bar->SetRange(0, 99, 50, 0);
    image = bar->RenderImage();
    ExpectFromPicture(image, 9, 17 + 58 - 2, 60 + 8, 30 - 2);
    ExpectFromPicture(image, 9, 17 + 1, 60 + 8, 1);

    // Disabled: no thumb, the track shows through.
    bar->SetEnabled(false);
    image = bar->RenderImage();
    ExpectFromPicture(image, 9, 20, 9, 20);
}

TEST_F(SkinnedScrollBar, ARecordWithoutPictureGivesTheDefaultLook) {
    TControlsSkin bare;
    bare.Set("vscrollbar", "pictureindex", "-1").Set("vscrollbar", "skinrect", "0,0,0,0");
    skinned.Data->LoadSkinFile(SkinCtrlsTest::WriteSkin(bare));
    EXPECT_NE(bar->SkinIndex(), -1);
    bar->SetBounds(10, 10, 19, 100);
    EXPECT_EQ(bar->PartRect(TbsSkinScrollBar::DecreasePart), TRect(1, 1, 18, 17));
    EXPECT_EQ(bar->RenderImage().Pixel(1, 1), ColorToRGB(clBtnShadow));
    skinned.Data->LoadSkinFile(SkinCtrlsTest::FixtureSkinPath());
    EXPECT_EQ(bar->PartRect(TbsSkinScrollBar::DecreasePart), TRect(0, 0, 19, 17));
}
