#pragma once
// The skinned main menu bar: a control along the top of a form that shows the top-level
// items of a main menu as skinned buttons and opens their submenus through a menu engine.
//
//   TbsSkinMainMenu          a TMainMenu naming the skin of popups opened from its items
//   TbsMenuBarObject         one thing on the bar: hover, press and morph state, its rect
//   TbsSkinMainMenuBarItem   a top-level menu item: layout, looks, opening its submenu
//   TbsSkinMainMenuBar       the bar: items, overflow marker, mouse tracking, keyboard mode
//
// Mouse tracking slides between submenus: while one item's submenu is open, entering a
// neighbour closes it and opens the neighbour's. Keyboard mode starts with a lone Alt
// press (or EnterKeyboardMode); Left and Right move along the items, Enter presses the
// highlighted one, Escape leaves, Alt+letter (or a letter in keyboard mode) presses the
// item with that accelerator.
//
// The bar opens its popups through its form frame's engine (SetSkinForm), or the engine it
// is given (SetMenuEngine), or else through one of its own. The frame hears when the bar
// enters and leaves its keyboard mode and when a submenu opens. While a popup of the bar is open
// the engine shows the bar every key first (TbsSkinMenu::KeyPreview), so Left and Right move the
// open submenu along.

#include "skin/bsButtonCore.h"
#include "skin/bsEffects.h"
#include "skin/bsSkinData.h"
#include "skin/bsSkinMenus.h"
#include "skinctrls/bsSkinCtrls.h"

#include "framework/Font.h"
#include "framework/Menus.h"

#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class TbsSkinMainMenuBar;
class TbsBusinessSkinForm;

// A main menu whose popups opened by frame buttons use this skin (nullptr: the frame's).
class TbsSkinMainMenu : public TMainMenu {
    Q_OBJECT
public:
    explicit TbsSkinMainMenu(QObject* owner = nullptr);
    TbsSkinData* SkinData() const { return FSkinData; }
    void SetSkinData(TbsSkinData* skinData) { FSkinData = skinData; }

private:
    QPointer<TbsSkinData> FSkinData;
};

// One object of the bar: hover, press and morph state on the button core, its morph
// stepped by the bar's one timer.
class TbsMenuBarObject : public TbsButtonCore {
public:
    // `record` may be null (a plain object); its rects and morph settings are copied.
    TbsMenuBarObject(TbsSkinMainMenuBar* bar, const TbsDataSkinObject* record,
                     const TBitmap* picture);

    virtual void Draw(TCanvas& canvas) = 0;
    virtual void MouseDown(int x, int y, TMouseButton button);
    virtual void MouseUp(int x, int y, TMouseButton button);
    virtual void DblClick() {}
    virtual void MouseEnter();
    virtual void MouseLeave();
    // Still blending between its normal and active look.
    bool IsMorphing() const override;

    // Repaints the object's part of the bar.
    void Redraw();

    TbsSkinMainMenuBar* Bar;
    QString IDName;
    bool Enabled = true;
    bool Visible = true;
    bool Morphing = false; // morphing on: the record morphs and has an active look
    TbsMorphKind MorphKind = TbsMorphKind::mkDefault;
    TRect SkinRect, ActiveSkinRect, DownRect;
    TRect ObjectRect; // in bar coordinates
    const TBitmap* Picture = nullptr;

protected:
    void RedrawFace() override { Redraw(); }
    bool Morphs() const override { return Morphing; }
    void StartMorphTimer() override;
};

class TbsSkinMainMenuBarItem : public TbsMenuBarObject {
public:
    // A skinned item when `record` and `picture` are given, else a plain one.
    TbsSkinMainMenuBarItem(TbsSkinMainMenuBar* bar, TMenuItem* menuItem,
                           const TbsDataSkinMainMenuItem* record, const TBitmap* picture);

    void Draw(TCanvas& canvas) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // Places the item with its left edge at `left`; it is shown when its right edge stays
    // within `limit` (a hidden item is disabled too, its enabled state kept for later).
    void LayOut(int left, const TRect& itemsRect, int limit, TCanvas& measure);
    // The item's submenu closed or another item took over: not active, fading back.
    void ReleaseDown();
    bool HasSubitems() const;
    // The menu item's enabled state changed; a hidden item takes it when shown again.
    void SetMenuEnabled(bool enabled);
    // The picture of the item as it draws now, the size of ObjectRect.
    TBitmap Snapshot();

    QPointer<TMenuItem> MenuItem;
    bool HasSkin = false;
    bool Shown = true;

private:
    int TextWidth(TCanvas& canvas);
    void AssignItemFont(TFont& font) const;
    TBitmap SkinLook(const TRect& look, int width) const;
    void DrawSkinned(TCanvas& canvas);
    void DrawPlain(TCanvas& canvas);

    const TbsDataSkinMainMenuItem* FRecord = nullptr;
    bool FEnabledWhenShown = true;
    // The caption's width as last measured, in the font it was measured in: the bar lays
    // its items out on every paint.
    QString FMeasuredCaption;
    TFont FMeasuredFont;
    int FMeasuredWidth = -1;
};

class TbsSkinMainMenuBar : public TbsSkinControl {
    Q_OBJECT
public:
    static constexpr int MarkerWidth = 5;

    explicit TbsSkinMainMenuBar(QWidget* parent = nullptr);
    ~TbsSkinMainMenuBar() override;

    // The menu shown; setting it rebuilds the items and repaints. Cleared when destroyed.
    TMainMenu* MainMenu() const { return FMainMenu; }
    void SetMainMenu(TMainMenu* menu);
    // The engine the popups open through; nullptr makes the bar use one of its own.
    TbsSkinMenu* MenuEngine() const;
    void SetMenuEngine(TbsSkinMenu* engine);
    // The form frame whose engine opens the popups and whose keyboard mode the bar shares
    // (TbsBusinessSkinForm::SetMainMenuBar sets it). Cleared when the frame is destroyed.
    TbsBusinessSkinForm* SkinForm() const;
    void SetSkinForm(TbsBusinessSkinForm* frame);

    bool ScrollMenu() const { return FScrollMenu; }
    void SetScrollMenu(bool value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void SetUseSkinFont(bool value);
    // Item font without a skin or with UseSkinFont off: "Arial", height 14.
    TFont& DefItemFont() { return FDefItemFont; }
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int value) { FDefaultWidth = value; }
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int value) { FDefaultHeight = value; }
    // Submenus open above the bar.
    bool PopupToUp = false;

    std::function<void(TObject* Sender, TMenuItem* MenuItem)> OnItemMouseEnter;
    std::function<void(TObject* Sender, TMenuItem* MenuItem)> OnItemMouseLeave;

    // ---- what the form frame (and the bar's own keyboard hook) calls
    // Highlights the active item, or else the first shown one, and takes the keys.
    void EnterKeyboardMode();
    // Ends keyboard and menu mode: no item stays highlighted.
    void LeaveMenuMode();
    // The open submenu closed: the down item stays highlighted, not down.
    void SubmenuClosed();
    void SelectNextItem();
    void SelectPreviousItem();
    // Enter: presses the highlighted item; false when it is the popup's key.
    bool ClickActiveItem();
    // Alt with `key`: highlights and presses the item with that accelerator.
    bool HandleAccelerator(int key);
    // A key while a popup of the bar is open or in keyboard mode; true when it was used.
    bool MenuKeyDown(int key);
    // Builds the bar objects from the main menu and repaints.
    void RebuildItems();
    // A top-level item's caption or enabled state changed.
    void MenuItemChanged(TMenuItem* source);

    // ---- state, for the items, the frame and tests
    int ObjectCount() const { return static_cast<int>(FObjects.size()); }
    TbsMenuBarObject* Objects(int index) const { return FObjects[index].get(); }
    TbsSkinMainMenuBarItem* Items(int index) const;
    int HotObject() const { return FHotObject; }
    bool MenuShown() const { return FMenuShown; }
    bool KeyboardMode() const { return FKeyboardMode; }
    bool MarkerHot() const { return FMarkerHot; }
    bool Overflow() const { return FOverflow; }
    bool SkinSupport() const { return FSkinSupport; }
    const TRect& ItemsRect() const { return FItemsRect; }
    // The overflow marker at the right end of the items rect.
    TRect MarkerRect() const;
    const TbsDataSkinMainMenuBar* BarRecord() const;

    // Fits the items rect and the items to the bar's size (painting does it too).
    void LayOutObjects();
    // The mouse at a bar point (the mouse timer and mouse moves report it); a point
    // outside the bar tracks "nowhere".
    void TrackMouse(TPoint p);
    // Opens the popup listing the items that did not fit.
    void OpenOverflowPopup();
    // Opens `item`'s submenu below (or above) it.
    void OpenSubmenu(TbsSkinMainMenuBarItem* item);
    // The item whose submenu is open, or nullptr.
    TbsSkinMainMenuBarItem* DownItem() const;
    // Another item than `except` that is active (or down).
    TbsSkinMainMenuBarItem* ActiveItem(const TbsMenuBarObject* except = nullptr) const;
    // Runs an item's command: ends keyboard mode first.
    void RunCommand(TbsSkinMainMenuBarItem* item);
    // Starts the morph timer when some object still morphs.
    void StartMorph();
    void MorphTick();
    // The font a skinned item draws with, and the bar's skin data.
    bool ItemsUseSkinFont() const { return FUseSkinFont; }
    const QTimer& MouseTimer() const { return FMouseTimer; }

    void FetchSkinRecord() override;
    void ApplySkin() override;
    void ForgetSkin() override;
    // While a record is found the height is the record's.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // Alt+letter from the form.
    bool DialogChar(QChar ch) override;

protected:
    void DrawDefaultImage(TBitmap& bitmap) override;
    void DrawSkinImage(TBitmap& bitmap) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DblClick() override;
    void MouseEnter() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // LayOutObjects, only while the bar is on screen.
    void LayOutIfShown();
    void Compose(TBitmap& bitmap);
    void DrawBackground(TCanvas& canvas, int width, int height);
    void DrawMarker(TCanvas& canvas);
    void SetHot(int index);
    int FirstShownIndex() const;
    void SelectStep(int step);
    void MenuClosed();
    // Keyboard mode starts (the frame hears of it).
    void BeginKeyboardMode();
    void MouseTimerTick();
    bool KeyboardHook(QObject* watched, QEvent* event);
    TRect ScreenRect(const TRect& r) const;

    QPointer<TMainMenu> FMainMenu;
    QPointer<TbsSkinMenu> FEngine;
    TbsSkinMenu* FOwnEngine = nullptr;
    QPointer<TbsBusinessSkinForm> FSkinForm;
    std::vector<std::unique_ptr<TbsMenuBarObject>> FObjects;
    TFont FDefItemFont;
    bool FScrollMenu = true;
    bool FUseSkinFont = true;
    int FDefaultWidth = 0;
    int FDefaultHeight = 22;
    int FHotObject = -1;
    int FPreviousHotObject = -1;
    int FCapturedObject = -1;
    bool FMenuShown = false;
    bool FKeyboardMode = false;
    bool FMarkerHot = false;
    bool FOverflow = false;
    bool FSkinSupport = false;
    bool FSwitching = false;     // one submenu replaces another: its close is not an end
    bool FEscapeClosing = false; // Escape closes the last popup: keyboard mode stays
    bool FAltAlone = false;      // Alt is down and no other key came since
    TbsSkinMainMenuBarItem* FJustClosed = nullptr; // closed by the press now in hand
    TRect FItemsRect;
    QTimer FMouseTimer;
    QTimer FMorphTimer;
};
