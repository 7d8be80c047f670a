#pragma once
// Skinned popup menus: the menu engine that opens every drop-down, popup and submenu of
// the program, the popup windows it shows, and the popup-menu component.
//
//   TbsSkinMenu          the engine (one per form frame): opens a cascade of windows for a
//                        menu item's children, tracks mouse and keys, runs the command
//   TbsSkinPopupWindow   one window of the cascade: size, placement, scrolling, painting
//   TbsSkinMenuItem      one listed item of a window (hot, expanded, morph progress)
//   TbsSkinPopupMenu     a TPopupMenu whose Popup opens through its form's engine
//
// Entry points for the rest of the program:
//   engine.PopupItems(opener, skinData, upward, root, anchorRect, startIndex)
//       opens root's visible children; the anchor is a screen rectangle (an empty one at
//       a point for a point popup). The menu bar and the system menu use this.
//   popupMenu.Popup(x, y)
//       opens a TbsSkinPopupMenu at a screen point through the engine of its form; the
//       form is found through the lookup the form frame installs (SetSkinMenuFormLookup).
//       A form the lookup knows nothing about opens nothing (but see the fallback).
//   popupMenu.PopupThrough(engine, x, y)
//       opens through a given engine: for forms without a frame, and for tests.
//   popupMenu.SetFallbackEngine(engine)
//       the engine Popup and PopupFromEdit use while the lookup gives the form no frame
//       engine; the consumers on forms without a frame (the edits' context menu, the tray
//       icon) give their menus one of their own. A frame engine always takes precedence.
//
// While a menu is open the engine watches the application's events through one event
// filter: key presses go to MenuKeyDown of the innermost window (so nobody else needs to
// route them), and a mouse press outside every open popup window, the host form moving,
// resizing or deactivating, or the application losing the activation close the menu. The
// windows never take the focus and never activate.
//
// Keys are Qt key codes (Qt::Key_Return, Qt::Key_Escape, the arrows, letters for
// accelerators).

#include "skin/bsSkinData.h"
#include "skin/bsSkinMenusFitting.h"
#include "skin/bsUtils.h"

#include "framework/Bitmap.h"
#include "framework/Controls.h"
#include "framework/Font.h"
#include "framework/ImgList.h"
#include "framework/Menus.h"

#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class TForm;
class TbsSkinMenu;
class TbsSkinPopupWindow;

// ---------------------------------------------------------------- items

// One listed menu item. The framework item is watched, not owned: an item destroyed
// while its window is open reads as a disabled blank line.
class TbsSkinMenuItem {
public:
    TbsSkinMenuItem(TbsSkinPopupWindow* window, TMenuItem* menuItem,
                    const TbsDataSkinMenuItem* record, const TBitmap* picture);
    virtual ~TbsSkinMenuItem() = default;

    // Whether the item still needs morph steps; an item scrolled out of the view with
    // some progress is reset to off instead.
    virtual bool NeedsMorphStep();

    bool On() const { return Hot || Expanded; }
    bool IsSeparator() const;
    bool IsEnabled() const;
    bool HasChildren() const;
    QString Caption() const;

    TbsSkinPopupWindow* Window;
    const TbsDataSkinMenuItem* Record; // null: a plain item
    const TBitmap* Picture;            // the record's active picture
    QPointer<TMenuItem> MenuItem;
    double MorphProgress = 0;
    TRect Bounds;
    bool Hot = false;
    bool Expanded = false;
    bool Shown = true;
    bool Preselected = false;
};

// ---------------------------------------------------------------- windows

// What a window lists and where it opens.
struct TbsPopupRequest {
    std::vector<TMenuItem*> Items; // the visible items, in order
    TImageList* Images = nullptr;
    TbsPopupOpening Opening;
};

enum class TbsScrollState { None = 0, Up = 1, Down = 2 };

class TbsSkinPopupWindow : public TCustomControl {
    Q_OBJECT
public:
    explicit TbsSkinPopupWindow(TbsSkinMenu* engine);
    ~TbsSkinPopupWindow() override;

    // Builds the items, sizes, fits, places and shows the window (hidden windows are
    // made by the engine only).
    void Open(const TbsPopupRequest& request);
    // Stops every timer, hides the window and forgets the engine; the engine deletes it
    // once the event in hand has been handled.
    void Dismiss();

    TbsSkinMenu* Engine() const { return FEngine; }
    int ItemCount() const { return static_cast<int>(FItems.size()); }
    TbsSkinMenuItem* Items(int index) const { return FItems[index].get(); }
    int IndexOfMenuItem(const TMenuItem* item) const;
    int IndexOfItem(const TbsSkinMenuItem* item) const;
    int HotIndex() const { return FHotIndex; }
    bool IsSkinned() const { return FWindowRecord != nullptr; }
    bool HasItemRecord() const { return FItemRecord != nullptr; }
    bool Scrolling() const { return FScrolling; }
    TbsScrollState ScrollState() const { return FScrollState; }
    int FirstVisible() const { return FFirstVisible; }
    int ShownCount() const { return FShownCount; }
    TPoint ScreenPos() const { return FScreenPos; }
    const TRect& FittedItemsRect() const { return FFit.ItemsRect; }
    int GlyphColumnWidth() const { return FGlyphColumnWidth; }
    // An item's bounds on the screen (the anchor of its submenu).
    TRect ItemScreenRect(int index) const;

    // The mouse at a window point, as the poll and mouse moves report it.
    void HoverAt(TPoint p);
    // A left-button release at a window point: chooses the hot item under it.
    void ReleaseAt(TPoint p);
    // Item activation by mouse or keyboard, and deactivation.
    void ActivateItem(int index, bool byMouse);
    void DeactivateItem(int index);
    // Makes `index` the hot item (deactivating the previous one) and activates it.
    void SetHot(int index, bool byMouse);
    // Down and Up: the next or previous usable item, scrolling and wrapping.
    void NextItem();
    void PrevItem();
    // Collapses every expanded item (its submenu was closed).
    void CollapseItems();

    // What the timers run on each tick: the 50 ms mouse poll, the 100 ms scroll step and
    // the 20 ms morph step.
    void PollTick();
    void ScrollTick();
    void MorphTick();
    const QTimer& PollTimer() const { return FPollTimer; }
    const QTimer& ScrollTimer() const { return FScrollTimer; }
    const QTimer& AnimationTimer() const { return FAnimationTimer; }

    // The window as it paints: frame, shown items and scroll markers.
    TBitmap Snapshot();
    // One item as it paints, the size of its bounds (empty when not shown).
    TBitmap ItemSnapshot(int index);

protected:
    void Paint() override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ChooseSkin();
    void ApplyCanvasFont(TFont& font) const;
    void BuildItems(const TbsPopupRequest& request);
    std::vector<int> ItemHeights() const;
    void LayOutItems();
    void SetWindowRegion();
    void ApplyOpacity();
    void PreselectFirstItem();
    void RepaintItem(int index);
    void ItemTurned(int index);
    bool Usable(int index) const;
    void ScrollTo(int firstVisible);
    void StartScroll(TbsScrollState state);
    void StopScroll();
    void TrackScrollStrips(TPoint p);
    TRect UpStrip() const;
    TRect DownStrip() const;
    bool ItemsBelowView() const;

    void PaintFrame(TCanvas& canvas);
    void PaintScrollMarkers(TCanvas& canvas);
    void PaintItem(TCanvas& canvas, TbsSkinMenuItem& item);
    void PaintSkinnedItem(TCanvas& canvas, TbsSkinMenuItem& item, const TRect& r);
    void PaintPlainItem(TCanvas& canvas, TbsSkinMenuItem& item, const TRect& r);
    void PaintItemMarks(TCanvas& canvas, TbsSkinMenuItem& item, int x, int middle, TColor color,
                        bool plain);

    TbsSkinMenu* FEngine;
    std::vector<std::unique_ptr<TbsSkinMenuItem>> FItems;
    QTimer FPollTimer;
    QTimer FAnimationTimer;
    QTimer FScrollTimer;
    const TBitmap* FFramePicture = nullptr;
    const TBitmap* FFrameMask = nullptr;
    const TbsDataSkinPopupWindow* FWindowRecord = nullptr;
    const TbsDataSkinMenuItem* FItemRecord = nullptr;
    const TBitmap* FItemPicture = nullptr;
    int FHotIndex = -1;
    int FPrevHotIndex = -1;
    TPoint FLastCursor{-1, -1};
    TbsScrollState FScrollState = TbsScrollState::None;
    bool FScrolling = false;
    int FFirstVisible = 0;
    int FShownCount = 0;
    TbsPopupFit FFit;
    TPoint FScreenPos;
    QPointer<TImageList> FImages;
    int FGlyphColumnWidth = 19;
    TBitmap FFrameImage; // the frame as last composed, for the window's size
};

// ---------------------------------------------------------------- the engine

class TbsSkinMenu : public TComponent {
    Q_OBJECT
public:
    explicit TbsSkinMenu(QObject* owner = nullptr);
    // Closes every window first.
    ~TbsSkinMenu() override;

    // Settings the form frame copies from its own properties of the same names.
    bool UseSkinFontInMenu = true;
    int DefMenuItemHeight = 20;
    bool MenusAlphaBlend = false;
    int MenusAlphaBlendValue = 150;
    bool MenusAlphaBlendAnimation = false;
    // Item font of the plain look, and the character set of every look.
    TFont& DefMenuItemFont() { return FDefMenuItemFont; }

    // The form the engine belongs to: its screen gives the work area, it hears
    // SkinMenuClosed on CloseMenus, and moving or resizing it closes the menu.
    QWidget* HostForm() const { return FHostForm; }
    void SetHostForm(QWidget* form) { FHostForm = form; }

    // Opens root's visible children from startIndex (counted among all children) in a
    // window at the screen anchor. Nothing opens when root has no children or the start
    // index is beyond them; a root whose children are all hidden opens an empty window.
    void PopupItems(QWidget* opener, TbsSkinData* skinData, bool upward, TMenuItem* root,
                    const TRect& anchor, int startIndex = 0);
    // One window listing second's visible children from startIndex, then first's.
    void PopupItemsMerged(QWidget* opener, TbsSkinData* skinData, bool upward, TMenuItem* first,
                          TMenuItem* second, const TRect& anchor, int startIndex = 0);
    // Closes every window and tells the host form.
    void CloseMenus();
    // Closes the windows from `level` on, innermost first; level 0 ends the menu and
    // tells the opener.
    void CloseLevels(int level);
    // A key while a menu is open, for the innermost window.
    void MenuKeyDown(TbsSkinPopupWindow* window, int key);
    // Sees every key press while a menu is open before the innermost window does; true
    // when it used the key. The menu bar moves along its items with it.
    std::function<bool(int key)> KeyPreview;

    bool EngineActive() const { return FEngineActive; }
    int LevelCount() const { return static_cast<int>(FLevels.size()); }
    TbsSkinPopupWindow* Levels(int index) const { return FLevels[index]; }
    TbsSkinPopupWindow* Innermost() const { return FLevels.empty() ? nullptr : FLevels.back(); }
    int LevelOf(const TbsSkinPopupWindow* window) const;
    TbsSkinData* SkinData() const { return FSkinData; }
    bool FreshOpen() const { return FFreshOpen; }
    const TRect& WorkArea() const { return FWorkArea; }
    QWidget* Opener() const { return FOpener; }
    // Told with SkinMenuCommandDone after a command of the menu ran, then forgotten.
    QWidget* CommandReceiver() const { return FCommandReceiver; }
    void SetCommandReceiver(QWidget* receiver) { FCommandReceiver = receiver; }

    // The submenu delay: started by hovering an item with children, it opens that item.
    const QTimer& SubmenuTimer() const { return FSubmenuTimer; }
    TMenuItem* PendingItem() const { return FPendingItem; }
    void SubmenuTimerFired();

    // Runs the item of a window: a command closes the menu and runs it, an item with
    // children opens its submenu. Expanded and disabled items do nothing.
    void ChooseItem(TbsSkinPopupWindow* window, int index);
    // Hovering or keying onto an item: no submenu opens, and the windows after this one
    // close; byMouse with children starts the submenu delay for it.
    void ItemActivated(TbsSkinPopupWindow* window, TbsSkinMenuItem* item, bool byMouse);
    void ItemDeactivated(TbsSkinMenuItem* item);
    // Closes every window after `window` (its submenus).
    void CloseWindowsAfter(TbsSkinPopupWindow* window);

    // The windows' opacity rules.
    bool UsesOpacity() const;
    bool FadesIn() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TbsSkinPopupWindow;
    void BeginOpening(QWidget* opener, TbsSkinData* skinData);
    void OpenWindow(TbsPopupRequest request);
    void StopSubmenuTimer();
    void WatchEvents(bool on);
    bool InsideOpenWindow(QObject* watched) const;
    void SendSkinMessage(QObject* receiver, QEvent::Type type);

    TFont FDefMenuItemFont;
    bool FFreshOpen = false;
    QPointer<QWidget> FOpener;
    QPointer<QWidget> FCommandReceiver;
    QPointer<QWidget> FHostForm;
    QTimer FSubmenuTimer;
    QPointer<TMenuItem> FPendingItem;
    TRect FWorkArea;
    bool FEngineActive = false;
    bool FWatching = false;
    QPointer<TbsSkinData> FSkinData;
    std::vector<TbsSkinPopupWindow*> FLevels;
};

// ---------------------------------------------------------------- popup menu component

// What a form offers to its skinned popup menus: the form frame's engine and skins, and
// the frame's notice that a menu opens. Engine null: the form has no frame.
struct TbsSkinMenuFormLink {
    TbsSkinMenu* Engine = nullptr;
    TbsSkinData* MenusSkinData = nullptr;
    TbsSkinData* SkinData = nullptr;
    std::function<void()> MenuOpened;
};
using TbsSkinMenuFormLookup = std::function<TbsSkinMenuFormLink(QWidget* form)>;
// The form frame installs the lookup once; an empty function removes it.
void SetSkinMenuFormLookup(TbsSkinMenuFormLookup lookup);

class TbsSkinPopupMenu : public TPopupMenu {
    Q_OBJECT
public:
    explicit TbsSkinPopupMenu(QObject* owner = nullptr);
    ~TbsSkinPopupMenu() override;

    // The skin of the menu; when none, the form frame's menu skin or skin is used.
    TbsSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TbsSkinData* skinData) { FSkinData = skinData; }
    // The form whose engine opens the menu; by default the owner (or the owner's owner).
    QWidget* TargetForm() const { return FTargetForm; }
    void SetTargetForm(QWidget* form) { FTargetForm = form; }
    // Opens the menu when the form has no frame engine (not owned; cleared when destroyed).
    // It opens with the menu's own SkinData.
    TbsSkinMenu* FallbackEngine() const { return FFallbackEngine; }
    void SetFallbackEngine(TbsSkinMenu* engine) { FFallbackEngine = engine; }

    // Fires OnPopup and opens at the screen point through the form's engine.
    void Popup(int x, int y) override;
    // The context menu of an edit: the edit hears SkinMenuClosed; opens only with a skin.
    void PopupFromEdit(QWidget* edit, int x, int y);
    // Opens at a screen rectangle (a caption object's), upward or downward.
    void PopupAtRect(const TRect& anchor, bool upward);
    // Opens through `engine` directly, with the menu's own skin.
    void PopupThrough(TbsSkinMenu& engine, int x, int y);

    // The form a popup of this menu opens on.
    QWidget* FindSkinnedForm() const;

private:
    // The form's link with SkinData filled in as Popup takes it.
    TbsSkinMenuFormLink FormLink() const;

    QPointer<TbsSkinData> FSkinData;
    QPointer<QWidget> FTargetForm;
    QPointer<TbsSkinMenu> FFallbackEngine;
};
