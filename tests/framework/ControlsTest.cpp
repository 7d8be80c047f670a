#include "framework/Controls.h"

#include "ControlsTestSupport.h"
#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "platform/Errors.h"

#include <QImage>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace ControlsTest;

namespace {

TControl* NewChild(TWinControl* parent, TAlign align, TRect bounds) {
    auto* c = new TWinControl(parent);
    c->SetBoundsRect(bounds);
    c->SetAlign(align);
    return c;
}

// A control that keeps its height at 21 pixels, as a skinned bar fits itself to its picture.
class FixedHeightControl : public TWinControl {
public:
    using TWinControl::TWinControl;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override {
        ++Calls;
        TWinControl::SetBounds(ALeft, ATop, AWidth, 21);
        (void)AHeight;
    }
    int Calls = 0;
};

// Records the virtual handlers in the order they run.
class RecordingControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<QString> Log;

protected:
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
        Log.push_back(QStringLiteral("down %1 %2,%3%4")
                          .arg(int(b))
                          .arg(x)
                          .arg(y)
                          .arg(s.Contains(ssDouble) ? QStringLiteral(" double") : QString()));
        TCustomControl::MouseDown(b, s, x, y);
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
        Log.push_back(QStringLiteral("up %1 %2,%3").arg(int(b)).arg(x).arg(y));
        TCustomControl::MouseUp(b, s, x, y);
    }
    void Click() override {
        Log.push_back(QStringLiteral("click"));
        TCustomControl::Click();
    }
    void DblClick() override {
        Log.push_back(QStringLiteral("dblclick"));
        TCustomControl::DblClick();
    }
};

class RecordingPopup : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(int x, int y) override { Points.push_back(QPoint(x, y)); }
    std::vector<QPoint> Points;
};

} // namespace

TEST(ControlsAlign, LaysOutEdgesInOrderAndFollowsTheParent) {
    auto parent = std::make_unique<TWinControl>();
    parent->SetBounds(0, 0, 300, 200);
    // Created out of order: within one edge the position decides.
    TControl* top2 = NewChild(parent.get(), alTop, Bounds(0, 50, 10, 10));
    TControl* top1 = NewChild(parent.get(), alTop, Bounds(0, 0, 10, 20));
    TControl* bottom = NewChild(parent.get(), alBottom, Bounds(0, 0, 10, 15));
    TControl* left = NewChild(parent.get(), alLeft, Bounds(0, 0, 30, 10));
    TControl* right = NewChild(parent.get(), alRight, Bounds(0, 0, 40, 10));
    TControl* client = NewChild(parent.get(), alClient, Bounds(0, 0, 1, 1));
    TControl* free = NewChild(parent.get(), alNone, Bounds(7, 8, 9, 10));

    EXPECT_EQ(top1->BoundsRect(), Bounds(0, 0, 300, 20));
    EXPECT_EQ(top2->BoundsRect(), Bounds(0, 20, 300, 10));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 185, 300, 15));
    EXPECT_EQ(left->BoundsRect(), Bounds(0, 30, 30, 155));
    EXPECT_EQ(right->BoundsRect(), Bounds(260, 30, 40, 155));
    EXPECT_EQ(client->BoundsRect(), Bounds(30, 30, 230, 155));
    EXPECT_EQ(free->BoundsRect(), Bounds(7, 8, 9, 10));

    parent->SetBounds(0, 0, 400, 300);
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 285, 400, 15));
    EXPECT_EQ(client->BoundsRect(), Bounds(30, 30, 330, 255));

    // A hidden control gives its place up; showing it takes it back.
    top2->Hide();
    EXPECT_EQ(client->BoundsRect(), Bounds(30, 20, 330, 265));
    top2->Show();
    EXPECT_EQ(client->BoundsRect(), Bounds(30, 30, 330, 255));

    // Resizing an aligned control realigns its neighbours.
    top1->SetHeight(40);
    EXPECT_EQ(top2->Top(), 40);
    EXPECT_EQ(client->Top(), 50);

    // Leaving the alignment gives the place back.
    left->SetAlign(alNone);
    EXPECT_EQ(client->Left(), 0);
    EXPECT_EQ(client->Width(), 360);
}

TEST(ControlsAlign, BoundsHookRefitsAndAlignmentUsesTheRefittedSize) {
    auto parent = std::make_unique<TWinControl>();
    parent->SetBounds(0, 0, 200, 100);
    auto* bar = new FixedHeightControl(parent.get());
    bar->SetBounds(3, 4, 50, 60);
    EXPECT_EQ(bar->BoundsRect(), Bounds(3, 4, 50, 21));
    bar->SetHeight(5);
    EXPECT_EQ(bar->Height(), 21);

    TControl* client = NewChild(parent.get(), alClient, Bounds(0, 0, 1, 1));
    bar->SetAlign(alBottom);
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 79, 200, 21));
    EXPECT_EQ(client->BoundsRect(), Bounds(0, 0, 200, 79));
    EXPECT_GT(bar->Calls, 0);
}

TEST(ControlsMouse, ClickFollowsAPressAndReleaseInsideAndDoubleClickKeepsTheOrder) {
    auto control = std::make_unique<RecordingControl>();
    control->SetBounds(0, 0, 50, 20);
    int clicks = 0;
    control->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, control.get());
        ++clicks;
    };
    TShiftState downShift;
    control->OnMouseDown = [&](TObject*, TMouseButton, TShiftState s, int, int) { downShift = s; };

    Click(control.get(), QPoint(5, 6));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(downShift.Contains(ssLeft));
    ASSERT_EQ(control->Log.size(), 3u);
    EXPECT_EQ(control->Log[0], "down 0 5,6");
    EXPECT_EQ(control->Log[1], "click"); // the click comes before the release handler
    EXPECT_EQ(control->Log[2], "up 0 5,6");

    // Released outside: no click.
    control->Log.clear();
    SendMouse(control.get(), QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton,
              Qt::LeftButton);
    SendMouse(control.get(), QEvent::MouseButtonRelease, QPoint(80, 5), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);

    // Press, release, double click, release.
    control->Log.clear();
    Click(control.get(), QPoint(1, 1));
    SendMouse(control.get(), QEvent::MouseButtonDblClick, QPoint(1, 1), Qt::LeftButton,
              Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(control.get(), QEvent::MouseButtonRelease, QPoint(1, 1), Qt::LeftButton);
    std::vector<QString> expected{"down 0 1,1",        "click",   "up 0 1,1", "dblclick",
                                  "down 0 1,1 double", "up 0 1,1"};
    EXPECT_EQ(control->Log, expected);
    EXPECT_TRUE(downShift.Contains(ssShift));
    EXPECT_TRUE(downShift.Contains(ssDouble));

    // Without csDoubleClicks a double click is a second press (and a second click).
    control->SetControlStyle(control->ControlStyle() & ~csDoubleClicks);
    control->Log.clear();
    SendMouse(control.get(), QEvent::MouseButtonDblClick, QPoint(1, 1), Qt::LeftButton,
              Qt::LeftButton);
    SendMouse(control.get(), QEvent::MouseButtonRelease, QPoint(1, 1), Qt::LeftButton);
    expected = {"down 0 1,1", "click", "up 0 1,1"};
    EXPECT_EQ(control->Log, expected);
}

TEST(ControlsMouse, DisabledControlsGetNoInputAndRightClickOpensThePopupMenu) {
    auto parent = std::make_unique<TWinControl>();
    parent->SetBounds(0, 0, 100, 100);
    auto* child = new TWinControl(parent.get());
    child->SetBounds(10, 10, 30, 30);
    int childClicks = 0;
    child->OnClick = [&](TObject*) { ++childClicks; };
    child->SetEnabled(false);
    Click(child, QPoint(3, 3));
    EXPECT_EQ(childClicks, 0);
    EXPECT_FALSE(child->Enabled());
    child->SetEnabled(true);
    Click(child, QPoint(3, 3));
    EXPECT_EQ(childClicks, 1);

    // The parent's popup menu serves a child without its own.
    RecordingPopup menu;
    parent->SetPopupMenu(&menu);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 4), QPoint(103, 104));
    QApplication::sendEvent(child, &event);
    ASSERT_EQ(menu.Points.size(), 1u);
    EXPECT_EQ(menu.Points[0], QPoint(103, 104));
    EXPECT_EQ(menu.PopupComponent(), parent.get());

    // AutoPopup off: nothing opens.
    menu.SetAutoPopup(false);
    QApplication::sendEvent(child, &event);
    EXPECT_EQ(menu.Points.size(), 1u);

    // The reference is cleared when the menu dies.
    {
        RecordingPopup shortLived;
        child->SetPopupMenu(&shortLived);
        EXPECT_EQ(child->PopupMenu(), &shortLived);
    }
    EXPECT_EQ(child->PopupMenu(), nullptr);
}

TEST(ControlsKeys, KeyDownCanSwallowAndKeyPressCanDropTheCharacter) {
    auto control = std::make_unique<TCustomControl>();
    std::vector<int> downs;
    std::vector<QChar> presses;
    int ups = 0;
    control->OnKeyDown = [&](TObject*, int& key, TShiftState shift) {
        downs.push_back(key);
        if (key == Qt::Key_X)
            key = 0;
        EXPECT_EQ(shift.Contains(ssShift), key == Qt::Key_B);
    };
    control->OnKeyPress = [&](TObject*, QChar& ch) {
        presses.push_back(ch);
        if (ch == QLatin1Char('q'))
            ch = QChar();
    };
    control->OnKeyUp = [&](TObject*, int&, TShiftState) { ++ups; };

    SendKey(control.get(), Qt::Key_A, {}, QStringLiteral("a"));
    SendKey(control.get(), Qt::Key_X, {}, QStringLiteral("x"));
    SendKey(control.get(), Qt::Key_B, Qt::ShiftModifier, QStringLiteral("B"));
    SendKey(control.get(), Qt::Key_Left);
    EXPECT_EQ(downs, (std::vector<int>{Qt::Key_A, Qt::Key_X, Qt::Key_B, Qt::Key_Left}));
    EXPECT_EQ(presses, (std::vector<QChar>{QLatin1Char('a'), QLatin1Char('B')}));
    EXPECT_EQ(ups, 4);

    QKeyEvent q(QEvent::KeyPress, Qt::Key_Q, {}, QStringLiteral("q"));
    QChar left = QLatin1Char('?');
    EXPECT_TRUE(control->DispatchKeyDown(&q, &left));
    EXPECT_TRUE(left.isNull());
}

TEST(ControlsLook, ParentFontColorAndShowHintFollowTheParentUntilSetOwn) {
    auto parent = std::make_unique<TWinControl>();
    parent->Font()->SetHeight(-20);
    parent->SetColor(clRed);
    auto* child = new TWinControl(parent.get());
    EXPECT_TRUE(child->ParentFont());
    EXPECT_EQ(child->Font()->Height(), -20);

    parent->Font()->SetName(QStringLiteral("Arial"));
    EXPECT_EQ(child->Font()->Name(), QStringLiteral("Arial"));
    EXPECT_TRUE(child->ParentFont());
    child->Font()->SetStyle({fsBold});
    EXPECT_FALSE(child->ParentFont());
    parent->Font()->SetHeight(-30);
    EXPECT_EQ(child->Font()->Height(), -20);
    child->SetParentFont(true);
    EXPECT_EQ(child->Font()->Height(), -30);

    child->SetParentColor(true);
    EXPECT_EQ(child->Color(), clRed);
    parent->SetColor(clBlue);
    EXPECT_EQ(child->Color(), clBlue);
    child->SetColor(clLime);
    EXPECT_FALSE(child->ParentColor());
    parent->SetColor(clYellow);
    EXPECT_EQ(child->Color(), clLime);

    EXPECT_TRUE(child->ParentShowHint());
    EXPECT_FALSE(child->ShowHint());
    parent->SetShowHint(true);
    EXPECT_TRUE(child->ShowHint());
    child->SetShowHint(false);
    EXPECT_FALSE(child->ParentShowHint());
    EXPECT_FALSE(child->ShowHint());
}

TEST(ControlsEvents, AnExceptionInAClickIsReportedAndTheProgramGoesOn) {
    Application->InstallExceptionHandler(); // other tests replace it with their own
    MessageBoxAnswerer boxes;
    Application->SetTitle(QStringLiteral("zarvo测试"));
    auto control = std::make_unique<TCustomControl>();
    control->SetBounds(0, 0, 20, 20);
    int clicks = 0;
    control->OnClick = [&](TObject*) {
        ++clicks;
        throw EInOutError(QStringLiteral("磁盘已满"));
    };
    Click(control.get());
    ASSERT_EQ(boxes.Requests.size(), 1u);
    EXPECT_EQ(boxes.Requests[0].Text, QStringLiteral("磁盘已满"));
    EXPECT_EQ(boxes.Requests[0].Caption, QStringLiteral("zarvo测试"));
    EXPECT_EQ(boxes.Requests[0].Icon, TMessageBoxIcon::Error);
    EXPECT_EQ(boxes.Requests[0].Buttons, TMessageBoxButtons::OK);

    // The next click runs the handler again.
    Click(control.get());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(boxes.Requests.size(), 2u);

    // A failing paint is reported too, and painting goes on.
    class FailingPaint : public TCustomControl {
    public:
        int Paints = 0;

    protected:
        void Paint() override {
            ++Paints;
            throw std::runtime_error("paint failed");
        }
    } painter;
    painter.resize(10, 10);
    QImage image = painter.grab().toImage();
    EXPECT_EQ(painter.Paints, 1);
    EXPECT_EQ(boxes.Requests.back().Text, QStringLiteral("paint failed"));
    Application->SetTitle(QString());
}

// The widget's palette holds the control's own colours, also those asked for again with the
// parent's values: a parent's later change must not show through them.
TEST(ControlsLook, OwnColoursStayInThePaletteWhenTheParentChanges) {
    auto parent = std::make_unique<TWinControl>();
    auto* child = new TWinControl(parent.get());
    child->SetControlStyle(child->ControlStyle() | csOpaque);
    child->SetColor(clBtnFace);
    child->Font()->SetStyle({fsBold});
    child->Font()->SetColor(clWindowText);
    parent->SetColor(clRed);
    parent->Font()->SetColor(clBlue);
    EXPECT_EQ(parent->palette().color(QPalette::Window), ToQColor(clRed));
    EXPECT_EQ(parent->palette().color(QPalette::ButtonText), ToQColor(clBlue));
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        EXPECT_EQ(child->palette().color(group, QPalette::Window), ToQColor(clBtnFace));
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            EXPECT_EQ(child->palette().color(group, role), ToQColor(clWindowText));
    }
    child->SetColor(clLime);
    EXPECT_EQ(child->palette().color(QPalette::Inactive, QPalette::Window), ToQColor(clLime));
}

TEST(ControlsPaint, CustomControlPaintsThroughItsCanvasAndGraphicControlsShowTheParent) {
    class Painted : public TCustomControl {
    public:
        using TCustomControl::TCustomControl;

    protected:
        void Paint() override {
            Canvas()->Brush.Color = clRed;
            Canvas()->FillRect(TRect(0, 0, 5, 5));
        }
    };
    class Spot : public TGraphicControl {
    public:
        using TGraphicControl::TGraphicControl;

    protected:
        void Paint() override {
            Canvas()->Brush.Color = clBlue;
            Canvas()->FillRect(TRect(0, 0, 2, 2));
        }
    };
    auto parent = std::make_unique<TWinControl>();
    parent->SetBounds(0, 0, 40, 40);
    parent->SetColor(clLime);
    auto* painted = new Painted(parent.get());
    painted->SetBounds(0, 0, 10, 10);
    painted->SetColor(clWhite);
    auto* spot = new Spot(parent.get());
    spot->SetBounds(20, 20, 10, 10);
    EXPECT_FALSE(spot->CanFocus());

    QImage image = parent->grab().toImage();
    EXPECT_EQ(FromQColor(image.pixelColor(1, 1)), clRed);
    EXPECT_EQ(FromQColor(image.pixelColor(7, 7)), clWhite); // the background in Color
    EXPECT_EQ(FromQColor(image.pixelColor(21, 21)), clBlue);
    EXPECT_EQ(FromQColor(image.pixelColor(25, 25)), clLime); // the parent shows through
}
