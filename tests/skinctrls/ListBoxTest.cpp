#include "skinctrls/bsSkinListBox.h"

#include "BoxesTestSupport.h"
#include "framework/ControlsTestSupport.h"

#include <gtest/gtest.h>

using namespace ControlsTest;

namespace {

struct ListFixture : ::testing::Test {
    void SetUp() override {
        list = new TbsSkinListBox(skinned.Form.get());
        // 10 rows of 20 pixels inside the 1 + 2 pixel frame.
        list->SetBounds(10, 10, 150, 10 * 20 + 4);
    }
    void Add(int count) {
        for (int i = 0; i < count; ++i)
            list->Items()->Add(QStringLiteral("特效 %1").arg(list->Count()));
        list->SyncListBars();
    }

    SkinCtrlsTest::TSkinnedForm skinned;
    TbsSkinListBox* list = nullptr;
};

} // namespace

TEST_F(ListFixture, TheVerticalBarComesAndGoesWithTheContent) {
    Add(3);
    EXPECT_EQ(list->VertBar(), nullptr);
    Add(8);
    ASSERT_NE(list->VertBar(), nullptr) << "11 items in 10 rows";
    EXPECT_EQ(list->VertBar()->Kind(), sbVertical);
    EXPECT_EQ(list->InnerRect(), TRect(2, 2, 130, 202));
    EXPECT_EQ(list->VertBar()->PageSize(), 10);

    // The bar scrolls the list; keys that scroll the list move the bar.
    list->VertBar()->SetPosition(1);
    EXPECT_EQ(list->TopIndex(), 1);
    list->SetItemIndex(0);
    EXPECT_EQ(list->VertBar()->Position(), 0);

    list->Items()->Delete(0);
    list->Items()->Delete(0);
    list->SyncListBars();
    EXPECT_EQ(list->VertBar(), nullptr);
    EXPECT_EQ(list->InnerRect(), TRect(2, 2, 148, 202));

    // With RowCount equal to the item count the bar never appears.
    Add(5);
    list->SetRowCount(list->Count());
    EXPECT_EQ(list->Height(), list->Count() * 20 + 4);
    list->SyncListBars();
    EXPECT_EQ(list->VertBar(), nullptr);
}

TEST_F(ListFixture, ItemsDrawnInTheirStates) {
    Add(3);
    list->SetItemIndex(1);
    TBitmap inner = list->InnerList()->RenderImage();
    EXPECT_EQ(inner.Pixel(1, 5), ColorToRGB(clWindow));
    EXPECT_EQ(inner.Pixel(1, 25), ColorToRGB(clHighlight)) << "the selected item";
    EXPECT_EQ(inner.Pixel(1, 150), ColorToRGB(clWindow)) << "below the last item";

    // An image per item: the list's image, or the item's own index.
    TImageList images;
    images.SetSize(16, 16);
    TBitmap red(16, 16);
    red.Canvas().Brush.Color = clRed;
    red.Canvas().FillRect(TRect(0, 0, 16, 16));
    images.Add(red, nullptr);
    list->SetImages(&images);
    list->SetImageIndex(0);
    inner = list->InnerList()->RenderImage();
    EXPECT_EQ(inner.Pixel(4, 10), ColorToRGB(clRed));

    // Drawn from the record: the item face and the tiled background below the items.
    skinned.Data->LoadSkinFile(BoxesTest::BoxesSkinPath());
    list->SetSkinData(skinned.Data);
    ASSERT_NE(list->SkinIndex(), -1);
    EXPECT_EQ(list->ItemHeight(), 18) << "the height of \"itemrect\"";
    EXPECT_EQ(list->InnerRect(), list->ListArea());
    list->SetImages(nullptr);
    TBitmap skinnedInner = list->InnerList()->RenderImage();
    EXPECT_NE(skinnedInner.Pixel(10, 9), ColorToRGB(clWindow));
    EXPECT_NE(skinnedInner.Pixel(10, 18 + 9), skinnedInner.Pixel(10, 9))
        << "the selected item uses \"activeitemrect\"";

    // A skin without the record: the plain look again.
    skinned.LoadFixture();
    list->SetSkinData(skinned.Data);
    EXPECT_EQ(list->SkinIndex(), -1);
    EXPECT_EQ(list->ItemHeight(), 20);
    EXPECT_EQ(list->InnerList()->RenderImage().Pixel(1, 25), ColorToRGB(clHighlight));
}

TEST_F(ListFixture, HorizontalExtentAddsABarThatShiftsTheItems) {
    Add(2);
    list->Items()->Add(QString(60, QLatin1Char('W')));
    list->SetHorizontalExtent(true);
    ASSERT_NE(list->HorzBar(), nullptr);
    EXPECT_EQ(list->InnerRect().Bottom, list->Height() - 18 - 2);
    list->HorzBar()->SetPosition(30);
    EXPECT_EQ(list->InnerList()->ScrollOffsetX(), 30);
    // Left and Right in the list move the bar.
    const int step = list->HorzBar()->SmallChange();
    SendKey(list->InnerList(), Qt::Key_Right);
    EXPECT_EQ(list->HorzBar()->Position(), 30 + step);

    list->SetHorizontalExtent(false);
    EXPECT_EQ(list->HorzBar(), nullptr);
    EXPECT_EQ(list->InnerList()->ScrollOffsetX(), 0);
}

TEST_F(ListFixture, CaptionButtonsStepTheSelectionAndRepeatWhileHeld) {
    Add(20);
    list->SetCaptionMode(true);
    list->SetItemIndex(5);
    EXPECT_EQ(list->InnerRect().Top, 21) << "below the caption bar";
    // From the right end: up, down, check.
    const TRect up = list->CaptionButtonRect(0);
    const TRect down = list->CaptionButtonRect(1);
    EXPECT_EQ(up.Right, list->Width() - 2);
    EXPECT_EQ(down.Right, up.Left);
    auto centre = [](const TRect& r) { return QPoint(r.Left + r.Width() / 2, r.Top + 4); };
    Click(list, centre(up));
    EXPECT_EQ(list->ItemIndex(), 4);
    Click(list, centre(down));
    EXPECT_EQ(list->ItemIndex(), 5);

    // Held: the first tick only switches to the repeat rate, later ones step.
    SendMouse(list, QEvent::MouseButtonPress, centre(down), Qt::LeftButton, Qt::LeftButton);
    list->CaptionRepeatTick();
    EXPECT_EQ(list->ItemIndex(), 5);
    list->CaptionRepeatTick();
    list->CaptionRepeatTick();
    EXPECT_EQ(list->ItemIndex(), 7);
    SendMouse(list, QEvent::MouseButtonRelease, centre(down), Qt::LeftButton, {});
    EXPECT_EQ(list->ItemIndex(), 8) << "the release steps once more";

    // An assigned event replaces the action and the repeat.
    int ups = 0;
    list->OnUpButtonClick = [&](TObject*) { ++ups; };
    Click(list, centre(up));
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(list->ItemIndex(), 8);
}
