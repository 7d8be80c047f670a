#include "framework/Forms.h"

#include "framework/Canvas.h"
#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"
#include "framework/ModalEnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>
#include <algorithm>

// ---------------------------------------------------------------------------------------
// The client area: the child widget a form's controls live in. Its mouse events and its
// painting are the form's.

class TFormClientArea : public QWidget {
public:
    explicit TFormClientArea(TForm* form) : QWidget(form), FForm(form) {
        setMouseTracking(true);
        setFocusPolicy(Qt::NoFocus);
        setAutoFillBackground(false);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    bool event(QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            if (!FForm->isEnabled())
                break;
            FForm->HandleMouseEvent(static_cast<QMouseEvent*>(event));
            event->accept();
            return true;
        default:
            break;
        }
        return QWidget::event(event);
    }
    void paintEvent(QPaintEvent* event) override { FForm->PaintClientArea(event); }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        FForm->Realign();
    }

private:
    TForm* FForm;
};

// ---------------------------------------------------------------------------------------
// TForm

TForm::TForm(QObject* owner) : TWinControl(nullptr) {
    FClientArea = new TFormClientArea(this);
    FCanvas = std::make_unique<TCanvas>(static_cast<QPaintDevice*>(FClientArea));
    FCanvas->Font.Assign(*Font());
    SetTabStop(false);
    UpdateBackground();
    ApplyWindowFlags();
    resize(320, 240);
    UpdateClientArea();
    Screen->AddForm(this);
    if (owner == static_cast<QObject*>(Application))
        Application->AdoptForm(this);
    else if (owner)
        connect(owner, &QObject::destroyed, this, [this] { delete this; });
}

TForm::~TForm() {
    if (FModalLoop)
        FModalLoop->exit();
    DoDestroy();
    Screen->RemoveForm(this);
}

void TForm::DoDestroy() {
    if (FDestroyFired)
        return;
    FDestroyFired = true;
    FireEvent(OnDestroy, this);
}

void TForm::SetParent(TWinControl*) {
    // Forms are top-level windows here.
}

void TForm::DoCreate() {
    FireEvent(OnCreate, this);
}

void TForm::SetText(const QString& text) {
    if (text == windowTitle())
        return;
    setWindowTitle(text);
    TextChanged();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
    if (style == FBorderStyle)
        return;
    FBorderStyle = style;
    ApplyWindowFlags();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    if (icons == FBorderIcons)
        return;
    FBorderIcons = icons;
    ApplyWindowFlags();
}

void TForm::SetFormStyle(TFormStyle style) {
    if (style == FFormStyle)
        return;
    FFormStyle = style;
    ApplyWindowFlags();
}

void TForm::ApplyWindowFlags() {
    Qt::WindowFlags flags;
    bool tool = false;
    switch (FBorderStyle) {
    case bsDialog:
        flags = Qt::Dialog;
        tool = true;
        break;
    case bsToolWindow:
    case bsSizeToolWin:
        flags = Qt::Tool;
        tool = true;
        break;
    default:
        flags = Qt::Window;
        break;
    }
    if (FBorderStyle == bsNone || FrameHook()) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (FBorderIcons & biSystemMenu)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (!tool && (FBorderIcons & biMinimize))
            flags |= Qt::WindowMinimizeButtonHint;
        if (!tool && (FBorderIcons & biMaximize))
            flags |= Qt::WindowMaximizeButtonHint;
    }
    if (FFormStyle == fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    if (flags == windowFlags()) {
        ApplyFixedSize();
        return;
    }
    // Changing the flags of a shown window hides it; put it back where it was.
    bool wasVisible = isVisible();
    QPoint place = pos();
    QSize extent = size();
    FChangingFlags = true;
    setWindowFlags(flags);
    move(place);
    resize(extent);
    if (wasVisible)
        QWidget::setVisible(true);
    FChangingFlags = false;
    ApplyFixedSize();
}

void TForm::ApplyFixedSize() {
    bool fixed =
        FBorderStyle == bsSingle || FBorderStyle == bsDialog || FBorderStyle == bsToolWindow;
    if (fixed) {
        setFixedSize(size());
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

void TForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    // A fixed border only keeps the user from sizing the window; code may.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    ApplyFixedSize();
}

void TForm::ApplyPosition() {
    if (FPositioned)
        return;
    FPositioned = true;
    TRect area;
    if (FPosition == poScreenCenter)
        area = Screen->MonitorRect(nullptr);
    else if (FPosition == poDesktopCenter)
        area = Screen->DesktopRect();
    else
        return;
    move(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2);
}

void TForm::SetAutoSize(bool value) {
    FAutoSize = value;
    AdjustAutoSize();
}

void TForm::AdjustAutoSize() {
    if (!FAutoSize || FAutoSizing)
        return;
    int right = 0;
    int bottom = 0;
    bool any = false;
    for (TControl* c : ControlList()) {
        if (!c->Visible())
            continue;
        any = true;
        right = std::max(right, c->Left() + c->Width());
        bottom = std::max(bottom, c->Top() + c->Height());
    }
    if (!any)
        return;
    FAutoSizing = true;
    SetClientSize(right, bottom);
    FAutoSizing = false;
}

TRect TForm::ClientRect() const {
    return TRect(0, 0, FClientArea->width(), FClientArea->height());
}

int TForm::ClientWidth() const {
    return FClientArea->width();
}

int TForm::ClientHeight() const {
    return FClientArea->height();
}

void TForm::SetClientWidth(int value) {
    SetClientSize(value, ClientHeight());
}

void TForm::SetClientHeight(int value) {
    SetClientSize(ClientWidth(), value);
}

void TForm::SetClientSize(int width, int height) {
    int extraWidth = Width() - FClientArea->width();
    int extraHeight = Height() - FClientArea->height();
    SetBounds(Left(), Top(), width + extraWidth, height + extraHeight);
}

void TForm::UpdateClientArea() {
    TRect rect(0, 0, width(), height());
    if (TFormFrameHook* hook = FrameHook())
        Guarded([&] { rect = hook->FrameClientRect(width(), height()); });
    rect.Right = std::max(rect.Right, rect.Left);
    rect.Bottom = std::max(rect.Bottom, rect.Top);
    FClientArea->setGeometry(rect.ToQRect());
    Realign();
}

void TForm::SizeChanged() {
    UpdateClientArea();
}

void TForm::ControlChanged(TControl* child) {
    TWinControl::ControlChanged(child);
    AdjustAutoSize();
}

void TForm::UpdateBackground() {
    TWinControl::UpdateBackground();
    if (FClientArea)
        FClientArea->update();
}

void TForm::Show() {
    setVisible(true);
    raise();
    if (!testAttribute(Qt::WA_ShowWithoutActivating))
        activateWindow();
}

void TForm::Hide() {
    setVisible(false);
}

bool TForm::CloseQuery() {
    bool canClose = true;
    FireEvent(OnCloseQuery, this, canClose);
    return canClose;
}

void TForm::DoClose(TCloseAction& action) {
    FireEvent(OnClose, this, action);
}

void TForm::Close() {
    if (Modal()) {
        SetModalResult(mrCancel);
        return;
    }
    if (FClosing)
        return;
    FClosing = true;
    QPointer<TForm> self(this);
    if (CloseQuery()) {
        TCloseAction action = caHide;
        DoClose(action);
        if (self && action != caNone) {
            if (Application->MainForm() == this) {
                Hide();
                Application->Terminate();
            } else if (action == caHide) {
                Hide();
            } else if (action == caMinimize) {
                showMinimized();
            } else {
                Release();
            }
        }
    }
    if (self)
        FClosing = false;
}

void TForm::closeEvent(QCloseEvent* event) {
    // The window system asks; the form decides through Close.
    event->ignore();
    Guarded([this] { Close(); });
}

namespace {

// A modal window belongs to the window it was opened from: the window manager keeps it above
// that one and gives it no taskbar entry of its own.
void BelongTo(QWidget* modal, QWidget* owner) {
    if (!owner || owner->window() == modal || modal->parentWidget())
        return;
    QWindow* ownerWindow = owner->window()->windowHandle();
    if (!ownerWindow)
        return;
    modal->winId(); // makes the window, so it can name its owner before it shows
    if (QWindow* own = modal->windowHandle())
        own->setTransientParent(ownerWindow);
}

} // namespace

TModalResult TForm::ShowModal() {
    if (isVisible() || Modal() || !isEnabled())
        throw EInvalidOperation(QStringLiteral("Cannot make a visible window modal"));
    QPointer<TForm> self(this);
    QPointer<QWidget> previous = QApplication::activeWindow();
    BelongTo(this, previous);
    QEventLoop loop;
    FModalLoop = &loop;
    FModalResult = mrNone;
    setWindowModality(Qt::ApplicationModal);
    Show();
    bool release = false;
    for (;;) {
        if (FModalResult == mrNone && !Application->Terminated())
            loop.exec(QEventLoop::DialogExec);
        if (!self)
            return mrCancel;
        if (Application->Terminated()) {
            FModalResult = mrCancel;
            break;
        }
        if (FModalResult == mrNone)
            continue;
        // The close rules decide whether the result ends the modal run.
        TCloseAction action = caNone;
        if (CloseQuery()) {
            action = caHide;
            DoClose(action);
        }
        if (!self)
            return mrCancel;
        if (action == caNone) {
            FModalResult = mrNone;
            continue;
        }
        release = action == caFree;
        break;
    }
    FModalLoop = nullptr;
    Hide();
    ModalEnd::Note();
    setWindowModality(Qt::NonModal);
    if (previous)
        previous->activateWindow();
    TModalResult result = FModalResult;
    if (release)
        Release();
    return result;
}

void TForm::SetModalResult(TModalResult result) {
    FModalResult = result;
    if (FModalLoop && result != mrNone)
        FModalLoop->exit();
}

TControl* TForm::ActiveControl() const {
    QWidget* focus = focusWidget();
    if (!focus)
        return nullptr;
    TControl* control = ControlOfWidget(focus);
    return control == this ? nullptr : control;
}

void TForm::SetActiveControl(TControl* control) {
    if (!control) {
        if (QWidget* focus = focusWidget())
            focus->clearFocus();
        return;
    }
    control->setFocus(Qt::OtherFocusReason);
}

TMainMenu* TForm::Menu() const {
    return qobject_cast<TMainMenu*>(FMenu.data());
}

void TForm::SetMenu(TMainMenu* menu) {
    FMenu = menu;
}

bool TForm::IsShortCut(int key) {
    bool handled = false;
    FireEvent(OnShortCut, key, handled);
    if (handled)
        return true;
    TMainMenu* menu = Menu();
    bool used = false;
    if (menu)
        Guarded([&] { used = menu->IsShortCut(key); });
    return used;
}

void TForm::SetFrameHook(TFormFrameHook* hook) {
    FFrameHook = hook;
    QObject* object = dynamic_cast<QObject*>(hook);
    FFrameHookObject = object;
    FFrameHookIsObject = object != nullptr;
    ApplyWindowFlags();
    UpdateClientArea();
    update();
}

TFormFrameHook* TForm::FrameHook() const {
    if (FFrameHookIsObject && !FFrameHookObject)
        return nullptr;
    return FFrameHook;
}

void TForm::AddMessageListener(QObject* listener) {
    if (!listener)
        return;
    for (const QPointer<QObject>& l : FMessageListeners)
        if (l == listener)
            return;
    FMessageListeners.emplace_back(listener);
}

void TForm::RemoveMessageListener(QObject* listener) {
    std::erase_if(FMessageListeners,
                  [listener](const QPointer<QObject>& l) { return !l || l == listener; });
}

bool TForm::ForwardCustomEvent(QEvent* event) {
    std::vector<QPointer<QObject>> listeners = FMessageListeners;
    bool handled = false;
    for (const QPointer<QObject>& l : listeners)
        if (l)
            handled = QCoreApplication::sendEvent(l, event) || handled;
    return handled;
}

QList<QObject*> TForm::ComponentList() const {
    QList<QObject*> list;
    for (QObject* child : children())
        if (!child->isWidgetType())
            list.append(child);
    for (TControl* c : AllControls())
        list.append(c);
    return list;
}

int TForm::ComponentCount() const {
    return static_cast<int>(ComponentList().size());
}

QObject* TForm::Components(int index) const {
    QList<QObject*> list = ComponentList();
    return index >= 0 && index < list.size() ? list.at(index) : nullptr;
}

bool TForm::BroadcastDialogKey(int key, TShiftState shift) {
    for (TControl* c : AllControls()) {
        bool used = false;
        Guarded([&] { used = c->DialogKey(key, shift); });
        if (used)
            return true;
    }
    return false;
}

bool TForm::BroadcastDialogChar(QChar ch) {
    for (TControl* c : AllControls()) {
        bool used = false;
        Guarded([&] { used = c->DialogChar(ch); });
        if (used)
            return true;
    }
    return false;
}

void TForm::DoShow() {
    FireEvent(OnShow, this);
}

void TForm::DoHide() {
    FireEvent(OnHide, this);
}

void TForm::Activate() {
    FireEvent(OnActivate, this);
}

void TForm::Deactivate() {
    FireEvent(OnDeactivate, this);
}

void TForm::Paint() {
    FireEvent(OnPaint, this);
}

void TForm::PaintClientArea(QPaintEvent*) {
    TCanvas& canvas = *FCanvas;
    canvas.SelectClipRgn(nullptr);
    canvas.SetWindowOrg(0, 0);
    canvas.SetViewportOrg(0, 0);
    Guarded([&] {
        TFormFrameHook* hook = FrameHook();
        if (!hook || !hook->FrameEraseClient(&canvas)) {
            TBrush saved = canvas.Brush;
            canvas.Brush.Color = Color();
            canvas.Brush.Style = bsSolid;
            canvas.FillRect(ClientRect());
            canvas.Brush = saved;
        }
        Paint();
    });
    canvas.EndPaint();
}

bool TForm::event(QEvent* event) {
    if (TFormFrameHook* hook = FrameHook()) {
        bool consumed = false;
        Guarded([&] { consumed = hook->FrameEvent(event); });
        if (consumed)
            return true;
    }
    if (event->type() >= QEvent::User && event->type() <= QEvent::MaxUser)
        return ForwardCustomEvent(event);
    switch (event->type()) {
    case QEvent::Show:
        if (!event->spontaneous() && !FChangingFlags) {
            ApplyPosition();
            Guarded([this] { DoShow(); });
        }
        break;
    case QEvent::Hide:
        if (!event->spontaneous() && !FChangingFlags)
            Guarded([this] { DoHide(); });
        break;
    case QEvent::WindowActivate:
        Guarded([this] { Activate(); });
        break;
    case QEvent::WindowDeactivate:
        Guarded([this] { Deactivate(); });
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        // The window around the client area: no client mouse events.
        return QWidget::event(event);
    default:
        break;
    }
    return TWinControl::event(event);
}

// ---------------------------------------------------------------------------------------
// TApplication

namespace {

// The pointer's height below its hot spot, where a tooltip starts.
constexpr int CursorHeightMargin = 20;

void DestroyGlobalWidgets() {
    Application->DestroyForms();
    if (THintWindow* w = Application->HintWindow())
        delete w;
}

} // namespace

TApplication::TApplication() {
    FHintTimer.setSingleShot(true);
    FHideTimer.setSingleShot(true);
    FLeaveTimer.setSingleShot(true);
    FLeaveTimer.setInterval(0);
    connect(&FHintTimer, &QTimer::timeout, this, [this] { ActivateHint(); });
    connect(&FHideTimer, &QTimer::timeout, this, [this] {
        HideHintWindow();
        FHintBlocked = true;
    });
    connect(&FLeaveTimer, &QTimer::timeout, this, [this] { SettleMouseLeave(); });
    InstallExceptionHandler();
}

void TApplication::InstallExceptionHandler() {
    SetExceptionHandler([](const std::exception& error) { Application->HandleException(error); });
}

TApplication::~TApplication() = default;

void TApplication::Initialize() {
    if (FInitialized || !qApp)
        return;
    FInitialized = true;
    // What Qt draws on its own (an edit's context menu, the text layout an edit makes
    // before its control gives it a font) is in the controls' default font: start-up then
    // prepares one font less.
    QApplication::setFont(TFont().ToQFont());
    qApp->installEventFilter(this);
    qAddPostRoutine(DestroyGlobalWidgets);
}

void TApplication::Finalize() {
    FHintTimer.stop();
    FHideTimer.stop();
    FLeaveTimer.stop();
    DestroyGlobalWidgets();
    if (!FInitialized)
        return;
    FInitialized = false;
    if (qApp) {
        qApp->removeEventFilter(this);
        qRemovePostRoutine(DestroyGlobalWidgets);
    }
}

QString TApplication::Title() const {
    return FTitle.isEmpty() ? QCoreApplication::applicationName() : FTitle;
}

void TApplication::SetIcon(const QIcon& icon) {
    FIcon = icon;
    QApplication::setWindowIcon(icon);
}

void TApplication::AdoptForm(TForm* form) {
    for (const QPointer<TForm>& f : FOwnedForms)
        if (f == form)
            return;
    FOwnedForms.append(form);
}

void TApplication::DestroyForms() {
    while (!FOwnedForms.isEmpty()) {
        QPointer<TForm> form = FOwnedForms.takeLast();
        delete form.data();
    }
}

int TApplication::Run() {
    Initialize();
    QApplication::setQuitOnLastWindowClosed(false);
    int code = 0;
    if (!FTerminated && FMainForm)
        FMainForm->Show();
    if (!FTerminated) {
        FRunning = true;
        code = QApplication::exec();
        FRunning = false;
    }
    CancelHint();
    DestroyForms();
    return code;
}

void TApplication::Terminate() {
    FTerminated = true;
    if (FRunning) {
        QCoreApplication::exit(0);
        return;
    }
    // No main loop yet: end the modal runs; Run will not start.
    for (TForm* form : Screen->FormList())
        if (form->Modal())
            form->SetModalResult(mrCancel);
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::Minimize() {
    for (TForm* form : Screen->FormList())
        if (form->isVisible())
            form->showMinimized();
    FireEvent(OnMinimize, this);
}

void TApplication::Restore() {
    for (TForm* form : Screen->FormList())
        if (form->isVisible() && (form->windowState() & Qt::WindowMinimized))
            form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
    FireEvent(OnRestore, this);
}

void TApplication::ShowException(const std::exception& error) {
    auto* own = dynamic_cast<const Exception*>(&error);
    QString text = own ? own->Message() : QString::fromUtf8(error.what());
    MessageBox(text, Title(), TMessageBoxIcon::Error, TMessageBoxButtons::OK);
}

void TApplication::HandleException(const std::exception& error) {
    CancelHint();
    if (OnException)
        OnException(this, error);
    else
        ShowException(error);
}

void TApplication::SetHint(const QString& hint) {
    if (hint == FHint)
        return;
    FHint = hint;
    FireEvent(OnHint, this);
}

void TApplication::SetShowHint(bool value) {
    if (value == FShowHint)
        return;
    FShowHint = value;
    // Switching the hints off drops the hint window; switching them on makes a new one of
    // the current class.
    CancelHint();
    delete FHintWindow.data();
    if (value && qApp)
        EnsureHintWindow();
}

THintWindow* TApplication::HintWindow() const {
    return FHintWindow.data();
}

THintWindow* TApplication::EnsureHintWindow() {
    if (!FHintWindow && FShowHint && qApp) {
        THintWindow* window = nullptr;
        Guarded([&] { window = HintWindowClass ? HintWindowClass() : new THintWindow(); });
        FHintWindow = window;
    }
    return FHintWindow.data();
}

bool TApplication::HintAllowed(TControl* control) const {
    return FShowHint && control && control->ShowHint() && !GetShortHint(control->Hint()).isEmpty();
}

void TApplication::HideHintWindow() {
    FHideTimer.stop();
    if (FHintShown && FHintWindow)
        FHintWindow->HideHint();
    FHintShown = false;
}

void TApplication::CancelHint() {
    FHintTimer.stop();
    if (FHintShown)
        FHintRecently = false;
    HideHintWindow();
    FHintBlocked = true;
}

void TApplication::StartHintTimer(bool shortPause) {
    FHintTimer.start(std::max(0, shortPause ? HintShortPause : HintPause));
}

void TApplication::ActivateHint() {
    FHintTimer.stop();
    TControl* control = FMouseControl.data();
    if (!HintAllowed(control))
        return;
    THintInfo info;
    info.HintControl = control;
    info.CursorPos = control->ScreenToClient(FMousePos);
    info.HintPos = TPoint(FMousePos.X, FMousePos.Y + CursorHeightMargin);
    info.HintMaxWidth = Screen->Width();
    info.HintColor = HintColor;
    info.CursorRect = control->ClientRect();
    info.HideTimeout = HintHidePause;
    info.HintStr = GetShortHint(control->Hint());
    QString hintStr = info.HintStr;
    bool canShow = true;
    FireEvent(OnShowHint, hintStr, canShow, info);
    if (!canShow || hintStr.isEmpty() || !FMouseControl) {
        FHintBlocked = true; // refused: not asked again until the mouse moves elsewhere
        return;
    }
    THintWindow* window = EnsureHintWindow();
    if (!window)
        return;
    Guarded([&] {
        window->SetColor(info.HintColor);
        TRect rect = window->CalcHintRect(info.HintMaxWidth, hintStr);
        rect.Offset(info.HintPos.X, info.HintPos.Y);
        window->ActivateHint(rect, hintStr);
    });
    FHintShown = true;
    FHintRecently = true;
    TPoint origin = control->ClientToScreen(TPoint(0, 0));
    FHintCursorRect = info.CursorRect;
    FHintCursorRect.Offset(origin.X, origin.Y);
    if (info.HideTimeout > 0)
        FHideTimer.start(info.HideTimeout);
}

void TApplication::SetMouseControl(TControl* control, const TPoint& screenPoint) {
    FMousePos = screenPoint;
    FLeavePending = false;
    FLeaveTimer.stop();
    if (control == FMouseControl) {
        // Leaving the hint's area of the control brings the hint back at the new place.
        if (FHintShown && !PtInRect(FHintCursorRect, screenPoint)) {
            HideHintWindow();
            StartHintTimer(true);
        } else if (!FHintShown && !FHintBlocked && !FHintTimer.isActive() && HintAllowed(control)) {
            // A hint given while the mouse is on the control (a grid naming the cell under
            // it) waits the same pause as one found on entering.
            StartHintTimer(FHintRecently);
        }
        return;
    }
    QPointer<TControl> old = FMouseControl;
    FMouseControl = control;
    if (old)
        Guarded([&] { old->MouseLeave(); });
    if (control)
        Guarded([&] { control->MouseEnter(); });
    SetHint(FMouseControl ? GetLongHint(FMouseControl->Hint()) : QString());

    bool wasShown = FHintShown;
    HideHintWindow();
    FHintTimer.stop();
    FHintBlocked = false;
    if (!FMouseControl)
        FHintRecently = FHintRecently && wasShown;
    else if (HintAllowed(FMouseControl))
        StartHintTimer(wasShown || FHintRecently);
}

void TApplication::SettleMouseLeave() {
    if (!FLeavePending)
        return;
    FLeavePending = false;
    SetMouseControl(ControlOfWidget(FPendingLeave.data()), FMousePos);
}

void TApplication::TrackMouse(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType())
        return;
    auto* widget = static_cast<QWidget*>(watched);
    // The tooltip itself is never the place the mouse is over.
    if (widget->window()->windowType() == Qt::ToolTip)
        return;
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto* move = static_cast<QMouseEvent*>(event);
        TPoint global = TPoint::FromQPoint(move->globalPosition().toPoint());
        // An ignored move travels on to the parents; only its first receiver counts.
        if (event == FLastMoveEvent && global == FLastMovePos && FLastMoveWidget &&
            widget->isAncestorOf(FLastMoveWidget))
            return;
        FLastMoveEvent = event;
        FLastMovePos = global;
        FLastMoveWidget = widget;
        QWidget* under = widget;
        // While a button is held the pressed control gets the moves; the one under the
        // pointer is where it really is.
        if (move->buttons() != Qt::NoButton)
            if (QWidget* at = QApplication::widgetAt(global.ToQPoint()))
                under = at;
        SetMouseControl(ControlOfWidget(under), global);
        if (FHintBlocked && FHintShown)
            HideHintWindow();
        break;
    }
    case QEvent::Enter: {
        // Widgets may send a plain Enter event of their own; it carries no position.
        const auto* enter = dynamic_cast<QEnterEvent*>(event);
        FMousePos = TPoint::FromQPoint(enter ? enter->globalPosition().toPoint() : QCursor::pos());
        // Entering sends Enter to every widget from the window down; settle on the last.
        FPendingLeave = widget;
        FLeavePending = true;
        FLeaveTimer.start();
        break;
    }
    case QEvent::Leave:
        FPendingLeave = widget->isWindow() ? nullptr : widget->parentWidget();
        FLeavePending = true;
        FLeaveTimer.start();
        break;
    default:
        break;
    }
}

bool TApplication::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::Enter:
    case QEvent::Leave:
        TrackMouse(watched, event);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel:
        if (FHintShown || FHintTimer.isActive())
            CancelHint();
        FHintBlocked = true;
        break;
    case QEvent::ApplicationDeactivate:
        CancelHint();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------
// TScreen

TScreen::TScreen() {
    FHintFont.SetName(QStringLiteral("Tahoma"));
    FHintFont.SetHeight(-11);
    FHintFont.SetColor(clInfoText);
}

TScreen::~TScreen() = default;

void TScreen::AddForm(TForm* form) {
    FForms.append(form);
}

void TScreen::RemoveForm(TForm* form) {
    FForms.removeAll(form);
}

int TScreen::FormCount() const {
    return static_cast<int>(FForms.size());
}

TForm* TScreen::Forms(int index) const {
    return index >= 0 && index < FForms.size() ? FForms.at(index) : nullptr;
}

QList<TForm*> TScreen::FormList() const {
    return FForms;
}

TForm* TScreen::ActiveForm() const {
    return qobject_cast<TForm*>(QApplication::activeWindow());
}

TControl* TScreen::ActiveControl() const {
    return ControlOfWidget(QApplication::focusWidget());
}

namespace {

// The window's area on the desktop.
QRect GlobalArea(const QWidget* window) {
    if (window->isWindow())
        return window->frameGeometry();
    return QRect(window->mapToGlobal(QPoint(0, 0)), window->size());
}

int64_t Area(const QRect& r) {
    return r.isEmpty() ? 0 : int64_t(r.width()) * r.height();
}

// Squared distance between two rectangles (0 when they touch or overlap).
int64_t DistanceSquared(const QRect& a, const QRect& b) {
    const int64_t dx = std::max<int64_t>({0, int64_t(b.left()) - (a.left() + a.width()),
                                          int64_t(a.left()) - (b.left() + b.width())});
    const int64_t dy = std::max<int64_t>(
        {0, int64_t(b.top()) - (a.top() + a.height()), int64_t(a.top()) - (b.top() + b.height())});
    return dx * dx + dy * dy;
}

} // namespace

QScreen* TScreen::MonitorOf(const QWidget* window) const {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() <= 1 || !window)
        return QGuiApplication::primaryScreen();
    const QRect area = GlobalArea(window);
    QScreen* best = nullptr;
    int64_t bestShared = 0;
    for (QScreen* screen : screens) {
        const int64_t shared = Area(screen->geometry().intersected(area));
        if (shared > bestShared) {
            best = screen;
            bestShared = shared;
        }
    }
    if (best)
        return best;
    int64_t bestDistance = 0;
    for (QScreen* screen : screens) {
        const int64_t distance = DistanceSquared(screen->geometry(), area);
        if (!best || distance < bestDistance) {
            best = screen;
            bestDistance = distance;
        }
    }
    return best;
}

int TScreen::Width() const {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 0;
}

int TScreen::Height() const {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 0;
}

TRect TScreen::DesktopRect() const {
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? TRect::FromQRect(s->virtualGeometry()) : TRect();
}

TRect TScreen::WorkAreaRect() const {
    return MonitorWorkArea(nullptr);
}

TRect TScreen::MonitorWorkArea(const QWidget* window) const {
    QScreen* s = MonitorOf(window);
    return s ? TRect::FromQRect(s->availableGeometry()) : TRect();
}

TRect TScreen::MonitorRect(const QWidget* window) const {
    QScreen* s = MonitorOf(window);
    return s ? TRect::FromQRect(s->geometry()) : TRect();
}

void TScreen::SetCursor(TCursor cursor) {
    if (cursor == FCursor)
        return;
    FCursor = cursor;
    if (FOverride)
        QApplication::restoreOverrideCursor();
    FOverride = cursor != crDefault;
    if (FOverride)
        QApplication::setOverrideCursor(QCursor(CursorShapeOf(cursor)));
}

// ---------------------------------------------------------------------------------------
// The globals

TApplication* TApplicationRef::operator->() const {
    static TApplication* application = new TApplication;
    return application;
}

TScreen* TScreenRef::operator->() const {
    static TScreen* screen = new TScreen;
    return screen;
}

const TApplicationRef Application;
const TScreenRef Screen;
