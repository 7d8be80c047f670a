#include "skinctrls/bsSkinEdit.h"

#include "BoxesTestSupport.h"
#include "framework/ControlsTestSupport.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace ControlsTest;

namespace {

struct EditFixture : ::testing::Test {
    void SetUp() override {
        edit = new TbsSkinEdit(skinned.Form.get());
        edit->SetBounds(131, 63, 169, 20);
    }
    void SkinIt() {
        skinned.Data->LoadSkinFile(BoxesTest::BoxesSkinPath());
        edit->SetSkinData(skinned.Data);
        ASSERT_NE(edit->SkinIndex(), -1);
    }
    QLineEdit* Editor() const { return edit->Editor(); }

    SkinCtrlsTest::TSkinnedForm skinned;
    TbsSkinEdit* edit = nullptr;
};

} // namespace

TEST_F(EditFixture, PlainLookAndTheSkinsHeight) {
    EXPECT_EQ(edit->Height(), 20);
    TBitmap plain = edit->RenderImage();
    EXPECT_EQ(plain.Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(plain.Pixel(1, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(plain.Pixel(5, 5), ColorToRGB(clWindow));
    EXPECT_EQ(edit->EditorRect(), TRect(2, 2, 167, 18));

    // A skin without an edit record keeps the plain look.
    skinned.LoadFixture();
    edit->SetSkinData(skinned.Data);
    EXPECT_EQ(edit->SkinIndex(), -1);
    EXPECT_EQ(edit->Height(), 20);

    SkinIt();
    EXPECT_EQ(edit->Height(), 25) << "the record's height";
    edit->SetBounds(131, 63, 250, 60);
    EXPECT_EQ(edit->Width(), 250);
    EXPECT_EQ(edit->Height(), 25) << "resizing changes only the width";
    EXPECT_EQ(edit->EditorRect(), TRect(4, 4, 246, 21));
    EXPECT_EQ(edit->Font()->Color(), BoxesTest::EditFontColor);
    edit->MouseEnter();
    EXPECT_EQ(edit->Font()->Color(), BoxesTest::EditActiveFontColor);
    edit->MouseLeave();
    edit->SetEnabled(false);
    EXPECT_EQ(edit->Font()->Color(), TColor(0x00909090));
}

TEST_F(EditFixture, ButtonAtTheRightEndClicks) {
    int clicks = 0;
    edit->OnButtonClick = [&](TObject*) { ++clicks; };
    edit->SetButtonMode(true);
    EXPECT_EQ(edit->ButtonRect(), TRect(149, 0, 169, 20));
    EXPECT_EQ(edit->EditorRect().Right, 169 - 22);
    skinned.Activate();
    MoveMouse(edit, QPoint(155, 10));
    EXPECT_TRUE(edit->ButtonHot());
    EXPECT_EQ(edit->RenderImage().Pixel(155, 10), ColorToRGB(bsDefaultColors::HotFill));
    Click(edit, QPoint(155, 10));
    EXPECT_EQ(clicks, 1);
    Click(edit, QPoint(20, 10));
    EXPECT_EQ(clicks, 1);

    SkinIt();
    edit->SetBounds(0, 0, 120, 20);
    // The button lies in the record's right end, so it keeps its distance from the edge.
    EXPECT_EQ(edit->ButtonRect(), TRect(55 + 45, 4, 71 + 45, 21));
}

TEST_F(EditFixture, EnterRaisesOnlyTheKeyPressAndTheLockDropsEditing) {
    QList<int> downs;
    QList<QChar> presses;
    edit->OnKeyDown = [&](TObject*, int& key, TShiftState) { downs << key; };
    edit->OnKeyPress = [&](TObject*, QChar& key) { presses << key; };
    skinned.Activate();
    edit->SetFocus();
    edit->SetText(QStringLiteral("雪"));
    SendKey(Editor(), Qt::Key_Return, {}, QStringLiteral("\r"));
    EXPECT_TRUE(downs.isEmpty());
    EXPECT_EQ(presses, QList<QChar>({QLatin1Char('\r')}));
    EXPECT_EQ(edit->Text(), QStringLiteral("雪"));

    edit->SetReadOnly(true);
    SendKey(Editor(), Qt::Key_A, {}, QStringLiteral("a"));
    SendKey(Editor(), Qt::Key_Backspace);
    edit->SelectAll();
    SendKey(Editor(), Qt::Key_Delete);
    SendKey(Editor(), Qt::Key_X, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(QStringLiteral("花"));
    SendKey(Editor(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->Text(), QStringLiteral("雪"));

    // The menu still copies and selects; its editing commands are off and do nothing.
    TPopupMenu* menu = BuildEditMenu(edit, edit->EditCommands());
    EXPECT_FALSE(menu->Items()->Items(2)->Enabled()); // cut
    EXPECT_TRUE(menu->Items()->Items(3)->Enabled());  // copy
    EXPECT_FALSE(menu->Items()->Items(4)->Enabled()); // paste
    EXPECT_FALSE(menu->Items()->Items(7)->Enabled()); // all is selected
    menu->Items()->Items(3)->Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("雪"));
    edit->EditCommands().Paste();
    edit->EditCommands().Undo();
    EXPECT_EQ(edit->Text(), QStringLiteral("雪"));
    delete menu;
}

// The context menu opens through the menu engine in the edit's skin (the form has no
// frame, so through the menu's own engine): at the mouse, or at the edit's centre for the
// keyboard. A command acts on the edit, and the menu frees itself after it.
TEST_F(EditFixture, TheContextMenuOpensSkinnedAndActsOnTheEdit) {
    SkinIt();
    edit->SetText(QStringLiteral("雪花飘落"));
    edit->SetSelStart(1);
    edit->SetSelLength(2);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(200, 150));
    QCoreApplication::sendEvent(Editor(), &click);
    TbsSkinPopupWindow* window = BoxesTest::OpenPopupWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(edit->EditMenu(), nullptr);
    // The form frame's engine opens the menus of the form's controls.
    EXPECT_EQ(window->Engine(), FindSkinForm(skinned.Form.get())->MenuEngine());
    EXPECT_EQ(window->Engine()->Opener(), edit);
    EXPECT_TRUE(window->IsSkinned());
    EXPECT_EQ(window->ScreenPos(), TPoint(200, 150));
    ASSERT_EQ(window->ItemCount(), 8);
    EXPECT_FALSE(window->Items(0)->IsEnabled()); // nothing to undo
    EXPECT_TRUE(window->Items(2)->IsEnabled());  // cut the selection
    EXPECT_EQ(window->HotIndex(), 2) << "the first usable item is preselected";

    window->Engine()->ChooseItem(window, 7); // 全选
    EXPECT_EQ(edit->SelLength(), 4);
    EXPECT_EQ(BoxesTest::OpenPopupWindow(), nullptr);
    BoxesTest::RunDeferredDeletes();
    EXPECT_EQ(edit->EditMenu(), nullptr) << "freed once its command ran";

    QPointer<TbsEditPopupMenu> menu;
    PopupEditMenu(edit, menu, edit->EditCommands(), TPoint(-1, -1));
    window = BoxesTest::OpenPopupWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->ScreenPos(), edit->ClientToScreen(TPoint(169 / 2, edit->Height() / 2)));
    EXPECT_FALSE(window->Items(7)->IsEnabled()) << "everything is selected already";
    // A new request replaces the open menu.
    QPointer<TbsEditPopupMenu> first = menu;
    PopupEditMenu(edit, menu, edit->EditCommands(), TPoint(220, 160));
    EXPECT_TRUE(first.isNull());
    window = BoxesTest::OpenPopupWindow();
    ASSERT_NE(window, nullptr);
    window->Engine()->ChooseItem(window, 5); // 删除
    EXPECT_TRUE(edit->Text().isEmpty());
    BoxesTest::RunDeferredDeletes();
    EXPECT_TRUE(menu.isNull());
}

// Once the form has a frame, its engine opens the edit's menu, still in the edit's skin.
TEST_F(EditFixture, TheFormFramesEngineTakesOverTheContextMenu) {
    SkinIt();
    auto* frameEngine = new TbsSkinMenu(skinned.Form.get());
    TbsSkinData frameMenus;
    SetSkinMenuFormLookup([&](QWidget* form) {
        TbsSkinMenuFormLink link;
        if (form == skinned.Form.get()) {
            link.Engine = frameEngine;
            link.MenusSkinData = &frameMenus;
        }
        return link;
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(200, 150));
    QCoreApplication::sendEvent(Editor(), &click);
    SetSkinMenuFormLookup({});
    TbsSkinPopupWindow* window = BoxesTest::OpenPopupWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Engine(), frameEngine);
    EXPECT_EQ(frameEngine->SkinData(), skinned.Data);
    EXPECT_TRUE(window->IsSkinned());
    frameEngine->CloseMenus();
}
