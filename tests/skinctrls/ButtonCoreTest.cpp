// The button core alone: the press, hover, group and morph rules every pressable thing of
// the skin shares.

#include "skin/bsButtonCore.h"

#include <gtest/gtest.h>

namespace {

// A pressable thing that counts what the core asks of it.
class TCountingButton : public TbsButtonCore {
public:
    int Redraws = 0;
    int Clicks = 0;
    int TimerStarts = 0;
    bool Morphing = false;

protected:
    void RedrawFace() override { ++Redraws; }
    bool Morphs() const override { return Morphing; }
    void ButtonClick() override { ++Clicks; }
    void StartMorphTimer() override { ++TimerStarts; }
};

} // namespace

TEST(ButtonCore, ReleasedOutsideComesUpWithoutClickOrRepaint) {
    TCountingButton b;
    b.Enter();
    b.Press();
    EXPECT_EQ(b.HeldPointerAt(false), TbsButtonCore::TCrossing::Left);
    b.Leave();
    const int redraws = b.Redraws;
    b.Release();
    EXPECT_EQ(b.Clicks, 0);
    EXPECT_FALSE(b.Down());
    EXPECT_EQ(b.Redraws, redraws);
    EXPECT_EQ(b.HeldPointerAt(true), TbsButtonCore::TCrossing::None); // not held any more
}

TEST(ButtonCore, EnterAndLeaveTreatADownFaceAlike) {
    TCountingButton b;
    b.Morphing = true;
    b.Enter();
    EXPECT_EQ(b.TimerStarts, 1); // an up face fades
    b.SetDown(true);
    EXPECT_EQ(b.Morph.Value(), 1.0);
    b.Morph.SetValue(0.5);
    b.Leave(); // a down face jumps to the end on leaving as on entering
    EXPECT_EQ(b.Morph.Value(), 1.0);
    EXPECT_EQ(b.TimerStarts, 1);
    b.Morph.SetValue(0.5);
    b.Enter();
    EXPECT_EQ(b.Morph.Value(), 1.0);

    // A shared timer steps only what still moves.
    b.SetDownState(false);
    b.Leave();
    int steps = 0;
    while (b.MorphStep())
        ++steps;
    EXPECT_EQ(steps, 10);
    EXPECT_EQ(b.Morph.Value(), 0.0);
    b.Morphing = false;
    b.Enter();
    EXPECT_FALSE(b.MorphStep());
}

TEST(ButtonCore, LosingTheFocusOrTheEnabledStateCancelsThePress) {
    TCountingButton b;
    b.SetRepeatMode(true);
    b.Enter();
    b.Press();
    EXPECT_TRUE(b.RepeatTimerRunning());
    b.FocusLost();
    EXPECT_FALSE(b.RepeatTimerRunning());
    EXPECT_FALSE(b.Down());
    b.Morph.SetValue(0.4);
    b.EnabledChanged();
    EXPECT_FALSE(b.Active);
    EXPECT_EQ(b.Morph.Value(), 0.0);
}
