#pragma once
// Menus as data: a tree of menu items below a main or popup menu. Items carry the
// caption ("&" marks the accelerator, "-" is a separator), a shortcut, check and radio
// state, an image index and a click event. Whoever draws a menu (the plain QMenu popup
// here, a skinned menu engine elsewhere) reads the tree and calls Click() on the chosen
// item. Every change is reported through the menu's OnChange so a menu bar can redraw.
//
// A shortcut is an int: a Qt key code or'ed with the modifier bits (scShift, scCtrl,
// scAlt, scMeta), the same value QKeyCombination::toCombined() gives.

#include "framework/ActnList.h"
#include "framework/Classes.h"
#include "framework/ImgList.h"

#include <QPoint>
#include <QPointer>
#include <QString>
#include <vector>

class QKeyEvent;
class QMenu;
class TMenu;

using TShortCut = int;
constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = Qt::ShiftModifier;
constexpr TShortCut scCtrl = Qt::ControlModifier;
constexpr TShortCut scAlt = Qt::AltModifier;
constexpr TShortCut scMeta = Qt::MetaModifier;
constexpr TShortCut scModifierMask = scShift | scCtrl | scAlt | scMeta;

// Combines a key and modifier bits into a shortcut.
TShortCut ShortCut(int key, int modifiers);
// Folds lower-case letters, keypad Enter and Backtab onto their plain keys and drops
// the keypad bit, so equal keys compare equal.
TShortCut NormalizeShortCut(TShortCut shortCut);
// The shortcut of a key press, or scNone for a lone modifier key. Keypad keys map to
// their main-keyboard meaning ("Enter" on the keypad is Enter).
TShortCut ShortCutFromKeyEvent(const QKeyEvent& event);
// "Ctrl+S", "Shift+Ctrl+F1", "Alt+F4", "Del", "Enter", "Esc", "PgUp", ...; empty for scNone.
QString ShortCutToText(TShortCut shortCut);
// The reverse of ShortCutToText; case-insensitive, modifiers in any order. Returns
// scNone for an empty or unknown text.
TShortCut TextToShortCut(const QString& text);

// The caption without its accelerator marks ("&&" stays as one "&").
QString StripHotkey(const QString& caption);
// The accelerator character in upper case ("&File" -> 'F'), or a null QChar.
QChar GetHotkey(const QString& caption);
// True when `key` (a Qt key code or a character) is the caption's accelerator.
bool IsAccel(int key, const QString& caption);

class TMenuItem : public TComponent {
    Q_OBJECT
public:
    explicit TMenuItem(QObject* owner = nullptr);
    // Removes the item from its parent and destroys its sub-items.
    ~TMenuItem() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    // A separator: the caption is "-".
    bool IsLine() const { return FCaption == QLatin1String("-"); }
    QChar Hotkey() const { return GetHotkey(FCaption); }

    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut shortCut);
    QString ShortCutText() const { return ShortCutToText(FShortCut); }

    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the radio items of its group among its siblings.
    void SetChecked(bool checked);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool radioItem);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int groupIndex);
    // When set, Click() toggles Checked (a radio item is only ever checked by it).
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool autoCheck) { FAutoCheck = autoCheck; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    bool Visible() const { return FVisible; }
    void SetVisible(bool visible);
    // The default item is shown in bold.
    bool Default() const { return FDefault; }
    void SetDefault(bool isDefault);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int imageIndex);
    QString Hint() const { return FHint; }
    void SetHint(const QString& hint) { FHint = hint; }

    // The item's action: linked, the item shows the action's caption, state, hint and
    // image index, and a click without an OnClick of its own runs the action. Not owned;
    // cleared when the action is destroyed.
    TAction* Action() const { return FActionLink.Action(); }
    void SetAction(TAction* action);
    // Asks the linked action to update its state (before the item is shown).
    void InitiateAction();

    // Sub-items.
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* operator[](int index) const { return Items(index); }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    // Destroys the sub-item at index.
    void Delete(int index);
    // Takes the item out of this item's list without destroying it.
    void Remove(TMenuItem* item);
    // Destroys every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    // The first sub-item whose caption without accelerator marks equals `caption`
    // (case-insensitive), or nullptr.
    TMenuItem* Find(const QString& caption) const;
    // Number of visible sub-items.
    int VisibleCount() const;

    // The item this one is a sub-item of (not the owner, which is parent()).
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
    // The menu whose tree holds this item, or nullptr.
    TMenu* GetParentMenu() const;

    // Runs the item's command: toggles AutoCheck items, then fires OnClick, or without one
    // executes the linked action.
    virtual void Click();
    TNotifyEvent OnClick;

protected:
    // Reports a change to the menu; `rebuild` when the tree's shape changed.
    void Changed(bool rebuild);

private:
    friend class TMenu;
    void Attach(int index, TMenuItem* item);
    void Detach(TMenuItem* item);
    void UncheckGroupSiblings();
    void ActionChanged(const TAction& action);

    QString FCaption;
    TShortCut FShortCut = scNone;
    bool FChecked = false;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    bool FAutoCheck = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    int FImageIndex = -1;
    QString FHint;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr; // set on the root item only
    std::vector<TMenuItem*> FItems;
    TActionLink FActionLink;
};

// A change in a menu's tree: the item that changed (nullptr for the whole menu) and
// whether items were added, removed or moved.
using TMenuChangeEvent = std::function<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;

class TMenu : public TComponent {
    Q_OBJECT
public:
    explicit TMenu(QObject* owner = nullptr);
    ~TMenu() override;

    // The invisible root; the menu's items are its sub-items.
    TMenuItem* Items() const { return FItems; }

    TImageList* Images() const { return FImages.data(); }
    void SetImages(TImageList* images);

    // The enabled, visible item with this shortcut whose parents are enabled and
    // visible too, searching submenus depth first; nullptr when there is none.
    TMenuItem* FindItem(TShortCut shortCut) const;
    // Clicks the item FindItem returns; true when one was clicked.
    bool IsShortCut(TShortCut key);
    // The sub-item of `parent` (the root when nullptr) whose accelerator is `key`,
    // among enabled visible items; nullptr when there is none.
    TMenuItem* FindAccelItem(int key, TMenuItem* parent = nullptr) const;

    TMenuChangeEvent OnChange;

signals:
    // The same notification for any number of listeners; a listener that may die before
    // the menu connects with itself as context, so the connection dies with it.
    void MenuChanged(TMenuItem* source, bool rebuild);

protected:
    friend class TMenuItem;
    virtual void MenuChangedBy(TMenuItem* source, bool rebuild);

private:
    TMenuItem* FItems;
    QPointer<TImageList> FImages;
};

class TMainMenu : public TMenu {
    Q_OBJECT
public:
    explicit TMainMenu(QObject* owner = nullptr);
};

class TPopupMenu : public TMenu {
    Q_OBJECT
public:
    explicit TPopupMenu(QObject* owner = nullptr);

    // A right click on a control with this popup menu opens it.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool autoPopup) { FAutoPopup = autoPopup; }
    // The control the menu was last opened for (set by whoever opens it).
    QObject* PopupComponent() const { return FPopupComponent.data(); }
    void SetPopupComponent(QObject* component) { FPopupComponent = component; }
    // The screen point of the last Popup.
    QPoint PopupPoint() const { return FPopupPoint; }

    // Fires OnPopup and shows the menu at the screen point. The default shows a plain
    // QMenu built from the items and returns when it closes; the chosen item's Click
    // runs after the menu has closed.
    virtual void Popup(int x, int y);
    TNotifyEvent OnPopup;

    // Fills a QMenu with actions for the visible sub-items of `parent`, recursively.
    // Triggering an action clicks its item.
    void BuildQMenu(QMenu& menu, TMenuItem* parent) const;

private:
    bool FAutoPopup = true;
    QPointer<QObject> FPopupComponent;
    QPoint FPopupPoint;
};
