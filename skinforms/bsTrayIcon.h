#pragma once
// The notification-area icon. TbsTrayIcon puts an icon into the desktop's notification area
// through QSystemTrayIcon, turns the icon's mouse notifications into component events,
// opens its popup menu at the cursor, animates through an image list, and hides the main
// window while the program sits in the tray.
//
// QSystemTrayIcon reports activations, not raw button messages; the component turns them
// back into the raw notifications (left press then release for a click, a double click,
// right press and release for the context request) and runs them through one handler,
// Notify, so that clicks and double clicks follow the click timer's rules:
//   - a single click is reported one double-click time after the press, or at the release
//     when that comes later;
//   - a double click is reported once and never as a click as well.

#include "framework/Classes.h"
#include "framework/Controls.h"

#include <QIcon>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class QSystemTrayIcon;
class TbsSkinMenu;
class TForm;
class TImageList;
class TPopupMenu;

// The mouse notifications of the icon.
enum class TTrayMouseMessage {
    Move,
    LeftDown,
    LeftUp,
    LeftDblClick,
    RightDown,
    RightUp,
    MiddleDown,
    MiddleUp
};

// The tooltip text of a hint: the hint cut to at most 127 bytes in the ANSI code page
// (never inside a two-byte character); empty when the hint is not shown.
QString TrayTipText(const QString& hint, bool showHint);

using TCycleEvent = std::function<void(TObject* Sender, int NextIndex)>;

class TbsTrayIcon : public TComponent {
    Q_OBJECT
public:
    static constexpr int MaxTipBytes = 127;

    // An owner that is a form is the window the icon hides and restores.
    explicit TbsTrayIcon(QObject* owner = nullptr);
    ~TbsTrayIcon() override;

    // Call once the properties are set (as after loading a form): MinimizedOnStart hides
    // the main window into the tray; then the icon is shown or hidden by IconVisible.
    void Loaded();

    // --- Properties
    QIcon Icon() const { return FIcon; }
    void SetIcon(const QIcon& icon);
    bool IconVisible() const { return FIconVisible; }
    void SetIconVisible(bool value);
    QString Hint() const { return FHint; }
    void SetHint(const QString& hint);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value);
    // Off: mouse notifications are ignored (no events, no menu).
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    // Not owned; cleared when the menu is destroyed. Opened through its virtual Popup; a
    // skinned popup menu without an engine of its own opens through the icon's engine
    // while its form has no frame.
    TPopupMenu* PopupMenu() const;
    void SetPopupMenu(TPopupMenu* menu);
    bool PopupByLeftButton = false;
    // While set, minimising the owner window hides it and shows the icon.
    bool MinimizeToTray = true;
    bool MinimizedOnStart = false;
    // Kept as a flag only: there is no form designer here.
    bool DesignPreview = false;
    // Frames of the icon animation; not owned. Setting it selects frame 0.
    TImageList* IconList() const;
    void SetIconList(TImageList* list);
    int IconIndex() const { return FIconIndex; }
    // Clamped to the list's frames (0 without a list).
    void SetIconIndex(int value);
    bool CycleIcons() const { return FCycleIcons; }
    // Switching it on selects frame 0 and starts the animation.
    void SetCycleIcons(bool value);
    unsigned AnimateTimerInterval() const { return FAnimateInterval; }
    void SetAnimateTimerInterval(unsigned value);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TCycleEvent OnCycle;

    // True when the desktop has a notification area for the icon. Tests, and desktops whose
    // area Qt cannot see, may fix the answer; an empty override asks the desktop again.
    static bool TrayAvailable();
    static void SetTrayAvailableOverride(std::optional<bool> available);

    // --- Operations
    virtual bool UseApplicationIcon() { return true; }
    virtual void ShowTrayIcon();
    virtual void HideTrayIcon();
    virtual void UpdateTrayIcon();
    // Hides the owner window (the main window) and takes it off the taskbar.
    void HideMainWindow();
    // Shows the owner window again, restored from minimised, and activates it.
    void RestoreMainWindow();

    // One mouse notification of the icon, as the notification area sends it.
    void Notify(TTrayMouseMessage message);
    // The desktop's notification area came (back): the icon is added again while visible.
    void TaskbarCreated();
    // One tick of the click timer and of the animation timer.
    void ClickTimerTick();
    void AnimateTimerTick();

    // What the notification area is given, for tests.
    QString TipText() const { return TrayTipText(FHint, FShowHint); }
    bool ClickTimerRunning() const { return FClickTimer.isActive(); }
    bool AnimateTimerRunning() const { return FAnimateTimer.isActive(); }
    QSystemTrayIcon* SystemTrayIcon() const { return FTray.get(); }

protected:
    virtual void HandleClick();
    virtual void HandleDblClick();
    virtual void HandleCycle();
    virtual void HandleMouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void HandleMouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void HandleMouseMove(TShiftState shift, int x, int y);
    virtual void HandleMinimizeToTray();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TForm* OwnerForm() const;
    // Pops the menu up at the cursor when it is set and pops up automatically.
    void PopupAtCursor();
    void ClickDefaultMenuItem();
    // The icon given to the notification area: Icon, the application's, or a stand-in.
    QIcon ShownIcon() const;
    void WatchTrayAvailability();

    std::unique_ptr<QSystemTrayIcon> FTray;
    TbsSkinMenu* FMenuEngine; // owned (a child)
    QIcon FIcon;
    bool FIconVisible = true;
    QString FHint;
    bool FShowHint = true;
    bool FEnabled = true;
    QPointer<TPopupMenu> FPopupMenu;
    QPointer<TImageList> FIconList;
    int FIconIndex = 0;
    bool FCycleIcons = false;
    unsigned FAnimateInterval = 1000;

    QTimer FClickTimer;
    QTimer FAnimateTimer;
    QTimer FTrayWatch;
    bool FTrayWasAvailable = false;
    bool FClickStart = false;
    bool FClickReady = false;
    bool FDoubleClickSeen = false;
    bool FMinimizePending = false;
};
