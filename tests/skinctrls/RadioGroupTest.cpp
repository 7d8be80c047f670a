#include "skinctrls/bsSkinRadioGroup.h"

#include "framework/Forms.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

struct RadioGroupFixture : ::testing::Test {
    void SetUp() override {
        form = std::make_unique<TForm>();
        form->SetClientSize(300, 200);
        group = new TbsSkinRadioGroup(form.get());
        group->SetBounds(0, 0, 200, 120);
        group->OnClick = [this](TObject*) { ++clicks; };
    }
    std::unique_ptr<TForm> form;
    TbsSkinRadioGroup* group = nullptr;
    int clicks = 0;
};

} // namespace

TEST_F(RadioGroupFixture, FiveItemsInTwoColumnsGoThreeAndTwo) {
    group->SetItems({"a", "b", "c", "d", "e"});
    group->SetColumns(2);
    ASSERT_EQ(group->ButtonCount(), 5);
    const int left0 = group->Button(0)->Left();
    EXPECT_EQ(group->Button(1)->Left(), left0);
    EXPECT_EQ(group->Button(2)->Left(), left0);
    EXPECT_GT(group->Button(3)->Left(), left0);
    EXPECT_EQ(group->Button(4)->Left(), group->Button(3)->Left());
    EXPECT_EQ(group->Button(3)->Top(), group->Button(0)->Top());
    EXPECT_GT(group->Button(1)->Top(), group->Button(0)->Top());
    EXPECT_EQ(group->Button(4)->Caption(), QStringLiteral("e"));

    group->SetColumns(20);
    EXPECT_EQ(group->Columns(), 16);
    group->SetColumns(0);
    EXPECT_EQ(group->Columns(), 1);
}

TEST_F(RadioGroupFixture, ItemIndexIsClampedChecksOneButtonAndShrinksWithTheItems) {
    group->SetItems({"a", "b", "c"});
    group->SetItemIndex(7);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_TRUE(group->Button(2)->Checked());
    group->SetItemIndex(0);
    EXPECT_TRUE(group->Button(0)->Checked());
    EXPECT_FALSE(group->Button(2)->Checked());
    group->SetItemIndex(-5);
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_FALSE(group->Button(0)->Checked());

    group->SetItemIndex(2);
    group->SetItems({"a"});
    EXPECT_EQ(group->ButtonCount(), 1);
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_TRUE(group->Button(0)->Checked());
}

TEST_F(RadioGroupFixture, CheckingAButtonSetsTheItemIndexAndFiresOnClick) {
    group->SetItems({"a", "b"});
    clicks = 0;
    group->Button(1)->SetChecked(true);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    group->SetEnabled(false);
    EXPECT_FALSE(group->Button(0)->isEnabled());
}
