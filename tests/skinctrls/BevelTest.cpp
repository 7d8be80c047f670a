#include "skinctrls/bsSkinBevel.h"

#include "fixtures/ControlsSkinFixture.h"
#include "SkinCtrlsTestSupport.h"

#include <gtest/gtest.h>

TEST(SkinBevel, TakesTheRecordColoursAndFallsBackWithoutABevelRecord) {
    SkinCtrlsTest::TSkinnedForm skinned;
    TControlsSkin skin;
    skin.AddControl("bevel", "bevel")
        .Set("bevel", "lightcolor", "0x00123456")
        .Set("bevel", "darkcolor", "0x00654321");
    skinned.Data->LoadSkinFile(SkinCtrlsTest::WriteSkin(skin));
    auto* bevel = new TbsSkinBevel(skinned.Form.get());
    EXPECT_EQ(bevel->LightColor(), clBtnHighlight);
    bevel->SetSkinData(skinned.Data);
    EXPECT_EQ(bevel->LightColor(), static_cast<TColor>(0x00123456));
    EXPECT_EQ(bevel->DarkColor(), static_cast<TColor>(0x00654321));

    // A record of another kind under the name counts as none.
    bevel->SetSkinDataName(QStringLiteral("label"));
    EXPECT_EQ(bevel->LightColor(), clBtnHighlight);
    EXPECT_EQ(bevel->DarkColor(), clBtnShadow);
}

TEST(SkinBevel, LoweredAndRaisedShapesSwapTheirColours) {
    TBitmap bitmap(20, 10);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Color = clWhite;
    canvas.FillRect(TRect(0, 0, 20, 10));
    // A lowered top line: dark above light.
    DrawBevelShape(canvas, TRect(0, 0, 20, 10), bsTopLine, bsLowered, clRed, clBlue);
    EXPECT_EQ(bitmap.Pixel(5, 0), clBlue);
    EXPECT_EQ(bitmap.Pixel(5, 1), clRed);
    // A raised box: light top-left, dark bottom-right.
    DrawBevelShape(canvas, TRect(0, 0, 20, 10), bsBox, bsRaised, clRed, clBlue);
    EXPECT_EQ(bitmap.Pixel(0, 5), clRed);
    EXPECT_EQ(bitmap.Pixel(19, 5), clBlue);
    EXPECT_EQ(bitmap.Pixel(5, 9), clBlue);
}
