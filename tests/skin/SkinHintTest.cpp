// The skinned hint: its size and screen-edge placement, one active component per main
// form, the plain look without a hint picture and the skinned look.

#include "SkinFixture.h"

#include "skin/bsSkinHint.h"

#include "common/TestEnv.h"
#include "framework/Canvas.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(SkinHintFitting, SkinnedHintsAreAtLeastThePictureAndMoveOffTheScreenEdges) {
    TbsDataSkinHintWindow record;
    record.ClientRect = TRect(4, 3, 16, 7);
    record.RightTopPoint = TPoint(15, 0);
    record.RightBottomPoint = TPoint(15, 8);
    // A short text still gives a window as large as the 20 x 10 picture.
    TbsHintFit small = FitHintWindow(&record, 20, 10, 2, 1);
    EXPECT_EQ(small.W, 20);
    EXPECT_EQ(small.H, 10);
    // A long one grows by the frame around the client rectangle.
    TbsHintFit wide = FitHintWindow(&record, 20, 10, 100, 14);
    EXPECT_EQ(wide.W, 100 + 4 + 4);
    EXPECT_EQ(wide.H, 14 + 3 + 3);
    EXPECT_EQ(wide.Client, TRect(4, 3, 104, 17));
    EXPECT_EQ(wide.RT, TPoint(15 + 88, 0));
    EXPECT_EQ(wide.RB, TPoint(15 + 88, 8 + 10));
    // The plain look: 2 pixels around the text.
    TbsHintFit plain = FitHintWindow(nullptr, 0, 0, 30, 12);
    EXPECT_EQ(plain.W, 34);
    EXPECT_EQ(plain.H, 16);
    // Near the right or bottom edge the hint goes left of or above the corner.
    EXPECT_EQ(PlaceHintWindow(TPoint(100, 100), 50, 20, 800, 600), TPoint(100, 100));
    EXPECT_EQ(PlaceHintWindow(TPoint(780, 100), 50, 20, 800, 600), TPoint(728, 100));
    EXPECT_EQ(PlaceHintWindow(TPoint(100, 590), 50, 20, 800, 600), TPoint(100, 568));
}

struct THintSetup {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>();
    TbsSkinHint* First = new TbsSkinHint(Form.get());
    TbsSkinHint* Second = new TbsSkinHint(Form.get());
    THintSetup() { Application->SetMainForm(Form.get()); }
    ~THintSetup() { Application->SetMainForm(nullptr); }
};

TEST(SkinHint, OneComponentIsActiveAndHintsUseIt) {
    THintSetup s;
    EXPECT_EQ(TbsSkinHint::ActiveHintOfMainForm(), s.First);
    s.Second->SetActive(true);
    EXPECT_FALSE(s.First->Active());
    EXPECT_EQ(TbsSkinHint::ActiveHintOfMainForm(), s.Second);
    EXPECT_EQ(Application->HintShortPause, 100);
    ASSERT_TRUE(Application->HintWindowClass);
    std::unique_ptr<THintWindow> window(Application->HintWindowClass());
    EXPECT_TRUE(qobject_cast<TbsSkinHintWindow*>(window.get()));
    // Without an active component nothing shows.
    s.Second->SetActive(false);
    TbsSkinHintWindow hint;
    hint.ActivateHint(TRect(10, 10, 10, 10), QStringLiteral("tip"));
    EXPECT_FALSE(hint.isVisible());
}

TEST(SkinHint, PlainWithoutAHintPictureAndSkinnedWithOne) {
    THintSetup s;
    TSkinFixture f = TSkinFixture::Basic(QStringLiteral("hint"));
    f.Set("HINTWINDOW", "clientrect", "3,2,17,8")
        .Set("HINTWINDOW", "lefttoppoint", "3,2")
        .Set("HINTWINDOW", "righttoppoint", "17,2")
        .Set("HINTWINDOW", "leftbottompoint", "3,8")
        .Set("HINTWINDOW", "rightbottompoint", "17,8")
        .Set("HINTWINDOW", "fontcolor", "255");
    TbsSkinData skin;
    skin.LoadSkinFile(f.Write());
    ASSERT_FALSE(skin.SkinEmpty);
    s.First->SetSkinData(&skin);
    TbsSkinHintWindow* w = s.First->HintWindow();
    w->ActivateHint(TRect(50, 60, 50, 60), QStringLiteral("最小化到系统托盘"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->HintSkin(), &skin);
    EXPECT_EQ(w->pos(), QPoint(50, 60));
    EXPECT_GE(w->width(), 20);
    const TBitmap picture = FixturePicture(20, 10, 3); // a1.bmp, the hint picture
    const TBitmap shot = w->Snapshot();
    EXPECT_EQ(shot.Pixel(0, 0), picture.Pixel(0, 0));
    w->HideHint();
    // The skin without a hint picture: the plain tooltip look.
    f.Set("HINTWINDOW", "windowpictureindex", "-1");
    TbsSkinData plainSkin;
    plainSkin.LoadSkinFile(f.Write());
    s.First->SetSkinData(&plainSkin);
    w->ActivateHint(TRect(50, 60, 50, 60), QStringLiteral("tip"));
    EXPECT_EQ(w->HintSkin(), nullptr);
    const TBitmap plain = w->Snapshot();
    EXPECT_EQ(ColorToRGB(plain.Pixel(0, 0)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ColorToRGB(plain.Pixel(1, 1)), ColorToRGB(clInfoBk));
    w->HideHint();
    s.First->HideHint();
}

TEST(SkinHint, APictureStandsAboveTheTextAndANewHintOutlivesTheOldOnesHidePause) {
    THintSetup s;
    const int pause = Application->HintPause, hidePause = Application->HintHidePause;
    Application->HintPause = 50;
    Application->HintHidePause = 150;
    TBitmap picture(40, 30);
    picture.Canvas().Brush.Color = clLime;
    picture.Canvas().FillRect(TRect(0, 0, 40, 30));
    s.First->ShowHintAtCursor(QStringLiteral("名字"));
    TbsSkinHintWindow* w = s.First->HintWindow();
    ASSERT_TRUE(TestEnv::WaitFor([&] { return w->isVisible(); }, 2000));
    const int textOnly = w->height();
    // Asked again just before the first one's hide pause ends: the new one shows all the same.
    TestEnv::Pump(120);
    s.First->ShowHintAtCursor(QStringLiteral("名字"), picture);
    TestEnv::Pump(60);
    EXPECT_TRUE(TestEnv::WaitFor([&] { return w->isVisible() && w->height() > textOnly; }, 2000));
    EXPECT_EQ(w->height(), textOnly + 30 + TbsSkinHintWindow::PictureGap);
    const TBitmap shot = w->Snapshot();
    EXPECT_EQ(ColorToRGB(shot.Pixel(w->width() / 2, 2 + 15)), ColorToRGB(clLime));
    s.First->HideHint();
    Application->HintPause = pause;
    Application->HintHidePause = hidePause;
}

} // namespace
