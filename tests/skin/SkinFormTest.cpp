// The skinned window frame: its geometry and hit test as pure functions, and the frame
// component on a form (states, roll-up, system menu, frame objects, the skin relay).

#include "skin/bsSkinData.h"
#include "skinforms/bsSkinForm.h"
#include "skinforms/bsSkinFormLayout.h"
#include "skinforms/bsSkinMainMenu.h"
#include "skin/bsSkinMenus.h"
#include "skinforms/bsTrayIcon.h"
#include "skinctrls/bsSkinButton.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

// A 300 x 200 frame picture with client rect (5, 25, 295, 195), corner points at 10 px
// from each corner, a caption area and a buttons area on the right.
void DescribeFrame(TbsSkinData& d) {
    d.SkinEmpty = false;
    d.SkinPicture.SetSize(300, 200);
    d.ClientRect = TRect(5, 25, 295, 195);
    d.LeftTopPoint = TPoint(10, 25);
    d.RightTopPoint = TPoint(290, 25);
    d.LeftBottomPoint = TPoint(10, 195);
    d.RightBottomPoint = TPoint(290, 195);
    d.HitTestLeftTopPoint = TPoint(8, 8);
    d.HitTestRightTopPoint = TPoint(292, 8);
    d.HitTestLeftBottomPoint = TPoint(8, 192);
    d.HitTestRightBottomPoint = TPoint(292, 192);
    d.MaskRectArea = TRect(5, 5, 295, 195);
    d.CaptionRect = TRect(5, 3, 295, 22);
    d.ButtonsRect = TRect(200, 4, 290, 20);
    d.ButtonsOffset = 2;
    d.BorderWidth = 3;
}

TbsFrameSlot Button(TbsStdCommand command, int w = 16) {
    TbsFrameSlot s;
    s.Kind = TbsFrameSlot::CaptionButton;
    s.Command = command;
    s.InButtonsArea = true;
    s.Size = TPoint(w, 14);
    s.Rect = TRect(0, 0, w, 14);
    return s;
}

TbsSkinStdButtonObject* Std(TbsBusinessSkinForm& frame, const QString& name) {
    return dynamic_cast<TbsSkinStdButtonObject*>(frame.ObjectByName(name));
}

QStringList Names(TMenuItem* root) {
    QStringList names;
    for (int i = 0; i < root->Count(); ++i)
        names << (root->Items(i)->IsLine() ? QStringLiteral("-") : root->Items(i)->Name());
    return names;
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent event(type, QPointF(p), QPointF(w->mapToGlobal(p)), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void Settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

TMenuItem* AddItem(TMenuItem* parent, const QString& caption, int* clicks = nullptr) {
    auto* item = new TMenuItem(parent);
    item->SetCaption(caption);
    if (clicks)
        item->OnClick = [clicks](TObject*) { ++*clicks; };
    parent->Add(item);
    return item;
}

} // namespace

TEST(SkinFrameGeometry, GrowsClientCaptionAndCornersWithTheWindow) {
    TbsSkinData d;
    DescribeFrame(d);
    const TbsFrameGeometry g = FitFrameGeometry(d, 500, 400);
    EXPECT_EQ(g.Client, TRect(5, 25, 495, 395));
    EXPECT_EQ(g.RT, TPoint(490, 25));
    EXPECT_EQ(g.RB, TPoint(490, 395));
    EXPECT_EQ(g.Caption, TRect(5, 3, 495, 22));
    EXPECT_EQ(g.Buttons, TRect(400, 4, 490, 20)); // right of the middle: moves with the right
    EXPECT_EQ(g.HitRB, TPoint(492, 392));
    EXPECT_EQ(g.Mask, TRect(5, 5, 495, 395));

    // Frame-picture objects move with their corner or stretch between two.
    EXPECT_EQ(FitFrameObjectRect(d, g, TRect(292, 2, 298, 8)), TRect(492, 2, 498, 8));
    EXPECT_EQ(FitFrameObjectRect(d, g, TRect(1, 196, 4, 199)), TRect(1, 396, 4, 399));
    EXPECT_EQ(FitFrameObjectRect(d, g, TRect(2, 2, 298, 8)), TRect(2, 2, 498, 8));
    EXPECT_EQ(FitFrameObjectRect(d, g, TRect(100, 100, 120, 110)), TRect(100, 100, 120, 110));
}

TEST(SkinFrameGeometry, ButtonsAreaTakesVisibleButtonsInCommandOrderAndTrimsTheCaption) {
    TbsSkinData d;
    DescribeFrame(d);
    d.ButtonsRect = TRect();
    const TbsFrameGeometry g = FitFrameGeometry(d, 300, 200);
    std::vector<TbsFrameSlot> places = {
        Button(TbsStdCommand::cmMinimize), Button(TbsStdCommand::cmRollUp),
        Button(TbsStdCommand::cmClose), Button(TbsStdCommand::cmSysMenu, 12)};
    TbsFrameSlot caption;
    caption.Kind = TbsFrameSlot::Caption;
    caption.Rect = TRect(5, 3, 295, 22);
    places.push_back(caption);
    // Without roll-up in the border icons, its button leaves the area.
    ApplyCaptionButtonRules(places, biSystemMenu | biMinimize | biMaximize, false);
    EXPECT_FALSE(places[1].Visible);
    EXPECT_FALSE(places[1].Enabled);
    LayOutFrameSlots(d, g, places);
    EXPECT_EQ(places[2].Rect, TRect(279, 3, 295, 17)); // close first, at the right edge
    EXPECT_EQ(places[0].Rect, TRect(261, 3, 277, 17)); // then minimize, 2 px apart
    EXPECT_EQ(places[3].Rect, TRect(5, 5, 17, 19));    // system menu: caption's left, centred
    EXPECT_EQ(places[4].Rect, TRect(17, 3, 261, 22));  // the caption between them

    // Hidden caption buttons: everything disabled, buttons-area ones hidden, frame-picture
    // ones stay visible.
    std::vector<TbsFrameSlot> hidden = {Button(TbsStdCommand::cmClose),
                                        Button(TbsStdCommand::cmMaximize)};
    hidden[1].InButtonsArea = false;
    ApplyCaptionButtonRules(hidden, DefaultFrameBorderIcons, true);
    EXPECT_FALSE(hidden[0].Enabled || hidden[0].Visible);
    EXPECT_FALSE(hidden[1].Enabled);
    EXPECT_TRUE(hidden[1].Visible);
}

TEST(SkinFrameHitTest, AnswersBorderCornerCaptionAndClientCodes) {
    TbsSkinData d;
    DescribeFrame(d);
    const TbsFrameGeometry g = FitFrameGeometry(d, 500, 400);
    TbsFrameMaskStrips none;
    TbsHitTestState s;
    EXPECT_EQ(SkinFrameHitTest(d, g, none, s, TPoint(1, 1)), HTTOPLEFT);
    EXPECT_EQ(SkinFrameHitTest(d, g, none, s, TPoint(498, 1)), HTTOPRIGHT);
    EXPECT_EQ(SkinFrameHitTest(d, g, none, s, TPoint(1, 398)), HTBOTTOMLEFT);
    EXPECT_EQ(SkinFrameHitTest(d, g, none, s, TPoint(498, 398)), HTBOTTOMRIGHT);
    EXPECT_EQ(SkinFrameHitTest(d, g, none, s, TPoint(250, 1)), HTTOP);
    EXPECT_EQ(SkinFrameHitTest(d, g, none, s, TPoint(250, 398)), HTBOTTOM);
    EXPECT_EQ(SkinFrameHitTest(d, g, none, s, TPoint(1, 200)), HTLEFT);
    EXPECT_EQ(SkinFrameHitTest(d, g, none, s, TPoint(498, 200)), HTRIGHT);
    EXPECT_EQ(SkinFrameHitTest(d, g, none, s, TPoint(250, 200)), HTCLIENT);
    EXPECT_EQ(SkinFrameHitTest(d, g, none, s, TPoint(250, 12)), HTOBJECT);
    s.OverCaptionObject = true;
    EXPECT_EQ(SkinFrameHitTest(d, g, none, s, TPoint(250, 12)), HTCAPTION);
    // Maximized or rolled up: no sizing codes.
    s.Maximized = true;
    EXPECT_EQ(SkinFrameHitTest(d, g, none, s, TPoint(1, 1)), HTCAPTION);
    s = TbsHitTestState();
    s.Sizeable = false;
    EXPECT_EQ(SkinFrameHitTest(d, g, none, s, TPoint(1, 200)), HTOBJECT);

    // With a mask whose corner pixels are white (outside the shape), the border follows
    // the shape: a point next to the cut corner is on the border, one deep inside is not.
    d.SkinMask.SetSize(300, 200);
    d.SkinMask.Canvas().Brush.Color = clBlack;
    d.SkinMask.Canvas().FillRect(TRect(0, 0, 300, 200));
    d.SkinMask.Canvas().Brush.Color = clWhite;
    d.SkinMask.Canvas().FillRect(TRect(0, 0, 4, 4));
    TbsFrameMaskStrips strips;
    const TbsRegion region = BuildFrameRegion(d, g, strips);
    ASSERT_TRUE(region.has_value());
    EXPECT_FALSE(region->contains(QPoint(1, 1)));
    EXPECT_TRUE(region->contains(QPoint(5, 1)));
    EXPECT_TRUE(region->contains(QPoint(499, 399)));
    TbsHitTestState masked;
    EXPECT_EQ(SkinFrameHitTest(d, g, strips, masked, TPoint(20, 100)), HTCLIENT);
    EXPECT_EQ(SkinFrameHitTest(d, g, strips, masked, TPoint(20, 12)), HTOBJECT);
    EXPECT_EQ(SkinFrameHitTest(d, g, strips, masked, TPoint(5, 1)), HTTOPLEFT);
    EXPECT_EQ(SkinFrameHitTest(d, g, strips, masked, TPoint(250, 1)), HTTOP);
}

TEST(SkinFrameHitTest, PlainFrameSizesAtItsThreePixelBorder) {
    const TbsPlainFrameMetrics m = TbsPlainFrameMetrics::For(false);
    std::vector<TbsFrameSlot> places = {Button(TbsStdCommand::cmClose),
                                        Button(TbsStdCommand::cmSysMenu)};
    const TRect caption = LayOutPlainButtons(m, 300, places);
    EXPECT_EQ(places[0].Rect, TRect(278, 4, 295, 21));
    EXPECT_EQ(places[1].Rect, TRect(3, 4, 20, 21));
    EXPECT_EQ(m.ClientRect(300, 200), TRect(3, 22, 297, 197));
    TbsHitTestState s;
    EXPECT_EQ(PlainFrameHitTest(m, caption, 300, 200, s, TPoint(0, 0)), HTTOPLEFT);
    EXPECT_EQ(PlainFrameHitTest(m, caption, 300, 200, s, TPoint(299, 100)), HTRIGHT);
    EXPECT_EQ(PlainFrameHitTest(m, caption, 300, 200, s, TPoint(150, 10)), HTCAPTION);
    EXPECT_EQ(PlainFrameHitTest(m, caption, 300, 200, s, TPoint(150, 100)), HTCLIENT);
    EXPECT_EQ(PlainFrameHitTest(m, caption, 300, 200, s, TPoint(285, 10)), HTOBJECT);
    s.RolledUp = true;
    EXPECT_EQ(PlainFrameHitTest(m, caption, 300, 200, s, TPoint(0, 0)), HTOBJECT);
}

TEST(SkinFrameMotion, SnapsStrictlyWithinTheDistanceAndFadesInStepsOfFive) {
    const TRect area(0, 0, 1000, 700);
    EXPECT_EQ(MagneticSnap(TPoint(4, 4), 100, 100, area, 5), TPoint(0, 0));
    EXPECT_EQ(MagneticSnap(TPoint(5, 5), 100, 100, area, 5), TPoint(5, 5));
    EXPECT_EQ(MagneticSnap(TPoint(897, 603), 100, 100, area, 5), TPoint(900, 600));
    const std::vector<int> steps = FadeInSteps(255);
    ASSERT_EQ(steps.size(), 51u);
    EXPECT_EQ(steps.front(), 5);
    EXPECT_EQ(steps[1], 10);
    EXPECT_EQ(steps.back(), 255);
    EXPECT_EQ(FadeInSteps(200).back(), 200);
    EXPECT_EQ(FadeInSteps(202).back(), 202);
    EXPECT_EQ(FadeInSteps(202)[39], 200);
}

TEST(SkinFormFrame, FitsTheFormsClientAreaOrLeavesABorderlessFormAlone) {
    TForm form;
    TbsSkinData data(&form);
    DescribeFrame(data);
    auto* frame = new TbsBusinessSkinForm(&form);
    // Plain frame: 3 px all round and the caption.
    EXPECT_EQ(frame->FrameClientRect(500, 400), TRect(3, 22, 497, 397));
    frame->SetSkinData(&data);
    EXPECT_TRUE(frame->SkinActive());
    EXPECT_EQ(frame->FrameClientRect(500, 400), TRect(5, 25, 495, 395));
    form.SetBounds(0, 0, 500, 400);
    EXPECT_EQ(form.ClientArea()->geometry(), QRect(5, 25, 490, 370));
    EXPECT_EQ(frame->MinFrameWidth(), 300);
    EXPECT_EQ(frame->MinFrameHeight(), 30);
    EXPECT_FALSE(frame->WindowRegion().has_value()); // no mask, no region

    TForm borderless;
    borderless.SetBorderStyle(bsNone);
    borderless.SetBounds(0, 0, 200, 100);
    auto* none = new TbsBusinessSkinForm(&borderless);
    none->SetSkinData(&data);
    EXPECT_EQ(borderless.ClientArea()->geometry(), QRect(0, 0, 200, 100));
    EXPECT_EQ(none->HitTest(TPoint(0, 0)), HTCLIENT);
    EXPECT_TRUE(borderless.mask().isEmpty());
}

TEST(SkinFormFrame, KeepsTheClientSizeWhenTheFrameComesAndTheSkinChanges) {
    TForm form;
    form.SetBorderStyle(bsSingle);
    form.SetBounds(0, 0, 500, 400); // no frame yet: the client is the whole window
    TbsSkinData data(&form);
    DescribeFrame(data);
    auto* frame = new TbsBusinessSkinForm(&form);
    EXPECT_EQ(form.ClientArea()->geometry(), QRect(3, 22, 500, 400));
    EXPECT_EQ(frame->FrameExtent(), TPoint(6, 25));
    frame->SetSkinData(&data);
    EXPECT_EQ(form.ClientArea()->geometry(), QRect(5, 25, 500, 400));
    EXPECT_EQ(form.Width(), 510);

    // A skin change to a picture with wider borders, announced by the skin messages.
    TbsSkinMessageEvent changing(SkinChanging, &data);
    QApplication::sendEvent(&form, &changing);
    data.SkinPicture.SetSize(320, 240);
    data.ClientRect = TRect(8, 30, 312, 228);
    TbsSkinMessageEvent changed(SkinChanged, &data);
    QApplication::sendEvent(&form, &changed);
    EXPECT_EQ(form.ClientArea()->geometry(), QRect(8, 30, 500, 400));

    // Rolled up or maximized, the size it returns to keeps the client.
    frame->SetRolledUp(true);
    frame->SetSkinData(nullptr);
    frame->SetRolledUp(false);
    EXPECT_EQ(form.ClientArea()->geometry(), QRect(3, 22, 500, 400));
    frame->SetFrameState(TbsFrameState::Maximized);
    frame->SetSkinData(&data);
    frame->SetFrameState(TbsFrameState::Normal);
    EXPECT_EQ(form.ClientArea()->geometry(), QRect(8, 30, 500, 400));
}

TEST(SkinFormFrame, RollsUpOnCaptionDoubleClickOnlyWithTheRollUpIcon) {
    TForm form;
    form.SetBorderStyle(bsSingle);
    auto* frame = new TbsBusinessSkinForm(&form);
    form.SetBounds(0, 0, 300, 200);
    frame->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    SendMouse(&form, QEvent::MouseButtonDblClick, QPoint(100, 10));
    EXPECT_FALSE(frame->RolledUp());
    EXPECT_EQ(form.Height(), 200);

    frame->SetBorderIcons(DefaultFrameBorderIcons);
    int changes = 0;
    frame->OnChangeRollUpState = [&](TObject*) { ++changes; };
    SendMouse(&form, QEvent::MouseButtonDblClick, QPoint(100, 10));
    EXPECT_TRUE(frame->RolledUp());
    EXPECT_EQ(form.Height(), frame->MinFrameHeight());
    EXPECT_EQ(form.Height(), 25);
    SendMouse(&form, QEvent::MouseButtonDblClick, QPoint(100, 10));
    EXPECT_FALSE(frame->RolledUp());
    EXPECT_EQ(form.Height(), 200);
    EXPECT_EQ(changes, 2);
}

TEST(SkinFormFrame, MaximizesToTheWorkAreaAndMinimizingTheMainFormMinimizesTheApplication) {
    TForm form;
    auto* frame = new TbsBusinessSkinForm(&form);
    form.SetBounds(10, 10, 300, 200);
    frame->SetFrameState(TbsFrameState::Maximized);
    TRect area = Screen->MonitorWorkArea(&form);
    if (area == Screen->MonitorRect(&form))
        area = TRect(area.Left + 1, area.Top + 1, area.Right - 1, area.Bottom - 1);
    EXPECT_EQ(
        TRect(form.Left(), form.Top(), form.Left() + form.Width(), form.Top() + form.Height()),
        area);
    EXPECT_EQ(frame->RestoreBounds(), TRect(10, 10, 310, 210));
    frame->SetFrameState(TbsFrameState::Normal);
    EXPECT_EQ(form.Width(), 300);
    EXPECT_TRUE(frame->RestoreBounds().IsEmpty());

    TForm* previous = Application->MainForm();
    Application->SetMainForm(&form);
    int minimized = 0;
    Application->OnMinimize = [&](TObject*) { ++minimized; };
    frame->SetFrameState(TbsFrameState::Minimized);
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(frame->FrameState(), TbsFrameState::Normal);
    Application->OnMinimize = nullptr;
    Application->SetMainForm(previous);

    // Another form parks at the work area's bottom left, shrunk to its frame.
    frame->SetFrameState(TbsFrameState::Minimized);
    EXPECT_EQ(frame->FrameState(), TbsFrameState::Minimized);
    EXPECT_EQ(form.Width(), 120);
    EXPECT_EQ(form.Height(), 25);
    EXPECT_EQ(form.Left(), Screen->MonitorWorkArea(&form).Left);
}

TEST(SkinFormFrame, SystemMenuKeepsUserItemsBetweenTheStandardOnesAndClose) {
    TForm form;
    auto* frame = new TbsBusinessSkinForm(&form);
    EXPECT_EQ(Names(frame->GetSystemMenu()),
              QStringList({"BSF_MINITEM", "BSF_MAXITEM", "BSF_ROLLUP", "-", "BSF_CLOSE"}));

    auto* menu = new TPopupMenu(&form);
    auto* mine = new TMenuItem(menu);
    mine->SetName(QStringLiteral("mine"));
    menu->Items()->Add(mine);
    frame->SetSystemMenu(menu);
    frame->SetBorderIcons(biSystemMenu | biMinimize | biMaximize);
    frame->SetFrameState(TbsFrameState::Maximized);
    EXPECT_EQ(Names(frame->GetSystemMenu()),
              QStringList({"BSF_MINITEM", "BSF_RESTORE", "mine", "BSF_CLOSE"}));
    // Built fresh every time: no duplicates.
    EXPECT_EQ(Names(frame->GetSystemMenu()).size(), 4);
    TMenuItem* close = frame->GetSystemMenu()->Items(3);
    EXPECT_EQ(close->Caption(), QStringLiteral("关闭(&C)"));
    EXPECT_EQ(close->ShortCutText(), QStringLiteral("Alt+F4"));
    frame->GetSystemMenu()->Items(1)->Click();
    EXPECT_EQ(frame->FrameState(), TbsFrameState::Normal);
}

TEST(SkinFormFrame, PlainCaptionButtonsFollowTheBorderIconsAndRunTheirCommands) {
    TForm form;
    form.SetBounds(0, 0, 300, 200);
    auto* frame = new TbsBusinessSkinForm(&form);
    ASSERT_EQ(frame->FrameObjects().size(), 6u);
    EXPECT_FALSE(Std(*frame, "traybutton")->Visible); // no tray icon in the default set
    TbsSkinStdButtonObject* max = Std(*frame, "maxbutton");
    ASSERT_TRUE(max->Visible);
    const QPoint centre((max->ObjectRect.Left + max->ObjectRect.Right) / 2,
                        (max->ObjectRect.Top + max->ObjectRect.Bottom) / 2);
    EXPECT_EQ(frame->HitTest(TPoint::FromQPoint(centre)), HTOBJECT);
    SendMouse(&form, QEvent::MouseMove, centre, Qt::NoButton);
    EXPECT_EQ(frame->FrameObjects()[frame->HotObject()].get(), max);
    SendMouse(&form, QEvent::MouseButtonPress, centre);
    SendMouse(&form, QEvent::MouseButtonRelease, centre);
    EXPECT_EQ(frame->FrameState(), TbsFrameState::Maximized);

    frame->SetHideCaptionButtons(true);
    EXPECT_FALSE(Std(*frame, "closebutton")->Visible);
    frame->SetHideCaptionButtons(false);
    EXPECT_TRUE(Std(*frame, "closebutton")->Visible && Std(*frame, "closebutton")->Enabled);
}

TEST(SkinFormFrame, BorderIconsGivenBackBringTheirButtonsBackButNotOnesTheProgramSwitchedOff) {
    TForm form;
    auto* frame = new TbsBusinessSkinForm(&form);
    TbsSkinStdButtonObject* max = Std(*frame, "maxbutton");
    TbsSkinStdButtonObject* min = Std(*frame, "minbutton");
    min->Enabled = false; // the program's own choice
    frame->SetBorderIcons(biSystemMenu);
    EXPECT_FALSE(max->Visible || max->Enabled);
    frame->SetBorderIcons(DefaultFrameBorderIcons | biMinimizeToTray);
    EXPECT_TRUE(max->Visible && max->Enabled);
    EXPECT_TRUE(Std(*frame, "traybutton")->Visible);
    EXPECT_FALSE(min->Enabled);
    EXPECT_TRUE(min->Visible);
}

TEST(SkinFormFrame, AnimationCyclesWhileHotAndRunsBackWhenLeft) {
    TForm form;
    TbsSkinData data(&form);
    DescribeFrame(data);
    data.ActivePictures.push_back(std::make_unique<TBitmap>(80, 10));
    auto record = std::make_unique<TbsDataSkinAnimate>(QStringLiteral("spin"));
    record->SkinRect = TRect(100, 5, 120, 15);
    record->ActiveSkinRect = TRect(0, 0, 80, 10);
    record->ActivePictureIndex = 0;
    record->CountFrames = 4;
    record->Cycle = true;
    record->ButtonStyle = true;
    record->TimerInterval = 10;
    auto slow = std::make_unique<TbsDataSkinAnimate>(QStringLiteral("slow"));
    slow->SkinRect = TRect(130, 5, 150, 15);
    slow->ActiveSkinRect = TRect(0, 0, 80, 10);
    slow->ActivePictureIndex = 0;
    slow->CountFrames = 4;
    slow->ButtonStyle = true;
    slow->TimerInterval = 100;
    data.SkinObjects.push_back(std::move(record));
    data.SkinObjects.push_back(std::move(slow));
    form.SetBounds(0, 0, 300, 200);
    auto* frame = new TbsBusinessSkinForm(&form);
    frame->SetSkinData(&data);
    auto* spin = dynamic_cast<TbsSkinAnimateObject*>(frame->ObjectByName("spin"));
    auto* late = dynamic_cast<TbsSkinAnimateObject*>(frame->ObjectByName("slow"));
    ASSERT_TRUE(spin && late);
    EXPECT_EQ(spin->Interval, 25); // raised to the timer's interval

    spin->MouseEnter();
    late->MouseEnter();
    EXPECT_TRUE(frame->AnimationTimerRunning());
    std::vector<int> frames, lateFrames;
    for (int i = 0; i < 6; ++i) {
        frame->AnimationTick();
        frames.push_back(spin->Frame);
        lateFrames.push_back(late->Frame);
    }
    EXPECT_EQ(frames, std::vector<int>({2, 3, 4, 1, 2, 3}));
    EXPECT_EQ(lateFrames, std::vector<int>({1, 1, 1, 2, 2, 2})); // every fourth tick
    spin->MouseLeave();
    frames.clear();
    for (int i = 0; i < 4; ++i) {
        frame->AnimationTick();
        frames.push_back(spin->Frame);
    }
    EXPECT_EQ(frames, std::vector<int>({2, 1, 1, 1}));
    EXPECT_FALSE(spin->Playing);
}

namespace {

// A skinned button that counts how often it forgets and applies its record.
class TCountingButton : public TbsSkinButton {
public:
    using TbsSkinButton::TbsSkinButton;
    void ForgetSkin() override {
        ++Forgot;
        TbsSkinButton::ForgetSkin();
    }
    void ApplySkin() override {
        ++Applied;
        TbsSkinButton::ApplySkin();
    }
    int Forgot = 0;
    int Applied = 0;
};

} // namespace

TEST(SkinFormFrame, RelaysEachSkinChangeOnceToEveryControlBoundToTheSkin) {
    TForm form;
    auto* data = new TbsSkinData(&form);
    auto* frame = new TbsBusinessSkinForm(&form);
    frame->SetSkinData(data);
    auto* button = new TCountingButton(&form);
    auto* panel = new TbsSkinPanel(&form);
    auto* inner = new TCountingButton(panel);
    auto* other = new TCountingButton(&form);
    TbsSkinData stranger;
    button->SetSkinData(data);
    inner->SetSkinData(data);
    other->SetSkinData(&stranger);
    button->Applied = inner->Applied = 0;
    for (int i = 0; i < 3; ++i) {
        TbsSkinMessageEvent changing(SkinChanging, data);
        QApplication::sendEvent(&form, &changing);
        TbsSkinMessageEvent changed(SkinChanged, data);
        QApplication::sendEvent(&form, &changed);
    }
    EXPECT_EQ(button->Forgot, 3);
    EXPECT_EQ(button->Applied, 3);
    EXPECT_EQ(inner->Forgot, 3); // depth first, inside the panel too
    EXPECT_EQ(inner->Applied, 3);
    EXPECT_EQ(other->Forgot, 0);
    EXPECT_EQ(other->Applied, 0);
}

TEST(SkinFormMenus, SystemMenuAndTheFormsPopupMenusOpenThroughTheFramesEngine) {
    TForm form;
    auto* frame = new TbsBusinessSkinForm(&form);
    form.SetBounds(100, 100, 300, 200);
    form.show();
    Settle();
    int opened = 0, closed = 0;
    frame->OnSkinMenuOpen = [&](TObject*) { ++opened; };
    frame->OnSkinMenuClose = [&](TObject*) { ++closed; };
    TbsSkinMenu* engine = frame->MenuEngine();
    ASSERT_NE(engine, nullptr);

    // A right click on the caption; its last item closes the form.
    SendMouse(&form, QEvent::MouseButtonPress, QPoint(100, 10), Qt::RightButton);
    ASSERT_TRUE(engine->EngineActive());
    TbsSkinPopupWindow* window = engine->Innermost();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Items(window->ItemCount() - 1)->Caption(), QStringLiteral("关闭(&C)"));
    EXPECT_EQ(opened, 1);
    engine->ChooseItem(window, window->ItemCount() - 1);
    Settle();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(closed, 1);

    // A skinned popup menu of the form opens through the same engine.
    form.show();
    auto* popup = new TbsSkinPopupMenu(&form);
    int clicks = 0;
    AddItem(popup->Items(), QStringLiteral("&Item"), &clicks);
    popup->Popup(120, 120);
    ASSERT_TRUE(engine->EngineActive());
    EXPECT_EQ(opened, 2);
    engine->ChooseItem(engine->Innermost(), 0);
    Settle();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(closed, 2);
}

TEST(SkinFormMenus, MenuBarSharesTheEngineTheKeyboardModeAndTheShortcuts) {
    TForm form;
    auto* frame = new TbsBusinessSkinForm(&form);
    form.SetBounds(100, 100, 400, 300);
    auto* menu = new TbsSkinMainMenu(&form);
    int opens = 0, runs = 0;
    TMenuItem* file = AddItem(menu->Items(), QStringLiteral("&File"));
    AddItem(file, QStringLiteral("&Open"), &opens)->SetShortCut(scCtrl | Qt::Key_O);
    AddItem(menu->Items(), QStringLiteral("&Run"), &runs);
    auto* bar = new TbsSkinMainMenuBar(&form);
    bar->SetMainMenu(menu);
    frame->SetMainMenuBar(bar);
    form.show();
    Settle();
    EXPECT_EQ(bar->SkinForm(), frame);
    EXPECT_EQ(bar->MenuEngine(), frame->MenuEngine());
    EXPECT_EQ(bar->Top(), 0); // along the top of the client area
    int entered = 0, exited = 0;
    frame->OnMainMenuEnter = [&](TObject*) { ++entered; };
    frame->OnMainMenuExit = [&](TObject*) { ++exited; };

    // Alt+F opens "File" through the frame's engine.
    EXPECT_TRUE(form.IsShortCut(scAlt | Qt::Key_F));
    TbsSkinMenu* engine = frame->MenuEngine();
    ASSERT_TRUE(engine->EngineActive());
    EXPECT_EQ(engine->Innermost()->Items(0)->Caption(), QStringLiteral("&Open"));
    EXPECT_EQ(entered, 1);
    engine->CloseMenus();
    Settle();
    EXPECT_FALSE(bar->KeyboardMode());
    EXPECT_EQ(exited, 1);

    // Shortcuts of the bar's menu run their items; others are left to the form.
    EXPECT_TRUE(form.IsShortCut(scCtrl | Qt::Key_O));
    EXPECT_EQ(opens, 1);
    EXPECT_FALSE(form.IsShortCut(scCtrl | Qt::Key_Q));
    // Alt+R: a command without subitems runs at once and leaves no keyboard mode behind.
    EXPECT_TRUE(form.IsShortCut(scAlt | Qt::Key_R));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(bar->KeyboardMode());
    EXPECT_EQ(entered, 2);
    EXPECT_EQ(exited, 2);

    // Alt while the system menu is open closes it and puts the bar into keyboard mode.
    frame->PopupSystemMenu(150, 150);
    ASSERT_TRUE(engine->EngineActive());
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QApplication::sendEvent(bar, &alt);
    Settle();
    EXPECT_FALSE(engine->EngineActive());
    EXPECT_TRUE(bar->KeyboardMode());
    EXPECT_EQ(entered, 3);
}

TEST(SkinFormFrame, MinimizesIntoItsTrayIconAndRestoresFromItOnlyWithOne) {
    TForm form;
    auto* frame = new TbsBusinessSkinForm(&form);
    int minimized = 0, restored = 0;
    frame->OnMinimizeToTray = [&](TObject*) { ++minimized; };
    frame->OnRestoreFromTray = [&](TObject*) { ++restored; };
    frame->MinimizeToTray(); // no icon: nothing
    frame->RestoreFromTray();
    EXPECT_EQ(minimized + restored, 0);

    auto* icon = new TbsTrayIcon(&form);
    icon->SetIconVisible(true);
    frame->SetTrayIcon(icon);
    EXPECT_FALSE(icon->IconVisible());
    EXPECT_FALSE(icon->MinimizeToTray);
    ASSERT_EQ(icon->PopupMenu(), frame->TrayMenu());
    TMenuItem* items = frame->TrayMenu()->Items();
    ASSERT_EQ(items->Count(), 3);
    EXPECT_EQ(items->Items(0)->Name(), QStringLiteral("TRAY_BSF_RESTORE"));
    EXPECT_TRUE(items->Items(0)->Default()); // what a double click on the icon runs
    EXPECT_EQ(items->Items(2)->ShortCutText(), QStringLiteral("Alt+F4"));

    // A desktop without a notification area: the window goes to the taskbar, never into an
    // icon nobody can see.
    TbsTrayIcon::SetTrayAvailableOverride(false);
    frame->MinimizeToTray();
    EXPECT_FALSE(icon->MinimizeToTray);
    EXPECT_FALSE(icon->IconVisible());
    EXPECT_EQ(minimized, 0);
    Application->Restore();

    TbsTrayIcon::SetTrayAvailableOverride(true);
    frame->MinimizeToTray();
    TbsTrayIcon::SetTrayAvailableOverride(std::nullopt);
    EXPECT_TRUE(icon->MinimizeToTray);
    EXPECT_EQ(minimized, 1);
    items->Items(0)->Click();
    EXPECT_FALSE(icon->MinimizeToTray);
    EXPECT_FALSE(icon->IconVisible());
    EXPECT_EQ(restored, 1);

    // An icon with a menu of its own keeps it.
    auto* own = new TPopupMenu(&form);
    auto* second = new TbsTrayIcon(&form);
    second->SetPopupMenu(own);
    frame->SetTrayIcon(second);
    EXPECT_EQ(second->PopupMenu(), own);
}
