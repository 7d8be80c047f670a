// Actions and the menu items linked to them.

#include "framework/ActnList.h"

#include "framework/Menus.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>
#include <memory>

TEST(Action, ExecutesOnlyWhenEnabledAndReportsEveryChange) {
    TAction action;
    int runs = 0, changes = 0;
    QObject::connect(&action, &TAction::Changed, [&] { ++changes; });
    EXPECT_FALSE(action.Execute()); // no handler
    action.OnExecute = [&](TObject* sender) {
        EXPECT_EQ(sender, &action);
        ++runs;
    };
    EXPECT_TRUE(action.Execute());
    action.SetEnabled(false);
    EXPECT_FALSE(action.Execute());
    EXPECT_EQ(runs, 1);

    action.SetCaption("&Save");
    action.SetCaption("&Save"); // unchanged: no report
    action.SetHint("Saves");
    action.SetChecked(true);
    action.SetVisible(false);
    action.SetImageIndex(2);
    EXPECT_EQ(changes, 6);
}

TEST(Action, BelongsToTheListThatOwnsItAndHasAnImageOnlyInsideItsImageList) {
    TActionList list;
    TImageList images;
    images.AddImage(QImage(32, 16, QImage::Format_ARGB32)); // two images
    auto* action = new TAction(&list);
    EXPECT_EQ(list.ActionCount(), 1);
    action->SetImageIndex(1);
    EXPECT_FALSE(action->HasImage()); // no image list yet
    list.SetImages(&images);
    EXPECT_TRUE(action->HasImage());
    action->SetImageIndex(2);
    EXPECT_FALSE(action->HasImage());
    delete action;
    EXPECT_EQ(list.ActionCount(), 0);
}

TEST(MenuItemAction, TheItemShowsTheActionAndRunsItWithoutAClickHandler) {
    TAction action;
    action.SetCaption("&Open");
    action.SetHint("Opens a file");
    action.SetImageIndex(3);
    action.SetChecked(true);
    int runs = 0, updates = 0;
    action.OnExecute = [&](TObject*) { ++runs; };
    action.OnUpdate = [&](TObject*) { ++updates; };

    TMenuItem item;
    item.SetAction(&action);
    EXPECT_EQ(item.Caption(), "&Open");
    EXPECT_EQ(item.Hint(), "Opens a file");
    EXPECT_EQ(item.ImageIndex(), 3);
    EXPECT_TRUE(item.Checked());
    action.SetEnabled(false);
    EXPECT_FALSE(item.Enabled());
    action.SetEnabled(true);

    item.Click();
    EXPECT_EQ(runs, 1);
    int own = 0;
    item.OnClick = [&](TObject*) { ++own; };
    item.Click(); // its own handler wins
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(own, 1);

    item.InitiateAction();
    EXPECT_EQ(updates, 1);
}

TEST(MenuItemAction, AnUpdateBeforeThePopupMayHideTheItem) {
    TPopupMenu menu;
    TAction action;
    action.SetCaption("Paste");
    action.OnUpdate = [&](TObject*) { action.SetVisible(false); };
    auto* paste = new TMenuItem(&menu);
    paste->SetAction(&action);
    menu.Items()->Add(paste);
    auto* copy = new TMenuItem(&menu);
    copy->SetCaption("Copy");
    menu.Items()->Add(copy);

    QMenu qmenu;
    menu.BuildQMenu(qmenu, menu.Items());
    ASSERT_EQ(qmenu.actions().size(), 1);
    EXPECT_EQ(qmenu.actions()[0]->text(), "Copy");
}

TEST(MenuItemAction, ADestroyedActionLeavesTheItemAsItWas) {
    TMenuItem item;
    auto action = std::make_unique<TAction>();
    action->SetCaption("Go");
    item.SetAction(action.get());
    action.reset();
    EXPECT_EQ(item.Action(), nullptr);
    EXPECT_EQ(item.Caption(), "Go");
    item.Click(); // nothing to run, nothing breaks
}
