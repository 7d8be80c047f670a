// A skin change end to end: the skin data's messages reach every skinned control of every
// form through the form frame; controls forget their records first and re-apply after.

#include "SkinCtrlsTestSupport.h"

#include "skinctrls/bsSkinButton.h"

#include <gtest/gtest.h>

using namespace SkinCtrlsTest;

namespace {

// Logs ForgetSkin and ApplySkin by name.
class TLoggingControl : public TbsSkinCustomControl {
public:
    TLoggingControl(QWidget* parent, QStringList& log, const QString& name)
        : TbsSkinCustomControl(parent), FLog(log) {
        SetName(name);
    }
    void ForgetSkin() override {
        FLog << "forget " + Name();
        TbsSkinCustomControl::ForgetSkin();
    }
    void ApplySkin() override {
        FLog << "apply " + Name();
        TbsSkinCustomControl::ApplySkin();
    }

private:
    QStringList& FLog;
};

} // namespace

TEST(SkinChange, EveryControlForgetsThenReappliesDepthFirst) {
    TSkinnedForm f;
    QStringList log;
    auto* outer = new TLoggingControl(f.Form.get(), log, "outer");
    outer->SetSkinDataName("panel");
    outer->SetBounds(0, 0, 200, 150);
    auto* inner = new TLoggingControl(outer, log, "inner");
    inner->SetSkinDataName("hbutton");
    inner->SetBounds(10, 10, 90, 40);
    inner->SetDefaultWidth(70);
    inner->SetDefaultHeight(30);
    auto* last = new TLoggingControl(f.Form.get(), log, "last");
    last->SetSkinDataName("fixedbutton");
    last->SetBounds(250, 10, 75, 25);
    auto* button = new TbsSkinButton(f.Form.get());
    button->SetBounds(250, 100, 75, 25);
    auto* tool = new TbsSkinSpeedButton(f.Form.get());
    tool->SetBounds(250, 150, 30, 30);
    // Bound to another skin data: left alone.
    TbsSkinData otherData;
    auto* stranger = new TLoggingControl(f.Form.get(), log, "stranger");
    stranger->SetSkinDataName("button");
    stranger->SetSkinData(&otherData);
    for (auto* c : {outer, inner, last})
        c->SetSkinData(f.Data); // nothing to apply yet: the skin is empty
    button->SetSkinData(f.Data);
    tool->SetSkinData(f.Data);
    EXPECT_TRUE(log.isEmpty());

    // Skin A.
    f.LoadFixture();
    EXPECT_EQ(log, QStringList({"forget outer", "forget inner", "forget last", "apply outer",
                                "apply inner", "apply last"}));
    EXPECT_NE(outer->SkinIndex(), -1);
    EXPECT_EQ(inner->Height(), 22);
    EXPECT_EQ(last->BoundsRect(), TRect(250, 10, 290, 50));
    EXPECT_EQ(button->SkinIndex(), f.Data->IndexOfControl("button"));
    EXPECT_NE(tool->SkinIndex(), -1);
    EXPECT_TRUE(button->WindowRegion().has_value());

    // Skin B: every record one place further, the band button fixed, no tool button.
    TControlsSkin b;
    b.AddControl("first", "label", true)
        .Remove("hbutton", "lefttoppoint")
        .Remove("hbutton", "righttoppoint")
        .Set("toolbutton", "pictureindex", "-1")
        .Set("toolbutton", "skinrect", "0,0,0,0");
    const int oldIndex = button->SkinIndex();
    log.clear();
    f.Data->LoadSkinFile(WriteSkin(b));
    EXPECT_EQ(log.size(), 6);
    EXPECT_EQ(button->SkinIndex(), oldIndex + 1);
    EXPECT_EQ(inner->StretchMode, TbsStretchMode::Fixed);
    EXPECT_EQ(inner->BoundsRect(), TRect(10, 10, 70, 32));
    EXPECT_EQ(tool->StretchMode, TbsStretchMode::None);

    // A rejected skin: everything forgets its record and takes the default look and sizes.
    TControlsSkin rejected;
    rejected.Remove("VERSION", "skinname").Remove("VERSION", "skinauthor");
    log.clear();
    f.Data->LoadSkinFile(WriteSkin(rejected));
    ASSERT_TRUE(f.Data->SkinEmpty);
    EXPECT_EQ(log.size(), 6);
    EXPECT_EQ(outer->SkinIndex(), -1);
    EXPECT_EQ(button->SkinIndex(), -1);
    EXPECT_EQ(tool->SkinIndex(), -1);
    EXPECT_EQ(inner->BoundsRect(), TRect(10, 10, 80, 40)); // DefaultWidth/DefaultHeight
    EXPECT_FALSE(button->WindowRegion().has_value());
    EXPECT_EQ(PaintedPixel(*button, 0, 0), ColorToRGB(clBtnShadow));

    // And back to skin A: refitted.
    f.LoadFixture();
    EXPECT_EQ(inner->Height(), 22);
    EXPECT_NE(button->SkinIndex(), -1);
    EXPECT_EQ(stranger->SkinIndex(), -1);
    EXPECT_FALSE(log.join(' ').contains("stranger"));
}

TEST(SkinChange, ControlsOnOtherFormsFollowToo) {
    TSkinnedForm owner;
    auto second = std::make_unique<TForm>();
    new TbsBusinessSkinForm(second.get());
    auto* button = new TbsSkinButton(second.get());
    button->SetSkinData(owner.Data);
    owner.LoadFixture();
    EXPECT_NE(button->SkinIndex(), -1);
    EXPECT_TRUE(button->WindowRegion().has_value());

    // A control created while the skin is loaded applies it as soon as it is bound.
    auto* late = new TbsSkinButton(second.get());
    late->SetBounds(0, 40, 100, 30);
    late->SetSkinData(owner.Data);
    EXPECT_NE(late->SkinIndex(), -1);
    EXPECT_EQ(late->FittedClientRect, TRect(4, 4, 96, 26));

    // Without a form frame a form's controls keep their index until they next paint.
    auto third = std::make_unique<TForm>();
    auto* unrelayed = new TbsSkinButton(third.get());
    unrelayed->SetSkinData(owner.Data);
    const int index = unrelayed->SkinIndex();
    owner.Data->ClearSkin();
    owner.Data->BroadcastSkinMessage(SkinChanging);
    EXPECT_EQ(button->SkinIndex(), -1);
    EXPECT_EQ(unrelayed->SkinIndex(), index);
    unrelayed->RenderImage();
    EXPECT_EQ(unrelayed->SkinIndex(), -1);
}
