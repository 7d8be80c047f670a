#pragma once
// Forms, the application object and the screen.
//
// A TForm is a top-level QWidget holding a client-area child widget. The form's controls
// are children of the client area, so their positions are client coordinates. Left, Top,
// Width and Height of a form are those of its window (Left/Top include the window
// manager's decoration, Width/Height do not); ClientWidth/ClientHeight are the client
// area's. A frame component (the skinned frame) can take over the window around the
// client area through TFormFrameHook.
//
// `Application` and `Screen` are the two global objects of a program. The screen's form
// list is in creation order; it is the order in which messages are broadcast to forms.

#include "framework/Controls.h"

#include <QIcon>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <vector>

class QEventLoop;
class QScreen;
class TMainMenu;
class THintWindow;
class TForm;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poScreenCenter, poDesktopCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
// A key combination (Qt key | modifier bits) offered to the form before the focused
// control sees it; set Handled to consume it.
using TShortCutEvent = std::function<void(int Key, bool& Handled)>;

// A component that takes over the window around a form's client area.
class TFormFrameHook {
public:
    virtual ~TFormFrameHook() = default;
    // Every event of the form's window (not of the client area) passes here first,
    // custom ones too; true consumes it.
    virtual bool FrameEvent(QEvent* event) = 0;
    // Where the client area lies in a window of this size (window coordinates).
    virtual TRect FrameClientRect(int width, int height) { return TRect(0, 0, width, height); }
    // Paints the client area's background; false leaves it to the form (Color).
    virtual bool FrameEraseClient(TCanvas* canvas) {
        (void)canvas;
        return false;
    }
};

class TForm : public TWinControl {
    Q_OBJECT
public:
    // The form is a top-level window; an owner destroys it when the owner is destroyed.
    explicit TForm(QObject* owner = nullptr);
    ~TForm() override;

    QWidget* ChildContainer() override { return FClientArea; }
    QWidget* ClientArea() const { return FClientArea; }
    void SetParent(TWinControl* parent) override;
    // A fixed border keeps the user from sizing the window, not the program.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    // Fires OnCreate. Application->CreateForm calls it after construction; a form made
    // with `new` calls it when its constructor has set it up.
    virtual void DoCreate();
    // Fires OnDestroy once. ~TForm calls it; a derived form whose handler needs the
    // derived members calls it first thing in its own destructor.
    void DoDestroy();

    // The window title.
    void SetText(const QString& text) override;
    QString Text() const override { return windowTitle(); }

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TFormStyle FormStyle() const { return FFormStyle; }
    // Switching at run time keeps the window's place and visibility.
    void SetFormStyle(TFormStyle style);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition position) { FPosition = position; }
    // The client area fits the controls (the union of their bounds).
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    QIcon Icon() const { return windowIcon(); }
    void SetIcon(const QIcon& icon) { setWindowIcon(icon); }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool value) { FKeyPreview = value; }

    TRect ClientRect() const override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int value);
    void SetClientHeight(int value);
    void SetClientSize(int width, int height);

    // The canvas of the client area; valid while OnPaint runs.
    TCanvas* Canvas() const { return FCanvas.get(); }

    // Showing and closing. Show raises the window and activates it, unless the window has
    // Qt::WA_ShowWithoutActivating.
    void Show();
    void Hide();
    // OnCloseQuery, then OnClose; the main form's close ends the program.
    void Close();
    // The answer of OnCloseQuery (true without one).
    virtual bool CloseQuery();
    // Shows the form modally: every other window is blocked until it closes. Returns
    // ModalResult: the result set by a button, or mrCancel when closed otherwise.
    TModalResult ShowModal();
    bool Modal() const { return FModalLoop != nullptr; }
    TModalResult ModalResult() const { return FModalResult; }
    // A non-zero result ends a running ShowModal.
    void SetModalResult(TModalResult result);
    bool Active() const { return isActiveWindow(); }
    // Destroys the form once the events in hand are processed.
    void Release() { deleteLater(); }

    // The focused control of the form (or the one to focus when it is activated).
    TControl* ActiveControl() const;
    void SetActiveControl(TControl* control);

    // The main menu whose shortcuts the form's keys trigger.
    TMainMenu* Menu() const;
    void SetMenu(TMainMenu* menu);
    // Offers a key combination to OnShortCut, then to the main menu; true when used.
    virtual bool IsShortCut(int key);

    // The frame component; nullptr removes it. The hook must outlive its registration
    // (a QObject hook is dropped automatically when destroyed).
    void SetFrameHook(TFormFrameHook* hook);
    TFormFrameHook* FrameHook() const;
    // Places the client area again (after the frame's geometry changed).
    void UpdateClientArea();

    // Custom events (the skin messages and the like) sent to the form are passed to these
    // listeners too, in registration order.
    void AddMessageListener(QObject* listener);
    void RemoveMessageListener(QObject* listener);

    // Non-visual components owned by the form, then every control on it, depth first.
    int ComponentCount() const;
    QObject* Components(int index) const;
    QList<QObject*> ComponentList() const;

    // Broadcasts a dialog key or character to the form's controls; true when one used it.
    bool BroadcastDialogKey(int key, TShiftState shift);
    bool BroadcastDialogChar(QChar ch);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

protected:
    virtual void DoShow();
    virtual void DoHide();
    virtual void Activate();
    virtual void Deactivate();
    virtual void DoClose(TCloseAction& action);
    // Paints the client area: OnPaint.
    virtual void Paint();

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void SizeChanged() override;
    void ControlChanged(TControl* child) override;
    void UpdateBackground() override;

private:
    friend class TFormClientArea;
    void ApplyWindowFlags();
    void ApplyFixedSize();
    void ApplyPosition();
    void AdjustAutoSize();
    void PaintClientArea(QPaintEvent* event);
    bool ForwardCustomEvent(QEvent* event);
    TCloseAction CloseActionFor();

    QWidget* FClientArea = nullptr;
    std::unique_ptr<TCanvas> FCanvas;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    bool FAutoSize = false;
    bool FAutoSizing = false;
    bool FKeyPreview = false;
    bool FPositioned = false;
    bool FClosing = false;
    bool FChangingFlags = false;
    bool FDestroyFired = false;
    TModalResult FModalResult = mrNone;
    QEventLoop* FModalLoop = nullptr;
    QPointer<QObject> FMenu;
    TFormFrameHook* FFrameHook = nullptr;
    QPointer<QObject> FFrameHookObject;
    bool FFrameHookIsObject = false;
    std::vector<QPointer<QObject>> FMessageListeners;
    QPointer<QWidget> FLastFocus;
};

// What the application's hint machinery is about to show; OnShowHint may change it.
struct THintInfo {
    TControl* HintControl = nullptr;
    // Screen point of the hint window's top-left corner.
    TPoint HintPos;
    int HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    // While the mouse stays inside this rectangle (HintControl's client coordinates), the
    // hint stays.
    TRect CursorRect;
    TPoint CursorPos;
    int ReshowTimeout = 0;
    int HideTimeout = 0;
    QString HintStr;
    void* HintData = nullptr;
};

using TShowHintEvent = std::function<void(QString& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
// Makes the application's hint window (a top-level THintWindow or subclass).
using THintWindowClass = std::function<THintWindow*()>;

class TApplication : public QObject {
    Q_OBJECT
public:
    TApplication();
    ~TApplication() override;

    // Installs the application's event tracking (hints, the control under the mouse).
    // Called by Run and by every new form; harmless to call again.
    void Initialize();
    // Undoes Initialize: destroys the forms the application owns and the hint window and
    // takes the event tracking and the exit routine off the QApplication. A plug-in with its
    // own framework copy calls it before it is unloaded, so none of its code stays
    // registered with the host's Qt.
    void Finalize();

    QString Title() const;
    void SetTitle(const QString& title) { FTitle = title; }
    QIcon Icon() const { return FIcon; }
    void SetIcon(const QIcon& icon);

    // The first form created with CreateForm (or the one set); its close ends the program.
    TForm* MainForm() const { return FMainForm.data(); }
    void SetMainForm(TForm* form) { FMainForm = form; }
    // Creates a form owned by the application (destroyed when Run ends) and fires its
    // OnCreate; the first form created this way becomes the main form.
    template <class T> T* CreateForm(T** reference = nullptr) {
        T* form = new T(this);
        if (reference)
            *reference = form;
        AdoptForm(form);
        form->DoCreate();
        if (!FMainForm)
            FMainForm = form;
        return form;
    }
    void AdoptForm(TForm* form);

    // Shows the main form and runs the message loop until the program is terminated;
    // then destroys the forms the application owns. Returns the exit code.
    int Run();
    // Ends the program: at once when the loop runs, else as soon as Run starts.
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Forgets a termination request (for a program that runs its loop again, and tests).
    void ResetTerminated() { FTerminated = false; }
    bool Running() const { return FRunning; }
    void ProcessMessages();
    // Minimizes or restores every visible form.
    void Minimize();
    void Restore();
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;

    // The standard error report: a plain message box with the stop icon, the application
    // title as caption and the error's text. It is the framework's exception handler.
    void ShowException(const std::exception& error);
    // Called instead of ShowException when set.
    TExceptionEvent OnException;
    void HandleException(const std::exception& error);
    // Makes HandleException the framework's exception handler (done at construction;
    // again after something else replaced it).
    void InstallExceptionHandler();

    // --- Hints
    // The long hint of the control under the mouse (empty over controls without a hint).
    QString Hint() const { return FHint; }
    void SetHint(const QString& hint);
    // Fired whenever Hint changes.
    TNotifyEvent OnHint;
    // Tooltips on or off; switching it on makes a new hint window of HintWindowClass.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    TColor HintColor = clInfoBk;
    // The class of the hint window, used the next time it is made.
    THintWindowClass HintWindowClass;
    THintWindow* HintWindow() const;
    TShowHintEvent OnShowHint;
    // Hides the tooltip and forgets the pending one.
    void CancelHint();
    // Shows the tooltip of the control under the mouse now (the pause has passed).
    void ActivateHint();

    // The control the application last saw under the mouse.
    TControl* MouseControl() const { return FMouseControl.data(); }
    // The last known mouse position on the screen.
    TPoint MousePos() const { return FMousePos; }
    // Makes `control` the control under the mouse (leave, enter, hint) as a mouse move
    // at `screenPoint` would.
    void SetMouseControl(TControl* control, const TPoint& screenPoint);

    // Destroys the forms the application owns (in reverse creation order).
    void DestroyForms();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TrackMouse(QObject* watched, QEvent* event);
    void SettleMouseLeave();
    void StartHintTimer(bool shortPause);
    void HideHintWindow();
    THintWindow* EnsureHintWindow();
    bool HintAllowed(TControl* control) const;

    QString FTitle;
    QIcon FIcon;
    QPointer<TForm> FMainForm;
    QList<QPointer<TForm>> FOwnedForms;
    bool FInitialized = false;
    bool FTerminated = false;
    bool FRunning = false;
    QString FHint;
    bool FShowHint = true;
    QPointer<THintWindow> FHintWindow;
    QPointer<TControl> FMouseControl;
    QPointer<TControl> FHintControl;
    QPointer<QWidget> FPendingLeave;
    bool FLeavePending = false;
    TPoint FMousePos;
    TRect FHintCursorRect;
    bool FHintShown = false;
    bool FHintRecently = false;
    // After a click, a key or the hide pause, no hint until the mouse changes control.
    bool FHintBlocked = false;
    const QEvent* FLastMoveEvent = nullptr;
    TPoint FLastMovePos;
    QPointer<QWidget> FLastMoveWidget;
    QTimer FHintTimer;
    QTimer FHideTimer;
    QTimer FLeaveTimer;
};

class TScreen : public QObject {
    Q_OBJECT
public:
    TScreen();
    ~TScreen() override;

    // Every form in creation order.
    int FormCount() const;
    TForm* Forms(int index) const;
    QList<TForm*> FormList() const;

    TForm* ActiveForm() const;
    TControl* ActiveControl() const;

    // The primary screen's size, and the area of all screens.
    int Width() const;
    int Height() const;
    TRect DesktopRect() const;
    int DesktopWidth() const { return DesktopRect().Width(); }
    int DesktopHeight() const { return DesktopRect().Height(); }
    // The work area (the screen without panels) of the primary screen, or of the screen
    // showing most of `window`.
    TRect WorkAreaRect() const;
    TRect MonitorWorkArea(const QWidget* window) const;
    TRect MonitorRect(const QWidget* window) const;
    // The screen sharing most of the window's area on the desktop (a child widget counts with
    // its own rectangle), else the nearest one; the primary screen for a null window or when
    // there is only one screen.
    QScreen* MonitorOf(const QWidget* window) const;

    // The application-wide pointer shape (crDefault lets every control show its own).
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor cursor);

    // The font of hint windows.
    TFont* HintFont() { return &FHintFont; }

private:
    friend class TForm;
    void AddForm(TForm* form);
    void RemoveForm(TForm* form);

    QList<TForm*> FForms;
    TCursor FCursor = crDefault;
    bool FOverride = false;
    TFont FHintFont;
};

// The global objects, made on first use (after the QApplication).
struct TApplicationRef {
    TApplication* operator->() const;
    operator TApplication*() const { return operator->(); }
};
struct TScreenRef {
    TScreen* operator->() const;
    operator TScreen*() const { return operator->(); }
};
extern const TApplicationRef Application;
extern const TScreenRef Screen;
