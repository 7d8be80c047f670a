#include "framework/ComCtrls.h"

#include "ControlsTestSupport.h"
#include "framework/Forms.h"

#include <QLineEdit>
#include <QListView>
#include <QTreeView>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <memory>

using namespace ControlsTest;

namespace {

struct ListViewFixture : ::testing::Test {
    void SetUp() override {
        form = std::make_unique<TForm>();
        form->SetClientSize(400, 300);
        list = new TListView(form.get());
        list->SetBounds(0, 0, 300, 200);
    }
    void AddItems(std::initializer_list<const char*> captions) {
        for (const char* caption : captions)
            list->Items()->Add()->SetCaption(QString::fromUtf8(caption));
    }
    std::unique_ptr<TForm> form;
    TListView* list = nullptr;
    int fetched = 0;
};

} // namespace

TEST_F(ListViewFixture, OwnerDataAsksOnlyForTheRowsShown) {
    list->AddColumn({QStringLiteral("名称"), 100, taLeftJustify, -1});
    list->SetViewStyle(vsReport);
    list->SetOwnerData(true);
    list->OnData = [&](TObject*, TListItem* item) {
        ++fetched;
        item->SetCaption(QStringLiteral("文件 %1").arg(item->Index()));
    };
    list->Items()->SetCount(10000);
    form->Show();
    Pump();
    EXPECT_GT(fetched, 0);
    EXPECT_LT(fetched, 100) << "only the visible rows are formatted";
    EXPECT_EQ(list->Items()->Item(5000)->Caption(), QStringLiteral("文件 5000"));
    EXPECT_EQ(list->Items()->Item(10000), nullptr);

    // Report rows scroll in whole rows; the range covers every item.
    const TScrollInfo info = list->ScrollInfo(sbVertical);
    EXPECT_EQ(info.Max, 9999);
    EXPECT_EQ(info.Page, list->CountPerPage());
    list->Scroll(0, 3 * list->ItemRect(0).Height());
    EXPECT_EQ(list->ScrollInfo(sbVertical).Pos, 3);

    // A new count forgets what was fetched.
    list->Items()->SetCount(2);
    EXPECT_EQ(list->Items()->Item(1)->Caption(), QStringLiteral("文件 1"));
}

TEST_F(ListViewFixture, SortingKeepsTheFocusedItemAndSelectionIsReported) {
    AddItems({"cherry", "Apple", "banana"});
    std::vector<std::pair<QString, bool>> reported;
    list->OnSelectItem = [&](TObject*, TListItem* item, bool selected) {
        reported.emplace_back(item->Caption(), selected);
    };
    list->SetItemIndex(0);
    list->AlphaSort();
    EXPECT_EQ(list->Items()->Item(0)->Caption(), "Apple");
    EXPECT_EQ(list->Items()->Item(2)->Caption(), "cherry");
    EXPECT_EQ(list->ItemIndex(), 2) << "the focused item moved with the sort";
    EXPECT_EQ(list->Selected()->Caption(), "cherry");
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.front(), std::make_pair(QStringLiteral("cherry"), true));

    list->CustomSort([](const TListItem& a, const TListItem& b) {
        return b.Caption().compare(a.Caption(), Qt::CaseInsensitive);
    });
    EXPECT_EQ(list->Items()->Item(0)->Caption(), "cherry");

    list->SetMultiSelect(true);
    list->SetSelected(1, true);
    list->SetSelected(2, true);
    EXPECT_EQ(list->SelCount(), 3);
    list->ClearSelection();
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_EQ(list->Selected(), nullptr);
}

TEST_F(ListViewFixture, EveryViewStyleShowsTheSameItems) {
    AddItems({"a", "b", "c"});
    list->AddColumn({QStringLiteral("名称"), 120, taLeftJustify, -1});
    list->AddColumn({QStringLiteral("大小"), 60, taRightJustify, -1});
    list->Items()->Item(1)->SetSubItems({QStringLiteral("42")});
    form->Show();
    list->SetItemIndex(1);
    for (TViewStyle style : {vsList, vsSmallIcon, vsIcon, vsReport}) {
        list->SetViewStyle(style);
        Pump();
        EXPECT_EQ(list->ItemIndex(), 1) << style;
        EXPECT_FALSE(list->ItemRect(1).IsEmpty()) << style;
        EXPECT_EQ(list->ReportView()->isVisible(), style == vsReport);
        EXPECT_EQ(list->IconView()->isVisible(), style != vsReport);
    }
    const QModelIndex size = list->ReportView()->model()->index(1, 1);
    EXPECT_EQ(size.data().toString(), "42");
    EXPECT_EQ(list->ColumnWidth(1), 60);
    int clicked = -1;
    list->OnColumnClick = [&](TObject*, int column) { clicked = column; };
    emit list->Header()->sectionClicked(1);
    EXPECT_EQ(clicked, 1);
}

TEST_F(ListViewFixture, ALabelEditEndsThroughOnEdited) {
    AddItems({"old"});
    list->SetViewStyle(vsReport);
    list->AddColumn({QStringLiteral("名称"), 120, taLeftJustify, -1});
    list->OnEdited = [](TObject*, TListItem*, QString& text) { text = text.toUpper(); };
    form->Show();
    Pump();
    list->EditCaption(0);
    auto* editor = list->ReportView()->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(list->IsEditing() || !editor->hasFocus());
    editor->setText(QStringLiteral("new"));
    SendKey(editor, Qt::Key_Return);
    Pump();
    EXPECT_EQ(list->Items()->Item(0)->Caption(), "NEW");

    list->SetReadOnly(true);
    list->EditCaption(0);
    Pump();
    EXPECT_FALSE(list->IsEditing());
}

TEST(TreeView, NodesFillWhenExpandedAndARefusalKeepsThemShut) {
    auto form = std::make_unique<TForm>();
    auto* tree = new TTreeView(form.get());
    TTreeNode* root = tree->Items()->AddChild(nullptr, QStringLiteral("根"));
    root->SetHasChildren(true);
    EXPECT_TRUE(root->HasChildren());
    EXPECT_EQ(root->Count(), 0);
    bool refuse = true;
    int fills = 0;
    tree->OnExpanding = [&](TObject*, TTreeNode* node, bool& allow) {
        allow = !refuse;
        if (allow && node->Count() == 0) {
            ++fills;
            tree->Items()->AddChild(node, QStringLiteral("子 1"));
            tree->Items()->AddChild(node, QStringLiteral("子 2"))->SetHasChildren(true);
        }
    };
    root->Expand();
    EXPECT_FALSE(root->Expanded());
    EXPECT_EQ(fills, 0);

    refuse = false;
    root->Expand();
    EXPECT_TRUE(root->Expanded());
    ASSERT_EQ(root->Count(), 2);
    EXPECT_EQ(root->Item(1)->Level(), 1);
    EXPECT_EQ(root->Item(1)->Parent(), root);
    EXPECT_EQ(root->Item(0)->GetNextSibling(), root->Item(1));
    root->Collapse();
    root->Expand();
    EXPECT_EQ(fills, 1) << "children are filled once";

    TTreeNode* changed = nullptr;
    tree->OnChange = [&](TObject*, TTreeNode* node) { changed = node; };
    tree->SetSelected(root->Item(1));
    EXPECT_EQ(changed, root->Item(1));
    EXPECT_EQ(tree->Selected(), root->Item(1));
    EXPECT_EQ(tree->Items()->Count(), 3);
    EXPECT_EQ(tree->ShownNodeCount(), 3);
    root->Collapse();
    EXPECT_EQ(tree->ShownNodeCount(), 1);

    root->DeleteChildren();
    EXPECT_EQ(root->Count(), 0);
    tree->Items()->Clear();
    EXPECT_EQ(tree->Items()->Count(), 0);
    EXPECT_EQ(tree->Selected(), nullptr);
}

TEST(TreeView, NodeDataIsFreedWithTheNode) {
    struct Counted : TItemData {
        explicit Counted(int& count) : Count(count) { ++Count; }
        ~Counted() override { --Count; }
        int& Count;
    };
    int alive = 0;
    {
        auto form = std::make_unique<TForm>();
        auto* tree = new TTreeView(form.get());
        TTreeNode* a = tree->Items()->AddChild(nullptr, "a");
        a->SetData(std::make_unique<Counted>(alive));
        tree->Items()->AddChild(a, "b")->SetData(std::make_unique<Counted>(alive));
        EXPECT_EQ(alive, 2);
        a->DeleteChildren();
        EXPECT_EQ(alive, 1);
    }
    EXPECT_EQ(alive, 0);
}
