#include "skinctrls/bsSkinComboBox.h"

#include "BoxesTestSupport.h"
#include "framework/ControlsTestSupport.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <gtest/gtest.h>

using namespace ControlsTest;

namespace {

const char* const Categories[15] = {"更新特效",     "窗口特效系列", "链接特效系列",  "时间特效系列",
                                    "文字特效系列", "鼠标特效系列", "图片特效系列",  "网页特效系列",
                                    "密码特效系列", "危险特效系列", "黑客特效系列",  "娱乐特效系列",
                                    "文本特效系列", "Cookie脚本",   "状态栏特效系列"};

struct ComboFixture : ::testing::Test {
    void SetUp() override {
        combo = new TbsSkinComboBox(skinned.Form.get());
        combo->SetBounds(8, 24, 169, 20);
        for (const char* name : Categories)
            combo->Items()->Add(QString::fromUtf8(name));
        combo->OnChange = [this](TObject*) { changes << combo->Text(); };
        combo->OnClick = [this](TObject*) { ++clicks; };
    }
    void EditStyle() {
        combo->SetStyle(bscbEditStyle);
        combo->SetText(QStringLiteral("请选择特效类别"));
        changes.clear();
        skinned.Activate();
        combo->SetFocus();
    }
    // Types one character into the embedded edit the way the keyboard does.
    void Type(const QString& ch) { SendKey(combo->InnerEdit()->Editor(), Qt::Key_A, {}, ch); }
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        SendKey(combo->InnerEdit() ? static_cast<QWidget*>(combo->InnerEdit()->Editor())
                                   : static_cast<QWidget*>(combo),
                key, modifiers);
    }

    SkinCtrlsTest::TSkinnedForm skinned;
    TbsSkinComboBox* combo = nullptr;
    QStringList changes;
    int clicks = 0;
};

} // namespace

TEST_F(ComboFixture, TypingRaisesOnChangeWithEveryTypedTextAndSelectsTheCompletion) {
    EditStyle();
    combo->InnerEdit()->SetText(QString());
    changes.clear();
    Type(QStringLiteral("文"));
    Type(QStringLiteral("本"));
    EXPECT_EQ(changes, QStringList({QStringLiteral("文"), QStringLiteral("文本")}));
    EXPECT_EQ(combo->Text(), QStringLiteral("文本"));
    // "文" completes to the first category starting with it, "文本" to its own.
    EXPECT_EQ(combo->DropList()->ItemIndex(), 12);
    EXPECT_EQ(clicks, 0) << "the search touches neither Text nor OnClick";

    // A typed full name selects exactly that item.
    combo->InnerEdit()->SetText(QStringLiteral("Cookie脚本"));
    EXPECT_EQ(combo->ItemIndex(), 13);

    combo->SetAutoComplete(false);
    combo->InnerEdit()->SetText(QString());
    Type(QStringLiteral("黑"));
    EXPECT_EQ(combo->ItemIndex(), 13) << "without auto-complete the list only scrolls";
    EXPECT_EQ(combo->DropList()->TopIndex(), combo->DropList()->InnerList()->TopIndex());
}

TEST_F(ComboFixture, PickingRaisesOnChangeOnceAndRepickingTheShownItemRaisesNothing) {
    EditStyle();
    combo->SetItemIndex(4);
    EXPECT_EQ(changes, QStringList({QStringLiteral("文字特效系列")}));
    EXPECT_EQ(combo->InnerEdit()->Text(), QStringLiteral("文字特效系列"));
    EXPECT_EQ(clicks, 1);

    changes.clear();
    combo->SetItemIndex(4);
    EXPECT_TRUE(changes.isEmpty());

    // Picking from the dropped list: accept takes the item, Escape restores the old one.
    combo->DropDown();
    ASSERT_TRUE(combo->DroppedDown());
    Key(Qt::Key_Down);
    EXPECT_EQ(combo->Text(), QStringLiteral("鼠标特效系列")) << "Down steps and sets the text";
    Key(Qt::Key_Escape);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 4);

    changes.clear();
    combo->DropDown();
    combo->DropList()->SetItemIndex(7);
    Key(Qt::Key_Return);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(changes, QStringList({QStringLiteral("网页特效系列")}));
}

TEST_F(ComboFixture, DropDownSizeAndPlacement) {
    EditStyle();
    combo->SetDropDownCount(0);
    EXPECT_EQ(combo->DropDownCount(), 8) << "values <= 0 are ignored";
    Key(Qt::Key_F4);
    ASSERT_TRUE(combo->DroppedDown());
    const int itemHeight = combo->DropList()->ItemHeight();
    EXPECT_EQ(combo->DropList()->Height(), 8 * itemHeight + 4);
    EXPECT_EQ(combo->DropList()->Width(), combo->Width());
    const QPoint below = combo->mapToGlobal(QPoint(0, combo->Height()));
    EXPECT_EQ(combo->DropList()->geometry().topLeft(), below);
    combo->CloseUp(false);

    // Near the bottom of the work area the list opens upwards.
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    skinned.Form->SetBounds(work.left() + 10, work.bottom() - 80, 300, 60);
    Pump();
    combo->DropDown();
    const QRect list = combo->DropList()->geometry();
    EXPECT_EQ(list.bottom() + 1, combo->mapToGlobal(QPoint(0, 0)).y());
    combo->CloseUp(false);

    // Without items nothing drops.
    combo->Items()->Clear();
    combo->DropDown();
    EXPECT_FALSE(combo->DroppedDown());
}

TEST_F(ComboFixture, FixedStyleSearchesWhileTypingAndStepsWithArrows) {
    combo->Items()->Clear();
    for (const char* s : {"apple", "banana", "bbq", "berry", "cherry"})
        combo->Items()->Add(QString::fromLatin1(s));
    skinned.Activate();
    combo->SetFocus();
    SendKey(combo, Qt::Key_B, {}, QStringLiteral("b"));
    EXPECT_EQ(combo->Text(), QStringLiteral("banana"));
    SendKey(combo, Qt::Key_B, {}, QStringLiteral("b"));
    EXPECT_EQ(combo->Text(), QStringLiteral("bbq")) << "quick second b searches \"bb\"";
    Pump(600);
    SendKey(combo, Qt::Key_B, {}, QStringLiteral("b"));
    EXPECT_EQ(combo->Text(), QStringLiteral("berry")) << "after a pause: next item with b";

    SendKey(combo, Qt::Key_Down);
    EXPECT_EQ(combo->ItemIndex(), 4);
    SendKey(combo, Qt::Key_Down);
    EXPECT_EQ(combo->ItemIndex(), 4) << "stays at the last item";
    SendKey(combo, Qt::Key_Up);
    EXPECT_EQ(combo->ItemIndex(), 3);
    SendKey(combo, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(combo->DroppedDown());
    SendKey(combo, Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(combo->DroppedDown());
}

TEST_F(ComboFixture, FaceWithoutAndWithRecord) {
    // Plain look: a shadow frame on button face, the button at the right end.
    TBitmap plain = combo->RenderImage();
    EXPECT_EQ(plain.Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(combo->ButtonRect(), TRect(150, 2, 167, 18));
    EXPECT_EQ(plain.Pixel(150, 2), ColorToRGB(clBtnShadow));

    // A skin without these records keeps the plain look.
    skinned.LoadFixture();
    combo->SetSkinData(skinned.Data);
    EXPECT_EQ(combo->SkinIndex(), -1);
    EXPECT_EQ(combo->ButtonRect(), TRect(150, 2, 167, 18));

    skinned.Data->LoadSkinFile(BoxesTest::BoxesSkinPath());
    combo->SetSkinData(skinned.Data);
    ASSERT_NE(combo->SkinIndex(), -1);
    // The button keeps its distance from the right end; the list uses "listbox".
    EXPECT_EQ(combo->ButtonRect(), TRect(55 + 94, 4, 71 + 94, 21));
    EXPECT_EQ(combo->DropList()->SkinDataName(), QStringLiteral("listbox"));
    EXPECT_NE(combo->DropList()->SkinIndex(), -1);
    EXPECT_EQ(combo->DropList()->ItemHeight(), 18);
}

TEST_F(ComboFixture, TheDroppedListFollowsTheMouseAndAClickPicks) {
    EditStyle();
    combo->SetItemIndex(0);
    changes.clear();
    combo->DropDown();
    TbsListBox* inner = combo->DropList()->InnerList();
    const int h = inner->ItemHeight();
    MoveMouse(inner, QPoint(10, 2 * h + 3));
    EXPECT_EQ(combo->DropList()->ItemIndex(), 2) << "the list follows the mouse";
    EXPECT_EQ(combo->Text(), QString::fromUtf8(Categories[0])) << "following changes no text";
    Click(inner, QPoint(10, 3 * h + 3));
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(changes, QStringList({QString::fromUtf8(Categories[3])}));
    EXPECT_TRUE(combo->InnerEdit()->Editor()->hasFocus()) << "the focus stays in the combo";

    // A press elsewhere cancels.
    combo->DropDown();
    Click(skinned.Form->ClientArea(), QPoint(300, 200));
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 3);
}

// The box's edit has no skin of its own: its context menu takes the box's skin.
TEST_F(ComboFixture, TheEditsContextMenuOpensInTheBoxsSkin) {
    skinned.Data->LoadSkinFile(BoxesTest::BoxesSkinPath());
    combo->SetSkinData(skinned.Data);
    EditStyle();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(180, 140));
    QCoreApplication::sendEvent(combo->InnerEdit()->Editor(), &click);
    TbsSkinPopupWindow* window = BoxesTest::OpenPopupWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsSkinned());
    EXPECT_EQ(window->Engine()->SkinData(), skinned.Data);
    window->Engine()->CloseMenus();
    BoxesTest::RunDeferredDeletes();
}
