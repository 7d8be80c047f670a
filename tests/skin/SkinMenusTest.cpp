// The menu engine and its popup windows: placement, preselection and keys, submenus and
// their delay, closing and its messages, scrolling, the plain and skinned looks, and
// menus whose items, form or skin go missing.

#include "SkinFixture.h"

#include "skin/bsSkinMenus.h"
#include "skinctrls/bsSkinCtrls.h"

#include "framework/Canvas.h"
#include "framework/Forms.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <gtest/gtest.h>
#include <memory>

namespace {

void Wait(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// Runs the deferred deletions of closed windows.
void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// A widget that counts the skin messages it hears.
class TListener : public QWidget {
public:
    int Closed = 0;
    int CommandDone = 0;

protected:
    bool event(QEvent* e) override {
        if (e->type() == SkinMenuClosed)
            ++Closed;
        if (e->type() == SkinMenuCommandDone)
            ++CommandDone;
        return QWidget::event(e);
    }
};

TMenuItem* AddItem(TMenuItem* parent, const QString& caption, int* clicks = nullptr) {
    auto* item = new TMenuItem(parent);
    item->SetCaption(caption);
    if (clicks)
        item->OnClick = [clicks](TObject*) { ++*clicks; };
    parent->Add(item);
    return item;
}

// A form with an engine and a popup menu:
//   0 "&Open"  1 "-"  2 "&Paste" (disabled)  3 "&Recent" > ("&One", "&Two")  4 "&Close"
struct TMenuSetup {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>();
    TbsSkinMenu* Engine = new TbsSkinMenu(Form.get());
    TbsSkinPopupMenu* Menu = new TbsSkinPopupMenu(Form.get());
    TListener Opener;
    int OpenClicks = 0, CloseClicks = 0, OneClicks = 0;
    TMenuItem* Recent = nullptr;

    TMenuSetup() {
        TMenuItem* root = Menu->Items();
        AddItem(root, "&Open", &OpenClicks)->SetShortCut(ShortCut(Qt::Key_O, scCtrl));
        AddItem(root, "-");
        AddItem(root, "&Paste")->SetEnabled(false);
        Recent = AddItem(root, "&Recent");
        AddItem(Recent, "&One", &OneClicks);
        AddItem(Recent, "&Two");
        AddItem(root, "&Close", &CloseClicks);
        Form->SetBounds(100, 100, 300, 200);
    }
    void Open(TbsSkinData* skin = nullptr, TPoint at = TPoint(200, 150)) {
        Engine->PopupItems(&Opener, skin, false, Menu->Items(), TRect(at.X, at.Y, at.X, at.Y));
    }
    TbsSkinPopupWindow* Level(int i) const { return Engine->Levels(i); }
};

// ---------------------------------------------------------------- geometry

TEST(PopupFitting, PlacementKeepsWindowsInsideTheWorkArea) {
    const TRect work(0, 0, 800, 600);
    // A point popup near the bottom-right corner opens above and left of the point.
    TbsPopupOpening point;
    point.Anchor = TRect(790, 590, 790, 590);
    TPoint p = PlacePopupWindow(point, work, 120, 100, 2);
    EXPECT_EQ(p.Y, 490);
    EXPECT_EQ(p.X, 680);
    // With room the window opens right below the point.
    point.Anchor = TRect(50, 60, 50, 60);
    p = PlacePopupWindow(point, work, 120, 100, 2);
    EXPECT_EQ(p.X, 50);
    EXPECT_EQ(p.Y, 60);
    // A submenu lines its first item up with the parent item, and flips left when the
    // right side has no room.
    TbsPopupOpening sub;
    sub.Submenu = true;
    sub.Anchor = TRect(100, 200, 220, 220);
    p = PlacePopupWindow(sub, work, 120, 100, 3);
    EXPECT_EQ(p.X, 221);
    EXPECT_EQ(p.Y, 197);
    sub.Anchor = TRect(600, 200, 720, 220);
    p = PlacePopupWindow(sub, work, 120, 100, 3);
    EXPECT_EQ(p.X, 600 - 120 - 1);
    // Opening upward from a bar at the bottom goes above it.
    TbsPopupOpening up;
    up.Upward = true;
    up.Anchor = TRect(10, 570, 60, 590);
    EXPECT_EQ(PlacePopupWindow(up, work, 120, 100, 2).Y, 470);
    // A scrolling window starts at the top.
    TbsPopupOpening scroll;
    scroll.Scrolling = true;
    scroll.Anchor = TRect(100, 300, 100, 300);
    EXPECT_EQ(PlacePopupWindow(scroll, work, 120, 600, 2).Y, 0);
}

TEST(PopupFitting, LayoutOfAScrolledViewLeavesRoomForTheStrips) {
    const std::vector<int> heights(60, 20);
    const TRect items(2, 2, 98, 598);
    const TbsPopupLayout top = LayOutPopupItems(heights, items, true, 0);
    EXPECT_EQ(top.Bounds[0], TRect(2, 12, 98, 32));
    EXPECT_EQ(top.ShownCount, 28); // (596 - 20) / 20
    EXPECT_FALSE(top.Shown[28]);
    const TbsPopupLayout later = LayOutPopupItems(heights, items, true, 5);
    EXPECT_FALSE(later.Shown[4]);
    EXPECT_TRUE(later.Shown[5]);
    EXPECT_EQ(PopupLastScreenfulStart(heights, items), 32);
    // Plain window size: items plus glyph column and margins, 4 pixels of frame.
    TbsPopupLook plain;
    const TSize size = PopupWindowSize(plain, {{50, false}, {10, true}}, 19);
    EXPECT_EQ(size.cx, 52 + 19 + 19 + 10);
    EXPECT_EQ(size.cy, 20 + 4 + 4);
}

// ---------------------------------------------------------------- behaviour

TEST(SkinMenu, OpensWithTheFirstUsableItemAndKeysSkipSeparatorsAndDisabledItems) {
    TMenuSetup s;
    s.Open();
    ASSERT_EQ(s.Engine->LevelCount(), 1);
    TbsSkinPopupWindow* w = s.Level(0);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->HotIndex(), 0);
    EXPECT_TRUE(w->Items(0)->Hot);
    EXPECT_TRUE(w->Items(0)->Preselected);
    EXPECT_FALSE(w->isActiveWindow());
    s.Engine->MenuKeyDown(w, Qt::Key_Down); // skips "-" and the disabled "Paste"
    EXPECT_EQ(w->HotIndex(), 3);
    EXPECT_FALSE(w->Items(0)->Hot);
    s.Engine->MenuKeyDown(w, Qt::Key_Down);
    EXPECT_EQ(w->HotIndex(), 4);
    s.Engine->MenuKeyDown(w, Qt::Key_Down); // wraps to the top
    EXPECT_EQ(w->HotIndex(), 0);
    s.Engine->MenuKeyDown(w, Qt::Key_Up); // and back to the end
    EXPECT_EQ(w->HotIndex(), 4);
    s.Engine->MenuKeyDown(w, Qt::Key_Up);
    EXPECT_EQ(w->HotIndex(), 3);
    // Keyboard activation of an item with children opens nothing; Right does.
    EXPECT_EQ(s.Engine->LevelCount(), 1);
    s.Engine->MenuKeyDown(w, Qt::Key_Right);
    ASSERT_EQ(s.Engine->LevelCount(), 2);
    EXPECT_TRUE(w->Items(3)->Expanded);
    EXPECT_EQ(s.Level(1)->HotIndex(), 0);
}

TEST(SkinMenu, EscapeClosesOneLevelAndTheLastEscapeTellsTheOpener) {
    TMenuSetup s;
    s.Open();
    s.Engine->MenuKeyDown(s.Level(0), Qt::Key_R); // the accelerator opens "Recent"
    ASSERT_EQ(s.Engine->LevelCount(), 2);
    s.Engine->MenuKeyDown(s.Level(1), Qt::Key_Escape);
    EXPECT_EQ(s.Engine->LevelCount(), 1);
    EXPECT_FALSE(s.Level(0)->Items(3)->Expanded);
    EXPECT_EQ(s.Opener.Closed, 0);
    s.Engine->MenuKeyDown(s.Level(0), Qt::Key_Left); // one window: Left does nothing
    EXPECT_EQ(s.Engine->LevelCount(), 1);
    s.Engine->MenuKeyDown(s.Level(0), Qt::Key_Escape);
    EXPECT_EQ(s.Engine->LevelCount(), 0);
    EXPECT_FALSE(s.Engine->EngineActive());
    EXPECT_EQ(s.Opener.Closed, 1);
    EXPECT_EQ(s.OpenClicks + s.CloseClicks, 0);
}

TEST(SkinMenu, AChosenCommandClosesEveryWindowRunsOnceAndTellsTheReceiver) {
    TMenuSetup s;
    s.Open();
    s.Engine->MenuKeyDown(s.Level(0), Qt::Key_R);
    s.Engine->MenuKeyDown(s.Level(1), Qt::Key_Return); // "One" is preselected
    EXPECT_EQ(s.OneClicks, 1);
    EXPECT_EQ(s.Engine->LevelCount(), 0);
    EXPECT_EQ(s.Opener.Closed, 1);
    EXPECT_EQ(s.Opener.CommandDone, 1); // the opener became the command receiver
    Settle();
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<TbsSkinPopupWindow*>(w)) << "a popup window outlived its menu";
    // A click on a command through the mouse.
    s.Open();
    TbsSkinPopupWindow* w = s.Level(0);
    const TRect close = w->Items(4)->Bounds;
    w->ReleaseAt(TPoint(close.Left + 5, close.Top + 5));
    EXPECT_EQ(s.CloseClicks, 1);
    EXPECT_EQ(s.Engine->LevelCount(), 0);
    // The disabled item and the separator run nothing and keep the menu open.
    s.Open();
    w = s.Level(0);
    w->ReleaseAt(TPoint(w->Items(2)->Bounds.Left + 5, w->Items(2)->Bounds.Top + 5));
    w->ReleaseAt(TPoint(w->Items(1)->Bounds.Left + 5, w->Items(1)->Bounds.Top + 1));
    EXPECT_EQ(s.Engine->LevelCount(), 1);
    s.Engine->CloseMenus();
}

TEST(SkinMenu, HoveringASubmenuItemOpensItAfterTheDelayUnlessTheMouseMovesOn) {
    TMenuSetup s;
    s.Open();
    TbsSkinPopupWindow* w = s.Level(0);
    auto centre = [&](int i) {
        const TRect r = w->Items(i)->Bounds;
        return TPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    };
    w->HoverAt(centre(3));
    EXPECT_TRUE(s.Engine->SubmenuTimer().isActive());
    EXPECT_EQ(s.Engine->SubmenuTimer().interval(), 500);
    EXPECT_EQ(s.Engine->PendingItem(), s.Recent);
    w->HoverAt(centre(4)); // moving on cancels it
    EXPECT_FALSE(s.Engine->SubmenuTimer().isActive());
    Wait(600);
    EXPECT_EQ(s.Engine->LevelCount(), 1);
    w->HoverAt(centre(3));
    Wait(650);
    ASSERT_EQ(s.Engine->LevelCount(), 2);
    EXPECT_TRUE(w->Items(3)->Expanded);
    // The submenu's first item lines up with its parent item.
    EXPECT_EQ(s.Level(1)->ScreenPos().Y + s.Level(1)->FittedItemsRect().Top,
              w->ItemScreenRect(3).Top);
    // Hovering another item of the parent closes the submenu.
    w->HoverAt(centre(0));
    EXPECT_EQ(s.Engine->LevelCount(), 1);
    // A click opens the submenu at once.
    w->ReleaseAt(centre(3));
    EXPECT_EQ(s.Engine->LevelCount(), 2);
    s.Engine->CloseMenus();
}

TEST(SkinMenu, PressesOutsideAndTheHostFormMovingCloseWithoutRunningAnything) {
    TMenuSetup s;
    s.Form->Show();
    s.Open();
    s.Engine->MenuKeyDown(s.Level(0), Qt::Key_R);
    ASSERT_EQ(s.Engine->LevelCount(), 2);
    // A press inside a popup window keeps the menu.
    QMouseEvent inside(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(s.Level(1), &inside);
    EXPECT_EQ(s.Engine->LevelCount(), 2);
    QMouseEvent outside(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(s.Form->ClientArea(), &outside);
    EXPECT_EQ(s.Engine->LevelCount(), 0);
    EXPECT_EQ(s.Opener.Closed, 1);
    s.Open();
    s.Form->move(s.Form->x() + 30, s.Form->y());
    QMoveEvent move(QPoint(130, 100), QPoint(100, 100));
    QCoreApplication::sendEvent(s.Form.get(), &move);
    EXPECT_EQ(s.Engine->LevelCount(), 0);
    EXPECT_EQ(s.OpenClicks + s.OneClicks + s.CloseClicks, 0);
}

TEST(SkinMenu, KeysPressedAnywhereWhileOpenDriveTheMenuAndNothingElse) {
    TMenuSetup s;
    s.Form->Show();
    int formKeys = 0;
    s.Form->OnShortCut = [&](int, bool&) { ++formKeys; };
    s.Open();
    auto press = [&](int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(s.Form->ClientArea(), &event);
    };
    press(Qt::Key_Down);
    EXPECT_EQ(s.Level(0)->HotIndex(), 3);
    press(Qt::Key_C); // the accelerator of "Close"
    EXPECT_EQ(s.CloseClicks, 1);
    EXPECT_EQ(s.Engine->LevelCount(), 0);
    EXPECT_EQ(formKeys, 0);
    press(Qt::Key_Down); // the menu is shut: keys reach the form again
    EXPECT_EQ(s.CloseClicks, 1);
}

TEST(SkinMenu, ATallMenuOpensAtTheTopAndScrollsOneItemPerTick) {
    TMenuSetup s;
    s.Menu->Items()->Clear();
    for (int i = 0; i < 60; ++i)
        AddItem(s.Menu->Items(), QStringLiteral("Item %1").arg(i));
    s.Open(nullptr, TPoint(300, 300));
    TbsSkinPopupWindow* w = s.Level(0);
    const TRect work = s.Engine->WorkArea();
    ASSERT_LT(work.Height(), 60 * 20);
    EXPECT_TRUE(w->Scrolling());
    EXPECT_EQ(w->height(), work.Height());
    EXPECT_EQ(w->ScreenPos().Y, work.Top);
    // 2 pixels of frame and a 10-pixel strip at either end, 20 pixels an item.
    const int shown = (work.Height() - 4 - 20) / 20;
    EXPECT_EQ(w->ShownCount(), shown);
    // Resting on the lower strip scrolls; each 100 ms tick moves one item.
    const TRect items = w->FittedItemsRect();
    w->HoverAt(TPoint(20, items.Bottom - 3));
    EXPECT_EQ(w->ScrollState(), TbsScrollState::Down);
    EXPECT_TRUE(w->ScrollTimer().isActive());
    EXPECT_EQ(w->ScrollTimer().interval(), 100);
    w->ScrollTick();
    EXPECT_EQ(w->FirstVisible(), 1);
    while (w->ScrollState() == TbsScrollState::Down)
        w->ScrollTick();
    EXPECT_EQ(w->FirstVisible(), 60 - shown);
    EXPECT_TRUE(w->Items(59)->Shown);
    EXPECT_FALSE(w->ScrollTimer().isActive());
    // Leaving the strips stops scrolling; the upper strip scrolls back.
    w->HoverAt(TPoint(20, items.Top + 3));
    EXPECT_EQ(w->ScrollState(), TbsScrollState::Up);
    w->HoverAt(TPoint(20, 300));
    EXPECT_EQ(w->ScrollState(), TbsScrollState::None);
    // Down on the last item wraps the view back to the top.
    w->SetHot(59, false);
    s.Engine->MenuKeyDown(w, Qt::Key_Down);
    EXPECT_EQ(w->HotIndex(), 0);
    EXPECT_EQ(w->FirstVisible(), 0);
    s.Engine->MenuKeyDown(w, Qt::Key_Up);
    EXPECT_EQ(w->HotIndex(), 59);
    EXPECT_TRUE(w->Items(59)->Shown);
    s.Engine->CloseMenus();
}

TEST(SkinMenu, EmptyRootsAndStartIndicesPastTheEndOpenNothingButHiddenChildrenOpenAWindow) {
    TMenuSetup s;
    TMenuItem empty;
    s.Engine->PopupItems(nullptr, nullptr, false, &empty, TRect(10, 10, 10, 10));
    EXPECT_FALSE(s.Engine->EngineActive());
    s.Engine->PopupItems(nullptr, nullptr, false, s.Menu->Items(), TRect(10, 10, 10, 10), 5);
    EXPECT_FALSE(s.Engine->EngineActive());
    for (int i = 0; i < s.Menu->Items()->Count(); ++i)
        s.Menu->Items()->Items(i)->SetVisible(false);
    s.Open();
    ASSERT_EQ(s.Engine->LevelCount(), 1);
    EXPECT_EQ(s.Level(0)->ItemCount(), 0);
    EXPECT_EQ(s.Level(0)->HotIndex(), -1);
    s.Engine->MenuKeyDown(s.Level(0), Qt::Key_Down);
    s.Engine->MenuKeyDown(s.Level(0), Qt::Key_Return);
    s.Engine->CloseMenus();
}

TEST(SkinMenu, ItemsAndFormsDestroyedWhileTheMenuIsOpenBreakNothing) {
    auto s = std::make_unique<TMenuSetup>();
    s->Open();
    s->Engine->MenuKeyDown(s->Level(0), Qt::Key_R);
    TbsSkinPopupWindow* w = s->Level(0);
    delete s->Recent; // the open submenu's parent item and its children go
    s->Recent = nullptr;
    (void)w->Snapshot();
    s->Engine->MenuKeyDown(s->Engine->Innermost(), Qt::Key_Down);
    s->Engine->MenuKeyDown(s->Engine->Innermost(), Qt::Key_Return);
    s->Engine->SubmenuTimerFired();
    w->HoverAt(TPoint(10, 10));
    s->Form.reset(); // the engine and the menu die with their form
    Settle();
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<TbsSkinPopupWindow*>(top) && top->isVisible());
}

// ---------------------------------------------------------------- the popup-menu component

TEST(SkinPopupMenu, OpensThroughItsFormsEngineOnlyWhenTheFormHasOne) {
    TMenuSetup s;
    s.Menu->Popup(100, 100);
    EXPECT_FALSE(s.Engine->EngineActive()) << "no lookup: a form without a frame opens nothing";
    int opened = 0;
    QWidget* asked = nullptr;
    SetSkinMenuFormLookup([&](QWidget* form) {
        asked = form;
        TbsSkinMenuFormLink link;
        link.Engine = s.Engine;
        link.MenuOpened = [&] { ++opened; };
        return link;
    });
    s.Menu->Popup(100, 100);
    EXPECT_EQ(asked, s.Form.get());
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(s.Engine->EngineActive());
    EXPECT_EQ(s.Level(0)->ScreenPos(), TPoint(100, 100));
    s.Menu->PopupFromEdit(&s.Opener, 50, 50); // no skin known: the edit's menu stays shut
    EXPECT_EQ(s.Engine->LevelCount(), 1);
    EXPECT_EQ(s.Level(0)->ScreenPos(), TPoint(100, 100));
    s.Engine->CloseMenus();
    // A menu owned by a control deep inside the form finds the same form.
    auto* outer = new TCustomControl(s.Form.get());
    outer->SetParent(s.Form.get());
    auto* inner = new TCustomControl(outer);
    inner->SetParent(outer);
    auto* controlMenu = new TbsSkinPopupMenu(inner);
    controlMenu->Items()->Add(new TMenuItem(controlMenu));
    controlMenu->Items()->Items(0)->SetCaption(QStringLiteral("复制"));
    asked = nullptr;
    controlMenu->Popup(60, 60);
    EXPECT_EQ(asked, s.Form.get());
    SetSkinMenuFormLookup({});
    s.Engine->CloseMenus();
    s.Menu->PopupThrough(*s.Engine, 40, 40);
    EXPECT_TRUE(s.Engine->EngineActive());
    s.Engine->CloseMenus();
}

// ---------------------------------------------------------------- looks

// A skin with a popup window and a menu-item record:
//   a0.bmp 10 x 10 frame (items inside 2..8), a2.bmp 40 x 44 items: normal row 0..20,
//   active row 20..40, divider 40..44.
TSkinFixture MenuSkin() {
    TSkinFixture f = TSkinFixture::Basic(QStringLiteral("menus"));
    f.AddPicture(QStringLiteral("a2.bmp"), 40, 44, 4);
    f.Set("PICTURES", "activepicturescount", "3")
        .Set("PICTURES", "2", "a2.bmp")
        .Set("POPUPWINDOW", "lefttoppoint", "2,2")
        .Set("POPUPWINDOW", "righttoppoint", "8,2")
        .Set("POPUPWINDOW", "leftbottompoint", "2,8")
        .Set("POPUPWINDOW", "rightbottompoint", "8,8")
        .Set("SKINOBJECTS", "count", "3")
        .Set("SKINOBJECTS", "2", "menuitem:menuitem")
        .Set("menuitem", "activepictureindex", "2")
        .Set("menuitem", "skinrect", "0,0,40,20")
        .Set("menuitem", "activeskinrect", "0,20,40,40")
        .Set("menuitem", "dividerrect", "0,40,40,44")
        .Set("menuitem", "textrect", "4,0,36,20")
        .Set("menuitem", "itemleftoffset", "4")
        .Set("menuitem", "itemrightoffset", "4");
    return f;
}

TEST(SkinMenuLook, PlainItemsUseTheDefaultColours) {
    TMenuSetup s;
    s.Open();
    TbsSkinPopupWindow* w = s.Level(0);
    EXPECT_FALSE(w->IsSkinned());
    const TBitmap shot = w->Snapshot();
    // The hot item: a navy frame around the hot fill.
    const TRect hot = w->Items(0)->Bounds;
    EXPECT_EQ(shot.Pixel(hot.Left, hot.Top + 5), bsDefaultColors::Frame);
    EXPECT_EQ(shot.Pixel(hot.Left + 3, hot.Top + 1), bsDefaultColors::HotFill);
    // A normal item: the button-face glyph column, window colour right of it.
    const TRect normal = w->Items(4)->Bounds;
    EXPECT_EQ(ColorToRGB(shot.Pixel(normal.Left + 1, normal.Top + 1)), ColorToRGB(clBtnFace));
    EXPECT_EQ(ColorToRGB(shot.Pixel(normal.Right - 2, normal.Top + 1)), ColorToRGB(clWindow));
    // The separator: a button-shadow line from the glyph column on, at its middle row.
    const TRect line = w->Items(1)->Bounds;
    EXPECT_EQ(line.Height(), 4);
    EXPECT_EQ(ColorToRGB(shot.Pixel(line.Left + 19, line.Top + 2)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ColorToRGB(shot.Pixel(line.Left + 18, line.Top + 2)), ColorToRGB(clBtnFace));
    // The window frame: button shadow outside, window colour inside.
    EXPECT_EQ(ColorToRGB(shot.Pixel(w->width() - 1, 10)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(ColorToRGB(shot.Pixel(w->width() - 2, 10)), ColorToRGB(clWindow));
    s.Engine->CloseMenus();
}

TEST(SkinMenuLook, SkinnedItemsComeFromTheMenuItemPicture) {
    TSkinFixture f = MenuSkin();
    TbsSkinData skin;
    skin.LoadSkinFile(f.Write());
    ASSERT_FALSE(skin.SkinEmpty);
    TMenuSetup s;
    s.Open(&skin);
    TbsSkinPopupWindow* w = s.Level(0);
    ASSERT_TRUE(w->IsSkinned());
    ASSERT_TRUE(w->HasItemRecord());
    EXPECT_EQ(w->Items(0)->Bounds.Height(), 20);
    EXPECT_EQ(w->Items(1)->Bounds.Height(), 4);
    EXPECT_EQ(w->FittedItemsRect().Left, 2);
    const TBitmap items = FixturePicture(40, 44, 4);
    const TBitmap shot = w->Snapshot();
    // Left ends are kept: the hot item shows the active row, the others the normal one.
    const TRect hot = w->Items(0)->Bounds, normal = w->Items(4)->Bounds;
    EXPECT_EQ(shot.Pixel(hot.Left + 1, hot.Top + 1), items.Pixel(1, 21));
    EXPECT_EQ(shot.Pixel(normal.Left + 1, normal.Top + 1), items.Pixel(1, 1));
    EXPECT_EQ(shot.Pixel(w->Items(1)->Bounds.Left + 1, w->Items(1)->Bounds.Top + 1),
              items.Pixel(1, 41));
    s.Engine->CloseMenus();
}

TEST(SkinMenuLook, MissingPicturesAndRecordsFallBackToThePlainLook) {
    { // No popup-window picture: the whole plain look.
        TSkinFixture f = MenuSkin();
        f.Set("POPUPWINDOW", "windowpictureindex", "-1");
        TbsSkinData skin;
        skin.LoadSkinFile(f.Write());
        TMenuSetup s;
        s.Open(&skin);
        EXPECT_FALSE(s.Level(0)->IsSkinned());
        EXPECT_FALSE(s.Level(0)->HasItemRecord());
        EXPECT_EQ(s.Level(0)->Items(0)->Bounds.Height(), 20);
        s.Engine->CloseMenus();
    }
    for (const char* itemPicture : {"", "7"}) {
        // No menu-item record, or one naming no picture: plain items in the skinned frame.
        TSkinFixture f = MenuSkin();
        if (*itemPicture)
            f.Set("menuitem", "activepictureindex", itemPicture);
        else
            f.Set("SKINOBJECTS", "count", "2");
        TbsSkinData skin;
        skin.LoadSkinFile(f.Write());
        TMenuSetup s;
        s.Engine->DefMenuItemHeight = 22;
        s.Open(&skin);
        TbsSkinPopupWindow* w = s.Level(0);
        EXPECT_TRUE(w->IsSkinned());
        EXPECT_FALSE(w->HasItemRecord());
        EXPECT_EQ(w->Items(0)->Bounds.Height(), 22);
        EXPECT_EQ(w->Snapshot().Pixel(w->Items(0)->Bounds.Left, w->Items(0)->Bounds.Top + 5),
                  bsDefaultColors::Frame);
        s.Engine->CloseMenus();
    }
}

TEST(SkinMenuLook, MorphingItemsStepTowardTheirLookEveryTick) {
    TSkinFixture f = MenuSkin();
    f.Set("menuitem", "morphing", "1");
    TbsSkinData skin;
    skin.LoadSkinFile(f.Write());
    TMenuSetup s;
    s.Open(&skin);
    TbsSkinPopupWindow* w = s.Level(0);
    EXPECT_TRUE(w->AnimationTimer().isActive());
    EXPECT_EQ(w->AnimationTimer().interval(), 20);
    w->MorphTick();
    EXPECT_NEAR(w->Items(0)->MorphProgress, 0.1, 1e-9);
    const TBitmap half = w->ItemSnapshot(0);
    const TBitmap items = FixturePicture(40, 44, 4);
    EXPECT_NE(half.Pixel(1, 1), items.Pixel(1, 21)) << "a morphing item blends its two looks";
    for (int i = 0; i < 12; ++i)
        w->MorphTick();
    EXPECT_DOUBLE_EQ(w->Items(0)->MorphProgress, 1.0);
    EXPECT_FALSE(w->AnimationTimer().isActive());
    EXPECT_EQ(w->ItemSnapshot(0).Pixel(1, 1), items.Pixel(1, 21));
    s.Engine->MenuKeyDown(w, Qt::Key_Down); // item 0 turns off and morphs back
    EXPECT_TRUE(w->AnimationTimer().isActive());
    for (int i = 0; i < 12; ++i)
        w->MorphTick();
    EXPECT_DOUBLE_EQ(w->Items(0)->MorphProgress, 0.0);
    s.Engine->CloseMenus();
}

} // namespace
