#pragma once
// TbsBusinessSkinForm: the skinned window frame. Dropped on a form, it takes over the window
// around the client area (the framework's frame hook): it fits the client area to the skin,
// paints the frame with its caption and caption buttons (the frame objects), shapes the
// window with the skin's mask, answers its own hit test and hands moving and sizing to the
// window manager, keeps its own frame state (maximize to the work area, minimize, parking,
// roll-up), snaps to the work-area edges, fades the window in, paints the client background
// and passes skin changes on to every skinned control of the form. Its own menu engine opens
// the system menu, the tray menu, the menu bar's submenus and the form's skinned popup
// menus; the menu bar shares its keyboard mode and shortcuts with it. Attaching the frame
// or changing the skin keeps the client size the form laid out.
//
// Without a skin it draws the plain frame; a form without border gets no frame at all.
// Geometry lives in skinforms/bsSkinFormLayout.h as pure functions.

#include "skin/bsSkinMenus.h"
#include "skinforms/bsSkinFormLayout.h"
#include "skinforms/bsSkinFormObjects.h"

#include "framework/Font.h"
#include "framework/Forms.h"
#include "framework/Menus.h"

#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <vector>

class TbsSkinData;
class TbsSkinMainMenuBar;
class TbsTrayIcon;

enum class TbsFrameState { Normal, Minimized, Maximized };

using TbsFrameObjectEvent = std::function<void(const QString& IDName)>;
using TbsFrameObjectMouseEvent = std::function<void(const QString& IDName, int X, int Y,
                                                    const TRect& ObjectRect, TMouseButton Button)>;
using TbsFrameObjectMoveEvent =
    std::function<void(const QString& IDName, int X, int Y, const TRect& ObjectRect)>;
using TbsFrameObjectPaintEvent =
    std::function<void(const QString& IDName, TCanvas* Canvas, const TRect& ObjectRect)>;

class TbsBusinessSkinForm : public TComponent, public TFormFrameHook {
    Q_OBJECT
public:
    static constexpr int TrackingInterval = 50;
    static constexpr int MorphInterval = 20;
    static constexpr int AnimationInterval = 25;

    // Owned by the form; installs itself as the form's frame and shortcut handler.
    explicit TbsBusinessSkinForm(TForm* form);
    ~TbsBusinessSkinForm() override;

    TForm* Form() const { return FForm; }

    // --- Skin
    TbsSkinData* SkinData() const { return FSkinData; }
    // Applies the skin at once.
    void SetSkinData(TbsSkinData* value);
    TbsSkinData* MenusSkinData() const { return FMenusSkinData; }
    void SetMenusSkinData(TbsSkinData* value) { FMenusSkinData = value; }
    bool SkinActive() const { return FSkinActive; }

    // --- Caption commands
    TbsBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TbsBorderIcons value);
    bool HideCaptionButtons() const { return FHideCaptionButtons; }
    void SetHideCaptionButtons(bool value);
    TPopupMenu* SystemMenu() const { return FSystemMenu; }
    void SetSystemMenu(TPopupMenu* menu) { FSystemMenu = menu; }
    bool UseDefaultSysMenu = true;
    bool ShowIcon = false;
    TFont DefCaptionFont;
    TFont DefInActiveCaptionFont;

    // --- Menus
    // The engine that opens the system menu, the caption buttons' menus, the menu bar's
    // submenus and every skinned popup menu owned by the form or its controls. The menu
    // settings (fonts, item height, opacity) are the engine's.
    TbsSkinMenu* MenuEngine() const { return FMenuEngine; }
    // The skin menus of this form use: MenusSkinData, else SkinData.
    TbsSkinData* MenusSkin() const;
    // The form's skinned menu bar: it opens its submenus through MenuEngine and its keyboard
    // mode is the frame's. Cleared when the bar is destroyed.
    TbsSkinMainMenuBar* MainMenuBar() const;
    void SetMainMenuBar(TbsSkinMainMenuBar* bar);
    // A skinned menu of this form opens: OnSkinMenuOpen, once per opening; and it ended
    // (SkinMenuClosed does this too): OnSkinMenuClose.
    void SkinMenuOpened();
    void SkinMenuEnded();
    // The menu bar enters or leaves its keyboard (or menu) mode.
    void MainMenuEntered();
    void MainMenuExited();
    // The form's shortcut handler: Alt+letter goes to the menu bar's accelerators, then
    // the combination to the bar's main menu. True when it was used.
    bool HandleShortCut(int key);

    // --- Tray
    // The icon minimize-to-tray uses. Setting it hides it (unless AlwaysShowInTray), clears
    // its minimizing mark and, when it has no popup menu, gives it the frame's tray menu
    // (恢复 as the default item, so a double click restores). Cleared when destroyed.
    TbsTrayIcon* TrayIcon() const;
    void SetTrayIcon(TbsTrayIcon* trayIcon);
    // The tray menu given to the icon: "恢复(&R)", a line, "关闭(&C)".
    TPopupMenu* TrayMenu() const { return FTrayMenu; }
    bool AlwaysShowInTray = false;
    bool AlwaysMinimizeToTray = false;

    // --- Window
    int MinWidth = 0;
    int MinHeight = 0;
    bool MaximizeOnFullScreen = false;
    bool Magnetic = false;
    int MagneticSize = 5;
    bool AlphaBlend = false;
    bool AlphaBlendAnimation = false;
    int AlphaBlendValue = 200;
    TBitmap LogoBitMap;
    bool LogoBitMapTransparent = false;

    // --- State and commands
    TbsFrameState FrameState() const { return FFrameState; }
    void SetFrameState(TbsFrameState state);
    bool RolledUp() const { return FRolledUp; }
    void SetRolledUp(bool value);
    bool RolledUpWhileMaximized() const { return FRolledUpWhileMaximized; }
    TRect RestoreBounds() const { return FRestoreBounds; }
    void MinimizeToTray();
    void RestoreFromTray();
    // How long after a restore from the tray the window's state is checked once more.
    static constexpr int RestoreCheckMs = 300;
    // The system-menu items, built fresh.
    TMenuItem* GetSystemMenu();
    // Opens the system menu at the screen point.
    void PopupSystemMenu(int x, int y);
    void CloseForm();
    // Runs a caption command (what a std button or animation does on a click).
    void RunCommand(TbsStdCommand command);
    // Opens menu items below a window rectangle; when the menu closes, SkinMenuClosed.
    void PopupMenuBelow(TMenuItem* items, const TRect& rect);
    // A menu of this frame closed: the pressed menu button is released.
    void SkinMenuClosed();
    void RepaintFrame();
    // Only the frame shows whether the window is active: the client area is left as it is.
    void RepaintBorder();
    void RedrawObject(TbsActiveSkinObject* object);

    // --- Geometry
    int MinFrameWidth() const;
    int MinFrameHeight() const;
    // What the frame adds around the client area: (window width - client width, window
    // height - client height). Attaching the frame or changing the skin keeps the client
    // size by growing or shrinking the window by the change of this extent.
    TPoint FrameExtent() const;
    // The fitted geometry of the current size (valid with a skin).
    const TbsFrameGeometry& Geometry() const { return FGeometry; }
    bool HasBorder() const;
    bool Sizeable() const;
    bool FormActive() const;
    // The frame's hit-test code at a window point.
    int HitTest(TPoint p) const;
    // The frame's current window region; none without a mask.
    const TbsRegion& WindowRegion() const { return FRegion; }

    // --- Frame objects
    const std::vector<std::unique_ptr<TbsActiveSkinObject>>& FrameObjects() const {
        return FObjects;
    }
    TbsActiveSkinObject* ObjectByName(const QString& idName) const;
    int HotObject() const { return FHotObject; }
    int PressedObject() const { return FPressedObject; }
    // Makes the object under the window point hot (or none).
    void TrackObjects(TPoint p);
    // One tick of the morph and animation timers (also run by the timers).
    void MorphTick();
    void AnimationTick();
    void StartMorphTimer();
    void StartAnimationTimer();
    bool MorphTimerRunning() const { return FMorphTimer.isActive(); }
    bool AnimationTimerRunning() const { return FAnimationTimer.isActive(); }

    // Paints the whole frame (borders with their objects) onto a canvas of the window's
    // size; the client area is left alone.
    void PaintFrame(TCanvas& canvas);
    // The four border images of the skinned frame with the objects on them.
    void ComposeSkinBorders(TBitmap& left, TBitmap& top, TBitmap& right, TBitmap& bottom);

    // --- The skin-change relay: every skin client of the form bound to `skinData` (all of
    // them when it is null) forgets or applies its record, depth first.
    void RelaySkinChange(QEvent::Type message, TbsSkinData* skinData);

    // --- Frame hook
    bool FrameEvent(QEvent* event) override;
    TRect FrameClientRect(int width, int height) override;
    bool FrameEraseClient(TCanvas* canvas) override;

    TNotifyEvent OnChangeSkinData;
    TNotifyEvent OnSkinMenuOpen;
    TNotifyEvent OnSkinMenuClose;
    TNotifyEvent OnMainMenuEnter;
    TNotifyEvent OnMainMenuExit;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeActivate;
    TNotifyEvent OnChangeRollUpState;
    TNotifyEvent OnMinimizeToTray;
    TNotifyEvent OnRestoreFromTray;
    TbsFrameObjectEvent OnMouseEnterEvent;
    TbsFrameObjectEvent OnMouseLeaveEvent;
    TbsFrameObjectMouseEvent OnMouseDownEvent;
    TbsFrameObjectMouseEvent OnMouseUpEvent;
    TbsFrameObjectMoveEvent OnMouseMoveEvent;
    TbsFrameObjectPaintEvent OnPaintEvent;

private:
    friend class TbsActiveSkinObject;
    void ApplySkin();
    // Where the client area lies in a window of this size.
    TRect ClientRectFor(int width, int height) const;
    void CreateObjects();
    void CreatePlainButtons();
    void FreeObjects();
    void ApplyCaptionButtonRules();
    // Gives the window (or the size it returns to) the change of the frame's extent.
    void KeepClientSize(TPoint previousExtent);
    void FitToSize();
    void LayOutObjects();
    void UpdateRegion();
    void UpdateCaptionActive();
    void ResetObjects();
    void StopTimers();
    bool IsMainForm() const;
    bool ToolWindow() const;
    TbsPlainFrameMetrics PlainMetrics() const;
    TbsHitTestState HitState(TPoint p) const;
    void PaintPlainFrame(TCanvas& canvas);
    void EraseSkinClient(TCanvas& canvas, const TRect& client);
    void Maximize();
    void Minimize();
    void Restore();
    void ParkMinimized();
    void DoubleClickCaption();
    void ApplyMinimumSize();
    void StartFade();
    void FadeTick();
    // Mouse events of the window around the client area.
    bool FrameMouse(QMouseEvent* event);
    void BeginSystemMoveOrResize(int code);
    void WatchMenuKeys();
    void UpdateCursor(int code);
    TMenuItem* AddSystemItem(TMenuItem* root, int index, const QString& name);

    TForm* FForm;
    QPointer<TbsSkinData> FSkinData;
    QPointer<TbsSkinData> FMenusSkinData;
    QPointer<TPopupMenu> FSystemMenu;
    QPointer<TbsTrayIcon> FTrayIcon;
    TPopupMenu* FDefaultSystemMenu;
    TbsSkinPopupMenu* FTrayMenu;
    TbsSkinMenu* FMenuEngine;
    QPointer<TbsSkinMainMenuBar> FMainMenuBar;
    bool FSkinMenuOpen = false;
    bool FMainMenuMode = false;
    bool FSkinActive = false;
    TbsBorderIcons FBorderIcons = DefaultFrameBorderIcons;
    bool FHideCaptionButtons = false;

    TbsFrameState FFrameState = TbsFrameState::Normal;
    bool FRolledUp = false;
    bool FRolledUpWhileMaximized = false;
    int FRollUpHeight = 0;
    TRect FRestoreBounds;
    bool FInSizeMove = false;
    TPoint FMaximizedAt;
    // A left press on the caption: the move starts when the mouse moves.
    bool FCaptionPress = false;
    QPoint FCaptionPressPoint;
    bool FSettingBounds = false;

    TbsFrameGeometry FGeometry;
    TRect FPlainCaptionArea;
    TbsFrameMaskStrips FMaskStrips;
    TbsRegion FRegion;

    std::vector<std::unique_ptr<TbsActiveSkinObject>> FObjects;
    // Per object: what the caption-button rules switched off (disabled, hidden), so that
    // new border icons can switch it back on.
    std::vector<std::pair<bool, bool>> FRuleOff;
    // The frame extent the window was last fitted for; none before the frame is attached.
    TPoint FAppliedExtent;
    int FHotObject = -1;
    int FPreviousHotObject = -1;
    int FPressedObject = -1;

    QTimer FTrackingTimer;
    QTimer FMorphTimer;
    QTimer FAnimationTimer;
    QTimer FFadeTimer;
    std::vector<int> FFadeSteps;
    size_t FFadeStep = 0;
};

// The frame component of a form, or nullptr.
TbsBusinessSkinForm* FindSkinForm(const QWidget* form);
