#include "skinctrls/bsSkinMemo.h"

#include "BoxesTestSupport.h"
#include "framework/ControlsTestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace ControlsTest;

namespace {

QString NumberedLines(int count) {
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("第%1行 <div>effect</div>").arg(i);
    return lines.join(QStringLiteral("\r\n"));
}

struct MemoFixture : ::testing::Test {
    void SetUp() override {
        memo = new TbsSkinMemo2(skinned.Form.get());
        memo->SetBounds(4, 25, 300, 160);
        memo->SetWordWrap(false);
        bar = new TbsSkinScrollBar(skinned.Form.get());
        bar->SetKind(sbVertical);
        bar->SetBounds(304, 25, 19, 160);
        memo->SetVScrollBar(bar);
        skinned.Activate();
    }
    // The bar mirrors the memo: same range, page and position, enabled while scrollable.
    void ExpectInStep(const char* when) {
        const TScrollInfo info = memo->ScrollInfo(sbVertical);
        SCOPED_TRACE(when);
        EXPECT_EQ(bar->Position(), memo->TopLine());
        EXPECT_EQ(bar->Max(), info.Max);
        EXPECT_EQ(bar->PageSize(), info.Page);
        EXPECT_TRUE(bar->Enabled());
    }
    void Wheel(int delta) {
        QWidget* viewport = memo->Editor()->viewport();
        QWheelEvent event(QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    }

    SkinCtrlsTest::TSkinnedForm skinned;
    TbsSkinMemo2* memo = nullptr;
    TbsSkinScrollBar* bar = nullptr;
};

} // namespace

TEST_F(MemoFixture, TheBarFollowsLoadingTypingWheelPageDownAndResize) {
    memo->SetText(QStringLiteral("short"));
    EXPECT_FALSE(bar->Enabled()) << "text that fits disables the bar";
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 0);

    memo->SetText(NumberedLines(200));
    ExpectInStep("after loading");
    EXPECT_EQ(bar->Position(), 0);

    Wheel(-120);
    EXPECT_EQ(memo->TopLine(), 1) << "one line per wheel turn";
    ExpectInStep("after the wheel");

    memo->Editor()->setFocus();
    SendKey(memo->Editor(), Qt::Key_PageDown);
    EXPECT_GT(memo->TopLine(), 1);
    ExpectInStep("after PageDown");

    SendKey(memo->Editor(), Qt::Key_End, Qt::ControlModifier);
    for (int i = 0; i < 5; ++i)
        SendKey(memo->Editor(), Qt::Key_Return, {}, QStringLiteral("\r"));
    SendKey(memo->Editor(), Qt::Key_A, {}, QStringLiteral("雪"));
    ExpectInStep("after typing past the bottom");
    EXPECT_EQ(bar->Position(), bar->Max() - bar->PageSize() + 1) << "the thumb is at the end";

    memo->SetBounds(4, 25, 300, 80);
    Pump();
    ExpectInStep("after a resize");
}

TEST_F(MemoFixture, MovingTheBarScrollsTheMemoAndADisabledMemoDisablesIt) {
    memo->SetText(NumberedLines(100));
    bar->SetPosition(40);
    EXPECT_EQ(memo->TopLine(), 40);
    bar->SetPosition(bar->Max());
    EXPECT_EQ(memo->TopLine(),
              memo->ScrollInfo(sbVertical).Max - memo->ScrollInfo(sbVertical).Page + 1)
        << "the bar's last position shows the last line";
    ExpectInStep("at the end");

    memo->SetEnabled(false);
    EXPECT_FALSE(bar->Enabled());
    memo->SetEnabled(true);
    EXPECT_TRUE(bar->Enabled());

    // A destroyed bar unbinds itself.
    delete bar;
    bar = nullptr;
    EXPECT_EQ(memo->VScrollBar(), nullptr);
    memo->SetText(NumberedLines(10));
}

TEST_F(MemoFixture, ColoursFromTheRecordAndActiveWhileHoveredOrFocused) {
    skinned.Data->LoadSkinFile(BoxesTest::BoxesSkinPath());
    memo->SetSkinData(skinned.Data);
    ASSERT_NE(memo->SkinIndex(), -1);
    skinned.Form->SetFocus();
    memo->MouseLeave();
    EXPECT_EQ(memo->Color(), BoxesTest::MemoBG);
    EXPECT_EQ(memo->Font()->Color(), BoxesTest::EditFontColor);
    memo->MouseEnter();
    EXPECT_EQ(memo->Color(), BoxesTest::MemoActiveBG);
    EXPECT_EQ(memo->Font()->Color(), BoxesTest::EditActiveFontColor);
    memo->SetFocus();
    memo->MouseLeave();
    EXPECT_EQ(memo->Color(), BoxesTest::MemoActiveBG) << "stays active while focused";
}

TEST_F(MemoFixture, ContextMenuCommandsFollowSelectionAndClipboard) {
    memo->SetText(QStringLiteral("雪花飘飘"));
    QGuiApplication::clipboard()->setText(QStringLiteral("剪贴"));
    auto captions = [](TPopupMenu* menu) {
        QStringList enabled;
        for (int i = 0; i < menu->Items()->Count(); ++i)
            if (menu->Items()->Items(i)->Enabled() && !menu->Items()->Items(i)->IsLine())
                enabled << menu->Items()->Items(i)->Caption();
        return enabled;
    };
    memo->ClearUndo();
    TPopupMenu* menu = BuildEditMenu(memo, memo->EditCommands());
    ASSERT_EQ(menu->Items()->Count(), 8);
    EXPECT_EQ(captions(menu), QStringList({"粘贴", "全选"}));
    menu->Items()->Items(7)->Click();
    EXPECT_EQ(memo->SelLength(), 4);
    delete menu;

    menu = BuildEditMenu(memo, memo->EditCommands());
    EXPECT_EQ(captions(menu), QStringList({"剪切", "复制", "粘贴", "删除"}))
        << "全选 is off once everything is selected";
    menu->Items()->Items(5)->Click();
    EXPECT_TRUE(memo->Text().isEmpty());
    delete menu;
    menu = BuildEditMenu(memo, memo->EditCommands());
    EXPECT_TRUE(menu->Items()->Items(0)->Enabled()) << "undo after the delete";
    menu->Items()->Items(0)->Click();
    EXPECT_EQ(memo->Text(), QStringLiteral("雪花飘飘"));
    delete menu;
}

TEST(SkinMemo, FramedMemoLocksAndDrawsItsFrame) {
    SkinCtrlsTest::TSkinnedForm skinned;
    auto* memo = new TbsSkinMemo(skinned.Form.get());
    memo->SetBounds(0, 0, 200, 100);
    TBitmap plain = memo->RenderImage();
    EXPECT_EQ(plain.Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(plain.Pixel(1, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(memo->EditorRect(), TRect(2, 2, 198, 98));

    skinned.Data->LoadSkinFile(BoxesTest::BoxesSkinPath());
    memo->SetSkinData(skinned.Data);
    EXPECT_EQ(memo->EditorRect(), TRect(4, 4, 196, 96));

    memo->SetText(QStringLiteral("abc"));
    memo->SetReadOnly(true);
    skinned.Activate();
    memo->SetFocus();
    SendKey(memo->Editor(), Qt::Key_X, {}, QStringLiteral("x"));
    SendKey(memo->Editor(), Qt::Key_Backspace);
    memo->SelectAll();
    SendKey(memo->Editor(), Qt::Key_X, Qt::ControlModifier);
    SendKey(memo->Editor(), Qt::Key_Delete);
    EXPECT_EQ(memo->Text(), QStringLiteral("abc"));
    TbsEditCommands c = memo->EditCommands();
    c.ClearSelection();
    c.Cut();
    EXPECT_EQ(memo->Text(), QStringLiteral("abc"));
    c.Copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("abc"));
}
