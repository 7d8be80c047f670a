// The tray icon: the tooltip cut, clicks against double clicks through the click timer,
// the menu on the icon, the animation frames, and hiding the main window into the tray.

#include "BoxesTestSupport.h"
#include "framework/ControlsTestSupport.h"
#include "skinforms/bsTrayIcon.h"

#include "platform/Gbk.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/ImgList.h"
#include "framework/Menus.h"

#include <QCursor>
#include <QSystemTrayIcon>
#include <gtest/gtest.h>

using namespace ControlsTest;
using M = TTrayMouseMessage;

namespace {

// Counts the events of a tray icon.
struct TEvents {
    explicit TEvents(TbsTrayIcon& icon) {
        icon.OnClick = [this](TObject*) { ++Clicks; };
        icon.OnDblClick = [this](TObject*) { ++DoubleClicks; };
        icon.OnMouseDown = [this](TObject*, TMouseButton b, TShiftState s, int, int) {
            ++Downs;
            LastButton = b;
            LastShift = s;
        };
    }
    int Clicks = 0, DoubleClicks = 0, Downs = 0;
    TMouseButton LastButton = mbMiddle;
    TShiftState LastShift;
};

// A popup menu that records where it was opened instead of showing itself.
class TRecordingMenu : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(int x, int y) override {
        ++Popups;
        At = QPoint(x, y);
    }
    int Popups = 0;
    QPoint At;
};

TMenuItem* AddItem(TMenu& menu, const QString& caption, int* clicks, bool isDefault = false) {
    auto* item = new TMenuItem(&menu);
    item->SetCaption(caption);
    item->SetDefault(isDefault);
    item->OnClick = [clicks](TObject*) { ++*clicks; };
    menu.Items()->Add(item);
    return item;
}

} // namespace

TEST(TrayIcon, TheTooltipIsTheHintCutTo127AnsiBytesOfWholeCharacters) {
    EXPECT_EQ(TrayTipText(QString(200, 'a'), true), QString(127, 'a'));
    // Two bytes a character: 63 fit, the 64th would need byte 128.
    QString chinese(100, QChar(u'托'));
    EXPECT_EQ(TrayTipText(chinese, true), QString(63, QChar(u'托')));
    EXPECT_EQ(TrayTipText("a" + chinese, true), "a" + QString(63, QChar(u'托')));
    EXPECT_EQ(Gbk::AnsiLength(TrayTipText("a" + chinese, true)), 127);
    EXPECT_EQ(TrayTipText(QStringLiteral("短提示"), true), QStringLiteral("短提示"));
    EXPECT_EQ(TrayTipText(QStringLiteral("短提示"), false), QString());

    TbsTrayIcon icon;
    icon.SetHint(QString(130, 'h'));
    EXPECT_EQ(icon.SystemTrayIcon()->toolTip(), QString(127, 'h'));
    icon.SetShowHint(false);
    EXPECT_EQ(icon.SystemTrayIcon()->toolTip(), QString());
}

TEST(TrayIcon, AClickIsReportedAfterTheDoubleClickTimeAndNeverWithinADoubleClick) {
    TbsTrayIcon icon;
    TEvents e(icon);
    // Press and release: the click waits for the click timer.
    icon.Notify(M::LeftDown);
    icon.Notify(M::LeftUp);
    EXPECT_EQ(e.Clicks, 0);
    EXPECT_TRUE(icon.ClickTimerRunning());
    icon.ClickTimerTick();
    EXPECT_EQ(e.Clicks, 1);
    EXPECT_FALSE(icon.ClickTimerRunning());
    EXPECT_EQ(e.LastButton, mbLeft);
    EXPECT_TRUE(e.LastShift.Contains(ssLeft));

    // A double click: once, and no click.
    icon.Notify(M::LeftDown);
    icon.Notify(M::LeftUp);
    icon.Notify(M::LeftDblClick);
    icon.Notify(M::LeftUp);
    icon.ClickTimerTick();
    EXPECT_EQ(e.DoubleClicks, 1);
    EXPECT_EQ(e.Clicks, 1);

    // Held longer than the double-click time: the click comes at the release.
    icon.Notify(M::LeftDown);
    icon.ClickTimerTick();
    EXPECT_EQ(e.Clicks, 1);
    icon.Notify(M::LeftUp);
    EXPECT_EQ(e.Clicks, 2);
    icon.ClickTimerTick();
    EXPECT_EQ(e.Clicks, 2);

    // The real timer runs the double-click time.
    icon.Notify(M::LeftDown);
    icon.Notify(M::LeftUp);
    EXPECT_TRUE(WaitFor([&] { return e.Clicks == 3; }, 3000));
}

TEST(TrayIcon, TheMenuOpensAtTheCursorForTheRightButtonOrTheLeftWhenAsked) {
    TbsTrayIcon icon;
    TRecordingMenu menu;
    icon.SetPopupMenu(&menu);
    icon.Notify(M::RightDown);
    icon.Notify(M::RightUp);
    EXPECT_EQ(menu.Popups, 1);
    EXPECT_EQ(menu.At, QCursor::pos());
    EXPECT_EQ(menu.PopupComponent(), &icon);
    icon.Notify(M::LeftDown);
    icon.Notify(M::LeftUp);
    EXPECT_EQ(menu.Popups, 1);

    icon.PopupByLeftButton = true;
    icon.Notify(M::LeftDown);
    EXPECT_EQ(menu.Popups, 2);

    menu.SetAutoPopup(false);
    icon.Notify(M::RightDown);
    EXPECT_EQ(menu.Popups, 2);

    // The menu going away clears the reference.
    menu.SetAutoPopup(true);
    {
        TRecordingMenu gone;
        icon.SetPopupMenu(&gone);
    }
    EXPECT_EQ(icon.PopupMenu(), nullptr);
    icon.Notify(M::RightDown);
}

TEST(TrayIcon, ADoubleClickRunsTheFirstDefaultItemOfTheMenu) {
    TbsTrayIcon icon;
    TRecordingMenu menu;
    int plain = 0, first = 0, second = 0;
    AddItem(menu, QStringLiteral("显示"), &plain);
    AddItem(menu, QStringLiteral("恢复"), &first, true);
    AddItem(menu, QStringLiteral("退出"), &second, true);
    icon.SetPopupMenu(&menu);
    icon.Notify(M::LeftDblClick);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second + plain, 0);
    // Not when the left button opens the menu, nor without automatic popup.
    icon.PopupByLeftButton = true;
    icon.Notify(M::LeftDblClick);
    icon.PopupByLeftButton = false;
    menu.SetAutoPopup(false);
    icon.Notify(M::LeftDblClick);
    EXPECT_EQ(first, 1);
}

TEST(TrayIcon, WhenDisabledTheIconIgnoresTheMouse) {
    TbsTrayIcon icon;
    TEvents e(icon);
    TRecordingMenu menu;
    icon.SetPopupMenu(&menu);
    icon.SetEnabled(false);
    for (M m : {M::LeftDown, M::LeftUp, M::LeftDblClick, M::RightDown, M::RightUp, M::MiddleDown})
        icon.Notify(m);
    icon.ClickTimerTick();
    EXPECT_EQ(e.Clicks + e.DoubleClicks + e.Downs, 0);
    EXPECT_EQ(menu.Popups, 0);
    EXPECT_FALSE(icon.ClickTimerRunning());
}

TEST(TrayIcon, IconFramesAreClampedAndAnimateRoundTheList) {
    TImageList frames;
    for (TColor colour : {clRed, clGreen, clBlue}) {
        TBitmap frame(16, 16);
        frame.Canvas().Brush.Color = colour;
        frame.Canvas().FillRect(TRect(0, 0, 16, 16));
        frames.Add(frame, nullptr);
    }
    TbsTrayIcon icon;
    icon.SetIconIndex(5);
    EXPECT_EQ(icon.IconIndex(), 0) << "without a list";
    icon.SetIconList(&frames);
    icon.SetIconIndex(7);
    EXPECT_EQ(icon.IconIndex(), 2);
    icon.SetIconIndex(-3);
    EXPECT_EQ(icon.IconIndex(), 0);

    std::vector<int> next;
    icon.OnCycle = [&](TObject*, int n) { next.push_back(n); };
    icon.SetIconIndex(1);
    icon.SetCycleIcons(true);
    EXPECT_EQ(icon.IconIndex(), 0) << "switching the animation on starts at frame 0";
    EXPECT_TRUE(icon.AnimateTimerRunning());
    for (int i = 0; i < 4; ++i)
        icon.AnimateTimerTick();
    EXPECT_EQ(next, (std::vector<int>{1, 2, 0, 1}));
    EXPECT_EQ(icon.IconIndex(), 1);
    EXPECT_EQ(icon.Icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
    icon.SetCycleIcons(false);
    EXPECT_FALSE(icon.AnimateTimerRunning());
}

TEST(TrayIcon, MinimisingTheMainWindowHidesItIntoTheTrayUntilRestored) {
    TForm form;
    TForm* previousMain = Application->MainForm();
    Application->SetMainForm(&form);
    auto* icon = new TbsTrayIcon(&form);
    icon->SetIconVisible(false);
    form.Show();
    form.showMinimized();
    EXPECT_TRUE(WaitFor([&] { return !form.isVisible(); }));
    EXPECT_TRUE(icon->IconVisible());

    icon->RestoreMainWindow();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.windowState() & Qt::WindowMinimized);

    // With MinimizeToTray off the window just minimises.
    icon->MinimizeToTray = false;
    icon->HideTrayIcon();
    form.showMinimized();
    Pump(50);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(icon->IconVisible());
    Application->SetMainForm(previousMain);
}

TEST(TrayIcon, AnIconStartingMinimisedHidesTheWindowAndComesBackWithANewTray) {
    TForm form;
    TForm* previousMain = Application->MainForm();
    Application->SetMainForm(&form);
    form.Show();
    TbsTrayIcon icon(&form);
    icon.SetIconVisible(false);
    icon.MinimizedOnStart = true;
    icon.MinimizeToTray = false;
    icon.Loaded();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(icon.IconVisible());
    EXPECT_TRUE(icon.MinimizeToTray);
    EXPECT_TRUE(icon.SystemTrayIcon()->isVisible());

    icon.TaskbarCreated();
    EXPECT_TRUE(icon.SystemTrayIcon()->isVisible());
    icon.HideTrayIcon();
    icon.TaskbarCreated();
    EXPECT_FALSE(icon.SystemTrayIcon()->isVisible()) << "a hidden icon stays hidden";
    Application->SetMainForm(previousMain);
}

// The right button opens the skinned menu at the cursor: on a form without a frame through
// the icon's own engine (hosted by the owner form), once the form has a frame through the
// frame's engine; a disabled icon opens nothing.
TEST(TrayIcon, TheRightButtonOpensTheSkinnedMenuThroughAnEngine) {
    SkinCtrlsTest::TSkinnedForm skinned;
    skinned.Data->LoadSkinFile(BoxesTest::BoxesSkinPath());
    auto* icon = new TbsTrayIcon(skinned.Form.get());
    auto* menu = new TbsSkinPopupMenu(skinned.Form.get());
    menu->SetSkinData(skinned.Data);
    int restores = 0, quits = 0;
    AddItem(*menu, QStringLiteral("恢复(&R)"), &restores);
    AddItem(*menu, QStringLiteral("退出(&X)"), &quits);
    icon->SetPopupMenu(menu);
    QCursor::setPos(300, 200);

    icon->Notify(M::RightDown);
    icon->Notify(M::RightUp);
    TbsSkinPopupWindow* window = BoxesTest::OpenPopupWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->IsSkinned());
    // The form frame's engine opens it (the icon's own engine stands by for forms without).
    EXPECT_EQ(window->Engine(), FindSkinForm(skinned.Form.get())->MenuEngine());
    EXPECT_EQ(window->Engine()->HostForm(), skinned.Form.get());
    EXPECT_EQ(window->ScreenPos(), TPoint::FromQPoint(QCursor::pos()));
    EXPECT_EQ(menu->PopupComponent(), icon);
    window->Engine()->ChooseItem(window, 1);
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(BoxesTest::OpenPopupWindow(), nullptr);
    BoxesTest::RunDeferredDeletes();

    icon->SetEnabled(false);
    icon->Notify(M::RightDown);
    EXPECT_EQ(BoxesTest::OpenPopupWindow(), nullptr);
    icon->SetEnabled(true);

    auto* frameEngine = new TbsSkinMenu(skinned.Form.get());
    SetSkinMenuFormLookup([&](QWidget* form) {
        TbsSkinMenuFormLink link;
        if (form == skinned.Form.get())
            link.Engine = frameEngine;
        return link;
    });
    icon->Notify(M::RightDown);
    SetSkinMenuFormLookup({});
    window = BoxesTest::OpenPopupWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Engine(), frameEngine);
    EXPECT_TRUE(window->IsSkinned()) << "the menu's own skin";
    window->Engine()->MenuKeyDown(window, Qt::Key_Return);
    EXPECT_EQ(restores, 1);
    BoxesTest::RunDeferredDeletes();
}
