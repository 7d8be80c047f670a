#include "skinctrls/bsSkinViews.h"

#include "SkinCtrlsTestSupport.h"
#include "framework/ControlsTestSupport.h"

#include <QListView>
#include <QScrollBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace ControlsTest;

namespace {

constexpr TColor TreeFont = 0x00102030;
constexpr TColor TreeBG = 0x00E0F0F0;

QString ViewsSkinPath() {
    static const QString path = [] {
        TControlsSkin skin;
        skin.AddControl("treeview", "treeview")
            .Set("treeview", "fontname", "Arial")
            .Set("treeview", "fontheight", "15")
            .Set("treeview", "fontcolor", "0x00102030")
            .Set("treeview", "bgcolor", "0x00E0F0F0");
        // A record of the tree's kind under the list view's name.
        skin.AddControl("listview", "treeview").Set("listview", "bgcolor", "0x00000080");
        return SkinCtrlsTest::WriteSkin(skin);
    }();
    return path;
}

struct BarsFixture : ::testing::Test {
    void SetUp() override {
        vbar = new TbsSkinScrollBar(form.Form.get());
        vbar->SetKind(sbVertical);
        vbar->SetBounds(200, 0, 19, 150);
        hbar = new TbsSkinScrollBar(form.Form.get());
        hbar->SetBounds(0, 150, 200, 19);
    }
    SkinCtrlsTest::TSkinnedForm form;
    TbsSkinScrollBar* vbar = nullptr;
    TbsSkinScrollBar* hbar = nullptr;
};

TColor HeaderPixel(TbsSkinCustomListView& list, int column) {
    const TRect r = list.Header()->SectionRect(column);
    return list.RenderHeader().Pixel(r.Left + 3, r.Top + 3);
}

void HeaderMouse(TbsSkinCustomListView& list, QEvent::Type type, QPoint p) {
    SendMouse(list.Header()->viewport(), type, p, Qt::LeftButton,
              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton);
}

} // namespace

TEST_F(BarsFixture, TheTreeShowsItsVerticalBarOnlyWhenTheItemsOverflow) {
    auto* tree = new TbsSkinTreeView(form.Form.get());
    tree->SetBounds(0, 0, 200, 150);
    tree->Items()->AddChild(nullptr, "0");
    form.Form->Show();
    Pump();
    tree->SetVScrollBar(vbar);
    tree->SetHScrollBar(hbar);
    EXPECT_TRUE(vbar->Enabled());
    const int visible = tree->VisibleCount();
    ASSERT_GT(visible, 2);
    for (int i = 1; i < visible; ++i)
        tree->Items()->AddChild(nullptr, QString::number(i));
    Pump();
    tree->SyncScrollBars();
    EXPECT_FALSE(vbar->Visible()) << "the items exactly fill the window";

    tree->Items()->AddChild(nullptr, "one more");
    Pump();
    tree->SyncScrollBars();
    EXPECT_TRUE(vbar->Visible());
    EXPECT_EQ(vbar->PageSize(), visible);
    EXPECT_EQ(vbar->Max(), visible);
    EXPECT_FALSE(hbar->Visible());
    EXPECT_TRUE(hbar->Both()) << "it follows the vertical bar";

    // The bar scrolls the tree.
    vbar->SetPosition(1);
    EXPECT_EQ(tree->ScrollInfo(sbVertical).Pos, 1);

    tree->Hide();
    EXPECT_FALSE(vbar->Visible());
    EXPECT_FALSE(hbar->Visible());
    tree->Show();
    Pump();
    EXPECT_TRUE(vbar->Visible());
    EXPECT_FALSE(hbar->Visible()) << "corrected after showing";

    // A long name brings the horizontal bar, which leaves the corner to the vertical one.
    tree->Items()->AddChild(nullptr, QString(80, QLatin1Char('W')));
    Pump();
    tree->SyncScrollBars();
    EXPECT_TRUE(hbar->Visible());
    EXPECT_TRUE(hbar->Both());
    EXPECT_EQ(hbar->PageSize(), tree->Width());

    delete vbar;
    tree->Items()->AddChild(nullptr, "after the bar went");
    tree->SyncScrollBars();
    EXPECT_EQ(tree->VScrollBar(), nullptr);
}

TEST_F(BarsFixture, TheListStyleScrollsSidewaysByColumns) {
    auto* list = new TbsSkinListView(form.Form.get());
    list->SetBounds(0, 0, 200, 150);
    list->SetViewStyle(vsList);
    for (int i = 0; i < 200; ++i)
        list->Items()->Add()->SetCaption(QStringLiteral("项目 %1").arg(i));
    form.Form->Show();
    Pump();
    list->SetVScrollBar(vbar);
    list->SetHScrollBar(hbar);
    EXPECT_FALSE(vbar->Visible()) << "never in list style";
    ASSERT_TRUE(hbar->Visible());
    EXPECT_EQ(hbar->SmallChange(), 1);
    const int columnWidth = list->ItemRect(0).Width();
    hbar->SetPosition(3);
    EXPECT_EQ(list->ScrollInfo(sbHorizontal).Pos, 3);
    EXPECT_EQ(list->LastHBarPos(), 3);
    EXPECT_EQ(list->IconView()->horizontalScrollBar()->value(), 3 * columnWidth)
        << "three line steps of one column each";
    hbar->SetPosition(1);
    EXPECT_EQ(list->ScrollInfo(sbHorizontal).Pos, 1);
    EXPECT_FALSE(vbar->Visible());
}

TEST_F(BarsFixture, TheReportStyleScrollsByRows) {
    auto* list = new TbsSkinListView(form.Form.get());
    list->SetBounds(0, 0, 200, 150);
    list->AddColumn({QStringLiteral("名称"), 150, taLeftJustify, -1});
    list->SetViewStyle(vsReport);
    for (int i = 0; i < 50; ++i)
        list->Items()->Add()->SetCaption(QString::number(i));
    form.Form->Show();
    Pump();
    list->SetVScrollBar(vbar);
    list->SetHScrollBar(hbar);
    ASSERT_TRUE(vbar->Visible());
    EXPECT_EQ(vbar->LargeChange(), list->CountPerPage());
    EXPECT_EQ(vbar->Max(), 49);
    vbar->SetPosition(4);
    EXPECT_EQ(list->ScrollInfo(sbVertical).Pos, 4) << "four item heights";
    EXPECT_EQ(list->ItemAt(5, list->ItemRect(4).Top + 2), 4);
    EXPECT_FALSE(hbar->Visible());

    // A view 5 pixels high or less leaves its bars alone.
    const int page = vbar->PageSize();
    list->SetHeight(5);
    Pump();
    list->SyncScrollBars();
    EXPECT_TRUE(vbar->Visible());
    EXPECT_EQ(vbar->PageSize(), page);
    EXPECT_EQ(list->LastVBarPos(), 4);
}

TEST_F(BarsFixture, HeaderSectionsDrawPressedOnlyForAPressInsideThem) {
    auto* list = new TbsSkinListView(form.Form.get());
    list->SetBounds(0, 0, 220, 150);
    list->AddColumn({QStringLiteral("名称"), 100, taLeftJustify, -1});
    list->AddColumn({QStringLiteral("大小"), 60, taRightJustify, -1});
    list->SetViewStyle(vsReport);
    form.Form->Show();
    Pump();
    using namespace bsDefaultColors;
    EXPECT_EQ(HeaderPixel(*list, 0), ColorToRGB(NormalFill));
    const TBitmap header = list->RenderHeader();
    EXPECT_EQ(header.Pixel(0, 3), ColorToRGB(NormalFrame));
    EXPECT_EQ(header.Pixel(header.Width() - 10, 3), ColorToRGB(NormalFill)) << "right of them";

    HeaderMouse(*list, QEvent::MouseButtonPress, QPoint(40, 5));
    EXPECT_EQ(list->PressedSection(), 0);
    EXPECT_TRUE(list->HeaderPressed());
    EXPECT_EQ(HeaderPixel(*list, 0), ColorToRGB(PressedFill));
    EXPECT_EQ(HeaderPixel(*list, 1), ColorToRGB(NormalFill));
    HeaderMouse(*list, QEvent::MouseButtonRelease, QPoint(40, 5));
    EXPECT_EQ(list->PressedSection(), -1);
    EXPECT_EQ(HeaderPixel(*list, 0), ColorToRGB(NormalFill));

    // On the divider a press resizes: the section is not drawn pressed.
    HeaderMouse(*list, QEvent::MouseButtonPress, QPoint(100, 5));
    EXPECT_FALSE(list->HeaderPressed());
    EXPECT_EQ(HeaderPixel(*list, 0), ColorToRGB(NormalFill));
    HeaderMouse(*list, QEvent::MouseButtonRelease, QPoint(100, 5));

    // A button record with a picture gives the skinned face; a missing one the default.
    form.LoadFixture();
    list->SetSkinData(form.Data);
    list->SetHeaderSkinDataName("button");
    EXPECT_NE(HeaderPixel(*list, 0), ColorToRGB(NormalFill));
    list->SetHeaderSkinDataName("nopicbutton");
    EXPECT_EQ(HeaderPixel(*list, 0), ColorToRGB(NormalFill));
}

TEST(SkinViews, TheRecordGivesFontAndBackgroundAndAnotherKindChangesNothing) {
    SkinCtrlsTest::TSkinnedForm form;
    auto* tree = new TbsSkinTreeView(form.Form.get());
    auto* list = new TbsSkinListView(form.Form.get());
    EXPECT_EQ(tree->Color(), clWindow);
    EXPECT_EQ(tree->Font()->Name(), "Arial");
    EXPECT_EQ(tree->Font()->Height(), 14);
    list->SetColor(clAqua);
    form.Data->LoadSkinFile(ViewsSkinPath());
    tree->SetSkinData(form.Data);
    list->SetSkinData(form.Data);
    EXPECT_GE(tree->SkinIndex(), 0);
    EXPECT_EQ(tree->Color(), TreeBG);
    EXPECT_EQ(tree->Font()->Color(), TreeFont);
    EXPECT_EQ(tree->Font()->Height(), 15);
    EXPECT_GE(list->SkinIndex(), 0);
    EXPECT_EQ(list->Color(), clAqua) << "a tree record under the list's name";

    tree->SetUseSkinFont(false);
    tree->ApplySkin();
    EXPECT_EQ(tree->Font()->Height(), 14);
    EXPECT_EQ(tree->Font()->Color(), TreeFont);

    // Without the record: the plain look.
    tree->SetSkinDataName("missing");
    tree->ApplySkin();
    EXPECT_EQ(tree->SkinIndex(), -1);
    EXPECT_EQ(tree->Color(), clWindow);
    tree->SetSkinData(nullptr);
    EXPECT_EQ(tree->SkinData(), nullptr);
}

TEST_F(BarsFixture, ALongCaptionIsShortenedAndItsImageDrawnFromTheLeft) {
    TImageList images;
    TBitmap red;
    red.SetSize(16, 16);
    red.Canvas().Brush.Color = clRed;
    red.Canvas().FillRect(TRect(0, 0, 16, 16));
    images.Add(red, nullptr);
    auto* list = new TbsSkinListView(form.Form.get());
    list->SetBounds(0, 0, 300, 150);
    list->SetSmallImages(&images);
    list->AddColumn({QStringLiteral("短"), 120, taRightJustify, 0});
    list->AddColumn({QString(40, QChar(0x957F)), 120, taRightJustify, 0});
    list->SetViewStyle(vsReport);
    form.Form->Show();
    Pump();
    const TBitmap header = list->RenderHeader();
    const int middle = list->Header()->SectionRect(0).Height() / 2;
    // Right alignment moves a fitting caption's image right; a shortened one starts left.
    EXPECT_NE(header.Pixel(5 + 8, middle), ColorToRGB(clRed));
    EXPECT_EQ(header.Pixel(120 + 5 + 8, middle), ColorToRGB(clRed));
    TCanvas& canvas = const_cast<TBitmap&>(header).Canvas();
    canvas.Font.Assign(*list->Font());
    EXPECT_TRUE(
        CorrectTextByWidth(canvas, list->Column(1).Caption, 120 - 10 - 16 - 10).endsWith("..."));
}

TEST(SkinViews, ASkinChangeReachesTheViewsThroughTheFrame) {
    SkinCtrlsTest::TSkinnedForm form;
    auto* tree = new TbsSkinTreeView(form.Form.get());
    tree->SetSkinData(form.Data);
    EXPECT_EQ(tree->SkinIndex(), -1);
    form.Data->LoadSkinFile(ViewsSkinPath());
    EXPECT_GE(tree->SkinIndex(), 0);
    EXPECT_EQ(tree->Color(), TreeBG);
    form.LoadFixture();
    EXPECT_EQ(tree->SkinIndex(), -1) << "the fixture skin has no tree record";
    EXPECT_EQ(tree->Color(), clWindow);
}
