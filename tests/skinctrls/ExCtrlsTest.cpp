#include "skinctrls/bsSkinExCtrls.h"

#include "SkinCtrlsTestSupport.h"
#include "framework/ControlsTestSupport.h"
#include "skinctrls/bsSkinBevel.h"
#include "skinctrls/bsSkinButton.h"

#include <gtest/gtest.h>
#include <vector>

using namespace ControlsTest;
using namespace SkinCtrlsTest;

namespace {

struct ExPanelFixture : ::testing::Test {
    void SetUp() override {
        form = std::make_unique<TForm>();
        form->SetClientSize(400, 300);
        panel = new TbsSkinExPanel(form.get());
        panel->SetBounds(10, 10, 200, 150);
        panel->SetRollKind(rkRollHorizontal);
        shown = new TbsSkinButton(panel);
        hidden = new TbsSkinButton(panel);
        hidden->Hide();
        panel->OnChangeRollState = [this](TObject*) { ++rollChanges; };
        panel->OnClose = [this](TObject*) { ++closes; };
    }
    QPoint Centre(int button) const {
        const TRect r = panel->ButtonRect(button);
        return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    void Press(QPoint p) {
        MoveMouse(panel, p);
        SendMouse(panel, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    }
    void Release(QPoint p) { SendMouse(panel, QEvent::MouseButtonRelease, p, Qt::LeftButton, {}); }

    std::unique_ptr<TForm> form;
    TbsSkinExPanel* panel = nullptr;
    TbsSkinButton* shown = nullptr;
    TbsSkinButton* hidden = nullptr;
    int rollChanges = 0;
    int closes = 0;
};

} // namespace

TEST_F(ExPanelFixture, HorizontalRollKeepsTheWidthIgnoresWidthChangesAndRestoresTheChildren) {
    panel->SetRollState(true);
    EXPECT_EQ(panel->Width(), 21); // the default caption height without a record
    EXPECT_EQ(panel->RealWidth(), 200);
    EXPECT_EQ(panel->Height(), 150);
    EXPECT_FALSE(shown->Visible());
    EXPECT_EQ(rollChanges, 1);

    panel->SetWidth(300);
    EXPECT_EQ(panel->Width(), 21);
    panel->SetHeight(120); // the other dimension still follows
    EXPECT_EQ(panel->Height(), 120);

    panel->SetRollState(false);
    EXPECT_EQ(panel->Width(), 200);
    EXPECT_EQ(panel->RealWidth(), 0);
    EXPECT_TRUE(shown->Visible());
    EXPECT_FALSE(hidden->Visible());
    EXPECT_EQ(rollChanges, 2);
    panel->SetRollState(false); // unchanged: nothing
    EXPECT_EQ(rollChanges, 2);
}

TEST_F(ExPanelFixture, VerticalRollShrinksTheHeightToTheCaptionBar) {
    panel->SetRollKind(rkRollVertical);
    panel->SetRollState(true);
    EXPECT_EQ(panel->Height(), 21);
    EXPECT_EQ(panel->RealHeight(), 150);
    EXPECT_EQ(panel->Width(), 200);
    panel->SetRollState(false);
    EXPECT_EQ(panel->Height(), 150);
}

TEST_F(ExPanelFixture, ButtonsSitAtTheCaptionBarsEndOrAtTheColumnsTop) {
    // s = 21 - 6 = 15: close at the right end, roll button left of it.
    EXPECT_EQ(panel->ButtonRect(TbsSkinExPanel::CloseButton), TRect(183, 3, 198, 18));
    EXPECT_EQ(panel->ButtonRect(TbsSkinExPanel::RollButton), TRect(168, 3, 183, 18));
    panel->SetShowCloseButton(false);
    EXPECT_TRUE(panel->ButtonRect(TbsSkinExPanel::CloseButton).IsEmpty());
    EXPECT_EQ(panel->ButtonRect(TbsSkinExPanel::RollButton), TRect(183, 3, 198, 18));
    panel->SetRollState(true);
    EXPECT_EQ(panel->ButtonRect(TbsSkinExPanel::RollButton), TRect(3, 3, 18, 18));
    panel->SetShowCloseButton(true);
    EXPECT_EQ(panel->ButtonRect(TbsSkinExPanel::CloseButton), TRect(3, 3, 18, 18));
    EXPECT_EQ(panel->ButtonRect(TbsSkinExPanel::RollButton), TRect(3, 18, 18, 33));
}

TEST_F(ExPanelFixture, CaptionButtonsActOnlyWhenReleasedOverThePressedButton) {
    Press(Centre(TbsSkinExPanel::CloseButton));
    EXPECT_TRUE(panel->ButtonPressed(TbsSkinExPanel::CloseButton));
    EXPECT_EQ(panel->CapturedButton(), TbsSkinExPanel::CloseButton);
    // Over the other button while captured counts as over none.
    SendMouse(panel, QEvent::MouseMove, Centre(TbsSkinExPanel::RollButton), Qt::NoButton,
              Qt::LeftButton);
    EXPECT_EQ(panel->HotButton(), -1);
    Release(QPoint(50, 80));
    EXPECT_EQ(closes, 0);
    EXPECT_TRUE(panel->Visible());
    EXPECT_FALSE(panel->ButtonPressed(TbsSkinExPanel::CloseButton));

    Press(Centre(TbsSkinExPanel::RollButton));
    Release(Centre(TbsSkinExPanel::RollButton));
    EXPECT_TRUE(panel->RollState());

    panel->SetRollState(false);
    Press(Centre(TbsSkinExPanel::CloseButton));
    Release(Centre(TbsSkinExPanel::CloseButton));
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(panel->Visible());
}

TEST_F(ExPanelFixture, ChildrenGetTheAreaBelowTheCaptionBar) {
    shown->SetAlign(alClient);
    EXPECT_EQ(shown->BoundsRect(), TRect(1, 21, 199, 149));
}

TEST_F(ExPanelFixture, DefaultLookDrawsTheCaptionBarAndAHotButton) {
    panel->SetRollKind(rkRollVertical);
    TBitmap image = panel->RenderImage();
    EXPECT_EQ(image.Pixel(0, 60), ColorToRGB(clBtnShadow));   // the outer frame
    EXPECT_EQ(image.Pixel(1, 1), ColorToRGB(clBtnHighlight)); // the bar's inner edge
    MoveMouse(panel, Centre(TbsSkinExPanel::CloseButton));
    image = panel->RenderImage();
    const TRect close = panel->ButtonRect(TbsSkinExPanel::CloseButton);
    EXPECT_EQ(image.Pixel(close.Left, close.Top), ColorToRGB(bsDefaultColors::Frame));
    EXPECT_EQ(image.Pixel(close.Left + 1, close.Top + 1), ColorToRGB(bsDefaultColors::HotFill));
}

TEST(ExPanel, SkinnedPanelRollsToTheRecordsStripAndColumn) {
    TSkinnedForm skinned;
    TControlsSkin skin;
    skin.AddControl("expanel", "expanel")
        .Set("expanel", "pictureindex", "8")
        .Set("expanel", "skinrect", "0,0,100,60")
        .Set("expanel", "lefttoppoint", "6,26")
        .Set("expanel", "righttoppoint", "94,26")
        .Set("expanel", "leftbottompoint", "6,54")
        .Set("expanel", "rightbottompoint", "94,54")
        .Set("expanel", "clientrect", "6,26,94,54")
        .Set("expanel", "captionrect", "4,4,96,20")
        .Set("expanel", "rollhskinrect", "0,0,24,100")
        .Set("expanel", "rollvskinrect", "0,60,100,84")
        .Set("expanel", "closebuttonrect", "0,0,14,14")
        .Set("expanel", "vrollbuttonrect", "0,0,12,14")
        .Set("expanel", "hrollbuttonrect", "0,0,14,12");
    skinned.Data->LoadSkinFile(WriteSkin(skin));
    auto* panel = new TbsSkinExPanel(skinned.Form.get());
    panel->SetSkinData(skinned.Data);
    panel->SetBounds(0, 0, 200, 150);
    // The caption rectangle's right end moves with the width: close at 196 - 14.
    EXPECT_EQ(panel->ButtonRect(TbsSkinExPanel::CloseButton), TRect(182, 4, 196, 18));
    EXPECT_EQ(panel->ButtonRect(TbsSkinExPanel::RollButton), TRect(168, 4, 180, 18));
    panel->SetRollState(true);
    EXPECT_EQ(panel->Height(), 24);
    panel->SetRollState(false);
    panel->SetRollKind(rkRollHorizontal);
    panel->SetRollState(true);
    EXPECT_EQ(panel->Width(), 24);
    EXPECT_EQ(panel->RealWidth(), 200);
    EXPECT_FALSE(panel->RenderImage().Empty());
}

// ---------------------------------------------------------------- tool bar and splitter

TEST(ToolBar, HandsSkinFlatStateAndCaptionsToItsSpeedButtons) {
    TSkinnedForm skinned;
    skinned.LoadFixture();
    auto* bar = new TbsSkinToolBar(skinned.Form.get());
    EXPECT_EQ(bar->Height(), 25);
    EXPECT_EQ(bar->BorderStyle(), bvNone);
    EXPECT_EQ(bar->SkinDataName(), "toolpanel");
    auto* button = new TbsSkinSpeedButton(bar);
    auto* bevel = new TbsSkinBevel(bar);
    bar->SetSkinData(skinned.Data);
    EXPECT_EQ(button->SkinData(), skinned.Data);
    EXPECT_EQ(bevel->SkinData(), skinned.Data);
    bar->SetFlat(true);
    EXPECT_TRUE(button->Flat());

    bar->WidthWithCaptions = 300;
    bar->WidthWithoutCaptions = 120;
    bar->SetShowCaptions(true); // without AutoShowHideCaptions only stored
    EXPECT_TRUE(button->ShowCaption());
    bar->AutoShowHideCaptions = true;
    bar->SetShowCaptions(false);
    EXPECT_FALSE(button->ShowCaption());
    EXPECT_EQ(bar->Width(), 120);

    bar->SetScrollTimerInterval(0);
    bar->SetScrollOffset(-1);
    EXPECT_EQ(bar->ScrollTimerInterval(), 50);
    EXPECT_EQ(bar->ScrollOffset(), 0);
    {
        TImageList images;
        bar->SetImages(&images);
        EXPECT_EQ(bar->Images(), &images);
    }
    EXPECT_EQ(bar->Images(), nullptr);
}

TEST(ToolBar, AnOverfullBarScrollsBetweenItsFirstAndLastChild) {
    TForm form;
    form.SetClientSize(300, 100);
    auto* bar = new TbsSkinToolBar(&form);
    bar->SetBounds(0, 0, 100, 25);
    std::vector<TbsSkinSpeedButton*> buttons;
    for (int i = 0; i < 4; ++i) {
        buttons.push_back(new TbsSkinSpeedButton(bar));
        buttons.back()->SetBounds(40 * i, 0, 40, 25);
    }
    EXPECT_FALSE(bar->ScrollButtonsShown());
    bar->SetCanScroll(true);
    ASSERT_TRUE(bar->ScrollButtonsShown());
    EXPECT_EQ(buttons[0]->Left(), 12); // right of the left scroll button
    EXPECT_EQ(bar->ScrollButtonRect(TbsSkinToolBar::RightScrollButton), TRect(88, 0, 100, 25));

    bar->ScrollStep(TbsSkinToolBar::RightScrollButton); // the room between the buttons: 76
    EXPECT_EQ(bar->ScrollPosition(), 76);
    bar->ScrollStep(TbsSkinToolBar::RightScrollButton); // not beyond the last child
    EXPECT_EQ(bar->ScrollPosition(), 84);
    EXPECT_EQ(buttons[3]->Left() + buttons[3]->Width(), 88);
    bar->SetScrollOffset(30);
    bar->ScrollStep(TbsSkinToolBar::LeftScrollButton);
    EXPECT_EQ(bar->ScrollPosition(), 54);
    bar->ScrollStep(TbsSkinToolBar::LeftScrollButton);
    bar->ScrollStep(TbsSkinToolBar::LeftScrollButton); // not before the first child
    EXPECT_EQ(bar->ScrollPosition(), 0);

    // A press runs the timer; the release stops it and scrolls once more.
    const QPoint right(94, 12);
    SendMouse(bar, QEvent::MouseButtonPress, right, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(bar->ScrollTimerRunning());
    SendMouse(bar, QEvent::MouseButtonRelease, right, Qt::LeftButton, {});
    EXPECT_FALSE(bar->ScrollTimerRunning());
    EXPECT_EQ(bar->ScrollPosition(), 30);
    EXPECT_FALSE(bar->RenderImage().Empty());

    bar->SetWidth(200); // everything fits: the buttons go, the children return
    EXPECT_FALSE(bar->ScrollButtonsShown());
    EXPECT_EQ(buttons[0]->Left(), 0);
    EXPECT_EQ(buttons[3]->Left(), 120);
}

TEST(Splitter, TakesTheRecordsThicknessOrTenWithoutOne) {
    TSkinnedForm skinned;
    TControlsSkin skin;
    skin.AddControl("vsplitter", "splitter")
        .Set("vsplitter", "pictureindex", "8")
        .Set("vsplitter", "skinrect", "0,0,6,100")
        .Set("vsplitter", "lefttoppoint", "0,10")
        .Set("vsplitter", "leftbottompoint", "0,90");
    skinned.Data->LoadSkinFile(WriteSkin(skin));
    auto* splitter = new TbsSkinSplitter(skinned.Form.get());
    EXPECT_EQ(splitter->Width(), 10);
    splitter->SetSkinData(skinned.Data);
    EXPECT_EQ(splitter->Width(), 6);
    EXPECT_EQ(splitter->MinSize(), 6);
    EXPECT_FALSE(splitter->RenderImage().Empty());
    splitter->SetSkinDataName("nosuchsplitter");
    EXPECT_EQ(splitter->Width(), 10);
    splitter->SetAlign(alTop);
    splitter->SetSkinDataName("vsplitter");
    EXPECT_EQ(splitter->Height(), 100);
}
