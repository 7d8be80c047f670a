#include "framework/Forms.h"

#include "ControlsTestSupport.h"
#include "framework/Exceptions.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"

#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace ControlsTest;

namespace {

// A control that acts as a default button: Return clicks it.
class DefaultButton : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int ModalResult = mrNone;
    bool DialogKey(int key, TShiftState) override {
        if (key != Qt::Key_Return)
            return false;
        Click();
        return true;
    }
    void Click() override {
        if (TForm* form = ParentForm())
            form->SetModalResult(ModalResult);
        TCustomControl::Click();
    }
};

class CountingListener : public QObject {
public:
    int Count = 0;
    bool event(QEvent* event) override {
        if (event->type() == QEvent::Type(1226))
            ++Count;
        return QObject::event(event);
    }
};

class TestFrame : public QObject, public TFormFrameHook {
public:
    int CustomEvents = 0;
    bool FrameEvent(QEvent* event) override {
        if (event->type() == QEvent::Type(1226))
            ++CustomEvents;
        return false;
    }
    TRect FrameClientRect(int width, int height) override {
        return TRect(5, 25, width - 5, height - 5);
    }
};

} // namespace

TEST(FormsModal, ShowModalReturnsTheResultAndCancelWhenClosed) {
    auto form = std::make_unique<TForm>();
    auto* button = new DefaultButton(form.get());
    button->ModalResult = mrOk;
    button->SetBounds(10, 10, 50, 20);
    int shows = 0, hides = 0;
    form->OnShow = [&](TObject*) { ++shows; };
    form->OnHide = [&](TObject*) { ++hides; };

    QTimer::singleShot(20, [&] {
        EXPECT_TRUE(form->Modal());
        EXPECT_EQ(form->windowModality(), Qt::ApplicationModal);
        Click(button);
    });
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->Modal());
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(hides, 1);

    // Closed any other way: Cancel.
    QTimer::singleShot(20, [&] { form->Close(); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    QTimer::singleShot(20, [&] {
        QCloseEvent close;
        QApplication::sendEvent(form.get(), &close);
    });
    EXPECT_EQ(form->ShowModal(), mrCancel);

    // Return presses the default button.
    QTimer::singleShot(20, [&] { SendKey(form.get(), Qt::Key_Return); });
    EXPECT_EQ(form->ShowModal(), mrOk);

    // A visible form cannot be made modal.
    form->Show();
    EXPECT_THROW(form->ShowModal(), EInvalidOperation);
    form->Hide();
}

TEST(FormsModal, AModalFormBelongsToTheWindowItWasOpenedFrom) {
    TForm owner;
    owner.Show();
    owner.activateWindow();
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == &owner; }));
    TForm modal;
    QWindow* transientParent = nullptr;
    QTimer::singleShot(20, [&] {
        transientParent = modal.windowHandle()->transientParent();
        modal.SetModalResult(mrOk);
    });
    modal.ShowModal();
    EXPECT_EQ(transientParent, owner.windowHandle()) << "no taskbar entry of its own";
}

TEST(FormsModal, CloseQueryCanRefuseTheResult) {
    auto form = std::make_unique<TForm>();
    int asked = 0;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
    TCloseAction seen = caNone;
    form->OnClose = [&](TObject*, TCloseAction& action) { seen = action; };
    QTimer::singleShot(20, [&] { form->SetModalResult(mrYes); });
    QTimer::singleShot(60, [&] {
        EXPECT_TRUE(form->isVisible()); // the first answer was refused
        EXPECT_EQ(form->ModalResult(), mrNone);
        form->SetModalResult(mrNo);
    });
    EXPECT_EQ(form->ShowModal(), mrNo);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(seen, caHide);
}

TEST(FormsClose, CloseQueryAndCloseActionDecide) {
    auto form = std::make_unique<TForm>();
    bool allow = false;
    TCloseAction action = caHide;
    form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
    form->OnClose = [&](TObject*, TCloseAction& a) { a = action; };
    form->Show();
    form->Close();
    EXPECT_TRUE(form->isVisible());
    allow = true;
    action = caNone;
    form->Close();
    EXPECT_TRUE(form->isVisible());
    action = caHide;
    form->Close();
    EXPECT_FALSE(form->isVisible());

    // caFree destroys the form once the events in hand are done.
    QPointer<TForm> freed = new TForm();
    freed->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    freed->Show();
    freed->Close();
    EXPECT_TRUE(WaitFor([&] { return freed.isNull(); }));

    // Closing the main form ends the program.
    TForm* previousMain = Application->MainForm();
    Application->SetMainForm(form.get());
    form->Show();
    form->Close();
    EXPECT_TRUE(Application->Terminated());
    Application->ResetTerminated();
    Application->SetMainForm(previousMain);
}

TEST(FormsKeys, ShortcutsGoToTheMainMenuBeforeTheControl) {
    auto form = std::make_unique<TForm>();
    auto* control = new TCustomControl(form.get());
    int keyDowns = 0;
    control->OnKeyDown = [&](TObject*, int&, TShiftState) { ++keyDowns; };

    auto* menu = new TMainMenu(form.get());
    auto* file = new TMenuItem(menu);
    file->SetCaption(QStringLiteral("文件(&F)"));
    menu->Items()->Add(file);
    auto* save = new TMenuItem(menu);
    save->SetCaption(QStringLiteral("保存特效"));
    save->SetShortCut(TextToShortCut(QStringLiteral("Ctrl+S")));
    int saves = 0;
    save->OnClick = [&](TObject*) { ++saves; };
    file->Add(save);
    form->SetMenu(menu);

    SendKey(control, Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13"));
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(keyDowns, 0);

    // OnShortCut sees the key first and may take it.
    int offered = 0;
    form->OnShortCut = [&](int key, bool& handled) {
        ++offered;
        handled = key == (scCtrl | Qt::Key_S);
    };
    SendKey(control, Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13"));
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(offered, 1);

    // A disabled item is no shortcut; the control gets the key.
    form->OnShortCut = nullptr;
    save->SetEnabled(false);
    SendKey(control, Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13"));
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(keyDowns, 1);
}

TEST(FormsKeys, KeyPreviewLetsTheFormSeeKeysFirst) {
    auto form = std::make_unique<TForm>();
    auto* control = new TCustomControl(form.get());
    std::vector<QString> order;
    form->OnKeyDown = [&](TObject*, int& key, TShiftState) {
        order.push_back(QStringLiteral("form"));
        if (key == Qt::Key_Escape)
            key = 0;
    };
    control->OnKeyDown = [&](TObject*, int&, TShiftState) {
        order.push_back(QStringLiteral("control"));
    };
    SendKey(control, Qt::Key_A, {}, QStringLiteral("a"));
    EXPECT_EQ(order, std::vector<QString>{QStringLiteral("control")});
    form->SetKeyPreview(true);
    order.clear();
    SendKey(control, Qt::Key_A, {}, QStringLiteral("a"));
    SendKey(control, Qt::Key_Escape);
    EXPECT_EQ(order, (std::vector<QString>{"form", "control", "form"}));
}

TEST(FormsLayout, ClientAreaFrameHookAutoSizeAndMessages) {
    auto form = std::make_unique<TForm>();
    form->SetClientSize(529, 285);
    EXPECT_EQ(form->ClientWidth(), 529);
    EXPECT_EQ(form->ClientHeight(), 285);
    auto* grid = new TCustomControl(form.get());
    grid->SetBounds(5, 0, 521, 233);
    EXPECT_EQ(grid->Parent(), form.get());
    EXPECT_EQ(grid->parentWidget(), form->ClientArea());
    auto* bar = new TStatusBar(form.get());
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 266, 529, 19));

    // Auto-size keeps a form that already fits and grows with its controls.
    form->SetAutoSize(true);
    EXPECT_EQ(form->ClientWidth(), 529);
    EXPECT_EQ(form->ClientHeight(), 285);
    grid->SetWidth(600);
    EXPECT_EQ(form->ClientWidth(), 605);
    EXPECT_EQ(bar->Width(), 605);
    form->SetAutoSize(false);

    // A frame moves the client area; client sizes keep meaning the client area.
    TestFrame frame;
    form->SetFrameHook(&frame);
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    form->SetClientSize(200, 100);
    EXPECT_EQ(form->Width(), 210);
    EXPECT_EQ(form->Height(), 130);
    EXPECT_EQ(form->ClientArea()->geometry(), QRect(5, 25, 200, 100));
    EXPECT_EQ(form->ClientToScreen(TPoint(0, 0)),
              TPoint::FromQPoint(form->mapToGlobal(QPoint(5, 25))));

    // Custom messages reach the frame and the listeners.
    CountingListener listener;
    form->AddMessageListener(&listener);
    QEvent message(QEvent::Type(1226));
    QCoreApplication::sendEvent(form.get(), &message);
    EXPECT_EQ(frame.CustomEvents, 1);
    EXPECT_EQ(listener.Count, 1);
    form->RemoveMessageListener(&listener);
    QCoreApplication::sendEvent(form.get(), &message);
    EXPECT_EQ(listener.Count, 1);

    form->SetFrameHook(nullptr);
    EXPECT_FALSE(form->windowFlags() & Qt::FramelessWindowHint);

    // Components: the non-visual ones, then every control.
    auto* timerLike = new TComponent(form.get());
    EXPECT_EQ(form->Components(0), timerLike);
    EXPECT_EQ(form->ComponentCount(), 3);
}

TEST(FormsStyle, StayOnTopSwitchesWithoutLosingPlaceOrVisibility) {
    auto form = std::make_unique<TForm>();
    form->SetBorderStyle(bsSingle);
    form->SetBounds(40, 50, 300, 200);
    form->Show();
    ASSERT_TRUE(WaitFor([&] { return form->isVisible(); }));
    QPoint place = form->pos();
    form->SetFormStyle(fsStayOnTop);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->pos(), place);
    EXPECT_EQ(form->size(), QSize(300, 200));
    form->SetFormStyle(fsNormal);
    EXPECT_FALSE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->isVisible());

    // A fixed border: the program still sizes the window.
    form->SetBounds(40, 50, 320, 220);
    EXPECT_EQ(form->size(), QSize(320, 220));
    EXPECT_EQ(form->minimumSize(), QSize(320, 220));

    form->SetBorderStyle(bsToolWindow);
    EXPECT_EQ(form->windowType(), Qt::Tool);
    form->Hide();
}

TEST(FormsScreen, FormsAreListedInCreationOrder) {
    int before = Screen->FormCount();
    auto a = std::make_unique<TForm>();
    auto b = std::make_unique<TForm>();
    auto c = std::make_unique<TForm>();
    ASSERT_EQ(Screen->FormCount(), before + 3);
    EXPECT_EQ(Screen->Forms(before), a.get());
    EXPECT_EQ(Screen->Forms(before + 2), c.get());
    b.reset();
    EXPECT_EQ(Screen->Forms(before + 1), c.get());
    EXPECT_FALSE(Screen->WorkAreaRect().IsEmpty());
    EXPECT_GT(Screen->Width(), 0);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(FormsHints, HintFollowsTheMouseAndTooltipsShowTheShortHint) {
    auto form = std::make_unique<TForm>();
    form->SetBounds(0, 0, 300, 200);
    auto* withHint = new TCustomControl(form.get());
    withHint->SetBounds(10, 10, 50, 20);
    withHint->SetHint(QStringLiteral("复制|复制代码到剪贴板"));
    withHint->SetShowHint(true);
    auto* quiet = new TCustomControl(form.get());
    quiet->SetBounds(100, 10, 50, 20);
    form->Show();
    Pump(50); // the window system's enter and expose events come first

    std::vector<QString> hints;
    Application->OnHint = [&](TObject*) { hints.push_back(Application->Hint()); };
    int enters = 0, leaves = 0;
    withHint->OnMouseEnter = [&](TObject*) { ++enters; };
    withHint->OnMouseLeave = [&](TObject*) { ++leaves; };
    Application->HintPause = 10;
    Application->HintHidePause = 5000;
    QString shown;
    Application->OnShowHint = [&](QString& text, bool&, THintInfo& info) {
        shown = text;
        EXPECT_EQ(info.HintControl, withHint);
    };

    MoveMouse(withHint, QPoint(5, 5));
    EXPECT_EQ(Application->Hint(), QStringLiteral("复制代码到剪贴板"));
    EXPECT_EQ(enters, 1);
    MoveMouse(withHint, QPoint(6, 5)); // same control: nothing new
    EXPECT_EQ(hints.size(), 1u);
    ASSERT_TRUE(WaitFor(
        [] { return Application->HintWindow() && Application->HintWindow()->isVisible(); }));
    EXPECT_EQ(shown, QStringLiteral("复制"));
    EXPECT_EQ(Application->HintWindow()->Caption(), QStringLiteral("复制"));

    MoveMouse(quiet, QPoint(5, 5));
    EXPECT_EQ(Application->Hint(), QString());
    EXPECT_EQ(leaves, 1);
    EXPECT_FALSE(Application->HintWindow()->isVisible());
    EXPECT_EQ(hints, (std::vector<QString>{QStringLiteral("复制代码到剪贴板"), QString()}));

    // OnShowHint may change the text or refuse it.
    Application->OnShowHint = [&](QString& text, bool& canShow, THintInfo&) {
        canShow = text != QStringLiteral("复制");
    };
    MoveMouse(withHint, QPoint(5, 5));
    Pump(100);
    EXPECT_FALSE(Application->HintWindow()->isVisible());

    // A hint given while the mouse rests on a control shows after the pause.
    Application->OnShowHint = nullptr;
    auto* late = new TCustomControl(form.get());
    late->SetBounds(200, 10, 50, 20);
    late->SetShowHint(true);
    MoveMouse(late, QPoint(5, 5));
    Pump(50);
    EXPECT_FALSE(Application->HintWindow()->isVisible());
    late->SetHint(QStringLiteral("星期三"));
    MoveMouse(late, QPoint(6, 5));
    ASSERT_TRUE(WaitFor([] { return Application->HintWindow()->isVisible(); }));
    EXPECT_EQ(Application->HintWindow()->Caption(), QStringLiteral("星期三"));

    // A replaced hint-window class takes effect when the hints are switched back on.
    class MyHint : public THintWindow {};
    Application->HintWindowClass = [] { return new MyHint; };
    Application->SetShowHint(false);
    EXPECT_EQ(Application->HintWindow(), nullptr);
    Application->SetShowHint(true);
    EXPECT_NE(dynamic_cast<MyHint*>(Application->HintWindow()), nullptr);

    Application->HintWindowClass = nullptr;
    Application->SetShowHint(false);
    Application->SetShowHint(true);
    Application->OnHint = nullptr;
    Application->OnShowHint = nullptr;
    Application->HintPause = 500;
    Application->HintHidePause = 2500;
    MoveMouse(form->ClientArea(), QPoint(250, 150));
    form->Hide();
}

TEST(FormsHints, APlainEnterEventWithoutAPositionIsSafe) {
    auto form = std::make_unique<TForm>();
    form->SetBounds(0, 0, 200, 100);
    auto* control = new TCustomControl(form.get());
    control->SetBounds(10, 10, 50, 20);
    form->Show();
    Pump(20);
    // Some widgets send Enter as a bare QEvent; it must not be read as a QEnterEvent.
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(control, &enter);
    Pump(20);
    form->Hide();
}

TEST(FormsApplication, TerminateBeforeRunEndsAtOnce) {
    TForm* previousMain = Application->MainForm();
    auto* main = Application->CreateForm<TForm>();
    if (!previousMain) {
        EXPECT_EQ(Application->MainForm(), main);
    }
    Application->SetMainForm(main);
    int shows = 0;
    main->OnShow = [&](TObject*) { ++shows; };
    Application->Terminate();
    EXPECT_EQ(Application->Run(), 0);
    EXPECT_EQ(shows, 0);
    EXPECT_EQ(Application->MainForm(), nullptr); // destroyed with the application's forms
    Application->ResetTerminated();

    // Terminate from inside the loop ends it.
    auto* second = Application->CreateForm<TForm>();
    Application->SetMainForm(second);
    QTimer::singleShot(20, [] { Application->Terminate(); });
    EXPECT_EQ(Application->Run(), 0);
    Application->ResetTerminated();
    Application->SetMainForm(nullptr);
}
